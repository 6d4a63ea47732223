#include "panels/QTreeviewDelegate.h"

#include <QLineEdit>

QWidget* QTreeviewDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setAccessibleName(tr("Name"));
    return editor;
}

void QTreeviewDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(index.data(Qt::DisplayRole).toString());
}

void QTreeviewDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !model)
        return;
    const QString text = line->text();
    if (text.compare(index.data(Qt::DisplayRole).toString(), Qt::CaseSensitive) != 0)
        model->setData(index, text, Qt::EditRole);
}

void QTreeviewDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
