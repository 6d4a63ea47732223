#pragma once

#include <osg/Image>
#include <osgViewer/ViewerEventHandlers>

#include <QObject>

#include <string>

// Receives the images that the screen-capture handler grabs and publishes each one as a signal.
// Nothing is written to disk here.
class ScreenshotHandler : public QObject, public osgViewer::ScreenCaptureHandler::CaptureOperation
{
    Q_OBJECT
public:
    ScreenshotHandler(const std::string& format, const std::string& baseName);

    void operator()(const osg::Image& image, const unsigned int context_id) override;

    osg::Image* lastImage() const { return m_image.get(); }

signals:
    void newScreenshotAvailable(osg::Image* image);

private:
    std::string m_baseName;
    std::string m_extension;
    osg::ref_ptr<osg::Image> m_image;
};
