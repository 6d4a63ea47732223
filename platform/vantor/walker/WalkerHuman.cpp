#include "vantor/walker/WalkerHuman.h"

#include <algorithm>
#include <cmath>

namespace Vantor {

float WalkerHuman::s_bodyLength = 1800.0f;
bool WalkerHuman::s_smart = false;

void WalkerHuman::setHumanBodyLength(float length)
{
    if (length > 0.0f && std::isfinite(length))
        s_bodyLength = length;
}

float WalkerHuman::getHumanBodyLength()
{
    return s_bodyLength;
}

void WalkerHuman::setSartSelectBodyLength(bool on)
{
    s_smart = on;
}

bool WalkerHuman::getSartSelectBodyLength()
{
    return s_smart;
}

double WalkerHuman::eyeHeightFor(double sceneRadius)
{
    const double eye = double(s_bodyLength) * EyeRatio;
    if (!s_smart || !(sceneRadius > 0.0) || !std::isfinite(sceneRadius))
        return eye;
    return std::min(eye, 0.25 * sceneRadius);
}

} // namespace Vantor
