#include "FuzzEntries.h"

#include "automation/Message.h"
#include "hostchannel/HostFrameReader.h"
#include "dialogs/SystemSetting.h"
#include "panels/BookmarkParser.h"
#include "panels/BookmarkRecordList.h"
#include "view/UserView.h"

#include "vantor/animation/AnimationManager.h"
#include "vantor/animation/AnimationStorage.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoWriter.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/util/LogHandler.h"

#include "dazo/Vantor_Document.h"

#include <QByteArray>
#include <QImage>
#include <QApplication>
#include <QString>

#include <minizip/zip.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace NerioFuzz {

namespace {

std::string scratchFolder()
{
    static const std::string folder = [] {
        const char* base = std::getenv("NERIO_FUZZ_SCRATCH");
        std::string path = std::string(base ? base : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp")) +
                           "/nerio-fuzz-" + std::to_string(getpid());
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            std::fprintf(stderr, "cannot make %s\n", path.c_str());
        return path;
    }();
    static const bool removedAtExit = std::atexit([] { rmdir(scratchFolder().c_str()); }) == 0;
    (void)removedAtExit;
    return folder;
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

std::shared_ptr<ReaderConfig> allOptions(bool merge)
{
    auto config = std::make_shared<ReaderConfig>();
    config->readPMI = true;
    config->readEdge = true;
    config->mergeFace = merge;
    return config;
}

// Reads the archive with every option, and writes back what was read, as a save would.
void readAndSave(const std::string& path, bool merge)
{
    DazoReaderWriter reader;
    reader.setConfig(allOptions(merge));
    osg::ref_ptr<osg::Node> root = reader.readNode(path);
    if (!root)
        return;
    DazoWriter writer;
    writer.saveNode(path + ".saved.dazo", root, {});
    std::remove((path + ".saved.dazo").c_str());
}

// A whole archive as it lies on disk: the directory, the size claims and the members.
void dazoArchive(const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFolder() + "/input.dazo";
    if (!writeFile(path, data, size))
        return;
    readAndSave(path, size % 2 == 1);
    std::string bytes;
    Vantor::DazoLayout::ReadMember(path, Vantor::DazoLayout::InstanceKey, bytes);
    char** blocks = nullptr;
    std::vector<int> sizes;
    if (VantorSoft::Vantor_Document::LoadDataFromZip(path, Vantor::DazoLayout::MeshKey, &blocks, sizes) >= 0 && blocks) {
        for (std::size_t i = 0; i < sizes.size(); ++i)
            std::free(blocks[i]);
        std::free(blocks);
    }
    std::remove(path.c_str());
}

// Members framed as frameMembers says, packed into a sound zip, so mutations reach the records
// instead of failing the archive's checksums.
void dazoMembers(const std::uint8_t* data, std::size_t size)
{
    const auto& members = Vantor::DazoLayout::Members();
    const std::string path = scratchFolder() + "/members.dazo";
    std::remove(path.c_str());
    zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (!zf)
        return;
    std::size_t at = 0;
    bool merge = false;
    while (at + 5 <= size) {
        const std::uint8_t which = data[at];
        std::uint32_t length;
        std::memcpy(&length, data + at + 1, 4);
        at += 5;
        length = static_cast<std::uint32_t>(std::min<std::size_t>(length, size - at));
        merge = merge || (which & 0x80) != 0;
        const std::string name = Vantor::DazoLayout::EntryName(members[(which & 0x7F) % members.size()].key);
        zip_fileinfo info;
        std::memset(&info, 0, sizeof(info));
        if (zipOpenNewFileInZip64(zf, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, 0, 0, 0) == ZIP_OK) {
            zipWriteInFileInZip(zf, data + at, length);
            zipCloseFileInZip(zf);
        }
        at += length;
    }
    zipClose(zf, nullptr);
    readAndSave(path, merge);
    std::remove(path.c_str());
}

void billOfMaterials(const std::uint8_t* data, std::size_t size)
{
    DazoReaderWriter reader;
    reader.setConfig(allOptions(false));
    reader.readBomValue(std::string(reinterpret_cast<const char*>(data), size));
}

std::string text(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

void notes(const std::uint8_t* data, std::size_t size)
{
    osg::ref_ptr<Vantor::NoteManager> manager = new Vantor::NoteManager;
    if (manager->fromJson(text(data, size)))
        manager->toJson(false);
}

void measures(const std::uint8_t* data, std::size_t size)
{
    osg::ref_ptr<Vantor::MeasureManager> manager = new Vantor::MeasureManager;
    if (manager->fromJson(text(data, size)))
        manager->toJson();
}

void sections(const std::uint8_t* data, std::size_t size)
{
    osg::ref_ptr<Vantor::SectionManager> manager = new Vantor::SectionManager;
    if (manager->fromJson(text(data, size)))
        manager->toJson(false);
}

void savedViews(const std::uint8_t* data, std::size_t size)
{
    rapidjson::Document out(rapidjson::kArrayType);
    for (const auto& view : Vantor::UserView::readList(text(data, size))) {
        // Pictures are kept at the size a thumbnail is shown, whatever the input claims.
        const QImage& picture = view->getImage();
        if (picture.width() > 128 || picture.height() > 128)
            std::abort();
        out.PushBack(view->toJson(out.GetAllocator()), out.GetAllocator());
    }
}

// One host record: the sender's type id (the copy-data dwData, 8 bytes) and the record's bytes.
void hostRecord(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return;
    qint64 type;
    std::memcpy(&type, data, 8);
    std::shared_ptr<Message> message = createMessage(type);
    if (!message)
        return;
    message->deserialize(QByteArray(reinterpret_cast<const char*>(data + 8), static_cast<int>(size - 8)));
    QByteArray reply;
    message->serialize(reply);
}

// Bytes arriving on a host connection, in pieces whose sizes the first byte chooses.
void hostFrames(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    const std::size_t piece = 1 + data[0];
    HostFrameReader reader;
    for (std::size_t at = 1; at < size; at += piece) {
        reader.append(QByteArray(reinterpret_cast<const char*>(data + at), static_cast<int>(std::min(piece, size - at))));
        HostFrame frame;
        QString error;
        HostFrameReader::Result result;
        while ((result = reader.next(frame, &error)) == HostFrameReader::Frame) {
        }
        if (result == HostFrameReader::Malformed)
            return;
    }
}

// An animation document, as the model's "animation" member or an ".Animation" file holds it.
void animation(const std::uint8_t* data, std::size_t size)
{
    std::vector<osg::ref_ptr<Vantor::AnimationSegment>> animations;
    osg::ref_ptr<Vantor::AnimationSegment> defaultAnimation;
    std::string error;
    if (Vantor::AnimationStorage::read(text(data, size), {}, animations, defaultAnimation, error))
        Vantor::AnimationStorage::write(animations, defaultAnimation.get());
}

// A ".bmk" file beside a model: read, then written back as a save would.
void bookmarks(const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFolder() + "/input.bmk";
    if (!writeFile(path, data, size))
        return;
    BookmarkParser parser;
    std::unique_ptr<BookmarkRecordList> list = parser.read(QString::fromStdString(path));
    // A picture never holds more pixels than the file has bytes.
    for (const BookmarkRecord* record : list ? list->records() : QList<BookmarkRecord*>()) {
        const QImage picture = record ? record->value(BookmarkKey::thumbnail()).value<QImage>() : QImage();
        if (qint64(picture.width()) * picture.height() > qint64(size))
            std::abort();
    }
    if (list)
        parser.save(QString::fromStdString(path + ".saved.bmk"), list.get());
    std::remove((path + ".saved.bmk").c_str());
    std::remove(path.c_str());
}

// A "config.ini" as the system settings read it at start-up.
void configIni(const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFolder() + "/config.ini";
    if (!writeFile(path, data, size))
        return;
    SystemSetting::readValues(QString::fromStdString(path));
    std::remove(path.c_str());
}

} // namespace

const std::vector<Target>& targets()
{
    static const std::vector<Target> all = {
        {"dazo_archive", dazoArchive},
        {"dazo_members", dazoMembers},
        {"bom", billOfMaterials},
        {"notes", notes},
        {"measures", measures},
        {"sections", sections},
        {"saved_views", savedViews},
        {"host_record", hostRecord},
        {"host_frames", hostFrames},
        {"animation", animation},
        {"bookmarks", bookmarks},
        {"config_ini", configIni},
    };
    return all;
}

const Target* findTarget(const std::string& name)
{
    for (const Target& t : targets()) {
        if (name == t.name)
            return &t;
    }
    return nullptr;
}

void initialise()
{
    if (!QCoreApplication::instance()) {
        // Bookmark thumbnails are pictures, which need a GUI application; no screen is needed.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "nerio-fuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    // Every input is damaged by design: its messages are noise here.
    Vantor::LogHandler::getInstance()->setMessageLevel(Vantor::LOG_ERROR + 1);
}

std::string frameMembers(const std::vector<std::pair<std::string, std::string>>& members)
{
    const auto& layout = Vantor::DazoLayout::Members();
    std::string out;
    for (const auto& m : members) {
        std::uint8_t which = 0;
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (m.first == layout[i].key)
                which = static_cast<std::uint8_t>(i);
        }
        const std::uint32_t length = static_cast<std::uint32_t>(m.second.size());
        out.push_back(static_cast<char>(which));
        out.append(reinterpret_cast<const char*>(&length), 4);
        out.append(m.second);
    }
    return out;
}

} // namespace NerioFuzz
