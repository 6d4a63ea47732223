#pragma once

// What a model file holds beside the model, what a save writes back, and whether the open model has
// anything to save.

#include "vantor/dazoreader/DazoArchiveLayout.h"

#include <osg/Matrixd>
#include <osg/Node>
#include <osg/ref_ptr>

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The program's documents in a model file, by member name: "note", "view", "section", "measure",
// "animation".
extern const char* const DocumentNames[5];

// Document name -> text.
using DocumentTexts = std::map<std::string, std::string>;
using StoredEntries = std::shared_ptr<const std::vector<Vantor::DazoLayout::StoredEntry>>;

// What a model file held beside the model: the program's documents as stored (only those the file
// has) and every entry the reader does not read, as stored.
struct LoadedDocuments {
    DocumentTexts members;
    StoredEntries others;
};

// Everything a document load gives the window, in one value, so the window has the whole model at
// once: the root (null when nothing was read), the texts of the note, section, measure and animation
// documents (empty when the file lacks one), the saved views read from the view document and the
// documents as stored.
struct LoadedModel {
    osg::ref_ptr<osg::Node> root;
    QString note;
    QString section;
    QString measure;
    QString animation;
    std::vector<osg::ref_ptr<osg::Node>> views;
    LoadedDocuments documents;
};

// Everything a save writes, taken on the window's thread when the save is asked for: the model (with
// the placement to write for it), each document's bytes as they are to be stored, and the entries
// carried over.
struct ModelSaveRequest {
    osg::ref_ptr<osg::Node> model;
    bool hasMatrix = false;
    osg::Matrixd matrix;
    DocumentTexts documents;
    StoredEntries entries;
};

Q_DECLARE_METATYPE(LoadedDocuments)
Q_DECLARE_METATYPE(LoadedModel)
Q_DECLARE_METATYPE(ModelSaveRequest)

// Why the program holds only part of a stored document; empty when it holds all of it. `read` is what
// the program writes of the document right after reading it. Part of it is lost when the stored bytes
// are not UTF-8 or hold a NUL, do not parse, or when a member, an entry or a value's kind of the stored
// document does not come back in `read` (values themselves may be normalised).
QString partialReadReason(const std::string& stored, const std::string& read);

// A digest of everything of the model that a save writes: structure, names, ids, visibility,
// placements below the top, colours and the drawn faces. Equal digests: a save writes the same model.
std::uint64_t sceneDigest(osg::Node* model);

// The open model's documents as its file holds them and as the program last wrote or read them, so a
// save puts back unchanged what the program did not read, or did not change, and the window knows
// whether there is anything to save.
class DocumentState
{
public:
    // Nothing to keep and nothing to save: no model, or one not read from a model file.
    void forget();
    // A model file was read. current: what the program writes of each document now; scene: the
    // model's digest. Returns the documents read only in part, with the reason.
    std::map<std::string, QString> loaded(const LoadedDocuments& file, const DocumentTexts& current, std::uint64_t scene);
    bool tracking() const { return m_tracking; }
    // Whether a save would write something else than the file holds.
    bool modified(const DocumentTexts& current, std::uint64_t scene) const;

    struct Plan {
        DocumentTexts documents; // each member's bytes
        StoredEntries entries;   // the file's other entries, then the originals kept beside changed documents
        QStringList keptBeside;  // documents read only in part that the user changed: their original is kept
    };
    // What a save of the current documents writes: a document the user did not change goes back as the
    // file holds it; one the user changed is written anew, and when it was read only in part its stored
    // form is also kept, as the entry "model.<name>-original".
    Plan plan(const DocumentTexts& current) const;
    // The file now holds what the plan wrote.
    void saved(const Plan& plan, const DocumentTexts& current, std::uint64_t scene);

    // Why the document was read only in part (empty: it was read whole or the file lacks it).
    QString readInPart(const std::string& name) const;

private:
    bool m_tracking = false;
    DocumentTexts m_stored;   // the file's documents
    DocumentTexts m_baseline; // what the program wrote of them when they were read or last saved
    std::map<std::string, QString> m_partial;
    StoredEntries m_others;
    std::uint64_t m_scene = 0;
};
