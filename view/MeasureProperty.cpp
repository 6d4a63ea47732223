#include "view/MeasureProperty.h"

#include "vantor/command/CommandManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

MeasureProperty::MeasureProperty(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
{
    setMaximumHeight(200);
    setWindowOpacity(0.6);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addStretch();
    m_close = new QToolButton(this);
    m_close->setStyleSheet(QStringLiteral("border:none;"));
    m_close->setIcon(QIcon(QStringLiteral(":/VantorViewer/delete.png")));
    m_close->setAccessibleName(QStringLiteral("closeMeasureResult"));
    m_close->setToolTip(tr("Close"));
    top->addWidget(m_close);
    layout->addLayout(top);
    connect(m_close, &QToolButton::clicked, this, &MeasureProperty::on_close_button_triggered);
    m_caption = new QLabel(this);
    m_caption->setAccessibleName(QStringLiteral("measureCaption"));
    m_text = new QLabel(this);
    m_text->setAccessibleName(QStringLiteral("measureResult"));
    m_text->setStyleSheet(QStringLiteral("font: 18px"));
    layout->addWidget(m_caption);
    layout->addWidget(m_text);
    layout->addStretch();
}

void MeasureProperty::on_close_button_triggered()
{
    hide();
    if (m_commandManager) {
        m_commandManager->CancelCurrentCmd();
        m_commandManager->setExecuteType(Vantor::CommandManager::NoneType);
    }
}

void MeasureProperty::setText(const QStringList& lines)
{
    m_text->setText(lines.join('\n'));
}

QString MeasureProperty::text() const
{
    return m_text->text();
}

void AreaAndVolumeMeasureManagerChangedListener::onMeasureChanged(Vantor::MeasureManager*, Vantor::Measure* measure)
{
    if (!m_panel || !m_panel->isVisible() || !measure)
        return;
    const int kind = measure->getMeasureType();
    const bool area = kind == Vantor::Measure::SurfaceArea && dynamic_cast<Vantor::SurfaceAreaMeasure*>(measure);
    const bool volume = kind == Vantor::Measure::Volume && dynamic_cast<Vantor::VolumeMeasure*>(measure);
    if (!area && !volume)
        return;
    if (measure->getClosePanel()) {
        m_panel->hide();
        return;
    }
    QString content = QString::fromLocal8Bit(measure->GetContent().c_str());
    if (measure->getAppendChar())
        content += QChar(measure->getAppendChar());
    m_panel->setText({QString::fromLocal8Bit(measure->GetTitle().c_str()), content});
}
