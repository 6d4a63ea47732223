#include "DazoTestUtil.h"

#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_File.h"
#include "dazo/Vantor_Infomation.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/writer.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

using namespace VantorSoft;
using dazo_test::ScratchDir;

namespace {

// Result of one LoadDataFromZip call, with the blocks joined and freed.
struct Loaded {
    int status = 0;
    bool gotBlocks = false;
    std::vector<int> sizes;
    std::string bytes;
};

Loaded load(const std::string& zip, const std::string& key, std::vector<int> sizes = {})
{
    Loaded r;
    char** blocks = nullptr;
    r.sizes = sizes;
    r.status = Vantor_Document::LoadDataFromZip(zip, key, &blocks, r.sizes);
    if (blocks) {
        r.gotBlocks = true;
        for (std::size_t i = sizes.size(); i < r.sizes.size(); ++i) {
            r.bytes.append(blocks[i - sizes.size()], static_cast<std::size_t>(r.sizes[i]));
            std::free(blocks[i - sizes.size()]);
        }
        std::free(blocks);
    }
    return r;
}

std::string json(const rapidjson::Value& v)
{
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    v.Accept(w);
    return sb.GetString();
}

// Patches a little-endian 32-bit field.
void put32(std::string& bytes, std::size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

TEST(DazoArchive, CompressFileGivesAnArchiveStandardToolsAccept)
{
    ScratchDir dir;
    const std::string text = "{\n  \"version\": \"1.0.0\"\n}\n";
    const std::string binary = dazo_test::patternBytes(70000) + std::string(3000, '\0');
    dazo_test::writeFile(dir.file("a.bin"), binary);
    dazo_test::writeFile(dir.file("b.json"), text);
    const std::string zip = dir.file("model.dazo");
    dazo_test::writeFile(zip, "an older file that is replaced");

    ASSERT_EQ(Vantor_Document::CompressFile({dir.file("a.bin"), dir.file("b.json")}, zip), 0);

    EXPECT_EQ(dazo_test::listEntries(zip), "/a.bin|/b.json\n");
    const auto test = dazo_test::run("unzip -t '" + zip + "'");
    EXPECT_EQ(test.first, 0) << test.second;
    EXPECT_NE(test.second.find("No errors detected"), std::string::npos) << test.second;
    EXPECT_EQ(test.second.find("warning"), std::string::npos) << test.second;
    // Deflated, not stored: the independent reader reports the method.
    const auto info = dazo_test::run("python3 -c \"import sys, zipfile; print([i.compress_type for i in "
                                     "zipfile.ZipFile(sys.argv[1]).infolist()], [len(i.extra) for i in "
                                     "zipfile.ZipFile(sys.argv[1]).infolist()])\" '" + zip + "'");
    EXPECT_EQ(info.second, "[8, 8] [0, 0]\n");

    const Loaded second = load(zip, "json");
    EXPECT_EQ(second.bytes, text);
    const Loaded first = load(zip, "bin");
    EXPECT_EQ(first.bytes, binary);
}

TEST(DazoArchive, LoadDataFromZipBlocks)
{
    struct Case {
        std::size_t size;
        std::vector<int> sizes;
        int status;
    };
    const Case cases[] = {
        {100, {100}, 100},
        {16384, {16384, 0}, 0},
        {16385, {16384, 1}, 1},
        {0, {0}, 0},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        const std::string data = dazo_test::patternBytes(c.size, static_cast<unsigned>(c.size));
        dazo_test::writeFile(dir.file("part.mesh"), data);
        const std::string zip = dir.file("m" + std::to_string(c.size) + ".dazo");
        ASSERT_EQ(Vantor_Document::CompressFile({dir.file("part.mesh")}, zip), 0);
        const Loaded r = load(zip, "mesh", {7}); // sizes is appended to, not replaced
        std::vector<int> expected{7};
        expected.insert(expected.end(), c.sizes.begin(), c.sizes.end());
        EXPECT_EQ(r.status, c.status) << c.size;
        EXPECT_EQ(r.sizes, expected) << c.size;
        EXPECT_EQ(r.bytes, data) << c.size;
    }
}

TEST(DazoArchive, LoadDataFromZipMissesAndFailures)
{
    ScratchDir dir;
    dazo_test::writeFile(dir.file("a.json"), "{}");
    dazo_test::writeFile(dir.file("b.xjson"), "[]");
    const std::string zip = dir.file("m.dazo");
    ASSERT_EQ(Vantor_Document::CompressFile({dir.file("a.json"), dir.file("b.xjson")}, zip), 0);

    // The key must equal the whole extension.
    for (const char* key : {"jso", "son", "JSON", "dazo", ""}) {
        char** blocks = reinterpret_cast<char**>(0x1);
        std::vector<int> sizes{5};
        EXPECT_EQ(Vantor_Document::LoadDataFromZip(zip, key, &blocks, sizes), 0) << key;
        EXPECT_EQ(blocks, reinterpret_cast<char**>(0x1)) << key;
        EXPECT_EQ(sizes, std::vector<int>{5}) << key;
    }
    EXPECT_EQ(load(zip, "xjson").bytes, "[]");

    char** blocks = nullptr;
    std::vector<int> sizes;
    EXPECT_EQ(Vantor_Document::LoadDataFromZip(dir.file("absent.dazo"), "json", &blocks, sizes), -102);
    dazo_test::writeFile(dir.file("text.dazo"), "this is not a zip archive");
    EXPECT_EQ(Vantor_Document::LoadDataFromZip(dir.file("text.dazo"), "json", &blocks, sizes), -102);
    EXPECT_EQ(blocks, nullptr);
    EXPECT_TRUE(sizes.empty());
}

TEST(DazoArchive, DamagedArchivesGiveErrorsAndTouchNothing)
{
    ScratchDir dir;
    const std::string data = dazo_test::patternBytes(50000, 3);
    dazo_test::writeFile(dir.file("p.mesh"), data);
    const std::string zip = dir.file("good.dazo");
    ASSERT_EQ(Vantor_Document::CompressFile({dir.file("p.mesh")}, zip), 0);
    const std::string good = dazo_test::readFile(zip);
    ASSERT_EQ(good.compare(0, 4, "PK\x03\x04"), 0);
    const std::size_t central = good.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);

    struct Damage {
        const char* what;
        std::string bytes;
    };
    std::vector<Damage> damages;
    damages.push_back({"cut in half", good.substr(0, good.size() / 2)});
    damages.push_back({"cut before the end record", good.substr(0, good.size() - 10)});
    {
        std::string b = good;
        for (std::size_t i = 200; i < 260; ++i)
            b[i] = static_cast<char>(~b[i]);
        damages.push_back({"flipped deflate bytes", b});
    }
    {
        // Both headers claim more data than the stream holds: the read comes up short.
        std::string b = good;
        put32(b, 22, static_cast<unsigned>(data.size() + 5000));
        put32(b, central + 24, static_cast<unsigned>(data.size() + 5000));
        damages.push_back({"claimed size too large", b});
    }
    {
        std::string b = good;
        put32(b, 22, 0x7FFFFFF0u);
        put32(b, central + 24, 0x7FFFFFF0u);
        damages.push_back({"implausible size", b});
    }
    {
        std::string b = good;
        put32(b, 14, 0x12345678u); // CRC in both headers
        put32(b, central + 16, 0x12345678u);
        damages.push_back({"wrong checksum", b});
    }

    for (const Damage& d : damages) {
        const std::string path = dir.file("damaged.dazo");
        dazo_test::writeFile(path, d.bytes);
        char** blocks = reinterpret_cast<char**>(0x1);
        std::vector<int> sizes{9};
        const int rc = Vantor_Document::LoadDataFromZip(path, "mesh", &blocks, sizes);
        EXPECT_LT(rc, 0) << d.what;
        EXPECT_EQ(blocks, reinterpret_cast<char**>(0x1)) << d.what;
        EXPECT_EQ(sizes, std::vector<int>{9}) << d.what;
    }
}

TEST(DazoArchive, CompressFileFailures)
{
    ScratchDir dir;
    dazo_test::writeFile(dir.file("a.bin"), "aaaa");
    dazo_test::writeFile(dir.file("c.bin"), "cccc");

    const std::string zip = dir.file("m.dazo");
    // A file that cannot be opened stops the packing, leaves no empty entry and reports -1.
    EXPECT_EQ(Vantor_Document::CompressFile({dir.file("a.bin"), dir.file("missing.bin"), dir.file("c.bin")}, zip), -1);
    EXPECT_EQ(dazo_test::listEntries(zip), "/a.bin\n");

    // The archive itself cannot be created.
    EXPECT_EQ(Vantor_Document::CompressFile({dir.file("a.bin")}, dir.file("no/such/folder/m.dazo")), -1);

    // An empty list still gives a valid, empty archive.
    EXPECT_EQ(Vantor_Document::CompressFile({}, dir.file("empty.dazo")), 0);
    EXPECT_EQ(dazo_test::listEntries(dir.file("empty.dazo")), "\n");

    // A folder given as a file is refused before any entry is made.
    EXPECT_EQ(Vantor_Document::CompressFile({dir.file("a.bin"), dir.path()}, dir.file("folder.dazo")), -1);
    EXPECT_EQ(dazo_test::listEntries(dir.file("folder.dazo")), "/a.bin\n");
}

TEST(DazoArchive, EntryNamesFromPaths)
{
    ScratchDir dir;
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof(old)), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    dazo_test::writeFile("plain.txt", "p");
    dazo_test::writeFile("win\\a.bin", "w"); // one file whose name holds a backslash
    const int rc = Vantor_Document::CompressFile({"plain.txt", "win\\a.bin"}, "names.dazo");
    const std::string listed = dazo_test::listEntries("names.dazo");
    ASSERT_EQ(chdir(old), 0);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(listed, "plain.txt|\\a.bin\n");
}

TEST(DazoArchive, AddFileToZip)
{
    ScratchDir dir;
    dazo_test::writeFile(dir.file("one.txt"), "first");
    dazo_test::writeFile(dir.file("two.txt"), "second");
    const std::string zip = dir.file("add.dazo");

    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("one.txt"), zip, "model.assembly"), 0);
    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("two.txt"), zip, "model.material"), 0);
    // The same name again: the archive then holds both, the first is found first.
    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("two.txt"), zip, "model.assembly"), 0);
    EXPECT_EQ(dazo_test::listEntries(zip), "model.assembly|model.material|model.assembly\n");
    EXPECT_EQ(load(zip, "assembly").bytes, "first");

    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("missing.txt"), zip, "model.view"), -1);
    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("one.txt"), zip, std::string(260, 'n')), -1);
    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("one.txt"), zip, ""), -1);
    EXPECT_EQ(dazo_test::listEntries(zip), "model.assembly|model.material|model.assembly\n");
    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("one.txt"), zip, std::string(255, 'n') + ".txt"), 0);

    // Not an archive: refused, and the file is left as it was.
    dazo_test::writeFile(dir.file("notes.txt"), "user text");
    EXPECT_EQ(Vantor_Document::AddFileToZip(dir.file("one.txt"), dir.file("notes.txt"), "x.note"), -1);
    EXPECT_EQ(dazo_test::readFile(dir.file("notes.txt")), "user text");

    const auto test = dazo_test::run("unzip -t '" + zip + "'");
    EXPECT_EQ(test.first, 0) << test.second;
}

TEST(DazoFile, ByteLengthAndNoStreamCases)
{
    ScratchDir dir;
    Vantor_File f;
    char data[24] = {};
    // No stream: nothing is written and the neutral values come back.
    EXPECT_EQ(f.WriteBuffer(data, 24), 0u);
    EXPECT_EQ(f.GetByteLength(), 0u);
    EXPECT_EQ(f.FileSize(), 0u);
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.OpenAsBin("wb")) << "no name";

    f.SetName(dir.file("s.bin"));
    EXPECT_EQ(f.GetName(), dir.file("s.bin"));
    ASSERT_TRUE(f.OpenAsBin("wb"));
    EXPECT_TRUE(f.OpenAsBin("rb")) << "second open keeps the first stream";
    EXPECT_EQ(f.WriteBuffer(data, 24), 24u);
    EXPECT_EQ(f.WriteBuffer(data, 16), 40u);
    EXPECT_EQ(f.WriteBuffer(data, 12), 52u);
    EXPECT_EQ(f.WriteBuffer(data, 0), 0u);
    EXPECT_EQ(f.GetByteLength(), 52u);
    EXPECT_EQ(f.FileSize(), 52u);
    EXPECT_FALSE(f.HasError());
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(f.GetByteLength(), 0u) << "no stream, no length";
    EXPECT_EQ(dazo_test::readFile(dir.file("s.bin")).size(), 52u);

    EXPECT_EQ(f.deleteFile(), 0);
    EXPECT_EQ(f.deleteFile(), -1);
}

TEST(DazoFile, FailedWritesAreSticky)
{
    // /dev/full accepts the open and fails when data reaches it.
    Vantor_File f;
    f.SetName("/dev/full");
    ASSERT_TRUE(f.OpenAsBin("wb"));
    const std::string block(200000, 'x');
    f.WriteBuffer(block.data(), static_cast<unsigned>(block.size()));
    f.WriteBuffer(block.data(), 10);
    EXPECT_FALSE(f.Close());
    EXPECT_TRUE(f.HasError());
    EXPECT_TRUE(f.Close()) << "closed: nothing left to fail";
    EXPECT_TRUE(f.HasError()) << "the error stays";

    Vantor_File g;
    g.SetName("/nonexistent-folder/x.bin");
    EXPECT_FALSE(g.OpenAsBin("wb"));
}

TEST(DazoFile, ReadJson)
{
    struct Case {
        const char* content;
        const char* appended;
    };
    const Case cases[] = {
        {"a\nb", "a\nb\n"},
        {"a\nb\n", "a\nb\n"},
        {"a\r\nb\r\n", "a\nb\n"},
        {"", ""},
        {"\n\n", "\n\n"},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        dazo_test::writeFile(dir.file("t.json"), c.content);
        Vantor_File f;
        f.SetName(dir.file("t.json"));
        std::string out = "head|";
        EXPECT_TRUE(f.readJson(out));
        EXPECT_EQ(out, std::string("head|") + c.appended);
    }
    Vantor_File missing;
    missing.SetName(dir.file("none.json"));
    std::string out = "kept";
    EXPECT_FALSE(missing.readJson(out));
    EXPECT_EQ(out, "kept");
}

TEST(DazoInformation, VersionMembersAreSetOnce)
{
    rapidjson::Document doc;
    Vantor_Infomation::ToPropertyBuffer(&doc);
    EXPECT_EQ(json(doc), R"({"version":"1.0.0","info":{"converter":{"version":"2.0.0"}}})");
    Vantor_Infomation::ToPropertyBuffer(&doc);
    EXPECT_EQ(json(doc), R"({"version":"1.0.0","info":{"converter":{"version":"2.0.0"}}})");

    rapidjson::Document other;
    other.Parse(R"({"properties":[],"version":"0.9"})");
    Vantor_Infomation::ToPropertyBuffer(&other);
    EXPECT_EQ(json(other), R"({"properties":[],"version":"1.0.0","info":{"converter":{"version":"2.0.0"}}})");

    rapidjson::Document array;
    array.Parse("[1]");
    Vantor_Infomation::ToPropertyBuffer(&array); // not an object: left alone
    EXPECT_EQ(json(array), "[1]");
    Vantor_Infomation::ToPropertyBuffer(nullptr);
}
