#pragma once

#include "vantor/command/Command.h"

namespace Vantor {

// Explosion dragger commands. Until they are built each one ends as soon as it starts, leaves no undo step and
// changes nothing.

class AxisExplodeTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "AxisExplodeTransformDraggerCommand"; }
    std::string Name() override { return "AxisExplodeTransformDraggerCommand"; }
    bool Execute() override;
};

class RadialExplodeTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "RadialExplodeTransformDraggerCommand"; }
    std::string Name() override { return "RadialExplodeTransformDraggerCommand"; }
    bool Execute() override;
};

class CenterExplodeTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "CenterExplodeTransformDraggerCommand"; }
    std::string Name() override { return "CenterExplodeTransformDraggerCommand"; }
    bool Execute() override;
};

} // namespace Vantor
