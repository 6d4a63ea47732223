#pragma once

// Little-endian record building for the binary streams. Each record and each array goes to the
// stream in one write, as the format's readers expect nothing else.

#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Types.h"

#include <cstddef>
#include <cstring>
#include <memory>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "arrays are written as they lie in memory");

namespace VantorSoft {
namespace records {

template <std::size_t N>
class Record {
public:
    Record() { std::memset(m_bytes, 0, N); }
    void u64At(std::size_t at, u64 v) { std::memcpy(m_bytes + at, &v, 8); }
    void u32At(std::size_t at, std::uint32_t v) { std::memcpy(m_bytes + at, &v, 4); }
    void i32At(std::size_t at, std::int32_t v) { std::memcpy(m_bytes + at, &v, 4); }
    void f32At(std::size_t at, float v) { std::memcpy(m_bytes + at, &v, 4); }
    const char* data() const { return m_bytes; }
    static constexpr std::size_t size() { return N; }

private:
    char m_bytes[N];
};

// Writes one record; with no file or no stream nothing happens.
template <std::size_t N>
void write(const std::shared_ptr<Vantor_File>& file, const Record<N>& r)
{
    if (file)
        file->WriteBuffer(r.data(), static_cast<unsigned>(N));
}

// Writes count elements of elemSize bytes in one write. An array whose byte size does not fit
// the stream's 32-bit length marks the stream failed instead of writing a wrapped size.
inline void writeArray(const std::shared_ptr<Vantor_File>& file, const void* data, std::size_t count, std::size_t elemSize)
{
    if (!file || count == 0 || !file->IsOpen())
        return;
    const unsigned long long bytes = static_cast<unsigned long long>(count) * elemSize;
    if (bytes > 0xFFFFFFFFULL) {
        file->SetError();
        return;
    }
    file->WriteBuffer(static_cast<const char*>(data), static_cast<unsigned>(bytes));
}

// A count field of 32 bits: larger counts cannot be represented and fail the stream.
inline std::uint32_t count32(const std::shared_ptr<Vantor_File>& file, std::size_t n)
{
    if (n > 0xFFFFFFFFULL) {
        if (file)
            file->SetError();
        return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(n);
}

} // namespace records
} // namespace VantorSoft
