#pragma once

#include <QWidget>

class QAction;
class QHBoxLayout;
class QToolButton;

// A compact row of small icon buttons, each driving one action.
class SARibbonButtonGroupWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SARibbonButtonGroupWidget(QWidget* parent = nullptr);

    // A button for the action. The button carries the action, so its shortcut works while the row is
    // shown.
    QToolButton* addButton(QAction* action);
    void addSeparator();
    QList<QToolButton*> buttons() const;

private:
    QHBoxLayout* m_layout = nullptr;
};

// The quick-access row of the ribbon.
class SARibbonQuickAccessBar : public SARibbonButtonGroupWidget
{
    Q_OBJECT
public:
    explicit SARibbonQuickAccessBar(QWidget* parent = nullptr);
};
