#pragma once

#include <osg/Group>
#include <osg/MatrixTransform>
#include <osg/observer_ptr>

#include <utility>
#include <vector>

namespace Vantor {

// Scene node of the alignment tools. With the lock on, each alignment links the moved part to the part
// it was aligned onto, and a later move of either takes the other along, so the two keep their relation.
class AlignManager : public osg::Group
{
public:
    AlignManager();
    AlignManager(const AlignManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, AlignManager)

    // (Spelled as the callers spell it.)
    void SetLockPostion(bool locked) { m_locked = locked; }
    bool GetLockPosition() const { return m_locked; }

    // Links two aligned parts (only while the lock is on; false otherwise or for a null part).
    bool addLockedPair(osg::MatrixTransform* moving, osg::MatrixTransform* fixed);
    void clearLockedPairs() { m_pairs.clear(); }
    std::size_t lockedPairCount() const;
    // Every part linked to the given ones, directly or through others, that is not one of them; none
    // while the lock is off. A part below or above a given one is left out (it moves with it already).
    std::vector<osg::ref_ptr<osg::MatrixTransform>> lockedPartners(const std::vector<osg::ref_ptr<osg::MatrixTransform>>& parts) const;

protected:
    ~AlignManager() override;

private:
    bool m_locked = false;
    std::vector<std::pair<osg::observer_ptr<osg::MatrixTransform>, osg::observer_ptr<osg::MatrixTransform>>> m_pairs;
};

} // namespace Vantor
