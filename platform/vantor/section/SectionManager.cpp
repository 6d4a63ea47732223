#include "vantor/section/SectionManager.h"
#include "vantor/util/NodeSearch.h"

#include "vantor/annotation/JsonUtil.h"
#include "vantor/model/Model.h"
#include "vantor/util/LogHandler.h"

#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"

#include <osg/ComputeBoundsVisitor>
#include <osg/Geode>
#include <osg/NodeVisitor>

#include <deque>
#include "vantor/util/JsonParse.h"

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
    updateAllSectionCappingSize();
}

unsigned int SectionManager::getOpenCount() const
{
    unsigned int count = 0;
    for (const auto& s : items())
        count += s->getOpened() ? 1 : 0;
    return count;
}

std::vector<osg::ref_ptr<osg::Node>> SectionManager::clipTargets() const
{
    if (m_applyToSelected) {
        std::vector<osg::ref_ptr<osg::Node>> selected;
        for (const auto& weak : m_selectedTargets) {
            osg::ref_ptr<osg::Node> node;
            if (weak.lock(node) && node->getNumParents() > 0)
                selected.push_back(node);
        }
        if (!selected.empty())
            return selected;
    }
    return defaultTargets();
}

std::vector<osg::ref_ptr<osg::Geode>> SectionManager::closedBodies(const std::vector<osg::ref_ptr<osg::Node>>& models)
{
    struct Collect : osg::NodeVisitor
    {
        Collect() : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN) {}
        void apply(osg::Geode& geode) override { geodes.push_back(&geode); }
        std::vector<osg::ref_ptr<osg::Geode>> geodes;
    } collect;
    for (const auto& model : models)
        model->accept(collect);
    std::vector<osg::ref_ptr<osg::Geode>> closed;
    for (const auto& geode : collect.geodes) {
        auto it = m_closed.find(geode.get());
        osg::ref_ptr<osg::Geode> known;
        if (it == m_closed.end() || !it->second.first.lock(known) || known != geode) {
            it = m_closed.insert_or_assign(geode.get(), std::make_pair(osg::observer_ptr<osg::Geode>(geode.get()),
                                                                       SectionCapping::isClosed(geode.get())))
                     .first;
        }
        if (it->second.second)
            closed.push_back(geode);
    }
    return closed;
}

std::vector<osg::ref_ptr<osg::Node>> SectionManager::defaultTargets() const
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
    resolvePendingTargets();
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
    std::vector<unsigned int> open;
    for (unsigned int n = 0; n < MaxOpenSections; ++n) {
        if (used[n])
            open.push_back(n);
    }
    const std::vector<osg::ref_ptr<osg::Node>> targets = anyOpen ? clipTargets() : std::vector<osg::ref_ptr<osg::Node>>();
    const std::vector<osg::ref_ptr<osg::Geode>> bodies = anyOpen ? closedBodies(targets) : std::vector<osg::ref_ptr<osg::Geode>>();
    for (const auto& s : items()) {
        s->getCapping()->setClipPlanes(open, s->getClipPlaneNum());
        s->getCapping()->setBodies(s->getOpened() ? bodies : std::vector<osg::ref_ptr<osg::Geode>>());
    }
    for (const auto& target : targets) {
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
    if (on)
        takeSelectionAsTargets();
    refreshClipping();
    changed(nullptr);
}

void SectionManager::setSelectedTargets(const std::list<osg::ref_ptr<osg::Node>>& nodes)
{
    m_selectedTargets.assign(nodes.begin(), nodes.end());
    refreshClipping();
}

void SectionManager::takeSelectionAsTargets()
{
    std::shared_ptr<CommandManager> commands = getCommandManager();
    ISelectionManager* selection = commands ? commands->getSelectionManager() : nullptr;
    if (!selection)
        return;
    NodePtrList top = selection->getTopSelectedList();
    m_selectedTargets.assign(top.begin(), top.end());
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

void SectionManager::resolvePendingTargets()
{
    if (m_pendingTargetIds.empty())
        return;
    Model::ModelID2NodeMap byId;
    for (const auto& top : defaultTargets()) {
        Model::ModelID2NodeMap map = Model::GetModelID2NodeMap(top.get());
        byId.insert(map.begin(), map.end());
        if (auto* model = dynamic_cast<Model*>(top.get()))
            byId.emplace(model->getModelID(), top);
    }
    if (byId.empty())
        return; // no model yet: try again when the sections are next refreshed
    m_selectedTargets.clear();
    for (uint64_t id : m_pendingTargetIds) {
        auto it = byId.find(osg::OSG_ID(id));
        if (it != byId.end())
            m_selectedTargets.emplace_back(it->second.get());
        else
            LogHandler::getInstance()->reportWarning(
                QString("Section document: cut model %1 not found").arg(qulonglong(id)));
    }
    m_pendingTargetIds.clear();
}

bool SectionManager::fromJson(const std::string& text)
{
    rapidjson::Document doc;
    // The options first; the sections' reader below reports a text that does not parse.
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(doc, text.c_str(), text.size());
    if (!doc.HasParseError() && doc.IsObject()) {
        const auto apply = doc.FindMember("ApplyToSelected");
        const auto ids = doc.FindMember("ClipModels");
        if (apply != doc.MemberEnd() && apply->value.IsBool() && doc.HasMember("section_list")) {
            const bool before = m_applyToSelected;
            m_applyToSelected = apply->value.GetBool();
            m_pendingTargetIds.clear();
            if (ids != doc.MemberEnd() && ids->value.IsArray()) {
                for (const auto& id : ids->value.GetArray()) {
                    if (id.IsUint64())
                        m_pendingTargetIds.push_back(id.GetUint64());
                }
            }
            resolvePendingTargets();
            // The listeners hear of the sections below; the option alone is news only when it changed.
            if (before != m_applyToSelected)
                changed(nullptr);
        }
    }
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
    rapidjson::Document doc = itemsToJson("section_list");
    doc.AddMember("ApplyToSelected", m_applyToSelected, doc.GetAllocator());
    rapidjson::Value ids(rapidjson::kArrayType);
    for (const auto& weak : m_selectedTargets) {
        osg::ref_ptr<osg::Node> node;
        if (weak.lock(node))
            if (auto* model = dynamic_cast<Model*>(node.get()))
                ids.PushBack(rapidjson::Value(uint64_t(model->getModelID())), doc.GetAllocator());
    }
    doc.AddMember("ClipModels", ids, doc.GetAllocator());
    return doc;
}

} // namespace Vantor
