#pragma once

#include <osg/Group>
#include <osg/Referenced>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <vector>

namespace Vantor {

// How the model is drawn.
enum EffectType { EFFECT_LINE = 0, EFFECT_FLAT = 1, EFFECT_POINT = 2, EFFECT_BLANKING = 3 };

class EffectManager;

// Told after the effect state changed; kept alive by the manager.
class EffectManagerListener : public osg::Referenced
{
public:
    virtual void onEffectChanged(EffectManager* manager) = 0;
};

// Scene node that draws the model in a chosen mode (lines, flat faces, points, blanked). The mode is a
// polygon mode on the effect node's own state set, taken off again by clearEffect.
class EffectManager : public osg::Group
{
public:
    EffectManager();
    EffectManager(const EffectManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, EffectManager)

    // The node the effect applies to (the loaded model); null detaches.
    void setEffectNode(osg::Node* node);
    osg::Node* getEffectNode() const;

    // Values outside 0..3 are ignored.
    void setEffectType(int type);
    int getEffectType() const { return m_type; }

    // Takes the effect off the node and forgets the node; the type goes back to flat.
    void clearEffect();

    void AddListener(osg::ref_ptr<EffectManagerListener> listener);
    void RemoveListener(EffectManagerListener* listener);

protected:
    ~EffectManager() override;

private:
    void applyEffect();
    void removeEffect();
    void notify();

    osg::observer_ptr<osg::Node> m_node;
    int m_type = EFFECT_FLAT;
    std::vector<osg::ref_ptr<EffectManagerListener>> m_listeners;
};

} // namespace Vantor
