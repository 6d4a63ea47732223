#pragma once
#include <QString>

namespace nerio_test {

// Folder where this test process keeps its settings and scratch files; removed at exit.
QString scratchDir();

// True when a real X display is available (GL tests need one).
bool hasDisplay();

} // namespace nerio_test
