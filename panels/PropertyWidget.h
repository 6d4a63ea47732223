#pragma once

#include <QStringList>
#include <QTreeWidget>

namespace osg {
class Node;
}

// A read-only property sheet of one scene-graph node, two columns (property, value): its general
// values, the values particular to LOD, switch and geode nodes, and statistics of the subtree under it
// (bounding size and centre, counts of node, state and geometry kinds).
class PropertyWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit PropertyWidget(QWidget* parent = nullptr);

    // Clears the sheet; then, for a node, fills it. Null leaves it empty.
    void setNode(osg::Node* node);

    // "0x" and the mask in lower-case hexadecimal without leading zeros.
    static QString maskText(unsigned int mask);
    // How number rows show their value.
    static QString numberText(double value);

private:
    QTreeWidgetItem* addText(QTreeWidgetItem* parent, const QString& label, const QString& value);
    QTreeWidgetItem* addNumber(QTreeWidgetItem* parent, const QString& label, double value);
    QTreeWidgetItem* addFlag(QTreeWidgetItem* parent, const QString& label, bool value);
    QTreeWidgetItem* addHeading(const QString& label);
    void addGeneralRows(osg::Node& node);
    void addLodRows(osg::Node& node);
    void addSwitchRows(osg::Node& node);
    void addGeodeRows(osg::Node& node);
    void addStatisticsRows(osg::Node& node);
    static QString nameOf(const QStringList& names, int value);

    QStringList m_dataVarianceNames;
    QStringList m_centerModeNames;
    QStringList m_rangeModeNames;
};
