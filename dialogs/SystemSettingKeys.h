#pragma once

// The keys of "config.ini", group "SystemSetting": their order in the file, their kind, the member of
// the values each fills and the range a read value is brought into. The reader, the writer and the
// dialog's colour buttons go by it.

#include "dialogs/SystemSetting.h"

#include <cstddef>
#include <vector>

namespace SystemSettingKeys {

inline constexpr const char* kGroup = "SystemSetting";
// The settings take a few kilobytes; more is not a settings file.
inline constexpr std::size_t MaxConfigBytes = 1u << 20;
inline constexpr const char* kCountKey = "objectiveActListCount";
// A damaged count must not make start-up read millions of keys.
inline constexpr int kMaxQuickAccess = 512;

enum class Kind { Color, Bool, Int, Float, Path };

using V = SystemSettingValues;

struct Key
{
    const char* name;
    Kind kind;
    QColor V::*color;
    bool V::*flag;
    int V::*number;
    int minimum;
    int maximum;
    bool zeroIsMissing; // 0 was never a value of this key: it stands for "not set"
};

// The keys in the order they are written.
const std::vector<Key>& keys();

} // namespace SystemSettingKeys
