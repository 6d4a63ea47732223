#include "dialogs/CollisionDialog.h"

#include "common/Prompts.h"
#include "dialogs/CollisionCancelDialog.h"
#include "dialogs/MyCollisionCallback.h"
#include "ribbon/RibbonIcons.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/collision/CollisionManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <set>

namespace {

// Below this a distance counts as zero when a result's kind is not known.
constexpr float kZeroDistance = 1.1920929e-7f;

// Removes repeated nodes, leaving the list ordered by node identity.
void makeUnique(std::list<osg::ref_ptr<osg::Node>>& list)
{
    std::set<osg::Node*> seen;
    std::list<osg::ref_ptr<osg::Node>> sorted;
    for (const osg::ref_ptr<osg::Node>& node : list)
        if (node && seen.insert(node.get()).second)
            sorted.push_back(node);
    sorted.sort([](const osg::ref_ptr<osg::Node>& a, const osg::ref_ptr<osg::Node>& b) { return a.get() < b.get(); });
    list.swap(sorted);
}

QHBoxLayout* spacedRow(std::initializer_list<QWidget*> widgets, bool leadingSpacer, bool trailingSpacer)
{
    auto* row = new QHBoxLayout;
    if (leadingSpacer)
        row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    for (QWidget* w : widgets)
        row->addWidget(w);
    if (trailingSpacer)
        row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return row;
}

} // namespace

CollisionDialog::CollisionDialog(QWidget* parent) : QDialog(parent)
{
    qRegisterMetaType<std::list<Vantor::CollisionInfo>>("std::list<Vantor::CollisionInfo>");
    setupForm();
    setWindowFlags(Qt::WindowFlags(0x8040003)); // dialog, stays on top, close button
}

CollisionDialog::~CollisionDialog()
{
    stopAndWait();
}

void CollisionDialog::setupForm()
{
    setWindowIcon(QIcon(QStringLiteral(":/VantorViewer/Nerio3dViewer.ico")));
    setWindowTitle(tr("Detection object"));
    setAccessibleName(tr("Detection object"));
    m_cancelDialog = new CollisionCancelDialog(parentWidget());

    auto* layout = new QVBoxLayout(this);
    m_modeSelector = new QComboBox(this);
    m_modeSelector->addItems({tr("object 1 vs object 2"), tr("object 1 vs all"), tr("Selected object")});
    m_modeSelector->setAccessibleName(tr("Detection mode"));
    layout->addWidget(m_modeSelector);

    const auto objectRows = [this, layout](const QString& label, QPushButton*& add, QPushButton*& remove,
                                           QTableView*& table, QStandardItemModel*& rows, const QString& number) {
        layout->addWidget(new QLabel(label, this));
        // The icons are built into the program; the dialog may open before the ribbon registers them.
        registerRibbonIcons();
        add = new QPushButton(QIcon(QStringLiteral(":/VantorViewer/icon/addTodo.png")), QString(), this);
        add->setAccessibleName(tr("Add to object %1").arg(number));
        add->setToolTip(add->accessibleName());
        remove = new QPushButton(QIcon(QStringLiteral(":/VantorViewer/icon/delete.png")), QString(), this);
        remove->setAccessibleName(tr("Remove from object %1").arg(number));
        remove->setToolTip(remove->accessibleName());
        // Words where the icons are not built in.
        if (add->icon().isNull())
            add->setText(tr("Add"));
        if (remove->icon().isNull())
            remove->setText(tr("Delete"));
        layout->addLayout(spacedRow({add, remove}, false, true));
        rows = new QStandardItemModel(this);
        table = new QTableView(this);
        table->setModel(rows);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setAccessibleName(tr("Object %1 list").arg(number));
        layout->addWidget(table);
    };
    objectRows(tr("object 1:"), m_buttonOneAdd, m_buttonOneDelete, m_tableOne, m_rowsOne, QStringLiteral("1"));
    auto* picture = new QLabel(this);
    picture->setAccessibleName(tr("Separator"));
    layout->addLayout(spacedRow({picture}, true, true));
    objectRows(tr("object 2:"), m_buttonTwoAdd, m_buttonTwoDelete, m_tableTwo, m_rowsTwo, QStringLiteral("2"));

    layout->addWidget(new QLabel(tr("Detection type:"), this));
    auto* collisionButton = new QRadioButton(tr("Collision detection"), this);
    collisionButton->setChecked(true);
    collisionButton->setAccessibleName(tr("Collision detection"));
    layout->addWidget(collisionButton);
    m_contactOption = new QCheckBox(tr("Contact (accurate to 0.01mm)"), this);
    m_contactOption->setAccessibleName(tr("Contact (accurate to 0.01mm)"));
    layout->addLayout(spacedRow({m_contactOption}, true, true));
    auto* clearanceButton = new QRadioButton(tr("Clearance inspection"), this);
    clearanceButton->setAccessibleName(tr("Clearance inspection"));
    layout->addWidget(clearanceButton);
    m_detectionType = new QButtonGroup(this);
    m_detectionType->addButton(collisionButton, 0);
    m_detectionType->addButton(clearanceButton, 1);
    m_clearance = new QSpinBox(this);
    m_clearance->setMaximum(65535);
    m_clearance->setAccessibleName(tr("Clearance in millimetres"));
    layout->addLayout(spacedRow({new QLabel(QStringLiteral("d="), this), m_clearance, new QLabel(QStringLiteral("mm"), this)},
                                true, true));

    m_computeButton = new QPushButton(tr("compute"), this);
    m_computeButton->setAccessibleName(tr("compute"));
    m_cancelButton = new QPushButton(tr("cancel"), this);
    m_cancelButton->setAccessibleName(tr("cancel"));
    layout->addLayout(spacedRow({m_computeButton, m_cancelButton}, true, false));

    connect(m_buttonOneAdd, &QPushButton::clicked, this, &CollisionDialog::on_ButtonOneAdd_checked);
    connect(m_buttonOneDelete, &QPushButton::clicked, this, &CollisionDialog::on_ButtonOnedelete_checked);
    connect(m_buttonTwoAdd, &QPushButton::clicked, this, &CollisionDialog::on_ButtonTwoAdd_checked);
    connect(m_buttonTwoDelete, &QPushButton::clicked, this, &CollisionDialog::on_ButtonTwodelete_checked);
    connect(m_computeButton, &QPushButton::clicked, this, &CollisionDialog::on_ButtonCompute_checked);
    connect(m_cancelButton, &QPushButton::clicked, this, &CollisionDialog::on_Buttoncancel_checked);
    connect(m_modeSelector, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CollisionDialog::on_ComboboxIndex_Changed);
    connect(this, &CollisionDialog::updateProcess, m_cancelDialog, &CollisionCancelDialog::SetProcess);
    connect(this, &CollisionDialog::hideCancelDialog, m_cancelDialog, &CollisionCancelDialog::OnHideCancelDialog);
    connect(this, &CollisionDialog::UpdateCollisonPair, m_cancelDialog, &CollisionCancelDialog::OnUpdateCollisonPair);
}

void CollisionDialog::resetObjectLists()
{
    m_objectList1.clear();
    m_objectList2.clear();
    fillRows(m_rowsOne, m_objectList1);
    fillRows(m_rowsTwo, m_objectList2);
}

void CollisionDialog::fillRows(QStandardItemModel* rows, const NodeList& list)
{
    rows->clear();
    rows->setColumnCount(2);
    rows->setHorizontalHeaderLabels({tr("Name"), tr("Type")});
    for (const osg::ref_ptr<osg::Node>& node : list) {
        auto* name = new QStandardItem(QString::fromLocal8Bit(node->getName().c_str()));
        rows->appendRow({name, new QStandardItem});
    }
}

void CollisionDialog::on_ComboboxIndex_Changed(int index)
{
    resetObjectLists();
    m_mode = index;
    if (index < 0 || index > 2)
        return;
    const bool second = index == 0;
    for (QWidget* w : std::initializer_list<QWidget*>{m_buttonOneAdd, m_buttonOneDelete, m_tableOne})
        w->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{m_buttonTwoAdd, m_buttonTwoDelete, m_tableTwo})
        w->setEnabled(second);
}

void CollisionDialog::addSelection(NodeList& list, QStandardItemModel* rows, int listNumber)
{
    if (!m_SceneView) {
        Prompts::get().warning(this, tr("Error"), tr("m_SceneView == nullptr"));
        return;
    }
    Vantor::ISelectionManager* selection = m_SceneView->getSelectionManager();
    if (!selection || selection->getSelectedList().empty()) {
        Prompts::get().warning(this, tr("warning"), tr("NodePtrList is empty"));
        return;
    }
    const std::size_t before = list.size();
    for (const osg::ref_ptr<osg::Node>& node : selection->getSelectedList())
        Vantor::OsgHelper::GetBottomNode(node.get(), list, 1);
    makeUnique(list);
    if (list.size() <= before) {
        const QString text = listNumber == 1 ? tr("选中节点已在对象1列表中。") : tr("选中节点已在对象2列表中。");
        Prompts::get().information(this, tr("提示"), text);
        return;
    }
    fillRows(rows, list);
}

void CollisionDialog::on_ButtonOneAdd_checked()
{
    addSelection(m_objectList1, m_rowsOne, 1);
}

void CollisionDialog::on_ButtonTwoAdd_checked()
{
    addSelection(m_objectList2, m_rowsTwo, 2);
}

void CollisionDialog::deleteSelected(NodeList& list, QStandardItemModel* rows, QTableView* table)
{
    QItemSelectionModel* selection = table->selectionModel();
    if (!selection) {
        Prompts::get().warning(this, tr("warning"), tr("Cannot find the selected item"));
        return;
    }
    std::set<int> chosen;
    for (const QModelIndex& index : selection->selectedIndexes())
        chosen.insert(index.row());
    if (chosen.empty())
        return;
    // Rows and list entries stand in the same order; remove from the end so the rows keep their numbers.
    std::vector<NodeList::iterator> entries;
    for (auto it = list.begin(); it != list.end(); ++it)
        entries.push_back(it);
    for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) {
        if (*row < 0 || *row >= int(entries.size()))
            continue;
        list.erase(entries[*row]);
        rows->removeRow(*row);
    }
}

void CollisionDialog::on_ButtonOnedelete_checked()
{
    deleteSelected(m_objectList1, m_rowsOne, m_tableOne);
}

void CollisionDialog::on_ButtonTwodelete_checked()
{
    deleteSelected(m_objectList2, m_rowsTwo, m_tableTwo);
}

void CollisionDialog::on_Buttoncancel_checked()
{
    resetObjectLists();
    close();
}

std::shared_ptr<MyCollisionCallback> CollisionDialog::makeCallback(int run)
{
    return std::make_shared<MyCollisionCallback>(this, run);
}

void CollisionDialog::on_ButtonCompute_checked()
{
    if (m_running) {
        Vantor::LogHandler::getInstance()->reportWarning(tr("An interference check is still running"));
        return;
    }
    if (m_detectionType->checkedId() != 0)
        m_tolerance = static_cast<float>(m_clearance->value());
    else
        m_tolerance = m_contactOption->isChecked() ? 0.01f : 0.0f;

    if (!startWorker())
        return;
    close();
    m_cancelDialog->exec();
    finishRun();
    emit CollisionComputed();
}

bool CollisionDialog::startWorker()
{
    if (!m_SceneView) {
        Prompts::get().warning(this, tr("Error"), tr("m_SceneView == nullptr"));
        return false;
    }
    if (m_mode < 0 || m_mode > 2)
        return false;
    osg::ref_ptr<osgViewer::View> view = m_SceneView->getView();
    osg::ref_ptr<Vantor::Model> top = view ? Vantor::Model::GetTopModel(view->getSceneData()) : nullptr;
    if (!top) {
        Prompts::get().warning(this, tr("warning"), tr("No model is loaded."));
        return false;
    }
    NodeList first = m_objectList1;
    NodeList second = m_objectList2;
    if (first.empty()) {
        Prompts::get().warning(this, tr("warning"), tr("Object 1 has no objects to check."));
        return false;
    }
    if (m_mode == 0 && second.empty()) {
        Prompts::get().warning(this, tr("warning"), tr("Object 2 has no objects to check."));
        return false;
    }
    if (m_mode == 1) {
        // The whole model, for this check only: the dialog's own list 2 stays as the user left it.
        Vantor::OsgHelper::GetBottomNode(top.get(), second, 1);
        makeUnique(second);
    }

    std::shared_ptr<Vantor::CollisionManager> manager = m_SceneView->GetCollisionManager();
    manager->SetInterval(m_tolerance);
    if (m_mode == 2) {
        const osg::BoundingSphere bound = top->getBound();
        const float a = 1.5f * float(bound.radius());
        const osg::Vec3f c = bound.center();
        manager->InitCollisionWorld(c - osg::Vec3f(a, a, a), c + osg::Vec3f(a, a, a));
    }

    ++m_run;
    m_callback = makeCallback(m_run);
    m_cancelDialog->setCallback(m_callback);
    m_tableHoldsResults = false;
    m_running = true;
    const bool self = m_mode == 2;
    std::shared_ptr<Vantor::CollisionCallback> callback = m_callback;
    m_worker = std::thread([manager, first, second, callback, self] {
        if (self)
            manager->DetectSelfCollision(first, callback.get());
        else
            manager->DetectMultiToMulti(first, second, callback.get());
    });
    return true;
}

void CollisionDialog::finishRun()
{
    stopAndWait();
    m_cancelDialog->setCallback(nullptr);
}

void CollisionDialog::stopAndWait()
{
    if (m_worker.joinable()) {
        if (m_callback)
            m_callback->Stop(); // at once when the run already ended
        m_worker.join();
    }
    m_running = false;
}

void CollisionDialog::setupResultTable()
{
    if (!m_resultTable)
        return;
    m_resultTable->setVisible(true);
    m_resultTable->clear();
    m_resultTable->setRowCount(0);
    m_resultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_resultTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_resultTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_resultTable->setColumnCount(5);
    m_resultTable->setHorizontalHeaderLabels({tr("Type of interference"), tr("Object 1"), tr("Object 2"), tr("Distance"), QString()});
}

QString CollisionDialog::typeText(const Vantor::CollisionInfo& info)
{
    const float d = info.minDistance();
    if (info.type == Vantor::CollisionType::Clearance && d >= kZeroDistance)
        return tr("间隙不足");
    if (info.type == Vantor::CollisionType::Contact)
        return tr("接触");
    return std::fabs(d) >= kZeroDistance ? tr("干涉") : tr("接触");
}

void CollisionDialog::appendResultRow(const Vantor::CollisionInfo& info)
{
    const int row = m_resultTable->rowCount();
    m_resultTable->insertRow(row);
    const auto name = [](const osg::ref_ptr<osg::Node>& node) {
        return node ? QString::fromLocal8Bit(node->getName().c_str()) : QString();
    };
    m_resultTable->setItem(row, 0, new QTableWidgetItem(typeText(info)));
    m_resultTable->setItem(row, 1, new QTableWidgetItem(name(info.node1)));
    m_resultTable->setItem(row, 2, new QTableWidgetItem(name(info.node2)));
    m_resultTable->setItem(row, 3, new QTableWidgetItem(QString::number(double(info.minDistance()), 'f', 2)));
}

void CollisionDialog::refreshResults(std::shared_ptr<const Vantor::CollisionInfoList> results)
{
    if (!results)
        return;
    // A run's results only grow while it goes on: then the rows shown stay and the new ones follow.
    bool extends = m_tableHoldsResults && m_resultTable && results->size() >= m_results.size()
                   && m_resultTable->rowCount() == int(m_results.size());
    if (extends) {
        auto it = results->begin();
        for (const Vantor::CollisionInfo& shown : m_results) {
            if (shown.node1 != it->node1 || shown.node2 != it->node2 || shown.type != it->type) {
                extends = false;
                break;
            }
            ++it;
        }
    }
    const std::size_t shownBefore = extends ? m_results.size() : 0;
    m_results.assign(results->begin(), results->end());
    if (!m_resultTable)
        return;
    if (!extends)
        setupResultTable();
    auto it = m_results.begin();
    std::advance(it, shownBefore);
    for (; it != m_results.end(); ++it)
        appendResultRow(*it);
    m_tableHoldsResults = true;

    if (m_results.empty() && m_callback && m_callback->IsCompleted()) {
        m_resultTable->setRowCount(1);
        auto* none = new QTableWidgetItem(tr("无"));
        none->setTextAlignment(Qt::AlignCenter);
        m_resultTable->setItem(0, 0, none);
        m_tableHoldsResults = false;
    }
}

void CollisionDialog::showCollisionInfo(int row)
{
    if (row < 0 || m_results.empty() || row >= int(m_results.size()) || !m_SceneView)
        return;
    auto it = m_results.begin();
    std::advance(it, row);
    Vantor::CollisionInfo copy = *it;
    SceneModel* scene = m_SceneView->getSceneModel();
    osg::ref_ptr<osg::Node> root = scene ? scene->getRootSwitch() : nullptr;
    m_SceneView->GetCollisionInfoDecoratorManager()->Decorator(copy, root, m_decoratorOption);
    m_SceneView->requestFrame();
}
