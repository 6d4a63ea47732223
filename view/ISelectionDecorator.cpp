#include "view/ISelectionDecorator.h"

#include "vantor/model/SelectEffect.h"

#include <osg/PolygonMode>
#include <osg/PolygonStipple>
#include <osg/Program>
#include <osg/Shader>
#include <osg/Uniform>
#include <osgUtil/IntersectionVisitor>

const char* const ISelectionDecorator::ColorUniform = "nerio_highlightColor";
const char* const ISelectionDecorator::LitUniform = "nerio_highlightLit";

namespace {

// Vertex colours of the decorated geometry would otherwise win over the highlight colour (with the
// material tracking the current colour, and always with lighting off), so the highlight draws through
// a small program that takes its colour from a uniform. gl_ClipVertex keeps open section planes
// cutting the highlight as they cut the model.
const char* const HighlightVertexShader = R"(#version 120
uniform vec4 nerio_highlightColor;
uniform bool nerio_highlightLit;
varying vec4 highlightColor;
void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_ClipVertex = eye;
    gl_Position = ftransform();
    vec4 color = nerio_highlightColor;
    // Shaded by the first light, never darker than 0.6 so that geometry without normals (lines)
    // still shows the colour plainly.
    if (nerio_highlightLit) {
        vec3 n = gl_NormalMatrix * gl_Normal;
        vec4 lp = gl_LightSource[0].position;
        vec3 l = lp.w == 0.0 ? lp.xyz : lp.xyz - eye.xyz;
        float shade = 1.0;
        if (dot(n, n) > 0.0 && dot(l, l) > 0.0)
            shade = 0.6 + 0.4 * abs(dot(normalize(n), normalize(l)));
        color.rgb *= shade;
    }
    highlightColor = color;
}
)";

const char* const HighlightFragmentShader = R"(#version 120
varying vec4 highlightColor;
void main()
{
    gl_FragColor = highlightColor;
}
)";

// One per decorator kind; clones share it through the shared state set. Not a static: OSG objects
// must not outlive the library's own clean-up at exit.
osg::ref_ptr<osg::Program> makeHighlightProgram()
{
    osg::ref_ptr<osg::Program> program = new osg::Program;
    program->setName("SelectionHighlight");
    program->addShader(new osg::Shader(osg::Shader::VERTEX, HighlightVertexShader));
    program->addShader(new osg::Shader(osg::Shader::FRAGMENT, HighlightFragmentShader));
    return program;
}

// Keeps the program's colour equal to the material's diffuse colour, which the colour setters change.
void syncColor(osg::StateSet* state)
{
    if (!state)
        return;
    auto* material = dynamic_cast<osg::Material*>(state->getAttribute(osg::StateAttribute::MATERIAL));
    osg::Uniform* uniform = state->getUniform(ISelectionDecorator::ColorUniform);
    if (!material || !uniform)
        return;
    const osg::Vec4 diffuse = material->getDiffuse(osg::Material::FRONT);
    osg::Vec4 current;
    if (uniform->get(current) && current != diffuse)
        uniform->set(diffuse);
}

} // namespace

ISelectionDecorator::ISelectionDecorator()
{
    // The group has no children of its own; its content is the target's, seen from inside the target.
    setCullingActive(false);
}

ISelectionDecorator::ISelectionDecorator(const ISelectionDecorator& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop), m_enabled(other.m_enabled)
{
}

void ISelectionDecorator::setEnabled(bool enabled)
{
    m_enabled = enabled;
    setNodeMask(enabled ? ~0u : 0u);
}

void ISelectionDecorator::decorate(osg::Node* node)
{
    if (auto* effect = dynamic_cast<Vantor::SelectEffect*>(node)) {
        effect->setSelectDecortator(this);
        m_target = node;
    }
}

void ISelectionDecorator::undecorate(osg::Node* node)
{
    if (auto* effect = dynamic_cast<Vantor::SelectEffect*>(node)) {
        effect->setSelectDecortator(nullptr);
        m_target = nullptr;
    }
}

void ISelectionDecorator::preDecorate(osg::Node* node)
{
    if (auto* effect = dynamic_cast<Vantor::SelectEffect*>(node)) {
        effect->setPreSelectDecortator(this);
        m_target = node;
    }
}

void ISelectionDecorator::unPreDecorate(osg::Node* node)
{
    if (auto* effect = dynamic_cast<Vantor::SelectEffect*>(node)) {
        effect->setPreSelectDecortator(nullptr);
        m_target = nullptr;
    }
}

void ISelectionDecorator::setDecoratorState(osg::StateSet* state)
{
    m_decoratorState = state;
    setStateSet(state);
}

void ISelectionDecorator::traverse(osg::NodeVisitor& nv)
{
    if (nv.getVisitorType() == osg::NodeVisitor::INTERSECTION_VISITOR ||
        dynamic_cast<osgUtil::IntersectionVisitor*>(&nv))
        return;
    if (nv.getVisitorType() == osg::NodeVisitor::CULL_VISITOR)
        syncColor(getStateSet());
    osg::ref_ptr<osg::Node> target;
    if (m_target.lock(target)) {
        if (osg::Group* group = target->asGroup()) {
            for (unsigned int i = 0; i < group->getNumChildren(); ++i)
                group->getChild(i)->accept(nv);
        }
    }
    osg::Group::traverse(nv);
}

osg::ref_ptr<osg::StateSet> ISelectionDecorator::makeHighlightState(const osg::Vec4& color, bool keepLighting,
                                                                    osg::ref_ptr<osg::Material>& material)
{
    const auto overrideProtected = osg::StateAttribute::OVERRIDE | osg::StateAttribute::PROTECTED;
    osg::ref_ptr<osg::StateSet> state = new osg::StateSet;
    // The colour uniform follows the material during drawing.
    state->setDataVariance(osg::Object::DYNAMIC);

    material = new osg::Material;
    material->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
    material->setAmbient(osg::Material::FRONT_AND_BACK, color);
    material->setDiffuse(osg::Material::FRONT_AND_BACK, color);
    state->setAttribute(material.get(), overrideProtected);

    if (!keepLighting) {
        state->setMode(GL_LIGHTING, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE);
        state->setTextureMode(0, GL_TEXTURE_2D, osg::StateAttribute::OFF | osg::StateAttribute::OVERRIDE);
    }
    state->setMode(GL_BLEND, osg::StateAttribute::ON);
    state->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF);

    // Stands for switching the geometry's and the lines' colour arrays off.
    state->setAttributeAndModes(makeHighlightProgram().get(), osg::StateAttribute::ON | overrideProtected);
    state->addUniform(new osg::Uniform(ColorUniform, color), osg::StateAttribute::ON | overrideProtected);
    state->addUniform(new osg::Uniform(LitUniform, keepLighting), osg::StateAttribute::ON | overrideProtected);

    state->setAttributeAndModes(new osg::PolygonMode(osg::PolygonMode::FRONT_AND_BACK, osg::PolygonMode::FILL),
                                osg::StateAttribute::ON | overrideProtected);
    state->setAttributeAndModes(new osg::PolygonStipple, osg::StateAttribute::ON | osg::StateAttribute::OVERRIDE);
    state->setRenderBinDetails(17, "DepthSortedBin", osg::StateSet::USE_RENDERBIN_DETAILS);
    return state;
}

DefaultSelectionDecorator::DefaultSelectionDecorator()
{
    setDecoratorState(makeHighlightState(osg::Vec4(1, 0, 0, 1), false, m_material).get());
    setEnabled(true);
}

DefaultPreSelectionDecorator::DefaultPreSelectionDecorator()
{
    setDecoratorState(makeHighlightState(osg::Vec4(0, 1, 0, 1), true, m_material).get());
    setEnabled(true);
}
