#include "vantor/model/PropertiesManager.h"

#include "vantor/util/NodeSearch.h"

#include <osg/StateSet>

namespace Vantor {

PropertiesManager::PropertiesManager() { setName("PropertiesManager"); }

PropertiesManager::PropertiesManager(const PropertiesManager& other, const osg::CopyOp& copyop)
    : osg::Node(other, copyop), m_entries(other.m_entries)
{
}

PropertiesManager::~PropertiesManager() = default;

osg::ref_ptr<PropertiesManager> PropertiesManager::GetPropertiesManager(osg::ref_ptr<osg::Node> node)
{
    return breadthFirstFindOf<PropertiesManager>(node.get());
}

void PropertiesManager::recordModelProperties(osg::ref_ptr<Model> model, bool recursive)
{
    if (model.valid())
        record(model.get(), recursive, false);
}

void PropertiesManager::updateModelProperties(osg::ref_ptr<Model> model, bool recursive)
{
    if (model.valid())
        record(model.get(), recursive, true);
}

void PropertiesManager::clearModelProperties() { m_entries.clear(); }

void PropertiesManager::record(Model* model, bool recursive, bool overwrite)
{
    Model::NodeList models;
    if (recursive)
        Model::getAllChildrenModels(model, models);
    else
        models.push_back(model);
    for (const auto& node : models) {
        auto* m = static_cast<Model*>(node.get());
        auto it = m_entries.find(m);
        // An address may be reused by a new model after the old one was deleted.
        const bool stale = it != m_entries.end() && !it->second.node.valid();
        if (it != m_entries.end() && !overwrite && !stale)
            continue;
        Entry entry;
        entry.node = m;
        entry.properties.matrix = m->getMatrix();
        entry.properties.color = m->getColor();
        entry.properties.transparent = m->getTransparent();
        entry.properties.ownMaterial =
            m->getStateSet() && m->getStateSet()->getAttribute(osg::StateAttribute::MATERIAL) != nullptr;
        if (it != m_entries.end() && !stale) {
            entry.properties.hasDraggerLocation = it->second.properties.hasDraggerLocation;
            entry.properties.draggerLocation = it->second.properties.draggerLocation;
        }
        m_entries[m] = entry;
    }
}

const PropertiesManager::Entry* PropertiesManager::find(const osg::Node* node) const
{
    auto it = m_entries.find(node);
    if (it == m_entries.end() || !it->second.node.valid())
        return nullptr;
    return &it->second;
}

bool PropertiesManager::getModelProperties(const osg::Node* model, ModelProperties& properties) const
{
    const Entry* entry = find(model);
    if (!entry)
        return false;
    properties = entry->properties;
    return true;
}

bool PropertiesManager::hasModelProperties(const osg::Node* model) const { return find(model) != nullptr; }

void PropertiesManager::setNodeDraggerLocation(osg::observer_ptr<osg::Node> node, const osg::Matrixd& location)
{
    osg::ref_ptr<osg::Node> target;
    if (!node.lock(target))
        return;
    if (!find(target.get())) {
        if (auto* model = dynamic_cast<Model*>(target.get()))
            record(model, false, true);
        else
            m_entries[target.get()] = Entry{target.get(), ModelProperties{}};
    }
    Entry& entry = m_entries[target.get()];
    entry.properties.hasDraggerLocation = true;
    entry.properties.draggerLocation = location;
}

bool PropertiesManager::resetNodeDraggerLocation(osg::observer_ptr<osg::Node> node)
{
    osg::ref_ptr<osg::Node> target;
    if (!node.lock(target))
        return false;
    auto it = m_entries.find(target.get());
    if (it == m_entries.end() || !it->second.node.valid())
        return false;
    it->second.properties.hasDraggerLocation = false;
    it->second.properties.draggerLocation.makeIdentity();
    return true;
}

} // namespace Vantor
