// Saved views without a window: the JSON object and its text forms, reading damaged input, applying to
// the annotation managers and the models, clone and copy.
#include "LogCapture.h"

#include "view/UserView.h"
#include "support/TestSupport.h"
#include "vantor/model/Model.h"
#include "vantor/view/ViewManager.h"

#include <gtest/gtest.h>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <QBuffer>
#include <QPainter>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Vantor;

namespace {

std::string write(const rapidjson::Value& value)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    EXPECT_TRUE(value.Accept(writer));
    return buffer.GetString();
}

std::string write(UserView& view)
{
    rapidjson::Document doc;
    return write(view.toJson(doc.GetAllocator()));
}

std::string write(ViewState& part)
{
    rapidjson::Document doc;
    return write(part.toJson(doc.GetAllocator()));
}

std::string listOf(const std::string& views)
{
    return "{\"userview_list\": [" + views + "]}";
}

osg::ref_ptr<UserView> readOne(const std::string& viewObject)
{
    auto views = UserView::readList(listOf(viewObject));
    return views.size() == 1 ? views.front() : nullptr;
}

std::vector<std::string> keysOf(const std::string& objectText, const char* member = nullptr)
{
    rapidjson::Document doc;
    doc.Parse(objectText.c_str());
    const rapidjson::Value* object = &doc;
    if (member)
        object = &doc[member];
    std::vector<std::string> keys;
    for (auto it = object->MemberBegin(); it != object->MemberEnd(); ++it)
        keys.emplace_back(it->name.GetString());
    return keys;
}

bool sameBits(const osg::Matrixd& a, const osg::Matrixd& b)
{
    return std::memcmp(a.ptr(), b.ptr(), sizeof(double) * 16) == 0;
}

// A two-level assembly with placements whose numbers need all their digits.
struct Assembly
{
    osg::ref_ptr<Model> top = new Model;
    osg::ref_ptr<Model> a = new Model;
    osg::ref_ptr<Model> b = new Model;
    osg::ref_ptr<Model> c = new Model;
    Assembly()
    {
        top->addChild(a.get());
        top->addChild(b.get());
        b->addChild(c.get());
        a->setMatrix(osg::Matrixd::rotate(0.7123456789, osg::Vec3d(1.0, 2.0, 3.0)) *
                     osg::Matrixd::translate(1234.5678, -0.1, 1.0 / 3.0));
        b->setMatrix(osg::Matrixd::scale(1.1, 1.1, 1.1) * osg::Matrixd::translate(1e-7, 2e9, -5.55));
        c->setMatrix(osg::Matrixd::rotate(osg::PI / 7.0, osg::Z_AXIS));
        b->setColor(osg::Vec4f(0.1f, 0.2f, 0.3f, 1.0f));
        c->setTransparent(0.35);
        c->setNodeMask(0);
    }
    std::vector<Model*> all() const { return {top.get(), a.get(), b.get(), c.get()}; }
};

} // namespace

// ---------------------------------------------------------------- the JSON object

TEST(UserViewJson, FreshViewWritesItsDefaults)
{
    osg::ref_ptr<UserView> view = new UserView;
    EXPECT_EQ(write(*view),
              "{\"ViewID\":0,"
              "\"ManipulatorState\":{\"ManipulatorType\":0,\"PerpectiveCamera\":true,\"Distance\":1.0,"
              "\"Center\":\"0, 0, 0\",\"Rotation\":\"0, 0, 0, 1\"},"
              "\"ModelState\":{},\"ImageState\":{\"image_base64\":\"\"},"
              "\"RefNotes\":[],\"RefMeasures\":[],\"RefSections\":[],\"ViewName\":\"\",\"ViewRemark\":\"\"}");
    EXPECT_EQ(view->typeName(), "UserView");
    EXPECT_TRUE(view->getImage().isNull());
}

TEST(UserViewJson, ManipulatorMembersFollowTheType)
{
    ManipulatorState trackball;
    trackball.perpectiveCamera = false;
    trackball.distance = 0.1f;
    trackball.center.set(1.5, -2.0, 1234.5678);
    trackball.rotation.set(0.0, 0.0, 0.5, 0.75);
    trackball.eye.set(9.0, 9.0, 9.0); // not the trackball's
    EXPECT_EQ(write(trackball), "{\"ManipulatorType\":0,\"PerpectiveCamera\":false,\"Distance\":0.10000000149011612,"
                                "\"Center\":\"1.5, -2, 1234.5678\",\"Rotation\":\"0, 0, 0.5, 0.75\"}");

    ManipulatorState walk;
    walk.manipulatorType = 3;
    walk.useThridpersonView = true;
    walk.pitch = -0.25f;
    walk.thirdPersonOffset = 100.0f;
    walk.eye.set(10.0, 20.0, 1.75);
    walk.rotation.set(0.0, 0.0, 0.0, 1.0);
    walk.center.set(7.0, 7.0, 7.0); // not the walker's
    EXPECT_EQ(write(walk), "{\"ManipulatorType\":3,\"UseThridpersonView\":true,\"Pitch\":-0.25,"
                           "\"ThirdPersonOffset\":100.0,\"Eye\":\"10, 20, 1.75\",\"Rotation\":\"0, 0, 0, 1\"}");

    ManipulatorState other;
    other.manipulatorType = 2;
    EXPECT_EQ(write(other), "{\"ManipulatorType\":2}");
}

TEST(UserViewJson, MembersAreWrittenInOrderAndReadBack)
{
    const std::string source =
        "{\"ViewID\": 1700000000, \"ManipulatorState\": {\"ManipulatorType\": 3, \"UseThridpersonView\": true,"
        " \"Pitch\": 0.5, \"ThirdPersonOffset\": 40, \"Eye\": \"1, 2, 3\", \"Rotation\": \"0, 0.6, 0, 0.8\"},"
        " \"ModelState\": {\"42\": {\"mask\": 0, \"matrix\": \"1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1\","
        " \"material\": \"0.5, 0.25, 1, 1\", \"transparent\": 0.5}},"
        " \"RefSections\": [{\"Id\": 7, \"Visible\": true}], \"RefNotes\": [{\"Id\": 5, \"Visible\": false}],"
        " \"ViewRemark\": \"\xe5\xa4\x87\xe6\xb3\xa8\", \"ViewName\": \"Front\","
        " \"RefMeasures\": [{\"Id\": 6, \"Visible\": true}]}";
    osg::ref_ptr<UserView> view = readOne(source);
    ASSERT_TRUE(view);
    const std::string written = write(*view);
    EXPECT_EQ(keysOf(written), (std::vector<std::string>{"ViewID", "ManipulatorState", "ModelState", "ImageState",
                                                         "RefNotes", "RefMeasures", "RefSections", "ViewName",
                                                         "ViewRemark"}));
    EXPECT_EQ(keysOf(written, "ManipulatorState"),
              (std::vector<std::string>{"ManipulatorType", "UseThridpersonView", "Pitch", "ThirdPersonOffset", "Eye",
                                        "Rotation"}));
    EXPECT_NE(written.find("\"ModelState\":{\"42\":{\"mask\":0,\"matrix\":\"1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, "
                           "5, 6, 7, 1\",\"material\":\"0.5, 0.25, 1, 1\",\"transparent\":0.5}}"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("\"RefNotes\":[{\"Id\":5,\"Visible\":false}],\"RefMeasures\":[{\"Id\":6,\"Visible\":true}],"
                           "\"RefSections\":[{\"Id\":7,\"Visible\":true}],\"ViewName\":\"Front\","
                           "\"ViewRemark\":\"\xe5\xa4\x87\xe6\xb3\xa8\"}"),
              std::string::npos)
        << written;
    EXPECT_EQ(view->getViewID(), 1700000000);

    // Written and read again, nothing changes.
    osg::ref_ptr<UserView> again = readOne(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(write(*again), written);
}

TEST(UserViewJson, IdsKeepAllSixtyFourBits)
{
    const uint64_t big = (uint64_t(1) << 53) + 1;
    const uint64_t top = std::numeric_limits<uint64_t>::max();
    const std::string source = "{\"ViewID\": 9007199254740993, \"ModelState\": {\"18446744073709551615\": {}},"
                               " \"RefNotes\": [{\"Id\": 9007199254740993, \"Visible\": true}],"
                               " \"RefMeasures\": [{\"Id\": 18446744073709551615, \"Visible\": true}],"
                               " \"RefSections\": [{\"Id\": 9223372036854775809, \"Visible\": false}]}";
    osg::ref_ptr<UserView> view = readOne(source);
    ASSERT_TRUE(view);
    osg::ref_ptr<UserView> back = readOne(write(*view));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getViewID(), int64_t(big));
    EXPECT_EQ(back->getModelState().getModelViews()->front().modelId, top);
    EXPECT_EQ(back->getNoteState().getRecords()->front().id, big);
    EXPECT_EQ(back->getMeasureState().getRecords()->front().id, top);
    EXPECT_EQ(back->getSectionState().getRecords()->front().id, (uint64_t(1) << 63) + 1);

    // Negative view ids, and ids beyond the signed range keep their bits.
    EXPECT_EQ(readOne("{\"ViewID\": -5}")->getViewID(), -5);
    EXPECT_EQ(uint64_t(readOne("{\"ViewID\": 18446744073709551615}")->getViewID()), top);
}

TEST(UserViewJson, ThumbnailTravelsAsBase64Png)
{
    QImage picture(128, 96, QImage::Format_ARGB32);
    picture.fill(QColor(10, 200, 30));
    QPainter(&picture).fillRect(10, 10, 50, 20, QColor(250, 0, 0));
    const std::string object = "{\"ImageState\": {\"image_base64\": \"";
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
    osg::ref_ptr<UserView> view = readOne(object + png.toBase64().toStdString() + "\"}}");
    ASSERT_TRUE(view);
    ASSERT_EQ(view->getImage().size(), QSize(128, 96));

    rapidjson::Document doc;
    rapidjson::Value json = view->toJson(doc.GetAllocator());
    const QByteArray written(json["ImageState"]["image_base64"].GetString());
    EXPECT_TRUE(written.startsWith("iVBORw0KGgo")); // the PNG signature in Base64
    QImage back;
    ASSERT_TRUE(back.loadFromData(QByteArray::fromBase64(written)));
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), picture);

    // Empty or undecodable text leaves no picture.
    for (const char* text : {"", "@@@@", "aGVsbG8="})
        EXPECT_TRUE(readOne(object + text + "\"}}")->getImage().isNull()) << text;
}

// ---------------------------------------------------------------- text forms

TEST(UserViewText, NumbersUseTheShortestExactForm)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        {0.5, "0.5"},
        {100.0, "100"},
        {0.00001, "1e-05"},
        {1234567.0, "1234567"},
        {1234.5678, "1234.5678"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {-0.0, "-0"},
        {std::nan(""), "0"},
        {std::numeric_limits<double>::infinity(), "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ViewText::number(c.value), c.text) << c.value;
    EXPECT_EQ(ViewText::number(0.1f), "0.1");
    EXPECT_EQ(ViewText::number(0.7f), "0.7");
    EXPECT_EQ(ViewText::number(1.0f / 3.0f), "0.33333334");

    // Whatever the value, the text reads back to the same bits.
    osg::Matrixd m = osg::Matrixd::rotate(1.2345, osg::Vec3d(0.3, -0.4, 0.5)) *
                     osg::Matrixd::translate(1e-300, 6.02214076e23, -std::sqrt(2.0));
    osg::Matrixd back(osg::Matrixd::identity());
    ASSERT_TRUE(ViewText::readMatrix(ViewText::matrixText(m), back));
    EXPECT_TRUE(sameBits(m, back)) << ViewText::matrixText(m);
}

TEST(UserViewText, VectorsReadWithAnyBlanks)
{
    const osg::Vec3d kept(7.0, 8.0, 9.0);
    const struct
    {
        const char* text;
        bool read;
        osg::Vec3d value;
    } cases[] = {
        {"1,2,3", true, {1, 2, 3}},
        {" 1 , 2 ,\t3 ", true, {1, 2, 3}},
        {"1, 2, 3", true, {1, 2, 3}},
        {"1.5e3, -0.25, 1234.57", true, {1500, -0.25, 1234.57}}, // six-digit files still read
        {"1, 2, 3, 4", true, {1, 2, 3}},
        {"1, 2", false, kept},
        {"", false, kept},
        {"a, b, c", false, kept},
        {"1,,3", false, kept},
        {"1 2 3", false, kept},
    };
    for (const auto& c : cases) {
        osg::Vec3d v = kept;
        EXPECT_EQ(ViewText::readVector(c.text, v), c.read) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST(UserViewText, QuadruplesSplitAtBlanks)
{
    const osg::Quat kept(0.0, 0.0, 0.0, 1.0);
    const struct
    {
        const char* text;
        bool read;
        osg::Quat value;
    } cases[] = {
        {"0, 0, 0, 1", true, {0, 0, 0, 1}},
        {"0.1 0.2 0.3 0.9", true, {0.1, 0.2, 0.3, 0.9}},
        {"0,   0.6,  0, 0.8", true, {0, 0.6, 0, 0.8}},
        {"0,0,0,1", false, kept},      // one piece for the blank split
        {"0, 0.6, 0.8", false, kept},  // three pieces
        {"0, 0, 0, 1, 0", false, kept},
        {"0, 0, 0, 0", false, kept},   // no rotation at all
        {"x, 0, 0, 1", false, kept},
        {"", false, kept},
    };
    for (const auto& c : cases) {
        osg::Quat q = kept;
        EXPECT_EQ(ViewText::readRotation(c.text, q), c.read) << c.text;
        EXPECT_EQ(q, c.value) << c.text;
    }

    osg::Vec4f colour(1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(ViewText::readColour("0.5, 0.25, 0, 1", colour));
    EXPECT_EQ(colour, osg::Vec4f(0.5f, 0.25f, 0.0f, 1.0f));
    EXPECT_FALSE(ViewText::readColour("0.5,0.25,0,1", colour));
    EXPECT_EQ(colour, osg::Vec4f(0.5f, 0.25f, 0.0f, 1.0f));
    EXPECT_TRUE(ViewText::readColour("0, 0, 0, 0", colour)); // a colour may be all zero
}

TEST(UserViewText, MatricesNeedSixteenNumbers)
{
    osg::Matrixd m;
    ASSERT_TRUE(ViewText::readMatrix("1,0,0,0, 0,1,0,0, 0,0,1,0, 1234.57,2,3,1", m));
    EXPECT_EQ(m.getTrans(), osg::Vec3d(1234.57, 2.0, 3.0));
    const osg::Matrixd before = m;
    for (const char* text : {"1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7", "", "identity",
                             "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, x, 7, 1"}) {
        EXPECT_FALSE(ViewText::readMatrix(text, m)) << text;
        EXPECT_TRUE(sameBits(m, before)) << text;
    }
}

TEST(UserViewText, MalformedCameraTextsKeepTheCamera)
{
    osg::ref_ptr<UserView> view = readOne(
        "{\"ManipulatorState\": {\"ManipulatorType\": 0, \"Center\": \"1,2\", \"Rotation\": \"0,0,0,1\","
        " \"Distance\": 1e300, \"PerpectiveCamera\": \"yes\"}}");
    ASSERT_TRUE(view);
    const ManipulatorState& state = view->getManipulatorState();
    EXPECT_EQ(state.center, osg::Vec3d(0, 0, 0));
    EXPECT_EQ(state.rotation, osg::Quat(0, 0, 0, 1));
    EXPECT_EQ(state.distance, 1.0f); // out of float range: kept
    EXPECT_TRUE(state.perpectiveCamera);
}

// ---------------------------------------------------------------- damaged input

TEST(UserViewJson, ListDocumentsThatAreNotListsYieldNoViews)
{
    for (const char* text : {"", "not json", "[]", "{}", "{\"userview_list\": 5}", "{\"userview_list\": {}}",
                             "{\"userview_list\": [", "\"userview_list\""})
        EXPECT_TRUE(UserView::readList(text).empty()) << text;
    std::string deep(100000, '[');
    EXPECT_TRUE(UserView::readList("{\"userview_list\": " + deep).empty());

    // Elements that are not objects are skipped; an empty object is a default view.
    auto views = UserView::readList(listOf("1, \"x\", null, [], {}, {\"ViewName\": \"B\"}"));
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(write(*views[0]), write(*osg::ref_ptr<UserView>(new UserView)));
    EXPECT_EQ(views[1]->getViewName(), "B");
}

TEST(UserViewJson, MembersOfTheWrongKindAreIgnored)
{
    osg::ref_ptr<UserView> view = readOne(
        "{\"ViewID\": \"12\", \"ManipulatorState\": [1], \"ModelState\": [], \"ImageState\": \"png\","
        " \"RefNotes\": {}, \"RefMeasures\": 3, \"RefSections\": null, \"ViewName\": 7, \"ViewRemark\": false}");
    ASSERT_TRUE(view);
    EXPECT_EQ(write(*view), write(*osg::ref_ptr<UserView>(new UserView)));

    view = readOne(
        "{\"ViewID\": 1.5, \"ManipulatorState\": {\"ManipulatorType\": \"0\", \"Center\": \"1, 2, 3\"},"
        " \"ModelState\": {\"1\": 5, \"2\": {\"mask\": -1, \"matrix\": 3, \"material\": [1], \"transparent\": \"x\"}},"
        " \"ImageState\": {\"image_base64\": 12},"
        " \"RefNotes\": [5, {\"Visible\": true}, {\"Id\": -3}, {\"Id\": 2.5}, {\"Id\": 9, \"Visible\": 1}]}");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->getViewID(), 0);
    EXPECT_EQ(view->getManipulatorState().center, osg::Vec3d(0, 0, 0)); // no valid type: ignored whole
    const auto models = view->getModelState().getModelViews();
    ASSERT_EQ(models->size(), 1u);
    EXPECT_EQ(models->front().modelId, 2u);
    EXPECT_EQ(models->front().mask, 0xFFFFFFFFu);
    EXPECT_TRUE(models->front().matrix.isIdentity());
    EXPECT_EQ(models->front().transparency, 1.0f);
    const auto notes = view->getNoteState().getRecords();
    ASSERT_EQ(notes->size(), 1u);
    EXPECT_EQ(notes->front().id, 9u);
    EXPECT_FALSE(notes->front().visible);
}

TEST(UserViewJson, ModelKeysReadAsDecimalIds)
{
    osg::ref_ptr<UserView> view = readOne(
        "{\"ModelState\": {\"abc\": {}, \"12x\": {}, \"99999999999999999999\": {}, \"007\": {}}}");
    ASSERT_TRUE(view);
    std::vector<uint64_t> ids;
    for (const ModelView& record : *view->getModelState().getModelViews())
        ids.push_back(record.modelId);
    EXPECT_EQ(ids, (std::vector<uint64_t>{0, 12, 0, 7}));
}

TEST(UserViewJson, ReadingAgainReplacesEveryList)
{
    const std::string object = "{\"ModelState\": {\"1\": {}}, \"RefNotes\": [{\"Id\": 1, \"Visible\": true}],"
                               " \"RefMeasures\": [{\"Id\": 2, \"Visible\": true}],"
                               " \"RefSections\": [{\"Id\": 3, \"Visible\": true}]}";
    rapidjson::Document doc;
    doc.Parse(object.c_str());
    osg::ref_ptr<UserView> view = new UserView;
    view->fromJson(doc);
    view->fromJson(doc);
    EXPECT_EQ(view->getModelState().getModelViews()->size(), 1u);
    EXPECT_EQ(view->getNoteState().getRecords()->size(), 1u);
    EXPECT_EQ(view->getMeasureState().getRecords()->size(), 1u);
    EXPECT_EQ(view->getSectionState().getRecords()->size(), 1u);
}

TEST(UserViewJson, OversizedPicturesAreRefused)
{
    QImage huge(5000, 2, QImage::Format_RGB32);
    huge.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(huge.save(&buffer, "PNG"));
    osg::ref_ptr<UserView> view =
        readOne("{\"ImageState\": {\"image_base64\": \"" + png.toBase64().toStdString() + "\"}, \"ViewName\": \"x\"}");
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->getImage().isNull());
    EXPECT_EQ(view->getViewName(), "x");
}

// A picture is kept at the size a thumbnail is shown, whatever size it was stored at, and one that
// claims more pixels than its bytes can hold is not decoded at all.
TEST(UserViewJson, PicturesAreKeptAtTheSizeShown)
{
    auto encoded = [](const QImage& image) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    };
    QImage large(1024, 512, QImage::Format_RGB32);
    for (int y = 0; y < large.height(); ++y)
        for (int x = 0; x < large.width(); ++x)
            large.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    osg::ref_ptr<UserView> view =
        readOne("{\"ImageState\": {\"image_base64\": \"" + encoded(large).toBase64().toStdString() + "\"}}");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->getImage().size(), QSize(128, 64));

    // The stored size of a small picture claimed as 4096 by 4096: its header says so, its bytes cannot.
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QByteArray claim = encoded(small);
    ASSERT_EQ(claim.mid(12, 4), QByteArray("IHDR"));
    const char side[4] = {0, 0, 0x10, 0};
    claim.replace(16, 4, side, 4);
    claim.replace(20, 4, side, 4);
    quint32 crc = 0xffffffffu; // over the chunk's type and data, as the format asks
    for (int i = 12; i < 29; ++i) {
        crc ^= quint8(claim[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xffffffffu;
    const char crcBytes[4] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
    claim.replace(29, 4, crcBytes, 4);
    LogCapture log;
    view = readOne("{\"ImageState\": {\"image_base64\": \"" + claim.toBase64().toStdString() + "\"}}");
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->getImage().isNull());
    EXPECT_TRUE(log.lines.filter("4096 x 4096 pixels in").size() == 1) << log.lines.join("\n").toStdString();
}

// ---------------------------------------------------------------- capture and apply

TEST(UserViewApply, NotesAndMeasuresNotListedEndHidden)
{
    osg::ref_ptr<NoteManager> notes = new NoteManager;
    osg::ref_ptr<Note> n[3] = {new Note, new Note, new Note};
    for (auto& note : n)
        notes->InsertNotations(note, -1);
    osg::ref_ptr<MeasureManager> measures = new MeasureManager;
    osg::ref_ptr<Measure> m[2] = {new Measure, new Measure};
    for (auto& measure : m)
        measures->InsertMeasure(measure, -1);

    const struct
    {
        std::string refNotes;
        std::vector<bool> shown;
    } cases[] = {
        {"[]", {false, false, false}},
        {"[{\"Id\": " + std::to_string(n[1]->getId()) + ", \"Visible\": true}, {\"Id\": 424242, \"Visible\": true}]",
         {false, true, false}},
        {"[{\"Id\": " + std::to_string(n[0]->getId()) + ", \"Visible\": true}, {\"Id\": " +
             std::to_string(n[2]->getId()) + ", \"Visible\": false}]",
         {true, false, false}},
    };
    for (const auto& c : cases) {
        notes->ShowAllNote();
        measures->ShowAllMeasure();
        osg::ref_ptr<UserView> view = readOne("{\"RefNotes\": " + c.refNotes + ", \"RefMeasures\": [{\"Id\": " +
                                              std::to_string(m[1]->getId()) + ", \"Visible\": true}]}");
        ASSERT_TRUE(view);
        view->setNoteManager(notes);
        view->setMeasureManager(measures);
        view->apply();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(n[i]->getNodeMask() != 0, c.shown[i]) << c.refNotes << " note " << i;
        EXPECT_EQ(m[0]->getNodeMask(), 0u);
        EXPECT_NE(m[1]->getNodeMask(), 0u);
    }
}

TEST(UserViewApply, SectionsListedAreOpenedOrClosedOthersStay)
{
    osg::ref_ptr<osg::Group> scene = new osg::Group;
    osg::ref_ptr<SectionManager> sections = new SectionManager;
    scene->addChild(sections.get());
    osg::ref_ptr<Section> s[3] = {new Section, new Section, new Section};
    for (auto& section : s)
        sections->InsertSection(section, -1);
    sections->OpenSection(s[0]);
    sections->OpenSection(s[2]);

    osg::ref_ptr<UserView> none = readOne("{\"RefSections\": []}");
    none->setSectionManager(sections);
    none->apply();
    EXPECT_TRUE(s[0]->getOpened());
    EXPECT_FALSE(s[1]->getOpened());
    EXPECT_TRUE(s[2]->getOpened());

    osg::ref_ptr<UserView> view = readOne("{\"RefSections\": [{\"Id\": " + std::to_string(s[0]->getId()) +
                                          ", \"Visible\": false}, {\"Id\": " + std::to_string(s[1]->getId()) +
                                          ", \"Visible\": true}, {\"Id\": 31337, \"Visible\": true}]}");
    view->setSectionManager(sections);
    view->apply();
    EXPECT_FALSE(s[0]->getOpened());
    EXPECT_TRUE(s[1]->getOpened());
    EXPECT_TRUE(s[2]->getOpened());

    // Captured back, the view lists every section with its state.
    osg::ref_ptr<UserView> captured = new UserView;
    captured->setSectionManager(sections);
    captured->capture();
    std::vector<bool> opened;
    for (const SectionData& record : *captured->getSectionState().getRecords())
        opened.push_back(record.opened);
    EXPECT_EQ(opened, (std::vector<bool>{false, true, true}));
}

TEST(UserViewApply, CaptureThenApplyRestoresModelsExactly)
{
    Assembly scene;
    std::vector<osg::Matrixd> matrices;
    std::vector<unsigned> masks;
    for (Model* model : scene.all()) {
        matrices.push_back(model->getMatrix());
        masks.push_back(model->getNodeMask());
    }

    osg::ref_ptr<UserView> view = new UserView;
    view->setTopModel(scene.top.get());
    view->capture(); // no scene view: camera and picture are left out, models are captured
    ASSERT_EQ(view->getModelState().getModelViews()->size(), 4u);

    // Applied to the unchanged scene, nothing moves.
    view->apply();
    for (std::size_t i = 0; i < matrices.size(); ++i)
        EXPECT_TRUE(sameBits(scene.all()[i]->getMatrix(), matrices[i])) << i;

    // Written to text and read into a new view bound to the scene, the models go back bit for bit.
    const std::string text = listOf(write(*view));
    scene.a->setMatrix(osg::Matrixd::translate(1.0, 1.0, 1.0));
    scene.b->setColor(osg::Vec4f(1.0f, 0.0f, 0.0f, 1.0f));
    scene.c->setNodeMask(0xFFFFFFFFu);
    scene.c->setTransparent(1.0);
    auto views = UserView::readList(text);
    ASSERT_EQ(views.size(), 1u);
    views[0]->setTopModel(scene.top.get());
    ModelState models = views[0]->getModelState();
    models.attachNodes();
    views[0]->apply();
    for (std::size_t i = 0; i < matrices.size(); ++i) {
        EXPECT_TRUE(sameBits(scene.all()[i]->getMatrix(), matrices[i])) << i;
        EXPECT_EQ(scene.all()[i]->getNodeMask(), masks[i]) << i;
    }
    EXPECT_EQ(scene.b->getColor().r(), 0.1f);
    EXPECT_EQ(scene.b->getColor().g(), 0.2f);
    EXPECT_FLOAT_EQ(scene.c->getTransparent(), 0.35);
}

TEST(UserViewApply, ModelsThatLookAsRecordedGetNoMaterialOfTheirOwn)
{
    // Parts coloured below the model (in their geometry) keep their colours when a view is applied.
    Assembly scene;
    auto ownMaterial = [](const Model* model) {
        const osg::StateSet* state = model->getStateSet();
        return state && state->getAttribute(osg::StateAttribute::MATERIAL);
    };
    ASSERT_FALSE(ownMaterial(scene.top.get()));
    ASSERT_FALSE(ownMaterial(scene.a.get()));
    osg::ref_ptr<UserView> view = new UserView;
    view->setTopModel(scene.top.get());
    view->capture();
    view->apply();
    EXPECT_FALSE(ownMaterial(scene.top.get()));
    EXPECT_FALSE(ownMaterial(scene.a.get()));

    // A model given another colour since gets the recorded one back.
    const osg::Vec4f recorded = scene.a->getColor();
    scene.a->setColor(osg::Vec4f(0.0f, 1.0f, 0.0f, 1.0f));
    view->apply();
    EXPECT_EQ(scene.a->getColor(), recorded);
}

TEST(UserViewApply, RecordsWithoutANodeAreSkipped)
{
    Assembly scene;
    const osg::Matrixd before = scene.a->getMatrix();
    const std::string object = "{\"ModelState\": {\"" + std::to_string(scene.a->getModelID()) +
                               "\": {\"mask\": 0, \"matrix\": \"2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1\"},"
                               " \"123456789\": {\"mask\": 0}}}";

    // Read without a top model: records but no nodes, so applying touches nothing.
    osg::ref_ptr<UserView> view = readOne(object);
    ASSERT_EQ(view->getModelState().getModelViews()->size(), 2u);
    view->setTopModel(scene.top.get());
    view->apply();
    EXPECT_TRUE(sameBits(scene.a->getMatrix(), before));
    EXPECT_NE(scene.a->getNodeMask(), 0u);

    // Bound to the scene, the known model is placed and the unknown one stays without a node.
    ModelState bound = view->getModelState();
    bound.attachNodes();
    ASSERT_EQ(view->getModelState().getModelViews()->front().node.get(), scene.a.get());
    EXPECT_FALSE(view->getModelState().getModelViews()->back().node);
    view->apply();
    EXPECT_EQ(scene.a->getMatrix().getScale(), osg::Vec3d(2, 2, 2));
    EXPECT_EQ(scene.a->getNodeMask(), 0u);

    // Read with the top model set, the unknown model is dropped at once.
    rapidjson::Document doc;
    doc.Parse(object.c_str());
    osg::ref_ptr<UserView> direct = new UserView;
    direct->setTopModel(scene.top.get());
    direct->fromJson(doc);
    ASSERT_EQ(direct->getModelState().getModelViews()->size(), 1u);
    EXPECT_EQ(direct->getModelState().getModelViews()->front().node.get(), scene.a.get());
}

TEST(UserViewApply, EmptySceneCapturesKeepTheLists)
{
    osg::ref_ptr<UserView> view =
        readOne("{\"ModelState\": {\"5\": {}}, \"RefNotes\": [{\"Id\": 1, \"Visible\": true}],"
                " \"RefMeasures\": [{\"Id\": 2, \"Visible\": true}], \"RefSections\": [{\"Id\": 3, \"Visible\": true}]}");
    view->setTopModel(new osg::Group);
    view->setNoteManager(new NoteManager);
    view->setMeasureManager(new MeasureManager);
    view->setSectionManager(new SectionManager);
    view->capture();
    view->apply(); // nothing to show or hide, no crash
    EXPECT_EQ(view->getModelState().getModelViews()->size(), 1u);
    EXPECT_EQ(view->getNoteState().getRecords()->size(), 1u);
    EXPECT_EQ(view->getMeasureState().getRecords()->size(), 1u);
    EXPECT_EQ(view->getSectionState().getRecords()->size(), 1u);

    osg::ref_ptr<UserView> bare = new UserView;
    bare->capture();
    bare->apply();
    EXPECT_EQ(write(*bare), write(*osg::ref_ptr<UserView>(new UserView)));
}

// ---------------------------------------------------------------- clone and copy

TEST(UserViewClone, CloneCarriesAllButTheRemarkWithListsOfItsOwn)
{
    Assembly scene;
    osg::ref_ptr<NoteManager> notes = new NoteManager;
    osg::ref_ptr<Note> note = new Note;
    notes->InsertNotations(note, -1);
    osg::ref_ptr<UserView> source = readOne(
        "{\"ViewID\": 77, \"ManipulatorState\": {\"ManipulatorType\": 3, \"Eye\": \"1, 2, 3\"},"
        " \"ViewName\": \"Top\", \"ViewRemark\": \"checked\"}");
    source->setTopModel(scene.top.get());
    source->setNoteManager(notes);
    source->capture();

    osg::ref_ptr<View> cloned = source->clone();
    auto* clone = dynamic_cast<UserView*>(cloned.get());
    ASSERT_TRUE(clone);
    EXPECT_EQ(clone->getViewID(), 77);
    EXPECT_EQ(clone->getViewName(), "Top");
    EXPECT_EQ(clone->getViewRemark(), "");
    EXPECT_EQ(clone->getManipulatorState().eye, osg::Vec3d(1, 2, 3));
    EXPECT_EQ(clone->getNoteState().getManager(), notes);
    EXPECT_EQ(clone->getModelState().getTopModel().get(), scene.top.get());
    ASSERT_EQ(clone->getModelState().getModelViews()->size(), 4u);
    EXPECT_EQ(clone->getModelState().getModelViews()->front().node.get(), scene.top.get());
    EXPECT_NE(clone->getModelState().getModelViews(), source->getModelState().getModelViews());
    EXPECT_NE(clone->getNoteState().getRecords(), source->getNoteState().getRecords());

    // Changing the source's lists afterwards leaves the clone as it was.
    source->getModelState().getModelViews()->clear();
    source->getNoteState().getRecords()->clear();
    EXPECT_EQ(clone->getModelState().getModelViews()->size(), 4u);
    EXPECT_EQ(clone->getNoteState().getRecords()->size(), 1u);
}

TEST(UserViewClone, CopyTakesAnotherSavedViewAndKeepsItsRemark)
{
    osg::ref_ptr<UserView> target = readOne("{\"ViewID\": 1, \"ViewName\": \"old\", \"ViewRemark\": \"mine\"}");
    osg::ref_ptr<UserView> source = readOne("{\"ViewID\": 2, \"ViewName\": \"new\", \"ViewRemark\": \"theirs\","
                                            " \"RefNotes\": [{\"Id\": 4, \"Visible\": true}]}");
    target->copy(source.get());
    EXPECT_EQ(target->getViewID(), 2);
    EXPECT_EQ(target->getViewName(), "new");
    EXPECT_EQ(target->getViewRemark(), "mine");
    ASSERT_EQ(target->getNoteState().getRecords()->size(), 1u);
    EXPECT_NE(target->getNoteState().getRecords(), source->getNoteState().getRecords());

    // A view that is not a saved view is ignored; copying from itself changes nothing.
    osg::ref_ptr<View> plain = new View;
    plain->setViewID(99);
    target->copy(plain);
    target->copy(nullptr);
    target->copy(target.get());
    EXPECT_EQ(target->getViewID(), 2);
    EXPECT_EQ(target->getNoteState().getRecords()->size(), 1u);

    // The model part handed out shares the view's list.
    ModelState shared = target->getModelState();
    shared.getModelViews()->push_back(ModelView());
    EXPECT_EQ(target->getModelState().getModelViews()->size(), 1u);
}

TEST(UserViewClone, ViewManagerWritesTheListDocument)
{
    osg::ref_ptr<ViewManager> manager = new ViewManager;
    manager->AddView(readOne("{\"ViewID\": 1, \"ViewName\": \"A\"}"));
    manager->AddView(readOne("{\"ViewID\": 2, \"ViewName\": \"B\"}"));
    const std::string text = write(manager->toJson());
    auto views = UserView::readList(text);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0]->getViewName(), "A");
    EXPECT_EQ(views[1]->getViewID(), 2);
}
