#include "app/ObjectLoader.h"

#include "view/UserView.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoJsonWriter.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/dazoreader/DazoWriter.h"
#include "vantor/util/FileUtil.h"
#include "vantor/util/LogHandler.h"
#include "vantor/util/StrUtil.h"

#include <osg/MatrixTransform>
#include <osgUtil/Optimizer>

#include <rapidjson/document.h>

#include <QFileInfo>
#include <QThread>
#include "vantor/util/JsonParse.h"

namespace {

std::string lowerExtension(const std::string& path)
{
    return Vantor::StrUtil::ToLower(Vantor::FileUtil::GetExt(path));
}

} // namespace

void ObjectLoader::registerMetaTypes()
{
    qRegisterMetaType<ObjectLoader::LoadFileValueType>("ObjectLoader::LoadFileValueType");
    qRegisterMetaType<osg::ref_ptr<osg::Node>>("osg::ref_ptr<osg::Node>");
    qRegisterMetaType<QModelIndex>("QModelIndex");
    qRegisterMetaType<LoadedModel>("LoadedModel");
    qRegisterMetaType<ModelSaveRequest>("ModelSaveRequest");
}

ObjectLoader::ObjectLoader(QObject* parent) : QObject(parent)
{
    registerMetaTypes();
}

ObjectLoader::~ObjectLoader()
{
    // Deleting a worker while its thread still runs one of its requests would pull the object from
    // under that request.
    if (thread() != QThread::currentThread() && thread()->isRunning())
        shutdown();
}

void ObjectLoader::cancel()
{
    std::lock_guard<std::mutex> lock(m_readerMutex);
    if (m_activeReader)
        m_activeReader->cancel();
}

void ObjectLoader::shutdown()
{
    m_stopping = true;
    cancel();
    QThread* worker = thread();
    if (worker != QThread::currentThread() && worker->isRunning()) {
        worker->quit();
        worker->wait();
    }
}

void ObjectLoader::setActiveReader(const std::shared_ptr<BaseReader>& reader)
{
    std::lock_guard<std::mutex> lock(m_readerMutex);
    m_activeReader = reader;
    if (reader && m_stopping)
        reader->cancel();
}

// ---- ReaderListener ----

void ObjectLoader::onReadStarted()
{
    emit Progressdata(tr("初始化"), 0.0f);
    emit Progressdata1(QString(), 0.0f);
    emit ProgressShown(true);
}

void ObjectLoader::onReadProgress(const std::string& text, const float& value)
{
    emit Progressdata(QString::fromUtf8(text.c_str()), value);
}

void ObjectLoader::onReadSubProgress(const std::string& text, const float& value)
{
    emit Progressdata1(QString::fromUtf8(text.c_str()), value);
}

void ObjectLoader::onReadFinished()
{
    emit loadFileFinish();
}

void ObjectLoader::onReadCancelled()
{
    emit Progressdata(tr("取消"), 0.0f);
    emit Progressdata1(QString(), 0.0f);
}

// ---- loading ----

void ObjectLoader::newObjectToLoad(const QString& path, bool bOrigin, ObjectLoader::LoadFileValueType type)
{
    newObjectToLoadWithIndex(path, bOrigin, QModelIndex(), type);
}

void ObjectLoader::newObjectToLoadWithIndex(const QString& path, bool bOrigin, const QModelIndex& index,
                                            ObjectLoader::LoadFileValueType type)
{
    if (m_stopping)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_stateMutex);
    filePath = path;
    // A file is read by its whole path, so what a relative name meant cannot change while it is read;
    // a text is no file.
    const QString source = type == OCXJSONBOM ? path : QFileInfo(path).absoluteFilePath();
    const QString shown = type == OCXJSONBOM && path.size() > 200 ? path.left(200) + QStringLiteral("...") : source;
    Vantor::LogHandler::getInstance()->reportInfo(tr("Loading of %1 ...").arg(shown));

    LoadedModel loaded;
    const QByteArray bytes = type == OCXJSONBOM ? source.toUtf8() : source.toLocal8Bit();
    readFile(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), type, loaded);

    if (getOptimization() && root) {
        Vantor::LogHandler::getInstance()->reportInfo(tr("Optimization of the graph ..."));
        osgUtil::Optimizer optimizer;
        optimizer.optimize(root.get());
    }

    // Everything the read gave goes before its end is told: whoever waits for the end finds it all.
    if (bOrigin) {
        loaded.root = root;
        emit newObjectToView(loaded);
    } else {
        emit newObjectToMain(root, index);
    }
    onReadFinished();
}

void ObjectLoader::readFile(const std::string& source, LoadFileValueType type, LoadedModel& loaded)
{
    root = nullptr;
    auto reader = std::make_shared<DazoReaderWriter>();
    reader->setListener(this);
    reader->setConfig(getConfig());
    setActiveReader(reader);

    switch (type) {
    case FilePath:
        if (Vantor::DazoLayout::IsModelFileName(source)) {
            root = reader->readNode(source);
            dispatchJsonParts(reader->GetUserData(), loaded);
            loaded.documents.others =
                std::make_shared<const std::vector<Vantor::DazoLayout::StoredEntry>>(reader->TakeOtherEntries());
        } else {
            Vantor::LogHandler::getInstance()->reportWarning(
                tr("%1 is not a model file").arg(QString::fromLocal8Bit(source.c_str())));
        }
        break;
    case JSONBOM:
        if (lowerExtension(source) == "json")
            root = reader->readBom(source);
        else
            Vantor::LogHandler::getInstance()->reportWarning(
                tr("%1 is not a bill of materials").arg(QString::fromLocal8Bit(source.c_str())));
        break;
    case OCXJSONBOM:
        root = reader->readBomValue(source);
        break;
    }
    setActiveReader(nullptr);
}

void ObjectLoader::dispatchJsonParts(const std::map<std::string, std::string*>& parts, LoadedModel& loaded)
{
    for (const auto& part : parts) {
        if (!part.second)
            continue;
        // As stored, so a save can put back what the program does not read.
        loaded.documents.members[part.first] = *part.second;
        // Up to the first NUL, as the documents are C texts. Bytes that are not UTF-8 become
        // replacement characters here; the window finds and reports them from the stored form.
        const QString text = QString::fromUtf8(part.second->c_str());
        if (part.first == "note")
            loaded.note = text;
        else if (part.first == "section")
            loaded.section = text;
        else if (part.first == "measure")
            loaded.measure = text;
        else if (part.first == "animation")
            loaded.animation = text;
        else if (part.first == "view")
            readUserViews(text, loaded.views);
    }
}

void ObjectLoader::readUserViews(const QString& text, std::vector<osg::ref_ptr<osg::Node>>& views)
{
    views.clear();
    const QByteArray utf8 = text.toUtf8();
    rapidjson::Document doc;
    // Iterative: a deeply nested document must not exhaust the thread's stack. Full precision: a camera
    // read back must be the camera that was saved, to the last bit.
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(doc, utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (doc.HasParseError() || !doc.IsObject())
        return;
    auto list = doc.FindMember("userview_list");
    if (list == doc.MemberEnd() || !list->value.IsArray())
        return;
    for (const auto& entry : list->value.GetArray()) {
        if (!entry.IsObject())
            continue;
        osg::ref_ptr<Vantor::UserView> view = new Vantor::UserView;
        view->fromJson(entry);
        views.push_back(view);
    }
}

void ObjectLoader::clear()
{
    if (thread() != QThread::currentThread() && thread()->isRunning()) {
        QMetaObject::invokeMethod(this, "clear", Qt::QueuedConnection);
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(m_stateMutex);
    root = nullptr;
    setOptimization(false);
}

std::shared_ptr<ReaderConfig> ObjectLoader::getConfig() const
{
    std::lock_guard<std::mutex> lock(m_optionsMutex);
    return std::make_shared<ReaderConfig>(config);
}

bool ObjectLoader::getOptimization() const
{
    std::lock_guard<std::mutex> lock(m_optionsMutex);
    return optimize;
}

void ObjectLoader::setOptimization(bool val)
{
    std::lock_guard<std::mutex> lock(m_optionsMutex);
    optimize = val;
}

void ObjectLoader::readPMIConfig(bool on)
{
    std::lock_guard<std::mutex> lock(m_optionsMutex);
    config.readPMI = on ? 1 : 0;
}

void ObjectLoader::readEdgeConfig(bool on)
{
    std::lock_guard<std::mutex> lock(m_optionsMutex);
    config.readEdge = on ? 1 : 0;
}

void ObjectLoader::mergeFaceConfig(bool on)
{
    std::lock_guard<std::mutex> lock(m_optionsMutex);
    config.mergeFace = on ? 1 : 0;
}

// ---- saving ----

void ObjectLoader::saveDocument(const QString& path, const ModelSaveRequest& request)
{
    if (m_stopping)
        return;
    saveModel(path, request.model, request.hasMatrix ? &request.matrix : nullptr, request.documents, request.entries);
}

bool ObjectLoader::saveModel(const QString& path, osg::ref_ptr<osg::Node> model, const osg::Matrixd* rootMatrix,
                             const std::map<std::string, std::string>& documents, const StoredEntries& entries)
{
    std::lock_guard<std::recursive_mutex> lock(m_stateMutex);
    const std::string target = path.toLocal8Bit().toStdString();
    bool ok = false;
    QString reason;
    if (!Vantor::DazoLayout::IsModelFileName(target)) {
        reason = tr("%1 is not a model file name (.dazo or .liteprt)").arg(path);
        Vantor::LogHandler::getInstance()->reportError(reason);
    } else {
        // Written as they are given: a document the program did not read goes back byte for byte.
        Vantor::DazoLayout::ProgramDocuments texts;
        for (const auto& d : documents)
            if (std::string* text = texts.byKey(d.first))
                *text = d.second;
        auto writer = std::make_shared<DazoWriter>();
        writer->setListener(this);
        if (rootMatrix)
            writer->setRootMatrix(*rootMatrix);
        setActiveReader(writer);
        static const std::vector<Vantor::DazoLayout::StoredEntry> none;
        ok = writer->saveArchive(target, model, texts, entries ? *entries : none);
        setActiveReader(nullptr);
        if (ok)
            Vantor::LogHandler::getInstance()->reportInfo(tr("Saved %1").arg(path));
        else
            reason = QString::fromStdString(writer->lastError());
    }
    onReadFinished();
    if (ok)
        emit saveFileFinish();
    else
        emit saveFileFailed(path, reason);
    return ok;
}

void ObjectLoader::saveJson(QString& out, SceneModel* sceneModel)
{
    osg::ref_ptr<osg::Node> model = modelOf(sceneModel);
    if (model) {
        DazoJsonWriter writer;
        writer.setListener(this);
        std::string text;
        if (writer.saveJson(model, text))
            out = QString::fromUtf8(text.c_str(), static_cast<int>(text.size()));
    } else {
        Vantor::LogHandler::getInstance()->reportError(tr("There is no model to save"));
    }
    onReadFinished();
}
