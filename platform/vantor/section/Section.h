#pragma once

#include "vantor/annotation/AnnotationInfo.h"
#include "vantor/section/SectionCapping.h"

#include <osg/ClipNode>
#include <osg/ClipPlane>
#include <osg/Group>
#include <osg/MatrixTransform>
#include <osg/Plane>
#include <osg/Vec4>
#include <rapidjson/document.h>

namespace Vantor {

class SectionManager;

// A section: a real clip plane (osg::ClipPlane, placed by a ClipNode below this node) that cuts the
// document's models while the section is open, and an optional outline of the plane. Children of the
// SectionManager, which opens and closes them and hands out the clip-plane numbers. The node mask
// follows the open state (0 closed, 0xFFFFFFFF open): a closed section places no plane.
class Section : public osg::Group, public AnnotationInfo
{
public:
    Section();
    Section(const Section& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, Section)

    // Points with a*x + b*y + c*z + d >= 0 are kept.
    osg::Plane getPlane() const { return m_plane; }
    void setPlane(const osg::Plane& plane);
    osg::ClipPlane* getClipPlane() const { return m_clipPlane.get(); }

    bool getOpened() const { return m_opened; }
    // The GL clip-plane number while open, -1 while closed.
    int getClipPlaneNum() const { return m_opened ? int(m_clipPlane->getClipPlaneNum()) : -1; }

    // The plane outline of this section.
    void setShowPlane(bool show) { m_showPlane = show; }
    bool getShowPlane() const { return m_showPlane; }
    void setPlaneColor(const osg::Vec4& color);
    osg::Vec4 getPlaneColor() const { return m_planeColor; }
    // 0 opaque .. 1 invisible.
    void setPlaneTransparent(float transparent);
    float getPlaneTransparent() const { return m_planeTransparent; }

    // Process-wide defaults for new sections, set by the settings.
    static void setColor(const osg::Vec4& color);
    static osg::Vec4 getColor();
    static void setTransparent(float transparent);
    static float getTransparent();

    rapidjson::Value toJson(rapidjson::Document::AllocatorType& allocator) const;
    bool fromJson(const rapidjson::Value& object);

    // Places the outline: a square of side `size` around the point of the plane nearest to `center`.
    void setOutlineExtent(const osg::Vec3d& center, double size);
    double getOutlineSize() const { return m_outlineSize; }
    osg::Vec3d getOutlineCenter() const { return m_outlineCenter; }
    // Keeps the other side: the plane turned round.
    void reverse();

    // The cap of the cut (drawn in the plane colour, opaque), filled by the manager with the closed bodies.
    SectionCapping* getCapping() const { return m_capping.get(); }

protected:
    friend class SectionManager;
    ~Section() override;
    // Called by the manager only.
    void setOpenedState(bool opened, unsigned int clipNumber);
    void updateOutline();
    void updateOutlineLook();

    osg::Plane m_plane;
    osg::ref_ptr<osg::ClipNode> m_clipNode;
    osg::ref_ptr<osg::ClipPlane> m_clipPlane;
    osg::ref_ptr<osg::MatrixTransform> m_outline;
    osg::ref_ptr<SectionCapping> m_capping;
    bool m_opened = false;
    bool m_showPlane = true;
    osg::Vec4 m_planeColor;
    float m_planeTransparent;
    osg::Vec3d m_outlineCenter;
    double m_outlineSize = 1.0;
};

} // namespace Vantor
