#include "vantor/measure/MeasureCommand.h"

#include "vantor/annotation/Drawing.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/SelectFilter.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/feature/FeatureData.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"
#include "vantor/util/StrUtil.h"

#include <osg/BlendFunc>
#include <osg/Geode>
#include <osg/Geometry>
#include <osg/NodeVisitor>
#include <osgGA/GUIEventAdapter>
#include <osgUtil/LineSegmentIntersector>

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

namespace Vantor {

namespace {

using GEA = osgGA::GUIEventAdapter;

// How far from the cursor, in pixels, a corner or an edge is still taken.
constexpr double kSnapPixels = 8.0;

const osg::Vec4 kHoverColour(0.2f, 0.75f, 1.0f, 0.45f);
const osg::Vec4 kPickedColour(1.0f, 0.45f, 0.1f, 0.55f);

class FindMeasureManager : public osg::NodeVisitor
{
public:
    FindMeasureManager() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) { setNodeMaskOverride(0xffffffffu); }
    void apply(osg::Group& group) override
    {
        if (found)
            return;
        if (auto* manager = dynamic_cast<MeasureManager*>(&group)) {
            found = manager;
            return;
        }
        // The model's own tree holds no manager: skip it, it may be large.
        if (Model::isModel(&group))
            return;
        traverse(group);
    }
    MeasureManager* found = nullptr;
};

// World distance that one pixel covers at the point; a share of the scene where there is no viewport.
double worldPerPixel(osgViewer::View* view, const osg::Vec3d& point)
{
    osg::Camera* camera = view ? view->getCamera() : nullptr;
    if (camera && camera->getViewport()) {
        const osg::Matrixd vpw =
            camera->getViewMatrix() * camera->getProjectionMatrix() * camera->getViewport()->computeWindowMatrix();
        osg::Matrixd inverse;
        if (inverse.invert(vpw)) {
            const osg::Vec3d window = point * vpw;
            const double d = ((window + osg::Vec3d(1, 0, 0)) * inverse - point).length();
            if (std::isfinite(d) && d > 0)
                return d;
        }
    }
    osg::Node* scene = view ? view->getSceneData() : nullptr;
    return scene ? scene->getBound().radius() * 0.002 : 0.01;
}

void addTriangles(osg::Geode* geode, const std::vector<osg::Vec3d>& triangles, const osg::Vec4& colour)
{
    if (triangles.empty())
        return;
    osg::ref_ptr<osg::Geometry> g = new osg::Geometry;
    osg::ref_ptr<osg::Vec3Array> v = new osg::Vec3Array;
    for (const auto& p : triangles)
        v->push_back(p);
    osg::ref_ptr<osg::Vec4Array> c = new osg::Vec4Array;
    c->push_back(colour);
    g->setVertexArray(v.get());
    g->setColorArray(c.get(), osg::Array::BIND_OVERALL);
    g->addPrimitiveSet(new osg::DrawArrays(GL_TRIANGLES, 0, GLsizei(v->size())));
    osg::StateSet* ss = g->getOrCreateStateSet();
    ss->setAttributeAndModes(new osg::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
    ss->setRenderingHint(osg::StateSet::TRANSPARENT_BIN);
    geode->addDrawable(g.get());
}

void drawPick(osg::Geode* geode, const MeasureCommand::Picked& p, const osg::Vec4& colour)
{
    osg::Vec4 solid = colour;
    solid.a() = 1.0f;
    switch (p.kind) {
    case MeasureCommand::PickPoint:
        Drawing::addPoints(geode, {p.point}, solid, 10.0f);
        break;
    case MeasureCommand::PickEdge:
        Drawing::addLines(geode, p.edge.type == MeasureGeo::Edge::Line ? std::vector<osg::Vec3d>{p.edge.start, p.edge.end}
                                                                       : p.edge.points,
                          GL_LINE_STRIP, solid, 4.0f);
        break;
    case MeasureCommand::PickCircle:
    case MeasureCommand::PickShaft:
        if (p.isEdge)
            Drawing::addLines(geode, p.edge.points, GL_LINE_STRIP, solid, 4.0f);
        else
            addTriangles(geode, p.face.triangles, colour);
        break;
    case MeasureCommand::PickFace:
    case MeasureCommand::PickBody:
        addTriangles(geode, p.face.triangles, colour);
        break;
    }
}

} // namespace

MeasureCommand::MeasureCommand(std::string type, std::vector<Pick> stages, Quantity quantity, const char* title)
    : m_type(std::move(type))
    , m_stages(std::move(stages))
    , m_quantity(quantity)
    , m_title(StrUtil::translate("MeasureCommand", title))
{
    m_repeat = quantity == Area || quantity == Volume;
}

std::string MeasureCommand::formatValue(double value, Quantity quantity)
{
    static const double kScale[] = {1.0, 10.0, 1000.0};
    static const char* const kUnit[] = {"mm", "cm", "m"};
    const int unit = std::min(2, std::max(0, MeasureMethod::unitType));
    const int decimals = std::min(10, std::max(0, int(std::lround(MeasureMethod::exactvalue))));
    std::ostringstream out;
    // Saved with the model: never the process's decimal comma.
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed);
    out.precision(decimals);
    switch (quantity) {
    case Length: out << value / kScale[unit] << ' ' << kUnit[unit]; break;
    case Area: out << value / (kScale[unit] * kScale[unit]) << ' ' << kUnit[unit] << "\xC2\xB2"; break;
    case Volume: out << value / (kScale[unit] * kScale[unit] * kScale[unit]) << ' ' << kUnit[unit] << "\xC2\xB3"; break;
    case Angle: out << value << "\xC2\xB0"; break;
    }
    return out.str();
}

std::string MeasureCommand::stageTip(std::size_t stage) const
{
    const Pick kind = m_stages[std::min(stage, m_stages.size() - 1)];
    const bool second = !m_repeat && m_stages.size() > 1 && stage > 0;
    switch (kind) {
    case PickPoint: return second ? StrUtil::translate("MeasureCommand", "请选择第二个点") : StrUtil::translate("MeasureCommand", "请选择第一个点");
    case PickEdge: return second ? StrUtil::translate("MeasureCommand", "请选择第二条边") : StrUtil::translate("MeasureCommand", "请选择一条边");
    case PickFace:
        if (m_repeat)
            return StrUtil::translate("MeasureCommand", "请选择面，回车或右键结束");
        return second ? StrUtil::translate("MeasureCommand", "请选择第二个面") : StrUtil::translate("MeasureCommand", "请选择一个面");
    case PickCircle: return second ? StrUtil::translate("MeasureCommand", "请选择第二个圆、圆弧或圆柱面") : StrUtil::translate("MeasureCommand", "请选择圆、圆弧或圆柱面");
    case PickShaft: return second ? StrUtil::translate("MeasureCommand", "请选择第二根轴（圆柱面或圆边）") : StrUtil::translate("MeasureCommand", "请选择一根轴（圆柱面或圆边）");
    case PickBody: return StrUtil::translate("MeasureCommand", "请选择实体，回车或右键结束");
    }
    return std::string();
}

bool MeasureCommand::accept(const Picked& pick, std::string& why)
{
    // The same face or edge twice gives no measure.
    for (const Picked& before : m_picks) {
        if (m_repeat || before.kind != pick.kind)
            continue;
        if ((pick.kind == PickFace && before.face.owner == pick.face.owner && before.face.id == pick.face.id) ||
            (pick.kind == PickEdge && before.body == pick.body && before.edge.id == pick.edge.id &&
             before.edge.points == pick.edge.points)) {
            why = StrUtil::translate("MeasureCommand", "请选择另一个对象");
            return false;
        }
    }
    if (m_repeat) {
        for (const Picked& before : m_picks) {
            const bool same = pick.kind == PickBody ? before.body == pick.body
                                                    : before.face.owner == pick.face.owner && before.face.id == pick.face.id;
            if (same) {
                why = StrUtil::translate("MeasureCommand", "该对象已选择");
                return false;
            }
        }
    }
    return true;
}

AddMeasureCommand::AddMeasureCommand(osg::ref_ptr<MeasureManager> manager, osg::ref_ptr<Measure> measure)
    : m_manager(manager)
    , m_measure(std::move(measure))
{
}

bool AddMeasureCommand::Execute()
{
    osg::ref_ptr<MeasureManager> manager;
    if (!m_measure || !m_manager.lock(manager))
        return false;
    return manager->InsertMeasure(m_measure, -1) || manager->getMeasureById(m_measure->getId()).valid();
}

bool AddMeasureCommand::Unexecute()
{
    osg::ref_ptr<MeasureManager> manager;
    if (!m_measure || !m_manager.lock(manager))
        return false;
    manager->RemoveMeasureByID(m_measure->getId());
    return true;
}

bool MeasureCommand::Execute()
{
    if (getState() != STATE_IDLE)
        return true;
    // The picking leaves no step behind: only the measure it adds is undone.
    setUndoable(false);
    m_picks.clear();
    setState(STATE_RUNNING);
    say(stageTip(0));
    return true;
}

bool MeasureCommand::Cancel()
{
    clearHighlight();
    if (!isFinished()) {
        if (m_repeat)
            publishLive(0.0, true);
        setState(STATE_FINISHED);
    }
    return true;
}

bool MeasureCommand::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (isFinished() || getState() != STATE_RUNNING)
        return false;
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    switch (ea.getEventType()) {
    case GEA::MOVE:
        if (view) {
            m_view = view;
            Picked hover;
            const std::size_t stage = m_repeat ? 0 : m_picks.size();
            updateHighlight(pick(view, ea.getXnormalized(), ea.getYnormalized(), m_stages[stage], hover) ? &hover
                                                                                                          : nullptr);
        }
        return false;
    case GEA::PUSH:
        m_press.onMouseDown(osg::Vec3(ea.getX(), ea.getY(), 0.0f));
        m_pushButton = ea.getButton();
        return false;
    case GEA::DRAG:
        m_press.onMouseMove(osg::Vec3(ea.getX(), ea.getY(), 0.0f));
        return false;
    case GEA::RELEASE: {
        // A drag is the camera's, not a click.
        const bool click = m_press.releaseIsClick(osg::Vec3(ea.getX(), ea.getY(), 0.0f)) && ea.getButton() == m_pushButton;
        m_pushButton = 0;
        if (!click)
            return false;
        if (ea.getButton() == GEA::LEFT_MOUSE_BUTTON) {
            if (view)
                clickAt(view, ea.getXnormalized(), ea.getYnormalized());
            return true; // the click was the measure's: it selects nothing
        }
        if (ea.getButton() == GEA::RIGHT_MOUSE_BUTTON) {
            if (m_repeat && !m_picks.empty())
                finishPicking();
            else
                cancelRun();
            return true;
        }
        return false;
    }
    case GEA::KEYDOWN:
        if (ea.getKey() == GEA::KEY_Escape) {
            cancelRun();
            return true;
        }
        if (m_repeat && (ea.getKey() == GEA::KEY_Return || ea.getKey() == GEA::KEY_KP_Enter)) {
            finishPicking();
            return true;
        }
        return false;
    default: return false;
    }
}

bool MeasureCommand::clickAt(osgViewer::View* view, double x, double y)
{
    if (isFinished() || !view)
        return false;
    m_view = view;
    const std::size_t stage = m_repeat ? 0 : m_picks.size();
    Picked picked;
    if (!pick(view, x, y, m_stages[stage], picked)) {
        say(StrUtil::translate("MeasureCommand", "未选中合适的对象。") + stageTip(stage));
        return false;
    }
    std::string why;
    if (!accept(picked, why)) {
        say(why);
        return false;
    }
    m_picks.push_back(picked);
    if (m_repeat) {
        const MeasureGeo::Result r = compute(m_picks);
        if (!r.ok) {
            m_picks.pop_back();
            say(r.error);
            return false;
        }
        publishLive(r.value);
        say(m_title + ": " + formatValue(r.value, m_quantity) + "  " + stageTip(0));
        updateHighlight(nullptr);
        return true;
    }
    if (m_picks.size() < m_stages.size()) {
        say(stageTip(m_picks.size()));
        updateHighlight(nullptr);
        return true;
    }
    complete();
    return true;
}

bool MeasureCommand::finishPicking()
{
    if (isFinished())
        return false;
    if (m_picks.empty()) {
        cancelRun();
        return false;
    }
    complete();
    return isFinished();
}

void MeasureCommand::complete()
{
    const MeasureGeo::Result r = compute(m_picks);
    if (!r.ok) {
        // The last pick does not fit with the others: it may be taken again.
        if (!m_repeat)
            m_picks.pop_back();
        say(r.error.empty() ? StrUtil::translate("MeasureCommand", "无法测量所选对象") : r.error);
        updateHighlight(nullptr);
        return;
    }
    osg::ref_ptr<MeasureManager> manager = findManager();
    if (!manager) {
        LogHandler::getInstance()->reportError(std::string("Measure: the scene has no measure manager"));
        cancelRun();
        return;
    }
    osg::ref_ptr<Measure> measure = newMeasure();
    measure->setName(m_title);
    measure->setValue(r.value);
    measure->SetTitle(m_title);
    measure->SetContent(formatValue(r.value, m_quantity));
    measure->setPoints(r.points);
    m_manager = manager;
    m_measure = measure;
    clearHighlight();
    setState(STATE_FINISHED);
    auto add = std::make_shared<AddMeasureCommand>(manager, measure);
    std::shared_ptr<CommandManager> commands = getCommandManager();
    if (commands)
        commands->DoCommand(add);
    else
        add->Execute();
    if (m_repeat)
        manager->NotifyMeasureChanged(measure.get());
    say(m_title + ": " + measure->GetContent());
    // The tool stays on: the next measure of the same kind starts with the next event.
    if (commands)
        commands->setExecuteType(m_type);
}

void MeasureCommand::cancelRun()
{
    std::shared_ptr<CommandManager> commands = getCommandManager();
    if (commands && commands->getCurrentCommand().get() == this)
        commands->CancelCurrentCmd();
    else
        Cancel();
    say(std::string());
}

void MeasureCommand::say(const std::string& text)
{
    m_tip = text;
    showTip(text);
}

void MeasureCommand::publishLive(double value, bool close)
{
    osg::ref_ptr<MeasureManager> manager = findManager();
    if (!manager)
        return;
    if (!m_live)
        m_live = newMeasure();
    m_live->SetTitle(m_title);
    m_live->SetContent(close ? std::string() : formatValue(value, m_quantity));
    m_live->setValue(value);
    m_live->setClosePanel(close);
    manager->NotifyMeasureChanged(m_live.get());
}

osg::ref_ptr<MeasureManager> MeasureCommand::findManager() const
{
    osg::ref_ptr<MeasureManager> manager;
    if (m_manager.lock(manager))
        return manager;
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view) || !view->getSceneData())
        return nullptr;
    FindMeasureManager finder;
    view->getSceneData()->accept(finder);
    return finder.found;
}

bool MeasureCommand::pick(osgViewer::View* view, double x, double y, Pick kind, Picked& out)
{
    osg::Node* scene = view ? view->getSceneData() : nullptr;
    if (!scene || !view->getCamera())
        return false;
    osg::ref_ptr<Model> top = Model::GetTopModel(scene);
    if (!top)
        return false;
    const osg::NodePath rootPath = OsgHelper::computeNodePath(top.get());
    if (rootPath.empty())
        return false;
    const osg::NodePath above(rootPath.begin(), rootPath.end() - 1);
    const osg::Matrixd rootToWorld = osg::computeLocalToWorld(above);

    osgUtil::LineSegmentIntersector::Intersections hits;
    if (!view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, x, y, rootPath, hits))
        return false;
    std::shared_ptr<CommandManager> commands = getCommandManager();
    osg::ref_ptr<SelectFilter> filter = commands ? commands->GetSelectFilter() : nullptr;
    const osgUtil::LineSegmentIntersector::Intersection* hit = nullptr;
    for (const auto& candidate : hits) {
        // Faces only: edge lines and helpers are not what a ray picks.
        if (!FeatureGeo::faceFeaturesOf(candidate.drawable.get()) &&
            !(candidate.drawable && candidate.drawable->asGeometry() && !candidate.nodePath.empty() &&
              Body::isBody(candidate.nodePath.back())))
            continue;
        if (filter && filter->isClipedInView(candidate, view))
            continue;
        hit = &candidate;
        break;
    }
    if (!hit)
        return false;

    const osg::Matrixd toWorld = (hit->matrix.valid() ? *hit->matrix : osg::Matrixd()) * rootToWorld;
    const osg::Node* body = hit->nodePath.empty() ? nullptr : hit->nodePath.back();
    out = Picked();
    out.kind = kind;
    out.body = body;
    out.point = hit->getWorldIntersectPoint() * rootToWorld;
    const double tolerance = kSnapPixels * worldPerPixel(view, out.point);
    MeasureGeo::Face face;
    const bool hasFace = MeasureGeo::faceFromDrawable(hit->drawable.get(), hit->primitiveIndex, toWorld, face);

    switch (kind) {
    case PickPoint: {
        // A corner of the hit triangle close to the cursor is where the user aims.
        const auto& idx = hit->indexList;
        const osg::Geometry* g = hit->drawable ? hit->drawable->asGeometry() : nullptr;
        const auto* v = g ? dynamic_cast<const osg::Vec3Array*>(g->getVertexArray()) : nullptr;
        double best = tolerance;
        for (unsigned i : idx) {
            if (!v || i >= v->size())
                continue;
            const osg::Vec3d corner = osg::Vec3d((*v)[i]) * toWorld;
            if ((corner - out.point).length() <= best) {
                best = (corner - out.point).length();
                out.point = corner;
            }
        }
        return true;
    }
    case PickFace:
        out.face = face;
        return hasFace;
    case PickEdge:
        return MeasureGeo::edgeNearPoint(body, toWorld, out.point, tolerance, out.edge);
    case PickCircle: {
        FeatureGeo::Circle circle;
        if (!FeatureGeo::circleAt(body, hasFace ? &face : nullptr, toWorld, out.point, tolerance, circle))
            return false;
        out.isEdge = circle.fromEdge;
        if (circle.fromEdge)
            out.edge = std::move(circle.edge);
        else
            out.face = std::move(circle.face);
        return true;
    }
    case PickShaft: {
        osg::Vec3d c, a;
        if (hasFace && (face.type == MeasureGeo::Face::Cylinder || face.type == MeasureGeo::Face::Cone)) {
            out.face = face;
            return true;
        }
        if (MeasureGeo::edgeNearPoint(body, toWorld, out.point, tolerance, out.edge) && MeasureGeo::centreOf(out.edge, c, a)) {
            out.isEdge = true;
            return true;
        }
        return false;
    }
    case PickBody: {
        MeasureGeo::Solid solid;
        if (!MeasureGeo::solidFromBody(body, toWorld, solid))
            return false;
        out.face.triangles = std::move(solid.triangles);
        out.face.owner = body;
        return true;
    }
    }
    return false;
}

void MeasureCommand::updateHighlight(const Picked* hover)
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view) || !view->getSceneData())
        return;
    if (!m_highlight) {
        m_highlight = new osg::Group;
        m_highlight->setName("MeasurePreview");
    }
    osg::ref_ptr<osg::Group> parent;
    if (!m_highlightParent.lock(parent) || !parent->containsNode(m_highlight.get())) {
        osg::ref_ptr<osg::Group> target = TempNodeManager::GetTempNodeManager(view->getSceneData());
        if (!target)
            target = findManager();
        if (!target)
            return;
        target->addChild(m_highlight.get());
        m_highlightParent = target;
    }
    m_highlight->removeChildren(0, m_highlight->getNumChildren());
    osg::ref_ptr<osg::Geode> geode = Drawing::makeOverlayGeode();
    // Area and volume picks stay lit so the user sees what the total covers.
    for (const Picked& p : m_picks)
        drawPick(geode.get(), p, kPickedColour);
    if (hover)
        drawPick(geode.get(), *hover, kHoverColour);
    m_highlight->addChild(geode.get());
}

void MeasureCommand::clearHighlight()
{
    osg::ref_ptr<osg::Group> parent;
    if (m_highlight && m_highlightParent.lock(parent))
        parent->removeChild(m_highlight.get());
    m_highlight = nullptr;
}

} // namespace Vantor
