#pragma once

#include "view/ISelectionDecorator.h"
#include "view/OsgWidget.h"
#include "vantor/collision/CollisionInfoDecorator.h"
#include "vantor/collision/CollisionManager.h"
#include "vantor/command/ISceneView.h"
#include "vantor/command/NodePtrList.h"

#include <osg/AutoTransform>
#include <osg/BoundingBox>
#include <osg/BoundingSphere>
#include <osg/ClearNode>
#include <osg/Group>
#include <osg/Image>
#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/Switch>
#include <osgShadow/ShadowedScene>

#include <QColor>
#include <QSize>
#include <QString>

#include <string>

#include <functional>
#include <memory>

namespace Vantor {
class AnimationKeyFrameEditor;
class AnimationManager;
class CollisionInfoDecorator;
class CollisionManager;
class CommandManager;
class EffectManager;
class ISelectionManager;
class ManipulatorState;
class MeasureManagerChangedListener;
class SceneStateObserverManager;
class WalkerManipulator;
}

class AutoDirectionLightCallback;
class AutoGridShowCallback;
class AutoPointLightCallback;
class CombineCommandHandler;
class CToolkit;
class FileProgressWidget;
class MeasureProperty;
class OsgModelMergeListener;
class PickingHandler;
class QAction;
class QMenu;
class SceneModel;
class SelectionManager;

// The kind of camera manipulator in the view: 0 the trackball, 3 the walker.
using ManipulatorType = int;

// The 3D view at the centre of the main window: the render widget plus the view's fixed scene graph
// (backdrop, gradient background, grid, axis, the shadowed root the model hangs under, scene-state
// observers, pivot sign), its camera manipulator, selection and command manager.
class SceneView : public OsgWidget, public Vantor::ISceneView
{
    Q_OBJECT
public:
    explicit SceneView(QWidget* parent = nullptr);
    ~SceneView() override;

    // Vantor::ISceneView
    const osg::BoundingBoxd& getSceneBoundingBox() override;
    Vantor::ISelectionManager* getSelectionManager() override;
    Vantor::ISelectionManager* setSelectionManager(Vantor::ISelectionManager* manager) override;

    // Gives the node a constant-alpha blend (fully transparent at 0). False only for a null node.
    static bool setNodeTransparency(osg::Node* node, float alpha);

    std::shared_ptr<Vantor::CommandManager> getCommandManager() const { return m_commandManager; }
    // Hangs the scene model's subgraph under the root node and shares the view's command manager with it.
    void setSceneModel(SceneModel* model);
    SceneModel* getSceneModel() const { return m_sceneModel; }
    // The scene model's effect manager; null while no scene model is attached.
    osg::ref_ptr<Vantor::EffectManager> getEffectManager() const;
    osg::ref_ptr<PickingHandler> getPickingHandler() const;
    osg::ref_ptr<Vantor::AnimationKeyFrameEditor> getAnimationKeyFrameEditor() const;
    osg::ref_ptr<Vantor::AnimationManager> getAnimationManager() const;
    std::shared_ptr<OsgModelMergeListener> getModelMergeListener() const { return m_mergeListener; }

    // Parts of the view's scene graph.
    osg::Group* getSceneGroup() const { return m_sceneGroup.get(); }
    osg::ClearNode* getBackdrop() const { return m_backdrop.get(); }
    osg::Node* getBackground() const { return m_background.get(); }
    const osg::Vec4Array* getBackgroundColors() const { return m_backgroundColors.get(); }
    osg::MatrixTransform* getGrid() const { return m_grid.get(); }
    osg::MatrixTransform* getAxis() const { return m_axis.get(); }
    osgShadow::ShadowedScene* getRootNode() const { return m_rootNode.get(); }
    osg::AutoTransform* getPivotSign() const { return m_pivotSign.get(); }
    osg::Switch* getPivotSwitch() const;
    Vantor::SceneStateObserverManager* getSceneStateObservers() const;
    FileProgressWidget* getProgressWidget() const { return m_progressWidget; }
    // The floating tool strip over the view, made on the first call.
    CToolkit* getToolkit();
    const osg::Vec4f& getBackgroundColor() const { return m_backgroundColor; }
    const osg::Vec4f& getGridColor() const { return m_gridColor; }
    const QString& getLastDirectory() const { return m_lastDirectory; }

    // Called with the new manipulator type after each manipulator switch.
    std::function<void(ManipulatorType)> onManipulatorChanged;

    // The scene model's effect manager (null without a scene model) and the walker (made on first use).
    Vantor::WalkerManipulator* getWalkerManipulator();
    ManipulatorType getManipulatorType() const { return m_manipulatorType; }
    // Saved views: the current manipulator and its pose into the record, and back (the switch is forced).
    void captureManipulatorState(Vantor::ManipulatorState& state);
    void applyManipulatorState(const Vantor::ManipulatorState& state);
    // Makes the key-frame editor and the animation manager; needs the scene model attached first.
    void initAnimation();
    bool isViewResetPending() const { return m_viewResetPending; }

    // Recent-command menu: the display text of a command class name (the class name itself when no
    // translation has one), its icon path (empty when it has none), and the menu's entries.
    QString translateCommandName(const std::string& name) const;
    static QString recentCommandIconPath(const std::string& name);
    void fillRecentCommandMenu(QMenu* menu);

    // Notes to and from a "*.note" file, the file chosen through the prompts.
    void exportNotes(const QString& modelPath);
    void importNotes();
    // Default note file name for a model path: "D:/m/pump.dazo" gives "pump.note".
    static QString defaultNoteFileName(const QString& modelPath);

    // The area and volume result panel ("SurfaceArea", "Volume").
    void showMeasureProperty(const std::string& kind);
    void hideMeasureProperty();
    void placeMeasureProperty();
    MeasureProperty* getMeasureProperty() const { return m_measurePanel; }
    float getGridStep() const { return m_gridStep; }
    bool isGridShown() const { return m_gridShown; }

public slots:
    void resetHome();
    void resetView(bool pending);
    void resetView();
    void pickGeometry(osg::Drawable* drawable);
    void setFlatBackgroundColor(bool flat);
    void updateGrid();
    void hideGrid();
    void updateWhenSceneBoxChanged(bool force);
    void updateWhenSceneBoxChanged();
    void updateCamearNearAndFarClip();
    void setGridShow(bool shown);
    // One colour, shaded from lighter (top) to darker (bottom).
    void setBgColor(QColor color);
    // A gradient from begin (top) to end (bottom); an invalid end shades begin alone.
    void setBgGradient(QColor begin, QColor end);
    void setGridColor(QColor color);
    void setShadowEnabled(bool on);
    void setCompassEnabled(bool on);
    bool isCompassEnabled();
    void recenterPivotPoint(double x, double y, double z);
    void showPivot();
    void showZoomIn();
    void showZoomOut();
    void showDrag();
    void ProgressShown(bool shown);
    void home();
    void on_actionRecentlyCommand_triggered(QAction* action);
    void setEnabledTrackbalHelper(bool on);
    void setEnabledInverseMouseWheel(bool on);
    bool highlight(osg::Node* node);
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeManipulator(ManipulatorType type, bool force);
    void changeManipulator(ManipulatorType type);
    void OpenAutoDirectionalLight();
    void CloseAutoDirectionalLight();

    // The decorators of the selection highlights; a new default one is made first when none is held.
    osg::ref_ptr<DefaultPreSelectionDecorator> GetPreselectionDecoratorManager();
    osg::ref_ptr<DefaultSelectionDecorator> GetSelectionDecoratorManager();

    // The view's one interference checker, made on the first call.
    std::shared_ptr<Vantor::CollisionManager> GetCollisionManager();
    // The node that shows interference results, made on the first call and hung under the scene group.
    osg::ref_ptr<Vantor::CollisionInfoDecorator> GetCollisionInfoDecoratorManager();

signals:
    void newScreenshotAvailable(osg::Image* image);
    void newAspectRatio(QSize size);
    void picked(osg::Node* node);
    void pickedList(NodePtrList& nodes);
    void clearPicked(osg::Node* node);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showSign(const osg::Vec3d& where, unsigned int child);

    void createSceneGraph();
    osg::Node* createBackground();
    void createGrid();
    osg::MatrixTransform* createAxis();
    void createPivotSign();
    void loadPivotSigns();
    void updateBackgroundGradient();

    SceneModel* m_sceneModel = nullptr; // not owned
    osg::ref_ptr<PickingHandler> m_pickingHandler;
    osg::ref_ptr<Vantor::WalkerManipulator> m_walker;
    osg::ref_ptr<CombineCommandHandler> m_commandHandler;
    osg::ref_ptr<osg::Referenced> m_spare;
    bool m_viewResetPending = false;
    osg::Matrixd m_rememberedMatrix;
    osg::Vec3d m_rememberedCenter;
    double m_rememberedDistance = 0.0;
    osg::ref_ptr<osg::Node> m_background;
    osg::ref_ptr<osg::Vec4Array> m_backgroundColors;
    osg::Vec4f m_backgroundColor{0.33f, 0.33f, 0.33f, 1.0f};
    osg::Vec4f m_backgroundColorEnd{0.33f, 0.33f, 0.33f, 1.0f};
    bool m_hasBackgroundColorEnd = false;
    osg::Vec4f m_gridColor{0.9f, 0.9f, 0.9f, 1.0f};
    osg::ref_ptr<osg::Group> m_sceneGroup;
    osg::ref_ptr<osg::ClearNode> m_backdrop;
    osg::ref_ptr<osg::MatrixTransform> m_grid;
    osg::ref_ptr<osg::MatrixTransform> m_axis;
    osg::BoundingSphered m_cachedModelBound{osg::Vec3d(0.0, 0.0, 0.0), -1.0};
    osg::BoundingBoxd m_cachedSceneBox;
    bool m_gridShown = false;
    float m_gridStep = 1.0f;
    osg::ref_ptr<osgShadow::ShadowedScene> m_rootNode;
    osg::ref_ptr<osg::Node> m_compass;
    osg::ref_ptr<osg::AutoTransform> m_pivotSign;
    bool m_pivotSignsLoaded = false;
    Vantor::ISelectionManager* m_selectionManager = nullptr; // not owned here
    // Keeps the manager this view made alive for the view's life: the command manager and the command
    // selection listener only point at it.
    osg::ref_ptr<SelectionManager> m_ownSelectionManager;
    osg::ref_ptr<osg::Node> m_scaledOverlay;
    std::shared_ptr<Vantor::CommandManager> m_commandManager;
    ManipulatorType m_manipulatorType = 0;
    std::shared_ptr<Vantor::CollisionManager> m_collisionManager;
    osg::ref_ptr<AutoDirectionLightCallback> m_directionLightCallback;
    osg::ref_ptr<AutoGridShowCallback> m_gridShowCallback;
    osg::ref_ptr<AutoPointLightCallback> m_pointLightCallback;
    osg::ref_ptr<Vantor::CollisionInfoDecorator> m_collisionDecorator;
    osg::ref_ptr<DefaultPreSelectionDecorator> m_preSelectionDecorator;
    osg::ref_ptr<DefaultSelectionDecorator> m_selectionDecorator;
    FileProgressWidget* m_progressWidget = nullptr;
    MeasureProperty* m_measurePanel = nullptr;
    std::shared_ptr<Vantor::MeasureManagerChangedListener> m_measureListener;
    QString m_lastDirectory;
    osg::ref_ptr<Vantor::SceneStateObserverManager> m_sceneStateObservers;
    osg::ref_ptr<Vantor::AnimationKeyFrameEditor> m_animationEditor;
    osg::ref_ptr<Vantor::AnimationManager> m_animationManager;
    osg::ref_ptr<osg::Node> m_cornerOverlay;
    CToolkit* m_toolStrip = nullptr;
    std::shared_ptr<OsgModelMergeListener> m_mergeListener;
};
