#pragma once

#include "vantor/collision/CollisionInfo.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace Vantor {

// The link between one check and whoever started it. The component calls the notifications on the
// thread that runs the check; everything else here may be called from any thread: the stop flag is
// atomic and the results are handed out as copies taken under a lock.
class CollisionCallback
{
public:
    CollisionCallback();
    virtual ~CollisionCallback();

    // The results changed (the check also raises it once at its end, before onFinished).
    virtual void onResultsChanged() {}
    // A run starts: progress back to 0.
    virtual void onProgressReset() {}
    // Progress moved on; UpdateProcess then GetProcess reads it.
    virtual void onProgress() {}
    // The run ended, finished or stopped: the last notification of every run.
    virtual void onFinished() {}
    // The names of the pair being checked (bytes as the nodes carry them).
    virtual void onPairChecked(const std::string& first, const std::string& second) {}

    // Takes the component's latest progress, so GetProcess returns it.
    void UpdateProcess();
    // Fraction done (0 to 1) as of the last UpdateProcess.
    float GetProcess() const;
    // The last run went through to its end without being stopped.
    bool IsCompleted() const;

    // Asks the running check to stop soon; it still ends with onFinished.
    void Stop();
    bool IsStopped() const;

    // A copy of the current results, in the order found (sorted by pair when the run completes).
    std::shared_ptr<CollisionInfoList> GetResults() const;

    // Driven by the component.
    void beginRun();
    void setProgress(float fraction);
    void addResult(const CollisionInfo& info);
    void setResults(CollisionInfoList results);
    void endRun(bool completed);

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_completed{false};
    std::atomic<float> m_progress{0.0f};
    std::atomic<float> m_reportedProgress{0.0f};
    mutable std::mutex m_mutex;
    CollisionInfoList m_results;
};

} // namespace Vantor
