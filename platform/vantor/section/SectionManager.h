#pragma once

#include "vantor/annotation/AnnotationGroup.h"
#include "vantor/section/Section.h"

#include <osg/ClipPlane>
#include <osg/observer_ptr>
#include <osgViewer/View>
#include <rapidjson/document.h>

#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Vantor {

class CommandManager;
class SectionManager;

// Told synchronously after every change of the manager's sections (and on NotifySectionChanged).
class SectionManagerChangedListener
{
public:
    virtual ~SectionManagerChangedListener() = default;
    virtual void onSectionChanged(SectionManager* manager, Section* section) = 0;
};

// The scene node that holds the document's sections as its children. Open sections clip the models that
// stand beside the manager's parent group (in the scene holder: the models of "NodeScene"; see
// getNeeClipedModel); each open section takes one of the GL clip-plane numbers 0..5.
class SectionManager : public AnnotationGroup<Section, SectionManagerChangedListener>
{
public:
    static const unsigned int MaxOpenSections = 6;

    SectionManager();
    SectionManager(const SectionManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, SectionManager)

    // The first section manager at or below the node (breadth first); null when there is none.
    static osg::ref_ptr<SectionManager> GetSectionManager(osg::ref_ptr<osg::Node> node);

    void AddSectionListener(const std::shared_ptr<SectionManagerChangedListener>& listener) { addListener(listener); }
    void RemoveSectionListener(const std::shared_ptr<SectionManagerChangedListener>& listener)
    {
        removeListener(listener);
    }
    void NotifySectionChanged(Section* section) { changed(section); }

    std::vector<osg::ref_ptr<Section>> GetAllSection() const { return items(); }
    osg::ref_ptr<Section> getNodeById(uint64_t id) const { return itemById(id); }

    // Opening takes a free clip-plane number; with all numbers in use the section stays closed (logged).
    void OpenSection(const osg::ref_ptr<Section>& section);
    void CloseSection(const osg::ref_ptr<Section>& section);

    bool InsertSection(const osg::ref_ptr<Section>& section, int position)
    {
        return insertItem(section.get(), position);
    }
    bool RemoveSectionByID(uint64_t id) { return removeItemById(id); }
    void ClearAllSection() { clearItems(); }

    // Adds the sections of a section document after the present ones; see NoteManager::fromJson.
    bool fromJson(const std::string& text);
    // {"section_list": [section, ...], "ApplyToSelected": bool, "ClipModels": [model id, ...]}. The flag
    // is accepted for the callers' sake and changes nothing. Reading takes the option and the cut
    // models too (ids not found among the models are dropped, logged).
    rapidjson::Document toJson(bool flag);

    // The clip planes of the open sections, in section order.
    std::vector<osg::ref_ptr<osg::ClipPlane>> getOpenClipPlanes() const;
    // The models the open sections cut (empty while no section is open).
    std::list<osg::observer_ptr<osg::Node>> getNeeClipedModel() const;
    // Sizes every plane outline to the clipped models and re-applies the clipping to them (the models may
    // have changed since).
    void updateAllSectionCappingSize();

    // Whether the sections cut only the selected models. Switching it on takes the selection of the
    // command manager's selection manager at that moment (see setSelectedTargets); with no model
    // selected the sections go on cutting the whole model.
    void setApplyToSelected(bool on);
    bool getApplyToSelected() const { return m_applyToSelected; }
    // The models cut while "apply to selected" is on.
    void setSelectedTargets(const std::list<osg::ref_ptr<osg::Node>>& nodes);
    // Takes the current selection as the cut models (when "apply to selected" is on).
    void takeSelectionAsTargets();
    // Number of open sections; a new one can be opened while it is below MaxOpenSections.
    unsigned int getOpenCount() const;

    void setSelectedSection(Section* section) { m_selected = section; }
    osg::ref_ptr<Section> getSelectedSection() const;

    void setCommandManagerWeakPtr(std::weak_ptr<CommandManager> manager) { m_commandManager = std::move(manager); }
    std::shared_ptr<CommandManager> getCommandManager() const { return m_commandManager.lock(); }
    void setView(osg::observer_ptr<osgViewer::View> view) { m_view = view; }
    osg::ref_ptr<osgViewer::View> getView() const;

    // Whether plane outlines are drawn (the settings write it).
    bool showSection = true;

protected:
    ~SectionManager() override;
    void callListener(SectionManagerChangedListener& listener, Section* section) override
    {
        listener.onSectionChanged(this, section);
    }
    void afterContentChange() override;

private:
    std::vector<osg::ref_ptr<osg::Node>> clipTargets() const;
    std::vector<osg::ref_ptr<osg::Node>> defaultTargets() const;
    // The closed bodies below the models, for the caps.
    std::vector<osg::ref_ptr<osg::Geode>> closedBodies(const std::vector<osg::ref_ptr<osg::Node>>& models);
    // Gives every open section a unique clip-plane number (closing those left without one), then enables
    // exactly the open numbers on the clipped models.
    void refreshClipping();

    bool m_applyToSelected = false;
    std::vector<osg::observer_ptr<osg::Node>> m_selectedTargets;
    // Cut models read from a document before the models were there.
    std::vector<uint64_t> m_pendingTargetIds;
    void resolvePendingTargets();
    // Closedness found for a body, kept while the body lives.
    std::map<const osg::Geode*, std::pair<osg::observer_ptr<osg::Geode>, bool>> m_closed;
    osg::observer_ptr<Section> m_selected;
    std::weak_ptr<CommandManager> m_commandManager;
    osg::observer_ptr<osgViewer::View> m_view;
    // Models whose state set this manager has written clip modes into, so they can be cleaned later.
    std::vector<osg::observer_ptr<osg::Node>> m_touched;
};

} // namespace Vantor
