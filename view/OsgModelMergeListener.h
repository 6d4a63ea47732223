#pragma once

#include "vantor/merge/MergeListener.h"

#include <QMetaType>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

// A merge result as it crosses from the merge's thread: an owned copy, shared read-only.
using MergeResultPtr = std::shared_ptr<const Vantor::MergeResultMap>;
Q_DECLARE_METATYPE(MergeResultPtr)

// The scene view's merge listener: turns the merge's notifications (on the merge's thread) into
// signals (queued to the GUI thread) and carries the user's cancel back to the merge.
class OsgModelMergeListener : public QObject, public Vantor::MergeListener
{
    Q_OBJECT
public:
    explicit OsgModelMergeListener(QObject* parent = nullptr);

    void onMergeResult(Vantor::MergeResultMap& result) override;
    void onMergeBegin() override;
    void onMergeProgress(std::string& text, float* value, bool* cancel) override;
    void onMergeEnd() override;
    void onMergeStopped() override;

    bool isCancelled() const { return m_cancelled.load(); }

signals:
    void Progressdata(QString text, float value);
    void ProgressShown(bool shown);
    // Every completed merge delivers its result, also when a cancel came too late to stop it.
    void onMergeModelSignal(MergeResultPtr result);

public slots:
    void Cancel();
    // The receiver applied the result; nothing is kept here, the slot stays for the wiring.
    void onClear() {}

private:
    std::atomic<bool> m_cancelled{false};
};
