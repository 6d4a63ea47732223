#pragma once

// The scene of one archive, made from its parsed records: a Model per instance, the parts'
// bodies shared by the instances that place them, annotations and dispersed sub-assemblies.
// Not for use outside the reader.

#include "vantor/dazoreader/DazoArchiveRecords.h"

#include <osg/Geometry>
#include <osg/StateSet>

#include <map>
#include <utility>
#include <vector>

namespace Vantor {
class Body;

namespace DazoRead {

class IndexedBound;

class SceneBuilder : public ArchiveStep
{
public:
    SceneBuilder(Context& ctx, const std::string& path, bool top, ArchiveRecords& records);
    ~SceneBuilder();

    // The archive's top model (a wrapper when it has several top instances), or null on failure.
    osg::ref_ptr<Model> build(bool* wrapped);

private:
    // Faces of one body drawn together: those of one material (one colour when merging), or
    // those that take the colour of the instance placing the part.
    struct FaceGroup {
        bool ownColour = false;
        osg::Vec4 colour;
        osg::ref_ptr<osg::DrawElementsUInt> triangles;
        osg::ref_ptr<DazoData::FaceData> faces;
        osg::ref_ptr<osg::Geometry> geometry; // made once when the group has its own colour
    };
    // What a part's body draws whatever instance places it, made once per part.
    struct BodyShape {
        const ParsedBody* body = nullptr;
        osg::ref_ptr<DazoData::BodyData> data;
        std::vector<FaceGroup> groups; // in the order of their first face
        osg::ref_ptr<osg::Geometry> edges;
    };

    const std::vector<BodyShape>& shapesFor(VantorSoft::u64 prototypeId);
    osg::Geometry* faceGeometry(const BodyShape& shape, const FaceGroup& group, const osg::Vec4& colour);
    const std::vector<osg::ref_ptr<Body>>& bodiesFor(VantorSoft::u64 prototypeId, const std::int32_t* fallback);
    osg::Vec4Array* colourArray(const osg::Vec4& colour);
    // Counts models about to be made against the bound of the whole read; false (and failed) past it.
    bool countInstances(std::size_t more);
    // A dispersed sub-assembly: read the first time, placed again after that.
    osg::ref_ptr<Model> subAssembly(const std::string& path, int depth, bool& wrapped);
    osg::Geometry* newGeometry(const ParsedBody& body, const osg::Vec4& colour);
    void computeNormals(ParsedBody& body);

    ArchiveRecords& m_records;
    std::map<VantorSoft::u64, std::vector<BodyShape>> m_shapes;
    std::map<std::pair<VantorSoft::u64, std::uint32_t>, std::vector<osg::ref_ptr<Body>>> m_bodies;
    std::map<std::uint32_t, osg::ref_ptr<osg::Vec4Array>> m_colours;
    osg::ref_ptr<IndexedBound> m_bound;
    osg::ref_ptr<osg::StateSet> m_transparent;
    osg::ref_ptr<osg::StateSet> m_faceState;
    osg::ref_ptr<osg::StateSet> m_edgeState;
    bool m_unknownMaterialWarned = false;
    bool m_tooMany = false; // the bound of models was reached here
};

// Whether the model or anything below it draws faces or lines; stores the answers on each model.
void setGeometryFlags(Model* model, bool& faces, bool& lines);

// Levels of models from the top down to the deepest (1 for a model without sub-models), and the
// number of models in the tree.
int modelHeight(Model* top);
std::size_t modelCount(Model* top);

// One more placement of a model tree read before: models of its own (fresh ids, own placement,
// visibility and colour) over the same bodies. Other nodes below the models (annotations) are
// copied, as they are tied to one model.
// A body already under many models is placed through a copy of it over the same drawables
// (share.bodyStandIns), so no node gets more than a few hundred parents.
osg::ref_ptr<Model> instanceOf(Model& source, ReadShare& share);

} // namespace DazoRead
} // namespace Vantor
