#pragma once

// Registers the bookmark panel's compiled-in pictures (the button icons of its own and the walk-view mark
// ":/VantorViewer/icon/roamView.png") once; they live in the static core library, which no one else would
// pull them out of.
void initBookmarkResources();
