#include "view/SceneCallbacks.h"

#include <osg/LightSource>
#include <osg/Transform>

#include <cmath>

namespace {

osg::Matrixd inverseViewOf(const osg::Camera& camera)
{
    return osg::Matrixd::inverse(camera.getViewMatrix());
}

} // namespace

void AutoDirectionLightCallback::operator()(osg::Node* node, osg::NodeVisitor* nv)
{
    auto* source = dynamic_cast<osg::LightSource*>(node);
    if (source && source->getLight() && m_camera.valid()) {
        const osg::Vec4d d = osg::Vec4d(0.0, 0.0, -1.0, 0.0) * inverseViewOf(*m_camera);
        source->getLight()->setPosition(osg::Vec4(float(-d.x()), float(-d.y()), float(-d.z()), 0.0f));
    }
    traverse(node, nv);
}

void AutoPointLightCallback::operator()(osg::Node* node, osg::NodeVisitor* nv)
{
    auto* source = dynamic_cast<osg::LightSource*>(node);
    if (source && source->getLight() && m_camera.valid()) {
        const osg::Vec3d e = osg::Vec3d(0.0, 0.0, 0.0) * inverseViewOf(*m_camera);
        source->getLight()->setPosition(osg::Vec4(float(e.x()), float(e.y()), float(e.z()), 1.0f));
        source->getLight()->setConstantAttenuation(1.0f);
    }
    traverse(node, nv);
}

bool AutoGridShowCallback::gridVisibleFor(const osg::Matrixd& inverseView)
{
    osg::Vec4d b = osg::Vec4d(0.0, 0.0, 1.0, 0.0) * inverseView;
    const double len = b.length();
    if (len > 0.0)
        b /= len;
    const double s = b.z() + b.w();
    static const double limit = std::cos(1.8849555921538759); // 108 degrees from world +z
    return s > limit;
}

void AutoGridShowCallback::operator()(osg::Node* node, osg::NodeVisitor* nv)
{
    osg::Group* group = node ? node->asGroup() : nullptr;
    if (group && m_camera.valid()) {
        const osg::Node::NodeMask mask = gridVisibleFor(inverseViewOf(*m_camera)) ? ~0u : 0u;
        for (unsigned i = 0; i < group->getNumChildren(); ++i)
            group->getChild(i)->setNodeMask(mask);
    }
    traverse(node, nv);
}

void FadingUpdateCallback::operator()(osg::Node* node, osg::NodeVisitor* /*nv*/)
{
    m_elapsed += std::uint64_t(m_step);
    if (m_blendColor)
        m_blendColor->setConstantColor(osg::Vec4(1.0f, 1.0f, 1.0f, float(1.0 - double(m_elapsed) / 255.0)));
    if (m_elapsed >= 255) {
        if (node)
            node->setNodeMask(0);
    } else if (m_requestFrame) {
        m_requestFrame();
    }
    // No traversal: nothing below the switch needs updating.
}

void FadingUpdateCallback::restart()
{
    m_elapsed = 0;
    if (m_blendColor)
        m_blendColor->setConstantColor(osg::Vec4(1.0f, 1.0f, 1.0f, 1.0f));
    if (m_requestFrame)
        m_requestFrame();
}

double niceGridStep(double x)
{
    double value = 0.0;
    double decade = 1.0;
    static const double factors[] = {1.0, 2.5, 5.0};
    // NaN compares false and gives 0; infinity ends once the decade overflows.
    while (value < x) {
        for (double f : factors) {
            value = f * decade;
            if (!(value < x))
                break;
        }
        decade *= 10.0;
    }
    return value;
}
