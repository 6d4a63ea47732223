#pragma once

#include "vantor/command/Command.h"

namespace Vantor {

// Dragger commands that move parts. Until they are built each one ends as soon as it starts, leaves no undo step and
// changes nothing.

class UpdateAxisLocationCommand : public Command
{
public:
    std::string Type() override { return "UpdateAxisLocationCommand"; }
    std::string Name() override { return "UpdateAxisLocationCommand"; }
    bool Execute() override;
};

class AxisTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "AxisTransformDraggerCommand"; }
    std::string Name() override { return "AxisTransformDraggerCommand"; }
    bool Execute() override;
};

class ScaleTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "ScaleTransformDraggerCommand"; }
    std::string Name() override { return "ScaleTransformDraggerCommand"; }
    bool Execute() override;
};

class RotateTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "RotateTransformDraggerCommand"; }
    std::string Name() override { return "RotateTransformDraggerCommand"; }
    bool Execute() override;
};

class PlaneTransformDraggerCommand : public Command
{
public:
    std::string Type() override { return "PlaneTransformDraggerCommand"; }
    std::string Name() override { return "PlaneTransformDraggerCommand"; }
    bool Execute() override;
};

} // namespace Vantor
