#include "vantor/dazoreader/DazoPmiNodes.h"

#include "vantor/dazoreader/DazoSceneData.h"
#include "vantor/model/Model.h"
#include "vantor/model/PMI.h"
#include "vantor/util/GlyphMipmaps.h"

#include "dazo/Vantor_Curve.h"
#include "dazo/Vantor_PMI.h"
#include "dazo/Vantor_PMIElement.h"
#include "dazo/Vantor_PMIText.h"
#include "dazo/Vantor_Text.h"

#include <osg/BlendFunc>
#include <osg/Geode>
#include <osg/Geometry>
#include <osgText/Text>

#include <cmath>

namespace Vantor {
namespace DazoRead {

namespace {

using namespace VantorSoft;

osg::Vec3 vec(const Vantor_PNT32& p)
{
    return osg::Vec3(p.x, p.y, p.z);
}

osg::Vec3 vec(const Vantor_DIR32& d)
{
    return osg::Vec3(d.x, d.y, d.z);
}

bool finite(const osg::Vec3& v)
{
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

// Appends the curve as line segments (pairs of points).
void addCurve(const Vantor_Curve* curve, osg::Vec3Array& segments)
{
    auto segment = [&](const osg::Vec3& a, const osg::Vec3& b) {
        if (finite(a) && finite(b)) {
            segments.push_back(a);
            segments.push_back(b);
        }
    };
    if (!curve)
        return;
    if (auto* line = dynamic_cast<const Vantor_Line*>(curve)) {
        segment(vec(line->GetStartPoint()), vec(line->GetEndPoint()));
    } else if (auto* poly = dynamic_cast<const Vantor_PolyLine*>(curve)) {
        const auto& points = poly->GetPoints();
        for (std::size_t i = 1; i < points.size(); ++i)
            segment(vec(points[i - 1]), vec(points[i]));
    } else if (auto* arc = dynamic_cast<const Vantor_Arc*>(curve)) {
        Vantor_DIR32 x, y, z;
        arc->GetXYZDir(x, y, z);
        float major = 0, minor = 0, begin = 0, end = 0;
        arc->GetRadius(major, minor);
        arc->GetParameter(begin, end);
        const osg::Vec3 centre = vec(arc->GetCenterPoint());
        if (!std::isfinite(begin) || !std::isfinite(end) || begin == end || std::fabs(end - begin) > 8 * M_PI) {
            Vantor_PNT32 a, b;
            arc->GetCoordinatePnt(a, b);
            segment(vec(a), vec(b));
            return;
        }
        const int steps = 32;
        osg::Vec3 previous;
        for (int i = 0; i <= steps; ++i) {
            const float t = begin + (end - begin) * float(i) / float(steps);
            const osg::Vec3 p = centre + vec(x) * (major * std::cos(t)) + vec(y) * (minor * std::sin(t));
            if (i > 0)
                segment(previous, p);
            previous = p;
        }
    }
}

osg::Vec4 colourOf(const Vantor_RGBA& c)
{
    auto channel = [](std::int32_t v, float unset) { return v < 0 ? unset : std::min(255, v) / 255.0f; };
    return osg::Vec4(channel(c.r, 0.0f), channel(c.g, 0.0f), channel(c.b, 0.0f), channel(c.a, 1.0f));
}

osg::ref_ptr<PMI> makeNode(const std::shared_ptr<Vantor_PMI>& pmi)
{
    osg::ref_ptr<PMI> node = new PMI;
    std::string name;
    WideToUtf8(pmi->GetName().c_str(), name);
    node->setName(name);
    node->setNodeMask(pmi->IsDisplay() ? 0xffffffffu : 0u);
    osg::ref_ptr<DazoData::PmiData> data = new DazoData::PmiData;
    data->pmi = pmi;
    DazoData::attach(node.get(), data.get());

    const osg::Vec4 colour = colourOf(pmi->GetColor());
    osg::ref_ptr<osg::Geode> geode = new osg::Geode;
    geode->getOrCreateStateSet()->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    // The texts blend their glyphs but name no blend function: a complete state here, or the labels
    // take whatever another drawable left (GL's own one/zero draws them as solid boxes).
    geode->getOrCreateStateSet()->setAttributeAndModes(
        new osg::BlendFunc(osg::BlendFunc::SRC_ALPHA, osg::BlendFunc::ONE_MINUS_SRC_ALPHA));

    osg::ref_ptr<osg::Vec3Array> segments = new osg::Vec3Array;
    for (const auto& leader : pmi->GetLeaders())
        for (const auto& curve : leader->GetAllCurve())
            addCurve(curve.get(), *segments);
    for (const auto& line : pmi->GetExLines())
        addCurve(line->GetCurve().get(), *segments);
    for (const auto& special : pmi->GetSpecialLines())
        for (const auto& curve : special->GetCurves())
            addCurve(curve.get(), *segments);
    for (const auto& frame : pmi->GetOutFrame())
        for (const auto& curve : frame->GetFrameData())
            addCurve(curve.get(), *segments);
    if (!segments->empty()) {
        osg::ref_ptr<osg::Geometry> lines = new osg::Geometry;
        lines->setVertexArray(segments.get());
        osg::ref_ptr<osg::Vec4Array> colours = new osg::Vec4Array;
        colours->push_back(colour);
        lines->setColorArray(colours.get(), osg::Array::BIND_OVERALL);
        lines->addPrimitiveSet(new osg::DrawArrays(GL_LINES, 0, static_cast<GLsizei>(segments->size())));
        geode->addDrawable(lines.get());
    }

    for (const auto& box : pmi->GetComText()) {
        for (const auto& text : box->GetTexts()) {
            std::string content;
            WideToUtf8(text->GetTextContent().c_str(), content);
            if (content.empty())
                continue;
            float width = 0, height = 0;
            text->GetCharWidthAndHeight(width, height);
            Vantor_DIR32 xAxis, yAxis;
            text->GetInnerXYAxis(xAxis, yAxis);
            const osg::Vec3 position = vec(text->GetInnerLoc());
            osg::ref_ptr<osgText::Text> label = new osgText::Text;
            label->setText(content, osgText::String::ENCODING_UTF8);
            label->setDrawCallback(cpuGlyphMipmaps());
            label->setCharacterSize(std::isfinite(height) && height > 0 ? height : 3.5f);
            label->setColor(colour);
            if (finite(position))
                label->setPosition(position);
            osg::Vec3 x = vec(xAxis), y = vec(yAxis);
            if (finite(x) && finite(y) && x.length2() > 0 && y.length2() > 0) {
                x.normalize();
                y.normalize();
                osg::Vec3 z = x ^ y;
                if (z.length2() > 1e-6f) {
                    z.normalize();
                    osg::Matrix basis(x.x(), x.y(), x.z(), 0, y.x(), y.y(), y.z(), 0, z.x(), z.y(), z.z(), 0, 0, 0, 0, 1);
                    label->setAxisAlignment(osgText::TextBase::USER_DEFINED_ROTATION);
                    label->setRotation(basis.getRotate());
                }
            }
            geode->addDrawable(label.get());
        }
    }
    node->addChild(geode.get());
    return node;
}

} // namespace

void addPmiNodes(Model& model, const std::vector<std::shared_ptr<Vantor_PMI>>& annotations)
{
    for (const auto& pmi : annotations) {
        if (pmi)
            model.osg::Group::addChild(makeNode(pmi).get());
    }
}

} // namespace DazoRead
} // namespace Vantor
