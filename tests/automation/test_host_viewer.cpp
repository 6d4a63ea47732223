#include "hostchannel/CopyDataChannel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

// The whole road through the real program: a viewer started for embedding is found by its title
// and answers a request through the main window's entry point.
TEST(HostViewer, EmbeddedViewerAnswersTheHostToolByTitle)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs the X display of test.sh";
    const QString title = QStringLiteral("Viewer Demo %1").arg(QCoreApplication::applicationPid());
    const QString socket = CopyDataChannel::socketPathForTitle(title);

    QProcess viewer;
    viewer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    viewer.start(QStringLiteral(NERIO_BIN_DIR "/Nerio3d"), {"--ocx", title});
    ASSERT_TRUE(viewer.waitForStarted(10000));
    (void)QTest::qWaitFor([&] { return QFileInfo::exists(socket) || viewer.state() != QProcess::Running; }, 15000);
    ASSERT_TRUE(QFileInfo::exists(socket)) << "the viewer did not open " << socket.toStdString();

    QProcess host;
    host.start(QStringLiteral(NERIO_BIN_DIR "/nerio-host"), {"--title", title, "ChildrenModelMsg", "0", "12 407 "});
    ASSERT_TRUE(host.waitForFinished(30000));
    const QString out = QString::fromUtf8(host.readAllStandardOutput());
    EXPECT_EQ(host.exitCode(), 0) << out.toStdString() << host.readAllStandardError().toStdString();
    // No model is loaded: the request comes back handled, once, with the empty list.
    EXPECT_TRUE(out.contains("reply ChildrenModelMsg type=16 handled=1 needsReply=0\n  modelId=0\n"
                             "  idList=\"\"\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("replies 1\n")) << out.toStdString();

    viewer.terminate();
    if (!viewer.waitForFinished(5000)) {
        viewer.kill();
        viewer.waitForFinished(5000);
    }
}
