#pragma once

#include <osgGA/GUIActionAdapter>

namespace nerio_test {

// Stands for the view a handler is given: counts the frames the handler asks for (the program's view
// draws only those).
class RedrawCounter : public osgGA::GUIActionAdapter
{
public:
    int asked = 0;
    void requestRedraw() override { ++asked; }
    void requestContinuousUpdate(bool) override {}
    void requestWarpPointer(float, float) override {}
};

} // namespace nerio_test
