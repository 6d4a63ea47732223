#pragma once

#include "app/ObjectLoader.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>

namespace nerio_test {

// The ends of the loader's saves, recorded on the test's thread. The loader emits from its own thread:
// a QSignalSpy would be filled there while the test reads it here.
struct SaveEnds : QObject
{
    int finished = 0;
    QStringList failedPaths;

    explicit SaveEnds(ObjectLoader* loader)
    {
        connect(loader, &ObjectLoader::saveFileFinish, this, [this] { ++finished; });
        connect(loader, &ObjectLoader::saveFileFailed, this,
                [this](const QString& path, const QString&) { failedPaths << path; });
    }
    // Delivers what the loader has already sent.
    void deliver() { QCoreApplication::sendPostedEvents(this); }
};

} // namespace nerio_test
