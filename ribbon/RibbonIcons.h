#pragma once

#include <QIcon>
#include <QString>

// Registers the compiled-in ribbon icons (":/VantorViewer/icon/..."); later calls do nothing.
void registerRibbonIcons();

// The icon of an image file, decoded when first drawn or measured rather than when made: most ribbon
// icons sit on pages and in menus not shown at start. An icon whose file does not exist is null.
QIcon lazyFileIcon(const QString& path);
