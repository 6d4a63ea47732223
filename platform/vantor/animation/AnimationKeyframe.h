#pragma once

#include "vantor/command/AnimationCameraInfo.h"

#include <osg/Matrixd>
#include <osg/Referenced>
#include <osg/Vec4f>
#include <osg/ref_ptr>

#include <list>

namespace Vantor {

class AnimationTrack;

// What a keyframe animates; the values are stored in files, so they never change.
enum AnimationKeyframeType {
    AKT_None = 0,
    AKT_Transform = 1,    // the node's local matrix
    AKT_Transparency = 2, // the model's opacity, 0..1
    AKT_Material = 3,     // the model's diffuse colour
    AKT_Camera = 4,       // the view's camera pose
    AKT_Visibility = 6,   // shown or hidden, stepped
};

// Marker states: a transparency keyframe made by a fade, a material keyframe made by a hot spot.
enum AnimationKeyframeState {
    AKS_Plain = 0,
    AKS_FadeIn = 1,
    AKS_FadeOut = 2,
    AKS_HotSpot = 1,
};

// The values a keyframe can hold; only the one of its type is read.
struct AnimationKeyframeValue
{
    osg::Matrixd matrix;
    osg::Vec4f color{0.8f, 0.8f, 0.8f, 1.0f};
    float opacity = 1.0f;
    bool visible = true;
    AnimationCameraInfo camera;
};

// One keyframe of one track. Reference counted: tracks, commands and the editor's markers share it;
// a marker only observes it.
class AnimationKeyframe : public osg::Referenced
{
public:
    AnimationKeyframe(AnimationKeyframeType type, double time) : m_type(type), m_time(time) {}

    AnimationKeyframeType getType() const { return m_type; }
    double getTime() const { return m_time; }
    void setTime(double time) { m_time = time; }
    int getState() const { return m_state; }
    void setState(int state) { m_state = state; }

    AnimationKeyframeValue& value() { return m_value; }
    const AnimationKeyframeValue& value() const { return m_value; }

    // The track that holds it; null once it was taken out (a deleted keyframe kept for undo).
    AnimationTrack* getTrack() const { return m_track; }

protected:
    ~AnimationKeyframe() override = default;

private:
    friend class AnimationTrack;

    AnimationKeyframeType m_type;
    double m_time;
    int m_state = AKS_Plain;
    AnimationKeyframeValue m_value;
    AnimationTrack* m_track = nullptr;
};

using AnimationKeyframePtr = osg::ref_ptr<AnimationKeyframe>;
using AnimationKeyframePtrList = std::list<AnimationKeyframePtr>;

// Interpolation between two keyframe values, f in 0..1 (0 gives a, 1 gives b exactly).
namespace AnimationInterpolation {
// Translation and scale linear, rotation by spherical interpolation.
osg::Matrixd matrix(const osg::Matrixd& a, const osg::Matrixd& b, double f);
osg::Vec4f color(const osg::Vec4f& a, const osg::Vec4f& b, double f);
float opacity(float a, float b, double f);
// Positions, distances and angles linear, rotation by spherical interpolation; the flags are stepped.
AnimationCameraInfo camera(const AnimationCameraInfo& a, const AnimationCameraInfo& b, double f);
} // namespace AnimationInterpolation

} // namespace Vantor
