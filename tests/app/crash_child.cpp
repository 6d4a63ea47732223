// Installs the crash handler like the program does, then crashes as the first argument says.
#include "app/CrashHandler.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

volatile int g_zero = 0;
int* volatile g_null = nullptr;

int recurse(int depth)
{
    volatile char pad[4096];
    pad[0] = static_cast<char>(depth);
    if (depth == INT_MAX)
        return pad[0];
    return recurse(depth + 1) + pad[0];
}

} // namespace

int main(int argc, char** argv)
{
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore); // the test wants the dump, not a core file

    installCrashHandler();
    const std::string mode = argc > 1 ? argv[1] : "segv";

    if (mode == "segv") {
        *g_null = 1;
    } else if (mode == "segv-no-dump-dir") {
        // The folder made at start-up vanished: the handler makes it again.
        char exe[4096] = {};
        if (readlink("/proc/self/exe", exe, sizeof exe - 1) > 0) {
            std::string dir(exe);
            dir = dir.substr(0, dir.rfind('/')) + "/dump";
            rmdir(dir.c_str());
        }
        *g_null = 1;
    } else if (mode == "fpe") {
        volatile int numerator = 100;
        return numerator / g_zero;
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "trap") {
        __builtin_trap();
    } else if (mode == "overflow") {
        return recurse(0);
    } else if (mode == "thread") {
        std::thread([] { *g_null = 2; }).join();
    }
    return 0;
}
