#pragma once

#include <rapidjson/document.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

namespace Vantor {

namespace JsonParseDetail {

// Hands every SAX event on to the document, numbers converted from their text: integers as
// rapidjson types them (int, unsigned, 64-bit, else double), others by from_chars, which rounds
// correctly and ignores the process locale. False (the parse stops) for a number out of range.
template <typename Handler>
struct ExactNumbers
{
    Handler& next;

    bool Null() { return next.Null(); }
    bool Bool(bool b) { return next.Bool(b); }
    bool Int(int i) { return next.Int(i); }
    bool Uint(unsigned u) { return next.Uint(u); }
    bool Int64(std::int64_t i) { return next.Int64(i); }
    bool Uint64(std::uint64_t u) { return next.Uint64(u); }
    bool Double(double d) { return next.Double(d); }
    bool String(const char* s, rapidjson::SizeType n, bool copy) { return next.String(s, n, copy); }
    bool StartObject() { return next.StartObject(); }
    bool Key(const char* s, rapidjson::SizeType n, bool copy) { return next.Key(s, n, copy); }
    bool EndObject(rapidjson::SizeType n) { return next.EndObject(n); }
    bool StartArray() { return next.StartArray(); }
    bool EndArray(rapidjson::SizeType n) { return next.EndArray(n); }

    bool RawNumber(const char* s, rapidjson::SizeType n, bool)
    {
        const char* end = s + n;
        bool integer = true;
        for (const char* p = s; p < end; ++p)
            integer = integer && *p != '.' && *p != 'e' && *p != 'E';
        if (integer) {
            if (*s == '-') {
                std::int64_t i = 0;
                if (std::from_chars(s, end, i).ec == std::errc()) {
                    if (i >= std::numeric_limits<int>::min())
                        return next.Int(static_cast<int>(i));
                    return next.Int64(i);
                }
            } else {
                std::uint64_t u = 0;
                if (std::from_chars(s, end, u).ec == std::errc()) {
                    if (u <= std::numeric_limits<unsigned>::max())
                        return next.Uint(static_cast<unsigned>(u));
                    return next.Uint64(u);
                }
            }
        }
        double d = 0.0;
        const std::from_chars_result r = std::from_chars(s, end, d);
        if (r.ec != std::errc() || r.ptr != end)
            return false;
        return next.Double(d);
    }
};

} // namespace JsonParseDetail

// Parses so that numbers come back bit for bit as written. rapidjson 1.1's own exact number reader
// misreads some numbers (zeros with an exponent, significands beyond 64 bits: "184467440737095516155"
// came back as about 1.7e-18) and steps into undefined behaviour doing so; numbers are read as text
// here and converted by the standard library instead. A text that does not parse that way (a syntax
// error, a number out of range) is parsed again by rapidjson's default reader, so the document
// carries the error, or the value, as rapidjson reports it.
template <unsigned Flags, typename Document>
Document& ParseJsonExact(Document& document, const char* text, std::size_t size)
{
    bool parsed = false;
    auto generate = [&](auto& handler) {
        JsonParseDetail::ExactNumbers<std::remove_reference_t<decltype(handler)>> exact{handler};
        rapidjson::MemoryStream stream(text, size);
        rapidjson::EncodedInputStream<rapidjson::UTF8<>, rapidjson::MemoryStream> input(stream);
        rapidjson::Reader reader;
        parsed = !reader.Parse<Flags | rapidjson::kParseNumbersAsStringsFlag>(input, exact).IsError();
        return parsed;
    };
    if (document.HasParseError())
        document.Parse("null"); // a document read before keeps no error of its earlier text
    document.Populate(generate);
    if (!parsed)
        document.template Parse<Flags>(text, size);
    return document;
}

} // namespace Vantor
