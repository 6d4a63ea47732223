// The member stream inflates straight into what the reader hands it, and through a small buffer
// for short reads; the room for a model's memory runs no further ahead than the data.

#include "ReaderFixtures.h"

#include "vantor/dazoreader/DazoArchiveStream.h"
#include "vantor/dazoreader/DazoHeap.h"

#include <gtest/gtest.h>

#include <osg/Vec3f>

#include <condition_variable>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace reader_test;
using Vantor::DazoStream::Archive;
using Vantor::DazoStream::Member;

namespace {

// Bytes that deflate some but not to nothing, and differ from place to place.
std::string memberBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(i % 7 == 0 ? (state >> 16) : (i / 64));
    }
    return bytes;
}

// One step of a read: bytes, an array of 4-byte or of 12-byte items, or a skip, of this many bytes.
enum class Kind { Bytes, Words, Points, Skip };
struct Step {
    Kind kind;
    std::size_t bytes;
};

// Takes the member's bytes as the steps say; the bytes that came out, skipped ones taken from
// `member` bytes as they are.
bool readAs(Member& member, const std::vector<Step>& steps, const std::string& bytes, std::string& out)
{
    for (const Step& step : steps) {
        const std::size_t at = out.size();
        switch (step.kind) {
        case Kind::Bytes:
            out.resize(at + step.bytes);
            if (!member.read(&out[at], step.bytes))
                return false;
            break;
        case Kind::Words: {
            std::vector<std::uint32_t> words{7}; // appended to what is there
            if (!member.readArray(words, step.bytes / 4) || words.front() != 7)
                return false;
            out.append(reinterpret_cast<const char*>(words.data() + 1), step.bytes);
            break;
        }
        case Kind::Points: {
            std::vector<osg::Vec3f> points;
            if (!member.readArray(points, step.bytes / 12))
                return false;
            out.append(reinterpret_cast<const char*>(points.data()), step.bytes);
            break;
        }
        case Kind::Skip:
            if (!member.skip(step.bytes))
                return false;
            out.append(bytes, at, step.bytes);
            break;
        }
    }
    return true;
}

void patchSizes(std::string& zip, const std::string& entry, std::uint32_t inflated)
{
    const std::size_t local = zip.find(entry), central = zip.rfind(entry);
    ASSERT_NE(local, central);
    std::memcpy(&zip[local - 30 + 22], &inflated, 4);
    std::memcpy(&zip[central - 46 + 24], &inflated, 4);
}

// Runs the check in a child process, so the memory it watches is its own; true when it passed.
bool inChild(const std::function<bool()>& check)
{
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(120); // a guard against hangs, not a speed figure
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The data a room's helpers are told of, and how often they have asked: they ask before each
// piece they fault in, and again every little while when they are as far ahead as they may go.
struct Data {
    std::uint64_t arrived()
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++looks;
        asked.notify_all();
        return bytes;
    }
    // Whether the condition came true before a deadline, looked at after each question.
    bool eventually(const std::function<bool(int looks)>& condition)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        std::unique_lock<std::mutex> lock(mutex);
        while (!condition(looks)) {
            if (asked.wait_until(lock, deadline) == std::cv_status::timeout)
                return condition(looks);
        }
        return true;
    }
    std::mutex mutex;
    std::condition_variable asked;
    std::uint64_t bytes = 0;
    int looks = 0;
};

} // namespace

// Short reads come through the buffer and long ones straight from the inflater, arrays in pieces:
// whatever the mix, the bytes are the member's, in order, and the checksum holds at the end.
TEST(DazoArchiveStream, ReadsOfEverySizeGiveTheMemberBytes)
{
    const std::size_t staging = Member::StagingSize;
    const std::vector<std::vector<Step>> patterns = {
        {{Kind::Bytes, 1}, {Kind::Bytes, 3}, {Kind::Bytes, 24}, {Kind::Bytes, 4}},
        {{Kind::Bytes, staging - 1}, {Kind::Bytes, staging}, {Kind::Bytes, staging + 1}, {Kind::Bytes, 2}},
        // A body: header, points, a face record and its indices, an edge record and its indices.
        {{Kind::Bytes, 32}, {Kind::Points, 12 * 1001}, {Kind::Bytes, 24}, {Kind::Words, 4 * 3000}, {Kind::Bytes, 16},
         {Kind::Words, 8}, {Kind::Bytes, 32}, {Kind::Points, 12}},
        // Arrays longer than one piece, and a skip over part of the buffer and on.
        {{Kind::Bytes, 5}, {Kind::Words, 4 * 100003}, {Kind::Bytes, 7}, {Kind::Skip, 100000}, {Kind::Points, 12 * 30001}},
    };
    const std::string bytes = memberBytes(1536 * 1024);
    dazo_test::ScratchDir dir;
    const std::string file = dir.file("stream.dazo");
    pack(file, {{"mesh", bytes}});

    for (std::size_t p = 0; p < patterns.size(); ++p) {
        SCOPED_TRACE("pattern " + std::to_string(p));
        Archive archive;
        ASSERT_TRUE(archive.open(file)) << archive.error();
        std::unique_ptr<Member> member(archive.openMember("mesh"));
        ASSERT_TRUE(member) << archive.error();
        std::string out;
        ASSERT_TRUE(readAs(*member, patterns[p], bytes, out)) << member->error();
        ASSERT_EQ(member->position(), out.size());
        std::string rest;
        ASSERT_TRUE(member->readAll(rest)) << member->error();
        out += rest;
        ASSERT_EQ(out.size(), bytes.size());
        EXPECT_TRUE(out == bytes);
        EXPECT_EQ(archive.inflated(), bytes.size());
    }
}

// A member whose directory claims more than its data holds: an array within the claim fails once
// the data ends, keeps the items it held before and none of the ones that never came.
TEST(DazoArchiveStream, ArraysTheDataCannotBackFail)
{
    const std::string bytes = memberBytes(600 * 1024);
    dazo_test::ScratchDir dir;
    const std::string file = dir.file("short.dazo");
    pack(file, {{"mesh", bytes}});
    std::string zip = dazo_test::readFile(file);
    patchSizes(zip, "model.mesh", 8u << 20);
    dazo_test::writeFile(file, zip);

    for (const std::size_t before : {std::size_t(0), std::size_t(1000), std::size_t(150000)}) {
        SCOPED_TRACE("after " + std::to_string(before) + " words");
        Archive archive;
        ASSERT_TRUE(archive.open(file));
        EXPECT_EQ(archive.statedSize(), 8u << 20);
        std::unique_ptr<Member> member(archive.openMember("mesh"));
        ASSERT_TRUE(member);
        std::vector<std::uint32_t> words;
        ASSERT_TRUE(before == 0 || member->readArray(words, before));
        EXPECT_FALSE(member->readArray(words, (2u << 20) - before));
        EXPECT_NE(member->error().find("ends early"), std::string::npos) << member->error();
        EXPECT_GE(words.size(), before);
        EXPECT_LE(words.size() * 4, bytes.size());
        EXPECT_EQ(std::memcmp(words.data(), bytes.data(), words.size() * 4), 0);
        std::uint32_t word = 0;
        EXPECT_FALSE(member->read(&word, 4)); // stays failed
    }
}

// The room is faulted in ahead of the data by at most the lead, and follows the data as it comes,
// further ahead as more has come: a size the archive claims but does not back costs no more than
// the lead for the data that came.
TEST(DazoHeapRoom, FaultsInNoFurtherAheadThanTheLead)
{
    EXPECT_TRUE(inChild([] {
        const long lead = static_cast<long>(Vantor::DazoRead::HeapRoom::Lead >> 10);
        Data data;
        const long before = statusKb("VmRSS:");
        Vantor::DazoRead::HeapRoom room(512u << 20, [&] { return data.arrived(); });
        auto grown = [&] { return statusKb("VmRSS:") - before; };
        // The helpers fault in the lead, then keep asking for data without going on. Beyond the
        // lead, only what the heap itself wrote into the room while making it.
        int seen = 0;
        if (!data.eventually([&](int looks) { return grown() >= lead - 4096 && (seen = looks) > 0; }) ||
            !data.eventually([&](int looks) { return looks >= seen + 8; }) || grown() > lead + 8192)
            return false;
        // Data comes: the room follows it, four times as far ahead as the data that came.
        const std::uint64_t came = 64u << 20;
        {
            std::lock_guard<std::mutex> lock(data.mutex);
            data.bytes = came;
        }
        const long ahead = static_cast<long>((came + Vantor::DazoRead::HeapRoom::leadFor(came)) >> 10);
        if (ahead != 5 * (64 << 10))
            return false;
        if (!data.eventually([&](int looks) { return grown() >= ahead - 4096 && (seen = looks) > 0; }))
            return false;
        return data.eventually([&](int looks) { return looks >= seen + 8; }) && grown() <= ahead + 8192;
    }));
}
