#include "view/SceneModel.h"

#include <osg/Material>

#include "vantor/align/AlignManager.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/command/CommandManager.h"
#include "vantor/command/TempNodeManager.h"
#include "vantor/effect/EffectManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/PropertiesManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/util/StrUtil.h"
#include "vantor/view/ViewManager.h"

#include <osg/LightSource>
#include <osgFX/Scribe>

#include <cstring>

SceneModel::SceneModel(QObject* parent)
    : QObject(parent)
{
    initScene();
}

SceneModel::~SceneModel()
{
    m_effectManager = nullptr;
    m_commandManager.reset();
    m_alignManager = nullptr;
    m_assemblyManager = nullptr;
    m_tempNodeManager = nullptr;
    m_viewManager = nullptr;
    m_propertiesManager = nullptr;
    m_sectionManager = nullptr;
    m_noteManager = nullptr;
    m_view = nullptr;
    m_measureManager = nullptr;
    m_modelAppendData = nullptr;
    m_model = nullptr;
    m_rootSwitch = nullptr;
}

void SceneModel::initScene()
{
    m_rootSwitch = new osg::Switch;
    m_rootSwitch->setName("rootSwitch");
    m_rootSwitch->addChild(createLightGroup());

    m_spinTransform = new osg::MatrixTransform;
    m_spinTransform->setName("spinTransformScene");
    m_rootSwitch->addChild(m_spinTransform);

    m_nodeScene = new osg::Group;
    m_nodeScene->setName("NodeScene");
    m_nodeScene->getOrCreateStateSet()->setMode(GL_DEPTH_TEST, osg::StateAttribute::ON);
    // Parts carry their colours as vertex colours; under lighting they show only through a
    // colour-tracking material. A model's own material (set when it is recoloured) overrides this one.
    osg::ref_ptr<osg::Material> tracking = new osg::Material;
    tracking->setColorMode(osg::Material::AMBIENT_AND_DIFFUSE);
    m_nodeScene->getOrCreateStateSet()->setAttributeAndModes(tracking.get(), osg::StateAttribute::ON);
    m_spinTransform->addChild(m_nodeScene);

    m_model = new osg::Node;
    m_model->setName("RootModel");
    m_nodeScene->addChild(m_model.get());

    m_modelAppendData = new osg::Group;
    m_modelAppendData->setName("ModelAppendData");
    m_nodeScene->addChild(m_modelAppendData.get());

    m_measureManager = new Vantor::MeasureManager;
    m_modelAppendData->addChild(m_measureManager.get());
    m_noteManager = new Vantor::NoteManager;
    m_modelAppendData->addChild(m_noteManager.get());
    m_sectionManager = new Vantor::SectionManager;
    // Still empty here: the scene view hands over its own manager when the scene model is attached.
    m_sectionManager->setCommandManagerWeakPtr(m_commandManager);
    m_modelAppendData->addChild(m_sectionManager.get());
    m_propertiesManager = new Vantor::PropertiesManager;
    m_modelAppendData->addChild(m_propertiesManager.get());
    m_viewManager = new Vantor::ViewManager;
    m_modelAppendData->addChild(m_viewManager.get());

    m_assemblyManager = new Vantor::AssemblyManager;
    m_nodeScene->addChild(m_assemblyManager.get());
    m_effectManager = new Vantor::EffectManager;
    m_nodeScene->addChild(m_effectManager.get());
    m_alignManager = new Vantor::AlignManager;
    m_nodeScene->addChild(m_alignManager.get());

    m_tempNodeManager = new Vantor::TempNodeManager;
    m_spinTransform->addChild(m_tempNodeManager.get());
}

osg::Group* SceneModel::createLightGroup()
{
    struct LightSpec
    {
        const char* name;
        int number;
        osg::Vec4 ambient;
        osg::Vec4 diffuse;
        osg::Vec4 specular;
        osg::Vec4 position;
    };
    const LightSpec specs[] = {
        {"DEFAULT_DIRECTIONAL_LIGHT", 0, {0.4f, 0.4f, 0.4f, 1.0f}, {0.6f, 0.6f, 0.6f, 1.0f}, {1, 1, 1, 1},
         {0.0f, 1000.0f, 1000.0f, 0.0f}},
        {"DEFAULT_POINT_LIGHT", 1, {0.3f, 0.3f, 0.3f, 1.0f}, {0.6f, 0.6f, 0.6f, 1.0f}, {1, 1, 1, 1},
         {0.0f, 1000.0f, 1000.0f, 100.0f}},
    };
    osg::Group* group = new osg::Group;
    for (const LightSpec& spec : specs) {
        osg::ref_ptr<osg::Light> light = new osg::Light(spec.number);
        light->setAmbient(spec.ambient);
        light->setDiffuse(spec.diffuse);
        light->setSpecular(spec.specular);
        light->setPosition(spec.position);
        osg::ref_ptr<osg::LightSource> source = new osg::LightSource;
        source->setName(spec.name);
        source->setLight(light.get());
        source->setLocalStateSetModes(osg::StateAttribute::ON);
        group->addChild(source.get());
    }
    return group;
}

osg::ref_ptr<Vantor::MeasureManager> SceneModel::getMeasureManager() const { return m_measureManager; }
osg::ref_ptr<Vantor::NoteManager> SceneModel::getNoteManager() const { return m_noteManager; }
osg::ref_ptr<Vantor::SectionManager> SceneModel::getSectionManager() const { return m_sectionManager; }
osg::ref_ptr<Vantor::PropertiesManager> SceneModel::getPropertiesManager() const { return m_propertiesManager; }
osg::ref_ptr<Vantor::ViewManager> SceneModel::getViewManager() const { return m_viewManager; }
osg::ref_ptr<Vantor::TempNodeManager> SceneModel::getTempNodeManager() const { return m_tempNodeManager; }
osg::ref_ptr<Vantor::AssemblyManager> SceneModel::getAssemblyManager() const { return m_assemblyManager; }
osg::ref_ptr<Vantor::EffectManager> SceneModel::getEffectManager() const { return m_effectManager; }
osg::ref_ptr<Vantor::AlignManager> SceneModel::getAlignManager() const { return m_alignManager; }

osg::ref_ptr<Vantor::AnimationManager> SceneModel::getAnimationManager() const
{
    return m_animationManager;
}

void SceneModel::setAnimationManager(osg::ref_ptr<Vantor::AnimationManager> manager)
{
    m_animationManager = manager;
}

void SceneModel::setCommandManager(std::shared_ptr<Vantor::CommandManager> manager)
{
    m_commandManager = std::move(manager);
}

void SceneModel::setHighLight(bool on)
{
    if (on == m_highLight)
        return;
    m_highLight = on;
    if (on) {
        osg::Group* parent = m_nodeScene->getNumParents() ? m_nodeScene->getParent(0) : nullptr;
        osg::ref_ptr<osgFX::Scribe> wrapper = new osgFX::Scribe;
        wrapper->setWireframeLineWidth(2.0f);
        wrapper->setWireframeColor(osg::Vec4(1.0f, 1.0f, 1.0f, 1.0f));
        m_highLightWrapper = wrapper.get();
        wrapper->addChild(m_nodeScene);
        if (parent)
            parent->replaceChild(m_nodeScene, wrapper.get());
        return;
    }
    // Held here until every parent has been rewired: the wrapper goes with its last parent, and its
    // parent list changes under each replacement.
    osg::ref_ptr<osgFX::Scribe> wrapper = m_highLightWrapper;
    m_highLightWrapper = nullptr;
    if (!wrapper)
        return;
    const osg::Node::ParentList parents = wrapper->getParents();
    osg::ref_ptr<osg::Node> inner = wrapper->getNumChildren() ? wrapper->getChild(0) : nullptr;
    for (osg::Group* parent : parents) {
        if (inner)
            parent->replaceChild(wrapper.get(), inner.get());
        else
            parent->removeChild(wrapper.get());
    }
}

void SceneModel::setModel(osg::Node* model)
{
    emit loadBegin(true);
    if (m_effectManager)
        m_effectManager->clearEffect();
    if (m_model)
        m_nodeScene->removeChild(m_model.get());

    if (m_measureManager)
        m_measureManager->ClearAllMasure();
    if (m_noteManager)
        m_noteManager->ClearAllNotation();
    if (m_sectionManager)
        m_sectionManager->ClearAllSection();
    if (m_propertiesManager)
        m_propertiesManager->clearModelProperties();
    if (m_commandManager)
        m_commandManager->Clear();
    if (m_viewManager)
        m_viewManager->ClearAllView();
    if (m_tempNodeManager)
        m_tempNodeManager->ClearTempNode();

    m_model = model;
    // A model without a transform of its own must not be saved with the previous document's matrix.
    osg::MatrixTransform* transform = model && model->asTransform() ? model->asTransform()->asMatrixTransform() : nullptr;
    m_modelMatrix = transform ? transform->getMatrix() : osg::Matrixd::identity();
    if (!model)
        return;

    if (model->getName().empty())
        model->setName("RootModel");
    m_nodeScene->addChild(model);
    if (m_highLight) {
        setHighLight(false);
        setHighLight(true);
    }
    model->dirtyBound();
    if (m_effectManager) {
        m_effectManager->setEffectNode(model);
        m_effectManager->setEffectType(Vantor::EFFECT_FLAT);
    }
    recordModelProperties(model);
    emit loadFinished();
}

osg::Node* SceneModel::findModelById(osg::ref_ptr<osg::Node> node, uint64_t id)
{
    if (!node || !Vantor::Model::isModel(node.get()))
        return nullptr;
    auto* model = static_cast<Vantor::Model*>(node.get());
    if (model->getModelID() == id)
        return model;
    for (unsigned int i = 0; i < model->getNumChildren(); ++i) {
        if (osg::Node* found = findModelById(model->getChild(i), id))
            return found;
    }
    return nullptr;
}

void SceneModel::appendModelIds(osg::ref_ptr<osg::Node> node, std::string& text)
{
    if (!node || std::strcmp(node->className(), "Model") != 0)
        return;
    auto* model = dynamic_cast<Vantor::Model*>(node.get());
    if (!model)
        return;
    Vantor::StrUtil::DigitalAppend(text, model->getModelID());
    for (unsigned int i = 0; i < model->getNumChildren(); ++i)
        appendModelIds(model->getChild(i), text);
}

osg::Node* SceneModel::getChildModel(uint64_t id, int index)
{
    osg::Node* parentNode = id == 0 ? m_model.get() : findModelById(m_model, id);
    auto* parent = dynamic_cast<Vantor::Model*>(parentNode);
    if (!parent || parent->getNumChildren() == 0 || index < 0)
        return nullptr;
    int count = 0;
    for (unsigned int i = 0; i < parent->getNumChildren(); ++i) {
        osg::Node* child = parent->getChild(i);
        if (!Vantor::Model::isModel(child))
            continue;
        if (count == index)
            return child;
        ++count;
    }
    return nullptr;
}

void SceneModel::recordModelProperties(osg::Node* node)
{
    if (!m_propertiesManager)
        return;
    osg::ref_ptr<Vantor::Model> model = dynamic_cast<Vantor::Model*>(node);
    m_propertiesManager->recordModelProperties(model, true);
}
