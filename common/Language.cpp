#include "common/Language.h"

#include "common/AppSettings.h"
#include "vantor/util/LogHandler.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

#include <osg/Image>

namespace {

const QString kApplicationName = QStringLiteral("NerioViewer");

QString dataVariableName()
{
    return QStringLiteral("%1_DATA").arg(kApplicationName.toUpper());
}

// Translators installed by setLanguage; replaced as a whole on the next switch.
QList<QTranslator*>& languageTranslators()
{
    static QList<QTranslator*> translators;
    return translators;
}

// The Chinese translators of the start (the program's Chinese file and Qt's Chinese texts).
QList<QTranslator*>& startupTranslators()
{
    static QList<QTranslator*> translators;
    return translators;
}

void removeTranslators(QList<QTranslator*>& translators)
{
    for (QTranslator* translator : translators) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translators.clear();
}

void removeLanguageTranslators()
{
    removeTranslators(languageTranslators());
}

void installLanguageTranslator(QTranslator* translator)
{
    QCoreApplication::installTranslator(translator);
    languageTranslators().append(translator);
}

} // namespace

QString translationsPath()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QString::fromLocal8Bit(qgetenv(dataVariableName().toLatin1().constData())),
        appDir + QStringLiteral("/lang"),
        appDir + QStringLiteral("/../lang"),
        appDir + QStringLiteral("/../../lang"),
    };
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && QDir(candidate).exists())
            return candidate;
    }
    return QString();
}

QMap<QString, QString> availableLanguages()
{
    QMap<QString, QString> languages;
    QDir dir(translationsPath());
    const QRegularExpression pattern(QStringLiteral("^%1_(\\w+)\\.qm$").arg(kApplicationName.toLower()));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    Vantor::LogHandler::getInstance()->reportDebug(QObject::tr("translations path %1").arg(dir.path()));
    for (const QString& file : files) {
        const QRegularExpressionMatch match = pattern.match(file);
        if (!match.hasMatch())
            continue;
        const QString code = match.captured(1);
        const QString display = QStringLiteral("%1 (%2)").arg(QLocale::languageToString(QLocale(code).language()), code);
        languages[display] = code;
    }
    return languages;
}

void installStartupTranslators(const QString& directory)
{
    removeTranslators(startupTranslators());
    for (const char* name : {"nerio3dviewer_zh.qm", "qt_zh_CN.qm"}) {
        auto* translator = new QTranslator;
        translator->load(directory + QLatin1Char('/') + QLatin1String(name), QString(), QString(), QString());
        QCoreApplication::installTranslator(translator);
        startupTranslators().append(translator);
    }
}

void removeAllTranslators()
{
    removeLanguageTranslators();
    removeTranslators(startupTranslators());
}

void setupLanguage()
{
    AppSettings settings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
    settings.beginGroup(QStringLiteral("Application"));
    const QString stored = settings.value(QStringLiteral("currentLanguage"), QString()).toString();
    settings.endGroup();
    // "auto" is the preferences' automatic detection: the system's language, as when nothing is stored.
    if (!stored.isEmpty() && stored != QLatin1String("auto")) {
        setLanguage(stored);
        return;
    }
    const QString system = QLocale::system().name().left(2);
    if (!system.isEmpty())
        setLanguage(system);
}

void setLanguage(const QString& code)
{
    auto* log = Vantor::LogHandler::getInstance();
    log->reportDebug(QObject::tr("setting language to : %1").arg(code));

    // A switch replaces the previous language; stacking them would let old texts shine through.
    removeLanguageTranslators();

    auto* qtTranslator = new QTranslator;
    if (!qtTranslator->load(QStringLiteral("qt_") + code, QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        delete qtTranslator;
        qtTranslator = nullptr;
    }

    // The code must follow an underscore: "n" must not pick up "..._en.qm", nor "" every file.
    const QString suffix = QStringLiteral("_") + code + QStringLiteral(".qm");
    QDir dir(translationsPath());
    const QStringList files = dir.entryList(QDir::Files | QDir::Readable, QDir::Unsorted);
    QTranslator* appTranslator = nullptr;
    QString loadedPath;
    for (const QString& name : files) {
        if (!name.endsWith(suffix))
            continue;
        const QString path = dir.filePath(name);
        auto* translator = new QTranslator;
        if (translator->load(path)) {
            appTranslator = translator;
            loadedPath = path;
            break;
        }
        delete translator;
        log->reportDebug(QObject::tr("failed to load data from %1").arg(path));
    }

    // The start-up translators are Chinese. They stay behind the Chinese file and stand in where no file
    // of the language loaded; under any other language they would fill its gaps (Qt's own buttons and
    // dialogs among them) with Chinese. Behind the language's own translators they are consulted last.
    const bool keepStartup = !appTranslator || code == QLatin1String("zh");
    for (QTranslator* translator : qAsConst(startupTranslators())) {
        QCoreApplication::removeTranslator(translator);
        if (keepStartup)
            QCoreApplication::installTranslator(translator);
    }
    if (qtTranslator)
        installLanguageTranslator(qtTranslator);
    if (appTranslator) {
        installLanguageTranslator(appTranslator);
        log->reportDebug(QObject::tr("successfully loaded data from %1").arg(loadedPath));
    } else {
        log->reportWarning(QObject::tr("No translation file found in (%1)").arg(dir.absolutePath()));
        log->reportWarning(QObject::tr("You can set a path to resources with the environment variable %1")
                               .arg(dataVariableName()));
    }
}

QImage osgImageToQImage(const osg::Image& image)
{
    const int width = image.s();
    const int height = image.t();
    if (width <= 0 || height <= 0 || !image.data() || image.getDataType() != GL_UNSIGNED_BYTE)
        return QImage();

    const GLenum format = image.getPixelFormat();
    QImage::Format target;
    switch (format) {
    case GL_RGBA:
    case GL_BGRA:
    case GL_LUMINANCE_ALPHA:
        target = QImage::Format_ARGB32;
        break;
    case GL_RGB:
    case GL_BGR:
        target = QImage::Format_RGB32;
        break;
    case GL_LUMINANCE:
        target = QImage::Format_Grayscale8;
        break;
    default:
        return QImage();
    }

    QImage result(width, height, target);
    if (result.isNull())
        return QImage(); // too large to allocate

    // Scene-graph images usually start at the bottom row; Qt images start at the top.
    const bool flip = image.getOrigin() == osg::Image::BOTTOM_LEFT;
    for (int y = 0; y < height; ++y) {
        const unsigned char* src = image.data(0, static_cast<unsigned>(flip ? height - 1 - y : y));
        uchar* line = result.scanLine(y);
        auto* rgb = reinterpret_cast<QRgb*>(line);
        for (int x = 0; x < width; ++x) {
            switch (format) {
            case GL_RGBA: rgb[x] = qRgba(src[4 * x], src[4 * x + 1], src[4 * x + 2], src[4 * x + 3]); break;
            case GL_BGRA: rgb[x] = qRgba(src[4 * x + 2], src[4 * x + 1], src[4 * x], src[4 * x + 3]); break;
            case GL_RGB: rgb[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]); break;
            case GL_BGR: rgb[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            case GL_LUMINANCE_ALPHA: rgb[x] = qRgba(src[2 * x], src[2 * x], src[2 * x], src[2 * x + 1]); break;
            default: line[x] = src[x]; break; // GL_LUMINANCE
            }
        }
    }
    return result;
}
