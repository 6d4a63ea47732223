#pragma once

#include <osg/Group>

namespace Vantor {

// Scene node of the key-frame editor (it joins the view's scene group when made).
class AnimationKeyFrameEditor : public osg::Group
{
public:
    AnimationKeyFrameEditor() = default;
    AnimationKeyFrameEditor(const AnimationKeyFrameEditor& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : osg::Group(other, copyop)
    {
    }
    META_Node(Vantor, AnimationKeyFrameEditor)

protected:
    ~AnimationKeyFrameEditor() override = default;
};

// Plays and stores animations.
class AnimationManager
{
public:
    virtual ~AnimationManager() = default;
};

} // namespace Vantor
