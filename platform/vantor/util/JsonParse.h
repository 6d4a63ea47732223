#pragma once

#include <rapidjson/document.h>

#include <cstddef>

namespace Vantor {

// Whether the text holds a number whose digits are all zero followed by an exponent ("0e100",
// "0.00E-7"). Text inside strings may give a false yes, which only costs the exact number parser.
inline bool HasZeroWithExponent(const char* text, std::size_t size)
{
    for (std::size_t i = 1; i < size; ++i) {
        if (text[i] != 'e' && text[i] != 'E')
            continue;
        std::size_t start = i;
        bool digit = false, onlyZeros = true;
        while (start > 0 && ((text[start - 1] >= '0' && text[start - 1] <= '9') || text[start - 1] == '.')) {
            --start;
            if (text[start] != '.') {
                digit = true;
                onlyZeros = onlyZeros && text[start] == '0';
            }
        }
        if (digit && onlyZeros)
            return true;
    }
    return false;
}

// Parses with the exact (full-precision) number reader, so saved numbers come back bit for bit.
// That reader of rapidjson 1.1 turns a zero with an exponent into a huge number ("0e100" reads as
// about -2e146); this program never writes such a number, so a text that holds one is read with the
// default number reader, which gets it right.
template <unsigned Flags, typename Document>
Document& ParseJsonExact(Document& document, const char* text, std::size_t size)
{
    if (HasZeroWithExponent(text, size))
        return document.template Parse<Flags>(text, size);
    return document.template Parse<Flags | rapidjson::kParseFullPrecisionFlag>(text, size);
}

} // namespace Vantor
