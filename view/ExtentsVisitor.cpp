#include "view/ExtentsVisitor.h"

#include <osg/Geode>
#include <osg/Transform>

#include <algorithm>
#include <cfloat>

namespace {
const double kEmptyMin = double(FLT_MAX);
} // namespace

ExtentsVisitor::ExtentsVisitor()
    : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN)
    , xMin(kEmptyMin)
    , yMin(kEmptyMin)
    , zMin(kEmptyMin)
    , xMax(-kEmptyMin)
    , yMax(-kEmptyMin)
    , zMax(-kEmptyMin)
{
    setNodeMaskOverride(0);
}

osg::BoundingBoxd ExtentsVisitor::getBoundingBox() const
{
    return osg::BoundingBoxd(xMin, yMin, zMin, xMax, yMax, zMax);
}

void ExtentsVisitor::apply(osg::Geode& geode)
{
    osg::BoundingBoxd local(kEmptyMin, kEmptyMin, kEmptyMin, -kEmptyMin, -kEmptyMin, -kEmptyMin);
    for (unsigned int i = 0; i < geode.getNumDrawables(); ++i) {
        // The drawable's own box: the cube around its bounding sphere would make a flat plate look
        // as deep as it is long.
        const osg::BoundingBox bb = geode.getDrawable(i)->getBoundingBox();
        if (bb.valid() && bb.radius() > 1e-5)
            local.expandBy(osg::BoundingBoxd(osg::Vec3d(bb._min), osg::Vec3d(bb._max)));
    }
    // A geode without a measurable drawable adds nothing; transforming its empty box would widen the
    // result to the largest float.
    if (local.valid()) {
        osg::BoundingBoxd world(kEmptyMin, kEmptyMin, kEmptyMin, -kEmptyMin, -kEmptyMin, -kEmptyMin);
        for (unsigned int corner = 0; corner < 8; ++corner) {
            osg::Vec3d p = local.corner(corner) * currentMatrix;
            p.set(double(float(p.x())), double(float(p.y())), double(float(p.z())));
            world.expandBy(p);
        }
        if (world.valid()) {
            xMin = std::min(xMin, world.xMin());
            yMin = std::min(yMin, world.yMin());
            zMin = std::min(zMin, world.zMin());
            xMax = std::max(xMax, world.xMax());
            yMax = std::max(yMax, world.yMax());
            zMax = std::max(zMax, world.zMax());
        }
    }
    traverse(geode);
}

void ExtentsVisitor::apply(osg::Transform& transform)
{
    const osg::Matrixd saved = currentMatrix;
    osg::Matrix m(currentMatrix);
    transform.computeLocalToWorldMatrix(m, this);
    currentMatrix = m;
    traverse(transform);
    currentMatrix = saved;
}
