#pragma once

// First visibility of the structure-tree dock, the view dock and the annotation panel.
// Set by main from the command line; embedded mode writes the last two.
extern bool showTreeDockAtStart;
extern bool showViewDockAtStart;
extern bool showAnnotationAtStart;
