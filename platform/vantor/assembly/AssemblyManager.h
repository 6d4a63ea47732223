#pragma once

#include <QModelIndex>
#include <osg/Group>
#include <osg/Matrixd>
#include <osg/ref_ptr>

#include <memory>
#include <vector>

namespace Vantor {

class AssemblyManager;

// Told when the assembly structure changes (the assembly commands report through the manager).
class AssemblyManagerListener
{
public:
    virtual ~AssemblyManagerListener() = default;
    // A new assembly was appended under the parent row.
    virtual void onAssemblyCreated(AssemblyManager* manager, osg::Node* node, const QModelIndex& parent) {}
    // A node (may be null) was placed under the parent row.
    virtual void onNodeAdded(AssemblyManager* manager, osg::Node* node, const QModelIndex& parent) {}
    // The structure changed.
    virtual void onAssembliesChanged(AssemblyManager* manager) {}
    // A model node was made.
    virtual void onModelAdded(AssemblyManager* manager, osg::Node* node) {}
};

// Scene node of the assembly editing: keeps the listeners and the clipboard of copied or cut nodes.
class AssemblyManager : public osg::Group
{
public:
    AssemblyManager();
    AssemblyManager(const AssemblyManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, AssemblyManager)

    void AddAssemblyListener(const std::shared_ptr<AssemblyManagerListener>& listener);
    void RemoveAssemblyListener(const std::shared_ptr<AssemblyManagerListener>& listener);

    void notifyAssemblyCreated(osg::Node* node, const QModelIndex& parent);
    void notifyNodeAdded(osg::Node* node, const QModelIndex& parent);
    void notifyAssembliesChanged();
    void notifyModelAdded(osg::Node* node);

    // A node copied or cut for a later paste, with the world placement it had then (a paste puts it
    // back at the same place in the world). A cut node waits outside the scene until its first paste.
    struct ClipboardEntry
    {
        osg::ref_ptr<osg::Node> node;
        osg::Matrixd world;
        bool cut = false;
    };
    using Clipboard = std::vector<ClipboardEntry>;

    int getClipboardCount() const { return int(m_clipboard.size()); }
    void setClipboard(const Clipboard& entries) { m_clipboard = entries; }
    const Clipboard& getClipboard() const { return m_clipboard; }
    void clearClipboard() { m_clipboard.clear(); }

protected:
    ~AssemblyManager() override;

private:
    template <class F>
    void forEach(F f)
    {
        const auto listeners = m_listeners;
        for (const auto& l : listeners)
            f(*l);
    }

    std::vector<std::shared_ptr<AssemblyManagerListener>> m_listeners;
    Clipboard m_clipboard;
};

} // namespace Vantor
