#pragma once

#include "vantor/command/Command.h"

namespace Vantor {

// Interactive note commands. Until they are built each one ends as soon as it starts, leaves no undo step and
// changes nothing.

class PointNoteCommand : public Command
{
public:
    std::string Type() override { return "PointNoteCommand"; }
    std::string Name() override { return "PointNoteCommand"; }
    bool Execute() override;
};

class SNoteCommand : public Command
{
public:
    std::string Type() override { return "SNoteCommand"; }
    std::string Name() override { return "SNoteCommand"; }
    bool Execute() override;
};

class RectNoteCommand : public Command
{
public:
    std::string Type() override { return "RectNoteCommand"; }
    std::string Name() override { return "RectNoteCommand"; }
    bool Execute() override;
};

class CircleNoteCommand : public Command
{
public:
    std::string Type() override { return "CircleNoteCommand"; }
    std::string Name() override { return "CircleNoteCommand"; }
    bool Execute() override;
};

class EllipseNoteCommand : public Command
{
public:
    std::string Type() override { return "EllipseNoteCommand"; }
    std::string Name() override { return "EllipseNoteCommand"; }
    bool Execute() override;
};

class BrushNoteCommand : public Command
{
public:
    std::string Type() override { return "BrushNoteCommand"; }
    std::string Name() override { return "BrushNoteCommand"; }
    bool Execute() override;
};

} // namespace Vantor
