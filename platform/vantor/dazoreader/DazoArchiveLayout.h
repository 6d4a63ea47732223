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

// "model.<key>"
std::string EntryName(const std::string& key);

// The program's own documents; an empty text leaves its member out.
struct ProgramDocuments {
    std::string note;
    std::string view;
    std::string section;
    std::string measure;
    std::string animation;
};

// Writes a complete archive of the document and the program's documents to path. Everything is
// built in a scratch folder beside the target and moved over it only once all of it succeeded:
// a failed save leaves an existing file untouched. false with a reason in error on failure.
bool WriteArchive(VantorSoft::Vantor_Document& document, const ProgramDocuments& documents,
                  const std::string& path, std::string* error = nullptr);

// The bytes of one member; false (bytes untouched) when the archive cannot be read, the member is
// missing or damaged.
bool ReadMember(const std::string& path, const std::string& key, std::string& bytes, std::string* error = nullptr);

} // namespace DazoLayout
} // namespace Vantor
