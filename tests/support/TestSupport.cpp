#include "TestSupport.h"

#include <QGuiApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

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

bool waitQueued(int timeoutMs)
{
    // A zero timer fires after the events posted and the zero timers started before it.
    auto reached = std::make_shared<bool>(false);
    QTimer::singleShot(0, [reached] { *reached = true; });
    return QTest::qWaitFor([&] { return *reached; }, timeoutMs);
}

} // namespace nerio_test
