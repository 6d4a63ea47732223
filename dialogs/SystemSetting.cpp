#include "dialogs/SystemSetting.h"

#include "dialogs/SettingsTarget.h"
#include "common/Prompts.h"
#include "dialogs/ColorCombox.h"
#include "dialogs/SystemSettingForm.h"
#include "view/ISelectionDecorator.h"
#include "view/SceneModel.h"
#include "view/SceneView.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/measure/Measure.h"
#include "vantor/note/Note.h"
#include "vantor/section/Section.h"
#include "vantor/section/SectionManager.h"
#include "vantor/util/FileUtil.h"
#include "vantor/util/LogHandler.h"
#include "vantor/walker/WalkerHuman.h"

#include <osg/Material>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTextStream>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {

const char* const kGroup = "SystemSetting";
// The settings take a few kilobytes; more is not a settings file.
const std::size_t MaxConfigBytes = 1u << 20;
const char* const kCountKey = "objectiveActListCount";
// A damaged count must not make start-up read millions of keys.
const int kMaxQuickAccess = 512;

QString g_configDirectory;

enum class Kind { Color, Bool, Int, Float, Path };

using V = SystemSettingValues;

struct Key
{
    const char* name;
    Kind kind;
    QColor V::*color;
    bool V::*flag;
    int V::*number;
    int minimum;
    int maximum;
    bool zeroIsMissing; // 0 was never a value of this key: it stands for "not set"
};

Key colorKey(const char* name, QColor V::*member) { return {name, Kind::Color, member, nullptr, nullptr, 0, 0, false}; }
Key boolKey(const char* name, bool V::*member) { return {name, Kind::Bool, nullptr, member, nullptr, 0, 0, false}; }
Key intKey(const char* name, int V::*member, int minimum, int maximum, bool zeroIsMissing = false)
{
    return {name, Kind::Int, nullptr, nullptr, member, minimum, maximum, zeroIsMissing};
}

// The keys in the order they are written.
const std::vector<Key>& keys()
{
    static const std::vector<Key> table = {
        colorKey("backColorBegin", &V::backColorBegin),
        colorKey("backColorEnd", &V::backColorEnd),
        colorKey("fontColor", &V::fontColor),
        colorKey("markColor", &V::markColor),
        colorKey("sectionColor", &V::sectionColor),
        colorKey("contactpairColor", &V::contactpairColor),
        colorKey("collisionColor", &V::collisionColor),
        colorKey("preselectionColor", &V::preselectionColor),
        boolKey("sectionShow", &V::sectionShow),
        colorKey("selectionColor", &V::selectionColor),
        boolKey("breakroundTransparent", &V::breakroundTransparent),
        {"fExactvalue", Kind::Float, nullptr, nullptr, nullptr, 0, 99, false},
        intKey("unitType", &V::unitType, 0, 2),
        intKey("nFontSize", &V::nFontSize, 0, 99),
        intKey("sectionTransparent", &V::sectionTransparent, 0, 100),
        boolKey("PMI", &V::PMI),
        boolKey("loadEdge", &V::loadEdge),
        boolKey("faceMerge", &V::faceMerge),
        boolKey("logOpened", &V::logOpened),
        {"logPath", Kind::Path, nullptr, nullptr, nullptr, 0, 0, false},
        intKey("logLevel", &V::logLevel, 0, 4),
        boolKey("gridShow", &V::gridShow),
        colorKey("gridColor", &V::gridColor),
        boolKey("infoShow", &V::infoShow),
        boolKey("allowPreSelected", &V::allowPreSelected),
        boolKey("allowMultiSelected", &V::allowMultiSelected),
        intKey("nRoamHumanHeight", &V::nRoamHumanHeight, 50, 500, true),
        boolKey("smartSelectBodyLength", &V::smartSelectBodyLength),
        intKey("smallFeatureCulling", &V::smallFeatureCulling, 1, 100, true),
    };
    return table;
}

void warn(const QString& text)
{
    Vantor::LogHandler::getInstance()->reportWarning(text);
}

bool parseBool(const QString& text, bool* ok)
{
    const QString t = text.trimmed().toLower();
    *ok = true;
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0"))
        return false;
    *ok = false;
    return false;
}

// Reads one key into the values; a missing or unreadable value keeps the default, an out-of-range
// number is brought into its control's range. Each of these is logged.
void readKey(const QSettings& settings, const Key& key, V& values, const QString& file)
{
    const QString name = QString::fromLatin1(key.name);
    if (!settings.contains(name)) {
        warn(QObject::tr("%1: \"%2\" is missing; its default is used").arg(file, name));
        return;
    }
    const QVariant raw = settings.value(name);
    const QString text = raw.toString().trimmed();
    bool ok = false;
    const auto unreadable = [&] {
        warn(QObject::tr("%1: \"%2\" has the unreadable value \"%3\"; its default is used").arg(file, name, text));
    };
    const auto clampInt = [&](int value) {
        const int clamped = std::min(std::max(value, key.minimum), key.maximum);
        if (clamped != value)
            warn(QObject::tr("%1: \"%2\" = %3 lies outside %4..%5; %6 is used")
                     .arg(file, name)
                     .arg(value)
                     .arg(key.minimum)
                     .arg(key.maximum)
                     .arg(clamped));
        return clamped;
    };
    switch (key.kind) {
    case Kind::Color: {
        const uint rgba = text.toUInt(&ok, 10);
        if (!ok)
            return unreadable();
        values.*key.color = QColor::fromRgba(rgba);
        return;
    }
    case Kind::Bool: {
        const bool b = parseBool(text, &ok);
        if (!ok)
            return unreadable();
        values.*key.flag = b;
        return;
    }
    case Kind::Int: {
        const int n = text.toInt(&ok);
        if (!ok)
            return unreadable();
        if (n == 0 && key.zeroIsMissing)
            return; // the default stands in for it
        values.*key.number = clampInt(n);
        return;
    }
    case Kind::Float: {
        const double d = text.toDouble(&ok); // C locale, whatever the process locale
        if (!ok || !std::isfinite(d))
            return unreadable();
        const double clamped = std::min(std::max(d, double(key.minimum)), double(key.maximum));
        if (clamped != d)
            warn(QObject::tr("%1: \"%2\" = %3 lies outside %4..%5; %6 is used")
                     .arg(file, name, text)
                     .arg(key.minimum)
                     .arg(key.maximum)
                     .arg(clamped));
        values.fExactvalue = float(clamped);
        return;
    }
    case Kind::Path:
        // Written as text by this program, as local 8-bit bytes by older ones.
        values.logPath = raw.type() == QVariant::ByteArray ? QString::fromLocal8Bit(raw.toByteArray()) : raw.toString();
        return;
    }
}

QStringList readQuickAccess(const QSettings& settings, const QStringList& fallback, const QString& file)
{
    const QString countKey = QString::fromLatin1(kCountKey);
    if (!settings.contains(countKey)) {
        warn(QObject::tr("%1: \"%2\" is missing; the default tool strip is used").arg(file, countKey));
        return fallback;
    }
    bool ok = false;
    const QString text = settings.value(countKey).toString().trimmed();
    int count = text.toInt(&ok);
    if (!ok) {
        warn(QObject::tr("%1: \"%2\" has the unreadable value \"%3\"; the default tool strip is used")
                 .arg(file, countKey, text));
        return fallback;
    }
    if (count < 0 || count > kMaxQuickAccess) {
        warn(QObject::tr("%1: \"%2\" = %3 lies outside 0..%4").arg(file, countKey).arg(count).arg(kMaxQuickAccess));
        count = std::min(std::max(count, 0), kMaxQuickAccess);
    }
    QStringList list;
    for (int i = 0; i < count; ++i) {
        const QString key = QStringLiteral("number%1").arg(i);
        if (!settings.contains(key)) {
            warn(QObject::tr("%1: \"%2\" is missing; the tool strip ends before it").arg(file, key));
            break;
        }
        const QString action = settings.value(key).toString().trimmed();
        if (!action.isEmpty())
            list << action;
    }
    return list;
}

bool isHexDigit(ushort c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A string as QSettings reads it back unchanged: quoted, with everything outside printable ASCII
// escaped, so the file is plain ASCII whatever codec reads it.
QString iniString(QString text)
{
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    QString out = QStringLiteral("\"");
    bool afterHex = false;
    for (const QChar ch : text) {
        const ushort u = ch.unicode();
        if (u < 0x20 || u >= 0x7f || (afterHex && isHexDigit(u))) {
            out += QStringLiteral("\\x") + QString::number(u, 16);
            afterHex = true;
            continue;
        }
        afterHex = false;
        if (u == '"' || u == '\\')
            out += QLatin1Char('\\');
        out += ch;
    }
    out += QLatin1Char('"');
    return out;
}

QString valueText(const Key& key, const V& values)
{
    switch (key.kind) {
    case Kind::Color:
        return QString::number((values.*key.color).rgba());
    case Kind::Bool:
        return values.*key.flag ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Int:
        return QString::number(values.*key.number);
    case Kind::Float:
        return QString::number(double(values.fExactvalue), 'g', 9);
    case Kind::Path:
        return iniString(values.logPath);
    }
    return QString();
}

// The lines of the file's other sections, kept as they are.
QStringList otherSections(const QString& path)
{
    QStringList kept;
    std::string bytes, error;
    if (!Vantor::FileUtil::ReadRegularFile(QFile::encodeName(path).toStdString(), MaxConfigBytes, bytes, error))
        return kept;
    bool ours = false;
    const QList<QByteArray> lines = QByteArray::fromStdString(bytes).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty())
            break;
        const QString line = QString::fromUtf8(lines[i]).remove(QLatin1Char('\r'));
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
            ours = trimmed.mid(1, trimmed.size() - 2) == QLatin1String(kGroup);
        if (!ours)
            kept << line;
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    return kept;
}

} // namespace

bool SystemSettingValues::operator==(const SystemSettingValues& o) const
{
    return backColorBegin == o.backColorBegin && backColorEnd == o.backColorEnd && fontColor == o.fontColor
           && markColor == o.markColor && sectionColor == o.sectionColor && contactpairColor == o.contactpairColor
           && collisionColor == o.collisionColor && preselectionColor == o.preselectionColor
           && sectionShow == o.sectionShow && selectionColor == o.selectionColor
           && breakroundTransparent == o.breakroundTransparent && fExactvalue == o.fExactvalue
           && unitType == o.unitType && nFontSize == o.nFontSize && sectionTransparent == o.sectionTransparent
           && PMI == o.PMI && loadEdge == o.loadEdge && faceMerge == o.faceMerge && logOpened == o.logOpened
           && logPath == o.logPath && logLevel == o.logLevel && gridShow == o.gridShow && gridColor == o.gridColor
           && infoShow == o.infoShow && allowPreSelected == o.allowPreSelected
           && allowMultiSelected == o.allowMultiSelected && nRoamHumanHeight == o.nRoamHumanHeight
           && smartSelectBodyLength == o.smartSelectBodyLength && smallFeatureCulling == o.smallFeatureCulling
           && quickAccess == o.quickAccess;
}

SystemSettingValues SystemSetting::defaults()
{
    SystemSettingValues v;
    v.backColorBegin = QColor(QStringLiteral("#b4b4b4"));
    v.backColorEnd = QColor(QStringLiteral("#545454"));
    v.fontColor = QColor(QStringLiteral("#1E90FF"));
    v.markColor = QColor(QStringLiteral("#FF0000"));
    v.sectionColor = QColor(QStringLiteral("#1E90FF"));
    v.contactpairColor = QColor(QStringLiteral("#EEEE00"));
    v.collisionColor = QColor(QStringLiteral("#63B8FF"));
    v.preselectionColor = QColor(QStringLiteral("#00FF00"));
    v.selectionColor = QColor(QStringLiteral("#FF0000"));
    v.gridColor = QColor(QStringLiteral("#E6E6E6"));
    v.quickAccess = QStringList{
        QStringLiteral("Basic_Rotation"),      QStringLiteral("Basic_Translation"),
        QStringLiteral("Basic_Zoom"),          QStringLiteral("Basic_Show"),
        QStringLiteral("Basic_Hide"),          QStringLiteral("Basic_NodeColor"),
        QStringLiteral("Basic_Transparency"),  QStringLiteral("Basic_Basicview"),
        QStringLiteral("Basic_Axisview"),      QStringLiteral("Basic_Adapt"),
        QStringLiteral("Resolve_Freedrop"),    QStringLiteral("Resolve_Directionaldrop"),
        QStringLiteral("Resolve_Alongaxial"),  QStringLiteral("Reset"),
    };
    return v;
}

namespace {

// Controls without a text of their own are known by their row's label.
void nameControls(Ui_SystemSettingWidget& ui)
{
    const auto name = [](QWidget* control, const QLabel* label) { control->setAccessibleName(label->text().trimmed()); };
    name(ui.comboBox, ui.labelUnit);
    name(ui.spinBox, ui.labelExactvalue);
    name(ui.spinBox1, ui.labelFontSize);
    name(ui.checkBox_5, ui.labelSectionShow);
    name(ui.sectionSlider, ui.labelSectionTransparent);
    name(ui.logOpencheckBox, ui.labelLogOpen);
    name(ui.logLevelcomboBox, ui.labelLogLevel);
    name(ui.PathlineEdit, ui.labelLogPath);
    name(ui.checkBox_2, ui.labelGridShow);
    name(ui.checkBox_4, ui.labelSmartSelectBodyLength);
    name(ui.spinBox_2, ui.labelWalkerHumanBodyLength);
    name(ui.AllCommandlistWidget, ui.labelAllCommands);
    name(ui.objectCommandlistWidget, ui.labelChosenCommands);
    name(ui.checkBox_6, ui.labelLoadEdge);
    name(ui.checkBox_7, ui.labelFaceMerge);
    name(ui.spinBox_3, ui.labelCullingData);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             ui.checkBox, ui.AllowPreSelected_CheckBox, ui.AllowMultiSelected_CheckBox, ui.checkBox_PMI, ui.selectpathButton,
             ui.checkBox_3, ui.addButtonR, ui.removeButtonL, ui.Reset_Button, ui.OK_Button, ui.Cancel_Button})
        b->setAccessibleName(b->text().trimmed());
}

} // namespace

SystemSetting::SystemSetting(SettingsTarget* target, QWidget* parent)
    : QDialog(parent), m_target(target), m_targetObject(dynamic_cast<QObject*>(target)),
      m_ui(new Ui_SystemSettingWidget)
{
    m_values = defaults();
    m_ui->setupUi(this);
    nameControls(*m_ui);
    initPages();
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    setControls(m_values, m_markLineWidth);
}

SystemSetting::~SystemSetting() = default;

SettingsTarget* SystemSetting::target() const
{
    return m_targetObject ? m_target : nullptr;
}

osg::Vec4 SystemSetting::sectionColour(const QColor& color)
{
    const auto channel = [](int c) { return float(QString::number(c / 255.0, 'f', 2).toDouble()); };
    return osg::Vec4(channel(color.red()), channel(color.green()), channel(color.blue()), 1.0f);
}

QString SystemSetting::configPath()
{
    if (!g_configDirectory.isEmpty())
        return g_configDirectory + QStringLiteral("/config.ini");
    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir).isWritable())
        return programDir + QStringLiteral("/config.ini");
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/config.ini");
}

void SystemSetting::setConfigDirectory(const QString& directory)
{
    g_configDirectory = directory;
}

void SystemSetting::initPages()
{
    Ui_SystemSettingWidget& ui = *m_ui;
    ui.stackedWidget->setCurrentIndex(0);
    ui.treeWidget->setColumnCount(1);

    const auto item = [](QTreeWidgetItem* parent, QTreeWidget* tree, const QString& text, int page) {
        auto* it = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        it->setText(0, text);
        it->setData(1, Qt::DisplayRole, page);
        return it;
    };
    QTreeWidget* tree = ui.treeWidget;
    QTreeWidgetItem* common = item(nullptr, tree, tr("common"), -1);
    QTreeWidgetItem* backRound = item(common, tree, tr("backRound"), 0);
    item(common, tree, tr("snapshot"), 1);
    item(common, tree, tr("preselection"), 7);
    item(common, tree, tr("isGridShow"), 10);
    item(nullptr, tree, tr("section"), 5);
    item(nullptr, tree, tr("animation"), 11);
    item(nullptr, tree, tr("Roam"), 12);
    QTreeWidgetItem* review = item(nullptr, tree, tr("review"), -1);
    item(review, tree, tr("Measure"), 2);
    item(review, tree, tr("note"), 3);
    item(review, tree, tr("mark"), 4);
    item(review, tree, tr("PMI"), 8);
    item(nullptr, tree, tr("Collision"), 6);
    item(nullptr, tree, tr("performance"), 14);
    item(nullptr, tree, tr("Quick Access Toolbar"), 13);
    item(nullptr, tree, tr("开发者选项"), 9);
    tree->expandAll();
    tree->setCurrentItem(backRound);

    // The colour buttons, each after the label of its row.
    const auto place = [this](QHBoxLayout* row, const QLabel* label, const char* key, int spacerWidth) {
        auto* button = new ColorCombox();
        button->setObjectName(QStringLiteral("colorButton_") + QLatin1String(key));
        button->setAccessibleName(label->text().trimmed());
        row->addWidget(button);
        row->addItem(new QSpacerItem(spacerWidth, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
        m_colorButtons.insert(QString::fromLatin1(key), button);
    };
    place(ui.rowBackColorBegin, ui.labelBackColorBegin, "backColorBegin", 40);
    place(ui.rowBackColorEnd, ui.labelBackColorEnd, "backColorEnd", 40);
    place(ui.rowFontColor, ui.labelFontColor, "fontColor", 40);
    place(ui.rowMarkColor, ui.labelMarkColor, "markColor", 40);
    place(ui.rowSectionColor, ui.labelSectionColor, "sectionColor", 40);
    place(ui.rowCollisionPointColor, ui.labelCollisionPointColor, "contactpairColor", 40);
    place(ui.rowContactPairColor, ui.labelContactPairColor, "collisionColor", 40);
    place(ui.rowPreselectionColor, ui.labelPreselectionColor, "preselectionColor", 40);
    place(ui.rowSelectionColor, ui.labelSelectionColor, "selectionColor", 40);
    place(ui.rowGridColor, ui.labelGridColor, "gridColor", 60);

    m_markLineWidthBox = new QSpinBox();
    m_markLineWidthBox->setObjectName(QStringLiteral("markLineWidthSpinBox"));
    m_markLineWidthBox->setRange(1, 9);
    m_markLineWidthBox->setValue(1);
    m_markLineWidthBox->setFixedWidth(256);
    m_markLineWidthBox->setAccessibleName(ui.labelMarkLineWidth->text().trimmed());
    ui.rowMarkLineWidth->addWidget(m_markLineWidthBox);
    ui.rowMarkLineWidth->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    // The background goes to the view, a gradient from the begin colour (top) to the end colour
    // (bottom); the rest to the slots below.
    connect(this, &SystemSetting::breakroundColorChanged, this, [this](const QColor& color) {
        if (SceneView* view = sceneView())
            if (color.isValid())
                view->setBgGradient(color, m_values.backColorEnd);
    });
    connect(this, SIGNAL(unitTypeChanged(int)), this, SLOT(setUnitType(int)));
    connect(this, SIGNAL(ExactvalueChanged(float)), this, SLOT(setExactvalue(float)));
    connect(this, SIGNAL(FontSizeChanged(int)), this, SLOT(setFontSize(int)));
    connect(this, SIGNAL(notefontColorChanged(QColor)), this, SLOT(setFontColor(QColor)));
    connect(this, SIGNAL(CollisionColorChanged(QColor, QColor)), this, SLOT(setCollisionColor(QColor, QColor)));
    connect(this, SIGNAL(preselectionColorChanged(QColor)), this, SLOT(setPreselectionColor(QColor)));
    connect(this, SIGNAL(selectionColorChanged(QColor)), this, SLOT(setSelectionColor(QColor)));
    connect(this, SIGNAL(breakroundTransparentChanged(bool)), this, SLOT(setBreakroundTransparentChanged(bool)));
    connect(this, SIGNAL(sectionShowChanged(bool)), this, SLOT(setSectionShow(bool)));
    connect(this, SIGNAL(sectionColorChanged(QColor)), this, SLOT(setSectionColor(QColor)));
    connect(this, SIGNAL(sectionTransparentChanged(int)), this, SLOT(setSectionTransparent(int)));
    connect(this, SIGNAL(readPMIChanged(bool)), this, SLOT(setReadPMIChanged(bool)));
    connect(this, SIGNAL(readEdgeChanged(bool)), this, SLOT(setReadEdgeChanged(bool)));
    connect(this, SIGNAL(mergeFaceChanged(bool)), this, SLOT(setMergeFaceChanged(bool)));
    connect(this, SIGNAL(markColorChanged(QColor)), this, SLOT(setmarkColor(QColor)));
    connect(this, SIGNAL(markLineWidthChanged(int)), this, SLOT(setmarkLineWidth(int)));
    connect(this, SIGNAL(gridShowChanged(bool)), this, SLOT(setGridShow(bool)));
    connect(this, SIGNAL(AllowPreSelectedChanged(bool)), this, SLOT(setAllowPreSelected(bool)));
    connect(this, SIGNAL(AllowMultiSelectedChanged(bool)), this, SLOT(setAllowMultiSelected(bool)));
    connect(this, SIGNAL(SmallFeatureCulling(int)), this, SLOT(setSmallFeatureCulling(int)));
    connect(this, SIGNAL(QuickAccessChanged()), this, SLOT(setQuickAccessChanged()));
    // The walker's person: centimetres in the settings, model units (1/1000 m) in the walker.
    connect(this, &SystemSetting::RoamHumanHeightChanged, this,
            [](int centimetres) { Vantor::WalkerHuman::setHumanBodyLength(10.0f * float(centimetres)); });
    connect(this, &SystemSetting::RoamSmartSelectBodyLength, this,
            [](bool on) { Vantor::WalkerHuman::setSartSelectBodyLength(on); });

    connect(ui.treeWidget, SIGNAL(itemClicked(QTreeWidgetItem*, int)), this,
            SLOT(on_treeWidgetitemClicked(QTreeWidgetItem*, int)));
    // Keyboard users move through the tree without clicking.
    connect(ui.treeWidget, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { on_treeWidgetitemClicked(current, 0); });
    connect(ui.OK_Button, SIGNAL(pressed()), this, SLOT(onbuttonOk()));
    connect(ui.Cancel_Button, SIGNAL(pressed()), this, SLOT(onbuttonClose()));
    connect(ui.Reset_Button, SIGNAL(pressed()), this, SLOT(defaultSetting()));
    connect(ui.selectpathButton, SIGNAL(clicked()), this, SLOT(LogSelectpath()));
    connect(ui.addButtonR, SIGNAL(clicked()), this, SLOT(on_Button_toRight_clicked()));
    connect(ui.removeButtonL, SIGNAL(clicked()), this, SLOT(on_Button_toLeft_clicked()));
}

void SystemSetting::requestViewFrame()
{
    // Colours and sizes went to the decorators and libraries directly: the view draws them anew.
    if (SceneView* view = sceneView())
        view->requestFrame();
}

SceneView* SystemSetting::sceneView() const
{
    SettingsTarget* window = target();
    return window ? window->sceneView() : nullptr;
}

QMap<QString, QAction*> SystemSetting::actionMap() const
{
    SettingsTarget* window = target();
    return window ? window->getActions() : QMap<QString, QAction*>();
}

// ---- Loading and saving ----

SystemSettingValues SystemSetting::readValues(const QString& path)
{
    SystemSettingValues values = defaults();
    std::string refused;
    if (QFileInfo::exists(path) &&
        !Vantor::FileUtil::IsRegularFileWithin(QFile::encodeName(path).toStdString(), MaxConfigBytes, refused)) {
        // A pipe or a device in its place would hold the window for good, a huge file for long.
        Vantor::LogHandler::getInstance()->reportError(
            tr("%1 could not be read; the defaults are used").arg(path) + QStringLiteral(" (") +
            QString::fromLocal8Bit(refused.c_str()) + QLatin1Char(')'));
    } else if (QFileInfo::exists(path)) {
        QSettings settings(path, QSettings::IniFormat);
        settings.setIniCodec("GB2312");
        if (settings.status() != QSettings::NoError)
            Vantor::LogHandler::getInstance()->reportError(tr("%1 could not be read; the defaults are used").arg(path));
        settings.beginGroup(QString::fromLatin1(kGroup));
        for (const Key& key : keys())
            readKey(settings, key, values, path);
        values.quickAccess = readQuickAccess(settings, values.quickAccess, path);
        settings.endGroup();
    }
    return values;
}

void SystemSetting::readConfig()
{
    m_values = readValues(configPath());
    updateWidgets();
    emitAllSettings();
}

bool SystemSetting::saveConfig()
{
    const QString path = configPath();
    QString text;
    QTextStream out(&text);
    out << '[' << kGroup << "]\n";
    for (const Key& key : keys())
        out << key.name << '=' << valueText(key, m_values) << '\n';
    out << kCountKey << '=' << m_values.quickAccess.size() << '\n';
    for (int i = 0; i < m_values.quickAccess.size(); ++i)
        out << "number" << i << '=' << iniString(m_values.quickAccess.at(i)) << '\n';
    const QStringList others = otherSections(path);
    if (!others.isEmpty())
        out << '\n' << others.join(QLatin1Char('\n')) << '\n';
    out.flush();

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        error = file.errorString();
    else if (file.write(text.toUtf8()) < 0 || !file.commit())
        error = file.errorString();
    if (error.isEmpty())
        return true;
    const QString message = tr("The settings could not be saved to %1: %2").arg(path, error);
    Vantor::LogHandler::getInstance()->reportError(message);
    Prompts::get().warning(this, tr("SystemSetting"), message);
    return false;
}

// ---- Controls ----

void SystemSetting::setControls(const SystemSettingValues& v, int markLineWidth)
{
    Ui_SystemSettingWidget& ui = *m_ui;
    for (auto it = m_colorButtons.constBegin(); it != m_colorButtons.constEnd(); ++it) {
        for (const Key& key : keys())
            if (key.kind == Kind::Color && it.key() == QLatin1String(key.name))
                it.value()->setColor(v.*key.color);
    }
    m_markLineWidthBox->setValue(markLineWidth);
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
    fillQuickAccessLists(v.quickAccess);
}

void SystemSetting::updateWidgets()
{
    setControls(m_values, m_markLineWidth);
}

SystemSettingValues SystemSetting::readControls() const
{
    const Ui_SystemSettingWidget& ui = *m_ui;
    SystemSettingValues v = m_values;
    for (const Key& key : keys()) {
        if (key.kind != Kind::Color)
            continue;
        const ColorCombox* button = m_colorButtons.value(QString::fromLatin1(key.name));
        if (button && button->color().isValid())
            v.*key.color = button->color();
    }
    v.breakroundTransparent = ui.checkBox->isChecked();
    // The box holds whole numbers: a stored fraction stays until the box is changed.
    if (ui.spinBox->value() != int(m_values.fExactvalue))
        v.fExactvalue = float(ui.spinBox->value());
    v.unitType = ui.comboBox->currentIndex();
    v.nFontSize = ui.spinBox1->value();
    v.sectionShow = ui.checkBox_5->isChecked();
    v.sectionTransparent = ui.sectionSlider->value();
    v.PMI = ui.checkBox_PMI->isChecked();
    v.loadEdge = ui.checkBox_6->isChecked();
    v.faceMerge = ui.checkBox_7->isChecked();
    v.logOpened = ui.logOpencheckBox->isChecked();
    v.logPath = ui.PathlineEdit->text();
    v.logLevel = ui.logLevelcomboBox->currentIndex();
    v.gridShow = ui.checkBox_2->isChecked();
    v.infoShow = ui.checkBox_3->isChecked();
    v.allowPreSelected = ui.AllowPreSelected_CheckBox->isChecked();
    v.allowMultiSelected = ui.AllowMultiSelected_CheckBox->isChecked();
    v.nRoamHumanHeight = ui.spinBox_2->value();
    v.smartSelectBodyLength = ui.checkBox_4->isChecked();
    v.smallFeatureCulling = ui.spinBox_3->value();
    // Without any action to choose from, the list cannot have been edited: it stays as stored.
    if (!actionMap().isEmpty()) {
        v.quickAccess.clear();
        for (int i = 0; i < ui.objectCommandlistWidget->count(); ++i)
            v.quickAccess << ui.objectCommandlistWidget->item(i)->data(Qt::UserRole).toString();
    }
    return v;
}

void SystemSetting::fillQuickAccessLists(const QStringList& chosen)
{
    Ui_SystemSettingWidget& ui = *m_ui;
    ui.objectCommandlistWidget->clear();
    ui.AllCommandlistWidget->clear();
    const QMap<QString, QAction*> actions = actionMap();
    const auto add = [](QListWidget* list, const QString& key, const QAction* action) {
        auto* item = new QListWidgetItem(action->icon(), action->text(), list);
        item->setData(Qt::UserRole, key);
    };
    for (const QString& key : chosen)
        if (const QAction* action = actions.value(key))
            add(ui.objectCommandlistWidget, key, action);
    for (auto it = actions.constBegin(); it != actions.constEnd(); ++it)
        if (it.value() && !chosen.contains(it.key()))
            add(ui.AllCommandlistWidget, it.key(), it.value());
}

void SystemSetting::moveCurrentItem(QListWidget* from, QListWidget* to)
{
    QListWidgetItem* item = from->currentItem();
    if (!item)
        return;
    auto* copy = new QListWidgetItem(*item);
    to->addItem(copy);
    to->setCurrentItem(copy);
    delete from->takeItem(from->row(item));
}

void SystemSetting::on_Button_toLeft_clicked()
{
    moveCurrentItem(m_ui->objectCommandlistWidget, m_ui->AllCommandlistWidget);
}

void SystemSetting::on_Button_toRight_clicked()
{
    moveCurrentItem(m_ui->AllCommandlistWidget, m_ui->objectCommandlistWidget);
}

void SystemSetting::on_treeWidgetitemClicked(QTreeWidgetItem* item, int)
{
    if (!item)
        return;
    const int page = item->data(1, Qt::DisplayRole).toInt();
    if (page != -1)
        m_ui->stackedWidget->setCurrentIndex(page);
}

void SystemSetting::setInfoShow(bool show)
{
    m_values.infoShow = show;
    m_ui->checkBox_3->setChecked(show);
}

void SystemSetting::showEvent(QShowEvent* event)
{
    // The actions may have changed, and the stored values since the last time it was open.
    updateWidgets();
    QDialog::showEvent(event);
}

// ---- Applying ----

void SystemSetting::applyGrid(bool show, const QColor& color)
{
    SceneView* view = sceneView();
    if (!view)
        return;
    if (show != view->isGridShown()) {
        view->setGridShow(show);
        view->updateGrid();
    }
    view->setGridColor(color);
    view->updateGrid();
}

void SystemSetting::applyLogSettings()
{
    Vantor::LogHandler* log = Vantor::LogHandler::getInstance();
    log->setLogToFile(m_values.logOpened);
    log->m_logToFile = m_values.logOpened;
    log->setLogDirectory(m_values.logPath);
    log->setMessageLevel(m_values.logLevel);
}

void SystemSetting::emitAllSettings()
{
    const SystemSettingValues& v = m_values;
    emit breakroundColorChanged(v.backColorBegin);
    emit notefontColorChanged(v.fontColor);
    emit markColorChanged(v.markColor);
    emit sectionShowChanged(v.sectionShow);
    emit sectionColorChanged(v.sectionColor);
    emit breakroundTransparentChanged(v.breakroundTransparent);
    emit ExactvalueChanged(v.fExactvalue);
    emit unitTypeChanged(v.unitType);
    emit FontSizeChanged(v.nFontSize);
    emit sectionTransparentChanged(v.sectionTransparent);
    emit CollisionColorChanged(v.collisionColor, v.contactpairColor);
    emit preselectionColorChanged(v.preselectionColor);
    emit readPMIChanged(v.PMI);
    emit readEdgeChanged(v.loadEdge);
    emit mergeFaceChanged(v.faceMerge);
    emit RoamSmartSelectBodyLength(v.smartSelectBodyLength);
    emit RoamHumanHeightChanged(v.nRoamHumanHeight);
    emit AllowPreSelectedChanged(v.allowPreSelected);
    emit AllowMultiSelectedChanged(v.allowMultiSelected);
    emit selectionColorChanged(v.selectionColor);
    emit QuickAccessChanged();
    emit SmallFeatureCulling(v.smallFeatureCulling);
    applyGrid(v.gridShow, v.gridColor);
    applyLogSettings();
    requestViewFrame();
}

void SystemSetting::onbuttonOk()
{
    const SystemSettingValues old = m_values;
    const SystemSettingValues v = readControls();
    const int markLineWidth = m_markLineWidthBox->value();
    m_values = v;

    if (v.backColorBegin != old.backColorBegin || v.backColorEnd != old.backColorEnd)
        emit breakroundColorChanged(v.backColorBegin);
    if (v.fontColor != old.fontColor)
        emit notefontColorChanged(v.fontColor);
    if (v.markColor != old.markColor)
        emit markColorChanged(v.markColor);
    if (markLineWidth != m_markLineWidth) {
        m_markLineWidth = markLineWidth;
        emit markLineWidthChanged(markLineWidth);
    }
    if (v.sectionColor != old.sectionColor)
        emit sectionColorChanged(v.sectionColor);
    if (v.collisionColor != old.collisionColor || v.contactpairColor != old.contactpairColor)
        emit CollisionColorChanged(v.collisionColor, v.contactpairColor);
    if (v.breakroundTransparent != old.breakroundTransparent)
        emit breakroundTransparentChanged(v.breakroundTransparent);
    if (v.fExactvalue != old.fExactvalue)
        emit ExactvalueChanged(v.fExactvalue);
    if (v.unitType != old.unitType)
        emit unitTypeChanged(v.unitType);
    if (v.nFontSize != old.nFontSize)
        emit FontSizeChanged(v.nFontSize);
    if (v.sectionShow != old.sectionShow)
        emit sectionShowChanged(v.sectionShow);
    if (v.sectionTransparent != old.sectionTransparent)
        emit sectionTransparentChanged(v.sectionTransparent);
    if (v.preselectionColor != old.preselectionColor)
        emit preselectionColorChanged(v.preselectionColor);
    if (v.selectionColor != old.selectionColor)
        emit selectionColorChanged(v.selectionColor);
    if (v.PMI != old.PMI)
        emit readPMIChanged(v.PMI);
    if (v.loadEdge != old.loadEdge)
        emit readEdgeChanged(v.loadEdge);
    if (v.faceMerge != old.faceMerge)
        emit mergeFaceChanged(v.faceMerge);
    if (v.gridShow != old.gridShow || v.gridColor != old.gridColor)
        applyGrid(v.gridShow, v.gridColor);
    if (v.nRoamHumanHeight != old.nRoamHumanHeight)
        emit RoamHumanHeightChanged(v.nRoamHumanHeight);
    if (v.smallFeatureCulling != old.smallFeatureCulling)
        emit SmallFeatureCulling(v.smallFeatureCulling);
    if (v.smartSelectBodyLength != old.smartSelectBodyLength)
        emit RoamSmartSelectBodyLength(v.smartSelectBodyLength);
    if (v.allowPreSelected != old.allowPreSelected)
        emit AllowPreSelectedChanged(v.allowPreSelected);
    if (v.allowMultiSelected != old.allowMultiSelected)
        emit AllowMultiSelectedChanged(v.allowMultiSelected);
    if (v.quickAccess != old.quickAccess)
        emit QuickAccessChanged();
    applyLogSettings();
    requestViewFrame();

    saveConfig();
    accept();
}

void SystemSetting::onbuttonClose()
{
    reject();
}

void SystemSetting::reject()
{
    updateWidgets();
    QDialog::reject();
}

void SystemSetting::defaultSetting()
{
    setControls(defaults(), 1);
}

void SystemSetting::LogSelectpath()
{
    const QString dir = Prompts::get().getExistingDirectory(this, tr("请选择文件路径..."), QStringLiteral("./"));
    if (!dir.isEmpty())
        m_ui->PathlineEdit->setText(dir);
}

// ---- Receivers ----

void SystemSetting::setQuickAccessChanged()
{
    if (SettingsTarget* window = target())
        window->setQuickAccess(m_values.quickAccess);
}

void SystemSetting::setmarkColor(QColor color)
{
    Vantor::SNote::setMarkColor(color);
}

void SystemSetting::setmarkLineWidth(int width)
{
    Vantor::SNote::m_markSize = width;
}

void SystemSetting::setUnitType(int unit)
{
    Vantor::MeasureMethod::unitType = unit;
}

void SystemSetting::setExactvalue(float value)
{
    Vantor::MeasureMethod::exactvalue = double(value);
}

void SystemSetting::setFontSize(int size)
{
    Vantor::Note::fontSize = size;
}

void SystemSetting::setFontColor(QColor color)
{
    Vantor::Note::setFontColor(color);
}

void SystemSetting::setCollisionColor(QColor pairColor, QColor contactColor)
{
    if (SettingsTarget* window = target())
        window->setCollisionColor(pairColor, contactColor);
}

void SystemSetting::setPreselectionColor(QColor color)
{
    if (SettingsTarget* window = target())
        window->setPreselectionColor(color);
}

void SystemSetting::setSelectionColor(QColor color)
{
    if (SettingsTarget* window = target())
        window->setselectionColor(color);
}

void SystemSetting::setBreakroundTransparentChanged(bool transparent)
{
    if (SettingsTarget* window = target())
        window->setSnapshotTransparentBackground(transparent);
}

void SystemSetting::setSectionShow(bool show)
{
    if (SettingsTarget* window = target())
        window->setSectionShow(show);
}

void SystemSetting::setSectionColor(QColor color)
{
    if (SettingsTarget* window = target())
        window->setSectionColor(color);
    else
        Vantor::Section::setColor(sectionColour(color));
}

void SystemSetting::setSectionTransparent(int percent)
{
    if (SettingsTarget* window = target())
        window->setSectionTransparent(float(percent) / 100.0f);
    else
        Vantor::Section::setTransparent(float(percent) / 100.0f);
}

void SystemSetting::setAllowPreSelected(bool on)
{
    if (SettingsTarget* window = target())
        window->setAllowPreSelected(on);
}

void SystemSetting::setAllowMultiSelected(bool on)
{
    if (SettingsTarget* window = target())
        window->setAllowMultiSelected(on);
}

void SystemSetting::setReadPMIChanged(bool on)
{
    if (SettingsTarget* window = target())
        window->setReadPMI(on);
}

void SystemSetting::setReadEdgeChanged(bool on)
{
    if (SettingsTarget* window = target())
        window->setReadEdge(on);
}

void SystemSetting::setMergeFaceChanged(bool on)
{
    if (SettingsTarget* window = target())
        window->serMergeFace(on);
}

void SystemSetting::setGridShow(bool show)
{
    m_values.gridShow = show;
}

void SystemSetting::setSmallFeatureCulling(int pixels)
{
    Vantor::NerioViewerManipulatorState::SmallFeatureCullSize = float(pixels);
}
