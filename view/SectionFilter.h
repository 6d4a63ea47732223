#pragma once

#include "vantor/command/SelectFilter.h"

// The pick filter of the command manager: before it judges a hit it takes the current open clip
// planes and clipped models of the view's sections, so commands pick only what the sections leave.
class SectionFilter : public Vantor::SelectFilter
{
public:
    SectionFilter();

    // Not clipped without a view (or without sections in its scene).
    bool isClipedInView(const Intersection& intersection, osg::ref_ptr<osgViewer::View> view) override;

protected:
    ~SectionFilter() override;
};
