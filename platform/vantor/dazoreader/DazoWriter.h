#pragma once

#include "vantor/basereader/BaseReader.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"

#include <osg/Matrixd>
#include <osg/Node>
#include <osg/ref_ptr>

#include <map>
#include <string>

// Writes a scene back into a complete ".dazo" archive through the Dazo library: every model as an
// instance (id, name, placement, visibility), the bodies below each model as its part (parts
// placed by several models are stored once), face colours as materials, the faces' and edges'
// analytic geometry and the annotations the reader kept, and the program's documents.
//
// A model's own colour override (a material on the model) is what the user sees, so it is written
// into the faces of that model's parts. The archive is built beside the target and moved over it
// only when complete: a failed save leaves an existing file as it was.
class DazoWriter : public BaseWriter
{
public:
    DazoWriter();
    ~DazoWriter() override;

    // members: name -> rapidjson::Document* for "note", "view", "section", "measure",
    // "animation"; other names and null documents are left out. false, with the reason in
    // lastError(), when nothing or not everything could be written.
    bool saveNode(const std::string& path, osg::ref_ptr<osg::Node> root, const std::map<std::string, void*>& members);
    // The same with the program's documents as the bytes to store (an empty text leaves its member
    // out) and entries carried over from another archive, written after the writer's own members
    // exactly as they are given.
    bool saveArchive(const std::string& path, osg::ref_ptr<osg::Node> root, const Vantor::DazoLayout::ProgramDocuments& documents,
                     const std::vector<Vantor::DazoLayout::StoredEntry>& entries);

    // The placement written for the root instead of the root node's own matrix; the scene itself
    // is not touched.
    void setRootMatrix(const osg::Matrixd& matrix);

private:
    bool m_hasRootMatrix = false;
    osg::Matrixd m_rootMatrix;
};
