#pragma once

#include <osgViewer/ViewerBase>

#include <QTest>

namespace nerio_test {

// Waits until the viewer has drawn `frames` more frames (or the timeout ran out). Input reaches the
// manipulator only in a frame's event traversal, so fixed sleeps are not enough on a loaded machine.
inline bool waitFrames(osgViewer::ViewerBase& viewer, int frames = 2, int timeoutMs = 5000)
{
    const auto start = viewer.getViewerFrameStamp() ? viewer.getViewerFrameStamp()->getFrameNumber() : 0;
    return QTest::qWaitFor(
        [&] {
            const auto* stamp = viewer.getViewerFrameStamp();
            return stamp && stamp->getFrameNumber() >= start + unsigned(frames);
        },
        timeoutMs);
}

} // namespace nerio_test
