#include "view/ScreenshotHandler.h"

#include "vantor/util/LogHandler.h"

ScreenshotHandler::ScreenshotHandler(const std::string& format, const std::string& baseName)
    : m_baseName(baseName), m_extension(format)
{
}

void ScreenshotHandler::operator()(const osg::Image& image, const unsigned int)
{
    // The copy keeps the image alive past the frame; the previous one goes with it.
    m_image = new osg::Image(image, osg::CopyOp::DEEP_COPY_ALL);
    emit newScreenshotAvailable(m_image.get());
    Vantor::LogHandler::getInstance()->reportDebug(QStringLiteral("newScreenshotAvailable"));
}
