#include "vantor/align/AlignManager.h"

namespace Vantor {

AlignManager::AlignManager() = default;

AlignManager::AlignManager(const AlignManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
    , m_locked(other.m_locked)
{
}

AlignManager::~AlignManager() = default;

} // namespace Vantor
