#pragma once

#include <osg/Node>
#include <osg/ref_ptr>

namespace Vantor {

// A node that draws a selection and a pre-selection highlight over itself. The decorators visit the
// node's content again under their own state; the node only holds them and lets them draw.
class SelectEffect
{
public:
    virtual ~SelectEffect() = default;

    void setSelectDecortator(osg::Node* decorator) { m_selectDecorator = decorator; }
    osg::Node* getSelectDecortator() const { return m_selectDecorator.get(); }
    void setPreSelectDecortator(osg::Node* decorator) { m_preSelectDecorator = decorator; }
    osg::Node* getPreSelectDecortator() const { return m_preSelectDecorator.get(); }

protected:
    osg::ref_ptr<osg::Node> m_selectDecorator;
    osg::ref_ptr<osg::Node> m_preSelectDecorator;
};

} // namespace Vantor
