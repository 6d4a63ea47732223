#include "vantor/collision/CollisionCallback.h"

#include <algorithm>

namespace Vantor {

CollisionCallback::CollisionCallback() = default;
CollisionCallback::~CollisionCallback() = default;

void CollisionCallback::UpdateProcess()
{
    m_reportedProgress = m_progress.load();
}

float CollisionCallback::GetProcess() const
{
    return m_reportedProgress;
}

bool CollisionCallback::IsCompleted() const
{
    return m_completed;
}

void CollisionCallback::Stop()
{
    m_stop = true;
}

bool CollisionCallback::IsStopped() const
{
    return m_stop;
}

std::shared_ptr<CollisionInfoList> CollisionCallback::GetResults() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::make_shared<CollisionInfoList>(m_results);
}

void CollisionCallback::beginRun()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_results.clear();
    }
    m_completed = false;
    m_progress = 0.0f;
}

void CollisionCallback::setProgress(float fraction)
{
    m_progress = std::clamp(fraction, 0.0f, 1.0f);
}

void CollisionCallback::addResult(const CollisionInfo& info)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_results.push_back(info);
}

void CollisionCallback::setResults(CollisionInfoList results)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_results = std::move(results);
}

void CollisionCallback::endRun(bool completed)
{
    if (completed)
        m_progress = 1.0f;
    m_completed = completed;
}

} // namespace Vantor
