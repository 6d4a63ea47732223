#include <gtest/gtest.h>

#include "common/AppSettings.h"
#include "common/Language.h"
#include "support/TestSupport.h"
#include "vantor/util/LogHandler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <osg/Image>
#include <osgDB/WriteFile>

#include <cstdlib>
#include <cstring>

namespace {

QString translate(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

// Collects what the log handler emits while alive.
class LogCapture
{
public:
    LogCapture()
    {
        auto* log = Vantor::LogHandler::getInstance();
        m_level = log->messageLevel();
        log->setMessageLevel(Vantor::LOG_TRACE);
        log->startEmission(true);
        m_connection = QObject::connect(log, &Vantor::LogHandler::newMessage,
                                        [this](const QString& line) { m_lines << line; });
    }
    ~LogCapture()
    {
        QObject::disconnect(m_connection);
        Vantor::LogHandler::getInstance()->setMessageLevel(m_level);
    }
    QStringList lines(const QString& level) const
    {
        QStringList out;
        const QString tag = QStringLiteral("[%1] ").arg(level);
        for (const QString& l : m_lines) {
            const int at = l.indexOf(tag);
            if (at >= 0)
                out << l.mid(at + tag.size());
        }
        return out;
    }

private:
    QStringList m_lines;
    QMetaObject::Connection m_connection;
    int m_level = Vantor::LOG_INFO;
};

class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QString& value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_had = true;
            m_old = old;
        }
        setenv(name, value.toUtf8().constData(), 1);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.constData(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    QByteArray m_old;
};

void touch(const QString& path, const QByteArray& content = QByteArray("x"))
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// A translations folder holding the built Chinese and English files and a damaged one.
class LanguageFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* code : {"zh", "en"}) {
            const QString name = QStringLiteral("nerioviewer_%1.qm").arg(QLatin1String(code));
            ASSERT_TRUE(QFile::copy(QStringLiteral(NERIO_BIN_DIR "/lang/") + name, m_dir.filePath(name)))
                << "missing built translation " << name.toStdString();
        }
        touch(m_dir.filePath(QStringLiteral("nerioviewer_xx.qm")), QByteArray("not a translation file"));
        m_env.reset(new ScopedEnv("NERIOVIEWER_DATA", m_dir.path()));
    }
    void TearDown() override
    {
        removeAllTranslators(); // leaves no translator of ours behind
        m_env.reset();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ScopedEnv> m_env;
};

} // namespace

TEST(TranslationsPath, EnvironmentVariableComesFirstThenTheApplicationFolders)
{
    QTemporaryDir data;
    const QString appLang = QCoreApplication::applicationDirPath() + QStringLiteral("/lang");
    const bool madeAppLang = !QDir(appLang).exists() && QDir().mkdir(appLang);
    ASSERT_TRUE(QDir(appLang).exists());

    {
        ScopedEnv env("NERIOVIEWER_DATA", data.path());
        EXPECT_EQ(translationsPath(), data.path()); // even though <app>/lang exists
    }
    {
        ScopedEnv env("NERIOVIEWER_DATA", data.path() + QStringLiteral("/missing"));
        EXPECT_EQ(translationsPath(), appLang);
    }
    {
        ScopedEnv env("NERIOVIEWER_DATA", QString());
        EXPECT_EQ(translationsPath(), appLang);
    }
    if (madeAppLang)
        QDir().rmdir(appLang);
}

TEST(AvailableLanguages, ListsOnlyFilesNamedAfterTheApplication)
{
    QTemporaryDir dir;
    for (const char* name : {"nerioviewer_zh.qm", "nerioviewer_en.qm", "NerioViewer_fr.qm", "nerioviewer_de.qm.bak",
                             "xnerioviewer_it.qm", "nerioviewer_.qm", "nerioviewer_pt-BR.qm", "readme.txt"})
        touch(dir.filePath(QLatin1String(name)));
    QDir(dir.path()).mkdir(QStringLiteral("nerioviewer_ja.qm")); // a folder, not a file

    ScopedEnv env("NERIOVIEWER_DATA", dir.path());
    LogCapture log;
    const QMap<QString, QString> expected{{QStringLiteral("Chinese (zh)"), QStringLiteral("zh")},
                                          {QStringLiteral("English (en)"), QStringLiteral("en")}};
    EXPECT_EQ(availableLanguages(), expected);
    EXPECT_EQ(log.lines(QStringLiteral("Debug")), QStringList{QStringLiteral("translations path ") + dir.path()});
}

TEST_F(LanguageFixture, SwitchingReplacesThePreviousLanguage)
{
    const char* about = "关于 Nerio3d";
    LogCapture log;

    setLanguage(QStringLiteral("zh"));
    EXPECT_EQ(translate("QObject", "OSG viewer"), QStringLiteral("OSG 浏览器"));
    // The success line is logged with the new language already in place.
    EXPECT_EQ(log.lines(QStringLiteral("Debug")).value(1),
              QStringLiteral("已成功从 %1 载入数据").arg(QDir(m_dir.path()).filePath(QStringLiteral("nerioviewer_zh.qm"))));

    setLanguage(QStringLiteral("en"));
    EXPECT_EQ(translate("AboutDialogClass", about), QStringLiteral("About Nerio3d"));
    EXPECT_TRUE(log.lines(QStringLiteral("Warning")).isEmpty());

    setLanguage(QStringLiteral("fr"));
    EXPECT_EQ(translate("AboutDialogClass", about), QString::fromUtf8(about)) << "English still installed";
}

TEST_F(LanguageFixture, NoMatchingFileGivesExactlyTwoWarnings)
{
    struct Case
    {
        const char* code;
        bool failedLoad; // a matching file exists but is damaged
    };
    // "n" and "" would match "..._en.qm" or every file by a bare suffix test.
    for (const Case& c : {Case{"fr", false}, Case{"n", false}, Case{"", false}, Case{"xx", true}}) {
        SCOPED_TRACE(c.code);
        LogCapture log;
        setLanguage(QString::fromLatin1(c.code));
        const QStringList expected{
            QStringLiteral("No translation file found in (%1)").arg(QDir(m_dir.path()).absolutePath()),
            QStringLiteral("You can set a path to resources with the environment variable NERIOVIEWER_DATA")};
        EXPECT_EQ(log.lines(QStringLiteral("Warning")), expected);
        EXPECT_EQ(log.lines(QStringLiteral("Debug")).filter(QStringLiteral("failed to load data from")).size(),
                  c.failedLoad ? 1 : 0);
        EXPECT_EQ(translate("AboutDialogClass", "关于 Nerio3d"), QStringLiteral("关于 Nerio3d"));
        EXPECT_EQ(translate("QObject", "OSG viewer"), QStringLiteral("OSG viewer"));
    }
}

TEST_F(LanguageFixture, StartUpUsesTheStoredLanguage)
{
    {
        AppSettings settings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
        settings.setValue(QStringLiteral("Application/currentLanguage"), QStringLiteral("en"));
    }
    setupLanguage();
    EXPECT_EQ(translate("AboutDialogClass", "关于 Nerio3d"), QStringLiteral("About Nerio3d"));

    {
        AppSettings settings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
        settings.remove(QStringLiteral("Application/currentLanguage"));
    }
    // Nothing stored and the preferences' "Automatic detection" both take the system's language.
    for (const char* stored : {"", "auto"}) {
        {
            AppSettings settings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
            settings.setValue(QStringLiteral("Application/currentLanguage"), QString::fromLatin1(stored));
        }
        LogCapture log;
        setupLanguage();
        EXPECT_EQ(log.lines(QStringLiteral("Debug")).value(0),
                  QStringLiteral("setting language to : ") + QLocale::system().name().left(2))
            << stored;
    }
}

TEST_F(LanguageFixture, TheChineseStartUpTranslatorsStandInOnlyUnderChineseOrWithoutAFile)
{
    // What main installs first: the program's and Qt's Chinese texts.
    installStartupTranslators(QStringLiteral(NERIO_BIN_DIR));
    struct Case
    {
        const char* code;
        const char* cancel;    // a standard button, from Qt's own translation
        const char* structure; // a dock title of the program
    };
    const Case cases[] = {
        {"en", "Cancel", "Structure"}, // Chinese must not fill the gaps of English
        {"zh", "取消", "结构树"},
        {"xx", "取消", "结构树"}, // no file loads (a damaged one): the Chinese start stays
        {"en", "Cancel", "Structure"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        setLanguage(QString::fromLatin1(c.code));
        EXPECT_EQ(translate("QPlatformTheme", "Cancel").toStdString(), c.cancel);
        EXPECT_EQ(translate("MainWindow", "结构树").toStdString(), c.structure);
    }
    removeAllTranslators();
    EXPECT_EQ(translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

namespace {

osg::ref_ptr<osg::Image> makeImage(GLenum format, int components, const std::vector<unsigned char>& pixels,
                                   osg::Image::Origin origin = osg::Image::BOTTOM_LEFT)
{
    osg::ref_ptr<osg::Image> image = new osg::Image;
    image->allocateImage(2, 2, 1, format, GL_UNSIGNED_BYTE);
    std::memcpy(image->data(), pixels.data(), static_cast<std::size_t>(4 * components));
    image->setOrigin(origin);
    return image;
}

const std::vector<unsigned char> kRgba = {255, 0, 0, 255, 0, 255, 0, 128, // bottom row
                                          0, 0, 255, 255, 10, 20, 30, 0}; // top row

} // namespace

TEST(OsgImageToQImage, CopiesPixelsAndPutsTheBottomRowLast)
{
    const QImage q = osgImageToQImage(*makeImage(GL_RGBA, 4, kRgba));
    ASSERT_EQ(q.size(), QSize(2, 2));
    EXPECT_EQ(q.format(), QImage::Format_ARGB32);
    EXPECT_EQ(q.pixel(0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(q.pixel(1, 0), qRgba(10, 20, 30, 0));
    EXPECT_EQ(q.pixel(0, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(q.pixel(1, 1), qRgba(0, 255, 0, 128));

    // Blue and red swap places in BGRA; an image that already starts at the top is not flipped.
    const QImage bgra = osgImageToQImage(*makeImage(GL_BGRA, 4, kRgba, osg::Image::TOP_LEFT));
    EXPECT_EQ(bgra.pixel(0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(bgra.pixel(1, 1), qRgba(30, 20, 10, 0));
}

TEST(OsgImageToQImage, SamePictureAsThroughAPngFile)
{
    QTemporaryDir dir;
    const std::vector<unsigned char> rgb = {1, 2, 3, 40, 50, 60, 70, 80, 90, 200, 210, 220};
    const std::vector<unsigned char> grey = {0, 85, 170, 255};
    struct Case
    {
        const char* name;
        osg::ref_ptr<osg::Image> image;
    };
    for (const Case& c : {Case{"rgba", makeImage(GL_RGBA, 4, kRgba)}, Case{"rgb", makeImage(GL_RGB, 3, rgb)},
                          Case{"grey", makeImage(GL_LUMINANCE, 1, grey)}}) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QLatin1String(c.name) + QStringLiteral(".png"));
        ASSERT_TRUE(osgDB::writeImageFile(*c.image, path.toStdString()));
        const QImage viaFile(path);
        ASSERT_FALSE(viaFile.isNull());
        EXPECT_EQ(osgImageToQImage(*c.image), viaFile);
    }
}

TEST(OsgImageToQImage, UnsupportedImagesGiveANullImage)
{
    osg::ref_ptr<osg::Image> empty = new osg::Image;
    EXPECT_TRUE(osgImageToQImage(*empty).isNull());

    osg::ref_ptr<osg::Image> floats = new osg::Image;
    floats->allocateImage(2, 2, 1, GL_RGBA, GL_FLOAT);
    EXPECT_TRUE(osgImageToQImage(*floats).isNull());
}
