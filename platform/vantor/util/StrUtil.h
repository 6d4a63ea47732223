#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vantor {

class StrUtil
{
public:
    // "true", "1", "yes", "on" in any case (surrounding blanks ignored) are true; everything else false.
    static bool StringToBool(const std::string& text);
    // Splits on any of the separator characters; empty pieces are dropped.
    static std::vector<std::string> Split(const std::string& text, const std::string& separators);
    // Reads the leading number ("0.5," gives 0.5) in the C locale; 0 when there is none.
    static float StringToFloat(const std::string& text);
    static double StringToDouble(const std::string& text);
    // Appends the id in decimal followed by one blank ("12 ").
    static void DigitalAppend(std::string& text, uint64_t id);
    static std::string ToLower(const std::string& text);
    // A text of the libraries in the interface's language (QCoreApplication::translate of the context
    // and the UTF-8 source), as the local 8-bit bytes the libraries hand out.
    static std::string translate(const char* context, const char* text);
};

} // namespace Vantor
