#pragma once

#include <osg/Group>

namespace Vantor {

// Scene node of the alignment tools. The lock keeps aligned parts from being moved by later alignments.
class AlignManager : public osg::Group
{
public:
    AlignManager();
    AlignManager(const AlignManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, AlignManager)

    // (Spelled as the callers spell it.)
    void SetLockPostion(bool locked) { m_locked = locked; }
    bool GetLockPosition() const { return m_locked; }

protected:
    ~AlignManager() override;

private:
    bool m_locked = false;
};

} // namespace Vantor
