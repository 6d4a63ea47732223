#include "vantor/measure/MeasureManager.h"

namespace Vantor {

MeasureManager::MeasureManager() = default;

MeasureManager::MeasureManager(const MeasureManager& other, const osg::CopyOp& copyop)
    : AnnotationGroup(other, copyop)
{
}

MeasureManager::~MeasureManager() = default;

bool MeasureManager::fromJson(const std::string& text)
{
    return appendFromJson(text, "measure_list", "Measure document",
                          [](const rapidjson::Value& entry) { return Measure::create(entry); });
}

rapidjson::Document MeasureManager::toJson()
{
    return itemsToJson("measure_list");
}

} // namespace Vantor
