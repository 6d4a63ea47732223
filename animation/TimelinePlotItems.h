#pragma once

#include "vantor/animation/AnimationKeyframe.h"

#include <osg/observer_ptr>
#include <qcustomplot.h>

#include <QPointF>
#include <QRectF>

#include <list>

namespace Vantor {

class AnimationEditorUI;
class QCPKeyframeItemRect;

// The editor's frame step: 1/30 s in single precision.
constexpr float FrameStep = 1.0f / 30.0f;
// floor(t / step) x step, and the frame index floor(t / step).
double snapToFrame(double time);
double frameIndex(double time);

using QCPKeyframeItemRectPtrList = std::list<QCPKeyframeItemRect*>;

// The timeline's axis rect: scrubbing on the tracks, dragging markers in time, the right-click menu.
class QCPAnimationAxisRect : public QCPAxisRect
{
    Q_OBJECT
public:
    QCPAnimationAxisRect(QCustomPlot* plot, AnimationEditorUI* editor);

    float pressedTime = -1.0f;
    int pressedKind = 0;
    QCPKeyframeItemRect* pressedMarker = nullptr;
    QCPKeyframeItemRectPtrList dragSet;
    bool moved = false;

protected:
    void mousePressEvent(QMouseEvent* event, const QVariant& details) override;
    void mouseMoveEvent(QMouseEvent* event, const QPointF& startPos) override;
    void mouseReleaseEvent(QMouseEvent* event, const QPointF& startPos) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    AnimationEditorUI* m_editor;
};

// The time ruler on top: a grey band, darker over the valid animation; dragging on it scrubs the time.
class QCPTopAxis : public QCPAxis
{
    Q_OBJECT
public:
    QCPTopAxis(QCPAxisRect* rect, AnimationEditorUI* editor);

    float total = 600.0f;
    float animationEnd = 0.0f;
    float bandHeight = 20.0f;
    float playing = 0.0f;
    bool dragging = false;

protected:
    void draw(QCPPainter* painter) override;
    void mousePressEvent(QMouseEvent* event, const QVariant& details) override;
    void mouseMoveEvent(QMouseEvent* event, const QPointF& startPos) override;
    void mouseReleaseEvent(QMouseEvent* event, const QPointF& startPos) override;

private:
    void scrubTo(const QPointF& pos);
    AnimationEditorUI* m_editor;
};

// One keyframe on its track.
class QCPKeyframeItemRect : public QCPItemRect
{
    Q_OBJECT
public:
    QCPKeyframeItemRect(QCustomPlot* plot, AnimationEditorUI* editor);

    bool dragging = false;
    double time = 0.0;
    int kind = 0;
    int transparencyState = 0;
    int materialState = 0;
    osg::observer_ptr<AnimationKeyframe> keyframe;

    // The rectangle in plot coordinates (time, track value), normalised.
    QRectF plotRect() const;
    // Places the marker at [t, t + step] on its own track (nothing for a kind without a track).
    void placeAt(double t);

    double selectTest(const QPointF& pos, bool onlySelectable, QVariant* details = nullptr) const override;

protected:
    void mousePressEvent(QMouseEvent* event, const QVariant& details) override;
    void draw(QCPPainter* painter) override;

private:
    QRectF pixelRect() const;
    AnimationEditorUI* m_editor;
};

// The current-time cursor: a bar one frame wide across the ruler and the tracks.
class QCPDisplayItemRect : public QCPItemRect
{
    Q_OBJECT
public:
    QCPDisplayItemRect(QCustomPlot* plot, AnimationEditorUI* editor);

    float time = 0.0f;
    bool grabbed = false;
    float bandHeight = 20.0f;

    double selectTest(const QPointF& pos, bool onlySelectable, QVariant* details = nullptr) const override;

protected:
    void mousePressEvent(QMouseEvent* event, const QVariant& details) override;
    void draw(QCPPainter* painter) override;

private:
    AnimationEditorUI* m_editor;
};

// The rubber band that selects keyframes; it snaps to frames and tracks and stays drawn after the
// drag as the selection.
class QCPKeyframeSelectionRect : public QCPSelectionRect
{
    Q_OBJECT
public:
    QCPKeyframeSelectionRect(QCustomPlot* plot, AnimationEditorUI* editor);

    QRectF selection;
    QRectF savedSelection;
    QPoint pressPos;
    QRect savedPixelRect;
    QRectF dragCell;

    void selectAll();
    void selectSingle(float time, float value);
    // Whether the selection is too small to count (less than one frame of one track).
    bool tiny() const;
    // Starts the band at a press on empty track area (the plot calls it).
    void begin(QMouseEvent* event) { startSelection(event); }

protected:
    void startSelection(QMouseEvent* event) override;
    void moveSelection(QMouseEvent* event) override;
    void endSelection(QMouseEvent* event) override;
    void draw(QCPPainter* painter) override;

private:
    QRect toPixels(const QRectF& r) const;
    AnimationEditorUI* m_editor;
};

} // namespace Vantor
