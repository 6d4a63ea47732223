#include "SettingsFixtures.h"
#include "support/FrameWait.h"
#include "support/TestSupport.h"

#include "app/MainWindow.h"
#include "view/CToolkit.h"
#include "dialogs/ColorCombox.h"
#include "dialogs/SystemSettingForm.h"
#include "view/ISelectionDecorator.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "osgqt/FrameGrab.h"
#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/measure/Measure.h"
#include "vantor/note/Note.h"
#include "vantor/section/Section.h"
#include "vantor/section/SectionManager.h"
#include "vantor/util/LogHandler.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <cstdlib>
#include <map>
#include <memory>

using namespace settings_test;

namespace {

// One spy per signal of the dialog, by signal name.
struct SignalSpies
{
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
    explicit SignalSpies(SystemSetting* dialog)
    {
        const QMetaObject* meta = dialog->metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod m = meta->method(i);
            if (m.methodType() == QMetaMethod::Signal)
                spies[QString::fromLatin1(m.name())] = std::make_unique<QSignalSpy>(dialog, m);
        }
    }
    QStringList fired() const
    {
        QStringList names;
        for (const auto& s : spies)
            if (s.second->count() > 0)
                names << s.first;
        names.sort();
        return names;
    }
    void clear()
    {
        for (auto& s : spies)
            s.second->clear();
    }
    QList<QVariant> last(const QString& name) const { return spies.at(name)->last(); }
};

QStringList keysInFile(const QByteArray& text)
{
    QStringList keys;
    for (const QByteArray& line : text.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            keys << QString::fromLatin1(line.left(eq));
    }
    return keys;
}

SystemSettingValues unusual()
{
    SystemSettingValues v = SystemSetting::defaults();
    v.backColorBegin = QColor(1, 2, 3);
    v.fontColor = QColor(7, 8, 9);
    v.markColor = QColor(10, 11, 12);
    v.sectionColor = QColor(13, 14, 15);
    v.contactpairColor = QColor(16, 17, 18);
    v.collisionColor = QColor(19, 20, 21);
    v.preselectionColor = QColor(22, 23, 24);
    v.sectionShow = false;
    v.selectionColor = QColor(25, 26, 27);
    v.breakroundTransparent = true;
    v.fExactvalue = 5.0f;
    v.unitType = 2;
    v.nFontSize = 33;
    v.sectionTransparent = 77;
    v.PMI = false;
    v.loadEdge = false;
    v.faceMerge = true;
    v.logOpened = false; // a log file would go into the odd folder below
    v.logPath = QString::fromUtf8("@日志a,b;\"c\\d ");
    v.logLevel = 3;
    v.gridShow = true;
    v.gridColor = QColor(28, 29, 30);
    v.infoShow = false;
    v.allowPreSelected = false;
    v.allowMultiSelected = false;
    v.nRoamHumanHeight = 321;
    v.smartSelectBodyLength = false;
    v.smallFeatureCulling = 42;
    v.quickAccess = QStringList{"C", "Relation_Collision List", "A"};
    return v;
}

// Puts the values into the dialog's controls, as a user would.
void enter(SystemSetting& s, const SystemSettingValues& v)
{
    Ui_SystemSettingWidget& ui = *s.form();
    for (const char* key : {"backColorBegin", "fontColor", "markColor", "sectionColor", "contactpairColor",
                            "collisionColor", "preselectionColor", "selectionColor", "gridColor"}) {
        const QColor c = key == QLatin1String("backColorBegin")     ? v.backColorBegin
                         : key == QLatin1String("fontColor")        ? v.fontColor
                         : key == QLatin1String("markColor")        ? v.markColor
                         : key == QLatin1String("sectionColor")     ? v.sectionColor
                         : key == QLatin1String("contactpairColor") ? v.contactpairColor
                         : key == QLatin1String("collisionColor")   ? v.collisionColor
                         : key == QLatin1String("preselectionColor") ? v.preselectionColor
                         : key == QLatin1String("selectionColor")   ? v.selectionColor
                                                                    : v.gridColor;
        s.colorButton(key)->setColor(c);
    }
    ui.checkBox->setChecked(v.breakroundTransparent);
    ui.spinBox->setValue(int(v.fExactvalue));
    ui.comboBox->setCurrentIndex(v.unitType);
    ui.spinBox1->setValue(v.nFontSize);
    ui.checkBox_5->setChecked(v.sectionShow);
    ui.sectionSlider->setValue(v.sectionTransparent);
    ui.checkBox_PMI->setChecked(v.PMI);
    ui.checkBox_6->setChecked(v.loadEdge);
    ui.checkBox_7->setChecked(v.faceMerge);
    ui.logOpencheckBox->setChecked(v.logOpened);
    ui.PathlineEdit->setText(v.logPath);
    ui.logLevelcomboBox->setCurrentIndex(v.logLevel);
    ui.checkBox_2->setChecked(v.gridShow);
    ui.checkBox_3->setChecked(v.infoShow);
    ui.AllowPreSelected_CheckBox->setChecked(v.allowPreSelected);
    ui.AllowMultiSelected_CheckBox->setChecked(v.allowMultiSelected);
    ui.spinBox_2->setValue(v.nRoamHumanHeight);
    ui.checkBox_4->setChecked(v.smartSelectBodyLength);
    ui.spinBox_3->setValue(v.smallFeatureCulling);
    s.fillQuickAccessLists(v.quickAccess);
}

void press(QPushButton* button)
{
    emit button->pressed();
}

const QStringList kActionKeys{"A", "B", "C", "Relation_Collision List"};

// The defaults as an OK with kActionKeys stores them: tool-strip keys without an action are dropped.
SystemSettingValues defaultsWithTestActions()
{
    SystemSettingValues v = SystemSetting::defaults();
    QStringList kept;
    for (const QString& key : v.quickAccess)
        if (kActionKeys.contains(key))
            kept << key;
    v.quickAccess = kept;
    return v;
}

} // namespace

// ---- The file ----

TEST(SystemSettingFile, NoFileGivesDefaultsAndWritesNothing)
{
    ConfigFolder folder;
    Vantor::Note::fontSize = 99;
    Vantor::MeasureMethod::unitType = 2;
    Vantor::NerioViewerManipulatorState::SmallFeatureCullSize = 77.0f;
    Vantor::LogHandler::getInstance()->setMessageLevel(4);

    SystemSetting s;
    SignalSpies spies(&s);
    s.readConfig();

    EXPECT_TRUE(s.values() == SystemSetting::defaults());
    EXPECT_FALSE(QFile::exists(folder.path()));
    // Every default is in effect.
    EXPECT_EQ(Vantor::Note::fontSize, 14);
    EXPECT_EQ(Vantor::MeasureMethod::unitType, 0);
    EXPECT_EQ(Vantor::MeasureMethod::exactvalue, 2.0);
    EXPECT_EQ(Vantor::NerioViewerManipulatorState::SmallFeatureCullSize, 10.0f);
    EXPECT_EQ(Vantor::LogHandler::getInstance()->messageLevel(), 0);
    EXPECT_FALSE(Vantor::LogHandler::getInstance()->m_logToFile);
    EXPECT_EQ(Vantor::Section::getTransparent(), 0.2f);
    EXPECT_EQ(spies.last("breakroundColorChanged").at(0).value<QColor>(), QColor("#b4b4b4"));
    EXPECT_EQ(spies.last("RoamHumanHeightChanged").at(0).toInt(), 180);
    // The controls show the defaults too.
    EXPECT_EQ(s.colorButton("gridColor")->color(), QColor("#E6E6E6"));
    EXPECT_EQ(s.form()->spinBox1->value(), 14);
    EXPECT_EQ(s.form()->sectionSlider->value(), 20);
}

TEST(SystemSettingFile, EveryKeyRoundTripsInTableOrder)
{
    ConfigFolder folder;
    {
        ActionsSetting s(kActionKeys);
        s.readConfig();
        enter(s, unusual());
        s.markLineWidthBox()->setValue(4);
        press(s.form()->OK_Button);
        EXPECT_TRUE(s.values() == unusual());
    }
    const QByteArray text = folder.read();
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.startsWith("[SystemSetting]\n"));
    const QStringList expectedOrder{
        "backColorBegin", "backColorEnd", "fontColor", "markColor", "sectionColor", "contactpairColor",
        "collisionColor", "preselectionColor", "sectionShow", "selectionColor", "breakroundTransparent",
        "fExactvalue", "unitType", "nFontSize", "sectionTransparent", "PMI", "loadEdge", "faceMerge",
        "logOpened", "logPath", "logLevel", "gridShow", "gridColor", "infoShow", "allowPreSelected",
        "allowMultiSelected", "nRoamHumanHeight", "smartSelectBodyLength", "smallFeatureCulling",
        "objectiveActListCount", "number0", "number1", "number2"};
    EXPECT_EQ(keysInFile(text), expectedOrder);
    EXPECT_TRUE(text.contains("backColorBegin=4278256131\n")) << text.constData(); // rgba() of (1, 2, 3)
    EXPECT_TRUE(text.contains("fExactvalue=5\n"));
    // Plain ASCII, whatever the path holds.
    for (char c : text)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80u);

    // The line width is not kept in the file.
    ActionsSetting again(kActionKeys);
    again.readConfig();
    EXPECT_TRUE(again.values() == unusual());
    EXPECT_EQ(again.values().logPath, QString::fromUtf8("@日志a,b;\"c\\d "));
    EXPECT_EQ(again.markLineWidthBox()->value(), 1);
}

TEST(SystemSettingFile, WrittenNumbersIgnoreTheProcessLocale)
{
    ConfigFolder folder;
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German));
    folder.write("[SystemSetting]\nfExactvalue=2.5\n");
    SystemSetting s;
    s.readConfig();
    EXPECT_FLOAT_EQ(s.values().fExactvalue, 2.5f);
    EXPECT_EQ(s.form()->spinBox->value(), 2);
    // Unchanged, the fraction stays; the file says 2.5 with a point.
    SignalSpies spies(&s);
    press(s.form()->OK_Button);
    EXPECT_FALSE(spies.fired().contains("ExactvalueChanged"));
    EXPECT_TRUE(folder.read().contains("fExactvalue=2.5\n"));
    QLocale::setDefault(before);
}

TEST(SystemSettingFile, MissingKeysTakeDefaultsAndAreLogged)
{
    ConfigFolder folder;
    folder.write("[SystemSetting]\nnFontSize=20\nnRoamHumanHeight=0\nunitType=1\ngridShow=true\n"
                 "objectiveActListCount=0\n");
    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    log->setMessageLevel(0);
    log->startEmission(true);
    QSignalSpy messages(log, SIGNAL(newMessage(const QString&)));

    SystemSetting s;
    s.readConfig();

    SystemSettingValues expected = SystemSetting::defaults();
    expected.nFontSize = 20;
    expected.unitType = 1;
    expected.gridShow = true;
    expected.quickAccess.clear(); // a count of 0 is an empty tool strip
    EXPECT_TRUE(s.values() == expected);
    EXPECT_EQ(s.values().nRoamHumanHeight, 180);
    EXPECT_EQ(s.values().smallFeatureCulling, 10);

    QStringList texts;
    for (const QList<QVariant>& m : messages)
        texts << m.at(0).toString();
    const QString all = texts.join('\n');
    EXPECT_TRUE(all.contains("\"backColorBegin\" is missing")) << all.toStdString();
    EXPECT_TRUE(all.contains("\"smallFeatureCulling\" is missing"));
    EXPECT_FALSE(all.contains("\"nFontSize\""));
}

TEST(SystemSettingFile, DamagedValuesLoadClampedOrAsDefaults)
{
    struct Case
    {
        const char* line;
        std::function<bool(const SystemSettingValues&)> check;
    };
    const SystemSettingValues d = SystemSetting::defaults();
    const std::vector<Case> cases = {
        {"unitType=7", [](const SystemSettingValues& v) { return v.unitType == 2; }},
        {"logLevel=-3", [](const SystemSettingValues& v) { return v.logLevel == 0; }},
        {"sectionTransparent=250", [](const SystemSettingValues& v) { return v.sectionTransparent == 100; }},
        {"nFontSize=1000", [](const SystemSettingValues& v) { return v.nFontSize == 99; }},
        {"fExactvalue=1e9", [](const SystemSettingValues& v) { return v.fExactvalue == 99.0f; }},
        {"fExactvalue=nan", [&](const SystemSettingValues& v) { return v.fExactvalue == d.fExactvalue; }},
        {"nRoamHumanHeight=9999", [](const SystemSettingValues& v) { return v.nRoamHumanHeight == 500; }},
        {"smallFeatureCulling=-5", [](const SystemSettingValues& v) { return v.smallFeatureCulling == 1; }},
        {"nFontSize=big", [&](const SystemSettingValues& v) { return v.nFontSize == d.nFontSize; }},
        {"backColorBegin=blue", [&](const SystemSettingValues& v) { return v.backColorBegin == d.backColorBegin; }},
        {"fontColor=-1", [&](const SystemSettingValues& v) { return v.fontColor == d.fontColor; }},
        {"markColor=99999999999", [&](const SystemSettingValues& v) { return v.markColor == d.markColor; }},
        {"sectionShow=maybe", [](const SystemSettingValues& v) { return v.sectionShow; }},
        {"faceMerge=1", [](const SystemSettingValues& v) { return v.faceMerge; }},
        {"objectiveActListCount=lots", [&](const SystemSettingValues& v) { return v.quickAccess == d.quickAccess; }},
        {"objectiveActListCount=-5", [](const SystemSettingValues& v) { return v.quickAccess.isEmpty(); }},
        {"objectiveActListCount=2147483647\nnumber0=A\nnumber1=B\nnumber3=D",
         [](const SystemSettingValues& v) { return v.quickAccess == QStringList{"A", "B"}; }},
    };
    for (const Case& c : cases) {
        ConfigFolder folder;
        folder.write(QByteArray("[SystemSetting]\n") + c.line + "\n");
        SystemSetting s;
        QElapsedTimer timer;
        timer.start();
        s.readConfig();
        EXPECT_LT(timer.elapsed(), 5000) << c.line;
        EXPECT_TRUE(c.check(s.values())) << c.line;
        // The controls agree with the values.
        EXPECT_EQ(s.form()->comboBox->currentIndex(), s.values().unitType) << c.line;
        EXPECT_EQ(s.form()->spinBox1->value(), s.values().nFontSize) << c.line;
        EXPECT_EQ(s.form()->spinBox_2->value(), s.values().nRoamHumanHeight) << c.line;
    }
}

TEST(SystemSettingFile, BinaryJunkLoadsAsDefaults)
{
    ConfigFolder folder;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) & 0xff);
    folder.write(junk);
    SystemSetting s;
    s.readConfig();
    EXPECT_TRUE(s.values() == SystemSetting::defaults());
}

// A pipe or a device in place of the settings file gives the defaults at once, with a logged reason,
// instead of holding the window; a save afterwards still writes a plain file.
TEST(SystemSettingFile, PipesAndHugeFilesLoadAsDefaults)
{
    ConfigFolder folder;
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.path()).constData(), 0600), 0);
    SystemSetting s;
    s.readConfig();
    EXPECT_TRUE(s.values() == SystemSetting::defaults());
    EXPECT_TRUE(s.saveConfig());
    EXPECT_TRUE(QFileInfo(folder.path()).isFile());

    QFile::remove(folder.path());
    folder.write("[SystemSetting]\nnFontSize=20\n" + QByteArray(2 << 20, ';'));
    s.readConfig();
    EXPECT_TRUE(s.values() == SystemSetting::defaults());

    ASSERT_TRUE(QFile::remove(folder.path()));
    ASSERT_TRUE(QFile::link("/dev/zero", folder.path()));
    s.readConfig();
    EXPECT_TRUE(s.values() == SystemSetting::defaults());
}

TEST(SystemSettingFile, FailedWriteIsReported)
{
    ConfigFolder folder;
    // A file where the folder should be: no one, root included, can write below it.
    const QString blocked = folder.dir.path() + "/blocked";
    {
        QFile f(blocked);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    SystemSetting::setConfigDirectory(blocked);
    ScriptedPrompts prompts;
    SystemSetting s;
    s.readConfig();
    EXPECT_FALSE(s.saveConfig());
    ASSERT_EQ(prompts.warnings.size(), 1);
    EXPECT_TRUE(prompts.warnings.first().contains(blocked + "/config.ini"));
    // OK still puts the values into effect and closes, and tells again.
    s.show();
    s.form()->spinBox1->setValue(30);
    press(s.form()->OK_Button);
    EXPECT_EQ(Vantor::Note::fontSize, 30);
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(prompts.warnings.size(), 2);
}

TEST(SystemSettingFile, OtherSectionsOfTheFileAreKept)
{
    ConfigFolder folder;
    folder.write("[Mine]\nfoo=bar\n\n[SystemSetting]\nnFontSize=20\nbackColorEnd=16909060\nnumber77=Old\n");
    SystemSetting s;
    s.readConfig();
    press(s.form()->OK_Button);
    const QByteArray text = folder.read();
    EXPECT_TRUE(text.contains("[Mine]\nfoo=bar")) << text.constData();
    EXPECT_EQ(text.count("[SystemSetting]"), 1);
    EXPECT_TRUE(text.contains("nFontSize=20\n"));
    EXPECT_TRUE(text.contains("backColorEnd=16909060\n")); // no control edits it: kept as stored
    EXPECT_FALSE(text.contains("number77"));
}

// ---- OK, Reset, Cancel ----

TEST(SystemSettingDialog, OkEmitsOnlyTheChangedValues)
{
    ConfigFolder folder;
    SystemSetting s;
    s.readConfig();
    SignalSpies spies(&s);

    press(s.form()->OK_Button);
    EXPECT_EQ(spies.fired(), QStringList{}) << spies.fired().join(",").toStdString();
    EXPECT_TRUE(QFile::exists(folder.path())); // the first OK writes the file

    struct Case
    {
        std::function<void(SystemSetting&)> edit;
        QStringList fired;
    };
    const std::vector<Case> cases = {
        {[](SystemSetting& d) { d.form()->spinBox1->setValue(30); }, {"FontSizeChanged"}},
        {[](SystemSetting& d) { d.colorButton("collisionColor")->setColor(Qt::red); }, {"CollisionColorChanged"}},
        {[](SystemSetting& d) { d.colorButton("contactpairColor")->setColor(Qt::blue); }, {"CollisionColorChanged"}},
        {[](SystemSetting& d) { d.markLineWidthBox()->setValue(3); }, {"markLineWidthChanged"}},
        {[](SystemSetting& d) {
             d.form()->checkBox_PMI->setChecked(false);
             d.form()->sectionSlider->setValue(50);
         },
         {"readPMIChanged", "sectionTransparentChanged"}},
        {[](SystemSetting& d) { d.form()->checkBox_2->setChecked(true); }, {}}, // the grid goes straight to the view
        {[](SystemSetting& d) { d.form()->checkBox_3->setChecked(false); }, {}}, // stored only
    };
    for (const Case& c : cases) {
        s.show();
        spies.clear();
        c.edit(s);
        press(s.form()->OK_Button);
        QStringList expected = c.fired;
        expected.sort();
        EXPECT_EQ(spies.fired(), expected) << expected.join(",").toStdString();
    }
    EXPECT_EQ(Vantor::SNote::m_markSize, 3);
}

TEST(SystemSettingDialog, CollisionColoursKeepOneOrderOnBothPaths)
{
    ConfigFolder folder;
    folder.write("[SystemSetting]\ncollisionColor=4294901760\ncontactpairColor=4278190335\n"); // red, blue
    MainWindow w;
    SystemSetting* s = w.systemSetting();
    osg::ref_ptr<Vantor::CollisionInfoDecorator> decorator = w.sceneView()->GetCollisionInfoDecoratorManager();
    // Start-up: the row "Contact pair color:" ("collisionColor") gives the pair colour.
    EXPECT_EQ(decorator->getCollisionpairColor(), osg::Vec4d(1, 0, 0, 1));
    EXPECT_EQ(decorator->getContactPointColor(), osg::Vec4d(0, 0, 1, 1));
    EXPECT_EQ(s->colorButton("collisionColor")->accessibleName(), "Contact pair color:");
    EXPECT_EQ(s->colorButton("contactpairColor")->accessibleName(), "Collision point color:");

    // OK after a change: the same order.
    s->show();
    s->colorButton("collisionColor")->setColor(Qt::green);
    press(s->form()->OK_Button);
    EXPECT_EQ(decorator->getCollisionpairColor(), osg::Vec4d(0, 1, 0, 1));
    EXPECT_EQ(decorator->getContactPointColor(), osg::Vec4d(0, 0, 1, 1));

    // Reset and OK: the defaults, in the same order.
    s->show();
    press(s->form()->Reset_Button);
    press(s->form()->OK_Button);
    const QColor pair("#63B8FF"), contact("#EEEE00");
    EXPECT_EQ(decorator->getCollisionpairColor(), osg::Vec4d(pair.red() / 255.0, pair.green() / 255.0, pair.blue() / 255.0, 1));
    EXPECT_EQ(decorator->getContactPointColor(),
              osg::Vec4d(contact.red() / 255.0, contact.green() / 255.0, contact.blue() / 255.0, 1));
}

TEST(SystemSettingDialog, ResetOkCancel)
{
    struct Case
    {
        const char* name;
        std::function<void(SystemSetting&)> steps;
        std::function<SystemSettingValues()> stored; // what is stored afterwards
    };
    const std::vector<Case> cases = {
        {"reset, cancel", [](SystemSetting& s) { press(s.form()->Reset_Button); press(s.form()->Cancel_Button); },
         [] { return unusual(); }},
        {"reset, OK", [](SystemSetting& s) { press(s.form()->Reset_Button); press(s.form()->OK_Button); },
         [] {
             return defaultsWithTestActions();
         }},
        {"reset, edit, OK",
         [](SystemSetting& s) {
             press(s.form()->Reset_Button);
             s.form()->spinBox1->setValue(50);
             press(s.form()->OK_Button);
         },
         [] {
             SystemSettingValues v = defaultsWithTestActions();
             v.nFontSize = 50;
             return v;
         }},
        {"edit, cancel", [](SystemSetting& s) { s.form()->spinBox1->setValue(50); press(s.form()->Cancel_Button); },
         [] { return unusual(); }},
        {"edit, close", [](SystemSetting& s) { s.form()->spinBox1->setValue(50); s.close(); },
         [] { return unusual(); }},
    };
    for (const Case& c : cases) {
        ConfigFolder folder;
        {
            ActionsSetting writer(kActionKeys);
            writer.readConfig();
            enter(writer, unusual());
            press(writer.form()->OK_Button);
        }
        ActionsSetting s(kActionKeys);
        s.readConfig();
        s.show();
        SignalSpies spies(&s);
        c.steps(s);
        EXPECT_TRUE(s.values() == c.stored()) << c.name;
        EXPECT_FALSE(s.isVisible()) << c.name;
        // Whatever happened, the controls show the stored values when it opens again, and an OK with
        // nothing edited changes nothing.
        s.show();
        EXPECT_EQ(s.form()->spinBox1->value(), s.values().nFontSize) << c.name;
        EXPECT_EQ(s.colorButton("backColorBegin")->color(), s.values().backColorBegin) << c.name;
        spies.clear();
        press(s.form()->OK_Button);
        EXPECT_EQ(spies.fired(), QStringList{}) << c.name;
        ActionsSetting reread(kActionKeys);
        reread.readConfig();
        EXPECT_TRUE(reread.values() == c.stored()) << c.name;
    }
}

TEST(SystemSettingDialog, ClearedInfoFlagStaysClearedThroughOk)
{
    ConfigFolder folder;
    SystemSetting s;
    s.readConfig();
    ASSERT_TRUE(s.infoShow());
    s.setInfoShow(false); // the keyframe editor's "do not ask again"
    EXPECT_FALSE(s.form()->checkBox_3->isChecked());
    s.show();
    press(s.form()->OK_Button);
    EXPECT_FALSE(s.infoShow());
    SystemSetting again;
    again.readConfig();
    EXPECT_FALSE(again.infoShow());
}

TEST(SystemSettingDialog, LogFolderIsChosenThroughThePrompt)
{
    ConfigFolder folder;
    ScriptedPrompts prompts;
    SystemSetting s;
    s.readConfig();
    s.show();
    prompts.directory = folder.dir.path();
    s.form()->selectpathButton->click();
    EXPECT_EQ(s.form()->PathlineEdit->text(), folder.dir.path());
    prompts.directory.clear(); // cancelled
    s.form()->selectpathButton->click();
    EXPECT_EQ(s.form()->PathlineEdit->text(), folder.dir.path());
    s.form()->logOpencheckBox->setChecked(true);
    s.form()->logLevelcomboBox->setCurrentIndex(3);
    press(s.form()->OK_Button);
    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    EXPECT_TRUE(log->m_logToFile);
    EXPECT_EQ(log->messageLevel(), 3);
    EXPECT_TRUE(log->logFilePath().startsWith(folder.dir.path() + "/"));
    SystemSetting again;
    again.readConfig();
    EXPECT_TRUE(again.values().logOpened);
    EXPECT_EQ(again.values().logPath, folder.dir.path());
    log->setLogToFile(false);
    log->m_logToFile = false;
}

// ---- The quick-access chooser ----

TEST(SystemSettingQuickAccess, ListsFollowTheActionsAndMoves)
{
    ConfigFolder folder;
    folder.write("[SystemSetting]\nobjectiveActListCount=3\nnumber0=B\nnumber1=Gone\nnumber2=A\n");
    ActionsSetting s(kActionKeys);
    s.readConfig();
    s.show();
    QListWidget* chosen = s.form()->objectCommandlistWidget;
    QListWidget* available = s.form()->AllCommandlistWidget;
    const auto keys = [](QListWidget* list) {
        QStringList k;
        for (int i = 0; i < list->count(); ++i)
            k << list->item(i)->data(Qt::UserRole).toString();
        return k;
    };
    EXPECT_EQ(keys(chosen), (QStringList{"B", "A"}));
    EXPECT_EQ(keys(available), (QStringList{"C", "Relation_Collision List"}));
    EXPECT_EQ(chosen->item(0)->text(), "Text of B");

    // No current item: nothing moves.
    available->setCurrentItem(nullptr);
    s.form()->addButtonR->click();
    EXPECT_EQ(chosen->count(), 2);

    available->setCurrentRow(0);
    s.form()->addButtonR->click();
    EXPECT_EQ(keys(chosen), (QStringList{"B", "A", "C"}));
    EXPECT_EQ(chosen->currentItem()->data(Qt::UserRole).toString(), "C");
    chosen->setCurrentRow(0);
    s.form()->removeButtonL->click();
    EXPECT_EQ(keys(chosen), (QStringList{"A", "C"}));
    EXPECT_EQ(keys(available), (QStringList{"Relation_Collision List", "B"}));

    QSignalSpy changed(&s, SIGNAL(QuickAccessChanged()));
    press(s.form()->OK_Button);
    EXPECT_EQ(changed.count(), 1);
    // The key that no action carries is gone.
    EXPECT_EQ(s.values().quickAccess, (QStringList{"A", "C"}));
}

TEST(SystemSettingQuickAccess, WithoutActionsTheStoredListStays)
{
    ConfigFolder folder;
    SystemSetting s; // no main window, no actions
    s.readConfig();
    s.show();
    EXPECT_EQ(s.form()->objectCommandlistWidget->count(), 0);
    press(s.form()->OK_Button);
    EXPECT_EQ(s.values().quickAccess, SystemSetting::defaults().quickAccess);
}

// ---- The form ----

TEST(SystemSettingForm, PagesCombosAndNames)
{
    SystemSetting s;
    Ui_SystemSettingWidget& ui = *s.form();
    EXPECT_EQ(ui.stackedWidget->count(), 15);
    EXPECT_EQ(ui.stackedWidget->currentIndex(), 0);
    const auto find = [&](const QString& text) {
        const QList<QTreeWidgetItem*> items = ui.treeWidget->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return items.isEmpty() ? nullptr : items.first();
    };
    const std::vector<std::pair<QString, int>> entries = {
        {"backRound", 0}, {"snapshot", 1}, {"Measure", 2}, {"note", 3}, {"mark", 4}, {"section", 5},
        {"Collision", 6}, {"preselection", 7}, {"PMI", 8}, {QString::fromUtf8("开发者选项"), 9},
        {"isGridShow", 10}, {"animation", 11}, {"Roam", 12}, {"Quick Access Toolbar", 13}, {"performance", 14}};
    for (const auto& e : entries) {
        QTreeWidgetItem* item = find(e.first);
        ASSERT_NE(item, nullptr) << e.first.toStdString();
        s.on_treeWidgetitemClicked(item, 0);
        EXPECT_EQ(ui.stackedWidget->currentIndex(), e.second) << e.first.toStdString();
    }
    // Group headers leave the page as it is.
    for (const char* header : {"common", "review"}) {
        s.on_treeWidgetitemClicked(find(header), 0);
        EXPECT_EQ(ui.stackedWidget->currentIndex(), 14) << header;
    }

    EXPECT_EQ(ui.comboBox->itemText(0), "millimeter(mm)");
    EXPECT_EQ(ui.comboBox->count(), 3);
    EXPECT_EQ(ui.logLevelcomboBox->itemText(0), QString::fromUtf8("逐帧调试"));
    EXPECT_EQ(ui.logLevelcomboBox->itemText(4), QString::fromUtf8("错误信息"));
    EXPECT_EQ(ui.spinBox->minimum(), 0);
    EXPECT_EQ(ui.spinBox->maximum(), 99);
    EXPECT_EQ(s.size(), QSize(839, 505));

    // Every control can be found by its name.
    for (QWidget* w : s.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)
                             || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QSlider*>(w)
                             || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
        const QObject* parent = w->parent();
        const bool inner = qobject_cast<QHeaderView*>(w) || qobject_cast<const QAbstractSpinBox*>(parent)
                           || qobject_cast<const QComboBox*>(parent);
        if (!control || inner || w->window() != &s) // popups of combo boxes are their own windows
            continue;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className() << " "
                                                   << w->objectName().toStdString();
    }
}

// ---- The colour button ----

TEST(ColorCombox, SwatchAndCancelledPick)
{
    ScriptedPrompts prompts;
    ColorCombox button;
    EXPECT_FALSE(button.color().isValid());
    EXPECT_EQ(button.size(), QSize(256, 20));

    button.setColor(Qt::red);
    const QImage swatch = button.icon().pixmap(QSize(250, 20)).toImage();
    EXPECT_EQ(QColor(swatch.pixel(10, 10)), QColor(Qt::red));
    EXPECT_EQ(qAlpha(swatch.pixel(2, 10)), 0);  // the strip on the left
    EXPECT_EQ(qAlpha(swatch.pixel(10, 0)), 0);  // the line at the top

    prompts.colour = QColor(); // cancelled
    button.click();
    EXPECT_EQ(button.color(), QColor(Qt::red));
    EXPECT_EQ(QColor(button.icon().pixmap(QSize(250, 20)).toImage().pixel(10, 10)), QColor(Qt::red));

    prompts.colour = Qt::green;
    button.click();
    EXPECT_EQ(button.color(), QColor(Qt::green));
    EXPECT_EQ(QColor(button.icon().pixmap(QSize(250, 20)).toImage().pixel(10, 10)), QColor(Qt::green));
    // The dialog starts from the button's colour: red both times, since the cancel kept it.
    EXPECT_EQ(prompts.colourStarts, (QList<QColor>{Qt::red, Qt::red}));

    ColorCombox empty;
    prompts.colour = QColor();
    empty.click();
    EXPECT_EQ(prompts.colourStarts.last(), QColor(Qt::black)); // without a colour yet, black
}

TEST(ColorCombox, MenuActionSetsTheColour)
{
    ColorCombox button;
    QAction action;
    action.setData(QColor(Qt::blue));
    QObject::connect(&action, SIGNAL(triggered()), &button, SLOT(OnColorChanged()));
    action.trigger();
    EXPECT_EQ(button.color(), QColor(Qt::blue));
}

// ---- The receivers in the running window ----

TEST(SystemSettingWindow, StoredValuesReachTheViewAndLibrariesAndSurviveARestart)
{
    ConfigFolder folder;
    {
        MainWindow w;
        SystemSetting* s = w.systemSetting();
        s->show();
        enter(*s, unusual());
        press(s->form()->OK_Button);
    }
    for (int run = 0; run < 2; ++run) { // after OK in the first window, and after a restart
        MainWindow w;
        // One settings object: what the animation editor clears is what the dialog shows and saves.
        EXPECT_EQ(w.findChildren<SystemSetting*>().size(), 1);
        SceneView* view = w.sceneView();
        const SystemSettingValues v = unusual();
        EXPECT_EQ(view->getBackgroundColor(), osg::Vec4f(1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 1));
        EXPECT_TRUE(view->isGridShown());
        EXPECT_EQ(view->getGridColor(), osg::Vec4f(28 / 255.0f, 29 / 255.0f, 30 / 255.0f, 1));
        EXPECT_EQ(view->GetSelectionDecoratorManager()->getMaterial()->getDiffuse(osg::Material::FRONT),
                  osg::Vec4(25 / 255.0f, 26 / 255.0f, 27 / 255.0f, 1));
        EXPECT_EQ(view->GetPreselectionDecoratorManager()->getMaterial()->getDiffuse(osg::Material::BACK),
                  osg::Vec4(22 / 255.0f, 23 / 255.0f, 24 / 255.0f, 1));
        EXPECT_FALSE(view->getSelectionManager()->getPreSelection());
        EXPECT_FALSE(view->getSelectionManager()->getMultiSelection());
        EXPECT_FALSE(w.sceneModel()->getSectionManager()->showSection);
        EXPECT_EQ(Vantor::Section::getColor(), osg::Vec4(0.05f, 0.05f, 0.06f, 1.0f)); // (13, 14, 15) to two decimals
        EXPECT_FLOAT_EQ(Vantor::Section::getTransparent(), 0.77f);
        EXPECT_EQ(Vantor::Note::fontSize, 33);
        const osg::Vec4 font = Vantor::Note::getFontColor();
        EXPECT_NEAR(font.r(), 7 / 255.0f, 1e-4);
        EXPECT_NEAR(font.b(), 9 / 255.0f, 1e-4);
        EXPECT_EQ(Vantor::MeasureMethod::unitType, 2);
        EXPECT_EQ(Vantor::MeasureMethod::exactvalue, 5.0);
        EXPECT_EQ(Vantor::NerioViewerManipulatorState::SmallFeatureCullSize, 42.0f);
        EXPECT_TRUE(w.snapshotTransparentBackground);
        EXPECT_EQ(Vantor::LogHandler::getInstance()->messageLevel(), 3);
        // The options reach the loader through its thread's queue: read them as they are each time.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const std::shared_ptr<ReaderConfig> reader = w.loader()->getConfig();
            return reader->readPMI == 0 && reader->readEdge == 0 && reader->mergeFace == 1;
        }));
        EXPECT_EQ(w.systemSetting()->values().logPath, v.logPath);
    }
    Vantor::LogHandler::getInstance()->setLogToFile(false);
}

// The background runs from the begin colour at the top of the view to the end colour at its bottom,
// both from the stored settings and from the end colour's own button.
TEST(SystemSettingWindow, BackgroundGradientRunsFromBeginToEnd)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    ConfigFolder folder;
    const QColor begin("#204080");
    const QColor end("#d0a020");
    folder.write(QStringLiteral("[SystemSetting]\nbackColorBegin=%1\nbackColorEnd=%2\n")
                     .arg(begin.rgba())
                     .arg(end.rgba())
                     .toLatin1());
    MainWindow w;
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    SceneView* view = w.sceneView();
    const auto near = [](QRgb pixel, const QColor& colour) {
        return std::abs(qRed(pixel) - colour.red()) <= 12 && std::abs(qGreen(pixel) - colour.green()) <= 12
               && std::abs(qBlue(pixel) - colour.blue()) <= 12;
    };
    const auto frameShows = [&](const QColor& top, const QColor& bottom) {
        view->requestFrame();
        nerio_test::waitUntilResting(*view);
        const QImage frame = osgQt::grabFrame(view->getView()->getCamera()->getGraphicsContext());
        if (frame.isNull())
            return ::testing::AssertionFailure() << "no frame";
        const QRgb high = frame.pixel(frame.width() / 2, 1);
        const QRgb low = frame.pixel(frame.width() / 2, frame.height() - 2);
        if (near(high, top) && near(low, bottom))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "top " << QColor(high).name().toStdString() << " bottom "
                                             << QColor(low).name().toStdString();
    };
    EXPECT_TRUE(frameShows(begin, end));

    // The end colour has its own button, named for a screen reader.
    SystemSetting* s = w.systemSetting();
    ColorCombox* endButton = s->colorButton("backColorEnd");
    ASSERT_NE(endButton, nullptr);
    EXPECT_EQ(endButton->accessibleName(), "backround color end:");
    EXPECT_EQ(endButton->color(), end);
    const QColor newEnd("#20a040");
    s->show();
    endButton->setColor(newEnd);
    press(s->form()->OK_Button);
    EXPECT_EQ(s->values().backColorEnd, newEnd);
    EXPECT_TRUE(frameShows(begin, newEnd));
}

// The values go to decorators and libraries the view does not watch: OK has the view draw them.
TEST(SystemSettingWindow, OkDrawsTheViewAndItRestsAfter)
{
    if (!nerio_test::hasDisplay())
        GTEST_SKIP() << "needs an X display";
    ConfigFolder folder;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    SceneView* view = w.sceneView();
    SystemSetting* s = w.systemSetting();
    s->show();
    ASSERT_TRUE(nerio_test::waitUntilResting(*view));
    const unsigned before = view->framesDrawn();
    s->form()->spinBox1->setValue(30); // the note font size
    press(s->form()->OK_Button);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->framesDrawn() > before; }, 5000));
    EXPECT_TRUE(nerio_test::waitUntilResting(*view));
}

TEST(SystemSettingWindow, ToolStripFollowsTheChosenKeysAtOnceAndAfterARestart)
{
    ConfigFolder folder;
    folder.write("[SystemSetting]\nobjectiveActListCount=3\nnumber0=Basic_Zoom\nnumber1=NoSuchKey\nnumber2=Basic_Show\n");
    const auto strip = [](MainWindow& w) {
        QList<QAction*> actions;
        for (QToolButton* b : w.toolkit()->buttons())
            actions << b->defaultAction();
        return actions;
    };
    {
        MainWindow w;
        ASSERT_NE(w.toolkit(), nullptr);
        EXPECT_EQ(strip(w), (QList<QAction*>{w.getAction("Basic_Zoom"), w.getAction("Basic_Show")}));

        // From the ribbon's command: the dialog offers the ribbon's actions; one more tool joins the strip.
        w.on_actionSetting_triggered();
        SystemSetting* s = w.systemSetting();
        ASSERT_TRUE(s->isVisible());
        QListWidget* available = s->form()->AllCommandlistWidget;
        const QList<QListWidgetItem*> hide = available->findItems(w.getAction("Basic_Hide")->text(), Qt::MatchExactly);
        ASSERT_FALSE(hide.isEmpty());
        available->setCurrentItem(hide.first());
        s->form()->addButtonR->click();
        press(s->form()->OK_Button);
        EXPECT_EQ(strip(w), (QList<QAction*>{w.getAction("Basic_Zoom"), w.getAction("Basic_Show"), w.getAction("Basic_Hide")}));
    }
    MainWindow again;
    EXPECT_EQ(again.systemSetting()->values().quickAccess, (QStringList{"Basic_Zoom", "Basic_Show", "Basic_Hide"}));
    EXPECT_EQ(strip(again).size(), 3);
}
