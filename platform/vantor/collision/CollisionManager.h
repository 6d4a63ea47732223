#pragma once

#include <osg/Group>

namespace Vantor {

// Interference checking between parts.
class CollisionManager
{
public:
    virtual ~CollisionManager() = default;
};

// Scene node that marks interferences (it joins the view's scene group when made).
class CollisionInfoDecorator : public osg::Group
{
public:
    CollisionInfoDecorator() = default;
    CollisionInfoDecorator(const CollisionInfoDecorator& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : osg::Group(other, copyop)
    {
    }
    META_Node(Vantor, CollisionInfoDecorator)

protected:
    ~CollisionInfoDecorator() override = default;
};

} // namespace Vantor
