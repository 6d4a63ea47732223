#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QHBoxLayout;
class QToolButton;

// A new tool button that drives the action: icon, checked and enabled state follow it; a click
// triggers it, or opens its menu at once when it has one.
QToolButton* createToolButton(QWidget* parent, QAction* action);

// The translucent strip of icon buttons floating over the top of the 3D view. It holds no actions of
// its own: each button drives the action its source (the main window) finds under one of the keys it
// was given.
class CToolkit : public QWidget
{
    Q_OBJECT
public:
    explicit CToolkit(QWidget* parent = nullptr);

    void initUI();
    // Where the strip finds the action behind a key; null for a key without one.
    using ActionSource = std::function<QAction*(const QString& key)>;
    void setActionSource(ActionSource source) { m_actionSource = std::move(source); }
    bool hasActionSource() const { return bool(m_actionSource); }

    // Rebuilds the buttons from the keys, in their order: 50 pixels of width per key, a button for each
    // key that names an action. Without an action source it only removes the old buttons.
    void setQuickAccess(QStringList keys);
    QList<QToolButton*> buttons() const;

    // Horizontally centred over the parent, its top edge at y 30.
    void placeInParent();

    // The tools offered until the settings hand over their own list.
    static QStringList defaultKeys();

public slots:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    ActionSource m_actionSource;
    QHBoxLayout* m_buttonLayout = nullptr;
};
