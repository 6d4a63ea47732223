#include "panels/SmallPanels.h"

#include <QLabel>
#include <QVBoxLayout>

MeasureProperty::MeasureProperty(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
{
    setMaximumHeight(200);
    setWindowOpacity(0.6);
    m_caption = new QLabel(this);
}

BookmarkDialog::BookmarkDialog(QWidget* parent) : QDialog(parent, Qt::WindowFlags(0x8000003))
{
    auto* layout = new QVBoxLayout(this);
    m_name = new QLineEdit(this);
    m_description = new QLineEdit(this);
    layout->addWidget(m_name);
    layout->addWidget(m_description);
}

QString BookmarkDialog::getName() const { return m_name->text(); }
QString BookmarkDialog::getDescription() const { return m_description->text(); }
