#pragma once

#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/Vec3d>
#include <osg/ref_ptr>
#include <osgGA/GUIEventAdapter>
#include <osgViewer/View>

#include <string>

namespace Vantor {

// A picked feature of a part in world coordinates: a point; a line (a point on it and its direction);
// a face (a point on it and its outward normal, and whether it is flat where it was picked).
struct AlignFeature
{
    enum Kind { Point, Line, Face };
    Kind kind = Point;
    osg::Vec3d point;
    osg::Vec3d direction; // line: unit direction; face: unit normal
    bool planar = true;
    osg::ref_ptr<osg::MatrixTransform> model; // the part the feature belongs to
};

// Picks a feature of the given kind under the event on the view's model; false when nothing was hit.
// Points snap to a corner of the hit triangle near the cursor, lines to the nearest edge of the hit
// body (its drawn edges, else the triangle's own), faces take the hit triangle's plane.
bool pickAlignFeature(osgViewer::View* view, const osgGA::GUIEventAdapter& ea, AlignFeature::Kind kind,
                      AlignFeature& feature);

// The world motion (rotation about the moving feature, then translation) that brings the moving feature
// onto the fixed one: points coincide; lines become collinear (the smaller turn); faces coplanar and
// facing each other; a line lies in the face. False, with a refusal text (local 8-bit bytes), for
// features that cannot be aligned (a face that is not flat, a line standing upright on the face, zero
// directions); the matrix is then left alone. A motion with a NaN is never returned.
bool computeAlignment(const AlignFeature& moving, const AlignFeature& fixed, osg::Matrixd& worldMotion,
                      std::string& refusal);

} // namespace Vantor
