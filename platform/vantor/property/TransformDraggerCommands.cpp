#include "vantor/property/TransformDraggerCommands.h"

#include "vantor/align/AlignManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/feature/FeatureGeometry.h"
#include "vantor/model/Body.h"
#include "vantor/model/Model.h"
#include "vantor/model/PropertiesManager.h"
#include "vantor/property/ModelTransform.h"
#include "vantor/property/TransformModelsCommand.h"
#include "vantor/util/LogHandler.h"
#include "vantor/util/NodeSearch.h"
#include "vantor/util/StrUtil.h"

#include <QtGlobal>
#include <osg/Depth>
#include <osgManipulator/Command>
#include <osgManipulator/ScaleAxisDragger>
#include <osgManipulator/TrackballDragger>
#include <osgManipulator/TranslateAxisDragger>
#include <osgManipulator/TranslatePlaneDragger>
#include <osgUtil/LineSegmentIntersector>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Vantor {

const char* const SelectModelTip = QT_TRANSLATE_NOOP("TransformDraggerCommand", "请先选择要变换的模型");
const char* const PivotTip = QT_TRANSLATE_NOOP("TransformDraggerCommand", "点击模型上的点、角点或圆形边/孔作为新的轴位置");

namespace {

const char* const DraggerHolderName = "TransformDraggerHolder";

// Pixels per world unit at a world point, from the view's camera; 0 when it cannot be told.
double pixelsPerUnit(osgViewer::View* view, const osg::Vec3d& point)
{
    osg::Camera* camera = view ? view->getCamera() : nullptr;
    if (!camera || !camera->getViewport())
        return 0.0;
    const osg::Matrixd vpw = camera->getViewMatrix() * camera->getProjectionMatrix() *
                             camera->getViewport()->computeWindowMatrix();
    osg::Matrixd inverseView;
    if (!inverseView.invert(camera->getViewMatrix()))
        return 0.0;
    // One unit along the camera's right direction, so the measure does not depend on the view angle.
    const osg::Vec3d right = osg::Matrixd::transform3x3(osg::Vec3d(1, 0, 0), inverseView);
    const osg::Vec3d a = point * vpw;
    const osg::Vec3d b = (point + right) * vpw;
    const double d = std::hypot(b.x() - a.x(), b.y() - a.y());
    return std::isfinite(d) ? d : 0.0;
}

bool finite(const osg::Vec3d& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

osg::ref_ptr<osg::Group> holderIn(osg::Node* sceneData)
{
    osg::ref_ptr<TempNodeManager> temp = TempNodeManager::GetTempNodeManager(sceneData);
    if (!temp.valid())
        return nullptr;
    osg::ref_ptr<osg::Group> holder = new osg::Group;
    holder->setName(DraggerHolderName);
    // Seen through the parts it sits in, drawn after them.
    osg::StateSet* state = holder->getOrCreateStateSet();
    state->setAttributeAndModes(new osg::Depth(osg::Depth::ALWAYS), osg::StateAttribute::ON);
    state->setRenderBinDetails(1000, "RenderBin");
    temp->addChild(holder.get());
    return holder;
}

osg::Vec3d pivotOf(osg::Node* sceneData, const std::vector<osg::ref_ptr<osg::MatrixTransform>>& models)
{
    if (models.size() == 1) {
        osg::ref_ptr<PropertiesManager> properties = PropertiesManager::GetPropertiesManager(sceneData);
        PropertiesManager::ModelProperties recorded;
        if (properties.valid() && properties->getModelProperties(models.front().get(), recorded) &&
            recorded.hasDraggerLocation)
            return recorded.draggerLocation.getTrans() * worldMatrixOf(models.front().get());
    }
    return ModelTransform::worldCenter(models);
}

} // namespace

bool DraggerMotionRelay::receive(const osgManipulator::MotionCommand& command)
{
    if (m_owner)
        m_owner->motion(command);
    return true;
}

TransformDraggerCommand::TransformDraggerCommand()
{
    // Each finished drag is its own step; the tool is none.
    setUndoable(false);
}

TransformDraggerCommand::~TransformDraggerCommand() { detach(); }

osg::ref_ptr<osgViewer::View> TransformDraggerCommand::view() const
{
    auto manager = getCommandManager();
    return manager ? manager->getViewer() : nullptr;
}

bool TransformDraggerCommand::Execute()
{
    setState(STATE_RUNNING);
    if (!attach())
        showTip(StrUtil::translate("TransformDraggerCommand", SelectModelTip));
    return true;
}

bool TransformDraggerCommand::SelectedExecute()
{
    if (m_dragging)
        return false;
    detach();
    if (!attach())
        showTip(StrUtil::translate("TransformDraggerCommand", SelectModelTip));
    return true;
}

bool TransformDraggerCommand::Cancel()
{
    // A drag cut short puts the models back where it started.
    if (m_dragging) {
        for (std::size_t i = 0; i < m_targets.size(); ++i)
            m_targets[i]->setMatrix(m_start[i]);
        m_dragging = false;
    }
    detach();
    showTip("");
    setState(STATE_FINISHED);
    return true;
}

bool TransformDraggerCommand::attach()
{
    auto manager = getCommandManager();
    osg::ref_ptr<osgViewer::View> v = view();
    if (!manager || !v.valid() || !v->getSceneData())
        return false;
    std::vector<osg::ref_ptr<osg::MatrixTransform>> targets;
    osg::Vec3d pivot;
    if (!collectTargets(v->getSceneData(), targets, pivot) || targets.empty())
        return false;
    m_holder = holderIn(v->getSceneData());
    if (!m_holder.valid()) {
        LogHandler::getInstance()->reportWarning(Type() + ": the scene has no group for temporary nodes");
        return false;
    }
    m_targets = targets;
    m_placement = osg::Matrixd::translate(pivot);
    m_dragger = makeDragger();
    m_dragger->setHandleEvents(false); // the command hands it the events
    m_relay = new DraggerMotionRelay(this);
    m_dragger->addDraggerCallback(m_relay.get());
    m_holder->addChild(m_dragger.get());
    fitToScreen();
    showTip(runningTip());
    return true;
}

void TransformDraggerCommand::detach()
{
    if (m_relay.valid())
        m_relay->release();
    if (m_dragger.valid() && m_relay.valid())
        m_dragger->removeDraggerCallback(m_relay.get());
    if (m_holder.valid()) {
        // Copy: removing may release the last reference the parent list held.
        const osg::Node::ParentList parents = m_holder->getParents();
        for (osg::Group* parent : parents)
            parent->removeChild(m_holder.get());
    }
    m_holder = nullptr;
    m_dragger = nullptr;
    m_relay = nullptr;
    m_targets.clear();
    m_start.clear();
    m_dragging = false;
}

void TransformDraggerCommand::fitToScreen()
{
    if (!m_dragger.valid() || m_dragging)
        return;
    // The dragger hangs below the holder: its matrix is in the holder's frame.
    const osg::Matrixd holderWorld = worldMatrixOf(m_holder.get());
    osg::Matrixd toHolder;
    if (!toHolder.invert(holderWorld))
        return;
    osg::Matrixd placed = m_placement * toHolder;
    const double ppu = pixelsPerUnit(view().get(), m_placement.getTrans());
    const double scale = ppu > 0.0 ? ScreenSize / ppu : 1.0;
    if (!std::isfinite(scale) || scale <= 0.0)
        return;
    // Keep the turn the dragger took in earlier drags, only its size follows the zoom.
    osg::Vec3d t, s;
    osg::Quat r, so;
    m_dragger->getMatrix().decompose(t, r, s, so);
    const osg::Matrixd wanted = osg::Matrixd::scale(scale, scale, scale) * osg::Matrixd::rotate(r) *
                                osg::Matrixd::translate(placed.getTrans());
    if (!(wanted == m_dragger->getMatrix()))
        m_dragger->setMatrix(wanted);
}

bool TransformDraggerCommand::collectTargets(osg::Node* sceneData, std::vector<osg::ref_ptr<osg::MatrixTransform>>& targets,
                                             osg::Vec3d& pivot)
{
    auto manager = getCommandManager();
    const auto models = ModelTransform::selectedModels(manager ? manager->getSelectionManager() : nullptr);
    if (models.empty())
        return false;
    targets = models;
    if (auto* align = breadthFirstFindOf<AlignManager>(sceneData)) {
        for (const auto& partner : align->lockedPartners(models))
            targets.push_back(partner);
    }
    pivot = pivotOf(sceneData, models);
    return true;
}

osg::Matrixd TransformDraggerCommand::movedMatrix(std::size_t i, const osg::Matrixd& start, const osg::Matrixd& worldMotion)
{
    return ModelTransform::localAfterWorldMotion(m_targets[i].get(), start, worldMotion);
}

bool TransformDraggerCommand::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (!m_dragger.valid())
        return false;
    if (ea.getEventType() == osgGA::GUIEventAdapter::FRAME) {
        fitToScreen();
        return false;
    }
    return m_dragger->handle(ea, aa);
}

void TransformDraggerCommand::motion(const osgManipulator::MotionCommand& command)
{
    switch (command.getStage()) {
    case osgManipulator::MotionCommand::START:
        m_start.clear();
        for (const auto& target : m_targets)
            m_start.push_back(target->getMatrix());
        m_dragging = true;
        m_lastMotion = osg::Matrixd();
        dragStarted();
        break;
    case osgManipulator::MotionCommand::MOVE: {
        if (!m_dragging)
            break;
        const osg::Matrixd world = command.getWorldToLocal() * command.getMotionMatrix() * command.getLocalToWorld();
        if (!ModelTransform::isSound(world))
            break; // a scale through zero: keep the last sound step
        m_lastMotion = world;
        for (std::size_t i = 0; i < m_targets.size(); ++i) {
            const osg::Matrixd local = movedMatrix(i, m_start[i], world);
            if (ModelTransform::isSound(local))
                m_targets[i]->setMatrix(local);
        }
        break;
    }
    case osgManipulator::MotionCommand::FINISH: {
        if (!m_dragging)
            break;
        m_dragging = false;
        auto step = std::make_shared<TransformModelsCommand>();
        bool moved = false;
        for (std::size_t i = 0; i < m_targets.size(); ++i) {
            moved = moved || !(m_targets[i]->getMatrix() == m_start[i]);
            step->add(m_targets[i].get(), m_start[i], m_targets[i]->getMatrix());
        }
        auto manager = getCommandManager();
        if (moved && manager)
            manager->DoCommand(step);
        // The pivot follows the models: the next drag starts where this one ended. (The dragger's
        // finishing report carries no motion of its own; the last step's is the drag's.)
        m_placement = osg::Matrixd::translate(m_placement.getTrans() * m_lastMotion);
        break;
    }
    default:
        break;
    }
}

osg::ref_ptr<osgManipulator::Dragger> AxisTransformDraggerCommand::makeDragger()
{
    osg::ref_ptr<osgManipulator::TranslateAxisDragger> dragger = new osgManipulator::TranslateAxisDragger;
    // Shafts wide enough to be taken with the mouse, not only at their tips.
    dragger->setAxisLineWidth(3.0f);
    dragger->setPickCylinderRadius(0.06f);
    dragger->setupDefaultGeometry();
    dragger->setName("AxisTransformDragger");
    return dragger;
}

std::string AxisTransformDraggerCommand::runningTip() const
{
    return StrUtil::translate("TransformDraggerCommand", "拖动箭头沿该方向移动所选模型，按 Esc 结束");
}

osg::ref_ptr<osgManipulator::Dragger> PlaneTransformDraggerCommand::makeDragger()
{
    osg::ref_ptr<osgManipulator::TranslatePlaneDragger> dragger = new osgManipulator::TranslatePlaneDragger;
    dragger->setupDefaultGeometry();
    dragger->setName("PlaneTransformDragger");
    return dragger;
}

std::string PlaneTransformDraggerCommand::runningTip() const
{
    return StrUtil::translate("TransformDraggerCommand", "拖动平面控制柄在平面内移动所选模型，按 Esc 结束");
}

osg::ref_ptr<osgManipulator::Dragger> RotateTransformDraggerCommand::makeDragger()
{
    osg::ref_ptr<osgManipulator::TrackballDragger> dragger = new osgManipulator::TrackballDragger;
    dragger->setAxisLineWidth(3.0f);
    dragger->setPickCylinderHeight(0.12f);
    dragger->setupDefaultGeometry();
    dragger->setName("RotateTransformDragger");
    return dragger;
}

std::string RotateTransformDraggerCommand::runningTip() const
{
    return StrUtil::translate("TransformDraggerCommand", "拖动圆环旋转所选模型，按 Esc 结束");
}

osg::ref_ptr<osgManipulator::Dragger> ScaleTransformDraggerCommand::makeDragger()
{
    osg::ref_ptr<osgManipulator::ScaleAxisDragger> dragger = new osgManipulator::ScaleAxisDragger;
    dragger->setAxisLineWidth(3.0f);
    dragger->setBoxSize(0.1f);
    dragger->setupDefaultGeometry();
    dragger->setName("ScaleTransformDragger");
    return dragger;
}

std::string ScaleTransformDraggerCommand::runningTip() const
{
    return StrUtil::translate("TransformDraggerCommand", "拖动控制柄缩放所选模型，按 Esc 结束");
}

// ---------------------------------------------------------------------------------------------------

UpdateAxisLocationCommand::UpdateAxisLocationCommand() { setUndoable(false); }

bool UpdateAxisLocationCommand::Execute()
{
    setState(STATE_RUNNING);
    auto manager = getCommandManager();
    if (!manager || ModelTransform::selectedModels(manager->getSelectionManager()).empty())
        showTip(StrUtil::translate("TransformDraggerCommand", SelectModelTip));
    else
        showTip(StrUtil::translate("TransformDraggerCommand", PivotTip));
    return true;
}

bool UpdateAxisLocationCommand::SelectedExecute()
{
    auto manager = getCommandManager();
    if (manager && !ModelTransform::selectedModels(manager->getSelectionManager()).empty())
        showTip(StrUtil::translate("TransformDraggerCommand", PivotTip));
    return true;
}

bool UpdateAxisLocationCommand::setLocation(osg::Node* sceneData, const std::vector<osg::ref_ptr<osg::MatrixTransform>>& models,
                                            const osg::Vec3d& worldPoint)
{
    osg::ref_ptr<PropertiesManager> properties = PropertiesManager::GetPropertiesManager(sceneData);
    if (!properties.valid())
        return false;
    bool any = false;
    for (const auto& model : models) {
        osg::Matrixd toLocal;
        if (!toLocal.invert(worldMatrixOf(model.get())))
            continue;
        const osg::Vec3d local = worldPoint * toLocal;
        if (!finite(local))
            continue;
        properties->setNodeDraggerLocation(model.get(), osg::Matrixd::translate(local));
        any = true;
    }
    return any;
}

UpdateAxisLocationCommand::Snap UpdateAxisLocationCommand::pivotAt(osgViewer::View* view, double xNormalized,
                                                                    double yNormalized, osg::Vec3d& point)
{
    osg::ref_ptr<Model> top = view ? Model::GetTopModel(view->getSceneData()) : nullptr;
    if (!top.valid() || !view->getCamera())
        return Missed;
    const osg::NodePath rootPath = OsgHelper::computeNodePath(top.get());
    if (rootPath.empty())
        return Missed;
    osgUtil::LineSegmentIntersector::Intersections hits;
    if (!view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, xNormalized, yNormalized,
                                    rootPath, hits) || hits.empty())
        return Missed;
    // The nearest body, else whatever was hit nearest.
    const osgUtil::LineSegmentIntersector::Intersection* hit = &*hits.begin();
    for (const auto& candidate : hits) {
        if (!candidate.nodePath.empty() && Body::isBody(candidate.nodePath.back())) {
            hit = &candidate;
            break;
        }
    }
    const osg::NodePath above(rootPath.begin(), rootPath.end() - 1);
    const osg::Matrixd rootToWorld = osg::computeLocalToWorld(above);
    const osg::Matrixd toWorld = (hit->matrix.valid() ? *hit->matrix : osg::Matrixd()) * rootToWorld;
    const osg::Vec3d onModel = hit->getWorldIntersectPoint() * rootToWorld;
    if (!finite(onModel))
        return Missed;
    const double ppu = pixelsPerUnit(view, onModel);
    const double tolerance = ppu > 0.0 ? SnapPixels / ppu : 0.0;

    // A round edge near the click, on any body the click touches there or on the clicked body's part (a
    // pin standing on a plate), else the round face clicked: the centre of its circle.
    auto placed = [&](const osgUtil::LineSegmentIntersector::Intersection& h) {
        return (h.matrix.valid() ? *h.matrix : osg::Matrixd()) * rootToWorld;
    };
    std::vector<std::pair<const osg::Node*, osg::Matrixd>> bodies;
    auto consider = [&](const osg::Node* body, const osg::Matrixd& m) {
        if (Body::isBody(body) && body->getNodeMask() != 0 &&
            std::none_of(bodies.begin(), bodies.end(), [&](const auto& b) { return b.first == body; }))
            bodies.emplace_back(body, m);
    };
    for (const auto& candidate : hits)
        if (!candidate.nodePath.empty() &&
            (candidate.getWorldIntersectPoint() * rootToWorld - onModel).length() <= tolerance)
            consider(candidate.nodePath.back(), placed(candidate));
    if (hit->nodePath.size() >= 2 && Body::isBody(hit->nodePath.back())) {
        // The part's other bodies hang beside the hit one, in the same frame.
        const osg::Group* part = hit->nodePath[hit->nodePath.size() - 2]->asGroup();
        for (unsigned int i = 0; part && i < part->getNumChildren(); ++i)
            consider(part->getChild(i), toWorld);
    }
    FeatureGeo::Circle circle;
    for (const auto& body : bodies) {
        if (FeatureGeo::circleAt(body.first, nullptr, body.second, onModel, tolerance, circle) && finite(circle.centre)) {
            point = circle.centre;
            return Centre;
        }
    }
    FeatureGeo::Face face;
    if (FeatureGeo::faceFromDrawable(hit->drawable.get(), hit->primitiveIndex, toWorld, face) &&
        FeatureGeo::circleAt(nullptr, &face, toWorld, onModel, tolerance, circle) && finite(circle.centre)) {
        point = circle.centre;
        return Centre;
    }
    // Else the nearest corner of the hit triangle within a few pixels, else the point itself.
    point = onModel;
    Snap snap = OnFace;
    const osg::Geometry* geometry = hit->drawable.valid() ? hit->drawable->asGeometry() : nullptr;
    const auto* vertices = geometry ? dynamic_cast<const osg::Vec3Array*>(geometry->getVertexArray()) : nullptr;
    if (vertices) {
        double best = tolerance;
        for (unsigned int index : hit->indexList) {
            if (index >= vertices->size())
                continue;
            const osg::Vec3d corner = osg::Vec3d((*vertices)[index]) * toWorld;
            const double d = (corner - onModel).length();
            if (finite(corner) && d < best) {
                best = d;
                point = corner;
                snap = Corner;
            }
        }
    }
    return snap;
}

bool UpdateAxisLocationCommand::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (isFinished())
        return false;
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    if (ea.getEventType() == osgGA::GUIEventAdapter::PUSH &&
        ea.getButton() == osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON) {
        m_press.onMouseDown(osg::Vec3(ea.getX(), ea.getY(), 0.0f));
        return false;
    }
    if (ea.getEventType() == osgGA::GUIEventAdapter::DRAG)
        m_press.onMouseMove(osg::Vec3(ea.getX(), ea.getY(), 0.0f));
    if (ea.getEventType() != osgGA::GUIEventAdapter::RELEASE)
        return false;
    // A drag turns the camera; only a click places the pivot.
    if (!m_press.releaseIsClick(osg::Vec3(ea.getX(), ea.getY(), 0.0f)) || !view)
        return false;
    auto manager = getCommandManager();
    if (!manager)
        return false;
    const auto models = ModelTransform::selectedModels(manager->getSelectionManager());
    if (models.empty()) {
        showTip(StrUtil::translate("TransformDraggerCommand", SelectModelTip));
        return false;
    }
    osg::Vec3d point;
    if (pivotAt(view, ea.getXnormalized(), ea.getYnormalized(), point) == Missed) {
        showTip(StrUtil::translate("TransformDraggerCommand", "没有点中模型，请点击模型上的点"));
        return false;
    }
    if (setLocation(view->getSceneData(), models, point)) {
        showTip("");
        setState(STATE_FINISHED);
        manager->notifyCommandStateChanged(this, STATE_FINISHED);
    } else {
        showTip(StrUtil::translate("TransformDraggerCommand", "无法把轴放到这个位置"));
    }
    return true;
}

} // namespace Vantor
