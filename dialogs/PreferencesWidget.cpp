#include "dialogs/PreferencesWidget.h"

#include "common/Language.h"
#include "common/Prompts.h"

#include <QLocale>


PreferencesWidget::PreferencesWidget(QWidget* parent) : QDialog(parent), m_ui(new Ui_PreferencesWidgetClass)
{
    m_ui->setupUi(this);
}

PreferencesWidget::~PreferencesWidget()
{
    delete m_ui;
}

void PreferencesWidget::fillLanguageList()
{
    fillLanguageList(availableLanguages());
}

QString PreferencesWidget::languageText(const QString& display, const QString& code)
{
    // The names of the languages the program ships; others keep Qt's English name.
    static const char* const shipped[] = {QT_TR_NOOP("Chinese"), QT_TR_NOOP("English")};
    Q_UNUSED(shipped);
    const QString name = QLocale::languageToString(QLocale(code).language());
    if (!display.startsWith(name))
        return display;
    return tr(name.toUtf8().constData()) + display.mid(name.size());
}

void PreferencesWidget::fillLanguageList(const QMap<QString, QString>& languages)
{
    QComboBox* box = m_ui->comboBoxLanguage;
    box->clear();
    m_ui->labelDetectedLanguage->setText(tr("detected language: %1").arg(QLocale::system().name().left(2)));
    box->addItem(tr("Automatic detection"), QStringLiteral("auto"));
    box->addItem(tr("Default (no use of translation files)"), QStringLiteral("default"));
    // QMap keeps its keys in ascending order: the display texts come sorted. Each language is named in
    // the interface's own language where a translation knows its name.
    for (auto it = languages.constBegin(); it != languages.constEnd(); ++it)
        box->addItem(languageText(it.key(), it.value()), it.value());
    const int current = box->findData(currentLanguage);
    box->setCurrentIndex(current >= 0 ? current : 0);
}

void PreferencesWidget::on_comboBoxLanguage_activated(int index)
{
    const QString code = m_ui->comboBoxLanguage->itemData(index, Qt::UserRole).toString();
    if (code == currentLanguage)
        return;
    currentLanguage = code;
    const QMessageBox::StandardButton answer = Prompts::get().question(
        this, QStringLiteral("NerioViewer"),
        tr("The application need to restart in order to take into account new translation\n"
           ", Do you want to restart application now ?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    emit accepted();
    emit restart();
}
