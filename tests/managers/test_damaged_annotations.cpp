// Damaged note and section documents: what is valid loads, the rest is logged, nothing crashes.

#include "panels/LogCapture.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace Vantor;

namespace {

const char* const GoodNote = R"({"Type": "PointNote", "Text": "ok", "Anchor": [1, 2, 3]})";
const char* const GoodSection = R"({"Plane": [0, 0, 1, -2], "Opened": true})";

TEST(DamagedDocuments, NotesLoadWhatIsValid)
{
    struct Case
    {
        const char* name;
        std::string document;
        bool parsed;          // the document as a whole was taken
        unsigned int loaded;  // notes added
    };
    const std::string good = GoodNote;
    const std::vector<Case> cases = {
        {"unknown kind", R"({"note_list": [{"Type": "Balloon", "Text": "x"}, )" + good + "]}", true, 1},
        {"missing type reads as a label note", R"({"note_list": [{"Text": "x"}]})", true, 1},
        {"3D note without points", R"({"note_list": [{"Type": "3DNote", "Shape": 0}, )" + good + "]}", true, 1},
        {"3D note of an unknown shape", R"({"note_list": [{"Type": "3DNote", "Shape": 9, "Points": [[0,0,0],[1,1,1]]}]})",
         true, 0},
        {"3D note with a broken point",
         R"({"note_list": [{"Type": "3DNote", "Shape": 3, "Points": [[0,0,0],[1,"a",1]]}]})", true, 0},
        {"3D note with one point", R"({"note_list": [{"Type": "3DNote", "Shape": 3, "Points": [[0,0,0]]}]})", true,
         0},
        {"entries that are not objects", R"({"note_list": [1, "x", null, )" + good + "]}", true, 1},
        {"a number too big for a double", R"({"note_list": [{"Type": "Note", "Anchor": [1e999, 0, 0]}]})", false, 0},
        {"NaN is not JSON", R"({"note_list": [{"Type": "Note", "Anchor": [NaN, 0, 0]}]})", false, 0},
        {"anchor of the wrong kind keeps its default", R"({"note_list": [{"Type": "Note", "Anchor": "here"}]})", true,
         1},
        {"no list", R"({"notes": []})", false, 0},
        {"not JSON", "{\"note_list\": [", false, 0},
        {"sizes out of range", R"({"note_list": [{"Type": "SNote", "TextSize": -4, "LineWidth": 1e300}]})", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        osg::ref_ptr<NoteManager> m = new NoteManager;
        EXPECT_EQ(m->fromJson(c.document), c.parsed);
        ASSERT_EQ(m->getNumChildren(), c.loaded);
        for (unsigned int i = 0; i < m->getNumChildren(); ++i) {
            auto* note = dynamic_cast<Note*>(m->getChild(i));
            ASSERT_NE(note, nullptr);
            EXPECT_TRUE(note->getAnchor().valid());
            EXPECT_GT(note->getTextSize(), 0.0f);
            EXPECT_LE(note->getLineWidth(), 1000.0f);
        }
    }
}

TEST(DamagedDocuments, SectionsLoadWhatIsValid)
{
    struct Case
    {
        const char* name;
        std::string document;
        bool parsed;
        unsigned int loaded;
        osg::Vec4d plane; // of the first section
    };
    const std::string good = GoodSection;
    const std::vector<Case> cases = {
        {"zero normal keeps the default plane", R"({"section_list": [{"Plane": [0, 0, 0, 5]}]})", true, 1,
         {0, 0, 1, 0}},
        {"plane of the wrong size", R"({"section_list": [{"Plane": [1, 0, 0]}]})", true, 1, {0, 0, 1, 0}},
        {"plane with text", R"({"section_list": [{"Plane": [1, "x", 0, 0]}]})", true, 1, {0, 0, 1, 0}},
        {"a good one after junk", R"({"section_list": [7, )" + good + "]}", true, 1, {0, 0, 1, -2}},
        {"unnormalised plane is normalised", R"({"section_list": [{"Plane": [0, 0, 2, -4]}]})", true, 1,
         {0, 0, 1, -2}},
        {"huge number", R"({"section_list": [{"Plane": [1e999, 0, 0, 0]}]})", false, 0, {}},
        {"open flag of the wrong kind", R"({"section_list": [{"Opened": "yes", "Plane": [1, 0, 0, 0]}]})", true, 1,
         {1, 0, 0, 0}},
        {"transparency out of range", R"({"section_list": [{"PlaneTransparent": 7}]})", true, 1, {0, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        osg::ref_ptr<SectionManager> m = new SectionManager;
        EXPECT_EQ(m->fromJson(c.document), c.parsed);
        ASSERT_EQ(m->getNumChildren(), c.loaded);
        if (!c.loaded)
            continue;
        const osg::ref_ptr<Section> s = m->GetAllSection().front();
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(s->getPlane()[i], c.plane[i], 1e-12);
        EXPECT_GE(s->getPlaneTransparent(), 0.0f);
        EXPECT_LE(s->getPlaneTransparent(), 1.0f);
    }

    // Seven open sections in a document: six open, the seventh is read closed.
    std::string seven = R"({"section_list": [)";
    for (int i = 0; i < 7; ++i)
        seven += std::string(i ? "," : "") + good;
    seven += "]}";
    osg::ref_ptr<SectionManager> m = new SectionManager;
    ASSERT_TRUE(m->fromJson(seven));
    ASSERT_EQ(m->getNumChildren(), 7u);
    EXPECT_EQ(m->getOpenCount(), 6u);
}

// Damaged group and attribute members of every kind: what is damaged is logged and dropped, the
// annotation and the rest of its groups and attributes load.
TEST(DamagedDocuments, GroupsAndAttributesKeepWhatIsValid)
{
    using Groups = std::map<int, std::string>;
    using Attributes = std::map<std::string, std::string>;
    struct Case
    {
        const char* name;
        const char* members;
        Groups groups;
        Attributes attributes;
        const char* logged; // the end of the error line, or null for none
    };
    const Case cases[] = {
        {"valid", R"("Groups": [{"Number": 1, "Name": "A"}], "Coordination": {"Time": "t"})", {{1, "A"}},
         {{"Time", "t"}}, nullptr},
        {"groups not a list", R"("Groups": {"Number": 1}, "Coordination": {"Time": "t"})", {}, {{"Time", "t"}},
         "\"Groups\" is not a list; the annotation is in no group"},
        {"entry not an object", R"("Groups": [5, {"Number": 2, "Name": "B"}])", {{2, "B"}}, {},
         "a group without a whole \"Number\" skipped"},
        {"number as text", R"("Groups": [{"Number": "1", "Name": "A"}, {"Number": 2, "Name": "B"}])", {{2, "B"}}, {},
         "a group without a whole \"Number\" skipped"},
        {"fractional number", R"("Groups": [{"Number": 1.5}, {"Number": 3}])", {{3, ""}}, {},
         "a group without a whole \"Number\" skipped"},
        {"number beyond int", R"("Groups": [{"Number": 4294967296}, {"Number": -1, "Name": "N"}])", {{-1, "N"}}, {},
         "a group without a whole \"Number\" skipped"},
        {"name not a text", R"("Groups": [{"Number": 4, "Name": 9}])", {{4, ""}}, {},
         "a group \"Name\" that is not a text read as empty"},
        {"attributes not an object", R"("Groups": [{"Number": 1, "Name": "A"}], "Coordination": ["Time", "t"])",
         {{1, "A"}}, {}, "\"Coordination\" is not an object; the collaboration attributes are empty"},
        {"attribute not a text", R"("Coordination": {"Time": 5, "State": "已修改", "Creater": null})", {},
         {{"State", "已修改"}}, "the collaboration attribute \"Creater\" is not a text and is skipped"},
    };
    struct Kind
    {
        const char* name;
        std::string (*document)(const std::string& entry);
        osg::ref_ptr<osg::Node> (*read)(const std::string& text);
    };
    const Kind kinds[] = {
        {"note", [](const std::string& e) { return R"({"note_list": [{"Type": "Note", )" + e + "}]}"; },
         [](const std::string& t) -> osg::ref_ptr<osg::Node> {
             osg::ref_ptr<NoteManager> m = new NoteManager;
             m->fromJson(t);
             return m->getNumChildren() == 1 ? m->getChild(0) : nullptr;
         }},
        {"measure", [](const std::string& e) { return R"({"measure_list": [{"Kind": 3, )" + e + "}]}"; },
         [](const std::string& t) -> osg::ref_ptr<osg::Node> {
             osg::ref_ptr<MeasureManager> m = new MeasureManager;
             m->fromJson(t);
             return m->getNumChildren() == 1 ? m->getChild(0) : nullptr;
         }},
        {"section", [](const std::string& e) { return R"({"section_list": [{"Plane": [0, 0, 1, 0], )" + e + "}]}"; },
         [](const std::string& t) -> osg::ref_ptr<osg::Node> {
             osg::ref_ptr<SectionManager> m = new SectionManager;
             m->fromJson(t);
             return m->getNumChildren() == 1 ? m->getChild(0) : nullptr;
         }},
    };
    for (const Kind& kind : kinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            LogCapture log;
            osg::ref_ptr<osg::Node> node =
                kind.read(kind.document(std::string(R"("Name": "kept", "Id": 77, )") + c.members));
            ASSERT_TRUE(node.valid());
            auto* info = dynamic_cast<AnnotationInfo*>(node.get());
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(node->getName(), "kept");
            EXPECT_EQ(info->getId(), 77u);
            EXPECT_EQ(info->getGroup(), c.groups);
            EXPECT_EQ(info->CoordinationUserData(), c.attributes);
            if (c.logged)
                EXPECT_TRUE(log.hasLevel("Error", QString("Annotation 77: ") + QString::fromUtf8(c.logged)))
                    << log.lines.join('\n').toStdString();
            else
                EXPECT_TRUE(log.lines.isEmpty()) << log.lines.join('\n').toStdString();
        }
    }
}

} // namespace
