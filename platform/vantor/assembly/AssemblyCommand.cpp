#include "vantor/assembly/AssemblyCommand.h"

#include "vantor/assembly/AssemblyManager.h"
#include "vantor/math/NodeMatrix.h"
#include "vantor/model/Model.h"

#include <osg/MatrixTransform>
#include <osg/NodeVisitor>

#include <vector>

namespace Vantor {

namespace {

class FindAssemblyManager : public osg::NodeVisitor
{
public:
    FindAssemblyManager() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) {}
    void apply(osg::Group& group) override
    {
        if (found)
            return;
        if (auto* manager = dynamic_cast<AssemblyManager*>(&group)) {
            found = manager;
            return;
        }
        traverse(group);
    }
    AssemblyManager* found = nullptr;
};

} // namespace

void AssemblyCommand::setTargetIndex(const QModelIndex& index)
{
    m_targetIndex = index;
    m_target = index.isValid() ? static_cast<osg::Node*>(index.internalPointer()) : nullptr;
}

AssemblyManager* AssemblyCommand::assemblyManager() const
{
    if (m_manager)
        return m_manager.get();
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view) || !view->getSceneData())
        return nullptr;
    FindAssemblyManager finder;
    view->getSceneData()->accept(finder);
    return finder.found;
}

void AssemblyCommand::notifyChanged() const
{
    if (AssemblyManager* manager = assemblyManager())
        manager->notifyAssembliesChanged();
}

void AssemblyCommand::placeAt(osg::Node* node, const osg::Node* parent, const osg::Matrixd& world)
{
    auto* transform = dynamic_cast<osg::MatrixTransform*>(node);
    if (!transform)
        return;
    transform->setMatrix(world * osg::Matrixd::inverse(worldMatrixOf(parent)));
}

osg::ref_ptr<osg::Node> AssemblyCommand::instanceOf(osg::Node* node)
{
    auto* model = dynamic_cast<Model*>(node);
    if (!model)
        return node;
    // The copy shares the children; models among them are replaced by their own instances.
    // Its own state set, so a colour given to the copy leaves the original alone.
    osg::ref_ptr<Model> copy =
        new Model(*model, osg::CopyOp(osg::CopyOp::DEEP_COPY_STATESETS | osg::CopyOp::DEEP_COPY_STATEATTRIBUTES));
    for (unsigned int i = 0; i < copy->getNumChildren(); ++i)
        if (Model::isModel(copy->getChild(i)))
            copy->setChild(i, instanceOf(copy->getChild(i)).get());
    return copy;
}

bool AssemblyCommand::isAncestorOf(const osg::Node* ancestor, const osg::Node* node)
{
    for (const osg::Node* n = node; n; n = n->getNumParents() ? n->getParent(0) : nullptr)
        if (n == ancestor)
            return true;
    return false;
}

} // namespace Vantor
