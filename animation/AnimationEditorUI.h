#pragma once

#include <QWidget>

class SystemSetting;

// The keyframe timeline editor.
class AnimationEditorUI : public QWidget
{
    Q_OBJECT
public:
    explicit AnimationEditorUI(QWidget* parent = nullptr) : QWidget(parent) {}

    QWidget* timelineWidget() { return this; }
    SystemSetting* systemSetting = nullptr;
    float timelineLength = 600.0f;

    bool getCameraPlayMode() const { return false; }
    void removeAllKeyframs() {}
    void resetEditor() {}
    void setAnimationDuration(float) {}
    void setEditorOpen(bool) {}
    void setToolsEnabled(bool enabled) { setEnabled(enabled); }
};
