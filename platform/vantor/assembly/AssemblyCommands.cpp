#include "vantor/assembly/AssemblyCommands.h"

#include "vantor/math/NodeMatrix.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"

#include <osg/MatrixTransform>

#include <algorithm>

namespace Vantor {

namespace {

Model* modelOf(osg::Node* node) { return dynamic_cast<Model*>(node); }

osg::Matrixd matrixOf(const osg::Node* node)
{
    const auto* t = dynamic_cast<const osg::MatrixTransform*>(node);
    return t ? t->getMatrix() : osg::Matrixd();
}

void setMatrix(osg::Node* node, const osg::Matrixd& matrix)
{
    if (auto* t = dynamic_cast<osg::MatrixTransform*>(node))
        t->setMatrix(matrix);
}

// The place of a node that an assembly command may move: its first parent must be a model.
bool placeOf(osg::Node* node, AssemblyPlace& place)
{
    if (!node || node->getNumParents() == 0 || !Model::isModel(node->getParent(0)))
        return false;
    place.node = node;
    place.parent = node->getParent(0);
    place.index = place.parent->getChildIndex(node);
    place.matrix = matrixOf(node);
    return true;
}

void putBack(const AssemblyPlace& place)
{
    setMatrix(place.node.get(), place.matrix);
    place.parent->insertChild(std::min(place.index, place.parent->getNumChildren()), place.node.get());
}

void takeOut(const AssemblyPlace& place)
{
    place.parent->removeChild(place.node.get());
}

// Nodes whose ancestor is also listed go with it; they are left out so no node moves twice.
std::vector<osg::ref_ptr<osg::Node>> topLevel(const std::vector<osg::ref_ptr<osg::Node>>& nodes)
{
    std::vector<osg::ref_ptr<osg::Node>> top;
    for (const auto& node : nodes) {
        if (!node.valid() || std::find(top.begin(), top.end(), node) != top.end())
            continue;
        bool below = false;
        for (const auto& other : nodes)
            below = below || (other != node && other.valid() && node->getNumParents() &&
                              AssemblyCommand::isAncestorOf(other.get(), node->getParent(0)));
        if (!below)
            top.push_back(node);
    }
    return top;
}

void report(const char* text) { LogHandler::getInstance()->reportError(std::string(text)); }

} // namespace

bool CreateAssemblyCommand::Execute()
{
    Model* parent = modelOf(m_target.get());
    if (!parent) {
        report("Create assembly: the row is not a model");
        return false;
    }
    if (!m_created) {
        m_created = new Model;
        m_created->setName("Assembly");
    }
    parent->addChild(m_created.get());
    if (AssemblyManager* manager = assemblyManager()) {
        // The first time the new row opens for its name; a redo only shows it again.
        if (!m_done)
            manager->notifyAssemblyCreated(m_created.get(), m_targetIndex);
        else
            manager->notifyAssembliesChanged();
    }
    m_done = true;
    return true;
}

bool CreateAssemblyCommand::Unexecute()
{
    Model* parent = modelOf(m_target.get());
    if (!parent || !m_created || !parent->removeChild(m_created.get()))
        return false;
    notifyChanged();
    return true;
}

bool DeleteAssemblyCommand::Execute()
{
    if (!placeOf(m_target.get(), m_place)) {
        report("Delete: the row is not a part of the model (the top model stays)");
        return false;
    }
    takeOut(m_place);
    notifyChanged();
    return true;
}

bool DeleteAssemblyCommand::Unexecute()
{
    if (!m_place.node)
        return false;
    putBack(m_place);
    notifyChanged();
    return true;
}

bool CopyAssemblyCommand::Execute()
{
    AssemblyManager* manager = assemblyManager();
    if (!manager) {
        report("Copy: no assembly manager");
        return false;
    }
    AssemblyManager::Clipboard entries;
    std::vector<AssemblyPlace> places;
    for (const auto& node : topLevel(m_nodes)) {
        AssemblyPlace place;
        if (!placeOf(node.get(), place))
            continue; // the top model and nodes outside the model
        entries.push_back({node, worldMatrixOf(node.get()), m_type == CopeType_Cut});
        places.push_back(place);
    }
    if (entries.empty())
        return false;
    m_before = manager->getClipboard();
    m_removed.clear();
    if (m_type == CopeType_Cut) {
        // Indexes are recorded before anything moves; undo puts them back in reverse order.
        for (const AssemblyPlace& place : places)
            takeOut(place);
        m_removed = places;
    }
    manager->setClipboard(entries);
    if (!m_removed.empty())
        manager->notifyAssembliesChanged();
    return true;
}

bool CopyAssemblyCommand::Unexecute()
{
    AssemblyManager* manager = assemblyManager();
    if (!manager)
        return false;
    for (auto it = m_removed.rbegin(); it != m_removed.rend(); ++it)
        putBack(*it);
    manager->setClipboard(m_before);
    if (!m_removed.empty())
        manager->notifyAssembliesChanged();
    return true;
}

bool PasteAssemblyCommand::Execute()
{
    AssemblyManager* manager = assemblyManager();
    m_parent = modelOf(m_target.get());
    if (!manager || !m_parent || manager->getClipboardCount() == 0) {
        report("Paste: nothing to paste or the row is not a model");
        return false;
    }
    if (m_pasted.empty()) {
        m_before = manager->getClipboard();
        m_after = m_before;
        for (AssemblyManager::ClipboardEntry& entry : m_after) {
            // A cut node still outside the model goes back itself; after that the entry is a copy.
            const bool own = entry.cut && entry.node->getNumParents() == 0 && !isAncestorOf(entry.node.get(), m_parent.get());
            osg::ref_ptr<osg::Node> node = own ? entry.node : instanceOf(entry.node.get());
            placeAt(node.get(), m_parent.get(), entry.world);
            m_pasted.push_back(node);
            entry.cut = false;
        }
    }
    for (const auto& node : m_pasted)
        m_parent->addChild(node.get());
    manager->setClipboard(m_after);
    for (const auto& node : m_pasted)
        manager->notifyModelAdded(node.get());
    manager->notifyAssembliesChanged();
    return true;
}

bool PasteAssemblyCommand::Unexecute()
{
    AssemblyManager* manager = assemblyManager();
    if (!manager || !m_parent)
        return false;
    for (auto it = m_pasted.rbegin(); it != m_pasted.rend(); ++it)
        m_parent->removeChild(it->get());
    manager->setClipboard(m_before);
    manager->notifyAssembliesChanged();
    return true;
}

void DragAssemblyCommand::SetList(const QList<osg::Node*>& nodes)
{
    m_nodes.assign(nodes.begin(), nodes.end());
}

bool DragAssemblyCommand::Execute()
{
    m_parent = modelOf(m_target.get());
    if (!m_parent)
        return false;
    m_moved.clear();
    for (const auto& node : topLevel(m_nodes)) {
        AssemblyPlace place;
        if (!placeOf(node.get(), place) || place.parent == m_parent || isAncestorOf(node.get(), m_parent.get()))
            continue;
        const osg::Matrixd world = worldMatrixOf(node.get());
        takeOut(place);
        placeAt(node.get(), m_parent.get(), world);
        m_parent->addChild(node.get());
        m_moved.push_back(place);
    }
    if (m_moved.empty())
        return false; // nothing moved: no undo step
    notifyChanged();
    return true;
}

bool DragAssemblyCommand::Unexecute()
{
    if (!m_parent || m_moved.empty())
        return false;
    for (auto it = m_moved.rbegin(); it != m_moved.rend(); ++it) {
        m_parent->removeChild(it->node.get());
        putBack(*it);
    }
    notifyChanged();
    return true;
}

bool AddAssemblyCommand::Execute()
{
    m_parent = modelOf(m_target.get());
    if (!m_parent || !m_node) {
        report("Insert: no model read or the row is not a model");
        return false;
    }
    m_parent->addChild(m_node.get());
    if (AssemblyManager* manager = assemblyManager()) {
        manager->notifyModelAdded(m_node.get());
        if (!m_done)
            manager->notifyNodeAdded(m_node.get(), m_targetIndex);
        else
            manager->notifyAssembliesChanged();
    }
    m_done = true;
    return true;
}

bool AddAssemblyCommand::Unexecute()
{
    if (!m_parent || !m_node || !m_parent->removeChild(m_node.get()))
        return false;
    notifyChanged();
    return true;
}

} // namespace Vantor
