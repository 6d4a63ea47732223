#include "vantor/section/SectionManager.h"
#include "vantor/util/NodeSearch.h"

#include "vantor/annotation/JsonUtil.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"

#include <osg/ComputeBoundsVisitor>

#include <deque>

namespace Vantor {

SectionManager::SectionManager() = default;

SectionManager::SectionManager(const SectionManager& other, const osg::CopyOp& copyop)
    : AnnotationGroup(other, copyop)
    , showSection(other.showSection)
{
}

SectionManager::~SectionManager() = default;

osg::ref_ptr<SectionManager> SectionManager::GetSectionManager(osg::ref_ptr<osg::Node> node)
{
    return breadthFirstFindOf<SectionManager>(node.get());
}

void SectionManager::OpenSection(const osg::ref_ptr<Section>& section)
{
    if (!holds(section.get()) || section->getOpened())
        return;
    bool used[MaxOpenSections] = {};
    for (const auto& s : items()) {
        const int n = s->getClipPlaneNum();
        if (n >= 0 && unsigned(n) < MaxOpenSections)
            used[n] = true;
    }
    for (unsigned int n = 0; n < MaxOpenSections; ++n) {
        if (!used[n]) {
            section->setOpenedState(true, n);
            refreshClipping();
            return;
        }
    }
    LogHandler::getInstance()->reportWarning(
        QString("At most %1 sections can be open at once; close one first").arg(MaxOpenSections));
}

void SectionManager::CloseSection(const osg::ref_ptr<Section>& section)
{
    if (!holds(section.get()) || !section->getOpened())
        return;
    section->setOpenedState(false, 0);
    refreshClipping();
}

void SectionManager::afterContentChange()
{
    refreshClipping();
}

std::vector<osg::ref_ptr<osg::Node>> SectionManager::clipTargets() const
{
    std::vector<osg::ref_ptr<osg::Node>> targets;
    for (unsigned int i = 0; i < getNumParents(); ++i) {
        const osg::Group* holder = getParent(i);
        for (unsigned int j = 0; j < holder->getNumParents(); ++j) {
            const osg::Group* scene = holder->getParent(j);
            for (unsigned int k = 0; k < scene->getNumChildren(); ++k) {
                osg::Node* child = const_cast<osg::Node*>(scene->getChild(k));
                if (child != holder && Model::isModel(child))
                    targets.emplace_back(child);
            }
        }
    }
    return targets;
}

void SectionManager::refreshClipping()
{
    bool used[MaxOpenSections] = {};
    std::vector<Section*> unnumbered;
    for (const auto& s : items()) {
        if (!s->getOpened())
            continue;
        const unsigned int n = s->getClipPlane()->getClipPlaneNum();
        if (n < MaxOpenSections && !used[n])
            used[n] = true;
        else
            unnumbered.push_back(s.get());
    }
    for (Section* s : unnumbered) {
        unsigned int n = 0;
        while (n < MaxOpenSections && used[n])
            ++n;
        if (n == MaxOpenSections) {
            s->setOpenedState(false, 0);
            LogHandler::getInstance()->reportWarning(
                QString("Section %1 closed: at most %2 sections can be open at once")
                    .arg(QString::fromLocal8Bit(s->getName().c_str()))
                    .arg(MaxOpenSections));
            continue;
        }
        used[n] = true;
        s->setOpenedState(true, n);
    }

    // Clean the models written before, then enable the open numbers on today's models.
    auto apply = [&](osg::Node* node, bool clip) {
        osg::StateSet* ss = clip ? node->getOrCreateStateSet() : node->getStateSet();
        if (!ss)
            return;
        for (unsigned int n = 0; n < MaxOpenSections; ++n) {
            if (clip && used[n])
                ss->setMode(GL_CLIP_PLANE0 + n, osg::StateAttribute::ON);
            else
                ss->removeMode(GL_CLIP_PLANE0 + n);
        }
    };
    for (const auto& weak : m_touched) {
        osg::ref_ptr<osg::Node> node;
        if (weak.lock(node))
            apply(node.get(), false);
    }
    m_touched.clear();
    bool anyOpen = false;
    for (bool u : used)
        anyOpen = anyOpen || u;
    if (!anyOpen)
        return;
    for (const auto& target : clipTargets()) {
        apply(target.get(), true);
        m_touched.emplace_back(target.get());
    }
}

std::vector<osg::ref_ptr<osg::ClipPlane>> SectionManager::getOpenClipPlanes() const
{
    std::vector<osg::ref_ptr<osg::ClipPlane>> planes;
    for (const auto& s : items()) {
        if (s->getOpened())
            planes.emplace_back(s->getClipPlane());
    }
    return planes;
}

std::list<osg::observer_ptr<osg::Node>> SectionManager::getNeeClipedModel() const
{
    std::list<osg::observer_ptr<osg::Node>> list;
    if (getOpenClipPlanes().empty())
        return list;
    for (const auto& target : clipTargets())
        list.emplace_back(target.get());
    return list;
}

void SectionManager::updateAllSectionCappingSize()
{
    refreshClipping();
    osg::BoundingBox box;
    for (const auto& target : clipTargets()) {
        osg::ComputeBoundsVisitor cbv;
        target->accept(cbv);
        box.expandBy(cbv.getBoundingBox());
    }
    if (!box.valid())
        return;
    // A little larger than the models, so the outline frames the cut.
    const double size = 1.2 * (box._max - box._min).length();
    for (const auto& s : items())
        s->setOutlineExtent(osg::Vec3d(box.center()), size);
}

void SectionManager::setApplyToSelected(bool on)
{
    m_applyToSelected = on;
}

osg::ref_ptr<Section> SectionManager::getSelectedSection() const
{
    osg::ref_ptr<Section> section;
    m_selected.lock(section);
    return holds(section.get()) ? section : nullptr;
}

osg::ref_ptr<osgViewer::View> SectionManager::getView() const
{
    osg::ref_ptr<osgViewer::View> view;
    m_view.lock(view);
    return view;
}

bool SectionManager::fromJson(const std::string& text)
{
    return appendFromJson(text, "section_list", "Section document",
                          [](const rapidjson::Value& entry) -> osg::ref_ptr<Section> {
                              if (!entry.IsObject())
                                  return nullptr;
                              osg::ref_ptr<Section> section = new Section;
                              section->fromJson(entry);
                              // An open section read from a file gets its clip-plane number in refreshClipping.
                              if (section->getOpened())
                                  section->setOpenedState(true, MaxOpenSections);
                              return section;
                          });
}

rapidjson::Document SectionManager::toJson(bool)
{
    return itemsToJson("section_list");
}

} // namespace Vantor
