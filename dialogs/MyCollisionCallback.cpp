#include "dialogs/MyCollisionCallback.h"

#include "dialogs/CollisionDialog.h"

#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <cmath>

MyCollisionCallback::MyCollisionCallback(CollisionDialog* dialog, int run) : m_dialog(dialog), m_run(run) {}

MyCollisionCallback::~MyCollisionCallback() = default;

int MyCollisionCallback::percentOf(float fraction)
{
    // The small margin keeps a float just above a whole percent (0.43f) from rounding up past it.
    const double percent = std::ceil(double(fraction) * 100.0 - 1e-3);
    return std::clamp(static_cast<int>(percent), 0, 100);
}

void MyCollisionCallback::deliver(std::function<void(CollisionDialog*)> call)
{
    if (!m_dialog)
        return;
    CollisionDialog* dialog = m_dialog;
    const int run = m_run;
    auto guarded = [dialog, run, call] {
        if (dialog->currentRun() == run)
            call(dialog);
    };
    if (QThread::currentThread() == dialog->thread())
        guarded();
    else
        QMetaObject::invokeMethod(dialog, guarded, Qt::QueuedConnection);
}

void MyCollisionCallback::onResultsChanged()
{
    std::shared_ptr<const Vantor::CollisionInfoList> results = GetResults();
    deliver([results](CollisionDialog* dialog) { dialog->refreshResults(results); });
}

void MyCollisionCallback::onProgressReset()
{
    deliver([](CollisionDialog* dialog) { emit dialog->updateProcess(0); });
}

void MyCollisionCallback::onProgress()
{
    UpdateProcess();
    const int percent = percentOf(GetProcess());
    deliver([percent](CollisionDialog* dialog) { emit dialog->updateProcess(percent); });
}

void MyCollisionCallback::onFinished()
{
    deliver([](CollisionDialog* dialog) { emit dialog->hideCancelDialog(); });
}

void MyCollisionCallback::onPairChecked(const std::string& first, const std::string& second)
{
    const QString a = QString::fromLocal8Bit(first.c_str());
    const QString b = QString::fromLocal8Bit(second.c_str());
    deliver([a, b](CollisionDialog* dialog) { emit dialog->UpdateCollisonPair(a, b); });
}
