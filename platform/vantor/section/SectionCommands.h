#pragma once

#include "vantor/command/Command.h"

namespace Vantor {

// Interactive section commands. Until they are built each one ends as soon as it starts, leaves no undo step and
// changes nothing.

class CreateSectionCommand : public Command
{
public:
    std::string Type() override { return "CreateSectionCommand"; }
    std::string Name() override { return "CreateSectionCommand"; }
    bool Execute() override;
};

class UpdateSectionCommand : public Command
{
public:
    std::string Type() override { return "UpdateSectionCommand"; }
    std::string Name() override { return "UpdateSectionCommand"; }
    bool Execute() override;
};

class ReverseSectionCommand : public Command
{
public:
    std::string Type() override { return "ReverseSectionCommand"; }
    std::string Name() override { return "ReverseSectionCommand"; }
    bool Execute() override;
};

} // namespace Vantor
