#include "animation/AnimationEditorUI.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

// The tool bar above the timeline and the track names beside it.

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

} // namespace

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
        // What a click calls; both null: wired by hand below.
        void (AnimationEditorUI::*press)();
        void (AnimationEditorUI::*toggle)(bool);
    };
    const Entry entries[] = {
        {QT_TR_NOOP("Autokey"), "Autokey", true, nullptr, nullptr},
        {QT_TR_NOOP("Add"), "Add", false, &AnimationEditorUI::addKeyframe, nullptr},
        {QT_TR_NOOP("PositionKey"), "PositionKey", false, &AnimationEditorUI::addPositionKeyframe, nullptr},
        {QT_TR_NOOP("Camera"), "Camera", false, &AnimationEditorUI::addCameraKeyframe, nullptr},
        {QT_TR_NOOP("SelectNode"), "Select", true, nullptr, &AnimationEditorUI::isSelectedNodeShow},
        {QT_TR_NOOP("Start"), "Start", false, &AnimationEditorUI::startFrame, nullptr},
        {QT_TR_NOOP("LastKey"), "LastKey", false, &AnimationEditorUI::lastKeyframe, nullptr},
        {QT_TR_NOOP("Last"), "Last", false, &AnimationEditorUI::lastFrame, nullptr},
        {QT_TR_NOOP("Play"), "Play", false, &AnimationEditorUI::playKeyframe, nullptr},
        {QT_TR_NOOP("Stop"), "Stop", false, &AnimationEditorUI::stopKeyframe, nullptr},
        {QT_TR_NOOP("Next"), "Next", false, &AnimationEditorUI::nextFrame, nullptr},
        {QT_TR_NOOP("NextKey"), "NextKey", false, &AnimationEditorUI::nextKeyframe, nullptr},
        {QT_TR_NOOP("End"), "End", false, &AnimationEditorUI::endFrame, nullptr},
        {QT_TR_NOOP("Matrial"), "Matrial", false, &AnimationEditorUI::addMatrialKeyframe, nullptr},
        {QT_TR_NOOP("Transparent"), "Transparent", false, &AnimationEditorUI::addTransparentKeyframe, nullptr},
        {QT_TR_NOOP("Visibility"), "Visibility", false, &AnimationEditorUI::addVisibilityKeyframe, nullptr},
        {QT_TR_NOOP("ReversePlay"), "Reverse", true, nullptr, &AnimationEditorUI::reversePlay},
        {QT_TR_NOOP("CyclicPlay"), "CyclicPlay", true, nullptr, &AnimationEditorUI::cyclicPlay},
        {QT_TR_NOOP("CameraPlay"), "CameraPlay", true, nullptr, &AnimationEditorUI::changeCameraPlayMode},
        {QT_TR_NOOP("SceneView"), "SceneView", false, &AnimationEditorUI::addView, nullptr},
    };
    for (const Entry& e : entries) {
        QPushButton* b = makeButton(QString::fromLatin1(e.name), QString::fromLatin1(e.icon), e.checkable);
        if (e.toggle)
            connect(b, &QPushButton::clicked, this, e.toggle);
        else if (e.press)
            connect(b, &QPushButton::clicked, this, e.press);
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
        void (AnimationEditorUI::*slot)();
    };
    for (const Effect& e : {Effect{QT_TR_NOOP("FadeIn"), &AnimationEditorUI::fadeInKeyframe},
                            Effect{QT_TR_NOOP("FadeOut"), &AnimationEditorUI::fadeOutKeyframe},
                            Effect{QT_TR_NOOP("HotSpot"), &AnimationEditorUI::hotSpotsKeyframe}}) {
        QAction* a = effects->addAction(ateIcon(QString::fromLatin1(e.name)), tr(e.name));
        a->setToolTip(tr(e.name));
        a->setObjectName(QString::fromLatin1(e.name));
        connect(a, &QAction::triggered, this, e.slot);
        namedActions.insert(QString::fromLatin1(e.name), a);
    }
    m_effectButton->setMenu(effects);

    for (const char* n : {"Add", "PositionKey", "Matrial", "Transparent", "Visibility"})
        namedWidgets.insert(QString::fromLatin1(n), m_buttons.value(QString::fromLatin1(n)));

    m_menu = new QMenu(this);
    m_menu->setAccessibleName(tr("Keyframes"));
    connect(m_menu->addAction(tr("&Select All")), &QAction::triggered, this, &AnimationEditorUI::selectAllItems);
    connect(m_menu->addAction(tr("&Delete")), &QAction::triggered, this, &AnimationEditorUI::removeItems);
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

} // namespace Vantor
