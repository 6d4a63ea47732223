#pragma once

// Records exchanged with an embedding host. The same object serves as request and reply: the
// receiver writes its answers into the reply fields of the object it received and sends it back.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

class QDataStream;

class Message
{
public:
    Message() = default;
    // Not needed by the shared_ptr ownership (always made for the concrete class), but cheap insurance.
    virtual ~Message() = default;

    // Writes type, handled, needsReply and (for a non-zero type) the body.
    virtual void serialize(QByteArray& out);
    // Reads the same fields over the current values; fields past the end read as zero, false or "".
    virtual void deserialize(const QByteArray& in);
    virtual void writeBody(QDataStream& out);
    virtual void readBody(QDataStream& in);

    qint32 type = 0;
    bool needsReply = false;
    bool handled = false;
    // Set locally when this object was filled from the answer to a request of ours; never sent.
    bool replied = false;

protected:
    Message(qint32 typeId, bool wantsReply) : type(typeId), needsReply(wantsReply) {}
};

// Empty object of the class for a type id (1 and 3 to 47); an empty pointer for any other id.
std::shared_ptr<Message> createMessage(qint64 type);

// Field readers that keep the "past the end reads as zero, false or empty" rule for strings too
// (Qt leaves a truncated string null). Used by every body reader.
namespace MessageBody {
void readString(QDataStream& in, QString& value);

// Writers and readers of the body shapes that several classes share.
void writePathId(QDataStream& out, const QString& text, quint64 id);
void readPathId(QDataStream& in, QString& text, quint64& id);
void writeString(QDataStream& out, const QString& text);
void readOneString(QDataStream& in, QString& text);
void writeTwoU64(QDataStream& out, quint64 a, quint64 b);
void readTwoU64(QDataStream& in, quint64& a, quint64& b);
void writeU64(QDataStream& out, quint64 value);
void readU64(QDataStream& in, quint64& value);
void writeIdString(QDataStream& out, quint64 id, const QString& text);
void readIdString(QDataStream& in, quint64& id, QString& text);
void writeIdBool(QDataStream& out, quint64 id, bool flag);
void readIdBool(QDataStream& in, quint64& id, bool& flag);
void writeBool(QDataStream& out, bool flag);
void readBool(QDataStream& in, bool& flag);
void writeStringBool(QDataStream& out, const QString& text, bool flag);
void readStringBool(QDataStream& in, QString& text, bool& flag);
void writePositionTwoStrings(QDataStream& out, qint32 position, const QString& a, const QString& b);
void readPositionTwoStrings(QDataStream& in, qint32& position, QString& a, QString& b);
void writeIdFloat(QDataStream& out, quint64 id, float value);
void readIdFloat(QDataStream& in, quint64& id, float& value);
} // namespace MessageBody

// Declares one concrete record class: its id, default needsReply and body operations.
#define NERIO_MESSAGE_CLASS(Name, Id, Reply)                                                                \
public:                                                                                                    \
    static constexpr qint32 TypeId = Id;                                                                   \
    Name() : Message(Id, Reply) {}                                                                         \
    void writeBody(QDataStream& out) override;                                                             \
    void readBody(QDataStream& in) override;

class InitCommMsg : public Message
{
    NERIO_MESSAGE_CLASS(InitCommMsg, 1, false)
    quint64 peerWindow = 0;
    quint64 wParamValue = 0;
};

class OpenFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(OpenFileMsg, 3, true)
    QString filePath;
    quint64 modelId = 0; // reply
};

class CloseFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(CloseFileMsg, 4, false)
};

class OpenRemoteBomFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(OpenRemoteBomFileMsg, 5, true)
    QString filePath;
    quint64 modelId = 0; // reply
};

class OpenRemoteBomMsg : public Message
{
    NERIO_MESSAGE_CLASS(OpenRemoteBomMsg, 6, true)
    QString bomText;
    quint64 modelId = 0; // reply
};

class InsertRemoteBomMsg : public Message
{
    NERIO_MESSAGE_CLASS(InsertRemoteBomMsg, 7, true)
    quint64 modelId = 0;
    QString bomText;
    quint64 ok = 0; // reply, 0 or 1 as a full u64
};

class SaveRemoteBomMsg : public Message
{
    NERIO_MESSAGE_CLASS(SaveRemoteBomMsg, 8, true)
    QString bomText; // reply
};

class UpdateModelBomMsg : public Message
{
    NERIO_MESSAGE_CLASS(UpdateModelBomMsg, 9, true)
    QString bomText;
};

class ClearAllModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(ClearAllModelMsg, 10, false)
};

class CreateTopModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(CreateTopModelMsg, 11, true)
    QString modelName;
    quint64 modelId = 0; // reply
};

class AddModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(AddModelMsg, 12, true)
    quint64 parentId = 0;
    qint32 position = 0;
    QString filePath;
    quint64 modelId = 0; // reply
};

class RemoveModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(RemoveModelMsg, 13, true)
    quint64 modelId = 0;
    quint64 ok = 0; // reply, 0 or 1 as a full u64
};

class TopModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(TopModelMsg, 14, true)
    quint64 modelId = 0; // reply
};

class ChildModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(ChildModelMsg, 15, true)
    quint64 parentId = 0;
    qint32 position = 0;
    quint64 childId = 0; // reply
};

class ChildrenModelMsg : public Message
{
    NERIO_MESSAGE_CLASS(ChildrenModelMsg, 16, true)
    quint64 modelId = 0;
    QString idList; // reply
};

class TestEventMsg : public Message
{
    NERIO_MESSAGE_CLASS(TestEventMsg, 17, false)
    quint64 value = 0;
};

class CommonEventMsg : public Message
{
    NERIO_MESSAGE_CLASS(CommonEventMsg, 18, false)
    qint32 eventCode = 0;
    QString text;
};

class GetModelVisibleMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetModelVisibleMsg, 19, true)
    quint64 modelId = 0;
    bool visible = false; // reply
};

class SetModelVisibleMsg : public Message
{
    NERIO_MESSAGE_CLASS(SetModelVisibleMsg, 20, true)
    bool visible = false; // the flag travels before the id here
    quint64 modelId = 0;
};

class GetModelColorMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetModelColorMsg, 21, true)
    quint64 modelId = 0;
    QString colorText; // reply, "r g b" in 0-255
};

class SetModelColorMsg : public Message
{
    NERIO_MESSAGE_CLASS(SetModelColorMsg, 22, false)
    quint64 modelId = 0;
    float red = 0;
    float green = 0;
    float blue = 0;
};

class GetModelTransparentMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetModelTransparentMsg, 23, true)
    quint64 modelId = 0;
    float transparency = 0; // reply
};

class SetModelTransparentMsg : public Message
{
    NERIO_MESSAGE_CLASS(SetModelTransparentMsg, 24, false)
    quint64 modelId = 0;
    float transparency = 0;
};

class SetWidgetVisibleMsg : public Message
{
    NERIO_MESSAGE_CLASS(SetWidgetVisibleMsg, 25, false)
    qint32 widgetType = 0;
    bool visible = false;
    quint64 spare = 0; // carried both ways, never read
};

class GetAllNoteMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetAllNoteMsg, 26, true)
    QString idList; // reply
};

class OpenCommandMsg : public Message
{
    NERIO_MESSAGE_CLASS(OpenCommandMsg, 27, true)
    QString commandName;
    bool ok = false; // reply
};

class CloseCommandMsg : public Message
{
    NERIO_MESSAGE_CLASS(CloseCommandMsg, 28, false)
};

class AddNoteByFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(AddNoteByFileMsg, 29, true)
    qint32 position = 0;
    QString filePath;
    QString idList; // reply
};

class AddNoteByValueMsg : public Message
{
    NERIO_MESSAGE_CLASS(AddNoteByValueMsg, 30, true)
    qint32 position = 0;
    QString jsonText;
    QString idList; // reply
};

class SaveNoteToFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(SaveNoteToFileMsg, 31, true)
    quint64 noteId = 0;
    QString filePath;
    bool ok = false; // reply
};

class SaveAllNotesToFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(SaveAllNotesToFileMsg, 32, true)
    QString filePath;
    bool ok = false; // reply
};

class GetAllNotesValueMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetAllNotesValueMsg, 33, true)
    QString jsonText; // reply
};

class GetNoteValueMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetNoteValueMsg, 34, true)
    quint64 noteId = 0;
    QString jsonText; // reply
};

class RemoveNoteMsg : public Message
{
    NERIO_MESSAGE_CLASS(RemoveNoteMsg, 35, true)
    quint64 noteId = 0;
    bool ok = false; // reply
};

class ClearAllNotesMsg : public Message
{
    NERIO_MESSAGE_CLASS(ClearAllNotesMsg, 36, true)
    bool ok = false; // reply
};

class GetAllViewIDMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetAllViewIDMsg, 37, true)
    QString idList; // reply
};

class AddViewByFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(AddViewByFileMsg, 38, true)
    qint32 position = 0;
    QString filePath;
    QString idList; // reply
};

class AddViewByValueMsg : public Message
{
    NERIO_MESSAGE_CLASS(AddViewByValueMsg, 39, true)
    qint32 position = 0;
    QString jsonText;
    QString idList; // reply
};

class SaveViewToFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(SaveViewToFileMsg, 40, true)
    qint32 position = 0;
    QString filePath;
    bool ok = false; // reply
};

class SaveAllViewsToFileMsg : public Message
{
    NERIO_MESSAGE_CLASS(SaveAllViewsToFileMsg, 41, true)
    QString filePath;
    bool ok = false; // reply
};

class GetAllViewsValueMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetAllViewsValueMsg, 42, true)
    QString jsonText; // reply
};

class GetViewValueMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetViewValueMsg, 43, true)
    quint64 viewId = 0;
    QString jsonText; // reply
};

class GetViewValueByIndexMsg : public Message
{
    NERIO_MESSAGE_CLASS(GetViewValueByIndexMsg, 44, true)
    qint32 position = 0;
    QString jsonText; // reply
};

class LoadViewMsg : public Message
{
    NERIO_MESSAGE_CLASS(LoadViewMsg, 45, true)
    quint64 viewId = 0;
    bool ok = false; // reply
};

class RemoveViewMsg : public Message
{
    NERIO_MESSAGE_CLASS(RemoveViewMsg, 46, true)
    quint64 viewId = 0;
    bool ok = false; // reply
};

class ClearAllViewsMsg : public Message
{
    NERIO_MESSAGE_CLASS(ClearAllViewsMsg, 47, true)
    bool ok = false; // reply
};

#undef NERIO_MESSAGE_CLASS
