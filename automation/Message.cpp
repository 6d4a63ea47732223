#include "automation/Message.h"

#include <QDataStream>

// The stream keeps Qt's defaults on purpose: big-endian, doubles for floating point (a float
// field travels as 8 bytes), the library's own version. Hosts rely on exactly this layout.

void Message::serialize(QByteArray& out)
{
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << type << handled << needsReply;
    if (type != 0)
        writeBody(stream);
}

void Message::deserialize(const QByteArray& in)
{
    QDataStream stream(in);
    stream >> type >> handled >> needsReply;
    if (type != 0)
        readBody(stream);
}

void Message::writeBody(QDataStream&) {}
void Message::readBody(QDataStream&) {}

namespace MessageBody {

void readString(QDataStream& in, QString& value)
{
    in >> value;
    // Qt leaves a string cut off by the end of the record null; the record rule says empty.
    if (in.status() != QDataStream::Ok)
        value = QString(QLatin1String(""));
}

void writePathId(QDataStream& out, const QString& text, quint64 id) { out << text << id; }
void readPathId(QDataStream& in, QString& text, quint64& id)
{
    readString(in, text);
    in >> id;
}

void writeString(QDataStream& out, const QString& text) { out << text; }
void readOneString(QDataStream& in, QString& text) { readString(in, text); }

void writeTwoU64(QDataStream& out, quint64 a, quint64 b) { out << a << b; }
void readTwoU64(QDataStream& in, quint64& a, quint64& b) { in >> a >> b; }

void writeU64(QDataStream& out, quint64 value) { out << value; }
void readU64(QDataStream& in, quint64& value) { in >> value; }

void writeIdString(QDataStream& out, quint64 id, const QString& text) { out << id << text; }
void readIdString(QDataStream& in, quint64& id, QString& text)
{
    in >> id;
    readString(in, text);
}

void writeIdBool(QDataStream& out, quint64 id, bool flag) { out << id << flag; }
void readIdBool(QDataStream& in, quint64& id, bool& flag) { in >> id >> flag; }

void writeBool(QDataStream& out, bool flag) { out << flag; }
void readBool(QDataStream& in, bool& flag) { in >> flag; }

void writeStringBool(QDataStream& out, const QString& text, bool flag) { out << text << flag; }
void readStringBool(QDataStream& in, QString& text, bool& flag)
{
    readString(in, text);
    in >> flag;
}

void writePositionTwoStrings(QDataStream& out, qint32 position, const QString& a, const QString& b)
{
    out << position << a << b;
}
void readPositionTwoStrings(QDataStream& in, qint32& position, QString& a, QString& b)
{
    in >> position;
    readString(in, a);
    readString(in, b);
}

void writeIdFloat(QDataStream& out, quint64 id, float value) { out << id << value; }
void readIdFloat(QDataStream& in, quint64& id, float& value) { in >> id >> value; }

} // namespace MessageBody

using namespace MessageBody;

// Bodies, in stream order. Shared shapes go through the writers above; the rest is spelled out.
#define NERIO_BODY(Name, writeExpr, readExpr)                                                              \
    void Name::writeBody(QDataStream& out) { writeExpr; }                                                  \
    void Name::readBody(QDataStream& in) { readExpr; }

NERIO_BODY(InitCommMsg, writeTwoU64(out, peerWindow, wParamValue), readTwoU64(in, peerWindow, wParamValue))
NERIO_BODY(OpenFileMsg, writePathId(out, filePath, modelId), readPathId(in, filePath, modelId))
NERIO_BODY(CloseFileMsg, (void)out, (void)in)
NERIO_BODY(OpenRemoteBomFileMsg, writePathId(out, filePath, modelId), readPathId(in, filePath, modelId))
NERIO_BODY(OpenRemoteBomMsg, writePathId(out, bomText, modelId), readPathId(in, bomText, modelId))
NERIO_BODY(InsertRemoteBomMsg, out << modelId << bomText << ok,
           in >> modelId; readString(in, bomText); in >> ok)
NERIO_BODY(SaveRemoteBomMsg, writeString(out, bomText), readOneString(in, bomText))
NERIO_BODY(UpdateModelBomMsg, writeString(out, bomText), readOneString(in, bomText))
NERIO_BODY(ClearAllModelMsg, (void)out, (void)in)
NERIO_BODY(CreateTopModelMsg, writePathId(out, modelName, modelId), readPathId(in, modelName, modelId))
NERIO_BODY(AddModelMsg, out << parentId << position << filePath << modelId,
           in >> parentId >> position; readString(in, filePath); in >> modelId)
NERIO_BODY(RemoveModelMsg, writeTwoU64(out, modelId, ok), readTwoU64(in, modelId, ok))
NERIO_BODY(TopModelMsg, writeU64(out, modelId), readU64(in, modelId))
NERIO_BODY(ChildModelMsg, out << parentId << position << childId, in >> parentId >> position >> childId)
NERIO_BODY(ChildrenModelMsg, writeIdString(out, modelId, idList), readIdString(in, modelId, idList))
NERIO_BODY(TestEventMsg, writeU64(out, value), readU64(in, value))
NERIO_BODY(CommonEventMsg, out << eventCode << text, in >> eventCode; readString(in, text))
NERIO_BODY(GetModelVisibleMsg, out << modelId << visible, in >> modelId >> visible)
NERIO_BODY(SetModelVisibleMsg, out << visible << modelId, in >> visible >> modelId)
NERIO_BODY(GetModelColorMsg, out << modelId << colorText, in >> modelId; readString(in, colorText))
NERIO_BODY(SetModelColorMsg, out << modelId << red << green << blue, in >> modelId >> red >> green >> blue)
NERIO_BODY(GetModelTransparentMsg, writeIdFloat(out, modelId, transparency), readIdFloat(in, modelId, transparency))
NERIO_BODY(SetModelTransparentMsg, writeIdFloat(out, modelId, transparency), readIdFloat(in, modelId, transparency))
NERIO_BODY(SetWidgetVisibleMsg, out << widgetType << visible << spare, in >> widgetType >> visible >> spare)
NERIO_BODY(GetAllNoteMsg, writeString(out, idList), readOneString(in, idList))
NERIO_BODY(OpenCommandMsg, writeStringBool(out, commandName, ok), readStringBool(in, commandName, ok))
NERIO_BODY(CloseCommandMsg, (void)out, (void)in)
NERIO_BODY(AddNoteByFileMsg, writePositionTwoStrings(out, position, filePath, idList),
           readPositionTwoStrings(in, position, filePath, idList))
NERIO_BODY(AddNoteByValueMsg, writePositionTwoStrings(out, position, jsonText, idList),
           readPositionTwoStrings(in, position, jsonText, idList))
NERIO_BODY(SaveNoteToFileMsg, out << noteId << filePath << ok, in >> noteId; readString(in, filePath); in >> ok)
NERIO_BODY(SaveAllNotesToFileMsg, out << filePath << ok, readString(in, filePath); in >> ok)
NERIO_BODY(GetAllNotesValueMsg, writeString(out, jsonText), readOneString(in, jsonText))
NERIO_BODY(GetNoteValueMsg, writeIdString(out, noteId, jsonText), readIdString(in, noteId, jsonText))
NERIO_BODY(RemoveNoteMsg, writeIdBool(out, noteId, ok), readIdBool(in, noteId, ok))
NERIO_BODY(ClearAllNotesMsg, writeBool(out, ok), readBool(in, ok))
NERIO_BODY(GetAllViewIDMsg, writeString(out, idList), readOneString(in, idList))
NERIO_BODY(AddViewByFileMsg, writePositionTwoStrings(out, position, filePath, idList),
           readPositionTwoStrings(in, position, filePath, idList))
NERIO_BODY(AddViewByValueMsg, writePositionTwoStrings(out, position, jsonText, idList),
           readPositionTwoStrings(in, position, jsonText, idList))
NERIO_BODY(SaveViewToFileMsg, out << position << filePath << ok, in >> position; readString(in, filePath); in >> ok)
NERIO_BODY(SaveAllViewsToFileMsg, writeStringBool(out, filePath, ok), readStringBool(in, filePath, ok))
NERIO_BODY(GetAllViewsValueMsg, writeString(out, jsonText), readOneString(in, jsonText))
NERIO_BODY(GetViewValueMsg, writeIdString(out, viewId, jsonText), readIdString(in, viewId, jsonText))
NERIO_BODY(GetViewValueByIndexMsg, out << position << jsonText, in >> position; readString(in, jsonText))
NERIO_BODY(LoadViewMsg, writeIdBool(out, viewId, ok), readIdBool(in, viewId, ok))
NERIO_BODY(RemoveViewMsg, writeIdBool(out, viewId, ok), readIdBool(in, viewId, ok))
NERIO_BODY(ClearAllViewsMsg, writeBool(out, ok), readBool(in, ok))

#undef NERIO_BODY

std::shared_ptr<Message> createMessage(qint64 type)
{
    switch (type) {
    case 1: return std::make_shared<InitCommMsg>();
    case 3: return std::make_shared<OpenFileMsg>();
    case 4: return std::make_shared<CloseFileMsg>();
    case 5: return std::make_shared<OpenRemoteBomFileMsg>();
    case 6: return std::make_shared<OpenRemoteBomMsg>();
    case 7: return std::make_shared<InsertRemoteBomMsg>();
    case 8: return std::make_shared<SaveRemoteBomMsg>();
    case 9: return std::make_shared<UpdateModelBomMsg>();
    case 10: return std::make_shared<ClearAllModelMsg>();
    case 11: return std::make_shared<CreateTopModelMsg>();
    case 12: return std::make_shared<AddModelMsg>();
    case 13: return std::make_shared<RemoveModelMsg>();
    case 14: return std::make_shared<TopModelMsg>();
    case 15: return std::make_shared<ChildModelMsg>();
    case 16: return std::make_shared<ChildrenModelMsg>();
    case 17: return std::make_shared<TestEventMsg>();
    case 18: return std::make_shared<CommonEventMsg>();
    case 19: return std::make_shared<GetModelVisibleMsg>();
    case 20: return std::make_shared<SetModelVisibleMsg>();
    case 21: return std::make_shared<GetModelColorMsg>();
    case 22: return std::make_shared<SetModelColorMsg>();
    case 23: return std::make_shared<GetModelTransparentMsg>();
    case 24: return std::make_shared<SetModelTransparentMsg>();
    case 25: return std::make_shared<SetWidgetVisibleMsg>();
    case 26: return std::make_shared<GetAllNoteMsg>();
    case 27: return std::make_shared<OpenCommandMsg>();
    case 28: return std::make_shared<CloseCommandMsg>();
    case 29: return std::make_shared<AddNoteByFileMsg>();
    case 30: return std::make_shared<AddNoteByValueMsg>();
    case 31: return std::make_shared<SaveNoteToFileMsg>();
    case 32: return std::make_shared<SaveAllNotesToFileMsg>();
    case 33: return std::make_shared<GetAllNotesValueMsg>();
    case 34: return std::make_shared<GetNoteValueMsg>();
    case 35: return std::make_shared<RemoveNoteMsg>();
    case 36: return std::make_shared<ClearAllNotesMsg>();
    case 37: return std::make_shared<GetAllViewIDMsg>();
    case 38: return std::make_shared<AddViewByFileMsg>();
    case 39: return std::make_shared<AddViewByValueMsg>();
    case 40: return std::make_shared<SaveViewToFileMsg>();
    case 41: return std::make_shared<SaveAllViewsToFileMsg>();
    case 42: return std::make_shared<GetAllViewsValueMsg>();
    case 43: return std::make_shared<GetViewValueMsg>();
    case 44: return std::make_shared<GetViewValueByIndexMsg>();
    case 45: return std::make_shared<LoadViewMsg>();
    case 46: return std::make_shared<RemoveViewMsg>();
    case 47: return std::make_shared<ClearAllViewsMsg>();
    default: return {};
    }
}
