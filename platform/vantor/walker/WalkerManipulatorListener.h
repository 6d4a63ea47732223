#pragma once

#include <osg/Referenced>
#include <osg/Vec3d>

namespace Vantor {

class WalkerManipulator;

// Told of every change of the walker's settings and position, on the GUI thread.
class WalkerManipulatorListener : public osg::Referenced
{
public:
    // Velocity in model units (1/1000 m) per second.
    virtual void onVelocityChanged(double velocity) { (void)velocity; }
    virtual void onFovyChanged(double fovy) { (void)fovy; }
    // Degrees per second.
    virtual void onAngularVelocityChanged(double angularVelocity) { (void)angularVelocity; }
    virtual void onThirdPersonChanged(bool on) { (void)on; }
    virtual void onObstaclesChanged(bool on) { (void)on; }
    virtual void onGravityChanged(bool on) { (void)on; }
    virtual void onEyeChanged(const osg::Vec3d& eye) { (void)eye; }

protected:
    ~WalkerManipulatorListener() override = default;
};

} // namespace Vantor
