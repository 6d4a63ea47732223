#include "animation/AnimationPlayback.h"

#include "animation/AnimationEditorUI.h"
#include "animation/TimelineDialog.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSlider>
#include "vantor/util/JsonParse.h"

namespace AnimationPlayback {

double speedForIndex(int index)
{
    switch (index) {
    case 0: return 0.5;
    case 2: return 2.0;
    case 3: return 3.0;
    case 4: return 4.0;
    case 5: return 5.0;
    default: return 1.0;
    }
}

void setPlaySpeed(Vantor::AnimationKeyFrameEditor* editor, int index)
{
    if (!editor)
        return;
    const double speed = speedForIndex(index);
    if (osg::ref_ptr<Vantor::AnimationManager> manager = editor->GetAnimationManager())
        manager->setPlaySpeed(speed);
    editor->setPlaySpeed(speed);
}

void followPlayTime(QSlider* slider, const Vantor::AnimationKeyFrameEditor* editor, float time)
{
    if (!slider || !editor)
        return;
    const float range = editor->getAnimationTimeLineRange();
    if (range == 0.0f)
        return;
    const QSignalBlocker block(slider);
    slider->setValue(int(time / range * 100));
}

void seekToSlider(Vantor::AnimationKeyFrameEditor* editor, int value)
{
    if (!editor)
        return;
    const float range = editor->getAnimationTimeLineRange();
    if (range == 0.0f)
        return;
    const float time = float(value) * range / 100.0f;
    if (time >= 0.0f)
        editor->playToKeyframe(time);
}

float stepForwardTarget(float current)
{
    return current > 5.0f ? 1.0f : current + 1.0f;
}

void stepForward(Vantor::AnimationKeyFrameEditor* editor)
{
    if (editor)
        editor->playToKeyframe(stepForwardTarget(editor->getCurrentKeyframeTime()));
}

void toggleReversePlay(Vantor::AnimationKeyFrameEditor* editor)
{
    if (editor)
        editor->setReversePlay(!editor->getReversePlay());
}

void toggleCameraPlay(Vantor::AnimationEditorUI* ui)
{
    if (!ui || !ui->keyframeEditor.valid())
        return;
    if (osg::ref_ptr<Vantor::AnimationManager> manager = ui->keyframeEditor->GetAnimationManager())
        manager->setCameraPlay(!ui->getCameraPlayMode());
}

void stop(Vantor::AnimationKeyFrameEditor* editor)
{
    if (!editor)
        return;
    const float s = editor->getAnimationValidStartTime();
    if (s >= 0.0f)
        editor->playToKeyframe(s);
    editor->stopAnimation();
}

void fillTimelineDialog(TimelineDialog* dialog, const Vantor::AnimationEditorUI* ui)
{
    if (!dialog || !ui)
        return;
    const QCPRange range = ui->timeAxis() ? ui->timeAxis()->range() : QCPRange(0, 0);
    const float animation = ui->keyframeEditor.valid() ? ui->keyframeEditor->getAnimationValidTimeLineRange() : 0.0f;
    dialog->ui.startTimeEdit->setText(QStringLiteral("%1").arg(float(range.lower)));
    dialog->ui.lineEdit_3->setText(QStringLiteral("%1").arg(float(range.upper - range.lower)));
    dialog->ui.lineEdit_4->setText(QStringLiteral("%1").arg(animation));
}

bool applyTimelineDialog(const TimelineDialog* dialog, Vantor::AnimationEditorUI* ui)
{
    if (!dialog || !ui)
        return false;
    float start = 0, duration = 0, animation = 0;
    dialog->getTimeValues(start, duration, animation);
    return ui->applyTimeline(start, duration, animation);
}

QString defaultFileName(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")) + QStringLiteral(".Animation");
}

QString withSuffix(const QString& path)
{
    if (path.endsWith(QLatin1String(".Animation"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".Animation");
}

QString fileFilter()
{
    return QStringLiteral("Animation (*.[Aa][Nn][Ii][Mm][Aa][Tt][Ii][Oo][Nn])");
}

bool writeFile(const QString& path, const std::string& json, QString* error)
{
    rapidjson::Document doc;
    Vantor::ParseJsonExact<rapidjson::kParseDefaultFlags>(doc, json.c_str(), json.size());
    if (json.empty() || doc.HasParseError()) {
        if (error)
            *error = QStringLiteral("the animation is not valid JSON");
        return false;
    }
    rapidjson::StringBuffer sb;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(sb);
    writer.SetIndent(' ', 4);
    doc.Accept(writer);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(sb.GetString(), qint64(sb.GetSize()));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool readFile(const QString& path, QString* text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (text)
        *text = QString::fromUtf8(bytes);
    return true;
}

} // namespace AnimationPlayback
