#pragma once

#include "app/ObjectLoader.h"
#include "automation/HostOperations.h"
#include "dialogs/SettingsTarget.h"
#include "ribbonbar/SARibbonMainWindow.h"
#include "vantor/command/BaseViewCommand.h"
#include "vantor/command/NodePtrList.h"
#include "vantor/property/ResetTransformCommand.h"
#include "vantor/command/ViewDirectionCommand.h"
#include "view/OsgModelMergeListener.h"

#include <osg/Camera>
#include <osg/Node>
#include <osg/Vec4f>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <QColor>
#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QPair>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QShortcut;
class QAbstractItemModel;
class QImage;
class QKeyEvent;
class QTimer;
class QComboBox;
class QDateTime;
class QMenu;
class QPushButton;
class QCompleter;
class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QSlider;
class QSpinBox;
class QColorDialog;
class PosterImageDialog;
class MainWindowEffectListener;
class QTableWidget;
class QTableWidgetItem;

class SceneView;
class SceneModel;
class PickingHandler;
class ObjectLoader;
class OsgTreeModel;
class CoordinationWidget;
class CollisionDialog;
class CombineProcessDialog;
class SystemSetting;
class PreferencesWidget;
class TimelineDialog;
class MainWindowAnimationManagerListener;
class MainWindowWalkCommandListener;
namespace Vantor {
class EffectManager;
class AnimationEditorUI;
class AnimationKeyFrameEditor;
class Command;
}
using AnimationEditorUI = Vantor::AnimationEditorUI;
class AboutDialog;
class BookmarkDialog;
class BookmarkWidget;
struct BookmarkRefreshReceiver;
class UserViewManagerChangedListener;
class QCloseDockWidget;
class QTextBrowser;
class Ui_dockWidgetBookmark;
class Ui_logDock;
class Ui_propertyDock;
class Ui_statisticsDock;
class Ui_treeDock;
class MessageProcesser;
class CToolkit;
class SARibbonCategory;
struct CopyDataStruct;
struct RibbonActionRow;
struct RibbonTool;

// The one top-level window: the 3D view in the centre, docks around it, the ribbon above.
class MainWindow : public SARibbonMainWindow, public SettingsTarget, public HostOperations
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Action map look-up: null for a key that is not in the map.
    QAction* getAction(const QString& key) const;

    // The ribbon (app/MainWindowRibbon*.cpp): built once by the constructor.
    void initRibbon();
    void initApplicationMenu(QMenu* menu);
    void initHomeCategory(SARibbonCategory* page);
    void initViewCategory(SARibbonCategory* page);
    void initRoamCategory(SARibbonCategory* page);
    void initReviewCategory(SARibbonCategory* page);
    void initProfileCategory(SARibbonCategory* page);
    void initConversionCategory(SARibbonCategory* page);
    void initRelationCategory(SARibbonCategory* page);
    void initAnimationCategory(SARibbonCategory* page);
    void initHelpCategory(SARibbonCategory* page);
    void initDistanceMenu(QMenu* menu);
    void initAngleMenu(QMenu* menu);
    void initLengthMenu(QMenu* menu);
    void initDiameterMenu(QMenu* menu);
    void initMeasurePropertyMenu(QMenu* menu);
    void initAlignmentMenu(QMenu* menu);
    void initNoteMenu(QMenu* menu);
    void initViewDirectionMenu(QMenu* menu);
    void initWindowMenu(QMenu* menu);
    void initRenderModeMenu(QMenu* menu);
    void initBasicViewMenu(QMenu* menu);
    void initKeyframeDeleteMenu(QMenu* menu);
    // The slider menu of "Basic_Transparency" (MainWindowDisplayActions.cpp).
    void initTransparencyMenu(QMenu* menu);

    QStringList actionKeys() const { return m_actionMap.keys(); }
    const QList<QAction*>& commandActions() const { return m_commandActions; }
    const QList<QAction*>& directionActions() const { return m_directionActions; }
    const QList<SARibbonCategory*>& categoryPages() const { return m_categoryPages; }
    CToolkit* toolkit() const { return m_toolkit; }
    QPushButton* exitFullScreenButton() const { return m_exitFullScreenButton; }
    QAction* quickSaveAction() const { return m_quickSaveAction; }
    QDoubleSpinBox* roamVelocityBox() const { return m_roamLinearVelocity; }
    QDoubleSpinBox* roamFovyBox() const { return m_roamStep; }
    QDoubleSpinBox* roamAngularVelocityBox() const { return m_roamAngularVelocity; }
    QComboBox* playSpeedBox() const { return m_playSpeed; }
    float lodScale() const { return m_lodScale; }
    // A settings colour as sections take it: each channel c / 255 rounded to two decimals, alpha 1.
    QLabel* lodLabel() const { return m_statusLabel1; }
    QSlider* playTimeSlider() const { return m_timeSlider; }

    // Starts loading a model file; false for an empty or missing path, a file that is not a model,
    // or while another load or save runs.
    bool loadFile(const QString& filePath) override;
    // Back to the empty window.
    void unLoadFile() override;
    void clearModelData();
    // Enables or disables the whole working UI at once.
    void setGlobalMenuState(bool enabled);
    void setDocumentUiEnabled(bool enabled);

    // Snapshots: the picture size for a view camera (its viewport, 1024 x 768 without one), the date-named
    // path proposed in a folder, and the screen-capture program beside this one.
    static QSize snapshotSize(const osg::Camera* camera);
    static QString proposedSnapshotPath(const QString& folder, const QDateTime& when);
    static QString screenshotProgramPath();

    // Window settings, read once at construction and written once at destruction.
    void readSettings();
    void writeSettings();

    // Newest first, at most 10; a path already listed keeps its place.
    static void addRecentFile(const QString& path, QStringList& recentFiles);
    const QStringList& recentFiles() const { return m_recentlyOpenedFiles; }
    const QString& currentFile() const { return m_currentFile; }
    bool isBusy() const { return m_busy; }
    // Whether a save would write something else than the open model's file holds (its model, notes,
    // sections, measures, saved views or animation changed since it was read or saved).
    bool hasUnsavedChanges() const;
    // Before the open model goes (Quit, Open, Close): with unsaved changes, asks whether to save them,
    // discard them or keep the model open, and saves when asked to. True when the caller may go on.
    // In embedded mode the host's request decides: the changes go without a question (logged).
    bool maybeSaveChanges();
    // Why a document of the open model was read only in part; empty when it was read whole.
    QString documentReadInPart(const std::string& name) const { return m_documentState.readInPart(name); }

    SceneModel* sceneModel() const override { return m_sceneModel; }
    ObjectLoader* loader() const { return m_loader; }
    QList<QDockWidget*> dockList() const { return m_dockList; }
    QDockWidget* treeDock() const override { return m_treeDock; }
    CoordinationWidget* annotationPanel() const { return m_annotationPanel; }
    QDockWidget* viewDock() const override { return m_viewDock; }
    QDockWidget* annotationDock() const override { return m_annotationDock; }
    QTextBrowser* logBrowser() const;

    // Strips the built window down to the bare view for a host program.
    void setOcxMode();
    // Tells why start-up could not do what the command line asked: logged, and shown once the window
    // is up (only logged in embedded mode, where the host owns the window).
    void reportStartupProblem(const QString& text);

    SceneView* sceneView() const override { return m_sceneView; }
    bool isEmbedded() const { return m_embedded; }

    // Ribbon callbacks kept in step with the camera manipulator.
    void onPerspectiveCameraChanged(bool perspective);
    void onRoamModeChanged(int type);

    // UI scale of the screen that shows the window.
    Q_INVOKABLE double rateUI();
    static double scaleForDpi(double logicalDpi);

public slots:
    void resetDockFloating();

    void on_actionOpen_triggered();
    void on_actionOpenSample_triggered();
    void on_actionSave_triggered();
    void on_actionSaveAs_triggered();
    void on_actionUnload_triggered();
    void recentFileActivated(QAction* action);

    // The loader's results arrive as owning values, so the next load cannot pull them away.
    // A document load's whole result: the root first, then the documents and the saved views.
    void newLoadedModel(LoadedModel model);
    void newLoadedFile(osg::ref_ptr<osg::Node> root);
    void newLoadedAddModel(osg::ref_ptr<osg::Node> node, QModelIndex parent);
    void newNoteToModel(QString json);
    void newSectionToModel(QString json);
    void newMeasureToModel(QString json);
    void newAnimationToModel(QString json);
    void newViewToModel(osg::ref_ptr<osg::Node> view);
    // The file's documents as stored and what the program does not read.
    void newDocumentsToModel(LoadedDocuments documents);
    void loadFileFinish();
    void saveFileFinish();
    void saveFileFailed(QString path, QString reason);

    void printToLog(const QString& text);
    void printToLog(const QStringList& texts);
    // Shows a tool's prompt in the status bar; an empty tip takes the last prompt away, and only it.
    void onCommandTipChanged(const std::string& text);
    // Unchecks every command action, then checks the one (and its group button) of the named command.
    void updateCommandActions(const std::string& command);

    // Ribbon pages, the statistics overlay and the docks the ribbon shows (ribbon/, MainWindowDocks.cpp).
    void TabBarcurrentChanged(int index);
    void on_actionStats_triggered();
    void showCollisionList();
    void CollisionShowUI(bool shown);
    void on_actionClipSelectedNodes_triggerd(bool checked);
    void on_actionRomanThirdperson_triggered(bool checked);

    // Command-starting actions (MainWindowCommandActions.cpp).
    void on_actionCancel_triggered(bool checked);
    void on_actionNewbuilt_triggered(bool checked);
    void on_action3DNote_triggered(bool checked);
    void on_actionCompass_triggered(bool checked);
    void on_actionLockPosition_triggered(bool checked);
    void on_actionPntToPnt_triggered(bool checked);
    void on_actionPntToLineMeasure_triggered(bool checked);
    void on_actionPntToFaceMeasure_triggered(bool checked);
    void on_actionLineToLineMeasure_triggered(bool checked);
    void on_actionLineToFaceMeasure_triggered(bool checked);
    void on_actionFaceToFaceMeasure_triggered(bool checked);
    void on_actionCenterToCenterMeasure_triggered(bool checked);
    void on_actionShaftToShaftMeasure_triggered(bool checked);
    void on_actionLineToLineAngle_triggered(bool checked);
    void on_actionLineToFaceAngle_triggered(bool checked);
    void on_actionFaceToFaceAngle_triggered(bool checked);
    void on_actionLineDistance_triggered(bool checked);
    void on_actionEllipseDistance_triggered(bool checked);
    void on_actionRadiusDistance_triggered(bool checked);
    void on_actionDiameterDistance_triggered(bool checked);
    void on_actionSurfaceArea_triggered(bool checked);
    void on_actionVolume_triggered(bool checked);
    void on_actionPntsAlign_triggered(bool checked);
    void on_actionLinesAlign_triggered(bool checked);
    void on_actionFacesAlign_triggered(bool checked);
    void on_actionLineToFaceAlign_triggered(bool checked);
    void on_actionRectNote_triggered(bool checked);
    void on_actionCircleNote_triggered(bool checked);
    void on_actionEllipseNote_triggered(bool checked);
    void on_actionBrushNote_triggered(bool checked);

    // View and camera actions (MainWindowViewActions.cpp).
    void on_actionResetView_triggered();
    void on_actionPerspective_triggered(bool checked);
    void on_actionTrackballManipulatorRotation_triggered();
    void on_actionTrackballManipulatorPan_triggered(bool checked);
    void on_actionTrackballManipulatorZoom_triggered(bool checked);
    void on_actionFocusNode_triggered();
    void on_actionFullScreen_triggered(bool checked);
    void on_actionViewDirection_triggered();
    void on_actionXDirection_triggered();
    void on_actionYDirection_triggered();
    void on_actionZDirection_triggered();
    void on_actionXOppositeDirection_triggered();
    void on_actionYOppositeDirection_triggered();
    void on_actionZOppositeDirection_triggered();
    void on_actionFrontView_triggered();
    void on_actionBackView_triggered();
    void on_actionLeftView_triggered();
    void on_actionRightView_triggered();
    void on_actionTopView_triggered();
    void on_actionBottomView_triggered();
    void on_actionIsodraftView_triggered();
    void on_actionBookMarkBack_triggered();
    void on_actionBookMarkNext_triggered();
    void on_actionRoam_triggered(bool checked);
    void on_actionSetGravityMode_triggered(bool checked);
    void on_actionSetObstacleMode_triggered(bool checked);
    void on_actionViewChanged_triggered(Vantor::BaseViewType viewType);
    // Unchecks the other directions, checks the one under key and turns the model so that axis points up.
    void on_actionViewDirection_triggered(Vantor::ViewDirection direction, QString key);
    // Fits box, sections, grid and clip range to the turned model.
    void on_actionFinishDirection_triggered();
    // Sets the projection and relabels "Basic_Perspective" to offer the other one.
    void changeCameraPerperctive(PickingHandler* pickHandler, bool perpective);
    void on_actionSetRoamHome_triggered();
    void on_actionToRoamHome_triggered();
    void onStepLengthChanged(double value);
    // Level of detail: doubled up to 1000, halved down to 0.0001, back to 1; shown as "LOD x<scale>".
    void on_actionIncreaseLOD_triggered();
    void on_actionDecreaseLOD_triggered();
    void on_actionResetLOD_triggered();

    // Settings forwards and walker speeds (MainWindowSettingsForwards.cpp).
    void VelcityChanged(double value);
    void FovyChanged(double value);
    void AngularChanged(double value);
    // The walker's own values shown in the Roam page's boxes without feeding them back.
    void onVelcityChanged(double value);
    void onFovyChanged(double value);
    void onAngularVelocity(double value);
    void setQuickAccess(QList<QString> keys) override;
    void setPreselectionColor(QColor color) override;
    void setselectionColor(QColor color) override;
    void setSectionShow(bool show) override;
    void setSectionColor(QColor color) override;
    void setSectionTransparent(float value) override;
    void setAllowPreSelected(bool on) override;
    void setAllowMultiSelected(bool on) override;
    void setReadPMI(bool on) override;
    void setReadEdge(bool on) override;
    void serMergeFace(bool on) override;

    // Display and appearance actions (MainWindowDisplayActions.cpp).
    void on_actionNodeColor_triggered();
    void on_actionFlatRender_triggered();
    void on_actionLineRender_triggered();
    void on_actionPointRender_triggered();
    void on_actionBlankingRender_triggered();
    void on_actionTransparentShow_triggered();
    void on_actionShowEdgeLine_triggered();

    // Visibility, tree, section, transform and merge actions (MainWindowTreeActions.cpp).
    void on_actionDisableNode_triggered();
    void on_actionIsolateNode_triggered();
    void on_actionEnableNode_triggered();
    void on_actionSelectUpLevel_triggered();
    void on_actionModelCombine_triggered();
    void on_actionModelAutoCombine_triggered();
    void on_actionSetting_triggered();
    void on_actionQuit_triggered();
    void on_actionAddSection_triggerd(bool checked);
    void on_actionUpdateSection_triggerd(bool checked);
    void on_actionReverseSection_triggerd();
    void on_actionHideSectionPlane_triggerd();

    // Transform, explosion and reset actions (MainWindowTransformActions.cpp).
    void on_actionReset_triggerd(Vantor::ResetType type);
    void on_actionResetPosition_triggerd();
    void on_actionResetColor_triggerd();
    void on_actionResetTransparent_triggerd();
    void on_actionPlaneTransformDragger_triggerd(bool checked);
    void on_actionAxisTransformDragger_triggerd(bool checked);
    void on_actionRotationTransformDragger_triggerd(bool checked);
    void on_actionScaleTransformDragger_triggerd(bool checked);
    void on_actionUpdateAxisLocation_triggerd(bool checked);
    void on_actionRestAxisLocation_triggerd();
    void on_actionAxisExplodeDragger_triggerd(bool checked);
    void on_actionRadialExplodeDragger_triggerd(bool checked);
    void on_actionCenterExplodeDragger_triggerd(bool checked);

    // Undo, redo, help and about (MainWindowGeneralActions.cpp).
    void on_actionUndo_triggered();
    void on_actionRedo_triggered();
    void on_actionHelp_triggered();
    void on_actionAbout_triggered();

    // Snapshots (MainWindowSnapshots.cpp) and note files (MainWindowViewTools.cpp).
    void on_actionSnapShot_triggered();
    void on_actionScreenshot_triggered();
    // The view's screen-capture handler delivered a picture.
    void takeIntoAccountScreenshot();
    void on_actionImputJson_triggered();
    void on_actionExportJson_triggered();

    // Animation actions (MainWindowAnimationActions.cpp).
    void on_actionLoadrootscene_triggerd();
    void on_actionSaverootscene_triggerd();
    void on_actionPlayAnimation_triggerd(bool checked);
    void on_actionPauseAllAnimation_triggerd();
    void on_actionStopAnimation_triggerd();
    void on_reversePlayMode_triggerd(bool checked);
    void on_loopPlayMode_triggerd(bool checked);
    void on_actionCameraPlayMode_checked(bool checked);
    void on_actionTimeset_triggered();
    void on_actionTimelineSure_triggered();
    void setAnimationPlayTime(int value);
    void on_actionSpeedPlayChanged_triggerd(int index);
    void on_actionDeleteAllKeyframe_triggerd();
    void on_actionDeleteSelectKeyframe_triggerd();
    void on_actionDeleteCameraKeyframe_triggerd();
    void on_actionPlayAnimationNextFrame_triggerd();
    void on_actionSetAnimationRevesePlay_triggerd();
    void on_actionResumeAnimation_triggerd();
    void on_actionRestartAllAnimation_triggerd();
    void on_actionClearAllAnimation_triggerd();
    // Shows the timeline dock when hidden, hides it when shown.
    void on_actionTimeline_triggered();

    // The Relation page (MainWindowCollisionActions.cpp).
    void on_actionCollisionSetting_triggered();
    void hideCollisionEffect();
    void showCollisionPart(bool shown);

signals:
    void newFileToLoad(const QString& path, bool withParts, ObjectLoader::LoadFileValueType type);
    void addFileToLoad(const QString& path, bool withParts, const QModelIndex& parent, ObjectLoader::LoadFileValueType type);
    void saveDocument(const QString& path, const ModelSaveRequest& request);
    void readPMI(bool on);
    void readEdge(bool on);
    void mergeFace(bool on);
    void treeViewDataChanged(void* command);

protected slots:
    // Fills the command manager's factories with every interactive command the window can ask for.
    void registerCommand();

protected:
    void initUI();
    void connectSnapshotSignals();
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Refuses a second load or save while one runs; true when the caller may go on.
    bool refuseWhileBusy();
    // Collects the model and its documents now and hands them to the loader; false (nothing started)
    // when the user declined to save documents that were read only in part.
    bool startSave(const QString& path);
    // Saves to the current file and waits for the end; true when the file was written.
    bool saveAndWait();
    // A document's name as the user knows it ("notes" for "note").
    static QString documentTitle(const std::string& name);

    // One ribbon action made, stored, listed and connected as its row says (app/MainWindowRibbon.cpp).
    QAction* createRibbonAction(const RibbonActionRow& row);
    void fillCategory(SARibbonCategory* page, const RibbonActionRow* rows, int count);
    void fillMenu(QMenu* menu, const RibbonActionRow* rows, int count, QList<QAction*>* list = nullptr);
    // The style every drop-down menu of the ribbon shares; the menu owns its style object.
    static void styleRibbonMenu(QMenu* menu, bool withSheet);
    // Accessible names for the view, the status labels and the search field.
    void nameControls();

protected:
    // Every ribbon action under "<group>_<name>"; filled once by the ribbon builders.
    QMap<QString, QAction*> m_actionMap;
    QList<QDockWidget*> m_dockList;
    QList<QAction*> m_commandActions;
    QList<QAction*> m_directionActions;
    QList<SARibbonCategory*> m_categoryPages;

private:
    // Members in the window's declaration order; pointers start null.
    Ui_dockWidgetBookmark* m_bookmarkForm = nullptr;
    Ui_propertyDock* m_propertyForm = nullptr;
    Ui_statisticsDock* m_statisticsForm = nullptr;
    Ui_treeDock* m_treeForm = nullptr;
    Ui_logDock* m_logForm = nullptr;
    QTableWidget* m_collisionTable = nullptr;
    QDockWidget* m_collisionDock = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QDockWidget* m_viewDock = nullptr;
    QDockWidget* m_annotationDock = nullptr;
    QCloseDockWidget* m_timelineDock = nullptr;
    AnimationEditorUI* m_animationEditor = nullptr;
    QAction* m_quickSaveAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_closeAction = nullptr;
    QDoubleSpinBox* m_roamLinearVelocity = nullptr;
    QDoubleSpinBox* m_roamStep = nullptr;
    QDoubleSpinBox* m_roamAngularVelocity = nullptr;
    QComboBox* m_playSpeed = nullptr;
    QSlider* m_timeSlider = nullptr;

public:
    QString lastDirectory;
    QString lastDirectorySnapshot;

private:
    QString m_snapshotBaseName = QStringLiteral("snapshot");
    int m_snapshotCounter = 0;
    QString m_currentFile;
    QString m_applicationName = QStringLiteral("NerioViewer");
    QString m_applicationVersion = QStringLiteral("1.0.0");
    QStringList m_recentlyOpenedFiles;
    bool m_splashscreenAtStartup = true;
    bool m_splashscreenTransparentBackground = true;
    bool m_resetConfig = false;
    bool m_watermark = false;
    bool m_inverseMouseWheel = false;
    bool m_displayTrackballHelper = false;
    QString m_currentLanguage;
    osg::ref_ptr<osg::Node> m_loadedRoot;
    OsgTreeModel* m_treeModel = nullptr;
    SceneModel* m_sceneModel = nullptr;
    QLabel* m_statusLabel1 = nullptr;
    QLabel* m_statusLabel2 = nullptr;
    float m_lodScale = 1.0f;
    ObjectLoader* m_loader = nullptr;
    bool m_searchCaseSensitive = false;
    QCompleter* m_searchCompleter = nullptr;
    QPersistentModelIndex m_lastSearchHit; // invalid once its row goes with a reset
    CollisionDialog* m_collisionDialog = nullptr;
    SceneView* m_sceneView = nullptr;
    SystemSetting* m_systemSetting = nullptr;
    CoordinationWidget* m_annotationPanel = nullptr;
    osg::ref_ptr<osg::Node> m_lastAddedNode;
    bool m_embedded = false;
    bool m_modelHasGeoLine = true;
    bool m_modelHasGeoFace = true;
    CombineProcessDialog* m_combineDialog = nullptr;
    QPushButton* m_exitFullScreenButton = nullptr;
    CToolkit* m_toolkit = nullptr;
    bool m_busy = false; // a load or a save runs
    DocumentState m_documentState;
    // The save under way, for the document state once the file is written.
    struct PendingSave {
        bool active = false;
        bool toCurrentFile = false;
        DocumentState::Plan plan;
        DocumentTexts texts;
        std::uint64_t scene = 0;
    } m_pendingSave;
    QList<QWidget*> m_parentlessDocks; // property, statistics and log docks: no Qt parent, deleted here

    // Animation (MainWindowAnimation.cpp).
public:
    // Puts the keyframe timeline editor into the timeline dock and ties the animation manager to the
    // window; once (a second call does nothing).
    void initAnimationDock();
    AnimationEditorUI* animationEditor() const { return m_animationEditor; }
    TimelineDialog* timelineDialog() const { return m_timelineDialog; }
    // The scene's keyframe editor; null before the view has one.
    Vantor::AnimationKeyFrameEditor* keyFrameEditor() const;
    QDockWidget* timelineDock() const;
    // Replaces the animation by the document's; a document that does not load changes nothing and
    // gives false with the reason.
    bool loadAnimationDocument(const QString& json, QString* error = nullptr);
    // Empties the animation (unloading a model).
    void resetAnimation();
    // ".Animation" files: asks for the file, reports a failure; false when nothing was saved or loaded.
    bool saveAnimationFile();
    bool loadAnimationFile();

public slots:
    void on_AnimationDock_featuresChanged(bool shown);
    void onAnimationPlayTimeChanged(float time);

private:
    TimelineDialog* m_timelineDialog = nullptr;
    osg::ref_ptr<MainWindowAnimationManagerListener> m_animationListener;
    osg::ref_ptr<MainWindowWalkCommandListener> m_walkListener; // registered on the walker by the Roam page

    // Structure tree, its search field and the property panels (MainWindowTree.cpp).
public slots:
    // Tree click to scene selection; an invalid index unselects everything.
    void nodeSelected(const QModelIndex& index);
    // Scene selection to tree: the picked node's (or the first top-level node's) row is revealed.
    void selectTreeItem(osg::Node* node);
    void selectTreeItem(NodePtrList& nodes);
    // Find-next of the search field's text in the tree, by exact name.
    void on_lineEditSearch_returnPressed();
    void on_lineEditSearch_caseSensitiveToggled(bool on);
    // The shown node may have changed (hidden, moved, renamed, undone): the open property panel is
    // filled again once the current changes are through.
    void refreshNodeProperties();

signals:
    void editTreeItem(const QModelIndex& index);

protected:
    void initTreePanels();
    void initAnnotationPanel();
    // Searches the subtree of start (the whole tree for an invalid one); the result becomes the last
    // hit, and a hit is made current, selected and framed.
    bool selectMatchingTreeItem(const QModelIndex& start, const QString& text);
    // The property panel shows the node while its dock is open; it is filled again when the dock opens.
    void showNodeProperties(osg::Node* node);
    // The view's selected rows become those whose node carries the selected flag, the rows the tree
    // paints as selected.
    void syncTreeSelection();

private:
    osg::observer_ptr<osg::Node> m_propertyNode;
    QTimer* m_propertyRefresh = nullptr;
    QString m_shownTip; // the tool prompt the status bar shows last

    // Tree context actions, assembly editing and merging (MainWindowTreeActions.cpp).
public:
    // The context menu of a tree row, built but not shown (null for a position without a row).
    QMenu* treeContextMenu(const QPoint& position);
    const QList<QAction*>& treeActions() const { return m_treeActions; }
    const QList<QShortcut*>& treeShortcuts() const { return m_treeShortcuts; }
    void setTreeShortcutsEnabled(bool enabled);
    // The selection's top-level nodes, else the current row's node.
    std::vector<osg::ref_ptr<osg::Node>> getCopyNodes() const;
    void expandRecursively(const QModelIndex& index);
    void collapseRecursively(const QModelIndex& index);
    // The row after index in depth-first order (first child, else the next sibling of the nearest
    // ancestor that has one), wrapping to the first top row after the last row.
    static QModelIndex nextDepthFirst(const QAbstractItemModel* model, const QModelIndex& index);
    // The next row after lastHit (depth first, wrapping) that matches; lastHit itself when it is the
    // only one; invalid when none matches.
    static QModelIndex findNextMatch(const QAbstractItemModel* model, const QModelIndex& lastHit,
                                     const std::function<bool(const QModelIndex&)>& matches);
    // Puts a merge result into the scene; returns the model that replaces the whole scene, if any
    // (the caller then makes it the document). Entries after a whole-scene one are ignored.
    static osg::ref_ptr<osg::Node> applyMergeResult(const Vantor::MergeResultMap& result);
    // The last merge, kept until the next one so its thread can finish.
    std::shared_ptr<Vantor::Command> mergeCommand() const { return m_mergeCommand; }

public slots:
    void on_treeViewStructure_customContextMenuRequested(const QPoint& position);
    void on_actionDeleteNode_triggered();
    void on_actionCutNode_triggered();
    void on_actionCopyNode_triggered();
    void on_actionPasteNode_triggered();
    void on_actionInsertNode_triggered();
    void on_actionDragAssembly_triggered(const QList<osg::Node*>& nodes, const QModelIndex& target);
    void on_actionCreateAssembly_triggered();
    void on_actionRenameNode_triggered();
    void on_actionExpandTree_triggered();
    void on_actionCollapseTree_triggered();
    void on_actionPreferences_triggered();
    void on_treeDockVisibility_Changed(bool visible);
    void findnodeChild(osg::Node* node, NodePtrList& models);
    void nodeSelectedCoor(NodePtrList nodes, bool clearFirst);
    void nodeUnSelectedCoor(NodePtrList nodes);
    void on_ModelCombine_triggered(MergeResultPtr result);

protected slots:
    void onTreeviewDataChanged(void* command);

signals:
    void modelCombineClear();

protected:
    void initTreeActions();
    void initModelCombine();
    void runAssemblyCommand(const std::shared_ptr<Vantor::Command>& command);
    void askToMerge(const QStringList& rules, const std::function<void(Vantor::Command&)>& setUp);
    // Hangs a model read for "insert" under the row it was asked for, when that row still exists.
    void attachInsertedModel(osg::Node* node);

private:
    QList<QAction*> m_treeActions;
    QList<QShortcut*> m_treeShortcuts;
    QPointer<QMenu> m_treeMenu;
    std::shared_ptr<Vantor::Command> m_mergeCommand;
    bool m_mergeFaces = false;
    osg::observer_ptr<osg::Node> m_insertTarget;

    // Host channel.
public:
    // Opens the host channel under the embedded-mode window title and takes its records.
    bool listenForHost(const QString& title);
    // Entry point of every record a host sends: executes it and sends the answer back.
    void receiveHostRecord(const CopyDataStruct& data);

protected:
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;

private:
    std::shared_ptr<MessageProcesser> m_messageProcessor; // made on the first host record

    // Operations a host asks for (MainWindowHost.cpp). Ids and values come from another process: an id
    // that names nothing answers as not found (true, "", 1.0, 0 or false) and changes nothing.
public:
    // Model id 0 stands for the document's top model; null when nothing is loaded or no model has the id.
    osg::Node* hostTargetModel(quint64 id) const;
    // The id of the document's top model, 0 when there is none.
    quint64 topModelId() const override;

    QString getAllNoteIds() override;
    QString addNotesFromFile(int position, const QString& path) override;
    QString addNotesFromValue(int position, const QString& json) override;
    bool saveNoteToFile(quint64 noteId, const QString& path) override;
    bool saveAllNotesToFile(const QString& path) override;
    QString getAllNotesValue() override;
    QString getNoteValue(quint64 noteId) override;
    QString getAllViewIds() override;
    QString addViewsFromFile(int position, const QString& path) override;
    QString addViewsFromValue(int position, const QString& json) override;
    bool saveAllViewsToFile(const QString& path) override;
    QString getAllViewsValue() override;
    QString getViewValue() const { return QStringLiteral(""); }
    bool loadView(quint64 viewId) override;

    quint64 createTopModel(const QString& name) override;
    QString getChildrenModelIds(quint64 modelId) override;
    quint64 addModel(quint64 parentId, int position, const QString& path) override;
    bool removeModel(quint64 modelId) override;
    bool openRemoteBom(const QString& text) override;
    bool insertRemoteBom(quint64 modelId, const QString& text) override;
    QString saveRemoteBom() override;
    bool updateModelBom(const QString& text) override;
    // 3: every ribbon page but Animation; 4 to 11: one page; 12: the status bar. Visible also shows the bar.
    void setWidgetVisible(int type, bool visible) override;

public slots:
    bool getModelVisible(quint64 id) override;
    void setModelVisible(quint64 id, bool visible) override;
    QString getModelColor(quint64 id) override;
    // Channels 0..255 (clamped); a NaN channel leaves the model as it is.
    void setModelColor(quint64 id, float r, float g, float b) override;
    float getModelTransparent(quint64 id) override;
    // 0..1 (clamped); NaN leaves the model as it is.
    void setModelTransparent(quint64 id, float value) override;
    bool openOneCommand(const QString& name) override;
    void closeOneCommand() override;
    // A user-defined button tells the host its action's data.
    void on_actionUserDefineButtonTriggered();

private:
    // Colour (type 1) or transparency (type 2) of one model as one undo step.
    void applyHostMaterial(osg::Node* target, const osg::Vec4f& colour, double value, int type);

    // Interference check (MainWindowCollision.cpp).
public:
    // Shows the interference-check dialog, with no interactive command running.
    void showCollisionDialog();
    CollisionDialog* collisionDialog() const { return m_collisionDialog; }
    QTableWidget* collisionTable() const { return m_collisionTable; }
    QDockWidget* collisionDock() const { return m_collisionDock; }

public slots:
    // A result row clicked: the dialog shows that result in 3D.
    void on_CollisionTable_itemClicked(QTableWidgetItem* item);
    // With false: empty result table, no highlight, empty object lists, the list action unchecked.
    void on_CollisionDock_featuresChanged(bool shown);
    // Colours of the result display: the pair, then the contact points.
    void setCollisionColor(const QColor& pairColour, const QColor& contactColour) override;

private:
    void initCollision();
    void setupCollisionTable();

    // System settings and preferences (MainWindowSystemSetting.cpp).
public:
    // Every ribbon action by its key.
    QMap<QString, QAction*> getActions() const override { return m_actionMap; }
    SystemSetting* systemSetting() const { return m_systemSetting; }
    PreferencesWidget* preferencesWidget() const { return m_preferences; }
    // The ribbon's system-setting and preferences commands open these.
    void showSystemSetting();
    void showPreferences();
    const QString& currentLanguage() const { return m_currentLanguage; }
    bool watermark() const { return m_watermark; }

    // Snapshots are taken on a transparent background when set (the system settings write it).
    bool snapshotTransparentBackground = false;
    void setSnapshotTransparentBackground(bool transparent) override { snapshotTransparentBackground = transparent; }

public slots:
    // The preferences dialog was accepted: its check boxes and language become the window's.
    void setPreferences();

private:
    PreferencesWidget* m_preferences = nullptr;

    // Undo, redo, keys, command tips, log, menu state, watermark, restart, help, about
    // (MainWindowGeneral.cpp).
public:
    // Undo and redo also drop the hover highlight (dropHoverHighlight).
    void undoLastCommand();
    void redoLastCommand();
    void dropHoverHighlight();
    // Opens the help document with the desktop's viewer; says so when it is missing or cannot be opened.
    void openHelpDocument();
    static QString helpDocumentPath();
    // The About box, made on first use, shown without blocking.
    void showAboutDialog();
    // Full-screen layout: the bars and the visible docks are hidden (and remembered), then shown again.
    void hideBarsAndDocks();
    void showBarsAndDocks();
    // The group button under groupKey takes the icon of the action under itemKey.
    void setGroupActionIcon(const QString& itemKey, const QString& groupKey);
    // A command-starting slot of a tool (MainWindowCommandActions.cpp): cancel, gate, queue. The first
    // returns whether the command was queued; the second also gives the group button its icon.
    bool startCommandSlot(const RibbonTool& tool, bool checked);
    void startCommandRow(const RibbonTool& tool, bool checked);
    // Paints the watermark into the lower left corner of a snapshot.
    void drawWatermark(QImage& image);
    // What a restart runs: this program (by its absolute path) with the arguments it was given after it.
    static QPair<QString, QStringList> restartCommand(const QStringList& arguments);

public slots:
    void on_actionESC_triggered();
    void on_pushButtonSaveLog_pressed();
    void on_pushButtonClearLog_pressed();
    // Every 500 ms: selection- and bookmark-dependent actions, and the GL surface after a screen change.
    void updateGloablMenuState();
    void restart();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void initGeneral();
    void runDirection(int direction, const char* key);
    void applyLodScale();
    bool hasLoadedModel() const { return m_loadedRoot.valid(); }

    QList<QDockWidget*> m_recordedDocks; // hidden by the full-screen layout
    AboutDialog* m_aboutDialog = nullptr;
    QTimer* m_menuStateTimer = nullptr;

    // Bookmarks: the saved views as the bookmark panel shows them (MainWindowBookmarks.cpp).
public:
    BookmarkWidget* bookmarkPanel() const;
    // Apply the bookmark after, or before, the current one.
    void showNextBookmark();
    void showPreviousBookmark();
    // The bookmark file beside a model: "<folder>/<name without its last extension>.bmk"; read falls back to
    // the name up to the first dot when only that file exists (empty when neither does).
    static QString bookmarkFileToWrite(const QString& modelPath);
    static QString bookmarkFileToRead(const QString& modelPath);
    qint64 lastBookmarkTime() const { return m_lastBookmarkTime; }

public slots:
    void on_actionNewBookmark_triggered();
    void useBookmarkItem(qint64 id);
    void updateBookmarkItem(qint64 id);
    void on_actionclearAllBookItems_triggered();
    void on_actionRemoveBookItemByIndex_triggered(unsigned int row);
    void on_actionSaveBookmarks_triggered();

private:
    void initBookmarks();
    void loadBookmarksBesideModel();
    void clearBookmarkPanel();

    BookmarkDialog* m_bookmarkDialog = nullptr;
    qint64 m_lastBookmarkTime = 0;
    QString m_unreadBookmarkFile; // beside the open model but unreadable: never written over
    std::shared_ptr<BookmarkRefreshReceiver> m_bookmarkRefresh;
    std::shared_ptr<UserViewManagerChangedListener> m_viewListener;

    // Display and appearance: background, grid, shadows, render modes, colour and transparency of the
    // selection, compass, poster (MainWindowDisplayActions.cpp).
public:
    QSlider* transparencySlider() const { return m_transparencySlider; }
    QSpinBox* transparencySpinBox() const { return m_transparencySpin; }
    // The node-colour dialog while it exists, and the nodes it recolours (taken when it was opened).
    QColorDialog* nodeColorDialog() const { return m_nodeColorDialog; }
    const NodePtrList& nodeColorTargets() const { return m_nodeColorTargets; }
    PosterImageDialog* posterDialog() const { return m_posterDialog; }
    // Moves the transparency slider to the node's opacity (x 100) without applying anything.
    void showNodeTransparency(osg::Node* node);
    // Render-mode, lighting, edge and face checks from the effect manager's state.
    void updateEffectActions(Vantor::EffectManager* manager);

public slots:
    void on_actionBackgroundColor_triggered();
    void on_actionBackgroundColor(QColor color);
    void on_actionGroundGridColor(QColor color);
    void on_actionGridColor_triggered(QColor& color);
    void on_actionGrid_triggered(bool on);
    void on_actionBackgroundType_triggered(bool flat);
    void on_actionShadow_triggered(bool on);
    void on_actionHighLight_triggered(bool on);
    void on_actionLight_triggered(bool on);
    void on_actionBackFace_triggered(bool on);
    void on_actionOptimize_triggered(bool on);
    void on_actionFacesetShow_triggered();
    void on_actionOpenLightRender_triggered();
    void on_actionBoxRender_triggered();
    void on_actionTexture_triggered(bool checked);
    void on_actionPoster_triggered();

protected slots:
    void setNodeTransparent();

private:
    void applyNodeColor(const QColor& color);

    QSlider* m_transparencySlider = nullptr;
    QSpinBox* m_transparencySpin = nullptr;
    bool compassShown = false;
    QColorDialog* m_nodeColorDialog = nullptr; // one, reused; a child of the window
    NodePtrList m_nodeColorTargets;
    PosterImageDialog* m_posterDialog = nullptr;
    osg::ref_ptr<MainWindowEffectListener> m_effectListener;
};
