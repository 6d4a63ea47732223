#pragma once

#include "vantor/merge/MergeListener.h"
#include "vantor/model/Model.h"

#include <osg/Geometry>
#include <osg/Matrixd>
#include <osg/StateSet>

#include <atomic>
#include <functional>
#include <list>
#include <vector>

namespace Vantor {

// What a merge will do, prepared on the GUI thread so that the merging thread only reads the source
// geometry and builds new nodes that nothing else sees yet.
struct ModelMergePlan
{
    struct Piece
    {
        osg::ref_ptr<const osg::Geometry> geometry; // read only
        osg::Matrixd matrix;                        // geometry frame -> merged node's frame
        osg::ref_ptr<osg::StateSet> stateSet;       // a copy made for the merged node, or null
    };
    struct Entry
    {
        // Empty model made beforehand: for a replaced node a model with its id, name and placement;
        // else a new "MergeModel".
        osg::ref_ptr<Model> merged;
        std::list<osg::ref_ptr<osg::Node>> sources;
        std::vector<Piece> pieces;
    };
    std::vector<Entry> entries;
    bool mergeFaces = false;

    // A node whose every model sibling is selected is merged into its parent (the parent is replaced by
    // a model with its id); the other selected nodes become one "MergeModel" under the last one's
    // parent. Nodes below another selected node go with it.
    static ModelMergePlan fromSelection(const std::list<osg::ref_ptr<osg::Node>>& selected, bool mergeFaces);
    // The whole subtree of the node merged into one model with the node's id.
    static ModelMergePlan fromNode(osg::Node* node, bool mergeFaces);

    std::size_t pieceCount() const;
};

// Runs the plan: copies every piece's geometry into the merged nodes' frames (with mergeFaces the
// triangles of one look become one drawable). progress(done, total) returns false to stop; then the
// result is empty and stopped is set.
MergeResultMap runMergePlan(const ModelMergePlan& plan, const std::function<bool(std::size_t, std::size_t)>& progress,
                            bool* stopped = nullptr);

} // namespace Vantor
