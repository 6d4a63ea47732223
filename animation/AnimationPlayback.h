#pragma once

#include <QDateTime>
#include <QString>

#include <string>

class QSlider;
class TimelineDialog;

namespace Vantor {
class AnimationEditorUI;
class AnimationKeyFrameEditor;
class AnimationManager;
}

// The Animation page's playback rules, one function per control, so its slots stay one call each.
namespace AnimationPlayback {

// The play-speed box: index 0 is 0.5x, 2..5 are that many times, anything else (1 included) 1x.
double speedForIndex(int index);
// Sets the speed of the manager, then of the key-frame editor.
void setPlaySpeed(Vantor::AnimationKeyFrameEditor* editor, int index);
// The slider shows time / range x 100 without seeking; nothing while the range is 0.
void followPlayTime(QSlider* slider, const Vantor::AnimationKeyFrameEditor* editor, float time);
// Goes to value x range / 100; nothing while the range is 0.
void seekToSlider(Vantor::AnimationKeyFrameEditor* editor, int value);
// One second on; past 5 s it starts again at 1 s.
float stepForwardTarget(float current);
void stepForward(Vantor::AnimationKeyFrameEditor* editor);
void toggleReversePlay(Vantor::AnimationKeyFrameEditor* editor);
// Camera play is turned to the opposite of what the editor reports.
void toggleCameraPlay(Vantor::AnimationEditorUI* ui);
// Stops at the first valid time.
void stop(Vantor::AnimationKeyFrameEditor* editor);

// The timeline dialog's fields from the editor ("%1" of each value in single precision), and back.
void fillTimelineDialog(TimelineDialog* dialog, const Vantor::AnimationEditorUI* ui);
bool applyTimelineDialog(const TimelineDialog* dialog, Vantor::AnimationEditorUI* ui);

// "yyyy-MM-dd-hh-mm-ss.Animation".
QString defaultFileName(const QDateTime& when);
// The name with ".Animation" added unless it already ends so (in any case).
QString withSuffix(const QString& path);
// The manager's document, four-space pretty UTF-8, written whole or not at all; false with the reason.
bool writeFile(const QString& path, const std::string& json, QString* error);
// The file's text; false with the reason when it cannot be read.
bool readFile(const QString& path, QString* text, QString* error);
// The open dialog's filter: the suffix in any case.
QString fileFilter();

} // namespace AnimationPlayback
