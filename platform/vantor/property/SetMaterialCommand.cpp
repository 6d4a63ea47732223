#include "vantor/property/SetMaterialCommand.h"

#include "vantor/model/Model.h"

#include <osg/BlendFunc>

#include <algorithm>
#include <cmath>

namespace Vantor {

namespace {

float unit(float v) { return std::min(1.0f, std::max(0.0f, v)); }

osg::Material* ownMaterial(osg::Node* node)
{
    osg::StateSet* ss = node->getStateSet();
    return ss ? dynamic_cast<osg::Material*>(ss->getAttribute(osg::StateAttribute::MATERIAL)) : nullptr;
}

void copyMaterial(osg::Material& to, const osg::Material& from)
{
    using M = osg::Material;
    to.setColorMode(from.getColorMode());
    if (from.getAmbientFrontAndBack()) {
        to.setAmbient(M::FRONT_AND_BACK, from.getAmbient(M::FRONT));
    } else {
        to.setAmbient(M::FRONT, from.getAmbient(M::FRONT));
        to.setAmbient(M::BACK, from.getAmbient(M::BACK));
    }
    if (from.getDiffuseFrontAndBack()) {
        to.setDiffuse(M::FRONT_AND_BACK, from.getDiffuse(M::FRONT));
    } else {
        to.setDiffuse(M::FRONT, from.getDiffuse(M::FRONT));
        to.setDiffuse(M::BACK, from.getDiffuse(M::BACK));
    }
    if (from.getSpecularFrontAndBack()) {
        to.setSpecular(M::FRONT_AND_BACK, from.getSpecular(M::FRONT));
    } else {
        to.setSpecular(M::FRONT, from.getSpecular(M::FRONT));
        to.setSpecular(M::BACK, from.getSpecular(M::BACK));
    }
    if (from.getEmissionFrontAndBack()) {
        to.setEmission(M::FRONT_AND_BACK, from.getEmission(M::FRONT));
    } else {
        to.setEmission(M::FRONT, from.getEmission(M::FRONT));
        to.setEmission(M::BACK, from.getEmission(M::BACK));
    }
    if (from.getShininessFrontAndBack()) {
        to.setShininess(M::FRONT_AND_BACK, from.getShininess(M::FRONT));
    } else {
        to.setShininess(M::FRONT, from.getShininess(M::FRONT));
        to.setShininess(M::BACK, from.getShininess(M::BACK));
    }
}

bool emptyStateSet(const osg::StateSet& ss)
{
    return ss.getAttributeList().empty() && ss.getModeList().empty() && ss.getTextureAttributeList().empty() &&
           ss.getTextureModeList().empty() && ss.getUniformList().empty() && ss.getDefineList().empty() &&
           ss.getRenderBinMode() == osg::StateSet::INHERIT_RENDERBIN_DETAILS && !ss.getUpdateCallback() &&
           !ss.getEventCallback();
}

} // namespace

SetMaterialCommand::SetMaterialCommand(std::list<osg::ref_ptr<osg::Node>> nodes, const osg::Vec4f& colour, double value,
                                       MATERIALTYPE type)
    : m_nodes(std::move(nodes))
    , m_colour(colour)
    , m_value(value)
    , m_type(type)
{
    m_nodes.remove(nullptr);
}

SetMaterialCommand::SetMaterialCommand(osg::ref_ptr<osg::Node> node, const osg::Vec4f& colour, double value, MATERIALTYPE type)
    : SetMaterialCommand(std::list<osg::ref_ptr<osg::Node>>{node}, colour, value, type)
{
}

SetMaterialCommand::~SetMaterialCommand() = default;

bool SetMaterialCommand::Execute()
{
    if (m_nodes.empty())
        return false;
    if (m_type == MATERIAL_COLOR) {
        if (std::isnan(m_colour.r()) || std::isnan(m_colour.g()) || std::isnan(m_colour.b()) || std::isnan(m_colour.a()))
            return false;
    } else if (m_type == MATERIAL_TRANSPARENT) {
        if (std::isnan(m_value))
            return false;
    } else {
        return false;
    }

    // Everything touched is saved before anything changes, so a node listed twice (or below another
    // listed one) comes back as it was before the command.
    std::vector<osg::ref_ptr<osg::Node>> targets;
    for (const auto& node : m_nodes) {
        if (m_type == MATERIAL_TRANSPARENT) {
            if (!Model::isModel(node.get()))
                targets.push_back(node);
            Model::NodeList models;
            Model::getAllChildrenModels(node.get(), models);
            targets.insert(targets.end(), models.begin(), models.end());
        } else {
            targets.push_back(node);
        }
    }
    m_saved.clear();
    for (const auto& node : targets)
        m_saved.push_back(save(node.get()));
    for (const auto& node : targets)
        apply(node.get());
    return true;
}

bool SetMaterialCommand::Unexecute()
{
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
        restore(*it);
    m_saved.clear();
    return true;
}

SetMaterialCommand::Saved SetMaterialCommand::save(osg::Node* node) const
{
    Saved s;
    s.node = node;
    s.hadStateSet = node->getStateSet() != nullptr;
    if (auto* model = dynamic_cast<Model*>(node))
        s.transparent = model->getTransparent();
    const osg::StateSet* ss = node->getStateSet();
    if (!ss)
        return s;
    if (const osg::StateSet::RefAttributePair* pair = ss->getAttributePair(osg::StateAttribute::MATERIAL)) {
        s.material = dynamic_cast<osg::Material*>(pair->first.get());
        if (s.material) {
            s.values = new osg::Material(*s.material);
            s.materialValue = pair->second;
        }
    }
    if (const osg::StateSet::RefAttributePair* pair = ss->getAttributePair(osg::StateAttribute::BLENDFUNC)) {
        s.blendFunc = pair->first;
        s.blendFuncValue = pair->second;
    }
    const osg::StateSet::ModeList& modes = ss->getModeList();
    auto blend = modes.find(GL_BLEND);
    s.hadBlendMode = blend != modes.end();
    s.blendMode = s.hadBlendMode ? blend->second : 0;
    s.binNumber = ss->getBinNumber();
    s.binName = ss->getBinName();
    s.binMode = ss->getRenderBinMode();
    s.hint = ss->getRenderingHint();
    return s;
}

void SetMaterialCommand::restore(const Saved& s)
{
    osg::Node* node = s.node.get();
    if (auto* model = dynamic_cast<Model*>(node))
        model->setTransparent(s.transparent); // then its material and blending as they were
    osg::StateSet* ss = node->getStateSet();
    if (!ss)
        return;
    if (s.material) {
        copyMaterial(*s.material, *s.values);
        ss->setAttribute(s.material.get(), s.materialValue);
    } else {
        ss->removeAttribute(osg::StateAttribute::MATERIAL);
    }
    if (s.blendFunc)
        ss->setAttribute(s.blendFunc.get(), s.blendFuncValue);
    else
        ss->removeAttribute(osg::StateAttribute::BLENDFUNC);
    if (s.hadBlendMode)
        ss->setMode(GL_BLEND, s.blendMode);
    else
        ss->removeMode(GL_BLEND);
    ss->setRenderingHint(s.hint);
    ss->setRenderBinDetails(s.binNumber, s.binName, osg::StateSet::RenderBinMode(s.binMode));
    if (!s.hadStateSet && emptyStateSet(*ss))
        node->setStateSet(nullptr);
}

void SetMaterialCommand::apply(osg::Node* node) const
{
    auto* model = dynamic_cast<Model*>(node);
    if (m_type == MATERIAL_COLOR) {
        const osg::Vec4f colour(unit(m_colour.r()), unit(m_colour.g()), unit(m_colour.b()), 1.0f);
        if (model) {
            model->setColor(colour);
            return;
        }
        osg::StateSet* ss = node->getOrCreateStateSet();
        osg::Material* material = ownMaterial(node);
        const float alpha = material ? material->getDiffuse(osg::Material::FRONT).a() : 1.0f;
        if (!material) {
            material = new osg::Material;
            material->setColorMode(osg::Material::OFF);
            ss->setAttributeAndModes(material, osg::StateAttribute::ON);
        }
        const osg::Vec4f diffuse(colour.r(), colour.g(), colour.b(), alpha);
        material->setDiffuse(osg::Material::FRONT_AND_BACK, diffuse);
        material->setAmbient(osg::Material::FRONT_AND_BACK, diffuse);
        return;
    }

    const double value = std::min(1.0, std::max(0.0, m_value));
    if (model) {
        // A material made now for the alpha keeps the colour the model showed.
        model->setTransparent(value, false);
        return;
    }
    osg::StateSet* ss = node->getOrCreateStateSet();
    if (osg::Material* material = ownMaterial(node))
        material->setAlpha(osg::Material::FRONT_AND_BACK, float(value));
    if (value < 1.0) {
        ss->setAttributeAndModes(new osg::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), osg::StateAttribute::ON);
        ss->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
    } else {
        ss->removeAttribute(osg::StateAttribute::BLENDFUNC);
        ss->removeMode(GL_BLEND);
        ss->setRenderingHint(osg::StateSet::DEFAULT_BIN);
    }
}

} // namespace Vantor
