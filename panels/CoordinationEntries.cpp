#include "panels/CoordinationEntries.h"

#include "vantor/measure/Measure.h"
#include "vantor/note/Note.h"
#include "vantor/section/Section.h"

namespace CoordinationEntries {

Vantor::AnnotationInfo* annotationOf(osg::Node* node)
{
    if (auto* section = dynamic_cast<Vantor::Section*>(node))
        return section;
    if (auto* measure = dynamic_cast<Vantor::Measure*>(node))
        return measure;
    if (auto* note = dynamic_cast<Vantor::Note*>(node))
        return note;
    return nullptr;
}

bool assignGroup(osg::Node* node, int number, const QString& name)
{
    Vantor::AnnotationInfo* info = annotationOf(node);
    if (!info)
        return false;
    info->clearGroup();
    info->setGroup(number, name.toLocal8Bit().toStdString());
    return true;
}

bool clearGroup(osg::Node* node)
{
    Vantor::AnnotationInfo* info = annotationOf(node);
    if (!info)
        return false;
    info->clearGroup();
    return true;
}

} // namespace CoordinationEntries
