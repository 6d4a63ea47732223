#pragma once

// The text side of an annotation: placed texts, composite texts (several texts in one box) and
// the envelope drawn around a composite text. Texts, frames and envelopes are shared between
// copies; the envelope's anchor maps are copied.
//
// JSON readers: a member of the wrong kind, a number text with too few numbers or a box text
// without its comma leaves that field as it was and makes the reader return -1 after reading
// everything else.

#include "dazo/DazoExport.h"
#include "dazo/Vantor_PMITypes.h"
#include "dazo/Vantor_Types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VantorSoft {

class Vantor_OutFrame;
class Vantor_Envelope;

class DAZO_API Vantor_Text {
public:
    Vantor_Text();
    virtual ~Vantor_Text();

    void SetInnerLoc(const Vantor_PNT32& location);
    Vantor_PNT32 GetInnerLoc() const;
    void SetInnerXYAxis(const Vantor_DIR32& xAxis, const Vantor_DIR32& yAxis);
    void GetInnerXYAxis(Vantor_DIR32& xAxis, Vantor_DIR32& yAxis) const;
    void SetRotationAngle(double angle);
    double GetRotationAngle() const;
    void SetCharWidthAndHeight(const float& width, const float& height);
    void GetCharWidthAndHeight(float& width, float& height) const;
    void SetCharSpace(const float& space);
    float GetCharSpace() const;
    void SetFontName(std::wstring name);
    std::wstring GetFontName() const;
    void SetTextContent(std::wstring content);
    std::wstring GetTextContent() const;
    void SetUsageType(Vantor_TextTypeEnum type);
    Vantor_TextTypeEnum GetUsageType() const;
    void SetOuterBox(const Vantor_BOX32& box);
    Vantor_BOX32 GetOuterBox() const;
    void SetFontStype(Vantor_FontStyleTypeEnum style);
    Vantor_FontStyleTypeEnum GetFontStyle() const;
    void SetFontType(Vantor_FontTypeEnum type);
    Vantor_FontTypeEnum GetFontType() const;
    void SetAttributeType(Vantor_TextAttributeTypeEnum type);
    Vantor_TextAttributeTypeEnum GetAttributeType() const;

    // Marks the frame as the text's own (define type 0) and appends it; -1 for an empty pointer.
    Vantor_STATUS AddOutFrame(std::shared_ptr<Vantor_OutFrame> frame);
    unsigned int GetOutFrameNum() const;
    std::shared_ptr<Vantor_OutFrame> GetOutFrameByIndex(unsigned int index) const;

    // Out frames are neither written nor read. A NaN angle is reset to 0 when written.
    Vantor_STATUS ToJson(void* value, void* document);
    // Every member is optional; only those present change fields.
    Vantor_STATUS FromJson(void* value, void* document);

private:
    Vantor_PNT32 m_innerLoc;
    Vantor_DIR32 m_innerXAxis;
    Vantor_DIR32 m_innerYAxis;
    double m_rotationAngle;
    float m_charWidth;
    float m_charHeight;
    float m_charSpace;
    std::wstring m_fontName;
    std::wstring m_textContent;
    Vantor_TextTypeEnum m_usageType;
    Vantor_BOX32 m_outerBox;
    Vantor_FontStyleTypeEnum m_fontStyle;
    Vantor_FontTypeEnum m_fontType;
    Vantor_TextAttributeTypeEnum m_attributeType;
    std::vector<std::shared_ptr<Vantor_OutFrame>> m_outFrames;
};

class DAZO_API Vantor_ComText {
public:
    Vantor_ComText();
    virtual ~Vantor_ComText();

    void SetOuterBox(const Vantor_BOX32& box);
    Vantor_BOX32 GetOuterBox() const;
    void SetFrameType(Vantor_FrameTypeEnum type);
    Vantor_FrameTypeEnum GetFrameType() const;
    void SetEnvelope(std::shared_ptr<Vantor_Envelope> envelope);
    std::shared_ptr<Vantor_Envelope> GetEnvelope() const;
    u64 GetNumTexts() const;
    std::vector<std::shared_ptr<Vantor_Text>> GetTexts() const;
    void SetTexts(const std::vector<std::shared_ptr<Vantor_Text>>& texts);
    // Empty pointers are ignored.
    void AddText(const std::shared_ptr<Vantor_Text>& text);

    // The envelope stays in memory: it is neither written nor read.
    Vantor_STATUS ToJson(void* value, void* document);
    // "texts" is taken out of the input (left an empty array); its texts are appended.
    Vantor_STATUS FromJson(void* value, void* document);

private:
    Vantor_BOX32 m_outerBox;
    Vantor_FrameTypeEnum m_frameType;
    std::vector<std::shared_ptr<Vantor_Text>> m_texts;
    std::shared_ptr<Vantor_Envelope> m_envelope;
};

class DAZO_API Vantor_Envelope {
public:
    Vantor_Envelope();
    virtual ~Vantor_Envelope();

    void SetBackgroundColor(Vantor_RGBA color);
    Vantor_RGBA GetBackgroundColor() const;
    void SetFrameColor(Vantor_RGBA color);
    Vantor_RGBA GetFrameColor() const;
    void SetStyle(int style);
    int GetStyle() const;

    // One point per anchor type; a later point replaces an earlier one. Type 9 is refused.
    void SetOutAnchorPoint(Vantor_AnchorTypeEnum type, Vantor_PNT32 point);
    void SetInAnchorPoint(Vantor_AnchorTypeEnum type, Vantor_PNT32 point);
    // 0 and the point, or -1 when the type has none.
    Vantor_STATUS GetOutAnchorPointByType(Vantor_AnchorTypeEnum type, Vantor_PNT32& point) const;
    Vantor_STATUS GetInAnchorPointByType(Vantor_AnchorTypeEnum type, Vantor_PNT32& point) const;
    // Ascending.
    std::vector<Vantor_AnchorTypeEnum> GetOutAllAnchorTypes() const;
    std::vector<Vantor_AnchorTypeEnum> GetInAllAnchorTypes() const;

    Vantor_STATUS ToJson(void* value, void* document);
    // Anchors read from a file keep the first point of a type; the arrays are taken out of the input.
    Vantor_STATUS FromJson(void* value, void* document);

private:
    typedef std::map<Vantor_AnchorTypeEnum, Vantor_PNT32> AnchorMap;

    Vantor_RGBA m_backgroundColor;
    Vantor_RGBA m_frameColor;
    int m_style;
    AnchorMap m_outAnchors;
    AnchorMap m_inAnchors;
};

} // namespace VantorSoft
