// nerio-host: a minimal host for a viewer started with "--ocx <title>". It connects by title,
// introduces itself with InitCommMsg, sends one request built from the command line and prints the
// records the viewer sends back.

#include "HostConnection.h"
#include "HostRecords.h"

#include <QCoreApplication>
#include <QFile>
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
        "       nerio-host --title TITLE [--wparam N] [--timeout MS] --script FILE   (FILE - reads stdin)\n"
        "       nerio-host --list\n"
        "TYPE is a record class name (OpenFileMsg) or a type id. FIELDs are the body fields in stream\n"
        "order; trailing reply fields may be left out (they go as 0, false or a null string). A string\n"
        "field written @file:PATH sends the UTF-8 text of that file.\n"
        "A script holds one request a line, written as on the command line (quotes group words, a line\n"
        "may start with --reply, --no-reply or --handled); empty lines and lines starting with # are skipped.\n"
        "Exit status: 0 a reply came (in a script: to every request that asked for one), 1 no reply came,\n"
        "2 bad arguments, 3 no connection or send failed."));
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

// One request from its words: TYPE then the fields. False with a reason when they do not fit.
bool buildRequest(const QStringList& words, int replyOverride, bool handled, Record* request, QString* error)
{
    bool isNumber = false;
    const qlonglong typeNumber = words[0].toLongLong(&isNumber);
    const RecordSpec* spec = isNumber ? findSpec(static_cast<int>(typeNumber)) : findSpec(words[0]);
    if (!spec && (!isNumber || typeNumber < INT_MIN || typeNumber > INT_MAX)) {
        *error = QStringLiteral("unknown record type %1 (see --list)").arg(words[0]);
        return false;
    }
    // A known class by name or id, or a bare id (then only the six header bytes go).
    request->type = spec ? spec->type : static_cast<qint32>(typeNumber);
    request->handled = handled;
    request->needsReply = replyOverride >= 0 ? replyOverride == 1 : (spec && spec->needsReply);
    request->fields.clear();
    const QStringList values = words.mid(1);
    const size_t fieldCount = spec ? spec->fields.size() : 0;
    if (static_cast<size_t>(values.size()) > fieldCount) {
        *error = QStringLiteral("%1 takes at most %2 fields").arg(words[0]).arg(fieldCount);
        return false;
    }
    for (size_t i = 0; i < fieldCount; ++i) {
        const FieldSpec& f = spec->fields[i];
        FieldValue fv = zeroField(f.kind);
        if (static_cast<int>(i) < values.size()) {
            QString value = values[static_cast<int>(i)];
            if (f.kind == FieldKind::String && value.startsWith(QLatin1String("@file:"))) {
                QFile file(value.mid(6));
                if (!file.open(QIODevice::ReadOnly)) {
                    *error = QStringLiteral("field %1: cannot read %2").arg(QLatin1String(f.name), file.fileName());
                    return false;
                }
                value = QString::fromUtf8(file.readAll());
            }
            QString why;
            if (!parseField(f.kind, value, &fv, &why)) {
                *error = QStringLiteral("field %1: %2").arg(QLatin1String(f.name), why);
                return false;
            }
        } else if (!f.reply) {
            *error = QStringLiteral("missing field %1 (%2)").arg(QLatin1String(f.name), kindName(f.kind));
            return false;
        }
        request->fields.push_back(fv);
    }
    return true;
}

// The words of a script line: blanks separate, double quotes group (an empty pair is an empty word),
// a backslash takes the next character as it is.
QStringList splitWords(const QString& line)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

// The requests of a script, each with its line number; false with a reason at the first bad line.
bool readScript(const QString& path, std::vector<std::pair<int, Record>>* requests, QString* error)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                    : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = QStringLiteral("cannot read the script %1").arg(path);
        return false;
    }
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList words = splitWords(line);
        int reply = -1;
        bool handled = false;
        while (!words.isEmpty() && words[0].startsWith(QLatin1String("--"))) {
            const QString option = words.takeFirst();
            if (option == QLatin1String("--reply"))
                reply = 1;
            else if (option == QLatin1String("--no-reply"))
                reply = 0;
            else if (option == QLatin1String("--handled"))
                handled = true;
            else {
                *error = QStringLiteral("line %1: unknown option %2").arg(lineNumber).arg(option);
                return false;
            }
        }
        Record request;
        QString why;
        if (words.isEmpty() || !buildRequest(words, reply, handled, &request, &why)) {
            *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(words.isEmpty() ? QStringLiteral("no type") : why);
            return false;
        }
        requests->emplace_back(lineNumber, request);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QString title;
    QString scriptPath;
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
        } else if (a == QLatin1String("--script")) {
            ok = value(&scriptPath);
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
    if (!haveTitle || (positional.isEmpty() == scriptPath.isEmpty())) {
        usage();
        return BadArguments;
    }

    std::vector<std::pair<int, Record>> requests;
    QString error;
    if (!scriptPath.isEmpty()) {
        if (!readScript(scriptPath, &requests, &error)) {
            err(QStringLiteral("nerio-host: %1").arg(error));
            return BadArguments;
        }
    } else {
        Record request;
        if (!buildRequest(positional, replyOverride, handled, &request, &error)) {
            err(error);
            return BadArguments;
        }
        requests.emplace_back(0, request);
    }

    HostConnection link;
    const QString path = socketPathForTitle(title);
    if (!link.connectTo(path, timeoutMs, &error)) {
        err(QStringLiteral("nerio-host: %1").arg(error));
        return NoConnection;
    }
    out(QStringLiteral("connected %1 handle=%2").arg(path).arg(link.handle()));

    const Record* current = nullptr;
    int replies = 0;
    link.setRecordHandler([&](quint64, qint64 dwData, const QByteArray& bytes) -> qint64 {
        const Record r = decodeRecord(bytes);
        const bool isReply = current && r.type == current->type && dwData == current->type && !r.needsReply &&
                             current->needsReply;
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

    bool everyReply = true;
    for (const auto& numbered : requests) {
        const Record& request = numbered.second;
        current = &request;
        const int before = replies;
        if (numbered.first > 0)
            out(QStringLiteral("line %1").arg(numbered.first));
        if (!link.send(0, request.type, encodeRecord(request), &result, timeoutMs, &error)) {
            err(QStringLiteral("nerio-host: %1").arg(error));
            return NoConnection;
        }
        out(QStringLiteral("result %1").arg(result));
        link.serve(0); // whatever arrived with the result
        if (request.needsReply && replies == before)
            everyReply = false;
    }
    current = nullptr;
    out(QStringLiteral("replies %1").arg(replies));
    link.close();
    if (scriptPath.isEmpty())
        return replies > 0 ? ReplyCame : NoReply;
    return everyReply ? ReplyCame : NoReply;
}
