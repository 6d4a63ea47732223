// The first read of a model in a fresh process, over the floor: a fresh process that inflates every
// member of the same archive into one reused buffer, the least any reader of the format must do.
// Both run as processes of this program, in alternation, so each round's ratio is taken under the
// same load; the table shows the median of the rounds and their range.
//
//   bench_read_model [--rounds N] <file.dazo>...   the table, one line a model (5 rounds by default)
//   bench_read_model --floor <file.dazo>            one floor in this process
//   bench_read_model --read <file.dazo>             one read in this process
//
// The read runs on a thread of its own, as the viewer's loader reads; the time is the read alone
// (from the reader's creation to the scene): the process's start, the binding of its symbols and
// its end are in neither figure.

#include "vantor/dazoreader/DazoReaderWriter.h"

#include <minizip/unzip.h>

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
#include <thread>
#include <vector>

#include <pthread.h>
#include <unistd.h>

namespace {

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// kB from /proc/self/status ("VmRSS", "VmHWM").
long statusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, std::strlen(key), key) == 0 && line[std::strlen(key)] == ':')
            return std::atol(line.c_str() + std::strlen(key) + 1);
    }
    return -1;
}

// The floor: every member of the archive inflated into one reused buffer, checksums checked, with
// nothing kept. Minizip directly, so no change to the reader's own member stream moves it.
bool inflateAll(const std::string& path, unsigned long long& bytes)
{
    bytes = 0;
    unzFile zip = unzOpen64(path.c_str());
    if (!zip)
        return false;
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (int rc = unzGoToFirstFile(zip); ok && rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        ok = unzOpenCurrentFile(zip) == UNZ_OK;
        int got = 0;
        while (ok && (got = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0)
            bytes += static_cast<unsigned long long>(got);
        ok = ok && got == 0 && unzCloseCurrentFile(zip) == UNZ_OK;
    }
    unzClose(zip);
    return ok;
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
    unsigned long long triangles = 0;
    unsigned long long bytes = 0;
};

int floorHere(const char* path)
{
    unsigned long long bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    if (!inflateAll(path, bytes))
        return 1;
    std::printf("floor %.6f %llu\n", since(start), bytes);
    std::fflush(stdout);
    return 0;
}

int readHere(const char* path)
{
    const long rssBefore = statusKb("VmRSS");
    osg::ref_ptr<osg::Node> root;
    double took = 0;
    std::string error;
    std::thread loader([&] {
        const auto start = std::chrono::steady_clock::now();
        DazoReaderWriter reader;
        root = reader.readNode(path);
        took = since(start);
        if (!root)
            error = reader.lastError();
    });
    pthread_setname_np(loader.native_handle(), "loader");
    loader.join();
    if (!root) {
        std::fprintf(stderr, "cannot read %s: %s\n", path, error.c_str());
        return 1;
    }
    const long peakKb = statusKb("VmHWM") - rssBefore;
    Measure measure;
    root->accept(measure);
    std::printf("read %.6f %ld %llu %llu\n", took, peakKb, measure.triangles, measure.bytes);
    std::fflush(stdout);
    std::_Exit(0); // the figures are taken; freeing the scene is no part of them
}

// Runs this program with the arguments and gives its one line of output ("" on failure). Symbols
// are bound as the process starts, so neither figure holds the binding of the functions it calls.
std::string runSelf(const std::string& mode, const std::string& path)
{
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n <= 0)
        return "";
    self[n] = 0;
    const std::string line = std::string("LD_BIND_NOW=1 '") + self + "' " + mode + " '" + path + "'";
    FILE* child = popen(line.c_str(), "r");
    if (!child)
        return "";
    char out[512] = {0};
    const bool got = std::fgets(out, sizeof(out), child) != nullptr;
    return pclose(child) == 0 && got ? out : "";
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

struct Model {
    std::string path;
    std::vector<double> floor, read, ratio, peakMb;
    unsigned long long inflated = 0, triangles = 0, geometry = 0;
};

// One round: the floor and the read in fresh processes, the order alternating from round to round.
bool round(Model& m, int r)
{
    double floorTime = 0, readTime = 0;
    long peakKb = 0;
    for (int step = 0; step < 2; ++step) {
        if ((step == 0) == (r % 2 == 0)) {
            const std::string out = runSelf("--floor", m.path);
            if (std::sscanf(out.c_str(), "floor %lf %llu", &floorTime, &m.inflated) != 2)
                return false;
        } else {
            const std::string out = runSelf("--read", m.path);
            if (std::sscanf(out.c_str(), "read %lf %ld %llu %llu", &readTime, &peakKb, &m.triangles, &m.geometry) != 4)
                return false;
        }
    }
    m.floor.push_back(floorTime);
    m.read.push_back(readTime);
    m.ratio.push_back(readTime / floorTime);
    m.peakMb.push_back(peakKb / 1024.0);
    return true;
}

std::string baseName(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--floor") == 0)
        return floorHere(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0)
        return readHere(argv[2]);

    int rounds = 5;
    std::vector<Model> models;
    bool usage = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (argv[i][0] != '-')
            models.emplace_back(), models.back().path = argv[i];
        else
            usage = true;
    }
    if (usage || models.empty()) {
        std::fprintf(stderr, "usage: bench_read_model [--rounds N] <file.dazo>...\n"
                             "       bench_read_model --floor|--read <file.dazo>\n");
        return 2;
    }
    // One read of each first, so every file lies in the page cache for both figures.
    for (Model& m : models) {
        if (runSelf("--floor", m.path).empty()) {
            std::fprintf(stderr, "cannot inflate %s\n", m.path.c_str());
            return 1;
        }
    }
    for (int r = 0; r < rounds; ++r) {
        for (Model& m : models) {
            if (!round(m, r)) {
                std::fprintf(stderr, "the read or the floor of %s failed\n", m.path.c_str());
                return 1;
            }
        }
    }

    std::printf("First read in a fresh process over the floor (a fresh process inflating every member into one\n"
                "reused buffer); medians of %d rounds, the ratio taken within each round; goal: at most 1.40.\n\n",
                rounds);
    std::printf("%-22s %10s %9s %9s %9s %9s %13s %9s %9s\n", "model", "triangles", "inflated", "floor", "read",
                "read/floor", "(range)", "geometry", "peak mem");
    for (const Model& m : models) {
        const auto range = std::minmax_element(m.ratio.begin(), m.ratio.end());
        char spread[32];
        std::snprintf(spread, sizeof(spread), "%.2f-%.2f", *range.first, *range.second);
        std::printf("%-22s %10llu %6.1f MB %7.3f s %7.3f s %10.2f %13s %6.1f MB %6.1f MB\n", baseName(m.path).c_str(),
                    m.triangles, m.inflated / 1048576.0, median(m.floor), median(m.read), median(m.ratio), spread,
                    m.geometry / 1048576.0, median(m.peakMb));
    }
    return 0;
}
