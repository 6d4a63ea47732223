#pragma once

#include <QList>
#include <QObject>

class QThread;

// Process-wide set of Qt worker threads. It queues nothing itself: a caller takes a thread and
// moves a QObject onto it; that thread's event loop then runs the object's queued slots.
class ThreadPool : public QObject
{
    Q_OBJECT
public:
    static ThreadPool* getInstance();
    ~ThreadPool() override;

    QThread* getThread();
    // Asks every running thread to quit and waits up to 1000 ms for each.
    void stop();

    int threadCount() const { return threads.size(); }

private:
    ThreadPool();

    QList<QThread*> threads;
    static bool s_created;
    static ThreadPool* s_instance;
};
