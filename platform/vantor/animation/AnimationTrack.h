#pragma once

#include "vantor/animation/AnimationKeyframe.h"

#include <osg/Node>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <cstdint>
#include <string>
#include <vector>

namespace osgViewer {
class View;
}

namespace Vantor {

// Names the animated node in a stored animation: a model by its model id, a note, measure or
// section by its annotation id. The camera track has the kind "camera".
struct AnimationTarget
{
    std::string kind;
    uint64_t id = 0;

    bool operator==(const AnimationTarget& o) const { return kind == o.kind && id == o.id; }
    bool valid() const { return !kind.empty(); }
};

// The state of a node that keyframes record and playback writes back.
struct AnimationNodeState
{
    bool hasMatrix = false;
    osg::Matrixd matrix;
    bool hasMaterial = false; // a model: colour and opacity
    osg::Vec4f color;
    float opacity = 1.0f;
    bool visible = true;

    // Reads the node as it stands; a null node gives the defaults.
    static AnimationNodeState of(const osg::Node* node);
};

// The keyframes of one node (or of the camera), one time-ordered channel per keyframe type.
class AnimationTrack : public osg::Referenced
{
public:
    // A node track; the node may be null when a stored target was not found in the scene (the track
    // is then kept, so saving again loses nothing, but never played).
    AnimationTrack(osg::Node* node, const AnimationTarget& target);
    // The camera track.
    AnimationTrack();

    bool isCamera() const { return m_camera; }
    osg::Node* getNode() const { return m_node.get(); }
    void setNode(osg::Node* node) { m_node = node; }
    const AnimationTarget& getTarget() const { return m_target; }

    // Keyframes of one type in time order.
    const std::vector<AnimationKeyframePtr>& channel(AnimationKeyframeType type) const;
    void setChannel(AnimationKeyframeType type, const std::vector<AnimationKeyframePtr>& keys);
    // Every keyframe of the track.
    void collect(AnimationKeyframePtrList& out) const;
    bool empty() const;
    std::size_t size() const;

    // Adds the keyframe in time order (after others at the same time); false for null, for a keyframe
    // another track holds, and for a type this track cannot carry.
    bool add(AnimationKeyframe* key);
    bool remove(AnimationKeyframe* key);
    bool contains(const AnimationKeyframe* key) const;
    // The keyframe of the type within `tolerance` seconds of the time (the closest), or null.
    AnimationKeyframe* find(AnimationKeyframeType type, double time, double tolerance) const;
    // Restores time order after keyframe times changed.
    void sort();

    // Time range of the keyframes; false when empty.
    bool bounds(double& first, double& last) const;

    // The node's state at the time for every channel that has keyframes; writes only what differs
    // from what it wrote last, so an unchanged node costs nothing.
    void apply(double time);
    // The camera at the time; false when the track has no camera keyframes.
    bool cameraAt(double time, AnimationCameraInfo& out) const;
    // Forgets what was last written, so the next apply writes everything.
    void resetApplied() { m_applied = Applied(); }

protected:
    ~AnimationTrack() override;

private:
    static int index(AnimationKeyframeType type);
    void adopt(AnimationKeyframe* key);

    bool m_camera = false;
    osg::observer_ptr<osg::Node> m_node;
    AnimationTarget m_target;
    std::vector<AnimationKeyframePtr> m_channels[5];

    struct Applied
    {
        bool matrix = false, color = false, opacity = false, visible = false;
        osg::Matrixd m;
        osg::Vec4f c;
        float o = 1.0f;
        bool v = true;
    } m_applied;
};

// One animation: its node tracks and its camera track.
class AnimationSegment : public osg::Referenced
{
public:
    AnimationSegment();

    const std::string& getName() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    const std::vector<osg::ref_ptr<AnimationTrack>>& getTracks() const { return m_tracks; }
    AnimationTrack* getCameraTrack() const { return m_cameraTrack.get(); }
    AnimationTrack* findTrack(const osg::Node* node) const;
    // The node's track, made when missing; null for a null node.
    AnimationTrack* getOrCreateTrack(osg::Node* node, const AnimationTarget& target);
    void addTrack(AnimationTrack* track);
    // Drops the node tracks that hold no keyframes.
    void removeEmptyTracks();
    void clear();

    // Every keyframe, ordered by time (keyframes at one time in track order, the camera last).
    AnimationKeyframePtrList getAllKeyframes() const;
    AnimationKeyframePtrList getKeyframes(AnimationKeyframeType type) const;
    bool empty() const;
    // Time range of all keyframes; false when there are none.
    bool bounds(double& first, double& last) const;

    // Writes every animated node's state at the time.
    void apply(double time);
    void resetApplied();

protected:
    ~AnimationSegment() override = default;

private:
    std::string m_name;
    std::vector<osg::ref_ptr<AnimationTrack>> m_tracks;
    osg::ref_ptr<AnimationTrack> m_cameraTrack;
};

} // namespace Vantor
