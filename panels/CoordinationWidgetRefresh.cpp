// The annotation panel kept in step with the scene: rebuilds from the managers, the PMI refill, check
// boxes to visibility, and the scene selection mirrored into the tree.

#include "panels/CoordinationEntries.h"
#include "panels/CoordinationTreeWidget.h"
#include "panels/CoordinationWidget.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/PMI.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <QIcon>
#include <QTreeWidgetItemIterator>

#include <algorithm>

using namespace CoordinationEntries;

namespace {

// Sets the panel busy for the length of a rebuild and clears it on every way out.
struct BusyScope
{
    explicit BusyScope(bool& flag) : flag(flag) { flag = true; }
    ~BusyScope() { flag = false; }
    bool& flag;
};

Qt::CheckState stateOfMask(const osg::Node* node)
{
    return node->getNodeMask() == 0xFFFFFFFFu ? Qt::Checked : Qt::Unchecked;
}

std::vector<osg::ref_ptr<osg::Node>> childrenOf(const osg::Group* manager)
{
    std::vector<osg::ref_ptr<osg::Node>> nodes;
    for (unsigned int i = 0; manager && i < manager->getNumChildren(); ++i)
        nodes.emplace_back(const_cast<osg::Node*>(manager->getChild(i)));
    return nodes;
}

} // namespace

void CoordinationWidget::removeGroupChildrenOfKind(const QString& kind)
{
    for (int row = FirstGroupRow; row < treeWidget->topLevelItemCount(); ++row) {
        QTreeWidgetItem* group = treeWidget->topLevelItem(row);
        for (int i = group->childCount() - 1; i >= 0; --i)
            if (group->child(i)->data(DataColumn, KindRole).toString() == kind)
                delete group->takeChild(i);
    }
}

void CoordinationWidget::rebuildKind(const QString& categoryText, const QString& kind,
                                     const std::vector<osg::ref_ptr<osg::Node>>& nodes,
                                     const std::function<bool(osg::Node*)>& isKind,
                                     const std::function<QString(osg::Node*)>& icon)
{
    QTreeWidgetItem* category = topLevelByText(categoryText);
    if (!category)
        return;
    for (QTreeWidgetItem* child : category->takeChildren())
        delete child;
    removeGroupChildrenOfKind(kind);

    auto addEntry = [&](QTreeWidgetItem* parent, osg::Node* node, const QString& name) {
        auto* entry = new QTreeWidgetItem(parent, AnnotationType);
        entry->setText(0, name);
        entry->setIcon(0, QIcon(icon(node)));
        entry->setFlags(GroupFlags);
        setNode(entry, node);
        entry->setData(DataColumn, KindRole, kind);
        entry->setCheckState(0, stateOfMask(node));
    };

    for (const auto& ref : nodes) {
        osg::Node* node = ref.get();
        if (!node || !isKind(node))
            continue;
        const QString name = QString::fromLocal8Bit(node->getName().c_str());
        bool placed = false;
        for (const auto& [number, groupName8] : annotationOf(node)->getGroup()) {
            const QString groupName = QString::fromLocal8Bit(groupName8.c_str());
            QTreeWidgetItem* group = nullptr;
            bool nameExists = false;
            for (int row = 0; row < treeWidget->topLevelItemCount(); ++row) {
                QTreeWidgetItem* top = treeWidget->topLevelItem(row);
                if (top->text(0) != groupName || !hasGroupNumber(top))
                    continue;
                nameExists = true;
                if (groupNumberOf(top) == number) {
                    group = top;
                    break;
                }
            }
            if (!group && !nameExists) {
                group = makeGroupEntry(groupName, number, true);
                treeWidget->groupNames[number] = groupName;
                treeWidget->addTopLevelItem(group);
            }
            if (group) {
                addEntry(group, node, name);
                placed = true;
            }
        }
        // A group that could not be matched must not make the annotation vanish from the panel.
        if (!placed)
            addEntry(category, node, name);
    }
}

void CoordinationWidget::updateNoteTree(Vantor::NoteManager* manager)
{
    BusyScope scope(busy);
    noteManager = manager;
    rebuildKind(noteCategory(), QStringLiteral("Note"), childrenOf(manager),
                [](osg::Node* n) { return dynamic_cast<Vantor::Note*>(n) != nullptr; },
                [](osg::Node* n) {
                    return static_cast<Vantor::Note*>(n)->is3DNote() ? QStringLiteral(":/VantorViewer/icon/Tree/3DNote.png")
                                                                     : QStringLiteral(":/VantorViewer/icon/Tree/note.png");
                });
}

void CoordinationWidget::updateMeasureTree(Vantor::MeasureManager* manager)
{
    BusyScope scope(busy);
    measureManager = manager;
    rebuildKind(measureCategory(), QStringLiteral("Measure"), childrenOf(manager),
                [](osg::Node* n) { return dynamic_cast<Vantor::Measure*>(n) != nullptr; },
                [](osg::Node*) { return QStringLiteral(":/VantorViewer/icon/Tree/measure.png"); });
}

void CoordinationWidget::updateSectionTree(Vantor::SectionManager* manager)
{
    BusyScope scope(busy);
    sectionManager = manager;
    std::vector<osg::ref_ptr<osg::Node>> nodes;
    if (manager)
        for (const auto& section : manager->GetAllSection())
            nodes.emplace_back(section.get());
    rebuildKind(sectionCategory(), QStringLiteral("Section"), nodes,
                [](osg::Node* n) { return dynamic_cast<Vantor::Section*>(n) != nullptr; },
                [](osg::Node*) { return QStringLiteral(":/VantorViewer/icon/Tree/section.png"); });
}

void CoordinationWidget::updatePMITree(const std::list<osg::ref_ptr<osg::Node>>& pmiNodes)
{
    BusyScope scope(busy);
    QTreeWidgetItem* category = topLevelByText(QString::fromLatin1(PmiText));
    if (!category)
        return;
    for (QTreeWidgetItem* child : category->takeChildren())
        delete child;
    int i = 0;
    for (const auto& node : pmiNodes) {
        if (!node)
            continue;
        // The node keeps the name read from the file; the entry shows the panel's own label.
        auto* entry = new QTreeWidgetItem(category, AnnotationType);
        entry->setText(0, QString::fromLatin1(PmiText) + QString::number(i++));
        if (!node->getName().empty())
            entry->setToolTip(0, QString::fromUtf8(node->getName().c_str()));
        setNode(entry, node.get());
        entry->setCheckState(0, stateOfMask(node.get()));
    }
}

// ---- check boxes ---------------------------------------------------------------------------------

void CoordinationWidget::setNodeVisible(osg::Node* node, Qt::CheckState state)
{
    if (!node)
        return;
    const bool shown = state != Qt::Unchecked;
    if (auto* section = dynamic_cast<Vantor::Section*>(node)) {
        if (auto manager = sectionManager.get()) {
            osg::ref_ptr<Vantor::Section> ref(section);
            shown ? manager->OpenSection(ref) : manager->CloseSection(ref);
        }
    } else if (auto* measure = dynamic_cast<Vantor::Measure*>(node)) {
        if (auto manager = measureManager.get()) {
            osg::ref_ptr<Vantor::Measure> ref(measure);
            shown ? manager->ShowMeasure(ref) : manager->HideMeasure(ref);
        }
    } else if (auto* note = dynamic_cast<Vantor::Note*>(node)) {
        if (auto manager = noteManager.get()) {
            osg::ref_ptr<Vantor::Note> ref(note);
            shown ? manager->ShowNote(ref) : manager->HideNote(ref);
        }
    } else if (dynamic_cast<Vantor::PMI*>(node)) {
        node->setNodeMask(shown ? 0xFFFFFFFFu : 0u);
    }
}

void CoordinationWidget::syncPMIItemCheck(osg::Node* node, Qt::CheckState state)
{
    if (!dynamic_cast<Vantor::PMI*>(node))
        return;
    QTreeWidgetItem* category = topLevelByText(QString::fromLatin1(PmiText));
    if (!category)
        return;
    for (int i = 0; i < category->childCount(); ++i)
        if (nodeOf(category->child(i)) == node)
            category->child(i)->setCheckState(0, state);
}

void CoordinationWidget::DisableNode(QTreeWidgetItem* item, int)
{
    if (busy || !item)
        return;
    const Qt::CheckState state = item->checkState(0);
    if (!item->parent()) {
        // A group turns partial when one of its annotations is unchecked; that must not show it again.
        if (state == Qt::PartiallyChecked)
            return;
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            osg::Node* node = nodeOf(child);
            setNodeVisible(node, state);
            if (dynamic_cast<Vantor::PMI*>(node))
                child->setCheckState(0, state);
        }
        return;
    }
    osg::Node* node = nodeOf(item);
    setNodeVisible(node, state);
    osg::ref_ptr<Vantor::ISelectionManager> selection = selectionManager.get();
    if (!selection)
        return;
    // A copy: the PMI sync below re-enters here, and that nested call clears the selection.
    const NodePtrList selected = selection->getSelectedList();
    if (node && std::find(selected.begin(), selected.end(), osg::ref_ptr<osg::Node>(node)) != selected.end()) {
        for (const auto& other : selected) {
            if (!other)
                continue;
            setNodeVisible(other.get(), state);
            syncPMIItemCheck(other.get(), state);
        }
    }
    selection->clearSelection();
}

// ---- selection mirror ----------------------------------------------------------------------------

void CoordinationWidget::expandAncestors(QTreeWidgetItem* item)
{
    for (QTreeWidgetItem* p = item; p; p = p->parent())
        if (!p->isExpanded())
            p->setExpanded(true);
}

void CoordinationWidget::selectTreeItem(osg::Node* node)
{
    if (busy)
        return;
    connectTreeInput(false);
    for (QTreeWidgetItemIterator it(treeWidget); *it; ++it) {
        QTreeWidgetItem* entry = *it;
        if (!entry->parent() || nodeOf(entry) != node)
            continue;
        if (!entry->parent()->isExpanded())
            entry->parent()->setExpanded(true);
        treeWidget->setCurrentItem(entry);
        expandAncestors(entry->parent());
        break;
    }
    connectTreeInput(true);
}

void CoordinationWidget::selectTreeItems(const NodePtrList& nodes)
{
    if (busy)
        return;
    connectTreeInput(false);
    treeWidget->setCurrentItem(nullptr);
    // Each entry is added to the tree's selection, so a selection of several annotations shows whole.
    treeWidget->clearSelection();
    for (const auto& node : nodes) {
        for (QTreeWidgetItemIterator it(treeWidget); *it; ++it) {
            QTreeWidgetItem* entry = *it;
            if (!entry->parent() || nodeOf(entry) != node.get())
                continue;
            if (!entry->parent()->isExpanded())
                entry->parent()->setExpanded(true);
            treeWidget->setCurrentItem(entry, 0, QItemSelectionModel::Select);
            entry->setSelected(true);
            expandAncestors(entry->parent());
        }
    }
    connectTreeInput(true);
}

void CoordinationWidget::clearCurrentItem()
{
    treeWidget->setCurrentItem(nullptr);
}
