#include "view/PrintPosterHandler.h"

#include <osgDB/DatabasePager>
#include <osgDB/WriteFile>
#include <osgViewer/View>

#include <cstring>
#include <iostream>
#include <new>
#include <sstream>

PrintPosterHandler::PrintPosterHandler() = default;

PrintPosterHandler::~PrintPosterHandler() = default;

bool PrintPosterHandler::isComplete() const
{
    const std::size_t total = std::size_t(m_tileRows) * std::size_t(m_tileColumns);
    return !m_startRequested && !m_isRunning && m_isFinishing && m_images.empty() && total > 0 && m_recorded == total;
}

bool PrintPosterHandler::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (ea.getEventType() != osgGA::GUIEventAdapter::FRAME)
        return false;
    auto* view = dynamic_cast<osgViewer::View*>(&aa);
    if (!view)
        return false;

    if (m_startRequested) {
        m_tileRows = m_tileHeight > 0.0f ? int(m_posterHeight / m_tileHeight) : 0;
        m_tileColumns = m_tileWidth > 0.0f ? int(m_posterWidth / m_tileWidth) : 0;
        m_currentRow = 0;
        m_currentColumn = 0;
        m_cameraIndex = m_cameraRoot.valid() ? m_cameraRoot->getNumChildren() : 0;
        m_currentViewMatrix = view->getCamera()->getViewMatrix();
        m_currentProjectionMatrix = view->getCamera()->getProjectionMatrix();
        m_images.clear();
        m_recorded = 0;
        m_isRunning = m_tileRows > 0 && m_tileColumns > 0 && m_cameraRoot.valid();
        m_isFinishing = false;
        m_startRequested = false;
    }

    // Wait while pages of the scene are still being loaded.
    osgDB::DatabasePager* pager = view->getDatabasePager();
    if (pager && pager->getRequestsInProgress())
        return false;

    const unsigned int frame = view->getFrameStamp() ? view->getFrameStamp()->getFrameNumber() : 0;
    if (m_isFinishing && frame % 2 == 0)
        recordImages();
    if (!m_isRunning || frame % 2 != 0)
        return false;

    recordImages();
    while (m_cameraIndex > 0) {
        --m_cameraIndex;
        auto* camera = dynamic_cast<osg::Camera*>(m_cameraRoot->getChild(m_cameraIndex));
        if (!camera)
            break;
        std::cout << "Binding sub-camera " << m_currentRow << "_" << m_currentColumn << " to image..." << std::endl;
        bindCameraToImage(camera, m_currentRow, m_currentColumn);
        if (m_currentColumn < m_tileColumns - 1) {
            ++m_currentColumn;
        } else if (m_currentRow >= m_tileRows - 1) {
            m_isRunning = false;
            m_isFinishing = true;
            std::cout << "Sub-cameras dispatching finished." << std::endl;
            break;
        } else {
            m_currentColumn = 0;
            ++m_currentRow;
        }
    }
    m_cameraIndex = m_cameraRoot->getNumChildren();
    return false;
}

void PrintPosterHandler::bindCameraToImage(osg::Camera* camera, int row, int column)
{
    std::stringstream name;
    name << "image_" << row << "_" << column;

    osg::ref_ptr<osg::Image> image = allocateImage(int(m_tileWidth), int(m_tileHeight));
    if (!image) {
        // Without a tile image the camera draws nothing to record; the run then never completes.
        camera->setNodeMask(0);
        return;
    }
    camera->setNodeMask(~0u);
    image->setName(name.str());
    m_images[TilePosition(row, column)] = image;

    const osg::Matrixd offset =
        osg::Matrixd::scale(m_tileColumns, m_tileRows, 1.0)
        * osg::Matrixd::translate(m_tileColumns - 1 - 2 * column, m_tileRows - 1 - 2 * row, 0.0);
    camera->setViewMatrix(m_currentViewMatrix);
    camera->setProjectionMatrix(m_currentProjectionMatrix * offset);
    camera->setRenderingCache(nullptr);
    camera->detach(osg::Camera::COLOR_BUFFER);
    camera->attach(osg::Camera::COLOR_BUFFER, image.get(), 0, 0);
}

void PrintPosterHandler::recordImages()
{
    for (const auto& entry : m_images) {
        const osg::Image* tile = entry.second.get();
        if (m_finalPoster.valid() && copyTile(*tile, entry.first.first, entry.first.second, *m_finalPoster))
            ++m_recorded;
        if (m_outputTiles && !tile->getName().empty())
            osgDB::writeImageFile(*tile, tile->getName() + "." + m_tileExtension);
    }
    m_images.clear();
}

bool PrintPosterHandler::copyTile(const osg::Image& tile, int row, int column, osg::Image& poster)
{
    auto isRgba8 = [](const osg::Image& image) {
        return image.data() && image.getPixelFormat() == GL_RGBA && image.getDataType() == GL_UNSIGNED_BYTE;
    };
    if (!isRgba8(tile) || !isRgba8(poster) || row < 0 || column < 0)
        return false;
    const int x0 = column * tile.s();
    const int y0 = row * tile.t();
    if (x0 >= poster.s() || y0 >= poster.t())
        return true;
    const int width = std::min(tile.s(), poster.s() - x0);
    const int height = std::min(tile.t(), poster.t() - y0);
    for (int t = 0; t < height; ++t)
        std::memcpy(poster.data(unsigned(x0), unsigned(y0 + t)), tile.data(0, unsigned(t)), std::size_t(width) * 4);
    return true;
}

osg::ref_ptr<osg::Image> PrintPosterHandler::allocateImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    auto* data = new (std::nothrow) unsigned char[bytes];
    if (!data)
        return nullptr;
    std::memset(data, 0, bytes);
    osg::ref_ptr<osg::Image> image = new osg::Image;
    image->setImage(width, height, 1, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE, data, osg::Image::USE_NEW_DELETE, 1);
    return image;
}
