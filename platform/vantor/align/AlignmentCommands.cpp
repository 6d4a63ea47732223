#include "vantor/align/AlignmentCommands.h"

#include "vantor/align/AlignManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/util/StrUtil.h"

#include <osgViewer/View>

#include <cmath>
#include <deque>

namespace Vantor {

namespace {

AlignManager* alignManagerIn(osg::Node* start)
{
    std::deque<osg::Node*> queue;
    if (start)
        queue.push_back(start);
    while (!queue.empty()) {
        osg::Node* node = queue.front();
        queue.pop_front();
        if (auto* manager = dynamic_cast<AlignManager*>(node))
            return manager;
        if (osg::Group* group = node->asGroup())
            for (unsigned int i = 0; i < group->getNumChildren(); ++i)
                queue.push_back(group->getChild(i));
    }
    return nullptr;
}

bool sound(const osg::Matrixd& m)
{
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(m.ptr()[i]))
            return false;
    }
    return true;
}

} // namespace

std::string AlignmentCommand::kindTip(bool moving) const
{
    switch (moving ? movingKind() : fixedKind()) {
    case AlignFeature::Point:
        return moving ? StrUtil::translate("AlignmentCommand", "请选择要移动的零件上的点")
                      : StrUtil::translate("AlignmentCommand", "请选择目标零件上的点");
    case AlignFeature::Line:
        return moving ? StrUtil::translate("AlignmentCommand", "请选择要移动的零件上的边线")
                      : StrUtil::translate("AlignmentCommand", "请选择目标零件上的边线");
    default:
        return moving ? StrUtil::translate("AlignmentCommand", "请选择要移动的零件上的平面")
                      : StrUtil::translate("AlignmentCommand", "请选择目标零件上的平面");
    }
}

bool AlignmentCommand::Execute()
{
    if (m_applied) {
        // Redo.
        osg::ref_ptr<osg::MatrixTransform> model;
        if (!m_model.lock(model))
            return false;
        model->setMatrix(m_after);
        return true;
    }
    setState(STATE_RUNNING);
    showTip(kindTip(true));
    return true;
}

bool AlignmentCommand::Unexecute()
{
    osg::ref_ptr<osg::MatrixTransform> model;
    if (!m_applied || !m_model.lock(model))
        return !m_applied; // an alignment not yet made has nothing to undo
    model->setMatrix(m_before);
    return true;
}

bool AlignmentCommand::Cancel()
{
    showTip("");
    if (!m_applied)
        setState(STATE_FINISHED);
    return true;
}

bool AlignmentCommand::takeFeature(const AlignFeature& feature, osgViewer::View* view)
{
    if (m_applied || !feature.model.valid())
        return false;
    if (!m_haveMoving) {
        if (feature.kind != movingKind())
            return false;
        m_moving = feature;
        m_haveMoving = true;
        showTip(kindTip(false));
        return true;
    }
    if (feature.kind != fixedKind())
        return false;
    if (feature.model == m_moving.model) {
        showTip(StrUtil::translate("AlignmentCommand", "目标特征必须在另一个零件上"));
        return false;
    }
    osg::Matrixd motion;
    std::string refusal;
    if (!computeAlignment(m_moving, feature, motion, refusal)) {
        showTip(refusal);
        return false;
    }
    osg::MatrixTransform* model = m_moving.model.get();
    const osg::Matrixd parent = parentWorldMatrixOf(model);
    osg::Matrixd inverse;
    if (!inverse.invert(parent))
        return false;
    const osg::Matrixd after = model->getMatrix() * parent * motion * inverse;
    if (!sound(after)) {
        showTip(StrUtil::translate("AlignmentCommand", "对齐结果无效"));
        return false;
    }
    m_model = model;
    m_before = model->getMatrix();
    m_after = after;
    m_applied = true;
    model->setMatrix(after);
    if (view) {
        if (AlignManager* manager = alignManagerIn(view->getSceneData()))
            manager->addLockedPair(model, feature.model.get());
    }
    showTip("");
    setState(STATE_FINISHED);
    if (auto manager = getCommandManager())
        manager->notifyCommandStateChanged(this, STATE_FINISHED);
    return true;
}

bool AlignmentCommand::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (isFinished())
        return false;
    if (ea.getEventType() == osgGA::GUIEventAdapter::PUSH && ea.getButton() == osgGA::GUIEventAdapter::LEFT_MOUSE_BUTTON) {
        m_press.onMouseDown(osg::Vec3(ea.getX(), ea.getY(), 0.0f));
        return false;
    }
    if (ea.getEventType() == osgGA::GUIEventAdapter::DRAG)
        m_press.onMouseMove(osg::Vec3(ea.getX(), ea.getY(), 0.0f));
    if (ea.getEventType() != osgGA::GUIEventAdapter::RELEASE)
        return false;
    // A drag turns the camera; only a click picks.
    if (!m_press.releaseIsClick(osg::Vec3(ea.getX(), ea.getY(), 0.0f)))
        return false;
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    AlignFeature feature;
    if (!pickAlignFeature(view, ea, m_haveMoving ? fixedKind() : movingKind(), feature)) {
        showTip(kindTip(!m_haveMoving));
        return false;
    }
    takeFeature(feature, view);
    return true;
}

} // namespace Vantor
