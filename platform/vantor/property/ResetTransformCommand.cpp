#include "vantor/property/ResetTransformCommand.h"

#include "vantor/command/CommandManager.h"
#include "vantor/command/ISelectionManager.h"
#include "vantor/model/Model.h"
#include "vantor/model/PropertiesManager.h"
#include "vantor/property/ModelTransform.h"
#include "vantor/util/LogHandler.h"

#include <osg/Material>

#include <algorithm>

namespace Vantor {

namespace {

osg::ref_ptr<osg::StateSet> copyOf(const osg::StateSet* state)
{
    if (!state)
        return nullptr;
    return static_cast<osg::StateSet*>(
        state->clone(osg::CopyOp::DEEP_COPY_STATESETS | osg::CopyOp::DEEP_COPY_STATEATTRIBUTES));
}

bool sameColour(const osg::Vec4f& a, const osg::Vec4f& b) { return a.r() == b.r() && a.g() == b.g() && a.b() == b.b(); }

} // namespace

bool ResetTransformCommand::gather()
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view) || !view->getSceneData()) {
        LogHandler::getInstance()->reportWarning(std::string("ResetTransformCommand: no view"));
        return false;
    }
    std::vector<osg::ref_ptr<osg::MatrixTransform>> roots;
    auto manager = getCommandManager();
    if (manager)
        roots = ModelTransform::selectedModels(manager->getSelectionManager());
    if (roots.empty()) {
        if (osg::ref_ptr<Model> top = Model::GetTopModel(view->getSceneData()))
            roots.push_back(top.get());
    }
    Model::NodeList models;
    for (const auto& root : roots)
        Model::getAllChildrenModels(root.get(), models);
    for (const auto& node : models) {
        auto* model = static_cast<Model*>(node.get());
        if (std::any_of(m_saved.begin(), m_saved.end(), [&](const Saved& s) { return s.model == model; }))
            continue;
        m_saved.push_back(Saved{model, model->getMatrix(), copyOf(model->getStateSet()), model->getTransparent()});
    }
    m_gathered = true;
    return true;
}

bool ResetTransformCommand::resetOne(osg::MatrixTransform* node) const
{
    osg::ref_ptr<osgViewer::View> view;
    if (!m_view.lock(view))
        return false;
    osg::ref_ptr<PropertiesManager> properties = PropertiesManager::GetPropertiesManager(view->getSceneData());
    PropertiesManager::ModelProperties recorded;
    if (!properties.valid() || !properties->getModelProperties(node, recorded))
        return false;
    auto* model = static_cast<Model*>(node);
    const osg::StateSet* state = model->getStateSet();
    const auto* material = state ? dynamic_cast<const osg::Material*>(state->getAttribute(osg::StateAttribute::MATERIAL)) : nullptr;
    switch (m_type) {
    case RESET_POSITION:
        if (ModelTransform::isSound(recorded.matrix))
            model->setMatrix(recorded.matrix);
        break;
    case RESET_COLOR:
        if (recorded.ownMaterial) {
            model->setColor(recorded.color);
        } else if (model->getTransparent() == recorded.transparent && model->getStateSet()) {
            // Its parts show their own colours, and the alpha they were read with, again.
            model->getStateSet()->removeAttribute(osg::StateAttribute::MATERIAL);
        } else if (material) {
            // The material must stay for the transparency; it takes the loaded look's colour.
            model->setColor(recorded.color);
        }
        break;
    case RESET_TRANSPARENT:
        if (recorded.ownMaterial || (material && !sameColour(material->getDiffuse(osg::Material::FRONT), recorded.color))) {
            model->setTransparent(recorded.transparent, false);
        } else if (material) {
            // Only its transparency changed since the load: its faces show their own colours and alpha again.
            model->setTransparent(1.0, false);
            model->getStateSet()->removeAttribute(osg::StateAttribute::MATERIAL);
        }
        break;
    }
    return true;
}

bool ResetTransformCommand::Execute()
{
    if (!m_gathered && !gather())
        return false;
    bool any = false;
    for (const Saved& saved : m_saved) {
        osg::ref_ptr<osg::MatrixTransform> model;
        if (!saved.model.lock(model))
            continue;
        // Only models recorded at load count: a reset of nothing is no step.
        any = resetOne(model.get()) || any;
    }
    return any;
}

bool ResetTransformCommand::Unexecute()
{
    bool any = false;
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        osg::ref_ptr<osg::MatrixTransform> node;
        if (!it->model.lock(node))
            continue;
        auto* model = static_cast<Model*>(node.get());
        switch (m_type) {
        case RESET_POSITION:
            model->setMatrix(it->matrix);
            break;
        case RESET_COLOR:
        case RESET_TRANSPARENT:
            // The transparency value first (it writes the state), then the state exactly as it was.
            model->setTransparent(it->transparent, false);
            model->setStateSet(copyOf(it->stateSet.get()).get());
            break;
        }
        any = true;
    }
    return any;
}

} // namespace Vantor
