#pragma once

// Sequential access to the members of a ".dazo" archive, inflating as the reader goes, so a large
// mesh member is never held in memory whole. Members are found by key as the format says (the
// text after the last '.' of the entry name, first entry in directory order wins).

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "vantor/dazoreader/DazoArchiveLayout.h"

namespace Vantor {
namespace DazoStream {

using DazoLayout::StoredEntry;

class Archive;

// One member being read. At most one member of an archive is open at a time.
class Member
{
public:
    ~Member();

    // Bytes the archive's directory announces; checked against what really comes out.
    std::uint64_t size() const { return m_size; }
    std::uint64_t position() const { return m_position; }
    std::uint64_t remaining() const { return m_size - m_position; }

    // Exactly n bytes, or false with the reason in error() (damaged data, member ends early).
    // Reads of StagingSize bytes or more are inflated straight into the destination; shorter ones
    // come through a buffer of that size, so no more than that is ever inflated ahead and copied.
    bool read(void* destination, std::size_t n);
    // Appends count items of plain data to out, inflated straight into the vector's storage. The
    // vector grows only as the data really comes out of the archive, so a count the member cannot
    // back costs no more than what was read.
    template <class T>
    bool readArray(std::vector<T>& out, std::uint64_t count);
    bool skip(std::uint64_t n);
    // The rest of the member, checked whole (length and checksum).
    bool readAll(std::string& out);
    // Reads what is left and verifies the checksum; false when the data was damaged.
    bool finish();

    const std::string& error() const { return m_error; }

    static constexpr std::size_t StagingSize = 256;

private:
    friend class Archive;
    explicit Member(Archive& archive, const std::string& key, std::uint64_t size);
    bool inflate(char* out, std::size_t n, std::size_t& got);
    bool failWith(const std::string& reason);

    Archive& m_archive;
    std::string m_key;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    char m_staging[StagingSize];
    std::size_t m_stagingBegin = 0;
    std::size_t m_stagingEnd = 0;
    std::uint64_t m_inflated = 0; // bytes taken out of the zip stream so far
    bool m_open = true;
    std::string m_error;
};

class Archive
{
public:
    // Largest member this reader accepts (byte lengths of the format are 32-bit, offsets 31-bit).
    static const std::uint64_t MaxMemberSize = 0xFFFFFFFFULL;

    Archive();
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Opens the archive and lists its members; false with the reason in error().
    bool open(const std::string& path);
    bool has(const std::string& key) const;
    // Starts reading the member; null with the reason in error() when it is missing or cannot be
    // opened. The returned member must be destroyed before the next one is opened.
    Member* openMember(const std::string& key);
    // The whole member as bytes; false when missing or damaged.
    bool readMember(const std::string& key, std::string& out);

    // What the directory says the members that would be read hold together, counting only sizes
    // the compressed data could unpack to. A claim still: the data may end sooner.
    std::uint64_t statedSize() const;
    std::uint64_t fileSize() const { return m_fileSize; }
    // Bytes inflated from the archive so far; may be read from any thread.
    std::uint64_t inflated() const { return m_inflatedTotal.load(std::memory_order_relaxed); }
    // Every entry in directory order, including those whose key an earlier entry already has.
    std::vector<std::string> entryNames() const;
    // The entry as it is stored (compressed data, checksum and sizes untouched), so it can be copied into
    // another archive without being understood or even inflated; false when it cannot be read.
    bool readStoredEntry(std::size_t index, StoredEntry& out);

    const std::string& error() const { return m_error; }
    const std::string& path() const { return m_path; }

private:
    friend class Member;
    struct Entry {
        std::uint64_t posInDirectory;
        std::uint64_t numFile;
        std::uint64_t size;
        std::uint64_t compressedSize;
        unsigned long method;
        unsigned long crc;
        unsigned long dosDate;
        unsigned long flag;
    };
    bool plausible(const Entry& e) const;

    void* m_zip = nullptr; // unzFile
    std::string m_path;
    std::uint64_t m_fileSize = 0;
    std::map<std::string, Entry> m_entries; // the first entry of each key
    std::vector<std::pair<std::string, Entry>> m_all; // every entry by name, in directory order
    bool m_memberOpen = false;
    std::atomic<std::uint64_t> m_inflatedTotal{0};
    std::string m_error;
};

template <class T>
bool Member::readArray(std::vector<T>& out, std::uint64_t count)
{
    static_assert(std::is_trivially_copyable<T>::value, "items are taken as their bytes");
    if (count > remaining() / sizeof(T))
        return failWith("ends early");
    // The reservation touches no memory: pages are taken as the data below fills them. Appending
    // to a list already in use grows it geometrically, so many small arrays cost linear time.
    const std::size_t needed = out.size() + static_cast<std::size_t>(count);
    if (needed > out.capacity())
        out.reserve(std::max(needed, 2 * out.capacity()));
    // In pieces, so the items made ready for the data never run far ahead of it.
    const std::size_t piece = std::max<std::size_t>(1, (256u << 10) / sizeof(T));
    while (count > 0) {
        const std::size_t at = out.size();
        const std::size_t items = static_cast<std::size_t>(std::min<std::uint64_t>(count, piece));
        out.resize(at + items);
        if (!read(out.data() + at, items * sizeof(T))) {
            out.resize(at);
            return false;
        }
        count -= items;
    }
    return true;
}

} // namespace DazoStream
} // namespace Vantor
