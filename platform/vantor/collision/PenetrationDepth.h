#pragma once

// Internal to the collision component: how deep two overlapping parts reach into each other.

#include "vantor/collision/PartMesh.h"

#include <fcl/narrowphase/collision_object.h>

namespace Vantor {
namespace collision {

struct Penetration
{
    double depth = 0.0;       // 0 when no point of either surface was found inside the other part
    fcl::Vector3d deepest{0.0, 0.0, 0.0}; // world point where the depth was found
    bool inside = false;      // some point of a surface lies inside the other part
    bool withinAccuracy = false; // the depth is the true one within the accuracy asked for
};

// The penetration depth of two parts: the largest distance from a point of one part's surface that
// lies inside the other part to that other part's surface, searched over both surfaces where their
// boxes overlap. The result lies at most `accuracy` below the true depth unless a search needed more
// than `maxPoints` points (then it is the deepest found, and withinAccuracy is false).
// Needs closed meshes to tell inside from outside.
Penetration penetration(const PartMesh& a, const fcl::CollisionObjectd& objectA, const PartMesh& b,
                        const fcl::CollisionObjectd& objectB, double accuracy, std::size_t maxPoints);

// Whether a world point lies inside a part's closed mesh (ray parity).
bool containsPoint(const PartMesh& part, const fcl::Vector3d& worldPoint);

} // namespace collision
} // namespace Vantor
