#include "vantor/command/ViewDirectionCommand.h"

#include <osg/BoundingSphere>

namespace Vantor {

ViewDirectionCommand::ViewDirectionCommand(osg::ref_ptr<osg::Node> model, const osg::Matrixd& modelMatrix)
    : m_model(dynamic_cast<osg::MatrixTransform*>(model.get())), m_modelMatrix(modelMatrix)
{
}

osg::Quat ViewDirectionCommand::upRotation(ViewDirection direction)
{
    const double quarter = osg::PI_2;
    switch (direction) {
    case XDirection: return osg::Quat(-quarter, osg::Y_AXIS);
    case YDirection: return osg::Quat(quarter, osg::X_AXIS);
    case XOppositeDirection: return osg::Quat(quarter, osg::Y_AXIS);
    case YOppositeDirection: return osg::Quat(-quarter, osg::X_AXIS);
    case ZOppositeDirection: return osg::Quat(osg::PI, osg::X_AXIS);
    case ZDirection:
    default: return osg::Quat();
    }
}

bool ViewDirectionCommand::Execute()
{
    osg::ref_ptr<osg::MatrixTransform> model;
    if (!m_model.lock(model))
        return false;
    const bool redo = m_turned;
    if (!m_turned) {
        m_before = model->getMatrix();
        // The centre of the content in the recorded pose, the point the turn keeps in place.
        osg::BoundingSphere local;
        for (unsigned int i = 0; i < model->getNumChildren(); ++i)
            local.expandBy(model->getChild(i)->getBound());
        const osg::Vec3d pivot = local.valid() ? osg::Vec3d(local.center()) * m_modelMatrix : m_modelMatrix.getTrans();
        m_after = m_modelMatrix * osg::Matrixd::translate(-pivot) * osg::Matrixd::rotate(upRotation(m_direction)) *
                  osg::Matrixd::translate(pivot);
        m_turned = true;
    }
    model->setMatrix(m_after);
    if (redo && m_onTurned)
        m_onTurned();
    return true;
}

bool ViewDirectionCommand::Unexecute()
{
    osg::ref_ptr<osg::MatrixTransform> model;
    if (!m_turned || !m_model.lock(model))
        return false;
    model->setMatrix(m_before);
    if (m_onTurned)
        m_onTurned();
    return true;
}

} // namespace Vantor
