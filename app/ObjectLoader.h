#pragma once

#include "app/ModelDocuments.h"
#include "vantor/basereader/ReaderConfig.h"
#include "vantor/basereader/ReaderListener.h"

#include <osg/Matrixd>
#include <osg/Node>
#include <osg/ref_ptr>

#include <QMetaType>
#include <QModelIndex>
#include <QObject>
#include <QString>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class BaseReader;
class SceneModel;

// The worker that reads model files and bills of materials into scene graphs and writes the scene
// back, on a thread of the pool. The window asks through queued signals; cancel(), shutdown() and
// clear() may be called from the window's thread, and the window calls saveJson() on its own thread.
//
// Results cross to the receiving thread as owning values: a document load as one LoadedModel, sent
// before loadFileFinish(); a save takes only values (ModelSaveRequest), never a manager. A receiver
// may keep what it got however long it likes; the next load or clear() does not touch it.
// No request changes the process's working directory: relative paths inside a model or a bill of
// materials are taken from that file's own folder.
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
    // A save of the scene holder's model with these documents and entries, as values: the model and
    // the placement recorded when it was set (the file gets that one; the scene keeps the user's).
    // On the scene holder's thread.
    static ModelSaveRequest saveRequest(SceneModel* sceneModel, DocumentTexts documents, StoredEntries entries = nullptr);

    // From any thread: the running read or save stops at its next check.
    void cancel();
    // For the owner's shutdown, from another thread: cancels the running request, skips those still
    // queued, ends the loader's thread and waits for it however long the request needs to stop.
    void shutdown();

    // Writes root (placed by rootMatrix when given), the documents (name -> the bytes to store,
    // written as they are; an empty text leaves its member out) and the carried-over entries to path.
    // Ends with loadFileFinish() and then either saveFileFinish() or saveFileFailed().
    bool saveModel(const QString& path, osg::ref_ptr<osg::Node> root, const osg::Matrixd* rootMatrix,
                   const std::map<std::string, std::string>& documents, const StoredEntries& entries = nullptr);

    // State of the last load, for tests and the embedded host; read on the loader's thread or while idle.
    QString getFilePath() const { return filePath; }
    // The reader options and the optimisation switch as they are now, from any thread; each load
    // takes its own copy, so a switch flipped meanwhile applies from the next load on.
    std::shared_ptr<ReaderConfig> getConfig() const;
    bool getOptimization() const;
    // True once shutdown began: the requests still queued are skipped.
    bool isStopping() const { return m_stopping; }

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
    // The end of every read, save and JSON save; a read's results were all sent before it.
    void loadFileFinish();
    // A save that wrote its file. A save that did not write emits saveFileFailed instead, so exactly
    // one of the two ends every saveDocument.
    void saveFileFinish();
    // A document load: everything it read, at once (the root is null when nothing was read).
    void newObjectToView(LoadedModel model);
    void newObjectToMain(osg::ref_ptr<osg::Node> root, QModelIndex index);
    // path as requested, reason in English for the log and the status bar.
    void saveFileFailed(QString path, QString reason);

public slots:
    void newObjectToLoad(const QString& path, bool bOrigin = true, ObjectLoader::LoadFileValueType type = FilePath);
    void newObjectToLoadWithIndex(const QString& path, bool bOrigin = true, const QModelIndex& index = QModelIndex(),
                                  ObjectLoader::LoadFileValueType type = FilePath);
    // Writes what the window collected when the save was asked for; reads no manager.
    void saveDocument(const QString& path, const ModelSaveRequest& request);
    // On the caller's thread: reads the scene holder's model, so only on the thread that owns it.
    void saveJson(QString& out, SceneModel* sceneModel);
    // Runs on the loader's thread: from another thread it is queued behind the running request.
    void clear();
    void setOptimization(bool val);
    void readPMIConfig(bool on);
    void readEdgeConfig(bool on);
    void mergeFaceConfig(bool on);

private:
    // Reads into root; a model file's documents go into loaded.
    void readFile(const std::string& source, LoadFileValueType type, LoadedModel& loaded);
    static void dispatchJsonParts(const std::map<std::string, std::string*>& parts, LoadedModel& loaded);
    static void readUserViews(const QString& text, std::vector<osg::ref_ptr<osg::Node>>& views);
    void setActiveReader(const std::shared_ptr<BaseReader>& reader);
    // The scene holder's current model; null without one.
    static osg::ref_ptr<osg::Node> modelOf(SceneModel* sceneModel);

    QString filePath;
    osg::ref_ptr<osg::Node> root;
    // Set by queued slots on the loader's thread, read by loads that run on the window's thread in
    // embedded mode. Standard mutexes rather than QMutex: ThreadSanitizer sees their locking, not that
    // of the uninstrumented Qt library, so a sanitizer run checks these guards instead of flagging them.
    mutable std::mutex m_optionsMutex;
    bool optimize = false;
    ReaderConfig config;

    // Loads may run on the window's thread in embedded mode while a queued clear() runs here.
    std::recursive_mutex m_stateMutex;
    std::mutex m_readerMutex;
    std::shared_ptr<BaseReader> m_activeReader;
    std::atomic<bool> m_stopping{false};
};

Q_DECLARE_METATYPE(osg::ref_ptr<osg::Node>)
Q_DECLARE_METATYPE(ObjectLoader::LoadFileValueType)
