#pragma once

class MainWindow;
class QMenu;

// Checkable or not; Off and On also set the initial state.
enum class RibbonCheck { No, Yes, Off, On };

// Who receives the action's signal.
enum class RibbonReceiver { Window, BookmarkPanel };

using RibbonMenuBuilder = void (MainWindow::*)(QMenu*);

// One action of a ribbon page or drop-down menu. A row without key and text is a menu separator.
struct RibbonActionRow
{
    const char* pannel;   // panel title (pages only)
    const char* key;      // action-map key; null: not stored
    const char* text;     // translated in the context "MainWindow"
    const char* icon;     // file name under ":/VantorViewer/icon/" without ".png"; a leading ':' is a full path
    RibbonCheck check;
    bool command;         // appended to the command-action list
    const char* signal;   // "triggered()" or "triggered(bool)"; null: not connected
    const char* slot;     // normalised signature of the receiver's slot
    RibbonMenuBuilder menu = nullptr;
    bool splitButton = false; // the button part triggers, the arrow opens the menu
    RibbonReceiver receiver = RibbonReceiver::Window;
};
