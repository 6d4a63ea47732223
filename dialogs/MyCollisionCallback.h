#pragma once

#include "vantor/collision/CollisionCallback.h"

#include <functional>
#include <string>

class CollisionDialog;

// Carries one check's notifications from the thread that runs it to the interference dialog on the
// GUI thread. Everything crosses as a copy in a queued call, and a call that arrives after the dialog
// moved on to another check is dropped. Shared by the running check and the dialogs.
class MyCollisionCallback : public Vantor::CollisionCallback
{
public:
    MyCollisionCallback(CollisionDialog* dialog, int run);
    ~MyCollisionCallback() override;

    int run() const { return m_run; }

    void onResultsChanged() override;
    void onProgressReset() override;
    void onProgress() override;
    void onFinished() override;
    void onPairChecked(const std::string& first, const std::string& second) override;

    // Whole percent for a fraction done, rounded up: 0.421 gives 43.
    static int percentOf(float fraction);

private:
    // Runs the call on the dialog's thread (at once when already there) while the dialog's current
    // check is this one.
    void deliver(std::function<void(CollisionDialog*)> call);

    CollisionDialog* m_dialog; // outlives every check: the dialog joins its worker before it goes
    const int m_run;
};
