#pragma once

#include <QString>
#include <QtGlobal>

class QDockWidget;
class SceneModel;

// What a host may ask of the program. The main window implements it; the host protocol sees nothing
// more of the window. Ids are model, note or view ids; model id 0 stands for the document's top model.
// A value that names nothing answers as not found (true, "", 1.0, 0 or false) and changes nothing.
class HostOperations
{
public:
    virtual ~HostOperations() = default;

    // Documents.
    virtual bool loadFile(const QString& filePath) = 0;
    virtual void unLoadFile() = 0;
    virtual SceneModel* sceneModel() const = 0;
    virtual quint64 topModelId() const = 0;

    // The model tree.
    virtual quint64 createTopModel(const QString& name) = 0;
    virtual QString getChildrenModelIds(quint64 modelId) = 0;
    virtual quint64 addModel(quint64 parentId, int position, const QString& path) = 0;
    virtual bool removeModel(quint64 modelId) = 0;
    virtual bool openRemoteBom(const QString& text) = 0;
    virtual bool insertRemoteBom(quint64 modelId, const QString& text) = 0;
    virtual QString saveRemoteBom() = 0;
    virtual bool updateModelBom(const QString& text) = 0;

    // One model's look.
    virtual bool getModelVisible(quint64 id) = 0;
    virtual void setModelVisible(quint64 id, bool visible) = 0;
    virtual QString getModelColor(quint64 id) = 0;
    virtual void setModelColor(quint64 id, float r, float g, float b) = 0;
    virtual float getModelTransparent(quint64 id) = 0;
    virtual void setModelTransparent(quint64 id, float value) = 0;

    // The window's parts and commands.
    virtual QDockWidget* treeDock() const = 0;
    virtual QDockWidget* viewDock() const = 0;
    virtual QDockWidget* annotationDock() const = 0;
    virtual void setWidgetVisible(int type, bool visible) = 0;
    virtual bool openOneCommand(const QString& name) = 0;
    virtual void closeOneCommand() = 0;

    // Notes.
    virtual QString getAllNoteIds() = 0;
    virtual QString addNotesFromFile(int position, const QString& path) = 0;
    virtual QString addNotesFromValue(int position, const QString& json) = 0;
    virtual bool saveNoteToFile(quint64 noteId, const QString& path) = 0;
    virtual bool saveAllNotesToFile(const QString& path) = 0;
    virtual QString getAllNotesValue() = 0;
    virtual QString getNoteValue(quint64 noteId) = 0;

    // Saved views.
    virtual QString getAllViewIds() = 0;
    virtual QString addViewsFromFile(int position, const QString& path) = 0;
    virtual QString addViewsFromValue(int position, const QString& json) = 0;
    virtual bool saveAllViewsToFile(const QString& path) = 0;
    virtual QString getAllViewsValue() = 0;
    virtual bool loadView(quint64 viewId) = 0;
};
