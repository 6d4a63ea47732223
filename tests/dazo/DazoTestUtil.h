#pragma once

// Small helpers shared by the Dazo tests: scratch folders, whole-file I/O and running the
// standard zip tools as independent readers.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <utility>

namespace dazo_test {

// A fresh folder below /tmp, removed when the object goes.
class ScratchDir {
public:
    ScratchDir()
    {
        char templ[] = "/tmp/dazo-test-XXXXXX";
        const char* d = mkdtemp(templ);
        m_path = d ? d : "/tmp";
    }
    ~ScratchDir()
    {
        if (m_path.rfind("/tmp/dazo-test-", 0) == 0)
            std::system(("chmod -R u+w '" + m_path + "' 2>/dev/null; rm -rf '" + m_path + "'").c_str());
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Deterministic bytes that deflate does not shrink to nothing.
inline std::string patternBytes(std::size_t n, unsigned seed = 1)
{
    std::string s(n, '\0');
    unsigned x = seed * 2654435761u + 12345u;
    for (std::size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>((x >> 16) & 0xFF);
    }
    return s;
}

// Runs a shell command; returns its exit status and what it printed (stdout and stderr).
inline std::pair<int, std::string> run(const std::string& cmd)
{
    std::string out;
    FILE* p = popen((cmd + " 2>&1").c_str(), "r");
    if (!p)
        return {-1, out};
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), p)) > 0)
        out.append(buf, n);
    const int status = pclose(p);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Entry names in directory order, as Python's zipfile module reads them.
inline std::string listEntries(const std::string& zip)
{
    return run("python3 -c \"import sys, zipfile; print('|'.join(zipfile.ZipFile(sys.argv[1]).namelist()))\" '" + zip + "'").second;
}

} // namespace dazo_test
