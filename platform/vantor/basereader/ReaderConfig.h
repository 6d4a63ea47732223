#pragma once

#include <cstdint>

// Options every reader of a loader shares. Each switch is 0 (off) or 1 (on).
struct ReaderConfig {
    std::int32_t readPMI = 0;   // build annotation nodes
    std::int32_t readEdge = 0;  // draw the bodies' edges as lines
    std::int32_t mergeFace = 0; // one drawable per body and colour instead of one per face
};
