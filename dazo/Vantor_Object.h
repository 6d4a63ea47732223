#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <atomic>

namespace VantorSoft {

// Process-wide source of object ids: distinct, non-zero, safe to call from several threads.
// Ids grow with time (milliseconds in the high bits) so archives of different sessions rarely share ids.
class DAZO_API SnowflakeIdWorker {
public:
    SnowflakeIdWorker();
    virtual ~SnowflakeIdWorker();

    u64 getId();

private:
    SnowflakeIdWorker(const SnowflakeIdWorker&) = delete;
    SnowflakeIdWorker& operator=(const SnowflakeIdWorker&) = delete;

    std::atomic<u64> m_last;
};

class DAZO_API Vantor_Object {
public:
    Vantor_Object() = default;
    Vantor_Object(const Vantor_Object&) = default;
    Vantor_Object& operator=(const Vantor_Object&) { return *this; }
    Vantor_Object& operator=(Vantor_Object&&) { return *this; }

    // The generator, created on first use and never null, so objects built during static
    // initialisation of another library still get ids.
    static SnowflakeIdWorker* IDCreator();

    // Shorthand for IDCreator()->getId().
    static u64 NewId();
};

} // namespace VantorSoft
