#pragma once

#include <osg/Camera>
#include <osg/Group>
#include <osg/Image>
#include <osg/Matrixd>
#include <osgGA/GUIEventHandler>

#include <cstddef>
#include <map>
#include <string>
#include <utility>

// Moves the sub-cameras below its camera root across the poster's tiles, a batch every second frame,
// and copies each rendered tile into the final poster image on the next even frame.
class PrintPosterHandler : public osgGA::GUIEventHandler
{
public:
    using TilePosition = std::pair<int, int>; // row, column
    using TileImages = std::map<TilePosition, osg::ref_ptr<osg::Image>>;

    PrintPosterHandler();

    void setOutputTiles(bool b) { m_outputTiles = b; }
    bool getOutputTiles() const { return m_outputTiles; }
    void setOutputTileExtension(const std::string& ext) { m_tileExtension = ext; }

    void setTileSize(int w, int h) { m_tileWidth = float(w); m_tileHeight = float(h); }
    void setPosterSize(int w, int h) { m_posterWidth = float(w); m_posterHeight = float(h); }
    void setCameraRoot(osg::Group* root) { m_cameraRoot = root; }
    void setFinalPoster(osg::Image* image) { m_finalPoster = image; }
    osg::Image* getFinalPoster() const { return m_finalPoster.get(); }

    // Asks for a new run at the next frame event.
    void prepare() { m_startRequested = true; }
    bool isRunning() const { return m_isRunning; }
    bool isFinishing() const { return m_isFinishing; }
    int tileRows() const { return m_tileRows; }
    int tileColumns() const { return m_tileColumns; }
    // Tiles copied into the poster since the run started.
    std::size_t recordedTiles() const { return m_recorded; }
    // True once every tile of the run has been dispatched and copied into the poster.
    bool isComplete() const;

    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;
    using osgGA::GUIEventHandler::handle;

    // Copies an RGBA tile into the poster with its lower left corner at (column * tile width,
    // row * tile height), clipped to the poster. False when either image is not 8-bit RGBA.
    static bool copyTile(const osg::Image& tile, int row, int column, osg::Image& poster);

    // An empty 8-bit RGBA image of the size, or null when the memory cannot be had.
    static osg::ref_ptr<osg::Image> allocateImage(int width, int height);

protected:
    ~PrintPosterHandler() override;

    void bindCameraToImage(osg::Camera* camera, int row, int column);
    void recordImages();

    bool m_isRunning = false;
    bool m_isFinishing = false;
    bool m_outputTiles = false;
    std::string m_tileExtension = "bmp";
    float m_tileWidth = 0.0f;
    float m_tileHeight = 0.0f;
    float m_posterWidth = 0.0f;
    float m_posterHeight = 0.0f;
    int m_tileRows = 0;
    int m_tileColumns = 0;
    int m_currentRow = 0;
    int m_currentColumn = 0;
    unsigned int m_cameraIndex = 0;
    osg::Matrixd m_currentViewMatrix;
    osg::Matrixd m_currentProjectionMatrix;
    osg::ref_ptr<osg::Group> m_cameraRoot;
    osg::ref_ptr<osg::Image> m_finalPoster;
    TileImages m_images;
    bool m_startRequested = false;
    std::size_t m_recorded = 0;
};
