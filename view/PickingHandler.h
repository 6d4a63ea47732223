#pragma once

#include "view/FrameRectPicker.h"

#include "vantor/command/MouseState.h"
#include "vantor/command/NerioViewerManipulatorState.h"
#include "vantor/command/SelectFilter.h"

#include <osg/MatrixTransform>
#include <osg/observer_ptr>
#include <osgGA/TrackballManipulator>
#include <osgViewer/View>

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace Vantor {
class ISceneView;
class ISelectionManager;
class Plane;
}

// The scene view's camera manipulator and mouse picker. A trackball whose rotation turns about the
// point under the cursor, whose zoom keeps the point under the cursor in place and whose pan keeps
// the grabbed point under the cursor; a left click selects, hovering pre-selects, Ctrl+left drags a
// selection rectangle. While the user moves the view, small features are culled harder.
// Held by osg::ref_ptr (never give it a QObject parent).
class PickingHandler : public QObject, public osgGA::TrackballManipulator, public Vantor::NerioViewerManipulatorState
{
    Q_OBJECT
public:
    // Fills the open clip planes of the sections and the models they clip; by default they come from
    // the section manager of the scene view's scene model.
    using SectionStateSource = std::function<void(std::vector<osg::Plane>&, Vantor::ObserverNodeList&)>;

    // Values of mouseMode: what a left drag does.
    enum MouseMode { Rotate = 0, Zoom = 1, Pan = 2 };
    // Cursor codes set on the viewer's windows.
    enum CursorCode { ArrowCursor = 2, PanCursor = 23, RotateCursor = 24, ZoomCursor = 25 };

    static constexpr int WheelIdleMs = 500;
    static constexpr int CullRestoreMs = 500;
    static constexpr double MinimumDistance = 0.01;
    // Distance of the eye from the orbit centre in parallel projection, in model sizes.
    static constexpr double ParallelEyeDistance = 3.5;

    PickingHandler();

    // osgGA::CameraManipulator
    void getUsage(osg::ApplicationUsage& usage) const override;
    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;
    using osgGA::TrackballManipulator::handle;
    osg::Matrixd getMatrix() const override;
    osg::Matrixd getInverseMatrix() const override;
    void setByMatrix(const osg::Matrixd& matrix) override;
    void setByInverseMatrix(const osg::Matrixd& matrix) override;
    void updateCamera(osg::Camera& camera) override;
    void setNode(osg::Node* node) override;
    using osgGA::TrackballManipulator::setTransformation;
    using osgGA::TrackballManipulator::getTransformation;
    void setTransformation(const osg::Vec3d& eye, const osg::Vec3d& center, const osg::Vec3d& up) override;
    void getTransformation(osg::Vec3d& eye, osg::Vec3d& center, osg::Vec3d& up) const override;

    // Vantor::NerioViewerManipulatorState
    Vantor::AnimationCameraInfo getCameraInfo() override;
    void setCameraInfo(const Vantor::AnimationCameraInfo& info, bool rotateAboutScene) override;
    void fitToNodes(const NodePtrList& nodes) override;
    double getViewDistance() const override { return _distance; }
    double getSceneRadius() const override { return _modelSize > 0.0 ? _modelSize : 1.0; }
    // The model size the parallel eye, the push-forward step and the clip range work from.
    void setModelSize(double size) { _modelSize = size; }

    // The owning view: selection manager and model box. Not owned.
    void setSceneView(Vantor::ISceneView* sceneView) { m_sceneView = sceneView; }
    Vantor::ISceneView* getSceneView() const { return m_sceneView; }
    void setSectionStateSource(SectionStateSource source) { m_sectionState = std::move(source); }
    // Where the keyboard modifiers come from (Qt's own state by default); Ctrl means Ctrl alone.
    void setKeyboardModifiersSource(std::function<Qt::KeyboardModifiers()> source);
    bool isCtrlHeld() const;

    // Written directly by the main window.
    bool displayTrackballHelper = false;
    bool inverseMouseWheel = false;
    int mouseMode = Rotate;

    const osg::Vec3d& getRotationCenter() const { return m_rotationCenter; }
    const osg::Vec3d& getPanAnchor() const { return m_panAnchor; }
    bool isLeftButtonDown() const { return m_leftButtonDown; }
    bool isWheelZooming() const { return m_wheelZooming; }
    // Rests after the last wheel step and after the last fast move; tests shorten or lengthen them.
    void setRestIntervals(int wheelIdleMs, int cullRestoreMs)
    {
        m_wheelIdleMs = wheelIdleMs;
        m_cullRestoreMs = cullRestoreMs;
    }
    osg::MatrixTransform* getRotationCenterTip() const { return m_rotationCenterTip.get(); }
    FrameRectPicker* getFramePicker() const { return m_framePicker.get(); }
    std::shared_ptr<Vantor::MouseState> getMouseState() const { return m_mouseState; }

    // Pans the camera so that the point of the pan plane under the previous pointer position moves
    // under the current one.
    virtual bool dragPan();

signals:
    void picked(osg::Node* node);
    void clearPicked(osg::Node* node);
    void picked(double x, double y, double z);
    void zoomViewIn();
    void zoomViewOut();
    void dragView();
    void rotateView();
    void recenterViewTo(double x, double y, double z);

protected slots:
    void timeout();

protected:
    ~PickingHandler() override;

    bool performMovementLeftMouseButton(const double eventTimeDelta, const double dx, const double dy) override;
    bool performMovementMiddleMouseButton(const double eventTimeDelta, const double dx, const double dy) override;
    bool performMovementRightMouseButton(const double eventTimeDelta, const double dx, const double dy) override;
    void rotateTrackball(const float px0, const float py0, const float px1, const float py1,
                         const float scale) override;
    void zoomModel(const float dy, bool pushForwardIfNeeded = true) override;

private:
    void fastInteraction();
    void setCursor(int code);
    osg::Vec3 mousePosition(const osgGA::GUIEventAdapter& ea) const;
    bool windowPosition(const osgGA::GUIEventAdapter& ea, double& x, double& y) const;
    bool cursorRayMeets(double x, double y, const Vantor::Plane& plane, osg::Vec3d& point) const;
    void applyToCamera();
    void moveCamera(const osg::Vec3d& delta);
    bool pushCenterForward();

    void pickRotationCenter(const osgGA::GUIEventAdapter& ea);
    osg::Vec3d pickPanAnchor(const osgGA::GUIEventAdapter& ea);
    void updateRotationCenterTip();
    // NoQuery: the scene lacks its model or annotation node, so nothing may change.
    enum SceneHit { NoQuery, Miss, Hit };
    SceneHit queryScene(const osgGA::GUIEventAdapter& ea, osg::Node*& node);
    void clickSelect(const osgGA::GUIEventAdapter& ea);
    void hoverPreSelect(const osgGA::GUIEventAdapter& ea);
    bool rectangleSelect(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa);
    void readSectionState(std::vector<osg::Plane>& planes, Vantor::ObserverNodeList& clipped) const;
    Vantor::ISelectionManager* selectionManager() const;
    double parallelEyeDistance() const { return ParallelEyeDistance * _modelSize; }

    osg::observer_ptr<osgViewer::View> m_view;
    Vantor::ISceneView* m_sceneView = nullptr;
    bool m_leftButtonDown = false;
    osg::Vec3d m_rotationCenter;
    osg::Vec3d m_panAnchor;
    osg::observer_ptr<const osgGA::GUIEventAdapter> m_currentEvent;
    bool m_wheelZooming = false;
    std::shared_ptr<Vantor::MouseState> m_mouseState;
    osg::ref_ptr<osg::MatrixTransform> m_rotationCenterTip;
    osg::ref_ptr<FrameRectPicker> m_framePicker;
    QTimer* m_wheelTimer;
    QTimer* m_cullRestoreTimer;
    int m_wheelIdleMs = WheelIdleMs;
    int m_cullRestoreMs = CullRestoreMs;
    osg::observer_ptr<osg::Camera> m_culledCamera;
    SectionStateSource m_sectionState;
    std::function<Qt::KeyboardModifiers()> m_modifiers;
};
