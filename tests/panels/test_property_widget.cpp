// The property sheet of one node and the counts behind its statistics.

#include "panels/CountsVisitor.h"
#include "panels/PropertyWidget.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/LOD>
#include <osg/MatrixTransform>
#include <osg/Program>
#include <osg/Switch>

#include <QStringList>

namespace {

// A quad of four vertices; each call makes a new geometry.
osg::ref_ptr<osg::Geode> quad(float size)
{
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array;
    vertices->push_back({0, 0, 0});
    vertices->push_back({size, 0, 0});
    vertices->push_back({size, size, 0});
    vertices->push_back({0, size, 0});
    geometry->setVertexArray(vertices);
    geometry->addPrimitiveSet(new osg::DrawArrays(GL_QUADS, 0, 4));
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->addDrawable(geometry);
    return geode;
}

// The sheet as lines "label=value", sub-rows indented by two blanks per level.
QStringList rows(const PropertyWidget& sheet)
{
    QStringList lines;
    std::function<void(QTreeWidgetItem*, int)> add = [&](QTreeWidgetItem* item, int level) {
        lines << QString(level * 2, ' ') + item->text(0) + "=" + item->text(1);
        for (int i = 0; i < item->childCount(); ++i)
            add(item->child(i), level + 1);
    };
    for (int i = 0; i < sheet.topLevelItemCount(); ++i)
        add(sheet.topLevelItem(i), 0);
    return lines;
}

QStringList labels(const PropertyWidget& sheet)
{
    QStringList list;
    for (int i = 0; i < sheet.topLevelItemCount(); ++i)
        list << sheet.topLevelItem(i)->text(0);
    return list;
}

QString valueOf(const PropertyWidget& sheet, const QString& label)
{
    for (int i = 0; i < sheet.topLevelItemCount(); ++i)
        if (sheet.topLevelItem(i)->text(0) == label)
            return sheet.topLevelItem(i)->text(1);
    return QStringLiteral("<none>");
}

} // namespace

TEST(PropertyWidget, MaskTextHasNoLeadingZeros)
{
    const struct
    {
        unsigned int mask;
        const char* text;
    } cases[] = {{0xFFFFFFFFu, "0xffffffff"}, {0u, "0x0"}, {0xFFu, "0xff"}, {0x00010000u, "0x10000"}};
    for (const auto& c : cases)
        EXPECT_EQ(PropertyWidget::maskText(c.mask), c.text);
}

TEST(PropertyWidget, GroupRowsAndStatistics)
{
    osg::ref_ptr<osg::MatrixTransform> group = new osg::MatrixTransform(osg::Matrix::translate(10, 0, 0));
    group->setName("Bracket");
    group->setDataVariance(osg::Object::STATIC);
    group->setNodeMask(0x00FF);
    group->addChild(quad(2));
    PropertyWidget sheet;
    EXPECT_FALSE(sheet.accessibleName().isEmpty());
    sheet.setNode(group.get());

    const QStringList expected = {
        "Name=Bracket", "Data Variance=STATIC", "Node Mask=0xff",
        // The flat 2 x 2 quad's own sides, moved by the transform.
        "Size=", "  Height=0.00", "  Width=2.00", "  Length=2.00",
        "Center Point=", "  X=11.00", "  Y=1.00", "  Z=0.00",
        "Total vertices=4", "Max depth=2", "Groups=1", "MatrixTransforms=1", "Geodes=1",
        "Total Geometries=1", "Total Drawables=1", "DrawArrays=1", "Total PrimitiveSets=1"};
    EXPECT_EQ(rows(sheet), expected) << rows(sheet).join(" | ").toStdString();

    sheet.setNode(nullptr);
    EXPECT_EQ(sheet.topLevelItemCount(), 0);
}

TEST(PropertyWidget, EmptySubtreeShowsZeroSizeAndNoNameRow)
{
    osg::ref_ptr<osg::Group> empty = new osg::Group;
    PropertyWidget sheet;
    sheet.setNode(empty.get());
    const QStringList expected = {"Data Variance=UNSPECIFIED", "Node Mask=0xffffffff",
                                  "Size=", "  Height=0.00", "  Width=0.00", "  Length=0.00",
                                  "Center Point=", "  X=0.00", "  Y=0.00", "  Z=0.00",
                                  "Total vertices=0", "Max depth=1", "Groups=1"};
    EXPECT_EQ(rows(sheet), expected) << rows(sheet).join(" | ").toStdString();
}

TEST(PropertyWidget, LodSwitchAndGeodeRows)
{
    osg::ref_ptr<osg::LOD> lod = new osg::LOD;
    lod->setCenterMode(osg::LOD::USER_DEFINED_CENTER);
    lod->setCenter({1, 2, 3});
    lod->setRadius(4);
    lod->addChild(quad(1), 0, 100);
    lod->addChild(quad(1), 100, 500);
    PropertyWidget sheet;
    sheet.setNode(lod.get());
    const QStringList lodRows = rows(sheet).mid(2, 10);
    EXPECT_EQ(lodRows, (QStringList{"Center Mode=USER_DEFINED_CENTER", "Range Mode=DISTANCE_FROM_EYE_POINT",
                                    "Center=", "  X=1.00", "  Y=2.00", "  Z=3.00", "Radius=4.00",
                                    "Range list=", "  Range=100.00", "  Range=500.00"}))
        << rows(sheet).join(" | ").toStdString();
    EXPECT_EQ(valueOf(sheet, "LODs"), "1");
    EXPECT_EQ(valueOf(sheet, "Geodes"), "1") << "only the active child is counted";

    osg::ref_ptr<osg::Switch> sw = new osg::Switch;
    sw->addChild(quad(1), true);
    sw->addChild(quad(1), false);
    sheet.setNode(sw.get());
    EXPECT_EQ(rows(sheet).mid(2, 3), (QStringList{"Value list=", "  Value=True", "  Value=False"}));
    EXPECT_EQ(sheet.topLevelItem(2)->child(0)->data(1, Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_FALSE(sheet.topLevelItem(2)->child(0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(valueOf(sheet, "Switches"), "1");

    osg::ref_ptr<osg::Geode> geode = quad(3);
    sheet.setNode(geode.get());
    EXPECT_EQ(rows(sheet).mid(2, 4), (QStringList{"Size=", "  Height=0.00", "  Width=3.00", "  Length=3.00"}));
    EXPECT_EQ(labels(sheet).count("Size"), 2) << "the geode's own size, then the statistics'";
    EXPECT_EQ(valueOf(sheet, "LODs"), "<none>") << "counts of 0 have no row";
}

TEST(CountsVisitor, CountsOccurrencesAndDistinctState)
{
    // One geode placed twice; the geometry's state set with a program and a uniform; a hidden part.
    osg::ref_ptr<osg::Geode> shared = quad(1);
    osg::StateSet* state = shared->getDrawable(0)->getOrCreateStateSet();
    state->setAttributeAndModes(new osg::Program, osg::StateAttribute::ON);
    state->addUniform(new osg::Uniform("tint", 1.0f));
    osg::ref_ptr<osg::Group> root = new osg::Group;
    osg::ref_ptr<osg::MatrixTransform> left = new osg::MatrixTransform;
    osg::ref_ptr<osg::MatrixTransform> right = new osg::MatrixTransform;
    left->addChild(shared);
    right->addChild(shared);
    root->addChild(left);
    root->addChild(right);
    osg::ref_ptr<osg::Geode> hidden = quad(1);
    hidden->setNodeMask(0);
    root->addChild(hidden);
    root->getOrCreateStateSet(); // empty

    CountsVisitor counts;
    root->accept(counts);
    EXPECT_EQ(counts.vertices, 8u);
    EXPECT_EQ(counts.geodes, 2u);
    EXPECT_EQ(counts.geometries, 2u);
    EXPECT_EQ(counts.groups, 3u);
    EXPECT_EQ(counts.matrixTransforms, 2u);
    EXPECT_EQ(counts.maxDepth, 3u);
    EXPECT_EQ(counts.stateSets, 2u);
    EXPECT_EQ(counts.emptyStateSets, 1u);
    EXPECT_EQ(counts.programs, 1u);
    EXPECT_EQ(counts.uniforms, 1u);
    EXPECT_EQ(counts.attributes, 1u);
    EXPECT_EQ(counts.drawArrays, 2u);
}
