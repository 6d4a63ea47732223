#include "panels/CollAttDialog.h"

#include "panels/CoordinationEntries.h"
#include "vantor/annotation/AnnotationInfo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kTime = "Time";
const char* const kCreater = "Creater";
const char* const kSearcher = "Searcher";
const char* const kState = "State";

QString valueOf(const std::map<std::string, std::string>& map, const char* key)
{
    auto it = map.find(key);
    return it == map.end() ? QString() : QString::fromLocal8Bit(it->second.c_str(), int(it->second.size()));
}

} // namespace

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
