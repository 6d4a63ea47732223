#pragma once

#include <osg/BoundingBox>
#include <osg/Matrixd>
#include <osg/NodeVisitor>

// The world-space box of the drawables below a node, from each drawable's own bounding box. Hidden nodes
// (mask 0) and everything below them are not visited. The box starts empty: minima at the largest
// single-precision value and maxima at its negative.
class ExtentsVisitor : public osg::NodeVisitor
{
public:
    ExtentsVisitor();

    void apply(osg::Geode& geode) override;
    void apply(osg::Transform& transform) override;

    osg::BoundingBoxd getBoundingBox() const;

    double xMin, yMin, zMin;
    double xMax, yMax, zMax;
    osg::Matrixd currentMatrix;
};
