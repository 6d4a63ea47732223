#pragma once

namespace Vantor {

// The person who walks through the model, shared by every walker: body length in model units
// (1/1000 m) and whether the length follows the model's size.
class WalkerHuman
{
public:
    static void setHumanBodyLength(float length);
    static float getHumanBodyLength();
    static void setSartSelectBodyLength(bool on);
    static bool getSartSelectBodyLength();
    // Eyes sit a little below the top of the head.
    static constexpr double EyeRatio = 0.93;
    // Eye height for a scene of the radius: the body's, or with the smart choice never more than a
    // quarter of the scene radius, so a small part can still be walked around.
    static double eyeHeightFor(double sceneRadius);

private:
    static float s_bodyLength;
    static bool s_smart;
};

} // namespace Vantor
