#pragma once

#include <osg/Group>

#include <deque>
#include <string>

namespace Vantor {

// The first node, breadth first from `start` (itself included), for which `match` holds; null when none.
// Hidden nodes are searched too.
template <typename Match>
osg::Node* breadthFirstFind(osg::Node* start, Match match)
{
    std::deque<osg::Node*> queue;
    if (start)
        queue.push_back(start);
    while (!queue.empty()) {
        osg::Node* current = queue.front();
        queue.pop_front();
        if (match(current))
            return current;
        if (osg::Group* group = current->asGroup())
            for (unsigned int i = 0; i < group->getNumChildren(); ++i)
                queue.push_back(group->getChild(i));
    }
    return nullptr;
}

// The first node of class T, breadth first from `start`.
template <typename T>
T* breadthFirstFindOf(osg::Node* start)
{
    return static_cast<T*>(breadthFirstFind(start, [](osg::Node* n) { return dynamic_cast<T*>(n) != nullptr; }));
}

// The first node with that name, breadth first from `start`.
inline osg::Node* breadthFirstFindNamed(osg::Node* start, const std::string& name)
{
    return breadthFirstFind(start, [&name](osg::Node* n) { return n->getName() == name; });
}

} // namespace Vantor
