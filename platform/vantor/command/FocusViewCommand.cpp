#include "vantor/command/FocusViewCommand.h"

#include "vantor/command/NerioViewerManipulatorState.h"

namespace Vantor {

FocusViewCommand::FocusViewCommand(osg::ref_ptr<osgViewer::View> view) : m_view(view) {}

bool FocusViewCommand::Execute()
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return false;
    CameraTransition::finish(view.get());
    osgGA::OrbitManipulator* orbit = CameraTransition::orbitOf(view.get());
    auto* manipulator = dynamic_cast<NerioViewerManipulatorState*>(orbit);
    if (!manipulator)
        return false;
    if (!m_moved) {
        if (m_nodes.empty())
            return false;
        // The manipulator knows how it frames; its answer is read back and reached by a short move.
        m_before = CameraTransition::poseOf(*orbit);
        manipulator->fitToNodes(m_nodes);
        m_after = CameraTransition::poseOf(*orbit);
        CameraTransition::apply(*orbit, m_before);
        if (m_after.center == m_before.center && m_after.rotation == m_before.rotation &&
            m_after.distance == m_before.distance)
            return false; // nothing to frame: no undo step
        m_moved = true;
    }
    return CameraTransition::start(view.get(), m_after);
}

bool FocusViewCommand::Unexecute()
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_moved || !m_view.lock(view))
        return false;
    CameraTransition::finish(view.get());
    return CameraTransition::start(view.get(), m_before);
}

} // namespace Vantor
