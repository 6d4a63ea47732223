#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <vector>

namespace VantorSoft {

class Vantor_Face;
class Vantor_File;
class Vantor_Material;

// A triangle mesh: shared point, normal and texture-coordinate arrays and the faces over them.
class DAZO_API Vantor_Body {
public:
    // Bytes of the block header.
    static const unsigned HeaderSize = 32;

    Vantor_Body();
    Vantor_Body(const Vantor_Body&) = default;
    Vantor_Body& operator=(const Vantor_Body&) = default;
    virtual ~Vantor_Body();

    u64 Id() const;
    void Id(u64 id);
    std::vector<std::shared_ptr<Vantor_Face>>& FacesArray();
    void FacesArray(const std::vector<std::shared_ptr<Vantor_Face>>& faces);
    std::shared_ptr<Vantor_Material>& Material();
    void Material(const std::shared_ptr<Vantor_Material>& material);
    std::vector<Vantor_PNT32>& PointsArray();
    void PointsArray(const std::vector<Vantor_PNT32>& points);
    std::vector<Vantor_PNT32>& NormalsArray();
    void NormalsArray(const std::vector<Vantor_PNT32>& normals);
    std::vector<Vantor_UV>& UVsArray();
    void UVsArray(const std::vector<Vantor_UV>& uvs);

    // The body block: header, points, normals, texture coordinates, the faces with their
    // indices, then every face's edges with theirs. Nothing when the pointer is empty.
    void ToBuffer(std::shared_ptr<Vantor_File>& file);
    void ToMaterialBuffer(void* document);
    void ToGeometryBuffer(void* faces, void* edges, void* document);

private:
    int GetAllEdges() const;

    u64 m_id;
    std::vector<std::shared_ptr<Vantor_Face>> m_faces;
    std::shared_ptr<Vantor_Material> m_material;
    std::vector<Vantor_PNT32> m_points;
    std::vector<Vantor_PNT32> m_normals;
    std::vector<Vantor_UV> m_uvs;
};

} // namespace VantorSoft
