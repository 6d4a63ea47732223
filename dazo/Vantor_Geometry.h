#pragma once

// Analytic surfaces of faces and curves of edges, carried beside the mesh so a viewer can measure
// and snap on the true geometry. Whoever reads an entry creates the class from its "type" and
// then calls FromJson, which does not read "type".

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

namespace VantorSoft {

class DAZO_API Vantor_Geometry {
public:
    Vantor_Geometry();
    virtual ~Vantor_Geometry();
    virtual Vantor_GeometryTypeEnum GetGeometryType() const;
    virtual void SetGeometryType(Vantor_GeometryTypeEnum type);
    // -1 when either argument is null (value untouched), else 0. The base writes and reads nothing.
    virtual Vantor_STATUS ToJson(void* value, void* document);
    virtual Vantor_STATUS FromJson(void* value, void* document);

protected:
    Vantor_GeometryTypeEnum m_geometryType;
};

class DAZO_API Vantor_GeoLine : public Vantor_Geometry {
public:
    Vantor_GeoLine();
    // Writes "type", "start", "end": the centre, direction and length are not part of the form.
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    Vantor_PNT32 GetCenterPoint() const;
    void SetCenterPoint(const Vantor_PNT32& p);
    Vantor_DIR32 GetDirection() const;
    void SetDirection(const Vantor_DIR32& d);
    Vantor_PNT32 GetStartPoint() const;
    void SetStartPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetEndPoint() const;
    void SetEndPoint(const Vantor_PNT32& p);
    float GetLength() const;
    void SetLength(float length);

private:
    Vantor_PNT32 m_center;
    Vantor_DIR32 m_direction;
    Vantor_PNT32 m_start;
    Vantor_PNT32 m_end;
    float m_length;
};

class DAZO_API Vantor_GeoEllipse : public Vantor_Geometry {
public:
    Vantor_GeoEllipse();
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    Vantor_PNT32 GetCenterPoint() const;
    void SetCenterPoint(const Vantor_PNT32& p);
    float GetMajorRadius() const;
    void SetMajorRadius(float r);
    float GetMinorRadius() const;
    void SetMinorRadius(float r);
    Vantor_PNT32 GetStartPoint() const;
    void SetStartPoint(const Vantor_PNT32& p);
    Vantor_PNT32 GetEndPoint() const;
    void SetEndPoint(const Vantor_PNT32& p);
    void GetXYZDir(Vantor_DIR32& x, Vantor_DIR32& y, Vantor_DIR32& z) const;
    void SetXYZDir(const Vantor_DIR32& x, const Vantor_DIR32& y, const Vantor_DIR32& z);

private:
    Vantor_PNT32 m_center;
    float m_majorRadius;
    float m_minorRadius;
    Vantor_PNT32 m_start;
    Vantor_PNT32 m_end;
    Vantor_DIR32 m_xDir;
    Vantor_DIR32 m_yDir;
    Vantor_DIR32 m_zDir;
};

class DAZO_API Vantor_PlaneFace : public Vantor_Geometry {
public:
    Vantor_PlaneFace();
    // Writes "type", "normal", "origin"; reads "uDir" and "vDir" only when both are present.
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    Vantor_DIR32 GetNormal() const;
    void SetNormal(const Vantor_DIR32& d);
    Vantor_PNT32 GetOrigin() const;
    void SetOrigin(const Vantor_PNT32& p);
    Vantor_DIR32 GetUDirection() const;
    void SetUDirection(const Vantor_DIR32& d);
    Vantor_DIR32 GetVDirection() const;
    void SetVDirection(const Vantor_DIR32& d);

private:
    Vantor_DIR32 m_normal;
    Vantor_PNT32 m_origin;
    Vantor_DIR32 m_uDir;
    Vantor_DIR32 m_vDir;
};

// Writes "AxisPosition", "RevolutionAxis", "Radius".
class DAZO_API Vantor_RevolutionFace : public Vantor_Geometry {
public:
    Vantor_RevolutionFace();
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    double GetRadius() const;
    void SetRadius(double r);
    Vantor_DIR32 GetRevoAxis() const;
    void SetRevoAxis(const Vantor_DIR32& d);
    Vantor_PNT32 GetAxisPosition() const;
    void SetAxisPosition(const Vantor_PNT32& p);

protected:
    double m_radius;
    Vantor_DIR32 m_revoAxis;
    Vantor_PNT32 m_axisPosition;
};

// Writes "AxisPosition", "RevolutionAxis", "Radius".
class DAZO_API Vantor_CylinderFace : public Vantor_Geometry {
public:
    Vantor_CylinderFace();
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    double GetRadius() const;
    void SetRadius(double r);
    Vantor_DIR32 GetRevoAxis() const;
    void SetRevoAxis(const Vantor_DIR32& d);
    Vantor_PNT32 GetAxisPosition() const;
    void SetAxisPosition(const Vantor_PNT32& p);

protected:
    double m_radius;
    Vantor_DIR32 m_revoAxis;
    Vantor_PNT32 m_axisPosition;
};

// Writes "AxisPosition", "Radius", "RevolutionAxis".
class DAZO_API Vantor_ConeFace : public Vantor_Geometry {
public:
    Vantor_ConeFace();
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    double GetRadius() const;
    void SetRadius(double r);
    Vantor_DIR32 GetRevoAxis() const;
    void SetRevoAxis(const Vantor_DIR32& d);
    Vantor_PNT32 GetAxisPosition() const;
    void SetAxisPosition(const Vantor_PNT32& p);

protected:
    double m_radius;
    Vantor_DIR32 m_revoAxis;
    Vantor_PNT32 m_axisPosition;
};

// Writes "AxisPosition", "Radius", "RevolutionAxis".
class DAZO_API Vantor_SphereFace : public Vantor_Geometry {
public:
    Vantor_SphereFace();
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    double GetRadius() const;
    void SetRadius(double r);
    Vantor_DIR32 GetRevoAxis() const;
    void SetRevoAxis(const Vantor_DIR32& d);
    Vantor_PNT32 GetAxisPosition() const;
    void SetAxisPosition(const Vantor_PNT32& p);

protected:
    double m_radius;
    Vantor_DIR32 m_revoAxis;
    Vantor_PNT32 m_axisPosition;
};

// Writes "AxisPosition", "RevolutionAxis", "Radius", "majorRadius", "minorRadius", and reads all of them.
class DAZO_API Vantor_ToroidalFace : public Vantor_RevolutionFace {
public:
    Vantor_ToroidalFace();
    Vantor_STATUS ToJson(void* value, void* document) override;
    Vantor_STATUS FromJson(void* value, void* document) override;

    float GetMajorRadius() const;
    void SetMajorRaius(float r);
    float GetMinorRadius() const;
    void SetMinorRadius(float r);

private:
    float m_majorRadius;
    float m_minorRadius;
};

} // namespace VantorSoft
