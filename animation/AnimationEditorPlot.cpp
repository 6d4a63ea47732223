#include "animation/AnimationEditorUI.h"

#include "vantor/command/ISelectionManager.h"

#include <QCursor>
#include <QMenu>

#include <algorithm>
#include <cmath>

// The timeline plot: ruler, track axis, keyframe markers, cursor, read-out and rubber band.

namespace Vantor {

namespace {

const QColor kGrey(180, 180, 180);

} // namespace

void AnimationEditorUI::setUpPlot()
{
    // 1. Our own axis rect in place of the default one.
    QCPAxisRect* old = axisRect();
    plotLayout()->take(old);
    delete old; // takes the default legend with it
    m_axisRect = new QCPAnimationAxisRect(this, this);
    plotLayout()->addElement(0, 0, m_axisRect);
    xAxis = m_axisRect->axis(QCPAxis::atBottom);
    yAxis = m_axisRect->axis(QCPAxis::atLeft);
    yAxis2 = m_axisRect->axis(QCPAxis::atRight);
    legend = new QCPLegend;
    legend->setVisible(false);
    m_axisRect->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignLeft);
    m_axisRect->insetLayout()->setMargins(QMargins(12, 12, 12, 12));
    m_axisRect->setLayer(QStringLiteral("background"));
    for (QCPAxis* a : m_axisRect->axes()) {
        a->setLayer(QStringLiteral("axes"));
        a->grid()->setLayer(QStringLiteral("grid"));
    }
    legend->setLayer(QStringLiteral("legend"));
    setViewport(rect());

    // 2. The ruler.
    m_axisRect->removeAxis(m_axisRect->axis(QCPAxis::atTop));
    m_ruler = new QCPTopAxis(m_axisRect, this);
    m_axisRect->addAxis(QCPAxis::atTop, m_ruler);
    xAxis2 = m_ruler;
    const QPen gridPen(QBrush(kGrey), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    m_ruler->grid()->setVisible(true);
    m_ruler->grid()->setPen(gridPen);
    m_ruler->grid()->setSubGridVisible(true);
    m_ruler->grid()->setSubGridPen(gridPen);
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(0.1);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    ticker->setTickCount(10);
    ticker->setTickStepStrategy(QCPAxisTicker::tssReadability);
    m_ruler->setTicker(ticker);
    m_ruler->setLayer(QStringLiteral("axes"));
    m_ruler->grid()->setLayer(QStringLiteral("grid"));
    QColor band = kGrey;
    band.setAlpha(100);
    m_ruler->setBasePen(QPen(band, 20));
    band.setAlpha(200);
    m_ruler->setSelectedBasePen(QPen(band, 20));
    m_ruler->setTickLabelSide(QCPAxis::lsInside);
    m_ruler->setTickLabelPadding(-5);
    m_ruler->setTickPen(Qt::NoPen);
    m_ruler->setSubTickPen(Qt::NoPen);
    m_ruler->setOffset(11);
    m_ruler->setVisible(true);
    m_ruler->total = timelineMaximum;
    m_ruler->setRange(0, timelineMaximum);
    rangeLimit = timelineMaximum;
    setTimeRange(m_ruler->range().lower, m_ruler->range().lower + visibleSpan);

    // 3. The track axis.
    QSharedPointer<QCPAxisTickerText> tracks(new QCPAxisTickerText);
    for (double v : {0.02, 1.0, 2.0, 3.0, 4.0, 5.0})
        tracks->addTick(v, QString());
    tracks->setSubTickCount(0);
    yAxis->setTicker(tracks);
    yAxis->setPadding(0);
    yAxis->setBasePen(QPen(kGrey, 1));
    yAxis->setTickPen(Qt::NoPen);
    yAxis->setSubTickPen(Qt::NoPen);

    // 4. Ranges: the wheel zooms time only.
    yAxis->setRange(0, 5);
    yAxis2->setRange(0, 5);
    m_axisRect->setRangeZoomAxes({xAxis, m_ruler}, {yAxis, yAxis2});
    m_axisRect->setRangeZoomFactor(1.1, 1.0);

    // 5. The cursor and the read-out.
    m_cursor = new QCPDisplayItemRect(this, this);
    m_cursor->setLayer(QStringLiteral("overlay"));
    m_cursor->setClipAxisRect(m_axisRect);
    m_cursor->setClipToAxisRect(false);
    initItemText();

    // 6. The rest of the look and the interactions.
    xAxis->setVisible(false);
    setInteractions(QCP::iRangeZoom | QCP::iSelectItems | QCP::iSelectOther);
    yAxis->grid()->setPen(QPen(kGrey, 1));

    // 7. The rubber band.
    setSelectionRectMode(QCP::srmCustom);
    m_rubberBand = new QCPKeyframeSelectionRect(this, this);
    m_rubberBand->setPen(QPen(Qt::blue));
    m_rubberBand->setBrush(QBrush(QColor(0, 0, 128, 100), Qt::SolidPattern));
    setSelectionRect(m_rubberBand);
    m_rubberBand->setLayer(QStringLiteral("overlay"));
    replot(rpQueuedReplot);
}

// ---- plot items ----

int AnimationEditorUI::clearPlotItems()
{
    const int count = mItems.size();
    for (int i = mItems.size() - 1; i >= 0; --i) {
        QCPAbstractItem* item = mItems.at(i);
        if (item != m_cursor && item != m_readOut)
            removeItem(item);
    }
    mItems.clear();
    if (m_cursor)
        mItems.append(m_cursor);
    if (m_readOut)
        mItems.append(m_readOut);
    return count;
}

void AnimationEditorUI::makeMarkers(const AnimationKeyframePtrList& keys)
{
    for (const auto& key : keys) {
        auto* m = new QCPKeyframeItemRect(this, this);
        m->setLayer(QStringLiteral("main"));
        m->keyframe = key.get();
        m->time = double(float(key->getTime()));
        m->setPen(Qt::NoPen);
        m->setBrush(QBrush(Qt::lightGray, Qt::SolidPattern));
        for (QCPItemPosition* p : {m->topLeft, m->bottomRight}) {
            p->setType(QCPItemPosition::ptPlotCoords);
            p->setAxes(m_ruler, yAxis);
        }
        m->setClipAxisRect(m_axisRect);
        m->setClipToAxisRect(false);
        const int type = key->getType();
        const bool tracked = type == AKT_Transform || type == AKT_Transparency || type == AKT_Material ||
                             type == AKT_Camera || type == AKT_Visibility;
        m->kind = tracked ? type : 0;
        if (type == AKT_Transparency)
            m->transparencyState = key->getState();
        if (type == AKT_Material)
            m->materialState = key->getState();
        m->placeAt(m->time);
    }
}

QCPKeyframeItemRectPtrList AnimationEditorUI::markers() const
{
    QCPKeyframeItemRectPtrList out;
    for (QCPAbstractItem* item : mItems)
        if (auto* m = qobject_cast<QCPKeyframeItemRect*>(item))
            out.push_back(m);
    return out;
}

void AnimationEditorUI::rebuildAll()
{
    clearPlotItems();
    if (keyframeEditor.valid())
        makeMarkers(keyframeEditor->getAllKeyframes());
    queueReplot();
}

void AnimationEditorUI::rebuildForSelection()
{
    clearPlotItems();
    if (keyframeEditor.valid()) {
        AnimationKeyframePtrList keys = keyframeEditor->getKeyframes(int(AKT_Camera));
        if (ISelectionManager* selection = keyframeEditor->getSelectionManager())
            for (const auto& node : selection->getSelectedList()) {
                const AnimationKeyframePtrList own = keyframeEditor->getKeyframes(node.get());
                keys.insert(keys.end(), own.begin(), own.end());
            }
        makeMarkers(keys);
    }
    replot(rpRefreshHint);
}

void AnimationEditorUI::queueReplot()
{
    replot(rpQueuedReplot); // the plot keeps at most one queued
}

void AnimationEditorUI::replot(QCustomPlot::RefreshPriority priority)
{
    if (!isVisible()) {
        m_replotWhenShown = true;
        return;
    }
    QCustomPlot::replot(priority);
}

void AnimationEditorUI::showEvent(QShowEvent* event)
{
    QCustomPlot::showEvent(event);
    if (m_replotWhenShown) {
        m_replotWhenShown = false;
        QCustomPlot::replot(rpRefreshHint);
    }
}

// ---- geometry helpers ----

double AnimationEditorUI::timeAt(double x) const
{
    return m_ruler->pixelToCoord(x);
}

double AnimationEditorUI::snappedTimeAt(double x) const
{
    return snapToFrame(timeAt(x));
}

double AnimationEditorUI::trackValueAt(double y) const
{
    return yAxis->pixelToCoord(y);
}

double AnimationEditorUI::keyframeSnap(const QPointF& pixel) const
{
    const double span = m_ruler->range().size();
    if (span <= 20.0 || !keyframeEditor.valid())
        return -1.0;
    const double t = snappedTimeAt(pixel.x());
    double best = -1.0, bestDistance = span / 300.0;
    for (const auto& key : keyframeEditor->getAllKeyframes()) {
        const double d = std::fabs(key->getTime() - t);
        if (d < bestDistance) {
            best = key->getTime();
            bestDistance = d;
        }
    }
    return best;
}

void AnimationEditorUI::autoScroll(double x)
{
    const QCPRange r = m_ruler->range();
    const double s = r.size();
    QCPRange next = r;
    if (std::fabs(r.upper - x) < s / 20) {
        next = QCPRange(r.lower + s / 30, r.upper + s / 30);
        if (next.upper > m_ruler->total)
            next = QCPRange(m_ruler->total - s, m_ruler->total);
    } else if (std::fabs(x - r.lower) < s / 20) {
        next = QCPRange(r.lower - s / 30, r.upper - s / 30);
        if (next.lower < 0)
            next = QCPRange(0, s);
    } else {
        return;
    }
    m_ruler->setRange(next);
}

bool AnimationEditorUI::setTimeRange(double lower, double upper)
{
    const double L = rangeLimit;
    if (!(lower > -L && upper < L && upper - lower > 0 && upper - lower < L))
        return false;
    m_ruler->setRange(lower, upper);
    return true;
}

void AnimationEditorUI::shiftSelection(const QCPKeyframeItemRectPtrList& items, float dx)
{
    m_rubberBand->selection = m_rubberBand->savedSelection.translated(dx, 0);
    for (QCPKeyframeItemRect* m : items)
        m->placeAt(m->time + dx);
    replot(rpRefreshHint);
}

void AnimationEditorUI::showContextMenu()
{
    m_menu->move(QCursor::pos());
    m_menu->show();
}

void AnimationEditorUI::mousePressEvent(QMouseEvent* event)
{
    // The plot hands the press to the item under the pointer first, then on down to the axis rect; only
    // a press that hit no marker and not the cursor starts the rubber band.
    pressHitItem = false;
    mSelectionRectMode = QCP::srmNone;
    QCustomPlot::mousePressEvent(event);
    mSelectionRectMode = QCP::srmCustom;
    if (!pressHitItem && mMouseEventLayerable == m_axisRect && m_rubberBand)
        m_rubberBand->begin(event);
}

void AnimationEditorUI::setTimeRange()
{
    m_ruler->setRange(0, 30);
    rangeLimit = 30.0f;
    replot(rpRefreshHint);
}

// ---- read-out ----

void AnimationEditorUI::initItemText()
{
    m_readOut = new QCPItemText(this);
    m_readOut->position->setType(QCPItemPosition::ptPlotCoords);
    m_readOut->position->setAxes(m_ruler, yAxis);
    m_readOut->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_readOut->setTextAlignment(Qt::AlignLeft);
    m_readOut->setPen(QPen(Qt::black));
    m_readOut->setFont(QFont(QString::fromUtf8("宋体"), 10));
    m_readOut->setBrush(QBrush(QColor(QStringLiteral("#C4DDC3")), Qt::SolidPattern));
    m_readOut->setPadding(QMargins(3, 3, 3, 3));
    m_readOut->setLayer(QStringLiteral("overlay"));
    m_readOut->position->setCoords(-100, -5);
}

void AnimationEditorUI::drawItemText(QPointF curPos, QPointF startPos)
{
    const double s = timeAt(startPos.x()), c = timeAt(curPos.x());
    const double f = frameIndex(s), g = frameIndex(c);
    m_readOut->setText(tr("位置:%1 偏移:%2")
                           .arg(QString::number(g, 'g', QLocale::FloatingPointShortest),
                                QString::number(g - f, 'g', QLocale::FloatingPointShortest)));
    m_readOut->position->setCoords(timeAt(curPos.x() + 90), std::min(3.5, trackValueAt(startPos.y())));
    m_readOut->setVisible(true);
    replot(rpRefreshHint);
}

void AnimationEditorUI::hideItemText()
{
    if (!m_readOut->visible())
        return;
    m_readOut->position->setCoords(-100, -5);
    replot(rpRefreshHint);
}

// ---- selection ----

void AnimationEditorUI::selectAllItems()
{
    m_rubberBand->selectAll();
    replot(rpRefreshHint);
}

QCPKeyframeItemRectPtrList AnimationEditorUI::getSelectedItems() const
{
    QCPKeyframeItemRectPtrList out;
    const QRectF band = m_rubberBand->selection.normalized();
    for (QCPKeyframeItemRect* m : markers())
        if (band.contains(m->plotRect().center()))
            out.push_back(m);
    return out;
}

AnimationKeyframePtrList AnimationEditorUI::getSelectedKeyframes() const
{
    return getSelectedKeyframes(getSelectedItems());
}

AnimationKeyframePtrList AnimationEditorUI::getSelectedKeyframes(QCPKeyframeItemRectPtrList items) const
{
    AnimationKeyframePtrList out;
    for (QCPKeyframeItemRect* m : items) {
        osg::ref_ptr<AnimationKeyframe> key;
        if (m && m->keyframe.lock(key))
            out.push_back(key);
    }
    return out;
}

} // namespace Vantor
