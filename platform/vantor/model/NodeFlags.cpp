#include "vantor/model/NodeFlags.h"

#include <osg/Node>
#include <osg/UserDataContainer>
#include <osg/ValueObject>

namespace Vantor {

namespace {
const char* const SelectedKey = "selected";
}

bool isNodeSelected(const osg::Node* node)
{
    bool selected = false;
    return node && node->getUserDataContainer() && node->getUserValue(SelectedKey, selected) && selected;
}

void setNodeSelected(osg::Node* node, bool selected)
{
    if (!node)
        return;
    osg::UserDataContainer* container = node->getUserDataContainer();
    if (!container) {
        if (!selected)
            return;
    } else if (container->referenceCount() > 1) {
        // Copied nodes share their user data with the original; the flag belongs to this node alone.
        node->setUserDataContainer(osg::clone(container, osg::CopyOp::DEEP_COPY_ALL));
    }
    node->setUserValue(SelectedKey, selected);
}

} // namespace Vantor
