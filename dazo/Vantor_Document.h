#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VantorSoft {

class Vantor_Instance;

// The root of a model: its top instances, plus the zip archive operations.
// Entries are deflated (level 6, raw stream) with no extra fields, comment or password; an entry is
// found again by the text after the last '.' of its name.
class DAZO_API Vantor_Document {
public:
    // Longest entry name the format allows, in bytes.
    static const std::size_t MaxEntryNameLength = 259;
    // Entries larger than this are refused when read (sizes travel as int).
    static const std::uint64_t MaxEntrySize = 0x7FFFFFFFULL;
    // Size of each block LoadDataFromZip hands out.
    static const int BlockSize = 16384;

    Vantor_Document();
    Vantor_Document(const Vantor_Document&) = default;
    Vantor_Document& operator=(const Vantor_Document&) = default;
    virtual ~Vantor_Document();

    u64 Id() const;
    void Id(u64 id);

    std::string FileName() const;
    void FileName(std::string name);

    std::vector<std::shared_ptr<Vantor_Instance>>& TopInstances();
    // Appends the instance; an empty pointer is ignored.
    void AddTopInstances(std::shared_ptr<Vantor_Instance>& instance);

    // Creates the archive at zipPath (replacing a file there) from the listed files. Each entry is
    // named by the path's text from its last '/' (else its last '\\') on, separator included; a
    // path without separator gives its whole text. Stops at the first file that fails.
    // 0 on success; -1 when a file cannot be opened or read, its name is too long, or the archive
    // cannot be created; the zip library's negative code when writing or closing fails.
    static Vantor_STATUS CompressFile(std::vector<std::string> paths, std::string zipPath);

    // Adds one file under entryName (stored unchanged), creating the archive when there is none.
    // An entry of the same name stays; the archive then holds both. Codes as CompressFile.
    static Vantor_STATUS AddFileToZip(std::string filePath, std::string zipPath, std::string entryName);

    // Reads the first entry whose extension equals key into malloc'ed blocks of BlockSize bytes
    // (the last holds the remainder and exists even when that is 0) and appends each block's
    // length to sizes. The caller frees every block and the array.
    // Returns the byte count of the last block; 0 with blocks and sizes untouched when no entry
    // matches; -102 when the archive cannot be opened; on any other error (damaged directory or
    // data, short read, implausible size, no memory) a negative code with nothing allocated
    // and the outputs untouched.
    static Vantor_STATUS LoadDataFromZip(std::string zipPath, std::string key, char*** blocks, std::vector<int>& sizes);

    int ReadFile(const std::string& path);
    int WrieteFile(const std::string& path);

private:
    std::vector<std::shared_ptr<Vantor_Instance>> m_topInstances;
    u64 m_id;
    std::string m_fileName;
};

} // namespace VantorSoft
