#include "panels/PropertyWidget.h"

#include "panels/CountsVisitor.h"
#include "view/ExtentsVisitor.h"

#include <osg/Geode>
#include <osg/LOD>
#include <osg/Switch>

#include <QHeaderView>

PropertyWidget::PropertyWidget(QWidget* parent) : QTreeWidget(parent)
{
    setAccessibleName(tr("Properties"));
    setColumnCount(2);
    setHeaderLabels({tr("Property"), tr("Value")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_dataVarianceNames = QStringList{QStringLiteral("DYNAMIC"), QStringLiteral("STATIC"), QStringLiteral("UNSPECIFIED")};
    m_centerModeNames = QStringList{tr("USE_BOUNDING_SPHERE_CENTER"), tr("USER_DEFINED_CENTER")};
    m_rangeModeNames = QStringList{tr("DISTANCE_FROM_EYE_POINT"), tr("PIXEL_SIZE_ON_SCREEN")};
}

QString PropertyWidget::maskText(unsigned int mask) { return QStringLiteral("0x%1").arg(mask, 0, 16); }

QString PropertyWidget::numberText(double value)
{
    // No "-0.00" for a value that rounds to zero.
    QString text = QString::number(value, 'f', 2);
    if (text == QLatin1String("-0.00"))
        text = QStringLiteral("0.00");
    return text;
}

QString PropertyWidget::nameOf(const QStringList& names, int value)
{
    if (value >= 0 && value < names.size())
        return names.at(value);
    return QString::number(value);
}

QTreeWidgetItem* PropertyWidget::addText(QTreeWidgetItem* parent, const QString& label, const QString& value)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, label);
    item->setText(1, value);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTreeWidgetItem* PropertyWidget::addNumber(QTreeWidgetItem* parent, const QString& label, double value)
{
    QTreeWidgetItem* item = addText(parent, label, numberText(value));
    item->setData(1, Qt::UserRole, value);
    return item;
}

QTreeWidgetItem* PropertyWidget::addFlag(QTreeWidgetItem* parent, const QString& label, bool value)
{
    QTreeWidgetItem* item = addText(parent, label, QString());
    // A check mark to look at; the item is not user-checkable, so it cannot be changed.
    item->setData(1, Qt::CheckStateRole, value ? Qt::Checked : Qt::Unchecked);
    item->setText(1, value ? tr("True") : tr("False"));
    return item;
}

QTreeWidgetItem* PropertyWidget::addHeading(const QString& label) { return addText(nullptr, label, QString()); }

void PropertyWidget::setNode(osg::Node* node)
{
    clear();
    if (!node)
        return;
    addGeneralRows(*node);
    if (dynamic_cast<osg::LOD*>(node))
        addLodRows(*node);
    if (node->asSwitch())
        addSwitchRows(*node);
    if (dynamic_cast<osg::Geode*>(node))
        addGeodeRows(*node);
    addStatisticsRows(*node);
    expandAll();
}

void PropertyWidget::addGeneralRows(osg::Node& node)
{
    if (!node.getName().empty())
        addText(nullptr, tr("Name"), QString::fromStdString(node.getName()));
    addText(nullptr, tr("Data Variance"), nameOf(m_dataVarianceNames, int(node.getDataVariance())));
    addText(nullptr, tr("Node Mask"), maskText(node.getNodeMask()));
}

void PropertyWidget::addLodRows(osg::Node& node)
{
    auto& lod = static_cast<osg::LOD&>(node);
    addText(nullptr, tr("Center Mode"), nameOf(m_centerModeNames, int(lod.getCenterMode())));
    addText(nullptr, tr("Range Mode"), nameOf(m_rangeModeNames, int(lod.getRangeMode())));
    QTreeWidgetItem* center = addHeading(tr("Center"));
    addNumber(center, tr("X"), lod.getCenter().x());
    addNumber(center, tr("Y"), lod.getCenter().y());
    addNumber(center, tr("Z"), lod.getCenter().z());
    addNumber(nullptr, tr("Radius"), lod.getRadius());
    QTreeWidgetItem* ranges = addHeading(tr("Range list"));
    for (const osg::LOD::MinMaxPair& range : lod.getRangeList())
        addNumber(ranges, tr("Range"), range.second);
}

void PropertyWidget::addSwitchRows(osg::Node& node)
{
    QTreeWidgetItem* values = addHeading(tr("Value list"));
    for (bool on : node.asSwitch()->getValueList())
        addFlag(values, tr("Value"), on);
}

void PropertyWidget::addGeodeRows(osg::Node& node)
{
    const osg::BoundingBox& box = static_cast<osg::Geode&>(node).getBoundingBox();
    QTreeWidgetItem* size = addHeading(tr("Size"));
    // An empty box (no drawable) has no size.
    const bool valid = box.valid();
    addNumber(size, tr("Height"), valid ? double(box.zMax()) - double(box.zMin()) : 0.0);
    addNumber(size, tr("Width"), valid ? double(box.yMax()) - double(box.yMin()) : 0.0);
    addNumber(size, tr("Length"), valid ? double(box.xMax()) - double(box.xMin()) : 0.0);
}

void PropertyWidget::addStatisticsRows(osg::Node& node)
{
    CountsVisitor counts;
    node.accept(counts);
    ExtentsVisitor extents;
    node.accept(extents);

    // An empty subtree leaves the box empty (minima above maxima): its size and centre are 0.
    const bool valid = extents.xMin <= extents.xMax && extents.yMin <= extents.yMax && extents.zMin <= extents.zMax;
    auto extent = [valid](double lo, double hi) { return valid ? hi - lo : 0.0; };
    auto middle = [valid](double lo, double hi) { return valid ? (hi + lo) * 0.5 : 0.0; };

    QTreeWidgetItem* size = addHeading(tr("Size"));
    addNumber(size, tr("Height"), extent(extents.zMin, extents.zMax));
    addNumber(size, tr("Width"), extent(extents.yMin, extents.yMax));
    addNumber(size, tr("Length"), extent(extents.xMin, extents.xMax));
    QTreeWidgetItem* center = addHeading(tr("Center Point"));
    addNumber(center, tr("X"), middle(extents.xMin, extents.xMax));
    addNumber(center, tr("Y"), middle(extents.yMin, extents.yMax));
    addNumber(center, tr("Z"), middle(extents.zMin, extents.zMax));

    addText(nullptr, tr("Total vertices"), QString::number(counts.vertices));
    addText(nullptr, tr("Max depth"), QString::number(counts.maxDepth));
    struct Row
    {
        const char* label;
        unsigned int count;
        bool always;
    };
    const Row rows[] = {
        {QT_TR_NOOP("Slow path Geometries"), counts.slowPathGeometries, false},
        {QT_TR_NOOP("Groups"), counts.groups, true},
        {QT_TR_NOOP("LODs"), counts.lods, false},
        {QT_TR_NOOP("PagedLODs"), counts.pagedLods, false},
        {QT_TR_NOOP("Switches"), counts.switches, false},
        {QT_TR_NOOP("Sequences"), counts.sequences, false},
        {QT_TR_NOOP("MatrixTransforms"), counts.matrixTransforms, false},
        {QT_TR_NOOP("DOFTransforms"), counts.dofTransforms, false},
        {QT_TR_NOOP("Other Transforms"), counts.otherTransforms, false},
        {QT_TR_NOOP("Geodes"), counts.geodes, false},
        {QT_TR_NOOP("Other Nodes"), counts.otherNodes, false},
        {QT_TR_NOOP("Empty StateSets"), counts.emptyStateSets, false},
        {QT_TR_NOOP("Total StateSets"), counts.stateSets, false},
        {QT_TR_NOOP("Programs"), counts.programs, false},
        {QT_TR_NOOP("Uniforms"), counts.uniforms, false},
        {QT_TR_NOOP("Total Attributes"), counts.attributes, false},
        {QT_TR_NOOP("Total Modes"), counts.modes, false},
        {QT_TR_NOOP("Textures"), counts.textures, false},
        {QT_TR_NOOP("Total TexAttributes"), counts.texAttributes, false},
        {QT_TR_NOOP("Total TexModes"), counts.texModes, false},
        {QT_TR_NOOP("NULL Geometries"), counts.nullGeometries, false},
        {QT_TR_NOOP("Total Geometries"), counts.geometries, false},
        {QT_TR_NOOP("Texts"), counts.texts, false},
        {QT_TR_NOOP("Other Drawables"), counts.otherDrawables, false},
        {QT_TR_NOOP("Total Drawables"), counts.drawables, false},
        {QT_TR_NOOP("DrawArrays"), counts.drawArrays, false},
        {QT_TR_NOOP("Total PrimitiveSets"), counts.primitiveSets, false},
    };
    for (const Row& row : rows)
        if (row.always || row.count != 0)
            addText(nullptr, tr(row.label), QString::number(row.count));
}
