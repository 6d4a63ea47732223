#pragma once

// The small panel widgets the docks hold.

#include <osg/Node>

#include <QDialog>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QWidget>

class QLabel;

class MyTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit MyTreeView(QWidget* parent = nullptr) : QTreeView(parent) {}
};

class QTreeviewDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QTreeviewDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}
};

class SearchLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit SearchLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
};

class PropertyWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PropertyWidget(QWidget* parent = nullptr) : QWidget(parent) {}
    void setNode(osg::Node*) {}
};

class MeasureProperty : public QDialog
{
    Q_OBJECT
public:
    explicit MeasureProperty(QWidget* parent = nullptr);
    QLabel* caption() const { return m_caption; }

private:
    QLabel* m_caption = nullptr;
};
