#include "vantor/model/Model.h"
#include "vantor/math/MeshPrimitives.h"
#include "vantor/util/NodeSearch.h"

#include "vantor/model/NodeFlags.h"
#include "vantor/model/PMI.h"

#include <osg/BlendFunc>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Material>
#include <osg/NodeVisitor>

#include <algorithm>
#include <cmath>
#include <deque>

namespace Vantor {

namespace {

const osg::Vec4f DefaultColor(0.8f, 0.8f, 0.8f, 1.0f); // osg::Material's own default diffuse

// Looks at every drawable below a node, hidden ones included, for line and face primitives.
class GeometryKindVisitor : public osg::NodeVisitor
{
public:
    GeometryKindVisitor() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) { setNodeMaskOverride(0xffffffff); }

    void apply(osg::Drawable& drawable) override
    {
        const osg::Geometry* geometry = drawable.asGeometry();
        if (!geometry)
            return;
        for (unsigned int i = 0; i < geometry->getNumPrimitiveSets(); ++i) {
            const GLenum mode = geometry->getPrimitiveSet(i)->getMode();
            lines = lines || mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
            faces = faces || isFaceMode(mode);
        }
    }

    bool lines = false;
    bool faces = false;
};

// The colour of the model's first face: the first drawable with faces among its own bodies. A body
// holds one drawable per face material in the order the faces come, so this is its first face's.
bool firstFaceColour(const osg::Group& model, osg::Vec4f& colour)
{
    for (unsigned int i = 0; i < model.getNumChildren(); ++i) {
        const osg::Geode* geode = model.getChild(i)->asGeode();
        for (unsigned int d = 0; geode && d < geode->getNumDrawables(); ++d) {
            const osg::Geometry* g = geode->getDrawable(d)->asGeometry();
            if (!g || !isFaceGeometry(*g))
                continue;
            const auto* colours = dynamic_cast<const osg::Vec4Array*>(g->getColorArray());
            if (!colours || colours->empty())
                return false;
            colour = colours->front();
            return true;
        }
    }
    return false;
}

} // namespace

Model::Model() : m_modelId(GenerateModelID()) {}

Model::Model(const Model& other, const osg::CopyOp& copyop)
    : osg::MatrixTransform(other, copyop), SelectEffect(), m_modelId(GenerateModelID()), m_plcId(other.m_plcId),
      m_geoLine(other.m_geoLine), m_geoFace(other.m_geoFace), m_transparent(other.m_transparent)
{
    setNodeSelected(this, false);
}

Model::~Model() = default;

void Model::setModelID(osg::OSG_ID id)
{
    m_modelId = id;
    ReserveModelID(id);
}

bool Model::isModel(const osg::Node* node) { return dynamic_cast<const Model*>(node) != nullptr; }

osg::ref_ptr<Model> Model::GetTopModel(osg::ref_ptr<osg::Node> node)
{
    if (!node)
        return nullptr;
    if (auto* model = dynamic_cast<Model*>(node.get())) {
        for (;;) {
            auto* parent = model->getNumParents() > 0 ? dynamic_cast<Model*>(model->getParent(0)) : nullptr;
            if (!parent || parent == node.get())
                return model;
            model = parent;
        }
    }
    return breadthFirstFindOf<Model>(node.get());
}

void Model::getAllChildrenModels(osg::Node* node, NodeList& models)
{
    if (!node)
        return;
    if (isModel(node))
        models.push_back(node);
    if (osg::Group* group = node->asGroup()) {
        for (unsigned int i = 0; i < group->getNumChildren(); ++i)
            getAllChildrenModels(group->getChild(i), models);
    }
}

void Model::getAllChildrenPMI(osg::Node* node, NodeList& pmis)
{
    osg::Group* group = node ? node->asGroup() : nullptr;
    if (!group)
        return;
    for (unsigned int i = 0; i < group->getNumChildren(); ++i) {
        osg::Node* child = group->getChild(i);
        if (dynamic_cast<PMI*>(child))
            pmis.push_back(child);
        getAllChildrenPMI(child, pmis);
    }
}

Model::ModelID2NodeMap Model::GetModelID2NodeMap(osg::Node* node)
{
    ModelID2NodeMap map;
    NodeList models;
    getAllChildrenModels(node, models);
    for (const auto& model : models)
        map.emplace(static_cast<Model*>(model.get())->getModelID(), model);
    return map;
}

bool Model::replaceWithName(osg::Node* topModel, Model* loaded)
{
    if (!topModel || !loaded)
        return false;
    NodeList models;
    getAllChildrenModels(topModel, models);
    for (const auto& model : models) {
        if (model.get() == topModel || model.get() == loaded || model->getName() != loaded->getName())
            continue;
        osg::ref_ptr<osg::Node> keep = model; // the parents let go of it below
        const osg::Node::ParentList parents = model->getParents();
        for (osg::Group* parent : parents)
            parent->replaceChild(model.get(), loaded);
        return !parents.empty();
    }
    return false;
}

void Model::refreshModelChildren() const
{
    if (m_modelChildrenValid && m_modelChildrenOf == _children.size())
        return;
    m_modelChildren.clear();
    for (const auto& child : _children) {
        if (auto* model = dynamic_cast<Model*>(child.get()))
            m_modelChildren.push_back(model);
    }
    m_modelChildrenOf = _children.size();
    m_modelChildrenValid = true;
}

unsigned int Model::getModelChildrenNum() const
{
    refreshModelChildren();
    return static_cast<unsigned int>(m_modelChildren.size());
}

Model* Model::getModelChild(unsigned int index) const
{
    refreshModelChildren();
    return index < m_modelChildren.size() ? m_modelChildren[index] : nullptr;
}

bool Model::hasGrandNode(const osg::Node* node) const
{
    if (!node || node == this)
        return false;
    std::deque<const osg::Node*> queue{node};
    std::size_t guard = 0;
    while (!queue.empty() && ++guard < 1000000) {
        const osg::Node* current = queue.front();
        queue.pop_front();
        for (unsigned int i = 0; i < current->getNumParents(); ++i) {
            const osg::Node* parent = current->getParent(i);
            if (parent == this)
                return true;
            queue.push_back(parent);
        }
    }
    return false;
}

void Model::setVisible(bool visible, bool recursive)
{
    const osg::Node::NodeMask mask = visible ? 0xffffffffu : 0u;
    if (!recursive) {
        setNodeMask(mask);
        return;
    }
    NodeList models;
    getAllChildrenModels(this, models);
    for (const auto& model : models)
        model->setNodeMask(mask);
}

bool Model::hasGeoLine() const
{
    if (m_geoLine >= 0)
        return m_geoLine == 1;
    GeometryKindVisitor visitor;
    const_cast<Model*>(this)->accept(visitor);
    return visitor.lines;
}

bool Model::hasGeoFace() const
{
    if (m_geoFace >= 0)
        return m_geoFace == 1;
    GeometryKindVisitor visitor;
    const_cast<Model*>(this)->accept(visitor);
    return visitor.faces;
}

osg::Material* Model::ownMaterial() const
{
    const osg::StateSet* stateSet = getStateSet();
    return stateSet ? dynamic_cast<osg::Material*>(const_cast<osg::StateAttribute*>(
                          stateSet->getAttribute(osg::StateAttribute::MATERIAL)))
                    : nullptr;
}

bool Model::getShownColor(osg::Vec4f& color) const
{
    if (const osg::Material* material = ownMaterial()) {
        color = material->getDiffuse(osg::Material::FRONT);
        return true;
    }
    return firstFaceColour(*this, color);
}

osg::Vec4f Model::getColor() const
{
    osg::Vec4f color;
    if (getShownColor(color))
        return color;
    return osg::Vec4f(DefaultColor.r(), DefaultColor.g(), DefaultColor.b(), float(m_transparent));
}

double Model::getTransparent() const
{
    osg::Vec4f face;
    if (!ownMaterial() && firstFaceColour(*this, face) && !std::isnan(face.a()))
        return std::min(1.0, std::max(0.0, double(face.a())));
    return m_transparent;
}

osg::Material* Model::ownOrNewMaterial()
{
    if (osg::Material* material = ownMaterial())
        return material;
    // The model goes on looking as it did: its faces' colour and their alpha.
    const osg::Vec4f shown = getColor();
    const double opacity = getTransparent();
    osg::ref_ptr<osg::Material> material = new osg::Material;
    material->setColorMode(osg::Material::OFF);
    const osg::Vec4f diffuse(shown.r(), shown.g(), shown.b(), float(opacity));
    material->setDiffuse(osg::Material::FRONT_AND_BACK, diffuse);
    material->setAmbient(osg::Material::FRONT_AND_BACK, diffuse);
    getOrCreateStateSet()->setAttributeAndModes(material.get(), osg::StateAttribute::ON);
    m_transparent = opacity;
    if (opacity < 1.0)
        applyOpacity(opacity); // faces read see-through stay so under the new material
    return material.get();
}

void Model::setColor(const osg::Vec4f& color)
{
    osg::Material* material = ownOrNewMaterial();
    osg::Vec4f diffuse(color.r(), color.g(), color.b(), float(m_transparent));
    // Ambient as the colour-tracking material of the scene makes it for the colours parts are read
    // with, so a recoloured part looks as a part read in that colour (and as itself after a save).
    material->setDiffuse(osg::Material::FRONT_AND_BACK, diffuse);
    material->setAmbient(osg::Material::FRONT_AND_BACK, diffuse);
}

void Model::setTransparent(double value, bool recursive)
{
    if (std::isnan(value))
        return;
    value = std::min(1.0, std::max(0.0, value));
    ownOrNewMaterial()->setAlpha(osg::Material::FRONT_AND_BACK, float(value));
    applyOpacity(value);

    if (recursive) {
        for (unsigned int i = 0; i < getModelChildrenNum(); ++i)
            getModelChild(i)->setTransparent(value, true);
    }
}

void Model::applyOpacity(double value)
{
    m_transparent = value;
    osg::StateSet* stateSet = getOrCreateStateSet();
    if (value < 1.0) {
        stateSet->setAttributeAndModes(new osg::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), osg::StateAttribute::ON);
        stateSet->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
    } else {
        stateSet->removeAttribute(osg::StateAttribute::BLENDFUNC);
        stateSet->removeMode(GL_BLEND);
        stateSet->setRenderingHint(osg::StateSet::DEFAULT_BIN);
    }
}

int Model::getPlcId() const
{
    if (getNumParents() == 0 || !isModel(getParent(0)))
        return 0;
    return m_plcId;
}

void Model::resetChildrenPlcId()
{
    m_modelChildrenValid = false;
    refreshModelChildren();
    for (std::size_t i = 0; i < m_modelChildren.size(); ++i)
        m_modelChildren[i]->m_plcId = int(i);
}

bool Model::addChild(osg::Node* child)
{
    const bool added = osg::Group::addChild(child);
    if (added)
        resetChildrenPlcId();
    return added;
}

bool Model::insertChild(unsigned int index, osg::Node* child)
{
    const bool added = osg::Group::insertChild(index, child);
    if (added)
        resetChildrenPlcId();
    return added;
}

bool Model::removeChildren(unsigned int pos, unsigned int numChildrenToRemove)
{
    const bool removed = osg::Group::removeChildren(pos, numChildrenToRemove);
    resetChildrenPlcId();
    return removed;
}

bool Model::replaceChild(osg::Node* origChild, osg::Node* newChild)
{
    const bool replaced = osg::Group::replaceChild(origChild, newChild);
    resetChildrenPlcId();
    return replaced;
}

bool Model::setChild(unsigned int i, osg::Node* node)
{
    const bool set = osg::Group::setChild(i, node);
    resetChildrenPlcId();
    return set;
}

void Model::traverse(osg::NodeVisitor& nv)
{
    osg::MatrixTransform::traverse(nv);
    if (nv.getVisitorType() == osg::NodeVisitor::CULL_VISITOR) {
        if (m_selectDecorator.valid())
            m_selectDecorator->accept(nv);
        if (m_preSelectDecorator.valid())
            m_preSelectDecorator->accept(nv);
    }
}

} // namespace Vantor
