#include "vantor/collision/CollisionManager.h"

#include "vantor/collision/PartMesh.h"
#include "vantor/collision/PenetrationDepth.h"
#include "vantor/util/LogHandler.h"

#include <fcl/broadphase/broadphase_dynamic_AABB_tree.h>
#include <fcl/broadphase/broadphase_spatialhash.h>
#include <fcl/geometry/shape/box.h>
#include <fcl/narrowphase/collision.h>
#include <fcl/narrowphase/distance.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace Vantor {

using collision::PartMesh;

namespace {

using Clock = std::chrono::steady_clock;

// Points a side the depth search may look at before it settles for the deepest found.
constexpr std::size_t kDepthPoints = 400000;
// Intersection points kept per interfering pair, for drawing.
constexpr std::size_t kShownContacts = 16;
// Notifications at most this often while a run goes on.
constexpr auto kNotifyEvery = std::chrono::milliseconds(50);

struct Candidate
{
    std::uint32_t a;
    std::uint32_t b;
};

std::uint32_t partIndex(const fcl::CollisionObjectd* object)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object->getUserData()));
}

// Boxes standing in for the parts in the broad phase: each part's world box grown by half the
// interval on every side, so two boxes meet exactly when the parts' boxes are within the interval.
std::vector<std::unique_ptr<fcl::CollisionObjectd>> makeProxies(const std::vector<PartMesh>& parts,
                                                                const std::vector<std::uint32_t>& indices,
                                                                double interval)
{
    std::vector<std::unique_ptr<fcl::CollisionObjectd>> proxies;
    for (std::uint32_t i : indices) {
        const PartMesh& part = parts[i];
        if (part.empty())
            continue;
        const osg::Vec3d size = part.worldBox._max - part.worldBox._min + osg::Vec3d(interval, interval, interval);
        const double tiny = 1e-9 * std::max(1.0, part.worldBox.radius());
        auto box = std::make_shared<fcl::Boxd>(size.x() + tiny, size.y() + tiny, size.z() + tiny);
        const osg::Vec3d c = part.worldBox.center();
        auto proxy = std::make_unique<fcl::CollisionObjectd>(box, fcl::Transform3d(Eigen::Translation3d(c.x(), c.y(), c.z())));
        proxy->computeAABB();
        proxy->setUserData(reinterpret_cast<void*>(static_cast<std::uintptr_t>(i)));
        proxies.push_back(std::move(proxy));
    }
    return proxies;
}

struct PairSink
{
    std::unordered_set<std::uint64_t> seen;
    std::vector<Candidate> pairs;
};

bool keepPair(fcl::CollisionObjectd* o1, fcl::CollisionObjectd* o2, void* data)
{
    auto* sink = static_cast<PairSink*>(data);
    std::uint32_t a = partIndex(o1), b = partIndex(o2);
    // Some broad phases hand out every pair sharing a cell: keep the boxes that really meet.
    if (a == b || !o1->getAABB().overlap(o2->getAABB()))
        return false;
    if (a > b)
        std::swap(a, b);
    if (sink->seen.insert((std::uint64_t(a) << 32) | b).second)
        sink->pairs.push_back({a, b});
    return false;
}

std::vector<fcl::CollisionObjectd*> raw(const std::vector<std::unique_ptr<fcl::CollisionObjectd>>& objects)
{
    std::vector<fcl::CollisionObjectd*> out;
    for (const auto& o : objects)
        out.push_back(o.get());
    return out;
}

// Runs work(i) for i in [0, count) on helper threads while the calling thread calls tick(done)
// every few tens of milliseconds. Stops handing out work once stop() says so.
void runParallel(std::size_t count, unsigned int threads, const std::function<void(std::size_t)>& work,
                 const std::function<bool()>& stop, const std::function<void(std::size_t)>& tick)
{
    if (count == 0)
        return;
    threads = std::max(1u, std::min<unsigned int>(threads, static_cast<unsigned int>(count)));
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> abort{false};
    std::mutex mutex;
    std::condition_variable finished;
    unsigned int running = threads;
    std::exception_ptr failure;

    auto body = [&] {
        try {
            for (;;) {
                if (abort)
                    break;
                const std::size_t i = next++;
                if (i >= count)
                    break;
                work(i);
                ++done;
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            if (!failure)
                failure = std::current_exception();
            abort = true;
        }
        std::lock_guard<std::mutex> lock(mutex);
        --running;
        finished.notify_all();
    };
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (unsigned int t = 0; t < threads; ++t)
        pool.emplace_back(body);
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, kNotifyEvery);
            lock.unlock();
            if (stop())
                abort = true;
            tick(done);
            lock.lock();
        }
    }
    for (std::thread& t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}

// What one pair is, or false when it is not to be reported.
bool testPair(const PartMesh& a, const fcl::CollisionObjectd& oa, const PartMesh& b, const fcl::CollisionObjectd& ob,
              double interval, CollisionInfo& info)
{
    const double contactLimit = std::min<double>(interval, CollisionManager::ContactAccuracy);
    const double size = std::max(a.worldBox.radius(), b.worldBox.radius());
    const double numericZero = 1e-6 * std::max(1.0, size);

    fcl::CollisionRequestd request(64, true);
    fcl::CollisionResultd result;
    fcl::collide(&oa, &ob, request, result);
    bool overlapping = result.isCollision();
    if (!overlapping) {
        // One part wholly inside the other: no surfaces cross, yet the solids overlap.
        const auto inside = [](const PartMesh& inner, const PartMesh& outer) {
            return outer.worldBox.contains(inner.worldBox._min) && outer.worldBox.contains(inner.worldBox._max)
                   && containsPoint(outer, inner.toWorld * inner.mesh->vertices.front());
        };
        overlapping = inside(a, b) || inside(b, a);
    }

    std::vector<CollisionPoint> points;
    double signedDistance = 0.0;
    if (overlapping) {
        const collision::Penetration depth = collision::penetration(a, oa, b, ob, CollisionManager::DepthAccuracy, kDepthPoints);
        if (!depth.withinAccuracy)
            LogHandler::getInstance()->reportWarning("Interference depth of " + a.name + " and " + b.name
                                                     + " may be short of the true depth by more than the"
                                                     " depth accuracy");
        if (depth.inside && depth.depth > numericZero) {
            signedDistance = -depth.depth;
            const fcl::Vector3d& p = depth.deepest;
            points.push_back({osg::Vec3f(p.x(), p.y(), p.z()), static_cast<float>(signedDistance)});
        }
        std::vector<fcl::Contactd> contacts;
        result.getContacts(contacts);
        const std::size_t step = std::max<std::size_t>(1, contacts.size() / kShownContacts);
        for (std::size_t i = 0; i < contacts.size() && points.size() <= kShownContacts; i += step)
            points.push_back({osg::Vec3f(contacts[i].pos.x(), contacts[i].pos.y(), contacts[i].pos.z()), 0.0f});
    } else {
        if (interval <= 0.0)
            return false;
        fcl::DistanceRequestd request(true);
        fcl::DistanceResultd distance;
        fcl::distance(&oa, &ob, request, distance);
        if (distance.min_distance > interval)
            return false;
        signedDistance = std::max(0.0, distance.min_distance);
        for (const fcl::Vector3d& p : distance.nearest_points)
            points.push_back({osg::Vec3f(p.x(), p.y(), p.z()), static_cast<float>(signedDistance)});
    }

    if (signedDistance < 0.0 && (interval <= 0.0 || -signedDistance > contactLimit))
        info.type = CollisionType::Interference;
    else if (interval <= 0.0)
        return false; // surfaces only touch, and touching was not asked for
    else if (signedDistance <= contactLimit)
        info.type = CollisionType::Contact;
    else
        info.type = CollisionType::Clearance;
    if (points.empty())
        points.push_back({osg::Vec3f(), static_cast<float>(signedDistance)});
    info.node1 = a.node;
    info.node2 = b.node;
    info.contacts = std::move(points);
    return true;
}

} // namespace

CollisionManager::CollisionManager() = default;
CollisionManager::~CollisionManager() = default;

void CollisionManager::SetInterval(float interval)
{
    m_interval = std::isfinite(interval) ? std::max(0.0f, interval) : 0.0f;
}

float CollisionManager::GetInterval() const
{
    return m_interval;
}

void CollisionManager::InitCollisionWorld(osg::Vec3f min, osg::Vec3f max)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hasWorld = min.x() < max.x() && min.y() < max.y() && min.z() < max.z();
    m_worldMin = min;
    m_worldMax = max;
}

void CollisionManager::SetThreadCount(unsigned int count)
{
    m_threads = count;
}

CollisionManager::Statistics CollisionManager::GetLastStatistics() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_statistics;
}

std::shared_ptr<CollisionInfoList> CollisionManager::DetectMultiToMulti(NodeList list1, NodeList list2,
                                                                        CollisionCallback* callback)
{
    return detect(std::move(list1), std::move(list2), false, callback);
}

std::shared_ptr<CollisionInfoList> CollisionManager::DetectSelfCollision(NodeList list, CollisionCallback* callback)
{
    return detect(std::move(list), NodeList(), true, callback);
}

std::shared_ptr<CollisionInfoList> CollisionManager::detect(NodeList list1, NodeList list2, bool self,
                                                            CollisionCallback* callback)
{
    const Clock::time_point start = Clock::now();
    const double interval = m_interval;
    bool hasWorld;
    osg::Vec3f worldMin, worldMax;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        hasWorld = m_hasWorld;
        worldMin = m_worldMin;
        worldMax = m_worldMax;
    }
    unsigned int threads = m_threads;
    if (threads == 0)
        threads = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);

    Statistics stats;
    std::vector<CollisionInfo> found;
    std::vector<char> reported;
    std::vector<Candidate> candidates;
    bool completed = false;

    const auto stopped = [callback] { return callback && callback->IsStopped(); };
    Clock::time_point lastNotice = Clock::now();
    const auto notify = [&](float progress, const std::string* first, const std::string* second, bool force) {
        if (!callback)
            return;
        callback->setProgress(progress);
        if (!force && Clock::now() - lastNotice < kNotifyEvery)
            return;
        lastNotice = Clock::now();
        if (first && second)
            callback->onPairChecked(*first, *second);
        callback->onProgress();
    };

    if (callback) {
        callback->beginRun();
        callback->onProgressReset();
    }

    try {
        // The parts, once each, with their triangles.
        std::vector<PartMesh> parts;
        std::unordered_map<const osg::Node*, std::uint32_t> indexOf;
        std::vector<std::uint32_t> first, second;
        collision::PartMeshBuilder builder;
        const auto add = [&](const NodeList& list, std::vector<std::uint32_t>& indices) {
            for (const osg::ref_ptr<osg::Node>& node : list) {
                if (!node)
                    continue;
                auto [it, isNew] = indexOf.emplace(node.get(), static_cast<std::uint32_t>(parts.size()));
                if (isNew)
                    parts.push_back(builder.prepare(node.get()));
                indices.push_back(it->second);
            }
        };
        add(list1, first);
        add(list2, second);
        Clock::time_point phase = Clock::now();
        runParallel(
            parts.size(), threads, [&](std::size_t i) { collision::PartMeshBuilder::finish(parts[i]); }, stopped,
            [&](std::size_t done) { notify(0.1f * float(done) / float(parts.size()), nullptr, nullptr, false); });
        stats.gatherSeconds = std::chrono::duration<double>(Clock::now() - phase).count();
        phase = Clock::now();
        for (const PartMesh& part : parts)
            if (!part.empty()) {
                ++stats.parts;
                stats.triangles += part.mesh->triangles.size();
            }

        // Broad phase: pairs whose grown boxes meet.
        if (!stopped()) {
            PairSink sink;
            auto proxies1 = makeProxies(parts, first, interval);
            if (self) {
                std::unique_ptr<fcl::BroadPhaseCollisionManagerd> manager;
                if (hasWorld) {
                    double cell = 0.0;
                    for (const auto& p : proxies1)
                        cell += (p->getAABB().max_ - p->getAABB().min_).maxCoeff();
                    cell /= std::max<std::size_t>(proxies1.size(), 1);
                    const fcl::Vector3d lo(worldMin.x(), worldMin.y(), worldMin.z());
                    const fcl::Vector3d hi(worldMax.x(), worldMax.y(), worldMax.z());
                    cell = std::max(cell, (hi - lo).maxCoeff() / 1000.0);
                    manager = std::make_unique<fcl::SpatialHashingCollisionManager<double>>(cell, lo, hi);
                } else {
                    manager = std::make_unique<fcl::DynamicAABBTreeCollisionManagerd>();
                }
                manager->registerObjects(raw(proxies1));
                manager->setup();
                manager->collide(&sink, keepPair);
            } else {
                auto proxies2 = makeProxies(parts, second, interval);
                fcl::DynamicAABBTreeCollisionManagerd manager1, manager2;
                manager1.registerObjects(raw(proxies1));
                manager2.registerObjects(raw(proxies2));
                manager1.setup();
                manager2.setup();
                manager1.collide(&manager2, &sink, keepPair);
            }
            candidates = std::move(sink.pairs);
            std::sort(candidates.begin(), candidates.end(),
                      [](const Candidate& x, const Candidate& y) { return x.a != y.a ? x.a < y.a : x.b < y.b; });
        }
        stats.candidatePairs = candidates.size();
        stats.broadPhaseSeconds = std::chrono::duration<double>(Clock::now() - phase).count();
        phase = Clock::now();
        notify(0.1f, nullptr, nullptr, true);

        // The search structures of the parts the broad phase kept.
        std::vector<std::uint32_t> needed;
        {
            std::vector<char> want(parts.size(), 0);
            for (const Candidate& c : candidates)
                want[c.a] = want[c.b] = 1;
            for (std::uint32_t i = 0; i < want.size(); ++i)
                if (want[i])
                    needed.push_back(i);
        }
        std::vector<std::unique_ptr<fcl::CollisionObjectd>> objects(parts.size());
        if (!stopped()) {
            runParallel(
                needed.size(), threads, [&](std::size_t i) { parts[needed[i]].mesh->bvh(); }, stopped,
                [&](std::size_t done) { notify(0.1f + 0.4f * float(done) / float(needed.size()), nullptr, nullptr, false); });
            if (!stopped())
                for (std::uint32_t i : needed)
                    objects[i] = std::make_unique<fcl::CollisionObjectd>(parts[i].mesh->bvh(), parts[i].toWorld);
        }
        stats.buildSeconds = std::chrono::duration<double>(Clock::now() - phase).count();
        phase = Clock::now();

        // Exact queries.
        found.resize(candidates.size());
        reported.assign(candidates.size(), 0);
        std::atomic<std::size_t> latest{0};
        std::atomic<std::size_t> tested{0};
        if (!stopped()) {
            runParallel(
                candidates.size(), threads,
                [&](std::size_t i) {
                    latest = i;
                    const Candidate& c = candidates[i];
                    if (testPair(parts[c.a], *objects[c.a], parts[c.b], *objects[c.b], interval, found[i])) {
                        reported[i] = 1;
                        if (callback)
                            callback->addResult(found[i]);
                    }
                    ++tested;
                },
                stopped,
                [&](std::size_t done) {
                    const Candidate& c = candidates[std::min(latest.load(), candidates.size() - 1)];
                    notify(0.5f + 0.5f * float(done) / float(candidates.size()), &parts[c.a].name, &parts[c.b].name, false);
                });
        }
        stats.pairsTested = tested;
        stats.pairSeconds = std::chrono::duration<double>(Clock::now() - phase).count();
        completed = !stopped();
    } catch (const std::exception& error) {
        LogHandler::getInstance()->reportError(std::string("Interference check failed: ") + error.what());
    } catch (...) {
        LogHandler::getInstance()->reportError(std::string("Interference check failed"));
    }

    auto results = std::make_shared<CollisionInfoList>();
    for (std::size_t i = 0; i < reported.size(); ++i)
        if (reported[i])
            results->push_back(found[i]);
    stats.results = results->size();
    stats.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_statistics = stats;
    }
    if (callback) {
        callback->setResults(*results);
        callback->endRun(completed);
        callback->onProgress();
        callback->onResultsChanged();
        callback->onFinished();
    }
    return results;
}

} // namespace Vantor
