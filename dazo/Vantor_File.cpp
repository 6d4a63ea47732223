#include "dazo/Vantor_File.h"

#include <atomic>
#include <cstdint>
#include <fstream>

namespace VantorSoft {

namespace {
std::atomic<u64> g_nextSerial{1};
}

Vantor_File::Vantor_File()
    : m_stream(nullptr)
    , m_byteLength(0)
    , m_error(false)
    , m_serial(g_nextSerial.fetch_add(1))
{
}

Vantor_File::~Vantor_File()
{
    if (m_stream)
        std::fclose(m_stream);
}

void Vantor_File::SetName(const std::string& name)
{
    m_name = name;
}

const std::string& Vantor_File::GetName() const
{
    return m_name;
}

bool Vantor_File::OpenAsBin(const char* mode)
{
    if (m_stream)
        return true;
    if (!mode || m_name.empty())
        return false;
    m_stream = std::fopen(m_name.c_str(), mode);
    return m_stream != nullptr;
}

bool Vantor_File::Close()
{
    if (!m_stream)
        return true;
    // Buffered data reaches the disk only here: a full disk shows up now, not at the write.
    const bool streamOk = std::ferror(m_stream) == 0;
    const bool closeOk = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!streamOk || !closeOk) {
        m_error = true;
        return false;
    }
    return true;
}

unsigned Vantor_File::WriteBuffer(const char* data, unsigned len)
{
    if (!m_stream)
        return m_byteLength;
    if (len == 0)
        return 0;
    if (!data || static_cast<std::uint64_t>(m_byteLength) + len > UINT32_MAX) {
        m_error = true;
        return 0;
    }
    if (std::fwrite(data, len, 1, m_stream) != 1) {
        m_error = true;
        return 0;
    }
    m_byteLength += len;
    return m_byteLength;
}

unsigned Vantor_File::WriteBufferToFile(char* data, unsigned len)
{
    return WriteBuffer(data, len);
}

bool Vantor_File::ReadBufferFromFile(char* buf, unsigned len, unsigned offset)
{
    if (!m_stream)
        return true;
    if (!buf)
        return len == 0;
    if (std::fseek(m_stream, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(buf, 1, len, m_stream) == len;
}

unsigned Vantor_File::FileSize()
{
    if (!m_stream)
        return 0;
    if (std::fseek(m_stream, 0, SEEK_END) != 0)
        return 0;
    const long pos = std::ftell(m_stream);
    if (pos < 0)
        return 0;
    return static_cast<unsigned long>(pos) > UINT32_MAX ? UINT32_MAX : static_cast<unsigned>(pos);
}

unsigned Vantor_File::GetByteLength()
{
    return m_stream ? m_byteLength : 0;
}

Vantor_STATUS Vantor_File::deleteFile()
{
    if (m_name.empty())
        return Vantor_FAILURE;
    return std::remove(m_name.c_str()) == 0 ? Vantor_SUCCESS : Vantor_FAILURE;
}

bool Vantor_File::readJson(std::string& out)
{
    if (m_name.empty())
        return false;
    std::ifstream in(m_name);
    if (!in.is_open())
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out += line;
        out += '\n';
    }
    return true;
}

bool Vantor_File::HasError() const
{
    return m_error;
}

void Vantor_File::SetError()
{
    m_error = true;
}

bool Vantor_File::IsOpen() const
{
    return m_stream != nullptr;
}

u64 Vantor_File::Serial() const
{
    return m_serial;
}

void Vantor_File::Update()
{
}

} // namespace VantorSoft
