#pragma once

// One annotation (PMI): its plane, colour, axes, display flags and the line and text elements it
// is drawn from. Elements are shared between copies; a copy keeps the same id.

#include "dazo/DazoExport.h"
#include "dazo/Vantor_PMITypes.h"
#include "dazo/Vantor_Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VantorSoft {

class Vantor_PMIDocument;
class Vantor_Leader;
class Vantor_Extensionline;
class Vantor_ComText;
class Vantor_OutFrame;
class Vantor_SpecialLine;

class DAZO_API Vantor_PMI {
public:
    Vantor_PMI();
    virtual ~Vantor_PMI();

    // Keeps the number only; the document is not remembered.
    void Init(Vantor_PMIDocument* document, int value);

    void SetID(u64 id);
    u64 GetID() const;
    void SetName(const std::wstring& name);
    std::wstring GetName() const;
    void SetDefPlane(const Vantor_MTX32& plane);
    const Vantor_MTX32& GetDefPlane() const;
    void SetColor(const Vantor_RGBA& color);
    const Vantor_RGBA& GetColor() const;
    void SetType(Vantor_PMITypeEnum type);
    Vantor_PMITypeEnum GetType() const;
    void SetStyle(const unsigned int& style);
    const unsigned int& GetStyle() const;
    void SetUseType(const unsigned int& useType);
    const int& GetUseType() const;
    void SetAxisX(const Vantor_DIR32& axis);
    Vantor_DIR32& GetAxisX();
    const Vantor_DIR32& GetAxisX() const;
    void SetAxisY(const Vantor_DIR32& axis);
    Vantor_DIR32& GetAxisY();
    const Vantor_DIR32& GetAxisY() const;
    void SetSymBasePoint(const Vantor_PNT32& point);
    Vantor_PNT32& GetSymBasePoint();
    const Vantor_PNT32& GetSymBasePoint() const;

    // Flags of the Style word, each in the lowest bit of one hexadecimal digit. A setter keeps
    // only the lowest bit of every other digit (the rest of the word is cleared), then sets its own.
    bool IsDisplay() const;
    void SetDisplay(bool on);
    bool IsParallelScreen() const;
    void SetParallelScreen(bool on);
    bool IsFix() const;
    void SetFix(bool on);
    bool IsOldVersion() const;
    void SetOldVersion(bool on);
    bool IsAdjusted() const;
    void SetAdjusted(bool on);
    bool IsFront() const;
    void SetFront(bool on);

    // The appenders ignore empty pointers.
    const std::vector<std::shared_ptr<Vantor_Leader>>& GetLeaders() const;
    void SetLeaders(const std::vector<std::shared_ptr<Vantor_Leader>>& leaders);
    void AddLeader(std::shared_ptr<Vantor_Leader> leader);
    const std::vector<std::shared_ptr<Vantor_Extensionline>>& GetExLines() const;
    void SetExLines(const std::vector<std::shared_ptr<Vantor_Extensionline>>& lines);
    void AddExline(std::shared_ptr<Vantor_Extensionline> line);
    const std::vector<std::shared_ptr<Vantor_ComText>>& GetComText() const;
    void AddComText(std::shared_ptr<Vantor_ComText> text);
    const std::vector<std::shared_ptr<Vantor_OutFrame>>& GetOutFrame() const;
    // Appends the frame as the annotation's own (define type 1).
    void SetOutFrame(std::shared_ptr<Vantor_OutFrame> frame);
    const std::vector<std::shared_ptr<Vantor_SpecialLine>>& GetSpecialLines() const;
    void AddSpecialLine(std::shared_ptr<Vantor_SpecialLine> line);

    Vantor_STATUS ToJson(void* value, void* document);
    // Reads into this record: element arrays are appended to what it holds and taken out of the
    // input (left empty). A damaged member keeps its field and the result is -1; everything
    // readable is still read.
    Vantor_STATUS FromJson(void* value, void* document);

private:
    void setFlag(unsigned int bit, unsigned int keepMask, bool on);

    std::int32_t initValue;
    u64 m_id;
    std::wstring m_name;
    Vantor_MTX32 m_defPlane;
    Vantor_RGBA m_color;
    Vantor_PMITypeEnum m_type;
    unsigned int m_style;
    unsigned int m_useType;
    Vantor_DIR32 m_axisX;
    Vantor_DIR32 m_axisY;
    Vantor_PNT32 m_symBasePoint;
    bool visible;
    std::vector<std::shared_ptr<Vantor_Leader>> m_leaders;
    std::vector<std::shared_ptr<Vantor_Extensionline>> m_exLines;
    std::vector<std::shared_ptr<Vantor_ComText>> m_comTexts;
    std::vector<std::shared_ptr<Vantor_OutFrame>> m_outFrames;
    std::vector<std::shared_ptr<Vantor_SpecialLine>> m_specialLines;
};

} // namespace VantorSoft
