// The bookmark file: its XML, the text form of values, and the messages for files it cannot use.

#include "LogCapture.h"

#include "panels/BookmarkParser.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLine>
#include <QMatrix4x4>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <QVector3D>

#include <sys/stat.h>

namespace {

QString scratch(const QString& name)
{
    const QString dir = nerio_test::scratchDir() + "/bookmark-parser";
    QDir().mkpath(dir);
    return dir + "/" + name;
}

QString writeText(const QString& name, const QByteArray& text)
{
    const QString path = scratch(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
    return path;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A small picture of a few colours, as a thumbnail would be.
QImage thumbnail()
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(QColor(200, 210, 220));
    QPainter p(&image);
    p.fillRect(4, 4, 10, 8, QColor(40, 120, 200));
    p.fillRect(18, 10, 8, 8, QColor(230, 60, 50));
    return image;
}

BookmarkRecord* record(const QString& name, const QString& description, const QImage& image, qulonglong id)
{
    auto* r = new BookmarkRecord;
    r->insert(BookmarkKey::name(), name);
    r->insert(BookmarkKey::description(), description);
    r->insert(BookmarkKey::thumbnail(), image);
    r->insert(BookmarkKey::id(), id);
    return r;
}

const QByteArray kTwoBookmarks = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<NerioBookmark version="%1">
    <bookmarks>
        <bookmark>
            <Name type="10">Front</Name>
            <bookmarkId type="5">42</bookmarkId>
        </bookmark>
        <ignored/>
        <bookmark>
            <Name type="10">Back</Name>
            <bookmarkId type="2">42</bookmarkId>
            <Untyped>x</Untyped>
            <Nothing type="0">y</Nothing>
        </bookmark>
    </bookmarks>
</NerioBookmark>
)";

} // namespace

TEST(BookmarkFile, RoundTripKeepsChineseNamesThumbnailsAndWideIds)
{
    const QString chinese = QString::fromUtf8("前视图 (剖面)");
    const qulonglong wide = (qulonglong(1) << 32) + 12345; // does not fit an int
    BookmarkRecordList list;
    list.append(record(chinese, QString::fromUtf8("左侧隐藏 <&> \"é\""), thumbnail(), wide));
    list.append(record("Back", QString(), QImage(), 7));
    const QString path = scratch("roundtrip.bmk");

    BookmarkParser writer;
    ASSERT_TRUE(writer.save(path, &list));
    const QByteArray bytes = readBytes(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>")) << bytes.left(80).constData();
    EXPECT_TRUE(bytes.contains("&#x524d;")) << "characters outside Latin-1 are written as references";
    EXPECT_TRUE(bytes.contains("<bookmarkId type=\"5\">4294979641</bookmarkId>"));
    EXPECT_TRUE(bytes.contains("type=\"70\""));

    BookmarkParser reader;
    std::unique_ptr<BookmarkRecordList> read = reader.read(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(reader.errorString().isEmpty());
    EXPECT_FALSE(read->isModified());
    ASSERT_EQ(read->size(), 2);
    const BookmarkRecord& first = *read->at(0);
    EXPECT_EQ(first.value(BookmarkKey::name()).toString(), chinese);
    EXPECT_EQ(first.value(BookmarkKey::description()).toString(), QString::fromUtf8("左侧隐藏 <&> \"é\""));
    EXPECT_EQ(first.value(BookmarkKey::id()).userType(), QMetaType::ULongLong);
    EXPECT_EQ(first.value(BookmarkKey::id()).toULongLong(), wide);
    const QImage image = first.value(BookmarkKey::thumbnail()).value<QImage>();
    ASSERT_EQ(image.size(), thumbnail().size());
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), thumbnail());

    // A missing picture is written as the "<no image>" text, which reads back as no picture.
    const BookmarkRecord& second = *read->at(1);
    EXPECT_TRUE(bytes.contains("&lt;no image"));
    EXPECT_TRUE(second.value(BookmarkKey::thumbnail()).value<QImage>().isNull());
    EXPECT_EQ(second.value(BookmarkKey::description()).toString(), QString());
}

TEST(BookmarkFile, EmptyListWritesTheFrameAndReadsBackEmpty)
{
    BookmarkRecordList list;
    const QString path = scratch("empty.bmk");
    BookmarkParser parser;
    ASSERT_TRUE(parser.save(path, &list));
    const QString text = QString::fromLatin1(readBytes(path));
    EXPECT_TRUE(text.contains("<NerioBookmark")) << text.toStdString();
    EXPECT_TRUE(text.contains("version=\"1.0\""));
    EXPECT_TRUE(text.contains("xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""));
    EXPECT_TRUE(text.contains("xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""));
    EXPECT_TRUE(text.contains("<bookmarks/>"));
    std::unique_ptr<BookmarkRecordList> read = parser.read(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 0);
}

TEST(BookmarkFile, OtherVersionStillReadsAndTypesDecideTheValues)
{
    LogCapture log;
    const QString path = writeText("v2.bmk", QString::fromLatin1(kTwoBookmarks).arg("2.0").toLatin1());
    BookmarkParser parser;
    std::unique_ptr<BookmarkRecordList> read = parser.read(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(log.hasLevel("Info", "Unknown version of bookmark file (2.0)."));
    ASSERT_EQ(read->size(), 2);
    EXPECT_EQ(read->at(0)->value("bookmarkId").userType(), QMetaType::ULongLong);
    EXPECT_EQ(read->at(0)->value("bookmarkId").toULongLong(), 42u);
    EXPECT_EQ(read->at(1)->value("bookmarkId").userType(), QMetaType::Int);
    EXPECT_EQ(read->at(1)->value("bookmarkId").toInt(), 42);
    // No "type", or type 0: the key is there with no value.
    ASSERT_TRUE(read->at(1)->contains("Untyped"));
    EXPECT_FALSE(read->at(1)->value("Untyped").isValid());
    ASSERT_TRUE(read->at(1)->contains("Nothing"));
    EXPECT_FALSE(read->at(1)->value("Nothing").isValid());
}

TEST(BookmarkFile, FilesItCannotUseAreReported)
{
    struct Case
    {
        const char* name;
        QByteArray content; // empty: the file does not exist
        bool list;          // a record list comes back
        QString message;    // the end of the error line; %1 is the path
    };
    const Case cases[] = {
        {"missing.bmk", QByteArray(), false, "Cannot read file %1: (No such file or directory)"},
        {"broken.bmk", "<NerioBookmark><bookmarks>", true, "Parse error at line 1, column 27: (unexpected end of file)"},
        {"foreign.bmk", "<Other version=\"1.0\"/>", true, "The file is not a \"Bookmark\" file !!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log;
        const QString path = c.content.isEmpty() ? scratch(c.name) : writeText(c.name, c.content);
        BookmarkParser parser;
        std::unique_ptr<BookmarkRecordList> read = parser.read(path);
        EXPECT_EQ(bool(read), c.list);
        if (read) {
            EXPECT_EQ(read->size(), 0);
        }
        const QString message = c.message.contains("%1") ? c.message.arg(path) : c.message;
        EXPECT_TRUE(log.hasLevel("Error", message)) << log.lines.join('\n').toStdString();
        EXPECT_EQ(parser.errorString(), message);
    }
}

TEST(BookmarkFile, SaveFailuresSayWhyAndKeepTheOldFile)
{
    BookmarkRecordList list;
    list.append(record("A", "", QImage(), 1));
    BookmarkParser parser;
    EXPECT_FALSE(parser.save(scratch("null.bmk"), nullptr));
    EXPECT_FALSE(QFile::exists(scratch("null.bmk")));

    LogCapture log;
    const QString path = scratch("no-such-folder/x.bmk");
    EXPECT_FALSE(parser.save(path, &list));
    EXPECT_TRUE(parser.errorString().startsWith(QStringLiteral("Cannot save file %1: (").arg(path)))
        << parser.errorString().toStdString();
    EXPECT_TRUE(parser.errorString().endsWith(")"));
    EXPECT_TRUE(log.hasLevel("Error", parser.errorString()));
}

TEST(BookmarkValues, TextForms)
{
    QRegion two(0, 0, 2, 2);
    two += QRect(10, 10, 3, 3);
    const struct
    {
        QVariant value;
        QString text;
    } cases[] = {
        {QStringList{"a", "b", "c"}, "a, b, c"},
        {QRect(1, 2, 30, 40), "1x2 30x40"},
        {QRectF(0.5, 1.25, 3, 1e7), "0.5x1.25 3x1e+07"},
        {QSize(640, 480), "640x480"},
        {QSizeF(0.1, 2.5), "0.1x2.5"},
        {QLine(1, 2, 3, 4), "1 x 2 at 3 x 4"},
        {QLineF(1.5, 2, 3, 4.25), "1.5 x 2 at 3 x 4.25"},
        {QPoint(-3, 7), "-3x7"},
        {QPointF(0.125, -1), "0.125x-1"},
        {QRegion(), "<empty>"},
        {QRegion(5, 6, 7, 8), "5x6 7x8"},
        {two, "<2 rects>"},
        {QTransform(1, 0, 0, 0, 2, 0, 10, 20, 1), "[1 0 0, 0 2 0, 10 20 1]"},
        {QImage(), "<no image>"},
        {QVariant::fromValue(qulonglong(18446744073709551615ull)), "18446744073709551615"},
        {QString::fromUtf8("名字"), QString::fromUtf8("名字")},
        {true, "true"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.typeName());
        EXPECT_EQ(variantToString(c.value), c.text);
    }
}

TEST(BookmarkValues, TextsBackToValues)
{
    LogCapture log;
    const struct
    {
        QString text;
        int type;
        QVariant expected; // invalid: no value
        bool ok;
    } cases[] = {
        {QString(), QMetaType::Int, QVariant(), true},
        {"1", QMetaType::UnknownType, QVariant(), false},
        {"42", QMetaType::ULongLong, QVariant::fromValue(qulonglong(42)), true},
        {"18446744073709551615", QMetaType::ULongLong, QVariant::fromValue(qulonglong(18446744073709551615ull)), true},
        {"42", QMetaType::Int, 42, true},
        {"forty", QMetaType::Int, QVariant(), false},
        {"true", QMetaType::Bool, true, true},
        {"2.5", QMetaType::Double, 2.5, true},
        {"0a1F", QMetaType::QByteArray, QByteArray("\x0a\x1f", 2), true},
        {"0a1", QMetaType::QByteArray, QByteArray("\x0a\x00", 2), true},     // the odd digit is not read
        {"0aZZ11", QMetaType::QByteArray, QByteArray("\x0a\x00\x00", 3), false}, // stops at the bad pair
        {"x", -4, QVariant(), false},
        {"x", 9999, QVariant(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 as %2").arg(c.text).arg(c.type).toStdString());
        bool ok = !c.ok;
        const QVariant value = stringToVariant(c.text, c.type, &ok);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(value.isValid(), c.expected.isValid());
        if (c.expected.isValid()) {
            EXPECT_EQ(value.userType(), c.expected.userType());
            EXPECT_EQ(value, c.expected);
        }
    }
    EXPECT_TRUE(log.hasLevel("Error", "stringToVariant(): Error in digit (2)."));

    // Pictures and streamed values come back as they went.
    bool ok = true;
    EXPECT_TRUE(stringToVariant("<no image>", QMetaType::QImage, &ok).value<QImage>().isNull());
    EXPECT_EQ(stringToVariant(variantToString(thumbnail()), QMetaType::QImage, &ok).value<QImage>().convertToFormat(QImage::Format_RGB32),
              thumbnail());
    QMatrix4x4 m;
    m.translate(1, 2, 3);
    m.rotate(30, 0, 0, 1);
    EXPECT_EQ(stringToVariant(variantToString(m), QMetaType::QMatrix4x4, &ok).value<QMatrix4x4>(), m);
    EXPECT_TRUE(ok);
    EXPECT_EQ(stringToVariant(variantToString(QVector3D(1, -2, 0.5)), QMetaType::QVector3D, &ok).value<QVector3D>(),
              QVector3D(1, -2, 0.5));
    // A damaged stream gives the starting value.
    EXPECT_EQ(stringToVariant("AAAA", QMetaType::QMatrix4x4, &ok).value<QMatrix4x4>(), QMatrix4x4());
    EXPECT_FALSE(ok);
}

// A few hundred bytes cannot make the reader reserve room for a huge picture, and a pipe or a device
// named as the bookmark file is refused at once instead of holding the window.
TEST(BookmarkFile, ClaimsPipesAndDevicesAreRefused)
{
    const struct
    {
        const char* size;
        const char* what;
    } claims[] = {{"15000 15000 1 1", "larger than any thumbnail"}, {"4000 4000 1 1", "more pixels than its text"}};
    for (const auto& c : claims) {
        SCOPED_TRACE(c.what);
        LogCapture log;
        const QByteArray file = QByteArray("<NerioBookmark version=\"1.0\"><bookmarks><bookmark><Name type=\"10\">Big</Name>"
                                           "<Thumbnail type=\"70\">/* XPM */ static char *x[]={\"") +
                                c.size + "\",\"a c #ffffff\",\"aaaa\"};</Thumbnail></bookmark></bookmarks></NerioBookmark>";
        ASSERT_LT(file.size(), 300);
        BookmarkParser parser;
        std::unique_ptr<BookmarkRecordList> read = parser.read(writeText("claim.bmk", file));
        ASSERT_TRUE(read);
        ASSERT_EQ(read->size(), 1);
        EXPECT_TRUE(read->at(0)->value(BookmarkKey::thumbnail()).value<QImage>().isNull());
        EXPECT_EQ(read->at(0)->value(BookmarkKey::name()).toString(), "Big");
        EXPECT_FALSE(log.lines.filter("claims more pixels").isEmpty()) << log.lines.join('\n').toStdString();
    }

    const QString pipe = scratch("pipe.bmk");
    QFile::remove(pipe);
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {pipe, QStringLiteral("/dev/zero"), nerio_test::scratchDir()}) {
        SCOPED_TRACE(path.toStdString());
        LogCapture log;
        BookmarkParser parser;
        EXPECT_FALSE(parser.read(path));
        EXPECT_EQ(parser.errorString(), QStringLiteral("Cannot read file %1: (not a regular file)").arg(path));
    }
    QFile::remove(pipe);
}
