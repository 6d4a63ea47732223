#include "vantor/note/NoteCommands.h"

#include "vantor/command/CommandManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/command/SelectFilter.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/model/Model.h"
#include "vantor/util/NodeSearch.h"
#include "vantor/util/StrUtil.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <osg/Geode>
#include <osgUtil/LineSegmentIntersector>

#include <cmath>

namespace Vantor {

namespace {

bool isLeftPress(const osgGA::GUIEventAdapter& ea)
{
    return ea.getEventType() == osgGA::GUIEventAdapter::PUSH &&
           ea.getButton() == osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON;
}

bool isLeftRelease(const osgGA::GUIEventAdapter& ea)
{
    return ea.getEventType() == osgGA::GUIEventAdapter::RELEASE &&
           ea.getButton() == osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON;
}

// Runs the call after the current event, on the GUI thread: a modal window must not open inside the
// viewer's frame, whose timer would run the frame again from the window's event loop.
void later(std::function<void()> call)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
    else
        call();
}

} // namespace

// The world points on the near and far planes under a normalised position (as picking takes it).
static bool rayUnder(osgViewer::View* v, double nx, double ny, osg::Vec3d& nearPoint, osg::Vec3d& farPoint)
{
    osg::Camera* camera = v ? v->getCamera() : nullptr;
    if (!camera)
        return false;
    osg::Matrixd inverse;
    if (!inverse.invert(camera->getViewMatrix() * camera->getProjectionMatrix()))
        return false;
    nearPoint = osg::Vec3d(nx, ny, -1.0) * inverse;
    farPoint = osg::Vec3d(nx, ny, 1.0) * inverse;
    return nearPoint.valid() && farPoint.valid();
}

// ---- NoteCommandBase ----

osg::ref_ptr<NoteManager> NoteCommandBase::manager() const
{
    osg::ref_ptr<NoteManager> m;
    m_manager.lock(m);
    return m;
}

osg::ref_ptr<osgViewer::View> NoteCommandBase::view() const
{
    osg::ref_ptr<osgViewer::View> v;
    m_view.lock(v);
    return v;
}

osg::Matrixd NoteCommandBase::managerToWorld() const
{
    osg::ref_ptr<NoteManager> m = manager();
    if (!m)
        return osg::Matrixd::identity();
    return osg::computeLocalToWorld(OsgHelper::computeNodePath(m.get()));
}

bool NoteCommandBase::Execute()
{
    if (m_note) {
        // Redo: the same note goes back where it was.
        osg::ref_ptr<NoteManager> m = manager();
        return m && m->InsertNotations(m_note, m_position);
    }
    setState(STATE_RUNNING);
    showTip(startTip());
    return true;
}

bool NoteCommandBase::Unexecute()
{
    osg::ref_ptr<NoteManager> m = manager();
    if (!m_note || !m)
        return false;
    return m->RemoveNotationsByID(m_note->getId());
}

bool NoteCommandBase::Cancel()
{
    setPreview(nullptr);
    if (!isFinished())
        showTip(std::string());
    return Command::Cancel();
}

void NoteCommandBase::setPreview(osg::ref_ptr<osg::Node> node)
{
    osg::ref_ptr<osg::Group> parent;
    if (m_preview && m_previewParent.lock(parent))
        parent->removeChild(m_preview.get());
    m_preview = node;
    if (!m_preview)
        return;
    osg::ref_ptr<osgViewer::View> v = view();
    osg::ref_ptr<TempNodeManager> temp = v ? TempNodeManager::GetTempNodeManager(v->getSceneData()) : nullptr;
    if (!temp)
        return;
    m_preview->setName("NotePreview");
    temp->addChild(m_preview.get());
    m_previewParent = temp.get();
}

bool NoteCommandBase::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (getState() != STATE_RUNNING)
        return false;
    auto* v = dynamic_cast<osgViewer::View*>(&aa);
    if (!v || !v->getSceneData())
        return false;
    m_view = v;
    if (!manager())
        m_manager = breadthFirstFindOf<NoteManager>(v->getSceneData());
    if (!manager()) {
        showTip(StrUtil::translate("NoteCommand", "There is no model to put a note on"));
        return false;
    }
    const bool escape = ea.getEventType() == osgGA::GUIEventAdapter::KEYDOWN &&
                        ea.getKey() == osgGA::GUIEventAdapter::KEY_Escape;
    const bool rightClick = ea.getEventType() == osgGA::GUIEventAdapter::PUSH &&
                            ea.getButton() == osgGA::GUIEventAdapter::RIGHT_MOUSE_BUTTON;
    if (escape || rightClick) {
        if (std::shared_ptr<CommandManager> commands = getCommandManager())
            commands->CancelCurrentCmd();
        else
            Cancel();
        return true;
    }
    return onEvent(ea, v);
}

void NoteCommandBase::finish(osg::ref_ptr<Note> note)
{
    setPreview(nullptr);
    osg::ref_ptr<NoteManager> m = manager();
    if (!note || !m)
        return;
    m_note = note;
    m_position = int(m->getNumChildren());
    m->InsertNotations(m_note, m_position);
    setState(STATE_FINISHED);
    showTip(std::string());
    if (std::shared_ptr<CommandManager> commands = getCommandManager())
        commands->notifyCommandStateChanged(this, STATE_FINISHED);
}

bool NoteCommandBase::pickModel(osgViewer::View* v, const osgGA::GUIEventAdapter& ea, osg::Vec3d& point) const
{
    osg::ref_ptr<Model> top = Model::GetTopModel(v->getSceneData());
    if (!top || !v->getCamera())
        return false;
    const osg::NodePath rootPath = OsgHelper::computeNodePath(top.get());
    osgUtil::LineSegmentIntersector::Intersections hits;
    if (!v->computeIntersections(v->getCamera(), osgUtil::Intersector::PROJECTION, ea.getXnormalized(),
                                 ea.getYnormalized(), rootPath, hits))
        return false;
    std::shared_ptr<CommandManager> commands = getCommandManager();
    osg::ref_ptr<SelectFilter> filter = commands ? commands->GetSelectFilter() : nullptr;
    const osg::NodePath above(rootPath.begin(), rootPath.end() - 1);
    const osg::Matrixd toWorld = osg::computeLocalToWorld(above);
    for (const auto& hit : hits) {
        if (filter && filter->isClipedInView(hit, v))
            continue;
        const osg::Vec3d world = hit.getWorldIntersectPoint() * toWorld;
        point = world * osg::Matrixd::inverse(managerToWorld());
        return point.valid();
    }
    return false;
}

bool NoteCommandBase::pointOnViewPlane(osgViewer::View* v, const osgGA::GUIEventAdapter& ea,
                                       const osg::Vec3d& through, osg::Vec3d& point) const
{
    osg::Vec3d nearPoint, farPoint;
    if (!rayUnder(v, ea.getXnormalized(), ea.getYnormalized(), nearPoint, farPoint))
        return false;
    const osg::Matrixd toLocal = osg::Matrixd::inverse(managerToWorld());
    nearPoint = nearPoint * toLocal;
    farPoint = farPoint * toLocal;
    osg::Vec3d right, up;
    viewAxes(v, right, up);
    osg::Vec3d normal = right ^ up;
    const osg::Vec3d dir = farPoint - nearPoint;
    const double denom = dir * normal;
    if (std::abs(denom) < 1e-12)
        return false;
    const double t = ((through - nearPoint) * normal) / denom;
    point = nearPoint + dir * t;
    return point.valid();
}

void NoteCommandBase::viewAxes(osgViewer::View* v, osg::Vec3d& right, osg::Vec3d& up) const
{
    const osg::Matrixd inverseView = osg::Matrixd::inverse(v->getCamera()->getViewMatrix());
    const osg::Matrixd toLocal = osg::Matrixd::inverse(managerToWorld());
    right = osg::Matrixd::transform3x3(osg::Vec3d(inverseView(0, 0), inverseView(0, 1), inverseView(0, 2)), toLocal);
    up = osg::Matrixd::transform3x3(osg::Vec3d(inverseView(1, 0), inverseView(1, 1), inverseView(1, 2)), toLocal);
    right.normalize();
    up.normalize();
}

// ---- PointNoteCommand ----

PointNoteCommand::PointNoteCommand()
    : m_alive(std::make_shared<bool>(true))
{
}

PointNoteCommand::~PointNoteCommand() = default;

std::string PointNoteCommand::startTip() const
{
    return StrUtil::translate("NoteCommand", "Click a point on the model for the note; drag to place its label");
}

osg::ref_ptr<Note> PointNoteCommand::makeNote() const
{
    return new PointNote;
}

osg::ref_ptr<Note> SNoteCommand::makeNote() const
{
    return new SNote;
}

void PointNoteCommand::updatePreview()
{
    osg::ref_ptr<Note> preview = makeNote();
    preview->setAnchor(m_anchor);
    preview->setTextPosition(m_label);
    setPreview(preview.get());
}

bool PointNoteCommand::onEvent(const osgGA::GUIEventAdapter& ea, osgViewer::View* v)
{
    if (m_asking)
        return true;
    if (isLeftPress(ea)) {
        osg::Vec3d point;
        if (!pickModel(v, ea, point)) {
            showTip(StrUtil::translate("NoteCommand", "No part under the cursor: click a point on the model for the note"));
            return false;
        }
        m_anchored = true;
        m_dragged = false;
        m_anchor = point;
        m_label = point;
        updatePreview();
        return true;
    }
    if (!m_anchored)
        return false;
    if (ea.getEventType() == osgGA::GUIEventAdapter::DRAG) {
        osg::Vec3d point;
        if (pointOnViewPlane(v, ea, m_anchor, point)) {
            m_label = point;
            m_dragged = true;
            updatePreview();
        }
        return true;
    }
    if (isLeftRelease(ea)) {
        if (!m_dragged || (m_label - m_anchor).length2() == 0.0) {
            // A plain click: the label stands up and to the right of the point, about 40 pixels away.
            osg::Vec3d right, up;
            viewAxes(v, right, up);
            const osg::Vec3d worldAnchor = m_anchor * managerToWorld();
            const osg::Matrixd vp = v->getCamera()->getViewMatrix() * v->getCamera()->getProjectionMatrix();
            const osg::Vec3d ndc = worldAnchor * vp;
            const osg::Viewport* viewport = v->getCamera()->getViewport();
            const double width = viewport ? viewport->width() : 800.0;
            double pixel = 0.0;
            osg::Vec3d nearPoint, farPoint;
            if (rayUnder(v, ndc.x() + 80.0 / width, ndc.y(), nearPoint, farPoint)) {
                const osg::Vec3d dir = farPoint - nearPoint;
                const double t = (worldAnchor - nearPoint) * dir / dir.length2();
                pixel = ((nearPoint + dir * t) - worldAnchor).length();
            }
            if (!std::isfinite(pixel) || pixel <= 0.0)
                pixel = 1.0;
            m_label = m_anchor + (right + up) * (pixel / std::sqrt(2.0));
        }
        updatePreview();
        askText();
        return true;
    }
    return m_anchored;
}

void PointNoteCommand::askText()
{
    m_asking = true;
    std::weak_ptr<bool> alive = m_alive;
    later([this, alive] {
        if (alive.expired() || getState() != STATE_RUNNING)
            return;
        std::string text;
        const bool ok = PointNote::promptText(text, StrUtil::translate("NoteCommand", "Note"));
        if (alive.expired() || getState() != STATE_RUNNING)
            return;
        m_asking = false;
        m_anchored = false;
        if (!ok || text.empty()) {
            // No text, no note: the command waits for the next point.
            setPreview(nullptr);
            showTip(StrUtil::translate("NoteCommand", "The note needs a text: click a point on the model for the note"));
            return;
        }
        osg::ref_ptr<Note> note = makeNote();
        note->setName(StrUtil::translate("NoteCommand", "Note"));
        note->setAnchor(m_anchor);
        note->setTextPosition(m_label);
        note->setText(text);
        finish(note);
    });
}

// ---- MarkupNoteCommand ----

MarkupNoteCommand::MarkupNoteCommand(int shape)
    : m_shape(shape)
{
}

std::string MarkupNoteCommand::startTip() const
{
    return m_shape == Note3D::Brush ? StrUtil::translate("NoteCommand", "Press on the model and draw the stroke")
                                    : StrUtil::translate("NoteCommand", "Press on the model and drag out the shape");
}

std::vector<osg::Vec3d> MarkupNoteCommand::outline(int shape, const osg::Vec3d& a, const osg::Vec3d& b,
                                                   const osg::Vec3d& right, const osg::Vec3d& up)
{
    std::vector<osg::Vec3d> points;
    const osg::Vec3d d = b - a;
    const double w = d * right;
    const double h = d * up;
    switch (shape) {
    case Note3D::Rect:
        points = {a, a + right * w, a + right * w + up * h, a + up * h};
        break;
    case Note3D::Circle: {
        const double r = std::sqrt(w * w + h * h);
        for (int i = 0; i < Segments; ++i) {
            const double t = 2.0 * osg::PI * i / Segments;
            points.push_back(a + right * (r * std::cos(t)) + up * (r * std::sin(t)));
        }
        break;
    }
    case Note3D::Ellipse: {
        const osg::Vec3d centre = a + right * (w / 2.0) + up * (h / 2.0);
        for (int i = 0; i < Segments; ++i) {
            const double t = 2.0 * osg::PI * i / Segments;
            points.push_back(centre + right * (w / 2.0 * std::cos(t)) + up * (h / 2.0 * std::sin(t)));
        }
        break;
    }
    default:
        break;
    }
    return points;
}

void MarkupNoteCommand::updatePreview(osgViewer::View* v)
{
    osg::ref_ptr<Note3D> preview = new Note3D;
    preview->setShape(m_shape);
    if (m_shape == Note3D::Brush) {
        preview->setPoints(m_stroke);
    } else {
        osg::Vec3d right, up;
        viewAxes(v, right, up);
        preview->setPoints(outline(m_shape, m_start, m_current, right, up));
    }
    setPreview(preview.get());
}

bool MarkupNoteCommand::onEvent(const osgGA::GUIEventAdapter& ea, osgViewer::View* v)
{
    if (isLeftPress(ea)) {
        osg::Vec3d point;
        if (!pickModel(v, ea, point)) {
            showTip(StrUtil::translate("NoteCommand", "No part under the cursor: press on the model to start the markup"));
            return false;
        }
        m_drawing = true;
        m_pressAt.set(ea.getXnormalized(), ea.getYnormalized());
        m_span.set(0.0, 0.0);
        m_reach = 0.0;
        m_start = m_current = point;
        m_stroke = {point};
        updatePreview(v);
        return true;
    }
    if (!m_drawing)
        return false;
    if (ea.getEventType() == osgGA::GUIEventAdapter::DRAG || isLeftRelease(ea)) {
        const osg::Viewport* viewport = v->getCamera()->getViewport();
        const double w = viewport ? viewport->width() : 2.0, h = viewport ? viewport->height() : 2.0;
        m_span.set((ea.getXnormalized() - m_pressAt.x()) * w / 2.0, (ea.getYnormalized() - m_pressAt.y()) * h / 2.0);
        m_reach = std::max(m_reach, m_span.length());
        osg::Vec3d point;
        if (pointOnViewPlane(v, ea, m_start, point)) {
            m_current = point;
            if (m_shape == Note3D::Brush && (point - m_stroke.back()).length2() > 0.0)
                m_stroke.push_back(point);
        }
    }
    if (ea.getEventType() == osgGA::GUIEventAdapter::DRAG) {
        updatePreview(v);
        return true;
    }
    if (!isLeftRelease(ea))
        return true;

    m_drawing = false;
    osg::Vec3d right, up;
    viewAxes(v, right, up);
    std::vector<osg::Vec3d> points =
        m_shape == Note3D::Brush ? m_stroke : outline(m_shape, m_start, m_current, right, up);
    // A click or a twitch of the hand is no markup.
    const bool tooSmall = m_shape == Note3D::Rect || m_shape == Note3D::Ellipse
                              ? std::abs(m_span.x()) < MinimumPixels || std::abs(m_span.y()) < MinimumPixels
                              : m_shape == Note3D::Circle ? m_span.length() < MinimumPixels : m_reach < MinimumPixels;
    if (points.size() < 2 || tooSmall) {
        setPreview(nullptr);
        showTip(StrUtil::translate("NoteCommand", "The markup has no size: press on the model and drag"));
        return true;
    }
    osg::ref_ptr<Note3D> note = new Note3D;
    note->setName(StrUtil::translate("NoteCommand", "Markup"));
    note->setShape(m_shape);
    note->setAnchor(m_start);
    note->setTextPosition(m_start);
    note->setPoints(points);
    finish(note.get());
    return true;
}

} // namespace Vantor
