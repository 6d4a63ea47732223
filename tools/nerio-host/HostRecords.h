#pragma once

// The record layout as a host sees it, written from the protocol's table on its own (the viewer's
// message classes are deliberately not used, so a mistake on one side is not mirrored on the other).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace nerio_host {

enum class FieldKind { I32, U64, Bool, Float, String };

struct FieldSpec
{
    FieldKind kind;
    const char* name;
    bool reply; // written by the viewer's handler
};

struct RecordSpec
{
    int type;
    const char* name;
    bool needsReply;
    std::vector<FieldSpec> fields;
};

struct FieldValue
{
    FieldKind kind = FieldKind::U64;
    qint32 i32 = 0;
    quint64 u64 = 0;
    bool flag = false;
    double real = 0;
    QString text; // null QString travels as the null marker
};

struct Record
{
    qint32 type = 0;
    bool handled = false;
    bool needsReply = false;
    std::vector<FieldValue> fields;
    bool truncated = false; // some fields lay past the end and read as zero
};

const std::vector<RecordSpec>& recordSpecs();
const RecordSpec* findSpec(int type);
const RecordSpec* findSpec(const QString& name);

// Parses a command-line value for a field; false with a reason when it does not fit.
bool parseField(FieldKind kind, const QString& text, FieldValue* out, QString* error);
FieldValue zeroField(FieldKind kind);

// Record bytes: i32 type, u8 handled, u8 needsReply, then the fields (only when type is not 0).
QByteArray encodeRecord(const Record& record);
// Reads the header and, for a known type, its fields; missing bytes read as zero, false or "".
Record decodeRecord(const QByteArray& bytes);

QString formatField(const FieldValue& value);
QString kindName(FieldKind kind);

} // namespace nerio_host
