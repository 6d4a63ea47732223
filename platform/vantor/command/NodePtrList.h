#pragma once

#include <osg/Node>
#include <osg/ref_ptr>

#include <list>

namespace Vantor {
// Picked and selected nodes travel between the view, the selection and the panels in this form.
using NodePtrList = std::list<osg::ref_ptr<osg::Node>>;
}

// The program names the same list without the namespace.
using NodePtrList = Vantor::NodePtrList;
