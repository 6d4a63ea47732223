#include "panels/BookmarkParser.h"

#include "vantor/util/FileUtil.h"
#include "vantor/util/LogHandler.h"

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QLine>
#include <QLineF>
#include <QMatrix4x4>
#include <QPixmap>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSaveFile>
#include <QSize>
#include <QSizeF>
#include <QStringList>
#include <QTextStream>
#include <QTransform>
#include <QVector3D>

#include <algorithm>

namespace {

const char* const kRootTag = "NerioBookmark";
const char* const kListTag = "bookmarks";
const char* const kEntryTag = "bookmark";
const char* const kTypeAttribute = "type";
const char* const kVersion = "1.0";

// Pictures are stored as XPM text, whose first string is "width height colours characters-per-pixel".
// Each pixel takes its characters in the text, so a picture that claims more pixels than its text
// can hold is damage: refused before the image reader reserves room for it. A text without such a
// string is no picture at all (the reader makes nothing of it).
const int MaxPictureSide = 4096;

// A thousand bookmarks with thumbnails take a few megabytes.
const std::size_t MaxFileBytes = 64u << 20;

bool pictureClaimsTooMuch(const QByteArray& text)
{
    const int open = text.indexOf('"');
    const int close = open < 0 ? -1 : text.indexOf('"', open + 1);
    if (close < 0)
        return false;
    const QList<QByteArray> values = text.mid(open + 1, close - open - 1).simplified().split(' ');
    if (values.size() < 4)
        return false;
    bool ok[3] = {false, false, false};
    const qint64 width = values[0].toLongLong(&ok[0]);
    const qint64 height = values[1].toLongLong(&ok[1]);
    const qint64 perPixel = values[3].toLongLong(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2])
        return false;
    if (width > MaxPictureSide || height > MaxPictureSide)
        return true;
    return width > 0 && height > 0 && width * height * std::max<qint64>(perPixel, 1) > qint64(text.size());
}

QString realText(qreal v)
{
    return QString::number(v, 'g');
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1x%2 %3x%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
}

QString imageText(const QImage& image)
{
    if (image.isNull())
        return QObject::tr("<no image>");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "XPM");
    return QString::fromLatin1(bytes);
}

template <typename T>
QString streamedText(const T& value)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << value;
    return QString::fromLatin1(bytes.toBase64());
}

template <typename T>
QVariant streamedValue(const QString& text, T value, bool* ok)
{
    QDataStream in(QByteArray::fromBase64(text.toLatin1()));
    T read = value;
    in >> read;
    if (in.status() != QDataStream::Ok) {
        *ok = false;
        return QVariant::fromValue(value);
    }
    return QVariant::fromValue(read);
}

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Appends an element to the parent, with a text node when the text is not null.
QDomElement appendElement(QDomDocument& document, QDomNode& parent, const QString& tag,
                          const QString& text = QString())
{
    QDomElement element = document.createElement(tag);
    parent.appendChild(element);
    if (!text.isNull())
        element.appendChild(document.createTextNode(text));
    return element;
}

} // namespace

QString variantToString(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QStringList:
        return value.toStringList().join(QStringLiteral(", "));
    case QMetaType::QRect:
        return rectText(value.toRect());
    case QMetaType::QRectF: {
        const QRectF r = value.toRectF();
        return QStringLiteral("%1x%2 %3x%4").arg(realText(r.x()), realText(r.y()), realText(r.width()),
                                                 realText(r.height()));
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
    }
    case QMetaType::QSizeF: {
        const QSizeF s = value.toSizeF();
        return QStringLiteral("%1x%2").arg(realText(s.width()), realText(s.height()));
    }
    case QMetaType::QLine: {
        const QLine l = value.toLine();
        return QStringLiteral("%1 x %2 at %3 x %4").arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2());
    }
    case QMetaType::QLineF: {
        const QLineF l = value.toLineF();
        return QStringLiteral("%1 x %2 at %3 x %4")
            .arg(realText(l.x1()), realText(l.y1()), realText(l.x2()), realText(l.y2()));
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QStringLiteral("%1x%2").arg(p.x()).arg(p.y());
    }
    case QMetaType::QPointF: {
        const QPointF p = value.toPointF();
        return QStringLiteral("%1x%2").arg(realText(p.x()), realText(p.y()));
    }
    case QMetaType::QPixmap:
        return imageText(value.value<QPixmap>().toImage());
    case QMetaType::QImage:
        return imageText(value.value<QImage>());
    case QMetaType::QRegion: {
        const QRegion region = value.value<QRegion>();
        if (region.isEmpty())
            return QStringLiteral("<empty>");
        if (region.rectCount() == 1)
            return rectText(*region.begin());
        return QStringLiteral("<%1 rects>").arg(region.rectCount());
    }
    case QMetaType::QTransform: {
        const QTransform t = value.value<QTransform>();
        return QStringLiteral("[%1 %2 %3, %4 %5 %6, %7 %8 %9]")
            .arg(realText(t.m11()), realText(t.m12()), realText(t.m13()), realText(t.m21()), realText(t.m22()),
                 realText(t.m23()), realText(t.m31()), realText(t.m32()), realText(t.m33()));
    }
    case QMetaType::QMatrix4x4:
        return streamedText(value.value<QMatrix4x4>());
    case QMetaType::QVector3D:
        return streamedText(value.value<QVector3D>());
    default:
        return value.toString();
    }
}

QVariant stringToVariant(const QString& text, int type, bool* ok)
{
    bool spare = true;
    if (!ok)
        ok = &spare;
    *ok = true;
    if (text.isNull())
        return QVariant();

    switch (type) {
    case QMetaType::UnknownType:
        *ok = false;
        return QVariant();
    case QMetaType::QByteArray: {
        const int length = text.size();
        QByteArray bytes(length / 2 + length % 2, '\0');
        for (int i = 0; i + 1 < length; i += 2) {
            if (!isHexDigit(text.at(i)) || !isHexDigit(text.at(i + 1))) {
                Vantor::LogHandler::getInstance()->reportError(
                    QObject::tr("stringToVariant(): Error in digit (%1).").arg(i));
                *ok = false;
                break;
            }
            bytes[i / 2] = char(text.midRef(i, 2).toUInt(nullptr, 16));
        }
        return bytes;
    }
    case QMetaType::QPixmap:
    case QMetaType::QImage: {
        const QByteArray bytes = text.toLatin1();
        if (pictureClaimsTooMuch(bytes)) {
            Vantor::LogHandler::getInstance()->reportError(
                QObject::tr("stringToVariant(): a picture claims more pixels than its %1 characters hold.").arg(bytes.size()));
            *ok = false;
            return type == QMetaType::QPixmap ? QVariant(QPixmap()) : QVariant(QImage());
        }
        if (type == QMetaType::QPixmap) {
            QPixmap pixmap;
            pixmap.loadFromData(bytes, "XPM");
            return pixmap;
        }
        QImage image;
        image.loadFromData(bytes, "XPM");
        return image;
    }
    case QMetaType::QMatrix4x4:
        return streamedValue(text, QMatrix4x4(), ok);
    case QMetaType::QVector3D:
        return streamedValue(text, QVector3D(), ok);
    default: {
        QVariant value(text);
        if (type < 0 || !value.canConvert(type) || !value.convert(type)) {
            *ok = false;
            return QVariant();
        }
        return value;
    }
    }
}

BookmarkParser::BookmarkParser(QObject* parent) : QObject(parent) {}

BookmarkParser::~BookmarkParser() = default;

void BookmarkParser::fail(const QString& message)
{
    m_error = message;
    Vantor::LogHandler::getInstance()->reportError(message);
}

std::unique_ptr<BookmarkRecordList> BookmarkParser::read(const QString& path)
{
    m_error.clear();
    std::string bytes, error;
    if (!Vantor::FileUtil::ReadRegularFile(QFile::encodeName(path).toStdString(), MaxFileBytes, bytes, error)) {
        fail(tr("Cannot read file %1: (%2)").arg(path, QString::fromLocal8Bit(error.c_str())));
        return nullptr;
    }
    auto list = std::make_unique<BookmarkRecordList>();
    m_list = list.get();
    readDocument(QByteArray::fromStdString(bytes));
    m_list = nullptr;
    list->setModified(false);
    return list;
}

void BookmarkParser::readDocument(const QByteArray& bytes)
{
    QString message;
    int line = 0;
    int column = 0;
    if (!m_document.setContent(bytes, false, &message, &line, &column)) {
        fail(tr("Parse error at line %1, column %2: (%3)").arg(line).arg(column).arg(message));
        return;
    }
    const QDomElement root = m_document.documentElement();
    if (root.tagName() != QLatin1String(kRootTag)) {
        fail(tr("The file is not a \"Bookmark\" file !!"));
        return;
    }
    const QString version = root.attribute(QStringLiteral("version"));
    if (version != QLatin1String(kVersion))
        Vantor::LogHandler::getInstance()->reportInfo(tr("Unknown version of bookmark file (%1).").arg(version));

    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    if (!root.hasChildNodes()) {
        log->reportDebug(QStringLiteral("Parsing data source %1 : no children nodes").arg(root.nodeName()));
        return;
    }
    log->reportDebug(QStringLiteral("Parsing Bookmark %1 : %2 children").arg(root.nodeName()).arg(root.childNodes().count()));

    for (QDomElement list = root.firstChildElement(); !list.isNull(); list = list.nextSiblingElement()) {
        if (list.tagName() != QLatin1String(kListTag))
            continue;
        for (QDomElement entry = list.firstChildElement(); !entry.isNull(); entry = entry.nextSiblingElement()) {
            if (entry.tagName() != QLatin1String(kEntryTag))
                continue;
            auto* record = new BookmarkRecord;
            m_list->append(record);
            for (QDomElement field = entry.firstChildElement(); !field.isNull(); field = field.nextSiblingElement()) {
                bool ok = true;
                const int type = field.attribute(QLatin1String(kTypeAttribute)).toInt();
                record->insert(field.tagName(), stringToVariant(field.text(), type, &ok));
            }
        }
    }
}

void BookmarkParser::buildDocument(const BookmarkRecordList* list)
{
    m_document = QDomDocument();
    m_document.appendChild(
        m_document.createProcessingInstruction(QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"utf-8\"")));
    QDomElement root = appendElement(m_document, m_document, QLatin1String(kRootTag));
    root.setAttribute(QStringLiteral("xmlns:xsi"), QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
    root.setAttribute(QStringLiteral("xmlns:xsd"), QStringLiteral("http://www.w3.org/2001/XMLSchema"));
    root.setAttribute(QStringLiteral("version"), QLatin1String(kVersion));
    QDomElement entries = appendElement(m_document, root, QLatin1String(kListTag));
    for (const BookmarkRecord* record : list->records()) {
        QDomElement entry = appendElement(m_document, entries, QLatin1String(kEntryTag));
        for (auto it = record->cbegin(); it != record->cend(); ++it) {
            QDomElement field = appendElement(m_document, entry, it.key(), variantToString(it.value()));
            field.setAttribute(QLatin1String(kTypeAttribute), int(it.value().type()));
        }
    }
}

bool BookmarkParser::save(const QString& path, const BookmarkRecordList* list)
{
    m_error.clear();
    if (!list) {
        m_error = tr("No bookmarks to save");
        return false;
    }
    // Written aside and then put in place, so a failed write leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        fail(tr("Cannot save file %1: (%2)").arg(path, file.errorString()));
        return false;
    }
    buildDocument(list);
    {
        QTextStream out(&file);
        out.setCodec("ISO 8859-1");
        m_document.save(out, 4, QDomNode::EncodingFromTextStream);
        out.flush();
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        fail(tr("Cannot save file %1: (%2)").arg(path, file.errorString()));
        return false;
    }
    return true;
}
