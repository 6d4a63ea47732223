#pragma once

#include <osg/BoundingBox>

namespace Vantor {

class ISelectionManager;

// How the command library reaches the 3D view.
class ISceneView
{
public:
    virtual ~ISceneView() = default;
    // Box of the loaded model in world coordinates; may be empty when nothing is loaded.
    virtual const osg::BoundingBoxd& getSceneBoundingBox() = 0;
    virtual ISelectionManager* getSelectionManager() = 0;
    // Stores the manager when it is of the view's own kind and returns what was stored (null otherwise).
    virtual ISelectionManager* setSelectionManager(ISelectionManager* manager) = 0;
};

} // namespace Vantor
