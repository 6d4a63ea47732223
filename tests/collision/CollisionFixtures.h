#pragma once

// Small parts made the way the reader makes them (a model holding a body of triangles), placed under
// one assembly model.

#include "vantor/model/Body.h"
#include "vantor/model/Model.h"

#include <osg/Geometry>
#include <osg/Group>
#include <osg/Matrixd>

#include <cmath>
#include <string>

namespace collision_test {

// A closed box from min to max, triangles facing outwards.
inline osg::ref_ptr<osg::Geometry> boxGeometry(const osg::Vec3& min, const osg::Vec3& max)
{
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry;
    auto* v = new osg::Vec3Array;
    for (int i = 0; i < 8; ++i)
        v->push_back(osg::Vec3((i & 1) ? max.x() : min.x(), (i & 2) ? max.y() : min.y(), (i & 4) ? max.z() : min.z()));
    geometry->setVertexArray(v);
    const GLushort faces[36] = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                                2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
    geometry->addPrimitiveSet(new osg::DrawElementsUShort(GL_TRIANGLES, 36, faces));
    return geometry;
}

// A closed cylinder along z with its axis through (cx, cy), from z0 to z1.
inline osg::ref_ptr<osg::Geometry> cylinderGeometry(float cx, float cy, float radius, float z0, float z1, int segments)
{
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry;
    auto* v = new osg::Vec3Array;
    for (int i = 0; i < segments; ++i) {
        const double a = 2.0 * M_PI * i / segments;
        const float x = cx + radius * float(std::cos(a)), y = cy + radius * float(std::sin(a));
        v->push_back(osg::Vec3(x, y, z0));
        v->push_back(osg::Vec3(x, y, z1));
    }
    v->push_back(osg::Vec3(cx, cy, z0));
    v->push_back(osg::Vec3(cx, cy, z1));
    geometry->setVertexArray(v);
    auto* elements = new osg::DrawElementsUInt(GL_TRIANGLES);
    const unsigned bottom = 2 * segments, top = bottom + 1;
    for (int i = 0; i < segments; ++i) {
        const unsigned j = (i + 1) % segments;
        for (unsigned index : {2u * i, 2 * j, 2u * i + 1, 2 * j, 2 * j + 1, 2u * i + 1, bottom, 2 * j, 2u * i, top,
                               2u * i + 1, 2 * j + 1})
            elements->push_back(index);
    }
    geometry->addPrimitiveSet(elements);
    return geometry;
}

inline osg::ref_ptr<Vantor::Model> part(const std::string& name, osg::Geometry* geometry,
                                        const osg::Matrixd& placement = osg::Matrixd())
{
    osg::ref_ptr<Vantor::Model> model = new Vantor::Model;
    model->setName(name);
    model->setMatrix(placement);
    osg::ref_ptr<Vantor::Body> body = new Vantor::Body;
    body->addDrawable(geometry);
    model->addChild(body.get());
    return model;
}

inline osg::ref_ptr<Vantor::Model> boxPart(const std::string& name, const osg::Vec3& min, const osg::Vec3& max)
{
    return part(name, boxGeometry(min, max).get());
}

} // namespace collision_test
