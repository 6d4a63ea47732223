#include "vantor/command/TempNodeManager.h"

#include "vantor/util/NodeSearch.h"

namespace Vantor {

TempNodeManager::TempNodeManager() { setName("TempNodeManager"); }

TempNodeManager::TempNodeManager(const TempNodeManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
{
}

TempNodeManager::~TempNodeManager() = default;

osg::ref_ptr<TempNodeManager> TempNodeManager::GetTempNodeManager(osg::Node* node)
{
    return breadthFirstFindOf<TempNodeManager>(node);
}

osg::Node* TempNodeManager::getSubNodeByName(const std::string& name) const
{
    for (unsigned int i = 0; i < getNumChildren(); ++i) {
        if (getChild(i)->getName() == name)
            return const_cast<osg::Node*>(getChild(i));
    }
    return nullptr;
}

void TempNodeManager::ClearTempNode()
{
    if (getNumChildren() > 0)
        removeChildren(0, getNumChildren());
}

} // namespace Vantor
