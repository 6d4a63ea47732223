#pragma once

#include "ribbon/RibbonActionRow.h"

// Every ribbon tool, in ribbon order.
struct ToolList
{
    const RibbonTool* first;
    const RibbonTool* last;
    const RibbonTool* begin() const { return first; }
    const RibbonTool* end() const { return last; }
};
ToolList ribbonTools();

// The tool with the id; null for an unknown or null id.
const RibbonTool* findTool(const char* id);

// The command the tool with the id starts; null when there is none.
const char* toolCommand(const char* id);
