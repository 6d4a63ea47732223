#pragma once

#include "ui_PreferencesWidget.h"

#include <QDialog>
#include <QMap>
#include <QString>

// The small preferences dialog: splash screen, snapshot watermark, mouse wheel, trackball helper and the
// interface language. It keeps nothing itself: the main window fills it before showing it and reads it
// back when it is accepted.
class PreferencesWidget : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesWidget(QWidget* parent = nullptr);
    ~PreferencesWidget() override;

    Ui_PreferencesWidgetClass* ui() const { return m_ui; }

    // "auto", "default" or a translation's language code.
    QString currentLanguage;

    // Refills the language list from the installed translations and selects the current language.
    void fillLanguageList();
    // The same from a map of display text to language code.
    void fillLanguageList(const QMap<QString, QString>& languages);

    // A language's entry: its display text with the language's name translated.
    static QString languageText(const QString& display, const QString& code);

signals:
    // The user agreed to restart for a new language.
    void restart();

public slots:
    void on_comboBoxLanguage_activated(int index);

private:
    Ui_PreferencesWidgetClass* m_ui;
};
