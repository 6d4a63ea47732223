#pragma once

#include "vantor/command/Command.h"
#include "vantor/view/ViewManager.h"

#include <osgViewer/View>

namespace Vantor {

// Adds a saved view to the view manager of the viewer's scene (or the one set) as one undo step; undo
// takes it out again, redo puts it back at the same place. Without a view or a manager it does nothing
// and reports failure, so no empty step is recorded.
class AddUserViewCommand : public Command
{
public:
    std::string Type() override { return "AddUserViewCommand"; }
    std::string Name() override { return "AddUserViewCommand"; }

    void SetView(osg::ref_ptr<View> view) { m_view = view; }
    void setViewer(osg::ref_ptr<osgViewer::View> viewer) { m_viewer = viewer; }
    void setViewManager(osg::ref_ptr<ViewManager> manager) { m_manager = manager; }

    bool Execute() override;
    bool Unexecute() override;

private:
    osg::ref_ptr<ViewManager> manager();

    osg::ref_ptr<View> m_view;
    osg::ref_ptr<osgViewer::View> m_viewer;
    osg::ref_ptr<ViewManager> m_manager;
    int m_index = -1;
};

// Captures a saved view again as one undo step; undo gives the view back what it held before.
class UpdateUserViewCommand : public Command
{
public:
    std::string Type() override { return "UpdateUserViewCommand"; }
    std::string Name() override { return "UpdateUserViewCommand"; }

    void SetView(osg::ref_ptr<View> view) { m_view = view; }
    void setViewer(osg::ref_ptr<osgViewer::View> viewer) { m_viewer = viewer; }

    bool Execute() override;
    bool Unexecute() override;

private:
    void notifyManagers();

    osg::ref_ptr<View> m_view;
    osg::ref_ptr<osgViewer::View> m_viewer;
    osg::ref_ptr<View> m_before;
    osg::ref_ptr<View> m_after;
};

} // namespace Vantor
