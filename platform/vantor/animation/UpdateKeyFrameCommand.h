#pragma once

#include "vantor/animation/AnimationKeyframe.h"
#include "vantor/command/Command.h"

#include <osg/ref_ptr>

#include <vector>

namespace Vantor {

class AnimationKeyFrameEditor;

// One undo step over keyframes: records their times and whether a track held them before and after
// a change (a move, a scale, a deletion), and puts either state back.
// Use: beginUpdateKeyFrameCommand(keys), change the keyframes, endUpdateKeyFrameCommand(keys), then run
// it through the command manager (its first Execute keeps what was done).
class UpdateKeyFrameCommand : public Command
{
public:
    UpdateKeyFrameCommand() = default;

    std::string Type() override { return "UpdateKeyFrameCommand"; }
    std::string Name() override { return "UpdateKeyFrameCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    void setAnimationEditor(osg::ref_ptr<AnimationKeyFrameEditor> editor) { m_editor = editor; }
    void beginUpdateKeyFrameCommand(const AnimationKeyframePtrList& keys);
    void endUpdateKeyFrameCommand(const AnimationKeyframePtrList& keys);
    bool empty() const { return m_entries.empty(); }

private:
    struct Entry
    {
        AnimationKeyframePtr key;
        osg::ref_ptr<AnimationTrack> beforeTrack, afterTrack;
        double beforeTime = 0.0, afterTime = 0.0;
    };
    void restore(bool after);

    osg::ref_ptr<AnimationKeyFrameEditor> m_editor;
    std::vector<Entry> m_entries;
};

} // namespace Vantor
