#include "vantor/dazoreader/DazoArchiveReader.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoArchiveRecords.h"
#include "vantor/dazoreader/DazoArchiveStream.h"
#include "vantor/dazoreader/DazoHeap.h"
#include "vantor/dazoreader/DazoSceneBuilder.h"
#include "vantor/model/Model.h"
#include "vantor/util/StrUtil.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace Vantor {
namespace DazoRead {

namespace L = Vantor::DazoLayout;

std::string folderOf(const std::string& path)
{
    return L::folderOf(path);
}

std::string resolve(const std::string& folder, const std::string& path)
{
    if (path.empty() || path[0] == '/' || folder.empty())
        return path;
    return folder + "/" + path;
}

namespace {

// Reads one archive: its records first, then the scene made of them.
class ArchiveReader : public ArchiveStep
{
public:
    ArchiveReader(Context& ctx, const std::string& path, bool top) : ArchiveStep(ctx, path, top) {}

    osg::ref_ptr<Model> read(std::map<std::string, std::string>* documents, bool* wrapped,
                             std::vector<L::StoredEntry>* others);

private:
    DazoStream::Archive m_archive;
    ArchiveRecords m_records;
};

osg::ref_ptr<Model> ArchiveReader::read(std::map<std::string, std::string>* documents, bool* wrapped,
                                        std::vector<L::StoredEntry>* others)
{
    char absolute[PATH_MAX];
    const std::string canonical = ::realpath(m_path.c_str(), absolute) ? std::string(absolute) : m_path;
    if (std::find(m_ctx.chain.begin(), m_ctx.chain.end(), canonical) != m_ctx.chain.end()) {
        fail(m_path + " includes itself as a sub-assembly");
        return nullptr;
    }
    if (m_ctx.chain.size() >= static_cast<std::size_t>(MaxDepth)) {
        fail(m_path + ": sub-assemblies are nested too deeply");
        return nullptr;
    }
    m_ctx.chain.push_back(canonical);
    struct PopChain {
        std::vector<std::string>& chain;
        ~PopChain() { chain.pop_back(); }
    } popChain{m_ctx.chain};

    progress(StrUtil::translate("DazoReader", "Opening the model"), 1.0f);
    if (!m_archive.open(m_path)) {
        fail(m_archive.error());
        return nullptr;
    }
    for (const char* key : {L::InstanceKey, L::IndexKey, L::MeshKey}) {
        if (!m_archive.has(key)) {
            fail(m_path + " is not a model archive: it has no member \"" + key + "\"");
            return nullptr;
        }
    }
    // The scene takes about as much memory as the archive's members hold: made ready before the
    // first of them is read, and faulted in only as far ahead as the data that really came. Real
    // archives unpack to a few times their size; the room stops at sixteen.
    HeapRoom room(std::min(m_archive.statedSize(), 16 * m_archive.fileSize()), [this] { return m_archive.inflated(); });
    RecordParser parser(m_ctx, m_path, m_top, m_archive, m_records);
    progress(StrUtil::translate("DazoReader", "Reading the assembly"), 5.0f);
    if (!parser.readAssembly())
        return nullptr;
    progress(StrUtil::translate("DazoReader", "Reading the geometry"), 10.0f);
    if (!parser.readGeometryAndAnnotations())
        return nullptr;
    if (documents && !parser.readDocuments(*documents))
        return nullptr;
    if (others)
        parser.readOtherEntries(*others);
    if (cancelled())
        return nullptr;
    progress(StrUtil::translate("DazoReader", "Reading the meshes"), 20.0f);
    if (!parser.readMesh())
        return nullptr;
    progress(StrUtil::translate("DazoReader", "Building the scene"), 85.0f);
    SceneBuilder builder(m_ctx, m_path, m_top, m_records);
    osg::ref_ptr<Model> root = builder.build(wrapped);
    if (root)
        progress(StrUtil::translate("DazoReader", "Building the scene"), 100.0f);
    return root;
}

} // namespace

osg::ref_ptr<Model> readArchive(Context& ctx, const std::string& path, std::map<std::string, std::string>* documents, bool* wrapped,
                                std::vector<L::StoredEntry>* others)
{
    ArchiveReader reader(ctx, path, ctx.chain.empty());
    return reader.read(documents, wrapped, others);
}

} // namespace DazoRead
} // namespace Vantor
