#pragma once

// The readers of the program's inputs, each behind one function that takes the bytes of one input.
// The fuzz targets call them, and the replay test feeds them every saved seed and crash input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace NerioFuzz {

using Entry = void (*)(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name; // also the folder of its seeds and saved crash inputs
    Entry run;
};

// Every target, in a fixed order.
const std::vector<Target>& targets();
// The target of that name, or null.
const Target* findTarget(const std::string& name);

// What the process needs once before the first input (a Qt application object, a scratch folder).
void initialise();

// Archive members in the framing the "dazo_members" target reads: for each member a key byte
// (an index into the layout's member list), a little-endian u32 length and the bytes.
std::string frameMembers(const std::vector<std::pair<std::string, std::string>>& members);

} // namespace NerioFuzz
