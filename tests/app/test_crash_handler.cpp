#include <gtest/gtest.h>

#include "app/CrashMessage.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct ChildResult
{
    bool started = false;
    int status = 0;
};

// Runs a copy of the crashing child from its own folder, so its dump lands in <folder>/dump.
ChildResult runChild(const QString& program, const QString& mode, bool withMessage)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "NERIO_CRASH_NO_MESSAGE=", 23) != 0)
            env.emplace_back(*e);
    }
    if (!withMessage)
        env.emplace_back("NERIO_CRASH_NO_MESSAGE=1");
    std::vector<char*> envp;
    for (auto& s : env)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    const QByteArray path = program.toUtf8();
    const QByteArray arg = mode.toUtf8();
    char* argv[] = {const_cast<char*>(path.constData()), const_cast<char*>(arg.constData()), nullptr};
    ChildResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, envp.data()) != 0)
        return result;
    result.started = waitpid(pid, &result.status, 0) == pid;
    return result;
}

QString copyChild(const QTemporaryDir& dir)
{
    const QString target = dir.filePath(QStringLiteral("crash_child"));
    if (!QFile::copy(QStringLiteral(NERIO_CRASH_CHILD), target))
        return QString();
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner);
    return target;
}

QString lineValue(const QString& text, const QString& key)
{
    const QRegularExpression re(QStringLiteral("^%1: (\\S+)").arg(QRegularExpression::escape(key)),
                                QRegularExpression::MultilineOption);
    return re.match(text).captured(1);
}

} // namespace

struct CrashCase
{
    const char* mode;
    int signal;
    const char* signalName;
    const char* code;
};

class CrashDump : public ::testing::TestWithParam<CrashCase>
{
};

TEST_P(CrashDump, ChildWritesOneDumpAndDiesOfTheSignal)
{
    const CrashCase c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString child = copyChild(dir);
    ASSERT_FALSE(child.isEmpty());

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const ChildResult r = runChild(child, QString::fromLatin1(c.mode), false);
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    ASSERT_TRUE(r.started);
    ASSERT_TRUE(WIFSIGNALED(r.status)) << "exit status " << r.status;
    EXPECT_EQ(WTERMSIG(r.status), c.signal);

    const QStringList dumps = QDir(dir.filePath(QStringLiteral("dump"))).entryList(QDir::Files);
    ASSERT_EQ(dumps.size(), 1) << dumps.join(QLatin1Char(' ')).toStdString();
    const QString name = dumps.first();
    ASSERT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}-\\d{6}\\.dmp$")).match(name).hasMatch()) << name.toStdString();
    const QDateTime stamp = QDateTime::fromString(name.left(15), QStringLiteral("yyyyMMdd-HHmmss"));
    EXPECT_TRUE(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after) << name.toStdString();

    QFile f(dir.filePath(QStringLiteral("dump/") + name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(lineValue(text, QStringLiteral("Signal")), QString::fromLatin1(c.signalName));
    EXPECT_EQ(lineValue(text, QStringLiteral("Code")), QString::fromLatin1(c.code));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{%1}$").arg(2 * sizeof(void*)))
                    .match(lineValue(text, QStringLiteral("Address")))
                    .hasMatch());
    const int backtrace = text.indexOf(QStringLiteral("\nBacktrace:\n"));
    const int maps = text.indexOf(QStringLiteral("\nMemory map:\n"));
    ASSERT_GT(backtrace, 0);
    ASSERT_GT(maps, backtrace);
    EXPECT_TRUE(text.mid(backtrace, maps - backtrace).contains(QStringLiteral("crash_child")));
    EXPECT_TRUE(text.mid(maps).contains(child)) << "memory map lacks the program";
}

INSTANTIATE_TEST_SUITE_P(
    Signals, CrashDump,
    ::testing::Values(CrashCase{"segv", SIGSEGV, "SIGSEGV", "c0000005"},
                      CrashCase{"segv-no-dump-dir", SIGSEGV, "SIGSEGV", "c0000005"},
                      CrashCase{"thread", SIGSEGV, "SIGSEGV", "c0000005"},
                      CrashCase{"overflow", SIGSEGV, "SIGSEGV", "c0000005"},
                      CrashCase{"fpe", SIGFPE, "SIGFPE", "c0000094"},
                      CrashCase{"trap", SIGILL, "SIGILL", "c000001d"},
                      CrashCase{"abort", SIGABRT, "SIGABRT", "c0000409"}),
    [](const ::testing::TestParamInfo<CrashCase>& info) {
        std::string n = info.param.mode;
        for (char& ch : n)
            if (ch == '-')
                ch = '_';
        return n;
    });

TEST(CrashDump, NullDereferenceFaultsAtAddressZero)
{
    QTemporaryDir dir;
    const QString child = copyChild(dir);
    ASSERT_TRUE(runChild(child, QStringLiteral("segv"), false).started);
    const QStringList dumps = QDir(dir.filePath(QStringLiteral("dump"))).entryList(QDir::Files);
    ASSERT_EQ(dumps.size(), 1);
    QFile f(dir.filePath(QStringLiteral("dump/") + dumps.first()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(lineValue(QString::fromUtf8(f.readAll()), QStringLiteral("Fault address")),
              QString(2 * sizeof(void*), QLatin1Char('0')));
}

TEST(CrashDump, StartsTheMessageProgramWithCodeAndAddress)
{
    QTemporaryDir dir;
    const QString child = copyChild(dir);
    ASSERT_FALSE(child.isEmpty());
    // A stand-in for the message program that only records its arguments.
    const QString message = dir.filePath(QStringLiteral("nerio-crash-message"));
    {
        QFile script(message);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/message-args.tmp\"\n"
                     "mv \"$(dirname \"$0\")/message-args.tmp\" \"$(dirname \"$0\")/message-args\"\n");
    }
    QFile::setPermissions(message, QFile::permissions(message) | QFileDevice::ExeOwner);

    const ChildResult r = runChild(child, QStringLiteral("segv"), true);
    ASSERT_TRUE(r.started);
    EXPECT_TRUE(WIFSIGNALED(r.status) && WTERMSIG(r.status) == SIGSEGV);

    // The message runs on its own after the crashed program is gone.
    QFile args(dir.filePath(QStringLiteral("message-args")));
    (void)QTest::qWaitFor([&] { return args.exists(); }, 10000);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly)) << "message program was not started";
    const QStringList words = QString::fromUtf8(args.readAll()).simplified().split(QLatin1Char(' '));

    const QStringList dumps = QDir(dir.filePath(QStringLiteral("dump"))).entryList(QDir::Files);
    ASSERT_EQ(dumps.size(), 1);
    QFile f(dir.filePath(QStringLiteral("dump/") + dumps.first()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString dump = QString::fromUtf8(f.readAll());
    EXPECT_EQ(words, (QStringList{QStringLiteral("c0000005"), lineValue(dump, QStringLiteral("Address"))}));
}

TEST(CrashMessage, SpeaksTheLanguageTheProgramStartsIn)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("lang")));
    const QString english = folder.filePath(QStringLiteral("lang/nerioviewer_en.qm"));
    QFile(english).open(QIODevice::WriteOnly);
    QFile(folder.filePath(QStringLiteral("lang/nerioviewer_zh.qm"))).open(QIODevice::WriteOnly);
    struct Case
    {
        const char* stored;
        QString file;
    };
    const Case cases[] = {
        {"en", english},
        {"zh", QString()}, // the texts' own language
        {"fr", QString()}, // no file: Chinese, as the program falls back
    };
    for (const Case& c : cases) {
        QSettings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"))
            .setValue(QStringLiteral("Application/currentLanguage"), QString::fromLatin1(c.stored));
        EXPECT_EQ(crashMessageTranslation(folder.path()).toStdString(), c.file.toStdString()) << c.stored;
    }
    QSettings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer")).remove(QStringLiteral("Application"));
}

TEST(CrashMessage, TextCarriesCodeAndAddress)
{
    EXPECT_EQ(crashMessageTitle(), QStringLiteral("程序意外崩溃"));
    EXPECT_EQ(crashMessageText(QStringLiteral("c0000005"), QStringLiteral("00007f0012345678")),
              QStringLiteral("<FONT size=2><div><b>对于发生的错误，表示诚挚的歉意。</b><br/></div>"
                             "<div>错误代码：c0000005</div><div>错误地址：00007f0012345678</div></FONT>"));
    // Arguments come from a command line: they must not be able to add markup.
    const QString hostile = crashMessageText(QStringLiteral("<img src=x>"), QStringLiteral("a&b"));
    EXPECT_FALSE(hostile.contains(QStringLiteral("<img")));
    EXPECT_TRUE(hostile.contains(QStringLiteral("错误代码：&lt;img src=x&gt;")));
    EXPECT_TRUE(hostile.contains(QStringLiteral("错误地址：a&amp;b")));
}
