#pragma once

#include <osg/Node>

#include <QDialog>
#include <QPointer>
#include <QString>

namespace Ui {
class PosterImageDialogClass;
}

class SceneView;

// Asks for the size and file of a square poster, then renders the scene offscreen tile by tile
// (1024 x 1024 each) and writes the stitched image.
class PosterImageDialog : public QDialog
{
    Q_OBJECT
public:
    // What the tiles of the last run were drawn into.
    enum class Surface { None, PixelBuffer, FramebufferObject };

    explicit PosterImageDialog(QWidget* parent = nullptr);
    ~PosterImageDialog() override;

    Ui::PosterImageDialogClass* form() const { return ui; }

    // Renders a poster of size x size pixels (a multiple of 1024) and writes it; the file is written only
    // when every tile was drawn. False with the reason in `error` (left empty when the run was cancelled).
    bool renderPoster(int size, const QString& fileName, QString* error = nullptr);
    // Pixel buffers are tried first unless switched off; framebuffer objects serve when none can be made.
    void setPixelBufferAllowed(bool allowed) { m_pixelBufferAllowed = allowed; }
    Surface lastSurface() const { return m_lastSurface; }
    bool isCancelled() const { return m_cancelled; }

    // "%1x%2 = %3 tile(s)" for a poster size.
    static QString tileNumberText(int size);
    static int tileSize() { return 1024; }
    // Refreshes the tile label from the size box.
    void on_lineEditPosterSize_editingFinished();

public slots:
    void on_pushButtonOpen_pressed();
    void on_pushButtonOk_pressed();
    void on_pushButtonCancel_pressed();
    void updateProgressBar(int value, int maximum);
    void setScene(osg::Node* scene);
    void setView(SceneView* view);

private:
    Ui::PosterImageDialogClass* ui;
    osg::Node* m_scene = nullptr; // not held: the scene holder owns it
    QPointer<SceneView> m_view;
    bool m_cancelled = false;
    bool m_pixelBufferAllowed = true;
    Surface m_lastSurface = Surface::None;
};
