#pragma once

// Sequential access to the members of a ".dazo" archive, inflating as the reader goes, so a large
// mesh member is never held in memory whole. Members are found by key as the format says (the
// text after the last '.' of the entry name, first entry in directory order wins).

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
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
    bool read(void* destination, std::size_t n);
    // Appends count items of plain data to out. The vector grows only as the data really comes
    // out of the archive, so a count the member cannot back costs no more than what was read.
    template <class T>
    bool readArray(std::vector<T>& out, std::uint64_t count);
    bool skip(std::uint64_t n);
    // The rest of the member, checked whole (length and checksum).
    bool readAll(std::string& out);
    // Reads what is left and verifies the checksum; false when the data was damaged.
    bool finish();

    const std::string& error() const { return m_error; }

private:
    friend class Archive;
    explicit Member(Archive& archive, const std::string& key, std::uint64_t size);
    bool refill();
    bool failWith(const std::string& reason);

    Archive& m_archive;
    std::string m_key;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    std::unique_ptr<char[]> m_buffer; // no larger than the member, and not zero-filled
    std::size_t m_bufferSize = 0;
    std::size_t m_bufferBegin = 0;
    std::size_t m_bufferEnd = 0;
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

    void* m_zip = nullptr; // unzFile
    std::string m_path;
    std::uint64_t m_fileSize = 0;
    std::map<std::string, Entry> m_entries; // the first entry of each key
    std::vector<std::pair<std::string, Entry>> m_all; // every entry by name, in directory order
    bool m_memberOpen = false;
    std::string m_error;
};

template <class T>
bool Member::readArray(std::vector<T>& out, std::uint64_t count)
{
    if (count > remaining() / sizeof(T))
        return failWith("ends early");
    // The reservation touches no memory: pages are taken as the data below fills them. Appending
    // to a list already in use grows it geometrically, so many small arrays cost linear time.
    const std::size_t needed = out.size() + static_cast<std::size_t>(count);
    if (needed > out.capacity())
        out.reserve(std::max(needed, 2 * out.capacity()));
    while (count > 0) {
        if (m_bufferBegin == m_bufferEnd && !refill())
            return false;
        const char* from = m_buffer.get() + m_bufferBegin;
        const std::size_t whole = (m_bufferEnd - m_bufferBegin) / sizeof(T);
        if (whole == 0 || reinterpret_cast<std::uintptr_t>(from) % alignof(T) != 0) {
            // An item split between two inflated pieces, or data out of line: one at a time.
            T item;
            if (!read(&item, sizeof(T)))
                return false;
            out.push_back(item);
            --count;
            continue;
        }
        // Straight from the inflated data into the array, with no zero-filling first.
        const std::size_t items = static_cast<std::size_t>(std::min<std::uint64_t>(count, whole));
        const T* first = reinterpret_cast<const T*>(from);
        out.insert(out.end(), first, first + items);
        m_bufferBegin += items * sizeof(T);
        m_position += items * sizeof(T);
        count -= items;
    }
    return true;
}

} // namespace DazoStream
} // namespace Vantor
