#pragma once

#include "app/ModelDocuments.h"
#include "vantor/basereader/ReaderConfig.h"
#include "vantor/basereader/ReaderListener.h"

#include <osg/Matrixd>
#include <osg/Node>
#include <osg/ref_ptr>

#include <QMetaType>
#include <QModelIndex>
#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

class BaseReader;
class SceneModel;

namespace Vantor {
class UserView;
}

// The worker that reads model files and bills of materials into scene graphs and writes the scene
// back, on a thread of the pool; the window talks to it through queued signals.
//
// Results cross to the receiving thread as owning values: the root and the saved views as
// reference-counted nodes, the documents as texts. A receiver may keep them however long it likes;
// the next load or clear() does not touch what it got.
class ObjectLoader : public QObject, public ReaderListener
{
    Q_OBJECT
public:
    enum LoadFileValueType { FilePath = 0, JSONBOM = 1, OCXJSONBOM = 2 };
    Q_ENUM(LoadFileValueType)

    explicit ObjectLoader(QObject* parent = nullptr);
    // Safe while a request runs on the loader's thread: cancels it, ends the thread and waits.
    ~ObjectLoader() override;

    // Registers every type the loader's queued signals and slots carry; called by the constructor.
    static void registerMetaTypes();
    // What the scene's note, section, view, measure and animation managers write now, by document
    // name; a manager the scene lacks gives no entry. On the managers' thread.
    static DocumentTexts documentsOf(SceneModel* sceneModel);

    // From any thread: the running read or save stops at its next check.
    void cancel();
    // For the owner's shutdown, from another thread: cancels the running request, skips those still
    // queued, ends the loader's thread and waits for it however long the request needs to stop.
    void shutdown();

    // Scene-free core of saveFile: writes root (placed by rootMatrix when given), the documents
    // (name -> the bytes to store, written as they are; an empty text leaves its member out) and the
    // carried-over entries to path. Ends, like saveFile, with loadFileFinish() and then either
    // saveFileFinish() or saveFileFailed().
    bool saveModel(const QString& path, osg::ref_ptr<osg::Node> root, const osg::Matrixd* rootMatrix,
                   const std::map<std::string, std::string>& documents, const StoredEntries& entries = nullptr);

    // State of the last load, for tests and the embedded host; read on the loader's thread or while idle.
    QString getFilePath() const { return filePath; }
    // The reader options and the optimisation switch as they are now, from any thread; each load
    // takes its own copy, so a switch flipped meanwhile applies from the next load on.
    std::shared_ptr<ReaderConfig> getConfig() const;
    bool getOptimization() const;

    // ReaderListener
    void onReadStarted() override;
    void onReadProgress(const std::string& text, const float& value) override;
    void onReadSubProgress(const std::string& text, const float& value) override;
    void onReadFinished() override;
    void onReadCancelled() override;

signals:
    void Progressdata(QString str, float f);
    void Progressdata1(QString str, float f);
    void ProgressShown(bool b);
    // The end of every read, save and JSON save.
    void loadFileFinish();
    // A save that wrote its file. A save that did not write emits saveFileFailed instead, so exactly
    // one of the two ends every saveFile.
    void saveFileFinish();
    void newObjectToView(osg::ref_ptr<osg::Node> root);
    void newNoteToModel(QString text);
    void newSectionToModel(QString text);
    void newViewToModel(osg::ref_ptr<osg::Node> view);
    void newMeasureToModel(QString text);
    void newAnimationToModel(QString text);
    void newObjectToMain(osg::ref_ptr<osg::Node> root, QModelIndex index);
    // Last of a document load's results: the documents as the file stores them and the entries the
    // program does not read (both empty for a bill of materials).
    void newDocumentsToModel(LoadedDocuments documents);
    // path as requested, reason in English for the log and the status bar.
    void saveFileFailed(QString path, QString reason);

public slots:
    void newObjectToLoad(const QString& path, bool bOrigin = true, ObjectLoader::LoadFileValueType type = FilePath);
    void newObjectToLoadWithIndex(const QString& path, bool bOrigin = true, const QModelIndex& index = QModelIndex(),
                                  ObjectLoader::LoadFileValueType type = FilePath);
    void saveFile(const QString& path, SceneModel* sceneModel);
    // Writes what the window collected when the save was asked for; reads no manager.
    void saveDocument(const QString& path, const ModelSaveRequest& request);
    void saveJson(QString& out, SceneModel* sceneModel);
    // Runs on the loader's thread: from another thread it is queued behind the running request.
    void clear();
    void setOptimization(bool val);
    void readPMIConfig(bool on);
    void readEdgeConfig(bool on);
    void mergeFaceConfig(bool on);

private:
    void readFile(const std::string& source, LoadFileValueType type);
    void dispatchJsonParts(const std::map<std::string, std::string*>& parts);
    void readUserViews(const QString& text);
    void setActiveReader(const std::shared_ptr<BaseReader>& reader);
    static void registerSceneTypes();
    // The current model, its recorded matrix and the managers' documents; false with a reason.
    // documents null: only the model (the JSON save runs beside a read and must not wait for it).
    bool collectScene(SceneModel* sceneModel, osg::ref_ptr<osg::Node>& model, osg::Matrixd& matrix, bool& hasMatrix,
                      std::map<std::string, std::string>* documents, QString& reason);

    QString filePath;
    osg::ref_ptr<osg::Node> root;
    QString noteText;
    QString sectionText;
    QString measureText;
    QString animationText;
    std::vector<osg::ref_ptr<Vantor::UserView>> views;
    LoadedDocuments m_fileDocuments; // of the last read alone
    // Set by queued slots on the loader's thread, read by loads that run on the window's thread in
    // embedded mode.
    mutable QMutex m_optionsMutex;
    bool optimize = false;
    ReaderConfig config;

    // Loads may run on the window's thread in embedded mode while a queued clear() runs here.
    QRecursiveMutex m_stateMutex;
    QMutex m_readerMutex;
    std::shared_ptr<BaseReader> m_activeReader;
    std::atomic<bool> m_stopping{false};
};

Q_DECLARE_METATYPE(osg::ref_ptr<osg::Node>)
Q_DECLARE_METATYPE(ObjectLoader::LoadFileValueType)
