#include "vantor/animation/UpdateKeyFrameCommand.h"

#include "vantor/animation/AnimationKeyFrameEditor.h"

#include <algorithm>
#include <set>

namespace Vantor {

void UpdateKeyFrameCommand::beginUpdateKeyFrameCommand(const AnimationKeyframePtrList& keys)
{
    m_entries.clear();
    for (const auto& key : keys) {
        if (!key)
            continue;
        if (std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.key == key; }))
            continue;
        Entry e;
        e.key = key;
        e.beforeTrack = key->getTrack();
        e.beforeTime = e.afterTime = key->getTime();
        e.afterTrack = e.beforeTrack;
        m_entries.push_back(e);
    }
}

void UpdateKeyFrameCommand::endUpdateKeyFrameCommand(const AnimationKeyframePtrList& keys)
{
    for (Entry& e : m_entries) {
        e.afterTrack = e.key->getTrack();
        e.afterTime = e.key->getTime();
    }
    (void)keys;
}

void UpdateKeyFrameCommand::restore(bool after)
{
    std::set<AnimationTrack*> touched;
    for (Entry& e : m_entries) {
        AnimationTrack* want = after ? e.afterTrack.get() : e.beforeTrack.get();
        AnimationTrack* now = e.key->getTrack();
        e.key->setTime(after ? e.afterTime : e.beforeTime);
        if (now != want) {
            if (now)
                now->remove(e.key.get());
            if (want)
                want->add(e.key.get());
        }
        if (want)
            touched.insert(want);
    }
    for (AnimationTrack* track : touched)
        track->sort();
    if (m_editor.valid())
        m_editor->endCallUpdateKeyframe();
}

bool UpdateKeyFrameCommand::Execute()
{
    restore(true);
    return true;
}

bool UpdateKeyFrameCommand::Unexecute()
{
    restore(false);
    return true;
}

} // namespace Vantor
