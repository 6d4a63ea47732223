#include "vantor/align/AlignManager.h"

#include <algorithm>

namespace Vantor {

namespace {

bool related(osg::Node* a, osg::Node* b)
{
    auto below = [](osg::Node* upper, osg::Node* lower) {
        for (const osg::NodePath& path : lower->getParentalNodePaths()) {
            if (std::find(path.begin(), path.end(), upper) != path.end())
                return true;
        }
        return false;
    };
    return below(a, b) || below(b, a);
}

} // namespace

AlignManager::AlignManager() { setName("AlignManager"); }

AlignManager::AlignManager(const AlignManager& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop), m_locked(other.m_locked), m_pairs(other.m_pairs)
{
}

AlignManager::~AlignManager() = default;

bool AlignManager::addLockedPair(osg::MatrixTransform* moving, osg::MatrixTransform* fixed)
{
    if (!m_locked || !moving || !fixed || moving == fixed)
        return false;
    m_pairs.emplace_back(moving, fixed);
    return true;
}

std::size_t AlignManager::lockedPairCount() const
{
    return std::count_if(m_pairs.begin(), m_pairs.end(), [](const auto& p) { return p.first.valid() && p.second.valid(); });
}

std::vector<osg::ref_ptr<osg::MatrixTransform>>
AlignManager::lockedPartners(const std::vector<osg::ref_ptr<osg::MatrixTransform>>& parts) const
{
    std::vector<osg::ref_ptr<osg::MatrixTransform>> found;
    if (!m_locked)
        return found;
    std::vector<osg::MatrixTransform*> reached;
    for (const auto& part : parts)
        reached.push_back(part.get());
    // Grows the linked set until no pair adds a part.
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& pair : m_pairs) {
            osg::ref_ptr<osg::MatrixTransform> a, b;
            if (!pair.first.lock(a) || !pair.second.lock(b))
                continue;
            const bool hasA = std::find(reached.begin(), reached.end(), a.get()) != reached.end();
            const bool hasB = std::find(reached.begin(), reached.end(), b.get()) != reached.end();
            if (hasA == hasB)
                continue;
            osg::MatrixTransform* other = hasA ? b.get() : a.get();
            reached.push_back(other);
            grew = true;
            const bool nested = std::any_of(parts.begin(), parts.end(), [&](const auto& p) { return related(p.get(), other); });
            if (!nested)
                found.push_back(other);
        }
    }
    return found;
}

} // namespace Vantor
