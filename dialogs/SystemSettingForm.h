#pragma once

// The form of the system settings dialog: a page tree on the left, fifteen pages on the right, the
// Reset, OK and Cancel buttons below. The dialog adds the tree items, the colour buttons and the mark
// line-width spin box into the rows named here.

#include <QCoreApplication>

class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QVBoxLayout;
class QWidget;

class Ui_SystemSettingWidget
{
    Q_DECLARE_TR_FUNCTIONS(SystemSettingWidget)
public:
    QVBoxLayout* verticalLayout = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QTreeWidget* treeWidget = nullptr;
    QFrame* frame = nullptr;
    QHBoxLayout* horizontalLayout_25 = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    QHBoxLayout* horizontalLayout_2 = nullptr;
    QPushButton* Reset_Button = nullptr;
    QPushButton* OK_Button = nullptr;
    QPushButton* Cancel_Button = nullptr;

    // Pages, in stack order.
    QWidget* page = nullptr;
    QWidget* page_2 = nullptr;
    QWidget* page_3 = nullptr;
    QWidget* page_4 = nullptr;
    QWidget* page_5 = nullptr;
    QWidget* page_6 = nullptr;
    QWidget* page_7 = nullptr;
    QWidget* page_8 = nullptr;
    QWidget* page_9 = nullptr;
    QWidget* page_10 = nullptr;
    QWidget* page_11 = nullptr;
    QWidget* page_12 = nullptr;
    QWidget* page_13 = nullptr;
    QWidget* page_14 = nullptr;
    QWidget* page_15 = nullptr;
    QWidget* widget_8 = nullptr;
    QWidget* widget_10 = nullptr;

    // Rows that receive a colour button or the line-width spin box from the dialog.
    QHBoxLayout* rowBackColorBegin = nullptr;
    QHBoxLayout* rowBackColorEnd = nullptr;
    QHBoxLayout* rowFontColor = nullptr;
    QHBoxLayout* rowMarkLineWidth = nullptr;
    QHBoxLayout* rowMarkColor = nullptr;
    QHBoxLayout* rowSectionColor = nullptr;
    QHBoxLayout* rowCollisionPointColor = nullptr;
    QHBoxLayout* rowContactPairColor = nullptr;
    QHBoxLayout* rowPreselectionColor = nullptr;
    QHBoxLayout* rowSelectionColor = nullptr;
    QHBoxLayout* rowGridColor = nullptr;

    // Page headings and row labels, in page order.
    QLabel* labelBackground = nullptr;
    QLabel* labelBackColorBegin = nullptr;
    QLabel* labelBackColorEnd = nullptr;
    QLabel* labelSnapshot = nullptr;
    QLabel* labelMeasure = nullptr;
    QLabel* labelUnit = nullptr;
    QLabel* labelExactvalue = nullptr;
    QLabel* labelNote = nullptr;
    QLabel* labelFontSize = nullptr;
    QLabel* labelFontColor = nullptr;
    QLabel* labelMark = nullptr;
    QLabel* labelMarkLineWidth = nullptr;
    QLabel* labelMarkColor = nullptr;
    QLabel* labelSection = nullptr;
    QLabel* labelSectionShow = nullptr;
    QLabel* labelSectionTransparent = nullptr;
    QLabel* labelSectionColor = nullptr;
    QLabel* labelCollision = nullptr;
    QLabel* labelCollisionPointColor = nullptr;
    QLabel* labelContactPairColor = nullptr;
    QLabel* labelPreselection = nullptr;
    QLabel* labelPreselectionColor = nullptr;
    QLabel* labelSelectionColor = nullptr;
    QLabel* labelPMI = nullptr;
    QLabel* labelLogOpen = nullptr;
    QLabel* labelLogLevel = nullptr;
    QLabel* labelLogPath = nullptr;
    QLabel* labelGrid = nullptr;
    QLabel* labelGridShow = nullptr;
    QLabel* labelGridColor = nullptr;
    QLabel* labelAnimation = nullptr;
    QLabel* labelRoam = nullptr;
    QLabel* labelSmartSelectBodyLength = nullptr;
    QLabel* labelWalkerHumanBodyLength = nullptr;
    QLabel* labelAllCommands = nullptr;
    QLabel* labelChosenCommands = nullptr;
    QLabel* labelModelLoad = nullptr;
    QLabel* labelLoadEdge = nullptr;
    QLabel* labelFaceMerge = nullptr;
    QLabel* labelSmallFeatureCulling = nullptr;
    QLabel* labelCullingData = nullptr;

    // Controls, by the names the dialog reads and writes.
    QCheckBox* checkBox = nullptr;
    QComboBox* comboBox = nullptr;
    QSpinBox* spinBox = nullptr;
    QSpinBox* spinBox1 = nullptr;
    QCheckBox* checkBox_5 = nullptr;
    QSlider* sectionSlider = nullptr;
    QCheckBox* AllowPreSelected_CheckBox = nullptr;
    QCheckBox* AllowMultiSelected_CheckBox = nullptr;
    QCheckBox* checkBox_PMI = nullptr;
    QCheckBox* logOpencheckBox = nullptr;
    QComboBox* logLevelcomboBox = nullptr;
    QLineEdit* PathlineEdit = nullptr;
    QToolButton* selectpathButton = nullptr;
    QCheckBox* checkBox_2 = nullptr;
    QCheckBox* checkBox_3 = nullptr;
    QCheckBox* checkBox_4 = nullptr;
    QSpinBox* spinBox_2 = nullptr;
    QListWidget* AllCommandlistWidget = nullptr;
    QPushButton* addButtonR = nullptr;
    QPushButton* removeButtonL = nullptr;
    QListWidget* objectCommandlistWidget = nullptr;
    QCheckBox* checkBox_6 = nullptr;
    QCheckBox* checkBox_7 = nullptr;
    QSpinBox* spinBox_3 = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};
