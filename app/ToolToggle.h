#pragma once

#include "view/SceneView.h"
#include "vantor/command/CommandManager.h"

// A ribbon toggle of an interactive tool: ends the running tool, then queues the named one when
// checked, none otherwise (also when there is no name).
inline void toggleTool(SceneView* view, bool checked, const char* name)
{
    std::shared_ptr<Vantor::CommandManager> manager = view ? view->getCommandManager() : nullptr;
    if (!manager)
        return;
    manager->CancelCurrentCmd();
    manager->setExecuteType(checked && name ? name : Vantor::CommandManager::NoneType);
}
