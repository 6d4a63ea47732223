#include "automation/Message.h"

#include <gtest/gtest.h>

#include <QDataStream>

#include <functional>

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// One row per record class: id, class check, default needsReply and the body as kinds in stream
// order (i i32, u u64, b bool, f float, s string), written from the protocol table.
struct ClassRow
{
    int id;
    const char* className;
    std::function<bool(Message*)> isClass;
    bool needsReply;
    const char* body;
};

#define ROW(Id, Class, Reply, Body) {Id, #Class, [](Message* m) { return dynamic_cast<Class*>(m) != nullptr; }, Reply, Body}

const std::vector<ClassRow>& classRows()
{
    static const std::vector<ClassRow> rows = {
        ROW(1, InitCommMsg, false, "uu"),           ROW(3, OpenFileMsg, true, "su"),
        ROW(4, CloseFileMsg, false, ""),            ROW(5, OpenRemoteBomFileMsg, true, "su"),
        ROW(6, OpenRemoteBomMsg, true, "su"),       ROW(7, InsertRemoteBomMsg, true, "usu"),
        ROW(8, SaveRemoteBomMsg, true, "s"),        ROW(9, UpdateModelBomMsg, true, "s"),
        ROW(10, ClearAllModelMsg, false, ""),       ROW(11, CreateTopModelMsg, true, "su"),
        ROW(12, AddModelMsg, true, "uisu"),         ROW(13, RemoveModelMsg, true, "uu"),
        ROW(14, TopModelMsg, true, "u"),            ROW(15, ChildModelMsg, true, "uiu"),
        ROW(16, ChildrenModelMsg, true, "us"),      ROW(17, TestEventMsg, false, "u"),
        ROW(18, CommonEventMsg, false, "is"),       ROW(19, GetModelVisibleMsg, true, "ub"),
        ROW(20, SetModelVisibleMsg, true, "bu"),    ROW(21, GetModelColorMsg, true, "us"),
        ROW(22, SetModelColorMsg, false, "ufff"),   ROW(23, GetModelTransparentMsg, true, "uf"),
        ROW(24, SetModelTransparentMsg, false, "uf"), ROW(25, SetWidgetVisibleMsg, false, "ibu"),
        ROW(26, GetAllNoteMsg, true, "s"),          ROW(27, OpenCommandMsg, true, "sb"),
        ROW(28, CloseCommandMsg, false, ""),        ROW(29, AddNoteByFileMsg, true, "iss"),
        ROW(30, AddNoteByValueMsg, true, "iss"),    ROW(31, SaveNoteToFileMsg, true, "usb"),
        ROW(32, SaveAllNotesToFileMsg, true, "sb"), ROW(33, GetAllNotesValueMsg, true, "s"),
        ROW(34, GetNoteValueMsg, true, "us"),       ROW(35, RemoveNoteMsg, true, "ub"),
        ROW(36, ClearAllNotesMsg, true, "b"),       ROW(37, GetAllViewIDMsg, true, "s"),
        ROW(38, AddViewByFileMsg, true, "iss"),     ROW(39, AddViewByValueMsg, true, "iss"),
        ROW(40, SaveViewToFileMsg, true, "isb"),    ROW(41, SaveAllViewsToFileMsg, true, "sb"),
        ROW(42, GetAllViewsValueMsg, true, "s"),    ROW(43, GetViewValueMsg, true, "us"),
        ROW(44, GetViewValueByIndexMsg, true, "is"), ROW(45, LoadViewMsg, true, "ub"),
        ROW(46, RemoveViewMsg, true, "ub"),         ROW(47, ClearAllViewsMsg, true, "b"),
    };
    return rows;
}
#undef ROW

// A record with distinct values in every field (zero values when zero is set), so a field read
// into the wrong place or skipped changes the bytes written back.
QByteArray recordFor(int type, bool handled, bool needsReply, const char* body, bool zero)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s << qint32(type) << handled << needsReply;
    for (int k = 0; body[k]; ++k) {
        switch (body[k]) {
        case 'i': s << qint32(zero ? 0 : -1000 - k); break;
        case 'u': s << quint64(zero ? 0 : 0x8102030405060700ull + quint64(k)); break;
        case 'b': s << bool(zero ? false : k % 2 == 0); break;
        case 'f': s << float(zero ? 0.f : 1.5f + float(k)); break;
        case 's': s << (zero ? QString(QLatin1String("")) : QString::fromUtf8("Zürich ✓ %1").arg(k)); break;
        }
    }
    return bytes;
}

} // namespace

TEST(HostMessages, EveryClassHasItsIdDefaultsAndRoundTripsEveryField)
{
    for (const ClassRow& row : classRows()) {
        SCOPED_TRACE(row.className);
        std::shared_ptr<Message> msg = createMessage(row.id);
        ASSERT_TRUE(msg);
        EXPECT_TRUE(row.isClass(msg.get()));
        EXPECT_EQ(msg->type, row.id);
        EXPECT_EQ(msg->needsReply, row.needsReply);
        EXPECT_FALSE(msg->handled);
        EXPECT_FALSE(msg->replied);

        // Fresh objects carry null strings (the 0xFFFFFFFF marker), never empty ones.
        QByteArray fresh;
        msg->serialize(fresh);
        QByteArray nulls;
        {
            QDataStream s(&nulls, QIODevice::WriteOnly);
            s << qint32(row.id) << false << row.needsReply;
            for (const char* k = row.body; *k; ++k) {
                if (*k == 's')
                    s << QString();
                else
                    s.writeRawData(QByteArray(*k == 'b' ? 1 : *k == 'i' ? 4 : 8, '\0').constData(),
                                   *k == 'b' ? 1 : *k == 'i' ? 4 : 8);
            }
        }
        EXPECT_EQ(fresh.toHex(), nulls.toHex());

        // Flags opposite to the defaults, so they come from the bytes too.
        const QByteArray in = recordFor(row.id, true, !row.needsReply, row.body, false);
        msg->deserialize(in);
        EXPECT_TRUE(msg->handled);
        EXPECT_EQ(msg->needsReply, !row.needsReply);
        EXPECT_FALSE(msg->replied);
        QByteArray out;
        msg->serialize(out);
        EXPECT_EQ(out.toHex(), in.toHex());

        // Only the header present: every body field reads as zero, false or the empty string.
        std::shared_ptr<Message> shortMsg = createMessage(row.id);
        shortMsg->deserialize(in.left(6));
        QByteArray shortOut;
        shortMsg->serialize(shortOut);
        EXPECT_EQ(shortOut.toHex(), recordFor(row.id, true, !row.needsReply, row.body, true).toHex());
    }
}

TEST(HostMessages, IdsWithoutAClassMakeNoObject)
{
    for (qint64 id : {qint64(0), qint64(2), qint64(-1), qint64(-3), qint64(48), qint64(1000),
                      qint64(0x100000003ll), qint64(INT64_MIN)})
        EXPECT_FALSE(createMessage(id)) << id;
}

TEST(HostMessages, ByteLayoutMatchesHandBuiltFixtures)
{
    // Header order is type, handled, needsReply; strings are a byte count and UTF-16 big-endian.
    OpenFileMsg open;
    open.filePath = QStringLiteral("a.dazo");
    open.modelId = 0x0102030405060708ull;
    QByteArray bytes;
    open.serialize(bytes);
    EXPECT_EQ(bytes.toHex(' '), hex("00 00 00 03 00 01 00 00 00 0C 00 61 00 2E 00 64 00 61 00 7A 00 6F "
                                    "01 02 03 04 05 06 07 08")
                                    .toHex(' '));
    EXPECT_EQ(bytes.size(), 30);

    ChildrenModelMsg children;
    children.modelId = 7;
    children.idList = QStringLiteral("12 407 ");
    children.handled = true;
    children.needsReply = false;
    bytes.clear();
    children.serialize(bytes);
    EXPECT_EQ(bytes.toHex(' '), hex("00 00 00 10 01 00 00 00 00 00 00 00 00 07 "
                                    "00 00 00 0E 00 31 00 32 00 20 00 34 00 30 00 37 00 20")
                                    .toHex(' '));

    // A float travels as an 8-byte double.
    SetModelTransparentMsg transparent;
    transparent.modelId = 1;
    transparent.transparency = 0.5f;
    bytes.clear();
    transparent.serialize(bytes);
    EXPECT_EQ(bytes.mid(14).toHex(' '), hex("3F E0 00 00 00 00 00 00").toHex(' '));

    // Null and empty strings differ on the wire.
    GetViewValueMsg view;
    view.viewId = 0;
    bytes.clear();
    view.serialize(bytes);
    EXPECT_EQ(bytes.mid(14).toHex(' '), hex("FF FF FF FF").toHex(' '));
    view.jsonText = QLatin1String("");
    bytes.clear();
    view.serialize(bytes);
    EXPECT_EQ(bytes.mid(14).toHex(' '), hex("00 00 00 00").toHex(' '));

    // Type 0 sends the header only, whatever the class.
    open.type = 0;
    bytes.clear();
    open.serialize(bytes);
    EXPECT_EQ(bytes.toHex(' '), hex("00 00 00 00 00 01").toHex(' '));
}

TEST(HostMessages, FieldsLandInTheirNamedMembers)
{
    // Orders that differ from the obvious: 20 has the flag before the id, 15 the position between
    // the two ids, 18 the code before the text, 7 and 13 a full u64 as their success flag.
    {
        SetModelVisibleMsg m;
        m.deserialize(hex("00 00 00 14 00 01 01 00 00 00 00 00 00 00 2A"));
        EXPECT_TRUE(m.visible);
        EXPECT_EQ(m.modelId, 42u);
    }
    {
        ChildModelMsg m;
        m.deserialize(hex("00 00 00 0F 00 01 00 00 00 00 00 00 00 05 FF FF FF FE 00 00 00 00 00 00 00 09"));
        EXPECT_EQ(m.parentId, 5u);
        EXPECT_EQ(m.position, -2);
        EXPECT_EQ(m.childId, 9u);
    }
    {
        CommonEventMsg m;
        m.deserialize(hex("00 00 00 12 00 00 00 00 00 03 00 00 00 02 00 41"));
        EXPECT_EQ(m.eventCode, 3);
        EXPECT_EQ(m.text, QStringLiteral("A"));
    }
    {
        InsertRemoteBomMsg m;
        m.deserialize(hex("00 00 00 07 01 00 00 00 00 00 00 00 00 0B 00 00 00 02 00 42 00 00 00 00 00 00 00 01"));
        EXPECT_EQ(m.modelId, 11u);
        EXPECT_EQ(m.bomText, QStringLiteral("B"));
        EXPECT_EQ(m.ok, 1u);
        EXPECT_TRUE(m.handled);
        EXPECT_FALSE(m.needsReply);
    }
    {
        AddNoteByFileMsg m;
        m.deserialize(hex("00 00 00 1D 00 01 00 00 00 04 00 00 00 02 00 70 00 00 00 04 00 31 00 20"));
        EXPECT_EQ(m.position, 4);
        EXPECT_EQ(m.filePath, QStringLiteral("p"));
        EXPECT_EQ(m.idList, QStringLiteral("1 "));
    }
    {
        SetModelColorMsg m;
        m.deserialize(hex("00 00 00 16 00 00 00 00 00 00 00 00 00 01 3F D0 00 00 00 00 00 00 "
                          "3F E0 00 00 00 00 00 00 3F F0 00 00 00 00 00 00"));
        EXPECT_EQ(m.modelId, 1u);
        EXPECT_FLOAT_EQ(m.red, 0.25f);
        EXPECT_FLOAT_EQ(m.green, 0.5f);
        EXPECT_FLOAT_EQ(m.blue, 1.0f);
    }
    {
        // Any non-zero byte is true.
        GetModelVisibleMsg m;
        m.deserialize(hex("00 00 00 13 07 02 00 00 00 00 00 00 00 01 80"));
        EXPECT_TRUE(m.handled);
        EXPECT_TRUE(m.needsReply);
        EXPECT_TRUE(m.visible);
    }
}

TEST(HostMessages, DamagedRecordsReadWhatIsThereAndZeroTheRest)
{
    // The path claims 200 bytes but the record ends after 4: the path reads as empty, the id as 0,
    // and fields read earlier keep their values.
    AddModelMsg m;
    m.modelId = 99;
    m.deserialize(hex("00 00 00 0C 00 01 00 00 00 00 00 00 00 03 00 00 00 01 00 00 00 C8 00 61 00 62"));
    EXPECT_EQ(m.parentId, 3u);
    EXPECT_EQ(m.position, 1);
    EXPECT_FALSE(m.filePath.isNull());
    EXPECT_TRUE(m.filePath.isEmpty());
    EXPECT_EQ(m.modelId, 0u);

    // A record cut inside the header.
    TopModelMsg top;
    top.replied = true;
    top.deserialize(hex("00 00"));
    EXPECT_EQ(top.type, 0);
    EXPECT_FALSE(top.needsReply);
    EXPECT_TRUE(top.replied); // never touched by reading

    // An odd byte count cannot be UTF-16 and a huge one cannot fit: neither takes more memory than
    // the record holds nor crashes.
    GetNoteValueMsg odd;
    odd.deserialize(hex("00 00 00 22 00 01 00 00 00 00 00 00 00 01 00 00 00 03 00 41 00"));
    EXPECT_EQ(odd.noteId, 1u);
    EXPECT_TRUE(odd.jsonText.isEmpty());
    GetNoteValueMsg huge;
    huge.deserialize(hex("00 00 00 22 00 01 00 00 00 00 00 00 00 01 7F FF FF FE 00 41"));
    EXPECT_TRUE(huge.jsonText.isEmpty());
}
