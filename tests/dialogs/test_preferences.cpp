#include "SettingsFixtures.h"

#include "app/MainWindow.h"
#include "dialogs/PreferencesWidget.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>

using namespace settings_test;

namespace {

const QMap<QString, QString> kLanguages{{"French (fr)", "fr"}, {"Chinese (zh)", "zh"}};

QStringList entries(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemData(i).toString();
    return out;
}

} // namespace

TEST(PreferencesWidget, LanguageListAndSelection)
{
    PreferencesWidget dialog;
    QComboBox* box = dialog.ui()->comboBoxLanguage;
    struct Case
    {
        const char* current;
        int selected;
    };
    for (const Case& c : {Case{"fr", 3}, Case{"zh", 2}, Case{"default", 1}, Case{"auto", 0}, Case{"xx", 0}, Case{"", 0}}) {
        dialog.currentLanguage = c.current;
        dialog.fillLanguageList(kLanguages);
        // Automatic and default first, then the translations by display text.
        EXPECT_EQ(entries(box), (QStringList{"auto", "default", "zh", "fr"})) << c.current;
        EXPECT_EQ(box->currentIndex(), c.selected) << c.current;
    }
    EXPECT_EQ(box->itemText(0), "Automatic detection");
    EXPECT_TRUE(dialog.ui()->labelDetectedLanguage->text().startsWith("detected language: "));
}

TEST(PreferencesWidget, RestartQuestionGoesThroughThePrompt)
{
    struct Case
    {
        const char* name;
        int chosen;
        QMessageBox::StandardButton answer;
        int questions;
        const char* language;
        int restarts;
    };
    const Case cases[] = {
        {"same language", 3, QMessageBox::Yes, 0, "fr", 0},
        {"other, no", 2, QMessageBox::No, 1, "zh", 0},
        {"other, yes", 1, QMessageBox::Yes, 1, "default", 1},
    };
    for (const Case& c : cases) {
        ScriptedPrompts prompts;
        prompts.answer = c.answer;
        PreferencesWidget dialog;
        dialog.currentLanguage = "fr";
        dialog.fillLanguageList(kLanguages);
        QSignalSpy restart(&dialog, SIGNAL(restart()));
        QSignalSpy accepted(&dialog, SIGNAL(accepted()));
        emit dialog.ui()->comboBoxLanguage->activated(c.chosen);
        EXPECT_EQ(prompts.questions.size(), c.questions) << c.name;
        EXPECT_EQ(dialog.currentLanguage, c.language) << c.name;
        EXPECT_EQ(restart.count(), c.restarts) << c.name;
        EXPECT_EQ(accepted.count(), c.restarts) << c.name;
    }
}

TEST(PreferencesWidget, SplashCheckBoxEnablesTheTransparentOne)
{
    PreferencesWidget dialog;
    dialog.ui()->checkBoxSplashscreenAtStartup->setChecked(true);
    EXPECT_TRUE(dialog.ui()->checkBoxSplashscreenTransparentBackground->isEnabled());
    dialog.ui()->checkBoxSplashscreenAtStartup->setChecked(false);
    EXPECT_FALSE(dialog.ui()->checkBoxSplashscreenTransparentBackground->isEnabled());
}

TEST(PreferencesWindow, AcceptedChoicesBecomeTheWindows)
{
    ConfigFolder folder;
    ScriptedPrompts prompts;
    prompts.answer = QMessageBox::No;
    MainWindow w;
    w.showPreferences();
    PreferencesWidget* dialog = w.preferencesWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->ui()->checkBoxWatermark->isChecked(), w.watermark());
    EXPECT_EQ(dialog->currentLanguage, w.currentLanguage());

    dialog->ui()->checkBoxWatermark->setChecked(!w.watermark());
    const bool watermark = !w.watermark();
    dialog->currentLanguage = "default"; // as a "No" to the restart question leaves it
    dialog->accept();
    EXPECT_EQ(w.watermark(), watermark);
    EXPECT_EQ(w.currentLanguage(), "default");

    // Cancel discards: the next opening shows the window's values again.
    w.showPreferences();
    dialog->ui()->checkBoxWatermark->setChecked(!watermark);
    dialog->reject();
    EXPECT_EQ(w.watermark(), watermark);
    w.showPreferences();
    EXPECT_EQ(dialog->ui()->checkBoxWatermark->isChecked(), watermark);
}
