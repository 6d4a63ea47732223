#include "dialogs/ColorCombox.h"

#include "common/Prompts.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

ColorCombox::ColorCombox(QWidget* parent) : QToolButton(parent)
{
    setAutoFillBackground(true);
    setMinimumSize(256, 20);
    setMaximumSize(256, 20);
    setIconSize(QSize(256, 20));
    connect(this, &QToolButton::clicked, this, &ColorCombox::OnShowColorBoard);
}

QPixmap ColorCombox::colorPixmap(const QColor& color)
{
    QPixmap pixmap(250, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(5, 1, 250, 20), color);
    return pixmap;
}

void ColorCombox::setColor(const QColor& color)
{
    m_color = color;
    setIcon(QIcon(colorPixmap(color)));
}

void ColorCombox::OnShowColorBoard()
{
    // Starts from the button's own colour, so a look at the dialog and OK change nothing.
    const QColor chosen = Prompts::get().getColor(m_color.isValid() ? m_color : QColor(Qt::black), this, QString());
    // A cancelled dialog keeps the colour, so the swatch and the value never disagree.
    if (chosen.isValid())
        setColor(chosen);
}

void ColorCombox::OnColorChanged()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const QColor chosen = action->data().value<QColor>();
    if (!chosen.isValid())
        return;
    if (QMenu* m = menu())
        m->close();
    setColor(chosen);
}
