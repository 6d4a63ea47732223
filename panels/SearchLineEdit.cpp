#include "panels/SearchLineEdit.h"

#include "panels/PanelResources.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

SearchLineEdit::SearchLineEdit(QWidget* parent) : QLineEdit(parent)
{
    initPanelResources();
    setAccessibleName(tr("Search"));

    const QPixmap pixmap(QStringLiteral(":/VantorViewer/mag.png"));
    m_button = new QToolButton(this);
    m_button->setAccessibleName(tr("Search options"));
    m_button->setIcon(QIcon(pixmap));
    m_button->setIconSize(pixmap.size());
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0px; margin-left: 1px; }"));
    setTextMargins(pixmap.width() + 3, 0, 0, 0);
    m_placeholder = tr("<type text>");

    m_menu = new QMenu();
    m_menu->setAccessibleName(tr("Search options"));
    m_caseSensitive = new QAction(tr("Case Sensitive"), nullptr);
    m_caseSensitive->setCheckable(true);
    m_caseSensitive->setChecked(false);
    m_menu->addAction(m_caseSensitive);
    connect(m_caseSensitive, &QAction::toggled, this, &SearchLineEdit::caseSensitiveToggled);

    connect(m_button, &QToolButton::clicked, this, &SearchLineEdit::showOptionMenuTriggered);
    connect(this, &QLineEdit::textEdited, this, &SearchLineEdit::textEdited);
}

SearchLineEdit::~SearchLineEdit()
{
    delete m_caseSensitive;
    delete m_menu;
    delete m_button;
}

void SearchLineEdit::textEdited(const QString& text)
{
    const int newline = text.indexOf(QLatin1Char('\n'));
    if (newline >= 0)
        setText(text.left(newline));
}

void SearchLineEdit::showOptionMenuTriggered() { m_menu->exec(QCursor::pos()); }

void SearchLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!text().isEmpty())
        selectAll();
}

void SearchLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int y = (height() - m_button->iconSize().height()) / 2 - 1;
    if (y >= 1)
        m_button->move(m_button->x(), y);
}

bool SearchLineEdit::placeholderShown() const
{
    return text().isEmpty() && !m_placeholder.isEmpty() && !hasFocus();
}

void SearchLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!placeholderShown())
        return;
    const QMargins margins = textMargins();
    QPainter painter(this);
    painter.setPen(QColor(Qt::lightGray));
    painter.drawText(QRect(QPoint(margins.left(), margins.top()), size()), Qt::AlignLeft | Qt::AlignVCenter,
                     m_placeholder);
}
