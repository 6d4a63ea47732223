#include "vantor/dazoreader/DazoHeap.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>
#define NERIO_HEAP_ROOM 1
#ifndef MADV_COLLAPSE
#define MADV_COLLAPSE 25
#endif
#endif

namespace Vantor {
namespace DazoRead {

#if NERIO_HEAP_ROOM
namespace {

const std::uintptr_t HugePage = 2u << 20;
// With the huge page the first one is aligned to, below the mmap threshold set here: every block
// comes from the heap the read allocates on.
const std::size_t Block = 28u << 20;
// The reservation glibc makes for each heap of a thread other than the first (64-bit).
const std::uintptr_t ThreadHeap = 64u << 20;
// What one helper faults in at a time.
const std::size_t Piece = 4u << 20;
// Fresh memory costs the system most where it must first be backed by the host: a large room is
// taken by several helpers in parallel, one for each so many bytes, up to a few.
const std::uint64_t BytesPerHelper = 64u << 20;
const std::uint64_t MostHelpers = 3;

} // namespace

HeapRoom::HeapRoom(std::uint64_t expected, std::function<std::uint64_t()> arrived) : m_arrived(std::move(arrived))
{
    static std::once_flag once;
    std::call_once(once, [] {
        // A model's arrays stay on the heap (where huge pages can be asked for) rather than in
        // mappings of their own, and a freed model's memory goes back in large steps.
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TOP_PAD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
    });
    if (expected < HugePage)
        return;
    // Blocks taken in a row lie one after the other on the calling thread's heap, the first on a
    // huge page boundary. They are given back at once, all but the start of the last one: the
    // reader's allocations are then carved from them, and the kept start stops the heap from
    // shrinking back over them meanwhile.
    std::unique_ptr<char, void (*)(void*)> probe(static_cast<char*>(std::malloc(1)), std::free);
    std::vector<char*> blocks;
    std::vector<std::size_t> sizes;
    for (std::uint64_t room = 0; room < expected; room += sizes.back()) {
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(Block, (expected - room + HugePage - 1) & ~(HugePage - 1)));
        void* block = blocks.empty() ? aligned_alloc(HugePage, size) : std::malloc(size);
        if (!block)
            break;
        blocks.push_back(static_cast<char*>(block));
        sizes.push_back(size);
    }
    if (blocks.empty())
        return;
    // The blocks as ranges of whole huge pages: blocks next to each other make one range (a heap
    // of a thread other than the first holds only so much, so there may be several).
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> ranges;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        ranges.emplace_back(reinterpret_cast<std::uintptr_t>(blocks[i]), reinterpret_cast<std::uintptr_t>(blocks[i]) + sizes[i]);
    std::sort(ranges.begin(), ranges.end());
    for (std::size_t i = 1; i < ranges.size(); ++i) {
        if (ranges[i].first - ranges[i - 1].second < HugePage) {
            ranges[i].first = ranges[i - 1].first;
            ranges[i - 1].second = ranges[i - 1].first; // taken into the next
        }
    }
    for (const auto& range : ranges) {
        const std::uintptr_t begin = (range.first + HugePage - 1) & ~(HugePage - 1);
        const std::uintptr_t end = range.second & ~(HugePage - 1);
        if (end <= begin)
            continue;
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
        for (std::uintptr_t at = begin; at < end; at += Piece)
            m_steps.push_back({reinterpret_cast<char*>(at), std::min<std::size_t>(Piece, end - at)});
    }
    // Beyond the program break lie the heaps of threads other than the first, each a reservation
    // of its own that grows in place: those the blocks and the thread's earlier allocations lie in
    // are marked whole, so what the heap gives out around the blocks is on huge pages too.
    const std::uintptr_t brk = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::vector<std::uintptr_t> heaps{reinterpret_cast<std::uintptr_t>(probe.get()) & ~(ThreadHeap - 1)};
    for (const auto& range : ranges)
        heaps.push_back(range.first & ~(ThreadHeap - 1));
    std::sort(heaps.begin(), heaps.end());
    heaps.erase(std::unique(heaps.begin(), heaps.end()), heaps.end());
    for (std::uintptr_t heap : heaps) {
        if (heap >= brk)
            madvise(reinterpret_cast<void*>(heap), ThreadHeap, MADV_HUGEPAGE);
    }
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i)
        std::free(blocks[i]);
    m_pin = std::realloc(blocks.back(), 1); // shrinks in place: the rest of the block is free again
    if (!m_pin)
        m_pin = blocks.back();
    const std::uint64_t helpers = m_steps.empty() ? 0 : std::min(MostHelpers, 1 + expected / BytesPerHelper);
    for (std::uint64_t i = 0; i < helpers; ++i) {
        m_helpers.emplace_back(&HeapRoom::populate, this);
        pthread_setname_np(m_helpers.back().native_handle(), "dazo-heap-room");
    }
}

HeapRoom::~HeapRoom()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& helper : m_helpers)
        helper.join();
    std::free(m_pin);
}

void HeapRoom::populate()
{
    // Faulting in writes nothing: memory the reader has already taken keeps its content.
    for (;;) {
        std::size_t step;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            for (;;) {
                if (m_stop || m_next == m_steps.size())
                    return;
                const std::uint64_t arrived = m_arrived();
                if (m_offered + m_steps[m_next].size <= arrived + leadFor(arrived))
                    break;
                // Ahead of the data: look again shortly (the lead is many milliseconds of data).
                m_wake.wait_for(lock, std::chrono::milliseconds(1));
            }
            step = m_next++;
            m_offered += m_steps[step].size;
        }
        // Small pages the heap or the reader wrote in the piece before it was marked are gathered
        // into huge ones first (where they cannot be, small pages serve), then the rest is faulted in.
        const Step& piece = m_steps[step];
        madvise(piece.first, piece.size, MADV_COLLAPSE);
        if (madvise(piece.first, piece.size, MADV_POPULATE_WRITE) != 0) {
            // An older system, or the heap shrank meanwhile: the reader faults the rest in itself.
            std::lock_guard<std::mutex> lock(m_mutex);
            m_next = m_steps.size();
            return;
        }
    }
}

#else

HeapRoom::HeapRoom(std::uint64_t, std::function<std::uint64_t()>) {}
HeapRoom::~HeapRoom() = default;
void HeapRoom::populate() {}

#endif

} // namespace DazoRead
} // namespace Vantor
