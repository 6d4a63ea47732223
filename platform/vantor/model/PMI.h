#pragma once

#include <osg/Group>

namespace Vantor {

// A product annotation (dimension, tolerance, note) read with the model; lives below its model.
class PMI : public osg::Group
{
public:
    PMI() = default;
    PMI(const PMI& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY) : osg::Group(other, copyop) {}
    META_Node(Vantor, PMI)

protected:
    ~PMI() override = default;
};

} // namespace Vantor
