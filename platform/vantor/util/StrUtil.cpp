#include "vantor/util/StrUtil.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <locale>
#include <sstream>

namespace Vantor {

std::string StrUtil::ToLower(const std::string& text)
{
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

bool StrUtil::StringToBool(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return false;
    const auto last = text.find_last_not_of(" \t\r\n");
    const std::string v = ToLower(text.substr(first, last - first + 1));
    return v == "true" || v == "1" || v == "yes" || v == "on";
}

std::vector<std::string> StrUtil::Split(const std::string& text, const std::string& separators)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (separators.find(c) != std::string::npos) {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

double StrUtil::StringToDouble(const std::string& text)
{
    // A classic-locale stream, so a comma-decimal process locale cannot change the result.
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0.0;
    if (!(in >> v))
        return 0.0;
    return v;
}

float StrUtil::StringToFloat(const std::string& text)
{
    return float(StringToDouble(text));
}

void StrUtil::DigitalAppend(std::string& text, uint64_t id)
{
    text += std::to_string(id);
    text += ' ';
}

std::string StrUtil::translate(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text).toLocal8Bit().toStdString();
}

} // namespace Vantor
