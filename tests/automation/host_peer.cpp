// A scripted host for the channel tests, built on the host tool's own connection and layout code.
// usage: host_peer TITLE STEP...   steps run in order:
//   init        send InitCommMsg with our handle and wParam 77
//   collect N   serve until N records from the viewer have arrived (answering each with result 0)
//   echo        send every collected record that asked for a reply back, needsReply 0, handled 1
// Prints "got <type> needsReply=<0|1>" per record; exits 0 when every step worked.

#include "HostConnection.h"
#include "HostRecords.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <vector>

using namespace nerio_host;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;

    HostConnection link;
    QString error;
    if (!link.connectTo(socketPathForTitle(args[1]), 5000, &error)) {
        std::fprintf(stderr, "host_peer: %s\n", qPrintable(error));
        return 3;
    }

    std::vector<std::pair<qint64, QByteArray>> collected;
    link.setRecordHandler([&](quint64, qint64 dwData, const QByteArray& bytes) -> qint64 {
        const Record r = decodeRecord(bytes);
        std::printf("got %d needsReply=%d\n", r.type, r.needsReply ? 1 : 0);
        std::fflush(stdout);
        collected.emplace_back(dwData, bytes);
        return 0;
    });

    for (int i = 2; i < args.size(); ++i) {
        const QString step = args[i];
        qint64 result = 0;
        if (step == QLatin1String("init")) {
            Record init;
            init.type = 1;
            FieldValue handle = zeroField(FieldKind::U64);
            handle.u64 = link.handle();
            FieldValue wParam = zeroField(FieldKind::U64);
            wParam.u64 = 77;
            init.fields = {handle, wParam};
            if (!link.send(0, 1, encodeRecord(init), &result, 5000, &error))
                return 4;
            std::printf("init done\n");
            std::fflush(stdout);
        } else if (step == QLatin1String("collect") && i + 1 < args.size()) {
            const size_t want = collected.size() + args[++i].toUInt();
            if (!link.serve(20000, [&] { return collected.size() >= want; }) || collected.size() < want)
                return 5;
        } else if (step == QLatin1String("echo")) {
            const auto records = collected;
            for (const auto& rec : records) {
                QByteArray bytes = rec.second;
                if (bytes.size() < 6 || bytes[5] == '\0')
                    continue;
                bytes[4] = '\1';
                bytes[5] = '\0';
                if (!link.send(0, rec.first, bytes, &result, 5000, &error))
                    return 6;
            }
        } else {
            return 2;
        }
    }
    link.close();
    return 0;
}
