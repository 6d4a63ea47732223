#include "TestSupport.h"

#include <QGuiApplication>
#include <QDir>
#include <QTemporaryDir>

namespace nerio_test {

QString scratchDir()
{
    static QTemporaryDir dir(QDir::tempPath() + "/nerio-test-XXXXXX");
    return dir.path();
}

bool hasDisplay()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace nerio_test
