#include "vantor/section/SectionCommands.h"

#include "vantor/annotation/Drawing.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/SelectFilter.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"
#include "vantor/util/StrUtil.h"

#include <QCoreApplication>
#include <osg/ComputeBoundsVisitor>
#include <osgUtil/LineSegmentIntersector>

#include <cmath>

namespace Vantor {

namespace {

// Section coordinates are those of the manager's parent group; the view works in world coordinates.
osg::Matrixd managerToWorld(SectionManager* manager)
{
    return manager ? osg::computeLocalToWorld(OsgHelper::computeNodePath(manager)) : osg::Matrixd::identity();
}

bool rayUnder(osgViewer::View* view, const osg::Vec2d& n, const osg::Matrixd& worldToLocal, osg::Vec3d& nearPoint,
              osg::Vec3d& farPoint)
{
    osg::Camera* camera = view ? view->getCamera() : nullptr;
    osg::Matrixd inverse;
    if (!camera || !inverse.invert(camera->getViewMatrix() * camera->getProjectionMatrix()))
        return false;
    nearPoint = osg::Vec3d(n.x(), n.y(), -1.0) * inverse * worldToLocal;
    farPoint = osg::Vec3d(n.x(), n.y(), 1.0) * inverse * worldToLocal;
    return nearPoint.valid() && farPoint.valid() && (farPoint - nearPoint).length2() > 0.0;
}

// The camera's right, up and viewing directions in local coordinates.
void viewAxes(osgViewer::View* view, const osg::Matrixd& worldToLocal, osg::Vec3d& right, osg::Vec3d& up,
              osg::Vec3d& forward)
{
    const osg::Matrixd iv = osg::Matrixd::inverse(view->getCamera()->getViewMatrix());
    right = osg::Matrixd::transform3x3(osg::Vec3d(iv(0, 0), iv(0, 1), iv(0, 2)), worldToLocal);
    up = osg::Matrixd::transform3x3(osg::Vec3d(iv(1, 0), iv(1, 1), iv(1, 2)), worldToLocal);
    forward = -osg::Matrixd::transform3x3(osg::Vec3d(iv(2, 0), iv(2, 1), iv(2, 2)), worldToLocal);
    right.normalize();
    up.normalize();
    forward.normalize();
}

bool isLeft(const osgGA::GUIEventAdapter& ea, osgGA::GUIEventAdapter::EventType type)
{
    return ea.getEventType() == type && ea.getButton() == osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON;
}

bool cancels(const osgGA::GUIEventAdapter& ea)
{
    return (ea.getEventType() == osgGA::GUIEventAdapter::KEYDOWN &&
            ea.getKey() == osgGA::GUIEventAdapter::KEY_Escape) ||
           (ea.getEventType() == osgGA::GUIEventAdapter::PUSH &&
            ea.getButton() == osgGA::GUIEventAdapter::RIGHT_MOUSE_BUTTON);
}

} // namespace

// ---- SectionCommandBase ----

osg::ref_ptr<osgViewer::View> SectionCommandBase::getViewer() const
{
    osg::ref_ptr<osgViewer::View> view;
    if (m_view.lock(view))
        return view;
    if (std::shared_ptr<CommandManager> commands = getCommandManager())
        return commands->getViewer();
    return nullptr;
}

osg::ref_ptr<SectionManager> SectionCommandBase::getSectionManager() const
{
    osg::ref_ptr<osgViewer::View> view = getViewer();
    return view ? SectionManager::GetSectionManager(view->getSceneData()) : nullptr;
}

osg::ref_ptr<Section> SectionCommandBase::targetSection() const
{
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    if (!manager)
        return nullptr;
    if (osg::ref_ptr<Section> selected = manager->getSelectedSection())
        return selected;
    const auto all = manager->GetAllSection();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if ((*it)->getOpened())
            return *it;
    }
    return nullptr;
}

bool SectionCommandBase::refuse(const std::string& reason)
{
    showTip(reason);
    LogHandler::getInstance()->reportWarning(QString::fromLocal8Bit(reason.c_str()));
    setState(STATE_FINISHED);
    return false;
}

// ---- CreateSectionCommand ----

bool CreateSectionCommand::Execute()
{
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    if (m_section) {
        // Redo: the same section again, open.
        if (!manager || !manager->InsertSection(m_section, m_position))
            return false;
        manager->OpenSection(m_section);
        manager->setSelectedSection(m_section.get());
        return true;
    }
    if (manager && manager->getOpenCount() >= SectionManager::MaxOpenSections)
        return refuse(StrUtil::translate("SectionCommand", "At most 6 sections can cut the model at once: close or delete one first"));
    setState(STATE_RUNNING);
    showTip(StrUtil::translate("SectionCommand", "Click a face of the model for the section plane, or press Enter for a plane through the centre"));
    return true;
}

bool CreateSectionCommand::Unexecute()
{
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    if (!m_section || !manager)
        return false;
    manager->CloseSection(m_section);
    return manager->RemoveSectionByID(m_section->getId());
}

bool CreateSectionCommand::createAt(const osg::Plane& plane)
{
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    if (!manager || !plane.valid() || plane.getNormal().length2() < 1e-24 || !std::isfinite(plane[3]))
        return false;
    if (manager->getOpenCount() >= SectionManager::MaxOpenSections) {
        showTip(StrUtil::translate("SectionCommand", "At most 6 sections can cut the model at once: close or delete one first"));
        return false;
    }
    osg::ref_ptr<Section> section = new Section;
    section->setName(QCoreApplication::translate("SectionCommand", "Section %1")
                         .arg(manager->getNumChildren() + 1)
                         .toLocal8Bit()
                         .toStdString());
    section->setPlane(plane);
    if (manager->getApplyToSelected())
        manager->takeSelectionAsTargets();
    m_position = int(manager->getNumChildren());
    if (!manager->InsertSection(section, m_position))
        return false;
    manager->OpenSection(section);
    if (!section->getOpened()) {
        manager->RemoveSectionByID(section->getId());
        showTip(StrUtil::translate("SectionCommand", "At most 6 sections can cut the model at once: close or delete one first"));
        return false;
    }
    manager->setSelectedSection(section.get());
    manager->NotifySectionChanged(section.get());
    m_section = section;
    setState(STATE_FINISHED);
    showTip(std::string());
    if (std::shared_ptr<CommandManager> commands = getCommandManager()) {
        commands->notifyCommandStateChanged(this, STATE_FINISHED);
        if (m_followWithDragger)
            commands->setExecuteType("UpdateSectionCommand");
    }
    return true;
}

bool CreateSectionCommand::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (getState() != STATE_RUNNING)
        return false;
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    if (!view || !view->getSceneData() || !view->getCamera())
        return false;
    m_view = view;
    if (cancels(ea)) {
        if (std::shared_ptr<CommandManager> commands = getCommandManager())
            commands->CancelCurrentCmd();
        else
            Cancel();
        return true;
    }
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    osg::ref_ptr<Model> top = Model::GetTopModel(view->getSceneData());
    if (!manager || !top)
        return false;
    const osg::Matrixd toLocal = osg::Matrixd::inverse(managerToWorld(manager.get()));

    if (ea.getEventType() == osgGA::GUIEventAdapter::KEYDOWN &&
        (ea.getKey() == osgGA::GUIEventAdapter::KEY_Return || ea.getKey() == osgGA::GUIEventAdapter::KEY_KP_Enter)) {
        osg::ComputeBoundsVisitor bounds;
        top->accept(bounds);
        // The top model's box is in its parent's frame, the frame of the sections.
        const osg::BoundingBox box = bounds.getBoundingBox();
        if (!box.valid()) {
            showTip(StrUtil::translate("SectionCommand", "The model is empty: there is nothing to cut"));
            return true;
        }
        osg::Vec3d right, up, forward;
        viewAxes(view, toLocal, right, up, forward);
        createAt(osg::Plane(forward, osg::Vec3d(box.center())));
        return true;
    }
    if (!isLeft(ea, osgGA::GUIEventAdapter::PUSH))
        return false;

    const osg::NodePath rootPath = OsgHelper::computeNodePath(top.get());
    osgUtil::LineSegmentIntersector::Intersections hits;
    view->computeIntersections(view->getCamera(), osgUtil::Intersector::PROJECTION, ea.getXnormalized(),
                               ea.getYnormalized(), rootPath, hits);
    std::shared_ptr<CommandManager> commands = getCommandManager();
    osg::ref_ptr<SelectFilter> filter = commands ? commands->GetSelectFilter() : nullptr;
    const osg::NodePath above(rootPath.begin(), rootPath.end() - 1);
    const osg::Matrixd aboveToLocal = osg::computeLocalToWorld(above) * toLocal;
    for (const auto& hit : hits) {
        if (filter && filter->isClipedInView(hit, view))
            continue;
        const osg::Vec3d point = hit.getWorldIntersectPoint() * aboveToLocal;
        osg::Vec3d normal = osg::Matrixd::transform3x3(hit.getWorldIntersectNormal(), aboveToLocal);
        if (normal.normalize() == 0.0 || !point.valid())
            break;
        osg::Vec3d right, up, forward;
        viewAxes(view, toLocal, right, up, forward);
        // The face looks at the viewer; the plane keeps what lies behind it.
        if (normal * forward < 0.0)
            normal = -normal;
        if (createAt(osg::Plane(normal, point)))
            return true;
        break;
    }
    showTip(StrUtil::translate("SectionCommand", "No face under the cursor: click a face of the model, or press Enter for a plane through the centre"));
    return false;
}

// ---- UpdateSectionCommand ----

SetSectionPlaneCommand::SetSectionPlaneCommand(osg::ref_ptr<Section> section, const osg::Plane& before,
                                               const osg::Plane& after)
    : m_section(section.get())
    , m_before(before)
    , m_after(after)
{
}

bool SetSectionPlaneCommand::apply(const osg::Plane& plane)
{
    osg::ref_ptr<Section> section;
    if (!m_section.lock(section))
        return false;
    section->setPlane(plane);
    if (osg::ref_ptr<SectionManager> manager = getSectionManager())
        manager->NotifySectionChanged(section.get());
    return true;
}

bool SetSectionPlaneCommand::Execute()
{
    setState(STATE_FINISHED);
    return apply(m_after);
}

bool SetSectionPlaneCommand::Unexecute()
{
    return apply(m_before);
}

UpdateSectionCommand::UpdateSectionCommand()
{
    // The moves are the undo steps, not the dragger.
    setUndoable(false);
}

UpdateSectionCommand::~UpdateSectionCommand()
{
    showDragger(false);
}

osg::ref_ptr<Section> UpdateSectionCommand::getSection() const
{
    osg::ref_ptr<Section> section;
    m_section.lock(section);
    return section;
}

bool UpdateSectionCommand::Execute()
{
    osg::ref_ptr<Section> section = targetSection();
    if (!section)
        return refuse(StrUtil::translate("SectionCommand", "There is no section to move: create a section first"));
    m_section = section.get();
    if (osg::ref_ptr<SectionManager> manager = getSectionManager())
        manager->setSelectedSection(section.get());
    setState(STATE_RUNNING);
    showDragger(true);
    showTip(StrUtil::translate("SectionCommand", "Drag the section plane to move it; Ctrl+drag turns it. Escape ends"));
    return true;
}

bool UpdateSectionCommand::Cancel()
{
    osg::ref_ptr<Section> section = getSection();
    if (m_dragging && section)
        section->setPlane(m_before);
    m_dragging = false;
    showDragger(false);
    if (!isFinished())
        showTip(std::string());
    return Command::Cancel();
}

void UpdateSectionCommand::showDragger(bool show)
{
    osg::ref_ptr<osg::Group> parent;
    if (m_dragger && m_draggerParent.lock(parent))
        parent->removeChild(m_dragger.get());
    m_dragger = nullptr;
    osg::ref_ptr<Section> section = getSection();
    osg::ref_ptr<osgViewer::View> view = getViewer();
    osg::ref_ptr<TempNodeManager> temp = view ? TempNodeManager::GetTempNodeManager(view->getSceneData()) : nullptr;
    if (!show || !section || !temp)
        return;
    m_drawn = section->getPlane();
    // An arrow along the normal (move) and a ring in the plane (turn), at the outline's centre.
    const osg::Plane plane = section->getPlane();
    const osg::Vec3d n = plane.getNormal();
    const osg::Vec3d c = section->getOutlineCenter() - n * plane.distance(section->getOutlineCenter());
    const double size = section->getOutlineSize() * 0.25;
    osg::Vec3d u = n ^ osg::Vec3d(1, 0, 0);
    if (u.length2() < 1e-6)
        u = n ^ osg::Vec3d(0, 1, 0);
    u.normalize();
    const osg::Vec3d v = n ^ u;
    std::vector<osg::Vec3d> ring;
    for (int i = 0; i < 48; ++i) {
        const double t = 2.0 * osg::PI * i / 48;
        ring.push_back(c + u * (size * 0.6 * std::cos(t)) + v * (size * 0.6 * std::sin(t)));
    }
    osg::ref_ptr<osg::Geode> geode = Drawing::makeOverlayGeode();
    const osg::Vec4 yellow(1.0f, 0.85f, 0.0f, 1.0f);
    Drawing::addLines(geode.get(), {c, c + n * size}, GL_LINES, yellow, 3.0f);
    Drawing::addPoints(geode.get(), {c + n * size}, yellow, 10.0f);
    Drawing::addLines(geode.get(), ring, GL_LINE_LOOP, yellow, 2.0f);
    geode->setName("SectionDragger");
    // Placed in the sections' frame, which the temporary group shares.
    temp->addChild(geode.get());
    m_dragger = geode;
    m_draggerParent = temp.get();
}

bool UpdateSectionCommand::dragged(osgViewer::View* view, const osg::Vec2d& to, osg::Plane& plane) const
{
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    osg::ref_ptr<Section> section = getSection();
    if (!manager || !section)
        return false;
    const osg::Matrixd toLocal = osg::Matrixd::inverse(managerToWorld(manager.get()));
    const osg::Vec3d n = m_before.getNormal();
    const osg::Vec3d pivot = section->getOutlineCenter() - n * m_before.distance(section->getOutlineCenter());
    if (m_turning) {
        osg::Vec3d right, up, forward;
        viewAxes(view, toLocal, right, up, forward);
        const osg::Vec2d d = to - m_from;
        if (d.length2() == 0.0)
            return false;
        // Dragging sideways turns about the screen's up direction, dragging up about its right.
        osg::Vec3d axis = up * d.x() - right * d.y();
        axis.normalize();
        const double angle = d.length() * osg::PI_2;
        const osg::Vec3d turned = osg::Quat(angle, axis) * n;
        plane = osg::Plane(turned, pivot);
        return plane.valid();
    }
    // Along the normal: the point of the normal line through the pivot nearest to the mouse ray,
    // relative to where the drag began.
    auto along = [&](const osg::Vec2d& at, double& s) {
        osg::Vec3d a, b;
        if (!rayUnder(view, at, toLocal, a, b))
            return false;
        const osg::Vec3d d = b - a;
        const osg::Vec3d w = pivot - a;
        const double dd = d * d, dn = d * n, nn = n * n, wd = w * d, wn = w * n;
        const double denom = dd * nn - dn * dn;
        if (std::abs(denom) < 1e-12 * dd * nn)
            return false; // looking along the normal: no sense of direction on screen
        s = (dn * wd - dd * wn) / denom;
        return std::isfinite(s);
    };
    double s0 = 0.0, s1 = 0.0;
    if (!along(m_from, s0) || !along(to, s1))
        return false;
    plane = osg::Plane(n, pivot + n * (s1 - s0));
    return plane.valid();
}

bool UpdateSectionCommand::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (getState() != STATE_RUNNING)
        return false;
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    osg::ref_ptr<Section> section = getSection();
    if (!view || !view->getCamera())
        return false;
    m_view = view;
    if (cancels(ea)) {
        if (std::shared_ptr<CommandManager> commands = getCommandManager())
            commands->CancelCurrentCmd();
        else
            Cancel();
        return true;
    }
    if (!section) {
        showDragger(false);
        refuse(StrUtil::translate("SectionCommand", "The section was removed"));
        return false;
    }
    if (!m_dragging && !(section->getPlane() == m_drawn))
        showDragger(true);
    const osg::Vec2d at(ea.getXnormalized(), ea.getYnormalized());
    if (isLeft(ea, osgGA::GUIEventAdapter::PUSH)) {
        // Only a press on the plane's square starts a drag; elsewhere the camera moves.
        osg::ref_ptr<SectionManager> manager = getSectionManager();
        const osg::Matrixd toLocal = osg::Matrixd::inverse(managerToWorld(manager.get()));
        osg::Vec3d a, b;
        if (!rayUnder(view, at, toLocal, a, b))
            return false;
        const osg::Plane plane = section->getPlane();
        const double da = plane.distance(a), db = plane.distance(b);
        if (da == db)
            return false;
        const osg::Vec3d hit = a + (b - a) * (da / (da - db));
        const osg::Vec3d c = section->getOutlineCenter() - plane.getNormal() * plane.distance(section->getOutlineCenter());
        const osg::Vec3d off = hit - c;
        if (off.length() > section->getOutlineSize() * 0.5 * std::sqrt(2.0))
            return false;
        const unsigned int mods = ea.getModKeyMask();
        m_turning = (mods & (osgGA::GUIEventAdapter::MODKEY_CTRL | osgGA::GUIEventAdapter::MODKEY_SHIFT)) != 0;
        m_dragging = true;
        m_from = at;
        m_before = plane;
        return true;
    }
    if (!m_dragging)
        return false;
    if (ea.getEventType() == osgGA::GUIEventAdapter::DRAG || isLeft(ea, osgGA::GUIEventAdapter::RELEASE)) {
        osg::Plane plane;
        if (dragged(view, at, plane)) {
            section->setPlane(plane);
            showDragger(true);
        }
    }
    if (!isLeft(ea, osgGA::GUIEventAdapter::RELEASE))
        return true;
    m_dragging = false;
    const osg::Plane after = section->getPlane();
    if (after == m_before)
        return true;
    auto step = std::make_shared<SetSectionPlaneCommand>(section, m_before, after);
    step->setViewer(view);
    if (std::shared_ptr<CommandManager> commands = getCommandManager())
        commands->DoCommand(step);
    else
        step->Execute();
    return true;
}

// ---- ReverseSectionCommand ----

bool ReverseSectionCommand::Execute()
{
    setState(STATE_FINISHED);
    osg::ref_ptr<Section> section;
    if (!m_section.lock(section)) {
        section = targetSection();
        if (!section)
            return refuse(StrUtil::translate("SectionCommand", "There is no section to reverse"));
        m_section = section.get();
    }
    section->reverse();
    if (osg::ref_ptr<SectionManager> manager = getSectionManager())
        manager->NotifySectionChanged(section.get());
    return true;
}

bool ReverseSectionCommand::Unexecute()
{
    osg::ref_ptr<Section> section;
    if (!m_section.lock(section))
        return false;
    section->reverse();
    if (osg::ref_ptr<SectionManager> manager = getSectionManager())
        manager->NotifySectionChanged(section.get());
    return true;
}

// ---- HideSectionPlaneCommand ----

bool HideSectionPlaneCommand::Execute()
{
    setState(STATE_FINISHED);
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    if (!manager)
        return refuse(StrUtil::translate("SectionCommand", "There is no section"));
    if (m_before.empty()) {
        std::vector<osg::ref_ptr<Section>> targets;
        if (osg::ref_ptr<Section> selected = manager->getSelectedSection())
            targets.push_back(selected);
        else
            targets = manager->GetAllSection();
        if (targets.empty())
            return refuse(StrUtil::translate("SectionCommand", "There is no section"));
        bool anyShown = false;
        for (const auto& s : targets) {
            anyShown = anyShown || s->getShowPlane();
            m_before.emplace_back(s.get(), s->getShowPlane());
        }
        m_show = !anyShown;
    }
    for (auto& entry : m_before) {
        osg::ref_ptr<Section> s;
        if (entry.first.lock(s)) {
            s->setShowPlane(m_show);
            manager->NotifySectionChanged(s.get());
        }
    }
    return true;
}

bool HideSectionPlaneCommand::Unexecute()
{
    osg::ref_ptr<SectionManager> manager = getSectionManager();
    for (auto& entry : m_before) {
        osg::ref_ptr<Section> s;
        if (entry.first.lock(s)) {
            s->setShowPlane(entry.second);
            if (manager)
                manager->NotifySectionChanged(s.get());
        }
    }
    return !m_before.empty();
}

} // namespace Vantor
