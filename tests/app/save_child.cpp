// Installs the program's termination handler, then saves a model with one large member to the path
// it is given, again and again, until a signal ends it.
#include "app/CrashHandler.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"

#include "dazo/Vantor_Document.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    installTerminationHandler();
    Vantor::DazoLayout::StoredEntry big;
    big.name = "model.payload";
    big.data.resize(48u << 20);
    std::uint64_t x = 88172645463325252ULL; // bytes deflate cannot shrink, so each save takes a while
    for (char& c : big.data) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = static_cast<char>(x);
    }
    const std::vector<Vantor::DazoLayout::StoredEntry> entries{big};
    for (;;) {
        VantorSoft::Vantor_Document document;
        std::string error;
        if (!Vantor::DazoLayout::WriteArchive(document, {}, argv[1], &error, &entries)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        std::puts("saved");
        std::fflush(stdout);
    }
}
