// The annotation panel over real note, measure and section managers, a command manager and the view's
// selection manager: entries and groups, check boxes, clicks and the mirrored selection, menus, delete,
// drag and drop, rename.

#include "common/Prompts.h"
#include "panels/CollAttDialog.h"
#include "panels/CoordinationEntries.h"
#include "panels/CoordinationListeners.h"
#include "panels/CoordinationTreeWidget.h"
#include "panels/CoordinationWidget.h"
#include "view/SelectionManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/NodeFlags.h"
#include "vantor/model/PMI.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>
#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

using namespace CoordinationEntries;

struct ScriptedPrompts : Prompts
{
    int informations = 0;
    QString lastInformation;
    std::function<void(QDialog*)> onExec;
    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }
    void information(QWidget*, const QString&, const QString& text) override
    {
        ++informations;
        lastInformation = text;
    }
    int exec(QDialog* dialog) override
    {
        if (onExec)
            onExec(dialog);
        return dialog->result();
    }
    QAction* execMenu(QMenu*, const QPoint&) override { return nullptr; }
};

// A panel wired as the main window wires it, with the window's two selection slots played by lambdas.
struct Fixture
{
    ScriptedPrompts prompts;
    std::shared_ptr<Vantor::CommandManager> commands = std::make_shared<Vantor::CommandManager>();
    osg::ref_ptr<Vantor::NoteManager> notes = new Vantor::NoteManager;
    osg::ref_ptr<Vantor::MeasureManager> measures = new Vantor::MeasureManager;
    osg::ref_ptr<Vantor::SectionManager> sections = new Vantor::SectionManager;
    osg::ref_ptr<SelectionManager> selection = new SelectionManager(nullptr);
    CoordinationWidget panel{nullptr, commands};
    CoordinationTreeWidget* tree = panel.tree();
    int selectCalls = 0;

    Fixture()
    {
        notes->AddNoteListener(std::make_shared<CoordinationNoteManagerChangedListener>(&panel, nullptr));
        measures->AddMeasureListener(std::make_shared<CoordinationMeasureManagerChangedListener>(&panel, nullptr));
        sections->AddSectionListener(std::make_shared<CoordinationSectionManagerChangedListener>(&panel, nullptr));
        panel.setSelectionManager(selection.get());
        selection->addSelectionListener(new CoordinationionListener(&panel));
        QObject::connect(&panel, &CoordinationWidget::selectNode, [this](NodePtrList nodes, bool clearFirst) {
            ++selectCalls;
            if (clearFirst)
                selection->clearSelection();
            selection->addSelectedList(nodes);
        });
        QObject::connect(&panel, &CoordinationWidget::unSelectNode,
                         [this](NodePtrList nodes) { selection->removeSelectedList(nodes); });
        panel.resize(300, 500);
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }

    template <class T>
    static void group(T* item, std::map<int, std::string> groups)
    {
        for (const auto& g : groups)
            item->setGroup(g.first, g.second);
    }

    osg::ref_ptr<Vantor::Note> note(const std::string& name, std::map<int, std::string> groups = {})
    {
        osg::ref_ptr<Vantor::Note> n = new Vantor::Note;
        n->setName(name);
        group(n.get(), groups);
        notes->InsertNotations(n, -1);
        return n;
    }
    osg::ref_ptr<Vantor::Measure> measure(const std::string& name, std::map<int, std::string> groups = {})
    {
        osg::ref_ptr<Vantor::Measure> m = new Vantor::Measure;
        m->setName(name);
        group(m.get(), groups);
        measures->InsertMeasure(m, -1);
        return m;
    }
    osg::ref_ptr<Vantor::Section> section(const std::string& name, std::map<int, std::string> groups = {})
    {
        osg::ref_ptr<Vantor::Section> s = new Vantor::Section;
        s->setName(name);
        group(s.get(), groups);
        sections->InsertSection(s, -1);
        return s;
    }

    QTreeWidgetItem* top(const QString& text) const
    {
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) == text)
                return tree->topLevelItem(i);
        return nullptr;
    }
    // Every entry of the node, wherever it sits.
    QList<QTreeWidgetItem*> entries(osg::Node* node) const
    {
        QList<QTreeWidgetItem*> out;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            for (int c = 0; c < tree->topLevelItem(i)->childCount(); ++c)
                if (nodeOf(tree->topLevelItem(i)->child(c)) == node)
                    out << tree->topLevelItem(i)->child(c);
        return out;
    }
    QTreeWidgetItem* entry(osg::Node* node) const
    {
        const auto list = entries(node);
        return list.isEmpty() ? nullptr : list.first();
    }
    QString parentText(osg::Node* node) const
    {
        QTreeWidgetItem* e = entry(node);
        return e && e->parent() ? e->parent()->text(0) : QString();
    }
    QStringList topTexts() const
    {
        QStringList out;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            out << tree->topLevelItem(i)->text(0);
        return out;
    }
    void select(std::initializer_list<QTreeWidgetItem*> items)
    {
        tree->clearSelection();
        for (QTreeWidgetItem* item : items) {
            tree->setCurrentItem(item, 0, QItemSelectionModel::Select);
            item->setSelected(true);
        }
    }
    QLineEdit* openEditor() const
    {
        for (QLineEdit* edit : tree->findChildren<QLineEdit*>())
            if (edit->isVisible())
                return edit;
        return nullptr;
    }
    // Types into the open editor and presses Enter.
    void typeIntoEditor(const QString& text)
    {
        QLineEdit* edit = openEditor();
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }
    void drop(QTreeWidgetItem* target, const QByteArray& format = CoordinationTreeWidget::DragFormat)
    {
        QMimeData mime;
        mime.setData(QString::fromLatin1(format), "1");
        const QPoint pos = tree->visualItemRect(target).center();
        // A drop goes to the widget that accepted the drag's entry.
        QDragEnterEvent enter(pos, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &enter);
        QDropEvent event(pos, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &event);
    }
    void click(QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, tree->visualItemRect(item).center());
    }
};

QStringList actionNames(QMenu* menu)
{
    QStringList out;
    if (!menu)
        return out;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            out << a->objectName();
    return out;
}

} // namespace

TEST(AnnotationPanel, CategoriesComeFirstAndTheTreeIsPaintedNormally)
{
    Fixture f;
    EXPECT_EQ(f.topTexts(), (QStringList{"PMI", "Note", "Measure", "Section"}));
    EXPECT_FALSE(f.tree->testAttribute(Qt::WA_PaintOnScreen)); // such a widget paints nothing on X11
    f.note("grouped", {{0, "G"}});
    EXPECT_EQ(f.topTexts(), (QStringList{"PMI", "Note", "Measure", "Section", "G"}));
    f.panel.resetTree();
    EXPECT_EQ(f.topTexts(), (QStringList{"PMI", "Note", "Measure", "Section"}));
    EXPECT_TRUE(f.tree->groupNames.isEmpty());
}

TEST(AnnotationPanel, AnnotationsArePlacedUnderTheirGroupsOrCategory)
{
    Fixture f;
    auto twoGroups = f.note("two groups", {{3, "A"}, {5, "B"}});
    auto plain = f.note("plain");
    auto hidden = f.note("hidden");
    hidden->setNodeMask(0);
    f.notes->NotifyNoteChanged(nullptr);
    auto m = f.measure("m", {{3, "A"}});
    auto s = f.section("s");
    // Group A exists under number 3; a note that files itself as A under number 9 cannot go there.
    auto clash = f.note("clash", {{9, "A"}});

    struct Row
    {
        osg::Node* node;
        QStringList parents;
        QString kind;
    };
    const Row rows[] = {
        {twoGroups.get(), {"A", "B"}, "Note"},
        {plain.get(), {"Note"}, "Note"},
        {hidden.get(), {"Note"}, "Note"},
        {m.get(), {"A"}, "Measure"},
        {s.get(), {"Section"}, "Section"},
        {clash.get(), {"Note"}, "Note"}, // falls back to its category instead of vanishing
    };
    for (const Row& row : rows) {
        QStringList parents;
        for (QTreeWidgetItem* e : f.entries(row.node)) {
            parents << e->parent()->text(0);
            EXPECT_EQ(e->type(), AnnotationType);
            EXPECT_EQ(e->data(DataColumn, KindRole).toString(), row.kind);
            EXPECT_EQ(e->flags(), GroupFlags);
        }
        EXPECT_EQ(parents, row.parents) << row.node->getName();
    }
    EXPECT_EQ(f.entry(hidden.get())->checkState(0), Qt::Unchecked);
    EXPECT_EQ(f.entry(plain.get())->checkState(0), Qt::Checked);
    EXPECT_EQ(f.tree->groupNames, (QMap<int, QString>{{3, "A"}, {5, "B"}}));
    EXPECT_EQ(f.topTexts(), (QStringList{"PMI", "Note", "Measure", "Section", "A", "B"}));
    EXPECT_EQ(groupNumberOf(f.top("B")), 5);
    EXPECT_EQ(f.top("B")->checkState(0), Qt::Checked);

    // Rebuilding notes leaves the measure in group A alone.
    f.notes->NotifyNoteChanged(nullptr);
    EXPECT_EQ(f.parentText(m.get()), "A");
    EXPECT_EQ(f.entries(twoGroups.get()).size(), 2);
    EXPECT_FALSE(f.panel.isBusy());
}

TEST(AnnotationPanel, PmiRefillLabelsEntriesAndKeepsTheNodeNames)
{
    Fixture f;
    std::list<osg::ref_ptr<osg::Node>> pmi;
    for (const char* name : {"Datum A", "Flatness", "Bore"}) {
        osg::ref_ptr<Vantor::PMI> node = new Vantor::PMI;
        node->setName(name);
        pmi.push_back(node);
    }
    pmi.back()->setNodeMask(0);
    f.panel.updatePMITree(pmi);
    f.panel.updatePMITree(pmi); // a second refill replaces, never appends
    QTreeWidgetItem* category = f.top("PMI");
    ASSERT_EQ(category->childCount(), 3);
    int i = 0;
    for (const auto& node : pmi) {
        QTreeWidgetItem* e = category->child(i);
        EXPECT_EQ(e->text(0), QString("PMI%1").arg(i));
        EXPECT_EQ(nodeOf(e), node.get());
        ++i;
    }
    EXPECT_EQ(pmi.front()->getName(), "Datum A");
    EXPECT_EQ(category->child(2)->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(f.panel.isBusy());
}

TEST(AnnotationPanel, CheckBoxesShowAndHide)
{
    Fixture f;
    auto g1 = f.note("g1", {{0, "G"}});
    auto g2 = f.note("g2", {{0, "G"}});
    auto loose = f.note("loose");
    auto m = f.measure("m");
    std::list<osg::ref_ptr<osg::Node>> pmi{new Vantor::PMI, new Vantor::PMI};
    f.panel.updatePMITree(pmi);
    QTreeWidgetItem* group = f.top("G");

    // One note of a group unchecked: only it is hidden, though the group turns partial.
    f.entry(g1.get())->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(group->checkState(0), Qt::PartiallyChecked);
    EXPECT_EQ(g1->getNodeMask(), 0u);
    EXPECT_EQ(g2->getNodeMask(), 0xFFFFFFFFu);
    f.entry(g1.get())->setCheckState(0, Qt::Checked);
    EXPECT_EQ(g1->getNodeMask(), 0xFFFFFFFFu);

    // The group unchecked hides all of it.
    group->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(g1->getNodeMask(), 0u);
    EXPECT_EQ(g2->getNodeMask(), 0u);
    EXPECT_EQ(loose->getNodeMask(), 0xFFFFFFFFu);
    group->setCheckState(0, Qt::Checked);
    EXPECT_EQ(g2->getNodeMask(), 0xFFFFFFFFu);

    // The Note category hides its ungrouped notes without touching their boxes.
    f.top("Note")->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(loose->getNodeMask(), 0u);
    EXPECT_EQ(f.entry(loose.get())->checkState(0), Qt::Checked);
    EXPECT_EQ(m->getNodeMask(), 0xFFFFFFFFu);
    EXPECT_EQ(g1->getNodeMask(), 0xFFFFFFFFu);

    // The PMI category hides every PMI and unchecks its entries.
    f.top("PMI")->setCheckState(0, Qt::Unchecked);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(f.top("PMI")->child(i)->checkState(0), Qt::Unchecked);
    for (const auto& node : pmi)
        EXPECT_EQ(node->getNodeMask(), 0u);

    // A measure entry hides and shows its measure.
    f.entry(m.get())->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(m->getNodeMask(), 0u);
}

TEST(AnnotationPanel, CheckingASelectedAnnotationAppliesToTheWholeSelection)
{
    Fixture f;
    auto a = f.note("a");
    auto b = f.note("b");
    auto other = f.note("other");
    std::list<osg::ref_ptr<osg::Node>> pmi{new Vantor::PMI, new Vantor::PMI};
    f.panel.updatePMITree(pmi);
    // The selection holds both PMI nodes and a note: syncing the PMI boxes re-enters the check handler,
    // which clears the selection the outer loop is walking.
    NodePtrList selected{pmi.front(), pmi.back(), a};
    f.selection->addSelectedList(selected);
    ASSERT_EQ(f.selection->getSelectedList().size(), 3u);

    f.top("PMI")->child(0)->setCheckState(0, Qt::Unchecked);
    for (const auto& node : pmi)
        EXPECT_EQ(node->getNodeMask(), 0u);
    EXPECT_EQ(f.top("PMI")->child(1)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(a->getNodeMask(), 0u);
    EXPECT_EQ(b->getNodeMask(), 0xFFFFFFFFu);
    EXPECT_TRUE(f.selection->getSelectedList().empty());

    // A node that is not selected changes alone, and the selection is emptied all the same.
    f.selection->addSelected(b.get());
    f.entry(other.get())->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(other->getNodeMask(), 0u);
    EXPECT_EQ(b->getNodeMask(), 0xFFFFFFFFu);
    EXPECT_TRUE(f.selection->getSelectedList().empty());
}

TEST(AnnotationPanel, ClicksSelectInTheSceneAndTheSceneSelectionComesBackWithoutEcho)
{
    Fixture f;
    auto a = f.note("a");
    auto b = f.note("b");
    auto m = f.measure("m", {{0, "G"}});
    f.tree->expandAll();
    QApplication::processEvents();

    // A plain click takes the tree's selection and clears the scene's first.
    f.click(f.entry(a.get()));
    EXPECT_EQ(f.selection->getSelectedList(), (NodePtrList{a}));
    EXPECT_TRUE(Vantor::isNodeSelected(a.get()));

    // Ctrl-click on an unselected entry adds it.
    f.click(f.entry(b.get()), Qt::ControlModifier);
    EXPECT_EQ(f.selection->getSelectedList(), (NodePtrList{a, b}));
    // The mirror keeps both entries selected in the tree.
    EXPECT_TRUE(f.entry(a.get())->isSelected());
    EXPECT_TRUE(f.entry(b.get())->isSelected());

    // Ctrl-click on a selected one takes it out.
    f.click(f.entry(a.get()), Qt::ControlModifier);
    EXPECT_EQ(f.selection->getSelectedList(), (NodePtrList{b}));

    // Shift, or Ctrl with another modifier, counts as a plain click.
    f.click(f.entry(m.get()), Qt::ControlModifier | Qt::ShiftModifier);
    const NodePtrList afterShift = f.selection->getSelectedList();
    EXPECT_FALSE(afterShift.empty());
    EXPECT_EQ(afterShift.back(), osg::ref_ptr<osg::Node>(m));

    // Categories and groups do nothing.
    const int calls = f.selectCalls;
    f.click(f.top("Note"));
    f.click(f.top("G"));
    EXPECT_EQ(f.selectCalls, calls);

    // The scene selects: the tree follows, and no click or check change goes back to the scene.
    QSignalSpy selects(&f.panel, SIGNAL(selectNode(NodePtrList, bool)));
    f.selection->clearSelection();
    NodePtrList two{a, m};
    f.selection->addSelectedList(two);
    EXPECT_TRUE(f.entry(a.get())->isSelected());
    EXPECT_TRUE(f.entry(m.get())->isSelected());
    EXPECT_FALSE(f.entry(b.get())->isSelected());
    EXPECT_EQ(selects.count(), 0);
    EXPECT_EQ(f.selection->getSelectedList().size(), 2u);

    // One node added: it becomes the current entry.
    f.selection->addSelected(b.get());
    EXPECT_EQ(f.tree->currentItem(), f.entry(b.get()));
    f.selection->clearSelection();
    EXPECT_EQ(f.tree->currentItem(), nullptr);
    EXPECT_EQ(selects.count(), 0);
}

TEST(AnnotationPanel, ContextMenusFollowTheEntry)
{
    Fixture f;
    auto loose = f.note("loose");
    auto grouped = f.note("grouped", {{0, "G"}});
    std::list<osg::ref_ptr<osg::Node>> pmi{new Vantor::PMI};
    f.panel.updatePMITree(pmi);

    struct Row
    {
        QTreeWidgetItem* item;
        QStringList actions;
    };
    const Row rows[] = {
        {nullptr, {"CreateNode"}},
        {f.top("PMI"), {}},
        {f.top("PMI")->child(0), {}},
        {f.top("Note"), {"actionGoToNewGroupNode", "actionClearNode"}},
        {f.top("G"), {"actionRenameNode", "RevertNode", "DeleteNode"}},
        {f.entry(loose.get()),
         {"actionEditProperties", "actionViewProperties", "actionRenameNode", "actionGoToGroupNode", "DeleteNode"}},
        {f.entry(grouped.get()),
         {"actionEditProperties", "actionViewProperties", "actionRenameNode", "actionGoToGroupNode", "RevertNode",
          "DeleteNode"}},
    };
    for (const Row& row : rows) {
        if (row.item)
            f.select({row.item});
        std::unique_ptr<QMenu> menu(f.panel.buildContextMenu(row.item));
        EXPECT_EQ(actionNames(menu.get()), row.actions) << (row.item ? row.item->text(0) : QString("empty")).toStdString();
    }

    // With two entries selected, no property actions; the group submenu lists the new group, then the groups.
    f.select({f.entry(grouped.get()), f.entry(loose.get())});
    std::unique_ptr<QMenu> menu(f.panel.buildContextMenu(f.entry(loose.get())));
    EXPECT_EQ(actionNames(menu.get()), (QStringList{"actionRenameNode", "actionGoToGroupNode", "DeleteNode"}));
    QMenu* groups = menu->actions().at(1)->menu();
    ASSERT_NE(groups, nullptr);
    ASSERT_EQ(groups->actions().size(), 3);
    EXPECT_EQ(groups->actions().at(0)->data().toInt(), -1);
    EXPECT_TRUE(groups->actions().at(1)->isSeparator());
    EXPECT_EQ(groups->actions().at(2)->text(), "G");
    EXPECT_EQ(groups->actions().at(2)->data().toInt(), 0);

    // Choosing group G from the submenu files both notes there, each in that one group only.
    groups->actions().at(2)->trigger();
    EXPECT_EQ(loose->getGroup(), (std::map<int, std::string>{{0, "G"}}));
    EXPECT_EQ(f.parentText(loose.get()), "G");
}

TEST(AnnotationPanel, GroupNumbersAndNames)
{
    Fixture f;
    struct Row
    {
        QList<int> numbers;
        int next;
    };
    const Row rows[] = {{{}, 0}, {{0, 1, 3}, 2}, {{2, 3}, 4}, {{0}, 1}};
    for (const Row& row : rows) {
        f.tree->groupNames.clear();
        for (int n : row.numbers)
            f.tree->groupNames[n] = QString::number(n);
        EXPECT_EQ(f.panel.getkey(), row.next);
    }

    const QString base = QString::fromUtf8("新建组");
    struct NameRow
    {
        QStringList present;
        QString expected;
    };
    const NameRow names[] = {
        {{}, base},
        {{base}, base + "_1"},
        {{base, base + "_1"}, base + "_2"},
        {{base + "_1"}, base},
    };
    for (const NameRow& row : names) {
        f.panel.resetTree();
        for (const QString& name : row.present) {
            auto* item = new QTreeWidgetItem(TopLevelType);
            item->setText(0, name);
            f.tree->addTopLevelItem(item);
        }
        f.panel.CreatGroup();
        EXPECT_EQ(f.tree->topLevelItem(f.tree->topLevelItemCount() - 1)->text(0), row.expected);
        f.typeIntoEditor(f.tree->currentItem()->text(0)); // an unchanged name closes the editor
        EXPECT_FALSE(f.panel.isBusy());
    }
}

TEST(AnnotationPanel, DeleteIsOneUndoStepAndRemovesEachAnnotationOnce)
{
    Fixture f;
    auto n1 = f.note("n1", {{0, "G"}, {1, "H"}}); // listed twice
    auto n2 = f.note("n2");
    auto m = f.measure("m");
    auto s = f.section("s");
    f.tree->expandAll();
    f.select({f.entries(n1.get()).at(0), f.entries(n1.get()).at(1), f.entry(n2.get()), f.entry(m.get()),
              f.entry(s.get())});
    f.panel.on_actionDeleteNode_triggered();

    EXPECT_TRUE(f.notes->GetAllNote().empty());
    EXPECT_TRUE(f.measures->GetAllMeasure().empty());
    EXPECT_TRUE(f.sections->GetAllSection().empty());
    EXPECT_EQ(f.commands->undoCount(), 1u);
    EXPECT_EQ(f.top("Note")->childCount(), 0);
    EXPECT_EQ(f.top("G")->childCount(), 0);

    ASSERT_TRUE(f.commands->Undo());
    EXPECT_EQ(f.notes->GetAllNote(), (std::vector<osg::ref_ptr<Vantor::Note>>{n1, n2}));
    EXPECT_EQ(f.measures->GetAllMeasure().size(), 1u);
    EXPECT_EQ(f.sections->GetAllSection().size(), 1u);
    EXPECT_EQ(f.entries(n1.get()).size(), 2);
    EXPECT_EQ(f.parentText(s.get()), "Section");
}

TEST(AnnotationPanel, DeletingAGroupDeletesItsAnnotationsAndTheGroup)
{
    Fixture f;
    auto inGroup = f.note("in", {{2, "G"}});
    auto m = f.measure("m", {{2, "G"}});
    auto outside = f.note("out");
    f.select({f.top("G")});
    f.panel.on_actionDeleteNode_triggered();
    EXPECT_EQ(f.notes->GetAllNote(), (std::vector<osg::ref_ptr<Vantor::Note>>{outside}));
    EXPECT_TRUE(f.measures->GetAllMeasure().empty());
    EXPECT_EQ(f.top("G"), nullptr);
    EXPECT_FALSE(f.tree->groupNames.contains(2));
    EXPECT_EQ(f.commands->undoCount(), 1u);

    // Categories cannot be deleted; clearing one removes its annotations as one step and keeps it.
    f.select({f.top("Note")});
    f.panel.on_actionDeleteNode_triggered();
    EXPECT_EQ(f.notes->GetAllNote().size(), 1u);
    f.panel.on_actionClearGroupChildNode_triggered();
    EXPECT_TRUE(f.notes->GetAllNote().empty());
    EXPECT_NE(f.top("Note"), nullptr);
    EXPECT_EQ(f.commands->undoCount(), 2u);
}

TEST(AnnotationPanel, UngroupAndMoveToANewGroup)
{
    Fixture f;
    auto a = f.note("a", {{0, "G"}});
    auto b = f.note("b");
    auto m = f.measure("m");
    f.select({f.entry(a.get())});
    f.panel.on_actionRevertNode_triggered();
    EXPECT_TRUE(a->getGroup().empty());
    EXPECT_EQ(f.parentText(a.get()), "Note");

    f.select({f.entry(b.get()), f.entry(m.get())});
    f.panel.on_actionGoToNewGroup_triggered();
    const int number = f.panel.getkey() - 1;
    const QString name = f.tree->groupNames.value(number);
    EXPECT_EQ(b->getGroup(), (std::map<int, std::string>{{number, name.toLocal8Bit().toStdString()}}));
    EXPECT_EQ(f.parentText(m.get()), name);
    EXPECT_TRUE(f.panel.isBusy()); // the editor is open on the new group's name
    f.typeIntoEditor("Review");
    EXPECT_FALSE(f.panel.isBusy());
    EXPECT_EQ(f.tree->groupNames.value(number), "Review");
    EXPECT_EQ(m->getGroup(), (std::map<int, std::string>{{number, "Review"}}));
}

TEST(AnnotationPanel, DropsRegroupTheSelection)
{
    Fixture f;
    auto a = f.note("a");
    auto b = f.note("b");
    auto m = f.measure("m");
    auto elsewhere = f.note("elsewhere", {{4, "Other"}});
    f.note("anchor", {{7, "Target"}});
    std::list<osg::ref_ptr<osg::Node>> pmi{new Vantor::PMI};
    f.panel.updatePMITree(pmi);
    f.tree->expandAll();
    QSignalSpy updates(f.tree, SIGNAL(updateNode()));

    // Two notes and a measure dropped onto a group join it in one go.
    f.select({f.entry(a.get()), f.entry(b.get()), f.entry(m.get())});
    f.drop(f.top("Target"));
    for (Vantor::AnnotationInfo* info : std::initializer_list<Vantor::AnnotationInfo*>{a.get(), b.get(), m.get()})
        EXPECT_EQ(info->getGroup(), (std::map<int, std::string>{{7, "Target"}}));
    EXPECT_EQ(f.parentText(a.get()), "Target");
    EXPECT_EQ(f.parentText(m.get()), "Target");
    EXPECT_EQ(updates.count(), 1);

    // A note dropped on the Measure category stays where it is; on the Note category it is ungrouped.
    f.tree->expandAll();
    f.select({f.entry(a.get())});
    f.drop(f.top("Measure"));
    EXPECT_EQ(a->getGroup(), (std::map<int, std::string>{{7, "Target"}}));
    EXPECT_EQ(updates.count(), 2);
    f.select({f.entry(a.get())});
    f.drop(f.top("Note"));
    EXPECT_TRUE(a->getGroup().empty());

    // The PMI category, annotation entries and foreign drags change no group.
    f.tree->expandAll();
    f.select({f.entry(elsewhere.get())});
    f.drop(f.top("PMI"));
    f.drop(f.entry(b.get()));
    f.drop(f.top("Target"), "text/plain");
    EXPECT_EQ(elsewhere->getGroup(), (std::map<int, std::string>{{4, "Other"}}));
    f.select({f.top("PMI")->child(0)});
    f.drop(f.top("Target"));
    EXPECT_EQ(f.top("PMI")->childCount(), 1);
}

TEST(AnnotationPanel, RenameAnnotationsAndGroups)
{
    Fixture f;
    auto a = f.note("a");
    auto b = f.note("b", {{1, "G"}});
    auto c = f.note("c", {{2, "H"}});
    f.tree->expandAll();

    // An annotation: its node takes the new name, in the local 8-bit encoding.
    f.select({f.entry(a.get())});
    f.panel.on_actionRenameNode_triggered();
    EXPECT_TRUE(f.panel.isBusy());
    f.typeIntoEditor(QString::fromUtf8("螺栓"));
    EXPECT_EQ(a->getName(), QString::fromUtf8("螺栓").toLocal8Bit().toStdString());
    EXPECT_FALSE(f.panel.isBusy());

    // A group named like another group or a category is refused and the editor stays open.
    f.select({f.top("G")});
    f.panel.on_actionRenameNode_triggered();
    for (const char* taken : {"H", "Note"}) {
        const int before = f.prompts.informations;
        f.typeIntoEditor(taken);
        EXPECT_EQ(f.prompts.informations, before + 1);
        EXPECT_EQ(f.prompts.lastInformation, QString::fromUtf8("该组名已经存在，请重新命名!"));
        EXPECT_NE(f.openEditor(), nullptr);
        EXPECT_TRUE(f.panel.isBusy());
    }
    f.typeIntoEditor("Fasteners");
    EXPECT_EQ(f.openEditor(), nullptr);
    EXPECT_FALSE(f.panel.isBusy());
    EXPECT_EQ(f.tree->groupNames.value(1), "Fasteners");
    EXPECT_EQ(b->getGroup(), (std::map<int, std::string>{{1, "Fasteners"}}));
    EXPECT_EQ(c->getGroup(), (std::map<int, std::string>{{2, "H"}}));

    // A rename asked for on a category or a PMI entry opens nothing and leaves the panel free.
    std::list<osg::ref_ptr<osg::Node>> pmi{new Vantor::PMI};
    f.panel.updatePMITree(pmi);
    for (QTreeWidgetItem* item : {f.top("Note"), f.top("PMI")->child(0)}) {
        f.select({item});
        f.panel.on_actionRenameNode_triggered();
        EXPECT_FALSE(f.panel.isBusy());
        EXPECT_EQ(f.openEditor(), nullptr);
    }
}

TEST(AnnotationPanel, RenameAfterARebuildFinishesOnItsOwnEntry)
{
    Fixture f;
    auto a = f.note("a");
    auto b = f.note("b");
    f.select({f.entry(a.get())});
    f.panel.on_actionRenameNode_triggered();
    ASSERT_NE(f.openEditor(), nullptr);

    // A change of the notes rebuilds the entries under the open editor.
    f.notes->NotifyNoteChanged(nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(f.panel.isBusy());

    // The edit key opens an editor on b; finishing it renames b and nothing else.
    f.select({f.entry(b.get())});
    f.tree->setFocus();
    QTest::keyClick(f.tree, Qt::Key_F2);
    ASSERT_NE(f.openEditor(), nullptr);
    EXPECT_TRUE(f.panel.isBusy());
    f.typeIntoEditor("renamed");
    EXPECT_EQ(b->getName(), "renamed");
    EXPECT_EQ(a->getName(), "a");
    EXPECT_FALSE(f.panel.isBusy());
}

TEST(AnnotationPanel, AttributesAreViewedOrEditedThroughTheDialog)
{
    Fixture f;
    auto m = f.measure("m");
    m->CoordinationUserData({{"Time", "2026-01-01"}, {"Reviewer note", "keep"}});
    f.select({f.entry(m.get())});

    bool enabledSeen = true;
    f.prompts.onExec = [&](QDialog* dialog) {
        auto* d = qobject_cast<CollaborativeAttributeDialog*>(dialog);
        ASSERT_NE(d, nullptr);
        enabledSeen = d->ui()->lineEdit_Creater->isEnabled();
        EXPECT_EQ(d->ui()->lineEdit_Time->text(), "2026-01-01");
        d->ui()->lineEdit_Creater->setText("Wang");
        d->ui()->comboBox_State->setCurrentIndex(1);
        d->ui()->okButton->click();
    };
    // Viewing: OK writes nothing.
    f.panel.on_actionViewProperties_triggered();
    EXPECT_FALSE(enabledSeen);
    EXPECT_EQ(m->CoordinationUserData().size(), 2u);

    // Editing: the four keys are merged into the map; other keys stay.
    f.panel.on_actionEditProperties_triggered();
    EXPECT_TRUE(enabledSeen);
    const auto data = m->CoordinationUserData();
    EXPECT_EQ(data.at("Creater"), "Wang");
    EXPECT_EQ(data.at("State"), QString::fromUtf8("修改中").toLocal8Bit().toStdString());
    EXPECT_EQ(data.at("Reviewer note"), "keep");
    EXPECT_EQ(data.size(), 5u);
}
