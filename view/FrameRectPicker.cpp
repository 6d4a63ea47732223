#include "view/FrameRectPicker.h"

#include <osgViewer/View>

FrameRectPicker::FrameRectPicker() = default;
FrameRectPicker::~FrameRectPicker() = default;

bool FrameRectPicker::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (!dynamic_cast<osgViewer::View*>(&aa))
        return false;
    switch (ea.getEventType()) {
    case osgGA::GUIEventAdapter::PUSH:
        m_dragging = true;
        return true;
    case osgGA::GUIEventAdapter::DRAG:
        return m_dragging;
    case osgGA::GUIEventAdapter::RELEASE:
        m_dragging = false;
        return true;
    case osgGA::GUIEventAdapter::KEYUP:
        return ea.getKey() == osgGA::GUIEventAdapter::KEY_Control_L ||
               ea.getKey() == osgGA::GUIEventAdapter::KEY_Control_R;
    default:
        return false;
    }
}

void FrameRectPicker::setClipedModels(const Vantor::ObserverNodeList& models)
{
    m_clipedModels.clear();
    for (const auto& model : models) {
        if (model.valid())
            m_clipedModels.insert(model.get());
    }
}

NodePtrList FrameRectPicker::getPickedNodes() { return NodePtrList(); }
