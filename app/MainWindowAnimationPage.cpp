// The Animation page: animation files, playback with its time slider and speed, timeline switches.

#include "app/MainWindow.h"

#include "ribbon/RibbonActionRow.h"

#include "ribbonbar/SARibbonCategory.h"
#include "ribbonbar/SARibbonPannel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

namespace {

const RibbonActionRow kFilePanel[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "file"), "Animation_Load root scene"},
    {QT_TRANSLATE_NOOP("MainWindow", "file"), "Animation_Save root scene"},
    {QT_TRANSLATE_NOOP("MainWindow", "file"), "Animation_delete all Keyframe", &MainWindow::initKeyframeDeleteMenu},
    {QT_TRANSLATE_NOOP("MainWindow", "play"), "Animation_ATEPlay"},
    {QT_TRANSLATE_NOOP("MainWindow", "play"), "Animation_ATEPause"},
    {QT_TRANSLATE_NOOP("MainWindow", "play"), "Animation_ATEStop"},
    {QT_TRANSLATE_NOOP("MainWindow", "play"), "Animation_ATEReverse"},
    {QT_TRANSLATE_NOOP("MainWindow", "play"), "Animation_ATECyclicPlay"},
    {QT_TRANSLATE_NOOP("MainWindow", "play"), "Animation_ATECameraPlay"},
};

const RibbonActionRow kOtherPanel[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "other"), "Animation_Time set"},
    {QT_TRANSLATE_NOOP("MainWindow", "other"), "Recording_Time axle"},
};

} // namespace

void MainWindow::initAnimationCategory(SARibbonCategory* page)
{
    if (!page)
        return;
    fillCategory(page, kFilePanel, int(std::size(kFilePanel)));
    SARibbonPannel* play = page->pannelList().last();

    m_timeSlider = new QSlider(Qt::Horizontal);
    m_timeSlider->setAccessibleName(tr("Play time"));
    m_timeSlider->setRange(0, 100);
    m_timeSlider->setSingleStep(1);
    m_timeSlider->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_timeSlider->setMinimumWidth(160);
    m_timeSlider->setEnabled(false);
    connect(m_timeSlider, &QSlider::valueChanged, this, &MainWindow::setAnimationPlayTime);
    play->addWidget(m_timeSlider);

    auto* speed = new QWidget;
    auto* row = new QHBoxLayout(speed);
    row->setContentsMargins(2, 0, 2, 0);
    auto* label = new QLabel(tr("PlaySpeed:"), speed);
    label->setMinimumHeight(24);
    m_playSpeed = new QComboBox(speed);
    m_playSpeed->setAccessibleName(tr("PlaySpeed:"));
    m_playSpeed->addItems({QStringLiteral("0.5X"), QStringLiteral("1X"), QStringLiteral("2X"), QStringLiteral("3X"),
                           QStringLiteral("4X"), QStringLiteral("5X")});
    // Set before the connection, so building the page does not run the speed slot.
    m_playSpeed->setCurrentIndex(1);
    m_playSpeed->setEnabled(false);
    m_playSpeed->setMinimumHeight(24);
    connect(m_playSpeed, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &MainWindow::on_actionSpeedPlayChanged_triggerd);
    row->addWidget(label);
    row->addWidget(m_playSpeed);
    speed->setMinimumHeight(50);
    speed->setAccessibleName(tr("PlaySpeed:"));
    play->addWidget(speed);

    fillCategory(page, kOtherPanel, int(std::size(kOtherPanel)));
}
