#include "vantor/assembly/AssemblyManager.h"

#include <algorithm>

namespace Vantor {

AssemblyManager::AssemblyManager() = default;

AssemblyManager::AssemblyManager(const AssemblyManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
{
}

AssemblyManager::~AssemblyManager() = default;

void AssemblyManager::AddAssemblyListener(const std::shared_ptr<AssemblyManagerListener>& listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void AssemblyManager::RemoveAssemblyListener(const std::shared_ptr<AssemblyManagerListener>& listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void AssemblyManager::notifyAssemblyCreated(osg::Node* node, const QModelIndex& parent)
{
    forEach([&](AssemblyManagerListener& l) { l.onAssemblyCreated(this, node, parent); });
}

void AssemblyManager::notifyNodeAdded(osg::Node* node, const QModelIndex& parent)
{
    forEach([&](AssemblyManagerListener& l) { l.onNodeAdded(this, node, parent); });
}

void AssemblyManager::notifyAssembliesChanged()
{
    forEach([&](AssemblyManagerListener& l) { l.onAssembliesChanged(this); });
}

void AssemblyManager::notifyModelAdded(osg::Node* node)
{
    forEach([&](AssemblyManagerListener& l) { l.onModelAdded(this, node); });
}

} // namespace Vantor
