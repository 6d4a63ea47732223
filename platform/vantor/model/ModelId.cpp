#include "vantor/model/ModelId.h"

#include <atomic>

namespace Vantor {

namespace {
std::atomic<osg::OSG_ID> nextId{1};
}

osg::OSG_ID GenerateModelID() { return nextId.fetch_add(1, std::memory_order_relaxed); }

void ReserveModelID(osg::OSG_ID id)
{
    if (id == ~osg::OSG_ID(0))
        return; // nothing larger is left; later ids simply keep counting
    osg::OSG_ID expected = nextId.load(std::memory_order_relaxed);
    while (expected <= id && !nextId.compare_exchange_weak(expected, id + 1, std::memory_order_relaxed)) {
    }
}

} // namespace Vantor
