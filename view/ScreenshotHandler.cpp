#include "view/ScreenshotHandler.h"

ScreenshotHandler::ScreenshotHandler(const std::string& format, const std::string& baseName)
    : m_baseName(baseName), m_extension(format)
{
}

void ScreenshotHandler::operator()(const osg::Image& image, const unsigned int)
{
    // The copy keeps the image alive past the frame.
    m_image = new osg::Image(image, osg::CopyOp::DEEP_COPY_ALL);
    emit newScreenshotAvailable(m_image.get());
}
