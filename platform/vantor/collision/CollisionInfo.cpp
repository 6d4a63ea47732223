#include "vantor/collision/CollisionInfo.h"

#include <algorithm>

namespace Vantor {

float CollisionInfo::minDistance() const
{
    if (contacts.empty())
        return 0.0f;
    float smallest = contacts.front().distance;
    for (const CollisionPoint& point : contacts)
        smallest = std::min(smallest, point.distance);
    return smallest;
}

} // namespace Vantor
