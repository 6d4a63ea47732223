#pragma once

#include <osg/Group>
#include <osg/Material>
#include <osg/StateSet>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

// Highlight of a decorated node: while the node is drawn, the decorator visits the node's content a
// second time under its own state set. The node (a Vantor::SelectEffect) holds the decorator that
// applies to it; the decorator holds the node only weakly, so a deleted node leaves it without a target.
// Intersection visitors are never let through, so a highlight is never picked.
class ISelectionDecorator : public osg::Group
{
public:
    ISelectionDecorator();
    // A copy has no target and no highlight state of its own; its owner hands it one
    // (the selection manager gives every clone the template's state set).
    ISelectionDecorator(const ISelectionDecorator& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);

    const char* libraryName() const override { return "Vantor"; }
    const char* className() const override { return "ISelectionDecorator"; }

    // Shows or hides the highlight through the node mask.
    virtual void setEnabled(bool enabled);
    virtual bool isEnabled() const { return m_enabled; }
    // Select-effect nodes only; other nodes are left alone.
    virtual void decorate(osg::Node* node);
    virtual void undecorate(osg::Node* node);
    virtual void preDecorate(osg::Node* node);
    virtual void unPreDecorate(osg::Node* node);

    void traverse(osg::NodeVisitor& nv) override;

    osg::Node* getTarget() const { return m_target.get(); }
    osg::StateSet* getDecoratorState() const { return m_decoratorState.get(); }
    // Installs the highlight state, also as the group's own state set.
    void setDecoratorState(osg::StateSet* state);

    // Names of the uniforms of the highlight program (see makeHighlightState).
    static const char* const ColorUniform;
    static const char* const LitUniform;

protected:
    ~ISelectionDecorator() override = default;

    // The highlight state shared by both kinds: material of the colour, overriding program that
    // ignores vertex colours, blend, no depth test, filled stippled polygons, render bin 17.
    static osg::ref_ptr<osg::StateSet> makeHighlightState(const osg::Vec4& color, bool keepLighting,
                                                          osg::ref_ptr<osg::Material>& material);

    osg::observer_ptr<osg::Node> m_target;
    bool m_enabled = false;
    osg::ref_ptr<osg::StateSet> m_decoratorState;
};

// Red, unlit, untextured highlight of the selected nodes.
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

    // The highlight colour is the material's diffuse colour (null on clones).
    osg::Material* getMaterial() const { return m_material.get(); }

protected:
    ~DefaultSelectionDecorator() override = default;

private:
    osg::ref_ptr<osg::Material> m_material;
};

// Green highlight of the hovered node; keeps the shading of the lights.
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

    osg::Material* getMaterial() const { return m_material.get(); }

protected:
    ~DefaultPreSelectionDecorator() override = default;

private:
    osg::ref_ptr<osg::Material> m_material;
};
