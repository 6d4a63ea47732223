#include <gtest/gtest.h>
#include <QSettings>
#include "support/TestSupport.h"

TEST(Smoke, SettingsAreRedirected)
{
    QSettings s("Nerio3dViewer", "NerioViewer");
    EXPECT_TRUE(s.fileName().startsWith(nerio_test::scratchDir())) << s.fileName().toStdString();
}
