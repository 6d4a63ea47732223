// The annotation panel: construction, clicks, context menus and the group actions.

#include "panels/CoordinationWidget.h"

#include "common/Prompts.h"
#include "panels/CollAttDialog.h"
#include "panels/CoordinationEntries.h"
#include "panels/CoordinationTreeWidget.h"
#include "vantor/command/CombineCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/measure/RemoveMeasureCommand.h"
#include "vantor/model/NodeFlags.h"
#include "vantor/note/NoteManager.h"
#include "vantor/note/RemoveNoteCommand.h"
#include "vantor/section/RemoveSectionCommand.h"
#include "vantor/section/SectionManager.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>

#include <algorithm>

using namespace CoordinationEntries;

namespace {

const char* const kRemoveIcon = ":/VantorViewer/icon/Tree/remove.png";
const char* const kRenameIcon = ":/VantorViewer/icon/Tree/Rename.png";
const char* const kDeleteIcon = ":/VantorViewer/icon/Tree/delete.png";

template <class T>
void appendOnce(std::list<osg::ref_ptr<T>>& list, T* item)
{
    if (std::find(list.begin(), list.end(), osg::ref_ptr<T>(item)) == list.end())
        list.emplace_back(item);
}

} // namespace

CoordinationWidget::CoordinationWidget(QWidget* parent, std::shared_ptr<Vantor::CommandManager> commands)
    : QWidget(parent)
    , commandManager(commands)
{
    setAccessibleName(tr("Annotation panel"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    treeWidget = new CoordinationTreeWidget;
    layout->addWidget(treeWidget);
    treeWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    treeWidget->setColumnCount(1);
    treeWidget->setHeaderLabel(tr("Coordination"));
    treeWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    treeWidget->setDefaultDropAction(Qt::MoveAction);
    treeWidget->setDragDropMode(QAbstractItemView::DragDrop);

    connectTreeInput(true);
    connect(treeWidget, &QWidget::customContextMenuRequested, this,
            &CoordinationWidget::on_treeViewStructure_customContextMenuRequested);
    connect(treeWidget, &QTreeWidget::itemDoubleClicked, this, &CoordinationWidget::treeWidgetitemDoubleClick);
    connect(this, &CoordinationWidget::editTreeItem, treeWidget,
            QOverload<const QModelIndex&>::of(&QAbstractItemView::edit));
    connect(treeWidget, &CoordinationTreeWidget::updateNode, this, &CoordinationWidget::updateNode);
    connect(treeWidget, &CoordinationTreeWidget::LookChange, this, &CoordinationWidget::LookChange);

    busy = false;
    createTopItems();
}

void CoordinationWidget::setSelectionManager(Vantor::ISelectionManager* manager)
{
    selectionManager = manager;
}

void CoordinationWidget::connectTreeInput(bool on)
{
    if (on) {
        connect(treeWidget, &QTreeWidget::itemClicked, this, &CoordinationWidget::treeWidgetitemClick,
                Qt::UniqueConnection);
        connect(treeWidget, &QTreeWidget::itemChanged, this, &CoordinationWidget::DisableNode, Qt::UniqueConnection);
    } else {
        disconnect(treeWidget, &QTreeWidget::itemChanged, this, &CoordinationWidget::DisableNode);
        disconnect(treeWidget, &QTreeWidget::itemClicked, this, &CoordinationWidget::treeWidgetitemClick);
    }
}

void CoordinationWidget::createTopItems()
{
    treeWidget->clear();
    const struct
    {
        QString text;
        const char* icon;
    } categories[] = {
        {QString::fromLatin1(PmiText), ":/VantorViewer/icon/Tree/pmi.png"},
        {noteCategory(), ":/VantorViewer/icon/Tree/note.png"},
        {measureCategory(), ":/VantorViewer/icon/Tree/measure.png"},
        {sectionCategory(), ":/VantorViewer/icon/Tree/section.png"},
    };
    for (const auto& c : categories) {
        auto* item = new QTreeWidgetItem(TopLevelType);
        item->setText(0, c.text);
        item->setIcon(0, QIcon(QString::fromLatin1(c.icon)));
        item->setCheckState(0, Qt::Checked);
        treeWidget->addTopLevelItem(item);
    }
}

void CoordinationWidget::resetTree()
{
    treeWidget->clear();
    treeWidget->setColumnCount(1);
    treeWidget->setHeaderLabel(tr("Coordination"));
    treeWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    treeWidget->groupNames.clear();
    createTopItems();
}

QTreeWidgetItem* CoordinationWidget::topLevelByText(const QString& text) const
{
    for (int i = 0; i < treeWidget->topLevelItemCount(); ++i)
        if (treeWidget->topLevelItem(i)->text(0) == text)
            return treeWidget->topLevelItem(i);
    return nullptr;
}

// ---- clicks ------------------------------------------------------------------------------------

void CoordinationWidget::treeWidgetitemClick(QTreeWidgetItem* item, int)
{
    if (busy || !item || !item->parent() || item->childCount() > 0)
        return;
    if (QApplication::keyboardModifiers() == Qt::ControlModifier) {
        osg::Node* node = nodeOf(item);
        if (!node)
            return;
        if (Vantor::isNodeSelected(node))
            emit unSelectNode(NodePtrList{node});
        else
            emit selectNode(NodePtrList{node}, false);
        return;
    }
    NodePtrList nodes;
    for (QTreeWidgetItem* selected : treeWidget->selectedItems())
        if (osg::Node* node = nodeOf(selected))
            nodes.emplace_back(node);
    emit selectNode(nodes, true);
}

// ---- group numbers and names ---------------------------------------------------------------------

int CoordinationWidget::getkey()
{
    const QList<int> numbers = treeWidget->groupNames.keys(); // ascending
    if (numbers.isEmpty())
        return 0;
    int counter = numbers.first();
    for (int number : numbers) {
        if (number != counter)
            break;
        ++counter;
    }
    return counter;
}

int CoordinationWidget::CreatGroupNum(const QString& name, int d)
{
    auto taken = [&](int n) { return topLevelByText(n == 0 ? name : name + "_" + QString::number(n)) != nullptr; };
    if (!taken(d))
        return 0;
    int n = d + 1;
    while (taken(n))
        ++n;
    return n;
}

QString CoordinationWidget::newGroupName()
{
    const QString base = tr("新建组");
    const int n = CreatGroupNum(base, 0);
    return n == 0 ? base : base + "_" + QString::number(n);
}

QTreeWidgetItem* CoordinationWidget::makeGroupEntry(const QString& name, int number, bool checked)
{
    auto* item = new QTreeWidgetItem(TopLevelType);
    item->setText(0, name);
    item->setData(DataColumn, NodeRole, number);
    if (checked)
        item->setCheckState(0, Qt::Checked);
    item->setFlags(GroupFlags);
    return item;
}

// ---- context menu ------------------------------------------------------------------------------

QMenu* CoordinationWidget::buildContextMenu(QTreeWidgetItem* under)
{
    auto* menu = new QMenu(this);
    menu->setAccessibleName(tr("Annotation menu"));
    using Slot = void (CoordinationWidget::*)();
    auto add = [&](QMenu* to, const char* text, const char* icon, Slot slot) {
        QAction* action = icon ? to->addAction(QIcon(QString::fromLatin1(icon)), tr(text)) : to->addAction(tr(text));
        action->setObjectName(QString::fromLatin1(text));
        if (slot)
            connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto groupSubmenu = [&](QAction* holder) {
        auto* sub = new QMenu(menu);
        sub->setAccessibleName(tr("Groups"));
        QAction* fresh = add(sub, QT_TR_NOOP("actionGoToNewGroupNode"), kRemoveIcon,
                             &CoordinationWidget::on_actionGoToNewGroup_triggered);
        fresh->setData(-1);
        sub->addSeparator();
        for (auto it = treeWidget->groupNames.cbegin(); it != treeWidget->groupNames.cend(); ++it) {
            QAction* group = sub->addAction(QIcon(QString::fromLatin1(kRemoveIcon)), it.value());
            group->setData(it.key());
        }
        connect(sub, &QMenu::triggered, this, &CoordinationWidget::on_actionGoToGroup_triggered);
        holder->setMenu(sub);
    };

    QTreeWidgetItem* current = treeWidget->currentItem();
    if (!under) {
        add(menu, QT_TR_NOOP("CreateNode"), ":/VantorViewer/treeview/Compound.png", &CoordinationWidget::CreatGroup);
        return menu;
    }
    if (!current) {
        delete menu;
        return nullptr;
    }
    if (under->type() == TopLevelType) {
        const QString text = current->text(0);
        if (isPmiCategoryText(text)) {
            delete menu;
            return nullptr;
        }
        if (isCategoryText(text)) {
            groupSubmenu(add(menu, QT_TR_NOOP("actionGoToNewGroupNode"), kRemoveIcon, nullptr));
            add(menu, QT_TR_NOOP("actionClearNode"), nullptr, &CoordinationWidget::on_actionClearGroupChildNode_triggered);
        } else {
            add(menu, QT_TR_NOOP("actionRenameNode"), kRenameIcon, &CoordinationWidget::on_actionRenameNode_triggered);
            add(menu, QT_TR_NOOP("RevertNode"), nullptr, &CoordinationWidget::on_actionRevertNode_triggered);
            add(menu, QT_TR_NOOP("DeleteNode"), kDeleteIcon, &CoordinationWidget::on_actionDeleteNode_triggered);
        }
        return menu;
    }
    if (under->type() == AnnotationType) {
        QTreeWidgetItem* parent = current->parent();
        if (!parent || isPmiCategoryText(parent->text(0))) {
            delete menu;
            return nullptr;
        }
        if (treeWidget->selectedItems().size() == 1) {
            add(menu, QT_TR_NOOP("actionEditProperties"), nullptr, &CoordinationWidget::on_actionEditProperties_triggered);
            add(menu, QT_TR_NOOP("actionViewProperties"), nullptr, &CoordinationWidget::on_actionViewProperties_triggered);
        }
        add(menu, QT_TR_NOOP("actionRenameNode"), kRenameIcon, &CoordinationWidget::on_actionRenameNode_triggered);
        groupSubmenu(add(menu, QT_TR_NOOP("actionGoToGroupNode"), kRemoveIcon, nullptr));
        if (!isCategoryText(parent->text(0)))
            add(menu, QT_TR_NOOP("RevertNode"), nullptr, &CoordinationWidget::on_actionRevertNode_triggered);
        add(menu, QT_TR_NOOP("DeleteNode"), kDeleteIcon, &CoordinationWidget::on_actionDeleteNode_triggered);
        return menu;
    }
    delete menu;
    return nullptr;
}

void CoordinationWidget::on_treeViewStructure_customContextMenuRequested(const QPoint& pos)
{
    if (busy)
        return;
    QMenu* menu = buildContextMenu(treeWidget->itemAt(pos));
    if (!menu)
        return;
    Prompts::get().execMenu(menu, treeWidget->viewport()->mapToGlobal(pos));
    menu->deleteLater();
}

// ---- removal -------------------------------------------------------------------------------------

void CoordinationWidget::removeNodes(const std::vector<osg::Node*>& nodes)
{
    std::list<osg::ref_ptr<Vantor::Section>> sections;
    std::list<osg::ref_ptr<Vantor::Measure>> measures;
    std::list<osg::ref_ptr<Vantor::Note>> notes;
    for (osg::Node* node : nodes) {
        if (auto* section = dynamic_cast<Vantor::Section*>(node))
            appendOnce(sections, section);
        else if (auto* measure = dynamic_cast<Vantor::Measure*>(node))
            appendOnce(measures, measure);
        else if (auto* note = dynamic_cast<Vantor::Note*>(node))
            appendOnce(notes, note);
    }
    auto combined = std::make_shared<Vantor::CombineCommand>();
    if (!sections.empty()) {
        auto command = std::make_shared<Vantor::RemoveSectionCommand>();
        command->setSectionManagerPtr(sectionManager.get());
        command->setSections(sections);
        combined->AddCommand(command);
    }
    if (!measures.empty()) {
        auto command = std::make_shared<Vantor::RemoveMeasureCommand>();
        command->setMeasureManagerPtr(measureManager.get());
        command->setMeasures(measures);
        combined->AddCommand(command);
    }
    if (!notes.empty()) {
        auto command = std::make_shared<Vantor::RemoveNoteCommand>();
        command->setNoteManagerPtr(noteManager.get());
        command->setNotes(notes);
        combined->AddCommand(command);
    }
    if (auto commands = commandManager.lock())
        commands->DoCommand(combined);
}

void CoordinationWidget::on_actionDeleteNode_triggered()
{
    QTreeWidgetItem* current = treeWidget->currentItem();
    if (!current)
        return;
    if (current->parent()) {
        std::vector<osg::Node*> nodes;
        for (QTreeWidgetItem* item : treeWidget->selectedItems())
            if (osg::Node* node = nodeOf(item))
                nodes.push_back(node);
        removeNodes(nodes);
        updateNode();
        return;
    }
    if (isCategoryText(current->text(0)))
        return;
    const int number = groupNumberOf(current);
    std::vector<osg::Node*> nodes;
    for (int i = 0; i < current->childCount(); ++i)
        if (osg::Node* node = nodeOf(current->child(i)))
            nodes.push_back(node);
    removeNodes(nodes); // the rebuild takes the group's children; the group entry itself stays
    treeWidget->groupNames.remove(number);
    delete treeWidget->takeTopLevelItem(treeWidget->indexOfTopLevelItem(current));
    updateNode();
}

void CoordinationWidget::on_actionClearGroupChildNode_triggered()
{
    QTreeWidgetItem* current = treeWidget->currentItem();
    if (!current || current->parent())
        return;
    std::vector<osg::Node*> nodes;
    for (int i = 0; i < current->childCount(); ++i)
        if (osg::Node* node = nodeOf(current->child(i)))
            nodes.push_back(node);
    removeNodes(nodes);
    updateNode();
}

// ---- grouping ----------------------------------------------------------------------------------

void CoordinationWidget::on_actionRevertNode_triggered()
{
    for (QTreeWidgetItem* item : treeWidget->selectedItems()) {
        if (item->parent()) {
            CoordinationEntries::clearGroup(nodeOf(item));
            continue;
        }
        for (int i = 0; i < item->childCount(); ++i)
            CoordinationEntries::clearGroup(nodeOf(item->child(i)));
    }
    updateNode();
}

void CoordinationWidget::on_actionRestoreGroupChildNode_triggered()
{
    QTreeWidgetItem* current = treeWidget->currentItem();
    if (busy || !current || current->parent())
        return;
    for (int i = 0; i < current->childCount(); ++i)
        CoordinationEntries::clearGroup(nodeOf(current->child(i)));
}

void CoordinationWidget::currentItem(QString&, int)
{
    QTreeWidgetItem* current = treeWidget->currentItem();
    if (current && current->parent())
        current->parent()->removeChild(current);
}

void CoordinationWidget::assignSelected(int number, const QString& name)
{
    for (QTreeWidgetItem* item : treeWidget->selectedItems()) {
        if (item->parent()) {
            assignGroup(nodeOf(item), number, name);
            continue;
        }
        for (int i = 0; i < item->childCount(); ++i)
            assignGroup(nodeOf(item->child(i)), number, name);
    }
}

void CoordinationWidget::on_actionGoToGroup_triggered(QAction* action)
{
    if (!action)
        return;
    const int number = action->data().toInt();
    if (number == -1)
        return;
    assignSelected(number, treeWidget->groupNames.value(number));
    updateNode();
}

void CoordinationWidget::on_actionGoToNewGroup_triggered()
{
    const int number = getkey();
    const QString name = newGroupName();
    QTreeWidgetItem* group = makeGroupEntry(name, number, false);
    treeWidget->groupNames[number] = name;
    treeWidget->addTopLevelItem(group);
    assignSelected(number, name);
    updateNode();
    treeWidget->setCurrentItem(group);
    treeWidget->editIndex = treeWidget->currentIndex();
    emit editTreeItem(treeWidget->currentIndex());
}

void CoordinationWidget::CreatGroup()
{
    if (busy)
        return;
    const int number = getkey();
    QTreeWidgetItem* group = makeGroupEntry(newGroupName(), number, true);
    treeWidget->groupNames[number] = group->text(0);
    treeWidget->addTopLevelItem(group);
    treeWidget->setCurrentItem(group);
    treeWidget->editIndex = treeWidget->currentIndex();
    emit editTreeItem(treeWidget->currentIndex());
}

void CoordinationWidget::updateNode()
{
    if (auto sections = sectionManager.get())
        sections->NotifySectionChanged(nullptr);
    if (auto notes = noteManager.get())
        notes->NotifyNoteChanged(nullptr);
    if (auto measures = measureManager.get())
        measures->NotifyMeasureChanged(nullptr);
    emit selectNode(NodePtrList(), true);
}

// ---- rename and properties ---------------------------------------------------------------------

void CoordinationWidget::rename()
{
    const QModelIndex index = treeWidget->currentIndex();
    if (!index.isValid())
        return;
    // The tree reports an editor that really opened (LookChange(true)); a category or PMI entry opens
    // none and leaves the panel free.
    treeWidget->editIndex = index;
    emit editTreeItem(index);
}

void CoordinationWidget::on_actionRenameNode_triggered()
{
    rename();
}

void CoordinationWidget::treeWidgetitemDoubleClick(QTreeWidgetItem*, int)
{
    rename();
}

void CoordinationWidget::LookChange(bool value)
{
    busy = value;
}

void CoordinationWidget::showProperties(bool editable)
{
    osg::Node* node = nodeOf(treeWidget->currentItem());
    if (!node)
        return;
    if (auto* pointNote = dynamic_cast<Vantor::PointNote*>(node)) {
        if (editable)
            pointNote->EditProperties();
        else
            pointNote->ViewProperties();
        return;
    }
    if (!annotationOf(node))
        return;
    CollaborativeAttributeDialog dialog(node);
    dialog.setEditable(editable);
    Prompts::get().exec(&dialog);
}

void CoordinationWidget::on_actionEditProperties_triggered()
{
    showProperties(true);
}

void CoordinationWidget::on_actionViewProperties_triggered()
{
    showProperties(false);
}
