#pragma once

#include "animation/TimelinePlotItems.h"
#include "vantor/animation/AnimationKeyFrameEditor.h"

#include <osg/ref_ptr>
#include <qcustomplot.h>

#include <QMap>
#include <QPointer>
#include <QString>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class SystemSetting;

namespace Vantor {

using NodePtr = osg::ref_ptr<osg::Node>;

class AnimationKeyFrameEditorWidgetListener;
class AnimationManagerWidgetListener;
class AnimationKeyFrameSelectionListener;

// The keyframe timeline editor of the animation dock: a tool bar, five track labels and a timeline plot
// with one marker per keyframe, the current-time cursor, the ruler and the rubber band. It shows the
// bound key-frame editor's model, forwards the user's requests to it and follows its notifications.
class AnimationEditorUI : public QCustomPlot
{
    Q_OBJECT
public:
    explicit AnimationEditorUI(osg::ref_ptr<AnimationKeyFrameEditor> editor);
    ~AnimationEditorUI() override;

    // What the dock shows: the tool bar, the track labels and the plot.
    QWidget* timelineWidget() const { return m_container; }
    QCPTopAxis* timeAxis() const { return m_ruler; }
    QCPAnimationAxisRect* timelineRect() const { return m_axisRect; }
    QCPKeyframeSelectionRect* rubberBand() const { return m_rubberBand; }
    QCPDisplayItemRect* cursorItem() const { return m_cursor; }
    QCPItemText* readOut() const { return m_readOut; }
    QMenu* contextMenu() const { return m_menu; }
    QPushButton* button(const QString& name) const { return m_buttons.value(name); }
    // The track names, top track first; each stands on its track's band of the plot.
    const QList<QLabel*>& trackLabels() const { return m_trackLabels; }

    float timelineMaximum = 600.0f;
    float visibleSpan = 120.0f;
    QMap<QString, QWidget*> namedWidgets;
    QMap<QString, QAction*> namedActions;
    osg::ref_ptr<AnimationKeyFrameEditor> keyframeEditor;
    SystemSetting* systemSettings = nullptr;
    bool selectedNodeMode = false;
    bool autokey = false;
    int viewKeyframeModelLimit = 300;
    float currentTime = 0.0f;
    // A ruler range is taken only when lower > -L, upper < L and 0 < upper - lower < L.
    float rangeLimit = 600.0f;

    // Sets the ruler's visible range when it keeps within the range limit; false when refused.
    bool setTimeRange(double lower, double upper);
    // The main window's timeline settings: start and length of the shown segment, the animation's
    // duration. Refused (false, nothing changed) unless all are finite, the segment lies within the
    // timeline and has a length, and the duration lies in 1.2..600.
    static bool timelineValuesAcceptable(float start, float duration, float animation, float timelineLength);
    bool applyTimeline(float start, float duration, float animation);

    void removeCameraKeyframes();
    void removeAllKeyframs();
    bool getCameraPlayMode() const;
    void setEditorOpen(bool open);
    void setAnimationDuration(float seconds);
    void resetEditor();
    void setToolsEnabled(bool enabled);

    // Deletes every plot item but the cursor and the read-out, then puts those two back; returns how
    // many items there were. Every clearing of the plot's items goes through here.
    int clearPlotItems();
    void rebuildAll();
    void rebuildForSelection();
    QCPKeyframeItemRectPtrList markers() const;

    // ---- used by the plot items ----
    // The time under a pixel column, snapped to the frame; the track value under a pixel row.
    double timeAt(double x) const;
    double snappedTimeAt(double x) const;
    double trackValueAt(double y) const;
    // The keyframe time near the pixel point, -1 when the visible span is 20 s or less or none is near.
    double keyframeSnap(const QPointF& pixel) const;
    // Moves the current time (through the key-frame editor); negative times do nothing.
    void goToTime(double time);
    // Scrolls the ruler when the time nears either end of the visible range.
    void autoScroll(double time);
    void moveKeyframes(const AnimationKeyframePtrList& keys, float offset);
    void shiftSelection(const QCPKeyframeItemRectPtrList& items, float dx);
    void showContextMenu();
    // Set by a marker or the cursor when a press hits it, so the rubber band does not start.
    bool pressHitItem = false;

signals:
    void CyclicPlayModeChanged(bool on);

public slots:
    void autoKeyMode(bool on);
    void addKeyframe();
    void addView();
    void addPositionKeyframe();
    void doAddPositionKeyframe();
    void addNodePositionKeyframe(NodePtr node, bool batchUpdate);
    void addCameraKeyframe();
    void doAddCameraKeyframe();
    void endCallAddKeyframe();
    void addMatrialKeyframe();
    void doAddMatrialKeyframe();
    void addNodeMatrialKeyframe(NodePtr node, bool batchUpdate);
    void addTransparentKeyframe();
    void doAddTransparentKeyframe();
    void addVisibilityKeyframe();
    void addNodeVisibilityKeyframe(NodePtr node, bool batchUpdate);
    void doAddVisibilityKeyframe();
    void addNodeTransparentKeyframe(NodePtr node, bool batchUpdate);
    void fadeInKeyframe();
    void fadeOutKeyframe();
    void startFrame();
    void lastKeyframe();
    void lastFrame();
    void playKeyframe();
    void stopKeyframe();
    void nextFrame();
    void nextKeyframe();
    void endFrame();
    void pauseKeyframe();
    void reversePlay(bool on);
    void cyclicPlay(bool on);
    void isSelectedNodeShow(bool on);
    void setTimeRange();
    void changeCameraPlayMode(bool on);
    void initItemText();
    void drawItemText(QPointF curPos, QPointF startPos);
    void hideItemText();
    void hotSpotsKeyframe();
    void selectAllItems();
    QCPKeyframeItemRectPtrList getSelectedItems() const;
    AnimationKeyframePtrList getSelectedKeyframes() const;
    AnimationKeyframePtrList getSelectedKeyframes(QCPKeyframeItemRectPtrList items) const;
    void removeItems();
    bool getSelectedNodeMode() const { return selectedNodeMode; }

    // Queues one replot; further requests before it runs are dropped.
    void queueReplot();
    // Draws the plot, or, while it is off the screen, when it next shows: the dock starts closed,
    // and every model load would otherwise draw the timeline into buffers nobody sees.
    void replot(QCustomPlot::RefreshPriority priority = QCustomPlot::rpRefreshHint);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class AnimationKeyFrameEditorWidgetListener;
    friend class AnimationManagerWidgetListener;
    friend class AnimationKeyFrameSelectionListener;

    void buildToolBar();
    void setUpPlot();
    void registerListeners();
    void makeMarkers(const AnimationKeyframePtrList& keys);
    float t() const;
    QPushButton* makeButton(const QString& name, const QString& icon, bool checkable);
    // Puts each track name over its band, after every replot (the bands move with the plot's size).
    void placeTrackLabels();

    QWidget* m_container = nullptr;
    QWidget* m_labelColumn = nullptr;
    QList<QLabel*> m_trackLabels;
    QCPAnimationAxisRect* m_axisRect = nullptr;
    QCPTopAxis* m_ruler = nullptr;
    QCPKeyframeSelectionRect* m_rubberBand = nullptr;
    QCPDisplayItemRect* m_cursor = nullptr;
    QCPItemText* m_readOut = nullptr;
    QMenu* m_menu = nullptr;
    QToolButton* m_effectButton = nullptr;
    QMap<QString, QPushButton*> m_buttons;
    osg::ref_ptr<AnimationKeyFrameEditorWidgetListener> m_editorListener;
    osg::ref_ptr<AnimationManagerWidgetListener> m_managerListener;
    osg::ref_ptr<AnimationKeyFrameSelectionListener> m_selectionListener;
    bool m_replotWhenShown = false;
};

} // namespace Vantor

using AnimationEditorUI = Vantor::AnimationEditorUI;
