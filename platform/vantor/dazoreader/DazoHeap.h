#pragma once

// A model's geometry is mostly fresh memory, and a first read spends much of its time taking that
// memory page by page from the system. These settings let the heap grow in large steps and ask
// for transparent huge pages on what it grows into, so a read takes a few hundred pages instead
// of tens of thousands. Linux with glibc; elsewhere they do nothing.

namespace Vantor {
namespace DazoRead {

// Before a read that will allocate about `expected` bytes. The first call in a process makes the
// heap grow and shrink in large steps and keeps allocations up to 32 MB on it (where huge pages can
// be asked for) rather than in mappings of their own; each call grows the heap ahead of the read.
void prepareHeap(unsigned long long expected);

// Asks for huge pages on whatever the heap has grown into since the last call. Cheap; called as
// the meshes are read.
void adviseHeap();

} // namespace DazoRead
} // namespace Vantor
