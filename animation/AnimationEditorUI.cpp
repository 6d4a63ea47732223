#include "animation/AnimationEditorUI.h"

#include "animation/AnimationEditorListeners.h"
#include "common/Prompts.h"
#include "dialogs/SystemSetting.h"
#include "vantor/animation/UpdateKeyFrameCommand.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"

#include <QAction>
#include <QCursor>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace Vantor {

namespace {

const char* const kPushButtonStyle =
    "QPushButton{background:transparent;font:14px \"Microsoft YaHei\";border:1px solid;}"
    "QPushButton:hover,QPushButton:checked{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #cce8ff,"
    "stop:0.1282 #cce8ff,stop:0.8333 #cce8ff,stop:1 #cce8ff);font:14px \"Microsoft YaHei\";color:#ffffff;"
    "border:1px solid;}";
const char* const kToolButtonStyle =
    "QToolButton{background:#EEEEEE;font:14px \"Microsoft YaHei\";border:1px solid;}"
    "QToolButton:hover{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #cce8ff,stop:0.1282 #cce8ff,"
    "stop:0.8333 #cce8ff,stop:1 #cce8ff);font:14px \"Microsoft YaHei\";color:#ffffff;border:1px solid;}"
    "QToolButton::menu-button{subcontrol-origin:padding;subcontrol-position:top right;width:5px;"
    "border-left:1px solid darkgray;}";

QIcon ateIcon(const QString& name)
{
    const QString path = QStringLiteral(":/VantorViewer/icon/ATE/ATE") + name + QStringLiteral(".png");
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

const QColor kGrey(180, 180, 180);

} // namespace

AnimationEditorUI::AnimationEditorUI(osg::ref_ptr<AnimationKeyFrameEditor> editor) : QCustomPlot(nullptr)
{
    keyframeEditor = editor;
    setObjectName(QStringLiteral("AnimationEditorUI"));
    setAccessibleName(tr("Keyframe timeline"));
    setStyleSheet(QStringLiteral("font: 9pt \"微软雅黑\";"));
    buildToolBar();
    if (keyframeEditor.valid())
        registerListeners();
    setUpPlot();
}

AnimationEditorUI::~AnimationEditorUI()
{
    // The outside component may outlive the widget: it must not call back into it.
    if (m_editorListener.valid()) {
        m_editorListener->editor = nullptr;
        if (keyframeEditor.valid())
            keyframeEditor->removeAnimationKeyFrameEditorListener(m_editorListener);
    }
    if (m_managerListener.valid()) {
        m_managerListener->editor = nullptr;
        if (keyframeEditor.valid())
            if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
                manager->removeAnimationManagerListener(m_managerListener);
    }
    if (m_selectionListener.valid()) {
        m_selectionListener->editor = nullptr;
        if (keyframeEditor.valid())
            if (ISelectionManager* selection = keyframeEditor->getSelectionManager())
                selection->removeSelectionListener(m_selectionListener.get());
    }
    keyframeEditor = nullptr;
}

// ---- construction ----

QPushButton* AnimationEditorUI::makeButton(const QString& name, const QString& icon, bool checkable)
{
    auto* b = new QPushButton();
    b->setObjectName(name);
    b->setAccessibleName(tr(name.toUtf8().constData()));
    b->setCheckable(checkable);
    b->setIconSize(QSize(18, 18));
    const QIcon i = ateIcon(icon);
    b->setIcon(i);
    if (name == QLatin1String("Autokey") || i.isNull())
        b->setText(tr(name.toUtf8().constData())); // a button without its picture still says what it does
    if (name != QLatin1String("Autokey"))
        b->setToolTip(tr(name.toUtf8().constData()));
    b->setStyleSheet(QString::fromLatin1(kPushButtonStyle));
    m_buttons.insert(name, b);
    return b;
}

void AnimationEditorUI::buildToolBar()
{
    struct Entry
    {
        const char* name;
        const char* icon;
        bool checkable;
        const char* slot; // null: wired by hand below
    };
    const Entry entries[] = {
        {QT_TR_NOOP("Autokey"), "Autokey", true, nullptr},
        {QT_TR_NOOP("Add"), "Add", false, SLOT(addKeyframe())},
        {QT_TR_NOOP("PositionKey"), "PositionKey", false, SLOT(addPositionKeyframe())},
        {QT_TR_NOOP("Camera"), "Camera", false, SLOT(addCameraKeyframe())},
        {QT_TR_NOOP("SelectNode"), "Select", true, SLOT(isSelectedNodeShow(bool))},
        {QT_TR_NOOP("Start"), "Start", false, SLOT(startFrame())},
        {QT_TR_NOOP("LastKey"), "LastKey", false, SLOT(lastKeyframe())},
        {QT_TR_NOOP("Last"), "Last", false, SLOT(lastFrame())},
        {QT_TR_NOOP("Play"), "Play", false, SLOT(playKeyframe())},
        {QT_TR_NOOP("Stop"), "Stop", false, SLOT(stopKeyframe())},
        {QT_TR_NOOP("Next"), "Next", false, SLOT(nextFrame())},
        {QT_TR_NOOP("NextKey"), "NextKey", false, SLOT(nextKeyframe())},
        {QT_TR_NOOP("End"), "End", false, SLOT(endFrame())},
        {QT_TR_NOOP("Matrial"), "Matrial", false, SLOT(addMatrialKeyframe())},
        {QT_TR_NOOP("Transparent"), "Transparent", false, SLOT(addTransparentKeyframe())},
        {QT_TR_NOOP("Visibility"), "Visibility", false, SLOT(addVisibilityKeyframe())},
        {QT_TR_NOOP("ReversePlay"), "Reverse", true, SLOT(reversePlay(bool))},
        {QT_TR_NOOP("CyclicPlay"), "CyclicPlay", true, SLOT(cyclicPlay(bool))},
        {QT_TR_NOOP("CameraPlay"), "CameraPlay", true, SLOT(changeCameraPlayMode(bool))},
        {QT_TR_NOOP("SceneView"), "SceneView", false, SLOT(addView())},
    };
    for (const Entry& e : entries) {
        QPushButton* b = makeButton(QString::fromLatin1(e.name), QString::fromLatin1(e.icon), e.checkable);
        if (e.slot)
            connect(b, e.checkable ? SIGNAL(clicked(bool)) : SIGNAL(clicked()), this, e.slot);
    }
    connect(m_buttons.value(QStringLiteral("Autokey")), &QPushButton::clicked, this, [this] {
        if (keyframeEditor.valid())
            keyframeEditor->setAutokeyMode(!autokey);
    });

    m_effectButton = new QToolButton();
    m_effectButton->setObjectName(QStringLiteral("Effect"));
    m_effectButton->setText(tr("Effect"));
    m_effectButton->setToolTip(tr("Effect"));
    m_effectButton->setAccessibleName(tr("Effect"));
    m_effectButton->setIcon(ateIcon(QStringLiteral("FadeIn")));
    m_effectButton->setIconSize(QSize(18, 18));
    m_effectButton->setPopupMode(QToolButton::InstantPopup);
    m_effectButton->setStyleSheet(QString::fromLatin1(kToolButtonStyle));
    auto* effects = new QMenu(m_effectButton);
    effects->setAccessibleName(tr("Effect"));
    struct Effect
    {
        const char* name;
        const char* slot;
    };
    for (const Effect& e : {Effect{QT_TR_NOOP("FadeIn"), SLOT(fadeInKeyframe())}, Effect{QT_TR_NOOP("FadeOut"), SLOT(fadeOutKeyframe())},
                            Effect{QT_TR_NOOP("HotSpot"), SLOT(hotSpotsKeyframe())}}) {
        QAction* a = effects->addAction(ateIcon(QString::fromLatin1(e.name)), tr(e.name));
        a->setToolTip(tr(e.name));
        a->setObjectName(QString::fromLatin1(e.name));
        connect(a, SIGNAL(triggered()), this, e.slot);
        namedActions.insert(QString::fromLatin1(e.name), a);
    }
    m_effectButton->setMenu(effects);

    for (const char* n : {"Add", "PositionKey", "Matrial", "Transparent", "Visibility"})
        namedWidgets.insert(QString::fromLatin1(n), m_buttons.value(QString::fromLatin1(n)));

    m_menu = new QMenu(this);
    m_menu->setAccessibleName(tr("Keyframes"));
    connect(m_menu->addAction(tr("&Select All")), SIGNAL(triggered()), this, SLOT(selectAllItems()));
    connect(m_menu->addAction(tr("&Delete")), SIGNAL(triggered()), this, SLOT(removeItems()));
    m_menu->hide();

    auto* bar = new QHBoxLayout;
    for (const char* n : {"Autokey", "Add", "PositionKey", "Matrial", "Transparent", "Visibility", "Camera", "SceneView"})
        bar->addWidget(m_buttons.value(QString::fromLatin1(n)));
    bar->addWidget(m_effectButton);
    for (const char* n : {"SelectNode", "Start", "LastKey", "Last", "Play", "Stop", "Next", "NextKey", "End",
                          "ReversePlay", "CyclicPlay", "CameraPlay"})
        bar->addWidget(m_buttons.value(QString::fromLatin1(n)));
    bar->addStretch();

    // The names are placed by hand over the plot's track bands (placeTrackLabels), not by a layout.
    m_labelColumn = new QWidget;
    int widest = 0;
    for (const char* text : {QT_TR_NOOP("位置"), QT_TR_NOOP("材质"), QT_TR_NOOP("透明度"), QT_TR_NOOP("可见性"),
                             QT_TR_NOOP("摄像机")}) {
        auto* label = new QLabel(tr(text), m_labelColumn);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setAccessibleName(label->text());
        widest = std::max(widest, label->sizeHint().width());
        m_trackLabels << label;
    }
    m_labelColumn->setFixedWidth(widest + 6);
    connect(this, &QCustomPlot::afterReplot, this, &AnimationEditorUI::placeTrackLabels);
    auto* row = new QHBoxLayout;
    row->addWidget(m_labelColumn, 0);
    row->addWidget(this, 1);

    auto* column = new QVBoxLayout;
    column->addLayout(bar);
    column->addLayout(row);
    m_container = new QWidget();
    m_container->setObjectName(QStringLiteral("AnimationTimeline"));
    m_container->setAccessibleName(tr("Animation timeline"));
    m_container->setLayout(column);
    m_container->setFixedHeight(180);
}

void AnimationEditorUI::placeTrackLabels()
{
    if (!m_labelColumn || !yAxis)
        return;
    // The plot's pixel rows in the label column's frame (the two sit side by side in one row).
    const int offset = mapTo(m_container, QPoint()).y() - m_labelColumn->mapTo(m_container, QPoint()).y();
    for (int i = 0; i < m_trackLabels.size(); ++i) {
        const double bottom = m_trackLabels.size() - 1 - i; // the top track's band is [4, 5]
        const int top = int(std::lround(yAxis->coordToPixel(bottom + 1.0))) + offset;
        const int low = int(std::lround(yAxis->coordToPixel(bottom))) + offset;
        m_trackLabels[i]->setGeometry(3, top, m_labelColumn->width() - 3, std::max(1, low - top));
    }
}

void AnimationEditorUI::registerListeners()
{
    m_editorListener = new AnimationKeyFrameEditorWidgetListener;
    m_editorListener->editor = this;
    keyframeEditor->addAnimationKeyFrameEditorListener(m_editorListener);

    m_managerListener = new AnimationManagerWidgetListener;
    m_managerListener->editor = this;
    if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
        manager->addAnimationManagerListener(m_managerListener);

    m_selectionListener = new AnimationKeyFrameSelectionListener;
    m_selectionListener->editor = this;
    if (ISelectionManager* selection = keyframeEditor->getSelectionManager())
        selection->addSelectionListener(m_selectionListener.get());
}

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

void AnimationEditorUI::goToTime(double time)
{
    if (time >= 0.0 && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(time);
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

// ---- operations of the main window ----

bool AnimationEditorUI::timelineValuesAcceptable(float s, float d, float t, float L)
{
    for (float v : {s, d, t, L})
        if (!std::isfinite(v))
            return false;
    return s >= 0 && s <= L && s + d <= L && s < s + d && t >= 1.2f && t <= 600.0f;
}

bool AnimationEditorUI::applyTimeline(float start, float duration, float animation)
{
    if (!timelineValuesAcceptable(start, duration, animation, timelineMaximum))
        return false;
    setTimeRange(start, start + duration);
    setTimeRange(start, start + std::max(duration, 1.2f));
    setAnimationDuration(animation);
    replot(rpRefreshHint);
    return true;
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

bool AnimationEditorUI::getCameraPlayMode() const
{
    if (!keyframeEditor.valid())
        return false;
    osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager();
    return manager.valid() && manager->getCameraPlay();
}

void AnimationEditorUI::setEditorOpen(bool open)
{
    if (!keyframeEditor.valid())
        return;
    if (!open) {
        keyframeEditor->closeAnimationEditor();
        return;
    }
    if (keyframeEditor->isAnimationEditorOpen())
        return;
    keyframeEditor->openAnimationEditor();
    if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager()) {
        manager->setCameraPlay(getCameraPlayMode());
        manager->setLoopPlay(manager->getLoopPlay());
    }
}

void AnimationEditorUI::setAnimationDuration(float seconds)
{
    m_ruler->animationEnd = seconds;
    if (keyframeEditor.valid())
        keyframeEditor->scaleRange(seconds);
    clearPlotItems();
    if (keyframeEditor.valid())
        makeMarkers(keyframeEditor->getAllKeyframes());
    queueReplot();
}

void AnimationEditorUI::resetEditor()
{
    if (!keyframeEditor.valid())
        return;
    keyframeEditor->removeKeyframes(keyframeEditor->getAllKeyframes());
    keyframeEditor->closeAnimationEditor();
    clearPlotItems();
    makeMarkers(keyframeEditor->getAllKeyframes());
    queueReplot();
}

void AnimationEditorUI::setToolsEnabled(bool enabled)
{
    for (QWidget* w : qAsConst(namedWidgets))
        if (w)
            w->setEnabled(enabled);
    for (QAction* a : qAsConst(namedActions))
        if (a)
            a->setEnabled(enabled);
}

// ---- slots ----

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

// ---- playback ----

void AnimationEditorUI::startFrame()
{
    goToTime(0.0);
}

void AnimationEditorUI::lastKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    const float c = keyframeEditor->getCurrentKeyframeTime();
    const AnimationKeyframePtrList keys = keyframeEditor->getAllKeyframes();
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        if ((*it)->getTime() < c) {
            if (float((*it)->getTime()) >= 0.0f)
                keyframeEditor->playToKeyframe(float((*it)->getTime()));
            return;
        }
}

void AnimationEditorUI::lastFrame()
{
    const float c = currentTime - FrameStep;
    if (c >= 0.0f && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(c);
}

void AnimationEditorUI::playKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager();
    if (manager.valid() && manager->isPlaying()) {
        keyframeEditor->pauseAnimation();
        return;
    }
    m_ruler->playing = 1.0f;
    keyframeEditor->resumeAnimation();
}

void AnimationEditorUI::stopKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    const float s = keyframeEditor->getAnimationValidStartTime();
    if (s >= 0.0f)
        keyframeEditor->playToKeyframe(s);
    keyframeEditor->stopAnimation();
}

void AnimationEditorUI::nextFrame()
{
    const float c = currentTime + FrameStep;
    if (c <= timelineMaximum && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(c);
}

void AnimationEditorUI::nextKeyframe()
{
    if (!keyframeEditor.valid())
        return;
    const float c = keyframeEditor->getCurrentKeyframeTime();
    for (const auto& key : keyframeEditor->getAllKeyframes())
        if (key->getTime() > c) {
            if (float(key->getTime()) >= 0.0f)
                keyframeEditor->playToKeyframe(float(key->getTime()));
            return;
        }
}

void AnimationEditorUI::endFrame()
{
    const float c = timelineMaximum - FrameStep;
    if (c >= 0.0f && keyframeEditor.valid())
        keyframeEditor->playToKeyframe(c);
}

void AnimationEditorUI::pauseKeyframe()
{
    if (keyframeEditor.valid())
        keyframeEditor->pauseAnimation();
}

void AnimationEditorUI::reversePlay(bool on)
{
    if (keyframeEditor.valid())
        if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
            manager->setReversePlay(on);
}

void AnimationEditorUI::cyclicPlay(bool on)
{
    if (keyframeEditor.valid())
        if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
            manager->setLoopPlay(on);
}

void AnimationEditorUI::changeCameraPlayMode(bool on)
{
    if (keyframeEditor.valid())
        if (osg::ref_ptr<AnimationManager> manager = keyframeEditor->GetAnimationManager())
            manager->setCameraPlay(on);
}

void AnimationEditorUI::isSelectedNodeShow(bool on)
{
    if (keyframeEditor.valid())
        keyframeEditor->setSelectedNodeMode(on);
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

void AnimationEditorUI::removeItems()
{
    if (!keyframeEditor.valid())
        return;
    keyframeEditor->removeKeyframes(getSelectedKeyframes());
    keyframeEditor->endCallRemoveKeyframe();
}

} // namespace Vantor
