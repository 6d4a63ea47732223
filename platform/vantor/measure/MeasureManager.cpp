#include "vantor/measure/MeasureManager.h"

#include "vantor/annotation/JsonUtil.h"
#include "vantor/util/LogHandler.h"

namespace Vantor {

MeasureManager::MeasureManager() = default;

MeasureManager::MeasureManager(const MeasureManager& other, const osg::CopyOp& copyop)
    : AnnotationGroup(other, copyop)
{
}

MeasureManager::~MeasureManager() = default;

void MeasureManager::ShowMeasure(const osg::ref_ptr<Measure>& measure)
{
    if (holds(measure.get()))
        measure->setNodeMask(0xFFFFFFFFu);
}

void MeasureManager::HideMeasure(const osg::ref_ptr<Measure>& measure)
{
    if (holds(measure.get()))
        measure->setNodeMask(0u);
}

void MeasureManager::HideAllMeasure()
{
    for (const auto& m : items())
        m->setNodeMask(0u);
}

void MeasureManager::ShowAllMeasure()
{
    for (const auto& m : items())
        m->setNodeMask(0xFFFFFFFFu);
}

bool MeasureManager::fromJson(const std::string& text)
{
    rapidjson::Document doc;
    if (!JsonUtil::parse(text, doc, "Measure document"))
        return false;
    const rapidjson::Value* list = JsonUtil::listMember(doc, "measure_list", "Measure document");
    if (!list)
        return false;
    bool added = false;
    for (const auto& entry : list->GetArray()) {
        osg::ref_ptr<Measure> measure = Measure::create(entry);
        if (!measure) {
            LogHandler::getInstance()->reportWarning(
                QString("Measure document: an entry that is not an object skipped"));
            continue;
        }
        addChild(measure.get());
        added = true;
    }
    if (added)
        contentChanged(nullptr);
    return true;
}

rapidjson::Document MeasureManager::toJson()
{
    rapidjson::Document doc(rapidjson::kObjectType);
    rapidjson::Value list(rapidjson::kArrayType);
    for (const auto& m : items())
        list.PushBack(m->toJson(doc.GetAllocator()), doc.GetAllocator());
    doc.AddMember("measure_list", list, doc.GetAllocator());
    return doc;
}

} // namespace Vantor
