#pragma once

#include "vantor/annotation/RemoveAnnotationsCommand.h"
#include "vantor/section/SectionManager.h"

namespace Vantor {

class RemoveSectionCommand : public RemoveAnnotationsCommand<SectionManager, Section>
{
public:
    std::string Type() override { return "RemoveSectionCommand"; }
    std::string Name() override { return "RemoveSectionCommand"; }

    void setSectionManagerPtr(osg::ref_ptr<SectionManager> manager) { m_manager = manager; }
    void setSections(std::list<osg::ref_ptr<Section>> sections) { m_items = std::move(sections); }
};

} // namespace Vantor
