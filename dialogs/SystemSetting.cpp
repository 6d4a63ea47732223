#include "dialogs/SystemSetting.h"

#include "common/Prompts.h"
#include "dialogs/ColorCombox.h"
#include "dialogs/SettingsTarget.h"
#include "dialogs/SystemSettingForm.h"
#include "dialogs/SystemSettingKeys.h"
#include "view/SceneView.h"
#include "vantor/walker/WalkerHuman.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QToolButton>
#include <QTreeWidget>

using namespace SystemSettingKeys;

namespace {

QString g_configDirectory;

} // namespace

bool SystemSettingValues::operator==(const SystemSettingValues& o) const
{
    return backColorBegin == o.backColorBegin && backColorEnd == o.backColorEnd && fontColor == o.fontColor
           && markColor == o.markColor && sectionColor == o.sectionColor && contactpairColor == o.contactpairColor
           && collisionColor == o.collisionColor && preselectionColor == o.preselectionColor
           && sectionShow == o.sectionShow && selectionColor == o.selectionColor
           && breakroundTransparent == o.breakroundTransparent && fExactvalue == o.fExactvalue
           && unitType == o.unitType && nFontSize == o.nFontSize && sectionTransparent == o.sectionTransparent
           && PMI == o.PMI && loadEdge == o.loadEdge && faceMerge == o.faceMerge && logOpened == o.logOpened
           && logPath == o.logPath && logLevel == o.logLevel && gridShow == o.gridShow && gridColor == o.gridColor
           && infoShow == o.infoShow && allowPreSelected == o.allowPreSelected
           && allowMultiSelected == o.allowMultiSelected && nRoamHumanHeight == o.nRoamHumanHeight
           && smartSelectBodyLength == o.smartSelectBodyLength && smallFeatureCulling == o.smallFeatureCulling
           && quickAccess == o.quickAccess;
}

SystemSettingValues SystemSetting::defaults()
{
    SystemSettingValues v;
    v.backColorBegin = QColor(QStringLiteral("#b4b4b4"));
    v.backColorEnd = QColor(QStringLiteral("#545454"));
    v.fontColor = QColor(QStringLiteral("#1E90FF"));
    v.markColor = QColor(QStringLiteral("#FF0000"));
    v.sectionColor = QColor(QStringLiteral("#1E90FF"));
    v.contactpairColor = QColor(QStringLiteral("#EEEE00"));
    v.collisionColor = QColor(QStringLiteral("#63B8FF"));
    v.preselectionColor = QColor(QStringLiteral("#00FF00"));
    v.selectionColor = QColor(QStringLiteral("#FF0000"));
    v.gridColor = QColor(QStringLiteral("#E6E6E6"));
    v.quickAccess = QStringList{
        QStringLiteral("Basic_Rotation"),      QStringLiteral("Basic_Translation"),
        QStringLiteral("Basic_Zoom"),          QStringLiteral("Basic_Show"),
        QStringLiteral("Basic_Hide"),          QStringLiteral("Basic_NodeColor"),
        QStringLiteral("Basic_Transparency"),  QStringLiteral("Basic_Basicview"),
        QStringLiteral("Basic_Axisview"),      QStringLiteral("Basic_Adapt"),
        QStringLiteral("Resolve_Freedrop"),    QStringLiteral("Resolve_Directionaldrop"),
        QStringLiteral("Resolve_Alongaxial"),  QStringLiteral("Reset"),
    };
    return v;
}

namespace {

// Controls without a text of their own are known by their row's label.
void nameControls(Ui_SystemSettingWidget& ui)
{
    const auto name = [](QWidget* control, const QLabel* label) {
        control->setAccessibleName(label->text().trimmed());
    };
    name(ui.comboBox, ui.labelUnit);
    name(ui.spinBox, ui.labelExactvalue);
    name(ui.spinBox1, ui.labelFontSize);
    name(ui.checkBox_5, ui.labelSectionShow);
    name(ui.sectionSlider, ui.labelSectionTransparent);
    name(ui.logOpencheckBox, ui.labelLogOpen);
    name(ui.logLevelcomboBox, ui.labelLogLevel);
    name(ui.PathlineEdit, ui.labelLogPath);
    name(ui.checkBox_2, ui.labelGridShow);
    name(ui.checkBox_4, ui.labelSmartSelectBodyLength);
    name(ui.spinBox_2, ui.labelWalkerHumanBodyLength);
    name(ui.AllCommandlistWidget, ui.labelAllCommands);
    name(ui.objectCommandlistWidget, ui.labelChosenCommands);
    name(ui.checkBox_6, ui.labelLoadEdge);
    name(ui.checkBox_7, ui.labelFaceMerge);
    name(ui.spinBox_3, ui.labelCullingData);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             ui.checkBox, ui.AllowPreSelected_CheckBox, ui.AllowMultiSelected_CheckBox, ui.checkBox_PMI, ui.selectpathButton,
             ui.checkBox_3, ui.addButtonR, ui.removeButtonL, ui.Reset_Button, ui.OK_Button, ui.Cancel_Button})
        b->setAccessibleName(b->text().trimmed());
}

} // namespace

SystemSetting::SystemSetting(SettingsTarget* target, QWidget* parent)
    : QDialog(parent), m_target(target), m_targetObject(dynamic_cast<QObject*>(target)),
      m_ui(new Ui_SystemSettingWidget)
{
    m_values = defaults();
    m_ui->setupUi(this);
    nameControls(*m_ui);
    initPages();
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    setControls(m_values, m_markLineWidth);
}

SystemSetting::~SystemSetting() = default;

SettingsTarget* SystemSetting::target() const
{
    return m_targetObject ? m_target : nullptr;
}

osg::Vec4 SystemSetting::sectionColour(const QColor& color)
{
    const auto channel = [](int c) { return float(QString::number(c / 255.0, 'f', 2).toDouble()); };
    return osg::Vec4(channel(color.red()), channel(color.green()), channel(color.blue()), 1.0f);
}

QString SystemSetting::configPath()
{
    if (!g_configDirectory.isEmpty())
        return g_configDirectory + QStringLiteral("/config.ini");
    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir).isWritable())
        return programDir + QStringLiteral("/config.ini");
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/config.ini");
}

void SystemSetting::setConfigDirectory(const QString& directory)
{
    g_configDirectory = directory;
}

void SystemSetting::initPages()
{
    Ui_SystemSettingWidget& ui = *m_ui;
    ui.stackedWidget->setCurrentIndex(0);
    ui.treeWidget->setColumnCount(1);

    const auto item = [](QTreeWidgetItem* parent, QTreeWidget* tree, const QString& text, int page) {
        auto* it = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        it->setText(0, text);
        it->setData(1, Qt::DisplayRole, page);
        return it;
    };
    QTreeWidget* tree = ui.treeWidget;
    QTreeWidgetItem* common = item(nullptr, tree, tr("common"), -1);
    QTreeWidgetItem* backRound = item(common, tree, tr("backRound"), 0);
    item(common, tree, tr("snapshot"), 1);
    item(common, tree, tr("preselection"), 7);
    item(common, tree, tr("isGridShow"), 10);
    item(nullptr, tree, tr("section"), 5);
    item(nullptr, tree, tr("animation"), 11);
    item(nullptr, tree, tr("Roam"), 12);
    QTreeWidgetItem* review = item(nullptr, tree, tr("review"), -1);
    item(review, tree, tr("Measure"), 2);
    item(review, tree, tr("note"), 3);
    item(review, tree, tr("mark"), 4);
    item(review, tree, tr("PMI"), 8);
    item(nullptr, tree, tr("Collision"), 6);
    item(nullptr, tree, tr("performance"), 14);
    item(nullptr, tree, tr("Quick Access Toolbar"), 13);
    item(nullptr, tree, tr("开发者选项"), 9);
    tree->expandAll();
    tree->setCurrentItem(backRound);

    // The colour buttons, each after the label of its row.
    const auto place = [this](QHBoxLayout* row, const QLabel* label, const char* key, int spacerWidth) {
        auto* button = new ColorCombox();
        button->setObjectName(QStringLiteral("colorButton_") + QLatin1String(key));
        button->setAccessibleName(label->text().trimmed());
        row->addWidget(button);
        row->addItem(new QSpacerItem(spacerWidth, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
        m_colorButtons.insert(QString::fromLatin1(key), button);
    };
    place(ui.rowBackColorBegin, ui.labelBackColorBegin, "backColorBegin", 40);
    place(ui.rowBackColorEnd, ui.labelBackColorEnd, "backColorEnd", 40);
    place(ui.rowFontColor, ui.labelFontColor, "fontColor", 40);
    place(ui.rowMarkColor, ui.labelMarkColor, "markColor", 40);
    place(ui.rowSectionColor, ui.labelSectionColor, "sectionColor", 40);
    place(ui.rowCollisionPointColor, ui.labelCollisionPointColor, "contactpairColor", 40);
    place(ui.rowContactPairColor, ui.labelContactPairColor, "collisionColor", 40);
    place(ui.rowPreselectionColor, ui.labelPreselectionColor, "preselectionColor", 40);
    place(ui.rowSelectionColor, ui.labelSelectionColor, "selectionColor", 40);
    place(ui.rowGridColor, ui.labelGridColor, "gridColor", 60);

    m_markLineWidthBox = new QSpinBox();
    m_markLineWidthBox->setObjectName(QStringLiteral("markLineWidthSpinBox"));
    m_markLineWidthBox->setRange(1, 9);
    m_markLineWidthBox->setValue(1);
    m_markLineWidthBox->setFixedWidth(256);
    m_markLineWidthBox->setAccessibleName(ui.labelMarkLineWidth->text().trimmed());
    ui.rowMarkLineWidth->addWidget(m_markLineWidthBox);
    ui.rowMarkLineWidth->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    // The background goes to the view, a gradient from the begin colour (top) to the end colour
    // (bottom); the rest to the slots below.
    connect(this, &SystemSetting::breakroundColorChanged, this, [this](const QColor& color) {
        if (SceneView* view = sceneView())
            if (color.isValid())
                view->setBgGradient(color, m_values.backColorEnd);
    });
    connect(this, &SystemSetting::unitTypeChanged, this, &SystemSetting::setUnitType);
    connect(this, &SystemSetting::ExactvalueChanged, this, &SystemSetting::setExactvalue);
    connect(this, &SystemSetting::FontSizeChanged, this, &SystemSetting::setFontSize);
    connect(this, &SystemSetting::notefontColorChanged, this, &SystemSetting::setFontColor);
    connect(this, &SystemSetting::CollisionColorChanged, this, &SystemSetting::setCollisionColor);
    connect(this, &SystemSetting::preselectionColorChanged, this, &SystemSetting::setPreselectionColor);
    connect(this, &SystemSetting::selectionColorChanged, this, &SystemSetting::setSelectionColor);
    connect(this, &SystemSetting::breakroundTransparentChanged, this, &SystemSetting::setBreakroundTransparentChanged);
    connect(this, &SystemSetting::sectionShowChanged, this, &SystemSetting::setSectionShow);
    connect(this, &SystemSetting::sectionColorChanged, this, &SystemSetting::setSectionColor);
    connect(this, &SystemSetting::sectionTransparentChanged, this, &SystemSetting::setSectionTransparent);
    connect(this, &SystemSetting::readPMIChanged, this, &SystemSetting::setReadPMIChanged);
    connect(this, &SystemSetting::readEdgeChanged, this, &SystemSetting::setReadEdgeChanged);
    connect(this, &SystemSetting::mergeFaceChanged, this, &SystemSetting::setMergeFaceChanged);
    connect(this, &SystemSetting::markColorChanged, this, &SystemSetting::setmarkColor);
    connect(this, &SystemSetting::markLineWidthChanged, this, &SystemSetting::setmarkLineWidth);
    connect(this, &SystemSetting::gridShowChanged, this, &SystemSetting::setGridShow);
    connect(this, &SystemSetting::AllowPreSelectedChanged, this, &SystemSetting::setAllowPreSelected);
    connect(this, &SystemSetting::AllowMultiSelectedChanged, this, &SystemSetting::setAllowMultiSelected);
    connect(this, &SystemSetting::SmallFeatureCulling, this, &SystemSetting::setSmallFeatureCulling);
    connect(this, &SystemSetting::QuickAccessChanged, this, &SystemSetting::setQuickAccessChanged);
    // The walker's person: centimetres in the settings, model units (1/1000 m) in the walker.
    connect(this, &SystemSetting::RoamHumanHeightChanged, this,
            [](int centimetres) { Vantor::WalkerHuman::setHumanBodyLength(10.0f * float(centimetres)); });
    connect(this, &SystemSetting::RoamSmartSelectBodyLength, this,
            [](bool on) { Vantor::WalkerHuman::setSartSelectBodyLength(on); });

    connect(ui.treeWidget, &QTreeWidget::itemClicked, this, &SystemSetting::on_treeWidgetitemClicked);
    // Keyboard users move through the tree without clicking.
    connect(ui.treeWidget, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { on_treeWidgetitemClicked(current, 0); });
    connect(ui.OK_Button, &QPushButton::pressed, this, &SystemSetting::onbuttonOk);
    connect(ui.Cancel_Button, &QPushButton::pressed, this, &SystemSetting::onbuttonClose);
    connect(ui.Reset_Button, &QPushButton::pressed, this, &SystemSetting::defaultSetting);
    connect(ui.selectpathButton, &QToolButton::clicked, this, &SystemSetting::LogSelectpath);
    connect(ui.addButtonR, &QPushButton::clicked, this, &SystemSetting::on_Button_toRight_clicked);
    connect(ui.removeButtonL, &QPushButton::clicked, this, &SystemSetting::on_Button_toLeft_clicked);
}

QMap<QString, QAction*> SystemSetting::actionMap() const
{
    SettingsTarget* window = target();
    return window ? window->getActions() : QMap<QString, QAction*>();
}

void SystemSetting::readConfig()
{
    m_values = readValues(configPath());
    updateWidgets();
    emitAllSettings();
}

// ---- Controls ----

void SystemSetting::setControls(const SystemSettingValues& v, int markLineWidth)
{
    Ui_SystemSettingWidget& ui = *m_ui;
    for (auto it = m_colorButtons.constBegin(); it != m_colorButtons.constEnd(); ++it) {
        for (const Key& key : keys())
            if (key.kind == Kind::Color && it.key() == QLatin1String(key.name))
                it.value()->setColor(v.*key.color);
    }
    m_markLineWidthBox->setValue(markLineWidth);
    ui.checkBox->setChecked(v.breakroundTransparent);
    ui.spinBox->setValue(int(v.fExactvalue));
    ui.comboBox->setCurrentIndex(v.unitType);
    ui.spinBox1->setValue(v.nFontSize);
    ui.checkBox_5->setChecked(v.sectionShow);
    ui.sectionSlider->setValue(v.sectionTransparent);
    ui.checkBox_PMI->setChecked(v.PMI);
    ui.checkBox_6->setChecked(v.loadEdge);
    ui.checkBox_7->setChecked(v.faceMerge);
    ui.logOpencheckBox->setChecked(v.logOpened);
    ui.PathlineEdit->setText(v.logPath);
    ui.logLevelcomboBox->setCurrentIndex(v.logLevel);
    ui.checkBox_2->setChecked(v.gridShow);
    ui.checkBox_3->setChecked(v.infoShow);
    ui.AllowPreSelected_CheckBox->setChecked(v.allowPreSelected);
    ui.AllowMultiSelected_CheckBox->setChecked(v.allowMultiSelected);
    ui.spinBox_2->setValue(v.nRoamHumanHeight);
    ui.checkBox_4->setChecked(v.smartSelectBodyLength);
    ui.spinBox_3->setValue(v.smallFeatureCulling);
    fillQuickAccessLists(v.quickAccess);
}

void SystemSetting::updateWidgets()
{
    setControls(m_values, m_markLineWidth);
}

SystemSettingValues SystemSetting::readControls() const
{
    const Ui_SystemSettingWidget& ui = *m_ui;
    SystemSettingValues v = m_values;
    for (const Key& key : keys()) {
        if (key.kind != Kind::Color)
            continue;
        const ColorCombox* button = m_colorButtons.value(QString::fromLatin1(key.name));
        if (button && button->color().isValid())
            v.*key.color = button->color();
    }
    v.breakroundTransparent = ui.checkBox->isChecked();
    // The box holds whole numbers: a stored fraction stays until the box is changed.
    if (ui.spinBox->value() != int(m_values.fExactvalue))
        v.fExactvalue = float(ui.spinBox->value());
    v.unitType = ui.comboBox->currentIndex();
    v.nFontSize = ui.spinBox1->value();
    v.sectionShow = ui.checkBox_5->isChecked();
    v.sectionTransparent = ui.sectionSlider->value();
    v.PMI = ui.checkBox_PMI->isChecked();
    v.loadEdge = ui.checkBox_6->isChecked();
    v.faceMerge = ui.checkBox_7->isChecked();
    v.logOpened = ui.logOpencheckBox->isChecked();
    v.logPath = ui.PathlineEdit->text();
    v.logLevel = ui.logLevelcomboBox->currentIndex();
    v.gridShow = ui.checkBox_2->isChecked();
    v.infoShow = ui.checkBox_3->isChecked();
    v.allowPreSelected = ui.AllowPreSelected_CheckBox->isChecked();
    v.allowMultiSelected = ui.AllowMultiSelected_CheckBox->isChecked();
    v.nRoamHumanHeight = ui.spinBox_2->value();
    v.smartSelectBodyLength = ui.checkBox_4->isChecked();
    v.smallFeatureCulling = ui.spinBox_3->value();
    // Without any action to choose from, the list cannot have been edited: it stays as stored.
    if (!actionMap().isEmpty()) {
        v.quickAccess.clear();
        for (int i = 0; i < ui.objectCommandlistWidget->count(); ++i)
            v.quickAccess << ui.objectCommandlistWidget->item(i)->data(Qt::UserRole).toString();
    }
    return v;
}

void SystemSetting::fillQuickAccessLists(const QStringList& chosen)
{
    Ui_SystemSettingWidget& ui = *m_ui;
    ui.objectCommandlistWidget->clear();
    ui.AllCommandlistWidget->clear();
    const QMap<QString, QAction*> actions = actionMap();
    const auto add = [](QListWidget* list, const QString& key, const QAction* action) {
        auto* item = new QListWidgetItem(action->icon(), action->text(), list);
        item->setData(Qt::UserRole, key);
    };
    for (const QString& key : chosen)
        if (const QAction* action = actions.value(key))
            add(ui.objectCommandlistWidget, key, action);
    for (auto it = actions.constBegin(); it != actions.constEnd(); ++it)
        if (it.value() && !chosen.contains(it.key()))
            add(ui.AllCommandlistWidget, it.key(), it.value());
}

void SystemSetting::moveCurrentItem(QListWidget* from, QListWidget* to)
{
    QListWidgetItem* item = from->currentItem();
    if (!item)
        return;
    auto* copy = new QListWidgetItem(*item);
    to->addItem(copy);
    to->setCurrentItem(copy);
    delete from->takeItem(from->row(item));
}

void SystemSetting::on_Button_toLeft_clicked()
{
    moveCurrentItem(m_ui->objectCommandlistWidget, m_ui->AllCommandlistWidget);
}

void SystemSetting::on_Button_toRight_clicked()
{
    moveCurrentItem(m_ui->AllCommandlistWidget, m_ui->objectCommandlistWidget);
}

void SystemSetting::on_treeWidgetitemClicked(QTreeWidgetItem* item, int)
{
    if (!item)
        return;
    const int page = item->data(1, Qt::DisplayRole).toInt();
    if (page != -1)
        m_ui->stackedWidget->setCurrentIndex(page);
}

void SystemSetting::setInfoShow(bool show)
{
    m_values.infoShow = show;
    m_ui->checkBox_3->setChecked(show);
}

void SystemSetting::showEvent(QShowEvent* event)
{
    // The actions may have changed, and the stored values since the last time it was open.
    updateWidgets();
    QDialog::showEvent(event);
}

void SystemSetting::onbuttonOk()
{
    const SystemSettingValues old = m_values;
    const SystemSettingValues v = readControls();
    const int markLineWidth = m_markLineWidthBox->value();
    m_values = v;

    if (v.backColorBegin != old.backColorBegin || v.backColorEnd != old.backColorEnd)
        emit breakroundColorChanged(v.backColorBegin);
    if (v.fontColor != old.fontColor)
        emit notefontColorChanged(v.fontColor);
    if (v.markColor != old.markColor)
        emit markColorChanged(v.markColor);
    if (markLineWidth != m_markLineWidth) {
        m_markLineWidth = markLineWidth;
        emit markLineWidthChanged(markLineWidth);
    }
    if (v.sectionColor != old.sectionColor)
        emit sectionColorChanged(v.sectionColor);
    if (v.collisionColor != old.collisionColor || v.contactpairColor != old.contactpairColor)
        emit CollisionColorChanged(v.collisionColor, v.contactpairColor);
    if (v.breakroundTransparent != old.breakroundTransparent)
        emit breakroundTransparentChanged(v.breakroundTransparent);
    if (v.fExactvalue != old.fExactvalue)
        emit ExactvalueChanged(v.fExactvalue);
    if (v.unitType != old.unitType)
        emit unitTypeChanged(v.unitType);
    if (v.nFontSize != old.nFontSize)
        emit FontSizeChanged(v.nFontSize);
    if (v.sectionShow != old.sectionShow)
        emit sectionShowChanged(v.sectionShow);
    if (v.sectionTransparent != old.sectionTransparent)
        emit sectionTransparentChanged(v.sectionTransparent);
    if (v.preselectionColor != old.preselectionColor)
        emit preselectionColorChanged(v.preselectionColor);
    if (v.selectionColor != old.selectionColor)
        emit selectionColorChanged(v.selectionColor);
    if (v.PMI != old.PMI)
        emit readPMIChanged(v.PMI);
    if (v.loadEdge != old.loadEdge)
        emit readEdgeChanged(v.loadEdge);
    if (v.faceMerge != old.faceMerge)
        emit mergeFaceChanged(v.faceMerge);
    if (v.gridShow != old.gridShow || v.gridColor != old.gridColor)
        applyGrid(v.gridShow, v.gridColor);
    if (v.nRoamHumanHeight != old.nRoamHumanHeight)
        emit RoamHumanHeightChanged(v.nRoamHumanHeight);
    if (v.smallFeatureCulling != old.smallFeatureCulling)
        emit SmallFeatureCulling(v.smallFeatureCulling);
    if (v.smartSelectBodyLength != old.smartSelectBodyLength)
        emit RoamSmartSelectBodyLength(v.smartSelectBodyLength);
    if (v.allowPreSelected != old.allowPreSelected)
        emit AllowPreSelectedChanged(v.allowPreSelected);
    if (v.allowMultiSelected != old.allowMultiSelected)
        emit AllowMultiSelectedChanged(v.allowMultiSelected);
    if (v.quickAccess != old.quickAccess)
        emit QuickAccessChanged();
    applyLogSettings();
    requestViewFrame();

    saveConfig();
    accept();
}

void SystemSetting::onbuttonClose()
{
    reject();
}

void SystemSetting::reject()
{
    updateWidgets();
    QDialog::reject();
}

void SystemSetting::defaultSetting()
{
    setControls(defaults(), 1);
}

void SystemSetting::LogSelectpath()
{
    const QString dir = Prompts::get().getExistingDirectory(this, tr("请选择文件路径..."), QStringLiteral("./"));
    if (!dir.isEmpty())
        m_ui->PathlineEdit->setText(dir);
}

// ---- Receivers ----

