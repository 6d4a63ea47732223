#include "dialogs/SystemSettingForm.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const int kFixedWidth = 256;

QWidget* addPage(QStackedWidget* stack, const char* name)
{
    auto* page = new QWidget();
    page->setObjectName(QString::fromLatin1(name));
    stack->addWidget(page);
    return page;
}

QLabel* addHeading(QWidget* parent, QVBoxLayout* layout)
{
    auto* label = new QLabel(parent);
    label->setMaximumHeight(20);
    layout->addWidget(label);
    return label;
}

// One setting row: an indent, the label, then whatever the caller adds.
QHBoxLayout* addRow(QWidget* parent, QVBoxLayout* layout, QLabel*& label)
{
    auto* row = new QHBoxLayout();
    row->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    label = new QLabel(parent);
    row->addWidget(label);
    layout->addLayout(row);
    return row;
}

void endRow(QHBoxLayout* row)
{
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
}

void endPage(QVBoxLayout* layout)
{
    layout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

QCheckBox* addCheckRow(QWidget* parent, QVBoxLayout* layout, QLabel*& label, const char* name)
{
    QHBoxLayout* row = addRow(parent, layout, label);
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    row->addWidget(box);
    endRow(row);
    return box;
}

QSpinBox* makeSpinBox(QWidget* parent, const char* name, int minimum, int maximum, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setFixedWidth(kFixedWidth);
    return spin;
}

void name(QWidget* control, const QLabel* label)
{
    control->setAccessibleName(label->text().trimmed());
}

} // namespace

void Ui_SystemSettingWidget::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("SystemSettingWidget"));
    dialog->resize(839, 505);
    dialog->setMinimumSize(839, 505);
    dialog->setMaximumSize(839, 505);
    dialog->setWindowIcon(QIcon(QStringLiteral(":/VantorViewer/Nerio3dViewer.ico")));
    dialog->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    dialog->setWindowModality(Qt::WindowModal);

    verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));

    treeWidget = new QTreeWidget(dialog);
    treeWidget->setObjectName(QStringLiteral("treeWidget"));
    treeWidget->setHeaderHidden(true);
    treeWidget->setMaximumWidth(150);
    treeWidget->setFrameShape(QFrame::WinPanel);
    treeWidget->setFrameShadow(QFrame::Plain);
    treeWidget->setLineWidth(2);
    treeWidget->setMidLineWidth(2);
    treeWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    treeWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    treeWidget->setEditTriggers(QAbstractItemView::CurrentChanged);
    treeWidget->setTextElideMode(Qt::ElideLeft);
    treeWidget->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    treeWidget->setWordWrap(false);
    horizontalLayout->addWidget(treeWidget);

    frame = new QFrame(dialog);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setStyleSheet(QString::fromUtf8("font: 9pt \"微软雅黑\";"));
    frame->setFrameShape(QFrame::WinPanel);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(2);
    frame->setMidLineWidth(2);
    horizontalLayout_25 = new QHBoxLayout(frame);
    horizontalLayout_25->setObjectName(QStringLiteral("horizontalLayout_25"));
    stackedWidget = new QStackedWidget(frame);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    horizontalLayout_25->addWidget(stackedWidget);
    horizontalLayout->addWidget(frame);
    verticalLayout->addLayout(horizontalLayout);

    // 0: background.
    page = addPage(stackedWidget, "page");
    {
        auto* v = new QVBoxLayout(page);
        labelBackground = addHeading(page, v);
        rowBackColorBegin = addRow(page, v, labelBackColorBegin);
        rowBackColorEnd = addRow(page, v, labelBackColorEnd);
        endPage(v);
    }
    // 1: snapshot.
    page_2 = addPage(stackedWidget, "page_2");
    {
        auto* v = new QVBoxLayout(page_2);
        labelSnapshot = addHeading(page_2, v);
        auto* row = new QHBoxLayout();
        row->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
        checkBox = new QCheckBox(page_2);
        checkBox->setObjectName(QStringLiteral("checkBox"));
        checkBox->setLayoutDirection(Qt::LeftToRight);
        checkBox->setAutoFillBackground(true);
        row->addWidget(checkBox);
        endRow(row);
        v->addLayout(row);
        endPage(v);
    }
    // 2: measure.
    page_3 = addPage(stackedWidget, "page_3");
    {
        auto* v = new QVBoxLayout(page_3);
        labelMeasure = addHeading(page_3, v);
        QHBoxLayout* row = addRow(page_3, v, labelUnit);
        comboBox = new QComboBox(page_3);
        comboBox->setObjectName(QStringLiteral("comboBox"));
        comboBox->setFixedWidth(kFixedWidth);
        row->addWidget(comboBox);
        endRow(row);
        row = addRow(page_3, v, labelExactvalue);
        spinBox = makeSpinBox(page_3, "spinBox", 0, 99, 2);
        row->addWidget(spinBox);
        endRow(row);
        endPage(v);
    }
    // 3: note.
    page_4 = addPage(stackedWidget, "page_4");
    {
        auto* v = new QVBoxLayout(page_4);
        labelNote = addHeading(page_4, v);
        QHBoxLayout* row = addRow(page_4, v, labelFontSize);
        spinBox1 = makeSpinBox(page_4, "spinBox1", 0, 99, 14);
        row->addWidget(spinBox1);
        endRow(row);
        rowFontColor = addRow(page_4, v, labelFontColor);
        endPage(v);
    }
    // 4: mark.
    page_5 = addPage(stackedWidget, "page_5");
    {
        auto* v = new QVBoxLayout(page_5);
        labelMark = addHeading(page_5, v);
        rowMarkLineWidth = addRow(page_5, v, labelMarkLineWidth);
        rowMarkColor = addRow(page_5, v, labelMarkColor);
        endPage(v);
    }
    // 5: section.
    page_6 = addPage(stackedWidget, "page_6");
    {
        auto* v = new QVBoxLayout(page_6);
        labelSection = addHeading(page_6, v);
        QHBoxLayout* row = addRow(page_6, v, labelSectionShow);
        checkBox_5 = new QCheckBox(page_6);
        checkBox_5->setObjectName(QStringLiteral("checkBox_5"));
        checkBox_5->setFixedSize(kFixedWidth, 20);
        row->addWidget(checkBox_5);
        endRow(row);
        row = addRow(page_6, v, labelSectionTransparent);
        sectionSlider = new QSlider(Qt::Horizontal, page_6);
        sectionSlider->setObjectName(QStringLiteral("sectionSlider"));
        sectionSlider->setRange(0, 100);
        sectionSlider->setTickPosition(QSlider::TicksBothSides);
        sectionSlider->setMaximumWidth(kFixedWidth);
        row->addWidget(sectionSlider);
        endRow(row);
        rowSectionColor = addRow(page_6, v, labelSectionColor);
        endPage(v);
    }
    // 6: collision.
    page_7 = addPage(stackedWidget, "page_7");
    {
        auto* v = new QVBoxLayout(page_7);
        labelCollision = addHeading(page_7, v);
        rowCollisionPointColor = addRow(page_7, v, labelCollisionPointColor);
        rowContactPairColor = addRow(page_7, v, labelContactPairColor);
        endPage(v);
    }
    // 7: pre-selection and selection.
    page_8 = addPage(stackedWidget, "page_8");
    {
        widget_8 = new QWidget(page_8);
        widget_8->setObjectName(QStringLiteral("widget_8"));
        widget_8->setGeometry(11, 11, 572, 380);
        auto* v = new QVBoxLayout(widget_8);
        labelPreselection = addHeading(widget_8, v);
        auto* row = new QHBoxLayout();
        row->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
        AllowPreSelected_CheckBox = new QCheckBox(widget_8);
        AllowPreSelected_CheckBox->setObjectName(QStringLiteral("AllowPreSelected_CheckBox"));
        AllowPreSelected_CheckBox->setChecked(true);
        AllowPreSelected_CheckBox->setTristate(false);
        row->addWidget(AllowPreSelected_CheckBox);
        AllowMultiSelected_CheckBox = new QCheckBox(widget_8);
        AllowMultiSelected_CheckBox->setObjectName(QStringLiteral("AllowMultiSelected_CheckBox"));
        AllowMultiSelected_CheckBox->setChecked(true);
        row->addWidget(AllowMultiSelected_CheckBox);
        endRow(row);
        v->addLayout(row);
        rowPreselectionColor = addRow(widget_8, v, labelPreselectionColor);
        rowSelectionColor = addRow(widget_8, v, labelSelectionColor);
        endPage(v);
    }
    // 8: PMI.
    page_9 = addPage(stackedWidget, "page_9");
    {
        auto* v = new QVBoxLayout(page_9);
        labelPMI = addHeading(page_9, v);
        auto* row = new QHBoxLayout();
        row->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
        checkBox_PMI = new QCheckBox(page_9);
        checkBox_PMI->setObjectName(QStringLiteral("checkBox_PMI"));
        row->addWidget(checkBox_PMI);
        endRow(row);
        v->addLayout(row);
        endPage(v);
    }
    // 9: developer options (log).
    page_10 = addPage(stackedWidget, "page_10");
    {
        widget_10 = new QWidget(page_10);
        widget_10->setObjectName(QStringLiteral("widget_10"));
        widget_10->setGeometry(9, 9, 305, 148);
        auto* v = new QVBoxLayout(widget_10);
        logOpencheckBox = addCheckRow(widget_10, v, labelLogOpen, "logOpencheckBox");
        QHBoxLayout* row = addRow(widget_10, v, labelLogLevel);
        logLevelcomboBox = new QComboBox(widget_10);
        logLevelcomboBox->setObjectName(QStringLiteral("logLevelcomboBox"));
        row->addWidget(logLevelcomboBox);
        endRow(row);
        row = addRow(widget_10, v, labelLogPath);
        PathlineEdit = new QLineEdit(widget_10);
        PathlineEdit->setObjectName(QStringLiteral("PathlineEdit"));
        PathlineEdit->setReadOnly(true);
        PathlineEdit->setStyleSheet(QStringLiteral(
            "border: 1px solid #bebebe; padding: 1px 18px 1px 3px; font: normal 14px \"Microsoft YaHei\";"
            " color: #555555; background: transparent;"));
        row->addWidget(PathlineEdit);
        selectpathButton = new QToolButton(widget_10);
        selectpathButton->setObjectName(QStringLiteral("selectpathButton"));
        row->addWidget(selectpathButton);
        endPage(v);
    }
    // 10: grid.
    page_11 = addPage(stackedWidget, "page_11");
    {
        auto* v = new QVBoxLayout(page_11);
        labelGrid = addHeading(page_11, v);
        checkBox_2 = addCheckRow(page_11, v, labelGridShow, "checkBox_2");
        rowGridColor = addRow(page_11, v, labelGridColor);
        endPage(v);
    }
    // 11: animation.
    page_12 = addPage(stackedWidget, "page_12");
    {
        auto* v = new QVBoxLayout(page_12);
        labelAnimation = addHeading(page_12, v);
        auto* row = new QHBoxLayout();
        row->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
        checkBox_3 = new QCheckBox(page_12);
        checkBox_3->setObjectName(QStringLiteral("checkBox_3"));
        row->addWidget(checkBox_3);
        endRow(row);
        v->addLayout(row);
        endPage(v);
    }
    // 12: roam.
    page_13 = addPage(stackedWidget, "page_13");
    {
        auto* v = new QVBoxLayout(page_13);
        labelRoam = addHeading(page_13, v);
        checkBox_4 = addCheckRow(page_13, v, labelSmartSelectBodyLength, "checkBox_4");
        QHBoxLayout* row = addRow(page_13, v, labelWalkerHumanBodyLength);
        spinBox_2 = makeSpinBox(page_13, "spinBox_2", 50, 500, 180);
        spinBox_2->setDisplayIntegerBase(10);
        row->addWidget(spinBox_2);
        endRow(row);
        endPage(v);
    }
    // 13: quick-access tool strip.
    page_14 = addPage(stackedWidget, "page_14");
    {
        auto* h = new QHBoxLayout(page_14);
        auto* left = new QVBoxLayout();
        labelAllCommands = new QLabel(page_14);
        left->addWidget(labelAllCommands);
        AllCommandlistWidget = new QListWidget(page_14);
        AllCommandlistWidget->setObjectName(QStringLiteral("AllCommandlistWidget"));
        left->addWidget(AllCommandlistWidget);
        h->addLayout(left);
        auto* middle = new QVBoxLayout();
        middle->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
        addButtonR = new QPushButton(page_14);
        addButtonR->setObjectName(QStringLiteral("addButtonR"));
        middle->addWidget(addButtonR);
        removeButtonL = new QPushButton(page_14);
        removeButtonL->setObjectName(QStringLiteral("removeButtonL"));
        middle->addWidget(removeButtonL);
        middle->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
        h->addLayout(middle);
        auto* right = new QVBoxLayout();
        labelChosenCommands = new QLabel(page_14);
        right->addWidget(labelChosenCommands);
        objectCommandlistWidget = new QListWidget(page_14);
        objectCommandlistWidget->setObjectName(QStringLiteral("objectCommandlistWidget"));
        right->addWidget(objectCommandlistWidget);
        h->addLayout(right);
    }
    // 14: performance.
    page_15 = addPage(stackedWidget, "page_15");
    {
        auto* v = new QVBoxLayout(page_15);
        labelModelLoad = addHeading(page_15, v);
        checkBox_6 = addCheckRow(page_15, v, labelLoadEdge, "checkBox_6");
        checkBox_7 = addCheckRow(page_15, v, labelFaceMerge, "checkBox_7");
        labelSmallFeatureCulling = addHeading(page_15, v);
        QHBoxLayout* row = addRow(page_15, v, labelCullingData);
        spinBox_3 = makeSpinBox(page_15, "spinBox_3", 1, 100, 2);
        row->addWidget(spinBox_3);
        endRow(row);
        endPage(v);
    }
    stackedWidget->setCurrentIndex(0);

    horizontalLayout_2 = new QHBoxLayout();
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setContentsMargins(9, 9, 9, 9);
    horizontalLayout_2->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    Reset_Button = new QPushButton(dialog);
    Reset_Button->setObjectName(QStringLiteral("Reset_Button"));
    horizontalLayout_2->addWidget(Reset_Button);
    OK_Button = new QPushButton(dialog);
    OK_Button->setObjectName(QStringLiteral("OK_Button"));
    horizontalLayout_2->addWidget(OK_Button);
    Cancel_Button = new QPushButton(dialog);
    Cancel_Button->setObjectName(QStringLiteral("Cancel_Button"));
    horizontalLayout_2->addWidget(Cancel_Button);
    verticalLayout->addLayout(horizontalLayout_2);

    // No control is named after a slot of the dialog: the dialog makes every connection itself.
    retranslateUi(dialog);
}

void Ui_SystemSettingWidget::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("SystemSetting"));
    labelBackground->setText(tr("backround color："));
    labelBackColorBegin->setText(tr("backround color begin:"));
    labelBackColorEnd->setText(tr("backround color end:"));
    labelSnapshot->setText(tr("snapshot setting"));
    checkBox->setText(tr("break round Transparent"));
    labelMeasure->setText(tr("Measure:"));
    labelUnit->setText(tr("unit:"));
    comboBox->clear();
    comboBox->addItems({tr("millimeter(mm)"), tr("centimeter(cm)"), tr("meter(m)")});
    labelExactvalue->setText(tr("Exactvalue:"));
    labelNote->setText(tr("note setting:"));
    labelFontSize->setText(tr("font size"));
    labelFontColor->setText(tr("font color"));
    labelMark->setText(tr("mark setting:"));
    labelMarkLineWidth->setText(tr("mark Line width:"));
    labelMarkColor->setText(tr("mark Color:"));
    labelSection->setText(tr("section setting"));
    labelSectionShow->setText(tr("section show"));
    labelSectionTransparent->setText(tr("section Transparent"));
    labelSectionColor->setText(tr("section color"));
    labelCollision->setText(tr("Collision color："));
    labelCollisionPointColor->setText(tr("Collision point color:"));
    labelContactPairColor->setText(tr("Contact pair color:"));
    labelPreselection->setText(tr("preselection setting"));
    AllowPreSelected_CheckBox->setText(tr(" AllowPreSelected"));
    AllowMultiSelected_CheckBox->setText(tr("AllowMultiSelected"));
    labelPreselectionColor->setText(tr("preselection Color:"));
    labelSelectionColor->setText(tr("selection Color："));
    labelPMI->setText(tr("PMI Setting:"));
    checkBox_PMI->setText(tr("Read PMI"));
    labelLogOpen->setText(tr("开启日志："));
    labelLogLevel->setText(tr("日志等级："));
    logLevelcomboBox->clear();
    logLevelcomboBox->addItems({tr("逐帧调试"), tr("调试信息"), tr("消息信息"), tr("警告信息"), tr("错误信息")});
    labelLogPath->setText(tr("日志路径："));
    selectpathButton->setText(tr("选择路径"));
    labelGrid->setText(tr("grid"));
    labelGridShow->setText(tr("gridShow"));
    labelGridColor->setText(tr("gridColor"));
    labelAnimation->setText(tr("动画"));
    checkBox_3->setText(tr("恢复命令提示"));
    labelRoam->setText(tr("RoamSetting:"));
    labelSmartSelectBodyLength->setText(tr("SmartSelectBodyLength:"));
    labelWalkerHumanBodyLength->setText(tr("WalkerHumanBodyLength:"));
    labelAllCommands->setText(tr("Select the command you want to add"));
    addButtonR->setText(tr("add>>"));
    removeButtonL->setText(tr("remove<<"));
    labelChosenCommands->setText(tr("Customize the shortcut Access Toolbar"));
    labelModelLoad->setText(tr("modelLoad"));
    labelLoadEdge->setText(tr("loadEdge"));
    labelFaceMerge->setText(tr("faceMerge"));
    labelSmallFeatureCulling->setText(tr("smallFeatureCulling"));
    labelCullingData->setText(tr("cullingData"));
    Reset_Button->setText(tr("恢复默认"));
    OK_Button->setText(tr("确定"));
    Cancel_Button->setText(tr("取消"));

    // Controls without a text of their own are known by their row's label.
    treeWidget->setAccessibleName(tr("Settings pages"));
    stackedWidget->setAccessibleName(tr("Settings page"));
    name(comboBox, labelUnit);
    name(spinBox, labelExactvalue);
    name(spinBox1, labelFontSize);
    name(checkBox_5, labelSectionShow);
    name(sectionSlider, labelSectionTransparent);
    name(logOpencheckBox, labelLogOpen);
    name(logLevelcomboBox, labelLogLevel);
    name(PathlineEdit, labelLogPath);
    name(checkBox_2, labelGridShow);
    name(checkBox_4, labelSmartSelectBodyLength);
    name(spinBox_2, labelWalkerHumanBodyLength);
    name(AllCommandlistWidget, labelAllCommands);
    name(objectCommandlistWidget, labelChosenCommands);
    name(checkBox_6, labelLoadEdge);
    name(checkBox_7, labelFaceMerge);
    name(spinBox_3, labelCullingData);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             checkBox, AllowPreSelected_CheckBox, AllowMultiSelected_CheckBox, checkBox_PMI, selectpathButton,
             checkBox_3, addButtonR, removeButtonL, Reset_Button, OK_Button, Cancel_Button})
        b->setAccessibleName(b->text().trimmed());
}
