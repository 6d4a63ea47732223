#include "dazo/Vantor_Text.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace VantorSoft {

void SplitString(const std::string& text, const std::string& delimiter, std::vector<std::string>& out)
{
    if (text.empty())
        return;
    if (delimiter.empty()) {
        // Searching for "" would never advance.
        out.push_back(text);
        return;
    }
    std::string::size_type p = 0;
    while (p < text.size()) {
        const std::string::size_type found = text.find(delimiter, p);
        if (found == std::string::npos) {
            out.push_back(text.substr(p));
            return;
        }
        out.push_back(text.substr(p, found - p));
        p = found + delimiter.size();
    }
}

namespace {
locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}
} // namespace

double TextToDouble(const char* text)
{
    if (!text)
        return 0.0;
    const locale_t loc = cLocale();
    if (loc)
        return strtod_l(text, nullptr, loc);
    // No C locale object: from_chars is locale-free but takes no leading blanks or '+'.
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' || *text == '\v')
        ++text;
    if (*text == '+')
        ++text;
    double v = 0.0;
    std::from_chars(text, text + std::strlen(text), v);
    return v;
}

double TextToDouble(const std::string& text)
{
    return TextToDouble(text.c_str());
}

namespace {
// Saturates instead of the undefined out-of-range cast.
float toFloat(double v)
{
    if (v > 3.4028234663852886e38)
        return __builtin_huge_valf();
    if (v < -3.4028234663852886e38)
        return -__builtin_huge_valf();
    return static_cast<float>(v);
}
} // namespace

Vantor_PNT32 ParsePointText(const std::string& text)
{
    Vantor_PNT32 p;
    std::vector<std::string> pieces;
    SplitString(text, " ", pieces);
    if (pieces.size() == 3) {
        p.x = toFloat(TextToDouble(pieces[0]));
        p.y = toFloat(TextToDouble(pieces[1]));
        p.z = toFloat(TextToDouble(pieces[2]));
    }
    return p;
}

std::string FormatFixed3(double value)
{
    // to_chars formats as printf does in the "C" locale.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed, 3);
    if (res.ec != std::errc())
        return "0.000";
    return std::string(buf, res.ptr);
}

std::string PointText(float x, float y, float z)
{
    std::string s = FormatFixed3(x);
    s += ' ';
    s += FormatFixed3(y);
    s += ' ';
    s += FormatFixed3(z);
    return s;
}

std::string PointText(const Vantor_PNT32& p)
{
    return PointText(p.x, p.y, p.z);
}

std::string PointText(const Vantor_DIR32& d)
{
    return PointText(d.x, d.y, d.z);
}

std::string ColorText(const Vantor_RGBA& c)
{
    return std::to_string(c.r) + ' ' + std::to_string(c.g) + ' ' + std::to_string(c.b) + ' ' + std::to_string(c.a);
}

std::string IdText(u64 id)
{
    return std::to_string(id);
}

u64 IdFromText(const std::string& text)
{
    if (text.empty())
        return 0;
    u64 v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return 0;
    return v;
}

std::wstring Utf8ToWide(const char* utf8)
{
    std::wstring out;
    if (!utf8)
        return out;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
    const wchar_t bad = static_cast<wchar_t>(0xFFFD);
    while (*s) {
        const unsigned c = *s;
        if (c < 0x80) {
            out.push_back(static_cast<wchar_t>(c));
            ++s;
            continue;
        }
        int extra = 0;
        unsigned cp = 0;
        unsigned minimum = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1; cp = c & 0x1F; minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2; cp = c & 0x0F; minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3; cp = c & 0x07; minimum = 0x10000;
        } else {
            out.push_back(bad);
            ++s;
            continue;
        }
        int i = 1;
        for (; i <= extra; ++i) {
            if ((s[i] & 0xC0) != 0x80)
                break;
            cp = (cp << 6) | (s[i] & 0x3F);
        }
        if (i <= extra || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(bad);
            ++s; // resynchronise on the next byte; a NUL stops the outer loop
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        s += extra + 1;
    }
    return out;
}

void WideToUtf8(const wchar_t* wide, std::string& out)
{
    out.clear();
    if (!wide)
        return;
    for (; *wide; ++wide) {
        unsigned cp = static_cast<unsigned>(*wide);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

namespace {
bool isPassThroughCodeset(const char* cs)
{
    if (!cs || !*cs)
        return true;
    std::string name;
    for (const char* p = cs; *p; ++p) {
        if (*p == '-' || *p == '_')
            continue;
        name.push_back(static_cast<char>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
    }
    // The "C" locale reports ASCII; bytes above 127 there are most likely UTF-8 already.
    return name == "UTF8" || name == "ANSIX3.41968" || name == "ASCII" || name == "USASCII";
}
} // namespace

std::string AnsiToUtf8(const char* text)
{
    if (!text)
        return std::string();
    std::string in(text);
    if (in.empty())
        return in;
    const char* codeset = nl_langinfo(CODESET);
    if (isPassThroughCodeset(codeset))
        return in;
    iconv_t cd = iconv_open("UTF-8", codeset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return in;
    std::string out(in.size() * 4 + 8, '\0');
    char* src = &in[0];
    size_t srcLeft = in.size();
    char* dst = &out[0];
    size_t dstLeft = out.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || srcLeft != 0)
        return in;
    out.resize(out.size() - dstLeft);
    return out;
}

} // namespace VantorSoft
