#pragma once

#include <osg/Geode>
#include <osg/MatrixTransform>
#include <osg/Node>
#include <osg/StateSet>
#include <osg/observer_ptr>

#include <vector>

namespace Vantor {

// Fills the cut of a section with a cap face, by the stencil technique: the closed bodies the section
// cuts are drawn once more into the stencil buffer only (every fragment inverts the stencil bit, so it
// ends set where the plane lies inside a body), then a quad on the plane is drawn in the cap colour
// where the bit is set, clearing it again. Open meshes are left out, so they get no cap and no artefact.
// The view's clear must include the stencil buffer.
class SectionCapping : public osg::Node
{
public:
    SectionCapping();
    SectionCapping(const SectionCapping& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, SectionCapping)

    // The closed bodies to cap (geodes of the clipped models).
    void setBodies(const std::vector<osg::ref_ptr<osg::Geode>>& bodies);
    std::size_t getNumBodies() const { return m_bodies.size(); }
    // The clip planes in use: every open one cuts the bodies, every other than `own` cuts the cap.
    void setClipPlanes(const std::vector<unsigned int>& open, int own);
    // The cap quad: placed like the section's outline, in the plane colour darkened to 60 %, opaque.
    void setCapMatrix(const osg::Matrixd& matrix);
    void setCapColor(const osg::Vec4& color);
    osg::Vec4 getCapColor() const;

    void traverse(osg::NodeVisitor& nv) override;
    osg::BoundingSphere computeBound() const override { return osg::BoundingSphere(); }

    // Whether the body is closed (`SurfaceTopology`): only a closed body has an inside to cap.
    static bool isClosed(const osg::Geode* geode);

protected:
    ~SectionCapping() override;

    std::vector<osg::observer_ptr<osg::Geode>> m_bodies;
    osg::ref_ptr<osg::StateSet> m_stencilState;
    osg::ref_ptr<osg::MatrixTransform> m_cap;
    osg::ref_ptr<osg::Geometry> m_capQuad;
};

} // namespace Vantor
