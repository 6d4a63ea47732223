#pragma once

// The small panel widgets the docks hold.

#include "panels/MyTreeView.h"
#include "panels/PropertyWidget.h"
#include "panels/QTreeviewDelegate.h"
#include "panels/SearchLineEdit.h"

#include <QDialog>
#include <QLineEdit>
#include <QWidget>

class QLabel;

class MeasureProperty : public QDialog
{
    Q_OBJECT
public:
    explicit MeasureProperty(QWidget* parent = nullptr);
    QLabel* caption() const { return m_caption; }

private:
    QLabel* m_caption = nullptr;
};

class BookmarkDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BookmarkDialog(QWidget* parent = nullptr);
    QLineEdit* nameEdit() const { return m_name; }
    QString getName() const;
    QString getDescription() const;

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_description = nullptr;
};
