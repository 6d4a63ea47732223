#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonPannel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>

namespace {

const int kScrollStep = 80;
const int kArrowWidth = 14;

} // namespace

SARibbonCategory::SARibbonCategory(const QString& name, QWidget* parent) : QWidget(parent), m_name(name)
{
    setObjectName(QStringLiteral("SARibbonCategory"));
    setAccessibleName(name);
    m_content = new QWidget(this);
    m_layout = new QHBoxLayout(m_content);
    m_layout->setContentsMargins(4, 2, 4, 2);
    m_layout->setSpacing(0);
    m_layout->setSizeConstraint(QLayout::SetMinimumSize);
    m_layout->addStretch(1);
    m_content->installEventFilter(this);

    auto makeArrow = [this](Qt::ArrowType type, const QString& name, int dx) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(name);
        button->hide();
        connect(button, &QToolButton::clicked, this, [this, dx] { scrollBy(dx); });
        return button;
    };
    m_left = makeArrow(Qt::LeftArrow, tr("Scroll left"), -kScrollStep);
    m_right = makeArrow(Qt::RightArrow, tr("Scroll right"), kScrollStep);
}

SARibbonPannel* SARibbonCategory::addPannel(const QString& title)
{
    auto* pannel = new SARibbonPannel(title, m_content);
    m_layout->insertWidget(m_layout->count() - 1, pannel);
    pannel->show();
    m_pannels << pannel;
    placeContent();
    return pannel;
}

QSize SARibbonCategory::sizeHint() const
{
    return m_content->sizeHint();
}

QSize SARibbonCategory::minimumSizeHint() const
{
    // The page may be narrower than its panels: it scrolls them.
    return QSize(2 * kArrowWidth + 10, m_content->minimumSizeHint().height());
}

void SARibbonCategory::scrollBy(int dx)
{
    m_offset += dx;
    placeContent();
}

void SARibbonCategory::placeContent()
{
    const int needed = m_content->sizeHint().width();
    const int overflow = qMax(0, needed - width());
    m_offset = qBound(0, m_offset, overflow);
    m_content->setGeometry(-m_offset, 0, qMax(needed, width()), height());
    m_left->setGeometry(0, 0, kArrowWidth, height());
    m_right->setGeometry(width() - kArrowWidth, 0, kArrowWidth, height());
    m_left->setVisible(m_offset > 0);
    m_right->setVisible(m_offset < overflow);
    m_left->raise();
    m_right->raise();
}

bool SARibbonCategory::eventFilter(QObject* watched, QEvent* event)
{
    // A panel that grows or shrinks changes what there is to scroll.
    if (watched == m_content && event->type() == QEvent::LayoutRequest) {
        m_layout->activate();
        placeContent();
    }
    return QWidget::eventFilter(watched, event);
}

void SARibbonCategory::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeContent();
}

void SARibbonCategory::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (delta == 0) {
        event->ignore();
        return;
    }
    scrollBy(delta > 0 ? -kScrollStep / 2 : kScrollStep / 2);
    event->accept();
}

void SARibbonCategory::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf7, 0xf8, 0xfa));
    p.setPen(QColor(0xd4, 0xd6, 0xd9));
    p.drawLine(0, height() - 1, width(), height() - 1);
}
