#pragma once

// The layout of a ".dazo" archive as our reader and writer share it (docs/dazo-format.md).
//
// Members are found by the text after the last '.' of their entry name and the first match wins,
// so every member has an extension of its own. Entry names are "model.<key>".
//
// Conventions of the records:
// - Placement matrices (instance records) are in the scene graph's row-vector layout: 16 floats
//   row by row, a point p is placed as p * M, the translation sits at indices 12, 13 and 14.
// - A face's point indices are a triangle list: every three indices make one triangle, counter-
//   clockwise seen from outside; the body's normals, when present, run parallel to its points.
// - An edge's point indices are a polyline over the body's points: consecutive indices are joined.

#include <cstdint>
#include <string>
#include <vector>

namespace VantorSoft {
class Vantor_Document;
}

namespace Vantor {
namespace DazoLayout {

// Binary streams of the library.
extern const char* const InstanceKey;   // instance records, depth-first pre-order
extern const char* const IndexKey;      // prototype index records
extern const char* const MeshKey;       // body blocks
// JSON documents of the library.
extern const char* const MaterialKey;
extern const char* const GeometryKey;
extern const char* const PropertyKey;
extern const char* const PmiKey;
extern const char* const InfoKey;       // format and converter versions
// Documents of the program, stored as the program hands them over (UTF-8 JSON text).
extern const char* const NoteKey;
extern const char* const ViewKey;
extern const char* const SectionKey;
extern const char* const MeasureKey;
extern const char* const AnimationKey;

// Index of the translation in a placement matrix.
const int TranslationIndex = 12;

struct Member {
    const char* key;
    bool binary;
    bool required; // written into every archive; the others only when the program has them
};

// Every member in the order the writer stores them.
const std::vector<Member>& Members();

// The folder part of a path: "." for a bare name, "/" for a file at the root.
std::string folderOf(const std::string& path);

// Whether a path names a model file: its last name (after the last '/' or '\\') is a name followed by
// ".dazo" or ".liteprt" in any case. Only the name is judged, the disk is not asked. Everything that
// opens, saves or accepts a model file asks this one function.
bool IsModelFileName(const std::string& path);

// "model.<key>"
std::string EntryName(const std::string& key);
// The key an entry is found by: the text after the last '.' of its name (the whole name without one).
std::string KeyOf(const std::string& entryName);
// Whether the reader and writer understand the member of that key (one of Members()).
bool IsKnownKey(const std::string& key);

// One archive entry carried into a new archive without being understood: as it was stored in an
// archive (compressed data with its checksum and size, copied as they are) or as plain bytes to pack.
struct StoredEntry {
    std::string name; // the entry's whole name
    std::string data;
    bool stored = false; // data is an archive's stored form; else plain bytes
    int method = 0;      // of the stored form: 0 stored, 8 deflated
    unsigned long crc = 0;
    std::uint64_t size = 0; // inflated size of the stored form
    unsigned long dosDate = 0;
};

// The program's own documents; an empty text leaves its member out.
struct ProgramDocuments {
    std::string note;
    std::string view;
    std::string section;
    std::string measure;
    std::string animation;

    // The text of the document of that member key; null for another key.
    std::string* byKey(const std::string& key);
};

// Writes a complete archive of the document and the program's documents to path, then the given
// entries as they are (after every member of the writer's own). Everything is built in a scratch
// folder beside the target and moved over it only once all of it succeeded: a failed save leaves an
// existing file untouched. A symbolic link is saved through: the file at the end of the link chain is
// replaced and the link stays. A file that is replaced keeps its permissions and, where the process
// may set them, its owner and group; one that is read-only (no write permission at all, or none for
// this process) is refused. false with a reason in error on failure.
bool WriteArchive(VantorSoft::Vantor_Document& document, const ProgramDocuments& documents,
                  const std::string& path, std::string* error = nullptr,
                  const std::vector<StoredEntry>* entries = nullptr);

// The file a save to path replaces: the end of its chain of symbolic links (also when that end does
// not exist yet), else path itself.
std::string SaveTarget(const std::string& path);

// Removes the scratch files and folders of the saves still running, with async-signal-safe calls
// only: for a handler of a signal that ends the process, so no half-written save stays behind.
void RemoveScratchOfRunningSaves();

// The bytes of one member; false (bytes untouched) when the archive cannot be read, the member is
// missing or damaged.
bool ReadMember(const std::string& path, const std::string& key, std::string& bytes, std::string* error = nullptr);

} // namespace DazoLayout
} // namespace Vantor
