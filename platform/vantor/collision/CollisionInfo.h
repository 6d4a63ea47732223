#pragma once

#include <osg/Node>
#include <osg/Vec3f>
#include <osg/ref_ptr>

#include <list>
#include <memory>
#include <vector>

namespace Vantor {

// What a pair of parts was found to be.
enum class CollisionType
{
    Interference, // the solids overlap: the distance is minus the penetration depth
    Contact,      // the surfaces touch within the contact accuracy
    Clearance     // apart, but closer than the requested clearance: the distance is the gap
};

// A point of a result in world coordinates, with the signed distance found there (negative inside).
struct CollisionPoint
{
    osg::Vec3f position;
    float distance = 0.0f;
};

// One pair of parts that interfere, touch or come too close.
class CollisionInfo
{
public:
    osg::ref_ptr<osg::Node> node1;
    osg::ref_ptr<osg::Node> node2;
    std::vector<CollisionPoint> contacts;
    CollisionType type = CollisionType::Interference;

    // The smallest contact distance; 0 without contact points.
    float minDistance() const;
};

using CollisionInfoList = std::list<CollisionInfo>;

} // namespace Vantor
