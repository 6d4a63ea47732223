#pragma once

#include "vantor/command/Command.h"

namespace Vantor {

// Alignment commands. Until they are built each one ends as soon as it starts, leaves no undo step and
// changes nothing.

class PointsAlignmentCommand : public Command
{
public:
    std::string Type() override { return "PointsAlignmentCommand"; }
    std::string Name() override { return "PointsAlignmentCommand"; }
    bool Execute() override;
};

class LinesAlignmentCommand : public Command
{
public:
    std::string Type() override { return "LinesAlignmentCommand"; }
    std::string Name() override { return "LinesAlignmentCommand"; }
    bool Execute() override;
};

class FacesAlignmentCommand : public Command
{
public:
    std::string Type() override { return "FacesAlignmentCommand"; }
    std::string Name() override { return "FacesAlignmentCommand"; }
    bool Execute() override;
};

class LineToFaceAlignmentCommand : public Command
{
public:
    std::string Type() override { return "LineToFaceAlignmentCommand"; }
    std::string Name() override { return "LineToFaceAlignmentCommand"; }
    bool Execute() override;
};

} // namespace Vantor
