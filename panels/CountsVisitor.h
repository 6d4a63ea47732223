#pragma once

#include <osg/NodeVisitor>

#include <set>

namespace osg {
class StateSet;
}

// Counts what a subtree holds, for the property panel's statistics. Active children only (a switch's
// or LOD's inactive children are skipped), and nodes with mask 0 are skipped with everything below
// them, as in drawing.
//
// Nodes, drawables, primitive sets and vertices are counted per occurrence: a subgraph placed twice
// counts twice. State sets and what they hold are counted once per distinct object.
//   depth / maxDepth   nodes on the path from the start node (1) down to the deepest node; drawables
//                      do not add a level
//   groups             group nodes that are not geodes (transforms, LODs, switches and models too)
//   lods               LODs that are not paged LODs;  pagedLods  paged LODs
//   switches, sequences, matrixTransforms (models are matrix transforms)
//   dofTransforms      nodes of class "DOFTransform"
//   otherTransforms    transforms of any other kind (cameras, position-attitude and auto transforms)
//   geodes             geodes;  otherNodes  nodes that are neither groups, geodes nor drawables
//   drawables          every drawable;  geometries  drawables that are osg::Geometry
//   nullGeometries     geometries without a vertex array or with no vertex in it
//   slowPathGeometries geometries holding deprecated data (per-primitive binding or index arrays)
//   texts              osgText drawables;  otherDrawables  drawables that are neither geometry nor text
//   vertices           vertices of the geometries' vertex arrays
//   primitiveSets      primitive sets of the geometries;  drawArrays  those of the DrawArrays kind
//   stateSets          distinct state sets on nodes and drawables;  emptyStateSets  those holding
//                      no attribute, mode, texture attribute, texture mode or uniform
//   attributes, modes  (non-texture) attributes and modes, summed over the distinct state sets
//   texAttributes, texModes  texture attributes and modes over all units, summed the same way
//   programs           distinct osg::Program attributes;  uniforms  distinct uniforms
//   textures           distinct texture attributes (osg::Texture)
class CountsVisitor : public osg::NodeVisitor
{
public:
    CountsVisitor();

    void apply(osg::Node& node) override;

    unsigned int depth = 0;
    unsigned int maxDepth = 0;
    unsigned int groups = 0;
    unsigned int lods = 0;
    unsigned int pagedLods = 0;
    unsigned int switches = 0;
    unsigned int sequences = 0;
    unsigned int matrixTransforms = 0;
    unsigned int dofTransforms = 0;
    unsigned int otherTransforms = 0;
    unsigned int geodes = 0;
    unsigned int otherNodes = 0;
    unsigned int drawables = 0;
    unsigned int geometries = 0;
    unsigned int nullGeometries = 0;
    unsigned int slowPathGeometries = 0;
    unsigned int texts = 0;
    unsigned int otherDrawables = 0;
    unsigned long long vertices = 0;
    unsigned int primitiveSets = 0;
    unsigned int drawArrays = 0;
    unsigned int stateSets = 0;
    unsigned int emptyStateSets = 0;
    unsigned int attributes = 0;
    unsigned int modes = 0;
    unsigned int texAttributes = 0;
    unsigned int texModes = 0;
    unsigned int programs = 0;
    unsigned int uniforms = 0;
    unsigned int textures = 0;

private:
    void countDrawable(osg::Drawable& drawable);
    void countNode(osg::Node& node);
    void countStateSet(osg::StateSet* stateSet);

    std::set<const osg::Object*> m_stateSets;
    std::set<const osg::Object*> m_programs;
    std::set<const osg::Object*> m_uniforms;
    std::set<const osg::Object*> m_textures;
};
