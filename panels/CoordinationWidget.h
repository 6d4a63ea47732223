#pragma once

#include "vantor/command/NodePtrList.h"

#include <osg/Node>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <QModelIndex>
#include <QString>
#include <QWidget>

#include <functional>
#include <list>
#include <memory>
#include <vector>

class CoordinationTreeWidget;
class QAction;
class QMenu;
class QTreeWidgetItem;

namespace Vantor {
class CommandManager;
class ISelectionManager;
class MeasureManager;
class NoteManager;
class SectionManager;
} // namespace Vantor

// The annotation panel: PMI, notes, measures and sections of the document under their categories or
// under the user's groups. Check boxes show and hide, clicks select in the view, the scene selection is
// mirrored back, and the context menu groups, ungroups, renames and deletes (one undo step).
// The tree is rebuilt from the managers whenever they report a change; the group membership lives on
// the annotations themselves.
class CoordinationWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CoordinationWidget(QWidget* parent = nullptr,
                                std::shared_ptr<Vantor::CommandManager> commandManager = nullptr);

    void setSelectionManager(Vantor::ISelectionManager* manager);
    CoordinationTreeWidget* tree() const { return treeWidget; }
    bool isBusy() const { return busy; }

    // Empties the tree to the four categories and forgets the groups.
    void resetTree();

    // Rebuild one kind of entry from its manager (the managers' listeners call these).
    void updateNoteTree(Vantor::NoteManager* manager);
    void updateMeasureTree(Vantor::MeasureManager* manager);
    void updateSectionTree(Vantor::SectionManager* manager);
    // Refills the PMI category with the model's product annotations.
    void updatePMITree(const std::list<osg::ref_ptr<osg::Node>>& pmiNodes);

    // Scene selection mirrored into the tree, without coming back as clicks or check changes.
    void selectTreeItem(osg::Node* node);
    void selectTreeItems(const NodePtrList& nodes);
    void clearCurrentItem();

    // The context menu for the entry under the cursor (null: empty space); null when that entry has
    // none. The caller owns the menu.
    QMenu* buildContextMenu(QTreeWidgetItem* itemUnderCursor);

signals:
    void selectNode(NodePtrList nodes, bool clearFirst);
    void unSelectNode(NodePtrList nodes);
    void editTreeItem(const QModelIndex& index);

public slots:
    void treeWidgetitemClick(QTreeWidgetItem* item, int column);
    void on_actionDeleteNode_triggered();
    void on_actionEditProperties_triggered();
    void currentItem(QString& text, int column);
    void DisableNode(QTreeWidgetItem* item, int column);
    void on_actionRevertNode_triggered();
    void on_treeViewStructure_customContextMenuRequested(const QPoint& pos);
    void on_actionViewProperties_triggered();
    void on_actionGoToGroup_triggered(QAction* action);
    void on_actionClearGroupChildNode_triggered();
    void on_actionRestoreGroupChildNode_triggered();
    void on_actionGoToNewGroup_triggered();
    void on_actionRenameNode_triggered();
    void treeWidgetitemDoubleClick(QTreeWidgetItem* item, int column);
    void LookChange(bool value);
    int CreatGroupNum(const QString& name, int d);
    void updateNode();
    void CreatGroup();
    int getkey();

private:
    void createTopItems();
    QTreeWidgetItem* topLevelByText(const QString& text) const;
    QString newGroupName();
    QTreeWidgetItem* makeGroupEntry(const QString& name, int number, bool checked);
    void assignSelected(int number, const QString& name);
    // Removes the annotations among the nodes as one undo step (sections, then measures, then notes);
    // every node is handed over once.
    void removeNodes(const std::vector<osg::Node*>& nodes);
    void removeGroupChildrenOfKind(const QString& kind);
    // Puts one kind's annotations under their groups, or their category.
    void rebuildKind(const QString& categoryText, const QString& kind, const std::vector<osg::ref_ptr<osg::Node>>& nodes,
                     const std::function<bool(osg::Node*)>& isKind, const std::function<QString(osg::Node*)>& icon);
    void setNodeVisible(osg::Node* node, Qt::CheckState state);
    void syncPMIItemCheck(osg::Node* node, Qt::CheckState state);
    void expandAncestors(QTreeWidgetItem* item);
    void rename();
    void showProperties(bool editable);
    // Stops tree clicks and check changes from reaching the panel while the selection is mirrored.
    void connectTreeInput(bool on);

    CoordinationTreeWidget* treeWidget = nullptr;
    osg::observer_ptr<Vantor::NoteManager> noteManager;
    osg::observer_ptr<Vantor::MeasureManager> measureManager;
    osg::observer_ptr<Vantor::SectionManager> sectionManager;
    std::weak_ptr<Vantor::CommandManager> commandManager;
    osg::observer_ptr<Vantor::ISelectionManager> selectionManager;
    bool busy = false;
};
