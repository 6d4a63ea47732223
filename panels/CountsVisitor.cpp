#include "panels/CountsVisitor.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/LOD>
#include <osg/MatrixTransform>
#include <osg/PagedLOD>
#include <osg/Program>
#include <osg/Sequence>
#include <osg/Switch>
#include <osg/Texture>
#include <osgText/TextBase>

#include <algorithm>
#include <cstring>

CountsVisitor::CountsVisitor() : osg::NodeVisitor(TRAVERSE_ACTIVE_CHILDREN) {}

void CountsVisitor::apply(osg::Node& node)
{
    countStateSet(node.getStateSet());
    if (osg::Drawable* drawable = node.asDrawable()) {
        countDrawable(*drawable);
        return;
    }
    ++depth;
    maxDepth = std::max(maxDepth, depth);
    countNode(node);
    traverse(node);
    --depth;
}

void CountsVisitor::countNode(osg::Node& node)
{
    if (dynamic_cast<osg::Geode*>(&node)) {
        ++geodes;
        return;
    }
    if (!node.asGroup()) {
        ++otherNodes;
        return;
    }
    ++groups;
    if (dynamic_cast<osg::PagedLOD*>(&node))
        ++pagedLods;
    else if (dynamic_cast<osg::LOD*>(&node))
        ++lods;
    else if (node.asSwitch())
        ++switches;
    else if (dynamic_cast<osg::Sequence*>(&node))
        ++sequences;
    else if (node.asTransform()) {
        if (node.asTransform()->asMatrixTransform())
            ++matrixTransforms;
        else if (std::strcmp(node.className(), "DOFTransform") == 0)
            ++dofTransforms;
        else
            ++otherTransforms;
    }
}

void CountsVisitor::countDrawable(osg::Drawable& drawable)
{
    ++drawables;
    if (osg::Geometry* geometry = drawable.asGeometry()) {
        ++geometries;
        const osg::Array* positions = geometry->getVertexArray();
        const unsigned int count = positions ? positions->getNumElements() : 0;
        if (count == 0)
            ++nullGeometries;
        vertices += count;
        if (geometry->containsDeprecatedData())
            ++slowPathGeometries;
        for (unsigned int i = 0; i < geometry->getNumPrimitiveSets(); ++i) {
            ++primitiveSets;
            if (geometry->getPrimitiveSet(i)->getType() == osg::PrimitiveSet::DrawArraysPrimitiveType)
                ++drawArrays;
        }
    } else if (dynamic_cast<osgText::TextBase*>(&drawable)) {
        ++texts;
    } else {
        ++otherDrawables;
    }
}

void CountsVisitor::countStateSet(osg::StateSet* stateSet)
{
    if (!stateSet || !m_stateSets.insert(stateSet).second)
        return;
    ++stateSets;
    const osg::StateSet::AttributeList& attributeList = stateSet->getAttributeList();
    const osg::StateSet::ModeList& modeList = stateSet->getModeList();
    attributes += unsigned(attributeList.size());
    modes += unsigned(modeList.size());
    for (const auto& entry : attributeList)
        if (dynamic_cast<const osg::Program*>(entry.second.first.get()) && m_programs.insert(entry.second.first.get()).second)
            ++programs;

    unsigned int unitAttributes = 0;
    for (const osg::StateSet::AttributeList& unit : stateSet->getTextureAttributeList()) {
        unitAttributes += unsigned(unit.size());
        for (const auto& entry : unit)
            if (dynamic_cast<const osg::Texture*>(entry.second.first.get()) &&
                m_textures.insert(entry.second.first.get()).second)
                ++textures;
    }
    texAttributes += unitAttributes;
    unsigned int unitModes = 0;
    for (const osg::StateSet::ModeList& unit : stateSet->getTextureModeList())
        unitModes += unsigned(unit.size());
    texModes += unitModes;

    const osg::StateSet::UniformList& uniformList = stateSet->getUniformList();
    for (const auto& entry : uniformList)
        if (m_uniforms.insert(entry.second.first.get()).second)
            ++uniforms;

    if (attributeList.empty() && modeList.empty() && unitAttributes == 0 && unitModes == 0 && uniformList.empty())
        ++emptyStateSets;
}
