#pragma once

// Registers the compiled-in ribbon icons (":/VantorViewer/icon/..."); later calls do nothing.
void registerRibbonIcons();
