#pragma once

// Text routines of the library: splitting, point and colour texts, number text that ignores the
// process locale, and the character-set conversions (wchar_t is 32-bit here: UTF-8 <-> UTF-32).

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <string>
#include <vector>

namespace VantorSoft {

// Appends the pieces of text between delimiters to out. Adjacent delimiters give an empty piece,
// a trailing delimiter gives none, an empty text gives none. An empty delimiter yields the whole text.
DAZO_API void SplitString(const std::string& text, const std::string& delimiter, std::vector<std::string>& out);

// "x y z" split at single blanks; exactly three pieces set the point, anything else gives (0, 0, 0).
DAZO_API Vantor_PNT32 ParsePointText(const std::string& text);

// Like atof (longest leading numeric prefix, 0 when none) but always with '.' as decimal point.
DAZO_API double TextToDouble(const char* text);
DAZO_API double TextToDouble(const std::string& text);

// "%.3f" with '.' as decimal point whatever the process locale.
DAZO_API std::string FormatFixed3(double value);
// The three coordinates each as "%.3f", joined by single blanks.
DAZO_API std::string PointText(float x, float y, float z);
DAZO_API std::string PointText(const Vantor_PNT32& p);
DAZO_API std::string PointText(const Vantor_DIR32& d);
// "%d %d %d %d" of r, g, b, a.
DAZO_API std::string ColorText(const Vantor_RGBA& c);
// Unsigned decimal digits, no sign, no leading zeros.
DAZO_API std::string IdText(u64 id);
// Reads IdText back; anything but plain digits that fit 64 bits gives 0.
DAZO_API u64 IdFromText(const std::string& text);

// Null gives an empty string; malformed bytes become U+FFFD.
DAZO_API std::wstring Utf8ToWide(const char* utf8);
// Null or empty input gives "".
DAZO_API void WideToUtf8(const wchar_t* wide, std::string& out);
// From the process's narrow character set (LC_CTYPE) to UTF-8. Identity for UTF-8 and plain
// ASCII locales; text that cannot be converted is passed through unchanged rather than dropped.
DAZO_API std::string AnsiToUtf8(const char* text);

} // namespace VantorSoft
