#pragma once

#include <string>

namespace Vantor {

class FileUtil
{
public:
    // Extension after the last dot of the file name, without the dot, lower case; "" when none.
    static std::string GetExt(const std::string& path);
};

} // namespace Vantor
