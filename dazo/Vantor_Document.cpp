#include "dazo/Vantor_Document.h"

#include "dazo/Vantor_Object.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace VantorSoft {

namespace {

const int kLevel = 6;
const std::size_t kChunk = 102400;
const int kReadError = -1;

void entryTime(const char* path, zip_fileinfo& info, std::uint64_t& size)
{
    std::memset(&info, 0, sizeof(info));
    size = 0;
    struct stat st;
    if (stat(path, &st) != 0)
        return;
    size = static_cast<std::uint64_t>(st.st_size);
    struct tm lt;
    const time_t t = st.st_mtime;
    if (!localtime_r(&t, &lt))
        return;
    // DOS dates start in 1980; an earlier stamp would wrap into a nonsense date.
    if (lt.tm_year + 1900 < 1980) {
        info.tmz_date.tm_year = 1980;
        info.tmz_date.tm_mday = 1;
        return;
    }
    info.tmz_date.tm_sec = static_cast<uInt>(lt.tm_sec);
    info.tmz_date.tm_min = static_cast<uInt>(lt.tm_min);
    info.tmz_date.tm_hour = static_cast<uInt>(lt.tm_hour);
    info.tmz_date.tm_mday = static_cast<uInt>(lt.tm_mday);
    info.tmz_date.tm_mon = static_cast<uInt>(lt.tm_mon);
    info.tmz_date.tm_year = static_cast<uInt>(lt.tm_year + 1900);
}

bool validEntryName(const std::string& name)
{
    return !name.empty() && name.size() <= Vantor_Document::MaxEntryNameLength;
}

// Adds one disk file to an open archive. The disk file is opened first, so a file that cannot be
// read leaves no empty entry behind.
int addFileToArchive(zipFile zf, const std::string& entryName, const std::string& diskPath)
{
    zip_fileinfo info;
    std::uint64_t size = 0;
    entryTime(diskPath.c_str(), info, size);

    FILE* in = std::fopen(diskPath.c_str(), "rb");
    if (!in)
        return Vantor_FAILURE;
    struct stat st;
    if (fstat(fileno(in), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(in);
        return Vantor_FAILURE;
    }

    // Zip64 fields only where the plain ones cannot hold the size.
    const int zip64 = size >= 0xFFFFFFFFULL ? 1 : 0;
    int rc = zipOpenNewFileInZip3_64(zf, entryName.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                     Z_DEFLATED, kLevel, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                     nullptr, 0, zip64);
    if (rc != ZIP_OK) {
        std::fclose(in);
        return rc < 0 ? rc : Vantor_FAILURE;
    }

    int result = ZIP_OK;
    std::vector<char> buf(kChunk);
    while (true) {
        const std::size_t n = std::fread(buf.data(), 1, buf.size(), in);
        if (n > 0) {
            rc = zipWriteInFileInZip(zf, buf.data(), static_cast<unsigned>(n));
            if (rc != ZIP_OK) {
                result = rc < 0 ? rc : Vantor_FAILURE;
                break;
            }
        }
        if (n < buf.size()) {
            if (std::ferror(in))
                result = kReadError;
            break;
        }
    }
    std::fclose(in);
    rc = zipCloseFileInZip(zf);
    if (result == ZIP_OK && rc != ZIP_OK)
        result = rc < 0 ? rc : Vantor_FAILURE;
    return result;
}

std::string entryNameOf(const std::string& path)
{
    std::string::size_type pos = path.rfind('/');
    if (pos == std::string::npos)
        pos = path.rfind('\\');
    if (pos == std::string::npos)
        return path;
    return path.substr(pos);
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

void freeBlocks(char** blocks, std::size_t count)
{
    if (!blocks)
        return;
    for (std::size_t i = 0; i < count; ++i)
        std::free(blocks[i]);
    std::free(blocks);
}

// Both sizes are claims: the compressed data must fit in the archive's file, and deflate cannot
// shrink data by much more than 1:1032, so a larger claimed ratio is a damaged header.
bool plausibleSize(const unz_file_info64& info, std::uint64_t fileSize)
{
    if (info.uncompressed_size > Vantor_Document::MaxEntrySize || info.compressed_size > fileSize)
        return false;
    if (info.compression_method == 0)
        return info.uncompressed_size <= info.compressed_size;
    return info.uncompressed_size <= info.compressed_size * 1100ULL + 1024ULL;
}

} // namespace

Vantor_Document::Vantor_Document()
    : m_id(Vantor_Object::NewId())
{
}

Vantor_Document::~Vantor_Document() = default;

u64 Vantor_Document::Id() const
{
    return m_id;
}

void Vantor_Document::Id(u64 id)
{
    m_id = id;
}

std::string Vantor_Document::FileName() const
{
    return m_fileName;
}

void Vantor_Document::FileName(std::string name)
{
    m_fileName = std::move(name);
}

std::vector<std::shared_ptr<Vantor_Instance>>& Vantor_Document::TopInstances()
{
    return m_topInstances;
}

void Vantor_Document::AddTopInstances(std::shared_ptr<Vantor_Instance>& instance)
{
    if (instance)
        m_topInstances.push_back(instance);
}

Vantor_STATUS Vantor_Document::CompressFile(std::vector<std::string> paths, std::string zipPath)
{
    zipFile zf = zipOpen64(zipPath.c_str(), APPEND_STATUS_CREATE);
    if (!zf)
        return Vantor_FAILURE;
    int result = ZIP_OK;
    for (const std::string& path : paths) {
        const std::string name = entryNameOf(path);
        if (!validEntryName(name)) {
            result = Vantor_FAILURE;
            break;
        }
        result = addFileToArchive(zf, name, path);
        if (result != ZIP_OK)
            break;
    }
    const int rc = zipClose(zf, nullptr);
    if (result == ZIP_OK && rc != ZIP_OK)
        result = rc < 0 ? rc : Vantor_FAILURE;
    return static_cast<Vantor_STATUS>(result);
}

Vantor_STATUS Vantor_Document::AddFileToZip(std::string filePath, std::string zipPath, std::string entryName)
{
    if (!validEntryName(entryName))
        return Vantor_FAILURE;
    if (!fileExists(zipPath)) {
        zipFile created = zipOpen64(zipPath.c_str(), APPEND_STATUS_CREATE);
        if (!created)
            return Vantor_FAILURE;
        const int rc = zipClose(created, nullptr);
        if (rc != ZIP_OK)
            return static_cast<Vantor_STATUS>(rc < 0 ? rc : Vantor_FAILURE);
    }
    zipFile zf = zipOpen64(zipPath.c_str(), APPEND_STATUS_ADDINZIP);
    if (!zf)
        return Vantor_FAILURE;
    int result = addFileToArchive(zf, entryName, filePath);
    const int rc = zipClose(zf, nullptr);
    if (result == ZIP_OK && rc != ZIP_OK)
        result = rc < 0 ? rc : Vantor_FAILURE;
    return static_cast<Vantor_STATUS>(result);
}

Vantor_STATUS Vantor_Document::LoadDataFromZip(std::string zipPath, std::string key, char*** blocks, std::vector<int>& sizes)
{
    if (!blocks)
        return Vantor_FAILURE;
    unzFile uf = unzOpen64(zipPath.c_str());
    if (!uf)
        return static_cast<Vantor_STATUS>(-102);

    int rc = unzGoToFirstFile(uf);
    while (rc == UNZ_OK) {
        unz_file_info64 info;
        char name[257];
        std::memset(name, 0, sizeof(name));
        rc = unzGetCurrentFileInfo64(uf, &info, name, 256, nullptr, 0, nullptr, 0);
        if (rc != UNZ_OK)
            break;
        const std::size_t nameLen = info.size_filename < 255 ? static_cast<std::size_t>(info.size_filename) : 255;
        const std::string entry(name, nameLen);
        const std::string::size_type dot = entry.rfind('.');
        const std::string entryKey = dot == std::string::npos ? entry : entry.substr(dot + 1);
        if (entryKey != key) {
            rc = unzGoToNextFile(uf);
            continue;
        }

        struct stat st;
        if (stat(zipPath.c_str(), &st) != 0 || !plausibleSize(info, static_cast<std::uint64_t>(st.st_size))) {
            unzClose(uf);
            return static_cast<Vantor_STATUS>(UNZ_BADZIPFILE);
        }
        rc = unzOpenCurrentFile(uf);
        if (rc != UNZ_OK) {
            unzClose(uf);
            return static_cast<Vantor_STATUS>(rc);
        }
        const std::uint64_t n = info.uncompressed_size;
        const std::size_t count = static_cast<std::size_t>(n / BlockSize + 1);
        char** array = static_cast<char**>(std::calloc(count, sizeof(char*)));
        int result = array ? UNZ_OK : UNZ_INTERNALERROR;
        std::vector<int> lengths;
        int lastRead = 0;
        for (std::size_t i = 0; i < count && result == UNZ_OK; ++i) {
            const unsigned len = i + 1 < count ? static_cast<unsigned>(BlockSize)
                                               : static_cast<unsigned>(n % BlockSize);
            // malloc(0) may give null; a one-byte block keeps "allocated and listed" true.
            array[i] = static_cast<char*>(std::malloc(len ? len : 1));
            if (!array[i]) {
                result = UNZ_INTERNALERROR;
                break;
            }
            lastRead = len ? unzReadCurrentFile(uf, array[i], len) : 0;
            if (lastRead < 0)
                result = lastRead;
            else if (static_cast<unsigned>(lastRead) != len)
                result = UNZ_BADZIPFILE; // the entry ended early
            else
                lengths.push_back(static_cast<int>(len));
        }
        // Closing checks the CRC once all data was read.
        const int closeRc = unzCloseCurrentFile(uf);
        if (result == UNZ_OK && closeRc != UNZ_OK)
            result = closeRc;
        unzClose(uf);
        if (result != UNZ_OK) {
            freeBlocks(array, count);
            return static_cast<Vantor_STATUS>(result);
        }
        *blocks = array;
        sizes.insert(sizes.end(), lengths.begin(), lengths.end());
        return static_cast<Vantor_STATUS>(lastRead);
    }
    unzClose(uf);
    if (rc == UNZ_END_OF_LIST_OF_FILE)
        return Vantor_SUCCESS;
    return static_cast<Vantor_STATUS>(rc);
}

int Vantor_Document::ReadFile(const std::string&)
{
    return 0;
}

int Vantor_Document::WrieteFile(const std::string&)
{
    return 0;
}

} // namespace VantorSoft
