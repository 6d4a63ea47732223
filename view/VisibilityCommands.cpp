#include "view/VisibilityCommands.h"

#include "vantor/model/Model.h"

#include <set>

namespace Vantor {

namespace {

constexpr std::uint32_t kShown = 0xFFFFFFFFu;

// Records each node's mask once, in the order first met.
class MaskRecorder
{
public:
    explicit MaskRecorder(SavedNodeMasks& saved) : m_saved(saved) { m_saved.clear(); }

    void remember(osg::Node* node)
    {
        if (node && m_seen.insert(node).second)
            m_saved.emplace_back(node, node->getNodeMask());
    }

private:
    SavedNodeMasks& m_saved;
    std::set<const osg::Node*> m_seen;
};

void restore(SavedNodeMasks& saved)
{
    for (const auto& entry : saved)
        entry.first->setNodeMask(entry.second);
    saved.clear();
}

void rememberModelsBelow(MaskRecorder& recorder, osg::Node* root)
{
    Model::NodeList models;
    Model::getAllChildrenModels(root, models);
    for (const auto& model : models)
        recorder.remember(model.get());
}

} // namespace

SetVisibleCommand::SetVisibleCommand(std::list<osg::ref_ptr<osg::Node>> nodes, bool visible)
    : m_nodes(std::move(nodes)), m_visible(visible)
{
}

SetVisibleCommand::~SetVisibleCommand() = default;

bool SetVisibleCommand::Execute()
{
    MaskRecorder recorder(m_savedMasks);
    for (const auto& node : m_nodes) {
        if (!node || (node->getNodeMask() != 0) == m_visible)
            continue;
        recorder.remember(node.get());
        node->setNodeMask(m_visible ? kShown : 0u);
    }
    return true;
}

bool SetVisibleCommand::Unexecute()
{
    restore(m_savedMasks);
    return true;
}

SetIsolatedCommand::SetIsolatedCommand(std::list<osg::ref_ptr<osg::Node>> nodes, bool isolate, osg::Node* root)
    : m_root(root), m_nodes(std::move(nodes)), m_isolate(isolate)
{
}

SetIsolatedCommand::~SetIsolatedCommand() = default;

bool SetIsolatedCommand::Execute()
{
    MaskRecorder recorder(m_savedMasks);
    if (!m_isolate)
        return true;

    rememberModelsBelow(recorder, m_root.get());
    for (const auto& node : m_nodes)
        rememberModelsBelow(recorder, node.get());
    for (const auto& node : m_nodes)
        recorder.remember(node.get());

    if (Model::isModel(m_root.get()))
        static_cast<Model*>(m_root.get())->setVisible(false, true);

    for (const auto& node : m_nodes) {
        if (!node)
            continue;
        // The node with everything below it, so an isolated assembly shows whole.
        if (Model::isModel(node.get()))
            static_cast<Model*>(node.get())->setVisible(true, true);
        node->setNodeMask(kShown);

        // The models that contain it, each alone; the walk ends at a parent that is not a model.
        const osg::Node::ParentList first = node->getParents();
        std::vector<osg::Node*> pending(first.begin(), first.end());
        std::set<osg::Node*> visited;
        while (!pending.empty()) {
            osg::Node* parent = pending.back();
            pending.pop_back();
            if (!Model::isModel(parent) || !visited.insert(parent).second)
                continue;
            recorder.remember(parent);
            static_cast<Model*>(parent)->setVisible(true, false);
            const osg::Node::ParentList above = parent->getParents();
            pending.insert(pending.end(), above.begin(), above.end());
        }
    }
    return true;
}

bool SetIsolatedCommand::Unexecute()
{
    restore(m_savedMasks);
    return true;
}

SetAllDisplayedCommand::SetAllDisplayedCommand(osg::Node* root) : m_root(root) {}

SetAllDisplayedCommand::~SetAllDisplayedCommand() = default;

bool SetAllDisplayedCommand::Execute()
{
    MaskRecorder recorder(m_savedMasks);
    if (!m_root)
        return true;
    rememberModelsBelow(recorder, m_root.get());
    if (Model::isModel(m_root.get()))
        static_cast<Model*>(m_root.get())->setVisible(true, true);
    return true;
}

bool SetAllDisplayedCommand::Unexecute()
{
    restore(m_savedMasks);
    return true;
}

} // namespace Vantor
