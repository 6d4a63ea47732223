#pragma once

// The inner working of DazoReaderWriter: an archive (and the sub-assembly archives it names) into
// a scene graph, and the bill-of-materials form. Not for use outside the reader.

#include "dazo/Vantor_Types.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/model/Model.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace Vantor {
namespace DazoRead {

// Most models in one read, counting every placement of a shared sub-assembly or part. A few
// kilobytes of references can place a part millions of times; each placement costs a model node.
const std::size_t MaxInstances = 250000;

// A sub-assembly archive as first read, shared by every later reference to it.
struct SharedArchive {
    osg::ref_ptr<Model> model;
    bool wrapped = false;
    int depth = 0;  // the depth it was first read at
    int height = 0; // levels of models from its top down
    std::size_t models = 0;
};

// What every part of one read shares, also across the contexts a bill of materials makes.
struct ReadShare {
    // Sub-assembly archives read so far, by their real path.
    std::map<std::string, SharedArchive> archives;
    // Models made so far, read or placed again.
    std::size_t instances = 0;
    // For a body placed very often, the copy (over the same drawables) that takes its further
    // placements: a node's parents are a list, and taking a node out of a parent searches it.
    std::map<const osg::Node*, osg::ref_ptr<osg::Node>> bodyStandIns;
};

// What the reader hands down to the parts of a read.
struct Context {
    std::function<bool(const std::string&)> fail; // records and logs the reason, gives false
    std::function<void(const std::string&)> warn;
    std::function<void(const std::string&, float)> progress;
    std::function<void(const std::string&, float)> subProgress;
    std::function<bool()> cancelled;
    bool readPMI = false;
    bool readEdge = false;
    bool mergeFace = false;

    // Archives being read, outermost first, so a sub-assembly that names an archive above it is
    // caught instead of read without end.
    std::vector<std::string> chain;
    // How deep below the top of the whole read this archive's top instances sit.
    int depth = 0;
    // Model ids given out in this read: an id met twice gets a fresh one.
    std::set<VantorSoft::u64> usedIds;
    std::shared_ptr<ReadShare> share = std::make_shared<ReadShare>();

    // The last reason given, so an outer failure can say what went wrong inside.
    std::string lastError;
    bool report(const std::string& reason)
    {
        lastError = reason;
        return fail(reason);
    }
};

// Deepest nesting of sub-assembly archives or bill-of-materials entries.
const int MaxDepth = 64;

// Deepest nesting of models in one read, counting across sub-assembly archives and bills of
// materials (a top model is at depth 1). The scene graph library walks trees recursively (bounds,
// culling, picking, our own visitors), so a deeper tree would exhaust the stack when drawn; no
// real assembly comes near this.
const int MaxModelDepth = 1000;

// The archive's scene, its program documents by name (when documents is given), whether the result
// is a wrapper made for several top instances, and (when others is given) every entry the reader
// does not read, as stored. Null on any failure (reason through fail).
osg::ref_ptr<Model> readArchive(Context& ctx, const std::string& path, std::map<std::string, std::string>* documents,
                                bool* wrapped = nullptr, std::vector<DazoLayout::StoredEntry>* others = nullptr);

// A bill of materials; relative part paths are taken from baseFolder, and refused when it is "" (text).
osg::ref_ptr<Model> readBom(Context& ctx, const std::string& text, const std::string& baseFolder);

// The folder of a path ("." when it has none), and a path made absolute against a folder.
std::string folderOf(const std::string& path);
std::string resolve(const std::string& folder, const std::string& path);

} // namespace DazoRead
} // namespace Vantor
