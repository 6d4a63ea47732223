// What the loader reads of the scene holder: the documents of its note, section, view, measure and
// animation managers (on the managers' thread) and the current model.

#include "app/ObjectLoader.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "view/SceneModel.h"
#include "vantor/animation/AnimationManager.h"
#include "vantor/measure/MeasureManager.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"

#include <osg/Transform>

namespace {

// The one step from a manager's document to the bytes a file stores.
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
    if (auto animations = sceneModel->getAnimationManager())
        documents["animation"] = text(animations->toDocument());
    return documents;
}

ModelSaveRequest ObjectLoader::saveRequest(SceneModel* sceneModel, DocumentTexts documents, StoredEntries entries)
{
    ModelSaveRequest request;
    request.model = modelOf(sceneModel);
    osg::Node* model = request.model.get();
    request.hasMatrix = model && model->asTransform() && model->asTransform()->asMatrixTransform();
    if (request.hasMatrix)
        request.matrix = sceneModel->getModelMatrix();
    request.documents = std::move(documents);
    request.entries = std::move(entries);
    return request;
}

osg::ref_ptr<osg::Node> ObjectLoader::modelOf(SceneModel* sceneModel)
{
    return sceneModel ? sceneModel->getModel() : nullptr;
}
