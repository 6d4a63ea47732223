#pragma once

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <string>

namespace VantorSoft {

class DAZO_API Vantor_Material {
public:
    Vantor_Material();
    Vantor_Material(const Vantor_Material&) = default;
    Vantor_Material& operator=(const Vantor_Material&) = default;
    virtual ~Vantor_Material();

    u64 Id() const;
    void Id(u64 id);
    const Vantor_RGBA& DiffuseColor() const;
    void DiffuseColor(const Vantor_RGBA& c);
    const Vantor_RGBA& AmbientColor() const;
    void AmbientColor(const Vantor_RGBA& c);
    const Vantor_RGBA& SpecularColor() const;
    void SpecularColor(const Vantor_RGBA& c);
    const Vantor_RGBA& EmissionColor() const;
    void EmissionColor(const Vantor_RGBA& c);
    const float& Shininess() const;
    void Shininess(const float& s);
    const std::string& Name() const;
    void Name(const std::string& name);
    // The caller's flag; no operation of the library reads it.
    bool GetWriteFile() const;
    void SetWriteFile(bool written);

    // Adds the material's entry to the material document: {"id": decimal text, "diffuse":
    // [r, g, b, a]} with an unset (-1) channel written as 153 (colour) or 255 (alpha). An entry
    // equal to one already listed is not added again. Null arguments add nothing.
    static void WriteMaterialJson(void* document, const std::shared_ptr<Vantor_Material>& material);

private:
    u64 m_id;
    Vantor_RGBA m_diffuse;
    Vantor_RGBA m_ambient;
    Vantor_RGBA m_specular;
    Vantor_RGBA m_emission;
    float m_shininess;
    std::string m_name;
    bool m_writeFile;
};

} // namespace VantorSoft
