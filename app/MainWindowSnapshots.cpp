// The main window's pictures: PNG snapshots of the view and the separate screen-capture program.

#include "app/MainWindow.h"

#include "common/Language.h"
#include "common/Prompts.h"
#include "view/SceneView.h"
#include "vantor/command/OsgHelper.h"
#include "vantor/util/LogHandler.h"

#include <osg/Camera>
#include <osg/ClearNode>
#include <osg/Viewport>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStatusBar>

namespace {

// For a transparent picture the gradient hides and the frame clears to no colour, so only what the
// model draws is opaque; the view looks as before once the picture is taken.
class SnapshotBackdrop
{
public:
    SnapshotBackdrop(SceneView* view, bool transparent) : m_view(transparent ? view : nullptr)
    {
        if (!m_view)
            return;
        if (osg::ClearNode* backdrop = m_view->getBackdrop()) {
            m_clearColor = backdrop->getClearColor();
            osg::Vec4 clear = m_clearColor;
            clear.a() = 0.0f;
            backdrop->setClearColor(clear);
        }
        if (osg::Node* background = m_view->getBackground()) {
            m_backgroundMask = background->getNodeMask();
            background->setNodeMask(0u);
        }
    }
    ~SnapshotBackdrop()
    {
        if (!m_view)
            return;
        if (osg::ClearNode* backdrop = m_view->getBackdrop())
            backdrop->setClearColor(m_clearColor);
        if (osg::Node* background = m_view->getBackground())
            background->setNodeMask(m_backgroundMask);
        m_view->requestFrame();
    }
    SnapshotBackdrop(const SnapshotBackdrop&) = delete;
    SnapshotBackdrop& operator=(const SnapshotBackdrop&) = delete;

private:
    SceneView* m_view;
    osg::Vec4 m_clearColor;
    osg::Node::NodeMask m_backgroundMask = ~0u;
};

} // namespace

QSize MainWindow::snapshotSize(const osg::Camera* camera)
{
    const osg::Viewport* viewport = camera ? camera->getViewport() : nullptr;
    if (!viewport)
        return QSize(1024, 768);
    return QSize(int(viewport->width()), int(viewport->height()));
}

QString MainWindow::proposedSnapshotPath(const QString& folder, const QDateTime& when)
{
    return folder + QStringLiteral("/%1.png").arg(when.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss")));
}

QString MainWindow::screenshotProgramPath()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Screenshot.exe");
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Screenshot");
#endif
}

void MainWindow::connectSnapshotSignals()
{
    qRegisterMetaType<osg::Image*>("osg::Image*");
    connect(m_sceneView, &SceneView::newScreenshotAvailable, this, &MainWindow::takeIntoAccountScreenshot,
            Qt::QueuedConnection);
}

void MainWindow::takeIntoAccountScreenshot()
{
    on_actionSnapShot_triggered();
}

void MainWindow::on_actionSnapShot_triggered()
{
    const QString proposed = proposedSnapshotPath(lastDirectorySnapshot, QDateTime::currentDateTime());
    const QString path = Prompts::get().getSaveFileName(this, tr("Save File"), proposed, tr("Images (*.png)"));
    if (path.isEmpty())
        return;

    m_snapshotBaseName = QFileInfo(path).baseName().remove(QStringLiteral("-%1").arg(m_snapshotCounter));
    ++m_snapshotCounter;

    osgViewer::View* view = m_sceneView->getView().get();
    Vantor::OsgHelper::snapshot(view, false);
    osg::ref_ptr<osg::Image> shot;
    {
        const SnapshotBackdrop backdrop(m_sceneView, snapshotTransparentBackground);
        shot = Vantor::OsgHelper::snapshot(view, snapshotTransparentBackground);
    }
    QImage picture = shot.valid() ? osgImageToQImage(*shot) : QImage();
    if (!picture.isNull())
        picture = picture.scaled(snapshotSize(view->getCamera()), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (m_watermark)
        drawWatermark(picture);

    if (picture.isNull() || !picture.save(path, "PNG")) {
        Prompts::get().warning(this, tr("Save failed"), tr("Error saving file"));
        return;
    }
    lastDirectorySnapshot = QFileInfo(path).absolutePath();
    statusBar()->showMessage(tr("File %1 saved").arg(path), 5000);
}

void MainWindow::on_actionScreenshot_triggered()
{
    // A missing program stays silent.
    QProcess::startDetached(screenshotProgramPath(), QStringList());
}
