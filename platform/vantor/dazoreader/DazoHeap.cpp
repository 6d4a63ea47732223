#include "vantor/dazoreader/DazoHeap.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#define NERIO_HEAP_ADVICE 1
#endif

namespace Vantor {
namespace DazoRead {

#if NERIO_HEAP_ADVICE
namespace {

const std::uintptr_t HugePage = 2u << 20;
std::mutex adviceMutex;
std::uintptr_t advisedUpTo = 0;

} // namespace

void prepareHeap(unsigned long long expected)
{
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TOP_PAD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
    });
    adviseHeap();
    // A block taken and given back at once leaves the heap grown by it (and the pad), advised,
    // and untouched: the read's arrays then start on huge pages.
    const std::size_t ahead = static_cast<std::size_t>(expected < (24u << 20) ? expected : (24u << 20));
    if (ahead < HugePage)
        return;
    void* block = std::malloc(ahead);
    adviseHeap();
    std::free(block);
}

void adviseHeap()
{
    std::lock_guard<std::mutex> lock(adviceMutex);
    const std::uintptr_t top = reinterpret_cast<std::uintptr_t>(sbrk(0));
    if (top == ~std::uintptr_t(0))
        return;
    // The first call only marks where the heap ends: what lies below is in use already.
    if (advisedUpTo == 0 || top < advisedUpTo) {
        advisedUpTo = top;
        return;
    }
    const std::uintptr_t begin = (advisedUpTo + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t end = top & ~(HugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    advisedUpTo = top;
}

#else

void prepareHeap(unsigned long long) {}
void adviseHeap() {}

#endif

} // namespace DazoRead
} // namespace Vantor
