#pragma once

#include <rapidjson/document.h>

#include <cstddef>

namespace Vantor {

// Whether the text holds a zero that rapidjson 1.1's exact number reader gets wrong: digits all zero
// followed by an exponent ("0e100", "0.00E-7") or more than fifteen of them ("0.0000000000000000").
// Text inside strings may give a false yes, which only costs the exact reader.
inline bool HasZeroTheExactReaderMisreads(const char* text, std::size_t size)
{
    std::size_t i = 0;
    while (i < size) {
        if (!((text[i] >= '0' && text[i] <= '9') || text[i] == '.')) {
            ++i;
            continue;
        }
        // One number: digits with at most one point ("0.00.1" is read as "0.00" and then an error).
        std::size_t digits = 0, points = 0;
        bool onlyZeros = true;
        for (; i < size && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.'); ++i) {
            if (text[i] == '.') {
                if (++points > 1)
                    break;
                continue;
            }
            ++digits;
            onlyZeros = onlyZeros && text[i] == '0';
        }
        if (digits > 0 && onlyZeros && (digits > 15 || (i < size && (text[i] == 'e' || text[i] == 'E'))))
            return true;
    }
    return false;
}

// Parses with the exact (full-precision) number reader, so saved numbers come back bit for bit.
// That reader of rapidjson 1.1 turns some zeros into other numbers ("0e100" reads as about -2e146);
// this program never writes such a zero, so a text that holds one is read with the default number
// reader, which gets it right.
template <unsigned Flags, typename Document>
Document& ParseJsonExact(Document& document, const char* text, std::size_t size)
{
    if (HasZeroTheExactReaderMisreads(text, size))
        return document.template Parse<Flags>(text, size);
    return document.template Parse<Flags | rapidjson::kParseFullPrecisionFlag>(text, size);
}

} // namespace Vantor
