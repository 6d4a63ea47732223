#pragma once

#include "vantor/animation/AnimationManager.h"
#include "vantor/command/NodePtrList.h"

#include <osg/Geode>
#include <osg/Group>
#include <osg/observer_ptr>
#include <osg/ref_ptr>
#include <osgViewer/View>

#include <map>
#include <memory>
#include <vector>

namespace Vantor {

class AnimationKeyFrameEditor;
class Command;
class CommandManager;
class CommandManagerChangedListener;
class ISelectionManager;
class MeasureManager;
class Model;
class NoteManager;
class SectionManager;

// Hears the keyframe editor; called synchronously on the GUI thread.
class AnimationKeyFrameEditorListener : public osg::Referenced
{
public:
    virtual void onKeyframesAdded(AnimationKeyFrameEditor* editor) {}
    virtual void onKeyframesRemoved(AnimationKeyFrameEditor* editor) {}
    // Times or contents changed (a move, a scale, an undo, a loaded document).
    virtual void onKeyframesUpdated(AnimationKeyFrameEditor* editor) {}
    virtual void onTimelineRangeChanged(AnimationKeyFrameEditor* editor) {}
    virtual void onAutokeyModeChanged(bool on) {}
    virtual void onSelectedNodeModeChanged(bool on) {}

protected:
    ~AnimationKeyFrameEditorListener() override = default;
};

// Edits the keyframes of one animation segment: makes keyframes from the selection or from given nodes
// at a time, moves, rescales and deletes them as undoable commands, records keyframes on its own while
// autokey is on, and forwards playback to the animation manager. A scene node: it joins the view's
// scene group and draws the motion path of the selected part (the transform tracker).
// Keyframes are made only while the editor is open. GUI thread only.
class AnimationKeyFrameEditor : public osg::Group
{
public:
    // Half a frame: a keyframe this close to the asked time is updated instead of doubled.
    static constexpr double SameTime = 1.0 / 60.0;
    // The span of a fade and half the span of a hot spot.
    static constexpr double FadeSpan = 0.3;
    static constexpr double HotSpotSpan = 0.1;

    AnimationKeyFrameEditor();
    AnimationKeyFrameEditor(const AnimationKeyFrameEditor& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, AnimationKeyFrameEditor)

    // ---- set-up ----
    void setScene(osg::Group* scene) { m_scene = scene; }
    osg::Group* getScene() const { return m_scene.get(); }
    void setViewer(osgViewer::View* view) { m_view = view; }
    void setAnimationManager(osg::ref_ptr<AnimationManager> manager) { m_manager = manager; }
    // Plays the editor's segment and lets the manager find stored targets in the scene.
    void bindAnimationManager();
    osg::ref_ptr<AnimationManager> GetAnimationManager() const { return m_manager; }
    void setNoteManager(osg::ref_ptr<NoteManager> notes);
    void setMeasureManager(osg::ref_ptr<MeasureManager> measures);
    void setSectionManager(osg::ref_ptr<SectionManager> sections);
    // Undoable edits run through it; autokey follows its history.
    void setCommandManager(std::shared_ptr<CommandManager> commands);
    std::shared_ptr<CommandManager> GetCommandManager() const { return m_commands.lock(); }
    void setSelectionManager(ISelectionManager* selection);
    ISelectionManager* getSelectionManager() const;

    // The segment being edited (the manager's default one until set).
    void setEditorAnimationSegment(osg::ref_ptr<AnimationSegment> segment);
    osg::ref_ptr<AnimationSegment> getEditorAnimationSegment() const;
    // Tells every listener that everything changed (after a document was loaded).
    void refreshEditorUI();

    // Finds a stored target in the scene: models by id below the scene, annotations in their managers.
    osg::Node* findTarget(const AnimationTarget& target) const;
    // How a node is named in a stored animation; invalid for nodes that cannot be stored.
    AnimationTarget targetOf(osg::Node* node) const;
    osg::ref_ptr<Model> getTopModel() const;
    NodePtrList getNoteNodes() const;
    NodePtrList getMeasureNodes() const;
    NodePtrList getSectionNodes() const;

    // ---- editing mode ----
    void openAnimationEditor();
    void closeAnimationEditor();
    bool isAnimationEditorOpen() const { return m_open; }
    void setAutokeyMode(bool on);
    bool getAutokeyMode() const { return m_autokey; }
    void setSelectedNodeMode(bool on);
    bool getSelectedNodeMode() const { return m_selectedNodeMode; }

    // ---- keyframes ----
    // Each makes the keyframe at the time or updates the one already there (SameTime); false when
    // nothing could be keyed (editor closed, negative time, no node of the kind). The selection
    // variants key every selected node and tell no listener (endCallAddKeyframe does); the node
    // variants tell the listeners themselves unless batchUpdate.
    bool getOrCreateTransformKeyframeBySelection(float time);
    bool getOrCreateMaterialKeyframeBySelection(float time);
    bool getOrCreateTransparentKeyframeBySelection(float time);
    bool getOrCreateVisibilityKeyframeBySelection(float time);
    bool getOrCreateCameraKeyframeBySelection(float time);
    bool getOrCreateTransformKeyframeByNode(osg::Node* node, float time, bool batchUpdate);
    bool getOrCreateMaterialKeyframeByNode(osg::Node* node, float time, bool batchUpdate);
    bool getOrCreateTransparentKeyframeByNode(osg::Node* node, float time, bool batchUpdate);
    bool getOrCreateVisibilityKeyframe(osg::Node* node, float time, bool batchUpdate);
    // The selected models fade in over FadeSpan seconds ending at the time (time > FadeSpan), fade out
    // over FadeSpan seconds starting at it (time > 0), or flash red around it (HotSpotSpan each side).
    bool getorCreateFadeInKeyframeBySelection(float time);
    bool getorCreateFadeOutKeyframeBySelection(float time);
    bool getorCreateHotspotKeyframeBySelection(float time);
    void endCallAddKeyframe();
    void endCallRemoveKeyframe();
    void endCallUpdateKeyframe();

    AnimationKeyframePtrList getAllKeyframes() const;
    AnimationKeyframePtrList getKeyframes(int type) const;
    AnimationKeyframePtrList getKeyframes(osg::Node* node) const;

    // Undoable: one UpdateKeyFrameCommand each, run through the command manager.
    bool removeKeyframes(const AnimationKeyframePtrList& keys);
    // Shifts the keyframes' times (never below 0); no command of its own (UpdateKeyFrameCommand wraps it).
    void updateKeyframesByOffset(const AnimationKeyframePtrList& keys, float offset);
    // Rescales every keyframe time so that the keyframes span `duration` seconds from the first one.
    // False for a duration that is not finite or not above 0, and when fewer than two times exist.
    bool scaleRange(float duration);

    // Removes the motion path.
    void removeTransformTracker();
    osg::Node* getTransformTracker() const { return m_tracker.get(); }

    // ---- time and playback (forwarded to the manager) ----
    float getCurrentKeyframeTime() const;
    // First keyframe time; -1 when there is none.
    float getAnimationValidStartTime() const;
    // Last minus first keyframe time; 0 when there is none.
    float getAnimationValidTimeLineRange() const;
    // Last keyframe time (the animation runs from 0 to it); 0 when there is none.
    float getAnimationTimeLineRange() const;
    void playToKeyframe(double time);
    bool playAnimation();
    bool resumeAnimation();
    void pauseAnimation();
    void stopAnimation();
    bool restartAnimation();
    void setPlaySpeed(double speed);
    double getPlaySpeed() const;
    bool getReversePlay() const;
    void setReversePlay(bool reverse);

    void addAnimationKeyFrameEditorListener(osg::ref_ptr<AnimationKeyFrameEditorListener> listener);
    void removeAnimationKeyFrameEditorListener(osg::ref_ptr<AnimationKeyFrameEditorListener> listener);

    // Autokey's view of the command history (called by its listener on the command manager).
    void onCommandHistoryChanged(CommandManager* manager, const std::shared_ptr<Command>& command);
    // Takes the selected nodes' state as the base that autokey compares against.
    void refreshAutokeyBase();

protected:
    ~AnimationKeyFrameEditor() override;

private:
    template <typename F>
    bool bySelection(F&& f);
    bool makeKey(osg::Node* node, AnimationKeyframeType type, double time, const AnimationKeyframeValue& value,
                 int state, AnimationKeyframe** made = nullptr);
    bool nodeKey(osg::Node* node, AnimationKeyframeType type, float time, bool batchUpdate);
    bool fade(float from, float to, bool in);
    template <typename F>
    void notify(F&& f);
    void rangeMaybeChanged();
    void updateTracker(osg::Node* node);
    AnimationSegment* segment() const;

    osg::observer_ptr<osg::Group> m_scene;
    osg::observer_ptr<osgViewer::View> m_view;
    osg::ref_ptr<AnimationManager> m_manager;
    osg::ref_ptr<AnimationSegment> m_segment;
    osg::ref_ptr<NoteManager> m_notes;
    osg::ref_ptr<MeasureManager> m_measures;
    osg::ref_ptr<SectionManager> m_sections;
    std::weak_ptr<CommandManager> m_commands;
    std::shared_ptr<CommandManagerChangedListener> m_commandListener;
    osg::observer_ptr<ISelectionManager> m_selection;
    osg::ref_ptr<osg::Referenced> m_selectionListener;
    osg::ref_ptr<AnimationManagerListener> m_managerListener;
    std::vector<osg::ref_ptr<AnimationKeyFrameEditorListener>> m_listeners;
    osg::ref_ptr<osg::Geode> m_tracker;
    bool m_open = false;
    bool m_autokey = false;
    bool m_selectedNodeMode = false;
    double m_lastFirst = -1.0, m_lastLast = -1.0;

    // Autokey: the state of the selected nodes that the next command is compared against, and the
    // keyframes it recorded for each command, to take back on undo and give again on redo.
    struct ChannelState
    {
        osg::ref_ptr<AnimationTrack> track;
        AnimationKeyframeType type;
        std::vector<AnimationKeyframePtr> keys;
    };
    struct AutokeyRecord
    {
        std::weak_ptr<Command> command;
        std::vector<ChannelState> before, after;
    };
    std::map<osg::Node*, std::pair<osg::observer_ptr<osg::Node>, AnimationNodeState>> m_autokeyBase;
    std::vector<AutokeyRecord> m_autokeyRecords;
    std::size_t m_undoCount = 0;
};

} // namespace Vantor
