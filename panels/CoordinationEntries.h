#pragma once

// The entries of the annotation panel's tree: how an entry says what it is, and how the panel reads
// the annotation node behind it.

#include <osg/Node>

#include <QCoreApplication>
#include <QString>
#include <QTreeWidgetItem>
#include <QVariant>

namespace CoordinationEntries {

// Item types.
constexpr int TopLevelType = 0;   // a category or a group
constexpr int AnnotationType = 1; // a note, measure, section or PMI entry

// Column 1 carries the data: the node (annotations) or the group number (groups), and the kind text.
constexpr int DataColumn = 1;
constexpr int NodeRole = Qt::UserRole + 1;
constexpr int KindRole = Qt::UserRole + 2;

// Selectable, editable, drag and drop enabled, user-checkable, enabled, auto-tristate.
constexpr Qt::ItemFlags GroupFlags = Qt::ItemFlags(127);

// The four categories are always the first four top-level entries; groups follow.
constexpr int FirstGroupRow = 4;

constexpr const char* PmiText = "PMI";

inline QString noteCategory() { return QCoreApplication::translate("CoordinationWidget", "Note"); }
inline QString measureCategory() { return QCoreApplication::translate("CoordinationWidget", "Measure"); }
inline QString sectionCategory() { return QCoreApplication::translate("CoordinationWidget", "Section"); }
inline QString pmiCategory() { return QCoreApplication::translate("CoordinationWidget", "PMI"); }

// True for the texts of the four categories; the PMI category is recognised by its exact text.
inline bool isCategoryText(const QString& text)
{
    return text == QLatin1String(PmiText) || text == pmiCategory() || text == noteCategory()
           || text == measureCategory() || text == sectionCategory();
}

inline bool isPmiCategoryText(const QString& text) { return text == QLatin1String(PmiText) || text == pmiCategory(); }

inline osg::Node* nodeOf(const QTreeWidgetItem* item)
{
    if (!item)
        return nullptr;
    return static_cast<osg::Node*>(qvariant_cast<void*>(item->data(DataColumn, NodeRole)));
}

inline void setNode(QTreeWidgetItem* item, osg::Node* node)
{
    item->setData(DataColumn, NodeRole, QVariant::fromValue(static_cast<void*>(node)));
}

inline int groupNumberOf(const QTreeWidgetItem* item) { return item ? item->data(DataColumn, NodeRole).toInt() : 0; }
inline bool hasGroupNumber(const QTreeWidgetItem* item)
{
    return item && item->data(DataColumn, NodeRole).isValid();
}

// A group is a top-level entry that is not a category.
inline bool isGroup(const QTreeWidgetItem* item)
{
    return item && !item->parent() && !isCategoryText(item->text(0));
}

} // namespace CoordinationEntries

namespace Vantor { class AnnotationInfo; }

namespace CoordinationEntries {

// The group map and attributes of a note, measure or section; null for any other node.
Vantor::AnnotationInfo* annotationOf(osg::Node* node);

// Files the annotation under exactly this one group (clear, then set); false for other nodes.
bool assignGroup(osg::Node* node, int number, const QString& name);
// Returns the annotation to its category; false for other nodes.
bool clearGroup(osg::Node* node);

} // namespace CoordinationEntries
