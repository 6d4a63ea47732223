#pragma once

#include <QObject>
#include <osg/Group>
#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/Switch>
#include <osg/ref_ptr>
#include <osgViewer/View>

#include <cstdint>
#include <memory>
#include <string>

namespace osgFX {
class Scribe;
}

namespace Vantor {
class AlignManager;
class AnimationManager;
class AssemblyManager;
class CommandManager;
class EffectManager;
class MeasureManager;
class NoteManager;
class PropertiesManager;
class SectionManager;
class TempNodeManager;
class ViewManager;
}

// Holds the document's scene: the subgraph the scene view draws ("rootSwitch" with the default lights,
// "spinTransformScene", "NodeScene" with the loaded model and "ModelAppendData") and the outside
// managers that live in it. One per main window; loading replaces the model through setModel.
class SceneModel : public QObject
{
    Q_OBJECT
public:
    explicit SceneModel(QObject* parent = nullptr);
    ~SceneModel() override;

    osg::Switch* getRootSwitch() const { return m_rootSwitch.get(); }
    osg::Group* getNodeScene() const { return m_nodeScene; }
    osg::MatrixTransform* getSpinTransform() const { return m_spinTransform; }
    osg::Node* getModel() const { return m_model.get(); }
    osg::Matrixd getModelMatrix() const { return m_modelMatrix; }
    osg::Group* getModelAppendData() const { return m_modelAppendData.get(); }

    osg::ref_ptr<Vantor::MeasureManager> getMeasureManager() const;
    osg::ref_ptr<Vantor::NoteManager> getNoteManager() const;
    osg::ref_ptr<Vantor::SectionManager> getSectionManager() const;
    osg::ref_ptr<Vantor::PropertiesManager> getPropertiesManager() const;
    osg::ref_ptr<Vantor::ViewManager> getViewManager() const;
    osg::ref_ptr<Vantor::TempNodeManager> getTempNodeManager() const;
    osg::ref_ptr<Vantor::AssemblyManager> getAssemblyManager() const;
    osg::ref_ptr<Vantor::EffectManager> getEffectManager() const;
    osg::ref_ptr<Vantor::AlignManager> getAlignManager() const;

    // The view's animation manager, so a save can take the animation document with the others.
    osg::ref_ptr<Vantor::AnimationManager> getAnimationManager() const;
    void setAnimationManager(osg::ref_ptr<Vantor::AnimationManager> manager);

    std::shared_ptr<Vantor::CommandManager> getCommandManager() const { return m_commandManager; }
    void setCommandManager(std::shared_ptr<Vantor::CommandManager> manager);
    void setView(osg::ref_ptr<osgViewer::View> view) { m_view = view; }

    // Wraps "NodeScene" in an outline highlight (osgFX::Scribe) or takes the wrapper out again.
    void setHighLight(bool on);
    bool getHighLight() const { return m_highLight; }
    osgFX::Scribe* getHighLightWrapper() const { return m_highLight ? m_highLightWrapper : nullptr; }

    // Replaces the document's model (null clears the document): every manager and the undo history are
    // cleared, the model becomes the last child of "NodeScene".
    void setModel(osg::Node* model);

    // Depth-first search over models only, from the node; null when no model has the id.
    osg::Node* findModelById(osg::ref_ptr<osg::Node> node, uint64_t id);
    // Appends the ids of the node and of every model below it (parent first) to the text.
    void appendModelIds(osg::ref_ptr<osg::Node> node, std::string& text);
    // The index-th child model (counting models only) of the model with the id (0: the current model).
    osg::Node* getChildModel(uint64_t id, int index);
    void recordModelProperties(osg::Node* node);

signals:
    void loadBegin(bool reset);
    void loadFinished();

private:
    void initScene();
    osg::Group* createLightGroup();

    // Held by reference as well as by the view's graph: a scene model that was never attached, or that
    // outlives the view, keeps a valid subgraph (and frees it).
    osg::ref_ptr<osg::Switch> m_rootSwitch;
    osg::Group* m_nodeScene = nullptr;
    osg::MatrixTransform* m_spinTransform = nullptr;
    osg::ref_ptr<osg::Node> m_model;
    osg::Matrixd m_modelMatrix;
    bool m_highLight = false;
    osgFX::Scribe* m_highLightWrapper = nullptr;
    osg::ref_ptr<osg::Group> m_modelAppendData;
    osg::ref_ptr<Vantor::MeasureManager> m_measureManager;
    osg::ref_ptr<osgViewer::View> m_view;
    osg::ref_ptr<Vantor::NoteManager> m_noteManager;
    osg::ref_ptr<Vantor::SectionManager> m_sectionManager;
    osg::ref_ptr<Vantor::PropertiesManager> m_propertiesManager;
    osg::ref_ptr<Vantor::ViewManager> m_viewManager;
    osg::ref_ptr<Vantor::TempNodeManager> m_tempNodeManager;
    osg::ref_ptr<Vantor::AssemblyManager> m_assemblyManager;
    osg::ref_ptr<Vantor::AlignManager> m_alignManager;
    std::shared_ptr<Vantor::CommandManager> m_commandManager;
    osg::ref_ptr<Vantor::EffectManager> m_effectManager;
    osg::ref_ptr<Vantor::AnimationManager> m_animationManager;
};
