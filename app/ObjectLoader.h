#pragma once
// Stand-in with the final interface until the loader itself lands; replace wholesale.
#include <QObject>
#include <QModelIndex>
#include <QString>
#include <osg/Node>
class SceneModel;
class ObjectLoader : public QObject
{
    Q_OBJECT
public:
    enum LoadFileValueType { FilePath = 0, JSONBOM = 1, OCXJSONBOM = 2 };
    Q_ENUM(LoadFileValueType)
public slots:
    void newObjectToLoad(const QString&, bool = true, ObjectLoader::LoadFileValueType = FilePath) {}
    void newObjectToLoadWithIndex(const QString&, bool, const QModelIndex&, ObjectLoader::LoadFileValueType) {}
    void saveFile(const QString&, SceneModel*) {}
    void clear() {}
    void readPMIConfig(bool) {}
    void readEdgeConfig(bool) {}
    void mergeFaceConfig(bool) {}
signals:
    void Progressdata(QString, float);
    void Progressdata1(QString, float);
    void ProgressShown(bool);
    void loadFileFinish();
    void saveFileFinish();
    void newObjectToView(osg::Node*);
    void newNoteToModel(QString*);
    void newSectionToModel(QString*);
    void newViewToModel(osg::Node*);
    void newMeasureToModel(QString*);
    void newAnimationToModel(QString*);
    void newObjectToMain(osg::Node*, const QModelIndex&);
};
