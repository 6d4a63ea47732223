#pragma once

#include "vantor/collision/CollisionInfo.h"

#include <osg/Group>
#include <osg/Uniform>
#include <osg/Vec4d>

namespace Vantor {

// Scene node that shows interference results: the two parts of a result drawn again in the pair
// colour over the model, and the result's points as dots in the point colour that stay visible
// through the geometry. It hangs beside the model (the view's scene group), draws in world
// coordinates and is never hit by picking. The parts are not re-parented.
class CollisionInfoDecorator : public osg::Group
{
public:
    CollisionInfoDecorator();
    CollisionInfoDecorator(const CollisionInfoDecorator& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, CollisionInfoDecorator)

    // Shows one result. The part nodes are placed along their parent path through root (the first
    // path when none passes through it). keepShown adds to what is shown instead of replacing it.
    void Decorator(CollisionInfo& info, osg::ref_ptr<osg::Node> root, bool keepShown);
    // Shows nothing.
    void Clear();

    // Colours as red, green, blue, alpha in 0..1.
    void SettCollisionpairColor(const osg::Vec4d& colour);
    void SettContactPointColor(const osg::Vec4d& colour);
    osg::Vec4d getCollisionpairColor() const { return m_pairColour; }
    osg::Vec4d getContactPointColor() const { return m_pointColour; }

    // The parts shown now, in the order given.
    std::vector<osg::ref_ptr<osg::Node>> shownNodes() const;
    // The points shown now (world coordinates).
    std::vector<osg::Vec3f> shownPoints() const;

    void traverse(osg::NodeVisitor& nv) override;

protected:
    ~CollisionInfoDecorator() override;

private:
    void buildStates();

    osg::Vec4d m_pairColour;
    osg::Vec4d m_pointColour;
    osg::ref_ptr<osg::Uniform> m_pairUniform;
    osg::ref_ptr<osg::Uniform> m_pointUniform;
    osg::ref_ptr<osg::StateSet> m_pairState;
    osg::ref_ptr<osg::StateSet> m_pointState;
};

} // namespace Vantor
