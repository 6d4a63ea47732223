#include "view/PickingHandler.h"

#include "view/SceneView.h"
#include "vantor/model/Model.h"

PickingHandler::PickingHandler()
    : QObject(nullptr), osgGA::TrackballManipulator(UPDATE_MODEL_SIZE | PROCESS_MOUSE_WHEEL)
{
    setMinimumDistance(0.01, false);
}

PickingHandler::~PickingHandler() = default;

void PickingHandler::setNode(osg::Node* node)
{
    osg::ref_ptr<Vantor::Model> top = node ? Vantor::Model::GetTopModel(node) : nullptr;
    osgGA::TrackballManipulator::setNode(top.get());
}

void PickingHandler::timeout() {}
