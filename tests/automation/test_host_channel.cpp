#include "automation/Message.h"
#include "automation/MessageProcesser.h"
#include "automation/ProcessCommunication.h"
#include "FloodHost.h"
#include "support/TestSupport.h"
#include "vantor/util/LogHandler.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

#include <atomic>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString kTool = QStringLiteral(NERIO_BIN_DIR "/nerio-host");
const QString kPeer = QStringLiteral(NERIO_HOST_PEER);

QString uniqueTitle()
{
    static int counter = 0;
    return QStringLiteral("Prüfung %1 %2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

// A data frame as the channel expects it; length overrides the byte count it claims.
QByteArray dataFrame(qint64 dwData, const QByteArray& record, quint32 serial = 1, qint64 length = -1)
{
    QByteArray f;
    QDataStream s(&f, QIODevice::WriteOnly);
    s << quint8(2) << serial << quint64(0) << dwData << quint32(length < 0 ? record.size() : length);
    return f + record;
}

struct ToolRun
{
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

// Runs a host process while this process keeps serving the channel through its event loop.
ToolRun runProcess(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    ToolRun run;
    if (!p.waitForStarted(5000))
        return run;
    (void)QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 30000);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(2000);
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// Plays the viewer: the process-wide channel listening under a fresh title, each record going
// through the channel's record handling, the real processor, and a few reply fields filled in
// the way handlers will.
class HostChannel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pc = ProcessCommunication::instance();
        pc->peerWindow = 0;
        pc->wParamValue = 0;
        pc->pending.clear();
        title = uniqueTitle();
        ASSERT_TRUE(pc->listen(title));
        pc->setRecordReceiver([this](const CopyDataStruct& data) {
            pc->handleRecord(data, [this](const std::shared_ptr<Message>& msg) {
                if (!processer)
                    processer = std::make_shared<MessageProcesser>(nullptr);
                processer->process(msg);
                if (msg->type != InitCommMsg::TypeId)
                    processed.push_back(msg);
                if (auto add = std::dynamic_pointer_cast<AddModelMsg>(msg))
                    add->modelId = 4242;
                if (auto children = std::dynamic_pointer_cast<ChildrenModelMsg>(msg))
                    children->idList = QStringLiteral("12 407 ");
            });
        });
    }

    void TearDown() override
    {
        pc->setRecordReceiver({});
        pc->setSendTimeout(ProcessCommunication::DefaultSendTimeout);
        pc->closeChannel();
        pc->peerWindow = 0;
        pc->pending.clear();
    }

    ToolRun tool(QStringList args)
    {
        args.prepend(title);
        args.prepend(QStringLiteral("--title"));
        return runProcess(kTool, args);
    }

    // A raw connection of our own, for frames no well-behaved host sends.
    std::unique_ptr<QLocalSocket> rawClient()
    {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(pc->socketPath());
        (void)QTest::qWaitFor([&] { return socket->bytesAvailable() >= 13; }, 5000);
        EXPECT_EQ(socket->read(13).size(), 13) << "no hello";
        return socket;
    }

    ProcessCommunication* pc = nullptr;
    QString title;
    std::shared_ptr<MessageProcesser> processer;
    std::vector<std::shared_ptr<Message>> processed;
};

// A host of plain POSIX calls, for a thread of its own while this thread plays the viewer.
class PosixHost
{
public:
    explicit PosixHost(const QString& path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (!flood_host::connectTo(m_fd, path))
            return;
        QByteArray hello;
        if (read(13, &hello, 5000) && hello.at(0) == 1)
            handle = qFromBigEndian<quint64>(hello.constData() + 5);
    }
    ~PosixHost() { ::close(m_fd); }

    bool write(const QByteArray& bytes) { return ::write(m_fd, bytes.constData(), bytes.size()) == bytes.size(); }

    // Exactly count bytes, or false when they did not come within ms.
    bool read(int count, QByteArray* out, int ms)
    {
        out->clear();
        while (out->size() < count) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, ms) <= 0)
                return false;
            char buffer[4096];
            const ssize_t got = ::read(m_fd, buffer, std::min<size_t>(sizeof buffer, size_t(count - out->size())));
            if (got <= 0)
                return false;
            out->append(buffer, int(got));
        }
        return true;
    }

    // The serial of the next result frame, or 0 when none came within ms.
    quint32 result(int ms)
    {
        QByteArray r;
        return read(13, &r, ms) && r.at(0) == 3 ? qFromBigEndian<quint32>(r.constData() + 1) : 0;
    }

    bool send(const Message& msg, quint32 serial)
    {
        QByteArray record;
        const_cast<Message&>(msg).serialize(record);
        return write(dataFrame(msg.type, record, serial));
    }

    quint64 handle = 0;

private:
    int m_fd = -1;
};

} // namespace

TEST_F(HostChannel, NothingIsSentBeforeTheHostIntroducesItself)
{
    auto event = std::make_shared<CommonEventMsg>();
    event->eventCode = 3;
    event->text = QStringLiteral("button");
    EXPECT_FALSE(pc->sendMessage(event));
    auto request = std::make_shared<GetAllNoteMsg>();
    EXPECT_FALSE(pc->sendMessage(request));
    EXPECT_TRUE(pc->pending.isEmpty());
    EXPECT_FALSE(pc->sendMessage(nullptr));
}

TEST_F(HostChannel, SocketIsPrivateNamedByTitleAndNotTakenFromALiveViewer)
{
    const QFileInfo info(pc->socketPath());
    ASSERT_TRUE(info.exists()) << pc->socketPath().toStdString();
    EXPECT_EQ(info.ownerId(), ::getuid());
    EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("nerio3d-%1-").arg(::getuid())));
    EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_NE(CopyDataChannel::socketPathForTitle(title), CopyDataChannel::socketPathForTitle(title + "x"));

    // A second viewer with the same title fails instead of stealing the name.
    CopyDataChannel second;
    EXPECT_FALSE(second.listen(pc->socketPath()));
    ToolRun run = tool({QStringLiteral("TopModelMsg")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();

    // A socket file left behind by a crashed viewer is replaced.
    const QString stale = CopyDataChannel::socketPathForTitle(uniqueTitle());
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    qstrncpy(addr.sun_path, QFile::encodeName(stale).constData(), sizeof addr.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(stale));
    EXPECT_TRUE(second.listen(stale));
}

TEST_F(HostChannel, HostToolRequestsAreHandledAndAnsweredOnlyWhenAsked)
{
    struct Row
    {
        QStringList args;
        int exitCode;
        QStringList expectedLines;
        std::vector<int> processedTypes;
    };
    const std::vector<Row> rows = {
        // Every request field reaches the handler and the reply field it writes comes back once.
        {{"AddModelMsg", "5", "-2", "päth ✓"},
         0,
         {"reply AddModelMsg type=12 handled=1 needsReply=0", "  parentId=5", "  position=-2",
          "  filePath=\"päth ✓\"", "  modelId=4242", "replies 1"},
         {12}},
        {{"ChildrenModelMsg", "9"}, 0, {"  modelId=9", "  idList=\"12 407 \"", "replies 1"}, {16}},
        // Reply fields a handler does not write go back as the host sent them.
        {{"--handled", "GetNoteValueMsg", "3", ""}, 0, {"reply GetNoteValueMsg type=34 handled=1 needsReply=0",
                                                         "  jsonText=\"\"", "replies 1"}, {34}},
        // No reply unless the host asks for one.
        {{"SetModelColorMsg", "9", "0.25", "0.5", "1"}, 1, {"replies 0"}, {22}},
        {{"--reply", "SetModelColorMsg", "9", "0.25", "0.5", "1"},
         0,
         {"  red=0.25", "  green=0.5", "  blue=1", "replies 1"},
         {22}},
        // Ids without a class are dropped: no object, no handling, no answer.
        {{"--reply", "0"}, 1, {"result 0", "replies 0"}, {}},
        {{"--reply", "2"}, 1, {"replies 0"}, {}},
        {{"--reply", "48"}, 1, {"replies 0"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        processed.clear();
        pc->peerWindow = 0;
        ToolRun run = tool(QStringList{"--wparam", "5"} + row.args);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.errors.toStdString() << run.lines.join('\n').toStdString();
        for (const QString& line : row.expectedLines)
            EXPECT_TRUE(run.lines.contains(line)) << line.toStdString() << "\n" << run.lines.join('\n').toStdString();
        EXPECT_EQ(run.lines.filter(QRegExp("^record ")).size(), 0);
        ASSERT_EQ(processed.size(), row.processedTypes.size());
        for (size_t i = 0; i < processed.size(); ++i)
            EXPECT_EQ(processed[i]->type, row.processedTypes[i]);
        EXPECT_NE(pc->peerWindow, 0u);
        EXPECT_EQ(pc->wParamValue, 5u);
    }
}

TEST_F(HostChannel, RequestFieldsArriveInTheirMembers)
{
    ToolRun run = tool({QStringLiteral("AddModelMsg"), "18446744073709551615", "-7", "C:/models/ä b.dazo"});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    ASSERT_EQ(processed.size(), 1u);
    auto add = std::dynamic_pointer_cast<AddModelMsg>(processed[0]);
    ASSERT_TRUE(add);
    EXPECT_EQ(add->parentId, 18446744073709551615ull);
    EXPECT_EQ(add->position, -7);
    EXPECT_EQ(add->filePath, QStringLiteral("C:/models/ä b.dazo"));
    EXPECT_FALSE(add->needsReply); // cleared when the reply went out
    EXPECT_FALSE(add->replied);
}

TEST_F(HostChannel, MalformedFramesCloseTheConnectionAndServingGoesOn)
{
    QByteArray random(4096, '\0');
    QRandomGenerator generator(20240611);
    for (char& c : random)
        c = static_cast<char>(generator.bounded(256));
    random[0] = '\x2A'; // no valid frame kind
    QByteArray randomData = random;
    randomData[0] = '\x02'; // a data frame whose header is noise

    const QByteArray hugeLength = dataFrame(14, QByteArray(), 1, 0xFFFFFFF0u);
    const QByteArray overCap = dataFrame(14, QByteArray(), 1, CopyDataChannel::MaxRecordBytes + 1);

    const struct
    {
        const char* name;
        QByteArray bytes;
        bool closesItself; // a frame cut short: the host goes away in the middle of it
    } rows[] = {
        {"random bytes", random, false},
        {"data frame of noise", randomData, false},
        {"huge length", hugeLength, false},
        {"just above the cap", overCap, false},
        {"unknown frame kind", QByteArray::fromHex("09000000010000000000000000"), false},
        {"hello from the host", QByteArray::fromHex("01000000010000000000000001"), false},
        {"short frame", dataFrame(14, QByteArray(100, 'x')).left(40), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto client = rawClient();
        client->write(row.bytes);
        client->flush();
        if (row.closesItself)
            client->disconnectFromServer();
        EXPECT_TRUE(QTest::qWaitFor([&] { return client->state() == QLocalSocket::UnconnectedState; }, 5000));
        EXPECT_TRUE(processed.empty());
    }

    ToolRun run = tool({QStringLiteral("TopModelMsg")});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.lines.contains("replies 1"));
}

TEST_F(HostChannel, RecordsThatDisagreeOrAreShortStayOnAWellFormedConnection)
{
    auto client = rawClient();
    auto readResult = [&]() -> qint64 {
        if (!QTest::qWaitFor([&] { return client->bytesAvailable() >= 13; }, 5000))
            return -1;
        const QByteArray r = client->read(13);
        return r.at(0) == 3 ? qFromBigEndian<qint64>(r.constData() + 5) : -1;
    };

    // dwData says OpenFileMsg, the record says TopModelMsg: never handed to a handler.
    TopModelMsg top;
    QByteArray record;
    top.serialize(record);
    client->write(dataFrame(OpenFileMsg::TypeId, record, 1));
    EXPECT_EQ(readResult(), 0);
    EXPECT_TRUE(processed.empty());

    // A record cut after the handled flag reads the rest as zero and is handled with it.
    client->write(dataFrame(TopModelMsg::TypeId, record.left(5), 2));
    EXPECT_EQ(readResult(), 0);
    ASSERT_EQ(processed.size(), 1u);
    EXPECT_EQ(processed[0]->type, TopModelMsg::TypeId);
    EXPECT_FALSE(processed[0]->needsReply);
    EXPECT_EQ(client->state(), QLocalSocket::ConnectedState);
}

TEST_F(HostChannel, ViewerRequestsWaitForTheirAnswerAndANewerOneTakesTheirPlace)
{
    QProcess peer;
    peer.start(kPeer, {title, "init", "collect", "3", "echo"});
    ASSERT_TRUE(peer.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pc->peerWindow != 0; }, 10000));
    EXPECT_EQ(pc->wParamValue, 77u);

    auto event = std::make_shared<CommonEventMsg>();
    event->eventCode = 3;
    event->text = QStringLiteral("button");
    EXPECT_TRUE(pc->sendMessage(event));
    EXPECT_TRUE(pc->pending.isEmpty());

    auto first = std::make_shared<GetAllNotesValueMsg>();
    first->jsonText = QStringLiteral("first");
    auto second = std::make_shared<GetAllNotesValueMsg>();
    second->jsonText = QStringLiteral("second");
    EXPECT_TRUE(pc->sendMessage(first));
    EXPECT_TRUE(pc->sendMessage(second)); // the host may answer as soon as this returns

    EXPECT_TRUE(QTest::qWaitFor([&] { return peer.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(peer.exitCode(), 0) << peer.readAllStandardError().toStdString();
    const QString out = QString::fromUtf8(peer.readAllStandardOutput());
    EXPECT_TRUE(out.contains("got 18 needsReply=0")) << out.toStdString();
    EXPECT_EQ(out.count("got 33 needsReply=1"), 2) << out.toStdString();

    // The first answer filled the request still waiting, which is the second one.
    EXPECT_FALSE(first->replied);
    EXPECT_EQ(first->jsonText, QStringLiteral("first"));
    EXPECT_TRUE(second->replied);
    EXPECT_TRUE(second->handled);
    EXPECT_FALSE(second->needsReply);
    EXPECT_EQ(second->jsonText, QStringLiteral("first"));
    EXPECT_TRUE(pc->pending.isEmpty());
    // The second answer found nothing waiting and was taken as a record of the host's own.
    ASSERT_EQ(processed.size(), 1u);
    auto stray = std::dynamic_pointer_cast<GetAllNotesValueMsg>(processed[0]);
    ASSERT_TRUE(stray);
    EXPECT_FALSE(stray->replied);

    // The host has gone: its handle is no window any more.
    EXPECT_FALSE(pc->sendMessage(event));
}

TEST_F(HostChannel, NoExceptionLeavesTheReceivingEntryPoint)
{
    CopyDataStruct data;
    data.dwData = TopModelMsg::TypeId;
    TopModelMsg top;
    top.serialize(data.data);
    bool reached = false;
    EXPECT_NO_THROW(pc->handleRecord(data, [&](const std::shared_ptr<Message>&) {
        reached = true;
        throw std::runtime_error("handler failed");
    }));
    EXPECT_TRUE(reached);
}

// While the viewer waits for its peer's result, the frames another host sends meanwhile are all
// answered, without that host having to send anything more.
TEST_F(HostChannel, FramesOfAnotherHostAreAnsweredWhileThePeerIsWaitedFor)
{
    const QString path = pc->socketPath();
    std::atomic<bool> done{false};
    std::vector<quint32> answered;
    size_t answeredWhileWaiting = 0;
    bool peerGotReply = false;
    std::thread hosts([&] {
        PosixHost peer(path);
        InitCommMsg init;
        init.peerWindow = peer.handle;
        init.wParamValue = 0;
        peer.send(init, 1);
        peer.result(5000);

        PosixHost other(path);
        TopModelMsg ask; // needs a reply, which goes to the peer
        other.send(ask, 1);
        // Once the reply reaches the peer, the viewer waits for the peer's result.
        QByteArray header;
        const bool replied = peer.read(25, &header, 5000) && header.at(0) == 2;
        TopModelMsg more;
        more.needsReply = false;
        other.send(more, 2);
        other.send(more, 3);
        // Both are answered before the peer's result comes.
        for (int i = 0; i < 2; ++i)
            if (quint32 serial = other.result(5000))
                answered.push_back(serial);

        // The peer answers the viewer's reply at last.
        if (replied) {
            QByteArray body;
            peer.read(int(qFromBigEndian<quint32>(header.constData() + 21)), &body, 5000);
            peerGotReply = true;
            QByteArray result;
            QDataStream s(&result, QIODevice::WriteOnly);
            s << quint8(3) << qFromBigEndian<quint32>(header.constData() + 1) << qint64(0);
            peer.write(result);
        }
        answeredWhileWaiting = answered.size();
        while (answered.size() < 3)
            if (quint32 serial = other.result(5000))
                answered.push_back(serial);
            else
                break;
        done = true;
    });
    const bool finished = QTest::qWaitFor([&] { return done.load(); }, 20000);
    hosts.join();
    ASSERT_TRUE(finished);
    EXPECT_TRUE(peerGotReply);
    EXPECT_EQ(answeredWhileWaiting, 2u);
    std::sort(answered.begin(), answered.end());
    EXPECT_EQ(answered, (std::vector<quint32>{1, 2, 3}));
    EXPECT_EQ(processed.size(), 3u);
}

// A peer that stops reading holds nothing: other hosts are accepted and answered while the send waits,
// and the send gives up after its limit with a log line.
TEST_F(HostChannel, APeerThatStopsReadingDoesNotFreezeTheViewer)
{
    pc->setSendTimeout(4000);
    // Its hello comes through this thread's event loop, so it connects from a thread of its own.
    std::unique_ptr<PosixHost> silent;
    std::atomic<bool> connected{false};
    std::thread connecting([&] {
        silent = std::make_unique<PosixHost>(pc->socketPath());
        connected = true;
    });
    (void)QTest::qWaitFor([&] { return connected.load(); }, 10000);
    connecting.join();
    ASSERT_NE(silent->handle, 0u);
    InitCommMsg init;
    init.peerWindow = silent->handle;
    init.wParamValue = 0;
    ASSERT_TRUE(silent->send(init, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pc->peerWindow == silent->handle; }, 5000));

    QProcess other;
    other.start(kTool, {"--title", title, "TopModelMsg"});
    ASSERT_TRUE(other.waitForStarted(5000));
    QStringList warnings;
    auto connection = QObject::connect(Vantor::LogHandler::getInstance(), &Vantor::LogHandler::newMessage,
                                       [&](const QString& line) { warnings << line; });
    Vantor::LogHandler::getInstance()->startEmission(true);
    QElapsedTimer clock;
    clock.start();
    auto event = std::make_shared<CommonEventMsg>();
    event->eventCode = 3;
    event->text = QStringLiteral("button");
    EXPECT_FALSE(pc->sendMessage(event));
    const qint64 waited = clock.elapsed();
    QObject::disconnect(connection);
    EXPECT_GE(waited, 3900);
    EXPECT_LT(waited, 8000);
    // The other host was served inside the wait.
    EXPECT_TRUE(other.state() == QProcess::NotRunning || other.waitForFinished(100));
    EXPECT_EQ(other.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(other.readAllStandardOutput()).contains("replies 1"));
    EXPECT_TRUE(warnings.filter("no answer from connection").size() == 1) << warnings.join('\n').toStdString();
}

// A host that sends many requests asking for a reply without waiting for any answer: each is handled
// once, in the order sent, replied in that order, and the viewer's stack does not grow with the
// flood (it used to handle the next request inside the wait of each reply, ten thousand deep).
TEST_F(HostChannel, AFloodOfRequestsIsHandledInOrderWithoutNestingDeeper)
{
    constexpr int count = 10000;
    const QString path = pc->socketPath();
    std::atomic<bool> done{false};
    flood_host::Outcome outcome;
    std::thread hostThread([&] {
        flood_host::FloodHost host(path);
        InitCommMsg init;
        init.peerWindow = host.outcome.handle;
        QByteArray record;
        init.serialize(record);
        QByteArray frames = flood_host::dataFrame(init.type, record, 1);
        for (int i = 0; i < count; ++i) {
            AddModelMsg add;
            add.filePath = QString::number(i);
            record.clear();
            add.serialize(record);
            frames += flood_host::dataFrame(add.type, record, quint32(i + 2));
        }
        host.run(frames, count + 1, count, 120000);
        outcome = host.outcome;
        done = true;
    });
    const bool finished = QTest::qWaitFor([&] { return done.load(); }, 180000);
    hostThread.join();
    ASSERT_TRUE(finished);
    EXPECT_TRUE(outcome.failure.isEmpty()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.results, count + 1);
    ASSERT_EQ(int(processed.size()), count);
    int outOfOrder = 0;
    for (int i = 0; i < count; ++i) {
        auto add = std::dynamic_pointer_cast<AddModelMsg>(processed[size_t(i)]);
        outOfOrder += !add || add->filePath != QString::number(i);
    }
    EXPECT_EQ(outOfOrder, 0) << "requests handled out of the order sent";
    ASSERT_EQ(int(outcome.records.size()), count);
    for (int i = 0; i < count && outOfOrder == 0; ++i) {
        AddModelMsg reply;
        reply.deserialize(outcome.records[size_t(i)]);
        if (reply.filePath != QString::number(i)) {
            ADD_FAILURE() << "reply " << i << " answers request " << reply.filePath.toStdString();
            break;
        }
    }
}
