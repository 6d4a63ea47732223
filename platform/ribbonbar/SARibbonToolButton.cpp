#include "ribbonbar/SARibbonToolButton.h"

#include <QAction>
#include <QActionEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionToolButton>

namespace {

const int kLargeIcon = 32;
const int kSmallIcon = 16;
const int kPad = 3;
const int kArrowWidth = 9;

const QColor kText(0x20, 0x20, 0x20);
const QColor kTextDisabled(0x9a, 0x9a, 0x9a);
const QColor kHoverFill(0xe3, 0xf0, 0xfc);
const QColor kHoverBorder(0xa8, 0xcc, 0xf0);
const QColor kCheckedFill(0xc9, 0xe0, 0xf7);
const QColor kCheckedBorder(0x7d, 0xae, 0xe3);
const QColor kDownFill(0xb3, 0xd3, 0xf3);

QString plainText(QString text)
{
    // A single '&' marks a mnemonic, "&&" is a literal ampersand.
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

bool isWide(QChar c)
{
    return c.unicode() >= 0x2e80;
}

} // namespace

SARibbonToolButton::SARibbonToolButton(QWidget* parent, RibbonButtonType type) : QToolButton(parent), m_type(type)
{
    setAutoRaise(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    const int icon = m_type == LargeButton ? kLargeIcon : kSmallIcon;
    setIconSize(QSize(icon, icon));
    setToolButtonStyle(m_type == LargeButton ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
    setSizePolicy(QSizePolicy::Fixed, m_type == LargeButton ? QSizePolicy::Expanding : QSizePolicy::Fixed);
}

bool SARibbonToolButton::hasMenu() const
{
    return menu() || (defaultAction() && defaultAction()->menu());
}

bool SARibbonToolButton::isSplit() const
{
    return popupMode() == QToolButton::MenuButtonPopup && hasMenu();
}

int SARibbonToolButton::iconAreaHeight() const
{
    return kPad + iconSize().height() + kPad;
}

QRect SARibbonToolButton::menuArea() const
{
    if (!isSplit())
        return QRect();
    if (m_type == LargeButton)
        return QRect(0, iconAreaHeight(), width(), height() - iconAreaHeight());
    return QRect(width() - kArrowWidth - 2 * kPad, 0, kArrowWidth + 2 * kPad, height());
}

QStringList SARibbonToolButton::textLines() const
{
    const QString full = plainText(text());
    if (m_type != LargeButton || full.isEmpty())
        return full.isEmpty() ? QStringList() : QStringList{full};
    const QFontMetrics fm(font());
    const int oneLine = fm.horizontalAdvance(full);
    if (oneLine <= kLargeIcon * 5 / 2)
        return {full};

    // Break where the wider of the two lines is narrowest: at a blank, or inside a run of wide
    // characters, which need no blank to break.
    QList<int> breaks;
    for (int i = 1; i < full.size(); ++i) {
        if (full.at(i) == QLatin1Char(' '))
            breaks << i;
        else if (isWide(full.at(i - 1)) && isWide(full.at(i)))
            breaks << i;
    }
    int best = -1;
    int bestWidth = oneLine;
    for (int at : breaks) {
        const QString a = full.left(at).trimmed();
        const QString b = full.mid(at).trimmed();
        const int w = qMax(fm.horizontalAdvance(a), fm.horizontalAdvance(b));
        if (w < bestWidth) {
            bestWidth = w;
            best = at;
        }
    }
    if (best < 0)
        return {full};
    return {full.left(best).trimmed(), full.mid(best).trimmed()};
}

QSize SARibbonToolButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const QStringList lines = textLines();
    if (m_type == LargeButton) {
        int w = iconSize().width();
        for (int i = 0; i < lines.size(); ++i) {
            int lw = fm.horizontalAdvance(lines.at(i));
            if (hasMenu() && i == lines.size() - 1 && lines.size() == 2)
                lw += kArrowWidth + 2;
            w = qMax(w, lw);
        }
        const int h = iconAreaHeight() + 2 * fm.height() + kPad;
        return QSize(qMax(w + 4 * kPad, iconSize().width() + 6 * kPad), h);
    }
    int w = kPad + iconSize().width() + kPad;
    if (!lines.isEmpty() && toolButtonStyle() != Qt::ToolButtonIconOnly)
        w += fm.horizontalAdvance(lines.first()) + kPad;
    if (hasMenu())
        w += kArrowWidth + kPad;
    return QSize(w, qMax(iconSize().height(), fm.height()) + 2 * kPad);
}

QSize SARibbonToolButton::minimumSizeHint() const
{
    return sizeHint();
}

void SARibbonToolButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool enabled = isEnabled();
    const bool hover = enabled && underMouse();
    const bool down = isDown();

    // Background: checked and pressed fill the whole button; hovering a split button lights the part
    // under the mouse and outlines the whole.
    if (isChecked() || down) {
        p.setPen(kCheckedBorder);
        p.setBrush(down ? kDownFill : kCheckedFill);
        p.drawRoundedRect(frame, 2, 2);
    } else if (hover) {
        p.setPen(kHoverBorder);
        p.setBrush(isSplit() ? QColor(0xf2, 0xf8, 0xfe) : kHoverFill);
        p.drawRoundedRect(frame, 2, 2);
        if (isSplit()) {
            QRectF part = m_overMenuArea ? QRectF(menuArea()) : QRectF(rect()).adjusted(0, 0, 0, -menuArea().height());
            if (m_type == SmallButton && !m_overMenuArea)
                part = QRectF(rect()).adjusted(0, 0, -menuArea().width(), 0);
            p.setPen(Qt::NoPen);
            p.setBrush(kHoverFill);
            p.drawRect(part.adjusted(1, 1, -1, -1));
        }
    }
    if (isSplit() && (hover || isChecked())) {
        p.setPen(kHoverBorder);
        const QRect m = menuArea();
        if (m_type == LargeButton)
            p.drawLine(QPointF(1, m.top() + 0.5), QPointF(width() - 1, m.top() + 0.5));
        else
            p.drawLine(QPointF(m.left() + 0.5, 1), QPointF(m.left() + 0.5, height() - 1));
    }

    const QIcon::Mode mode = !enabled ? QIcon::Disabled : (hover ? QIcon::Active : QIcon::Normal);
    const QPixmap pix = icon().pixmap(iconSize(), mode, isChecked() ? QIcon::On : QIcon::Off);
    const QSize pixSize = pix.size() / pix.devicePixelRatioF();
    const QFontMetrics fm(font());
    const QStringList lines = textLines();
    p.setPen(enabled ? kText : kTextDisabled);

    auto drawArrow = [&](QPointF centre) {
        QPainterPath arrow;
        arrow.moveTo(centre + QPointF(-3.5, -1.5));
        arrow.lineTo(centre + QPointF(3.5, -1.5));
        arrow.lineTo(centre + QPointF(0, 2.5));
        arrow.closeSubpath();
        p.fillPath(arrow, enabled ? kText : kTextDisabled);
    };

    if (m_type == LargeButton) {
        if (!pix.isNull())
            p.drawPixmap(QPoint((width() - pixSize.width()) / 2, kPad + (iconSize().height() - pixSize.height()) / 2), pix);
        int y = iconAreaHeight();
        for (int i = 0; i < lines.size(); ++i) {
            const bool last = i == lines.size() - 1;
            const int arrow = (hasMenu() && last && lines.size() == 2) ? kArrowWidth + 2 : 0;
            const int lw = fm.horizontalAdvance(lines.at(i));
            const int x = (width() - lw - arrow) / 2;
            p.drawText(QRect(x, y, lw, fm.height()), Qt::AlignCenter, lines.at(i));
            if (arrow)
                drawArrow(QPointF(x + lw + 2 + kArrowWidth / 2.0, y + fm.height() / 2.0));
            y += fm.height();
        }
        if (hasMenu() && lines.size() < 2)
            drawArrow(QPointF(width() / 2.0, y + fm.height() / 2.0));
        return;
    }

    int x = kPad;
    if (!pix.isNull())
        p.drawPixmap(QPoint(x, (height() - pixSize.height()) / 2), pix);
    x += iconSize().width() + kPad;
    if (!lines.isEmpty() && toolButtonStyle() != Qt::ToolButtonIconOnly) {
        const int lw = fm.horizontalAdvance(lines.first());
        p.drawText(QRect(x, 0, lw, height()), Qt::AlignVCenter | Qt::AlignLeft, lines.first());
        x += lw + kPad;
    }
    if (hasMenu())
        drawArrow(QPointF(width() - kPad - kArrowWidth / 2.0, height() / 2.0));
}

void SARibbonToolButton::mousePressEvent(QMouseEvent* event)
{
    if (isSplit() && event->button() == Qt::LeftButton) {
        if (menuArea().contains(event->pos())) {
            showMenu();
            return;
        }
        // QToolButton would test against the style's own arrow strip; the icon part is ours.
        QAbstractButton::mousePressEvent(event);
        return;
    }
    QToolButton::mousePressEvent(event);
}

bool SARibbonToolButton::hitButton(const QPoint& pos) const
{
    if (!rect().contains(pos))
        return false;
    return !isSplit() || !menuArea().contains(pos);
}

void SARibbonToolButton::mouseMoveEvent(QMouseEvent* event)
{
    const bool over = isSplit() && menuArea().contains(event->pos());
    if (over != m_overMenuArea) {
        m_overMenuArea = over;
        update();
    }
    QToolButton::mouseMoveEvent(event);
}

void SARibbonToolButton::leaveEvent(QEvent* event)
{
    m_overMenuArea = false;
    QToolButton::leaveEvent(event);
}

void SARibbonToolButton::actionEvent(QActionEvent* event)
{
    QToolButton::actionEvent(event);
    if (event->action() == defaultAction())
        followAction();
}

void SARibbonToolButton::followAction()
{
    if (QAction* action = defaultAction()) {
        const QString name = plainText(action->text());
        setAccessibleName(name.isEmpty() ? action->toolTip() : name);
    }
    updateGeometry();
    update();
}
