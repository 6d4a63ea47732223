#include "common/AppSettings.h"
#include "app/CommandLine.h"
#include "app/CrashHandler.h"
#include "common/Language.h"
#include "app/MainWindow.h"
#include "app/StartupFlags.h"

#include "osgqt/GraphicsWindowQt.h"
#include "vantor/command/Command.h"
#include "vantor/util/LogHandler.h"

#include <osg/DisplaySettings>
#include <osgDB/Registry>

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QStyleFactory>
#include <QTranslator>

namespace {

// "--help" must work where there is no display: it is answered before any GUI object exists.
bool helpRequested(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return scanCommandLine(arguments).help;
}

int printHelp(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString appDir = QCoreApplication::applicationDirPath();
    QTranslator appTranslator;
    appTranslator.load(appDir + "/nerio3dviewer_zh.qm", QString(), QString(), QString());
    QCoreApplication::installTranslator(&appTranslator);
    printUsage();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (helpRequested(argc, argv))
        return printHelp(argc, argv);
    QList<QByteArray> rawArguments; // as the process got them, before Qt takes its own out
    for (int i = 1; i < argc; ++i)
        rawArguments << QByteArray(argv[i]);

    Q_INIT_RESOURCE(VantorViewer);
    installCrashHandler();
    installTerminationHandler();

    QApplication app(argc, argv);
    const QString appDir = QCoreApplication::applicationDirPath();
    Vantor::Command::AppPath = appDir.toStdString();

    installStartupTranslators(appDir);

    AppSettings settings("Nerio3dViewer", "NerioViewer");
    settings.beginGroup("Application");
    settings.beginGroup("Log");
    const QString logDirectory =
        settings.value("logDirectory", QString::fromStdString(Vantor::Command::AppPath)).toString();
    settings.endGroup();
    settings.endGroup();

    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    log->setLogToFile(false);
    log->m_logToFile = false;
    log->setLogDirectory(logDirectory);
    log->setMessageLevel(2);

    osgDB::FilePathList& paths = osgDB::Registry::instance()->getDataFilePathList();
    for (const QString& p : {appDir, appDir + "/data/", appDir + "/../data/", appDir + "/../../data/",
                             QStringLiteral("/usr/local/share/nerio3d/data/"), QStringLiteral("/usr/share/nerio3d/data/")})
        paths.push_back(p.toStdString());

    // A requested reset comes before the language, so a reset run does not use the old language.
    const StartupOptions options = scanCommandLine(QCoreApplication::arguments());
    settings.beginGroup("Application");
    const bool storedReset = settings.value("resetConfig", false).toBool();
    settings.endGroup();
    if (storedReset || options.resetConfig) {
        settings.clear();
        settings.sync();
    }

    setupLanguage();
    QApplication::setStyle(QStyleFactory::create("fusion"));
    osgQt::GLWidget::initDefaultFormat();
    // NERIO_MULTISAMPLE=on|off overrides the choice by renderer (smooth on hardware GL only).
    osgQt::GLWidget::setMultisampling(osgQt::GLWidget::multisamplingFromText(qEnvironmentVariable("NERIO_MULTISAMPLE")));

    showTreeDockAtStart = options.showTreeDock;
    showViewDockAtStart = options.showViewDock;

    osg::DisplaySettings::instance()->setNumMultiSamples(8);

    MainWindow window;
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app, &QCoreApplication::quit);
    if (options.embedded) {
        window.setWindowTitle(options.embeddedTitle);
        window.setOcxMode();
        window.listenForHost(options.embeddedTitle); // the host finds the viewer by this title
    }
    window.show();
    const QString fileProblem = startupFileProblem(options, rawArguments);
    if (!fileProblem.isEmpty())
        window.reportStartupProblem(fileProblem);
    window.loadFile(options.filePath);
    return app.exec();
}
