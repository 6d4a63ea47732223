#pragma once

// Registers the panels' compiled-in icons (":/VantorViewer/mag.png", ":/VantorViewer/icon/Tree/...")
// once; they live in the static core library, which no one else would pull them out of.
void initPanelResources();
