#pragma once

#include <cstddef>
#include <string>

namespace Vantor {

class FileUtil
{
public:
    // Extension after the last dot of the file name, without the dot, lower case; "" when none.
    static std::string GetExt(const std::string& path);

    // The whole content of a regular file (links followed) of at most maxBytes. A pipe, a device, a
    // folder or a larger file is refused without waiting on it or reading it; the reason goes to error
    // (without the path).
    // path: UTF-8 (the file system's encoding).
    static bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& out, std::string& error);
    // Whether the path names a regular file of at most maxBytes, looked at without opening it.
    static bool IsRegularFileWithin(const std::string& path, std::size_t maxBytes, std::string& error);
};

} // namespace Vantor
