#pragma once

#include <QItemDelegate>

// Edits a tree entry's display text in place with a plain line edit; writes the text back only when
// it changed (letter case counts), so an unchanged edit leaves the model alone.
class QTreeviewDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit QTreeviewDelegate(QObject* parent = nullptr) : QItemDelegate(parent) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};
