#pragma once

#include <osg/observer_ptr>

#include <osg/BlendColor>
#include <osg/Camera>
#include <osg/NodeCallback>
#include <osg/ref_ptr>

#include <cstdint>
#include <functional>

// Update callbacks that keep parts of the view's scene in step with the camera. They run once per
// frame in the update traversal of every frame the view draws.

// Makes the light source it sits on a directional light shining along the viewing direction.
class AutoDirectionLightCallback : public osg::NodeCallback
{
public:
    AutoDirectionLightCallback() = default;
    void setCamera(osg::Camera* camera) { m_camera = camera; }
    osg::Camera* getCamera() const { return m_camera.get(); }
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override;

private:
    osg::observer_ptr<osg::Camera> m_camera; // the camera holds the scene that holds this callback
};

// Puts the point light of the light source it sits on at the eye.
class AutoPointLightCallback : public osg::NodeCallback
{
public:
    AutoPointLightCallback() = default;
    void setCamera(osg::Camera* camera) { m_camera = camera; }
    osg::Camera* getCamera() const { return m_camera.get(); }
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override;

private:
    osg::observer_ptr<osg::Camera> m_camera; // the camera holds the scene that holds this callback
};

// Hides the grid's children when the eye looks up at the grid from more than 18 degrees below it.
// The transform's own mask (the grid on/off switch) is left alone.
class AutoGridShowCallback : public osg::NodeCallback
{
public:
    AutoGridShowCallback() = default;
    void setCamera(osg::Camera* camera) { m_camera = camera; }
    osg::Camera* getCamera() const { return m_camera.get(); }
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override;

    // True when the grid shows for a camera whose inverse view matrix is given.
    static bool gridVisibleFor(const osg::Matrixd& inverseView);

private:
    osg::observer_ptr<osg::Camera> m_camera; // the camera holds the scene that holds this callback
};

// Fades the pivot sign out over about 26 frames through the constant alpha of its blend colour,
// then hides the switch it sits on. Does not traverse below the switch. While it fades it asks for
// the next frame through the request it was given (the view draws on demand).
class FadingUpdateCallback : public osg::NodeCallback
{
public:
    explicit FadingUpdateCallback(osg::BlendColor* blendColor = nullptr, std::function<void()> requestFrame = {})
        : m_blendColor(blendColor), m_requestFrame(std::move(requestFrame))
    {
    }
    void operator()(osg::Node* node, osg::NodeVisitor* nv) override;

    // Starts a new fade at full opacity (the show slots call it after showing the switch).
    void restart();

    std::uint64_t elapsed() const { return m_elapsed; }
    bool isFading() const { return m_elapsed < 255; }
    void setElapsed(std::uint64_t elapsed) { m_elapsed = elapsed; }
    int step() const { return m_step; }
    osg::BlendColor* blendColor() const { return m_blendColor; }

private:
    std::uint64_t m_elapsed = 0;
    int m_step = 10;
    osg::BlendColor* m_blendColor = nullptr; // owned by the switch's state set
    std::function<void()> m_requestFrame;
};

// The smallest of 1, 2.5, 5, 10, 25, 50, ... that is not less than x; 0 when x is not above 0.
double niceGridStep(double x);
