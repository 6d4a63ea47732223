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
