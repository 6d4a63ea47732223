#pragma once

#include <osg/Group>
#include <osg/ref_ptr>

#include <algorithm>
#include <cstdint>
#include <list>
#include <memory>
#include <utility>
#include <vector>

namespace Vantor {

// The common core of the note, measure and section managers: a scene group whose children are the
// annotations, and a list of change listeners. Every operation that changes the list of annotations
// tells the listeners once, after the change; showing or hiding one annotation does not, so a panel
// that walks the entries is never rebuilt under its feet. Null items and unknown ids change nothing
// and tell nobody.
template <class Item, class Listener>
class AnnotationGroup : public osg::Group
{
public:
    using ItemPtr = osg::ref_ptr<Item>;
    // Removed items with the index each had when it was taken out, in the order of removal.
    using Taken = std::vector<std::pair<unsigned int, ItemPtr>>;

    AnnotationGroup() = default;
    AnnotationGroup(const AnnotationGroup& other, const osg::CopyOp& copyop)
        : osg::Group(other, copyop)
    {
    }

    std::vector<ItemPtr> items() const
    {
        std::vector<ItemPtr> out;
        for (unsigned int i = 0; i < getNumChildren(); ++i) {
            if (Item* item = dynamic_cast<Item*>(const_cast<osg::Node*>(getChild(i))))
                out.emplace_back(item);
        }
        return out;
    }

    ItemPtr itemById(uint64_t id) const
    {
        for (unsigned int i = 0; i < getNumChildren(); ++i) {
            Item* item = dynamic_cast<Item*>(const_cast<osg::Node*>(getChild(i)));
            if (item && item->getId() == id)
                return item;
        }
        return nullptr;
    }

    bool holds(const Item* item) const { return item && getChildIndex(item) < getNumChildren(); }

    // Adds the item before the child at `position`; a position outside 0..count appends. An item that is
    // already a child stays where it is (false).
    bool insertItem(Item* item, int position)
    {
        if (!item || holds(item))
            return false;
        if (position < 0 || unsigned(position) >= getNumChildren())
            addChild(item);
        else
            insertChild(unsigned(position), item);
        contentChanged(item);
        return true;
    }

    bool removeItemById(uint64_t id)
    {
        ItemPtr item = itemById(id);
        if (!item)
            return false;
        removeChild(item.get());
        contentChanged(nullptr);
        return true;
    }

    // Removes every annotation; tells the listeners only when there was one.
    bool clearItems()
    {
        if (getNumChildren() == 0)
            return false;
        removeChildren(0, getNumChildren());
        contentChanged(nullptr);
        return true;
    }

    // Takes the listed items that are children out, as one change.
    Taken takeItems(const std::list<ItemPtr>& list)
    {
        Taken taken;
        for (const ItemPtr& item : list) {
            if (!holds(item.get()))
                continue;
            const unsigned int index = getChildIndex(item.get());
            taken.emplace_back(index, item);
            removeChildren(index, 1);
        }
        if (!taken.empty())
            contentChanged(nullptr);
        return taken;
    }

    // Puts taken items back where they were, in reverse order of removal, as one change; the manager then
    // holds the same nodes in the same order as before they were taken.
    void restoreItems(const Taken& taken)
    {
        bool any = false;
        for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
            if (!it->second || holds(it->second.get()))
                continue;
            if (it->first >= getNumChildren())
                addChild(it->second.get());
            else
                insertChild(it->first, it->second.get());
            any = true;
        }
        if (any)
            contentChanged(nullptr);
    }

    void addListener(const std::shared_ptr<Listener>& listener)
    {
        if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
            m_listeners.push_back(listener);
    }

    void removeListener(const std::shared_ptr<Listener>& listener)
    {
        m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
    }

    std::size_t listenerCount() const { return m_listeners.size(); }

protected:
    ~AnnotationGroup() override = default;

    // Calls each listener with the manager and the item (may be null). Iterates a copy, so a listener
    // may add or remove listeners while it is called.
    virtual void callListener(Listener& listener, Item* item) = 0;

    // Run after the list of annotations changed, before the listeners are told.
    virtual void afterContentChange() {}

    void contentChanged(Item* item)
    {
        afterContentChange();
        changed(item);
    }

    void changed(Item* item)
    {
        const auto listeners = m_listeners;
        for (const auto& l : listeners)
            callListener(*l, item);
    }

private:
    std::vector<std::shared_ptr<Listener>> m_listeners;
};

} // namespace Vantor
