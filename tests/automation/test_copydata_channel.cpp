// The host channel by itself, without the program: how deep its handling nests and how much it holds.

#include "FloodHost.h"
#include "hostchannel/CopyDataChannel.h"
#include "vantor/util/LogHandler.h"

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

class ChannelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(channel.listen(dir.filePath(QStringLiteral("channel"))));
        Vantor::LogHandler::getInstance()->startEmission(true);
        log = QObject::connect(Vantor::LogHandler::getInstance(), &Vantor::LogHandler::newMessage,
                               [this](const QString& line) { warnings << line; });
    }
    void TearDown() override { QObject::disconnect(log); }

    QTemporaryDir dir;
    CopyDataChannel channel;
    QStringList warnings;
    QMetaObject::Connection log;
};

} // namespace

// Every record asks for a reply, which the receiver sends back at once and waits for. A host that
// sends thousands without waiting used to have each one handled inside the reply's wait of the one
// before, until the stack ran out; now the nesting stops at its limit and the rest wait their turn.
TEST_F(ChannelTest, AFloodOfRecordsIsHandledInOrderWithTheNestingBounded)
{
    constexpr int count = 10000;
    std::vector<int> handled;
    int depth = 0;
    int deepest = 0;
    std::atomic<quint64> host{0};
    channel.setReceiver([&](quint64, const CopyDataStruct& data) -> qint64 {
        handled.push_back(data.data.toInt());
        deepest = std::max(deepest, ++depth);
        CopyDataStruct reply;
        reply.data = data.data;
        channel.sendCopyData(host, 0, reply);
        --depth;
        return 0;
    });
    const QString path = channel.serverPath();
    std::atomic<bool> done{false};
    flood_host::Outcome outcome;
    std::thread hostThread([&] {
        flood_host::FloodHost flood(path);
        host = flood.outcome.handle;
        QByteArray frames;
        for (int i = 0; i < count; ++i)
            frames += flood_host::dataFrame(1, QByteArray::number(i), quint32(i + 1));
        flood.run(frames, count, count, 120000);
        outcome = flood.outcome;
        done = true;
    });
    const bool finished = QTest::qWaitFor([&] { return done.load(); }, 180000);
    hostThread.join();
    ASSERT_TRUE(finished);
    EXPECT_TRUE(outcome.failure.isEmpty()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.results, count);
    ASSERT_EQ(int(handled.size()), count);
    int outOfOrder = 0;
    for (int i = 0; i < count; ++i)
        outOfOrder += handled[size_t(i)] != i || outcome.records[size_t(i)].toInt() != i;
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_LE(deepest, CopyDataChannel::MaxNestedRecords);
    EXPECT_GT(deepest, 1) << "a record may still be handled inside a reply's wait";
}

// Eight hosts each send half of a large record and stop: the channel holds what came, not what the
// headers claim, and a host whose bytes pass the channel's limit is closed with a log line while the
// others finish their records.
TEST_F(ChannelTest, HalfSentFramesHoldWhatCameAndTheTotalIsBounded)
{
    constexpr int half = 100 * 1024;
    constexpr qint64 perHost = CopyDataChannel::DataHeaderSize + half;
    // Room for five half-sent records and the rest of one of them, not for a sixth.
    channel.setHeldLimit(6 * perHost - 1);
    std::vector<QByteArray> received;
    channel.setReceiver([&](quint64, const CopyDataStruct& data) -> qint64 {
        received.push_back(data.data);
        return 0;
    });

    std::vector<std::unique_ptr<QLocalSocket>> hosts;
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        auto host = std::make_unique<QLocalSocket>();
        host->connectToServer(channel.serverPath());
        ASSERT_TRUE(QTest::qWaitFor([&] { return host->bytesAvailable() >= 13; }, 5000));
        host->read(13);
        // The header claims the whole record; half of it follows.
        QByteArray frame = flood_host::dataFrame(7, QByteArray(2 * half, char('a' + i)), 1);
        host->write(frame.left(CopyDataChannel::DataHeaderSize + half));
        host->flush();
        if (i < 5) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return channel.heldBytes() == (i + 1) * perHost; }, 5000))
                << channel.heldBytes();
            EXPECT_EQ(host->state(), QLocalSocket::ConnectedState);
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return host->state() == QLocalSocket::UnconnectedState; }, 5000))
                << "a host past the limit stays connected";
            EXPECT_EQ(channel.heldBytes(), 5 * perHost);
        }
        hosts.push_back(std::move(host));
    }
    EXPECT_EQ(channel.connectionCount(), 5);
    EXPECT_EQ(warnings.filter(QStringLiteral("held for records not yet handled")).size(), 3)
        << warnings.join('\n').toStdString();

    // The hosts within the limit send the rest, one after the other, and are answered.
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        hosts[size_t(i)]->write(QByteArray(half, char('a' + i)));
        hosts[size_t(i)]->flush();
        ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == size_t(i + 1); }, 10000));
        EXPECT_EQ(received.back(), QByteArray(2 * half, char('a' + i)));
        EXPECT_TRUE(QTest::qWaitFor([&] { return hosts[size_t(i)]->bytesAvailable() >= 13; }, 5000));
    }
    EXPECT_EQ(channel.heldBytes(), 0);
    EXPECT_EQ(channel.connectionCount(), 5);
}
