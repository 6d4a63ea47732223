#include "vantor/command/FocusViewCommand.h"

#include "vantor/command/NerioViewerManipulatorState.h"

namespace Vantor {

namespace {

NerioViewerManipulatorState* manipulatorOf(const osg::observer_ptr<osgViewer::View>& view)
{
    osg::ref_ptr<osgViewer::View> v;
    if (!view.lock(v))
        return nullptr;
    return dynamic_cast<NerioViewerManipulatorState*>(v->getCameraManipulator());
}

} // namespace

FocusViewCommand::FocusViewCommand(osg::ref_ptr<osgViewer::View> view) : m_view(view) {}

bool FocusViewCommand::Execute()
{
    m_moved = false;
    NerioViewerManipulatorState* manipulator = manipulatorOf(m_view);
    if (!manipulator || m_nodes.empty())
        return true;
    m_before = manipulator->getCameraInfo();
    manipulator->fitToNodes(m_nodes);
    m_moved = true;
    return true;
}

bool FocusViewCommand::Unexecute()
{
    NerioViewerManipulatorState* manipulator = manipulatorOf(m_view);
    if (m_moved && manipulator)
        manipulator->setCameraInfo(m_before, false);
    m_moved = false;
    return true;
}

} // namespace Vantor
