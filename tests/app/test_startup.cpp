#include "app/CommandLine.h"
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

struct ScanCase
{
    const char* name;
    QStringList args; // without the program path
    bool help;
    bool reset;
    bool embedded;
    QString title;
    QString file;
    bool tree;
    bool view;
};

} // namespace

TEST(CommandLine, ScanTable)
{
    const ScanCase cases[] = {
        {"no arguments", {}, false, false, false, "", "", true, true},
        {"help stops the scan", {"--reset-config", "--help", "a.dazo"}, true, true, false, "", "", true, true},
        {"ocx title with .dazo is no file", {"--ocx", "Demo.dazo"}, false, false, true, "Demo.dazo", "", true, true},
        {"last model argument wins", {"a.dazo", "b.DAZO"}, false, false, false, "", "b.DAZO", true, true},
        {"liteprt names the model", {"part.liteprt"}, false, false, false, "", "part.liteprt", true, true},
        {"LITEPRT upper case", {"PART.LITEPRT"}, false, false, false, "", "PART.LITEPRT", true, true},
        {"a backup of a model is no model", {"x.dazo.bak"}, false, false, false, "", "", true, true},
        {"a folder path is no model", {"models.dazo/"}, false, false, false, "", "", true, true},
        {"a model inside a folder named like one", {"old.dazo/part.DAZO"}, false, false, false, "", "old.dazo/part.DAZO", true, true},
        {"tree false hides the tree", {"--tree", "false"}, false, false, false, "", "", false, true},
        {"view off", {"--view", "OFF"}, false, false, false, "", "", true, false},
        {"view yes", {"--view", "yes"}, false, false, false, "", "", true, true},
        {"value option last is ignored", {"--view"}, false, false, false, "", "", true, true},
        {"value beginning with -- is consumed", {"--tree", "--help"}, false, false, false, "", "", false, true},
        {"valueless options consume their value", {"--log", "x.dazo", "--property", "1", "--statistics", "0"},
         false, false, false, "", "", true, true},
        {"reset flag", {"--reset-config"}, false, true, false, "", "", true, true},
        {"unknown ignored", {"--bogus", "foo"}, false, false, false, "", "", true, true},
        {"ocx last is ignored", {"--ocx"}, false, false, false, "", "", true, true},
    };
    for (const ScanCase& c : cases) {
        const StartupOptions o = scanCommandLine(QStringList{"prog"} + c.args);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(o.help, c.help);
        EXPECT_EQ(o.resetConfig, c.reset);
        EXPECT_EQ(o.embedded, c.embedded);
        EXPECT_EQ(o.embeddedTitle, c.title);
        EXPECT_EQ(o.filePath, c.file);
        EXPECT_EQ(o.showTreeDock, c.tree);
        EXPECT_EQ(o.showViewDock, c.view);
    }
}

TEST(CommandLine, UsageHasEightLinesWithAlignedDescriptions)
{
    const QStringList lines = usageLines("/x/Nerio3d");
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[2], "Usage: /x/Nerio3d [options] filename");
    EXPECT_EQ(lines[5].indexOf('-', 3), 24); // the description dash stands in column 25
    EXPECT_EQ(lines[6].indexOf(" - "), 23);
}

TEST(CommandLine, HelpRunsAsChildAndExitsZero)
{
    QProcess p;
    p.start(QStringLiteral(NERIO_BIN_DIR "/Nerio3d"), {"--help"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    // Eight lines, each ended by a newline.
    ASSERT_EQ(lines.size(), 9);
    // The Chinese start-up translation beside the program is always installed.
    EXPECT_EQ(lines[1], QStringLiteral("OSG 浏览器"));
    EXPECT_EQ(lines[4], "Following options are known:");
    EXPECT_TRUE(lines[6].startsWith(" --reset-config"));
}

// The benchmark reads these lines: the first frame, the renderer, the moment the read model is set and
// the first frame that shows it, then one line per drawn frame.
TEST(CommandLine, FrameStatsTellTheFirstFrameWithTheModel)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs an X display";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NERIO_FRAME_STATS", "1");
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(NERIO_BIN_DIR "/Nerio3d"), {QStringLiteral(NERIO_BIN_DIR "/Samples/Pin.dazo")});
    ASSERT_TRUE(p.waitForStarted(30000));
    QStringList events;
    QString buffered;
    int framesAfterModel = 0;
    while (framesAfterModel < 2 && p.state() == QProcess::Running && p.waitForReadyRead(60000)) {
        buffered += QString::fromUtf8(p.readAllStandardOutput());
        int end;
        while ((end = buffered.indexOf('\n')) >= 0) {
            const QString line = buffered.left(end);
            buffered.remove(0, end + 1);
            if (!line.startsWith("nerio-frame-stats: "))
                continue;
            const QString word = line.section(' ', 1, 1);
            if (word == "frame") {
                if (events.contains("first-model-frame"))
                    ++framesAfterModel;
                EXPECT_TRUE(line.contains(" dt ")) << line.toStdString();
            } else {
                events << word;
            }
            if (word == "renderer") { // the view asks for 8 samples; the choice depends on the GL
                EXPECT_TRUE(line.contains("of 8 requested")) << line.toStdString();
            }
            if (word == "camera") { // eye, rotation and field of view, all numbers
                const QStringList parts = line.split(' ');
                ASSERT_EQ(parts.size(), 13) << line.toStdString();
                for (int i : {3, 4, 5, 7, 8, 9, 10, 12}) {
                    bool ok = false;
                    parts[i].toDouble(&ok);
                    EXPECT_TRUE(ok) << line.toStdString();
                }
            }
        }
    }
    p.kill();
    p.waitForFinished(10000);
    // A small model may be read before the first frame is on screen.
    ASSERT_EQ(events.size(), 5) << events.join(' ').toStdString();
    EXPECT_EQ(events.indexOf("renderer"), events.indexOf("first-frame") + 1);
    EXPECT_LT(events.indexOf("model-set"), events.indexOf("first-model-frame"));
    EXPECT_EQ(events.indexOf("camera"), events.indexOf("first-model-frame") + 1);
    EXPECT_EQ(framesAfterModel, 2);
}

TEST(MainWindowFrame, DpiScaleSteps)
{
    const std::pair<double, double> table[] = {{96, 1.0}, {105, 1.0}, {120, 1.25}, {144, 1.5},
                                               {168, 1.75}, {192, 2.0}, {288, 2.0}};
    for (auto [dpi, scale] : table)
        EXPECT_DOUBLE_EQ(MainWindow::scaleForDpi(dpi), scale) << dpi;
}

class ActionWindow : public MainWindow
{
public:
    QAction* add(const QString& key)
    {
        auto* a = new QAction(key, this);
        a->setCheckable(true);
        m_actionMap.insert(key, a);
        return a;
    }
};

TEST(MainWindowFrame, RoamModeAndPerspectiveCallbacks)
{
    ActionWindow w;
    QAction* roam = w.add("Roam_Roam");
    QAction* obstacles = w.add("Roam_Obstacles");
    QAction* third = w.add("Roam_Thirdperson");
    QAction* persp = w.add("Basic_Perspective");
    EXPECT_EQ(w.getAction("Roam_Missing"), nullptr);

    w.onRoamModeChanged(3);
    EXPECT_TRUE(roam->isChecked());
    EXPECT_TRUE(obstacles->isEnabled());
    obstacles->setChecked(true);
    w.onRoamModeChanged(0);
    EXPECT_FALSE(roam->isChecked());
    EXPECT_FALSE(obstacles->isChecked());
    EXPECT_FALSE(obstacles->isEnabled());
    EXPECT_FALSE(third->isEnabled());

    int slotRuns = 0;
    QObject::connect(persp, &QAction::toggled, [&] { ++slotRuns; });
    w.onPerspectiveCameraChanged(false); // became parallel
    EXPECT_TRUE(persp->isChecked());
    w.onPerspectiveCameraChanged(true);
    EXPECT_FALSE(persp->isChecked());
    EXPECT_EQ(slotRuns, 0);
}

namespace {
QString errorLine(const QString& output)
{
    for (const QString& line : output.split('\n'))
        if (line.contains(QLatin1String("[Error]")))
            return line;
    return QString();
}
} // namespace

// A model named on the command line that cannot be opened: the window says what failed instead of
// staying empty without a word. The name's bytes are not UTF-8, so only a shell can pass them.
TEST(CommandLine, FileThatCannotBeOpenedIsReported)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs an X display";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray folder = QFile::encodeName(home.path());
    // "模型" in GBK: a name a Windows machine wrote, not UTF-8.
    const QByteArray gbkName = folder + "/\xc4\xa3\xd0\xcd.dazo";
    {
        QFile sample(QStringLiteral(NERIO_BIN_DIR "/Samples/Pin.dazo"));
        ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
        const QByteArray bytes = sample.readAll();
        FILE* f = std::fopen(gbkName.constData(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), f);
        std::fclose(f);
    }
    const struct {
        const char* name;
        QString shellArgument; // printf format of the argument
        QString says; // in the error line, whatever the language
    } cases[] = {
        {"name not in the system's encoding", QStringLiteral("%s/\\304\\243\\320\\315.dazo"), QStringLiteral("\uFFFD.dazo")},
        {"missing file", QStringLiteral("%s/missing.dazo"), QStringLiteral("missing.dazo")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
        env.insert("NERIO_FOLDER", home.path());
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("/bin/sh"),
                {"-c", QStringLiteral("exec \"$0\" \"$(printf '%1' \"$NERIO_FOLDER\")\"").arg(c.shellArgument),
                 QStringLiteral(NERIO_BIN_DIR "/Nerio3d")});
        ASSERT_TRUE(p.waitForStarted(30000));
        QString output;
        const bool said = QTest::qWaitFor(
            [&] {
                p.waitForReadyRead(100);
                output += QString::fromLocal8Bit(p.readAll());
                return errorLine(output).contains(c.says) || p.state() != QProcess::Running;
            },
            60000);
        p.kill();
        p.waitForFinished(10000);
        EXPECT_TRUE(said && errorLine(output).contains(c.says)) << output.toStdString();
    }
    ::unlink(gbkName.constData()); // a name Qt cannot read back is not removed with the folder
}
