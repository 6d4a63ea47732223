#include "DazoTestUtil.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Edge.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_Geometry.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Material.h"
#include "dazo/Vantor_Prototype.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <dirent.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace VantorSoft;
namespace L = Vantor::DazoLayout;
using dazo_test::ScratchDir;

namespace {

// A part with one planar quad face and its four edges; points enough to make the mesh large.
std::shared_ptr<Vantor_Prototype> platePrototype(int extraPoints = 0)
{
    auto body = std::make_shared<Vantor_Body>();
    std::vector<Vantor_PNT32> pts = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    for (int i = 0; i < extraPoints; ++i)
        pts.push_back(Vantor_PNT32{static_cast<float>(i), static_cast<float>(i * 7 % 13), static_cast<float>(i % 5)});
    body->PointsArray(pts);
    auto face = std::make_shared<Vantor_Face>();
    face->PointsIndexArray({0, 1, 2, 0, 2, 3});
    face->Geometry(std::make_shared<Vantor_PlaneFace>());
    auto blue = std::make_shared<Vantor_Material>();
    blue->DiffuseColor(Vantor_RGBA{0, 0, 255, 255});
    face->Material(blue);
    for (unsigned i = 0; i < 4; ++i) {
        auto e = std::make_shared<Vantor_Edge>();
        e->PointsIndexArray({i, (i + 1) % 4});
        e->Geometry(std::make_shared<Vantor_GeoLine>());
        face->EdgesArray().push_back(e);
    }
    body->FacesArray({face});
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({body});
    return proto;
}

Vantor_Document smallModel(int extraPoints = 0)
{
    Vantor_Document doc;
    auto top = std::make_shared<Vantor_Instance>();
    top->Name("Top");
    auto proto = platePrototype(extraPoints);
    for (int i = 0; i < 3; ++i) {
        auto child = std::make_shared<Vantor_Instance>();
        child->Prototype(proto);
        child->PlcMatrix()[L::TranslationIndex] = static_cast<float>(i);
        top->AddSubInstance(child);
    }
    doc.AddTopInstances(top);
    return doc;
}

std::vector<std::string> leftovers(const std::string& folder)
{
    std::vector<std::string> found;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d)) {
            if (std::string(e->d_name).find(".saving-") != std::string::npos)
                found.push_back(e->d_name);
        }
        closedir(d);
    }
    return found;
}

} // namespace

// Opening, saving, the command line and the window all ask this one question.
TEST(DazoLayout, WhatNamesAModelFile)
{
    const struct {
        const char* path;
        bool model;
    } cases[] = {
        {"x.dazo", true},
        {"X.DAZO", true},
        {"part.liteprt", true},
        {"PART.LitePrt", true},
        {"/home/me/models/pump.v2.dazo", true},
        {"C:\\models\\pump.dazo", true},
        {"old.dazo/part.dazo", true},
        {"x.dazo.bak", false},
        {"x.dazo~", false},
        {"x.dazo/", false},
        {"models.dazo/readme", false},
        {".dazo", false},
        {"/home/me/.dazo", false},
        {"x.dazox", false},
        {"x.daz", false},
        {"dazo", false},
        {"x.json", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(L::IsModelFileName(c.path), c.model) << "\"" << c.path << "\"";
}

TEST(DazoLayout, CompleteArchiveHasTheDocumentedMembers)
{
    ScratchDir dir;
    Vantor_Document doc = smallModel();
    L::ProgramDocuments programDocs;
    programDocs.view = R"({"userview_list":[]})";
    programDocs.note = R"({"notes":[]})";
    const std::string path = dir.file("plate.dazo");
    std::string error;
    ASSERT_TRUE(L::WriteArchive(doc, programDocs, path, &error)) << error;

    EXPECT_EQ(dazo_test::listEntries(path),
              "model.instance|model.protoindex|model.mesh|model.material|model.geometry|model.property|"
              "model.pmi|model.info|model.note|model.view\n");
    const auto test = dazo_test::run("unzip -t '" + path + "'");
    EXPECT_EQ(test.first, 0) << test.second;
    EXPECT_EQ(test.second.find("warning"), std::string::npos) << test.second;
    // Extracting gives plain files in the folder: no absolute or parent paths.
    const auto extract = dazo_test::run("cd '" + dir.path() + "' && mkdir x && cd x && unzip -q '" + path + "' && ls");
    EXPECT_EQ(extract.first, 0) << extract.second;
    EXPECT_EQ(extract.second.find("warning"), std::string::npos) << extract.second;

    std::string bytes;
    ASSERT_TRUE(L::ReadMember(path, L::InstanceKey, bytes, &error)) << error;
    EXPECT_EQ(bytes.size(), 4u * 104);
    ASSERT_TRUE(L::ReadMember(path, L::IndexKey, bytes, &error)) << error;
    EXPECT_EQ(bytes.size(), 16u) << "one prototype for three instances";
    ASSERT_TRUE(L::ReadMember(path, L::ViewKey, bytes, &error)) << error;
    EXPECT_EQ(bytes, programDocs.view);
    for (const char* key : {L::MaterialKey, L::GeometryKey, L::PropertyKey, L::InfoKey, L::PmiKey}) {
        ASSERT_TRUE(L::ReadMember(path, key, bytes, &error)) << key << ": " << error;
        rapidjson::Document json;
        json.Parse(bytes.c_str());
        EXPECT_TRUE(json.IsObject()) << key << ": " << bytes;
    }
    std::string kept = "kept";
    EXPECT_FALSE(L::ReadMember(path, L::AnimationKey, kept, &error));
    EXPECT_EQ(kept, "kept");
    EXPECT_FALSE(error.empty());

    // Saving the same objects again gives the same complete archive content.
    const std::string again = dir.file("again.dazo");
    ASSERT_TRUE(L::WriteArchive(doc, programDocs, again, &error)) << error;
    std::string first, second;
    ASSERT_TRUE(L::ReadMember(path, L::MeshKey, first));
    ASSERT_TRUE(L::ReadMember(again, L::MeshKey, second));
    EXPECT_EQ(first, second);
    EXPECT_TRUE(leftovers(dir.path()).empty());
}

TEST(DazoLayout, FailedSaveLeavesTheExistingArchiveUntouched)
{
    ScratchDir dir;
    const std::string existing = dir.file("model.dazo");
    Vantor_Document original = smallModel();
    ASSERT_TRUE(L::WriteArchive(original, {}, existing));
    const std::string before = dazo_test::readFile(existing);
    dazo_test::writeFile(dir.file("plain-file"), "x");
    ASSERT_EQ(system(("mkdir '" + dir.file("folder.dazo") + "'").c_str()), 0);

    struct Case {
        const char* what;
        std::string target;
    };
    const Case cases[] = {
        {"folder missing", dir.file("missing/model.dazo")},
        {"folder is a file", dir.file("plain-file/model.dazo")},
        {"target is a folder", dir.file("folder.dazo")},
        {"no name", ""},
    };
    Vantor_Document doc = smallModel();
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(L::WriteArchive(doc, {}, c.target, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }

    // A full disk, simulated by a file-size limit in a child process: the write fails part-way.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{30000, 30000};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool reported = false;
        {
            // Scoped, so nothing is alive when the child ends (the leak checker runs at _exit).
            Vantor_Document big = smallModel(20000);
            std::string error;
            reported = !L::WriteArchive(big, {}, existing, &error) && !error.empty();
        }
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not report the failure";

    EXPECT_EQ(dazo_test::readFile(existing), before);
    EXPECT_TRUE(leftovers(dir.path()).empty());
    EXPECT_EQ(dazo_test::run("unzip -tq '" + existing + "'").first, 0);
}
