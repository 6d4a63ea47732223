#include "vantor/property/TransformModelsCommand.h"

#include "vantor/property/ModelTransform.h"

namespace Vantor {

bool TransformModelsCommand::add(osg::MatrixTransform* node, const osg::Matrixd& before, const osg::Matrixd& after)
{
    if (!node || !ModelTransform::isSound(after))
        return false;
    m_entries.push_back(Entry{node, before, after});
    return true;
}

bool TransformModelsCommand::Execute()
{
    bool any = false;
    for (Entry& entry : m_entries) {
        osg::ref_ptr<osg::MatrixTransform> node;
        if (entry.node.lock(node)) {
            node->setMatrix(entry.after);
            any = true;
        }
    }
    return any;
}

bool TransformModelsCommand::Unexecute()
{
    bool any = false;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        osg::ref_ptr<osg::MatrixTransform> node;
        if (it->node.lock(node)) {
            node->setMatrix(it->before);
            any = true;
        }
    }
    return any;
}

} // namespace Vantor
