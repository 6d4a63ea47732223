#include "animation/TimelinePlotItems.h"

#include "animation/AnimationEditorUI.h"

#include <cmath>

namespace Vantor {

double snapToFrame(double time)
{
    return std::floor(time / FrameStep) * FrameStep;
}

double frameIndex(double time)
{
    return std::floor(time / FrameStep);
}

namespace {

// The value band of each tracked keyframe kind: [bottom, top].
bool band(int kind, double& bottom, double& top)
{
    switch (kind) {
    case AKT_Transform: bottom = 4; break;
    case AKT_Material: bottom = 3; break;
    case AKT_Transparency: bottom = 2; break;
    case AKT_Visibility: bottom = 1; break;
    case AKT_Camera: bottom = 0; break;
    default: return false;
    }
    top = bottom + 1;
    return true;
}

} // namespace

// ---- axis rect ----

QCPAnimationAxisRect::QCPAnimationAxisRect(QCustomPlot* plot, AnimationEditorUI* editor)
    : QCPAxisRect(plot, true), m_editor(editor)
{
}

void QCPAnimationAxisRect::mousePressEvent(QMouseEvent* event, const QVariant& details)
{
    QCPAxisRect::mousePressEvent(event, details);
    moved = false;
    const QPointF p = event->pos();
    if (event->button() == Qt::LeftButton) {
        if (pressedMarker) {
            pressedTime = float(pressedMarker->time);
            pressedKind = pressedMarker->kind;
            m_editor->drawItemText(p, p);
            m_editor->rubberBand()->savedSelection = m_editor->rubberBand()->selection;
            dragSet = m_editor->getSelectedItems();
        } else if (m_editor->cursorItem()->grabbed) {
            m_editor->drawItemText(p, p);
        }
    } else if (event->button() == Qt::RightButton && pressedMarker) {
        pressedTime = float(pressedMarker->time);
    }
}

void QCPAnimationAxisRect::mouseMoveEvent(QMouseEvent* event, const QPointF& startPos)
{
    const QPointF p = event->pos();
    const bool far = std::fabs(p.x() - startPos.x()) > 8.0;
    if (event->buttons() & Qt::RightButton) {
        if (far)
            moved = true;
    } else if (event->buttons() & Qt::LeftButton) {
        if (pressedMarker) {
            if (pressedTime >= 0.0f && pressedKind != 0 && far) {
                m_editor->shiftSelection(dragSet, float(m_editor->snappedTimeAt(p.x()) - pressedTime));
                moved = true;
                m_editor->drawItemText(p, startPos);
            }
        } else if (m_editor->cursorItem()->grabbed) {
            const double snap = m_editor->keyframeSnap(p);
            double at = snap;
            if (snap >= 0.0) {
                m_editor->goToTime(snap);
                m_editor->drawItemText(QPointF(m_editor->timeAxis()->coordToPixel(snap), p.y()), startPos);
            } else {
                at = m_editor->snappedTimeAt(p.x());
                m_editor->goToTime(at);
                m_editor->drawItemText(p, startPos);
            }
            m_editor->autoScroll(at);
        } else {
            m_editor->goToTime(m_editor->snappedTimeAt(p.x()));
        }
    }
    QCPAxisRect::mouseMoveEvent(event, startPos);
}

void QCPAnimationAxisRect::mouseReleaseEvent(QMouseEvent* event, const QPointF& startPos)
{
    const QPointF p = event->pos();
    const double t = m_editor->snappedTimeAt(p.x());
    if (t < 0.0) {
        moved = false;
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (pressedMarker) {
            if (moved && std::fabs(pressedTime - t) > 0.0001) {
                AnimationKeyframePtrList keys = m_editor->getSelectedKeyframes(dragSet);
                if (!keys.empty())
                    m_editor->moveKeyframes(keys, float(t - pressedTime));
                dragSet.clear();
            } else if (!moved && pressedTime >= 0.0f) {
                m_editor->goToTime(pressedTime);
            }
            m_editor->hideItemText();
            pressedMarker = nullptr;
        } else if (m_editor->cursorItem()->grabbed) {
            m_editor->hideItemText();
            m_editor->goToTime(t);
            m_editor->cursorItem()->grabbed = false;
        } else {
            const double snap = m_editor->keyframeSnap(startPos);
            if (snap >= 0.0) {
                if (!moved)
                    m_editor->goToTime(snap);
            } else {
                m_editor->goToTime(t);
            }
        }
    } else if (event->button() == Qt::RightButton) {
        if (pressedMarker && !moved)
            m_editor->rubberBand()->selectSingle(pressedTime, float(m_editor->trackValueAt(startPos.y())));
        pressedMarker = nullptr;
        m_editor->showContextMenu();
    }
    pressedTime = -1.0f;
    moved = false;
}

void QCPAnimationAxisRect::wheelEvent(QWheelEvent* event)
{
    // Time only, around the pointer, and only within the range limit.
    const double steps = event->angleDelta().y() / 120.0;
    const double factor = std::pow(rangeZoomFactor(Qt::Horizontal), steps);
    QCPTopAxis* ruler = m_editor->timeAxis();
    const double centre = ruler->pixelToCoord(event->position().x());
    const QCPRange r = ruler->range();
    const double lower = (r.lower - centre) * factor + centre;
    const double upper = (r.upper - centre) * factor + centre;
    if (m_editor->setTimeRange(lower, upper))
        m_editor->replot();
    event->accept();
}

// ---- ruler ----

QCPTopAxis::QCPTopAxis(QCPAxisRect* rect, AnimationEditorUI* editor) : QCPAxis(rect, QCPAxis::atTop), m_editor(editor) {}

void QCPTopAxis::draw(QCPPainter* painter)
{
    QCPAxis::draw(painter);
    const QRect r = axisRect()->rect();
    const double end = coordToPixel(animationEnd);
    if (end <= r.left())
        return;
    // The valid animation: the same axis again in the darker pen, cut off at its end.
    const QPen plain = basePen();
    painter->save();
    painter->setClipRect(QRectF(QPointF(r.left(), 0), QPointF(std::min<double>(end, r.right() + 1), r.bottom())));
    setBasePen(selectedBasePen());
    QCPAxis::draw(painter);
    setBasePen(plain);
    painter->restore();
}

void QCPTopAxis::scrubTo(const QPointF& pos)
{
    const double snap = m_editor->keyframeSnap(pos);
    if (snap >= 0.0) {
        m_editor->goToTime(snap);
        m_editor->drawItemText(QPointF(coordToPixel(snap), pos.y()), QPointF(coordToPixel(snap), pos.y()));
        m_editor->autoScroll(snap);
        return;
    }
    const double t = m_editor->snappedTimeAt(pos.x());
    if (t >= 0.0)
        m_editor->goToTime(t);
    m_editor->drawItemText(pos, pos);
    m_editor->autoScroll(t);
}

void QCPTopAxis::mousePressEvent(QMouseEvent* event, const QVariant&)
{
    QCPAxisRect* rect = axisRect();
    const bool dragAllowed = mParentPlot->interactions().testFlag(QCP::iRangeDrag) ||
                             rect->rangeDrag().testFlag(Qt::Horizontal) || rect->rangeDragAxes(Qt::Horizontal).contains(this);
    if (event->button() != Qt::LeftButton || !dragAllowed)
        return;
    dragging = true;
    const double t = pixelToCoord(event->pos().x());
    if (!range().contains(t))
        return;
    m_editor->rubberBand()->selection = QRectF(m_editor->rubberBand()->selection.topLeft(), QSizeF(0, 0));
    const double snap = m_editor->keyframeSnap(event->pos());
    if (snap >= 0.0) {
        m_editor->goToTime(snap);
        const QPointF at(coordToPixel(snap), event->pos().y());
        m_editor->drawItemText(at, at);
    } else {
        const double s = m_editor->snappedTimeAt(event->pos().x());
        if (s >= 0.0)
            m_editor->goToTime(s);
        m_editor->drawItemText(event->pos(), event->pos());
    }
}

void QCPTopAxis::mouseMoveEvent(QMouseEvent* event, const QPointF&)
{
    if (!dragging)
        return;
    const double t = m_editor->snappedTimeAt(event->pos().x());
    if (!range().contains(t))
        return;
    scrubTo(event->pos());
}

void QCPTopAxis::mouseReleaseEvent(QMouseEvent*, const QPointF&)
{
    if (m_editor->readOut()->visible())
        m_editor->hideItemText();
    dragging = false;
}

// ---- marker ----

QCPKeyframeItemRect::QCPKeyframeItemRect(QCustomPlot* plot, AnimationEditorUI* editor)
    : QCPItemRect(plot), m_editor(editor)
{
}

QRectF QCPKeyframeItemRect::plotRect() const
{
    return QRectF(topLeft->coords(), bottomRight->coords()).normalized();
}

void QCPKeyframeItemRect::placeAt(double t)
{
    double bottom = 0.0, top = 0.0;
    if (!band(kind, bottom, top))
        return;
    topLeft->setCoords(t, top);
    bottomRight->setCoords(t + FrameStep, bottom);
}

QRectF QCPKeyframeItemRect::pixelRect() const
{
    return QRectF(topLeft->pixelPosition(), bottomRight->pixelPosition()).normalized();
}

double QCPKeyframeItemRect::selectTest(const QPointF& pos, bool onlySelectable, QVariant*) const
{
    if (onlySelectable && !mSelectable)
        return -1;
    const QRectF r = pixelRect();
    const double half = 0.2 * r.height();
    const QRectF square(r.center().x() - half, r.center().y() - half, 2 * half, 2 * half);
    return rectDistance(square, pos, mBrush.style() != Qt::NoBrush);
}

void QCPKeyframeItemRect::mousePressEvent(QMouseEvent* event, const QVariant&)
{
    m_editor->pressHitItem = true;
    QCPKeyframeSelectionRect* band = m_editor->rubberBand();
    QCPAnimationAxisRect* rect = m_editor->timelineRect();
    if (band->tiny()) {
        band->selection = plotRect();
        rect->pressedMarker = this;
    } else if (band->selection.normalized().contains(plotRect().center()) &&
               (event->buttons() & (Qt::LeftButton | Qt::RightButton))) {
        rect->pressedMarker = this;
    }
    event->ignore();
}

void QCPKeyframeItemRect::draw(QCPPainter* painter)
{
    const QPointF a = topLeft->pixelPosition(), b = bottomRight->pixelPosition();
    if (a.toPoint() == b.toPoint())
        return;
    const QRectF r = QRectF(a, b).normalized();
    const QPointF c = r.center();
    const double h = r.height();
    const QColor grey(Qt::lightGray);
    auto diamond = [&] {
        const QPointF points[4] = {{c.x() - 0.2 * h, c.y()}, {c.x(), c.y() - 0.2 * h}, {c.x() + 0.2 * h, c.y()},
                                   {c.x(), c.y() + 0.2 * h}};
        painter->drawPolygon(points, 4);
    };
    switch (kind) {
    case AKT_Transform:
    case AKT_Visibility:
        painter->setPen(Qt::NoPen);
        painter->setBrush(grey);
        diamond();
        break;
    case AKT_Transparency:
        if (transparencyState == 0) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(grey);
        } else if (transparencyState == 1) {
            painter->setPen(QColor(235, 20, 20));
            painter->setBrush(QColor(235, 20, 20));
        } else if (transparencyState == 2) {
            painter->setPen(QColor(14, 116, 175));
            painter->setBrush(QColor(14, 116, 175));
        }
        diamond();
        break;
    case AKT_Material:
        if (materialState == 0) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(grey);
        } else if (materialState == 1) {
            painter->setPen(Qt::magenta);
            painter->setBrush(Qt::magenta);
        }
        painter->drawRect(QRectF(c.x() - 0.15 * h, c.y() - 0.15 * h, 0.3 * h, 0.3 * h));
        break;
    case AKT_Camera:
        painter->setPen(Qt::NoPen);
        painter->setBrush(grey);
        painter->drawEllipse(c, 0.16 * h, 0.16 * h);
        break;
    default:
        break;
    }
}

// ---- cursor ----

QCPDisplayItemRect::QCPDisplayItemRect(QCustomPlot* plot, AnimationEditorUI* editor) : QCPItemRect(plot), m_editor(editor) {}

double QCPDisplayItemRect::selectTest(const QPointF& pos, bool, QVariant*) const
{
    const QCPTopAxis* ruler = m_editor->timeAxis();
    const double x0 = ruler->coordToPixel(time), x1 = ruler->coordToPixel(time + FrameStep);
    return pos.x() >= x0 && pos.x() <= x1 ? 0.001 : -1.0;
}

void QCPDisplayItemRect::mousePressEvent(QMouseEvent* event, const QVariant&)
{
    m_editor->pressHitItem = true;
    grabbed = true;
    event->ignore();
}

void QCPDisplayItemRect::draw(QCPPainter* painter)
{
    const QCPTopAxis* ruler = m_editor->timeAxis();
    const QRect r = m_editor->timelineRect()->rect();
    const double x0 = ruler->coordToPixel(time), x1 = ruler->coordToPixel(time + FrameStep);
    double left = x0, width = x1 - x0;
    if (width < 4.0) {
        left = ruler->coordToPixel(time + FrameStep / 2) - 2.5;
        width = 4.0;
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(ruler->playing != 0.0f ? QColor(255, 255, 13, 180) : QColor(0, 0, 255, 100));
    painter->drawRect(QRectF(left, r.top() - bandHeight, width, r.bottom() - r.top() + 1 + bandHeight));
}

// ---- rubber band ----

QCPKeyframeSelectionRect::QCPKeyframeSelectionRect(QCustomPlot* plot, AnimationEditorUI* editor)
    : QCPSelectionRect(plot), m_editor(editor)
{
}

void QCPKeyframeSelectionRect::selectAll()
{
    selection = QRectF(0.0, 5.0, m_editor->timelineMaximum, -5.0);
}

void QCPKeyframeSelectionRect::selectSingle(float time, float value)
{
    if (selection.normalized().contains(QPointF(time + 0.0001, value)))
        return;
    const double x = time - 0.0001;
    const double y = std::ceil(value);
    selection = QRectF(x, y, time + FrameStep - x, std::floor(value) - y);
}

bool QCPKeyframeSelectionRect::tiny() const
{
    return std::fabs(selection.width() * selection.height()) < 0.0334;
}

QRect QCPKeyframeSelectionRect::toPixels(const QRectF& r) const
{
    const QCPAxis* x = m_editor->timeAxis();
    const QCPAxis* y = m_editor->timelineRect()->axis(QCPAxis::atLeft);
    const QRectF n = r.normalized();
    return QRectF(QPointF(x->coordToPixel(n.left()), y->coordToPixel(n.bottom())),
                  QPointF(x->coordToPixel(n.right()), y->coordToPixel(n.top())))
        .normalized()
        .toRect();
}

void QCPKeyframeSelectionRect::startSelection(QMouseEvent* event)
{
    pressPos = event->pos();
    const double t = m_editor->timeAt(pressPos.x());
    const double v = m_editor->trackValueAt(pressPos.y());
    if (v > 4.98)
        return;
    if (event->button() != Qt::LeftButton) {
        mActive = false;
        return;
    }
    mActive = true;
    const double left = snapToFrame(t);
    double right = std::ceil(t / FrameStep) * FrameStep;
    if (right <= left)
        right = left + FrameStep;
    double bottom = std::floor(v), top = std::ceil(v);
    if (top <= bottom)
        top = bottom + 1;
    dragCell = QRectF(left, top, right - left, bottom - top);
    selection = dragCell;
    mRect = toPixels(selection);
    savedPixelRect = mRect;
    emit started(event);
    emit changed(mRect, event);
}

void QCPKeyframeSelectionRect::moveSelection(QMouseEvent* event)
{
    if (!mActive)
        return;
    const QRectF cell = dragCell.normalized();
    double left = cell.left(), right = cell.right(), bottom = cell.top(), top = cell.bottom();
    const double t = m_editor->timeAt(event->pos().x());
    const double v = std::min(5.0, m_editor->trackValueAt(event->pos().y()));
    const double pressT = m_editor->timeAt(pressPos.x());
    const double pressV = m_editor->trackValueAt(pressPos.y());
    if (frameIndex(t) > frameIndex(pressT))
        right = std::ceil(t / FrameStep) * FrameStep;
    else
        left = snapToFrame(t);
    if (std::floor(v) > std::floor(pressV))
        top = std::ceil(v);
    else
        bottom = std::floor(v);
    selection = QRectF(left, top, right - left, bottom - top);
    mRect = toPixels(selection);
    emit changed(mRect, event);
    layer()->replot();
}

void QCPKeyframeSelectionRect::endSelection(QMouseEvent*)
{
    mActive = false;
    layer()->replot();
}

void QCPKeyframeSelectionRect::draw(QCPPainter* painter)
{
    if (tiny())
        return;
    painter->setPen(mPen);
    painter->setBrush(QBrush(QColor(0, 0, 128, 60), Qt::SolidPattern));
    painter->drawRect(toPixels(selection));
}

} // namespace Vantor
