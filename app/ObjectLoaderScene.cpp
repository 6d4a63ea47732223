// What a save takes from the scene holder: the current model, the matrix recorded when it was set,
// and the documents of the note, section, view, measure and animation managers.

#include "app/ObjectLoader.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "view/SceneModel.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"

#include <osg/MatrixTransform>

#include <QMutexLocker>

void ObjectLoader::registerSceneTypes()
{
    qRegisterMetaType<SceneModel*>("SceneModel*");
}

namespace {

std::string text(const rapidjson::Document& doc)
{
    if (doc.IsNull())
        return std::string();
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    doc.Accept(w);
    return std::string(sb.GetString(), sb.GetSize());
}

} // namespace

DocumentTexts ObjectLoader::documentsOf(SceneModel* sceneModel)
{
    DocumentTexts documents;
    if (!sceneModel)
        return documents;
    if (auto notes = sceneModel->getNoteManager())
        documents["note"] = text(notes->toJson(false));
    if (auto sections = sceneModel->getSectionManager())
        documents["section"] = text(sections->toJson(false));
    if (auto views = sceneModel->getViewManager())
        documents["view"] = text(views->toJson());
    if (auto measures = sceneModel->getMeasureManager())
        documents["measure"] = text(measures->toJson());
    // The manager hands out the copy it took at its last change (AnimationManager::toDocument).
    if (auto animations = sceneModel->getAnimationManager())
        documents["animation"] = text(animations->toDocument());
    return documents;
}

bool ObjectLoader::collectScene(SceneModel* sceneModel, osg::ref_ptr<osg::Node>& model, osg::Matrixd& matrix, bool& hasMatrix,
                                std::map<std::string, std::string>* documents, QString& reason)
{
    if (!sceneModel || !sceneModel->getModel()) {
        reason = tr("There is no model to save");
        return false;
    }
    model = sceneModel->getModel();
    // The file gets the placement the model had when it was set into the scene; the node in the
    // scene keeps whatever the user did to it.
    hasMatrix = model->asTransform() && model->asTransform()->asMatrixTransform();
    if (hasMatrix)
        matrix = sceneModel->getModelMatrix();
    if (!documents)
        return true;
    *documents = documentsOf(sceneModel);
    if (documents->count("animation"))
        return true;
    // Without a manager the animation read with the model goes back as it came.
    QMutexLocker lock(&m_stateMutex);
    if (!animationText.isEmpty())
        (*documents)["animation"] = animationText.toStdString();
    return true;
}
