#pragma once

#include "vantor/assembly/AssemblyCommand.h"
#include "vantor/assembly/AssemblyManager.h"
#include "vantor/model/Model.h"

#include <QList>
#include <osg/Group>

#include <string>
#include <vector>

namespace Vantor {

// Cut moves the nodes out of the model into the clipboard; copy only records them.
enum CopeType { CopeType_Cut = 0, CopeType_Copy = 1 };

// Where a node sat before a command moved it: undo puts it back at the same child index with the
// same placement.
struct AssemblyPlace
{
    osg::ref_ptr<osg::Node> node;
    osg::ref_ptr<osg::Group> parent;
    unsigned int index = 0;
    osg::Matrixd matrix;
};

// Appends a new, empty assembly (a model named "Assembly") under the target row's model.
class CreateAssemblyCommand : public AssemblyCommand
{
public:
    std::string Type() override { return "CreateAssemblyCommand"; }
    std::string Name() override { return "CreateAssemblyCommand"; }
    bool Execute() override;
    bool Unexecute() override;
    osg::Node* createdNode() const { return m_created.get(); }

private:
    osg::ref_ptr<Model> m_created;
    bool m_done = false;
};

// Takes the target row's node out of its parent model; the top model cannot be deleted.
class DeleteAssemblyCommand : public AssemblyCommand
{
public:
    std::string Type() override { return "DeleteAssemblyCommand"; }
    std::string Name() override { return "DeleteAssemblyCommand"; }
    bool Execute() override;
    bool Unexecute() override;

private:
    AssemblyPlace m_place;
};

// Puts nodes into the assembly manager's clipboard; a cut also takes them out of the model.
class CopyAssemblyCommand : public AssemblyCommand
{
public:
    std::string Type() override { return "CopyAssemblyCommand"; }
    std::string Name() override { return "CopyAssemblyCommand"; }
    void SetCopyVals(const std::vector<osg::ref_ptr<osg::Node>>& nodes) { m_nodes = nodes; }
    void SetCopyType(CopeType type) { m_type = type; }
    bool Execute() override;
    bool Unexecute() override;

private:
    std::vector<osg::ref_ptr<osg::Node>> m_nodes;
    CopeType m_type = CopeType_Copy;
    AssemblyManager::Clipboard m_before;
    std::vector<AssemblyPlace> m_removed;
};

// Puts the clipboard under the target row's model at the world places the nodes had. The first paste
// after a cut brings back the cut nodes themselves (same ids); every other paste makes new instances
// with new ids that share the parts' geometry.
class PasteAssemblyCommand : public AssemblyCommand
{
public:
    std::string Type() override { return "PasteAssemblyCommand"; }
    std::string Name() override { return "PasteAssemblyCommand"; }
    bool Execute() override;
    bool Unexecute() override;
    const std::vector<osg::ref_ptr<osg::Node>>& pastedNodes() const { return m_pasted; }

private:
    std::vector<osg::ref_ptr<osg::Node>> m_pasted;
    AssemblyManager::Clipboard m_before;
    AssemblyManager::Clipboard m_after;
    osg::ref_ptr<Model> m_parent;
};

// Moves nodes under the target row's model, each keeping its place in the world. Nodes that are the
// target, lie above it or already sit under it are left alone.
class DragAssemblyCommand : public AssemblyCommand
{
public:
    std::string Type() override { return "DragAssemblyCommand"; }
    std::string Name() override { return "DragAssemblyCommand"; }
    void SetList(const QList<osg::Node*>& nodes);
    bool Execute() override;
    bool Unexecute() override;

private:
    std::vector<osg::ref_ptr<osg::Node>> m_nodes;
    std::vector<AssemblyPlace> m_moved;
    osg::ref_ptr<Model> m_parent;
};

// Hangs a loaded model under the target row's model.
class AddAssemblyCommand : public AssemblyCommand
{
public:
    std::string Type() override { return "AddAssemblyCommand"; }
    std::string Name() override { return "AddAssemblyCommand"; }
    void setNode(osg::Node* node) { m_node = node; }
    bool Execute() override;
    bool Unexecute() override;

private:
    osg::ref_ptr<osg::Node> m_node;
    osg::ref_ptr<Model> m_parent;
    bool m_done = false;
};

} // namespace Vantor
