#pragma once

#include "vantor/command/Command.h"

#include <osg/ref_ptr>

#include <list>
#include <string>

namespace Vantor {

// Removes a list of annotations from their manager as one undo step and puts the same nodes back in the
// same order on undo. Entries that the manager does not hold are passed over; a command without a
// manager, or with nothing to remove, changes nothing and tells no listener.
template <class Manager, class Item>
class RemoveAnnotationsCommand : public Command
{
public:
    bool Execute() override
    {
        if (!m_manager)
            return true;
        m_taken = m_manager->takeItems(m_items);
        return true;
    }

    bool Unexecute() override
    {
        if (m_manager)
            m_manager->restoreItems(m_taken);
        m_taken.clear();
        return true;
    }

protected:
    osg::ref_ptr<Manager> m_manager;
    std::list<osg::ref_ptr<Item>> m_items;
    typename Manager::Taken m_taken;
};

} // namespace Vantor
