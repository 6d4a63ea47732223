#include "view/FileProgressWidget.h"

#include <QPainter>

#include <cmath>

namespace {

// Share of `width` that `value` covers in [minimum, maximum]; bad values give an empty or full part.
int shareOf(int width, double value, int minimum, int maximum)
{
    const double range = double(maximum) - double(minimum);
    if (!(range > 0.0) || width <= 0)
        return 0;
    const double w = double(width) * (value - double(minimum)) / range;
    if (!(w > 0.0)) // also NaN
        return 0;
    if (w >= double(width))
        return width;
    return int(w);
}

} // namespace

RadiusProgressBar::RadiusProgressBar(QWidget* parent) : QProgressBar(parent) {}

void RadiusProgressBar::setTotalValue(float value)
{
    m_totalValue = value;
    update();
}

void RadiusProgressBar::setEveryValue(float value)
{
    m_everyValue = value;
    update();
}

int RadiusProgressBar::greyWidth(int width) const
{
    return shareOf(width, m_totalValue, minimum(), maximum());
}

int RadiusProgressBar::blueWidth(int grey) const
{
    if (!(m_everyValue > 0.0f))
        return 0;
    return shareOf(grey, m_everyValue, minimum(), maximum());
}

void RadiusProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r(0, 0, width(), height());
    const int grey = greyWidth(r.width());
    if (grey > 0)
        painter.fillRect(QRect(0, 0, grey, r.height()), QColor(QStringLiteral("#959697")));
    const int blue = blueWidth(grey);
    if (blue > 0)
        painter.fillRect(QRect(0, 0, blue, r.height()), QColor(QStringLiteral("#7abaf9")));
    painter.end();
    update(); // keep painting while shown
}

FileProgressWidget::FileProgressWidget(QWidget* parent) : QWidget(parent) {}

void FileProgressWidget::Progressdata1(QString, float value)
{
    if (m_bar)
        m_bar->setEveryValue(value);
}

void FileProgressWidget::Progressdata0(QString, float value)
{
    if (m_bar)
        m_bar->setTotalValue(value);
}

void FileProgressWidget::ProgressShown(bool shown)
{
    if (shown) {
        // A second show without a hide starts the same bar over instead of leaving an orphan that
        // repaints for ever underneath a new one.
        if (!m_bar) {
            m_bar = new RadiusProgressBar(this);
            m_bar->setAttribute(Qt::WA_TranslucentBackground, true);
            m_bar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        m_bar->setMinimum(0);
        m_bar->setMaximum(100);
        m_bar->setValue(0);
        m_bar->setRange(0, 100);
        m_bar->setTotalValue(0.0f);
        m_bar->setEveryValue(0.0f);
        m_bar->setGeometry(0, 0, width(), height());
        m_bar->show();
        show();
        update();
        return;
    }
    delete m_bar;
    m_bar = nullptr;
    hide();
    update();
}

void FileProgressWidget::paintEvent(QPaintEvent* event)
{
    if (m_bar)
        m_bar->setGeometry(0, 0, width(), height());
    QWidget::paintEvent(event);
}
