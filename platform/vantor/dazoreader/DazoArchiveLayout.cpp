#include "vantor/dazoreader/DazoArchiveLayout.h"

#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Infomation.h"
#include "dazo/Vantor_Instance.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace Vantor {
namespace DazoLayout {

std::string folderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

const char* const InstanceKey = "instance";
const char* const IndexKey = "protoindex";
const char* const MeshKey = "mesh";
const char* const MaterialKey = "material";
const char* const GeometryKey = "geometry";
const char* const PropertyKey = "property";
const char* const PmiKey = "pmi";
const char* const InfoKey = "info";
const char* const NoteKey = "note";
const char* const ViewKey = "view";
const char* const SectionKey = "section";
const char* const MeasureKey = "measure";
const char* const AnimationKey = "animation";

const std::vector<Member>& Members()
{
    static const std::vector<Member> members = {
        {InstanceKey, true, true},   {IndexKey, true, true},     {MeshKey, true, true},
        {MaterialKey, false, true},  {GeometryKey, false, true}, {PropertyKey, false, true},
        {PmiKey, false, true},       {InfoKey, false, true},     {NoteKey, false, false},
        {ViewKey, false, false},     {SectionKey, false, false}, {MeasureKey, false, false},
        {AnimationKey, false, false},
    };
    return members;
}

std::string EntryName(const std::string& key)
{
    return "model." + key;
}

namespace {

void setError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}


// Writes the whole text and makes sure it reached the disk's cache: buffered write errors
// (a full disk) only show at flush and close.
bool writeText(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = text.empty() || std::fwrite(text.data(), text.size(), 1, f) == 1;
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

std::string jsonText(rapidjson::Document& doc)
{
    if (!doc.IsObject())
        doc.SetObject(); // nothing was added: an empty document
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    doc.Accept(w);
    return std::string(sb.GetString(), sb.GetSize());
}

bool syncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The scratch folder beside the target and everything in it goes when the save ends.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& target)
    {
        std::string templ = target + ".saving-XXXXXX";
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        if (::mkdtemp(buf.data()))
            m_path = buf.data();
    }
    ~ScratchFolder()
    {
        for (const std::string& f : m_files)
            std::remove(f.c_str());
        if (!m_path.empty())
            ::rmdir(m_path.c_str());
    }
    bool ok() const { return !m_path.empty(); }
    std::string file(const std::string& name)
    {
        m_files.push_back(m_path + "/" + name);
        return m_files.back();
    }

private:
    std::string m_path;
    std::vector<std::string> m_files;
};

std::shared_ptr<VantorSoft::Vantor_File> openStream(const std::string& path)
{
    auto f = std::make_shared<VantorSoft::Vantor_File>();
    f->SetName(path);
    if (!f->OpenAsBin("wb"))
        return nullptr;
    return f;
}

} // namespace

bool WriteArchive(VantorSoft::Vantor_Document& document, const ProgramDocuments& documents,
                  const std::string& path, std::string* error)
{
    using namespace VantorSoft;
    if (path.empty()) {
        setError(error, "no file name given");
        return false;
    }
    ScratchFolder scratch(path);
    if (!scratch.ok()) {
        setError(error, "cannot write in the folder " + folderOf(path) + ": " + std::strerror(errno));
        return false;
    }

    const std::string instancePath = scratch.file(EntryName(InstanceKey));
    const std::string indexPath = scratch.file(EntryName(IndexKey));
    const std::string meshPath = scratch.file(EntryName(MeshKey));
    auto instances = openStream(instancePath);
    auto index = openStream(indexPath);
    auto mesh = openStream(meshPath);
    if (!instances || !index || !mesh) {
        setError(error, "cannot create the record streams beside " + path);
        return false;
    }

    rapidjson::Document materials, geometries, properties, pmi, info;
    for (auto& top : document.TopInstances()) {
        if (!top)
            continue;
        top->ToBuffer(instances);
        top->ToProtoTypeBuffer(index, mesh, &materials, &geometries);
        top->ToPropertyBuffer(&properties, true);
        top->ToPMIBuffer(&pmi);
    }
    Vantor_Infomation::ToPropertyBuffer(&info);

    bool streamsOk = true;
    for (auto* f : {&instances, &index, &mesh}) {
        streamsOk = (*f)->Close() && streamsOk;
        streamsOk = !(*f)->HasError() && streamsOk;
    }
    if (!streamsOk) {
        setError(error, "writing the model's record streams failed (disk full, or a model too large for the format)");
        return false;
    }

    struct Text {
        const char* key;
        std::string text;
    };
    std::vector<Text> texts = {
        {MaterialKey, jsonText(materials)}, {GeometryKey, jsonText(geometries)}, {PropertyKey, jsonText(properties)},
        {PmiKey, jsonText(pmi)},            {InfoKey, jsonText(info)},
    };
    const std::pair<const char*, const std::string*> programDocs[] = {
        {NoteKey, &documents.note},       {ViewKey, &documents.view},       {SectionKey, &documents.section},
        {MeasureKey, &documents.measure}, {AnimationKey, &documents.animation},
    };
    for (const auto& d : programDocs) {
        if (!d.second->empty())
            texts.push_back({d.first, *d.second});
    }

    std::vector<std::pair<std::string, std::string>> members = {
        {EntryName(InstanceKey), instancePath}, {EntryName(IndexKey), indexPath}, {EntryName(MeshKey), meshPath}};
    for (const Text& t : texts) {
        const std::string file = scratch.file(EntryName(t.key));
        if (!writeText(file, t.text)) {
            setError(error, std::string("writing the ") + t.key + " document failed");
            return false;
        }
        members.push_back({EntryName(t.key), file});
    }

    const std::string archive = scratch.file("archive.zip");
    for (const auto& m : members) {
        const int rc = Vantor_Document::AddFileToZip(m.second, archive, m.first);
        if (rc != 0) {
            setError(error, "packing " + m.first + " failed (code " + std::to_string(rc) + ")");
            return false;
        }
    }
    if (!syncFile(archive)) {
        setError(error, "the new archive could not be flushed to disk");
        return false;
    }
    if (std::rename(archive.c_str(), path.c_str()) != 0) {
        setError(error, "cannot replace " + path + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

bool ReadMember(const std::string& path, const std::string& key, std::string& bytes, std::string* error)
{
    char** blocks = nullptr;
    std::vector<int> sizes;
    const int rc = VantorSoft::Vantor_Document::LoadDataFromZip(path, key, &blocks, sizes);
    if (rc == -102) {
        setError(error, "cannot open " + path + " as a model archive");
        return false;
    }
    if (rc < 0) {
        setError(error, "the member " + EntryName(key) + " of " + path + " is damaged (code " + std::to_string(rc) + ")");
        return false;
    }
    if (sizes.empty()) {
        setError(error, path + " has no member " + EntryName(key));
        return false;
    }
    std::string out;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        out.append(blocks[i], static_cast<std::size_t>(sizes[i]));
        std::free(blocks[i]);
    }
    std::free(blocks);
    bytes.swap(out);
    return true;
}

} // namespace DazoLayout
} // namespace Vantor
