#include "HostRecords.h"

#include <QLocale>

#include <cstring>

namespace nerio_host {

namespace {

using K = FieldKind;

void putU32(QByteArray& out, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((v >> shift) & 0xff));
}

void putU64(QByteArray& out, quint64 v)
{
    for (int shift = 56; shift >= 0; shift -= 8)
        out.append(static_cast<char>((v >> shift) & 0xff));
}

class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool take(int count, const uchar** p)
    {
        if (m_pos + count > m_bytes.size()) {
            m_pos = m_bytes.size();
            m_short = true;
            return false;
        }
        *p = reinterpret_cast<const uchar*>(m_bytes.constData()) + m_pos;
        m_pos += count;
        return true;
    }
    quint64 u(int count)
    {
        const uchar* p = nullptr;
        if (!take(count, &p))
            return 0;
        quint64 v = 0;
        for (int i = 0; i < count; ++i)
            v = (v << 8) | p[i];
        return v;
    }
    QString string()
    {
        const quint32 count = static_cast<quint32>(u(4));
        if (m_short)
            return QString(QLatin1String(""));
        if (count == 0xffffffffu)
            return QString();
        if (count % 2 != 0 || count > static_cast<quint32>(m_bytes.size() - m_pos)) {
            m_pos = m_bytes.size();
            m_short = true;
            return QString(QLatin1String(""));
        }
        const uchar* p = nullptr;
        take(static_cast<int>(count), &p);
        QString s(static_cast<int>(count / 2), Qt::Uninitialized);
        for (int i = 0; i < s.size(); ++i)
            s[i] = QChar(static_cast<ushort>((p[2 * i] << 8) | p[2 * i + 1]));
        return s;
    }
    bool isShort() const { return m_short; }

private:
    const QByteArray& m_bytes;
    int m_pos = 0;
    bool m_short = false;
};

} // namespace

const std::vector<RecordSpec>& recordSpecs()
{
    static const std::vector<RecordSpec> specs = {
        {1, "InitCommMsg", false, {{K::U64, "peerWindow", false}, {K::U64, "wParamValue", false}}},
        {3, "OpenFileMsg", true, {{K::String, "filePath", false}, {K::U64, "modelId", true}}},
        {4, "CloseFileMsg", false, {}},
        {5, "OpenRemoteBomFileMsg", true, {{K::String, "filePath", false}, {K::U64, "modelId", true}}},
        {6, "OpenRemoteBomMsg", true, {{K::String, "bomText", false}, {K::U64, "modelId", true}}},
        {7, "InsertRemoteBomMsg", true,
         {{K::U64, "modelId", false}, {K::String, "bomText", false}, {K::U64, "ok", true}}},
        {8, "SaveRemoteBomMsg", true, {{K::String, "bomText", true}}},
        {9, "UpdateModelBomMsg", true, {{K::String, "bomText", false}}},
        {10, "ClearAllModelMsg", false, {}},
        {11, "CreateTopModelMsg", true, {{K::String, "modelName", false}, {K::U64, "modelId", true}}},
        {12, "AddModelMsg", true,
         {{K::U64, "parentId", false}, {K::I32, "position", false}, {K::String, "filePath", false},
          {K::U64, "modelId", true}}},
        {13, "RemoveModelMsg", true, {{K::U64, "modelId", false}, {K::U64, "ok", true}}},
        {14, "TopModelMsg", true, {{K::U64, "modelId", true}}},
        {15, "ChildModelMsg", true,
         {{K::U64, "parentId", false}, {K::I32, "position", false}, {K::U64, "childId", true}}},
        {16, "ChildrenModelMsg", true, {{K::U64, "modelId", false}, {K::String, "idList", true}}},
        {17, "TestEventMsg", false, {{K::U64, "value", false}}},
        {18, "CommonEventMsg", false, {{K::I32, "eventCode", false}, {K::String, "text", false}}},
        {19, "GetModelVisibleMsg", true, {{K::U64, "modelId", false}, {K::Bool, "visible", true}}},
        {20, "SetModelVisibleMsg", true, {{K::Bool, "visible", false}, {K::U64, "modelId", false}}},
        {21, "GetModelColorMsg", true, {{K::U64, "modelId", false}, {K::String, "colorText", true}}},
        {22, "SetModelColorMsg", false,
         {{K::U64, "modelId", false}, {K::Float, "red", false}, {K::Float, "green", false},
          {K::Float, "blue", false}}},
        {23, "GetModelTransparentMsg", true, {{K::U64, "modelId", false}, {K::Float, "transparency", true}}},
        {24, "SetModelTransparentMsg", false, {{K::U64, "modelId", false}, {K::Float, "transparency", false}}},
        {25, "SetWidgetVisibleMsg", false,
         {{K::I32, "widgetType", false}, {K::Bool, "visible", false}, {K::U64, "spare", false}}},
        {26, "GetAllNoteMsg", true, {{K::String, "idList", true}}},
        {27, "OpenCommandMsg", true, {{K::String, "commandName", false}, {K::Bool, "ok", true}}},
        {28, "CloseCommandMsg", false, {}},
        {29, "AddNoteByFileMsg", true,
         {{K::I32, "position", false}, {K::String, "filePath", false}, {K::String, "idList", true}}},
        {30, "AddNoteByValueMsg", true,
         {{K::I32, "position", false}, {K::String, "jsonText", false}, {K::String, "idList", true}}},
        {31, "SaveNoteToFileMsg", true,
         {{K::U64, "noteId", false}, {K::String, "filePath", false}, {K::Bool, "ok", true}}},
        {32, "SaveAllNotesToFileMsg", true, {{K::String, "filePath", false}, {K::Bool, "ok", true}}},
        {33, "GetAllNotesValueMsg", true, {{K::String, "jsonText", true}}},
        {34, "GetNoteValueMsg", true, {{K::U64, "noteId", false}, {K::String, "jsonText", true}}},
        {35, "RemoveNoteMsg", true, {{K::U64, "noteId", false}, {K::Bool, "ok", true}}},
        {36, "ClearAllNotesMsg", true, {{K::Bool, "ok", true}}},
        {37, "GetAllViewIDMsg", true, {{K::String, "idList", true}}},
        {38, "AddViewByFileMsg", true,
         {{K::I32, "position", false}, {K::String, "filePath", false}, {K::String, "idList", true}}},
        {39, "AddViewByValueMsg", true,
         {{K::I32, "position", false}, {K::String, "jsonText", false}, {K::String, "idList", true}}},
        {40, "SaveViewToFileMsg", true,
         {{K::I32, "position", false}, {K::String, "filePath", false}, {K::Bool, "ok", true}}},
        {41, "SaveAllViewsToFileMsg", true, {{K::String, "filePath", false}, {K::Bool, "ok", true}}},
        {42, "GetAllViewsValueMsg", true, {{K::String, "jsonText", true}}},
        {43, "GetViewValueMsg", true, {{K::U64, "viewId", false}, {K::String, "jsonText", true}}},
        {44, "GetViewValueByIndexMsg", true, {{K::I32, "position", false}, {K::String, "jsonText", true}}},
        {45, "LoadViewMsg", true, {{K::U64, "viewId", false}, {K::Bool, "ok", true}}},
        {46, "RemoveViewMsg", true, {{K::U64, "viewId", false}, {K::Bool, "ok", true}}},
        {47, "ClearAllViewsMsg", true, {{K::Bool, "ok", true}}},
    };
    return specs;
}

const RecordSpec* findSpec(int type)
{
    for (const RecordSpec& spec : recordSpecs())
        if (spec.type == type)
            return &spec;
    return nullptr;
}

const RecordSpec* findSpec(const QString& name)
{
    for (const RecordSpec& spec : recordSpecs())
        if (name.compare(QLatin1String(spec.name), Qt::CaseInsensitive) == 0)
            return &spec;
    return nullptr;
}

FieldValue zeroField(FieldKind kind)
{
    FieldValue v;
    v.kind = kind;
    return v;
}

bool parseField(FieldKind kind, const QString& text, FieldValue* out, QString* error)
{
    *out = zeroField(kind);
    bool ok = true;
    switch (kind) {
    case FieldKind::I32: out->i32 = text.toInt(&ok); break;
    case FieldKind::U64: out->u64 = text.toULongLong(&ok); break;
    case FieldKind::Float: out->real = text.toDouble(&ok); break; // C number syntax, whatever the locale
    case FieldKind::Bool:
        if (text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            out->flag = true;
        else if (text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            out->flag = false;
        else
            ok = false;
        break;
    case FieldKind::String: out->text = text.isNull() ? QString(QLatin1String("")) : text; break;
    }
    if (!ok && error)
        *error = QStringLiteral("\"%1\" is not a valid %2").arg(text, kindName(kind));
    return ok;
}

QByteArray encodeRecord(const Record& record)
{
    QByteArray out;
    putU32(out, static_cast<quint32>(record.type));
    out.append(record.handled ? '\1' : '\0');
    out.append(record.needsReply ? '\1' : '\0');
    if (record.type == 0)
        return out;
    for (const FieldValue& v : record.fields) {
        switch (v.kind) {
        case FieldKind::I32: putU32(out, static_cast<quint32>(v.i32)); break;
        case FieldKind::U64: putU64(out, v.u64); break;
        case FieldKind::Bool: out.append(v.flag ? '\1' : '\0'); break;
        case FieldKind::Float: {
            // Floating point always travels as an 8-byte IEEE double.
            quint64 bits = 0;
            std::memcpy(&bits, &v.real, sizeof bits);
            putU64(out, bits);
            break;
        }
        case FieldKind::String:
            if (v.text.isNull()) {
                putU32(out, 0xffffffffu);
            } else {
                putU32(out, static_cast<quint32>(v.text.size() * 2));
                for (QChar c : v.text) {
                    out.append(static_cast<char>(c.unicode() >> 8));
                    out.append(static_cast<char>(c.unicode() & 0xff));
                }
            }
            break;
        }
    }
    return out;
}

Record decodeRecord(const QByteArray& bytes)
{
    Reader in(bytes);
    Record r;
    r.type = static_cast<qint32>(static_cast<quint32>(in.u(4)));
    r.handled = in.u(1) != 0;
    r.needsReply = in.u(1) != 0;
    const RecordSpec* spec = r.type != 0 ? findSpec(r.type) : nullptr;
    if (spec) {
        for (const FieldSpec& f : spec->fields) {
            FieldValue v = zeroField(f.kind);
            switch (f.kind) {
            case FieldKind::I32: v.i32 = static_cast<qint32>(static_cast<quint32>(in.u(4))); break;
            case FieldKind::U64: v.u64 = in.u(8); break;
            case FieldKind::Bool: v.flag = in.u(1) != 0; break;
            case FieldKind::Float: {
                const quint64 bits = in.u(8);
                std::memcpy(&v.real, &bits, sizeof bits);
                break;
            }
            case FieldKind::String: v.text = in.string(); break;
            }
            r.fields.push_back(v);
        }
    }
    r.truncated = in.isShort();
    return r;
}

QString formatField(const FieldValue& v)
{
    switch (v.kind) {
    case FieldKind::I32: return QString::number(v.i32);
    case FieldKind::U64: return QString::number(v.u64);
    case FieldKind::Bool: return v.flag ? QStringLiteral("1") : QStringLiteral("0");
    case FieldKind::Float: return QString::number(v.real, 'g', QLocale::FloatingPointShortest);
    case FieldKind::String: {
        if (v.text.isNull())
            return QStringLiteral("null");
        QString quoted = QStringLiteral("\"");
        for (QChar c : v.text) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\') + QString(c);
            else if (c == QLatin1Char('\n'))
                quoted += QStringLiteral("\\n");
            else
                quoted += c;
        }
        return quoted + QLatin1Char('"');
    }
    }
    return QString();
}

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::I32: return QStringLiteral("i32");
    case FieldKind::U64: return QStringLiteral("u64");
    case FieldKind::Bool: return QStringLiteral("bool");
    case FieldKind::Float: return QStringLiteral("float");
    case FieldKind::String: return QStringLiteral("string");
    }
    return QString();
}

} // namespace nerio_host
