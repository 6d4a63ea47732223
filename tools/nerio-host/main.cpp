// nerio-host: a minimal host for a viewer started with "--ocx <title>". It connects by title,
// introduces itself with InitCommMsg, sends one request built from the command line and prints the
// records the viewer sends back.

#include "HostConnection.h"
#include "HostRecords.h"

#include <QCoreApplication>
#include <QStringList>

#include <climits>
#include <cstdio>

using namespace nerio_host;

namespace {

enum ExitCode { ReplyCame = 0, NoReply = 1, BadArguments = 2, NoConnection = 3 };

void out(const QString& text) { std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout); }
void err(const QString& text) { std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr); }

void usage()
{
    err(QStringLiteral(
        "usage: nerio-host --title TITLE [--reply|--no-reply] [--handled] [--wparam N] [--timeout MS]\n"
        "                  TYPE [FIELD...]\n"
        "       nerio-host --list\n"
        "TYPE is a record class name (OpenFileMsg) or a type id. FIELDs are the body fields in stream\n"
        "order; trailing reply fields may be left out (they go as 0, false or a null string).\n"
        "Exit status: 0 a reply came, 1 no reply came, 2 bad arguments, 3 no connection or send failed."));
}

void printRecord(const QString& label, const Record& r)
{
    const RecordSpec* spec = findSpec(r.type);
    out(QStringLiteral("%1 %2 type=%3 handled=%4 needsReply=%5%6")
            .arg(label, spec ? QLatin1String(spec->name) : QLatin1String("(unknown)"))
            .arg(r.type)
            .arg(r.handled ? 1 : 0)
            .arg(r.needsReply ? 1 : 0)
            .arg(r.truncated ? QStringLiteral(" truncated") : QString()));
    if (!spec)
        return;
    for (size_t i = 0; i < spec->fields.size() && i < r.fields.size(); ++i)
        out(QStringLiteral("  %1=%2").arg(QLatin1String(spec->fields[i].name), formatField(r.fields[i])));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QString title;
    bool haveTitle = false;
    int replyOverride = -1;
    bool handled = false;
    quint64 wParam = 0;
    int timeoutMs = 30000;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString* v) {
            if (i + 1 >= args.size())
                return false;
            *v = args[++i];
            return true;
        };
        QString v;
        bool ok = true;
        if (a == QLatin1String("--list")) {
            for (const RecordSpec& s : recordSpecs()) {
                QStringList fields;
                for (const FieldSpec& f : s.fields)
                    fields << QStringLiteral("%1:%2%3").arg(QLatin1String(f.name), kindName(f.kind),
                                                             f.reply ? QStringLiteral("(reply)") : QString());
                out(QStringLiteral("%1 %2 needsReply=%3 %4")
                        .arg(s.type)
                        .arg(QLatin1String(s.name))
                        .arg(s.needsReply ? 1 : 0)
                        .arg(fields.join(QLatin1Char(' '))));
            }
            return ReplyCame;
        } else if (a == QLatin1String("--title")) {
            ok = haveTitle = value(&title);
        } else if (a == QLatin1String("--reply")) {
            replyOverride = 1;
        } else if (a == QLatin1String("--no-reply")) {
            replyOverride = 0;
        } else if (a == QLatin1String("--handled")) {
            handled = true;
        } else if (a == QLatin1String("--wparam")) {
            ok = value(&v) && (wParam = v.toULongLong(&ok), ok);
        } else if (a == QLatin1String("--timeout")) {
            ok = value(&v) && (timeoutMs = v.toInt(&ok), ok && timeoutMs > 0);
        } else if (a == QLatin1String("--")) {
            positional << args.mid(i + 1);
            break;
        } else if (a.startsWith(QLatin1String("--")) && positional.isEmpty()) {
            err(QStringLiteral("unknown option %1").arg(a));
            ok = false;
        } else {
            positional << a;
        }
        if (!ok) {
            usage();
            return BadArguments;
        }
    }
    if (!haveTitle || positional.isEmpty()) {
        usage();
        return BadArguments;
    }

    // The request: a known class by name or id, or a bare id (then only the six header bytes go).
    Record request;
    bool isNumber = false;
    const qlonglong typeNumber = positional[0].toLongLong(&isNumber);
    const RecordSpec* spec = isNumber ? findSpec(static_cast<int>(typeNumber)) : findSpec(positional[0]);
    if (!spec && (!isNumber || typeNumber < INT_MIN || typeNumber > INT_MAX)) {
        err(QStringLiteral("unknown record type %1 (see --list)").arg(positional[0]));
        return BadArguments;
    }
    request.type = spec ? spec->type : static_cast<qint32>(typeNumber);
    request.handled = handled;
    request.needsReply = replyOverride >= 0 ? replyOverride == 1 : (spec && spec->needsReply);
    const QStringList values = positional.mid(1);
    const size_t fieldCount = spec ? spec->fields.size() : 0;
    if (static_cast<size_t>(values.size()) > fieldCount) {
        err(QStringLiteral("%1 takes at most %2 fields").arg(positional[0]).arg(fieldCount));
        return BadArguments;
    }
    for (size_t i = 0; i < fieldCount; ++i) {
        const FieldSpec& f = spec->fields[i];
        FieldValue fv = zeroField(f.kind);
        if (static_cast<int>(i) < values.size()) {
            QString why;
            if (!parseField(f.kind, values[static_cast<int>(i)], &fv, &why)) {
                err(QStringLiteral("field %1: %2").arg(QLatin1String(f.name), why));
                return BadArguments;
            }
        } else if (!f.reply) {
            err(QStringLiteral("missing field %1 (%2)").arg(QLatin1String(f.name), kindName(f.kind)));
            return BadArguments;
        }
        request.fields.push_back(fv);
    }

    HostConnection link;
    QString error;
    const QString path = socketPathForTitle(title);
    if (!link.connectTo(path, timeoutMs, &error)) {
        err(QStringLiteral("nerio-host: %1").arg(error));
        return NoConnection;
    }
    out(QStringLiteral("connected %1 handle=%2").arg(path).arg(link.handle()));

    int replies = 0;
    link.setRecordHandler([&](quint64, qint64 dwData, const QByteArray& bytes) -> qint64 {
        const Record r = decodeRecord(bytes);
        const bool isReply = r.type == request.type && dwData == request.type && !r.needsReply && request.needsReply;
        if (isReply)
            ++replies;
        printRecord(isReply ? QStringLiteral("reply") : QStringLiteral("record"), r);
        return 0;
    });

    // Introduce ourselves: our handle stands for the window the viewer sends to.
    Record init;
    init.type = 1;
    FieldValue handle = zeroField(FieldKind::U64);
    handle.u64 = link.handle();
    FieldValue wp = zeroField(FieldKind::U64);
    wp.u64 = wParam;
    init.fields = {handle, wp};
    qint64 result = 0;
    if (!link.send(0, 1, encodeRecord(init), &result, timeoutMs, &error)) {
        err(QStringLiteral("nerio-host: InitCommMsg: %1").arg(error));
        return NoConnection;
    }
    if (!link.send(0, request.type, encodeRecord(request), &result, timeoutMs, &error)) {
        err(QStringLiteral("nerio-host: %1").arg(error));
        return NoConnection;
    }
    out(QStringLiteral("result %1").arg(result));
    link.serve(0); // whatever arrived with the result
    out(QStringLiteral("replies %1").arg(replies));
    link.close();
    return replies > 0 ? ReplyCame : NoReply;
}
