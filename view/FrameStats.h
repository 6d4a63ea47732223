#pragma once

class QOpenGLWidget;

// Frame timing for the benchmarks, on when the environment has NERIO_FRAME_STATS=1 (or "continuous",
// which also has the view draw frame after frame, as fast as they come, instead of on demand, so a
// benchmark can time them). Each frame the widget puts on screen prints one line to stderr:
//   nerio-frame-stats: frame <n> at <monotonic s> dt <ms since the previous frame>
// and two events print once, with the seconds since the process started:
//   nerio-frame-stats: first-frame at <monotonic s> after <s>
//   nerio-frame-stats: model-set at <monotonic s> after <s>     (the read is done, the scene takes it)
//   nerio-frame-stats: first-model-frame at <monotonic s> after <s>
//   nerio-frame-stats: camera eye <x y z> rotation <quaternion x y z w> fovy <degrees>   (right after)
// The monotonic clock is CLOCK_MONOTONIC, so a benchmark can relate the lines to its own clock.
// NERIO_FRAME_STATS=exit ends the process right after the first model frame, so a counter of the
// whole process (perf stat, wait4) measures start-up alone. With frame stats on,
// NERIO_FRAME_STATS_EDGES=off shows models without their edge lines, so a benchmark can tell what
// the edges cost a frame.
namespace FrameStats {

bool enabled();
// NERIO_FRAME_STATS=continuous.
bool continuous();
// NERIO_FRAME_STATS=exit.
bool exitAtModelFrame();
// Frame stats on and NERIO_FRAME_STATS_EDGES=off.
bool edgesOff();
// Counts the frames the widget's window swaps.
void watch(QOpenGLWidget* widget);
// A model was just set into the scene: the next frame on screen is the first that shows it.
void modelShown();
// Prints a free line ("nerio-frame-stats: <text>").
void note(const char* text);

} // namespace FrameStats
