#pragma once

#include <osg/Node>
#include <osg/ref_ptr>

#include <list>
#include <map>
#include <string>

namespace Vantor {

// Each merged node and the nodes it replaces in the model.
using MergeResultMap = std::map<osg::ref_ptr<osg::Node>, std::list<osg::ref_ptr<osg::Node>>>;

// Told how a merge goes. Called on the merge's own thread: onMergeBegin first, then onMergeProgress
// (which also asks for the cancel state), then onMergeResult when the merge completed, and last
// onMergeEnd, or onMergeStopped when it was cancelled (without a result).
class MergeListener
{
public:
    virtual ~MergeListener() = default;
    virtual void onMergeResult(MergeResultMap& result) = 0;
    virtual void onMergeBegin() = 0;
    // value: 0..100; *cancel receives whether the user asked to stop.
    virtual void onMergeProgress(std::string& text, float* value, bool* cancel) = 0;
    virtual void onMergeEnd() = 0;
    virtual void onMergeStopped() = 0;
};

} // namespace Vantor
