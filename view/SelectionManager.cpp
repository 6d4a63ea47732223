#include "view/SelectionManager.h"

#include "view/SceneView.h"
#include "view/SelectedCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/model/NodeFlags.h"
#include "vantor/model/SelectEffect.h"

#include <algorithm>
#include <functional>

SelectionManager::SelectionManager(SceneView* view) : m_sceneView(view) {}

SelectionManager::~SelectionManager() = default;

bool SelectionManager::isSelected(const osg::Node* node) const
{
    return std::any_of(m_selected.begin(), m_selected.end(),
                       [node](const osg::ref_ptr<osg::Node>& n) { return n.get() == node; });
}

template <typename F>
void SelectionManager::notify(F&& f)
{
    const auto listeners = m_listeners;
    for (const auto& listener : listeners)
        f(*listener);
}

ISelectionDecorator* SelectionManager::findDecorator(const osg::Node* node) const
{
    auto it = m_decorators.find(node);
    if (it == m_decorators.end() || !it->second.node.valid())
        return nullptr;
    return it->second.decorator.get();
}

ISelectionDecorator* SelectionManager::decoratorFor(osg::Node* node)
{
    if (!node || !m_selectionDecorator.valid())
        return nullptr;
    Decorated& entry = m_decorators[node];
    // A dead entry belonged to a deleted node that happened to have this address.
    if (!entry.decorator.valid() || entry.node.get() != node) {
        entry.node = node;
        entry.decorator =
            dynamic_cast<ISelectionDecorator*>(m_selectionDecorator->clone(osg::CopyOp::DEEP_COPY_NODES));
        if (!entry.decorator.valid()) {
            m_decorators.erase(node);
            return nullptr;
        }
    }
    entry.decorator->setDecoratorState(m_selectionDecorator->getStateSet());
    return entry.decorator.get();
}

void SelectionManager::clearSelection()
{
    for (auto& [key, entry] : m_decorators) {
        osg::ref_ptr<osg::Node> node;
        if (entry.node.lock(node) && dynamic_cast<Vantor::SelectEffect*>(node.get()))
            entry.decorator->undecorate(node.get());
    }
    m_decorators.clear();

    for (auto& node : m_selected)
        Vantor::setNodeSelected(node.get(), false);
    m_selected.clear();

    notify([](Vantor::SelectionListener& l) { l.onClearSelected(); });
    clearPreSelection();
}

bool SelectionManager::runCommand(const std::shared_ptr<Vantor::Command>& command, bool undoable, bool forward)
{
    if (!m_sceneView)
        return true;
    std::shared_ptr<Vantor::CommandManager> commands = m_sceneView->getCommandManager();
    if (!commands)
        return true;
    command->setUndoable(undoable);
    if (forward)
        commands->DoCommand(command);
    else
        commands->UnDoCommand(command);
    return true;
}

bool SelectionManager::selectNodes(NodePtrList nodes, bool undoable)
{
    return runCommand(std::make_shared<Vantor::SelectedCommand>(this, nodes), undoable, true);
}

bool SelectionManager::selectNode(osg::Node* node, bool undoable)
{
    return runCommand(std::make_shared<Vantor::SelectedCommand>(this, node), undoable, true);
}

bool SelectionManager::unselectNodes(NodePtrList nodes, bool undoable)
{
    return runCommand(std::make_shared<Vantor::SelectedCommand>(this, nodes), undoable, false);
}

bool SelectionManager::unselectNode(osg::Node* node, bool undoable)
{
    return runCommand(std::make_shared<Vantor::SelectedCommand>(this, node), undoable, false);
}

void SelectionManager::clearPreSelection()
{
    if (m_preSelectionDecorator.valid() && m_preSelected.valid())
        m_preSelectionDecorator->unPreDecorate(m_preSelected.get());
    m_preSelected = nullptr;
}

bool SelectionManager::preSelect(osg::Node* node)
{
    if (!m_preSelection)
        return false;
    if (node && node == m_preSelected.get())
        return true;
    clearPreSelection();
    if (!node)
        return false;
    if (m_preSelectionDecorator.valid())
        m_preSelectionDecorator->preDecorate(node);
    m_preSelected = node;
    return true;
}

bool SelectionManager::addSelectedList(NodePtrList& nodes)
{
    for (auto& node : nodes) {
        if (node.valid() && !Vantor::isNodeSelected(node.get())) {
            Vantor::setNodeSelected(node.get(), true);
            m_selected.push_back(node);
        }
    }
    for (auto& node : nodes) {
        if (!node.valid())
            continue;
        osg::Node* parent = Vantor::OsgHelper::getParent(node.get());
        if (parent && !Vantor::isNodeSelected(parent)) {
            if (ISelectionDecorator* decorator = decoratorFor(node.get()))
                decorator->decorate(node.get());
        }
    }
    notify([this](Vantor::SelectionListener& l) { l.onSelectedListChanged(m_selected); });
    return true;
}

bool SelectionManager::setPickedGeometry(osg::Node* node)
{
    m_pickedGeometry = node;
    return node != nullptr;
}

bool SelectionManager::addSelected(osg::Node* node)
{
    if (!m_multiSelection && !m_selected.empty())
        clearSelection();
    if (!node)
        return false;
    if (isSelected(node)) {
        removeSelected(node);
        return false;
    }
    Vantor::setNodeSelected(node, true);
    if (ISelectionDecorator* decorator = decoratorFor(node))
        decorator->decorate(node);
    m_selected.push_back(node);
    osg::ref_ptr<osg::Node> keep = node; // a listener may let go of the last reference
    notify([node](Vantor::SelectionListener& l) { l.onAddSelected(node); });
    return true;
}

bool SelectionManager::removeSelectedList(NodePtrList& nodes)
{
    const NodePtrList list = nodes; // the argument may be the selected list itself
    for (const auto& node : list) {
        if (!node.valid() || !isSelected(node.get()))
            continue;
        Vantor::setNodeSelected(node.get(), false);
        m_selected.remove_if([&node](const osg::ref_ptr<osg::Node>& n) { return n == node; });
        if (ISelectionDecorator* decorator = decoratorFor(node.get()))
            decorator->undecorate(node.get());
    }
    notify([this](Vantor::SelectionListener& l) { l.onSelectedListChanged(m_selected); });
    return true;
}

bool SelectionManager::removeSelected(osg::Node* node)
{
    if (!node)
        return false;
    osg::ref_ptr<osg::Node> keep = node; // the list may hold the last reference
    if (isSelected(node)) {
        Vantor::setNodeSelected(node, false);
        m_selected.remove_if([node](const osg::ref_ptr<osg::Node>& n) { return n.get() == node; });
    }
    if (ISelectionDecorator* decorator = decoratorFor(node))
        decorator->undecorate(node);
    notify([node](Vantor::SelectionListener& l) { l.onRemoveSelected(node); });
    return true;
}

NodePtrList SelectionManager::getTopSelectedList()
{
    NodePtrList top;
    for (auto& node : m_selected) {
        osg::Node* parent = Vantor::OsgHelper::getParent(node.get());
        if (parent && !Vantor::isNodeSelected(parent))
            top.push_back(node);
    }
    return top;
}

void SelectionManager::sortListeners()
{
    m_listeners.sort([](const osg::ref_ptr<Vantor::SelectionListener>& a,
                        const osg::ref_ptr<Vantor::SelectionListener>& b) {
        return std::less<const Vantor::SelectionListener*>()(a.get(), b.get());
    });
}

bool SelectionManager::addSelectionListener(osg::ref_ptr<Vantor::SelectionListener> listener)
{
    if (!listener.valid() || std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
        return false;
    m_listeners.push_back(listener);
    sortListeners();
    return true;
}

bool SelectionManager::removeSelectionListener(osg::ref_ptr<Vantor::SelectionListener> listener)
{
    const auto before = m_listeners.size();
    m_listeners.remove(listener);
    sortListeners();
    return m_listeners.size() != before;
}

void SelectionManager::setSelectionDecorator(ISelectionDecorator* decorator)
{
    if (decorator && decorator != m_selectionDecorator.get())
        m_selectionDecorator = decorator;
}

void SelectionManager::setPreSelectionDecorator(ISelectionDecorator* decorator)
{
    if (!decorator || decorator == m_preSelectionDecorator.get())
        return;
    // The hovered node must not keep the old highlight.
    osg::ref_ptr<osg::Node> hovered = m_preSelected;
    clearPreSelection();
    m_preSelectionDecorator = decorator;
    if (hovered.valid())
        preSelect(hovered.get());
}
