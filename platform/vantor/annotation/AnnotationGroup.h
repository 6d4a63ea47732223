#pragma once

#include "vantor/annotation/JsonUtil.h"
#include "vantor/util/LogHandler.h"

#include <osg/Group>
#include <osg/ref_ptr>
#include <rapidjson/document.h>

#include <algorithm>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_set>
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

    // Adds the items in their order before the child at `position` (outside 0..count: at the end), as
    // one change; null items and items already held are skipped. The number added.
    std::size_t insertItems(const std::vector<ItemPtr>& list, int position)
    {
        std::unordered_set<const osg::Node*> held;
        for (unsigned int i = 0; i < getNumChildren(); ++i)
            held.insert(getChild(i));
        unsigned int at = position < 0 || unsigned(position) >= getNumChildren() ? getNumChildren() : unsigned(position);
        std::size_t added = 0;
        for (const ItemPtr& item : list) {
            if (!item || !held.insert(item.get()).second)
                continue;
            if (at >= getNumChildren())
                addChild(item.get());
            else
                insertChild(at, item.get());
            ++at;
            ++added;
        }
        if (added)
            contentChanged(nullptr);
        return added;
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

    // Shows or hides one annotation of this manager; annotations of other managers and null change
    // nothing. Not a change of content: no listener is told.
    void setItemVisible(Item* item, bool visible)
    {
        if (holds(item))
            item->setNodeMask(visible ? 0xFFFFFFFFu : 0u);
    }

    void setAllItemsVisible(bool visible)
    {
        for (unsigned int i = 0; i < getNumChildren(); ++i) {
            if (Item* item = dynamic_cast<Item*>(getChild(i)))
                item->setNodeMask(visible ? 0xFFFFFFFFu : 0u);
        }
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

    // Appends the annotations of a document {"<listKey>": [entry, ...]} made by `create` (null for an entry it
    // cannot use: logged and skipped), as one change. False, with nothing changed, for a text that does not
    // parse or lacks the list; `what` names the document in the log.
    template <typename Create>
    bool appendFromJson(const std::string& text, const char* listKey, const char* what, Create create)
    {
        rapidjson::Document doc;
        if (!JsonUtil::parse(text, doc, what))
            return false;
        const rapidjson::Value* list = JsonUtil::listMember(doc, listKey, what);
        if (!list)
            return false;
        bool added = false;
        for (const auto& entry : list->GetArray()) {
            ItemPtr item = create(entry);
            if (!item) {
                LogHandler::getInstance()->reportWarning(
                    QString("%1: an entry that is not an object skipped").arg(QString::fromUtf8(what)));
                continue;
            }
            addChild(item.get());
            added = true;
        }
        if (added)
            contentChanged(nullptr);
        return true;
    }

    // {"<listKey>": [item.toJson(), ...]} in the manager's order.
    rapidjson::Document itemsToJson(const char* listKey) const
    {
        rapidjson::Document doc(rapidjson::kObjectType);
        rapidjson::Value list(rapidjson::kArrayType);
        for (const auto& item : items())
            list.PushBack(item->toJson(doc.GetAllocator()), doc.GetAllocator());
        doc.AddMember(rapidjson::StringRef(listKey), list, doc.GetAllocator());
        return doc;
    }

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
