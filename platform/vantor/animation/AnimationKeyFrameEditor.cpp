#include "vantor/animation/AnimationKeyFrameEditor.h"

#include "vantor/animation/UpdateKeyFrameCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/CommandManagerChangedListener.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/SelectionListener.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"

#include <osg/Geometry>
#include <osg/LineWidth>
#include <osg/MatrixTransform>

#include <algorithm>
#include <cmath>
#include <set>

namespace Vantor {

namespace {

// The editor's ears on the command history, the selection and the playback; each only observes it.
class CommandEars : public CommandManagerChangedListener
{
public:
    explicit CommandEars(AnimationKeyFrameEditor* editor) : m_editor(editor) {}
    void onCommandManagerChanged(CommandManager* manager, std::shared_ptr<Command> command) override
    {
        osg::ref_ptr<AnimationKeyFrameEditor> editor;
        if (manager && m_editor.lock(editor))
            editor->onCommandHistoryChanged(manager, command);
    }

private:
    osg::observer_ptr<AnimationKeyFrameEditor> m_editor;
};

class SelectionEars : public SelectionListener
{
public:
    explicit SelectionEars(AnimationKeyFrameEditor* editor) : m_editor(editor) {}
    void onAddSelected(osg::Node*) override { refresh(); }
    void onRemoveSelected(osg::Node*) override { refresh(); }
    void onClearSelected() override { refresh(); }
    void onSelectedListChanged(NodePtrList&) override { refresh(); }

private:
    void refresh()
    {
        osg::ref_ptr<AnimationKeyFrameEditor> editor;
        if (m_editor.lock(editor))
            editor->refreshAutokeyBase();
    }
    osg::observer_ptr<AnimationKeyFrameEditor> m_editor;
};

class PlaybackEars : public AnimationManagerListener
{
public:
    explicit PlaybackEars(AnimationKeyFrameEditor* editor) : m_editor(editor) {}
    // What playback wrote is no change of the user's.
    void onPlayTimeChanged(float) override
    {
        osg::ref_ptr<AnimationKeyFrameEditor> editor;
        if (m_editor.lock(editor))
            editor->refreshAutokeyBase();
    }

private:
    osg::observer_ptr<AnimationKeyFrameEditor> m_editor;
};

bool valueOf(const AnimationNodeState& s, AnimationKeyframeType type, AnimationKeyframeValue& v)
{
    switch (type) {
    case AKT_Transform:
        v.matrix = s.matrix;
        return s.hasMatrix;
    case AKT_Material:
        v.color = s.color;
        return s.hasMaterial;
    case AKT_Transparency:
        v.opacity = s.opacity;
        return s.hasMaterial;
    case AKT_Visibility:
        v.visible = s.visible;
        return true;
    default:
        return false;
    }
}

bool differs(const AnimationNodeState& a, const AnimationNodeState& b, AnimationKeyframeType type)
{
    switch (type) {
    case AKT_Transform: return a.hasMatrix && b.hasMatrix && a.matrix != b.matrix;
    case AKT_Material:
        return a.hasMaterial && b.hasMaterial &&
               osg::Vec3f(a.color.r(), a.color.g(), a.color.b()) != osg::Vec3f(b.color.r(), b.color.g(), b.color.b());
    case AKT_Transparency: return a.hasMaterial && b.hasMaterial && a.opacity != b.opacity;
    case AKT_Visibility: return a.visible != b.visible;
    default: return false;
    }
}

bool sameCommand(const std::weak_ptr<Command>& a, const std::shared_ptr<Command>& b)
{
    return !a.owner_before(b) && !b.owner_before(a);
}

} // namespace

AnimationKeyFrameEditor::AnimationKeyFrameEditor()
{
    setName("AnimationKeyFrameEditor");
}

AnimationKeyFrameEditor::AnimationKeyFrameEditor(const AnimationKeyFrameEditor& other, const osg::CopyOp& copyop)
    : osg::Group(other, copyop)
{
}

AnimationKeyFrameEditor::~AnimationKeyFrameEditor()
{
    if (auto commands = m_commands.lock())
        commands->RemoveCommandManagerListener(m_commandListener);
    osg::ref_ptr<ISelectionManager> selection;
    if (m_selectionListener.valid() && m_selection.lock(selection))
        selection->removeSelectionListener(static_cast<SelectionListener*>(m_selectionListener.get()));
    if (m_manager.valid() && m_managerListener.valid())
        m_manager->removeAnimationManagerListener(m_managerListener);
}

// ---- set-up ----

void AnimationKeyFrameEditor::bindAnimationManager()
{
    if (!m_manager.valid())
        return;
    osg::observer_ptr<AnimationKeyFrameEditor> self(this);
    m_manager->setResolver([self](const AnimationTarget& target) -> osg::Node* {
        osg::ref_ptr<AnimationKeyFrameEditor> editor;
        return self.lock(editor) ? editor->findTarget(target) : nullptr;
    });
    m_manager->setCurrentAnimation(segment());
    if (!m_managerListener.valid()) {
        m_managerListener = new PlaybackEars(this);
        m_manager->addAnimationManagerListener(m_managerListener);
    }
}

void AnimationKeyFrameEditor::setNoteManager(osg::ref_ptr<NoteManager> notes) { m_notes = notes; }
void AnimationKeyFrameEditor::setMeasureManager(osg::ref_ptr<MeasureManager> measures) { m_measures = measures; }
void AnimationKeyFrameEditor::setSectionManager(osg::ref_ptr<SectionManager> sections) { m_sections = sections; }

void AnimationKeyFrameEditor::setCommandManager(std::shared_ptr<CommandManager> commands)
{
    if (auto old = m_commands.lock())
        old->RemoveCommandManagerListener(m_commandListener);
    m_commands = commands;
    m_autokeyRecords.clear();
    if (!commands)
        return;
    if (!m_commandListener)
        m_commandListener = std::make_shared<CommandEars>(this);
    commands->AddCommandManagerListener(m_commandListener);
    m_undoCount = commands->undoCount();
}

ISelectionManager* AnimationKeyFrameEditor::getSelectionManager() const
{
    osg::ref_ptr<ISelectionManager> selection;
    return m_selection.lock(selection) ? selection.get() : nullptr;
}

void AnimationKeyFrameEditor::setSelectionManager(ISelectionManager* selection)
{
    if (ISelectionManager* old = getSelectionManager())
        if (m_selectionListener.valid())
            old->removeSelectionListener(static_cast<SelectionListener*>(m_selectionListener.get()));
    m_selection = selection;
    if (!selection)
        return;
    if (!m_selectionListener.valid())
        m_selectionListener = new SelectionEars(this);
    selection->addSelectionListener(static_cast<SelectionListener*>(m_selectionListener.get()));
    refreshAutokeyBase();
}

AnimationSegment* AnimationKeyFrameEditor::segment() const
{
    if (!m_segment.valid()) {
        auto* self = const_cast<AnimationKeyFrameEditor*>(this);
        self->m_segment = m_manager.valid() ? m_manager->getDefaultAnimation() : osg::ref_ptr<AnimationSegment>(new AnimationSegment);
    }
    return m_segment.get();
}

void AnimationKeyFrameEditor::setEditorAnimationSegment(osg::ref_ptr<AnimationSegment> segment)
{
    m_segment = segment;
    if (m_manager.valid())
        m_manager->setCurrentAnimation(this->segment());
    m_autokeyRecords.clear();
    removeTransformTracker();
}

osg::ref_ptr<AnimationSegment> AnimationKeyFrameEditor::getEditorAnimationSegment() const
{
    return segment();
}

void AnimationKeyFrameEditor::refreshEditorUI()
{
    double first = -1.0, last = -1.0;
    if (!segment()->bounds(first, last))
        first = last = -1.0;
    m_lastFirst = first;
    m_lastLast = last;
    notify([this](AnimationKeyFrameEditorListener& l) { l.onKeyframesUpdated(this); });
    notify([this](AnimationKeyFrameEditorListener& l) { l.onTimelineRangeChanged(this); });
}

osg::Node* AnimationKeyFrameEditor::findTarget(const AnimationTarget& target) const
{
    if (target.kind == "model") {
        osg::ref_ptr<osg::Group> scene;
        osg::ref_ptr<osgViewer::View> view;
        osg::Node* root = nullptr;
        if (m_scene.lock(scene))
            root = scene.get();
        else if (m_view.lock(view))
            root = view->getSceneData();
        if (!root)
            return nullptr;
        const Model::ModelID2NodeMap models = Model::GetModelID2NodeMap(root);
        auto it = models.find(osg::OSG_ID(target.id));
        return it == models.end() ? nullptr : it->second.get();
    }
    if (target.kind == "note" && m_notes.valid())
        return m_notes->itemById(target.id).get();
    if (target.kind == "measure" && m_measures.valid())
        return m_measures->itemById(target.id).get();
    if (target.kind == "section" && m_sections.valid())
        return m_sections->itemById(target.id).get();
    return nullptr;
}

AnimationTarget AnimationKeyFrameEditor::targetOf(osg::Node* node) const
{
    AnimationTarget t;
    if (!node)
        return t;
    if (auto* model = dynamic_cast<Model*>(node)) {
        t.kind = "model";
        t.id = model->getModelID();
    } else if (auto* note = dynamic_cast<Note*>(node)) {
        t.kind = "note";
        t.id = note->getId();
    } else if (auto* measure = dynamic_cast<Measure*>(node)) {
        t.kind = "measure";
        t.id = measure->getId();
    } else if (auto* section = dynamic_cast<Section*>(node)) {
        t.kind = "section";
        t.id = section->getId();
    }
    return t;
}

osg::ref_ptr<Model> AnimationKeyFrameEditor::getTopModel() const
{
    osg::ref_ptr<osg::Group> scene;
    osg::ref_ptr<osgViewer::View> view;
    if (m_scene.lock(scene))
        return Model::GetTopModel(scene.get());
    if (m_view.lock(view))
        return Model::GetTopModel(view->getSceneData());
    return nullptr;
}

NodePtrList AnimationKeyFrameEditor::getNoteNodes() const
{
    NodePtrList out;
    if (m_notes.valid())
        for (const auto& n : m_notes->GetAllNote())
            out.push_back(n.get());
    return out;
}

NodePtrList AnimationKeyFrameEditor::getMeasureNodes() const
{
    NodePtrList out;
    if (m_measures.valid())
        for (const auto& m : m_measures->GetAllMeasure())
            out.push_back(m.get());
    return out;
}

NodePtrList AnimationKeyFrameEditor::getSectionNodes() const
{
    NodePtrList out;
    if (m_sections.valid())
        for (const auto& s : m_sections->GetAllSection())
            out.push_back(s.get());
    return out;
}

// ---- editing mode ----

void AnimationKeyFrameEditor::openAnimationEditor()
{
    m_open = true;
    refreshAutokeyBase();
}

void AnimationKeyFrameEditor::closeAnimationEditor()
{
    m_open = false;
    removeTransformTracker();
}

void AnimationKeyFrameEditor::setAutokeyMode(bool on)
{
    m_autokey = on;
    refreshAutokeyBase();
    notify([on](AnimationKeyFrameEditorListener& l) { l.onAutokeyModeChanged(on); });
}

void AnimationKeyFrameEditor::setSelectedNodeMode(bool on)
{
    m_selectedNodeMode = on;
    notify([on](AnimationKeyFrameEditorListener& l) { l.onSelectedNodeModeChanged(on); });
}

// ---- keyframes ----

bool AnimationKeyFrameEditor::makeKey(osg::Node* node, AnimationKeyframeType type, double time,
                                      const AnimationKeyframeValue& value, int state, AnimationKeyframe** made)
{
    if (!m_open || !std::isfinite(time) || time < 0.0)
        return false;
    AnimationTrack* track = nullptr;
    if (type == AKT_Camera) {
        track = segment()->getCameraTrack();
    } else {
        const AnimationTarget target = targetOf(node);
        if (!target.valid())
            return false;
        track = segment()->getOrCreateTrack(node, target);
    }
    if (!track)
        return false;
    AnimationKeyframePtr key = track->find(type, time, SameTime);
    if (!key) {
        key = new AnimationKeyframe(type, time);
        key->value() = value;
        key->setState(state);
        track->add(key.get());
    } else {
        key->value() = value;
        key->setState(state);
        track->resetApplied();
    }
    if (made)
        *made = key.get();
    return true;
}

bool AnimationKeyFrameEditor::nodeKey(osg::Node* node, AnimationKeyframeType type, float time, bool batchUpdate)
{
    AnimationKeyframeValue value;
    if (!node || !valueOf(AnimationNodeState::of(node), type, value))
        return false;
    if (!makeKey(node, type, time, value, AKS_Plain))
        return false;
    if (type == AKT_Transform)
        updateTracker(node);
    if (!batchUpdate)
        endCallAddKeyframe();
    return true;
}

template <typename F>
bool AnimationKeyFrameEditor::bySelection(F&& f)
{
    ISelectionManager* selection = getSelectionManager();
    if (!selection)
        return false;
    const NodePtrList selected = selection->getSelectedList();
    bool any = false;
    for (const auto& node : selected)
        if (node.valid() && f(node.get()))
            any = true;
    return any;
}

bool AnimationKeyFrameEditor::getOrCreateTransformKeyframeBySelection(float time)
{
    return bySelection([&](osg::Node* n) { return nodeKey(n, AKT_Transform, time, true); });
}

bool AnimationKeyFrameEditor::getOrCreateMaterialKeyframeBySelection(float time)
{
    return bySelection([&](osg::Node* n) { return nodeKey(n, AKT_Material, time, true); });
}

bool AnimationKeyFrameEditor::getOrCreateTransparentKeyframeBySelection(float time)
{
    return bySelection([&](osg::Node* n) { return nodeKey(n, AKT_Transparency, time, true); });
}

bool AnimationKeyFrameEditor::getOrCreateVisibilityKeyframeBySelection(float time)
{
    return bySelection([&](osg::Node* n) { return nodeKey(n, AKT_Visibility, time, true); });
}

bool AnimationKeyFrameEditor::getOrCreateCameraKeyframeBySelection(float time)
{
    AnimationKeyframeValue value;
    if (!m_manager.valid() || !m_manager->getCameraInfo(value.camera))
        return false;
    return makeKey(nullptr, AKT_Camera, time, value, AKS_Plain);
}

bool AnimationKeyFrameEditor::getOrCreateTransformKeyframeByNode(osg::Node* node, float time, bool batchUpdate)
{
    return nodeKey(node, AKT_Transform, time, batchUpdate);
}

bool AnimationKeyFrameEditor::getOrCreateMaterialKeyframeByNode(osg::Node* node, float time, bool batchUpdate)
{
    return nodeKey(node, AKT_Material, time, batchUpdate);
}

bool AnimationKeyFrameEditor::getOrCreateTransparentKeyframeByNode(osg::Node* node, float time, bool batchUpdate)
{
    return nodeKey(node, AKT_Transparency, time, batchUpdate);
}

bool AnimationKeyFrameEditor::getOrCreateVisibilityKeyframe(osg::Node* node, float time, bool batchUpdate)
{
    return nodeKey(node, AKT_Visibility, time, batchUpdate);
}

bool AnimationKeyFrameEditor::fade(float from, float to, bool in)
{
    return bySelection([&](osg::Node* n) {
        auto* model = dynamic_cast<Model*>(n);
        if (!model)
            return false;
        float shown = float(model->getTransparent());
        if (shown <= 0.0f)
            shown = 1.0f;
        AnimationKeyframeValue a, b;
        a.opacity = in ? 0.0f : shown;
        b.opacity = in ? shown : 0.0f;
        const int state = in ? AKS_FadeIn : AKS_FadeOut;
        return makeKey(n, AKT_Transparency, from, a, state) && makeKey(n, AKT_Transparency, to, b, state);
    });
}

bool AnimationKeyFrameEditor::getorCreateFadeInKeyframeBySelection(float time)
{
    if (!(time >= FadeSpan))
        return false;
    return fade(float(time - FadeSpan), time, true);
}

bool AnimationKeyFrameEditor::getorCreateFadeOutKeyframeBySelection(float time)
{
    if (!(time > 0.0f))
        return false;
    return fade(time, float(time + FadeSpan), false);
}

bool AnimationKeyFrameEditor::getorCreateHotspotKeyframeBySelection(float time)
{
    if (!(time >= HotSpotSpan))
        return false;
    return bySelection([&](osg::Node* n) {
        auto* model = dynamic_cast<Model*>(n);
        if (!model)
            return false;
        AnimationKeyframeValue plain, hot;
        plain.color = model->getColor();
        hot.color = osg::Vec4f(1.0f, 0.0f, 0.0f, plain.color.a());
        return makeKey(n, AKT_Material, time - HotSpotSpan, plain, AKS_HotSpot) &&
               makeKey(n, AKT_Material, time, hot, AKS_HotSpot) &&
               makeKey(n, AKT_Material, time + HotSpotSpan, plain, AKS_HotSpot);
    });
}

template <typename F>
void AnimationKeyFrameEditor::notify(F&& f)
{
    const auto listeners = m_listeners;
    for (const auto& l : listeners)
        f(*l);
}

void AnimationKeyFrameEditor::rangeMaybeChanged()
{
    double first = -1.0, last = -1.0;
    if (!segment()->bounds(first, last))
        first = last = -1.0;
    if (first == m_lastFirst && last == m_lastLast)
        return;
    m_lastFirst = first;
    m_lastLast = last;
    notify([this](AnimationKeyFrameEditorListener& l) { l.onTimelineRangeChanged(this); });
}

void AnimationKeyFrameEditor::endCallAddKeyframe()
{
    notify([this](AnimationKeyFrameEditorListener& l) { l.onKeyframesAdded(this); });
    rangeMaybeChanged();
}

void AnimationKeyFrameEditor::endCallRemoveKeyframe()
{
    notify([this](AnimationKeyFrameEditorListener& l) { l.onKeyframesRemoved(this); });
    rangeMaybeChanged();
}

void AnimationKeyFrameEditor::endCallUpdateKeyframe()
{
    notify([this](AnimationKeyFrameEditorListener& l) { l.onKeyframesUpdated(this); });
    rangeMaybeChanged();
}

AnimationKeyframePtrList AnimationKeyFrameEditor::getAllKeyframes() const
{
    return segment()->getAllKeyframes();
}

AnimationKeyframePtrList AnimationKeyFrameEditor::getKeyframes(int type) const
{
    return segment()->getKeyframes(AnimationKeyframeType(type));
}

AnimationKeyframePtrList AnimationKeyFrameEditor::getKeyframes(osg::Node* node) const
{
    AnimationKeyframePtrList out;
    if (AnimationTrack* track = segment()->findTrack(node)) {
        track->collect(out);
        out.sort([](const AnimationKeyframePtr& a, const AnimationKeyframePtr& b) { return a->getTime() < b->getTime(); });
    }
    return out;
}

bool AnimationKeyFrameEditor::removeKeyframes(const AnimationKeyframePtrList& keys)
{
    AnimationKeyframePtrList held;
    for (const auto& key : keys)
        if (key.valid() && key->getTrack())
            held.push_back(key);
    if (held.empty())
        return false;
    auto command = std::make_shared<UpdateKeyFrameCommand>();
    command->setAnimationEditor(this);
    command->beginUpdateKeyFrameCommand(held);
    for (const auto& key : held)
        if (AnimationTrack* track = key->getTrack())
            track->remove(key.get());
    command->endUpdateKeyFrameCommand(held);
    if (auto commands = m_commands.lock())
        return commands->DoCommand(command);
    return command->Execute();
}

void AnimationKeyFrameEditor::updateKeyframesByOffset(const AnimationKeyframePtrList& keys, float offset)
{
    if (!std::isfinite(offset))
        return;
    std::set<AnimationTrack*> touched;
    for (const auto& key : keys) {
        if (!key.valid())
            continue;
        key->setTime(std::max(0.0, key->getTime() + double(offset)));
        if (AnimationTrack* track = key->getTrack())
            touched.insert(track);
    }
    for (AnimationTrack* track : touched)
        track->sort();
}

bool AnimationKeyFrameEditor::scaleRange(float duration)
{
    if (!std::isfinite(duration) || duration <= 0.0f)
        return false;
    double first = 0.0, last = 0.0;
    if (!segment()->bounds(first, last) || !(last - first > 0.0))
        return false;
    const AnimationKeyframePtrList all = getAllKeyframes();
    const double factor = double(duration) / (last - first);
    auto command = std::make_shared<UpdateKeyFrameCommand>();
    command->setAnimationEditor(this);
    command->beginUpdateKeyFrameCommand(all);
    std::set<AnimationTrack*> touched;
    for (const auto& key : all) {
        key->setTime(first + (key->getTime() - first) * factor);
        if (AnimationTrack* track = key->getTrack())
            touched.insert(track);
    }
    for (AnimationTrack* track : touched)
        track->sort();
    command->endUpdateKeyFrameCommand(all);
    if (auto commands = m_commands.lock())
        return commands->DoCommand(command);
    return command->Execute();
}

// ---- motion path ----

void AnimationKeyFrameEditor::updateTracker(osg::Node* node)
{
    AnimationTrack* track = segment()->findTrack(node);
    if (!track || !node || node->getNumParents() == 0)
        return;
    const auto& keys = track->channel(AKT_Transform);
    osg::MatrixTransform* mt = node->asTransform() ? node->asTransform()->asMatrixTransform() : nullptr;
    if (!mt || keys.size() < 2)
        return;
    const osg::NodePathList paths = node->getParent(0)->getParentalNodePaths();
    osg::Matrixd parentWorld;
    if (!paths.empty()) {
        osg::NodePath path = paths.front();
        path.push_back(node->getParent(0));
        parentWorld = osg::computeLocalToWorld(path);
    }
    // The part's centre in its own frame, carried through each keyframe's placement.
    const osg::Vec3d centre = osg::Vec3d(node->getBound().center()) * osg::Matrixd::inverse(mt->getMatrix());
    osg::ref_ptr<osg::Vec3Array> points = new osg::Vec3Array;
    for (const auto& key : keys)
        points->push_back(osg::Vec3(centre * key->value().matrix * parentWorld));

    if (!m_tracker.valid()) {
        m_tracker = new osg::Geode;
        m_tracker->setName("TransformTracker");
        osg::StateSet* ss = m_tracker->getOrCreateStateSet();
        ss->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
        ss->setMode(GL_DEPTH_TEST, osg::StateAttribute::OFF);
        ss->setAttributeAndModes(new osg::LineWidth(2.0f));
        ss->setRenderBinDetails(100, "RenderBin");
    }
    m_tracker->removeDrawables(0, m_tracker->getNumDrawables());
    osg::ref_ptr<osg::Geometry> line = new osg::Geometry;
    line->setVertexArray(points.get());
    osg::ref_ptr<osg::Vec4Array> colour = new osg::Vec4Array;
    colour->push_back(osg::Vec4(1.0f, 0.85f, 0.0f, 1.0f));
    line->setColorArray(colour.get(), osg::Array::BIND_OVERALL);
    line->addPrimitiveSet(new osg::DrawArrays(GL_LINE_STRIP, 0, GLsizei(points->size())));
    line->addPrimitiveSet(new osg::DrawArrays(GL_POINTS, 0, GLsizei(points->size())));
    m_tracker->addDrawable(line.get());
    if (!containsNode(m_tracker.get()))
        addChild(m_tracker.get());
}

void AnimationKeyFrameEditor::removeTransformTracker()
{
    if (m_tracker.valid()) {
        m_tracker->removeDrawables(0, m_tracker->getNumDrawables());
        removeChild(m_tracker.get());
    }
}

// ---- time and playback ----

float AnimationKeyFrameEditor::getCurrentKeyframeTime() const
{
    return m_manager.valid() ? float(m_manager->getCurrentTime()) : 0.0f;
}

float AnimationKeyFrameEditor::getAnimationValidStartTime() const
{
    double first = 0.0, last = 0.0;
    return segment()->bounds(first, last) ? float(first) : -1.0f;
}

float AnimationKeyFrameEditor::getAnimationValidTimeLineRange() const
{
    double first = 0.0, last = 0.0;
    return segment()->bounds(first, last) ? float(last - first) : 0.0f;
}

float AnimationKeyFrameEditor::getAnimationTimeLineRange() const
{
    double first = 0.0, last = 0.0;
    return segment()->bounds(first, last) ? float(last) : 0.0f;
}

void AnimationKeyFrameEditor::playToKeyframe(double time)
{
    if (m_manager.valid())
        m_manager->playToTime(time);
}

bool AnimationKeyFrameEditor::playAnimation() { return m_manager.valid() && m_manager->playAnimation(); }
bool AnimationKeyFrameEditor::resumeAnimation() { return m_manager.valid() && m_manager->resumeAnimation(); }
bool AnimationKeyFrameEditor::restartAnimation() { return m_manager.valid() && m_manager->restartAnimation(); }

void AnimationKeyFrameEditor::pauseAnimation()
{
    if (m_manager.valid())
        m_manager->pauseAnimation();
}

void AnimationKeyFrameEditor::stopAnimation()
{
    if (m_manager.valid())
        m_manager->stopAnimation();
}

void AnimationKeyFrameEditor::setPlaySpeed(double speed)
{
    if (m_manager.valid())
        m_manager->setPlaySpeed(speed);
}

double AnimationKeyFrameEditor::getPlaySpeed() const { return m_manager.valid() ? m_manager->getPlaySpeed() : 1.0; }
bool AnimationKeyFrameEditor::getReversePlay() const { return m_manager.valid() && m_manager->getReversePlay(); }

void AnimationKeyFrameEditor::setReversePlay(bool reverse)
{
    if (m_manager.valid())
        m_manager->setReversePlay(reverse);
}

void AnimationKeyFrameEditor::addAnimationKeyFrameEditorListener(osg::ref_ptr<AnimationKeyFrameEditorListener> listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void AnimationKeyFrameEditor::removeAnimationKeyFrameEditorListener(osg::ref_ptr<AnimationKeyFrameEditorListener> listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

// ---- autokey ----

void AnimationKeyFrameEditor::refreshAutokeyBase()
{
    m_autokeyBase.clear();
    ISelectionManager* selection = getSelectionManager();
    if (!selection)
        return;
    for (const auto& node : selection->getSelectedList())
        if (node.valid())
            m_autokeyBase[node.get()] = {osg::observer_ptr<osg::Node>(node.get()), AnimationNodeState::of(node.get())};
}

void AnimationKeyFrameEditor::onCommandHistoryChanged(CommandManager* manager, const std::shared_ptr<Command>& command)
{
    const std::size_t undo = manager->undoCount();
    const std::size_t before = m_undoCount;
    m_undoCount = undo;
    m_autokeyRecords.erase(std::remove_if(m_autokeyRecords.begin(), m_autokeyRecords.end(),
                                          [](const AutokeyRecord& r) { return r.command.expired(); }),
                           m_autokeyRecords.end());
    if (!command) {
        m_autokeyRecords.clear();
        refreshAutokeyBase();
        return;
    }
    if (dynamic_cast<UpdateKeyFrameCommand*>(command.get()))
        return;

    auto record = std::find_if(m_autokeyRecords.begin(), m_autokeyRecords.end(),
                               [&](const AutokeyRecord& r) { return sameCommand(r.command, command); });
    if (record != m_autokeyRecords.end()) {
        // The command that autokey answered was undone or redone: its keyframes go or come with it.
        const auto& states = undo < before ? record->before : record->after;
        if (undo != before) {
            for (const ChannelState& cs : states)
                cs.track->setChannel(cs.type, cs.keys);
            endCallUpdateKeyframe();
        }
    } else if (undo > before && m_autokey && m_open && !(m_manager.valid() && m_manager->isPlaying())) {
        const double time = getCurrentKeyframeTime();
        AutokeyRecord made;
        made.command = command;
        auto remember = [](std::vector<ChannelState>& list, AnimationTrack* track, AnimationKeyframeType type) {
            for (const ChannelState& cs : list)
                if (cs.track == track && cs.type == type)
                    return;
            list.push_back({track, type, track->channel(type)});
        };
        for (const auto& entry : m_autokeyBase) {
            osg::ref_ptr<osg::Node> node;
            if (!entry.second.first.lock(node))
                continue;
            const AnimationNodeState& base = entry.second.second;
            const AnimationNodeState now = AnimationNodeState::of(node.get());
            const AnimationTarget target = targetOf(node.get());
            if (!target.valid())
                continue;
            for (AnimationKeyframeType type : {AKT_Transform, AKT_Material, AKT_Transparency, AKT_Visibility}) {
                if (!differs(base, now, type))
                    continue;
                AnimationTrack* track = segment()->getOrCreateTrack(node.get(), target);
                remember(made.before, track, type);
                AnimationKeyframeValue was, is;
                valueOf(base, type, was);
                valueOf(now, type, is);
                // A part keyed for the first time also keeps where it was at the start, so the change plays.
                if (track->channel(type).empty() && time > SameTime)
                    makeKey(node.get(), type, 0.0, was, AKS_Plain);
                // A new keyframe object, so undo can put the old one back.
                if (AnimationKeyframe* old = track->find(type, time, SameTime))
                    track->remove(old);
                makeKey(node.get(), type, time, is, AKS_Plain);
                if (type == AKT_Transform)
                    updateTracker(node.get());
            }
        }
        if (!made.before.empty()) {
            for (const ChannelState& cs : made.before)
                made.after.push_back({cs.track, cs.type, cs.track->channel(cs.type)});
            m_autokeyRecords.push_back(made);
            endCallAddKeyframe();
        }
    }
    refreshAutokeyBase();
}

} // namespace Vantor
