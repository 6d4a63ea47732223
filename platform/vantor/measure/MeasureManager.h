#pragma once

#include "vantor/annotation/AnnotationGroup.h"
#include "vantor/measure/Measure.h"

#include <rapidjson/document.h>

#include <memory>
#include <string>

namespace Vantor {

class MeasureManager;

// Told synchronously after every change of the manager's measures, and whenever a running measure
// reports progress through NotifyMeasureChanged.
class MeasureManagerChangedListener
{
public:
    virtual ~MeasureManagerChangedListener() = default;
    // The manager and the measure concerned (null when the whole list changed).
    virtual void onMeasureChanged(MeasureManager* manager, Measure* measure) = 0;
};

// The scene node that holds the document's measures as its children, in their order.
class MeasureManager : public AnnotationGroup<Measure, MeasureManagerChangedListener>
{
public:
    MeasureManager();
    MeasureManager(const MeasureManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, MeasureManager)

    void AddMeasureListener(const std::shared_ptr<MeasureManagerChangedListener>& listener) { addListener(listener); }
    void RemoveMeasureListener(const std::shared_ptr<MeasureManagerChangedListener>& listener)
    {
        removeListener(listener);
    }
    void NotifyMeasureChanged(Measure* measure) { changed(measure); }

    void ShowMeasure(const osg::ref_ptr<Measure>& measure) { setItemVisible(measure.get(), true); }
    void HideMeasure(const osg::ref_ptr<Measure>& measure) { setItemVisible(measure.get(), false); }
    void HideAllMeasure() { setAllItemsVisible(false); }
    void ShowAllMeasure() { setAllItemsVisible(true); }

    osg::ref_ptr<Measure> getMeasureById(uint64_t id) const { return itemById(id); }
    std::vector<osg::ref_ptr<Measure>> GetAllMeasure() const { return items(); }

    // Adds the measures of a measure document after the present ones; see NoteManager::fromJson.
    bool fromJson(const std::string& text);
    // {"measure_list": [measure, ...]}
    rapidjson::Document toJson();

    bool InsertMeasure(const osg::ref_ptr<Measure>& measure, int position) { return insertItem(measure.get(), position); }
    bool RemoveMeasureByID(uint64_t id) { return removeItemById(id); }
    // (Spelled as the callers spell it.)
    void ClearAllMasure() { clearItems(); }

protected:
    ~MeasureManager() override;
    void callListener(MeasureManagerChangedListener& listener, Measure* measure) override
    {
        listener.onMeasureChanged(this, measure);
    }
};

} // namespace Vantor
