#pragma once

// A model's geometry is mostly fresh memory, and a first read would otherwise spend much of its
// time taking that memory from the system page by page, in step with the inflating. HeapRoom makes
// room for it on the reading thread's heap before the read: the heap is grown at once by the size
// the archive states, the room is marked for transparent huge pages, and helper threads fault it in
// ahead of the reader, never further ahead of the data that really came than a fixed lead or four
// times that data, whichever is more, so a size claim that the archive's bytes do not back costs no
// more than that. Linux with glibc; elsewhere it does nothing.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace Vantor {
namespace DazoRead {

class HeapRoom
{
public:
    // Room for about `expected` bytes, allocated by this thread while the room lives; `arrived`
    // tells how many bytes of data have really come so far (called from the helper threads).
    HeapRoom(std::uint64_t expected, std::function<std::uint64_t()> arrived);
    ~HeapRoom();
    HeapRoom(const HeapRoom&) = delete;
    HeapRoom& operator=(const HeapRoom&) = delete;

    // How far the memory faulted in may run ahead of the data: the lead at first, and as the data
    // proves the archive real, so many bytes for each byte that came (on a virtual machine, fresh
    // memory costs the most, and the further the helpers are ahead the less the reader waits).
    static constexpr std::uint64_t Lead = 32u << 20;
    static constexpr std::uint64_t LeadPerByte = 4;
    static std::uint64_t leadFor(std::uint64_t arrived) { return std::max(Lead, LeadPerByte * arrived); }

private:
    void populate();

    struct Step {
        char* first;
        std::size_t size;
    };

    void* m_pin = nullptr; // keeps the heap from shrinking back over the freed room
    std::vector<Step> m_steps; // the room, in the pieces the helpers take
    std::function<std::uint64_t()> m_arrived;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::size_t m_next = 0;      // the next piece to take
    std::uint64_t m_offered = 0; // bytes of the pieces taken so far
    bool m_stop = false;
    std::vector<std::thread> m_helpers;
};

} // namespace DazoRead
} // namespace Vantor
