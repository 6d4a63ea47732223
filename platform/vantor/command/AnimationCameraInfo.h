#pragma once

#include <osg/Quat>
#include <osg/Vec3d>

namespace Vantor {

// A camera as the manipulators hand it out and take it back (saved views, camera keyframes).
// The trackball uses the perspective flag, centre, distance and rotation; the walker the third-person
// flag, pitch, third-person offset, eye and rotation.
struct AnimationCameraInfo
{
    bool perpectiveCamera = true;
    osg::Vec3d center;
    double distance = 1.0;
    osg::Quat rotation;

    bool useThridpersonView = false;
    float pitch = 0.0f;
    float thirdPersonOffset = 100.0f;
    osg::Vec3d eye;

    double fovy = 30.0;
};

} // namespace Vantor
