#include "vantor/util/FileUtil.h"
#include "vantor/util/StrUtil.h"

namespace Vantor {

std::string FileUtil::GetExt(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return StrUtil::ToLower(path.substr(dot + 1));
}

} // namespace Vantor
