#include "vantor/dazoreader/DazoArchiveLayout.h"

#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Infomation.h"
#include "dazo/Vantor_Instance.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <minizip/zip.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
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

bool IsModelFileName(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string::size_type dot = name.rfind('.');
    // A name that is only the extension (".dazo") is a hidden file without one.
    if (dot == std::string::npos || dot == 0)
        return false;
    std::string ext = name.substr(dot + 1);
    // ASCII only: the program's locale must not decide what a model file is.
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext == "dazo" || ext == "liteprt";
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

std::string* ProgramDocuments::byKey(const std::string& key)
{
    if (key == NoteKey)
        return &note;
    if (key == ViewKey)
        return &view;
    if (key == SectionKey)
        return &section;
    if (key == MeasureKey)
        return &measure;
    if (key == AnimationKey)
        return &animation;
    return nullptr;
}

std::string KeyOf(const std::string& entryName)
{
    const std::string::size_type dot = entryName.rfind('.');
    return dot == std::string::npos ? entryName : entryName.substr(dot + 1);
}

bool IsKnownKey(const std::string& key)
{
    for (const Member& m : Members()) {
        if (key == m.key)
            return true;
    }
    return false;
}

std::string SaveTarget(const std::string& path)
{
    std::string target = path;
    // The kernel's own limit on links followed in one lookup; a loop ends here as well.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buf.size())
            return target;
        const std::string link(buf.data(), static_cast<std::size_t>(n));
        target = link[0] == '/' ? link : folderOf(target) + "/" + link;
    }
    return target;
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

// The scratch folders of the saves that run, in fixed storage that a signal handler can read: the
// folder and the names of the files made in it.
struct ScratchSlot {
    static const int MaxFiles = 32;
    static const int MaxName = 64;
    std::atomic<int> state{0}; // 0 free, 1 being filled, 2 in use
    std::atomic<int> files{0};
    char folder[PATH_MAX];
    char names[MaxFiles][MaxName];
};
ScratchSlot g_scratch[8];

// Appends text to buffer at *used, bounded; false when it does not fit. Signal-safe.
bool append(char* buffer, std::size_t size, std::size_t* used, const char* text)
{
    for (; *text; ++text) {
        if (*used + 1 >= size)
            return false;
        buffer[(*used)++] = *text;
    }
    buffer[*used] = '\0';
    return true;
}

// The scratch folder beside the target and everything in it goes when the save ends, and when a
// signal ends the process first (RemoveScratchOfRunningSaves).
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& target)
    {
        std::string templ = target + ".saving-XXXXXX";
        if (templ.size() >= PATH_MAX)
            return;
        for (ScratchSlot& slot : g_scratch) {
            int free = 0;
            if (slot.state.compare_exchange_strong(free, 1)) {
                m_slot = &slot;
                break;
            }
        }
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        if (m_slot) {
            // Known to the handler before the folder exists, so it can never be missed.
            std::memcpy(m_slot->folder, buf.data(), buf.size());
            m_slot->files.store(0);
            m_slot->state.store(2);
        }
        if (::mkdtemp(buf.data())) {
            m_path = buf.data();
            if (m_slot)
                std::memcpy(m_slot->folder, buf.data(), buf.size());
        }
    }
    ~ScratchFolder()
    {
        for (const std::string& f : m_files)
            std::remove(f.c_str());
        if (!m_path.empty())
            ::rmdir(m_path.c_str());
        if (m_slot)
            m_slot->state.store(0);
    }
    bool ok() const { return !m_path.empty(); }
    std::string file(const std::string& name)
    {
        if (m_slot) {
            const int n = m_slot->files.load();
            if (n < ScratchSlot::MaxFiles && name.size() < ScratchSlot::MaxName) {
                std::memcpy(m_slot->names[n], name.c_str(), name.size() + 1);
                m_slot->files.store(n + 1);
            } else {
                m_slot->files.store(ScratchSlot::MaxFiles + 1); // more than the handler can name
            }
        }
        m_files.push_back(m_path + "/" + name);
        return m_files.back();
    }

private:
    std::string m_path;
    std::vector<std::string> m_files;
    ScratchSlot* m_slot = nullptr;
};

// Moves the new archive's permissions and owner to those of the file it replaces.
void takeOver(const std::string& archive, const struct stat& replaced)
{
    // Owner first: changing it may clear set-id bits that the mode then restores.
    if (::chown(archive.c_str(), replaced.st_uid, replaced.st_gid) != 0)
        (void)::chown(archive.c_str(), static_cast<uid_t>(-1), replaced.st_gid); // a group of ours
    ::chmod(archive.c_str(), replaced.st_mode & 07777);
}

// Appends the entries as they were stored into the archive, without inflating them.
bool appendStoredEntries(const std::string& archive, const std::vector<const StoredEntry*>& entries, std::string* error)
{
    if (entries.empty())
        return true;
    zipFile zf = zipOpen64(archive.c_str(), APPEND_STATUS_ADDINZIP);
    if (!zf) {
        setError(error, "cannot reopen the new archive");
        return false;
    }
    bool ok = true;
    for (const StoredEntry* e : entries) {
        zip_fileinfo info;
        std::memset(&info, 0, sizeof info);
        info.dosDate = e->dosDate;
        const int zip64 = e->size >= 0xffffffffULL || e->data.size() >= 0xffffffffULL ? 1 : 0;
        ok = zipOpenNewFileInZip2_64(zf, e->name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, e->method,
                                     Z_DEFAULT_COMPRESSION, 1, zip64) == ZIP_OK;
        for (std::size_t done = 0; ok && done < e->data.size();) {
            const unsigned n = static_cast<unsigned>(std::min<std::size_t>(e->data.size() - done, 1u << 30));
            ok = zipWriteInFileInZip(zf, e->data.data() + done, n) == ZIP_OK;
            done += n;
        }
        ok = zipCloseFileInZipRaw64(zf, e->size, e->crc) == ZIP_OK && ok;
        if (!ok) {
            setError(error, "copying the entry " + e->name + " failed");
            break;
        }
    }
    ok = zipClose(zf, nullptr) == ZIP_OK && ok;
    if (!ok && error && error->empty())
        setError(error, "the new archive could not be completed");
    return ok;
}

std::shared_ptr<VantorSoft::Vantor_File> openStream(const std::string& path)
{
    auto f = std::make_shared<VantorSoft::Vantor_File>();
    f->SetName(path);
    if (!f->OpenAsBin("wb"))
        return nullptr;
    return f;
}

} // namespace

void RemoveScratchOfRunningSaves()
{
    for (ScratchSlot& slot : g_scratch) {
        if (slot.state.load() != 2)
            continue;
        const int files = slot.files.load();
        for (int i = 0; i < files && i < ScratchSlot::MaxFiles; ++i) {
            char path[PATH_MAX];
            std::size_t used = 0;
            path[0] = '\0';
            if (append(path, sizeof path, &used, slot.folder) && append(path, sizeof path, &used, "/") &&
                append(path, sizeof path, &used, slot.names[i]))
                ::unlink(path);
        }
        ::rmdir(slot.folder);
    }
}

bool WriteArchive(VantorSoft::Vantor_Document& document, const ProgramDocuments& documents,
                  const std::string& requested, std::string* error, const std::vector<StoredEntry>* entries)
{
    using namespace VantorSoft;
    if (requested.empty()) {
        setError(error, "no file name given");
        return false;
    }
    const std::string path = SaveTarget(requested);
    struct stat replaced;
    const bool replacing = ::stat(path.c_str(), &replaced) == 0;
    if (replacing && !S_ISREG(replaced.st_mode)) {
        setError(error, requested + " is not a regular file");
        return false;
    }
    // Write access is asked of the file itself, not only of its folder: the folder alone would let a
    // rename replace a file its owner made read-only.
    if (replacing && ((replaced.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        setError(error, requested + " is read-only");
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

    // The entries carried over: plain ones packed like the members above, stored ones copied after.
    std::vector<const StoredEntry*> stored;
    if (entries) {
        int plain = 0;
        for (const StoredEntry& e : *entries) {
            if (e.stored) {
                stored.push_back(&e);
                continue;
            }
            const std::string file = scratch.file("entry-" + std::to_string(plain++));
            if (!writeText(file, e.data)) {
                setError(error, "writing the entry " + e.name + " failed");
                return false;
            }
            members.push_back({e.name, file});
        }
    }

    const std::string archive = scratch.file("archive.zip");
    for (const auto& m : members) {
        const int rc = Vantor_Document::AddFileToZip(m.second, archive, m.first);
        if (rc != 0) {
            setError(error, "packing " + m.first + " failed (code " + std::to_string(rc) + ")");
            return false;
        }
    }
    if (!appendStoredEntries(archive, stored, error))
        return false;
    if (replacing)
        takeOver(archive, replaced);
    if (!syncFile(archive)) {
        setError(error, "the new archive could not be flushed to disk");
        return false;
    }
    if (std::rename(archive.c_str(), path.c_str()) != 0) {
        setError(error, "cannot replace " + requested + ": " + std::strerror(errno));
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
