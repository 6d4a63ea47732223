#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VantorSoft {

class Vantor_File;
class Vantor_Material;
class Vantor_PMIDocument;
class Vantor_Prototype;

// A node of the assembly tree: places a prototype in its parent's space. A dispersed instance
// stands for a sub-assembly kept in an archive of its own (Path, without extension): writers
// give it one record and do not descend into it.
class DAZO_API Vantor_Instance {
public:
    // Bytes of one instance record.
    static const unsigned RecordSize = 104;

    // New id, identity placement, PlcId 0, not dispersed, not visible, prototype number 0.
    Vantor_Instance();
    // Deep copy of a subtree with fresh ids, sharing the prototypes; materials and PMI documents
    // are not taken over. An empty source gives a new empty instance.
    explicit Vantor_Instance(const std::shared_ptr<Vantor_Instance>& source);
    Vantor_Instance(const Vantor_Instance&) = default;
    Vantor_Instance& operator=(const Vantor_Instance&) = default;
    virtual ~Vantor_Instance();

    std::vector<std::shared_ptr<Vantor_Instance>>& SubInstances();
    void SubInstances(const std::vector<std::shared_ptr<Vantor_Instance>>& children);
    std::shared_ptr<Vantor_Material>& Material();
    void Material(const std::shared_ptr<Vantor_Material>& material);
    std::shared_ptr<Vantor_Prototype>& Prototype();
    void Prototype(const std::shared_ptr<Vantor_Prototype>& prototype);
    std::shared_ptr<Vantor_PMIDocument>& PMIDocument();
    void PMIDocument(const std::shared_ptr<Vantor_PMIDocument>& document);
    u64& Id();
    void Id(u64 id);
    int& PlcId();
    void PlcId(const int& plcId);
    bool Visible() const;
    void Visible(bool visible);
    unsigned& PrototypeId();
    void PrototypeId(unsigned number);
    bool Disperse() const;
    void Disperse(bool disperse);
    std::string& Path();
    void Path(const std::string& path);
    bool Assembly() const;
    void Assembly(bool assembly);
    Vantor_MTX32& PlcMatrix();
    void PlcMatrix(const Vantor_MTX32& matrix);
    // In the system's narrow character set; converted to UTF-8 where written as JSON.
    std::string& Name();
    void Name(const std::string& name);

    // Appends the child and numbers it (PlcId = its index); an empty pointer is ignored.
    void AddSubInstance(std::shared_ptr<Vantor_Instance> child);

    // Writes this subtree's instance records in depth-first pre-order, cut at dispersed
    // instances, with parent id 0 or the given parent's id.
    void ToBuffer(std::shared_ptr<Vantor_File>& file);
    void ToBuffer(std::shared_ptr<Vantor_File>& file, std::shared_ptr<Vantor_Instance>& parent);

    // Materials into the material document, prototypes into the index and mesh data streams
    // and the geometry document, for this subtree (dispersed instances excluded).
    void ToProtoTypeBuffer(std::shared_ptr<Vantor_File>& indexFile, std::shared_ptr<Vantor_File>& dataFile,
                           void* materialDocument, void* geometryDocument);
    // {"id", "name", "path"} entries into the root's "properties" list; a dispersed child's path
    // gets ".dazo" appended when addExtension is true.
    void ToPropertyBuffer(void* document, bool addExtension);
    // {"instanceId", "id", "PMIs"} entries into the root's "PMIDocs" list for every instance of
    // the subtree that has a PMI document.
    void ToPMIBuffer(void* document);

private:
    void init();
    void ToBuffer(std::shared_ptr<Vantor_File>& file, u64& parentId);
    void ToBom(std::shared_ptr<Vantor_File>& file, u64& parentId, bool withLinks);
    void ToPropertyBuffer(void* document, u64& id, std::string& name, std::string& path);

    // The walks below carry the instances of the current path, so a tree that by mistake
    // contains itself is cut instead of recursing without end.
    void writeTree(std::shared_ptr<Vantor_File>& file, u64 parentId, std::vector<const Vantor_Instance*>& path);
    void writePrototypes(std::shared_ptr<Vantor_File>& indexFile, std::shared_ptr<Vantor_File>& dataFile,
                         void* materialDocument, void* geometryDocument, std::vector<const Vantor_Instance*>& path);
    void writeProperties(void* document, bool addExtension, std::vector<const Vantor_Instance*>& path);
    void writePMI(void* document, std::vector<const Vantor_Instance*>& path);
    void cloneChildren(const Vantor_Instance& source, std::vector<const Vantor_Instance*>& path);

    std::vector<std::shared_ptr<Vantor_Instance>> m_subInstances;
    std::shared_ptr<Vantor_Material> m_material;
    std::shared_ptr<Vantor_Prototype> m_prototype;
    std::shared_ptr<Vantor_PMIDocument> m_pmiDocument;
    u64 m_id;
    int m_plcId;
    bool m_visible;
    unsigned m_prototypeId;
    bool m_disperse;
    std::string m_path;
    bool m_assembly;
    Vantor_MTX32 m_plcMatrix;
    std::string m_name;
};

} // namespace VantorSoft
