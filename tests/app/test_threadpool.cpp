#include "app/ThreadPool.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

namespace {
QStringList g_debugLines;
void captureDebug(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtDebugMsg)
        g_debugLines << msg;
}
} // namespace

TEST(ThreadPool, OneRunningThreadPerCoreAndEachHandOutNamesItsIndex)
{
    ThreadPool* pool = ThreadPool::getInstance();
    EXPECT_EQ(pool, ThreadPool::getInstance());
    EXPECT_EQ(pool->threadCount(), std::max(1, QThread::idealThreadCount()));

    qInstallMessageHandler(captureDebug);
    for (int i = 0; i < 20; ++i) {
        g_debugLines.clear();
        QThread* t = pool->getThread();
        ASSERT_EQ(g_debugLines.size(), 1);
        const int index = g_debugLines[0].section(' ', 2, 2).toInt();
        EXPECT_EQ(g_debugLines[0], QString("send thread %1 to caller").arg(index));
        EXPECT_TRUE(t->isRunning());
        EXPECT_NE(t, QThread::currentThread());
    }
    qInstallMessageHandler(nullptr);

    pool->stop();
    QElapsedTimer timer;
    timer.start();
    pool->stop(); // already ended: returns at once
    EXPECT_LT(timer.elapsed(), 500);
    // A thread handed out after stop() runs again, so an object moved onto it is served.
    QThread* t = pool->getThread();
    EXPECT_TRUE(t->isRunning());
    pool->stop();
}
