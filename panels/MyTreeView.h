#pragma once

#include <QTreeView>

// The structure tree's view. A press below the last row clears the current row and reports the click
// with an invalid index, so the window's click handler clears the selection too.
class MyTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit MyTreeView(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
