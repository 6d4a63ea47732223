#pragma once

#include "vantor/annotation/AnnotationInfo.h"

#include <osg/Group>
#include <osg/Vec3d>
#include <rapidjson/document.h>

#include <string>
#include <vector>

namespace Vantor {

// Process-wide measuring options written by the settings.
struct MeasureMethod
{
    // Length unit of results: 0 millimetre, 1 centimetre, 2 metre.
    static int unitType;
    // Number of decimals shown in results.
    static double exactvalue;
};

// A measure result standing in the scene: its picked points joined by lines and a label with its title
// and content. Children of the MeasureManager; the node mask is the visibility. Texts are bytes in the
// local 8-bit encoding.
class Measure : public osg::Group, public AnnotationInfo
{
public:
    // Kind codes that the result panel reacts to; other kinds (distances, angles, ...) are any other value.
    enum Kind { Generic = 0, SurfaceArea = 16, Volume = 17 };

    Measure();
    Measure(const Measure& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, Measure)

    virtual int getMeasureType() const { return m_type; }
    void setMeasureType(int type) { m_type = type; }

    std::string GetTitle() const { return m_title; }
    std::string GetContent() const { return m_content; }
    void SetTitle(const std::string& title);
    void SetContent(const std::string& content);
    double getValue() const { return m_value; }
    void setValue(double value) { m_value = value; }
    const std::vector<osg::Vec3d>& getPoints() const { return m_points; }
    void setPoints(const std::vector<osg::Vec3d>& points);

    // Set by a running measure to tell the result panel to close.
    bool getClosePanel() const { return m_closePanel; }
    void setClosePanel(bool close) { m_closePanel = close; }
    // One UTF-16 character that the result panel appends to the content (0: none).
    char16_t getAppendChar() const { return m_appendChar; }
    void setAppendChar(char16_t c) { m_appendChar = c; }

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) const;
    bool fromJson(const rapidjson::Value& object);
    // A new measure of the class that the object's "Kind" names, read from the object.
    static osg::ref_ptr<Measure> create(const rapidjson::Value& object);

    void redraw();

protected:
    ~Measure() override;

    int m_type = Generic;
    std::string m_title;
    std::string m_content;
    double m_value = 0.0;
    std::vector<osg::Vec3d> m_points;
    bool m_closePanel = false;
    char16_t m_appendChar = 0;
};

class SurfaceAreaMeasure : public Measure
{
public:
    SurfaceAreaMeasure();
    SurfaceAreaMeasure(const SurfaceAreaMeasure& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    // Picking and the annotation panel treat every kind as a measure.
    const char* className() const override { return "Measure"; }
    const char* libraryName() const override { return "Vantor"; }
    osg::Object* cloneType() const override { return new SurfaceAreaMeasure(); }
    osg::Object* clone(const osg::CopyOp& copyop) const override { return new SurfaceAreaMeasure(*this, copyop); }
    bool isSameKindAs(const osg::Object* obj) const override
    {
        return dynamic_cast<const SurfaceAreaMeasure*>(obj) != nullptr;
    }

protected:
    ~SurfaceAreaMeasure() override;
};

class VolumeMeasure : public Measure
{
public:
    VolumeMeasure();
    VolumeMeasure(const VolumeMeasure& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    const char* className() const override { return "Measure"; }
    const char* libraryName() const override { return "Vantor"; }
    osg::Object* cloneType() const override { return new VolumeMeasure(); }
    osg::Object* clone(const osg::CopyOp& copyop) const override { return new VolumeMeasure(*this, copyop); }
    bool isSameKindAs(const osg::Object* obj) const override
    {
        return dynamic_cast<const VolumeMeasure*>(obj) != nullptr;
    }

protected:
    ~VolumeMeasure() override;
};

} // namespace Vantor
