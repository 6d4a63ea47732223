#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <vector>

namespace VantorSoft {

class Vantor_Body;
class Vantor_File;
class Vantor_Material;

// A part definition: its bodies, written once into an archive however many instances place it.
class DAZO_API Vantor_Prototype {
public:
    // Bytes of one prototype index record.
    static const unsigned IndexRecordSize = 16;

    Vantor_Prototype();
    Vantor_Prototype(const Vantor_Prototype&) = default;
    Vantor_Prototype& operator=(const Vantor_Prototype&) = default;
    virtual ~Vantor_Prototype();

    u64 Id() const;
    void Id(u64 id);
    std::shared_ptr<Vantor_Material>& Material();
    void Material(const std::shared_ptr<Vantor_Material>& material);
    std::vector<std::shared_ptr<Vantor_Body>>& SubBodies();
    void SubBodies(const std::vector<std::shared_ptr<Vantor_Body>>& bodies);
    int& GetByteOffset();
    void SetByteOffset(const int& offset);
    int& GetByteLength();
    void SetByteLength(const int& length);
    bool& GetWriteFile();
    // false makes the next ToBuffer write the prototype again; true keeps it out of every output.
    void SetWriteFile(bool written);

    // Writes the bodies to the mesh data stream, the index record (id, offset, length) to the
    // index stream, the face materials and the geometry entry; once per output: a prototype
    // written to one data stream is skipped for it, but written again to a new one. Both file
    // pointers are needed. An offset or length past 31 bits fails the index stream.
    void ToBuffer(std::shared_ptr<Vantor_File>& indexFile, std::shared_ptr<Vantor_File>& dataFile,
                  void* materialDocument, void* geometryDocument);
    void ToMaterialBuffer(void* document);
    void ToGeometryBuffer(void* faces, void* edges, void* document);
    // Adds {"id", "faces", "edges"} to the root's "geometries"."prototype" list (made with
    // "version": "1.1.0" when absent) unless the prototype has no face or edge geometry.
    void ToGeometryBuffer(void* document);

private:
    u64 m_id;
    std::shared_ptr<Vantor_Material> m_material;
    std::vector<std::shared_ptr<Vantor_Body>> m_bodies;
    int m_byteOffset;
    int m_byteLength;
    bool m_writeFile;
    u64 m_writtenTo; // serial of the data stream the prototype went into
};

} // namespace VantorSoft
