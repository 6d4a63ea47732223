#pragma once

#include <osg/Geode>

namespace Vantor {

// The geometry of one body of a model: a geode whose drawables are the body's faces and edges.
// Its parent is the model that owns it.
class Body : public osg::Geode
{
public:
    Body() = default;
    Body(const Body& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY) : osg::Geode(other, copyop) {}
    META_Node(Vantor, Body)

    static bool isBody(const osg::Object* object) { return dynamic_cast<const Body*>(object) != nullptr; }

protected:
    ~Body() override = default;
};

} // namespace Vantor
