#include "animation/AnimationEditorUI.h"

#include "common/Prompts.h"
#include "dialogs/SystemSetting.h"
#include "vantor/animation/UpdateKeyFrameCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/model/Model.h"

// Keyframe edits: adding keys at the current time, effects, moving and removing them.

namespace Vantor {

void AnimationEditorUI::moveKeyframes(const AnimationKeyframePtrList& keys, float offset)
{
    if (!keyframeEditor.valid())
        return;
    auto command = std::make_shared<UpdateKeyFrameCommand>();
    command->setAnimationEditor(keyframeEditor);
    command->beginUpdateKeyFrameCommand(keys);
    keyframeEditor->updateKeyframesByOffset(keys, offset);
    command->endUpdateKeyFrameCommand(keys);
    if (auto commands = keyframeEditor->GetCommandManager())
        commands->DoCommand(command);
    else
        command->Execute();
}

void AnimationEditorUI::removeCameraKeyframes()
{
    if (!keyframeEditor.valid())
        return;
    const AnimationKeyframePtrList keys = keyframeEditor->getKeyframes(int(AKT_Camera));
    if (!keys.empty())
        keyframeEditor->removeKeyframes(keys);
    keyframeEditor->endCallRemoveKeyframe();
}

void AnimationEditorUI::removeAllKeyframs()
{
    if (!keyframeEditor.valid())
        return;
    keyframeEditor->removeKeyframes(keyframeEditor->getAllKeyframes());
    keyframeEditor->endCallRemoveKeyframe();
}

float AnimationEditorUI::t() const
{
    return keyframeEditor.valid() ? keyframeEditor->getCurrentKeyframeTime() : 0.0f;
}

void AnimationEditorUI::autoKeyMode(bool)
{
    if (keyframeEditor.valid())
        keyframeEditor->setAutokeyMode(!autokey);
}

void AnimationEditorUI::addKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    keyframeEditor->getOrCreateTransformKeyframeBySelection(t());
    keyframeEditor->getOrCreateMaterialKeyframeBySelection(t());
    keyframeEditor->getOrCreateTransparentKeyframeBySelection(t());
    keyframeEditor->getOrCreateCameraKeyframeBySelection(t());
    keyframeEditor->getOrCreateVisibilityKeyframeBySelection(t());
    keyframeEditor->endCallAddKeyframe();
}

void AnimationEditorUI::addView()
{
    if (!keyframeEditor.valid())
        return;
    Model::NodeList models;
    if (osg::ref_ptr<Model> top = keyframeEditor->getTopModel())
        Model::getAllChildrenModels(top.get(), models);
    if (systemSettings && systemSettings->infoShow() && int(models.size()) > viewKeyframeModelLimit) {
        bool dontAsk = false;
        const bool ok = Prompts::get().confirmWithCheckBox(
            nullptr, tr("提示"), tr("模型较复杂，添加视图将会花费较长时间，是否继续？"), tr("不再提示"), &dontAsk);
        if (dontAsk)
            systemSettings->setInfoShow(false);
        if (!ok)
            return;
    }
    auto keyAll = [this](osg::Node* node) {
        addNodePositionKeyframe(node, true);
        addNodeMatrialKeyframe(node, true);
        addNodeTransparentKeyframe(node, true);
        addNodeVisibilityKeyframe(node, true);
    };
    for (const auto& model : models)
        keyAll(model.get());
    for (const NodePtrList& list : {keyframeEditor->getNoteNodes(), keyframeEditor->getMeasureNodes(),
                                    keyframeEditor->getSectionNodes()})
        for (const auto& node : list)
            keyAll(node.get());
    keyframeEditor->getOrCreateCameraKeyframeBySelection(t());
    keyframeEditor->endCallAddKeyframe();
}

void AnimationEditorUI::addPositionKeyframe()
{
    doAddPositionKeyframe();
    endCallAddKeyframe();
}

void AnimationEditorUI::doAddPositionKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateTransformKeyframeBySelection(t());
}

void AnimationEditorUI::addNodePositionKeyframe(NodePtr node, bool batchUpdate)
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateTransformKeyframeByNode(node.get(), t(), batchUpdate);
}

void AnimationEditorUI::addCameraKeyframe()
{
    doAddCameraKeyframe();
    endCallAddKeyframe();
}

void AnimationEditorUI::doAddCameraKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateCameraKeyframeBySelection(t());
}

void AnimationEditorUI::endCallAddKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->endCallAddKeyframe();
}

void AnimationEditorUI::addMatrialKeyframe()
{
    doAddMatrialKeyframe();
    endCallAddKeyframe();
}

void AnimationEditorUI::doAddMatrialKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateMaterialKeyframeBySelection(t());
}

void AnimationEditorUI::addNodeMatrialKeyframe(NodePtr node, bool batchUpdate)
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateMaterialKeyframeByNode(node.get(), t(), batchUpdate);
}

void AnimationEditorUI::addTransparentKeyframe()
{
    doAddTransparentKeyframe();
    endCallAddKeyframe();
}

void AnimationEditorUI::doAddTransparentKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateTransparentKeyframeBySelection(t());
}

void AnimationEditorUI::addVisibilityKeyframe()
{
    doAddVisibilityKeyframe();
    endCallAddKeyframe();
}

void AnimationEditorUI::addNodeVisibilityKeyframe(NodePtr node, bool batchUpdate)
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateVisibilityKeyframe(node.get(), t(), batchUpdate);
}

void AnimationEditorUI::doAddVisibilityKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateVisibilityKeyframeBySelection(t());
}

void AnimationEditorUI::addNodeTransparentKeyframe(NodePtr node, bool batchUpdate)
{
    if (keyframeEditor.valid())
        keyframeEditor->getOrCreateTransparentKeyframeByNode(node.get(), t(), batchUpdate);
}

void AnimationEditorUI::fadeInKeyframe()
{
    if (keyframeEditor.valid() && currentTime > 0.3f) {
        keyframeEditor->getorCreateFadeInKeyframeBySelection(currentTime);
        keyframeEditor->endCallAddKeyframe();
    }
}

void AnimationEditorUI::fadeOutKeyframe()
{
    if (keyframeEditor.valid() && currentTime > 0.0f) {
        keyframeEditor->getorCreateFadeOutKeyframeBySelection(currentTime);
        keyframeEditor->endCallAddKeyframe();
    }
}

void AnimationEditorUI::hotSpotsKeyframe()
{
    if (keyframeEditor.valid() && currentTime > 0.1f && currentTime < timelineMaximum - 0.1f) {
        keyframeEditor->getorCreateHotspotKeyframeBySelection(currentTime);
        keyframeEditor->endCallAddKeyframe();
    }
}

void AnimationEditorUI::isSelectedNodeShow(bool on)
{
    if (keyframeEditor.valid())
        keyframeEditor->setSelectedNodeMode(on);
}

void AnimationEditorUI::removeItems()
{
    if (!keyframeEditor.valid())
        return;
    keyframeEditor->removeKeyframes(getSelectedKeyframes());
    keyframeEditor->endCallRemoveKeyframe();
}

} // namespace Vantor
