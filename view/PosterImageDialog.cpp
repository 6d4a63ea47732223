#include "view/PosterImageDialog.h"

#include "ui_PosterImageDialog.h"

#include "common/Prompts.h"
#include "view/OffscreenGraphicsContext.h"
#include "view/PrintPosterHandler.h"
#include "view/SceneView.h"
#include "vantor/util/LogHandler.h"

#include <osg/Camera>
#include <osg/GraphicsContext>
#include <osgDB/WriteFile>
#include <osgViewer/Viewer>

#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QOpenGLContext>

#include <iostream>

namespace {

constexpr int kSubCameras = 4;

osg::ref_ptr<osg::GraphicsContext::Traits> tileTraits(int tile)
{
    osg::ref_ptr<osg::GraphicsContext::Traits> traits = new osg::GraphicsContext::Traits;
    traits->x = 0;
    traits->y = 0;
    traits->width = tile;
    traits->height = tile;
    traits->windowDecoration = false;
    traits->doubleBuffer = false;
    traits->sharedContext = nullptr;
    traits->readDISPLAY();
    traits->setUndefinedScreenDetailsToDefaultScreen();
    return traits;
}

osg::ref_ptr<osg::GraphicsContext> makePixelBuffer(int tile)
{
    osg::ref_ptr<osg::GraphicsContext::Traits> traits = tileTraits(tile);
    traits->pbuffer = true;
    // A pixel buffer is made with the context; the viewer realizes it.
    osg::ref_ptr<osg::GraphicsContext> context = osg::GraphicsContext::createGraphicsContext(traits.get());
    return context.valid() && context->valid() ? context : nullptr;
}

osg::ref_ptr<osg::GraphicsContext> makeOffscreenContext(int tile)
{
    osg::ref_ptr<osg::GraphicsContext> context = new OffscreenGraphicsContext(tileTraits(tile).get());
    if (!context->realize())
        return nullptr;
    return context;
}

// Puts the Qt context that was current back, so the view's widget finds GL as it left it.
class CurrentContextGuard
{
public:
    CurrentContextGuard() : m_context(QOpenGLContext::currentContext()), m_surface(m_context ? m_context->surface() : nullptr) {}
    ~CurrentContextGuard()
    {
        if (m_context && m_surface)
            m_context->makeCurrent(m_surface);
    }

private:
    QPointer<QOpenGLContext> m_context;
    QSurface* m_surface;
};

} // namespace

PosterImageDialog::PosterImageDialog(QWidget* parent) : QDialog(parent), ui(new Ui::PosterImageDialogClass)
{
    ui->setupUi(this);
    ui->lineEditOutputFile->setText(QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/poster.png")));
    auto* files = new QFileSystemModel(this);
    files->setFilter(QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot);
    files->setRootPath(QDir::rootPath());
    auto* completer = new QCompleter(files, this);
    ui->lineEditOutputFile->setCompleter(completer);
    ui->progressBar->hide();
    // The tile label follows the size box.
    connect(ui->comboBoxPosterSize, &QComboBox::currentTextChanged, this,
            [this] { on_lineEditPosterSize_editingFinished(); });
    on_lineEditPosterSize_editingFinished();
}

PosterImageDialog::~PosterImageDialog()
{
    delete ui;
}

QString PosterImageDialog::tileNumberText(int size)
{
    const int n = size / tileSize();
    return tr("%1x%2 = %3 tile(s)").arg(n).arg(n).arg(n * n);
}

void PosterImageDialog::on_lineEditPosterSize_editingFinished()
{
    ui->labelTileNumber->setText(tileNumberText(ui->comboBoxPosterSize->currentText().toInt()));
}

void PosterImageDialog::on_pushButtonOpen_pressed()
{
    const QString path = Prompts::get().getSaveFileName(this, tr("Save File"), QStringLiteral("snapshot.png"),
                                                        tr("Images (*.png)"));
    if (!path.isEmpty())
        ui->lineEditOutputFile->setText(path);
}

void PosterImageDialog::on_pushButtonOk_pressed()
{
    m_cancelled = false;
    const int size = ui->comboBoxPosterSize->currentText().toInt();
    const QString file = ui->lineEditOutputFile->text();
    QString error;
    if (renderPoster(size, file, &error)) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("Poster written to %1").arg(file));
    } else if (!error.isEmpty()) {
        Vantor::LogHandler::getInstance()->reportError(error);
        Prompts::get().warning(this, tr("Poster Image Production"), error);
    }
    hide();
    ui->progressBar->hide();
}

void PosterImageDialog::on_pushButtonCancel_pressed()
{
    m_cancelled = true;
    hide();
    ui->progressBar->hide();
}

void PosterImageDialog::updateProgressBar(int value, int maximum)
{
    ui->progressBar->setValue(value);
    if (ui->progressBar->isHidden()) {
        ui->progressBar->setMaximum(maximum);
        ui->progressBar->show();
    }
    if (value == ui->progressBar->maximum())
        ui->progressBar->hide();
}

void PosterImageDialog::setScene(osg::Node* scene)
{
    m_scene = scene;
    on_lineEditPosterSize_editingFinished();
}

void PosterImageDialog::setView(SceneView* view)
{
    m_view = view;
}

bool PosterImageDialog::renderPoster(int size, const QString& fileName, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (error)
        error->clear();
    m_lastSurface = Surface::None;
    m_cancelled = false;
    const int tile = tileSize();
    if (size < tile || size % tile != 0)
        return fail(tr("The poster size must be a multiple of %1 pixels").arg(tile));
    if (fileName.trimmed().isEmpty())
        return fail(tr("No output file was given for the poster"));
    if (!m_scene)
        return fail(tr("There is no scene to render"));

    osg::ref_ptr<osg::Image> poster = PrintPosterHandler::allocateImage(size, size);
    if (!poster)
        return fail(tr("Not enough memory for a poster of %1 x %1 pixels").arg(size));

    CurrentContextGuard keepCurrent;
    osg::ref_ptr<osg::GraphicsContext> context = m_pixelBufferAllowed ? makePixelBuffer(tile) : nullptr;
    Surface surface = Surface::PixelBuffer;
    if (!context) {
        context = makeOffscreenContext(tile);
        surface = Surface::FramebufferObject;
    }
    if (!context)
        return fail(tr("No offscreen surface could be made to render the poster"));
    m_lastSurface = surface;

    const osg::Vec4 clearColor = m_view ? osg::Vec4(m_view->getBackgroundColor()) : osg::Vec4(0.2f, 0.2f, 0.6f, 1.0f);

    osg::ref_ptr<osg::Group> root = new osg::Group;
    root->addChild(m_scene);
    osg::ref_ptr<osg::Group> cameraRoot = new osg::Group;
    for (int i = 0; i < kSubCameras; ++i) {
        osg::ref_ptr<osg::Camera> camera = new osg::Camera;
        camera->setGraphicsContext(context.get());
        camera->setClearColor(clearColor);
        camera->setClearMask(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        camera->setReferenceFrame(osg::Transform::ABSOLUTE_RF);
        camera->setRenderOrder(osg::Camera::PRE_RENDER);
        camera->setRenderTargetImplementation(surface == Surface::PixelBuffer ? osg::Camera::FRAME_BUFFER
                                                                              : osg::Camera::FRAME_BUFFER_OBJECT);
        camera->setViewport(0, 0, tile, tile);
        camera->addChild(m_scene);
        cameraRoot->addChild(camera.get());
    }
    root->addChild(cameraRoot.get());

    osg::ref_ptr<osgViewer::Viewer> viewer = new osgViewer::Viewer;
    osg::Camera* main = viewer->getCamera();
    main->setGraphicsContext(context.get());
    main->setViewport(0, 0, tile, tile);
    main->setProjectionMatrixAsPerspective(30.0, 1.0, 1.0, 10000.0);
    main->setClearColor(clearColor);
    if (m_view)
        main->setViewMatrix(m_view->getView()->getCamera()->getViewMatrix());

    osg::ref_ptr<PrintPosterHandler> handler = new PrintPosterHandler;
    handler->setTileSize(tile, tile);
    handler->setPosterSize(size, size);
    handler->setCameraRoot(cameraRoot.get());
    handler->setFinalPoster(poster.get());
    handler->prepare();

    viewer->setSceneData(root.get());
    viewer->setThreadingModel(osgViewer::ViewerBase::SingleThreaded);
    viewer->addEventHandler(handler.get());
    viewer->realize();
    if (!viewer->isRealized())
        return fail(tr("No offscreen surface could be made to render the poster"));

    // Four tiles every second frame, each batch recorded two frames later; the cap only stops a run whose
    // tiles never arrive.
    const int tiles = (size / tile) * (size / tile);
    const int frameCap = 4 * ((tiles + kSubCameras - 1) / kSubCameras) + 32;
    for (int frame = 0; frame < frameCap && !handler->isComplete(); ++frame) {
        updateProgressBar(int(handler->recordedTiles()), tiles + 1);
        viewer->frame();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (m_cancelled)
            break;
    }
    const bool complete = handler->isComplete();
    const std::size_t recorded = handler->recordedTiles();
    viewer = nullptr; // closes the context and lets go of the scene
    cameraRoot = nullptr;
    root = nullptr;
    context = nullptr;

    if (m_cancelled) {
        ui->progressBar->hide();
        return false;
    }
    if (!complete)
        return fail(tr("The poster was not finished: %1 of %2 tiles were drawn").arg(recorded).arg(tiles));

    std::cout << "Writing final result to file..." << std::endl;
    if (!osgDB::writeImageFile(*poster, fileName.toUtf8().toStdString()))
        return fail(tr("The poster could not be written to %1").arg(fileName));
    updateProgressBar(tiles + 1, tiles + 1);
    return true;
}
