#pragma once

#include "ribbonbar/SARibbonMainWindow.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QCompleter;
class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QSlider;
class QTableWidget;

class SceneView;
class MessageProcesser;
struct CopyDataStruct;

// The one top-level window: the 3D view in the centre, docks around it, the ribbon above.
// Pieces still to come are marked "pending" where the construction would call them.
class MainWindow : public SARibbonMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Action map look-up: null for a key that is not in the map.
    QAction* getAction(const QString& key) const;

    // Loads a model file; false for an empty or missing path (pending: the loader).
    bool loadFile(const QString& filePath);

    // Strips the built window down to the bare view for a host program.
    void setOcxMode();

    SceneView* sceneView() const { return m_sceneView; }
    bool isEmbedded() const { return m_embedded; }

    // Ribbon callbacks kept in step with the camera manipulator.
    void onPerspectiveCameraChanged(bool perspective);
    void onRoamModeChanged(int type);

    // UI scale of the screen that shows the window.
    Q_INVOKABLE double rateUI();
    static double scaleForDpi(double logicalDpi);

public slots:
    void resetDockFloating();

protected:
    // Every ribbon action under "<group>_<name>"; filled once by the ribbon builders.
    QMap<QString, QAction*> m_actionMap;
    QList<QDockWidget*> m_dockList;
    QList<QAction*> m_commandActions;

private:
    // Members in the window's declaration order; pointers start null.
    QTableWidget* m_collisionTable = nullptr;
    QDockWidget* m_collisionDock = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QDockWidget* m_viewDock = nullptr;
    QDockWidget* m_annotationDock = nullptr;
    QDockWidget* m_timelineDock = nullptr;
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
    QLabel* m_statusLabel1 = nullptr;
    QLabel* m_statusLabel2 = nullptr;
    float m_lodScale = 1.0f;
    bool m_searchCaseSensitive = false;
    QCompleter* m_searchCompleter = nullptr;
    QModelIndex m_lastSearchHit;
    SceneView* m_sceneView = nullptr;
    osg::ref_ptr<osg::Node> m_lastAddedNode;
    bool m_embedded = false;
    bool m_modelHasGeoLine = true;
    bool m_modelHasGeoFace = true;

    // Host channel.
public:
    // Opens the host channel under the embedded-mode window title and takes its records.
    bool listenForHost(const QString& title);
    // Entry point of every record a host sends: executes it and sends the answer back.
    void receiveHostRecord(const CopyDataStruct& data);

protected:
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;

private:
    std::shared_ptr<MessageProcesser> m_messageProcesser; // made on the first host record
};
