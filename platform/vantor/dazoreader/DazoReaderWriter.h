#pragma once

#include "vantor/basereader/BaseReader.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <map>
#include <memory>
#include <string>

// Reads ".dazo" (and ".liteprt", the same format) archives and bills of materials into scene
// graphs. The reader never trusts its input: a damaged file gives a logged error, the reason in
// lastError() and a null result, never a partial model that a later save would write back short.
//
// The scene it builds: one Vantor::Model per instance (placement, name, the instance's id as model
// id, visibility as node mask); each part's bodies as Vantor::Body nodes, shared by every instance
// that places the same part with the same fallback colour; a body's faces in one drawable per
// material (per colour with mergeFace) plus one for the faces that take the instance's colour, each
// a single triangle list over the body's shared point and normal arrays, its faces kept as ranges
// of that list (DazoData::FaceData); edges as one list of segments per body with readEdge;
// annotations as Vantor::PMI nodes with readPMI. Instance trees deeper than
// DazoRead::MaxModelDepth are refused (docs/dazo-format.md, section 6).
class DazoReaderWriter : public BaseReader
{
public:
    DazoReaderWriter();
    ~DazoReaderWriter() override;

    // path: UTF-8 file name.
    osg::ref_ptr<osg::Node> readNode(const std::string& path);
    // A bill-of-materials file (see docs/bom-format.md); relative part paths are taken from the
    // file's folder.
    osg::ref_ptr<osg::Node> readBom(const std::string& path);
    // Bill-of-materials text (UTF-8); its part paths must be absolute (a text has no folder).
    osg::ref_ptr<osg::Node> readBomValue(const std::string& text);

    // The program's documents ("note", "view", "section", "measure", "animation") of the last
    // readNode, by name. The texts belong to the reader and live until its next read or its end.
    std::map<std::string, std::string*> GetUserData();
    // The entries of the last readNode's archive that neither the reader nor the program reads, as
    // stored, in their order; a save hands them to DazoWriter so they pass through. Taken once.
    std::vector<Vantor::DazoLayout::StoredEntry> TakeOtherEntries() { return std::move(m_otherEntries); }

private:
    osg::ref_ptr<osg::Node> readBomText(const std::string& text, const std::string& baseFolder);

    std::map<std::string, std::unique_ptr<std::string>> m_userData;
    std::vector<Vantor::DazoLayout::StoredEntry> m_otherEntries;
};
