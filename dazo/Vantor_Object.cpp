#include "dazo/Vantor_Object.h"

#include <chrono>

namespace VantorSoft {

namespace {
// 2020-01-01T00:00:00Z in milliseconds: keeps the time part of the ids small.
constexpr u64 kEpochMs = 1577836800000ULL;
constexpr int kSequenceBits = 22;

u64 nowBase()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    const u64 since = ms > 0 && static_cast<u64>(ms) > kEpochMs ? static_cast<u64>(ms) - kEpochMs : 0;
    return since << kSequenceBits;
}
} // namespace

SnowflakeIdWorker::SnowflakeIdWorker()
    : m_last(0)
{
}

SnowflakeIdWorker::~SnowflakeIdWorker() = default;

u64 SnowflakeIdWorker::getId()
{
    // The next id is the later of "previous + 1" and the current time slot, so ids never repeat
    // even when the clock steps back or more than 2^22 ids are drawn in one millisecond.
    const u64 base = nowBase();
    u64 last = m_last.load(std::memory_order_relaxed);
    u64 next;
    do {
        next = last + 1 > base ? last + 1 : base;
        if (next == 0)
            next = 1;
    } while (!m_last.compare_exchange_weak(last, next, std::memory_order_relaxed));
    return next;
}

SnowflakeIdWorker* Vantor_Object::IDCreator()
{
    static SnowflakeIdWorker worker;
    return &worker;
}

u64 Vantor_Object::NewId()
{
    return IDCreator()->getId();
}

} // namespace VantorSoft
