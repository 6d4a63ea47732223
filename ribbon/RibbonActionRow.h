#pragma once

class MainWindow;
class QMenu;

namespace Vantor {
class Command;
}

// Checkable or not; Off and On also set the initial state.
enum class RibbonCheck { No, Yes, Off, On };

// Who receives the action's signal.
enum class RibbonReceiver { Window, BookmarkPanel };

// What a command tool needs of the loaded model before it may start.
enum class ToolNeed { None, Faces, Edges, FacesAndEdges };

using RibbonMenuBuilder = void (MainWindow::*)(QMenu*);
using CommandFactory = Vantor::Command* (*)();

// One ribbon tool: the action the ribbon shows, the window slot it drives and the interactive command it
// starts, if any. The ribbon, the command slots and the command registry all read it.
struct RibbonTool
{
    const char* id;       // action-map key when stored, else a name of its own
    const char* text;     // translated in the context "MainWindow"
    const char* icon;     // file name under ":/VantorViewer/icon/" without ".png"; a leading ':' is a full path
    RibbonCheck check;
    bool command;         // appended to the command-action list
    const char* signal;   // "triggered()" or "triggered(bool)"; null: not connected
    const char* slot;     // normalised signature of the receiver's slot, connected by name
    bool stored = true;   // kept in the action map under id
    RibbonReceiver receiver = RibbonReceiver::Window;
    const char* commandName = nullptr; // the command manager's name of the command the tool starts
    CommandFactory factory = nullptr;  // builds that command
    const char* group = nullptr;       // the menu-button group that takes the tool's icon
    ToolNeed need = ToolNeed::None;
    const char* refusal = nullptr;     // status text when the need is not met (a MainWindow text)
};

// One place of a tool on a ribbon page or in a drop-down menu. A row without a tool is a menu separator.
struct RibbonActionRow
{
    const char* pannel;   // panel title (pages only)
    const char* tool;     // id of the tool
    RibbonMenuBuilder menu = nullptr;
    bool splitButton = false; // the button part triggers, the arrow opens the menu
};
