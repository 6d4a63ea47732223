#include "app/ThreadPool.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QThread>

bool ThreadPool::s_created = false;
ThreadPool* ThreadPool::s_instance = nullptr;

ThreadPool* ThreadPool::getInstance()
{
    if (!s_created) {
        s_instance = new ThreadPool();
        s_created = true;
    }
    return s_instance;
}

ThreadPool::ThreadPool() : QObject(nullptr)
{
    for (int i = 0; i < QThread::idealThreadCount(); ++i) {
        auto* thread = new QThread();
        threads.append(thread);
        qDebug("ThreadPool: start thread %d ", i);
        thread->start(QThread::InheritPriority);
    }
    if (threads.isEmpty()) { // idealThreadCount() may answer -1 where it cannot tell
        auto* thread = new QThread();
        threads.append(thread);
        qDebug("ThreadPool: start thread %d ", 0);
        thread->start(QThread::InheritPriority);
    }
}

ThreadPool::~ThreadPool()
{
    s_created = false;
}

QThread* ThreadPool::getThread()
{
    const int r = int(QRandomGenerator::global()->bounded(quint32(threads.size())));
    qDebug("send thread %d to caller", r);
    QThread* thread = threads.at(r);
    // A thread ended by stop() would never run the slots of an object moved onto it.
    if (!thread->isRunning())
        thread->start(QThread::InheritPriority);
    return thread;
}

void ThreadPool::stop()
{
    for (QThread* thread : threads) {
        if (thread->isRunning()) {
            thread->quit();
            thread->wait(1000);
        }
    }
}
