#pragma once

#include "vantor/command/Command.h"

#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/observer_ptr>

#include <vector>

namespace Vantor {

// One finished move of one or more models: puts the "after" matrices in place, and the "before" ones
// back on undo, exactly as they were. The draggers, explosions and alignments record their moves with it.
class TransformModelsCommand : public Command
{
public:
    std::string Type() override { return "TransformModelsCommand"; }
    std::string Name() override { return "TransformModelsCommand"; }

    // Refuses a node that is gone or an "after" matrix that is not sound (NaN, collapsed).
    bool add(osg::MatrixTransform* node, const osg::Matrixd& before, const osg::Matrixd& after);
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }

    bool Execute() override;
    bool Unexecute() override;

private:
    struct Entry
    {
        osg::observer_ptr<osg::MatrixTransform> node;
        osg::Matrixd before;
        osg::Matrixd after;
    };
    std::vector<Entry> m_entries;
};

} // namespace Vantor
