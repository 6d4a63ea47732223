#pragma once

// Enumerations of the annotation (PMI) classes. The library stores and writes their values without
// interpreting them, so any 32-bit value read from a file is kept; only the values the library
// itself relies on are named.

#include <cstdint>

namespace VantorSoft {

enum Vantor_PMITypeEnum : std::int32_t {
    Vantor_PMIType_Unknown = 0
};

enum Vantor_TextTypeEnum : std::int32_t {
    Vantor_TextType_Default = 2 // what a new text carries
};

enum Vantor_FontTypeEnum : std::int32_t {
    Vantor_FontType_Default = 0
};

enum Vantor_FontStyleTypeEnum : std::int32_t {
    Vantor_FontStyle_Default = 0
};

enum Vantor_TextAttributeTypeEnum : std::int32_t {
    Vantor_TextAttribute_Default = 0
};

enum Vantor_FrameTypeEnum : std::int32_t {
    Vantor_FrameType_None = 0
};

enum Vantor_AnchorTypeEnum : std::int32_t {
    Vantor_AnchorType_Invalid = 9 // refused by the envelope's setters
};

enum Vantor_TermTypeEnum : std::int32_t {
    Vantor_TermType_None = 0
};

enum Vantor_LeaderTypeEnum : std::int32_t {
    Vantor_LeaderType_Default = 0
};

enum Vantor_ExtensTypeEnum : std::int32_t {
    Vantor_ExtensType_Default = 0
};

enum Vantor_OutFrameUsageEnum : std::int32_t {
    Vantor_OutFrameUsage_Default = 0
};

// Who a frame belongs to.
enum Vantor_OutFrameDefEnum : std::int32_t {
    Vantor_OutFrameDef_Text = 0,
    Vantor_OutFrameDef_PMI = 1
};

enum Vantor_SpecLineUsageEnum : std::int32_t {
    Vantor_SpecLineUsage_Default = 0
};

} // namespace VantorSoft
