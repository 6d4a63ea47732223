#include "panels/MyTreeView.h"

#include <QMouseEvent>

MyTreeView::MyTreeView(QWidget* parent) : QTreeView(parent)
{
    setAccessibleName(tr("Structure tree"));
}

void MyTreeView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.row() == -1) {
        setCurrentIndex(index);
        emit clicked(index);
        return;
    }
    QTreeView::mousePressEvent(event);
}
