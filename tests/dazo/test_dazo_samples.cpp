#include "DazoTestUtil.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

namespace L = Vantor::DazoLayout;

// The sample models the build generates: complete, clean archives with the promised content.
TEST(DazoSamples, GeneratedArchivesAreCompleteAndClean)
{
    const std::string folder = std::string(NERIO_BIN_DIR) + "/Samples";
    for (const char* name : {"BoltedBracket.dazo", "Pin.dazo"}) {
        const std::string path = folder + "/" + name;
        const auto test = dazo_test::run("unzip -t '" + path + "'");
        EXPECT_EQ(test.first, 0) << name << "\n" << test.second;
        EXPECT_NE(test.second.find("No errors detected"), std::string::npos) << test.second;
        EXPECT_EQ(test.second.find("warning"), std::string::npos) << test.second;
        EXPECT_EQ(dazo_test::listEntries(path),
                  "model.instance|model.protoindex|model.mesh|model.material|model.geometry|model.property|"
                  "model.pmi|model.info\n")
            << name;
    }

    const std::string path = folder + "/BoltedBracket.dazo";
    std::string bytes, error;
    ASSERT_TRUE(L::ReadMember(path, L::InstanceKey, bytes, &error)) << error;
    EXPECT_EQ(bytes.size(), 9u * 104) << "assembly, plate, four bolts, sub-assembly, bracket, pin";
    ASSERT_TRUE(L::ReadMember(path, L::IndexKey, bytes, &error)) << error;
    EXPECT_EQ(bytes.size(), 4u * 16) << "the bolt is stored once";

    ASSERT_TRUE(L::ReadMember(path, L::MaterialKey, bytes, &error)) << error;
    rapidjson::Document materials;
    materials.Parse(bytes.c_str());
    ASSERT_TRUE(materials.IsObject() && materials.HasMember("material"));
    EXPECT_EQ(materials["material"].Size(), 4u);

    ASSERT_TRUE(L::ReadMember(path, L::GeometryKey, bytes, &error)) << error;
    EXPECT_NE(bytes.find(R"("type":3)"), std::string::npos) << "plane faces";
    EXPECT_NE(bytes.find(R"("type":5)"), std::string::npos) << "cylinder faces";
    EXPECT_NE(bytes.find(R"("type":1)"), std::string::npos) << "straight edges";
    EXPECT_NE(bytes.find(R"("type":2)"), std::string::npos) << "circular edges";

    ASSERT_TRUE(L::ReadMember(path, L::PmiKey, bytes, &error)) << error;
    rapidjson::Document pmi;
    pmi.Parse(bytes.c_str());
    ASSERT_TRUE(pmi.IsObject() && pmi.HasMember("PMIDocs")) << bytes;
    ASSERT_EQ(pmi["PMIDocs"].Size(), 1u);
    EXPECT_EQ(pmi["PMIDocs"][0]["PMIs"].Size(), 3u);
}
