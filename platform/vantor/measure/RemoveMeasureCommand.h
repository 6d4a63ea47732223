#pragma once

#include "vantor/annotation/RemoveAnnotationsCommand.h"
#include "vantor/measure/MeasureManager.h"

namespace Vantor {

class RemoveMeasureCommand : public RemoveAnnotationsCommand<MeasureManager, Measure>
{
public:
    std::string Type() override { return "RemoveMeasureCommand"; }
    std::string Name() override { return "RemoveMeasureCommand"; }

    void setMeasureManagerPtr(osg::ref_ptr<MeasureManager> manager) { m_manager = manager; }
    void setMeasures(std::list<osg::ref_ptr<Measure>> measures) { m_items = std::move(measures); }
};

} // namespace Vantor
