#pragma once

// Makes a non-C locale available to a test even on systems that ship only C and C.UTF-8:
// compiles it with localedef into a scratch folder and points LOCPATH there.

#include <clocale>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace dazo_test {

inline std::string scratchLocaleDir()
{
    static const std::string dir = [] {
        std::string d = "/tmp/dazo-test-locales-" + std::to_string(getuid());
        std::system(("mkdir -p '" + d + "'").c_str());
        return d;
    }();
    return dir;
}

// Sets the given category to name (for example "de_DE.UTF-8", built from source "de_DE" and
// charmap "UTF-8"); returns false when the locale cannot be had at all.
inline bool useLocale(int category, const std::string& name, const std::string& source, const std::string& charmap)
{
    if (std::setlocale(category, name.c_str()))
        return true;
    const std::string dir = scratchLocaleDir();
    // Only for the lookup: with LOCPATH set, the system's own locales would no longer be found.
    auto tryScratch = [&] {
        setenv("LOCPATH", dir.c_str(), 1);
        const bool found = std::setlocale(category, name.c_str()) != nullptr;
        unsetenv("LOCPATH");
        return found;
    };
    if (tryScratch())
        return true;
    const std::string cmd = "localedef -i " + source + " -f " + charmap + " '" + dir + "/" + name + "' >/dev/null 2>&1";
    std::system(cmd.c_str());
    const bool ok = tryScratch();
    return ok;
}

// Restores the "C" locale when a test ends, whatever it set.
struct LocaleGuard {
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
};

} // namespace dazo_test
