// Interference check of a whole model against itself, as the dialog's "object 1 vs all" and
// "Selected object" modes run it: reads the model, takes its bottom parts and checks every pair at
// zero tolerance, with the contact option, and with a clearance. Prints the time, the pairs the
// broad phase kept and the pairs tested per second.
//
//   bench_collision <file.dazo> [clearance in mm, default 10]

#include "vantor/collision/CollisionCallback.h"
#include "vantor/collision/CollisionManager.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/model/Model.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Counts the notifications, as the dialog would receive them.
struct CountingCallback : Vantor::CollisionCallback
{
    int progress = 0;
    int pairs = 0;
    void onProgress() override { ++progress; }
    void onPairChecked(const std::string&, const std::string&) override { ++pairs; }
};

void run(Vantor::CollisionManager& manager, const Vantor::CollisionManager::NodeList& parts, float interval,
         const char* what, bool self)
{
    manager.SetInterval(interval);
    CountingCallback callback;
    if (self)
        manager.DetectSelfCollision(parts, &callback);
    else
        manager.DetectMultiToMulti(parts, parts, &callback);
    const auto s = manager.GetLastStatistics();
    std::printf("%s\n  %.2f s in all (triangles %.2f, broad phase %.3f, search trees %.2f, pairs %.2f)\n"
                "  parts %zu, triangles %zu, pairs kept %zu, tested %zu (%.0f pairs/s), found %zu, %d progress notices\n",
                what, s.seconds, s.gatherSeconds, s.broadPhaseSeconds, s.buildSeconds, s.pairSeconds, s.parts,
                s.triangles, s.candidatePairs, s.pairsTested, s.pairSeconds > 0 ? double(s.pairsTested) / s.pairSeconds : 0.0,
                s.results, callback.progress);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_collision <file.dazo> [clearance]\n");
        return 2;
    }
    const float clearance = argc > 2 ? float(std::atof(argv[2])) : 10.0f;
    DazoReaderWriter reader;
    const auto start = std::chrono::steady_clock::now();
    osg::ref_ptr<osg::Node> root = reader.readNode(argv[1]);
    osg::ref_ptr<Vantor::Model> top = root ? Vantor::Model::GetTopModel(root) : nullptr;
    if (!top) {
        std::fprintf(stderr, "bench_collision: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("read in %.2f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    Vantor::CollisionManager::NodeList parts;
    Vantor::OsgHelper::GetBottomNode(top.get(), parts, 1);

    Vantor::CollisionManager manager;
    run(manager, parts, 0.0f, "whole model vs all, zero tolerance", false);
    run(manager, parts, 0.01f, "whole model vs all, contact", false);
    const std::string label = "whole model vs all, clearance " + std::to_string(int(clearance));
    run(manager, parts, clearance, label.c_str(), false);
    const osg::BoundingSphere bound = top->getBound();
    const float a = 1.5f * float(bound.radius());
    manager.InitCollisionWorld(osg::Vec3f(bound.center()) - osg::Vec3f(a, a, a), osg::Vec3f(bound.center()) + osg::Vec3f(a, a, a));
    run(manager, parts, clearance, (label + ", self, hashed").c_str(), true);
    manager.SetThreadCount(1);
    run(manager, parts, clearance, (label + ", one thread").c_str(), false);
    return 0;
}
