#pragma once

#include "vantor/model/ModelId.h"

#include <osg/NodeVisitor>
#include <osg/ref_ptr>

namespace Vantor {

class Model;

// Finds the first model with a given id at or below the node it is accepted by, hidden ones included.
class FindModelNodeVisitor : public osg::NodeVisitor
{
public:
    explicit FindModelNodeVisitor(osg::OSG_ID id);

    void apply(osg::Node& node) override;

    Model* getModel() const;
    osg::Node* getNode() const { return m_found.get(); }
    osg::OSG_ID getModelID() const { return m_id; }

private:
    osg::OSG_ID m_id;
    osg::ref_ptr<osg::Node> m_found;
};

} // namespace Vantor
