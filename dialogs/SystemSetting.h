#pragma once

#include <QColor>
#include <QDialog>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <osg/Vec4>

#include <memory>

class ColorCombox;
class SettingsTarget;
class QAction;
class QListWidget;
class QSpinBox;
class QTreeWidgetItem;
class SceneView;
class Ui_SystemSettingWidget;

// Every value kept in "config.ini", group "SystemSetting".
struct SystemSettingValues
{
    QColor backColorBegin;
    QColor backColorEnd;
    QColor fontColor;
    QColor markColor;
    QColor sectionColor;
    QColor contactpairColor; // row "Collision point color:": the contact points
    QColor collisionColor;   // row "Contact pair color:": the pair
    QColor preselectionColor;
    bool sectionShow = true;
    QColor selectionColor;
    bool breakroundTransparent = false;
    float fExactvalue = 2.0f;
    int unitType = 0;
    int nFontSize = 14;
    int sectionTransparent = 20;
    bool PMI = true;
    bool loadEdge = true;
    bool faceMerge = false;
    bool logOpened = false;
    QString logPath;
    int logLevel = 0;
    bool gridShow = false;
    QColor gridColor;
    bool infoShow = true;
    bool allowPreSelected = true;
    bool allowMultiSelected = true;
    int nRoamHumanHeight = 180;
    bool smartSelectBodyLength = true;
    int smallFeatureCulling = 10;
    QStringList quickAccess; // action keys, in tool-strip order

    bool operator==(const SystemSettingValues& other) const;
    bool operator!=(const SystemSettingValues& other) const { return !(*this == other); }
};

// The system settings dialog and the keeper of its values. readConfig loads "config.ini" once and puts
// every value into effect; OK puts the edited values that changed into effect and writes the file; Reset
// only fills the controls with the defaults; Cancel (or closing) puts the stored values back into the
// controls.
class SystemSetting : public QDialog
{
    Q_OBJECT
public:
    // Settings put into effect go to the target, when there is one (the main window).
    explicit SystemSetting(SettingsTarget* target = nullptr, QWidget* parent = nullptr);
    ~SystemSetting() override;

    static SystemSettingValues defaults();
    // A section colour as the section library keeps it: two decimals per channel.
    static osg::Vec4 sectionColour(const QColor& color);

    // Beside the program when its folder is writable, else in the user's configuration folder.
    static QString configPath();
    // Puts the file into another folder (tests); an empty folder restores the rule above.
    static void setConfigDirectory(const QString& directory);

    // The values of the file at the path: defaults for a missing file or key, damaged values clamped.
    static SystemSettingValues readValues(const QString& path);
    // Loads the file (defaults without one; nothing is written) and puts every value into effect.
    void readConfig();
    // False when the file could not be written; that is logged and told to the user.
    bool saveConfig();
    // The controls from the stored values.
    void updateWidgets();
    // Puts every stored value into effect.
    void emitAllSettings();
    // The chosen list from the keys (in order; keys without an action are left out), every other
    // action in the available list.
    void fillQuickAccessLists(const QStringList& keys);

    const SystemSettingValues& values() const { return m_values; }
    int markLineWidth() const { return m_markLineWidth; }

    // The animation editor's "ask again" flag; clearing it also unticks its box.
    bool infoShow() const { return m_values.infoShow; }
    void setInfoShow(bool show);

    Ui_SystemSettingWidget* form() const { return m_ui.get(); }
    // The colour button that edits the value of a colour key ("collisionColor", ...); null for others.
    ColorCombox* colorButton(const QString& key) const { return m_colorButtons.value(key); }
    QSpinBox* markLineWidthBox() const { return m_markLineWidthBox; }

signals:
    void breakroundColorChanged(QColor color);
    void groundGridColorChanged(QColor color);
    void notefontColorChanged(QColor color);
    void markColorChanged(QColor color);
    void sectionShowChanged(bool show);
    void sectionColorChanged(QColor color);
    void preselectionColorChanged(QColor color);
    void selectionColorChanged(QColor color);
    // The pair colour, then the contact-point colour.
    void CollisionColorChanged(QColor pairColor, QColor contactColor);
    void breakroundTransparentChanged(bool transparent);
    void ExactvalueChanged(float value);
    void unitTypeChanged(int unit);
    void FontSizeChanged(int size);
    void markLineWidthChanged(int width);
    void sectionTransparentChanged(int percent);
    void readPMIChanged(bool on);
    void readEdgeChanged(bool on);
    void mergeFaceChanged(bool on);
    void gridShowChanged(bool show);
    void AllowPreSelectedChanged(bool on);
    void AllowMultiSelectedChanged(bool on);
    void RoamHumanHeightChanged(int centimetres);
    void RoamSmartSelectBodyLength(bool on);
    void SmallFeatureCulling(int pixels);
    void QuickAccessChanged();

public slots:
    void on_treeWidgetitemClicked(QTreeWidgetItem* item, int column);
    void setQuickAccessChanged();
    void onbuttonOk();
    void onbuttonClose();
    void setmarkColor(QColor color);
    void setmarkLineWidth(int width);
    void setUnitType(int unit);
    void LogSelectpath();
    void setExactvalue(float value);
    void setFontSize(int size);
    void setFontColor(QColor color);
    void setCollisionColor(QColor pairColor, QColor contactColor);
    void setPreselectionColor(QColor color);
    void setSelectionColor(QColor color);
    void setBreakroundTransparentChanged(bool transparent);
    void defaultSetting();
    void setSectionShow(bool show);
    void setSectionColor(QColor color);
    void setSectionTransparent(int percent);
    void setAllowPreSelected(bool on);
    void setAllowMultiSelected(bool on);
    void setReadPMIChanged(bool on);
    void setReadEdgeChanged(bool on);
    void setMergeFaceChanged(bool on);
    void setGridShow(bool show);
    void on_Button_toLeft_clicked();
    void on_Button_toRight_clicked();
    void setSmallFeatureCulling(int pixels);

    // Cancel, Escape and the title bar's close button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // The main window's actions by key; the quick-access lists offer them.
    virtual QMap<QString, QAction*> actionMap() const;

private:
    void initPages();
    void setControls(const SystemSettingValues& values, int markLineWidth);
    SystemSettingValues readControls() const;
    void applyGrid(bool show, const QColor& color);
    void applyLogSettings();
    SceneView* sceneView() const;
    void requestViewFrame();
    static void moveCurrentItem(QListWidget* from, QListWidget* to);

    SettingsTarget* target() const;

    SettingsTarget* m_target = nullptr;
    // The target as an object, so a target already destroyed is never called.
    QPointer<QObject> m_targetObject;
    std::unique_ptr<Ui_SystemSettingWidget> m_ui;
    QMap<QString, ColorCombox*> m_colorButtons;
    QSpinBox* m_markLineWidthBox = nullptr;
    SystemSettingValues m_values;
    int m_markLineWidth = 1;
};
