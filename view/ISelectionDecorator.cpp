#include "view/ISelectionDecorator.h"

ISelectionDecorator::ISelectionDecorator() = default;

ISelectionDecorator::ISelectionDecorator(const ISelectionDecorator& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop), m_enabled(other.m_enabled)
{
}

void ISelectionDecorator::setEnabled(bool enabled)
{
    m_enabled = enabled;
    setNodeMask(enabled ? ~0u : 0u);
}

void ISelectionDecorator::decorate(osg::Node* node)
{
    if (node)
        m_target = node;
}

void ISelectionDecorator::undecorate(osg::Node* node)
{
    if (node && m_target.get() == node)
        m_target = nullptr;
}

void ISelectionDecorator::preDecorate(osg::Node* node)
{
    decorate(node);
}

void ISelectionDecorator::unPreDecorate(osg::Node* node)
{
    undecorate(node);
}

DefaultSelectionDecorator::DefaultSelectionDecorator()
{
    setEnabled(true);
}

DefaultPreSelectionDecorator::DefaultPreSelectionDecorator()
{
    setEnabled(true);
}
