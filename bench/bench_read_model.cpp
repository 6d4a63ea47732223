// Reads a model through the program's reader and compares it with the least any reader of the
// format must do: inflate the archive's members. The cold read is the first read of a fresh
// process (as a user opening a file gets it), the warm read the best of several in one process.
// Prints times, triangles per second and the peak memory the read added, beside the size of the
// geometry it built.
//
//   bench_read_model <file.dazo> [rounds]
//   bench_read_model --cold <file.dazo>     one read in this process; prints "cold <s> <peak kB>"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoArchiveStream.h"
#include "vantor/dazoreader/DazoReaderWriter.h"

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/NodeVisitor>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// kB from /proc/self/status ("VmRSS", "VmHWM").
long statusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, std::strlen(key), key) == 0)
            return std::atol(line.c_str() + std::strlen(key) + 1);
    }
    return -1;
}

// Inflates every member into one reused buffer; the bytes out.
bool inflateAll(const std::string& path, std::uint64_t& bytes)
{
    bytes = 0;
    Vantor::DazoStream::Archive archive;
    if (!archive.open(path))
        return false;
    std::vector<char> buffer(1 << 20);
    for (const auto& m : Vantor::DazoLayout::Members()) {
        if (!archive.has(m.key))
            continue;
        std::unique_ptr<Vantor::DazoStream::Member> member(archive.openMember(m.key));
        if (!member)
            return false;
        while (member->remaining() > 0) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(member->remaining(), buffer.size()));
            if (!member->read(buffer.data(), n))
                return false;
            bytes += n;
        }
        if (!member->finish())
            return false;
    }
    return true;
}

// Triangles as placed, and the bytes of the distinct arrays the scene holds.
struct Measure : osg::NodeVisitor {
    Measure() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) { setNodeMaskOverride(0xffffffff); }
    void apply(osg::Geode& geode) override
    {
        for (unsigned int d = 0; d < geode.getNumDrawables(); ++d) {
            const osg::Geometry* g = geode.getDrawable(d)->asGeometry();
            if (!g)
                continue;
            for (const osg::Array* a : {g->getVertexArray(), g->getNormalArray(), g->getTexCoordArray(0)}) {
                if (a && arrays.insert(a).second)
                    bytes += a->getTotalDataSize();
            }
            for (unsigned int p = 0; p < g->getNumPrimitiveSets(); ++p) {
                const osg::PrimitiveSet* ps = g->getPrimitiveSet(p);
                if (ps->getMode() == GL_TRIANGLES)
                    triangles += ps->getNumIndices() / 3;
                if (const auto* e = dynamic_cast<const osg::DrawElements*>(ps)) {
                    if (primitives.insert(ps).second)
                        bytes += e->getTotalDataSize();
                }
            }
        }
    }
    std::set<const void*> arrays, primitives;
    std::uint64_t triangles = 0;
    std::uint64_t bytes = 0;
};

// One read in a fresh process of this program; false when it failed.
bool coldRead(const std::string& path, double& seconds, long& peakKb)
{
    const std::string command = "/proc/" + std::to_string(getpid()) + "/exe";
    char resolved[4096];
    const ssize_t n = readlink(command.c_str(), resolved, sizeof(resolved) - 1);
    if (n <= 0)
        return false;
    resolved[n] = 0;
    const std::string line = std::string("'") + resolved + "' --cold '" + path + "'";
    FILE* child = popen(line.c_str(), "r");
    if (!child)
        return false;
    char out[256] = {0};
    const bool got = std::fgets(out, sizeof(out), child) != nullptr;
    const int status = pclose(child);
    return got && status == 0 && std::sscanf(out, "cold %lf %ld", &seconds, &peakKb) == 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--cold") == 0) {
        const long rssBefore = statusKb("VmRSS");
        const auto start = std::chrono::steady_clock::now();
        DazoReaderWriter reader;
        osg::ref_ptr<osg::Node> root = reader.readNode(argv[2]);
        const double took = seconds(start);
        if (!root)
            return 1;
        std::printf("cold %.6f %ld\n", took, statusKb("VmHWM") - rssBefore);
        std::fflush(stdout);
        std::_Exit(0); // the figure is taken; freeing the scene is not part of it
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_read_model <file.dazo> [rounds]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    // Warm the file cache, so both figures read from memory.
    std::uint64_t inflated = 0;
    if (!inflateAll(path, inflated)) {
        std::fprintf(stderr, "cannot inflate %s\n", path.c_str());
        return 1;
    }

    const long rssBefore = statusKb("VmRSS");
    double readBest = 1e30;
    Measure measure;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        osg::ref_ptr<osg::Node> root;
        {
            DazoReaderWriter reader;
            root = reader.readNode(path);
            if (!root) {
                std::fprintf(stderr, "cannot read %s: %s\n", path.c_str(), reader.lastError().c_str());
                return 1;
            }
        }
        readBest = std::min(readBest, seconds(start));
        if (r == 0)
            root->accept(measure);
    }
    const long peakKb = statusKb("VmHWM") - rssBefore;

    double inflateBest = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        inflateAll(path, inflated);
        inflateBest = std::min(inflateBest, seconds(start));
    }

    double coldBest = 1e30;
    long coldPeakKb = 0;
    for (int r = 0; r < rounds; ++r) {
        double took = 0;
        long peak = 0;
        if (!coldRead(path, took, peak)) {
            std::fprintf(stderr, "the cold read of %s failed\n", path.c_str());
            return 1;
        }
        if (took < coldBest) {
            coldBest = took;
            coldPeakKb = peak;
        }
    }

    const double geometryMb = measure.bytes / 1048576.0;
    const double peakMb = peakKb / 1024.0;
    std::printf("model                %s\n", path.c_str());
    std::printf("members inflated     %.1f MB in %.3f s (the floor)\n", inflated / 1048576.0, inflateBest);
    std::printf("cold read            %.3f s, %.2f x the floor (fresh process, best of %d)\n", coldBest,
                coldBest / inflateBest, rounds);
    std::printf("warm read            %.3f s, %.2f x the floor (best of %d in one process)\n", readBest,
                readBest / inflateBest, rounds);
    std::printf("triangles            %llu, %.2f million per second\n", static_cast<unsigned long long>(measure.triangles),
                measure.triangles / readBest / 1e6);
    std::printf("geometry built       %.1f MB\n", geometryMb);
    std::printf("peak memory added    %.1f MB, %.2f x the geometry (warm); %.1f MB (cold)\n", peakMb, peakMb / geometryMb,
                coldPeakKb / 1024.0);
    return 0;
}
