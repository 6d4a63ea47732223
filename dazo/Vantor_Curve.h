#pragma once

// Curves drawn by annotations. Lines, polylines and arcs have a JSON form; NURBS curves,
// hyperbolas and parabolas are held in memory only.

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <string>
#include <vector>

namespace VantorSoft {

class DAZO_API Vantor_Curve {
public:
    Vantor_Curve();
    virtual ~Vantor_Curve();
    virtual Vantor_CurveTypeEnum GetCurveType() const;
    // The base reads and writes nothing and returns 0.
    virtual Vantor_STATUS FromJson(void* value, void* document);
    virtual Vantor_STATUS ToJson(void* value, void* document);

    Vantor_RGBA GetColor() const;
    Vantor_STATUS SetColor(const Vantor_RGBA& color);
    void SetCurveType(Vantor_CurveTypeEnum type);
    Vantor_CurveUsageEnum GetUsageType() const;
    void SetUsageType(Vantor_CurveUsageEnum usage);
    bool GetCurveDispStat() const;
    Vantor_STATUS SetCurveDispStat(bool shown);

protected:
    // "id", "color", "type", "defType", "visible" in that order; value becomes a fresh object.
    void WriteBaseJson(void* value, void* document) const;
    void ReadBaseJson(const void* value);

    Vantor_RGBA m_color;
    Vantor_CurveTypeEnum m_curveType;
    Vantor_CurveUsageEnum m_usageType;
    bool m_dispStat;
    u64 m_id; // carried only through JSON
};

class DAZO_API Vantor_PolyLine : public Vantor_Curve {
public:
    Vantor_PolyLine();
    // "points" is optional; its complete x, y, z triples are appended to the points held, and the
    // array is moved out of the input (left empty).
    Vantor_STATUS FromJson(void* value, void* document) override;
    Vantor_STATUS ToJson(void* value, void* document) override;

    const std::vector<Vantor_PNT32>& GetPoints() const;
    void SetPoints(const std::vector<Vantor_PNT32>& points);
    void GetRange(float& min, float& max) const;
    void SetRange(float min, float max);

private:
    float m_rangeMin;
    float m_rangeMax;
    std::vector<Vantor_PNT32> m_points;
};

class DAZO_API Vantor_Arc : public Vantor_Curve {
public:
    Vantor_Arc();
    Vantor_STATUS FromJson(void* value, void* document) override;
    Vantor_STATUS ToJson(void* value, void* document) override;

    void GetRange(float& min, float& max) const;
    void SetRange(float min, float max);
    Vantor_PNT32 GetCenterPoint() const;
    void SetCenterPoint(const Vantor_PNT32& p);
    void GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const;
    void SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z);
    void GetRadius(float& major, float& minor) const;
    void SetRadius(float major, float minor);
    void GetCoordinatePnt(Vantor_PNT32& begin, Vantor_PNT32& end) const;
    void SetCoordiantePnt(const Vantor_PNT32& begin, const Vantor_PNT32& end);
    void GetParameter(float& begin, float& end) const;
    void SetParameter(float begin, float end);
    Vantor_DIR32 GetNormal() const;
    void SetNormal(const Vantor_DIR32& d);
    Vantor_DIR32 GetOriginDir() const;
    void SetOriginDir(const Vantor_DIR32& d);

private:
    float m_rangeMin;
    float m_rangeMax;
    Vantor_PNT32 m_center;
    Vantor_DIR32 m_xDir;
    Vantor_DIR32 m_yDir;
    Vantor_DIR32 m_zDir;
    float m_majorRadius;
    float m_minorRadius;
    Vantor_PNT32 m_beginPnt;
    Vantor_PNT32 m_endPnt;
    float m_beginPar;
    float m_endPar;
    Vantor_DIR32 m_normal;
    Vantor_DIR32 m_originDir;
};

class DAZO_API Vantor_Line : public Vantor_Curve {
public:
    Vantor_Line();
    Vantor_STATUS FromJson(void* value, void* document) override;
    Vantor_STATUS ToJson(void* value, void* document) override;

    Vantor_PNT32 GetStartPoint() const;
    void SetStartPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetEndPoint() const;
    void SetEndPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetOrigin() const;
    void SetOrigin(const Vantor_PNT32& p);
    Vantor_DIR32 GetDirection() const;
    void SetDirection(const Vantor_DIR32& d);

private:
    Vantor_PNT32 m_start;
    Vantor_PNT32 m_end;
    Vantor_PNT32 m_origin;
    Vantor_DIR32 m_direction;
};

class DAZO_API Vantor_NurbsCurve : public Vantor_Curve {
public:
    Vantor_NurbsCurve();
    using Vantor_Curve::FromJson;
    using Vantor_Curve::ToJson;
    // No text form: reads nothing, returns 0 / gives "".
    Vantor_STATUS FromJson(std::string text);
    std::string ToJson();

    void GetDomain(float& min, float& max) const;
    void SetDomain(float min, float max);
    unsigned GetDegree() const;
    void SetDegree(unsigned degree);
    std::vector<unsigned> GetKnotMultiplicity() const;
    std::vector<float> GetKnots() const;
    std::vector<Vantor_PNT32> GetPoints() const;
    std::vector<float> GetWeights() const;
    void AddKnotMultiplicity(unsigned m);
    void AddKnot(float k);
    void AddPoint(Vantor_PNT32 p);
    void AddWeight(float w);
    // out[0..2] = p.x, p.y, p.z
    void WriteVertex(float* out, Vantor_PNT32 p);

private:
    float m_domainMin;
    float m_domainMax;
    unsigned m_degree;
    std::vector<unsigned> m_knotMultiplicity;
    std::vector<float> m_knots;
    std::vector<Vantor_PNT32> m_points;
    std::vector<float> m_weights;
};

class DAZO_API Vantor_Hyperbola : public Vantor_Curve {
public:
    Vantor_Hyperbola();
    using Vantor_Curve::FromJson;
    using Vantor_Curve::ToJson;
    Vantor_STATUS FromJson(std::string text);
    std::string ToJson();

    void GetDomain(float& min, float& max) const;
    void SetDomain(float min, float max);
    Vantor_PNT32 GetCenterPoint() const;
    void SetCenterPoint(const Vantor_PNT32& p);
    void GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const;
    void SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z);
    float GetSemiAxis() const;
    void SetSemiAxis(float v);
    float GetSemiImgAxis() const;
    void SetSemiImgAxis(float v);
    Vantor_PNT32 GetStartPoint() const;
    void SetStartPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetEndPoint() const;
    void SetEndPoint(const Vantor_PNT32& p);

private:
    float m_domainMin;
    float m_domainMax;
    Vantor_PNT32 m_center;
    Vantor_DIR32 m_xDir;
    Vantor_DIR32 m_yDir;
    Vantor_DIR32 m_zDir;
    float m_semiAxis;
    float m_semiImgAxis;
    Vantor_PNT32 m_start;
    Vantor_PNT32 m_end;
};

class DAZO_API Vantor_Parabola : public Vantor_Curve {
public:
    Vantor_Parabola();
    using Vantor_Curve::FromJson;
    using Vantor_Curve::ToJson;
    Vantor_STATUS FromJson(std::string text);
    std::string ToJson();

    void GetDomain(float& min, float& max) const;
    void SetDomain(float min, float max);
    Vantor_PNT32 GetStartPoint() const;
    void SetStartPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetEndPoint() const;
    void SetEndPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetCenterPoint() const;
    void SetCenterPoint(const Vantor_PNT32& p);
    void GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const;
    void SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z);
    float GetFocalDistance() const;
    void SetFocalDistance(float v);

private:
    float m_domainMin;
    float m_domainMax;
    Vantor_PNT32 m_start;
    Vantor_PNT32 m_end;
    Vantor_PNT32 m_center;
    Vantor_DIR32 m_xDir;
    Vantor_DIR32 m_yDir;
    Vantor_DIR32 m_zDir;
    float m_focalDistance;
};

} // namespace VantorSoft
