#pragma once

#include "vantor/collision/CollisionCallback.h"
#include "vantor/collision/CollisionInfo.h"

#include <osg/Node>
#include <osg/Vec3f>
#include <osg/ref_ptr>

#include <atomic>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>

namespace Vantor {

// Interference checking between parts on their triangle meshes: a broad phase on the parts' world
// boxes, then exact mesh queries for the pairs it keeps. A pair is reported when the parts overlap
// (interference, with the penetration depth), touch within the contact accuracy, or, with an
// interval above 0, come closer than the interval (clearance, with the gap).
//
// A check runs on the calling thread (spreading its pair queries over helper threads of its own)
// and reports through the callback; one manager runs one check at a time.
class CollisionManager
{
public:
    using NodeList = std::list<osg::ref_ptr<osg::Node>>;

    // Gaps up to this count as touching (millimetres).
    static constexpr float ContactAccuracy = 0.01f;
    // An interference's depth is the true penetration depth less at most this (millimetres).
    static constexpr float DepthAccuracy = 0.001f;

    CollisionManager();
    virtual ~CollisionManager();

    // The tolerance of the next checks: 0 reports overlaps only; above 0 also touching pairs and pairs
    // closer than it. Negative values count as 0.
    void SetInterval(float interval);
    float GetInterval() const;

    // The region the next self check works in (a spatial hash over it); an empty box clears it.
    void InitCollisionWorld(osg::Vec3f min, osg::Vec3f max);

    // Every part of list1 against every part of list2: a node never against itself, and each
    // unordered pair once, also when a node is in both lists.
    std::shared_ptr<CollisionInfoList> DetectMultiToMulti(NodeList list1, NodeList list2, CollisionCallback* callback);
    // Every pair of parts within the list.
    std::shared_ptr<CollisionInfoList> DetectSelfCollision(NodeList list, CollisionCallback* callback);

    // Helper threads for the pair queries; 0 (the default) picks from the machine.
    void SetThreadCount(unsigned int count);

    // Figures of the last check.
    struct Statistics
    {
        std::size_t parts = 0;
        std::size_t triangles = 0;
        std::size_t candidatePairs = 0; // pairs the broad phase kept
        std::size_t pairsTested = 0;    // pairs the exact queries finished
        std::size_t results = 0;
        double seconds = 0.0;          // the whole check
        double gatherSeconds = 0.0;    // reading the parts' triangles
        double broadPhaseSeconds = 0.0;
        double buildSeconds = 0.0;     // search structures of the parts the broad phase kept
        double pairSeconds = 0.0;      // the exact queries
    };
    Statistics GetLastStatistics() const;

private:
    struct Run;
    std::shared_ptr<CollisionInfoList> detect(NodeList list1, NodeList list2, bool self, CollisionCallback* callback);

    std::atomic<float> m_interval{0.0f};
    std::atomic<unsigned int> m_threads{0};
    mutable std::mutex m_mutex;
    bool m_hasWorld = false;
    osg::Vec3f m_worldMin;
    osg::Vec3f m_worldMax;
    Statistics m_statistics;
};

} // namespace Vantor
