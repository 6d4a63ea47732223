#include "panels/CollAttDialog.h"

#include "panels/CoordinationEntries.h"
#include "vantor/annotation/AnnotationInfo.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

const char* const kTime = "Time";
const char* const kCreater = "Creater";
const char* const kSearcher = "Searcher";
const char* const kState = "State";

QHBoxLayout* addRow(QDialog* dialog, QVBoxLayout* parent, const char* layoutName, QLabel*& label,
                    const char* labelName, QWidget* field)
{
    auto* row = new QHBoxLayout;
    row->setObjectName(QString::fromLatin1(layoutName));
    label = new QLabel(dialog);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setMinimumWidth(100);
    row->addWidget(label);
    field->setMinimumWidth(200);
    row->addWidget(field);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    parent->addLayout(row);
    return row;
}

QString valueOf(const std::map<std::string, std::string>& map, const char* key)
{
    auto it = map.find(key);
    return it == map.end() ? QString() : QString::fromLocal8Bit(it->second.c_str(), int(it->second.size()));
}

} // namespace

namespace Ui {

void CollAttDialog::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("CollAttDialog"));
    dialog->resize(400, 300);
    verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));

    lineEdit_Time = new QLineEdit(dialog);
    lineEdit_Time->setObjectName(QStringLiteral("lineEdit_Time"));
    horizontalLayout = addRow(dialog, verticalLayout, "horizontalLayout", label, "label", lineEdit_Time);
    lineEdit_Creater = new QLineEdit(dialog);
    lineEdit_Creater->setObjectName(QStringLiteral("lineEdit_Creater"));
    horizontalLayout_3 = addRow(dialog, verticalLayout, "horizontalLayout_3", label_2, "label_2", lineEdit_Creater);
    lineEdit_Searcher = new QLineEdit(dialog);
    lineEdit_Searcher->setObjectName(QStringLiteral("lineEdit_Searcher"));
    horizontalLayout_4 = addRow(dialog, verticalLayout, "horizontalLayout_4", label_3, "label_3", lineEdit_Searcher);
    comboBox_State = new QComboBox(dialog);
    comboBox_State->setObjectName(QStringLiteral("comboBox_State"));
    comboBox_State->addItem(QString());
    comboBox_State->addItem(QString());
    comboBox_State->addItem(QString());
    horizontalLayout_5 = addRow(dialog, verticalLayout, "horizontalLayout_5", label_4, "label_4", comboBox_State);
    label_4->setMaximumWidth(100);

    hboxLayout = new QHBoxLayout;
    hboxLayout->setObjectName(QStringLiteral("hboxLayout"));
    hboxLayout->setSpacing(6);
    hboxLayout->setContentsMargins(0, 0, 0, 0);
    hboxLayout->addItem(new QSpacerItem(131, 31, QSizePolicy::Expanding, QSizePolicy::Minimum));
    okButton = new QPushButton(dialog);
    okButton->setObjectName(QStringLiteral("okButton"));
    hboxLayout->addWidget(okButton);
    cancelButton = new QPushButton(dialog);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    hboxLayout->addWidget(cancelButton);
    verticalLayout->addLayout(hboxLayout);

    dialog->setAccessibleName(QStringLiteral("Collaboration attributes"));
    label->setAccessibleName(QStringLiteral("Creation time label"));
    lineEdit_Time->setAccessibleName(QStringLiteral("Creation time"));
    label_2->setAccessibleName(QStringLiteral("Creator label"));
    lineEdit_Creater->setAccessibleName(QStringLiteral("Creator"));
    label_3->setAccessibleName(QStringLiteral("Reviewer label"));
    lineEdit_Searcher->setAccessibleName(QStringLiteral("Reviewer"));
    label_4->setAccessibleName(QStringLiteral("State label"));
    comboBox_State->setAccessibleName(QStringLiteral("State"));
    okButton->setAccessibleName(QStringLiteral("OK"));
    cancelButton->setAccessibleName(QStringLiteral("Cancel"));

    retranslateUi(dialog);
    QObject::connect(okButton, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancelButton, &QPushButton::clicked, dialog, &QDialog::reject);
    QMetaObject::connectSlotsByName(dialog);
}

void CollAttDialog::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("Dialog"));
    label->setText(tr("创建时间："));
    label_2->setText(tr("创建人："));
    label_3->setText(tr("查阅人："));
    label_4->setText(tr("状态："));
    comboBox_State->setItemText(0, tr("未修改"));
    comboBox_State->setItemText(1, tr("修改中"));
    comboBox_State->setItemText(2, tr("已修改"));
    okButton->setText(tr("确定"));
    cancelButton->setText(tr("取消"));
}

} // namespace Ui

CollaborativeAttributeDialog::CollaborativeAttributeDialog(osg::Node* node)
    : QDialog(nullptr)
    , m_target(node)
{
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    m_ui.setupUi(this);
    setEditable(false);
    connect(m_ui.okButton, &QPushButton::clicked, this, &CollaborativeAttributeDialog::saveAttributes);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] {
        close();
        resetForm();
    });

    if (Vantor::AnnotationInfo* info = annotationOf(node)) {
        attributes_ = info->CoordinationUserData();
        if (!attributes_.empty()) {
            m_ui.lineEdit_Time->setText(valueOf(attributes_, kTime));
            m_ui.lineEdit_Creater->setText(valueOf(attributes_, kCreater));
            m_ui.lineEdit_Searcher->setText(valueOf(attributes_, kSearcher));
            // A state that matches no entry leaves the first one.
            m_ui.comboBox_State->setCurrentText(valueOf(attributes_, kState));
        }
    }
}

CollaborativeAttributeDialog::~CollaborativeAttributeDialog() = default;

Vantor::AnnotationInfo* CollaborativeAttributeDialog::annotationOf(osg::Node* node)
{
    return CoordinationEntries::annotationOf(node);
}

void CollaborativeAttributeDialog::setEditable(bool editable)
{
    m_ui.lineEdit_Time->setEnabled(editable);
    m_ui.lineEdit_Creater->setEnabled(editable);
    m_ui.lineEdit_Searcher->setEnabled(editable);
    m_ui.comboBox_State->setEnabled(editable);
}

bool CollaborativeAttributeDialog::isEditable() const
{
    return m_ui.lineEdit_Time->isEnabledTo(const_cast<CollaborativeAttributeDialog*>(this));
}

void CollaborativeAttributeDialog::saveAttributes()
{
    // Viewing changes nothing; editing sets the four keys and keeps what other tools stored beside them.
    if (isEditable()) {
        Vantor::AnnotationInfo* info = annotationOf(m_target.get());
        if (info)
            attributes_ = info->CoordinationUserData();
        attributes_[kTime] = m_ui.lineEdit_Time->text().toLocal8Bit().toStdString();
        attributes_[kCreater] = m_ui.lineEdit_Creater->text().toLocal8Bit().toStdString();
        attributes_[kSearcher] = m_ui.lineEdit_Searcher->text().toLocal8Bit().toStdString();
        attributes_[kState] = m_ui.comboBox_State->currentText().toLocal8Bit().toStdString();
        if (info)
            info->CoordinationUserData(attributes_);
    }
    close();
}

void CollaborativeAttributeDialog::resetForm()
{
    m_ui.lineEdit_Time->clear();
    m_ui.lineEdit_Creater->clear();
    m_ui.lineEdit_Searcher->clear();
    m_ui.comboBox_State->setCurrentIndex(0);
    attributes_.clear();
    m_target = nullptr;
}
