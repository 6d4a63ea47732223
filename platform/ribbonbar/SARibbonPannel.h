#pragma once

#include <QWidget>

class QAction;
class QHBoxLayout;
class QLabel;
class SARibbonToolButton;

// A titled group of controls on a ribbon page: large buttons and widgets side by side, the title
// underneath, a separator line on the right.
class SARibbonPannel : public QWidget
{
    Q_OBJECT
public:
    explicit SARibbonPannel(const QString& title, QWidget* parent = nullptr);

    QString pannelName() const;
    void setPannelName(const QString& title);

    // A large button (icon over text) that follows the action; null for a null action. An action with a
    // menu gets a button whose whole face opens the menu until the caller chooses another popup mode.
    SARibbonToolButton* addLargeAction(QAction* action);
    // Any widget, vertically centred in the row; the panel takes it over as a child.
    void addWidget(QWidget* widget);

    QList<SARibbonToolButton*> largeButtons() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHBoxLayout* m_row = nullptr;
    QLabel* m_title = nullptr;
};
