#include "vantor/animation/AnimationTrack.h"

#include "vantor/model/Model.h"

#include <osg/MatrixTransform>

#include <algorithm>
#include <cmath>

namespace Vantor {

// ---- interpolation ----

namespace AnimationInterpolation {

osg::Matrixd matrix(const osg::Matrixd& a, const osg::Matrixd& b, double f)
{
    if (f <= 0.0)
        return a;
    if (f >= 1.0)
        return b;
    osg::Vec3d ta, tb, sa, sb;
    osg::Quat ra, rb, soa, sob;
    a.decompose(ta, ra, sa, soa);
    b.decompose(tb, rb, sb, sob);
    osg::Quat r;
    r.slerp(f, ra, rb);
    const osg::Vec3d t = ta + (tb - ta) * f;
    const osg::Vec3d s = sa + (sb - sa) * f;
    return osg::Matrixd::scale(s) * osg::Matrixd::rotate(r) * osg::Matrixd::translate(t);
}

osg::Vec4f color(const osg::Vec4f& a, const osg::Vec4f& b, double f)
{
    if (f <= 0.0)
        return a;
    if (f >= 1.0)
        return b;
    return a + (b - a) * float(f);
}

float opacity(float a, float b, double f)
{
    if (f <= 0.0)
        return a;
    if (f >= 1.0)
        return b;
    return float(a + (b - a) * f);
}

AnimationCameraInfo camera(const AnimationCameraInfo& a, const AnimationCameraInfo& b, double f)
{
    if (f <= 0.0)
        return a;
    if (f >= 1.0)
        return b;
    AnimationCameraInfo c = a;
    c.center = a.center + (b.center - a.center) * f;
    c.distance = a.distance + (b.distance - a.distance) * f;
    c.rotation.slerp(f, a.rotation, b.rotation);
    c.eye = a.eye + (b.eye - a.eye) * f;
    c.pitch = float(a.pitch + (b.pitch - a.pitch) * f);
    c.thirdPersonOffset = float(a.thirdPersonOffset + (b.thirdPersonOffset - a.thirdPersonOffset) * f);
    c.fovy = a.fovy + (b.fovy - a.fovy) * f;
    return c;
}

} // namespace AnimationInterpolation

namespace {

bool earlier(const AnimationKeyframePtr& a, const AnimationKeyframePtr& b)
{
    return a->getTime() < b->getTime();
}

// The two keyframes around the time and the fraction between them; one keyframe before the first and
// after the last.
const AnimationKeyframe* bracket(const std::vector<AnimationKeyframePtr>& keys, double time,
                                 const AnimationKeyframe*& next, double& f)
{
    next = nullptr;
    f = 0.0;
    if (keys.empty())
        return nullptr;
    if (time <= keys.front()->getTime())
        return keys.front().get();
    if (time >= keys.back()->getTime())
        return keys.back().get();
    auto it = std::upper_bound(keys.begin(), keys.end(), time,
                               [](double t, const AnimationKeyframePtr& k) { return t < k->getTime(); });
    const AnimationKeyframe* b = it->get();
    const AnimationKeyframe* a = (it - 1)->get();
    const double span = b->getTime() - a->getTime();
    next = b;
    f = span > 0.0 ? (time - a->getTime()) / span : 1.0;
    return a;
}

// Stepped: the last keyframe at or before the time (the first one before it starts).
const AnimationKeyframe* stepAt(const std::vector<AnimationKeyframePtr>& keys, double time)
{
    if (keys.empty())
        return nullptr;
    auto it = std::upper_bound(keys.begin(), keys.end(), time,
                               [](double t, const AnimationKeyframePtr& k) { return t < k->getTime(); });
    return it == keys.begin() ? keys.front().get() : (it - 1)->get();
}

const AnimationKeyframeType kNodeTypes[] = {AKT_Transform, AKT_Transparency, AKT_Material, AKT_Visibility};

} // namespace

// ---- node state ----

AnimationNodeState AnimationNodeState::of(const osg::Node* node)
{
    AnimationNodeState s;
    if (!node)
        return s;
    if (const osg::Transform* t = node->asTransform())
        if (const osg::MatrixTransform* m = t->asMatrixTransform()) {
            s.hasMatrix = true;
            s.matrix = m->getMatrix();
        }
    if (const auto* model = dynamic_cast<const Model*>(node)) {
        s.hasMaterial = true;
        s.color = model->getColor();
        s.opacity = float(model->getTransparent());
    }
    s.visible = node->getNodeMask() != 0;
    return s;
}

// ---- track ----

AnimationTrack::AnimationTrack(osg::Node* node, const AnimationTarget& target) : m_node(node), m_target(target) {}

AnimationTrack::AnimationTrack() : m_camera(true)
{
    m_target.kind = "camera";
}

AnimationTrack::~AnimationTrack()
{
    for (auto& keys : m_channels)
        for (auto& key : keys)
            if (key->m_track == this)
                key->m_track = nullptr;
}

int AnimationTrack::index(AnimationKeyframeType type)
{
    switch (type) {
    case AKT_Transform: return 0;
    case AKT_Transparency: return 1;
    case AKT_Material: return 2;
    case AKT_Camera: return 3;
    case AKT_Visibility: return 4;
    default: return -1;
    }
}

const std::vector<AnimationKeyframePtr>& AnimationTrack::channel(AnimationKeyframeType type) const
{
    static const std::vector<AnimationKeyframePtr> none;
    const int i = index(type);
    return i < 0 ? none : m_channels[i];
}

void AnimationTrack::setChannel(AnimationKeyframeType type, const std::vector<AnimationKeyframePtr>& keys)
{
    const int i = index(type);
    if (i < 0)
        return;
    for (auto& key : m_channels[i])
        if (key->m_track == this)
            key->m_track = nullptr;
    m_channels[i].clear();
    for (const auto& key : keys)
        if (key && key->getType() == type && (!key->m_track || key->m_track == this)) {
            key->m_track = this;
            m_channels[i].push_back(key);
        }
    std::stable_sort(m_channels[i].begin(), m_channels[i].end(), earlier);
    resetApplied();
}

void AnimationTrack::collect(AnimationKeyframePtrList& out) const
{
    for (const auto& keys : m_channels)
        out.insert(out.end(), keys.begin(), keys.end());
}

bool AnimationTrack::empty() const
{
    return size() == 0;
}

std::size_t AnimationTrack::size() const
{
    std::size_t n = 0;
    for (const auto& keys : m_channels)
        n += keys.size();
    return n;
}

bool AnimationTrack::add(AnimationKeyframe* raw)
{
    const AnimationKeyframePtr key(raw); // a fresh keyframe is owned from here on
    if (!key || (key->m_track && key->m_track != this))
        return false;
    const bool cameraKey = key->getType() == AKT_Camera;
    const int i = index(key->getType());
    if (i < 0 || cameraKey != m_camera)
        return false;
    auto& keys = m_channels[i];
    if (std::find(keys.begin(), keys.end(), key) != keys.end())
        return true;
    auto at = std::upper_bound(keys.begin(), keys.end(), key, earlier);
    keys.insert(at, key);
    key->m_track = this;
    resetApplied();
    return true;
}

bool AnimationTrack::remove(AnimationKeyframe* key)
{
    const int i = key ? index(key->getType()) : -1;
    if (i < 0)
        return false;
    auto& keys = m_channels[i];
    auto it = std::find(keys.begin(), keys.end(), key);
    if (it == keys.end())
        return false;
    keys.erase(it);
    key->m_track = nullptr;
    resetApplied();
    return true;
}

bool AnimationTrack::contains(const AnimationKeyframe* key) const
{
    return key && key->m_track == this;
}

AnimationKeyframe* AnimationTrack::find(AnimationKeyframeType type, double time, double tolerance) const
{
    AnimationKeyframe* best = nullptr;
    double bestDistance = tolerance;
    for (const auto& key : channel(type)) {
        const double d = std::fabs(key->getTime() - time);
        if (d <= bestDistance) {
            best = key.get();
            bestDistance = d;
        }
    }
    return best;
}

void AnimationTrack::sort()
{
    for (auto& keys : m_channels)
        std::stable_sort(keys.begin(), keys.end(), earlier);
    resetApplied();
}

bool AnimationTrack::bounds(double& first, double& last) const
{
    bool any = false;
    for (const auto& keys : m_channels) {
        if (keys.empty())
            continue;
        if (!any || keys.front()->getTime() < first)
            first = keys.front()->getTime();
        if (!any || keys.back()->getTime() > last)
            last = keys.back()->getTime();
        any = true;
    }
    return any;
}

void AnimationTrack::apply(double time)
{
    osg::ref_ptr<osg::Node> node;
    if (m_camera || !m_node.lock(node))
        return;
    const AnimationKeyframe* next = nullptr;
    double f = 0.0;

    if (const AnimationKeyframe* a = bracket(m_channels[0], time, next, f)) {
        osg::MatrixTransform* mt = node->asTransform() ? node->asTransform()->asMatrixTransform() : nullptr;
        const osg::Matrixd m = next ? AnimationInterpolation::matrix(a->value().matrix, next->value().matrix, f)
                                    : a->value().matrix;
        if (mt && (!m_applied.matrix || m_applied.m != m)) {
            mt->setMatrix(m);
            m_applied.matrix = true;
            m_applied.m = m;
        }
    }
    auto* model = dynamic_cast<Model*>(node.get());
    if (const AnimationKeyframe* a = bracket(m_channels[1], time, next, f)) {
        const float o = next ? AnimationInterpolation::opacity(a->value().opacity, next->value().opacity, f)
                             : a->value().opacity;
        if (model && (!m_applied.opacity || m_applied.o != o)) {
            model->setTransparent(o, false);
            m_applied.opacity = true;
            m_applied.o = o;
            m_applied.color = false; // the colour carries the opacity as its alpha
        }
    }
    if (const AnimationKeyframe* a = bracket(m_channels[2], time, next, f)) {
        const osg::Vec4f c = next ? AnimationInterpolation::color(a->value().color, next->value().color, f)
                                  : a->value().color;
        if (model && (!m_applied.color || m_applied.c != c)) {
            model->setColor(c);
            m_applied.color = true;
            m_applied.c = c;
        }
    }
    if (const AnimationKeyframe* a = stepAt(m_channels[4], time)) {
        const bool v = a->value().visible;
        if (!m_applied.visible || m_applied.v != v) {
            if (model)
                model->setVisible(v, false);
            else
                node->setNodeMask(v ? 0xffffffffu : 0u);
            m_applied.visible = true;
            m_applied.v = v;
        }
    }
}

bool AnimationTrack::cameraAt(double time, AnimationCameraInfo& out) const
{
    const AnimationKeyframe* next = nullptr;
    double f = 0.0;
    const AnimationKeyframe* a = bracket(m_channels[3], time, next, f);
    if (!a)
        return false;
    out = next ? AnimationInterpolation::camera(a->value().camera, next->value().camera, f) : a->value().camera;
    return true;
}

// ---- segment ----

AnimationSegment::AnimationSegment() : m_name("default"), m_cameraTrack(new AnimationTrack) {}

AnimationTrack* AnimationSegment::findTrack(const osg::Node* node) const
{
    if (!node)
        return nullptr;
    for (const auto& track : m_tracks)
        if (track->getNode() == node)
            return track.get();
    return nullptr;
}

AnimationTrack* AnimationSegment::getOrCreateTrack(osg::Node* node, const AnimationTarget& target)
{
    if (!node)
        return nullptr;
    if (AnimationTrack* track = findTrack(node))
        return track;
    // A track kept from a stored animation whose node was not found takes the node when it turns up.
    for (const auto& track : m_tracks)
        if (!track->getNode() && target.valid() && track->getTarget() == target) {
            track->setNode(node);
            return track.get();
        }
    m_tracks.push_back(new AnimationTrack(node, target));
    return m_tracks.back().get();
}

void AnimationSegment::addTrack(AnimationTrack* track)
{
    if (!track)
        return;
    if (track->isCamera())
        m_cameraTrack = track;
    else if (std::find(m_tracks.begin(), m_tracks.end(), track) == m_tracks.end())
        m_tracks.push_back(track);
}

void AnimationSegment::removeEmptyTracks()
{
    m_tracks.erase(std::remove_if(m_tracks.begin(), m_tracks.end(),
                                  [](const osg::ref_ptr<AnimationTrack>& t) { return t->empty(); }),
                   m_tracks.end());
}

void AnimationSegment::clear()
{
    m_tracks.clear();
    m_cameraTrack = new AnimationTrack;
}

AnimationKeyframePtrList AnimationSegment::getAllKeyframes() const
{
    AnimationKeyframePtrList all;
    for (const auto& track : m_tracks)
        track->collect(all);
    m_cameraTrack->collect(all);
    all.sort(earlier); // std::list::sort is stable
    return all;
}

AnimationKeyframePtrList AnimationSegment::getKeyframes(AnimationKeyframeType type) const
{
    AnimationKeyframePtrList out;
    for (const auto& track : m_tracks)
        for (const auto& key : track->channel(type))
            out.push_back(key);
    for (const auto& key : m_cameraTrack->channel(type))
        out.push_back(key);
    out.sort(earlier);
    return out;
}

bool AnimationSegment::empty() const
{
    if (!m_cameraTrack->empty())
        return false;
    for (const auto& track : m_tracks)
        if (!track->empty())
            return false;
    return true;
}

bool AnimationSegment::bounds(double& first, double& last) const
{
    bool any = false;
    auto take = [&](const AnimationTrack& track) {
        double a = 0.0, b = 0.0;
        if (!track.bounds(a, b))
            return;
        if (!any || a < first)
            first = a;
        if (!any || b > last)
            last = b;
        any = true;
    };
    for (const auto& track : m_tracks)
        take(*track);
    take(*m_cameraTrack);
    return any;
}

void AnimationSegment::apply(double time)
{
    for (const auto& track : m_tracks)
        track->apply(time);
}

void AnimationSegment::resetApplied()
{
    for (const auto& track : m_tracks)
        track->resetApplied();
}

} // namespace Vantor
