#pragma once

// One archive's members as parsed records, before a scene is made of them, and the step of the
// read that parses them. Not for use outside the reader.

#ifndef VANTOR_DAZOREADER_INTERNAL
#error "DazoArchiveRecords.h is private to the model reader"
#endif

#include "vantor/dazoreader/DazoArchiveReader.h"
#include "vantor/dazoreader/DazoSceneData.h"

#include "dazo/Vantor_Types.h"

#include <osg/Array>
#include <osg/PrimitiveSet>

#include <rapidjson/document.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace VantorSoft {
class Vantor_Geometry;
class Vantor_PMIDocument;
class Vantor_PMI;
}

namespace Vantor {
namespace DazoStream {
class Archive;
class Member;
}

namespace DazoRead {

struct InstanceRecord {
    VantorSoft::u64 id = 0;
    VantorSoft::u64 parentId = 0;
    VantorSoft::u64 prototypeId = 0;
    bool visible = true;
    VantorSoft::u64 materialId = 0;
    float matrix[16];
    int parent = -1; // index of the parent record
    int depth = 1;   // 1 for a top instance
    std::string name;
    std::string path; // a dispersed sub-assembly's archive
};

struct ParsedFace {
    VantorSoft::u64 id = 0;
    VantorSoft::u64 materialId = 0;
    std::size_t first = 0; // its triangles' indices in the body's index list
    std::size_t count = 0;
};

struct ParsedBody {
    VantorSoft::u64 id = 0;
    osg::ref_ptr<osg::Vec3Array> points;
    osg::ref_ptr<osg::Vec3Array> normals;
    osg::ref_ptr<osg::Vec3Array> texCoords;
    std::vector<std::uint32_t> indices; // every face's triangles, face after face
    std::vector<ParsedFace> faces;
    std::vector<DazoData::BodyData::Edge> edges;
};

struct ParsedPrototype {
    std::vector<ParsedBody> bodies;
};

struct PrototypeGeometry {
    std::map<VantorSoft::u64, std::shared_ptr<VantorSoft::Vantor_Geometry>> faces;
    std::map<VantorSoft::u64, std::shared_ptr<VantorSoft::Vantor_Geometry>> edges;
};

struct Annotations {
    std::shared_ptr<VantorSoft::Vantor_PMIDocument> document;
    std::vector<std::shared_ptr<VantorSoft::Vantor_PMI>> list; // in file order
};

struct IndexEntry {
    std::int32_t offset;
    std::int32_t length;
};

// Everything the scene is built from.
struct ArchiveRecords {
    std::vector<InstanceRecord> instances;
    std::unordered_map<VantorSoft::u64, std::size_t> instanceIndex;
    std::map<VantorSoft::u64, std::array<std::int32_t, 4>> materials;
    std::map<VantorSoft::u64, IndexEntry> index;
    std::map<VantorSoft::u64, PrototypeGeometry> geometry;
    std::map<VantorSoft::u64, Annotations> pmi;
    std::map<VantorSoft::u64, ParsedPrototype> prototypes;
};

std::string idText(VantorSoft::u64 id);

// What the steps of reading one archive share: the read's context, the archive's path, and
// whether it is the archive the user opened (only that one reports progress).
class ArchiveStep
{
public:
    ArchiveStep(Context& ctx, const std::string& path, bool top) : m_ctx(ctx), m_path(path), m_top(top) {}

protected:
    bool fail(const std::string& reason) { return m_ctx.report(reason); }
    bool damaged(const std::string& what) { return fail(m_path + " is damaged: " + what); }
    void progress(const std::string& text, float value)
    {
        if (m_top && m_ctx.progress)
            m_ctx.progress(text, value);
    }
    void subProgress(const std::string& text, float value)
    {
        if (m_top && m_ctx.subProgress)
            m_ctx.subProgress(text, value);
    }
    bool cancelled() { return m_ctx.cancelled && m_ctx.cancelled(); }

    Context& m_ctx;
    std::string m_path;
    bool m_top;
};

// Reads the members of an open archive into records.
class RecordParser : public ArchiveStep
{
public:
    RecordParser(Context& ctx, const std::string& path, bool top, DazoStream::Archive& archive, ArchiveRecords& records)
        : ArchiveStep(ctx, path, top), m_archive(archive), m_records(records)
    {
    }

    // The instances with their names, the materials and the prototype index.
    bool readAssembly();
    // The analytic geometry of faces and edges, and the annotations.
    bool readGeometryAndAnnotations();
    // The program's documents by member key.
    bool readDocuments(std::map<std::string, std::string>& documents);
    // Every entry that neither the reader nor the program reads (unknown keys, and later entries of a
    // key an earlier one has), as stored, in directory order. One that cannot be taken is logged.
    void readOtherEntries(std::vector<DazoLayout::StoredEntry>& entries);
    // The bodies of the prototypes that instances place.
    bool readMesh();

private:
    bool readJson(const char* key, rapidjson::Document& doc);
    bool readInstances();
    bool readProperties();
    bool readMaterials();
    bool readIndex();
    bool readGeometry();
    bool readPmi();
    bool readBody(DazoStream::Member& mesh, std::uint64_t end, VantorSoft::u64 prototypeId, ParsedBody& body);

    DazoStream::Archive& m_archive;
    ArchiveRecords& m_records;
};

} // namespace DazoRead
} // namespace Vantor
