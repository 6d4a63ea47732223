#include <gtest/gtest.h>

#include "app/AboutDialog.h"
#include "common/AppSettings.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPixmap>
#include <QTest>

static void initResources()
{
    Q_INIT_RESOURCE(VantorViewer);
}

TEST(AppSettings, WhatOneObjectWritesAnotherReadsBack)
{
    {
        AppSettings writer(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
        EXPECT_TRUE(writer.fileName().startsWith(nerio_test::scratchDir()));
        EXPECT_TRUE(writer.inherits("AppSettings"));
        writer.beginGroup(QStringLiteral("Application"));
        writer.setValue(QStringLiteral("currentLanguage"), QStringLiteral("zh"));
        writer.setValue(QStringLiteral("recentFiles"), QStringList{QStringLiteral("/模型/a.dazo"), QStringLiteral("b.dazo")});
        writer.endGroup();
    }
    AppSettings reader(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
    reader.beginGroup(QStringLiteral("Application"));
    EXPECT_EQ(reader.value(QStringLiteral("currentLanguage")).toString(), QStringLiteral("zh"));
    EXPECT_EQ(reader.value(QStringLiteral("recentFiles")).toStringList(),
              (QStringList{QStringLiteral("/模型/a.dazo"), QStringLiteral("b.dazo")}));
    reader.endGroup();
}

TEST(AboutDialog, ShowsTheIconScaledAndItsTexts)
{
    initResources();
    AboutDialog dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("AboutDialogClass"));
    EXPECT_TRUE(dialog.isModal());

    auto* icon = dialog.findChild<QLabel*>(QStringLiteral("label_3"));
    auto* text = dialog.findChild<QLabel*>(QStringLiteral("label"));
    ASSERT_TRUE(icon && text);
    ASSERT_FALSE(icon->pixmap(Qt::ReturnByValue).isNull()) << "icon resource not found";
    EXPECT_TRUE(text->text().contains(QStringLiteral("Nerio3d")));
    EXPECT_TRUE(text->text().contains(AboutDialog::versionText()));
    EXPECT_TRUE(text->text().contains(AboutDialog::buildText()));
    EXPECT_FALSE(text->text().contains(QStringLiteral("%1")) || text->text().contains(QStringLiteral("%2")));
    EXPECT_EQ(AboutDialog::versionText(), QStringLiteral(NERIO_PROJECT_VERSION));
    EXPECT_FALSE(AboutDialog::buildText().isEmpty());

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(text->isVisible());
    EXPECT_GE(icon->width(), 150);
    EXPECT_GE(icon->height(), 150);
    // The icon fills the label: its blue frame reaches close to the label's left edge.
    const QImage shot = icon->grab().toImage();
    const QColor edge = shot.pixelColor(shot.width() / 20, shot.height() / 2);
    EXPECT_GT(edge.blue(), edge.red() + 60) << edge.name().toStdString();
}
