#pragma once

#include <cstdint>

namespace Vantor {

// Ids of notes, measures and sections. New ids come from one process-wide counter that starts at the
// current time in microseconds, so ids made in a later session do not repeat those of a saved file; ids
// read from a file are reserved so that new ones never collide with them.
class AnnotationIds
{
public:
    static uint64_t next();
    static void reserve(uint64_t id);
};

} // namespace Vantor
