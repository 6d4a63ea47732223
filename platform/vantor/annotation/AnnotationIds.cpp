#include "vantor/annotation/AnnotationIds.h"

#include <atomic>
#include <chrono>

namespace Vantor {

namespace {
std::atomic<uint64_t>& counter()
{
    static std::atomic<uint64_t> value(uint64_t(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count()));
    return value;
}
} // namespace

uint64_t AnnotationIds::next()
{
    return ++counter();
}

void AnnotationIds::reserve(uint64_t id)
{
    // An absurd id from a damaged file must not push the counter to its end.
    if (id > (uint64_t(1) << 62))
        return;
    auto& c = counter();
    uint64_t current = c.load();
    while (current < id && !c.compare_exchange_weak(current, id)) {
    }
}

} // namespace Vantor
