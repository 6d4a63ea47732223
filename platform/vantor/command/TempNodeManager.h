#pragma once

#include <osg/Group>
#include <osg/ref_ptr>

#include <string>

namespace Vantor {

// Group of the scene's temporary helpers (pick rectangle, rotation-centre mark, command previews).
// Cleared with the document; helpers re-add themselves when they find their name missing.
class TempNodeManager : public osg::Group
{
public:
    TempNodeManager();
    TempNodeManager(const TempNodeManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, TempNodeManager)

    // The first temporary-node manager at or below the node (breadth first); null when there is none.
    static osg::ref_ptr<TempNodeManager> GetTempNodeManager(osg::Node* node);

    // The first direct child with that name; null when there is none.
    osg::Node* getSubNodeByName(const std::string& name) const;
    // Removes every temporary node.
    void ClearTempNode();

protected:
    ~TempNodeManager() override;
};

} // namespace Vantor
