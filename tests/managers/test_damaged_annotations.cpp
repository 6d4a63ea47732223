// Damaged note and section documents: what is valid loads, the rest is logged, nothing crashes.

#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <gtest/gtest.h>

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

} // namespace
