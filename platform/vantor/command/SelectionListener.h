#pragma once

#include "vantor/command/NodePtrList.h"

#include <osg/Referenced>

#include <memory>

namespace Vantor {

class CommandManager;
class ISelectionManager;

// Hears the selection manager; called synchronously on the thread that changes the selection.
class SelectionListener : public osg::Referenced
{
public:
    virtual void onAddSelected(osg::Node* node) {}
    virtual void onSelectedListChanged(NodePtrList& selected) {}
    virtual void onRemoveSelected(osg::Node* node) {}
    virtual void onClearSelected() {}

protected:
    ~SelectionListener() override = default;
};

// Lets the running interactive command react to selection changes (SelectedExecute).
// Holds the command manager weakly: the manager may go before the selection manager.
class CommandSelectionListener : public SelectionListener
{
public:
    CommandSelectionListener(ISelectionManager* selectionManager, std::shared_ptr<CommandManager> commandManager);

    void onAddSelected(osg::Node* node) override;
    void onSelectedListChanged(NodePtrList& selected) override;
    void onRemoveSelected(osg::Node* node) override;
    void onClearSelected() override;

    ISelectionManager* getSelectionManager() const { return m_selectionManager; }

protected:
    ~CommandSelectionListener() override = default;

private:
    void forward();

    ISelectionManager* m_selectionManager;
    std::weak_ptr<CommandManager> m_commandManager;
};

} // namespace Vantor
