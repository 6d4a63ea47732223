#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Settings go to a scratch folder before anything can read a real user's.
    const QByteArray scratch = nerio_test::scratchDir().toUtf8();
    setenv("XDG_CONFIG_HOME", (scratch + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (scratch + "/data").constData(), 1);
    if (!getenv("DISPLAY") && !getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(scratch + "/settings"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromUtf8(scratch + "/settings"));

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
