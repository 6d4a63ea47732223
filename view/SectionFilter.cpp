#include "view/SectionFilter.h"

#include "vantor/section/SectionManager.h"

SectionFilter::SectionFilter() = default;
SectionFilter::~SectionFilter() = default;

bool SectionFilter::isClipedInView(const Intersection& intersection, osg::ref_ptr<osgViewer::View> view)
{
    if (!view.valid())
        return false;
    osg::ref_ptr<Vantor::SectionManager> sections = Vantor::SectionManager::GetSectionManager(view->getSceneData());
    view = nullptr;
    std::vector<osg::Plane> planes;
    Vantor::ObserverNodeList clipped;
    if (sections.valid()) {
        for (const auto& clipPlane : sections->getOpenClipPlanes()) {
            if (clipPlane.valid())
                planes.emplace_back(clipPlane->getClipPlane());
        }
        clipped = sections->getNeeClipedModel();
    }
    setClipedNodes(clipped);
    setOpenClips(planes);
    return isCliped(intersection);
}
