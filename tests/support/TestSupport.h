#pragma once
#include <QString>

namespace nerio_test {

// Folder where this test process keeps its settings and scratch files; removed at exit.
QString scratchDir();

// True when a real X display is available (GL tests need one).
bool hasDisplay();

// Runs the event loop until the calls queued on it so far (posted events, zero timers) have run.
bool waitQueued(int timeoutMs = 5000);

} // namespace nerio_test
