#pragma once

#include "vantor/view/View.h"

#include <osg/Group>
#include <rapidjson/document.h>

#include <memory>
#include <vector>

namespace Vantor {

class ViewManager;

// Told synchronously whenever the list of saved views changed.
class ViewManagerChangedListener
{
public:
    virtual ~ViewManagerChangedListener() = default;
    virtual void onViewChanged(ViewManager* manager) = 0;
};

// The scene node that holds the saved views as its children, in their order. Null views and unknown ids
// or indexes change nothing and tell nobody.
class ViewManager : public osg::Group
{
public:
    ViewManager();
    ViewManager(const ViewManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, ViewManager)

    // The first view manager at or below the node (breadth first); null when there is none.
    static osg::ref_ptr<ViewManager> GetViewManager(osg::ref_ptr<osg::Node> node);

    void AddViewListener(const std::shared_ptr<ViewManagerChangedListener>& listener);
    void RemoveViewListener(const std::shared_ptr<ViewManagerChangedListener>& listener);
    // Calls the listeners.
    void NotifyViewChanged();
    // Counts the changes told to the listeners. With lastInsertedIndex a listener that followed the
    // change before can take in a single insertion without walking every view again.
    unsigned long long revision() const { return m_revision; }
    // Where the one view of the last change was inserted; -1 when the last change was anything else.
    int lastInsertedIndex() const { return m_lastInserted; }

    std::vector<osg::ref_ptr<View>> GetAllView() const;
    osg::ref_ptr<View> GetViewByID(int64_t id) const;
    int indexOfView(const View* view) const;

    // Appends the view; false for null or a view already held.
    bool AddView(osg::ref_ptr<View> view);
    // Puts the view before the view at `position` (out of range: at the end).
    bool InsertView(osg::ref_ptr<View> view, int position);
    // Inserts the views as InsertView would one after another, as one change: each at `position` while
    // that lies in the list (so a later view goes before an earlier one), else at the end. Null views
    // and views already held are skipped; the number inserted.
    std::size_t InsertViews(const std::vector<osg::ref_ptr<View>>& views, int position);
    bool RemoveViewByID(int64_t id);
    bool RemoveViewByIndex(int index);
    bool RemoveView(const View* view);
    void ClearAllView();

    // The saved-view list document: {"userview_list": [each view's own JSON, in list order]}.
    rapidjson::Document toJson();

protected:
    ~ViewManager() override;

private:
    void notify(int inserted);

    std::vector<std::shared_ptr<ViewManagerChangedListener>> m_listeners;
    unsigned long long m_revision = 0;
    int m_lastInserted = -1;
};

} // namespace Vantor
