#include "dialogs/PreferencesWidget.h"

#include "common/Language.h"
#include "common/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QSpacerItem>

namespace {

QGridLayout* grid(QWidget* parent, const char* name)
{
    auto* layout = new QGridLayout(parent);
    layout->setObjectName(QString::fromLatin1(name));
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);
    return layout;
}

QCheckBox* checkBox(QWidget* parent, const char* name)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

void Ui_PreferencesWidgetClass::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("PreferencesWidgetClass"));
    dialog->resize(643, 297);
    gridLayout_3 = grid(dialog, "gridLayout_3");

    groupBox = new QGroupBox(dialog);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    gridLayout = grid(groupBox, "gridLayout");
    checkBoxSplashscreenAtStartup = checkBox(groupBox, "checkBoxSplashscreenAtStartup");
    gridLayout->addWidget(checkBoxSplashscreenAtStartup, 0, 0, 1, 3);
    gridLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 0);
    checkBoxSplashscreenTransparentBackground = checkBox(groupBox, "checkBoxSplashscreenTransparentBackground");
    checkBoxSplashscreenTransparentBackground->setChecked(true);
    checkBoxSplashscreenTransparentBackground->setEnabled(false);
    gridLayout->addWidget(checkBoxSplashscreenTransparentBackground, 1, 1, 1, 2);
    checkBoxWatermark = checkBox(groupBox, "checkBoxWatermark");
    checkBoxWatermark->setChecked(true);
    gridLayout->addWidget(checkBoxWatermark, 2, 0, 1, 3);
    gridLayout_3->addWidget(groupBox, 0, 0);

    buttonBox = new QDialogButtonBox(dialog);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setOrientation(Qt::Vertical);
    buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    gridLayout_3->addWidget(buttonBox, 0, 1);

    groupBoxLang = new QGroupBox(dialog);
    groupBoxLang->setObjectName(QStringLiteral("groupBoxLang"));
    gridLayout_14 = grid(groupBoxLang, "gridLayout_14");
    comboBoxLanguage = new QComboBox(groupBoxLang);
    comboBoxLanguage->setObjectName(QStringLiteral("comboBoxLanguage"));
    gridLayout_14->addWidget(comboBoxLanguage, 0, 0);
    labelDetectedLanguage = new QLabel(groupBoxLang);
    labelDetectedLanguage->setObjectName(QStringLiteral("labelDetectedLanguage"));
    labelDetectedLanguage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    gridLayout_14->addWidget(labelDetectedLanguage, 0, 1);
    gridLayout_3->addWidget(groupBoxLang, 1, 0);

    groupBox_2 = new QGroupBox(dialog);
    groupBox_2->setObjectName(QStringLiteral("groupBox_2"));
    gridLayout_2 = grid(groupBox_2, "gridLayout_2");
    checkBoxTrackballHelper = checkBox(groupBox_2, "checkBoxTrackballHelper");
    gridLayout_2->addWidget(checkBoxTrackballHelper, 0, 0);
    checkBoxInverseMouseWheel = checkBox(groupBox_2, "checkBoxInverseMouseWheel");
    gridLayout_2->addWidget(checkBoxInverseMouseWheel, 1, 0);
    gridLayout_3->addWidget(groupBox_2, 2, 0);
    gridLayout_3->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 3, 0);

    retranslateUi(dialog);
    QObject::connect(buttonBox, SIGNAL(accepted()), dialog, SLOT(accept()));
    QObject::connect(buttonBox, SIGNAL(rejected()), dialog, SLOT(reject()));
    QObject::connect(checkBoxSplashscreenAtStartup, SIGNAL(toggled(bool)), checkBoxSplashscreenTransparentBackground,
                     SLOT(setEnabled(bool)));
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_PreferencesWidgetClass::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("Preferences"));
    groupBox->setTitle(tr(" Preferences "));
    checkBoxSplashscreenAtStartup->setText(tr("Display splashscreen at startup"));
    checkBoxSplashscreenTransparentBackground->setText(tr("Splashscreen with transparent background"));
    checkBoxWatermark->setText(tr("Add watermark to snapshot"));
    groupBoxLang->setTitle(tr("Language"));
    labelDetectedLanguage->setText(tr("Detected language ..."));
    groupBox_2->setTitle(tr("Command"));
    checkBoxTrackballHelper->setText(tr("Display trackball helper"));
    checkBoxInverseMouseWheel->setText(tr("inverse mouse wheel"));

    for (QCheckBox* box : {checkBoxSplashscreenAtStartup, checkBoxSplashscreenTransparentBackground, checkBoxWatermark,
                           checkBoxTrackballHelper, checkBoxInverseMouseWheel})
        box->setAccessibleName(box->text());
    comboBoxLanguage->setAccessibleName(groupBoxLang->title());
}

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
