#pragma once

// Line elements of an annotation: leaders, extension lines, special lines and frames. Each is made
// of curves, which are shared between copies, never copied.
//
// JSON readers: a missing member reads as the form says; a member of the wrong kind or a number
// text with too few numbers leaves its field as it was and makes the reader return -1 after
// reading everything else.

#include "dazo/DazoExport.h"
#include "dazo/Vantor_PMITypes.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <vector>

namespace VantorSoft {

class Vantor_Curve;

class DAZO_API Vantor_Leader {
public:
    Vantor_Leader();
    virtual ~Vantor_Leader();

    void SetLeaderType(Vantor_LeaderTypeEnum type);
    Vantor_LeaderTypeEnum GetLeaderType() const;
    // size points to two floats (width, height); a null size leaves the stored size alone.
    void SetTerminator(Vantor_TermTypeEnum type, const float* size, const Vantor_PNT32& location, const Vantor_DIR32& direction);
    void GetTerminator(Vantor_TermTypeEnum& type, float* size, Vantor_PNT32& location, Vantor_DIR32& direction) const;
    void SetBendLineFlag(bool flag);
    bool GetBendLineFlag() const;
    // Empty pointers are ignored.
    void AddCurve(std::shared_ptr<Vantor_Curve> curve);
    // Empty when index is out of range.
    std::shared_ptr<Vantor_Curve> GetCurve(int index) const;
    std::vector<std::shared_ptr<Vantor_Curve>> GetAllCurve() const;

    Vantor_STATUS ToJson(void* value, void* document);
    Vantor_STATUS FromJson(void* value, void* document);

private:
    Vantor_LeaderTypeEnum m_leaderType;
    Vantor_TermTypeEnum m_termType;
    float m_termSize[2];
    Vantor_PNT32 m_termLocation;
    Vantor_DIR32 m_termDirection;
    bool m_bendLineFlag;
    std::vector<std::shared_ptr<Vantor_Curve>> m_curves;
};

class DAZO_API Vantor_Extensionline {
public:
    Vantor_Extensionline();
    virtual ~Vantor_Extensionline();

    void SetExLineType(Vantor_ExtensTypeEnum type);
    Vantor_ExtensTypeEnum GetExLineType() const;
    void SetStyle(unsigned int style);
    unsigned int GetStyle() const;
    // Replaces the curve; an empty pointer clears it.
    void SetCurve(std::shared_ptr<Vantor_Curve> curve);
    std::shared_ptr<Vantor_Curve> GetCurve() const;

    Vantor_STATUS ToJson(void* value, void* document);
    // Of several curves in the input the last one read wins.
    Vantor_STATUS FromJson(void* value, void* document);

private:
    Vantor_ExtensTypeEnum m_exLineType;
    unsigned int m_style;
    std::shared_ptr<Vantor_Curve> m_curve;
};

class DAZO_API Vantor_SpecialLine {
public:
    Vantor_SpecialLine();
    virtual ~Vantor_SpecialLine();

    void SetSpecLinUse(Vantor_SpecLineUsageEnum use);
    Vantor_SpecLineUsageEnum GetSpecLinUse() const;
    // Empty pointers are ignored.
    void AddCurve(std::shared_ptr<Vantor_Curve> curve);
    std::vector<std::shared_ptr<Vantor_Curve>> GetCurves() const;

    Vantor_STATUS ToJson(void* value, void* document);
    Vantor_STATUS FromJson(void* value, void* document);

private:
    Vantor_SpecLineUsageEnum m_specLinUse;
    std::vector<std::shared_ptr<Vantor_Curve>> m_curves;
};

class DAZO_API Vantor_OutFrame {
public:
    Vantor_OutFrame();
    virtual ~Vantor_OutFrame();

    void SetFrameType(Vantor_OutFrameUsageEnum type);
    Vantor_OutFrameUsageEnum GetFrameType() const;
    void SetDefineType(Vantor_OutFrameDefEnum type);
    Vantor_OutFrameDefEnum GetDefineType() const;
    // Appends a curve of the frame; empty pointers are ignored.
    void SetFrameData(std::shared_ptr<Vantor_Curve> curve);
    const std::vector<std::shared_ptr<Vantor_Curve>>& GetFrameData() const;

    Vantor_STATUS ToJson(void* value, void* document);
    Vantor_STATUS FromJson(void* value, void* document);

private:
    Vantor_OutFrameUsageEnum m_frameType;
    Vantor_OutFrameDefEnum m_defineType;
    std::vector<std::shared_ptr<Vantor_Curve>> m_frameData;
};

} // namespace VantorSoft
