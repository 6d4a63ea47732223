#include "view/CToolkit.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QToolButton>

namespace {

const char* const kButtonSheet =
    "QToolButton{background:transparent;}"
    "QToolButton::pressed{background-color: rgba(204, 232, 255, 1);border:none;}"
    "QToolButton::checked{background-color: rgba(204, 232, 255, 1);border:none;}"
    "QToolButton::hover{background-color: rgba(204, 232, 255, 1);border:none;}"
    "QToolButton::QAction{background-color: rgba(204, 232, 255, 1);border:none;}";

} // namespace

QToolButton* createToolButton(QWidget* parent, QAction* action)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setDefaultAction(action);
    button->setIconSize(QSize(32, 32));
    button->setMinimumWidth(32);
    button->setMaximumWidth(32);
    if (action && action->menu())
        button->setPopupMode(QToolButton::InstantPopup);
    if (action)
        button->setAccessibleName(action->text());
    return button;
}

CToolkit::CToolkit(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CToolkit"));
    setAccessibleName(tr("Quick tools"));
}

void CToolkit::initUI()
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint);
    setMinimumHeight(42);
    setMaximumHeight(42);
    auto* inner = new QWidget(this);
    m_buttonLayout = new QHBoxLayout(inner);
    m_buttonLayout->setSpacing(0);
    m_buttonLayout->setContentsMargins(0, 0, 0, 0);
    auto* outer = new QHBoxLayout(this);
    outer->setSpacing(0);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(inner);
    setStyleSheet(QStringLiteral("background-color: rgba(255, 255, 255, 0.7);"));
}

void CToolkit::setQuickAccess(QStringList keys)
{
    if (!m_buttonLayout)
        initUI();
    while (QLayoutItem* item = m_buttonLayout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            // Gone from the strip at once; deleted when the event loop gets to it.
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    if (!m_actionSource)
        return;

    setMinimumWidth(50 * keys.size());
    setMaximumWidth(50 * keys.size());
    for (const QString& key : qAsConst(keys)) {
        QAction* action = m_actionSource(key);
        if (!action)
            continue;
        QToolButton* button = createToolButton(this, action);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setStyleSheet(QString::fromLatin1(kButtonSheet));
        button->setFixedSize(48, 40);
        m_buttonLayout->addWidget(button);
        button->show();
    }
    resize(50 * keys.size(), height());
    placeInParent();
}

QList<QToolButton*> CToolkit::buttons() const
{
    QList<QToolButton*> result;
    if (!m_buttonLayout)
        return result;
    for (int i = 0; i < m_buttonLayout->count(); ++i)
        if (auto* button = qobject_cast<QToolButton*>(m_buttonLayout->itemAt(i)->widget()))
            result << button;
    return result;
}

void CToolkit::placeInParent()
{
    if (QWidget* parent = parentWidget())
        move((parent->width() - width()) / 2, 30);
}

QStringList CToolkit::defaultKeys()
{
    return {QStringLiteral("Basic_Rotation"),   QStringLiteral("Basic_Translation"),   QStringLiteral("Basic_Zoom"),
            QStringLiteral("Basic_Show"),       QStringLiteral("Basic_Hide"),          QStringLiteral("Basic_NodeColor"),
            QStringLiteral("Basic_Transparency"), QStringLiteral("Basic_Basicview"),   QStringLiteral("Basic_Axisview"),
            QStringLiteral("Basic_Adapt"),      QStringLiteral("Resolve_Freedrop"),    QStringLiteral("Resolve_Directionaldrop"),
            QStringLiteral("Resolve_Alongaxial"), QStringLiteral("Reset")};
}

void CToolkit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
}

void CToolkit::paintEvent(QPaintEvent* event)
{
    // The style sheet's translucent background, then a grey two-pixel frame.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    painter.setPen(QPen(QColor(QStringLiteral("#8a8a8a")), 2));
    painter.setBrush(QColor(0, 0, 0, 1));
    painter.drawRect(rect());
    QWidget::paintEvent(event);
}

void CToolkit::mousePressEvent(QMouseEvent*)
{
}

void CToolkit::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CToolkit::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
}
