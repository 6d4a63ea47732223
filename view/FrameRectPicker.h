#pragma once

#include "vantor/command/NodePtrList.h"
#include "vantor/command/SelectFilter.h"

#include <osg/Plane>
#include <osgGA/GUIEventHandler>

#include <set>
#include <vector>

// The Ctrl+left-drag selection rectangle. The picking handler hands it the press, drag and release
// and the Ctrl key release, gives it the section state before the release and then collects the
// picked nodes. For now it only follows the gesture: it draws nothing and picks nothing.
class FrameRectPicker : public osgGA::GUIEventHandler
{
public:
    FrameRectPicker();

    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;
    using osgGA::GUIEventHandler::handle;

    void setClipedModels(const Vantor::ObserverNodeList& models);
    void setClipPlanes(const std::vector<osg::Plane>& planes) { m_clipPlanes = planes; }
    const std::vector<osg::Plane>& getClipPlanes() const { return m_clipPlanes; }
    const std::set<const osg::Node*>& getClipedModels() const { return m_clipedModels; }
    void setMultiSelection(bool on) { m_multiSelection = on; }
    bool getMultiSelection() const { return m_multiSelection; }
    bool isDragging() const { return m_dragging; }

    // The nodes inside the last released rectangle (none yet).
    NodePtrList getPickedNodes();

protected:
    ~FrameRectPicker() override;

private:
    bool m_dragging = false;
    bool m_multiSelection = true;
    std::set<const osg::Node*> m_clipedModels;
    std::vector<osg::Plane> m_clipPlanes;
};
