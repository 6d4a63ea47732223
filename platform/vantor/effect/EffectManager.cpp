#include "vantor/effect/EffectManager.h"

#include <osg/PolygonMode>

#include <algorithm>

namespace Vantor {

EffectManager::EffectManager() = default;

EffectManager::EffectManager(const EffectManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , m_type(other.m_type)
{
}

EffectManager::~EffectManager() = default;

osg::Node* EffectManager::getEffectNode() const
{
    osg::ref_ptr<osg::Node> node;
    return m_node.lock(node) ? node.get() : nullptr;
}

void EffectManager::setEffectNode(osg::Node* node)
{
    if (node == getEffectNode())
        return;
    removeEffect();
    m_node = node;
    applyEffect();
    notify();
}

void EffectManager::setEffectType(int type)
{
    if (type < EFFECT_LINE || type > EFFECT_BLANKING)
        return;
    m_type = type;
    applyEffect();
    notify();
}

void EffectManager::clearEffect()
{
    removeEffect();
    m_node = nullptr;
    m_type = EFFECT_FLAT;
    notify();
}

void EffectManager::applyEffect()
{
    osg::Node* node = getEffectNode();
    if (!node)
        return;
    osg::StateSet* ss = node->getOrCreateStateSet();
    switch (m_type) {
    case EFFECT_LINE:
        ss->setAttributeAndModes(new osg::PolygonMode(osg::PolygonMode::FRONT_AND_BACK, osg::PolygonMode::LINE));
        break;
    case EFFECT_POINT:
        ss->setAttributeAndModes(new osg::PolygonMode(osg::PolygonMode::FRONT_AND_BACK, osg::PolygonMode::POINT));
        break;
    default:
        ss->removeAttribute(osg::StateAttribute::POLYGONMODE);
        break;
    }
}

void EffectManager::removeEffect()
{
    osg::Node* node = getEffectNode();
    if (node && node->getStateSet())
        node->getStateSet()->removeAttribute(osg::StateAttribute::POLYGONMODE);
}

void EffectManager::AddListener(osg::ref_ptr<EffectManagerListener> listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void EffectManager::RemoveListener(EffectManagerListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void EffectManager::notify()
{
    const auto listeners = m_listeners;
    for (const auto& l : listeners)
        l->onEffectChanged(this);
}

} // namespace Vantor
