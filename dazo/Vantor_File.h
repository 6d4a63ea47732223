#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <cstdio>
#include <string>

namespace VantorSoft {

// A binary record stream on disk. The byte length counts what was written through this object
// since construction; record offsets are taken from it, so a stream is written from empty.
// A write that fails, is short, or would take the byte length past 32 bits sets a sticky error
// that the writer of an archive checks before it packs the file.
class DAZO_API Vantor_File {
public:
    Vantor_File();
    virtual ~Vantor_File();

    void SetName(const std::string& name);
    const std::string& GetName() const;

    // Already open: true and nothing reopened. Else fopen with the given mode text.
    bool OpenAsBin(const char* mode);
    // No stream: true. Else closes and forgets the stream; false (and the error set) when the
    // stream reported an error or the close failed.
    bool Close();

    // No stream: the byte length unchanged. Else one write of len bytes; on success the byte
    // length grows by len and is returned, on failure 0 is returned and the error is set.
    unsigned WriteBuffer(const char* data, unsigned len);

    // No stream: 0. Else moves to the end and returns that position.
    unsigned FileSize();
    // No stream: 0. Else the byte length.
    unsigned GetByteLength();

    // Removes the named file: 0, or -1. An open stream stays open.
    Vantor_STATUS deleteFile();
    // Appends the named text file line by line, each line followed by "\n"; false when it cannot
    // be opened (out unchanged). A "\r" before the line end is dropped, as a text-mode read would.
    bool readJson(std::string& out);

    bool HasError() const;
    // Marks the stream failed, for writers that find a record cannot be represented.
    void SetError();
    bool IsOpen() const;
    // Distinct for every Vantor_File of the process (addresses may be reused; serials are not),
    // so writers can tell one output from the next.
    u64 Serial() const;

private:
    Vantor_File(const Vantor_File&) = delete;
    Vantor_File& operator=(const Vantor_File&) = delete;

    unsigned WriteBufferToFile(char* data, unsigned len);
    bool ReadBufferFromFile(char* buf, unsigned len, unsigned offset);
    void Update();

    FILE* m_stream;
    std::string m_name;
    unsigned m_byteLength;
    bool m_error;
    u64 m_serial;
};

} // namespace VantorSoft
