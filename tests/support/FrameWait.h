#pragma once

#include "view/OsgWidget.h"

#include <osgViewer/ViewerBase>

#include <QTest>

namespace nerio_test {

// Waits until the viewer has drawn `frames` more frames (or the timeout ran out). Input reaches the
// manipulator only in a frame's event traversal, so fixed sleeps are not enough on a loaded machine.
// The view draws on demand: the wait asks for the frames it waits for.
inline bool waitFrames(osgViewer::ViewerBase& viewer, int frames = 2, int timeoutMs = 5000)
{
    const auto start = viewer.getViewerFrameStamp() ? viewer.getViewerFrameStamp()->getFrameNumber() : 0;
    auto* widget = dynamic_cast<OsgWidget*>(&viewer);
    return QTest::qWaitFor(
        [&] {
            const auto* stamp = viewer.getViewerFrameStamp();
            if (stamp && stamp->getFrameNumber() >= start + unsigned(frames))
                return true;
            if (widget)
                widget->requestFrame();
            return false;
        },
        timeoutMs);
}

// Waits until the view has stopped asking for frames (its repaint timer rests).
inline bool waitUntilResting(OsgWidget& widget, int timeoutMs = 5000)
{
    return QTest::qWaitFor([&] { return !widget.isPacing() && !widget.checkNeedToDoFrame(); }, timeoutMs);
}

} // namespace nerio_test
