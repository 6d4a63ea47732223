#include "vantor/dazoreader/DazoArchiveStream.h"

#include <minizip/unzip.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Vantor {
namespace DazoStream {

Archive::Archive() = default;

Archive::~Archive()
{
    if (m_zip)
        unzClose(static_cast<unzFile>(m_zip));
}

bool Archive::open(const std::string& path)
{
    m_path = path;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = "cannot open " + path + " as a model archive";
        return false;
    }
    m_fileSize = static_cast<std::uint64_t>(st.st_size);
    unzFile zf = unzOpen64(path.c_str());
    if (!zf) {
        m_error = "cannot open " + path + " as a model archive";
        return false;
    }
    m_zip = zf;
    int rc = unzGoToFirstFile(zf);
    while (rc == UNZ_OK) {
        unz_file_info64 info;
        char name[512];
        rc = unzGetCurrentFileInfo64(zf, &info, name, sizeof(name) - 1, nullptr, 0, nullptr, 0);
        if (rc != UNZ_OK)
            break;
        const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(info.size_filename), sizeof(name) - 1);
        const std::string entry(name, length);
        const std::string::size_type dot = entry.rfind('.');
        const std::string key = dot == std::string::npos ? entry : entry.substr(dot + 1);
        unz64_file_pos pos;
        if (unzGetFilePos64(zf, &pos) != UNZ_OK) {
            rc = UNZ_BADZIPFILE;
            break;
        }
        const Entry e{pos.pos_in_zip_directory, pos.num_of_file, info.uncompressed_size, info.compressed_size,
                      info.compression_method, info.crc, info.dosDate, info.flag};
        if (!m_entries.count(key))
            m_entries[key] = e;
        m_all.emplace_back(entry, e);
        rc = unzGoToNextFile(zf);
    }
    if (rc != UNZ_END_OF_LIST_OF_FILE) {
        m_error = "the directory of " + path + " is damaged";
        return false;
    }
    return true;
}

bool Archive::has(const std::string& key) const
{
    return m_entries.count(key) != 0;
}

Member* Archive::openMember(const std::string& key)
{
    auto found = m_entries.find(key);
    if (!m_zip || found == m_entries.end()) {
        m_error = m_path + " has no member \"" + key + "\"";
        return nullptr;
    }
    if (m_memberOpen) {
        m_error = "another member of " + m_path + " is still open";
        return nullptr;
    }
    const Entry& e = found->second;
    if (!plausible(e)) {
        m_error = "the member \"" + key + "\" of " + m_path + " claims an impossible size";
        return nullptr;
    }
    unzFile zf = static_cast<unzFile>(m_zip);
    unz64_file_pos pos{e.posInDirectory, e.numFile};
    if (unzGoToFilePos64(zf, &pos) != UNZ_OK || unzOpenCurrentFile(zf) != UNZ_OK) {
        m_error = "the member \"" + key + "\" of " + m_path + " cannot be opened";
        return nullptr;
    }
    m_memberOpen = true;
    return new Member(*this, key, e.size);
}

bool Archive::plausible(const Entry& e) const
{
    // Both sizes in the directory are claims. The compressed data must fit in the file, and deflate
    // shrinks by about 1000 to 1 at most (a stored member not at all): a larger claim is a lie
    // that would make the reader reserve memory for data that is not there.
    const std::uint64_t mostInflated = e.method == 0 ? e.compressedSize : e.compressedSize * 1100 + 65536;
    return e.size <= MaxMemberSize && e.compressedSize <= m_fileSize && e.size <= mostInflated;
}

std::uint64_t Archive::statedSize() const
{
    std::uint64_t total = 0;
    for (const auto& entry : m_entries) {
        if (plausible(entry.second))
            total += entry.second.size;
    }
    return total;
}

bool Archive::readMember(const std::string& key, std::string& out)
{
    std::unique_ptr<Member> member(openMember(key));
    if (!member)
        return false;
    if (!member->readAll(out)) {
        m_error = member->error();
        return false;
    }
    return true;
}

std::vector<std::string> Archive::entryNames() const
{
    std::vector<std::string> names;
    names.reserve(m_all.size());
    for (const auto& e : m_all)
        names.push_back(e.first);
    return names;
}

bool Archive::readStoredEntry(std::size_t index, StoredEntry& out)
{
    if (!m_zip || index >= m_all.size() || m_memberOpen) {
        m_error = "no such entry in " + m_path;
        return false;
    }
    const std::string& name = m_all[index].first;
    const Entry& e = m_all[index].second;
    // Held as stored, so it costs no more than its share of the file.
    if (e.compressedSize > m_fileSize || e.size > MaxMemberSize) {
        m_error = "the entry \"" + name + "\" of " + m_path + " claims an impossible size";
        return false;
    }
    if (e.flag & 1) { // the password's header would not go with the data
        m_error = "the entry \"" + name + "\" of " + m_path + " is encrypted";
        return false;
    }
    unzFile zf = static_cast<unzFile>(m_zip);
    unz64_file_pos pos{e.posInDirectory, e.numFile};
    int method = 0, level = 0;
    if (unzGoToFilePos64(zf, &pos) != UNZ_OK || unzOpenCurrentFile2(zf, &method, &level, 1) != UNZ_OK) {
        m_error = "the entry \"" + name + "\" of " + m_path + " cannot be opened";
        return false;
    }
    // Where the stored data starts; read straight from the file, as minizip's raw reading stops short
    // of data that deflate made longer than it was.
    const ZPOS64_T start = unzGetCurrentFileZStreamPos64(zf);
    unzCloseCurrentFile(zf);
    std::string data(static_cast<std::size_t>(e.compressedSize), '\0');
    bool complete = start > 0 && start <= m_fileSize && e.compressedSize <= m_fileSize - start;
    if (complete && !data.empty()) {
        FILE* f = std::fopen(m_path.c_str(), "rb");
        complete = f && fseeko(f, static_cast<off_t>(start), SEEK_SET) == 0 && std::fread(&data[0], data.size(), 1, f) == 1;
        if (f)
            std::fclose(f);
    }
    if (!complete) {
        m_error = "the entry \"" + name + "\" of " + m_path + " ends early";
        return false;
    }
    out.name = name;
    out.data.swap(data);
    out.stored = true;
    out.method = static_cast<int>(e.method);
    out.crc = e.crc;
    out.size = e.size;
    out.dosDate = e.dosDate;
    return true;
}

Member::Member(Archive& archive, const std::string& key, std::uint64_t size)
    : m_archive(archive), m_key(key), m_size(size)
{
}

Member::~Member()
{
    if (m_open)
        unzCloseCurrentFile(static_cast<unzFile>(m_archive.m_zip));
    m_archive.m_memberOpen = false;
}

bool Member::failWith(const std::string& reason)
{
    if (m_error.empty())
        m_error = "the member \"" + m_key + "\" of " + m_archive.m_path + " " + reason;
    return false;
}

bool Member::inflate(char* out, std::size_t n, std::size_t& got)
{
    const unsigned want = static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30));
    const int rc = unzReadCurrentFile(static_cast<unzFile>(m_archive.m_zip), out, want);
    if (rc <= 0)
        return failWith(rc == 0 ? "ends early" : "is damaged (code " + std::to_string(rc) + ")");
    got = static_cast<std::size_t>(rc);
    m_inflated += got;
    m_archive.m_inflatedTotal.fetch_add(got, std::memory_order_relaxed);
    return true;
}

bool Member::read(void* destination, std::size_t n)
{
    if (!m_error.empty())
        return false;
    if (n > remaining())
        return failWith("ends early");
    char* out = static_cast<char*>(destination);
    while (n > 0) {
        std::size_t available = m_stagingEnd - m_stagingBegin;
        if (available == 0) {
            std::size_t got = 0;
            if (n >= StagingSize) {
                if (!inflate(out, n, got))
                    return false;
                m_position += got;
                out += got;
                n -= got;
                continue;
            }
            // A short read: a little more, so a run of small records is not one call each.
            const std::uint64_t left = m_size - m_inflated;
            if (left == 0)
                return failWith("ends early");
            if (!inflate(m_staging, static_cast<std::size_t>(std::min<std::uint64_t>(left, StagingSize)), got))
                return false;
            m_stagingBegin = 0;
            m_stagingEnd = got;
            available = got;
        }
        const std::size_t take = std::min(available, n);
        std::memcpy(out, m_staging + m_stagingBegin, take);
        m_stagingBegin += take;
        m_position += take;
        out += take;
        n -= take;
    }
    return true;
}

bool Member::skip(std::uint64_t n)
{
    if (n > remaining())
        return failWith("ends early");
    char scratch[16384];
    while (n > 0) {
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, sizeof(scratch)));
        if (!read(scratch, take))
            return false;
        n -= take;
    }
    return true;
}

bool Member::readAll(std::string& out)
{
    std::string bytes;
    // Grows with the data actually inflated, so a size claim alone allocates little.
    const std::uint64_t total = remaining();
    bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(total, 64u << 20)));
    std::uint64_t left = total;
    while (left > 0) {
        const std::size_t at = bytes.size();
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, 256u << 10));
        bytes.resize(at + take);
        if (!read(&bytes[at], take))
            return false;
        left -= take;
    }
    if (!finish())
        return false;
    out.swap(bytes);
    return true;
}

bool Member::finish()
{
    if (!m_error.empty())
        return false;
    if (remaining() > 0 && !skip(remaining()))
        return false;
    // Nothing may follow the announced size, and the checksum must match.
    char extra;
    const int more = unzReadCurrentFile(static_cast<unzFile>(m_archive.m_zip), &extra, 1);
    if (more != 0)
        return failWith(more > 0 ? "is longer than announced" : "is damaged (code " + std::to_string(more) + ")");
    const int rc = unzCloseCurrentFile(static_cast<unzFile>(m_archive.m_zip));
    m_open = false;
    if (rc != UNZ_OK)
        return failWith(rc == UNZ_CRCERROR ? "fails its checksum" : "is damaged (code " + std::to_string(rc) + ")");
    return true;
}

} // namespace DazoStream
} // namespace Vantor
