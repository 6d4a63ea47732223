#pragma once

#include "vantor/assembly/AssemblyManager.h"

#include <QPointer>

class QAbstractItemView;
class SceneModel;

// Keeps the structure tree in step with the assembly manager: each structural change re-reads the
// tree (the model is reset, expanded rows stay expanded) before the new row is shown.
class OsgTreeAssemblyListener : public Vantor::AssemblyManagerListener
{
public:
    // Neither is owned; both belong to the main window.
    OsgTreeAssemblyListener(QAbstractItemView* treeView, SceneModel* scene);

    // A new assembly under the parent row: shown, made current and opened for renaming.
    void onAssemblyCreated(Vantor::AssemblyManager* manager, osg::Node* node, const QModelIndex& parent) override;
    // A node (or, for none, the last row) under the parent row is shown and made current.
    void onNodeAdded(Vantor::AssemblyManager* manager, osg::Node* node, const QModelIndex& parent) override;
    void onAssembliesChanged(Vantor::AssemblyManager* manager) override;
    // The scene holder records the new model's properties.
    void onModelAdded(Vantor::AssemblyManager* manager, osg::Node* node) override;

private:
    QPointer<QAbstractItemView> m_treeView;
    QPointer<SceneModel> m_scene;
};
