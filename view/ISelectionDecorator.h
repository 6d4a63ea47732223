#pragma once

#include <osg/Group>
#include <osg/StateSet>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

// Highlight of a decorated node. Pending: the highlight state and the drawing of the target; for
// now a decorator only remembers its target and switches itself through its node mask.
class ISelectionDecorator : public osg::Group
{
public:
    ISelectionDecorator();
    ISelectionDecorator(const ISelectionDecorator& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);

    const char* libraryName() const override { return "Vantor"; }
    const char* className() const override { return "ISelectionDecorator"; }

    virtual void setEnabled(bool enabled);
    virtual bool isEnabled() const { return m_enabled; }
    virtual void decorate(osg::Node* node);
    virtual void undecorate(osg::Node* node);
    virtual void preDecorate(osg::Node* node);
    virtual void unPreDecorate(osg::Node* node);

    osg::Node* getTarget() const { return m_target.get(); }

protected:
    ~ISelectionDecorator() override = default;

    osg::observer_ptr<osg::Node> m_target;
    bool m_enabled = false;
    osg::ref_ptr<osg::StateSet> m_decoratorState;
};

class DefaultSelectionDecorator : public ISelectionDecorator
{
public:
    DefaultSelectionDecorator();
    DefaultSelectionDecorator(const DefaultSelectionDecorator& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : ISelectionDecorator(other, copyop)
    {
    }
    osg::Object* cloneType() const override { return new DefaultSelectionDecorator; }
    osg::Object* clone(const osg::CopyOp& copyop) const override { return new DefaultSelectionDecorator(*this, copyop); }
};

class DefaultPreSelectionDecorator : public ISelectionDecorator
{
public:
    DefaultPreSelectionDecorator();
    DefaultPreSelectionDecorator(const DefaultPreSelectionDecorator& other,
                                 const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : ISelectionDecorator(other, copyop)
    {
    }
    osg::Object* cloneType() const override { return new DefaultPreSelectionDecorator; }
    osg::Object* clone(const osg::CopyOp& copyop) const override { return new DefaultPreSelectionDecorator(*this, copyop); }
};
