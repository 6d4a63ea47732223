#include "vantor/merge/ModelMergeCommand.h"

#include "vantor/merge/ModelMergePlan.h"
#include "vantor/util/StrUtil.h"

#include <cmath>

namespace Vantor {

ModelMergeCommand::ModelMergeCommand()
{
    setUndoable(false);
}

ModelMergeCommand::~ModelMergeCommand()
{
    m_stop = true;
    wait();
}

void ModelMergeCommand::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool ModelMergeCommand::Cancel()
{
    m_stop = true;
    return true;
}

bool ModelMergeCommand::Execute()
{
    if (m_running)
        return false;
    wait();
    // Read on the calling (GUI) thread: the structure may change as soon as it returns.
    auto plan = std::make_shared<ModelMergePlan>(m_node ? ModelMergePlan::fromNode(m_node.get(), m_mergeFaces)
                                                        : ModelMergePlan::fromSelection(m_nodes, m_mergeFaces));
    if (plan->entries.empty())
        return false;
    m_stop = false;
    m_running = true;
    std::shared_ptr<MergeListener> listener = m_listener;
    m_thread = std::thread([this, plan, listener] {
        if (listener)
            listener->onMergeBegin();
        int lastPercent = -1;
        auto progress = [&](std::size_t done, std::size_t total) {
            if (m_stop)
                return false;
            const int percent = total ? int(std::lround(100.0 * double(done) / double(total))) : 100;
            if (!listener || percent == lastPercent)
                return true;
            lastPercent = percent;
            std::string text = StrUtil::translate("ModelMergeCommand", "Merging models");
            float value = float(percent);
            bool cancel = false;
            listener->onMergeProgress(text, &value, &cancel);
            return !cancel;
        };
        bool stopped = false;
        MergeResultMap result = runMergePlan(*plan, progress, &stopped);
        if (listener) {
            if (stopped) {
                listener->onMergeStopped();
            } else {
                listener->onMergeResult(result);
                listener->onMergeEnd();
            }
        }
        m_running = false;
    });
    return true;
}

} // namespace Vantor
