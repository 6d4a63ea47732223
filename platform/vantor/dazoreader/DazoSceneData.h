#pragma once

// What the reader keeps on the scene nodes it builds so that the writer can store the model again
// without loss: ids, analytic face and edge geometry, the edges of each body and each instance's
// annotations. Kept as named user objects, so other users of the nodes' user data are undisturbed.
// The face and body records also answer the tools' questions about analytic forms (FeatureData.h).

#include "vantor/feature/FeatureData.h"

#include "dazo/Vantor_Types.h"

#include <osg/Array>
#include <osg/Object>
#include <osg/PrimitiveSet>
#include <osg/UserDataContainer>

#include <memory>
#include <string>
#include <vector>

namespace VantorSoft {
class Vantor_Geometry;
class Vantor_PMIDocument;
class Vantor_PMI;
}

namespace Vantor {
namespace DazoData {

// On a model read from an archive.
class InstanceData : public osg::Object
{
public:
    InstanceData() { setName("DazoInstance"); }
    InstanceData(const InstanceData& o, const osg::CopyOp& op = osg::CopyOp::SHALLOW_COPY)
        : osg::Object(o, op), pmi(o.pmi), sourcePath(o.sourcePath), wrapper(o.wrapper)
    {
    }
    META_Object(Vantor, InstanceData)

    // The instance's annotations, kept whether or not they are drawn.
    std::shared_ptr<VantorSoft::Vantor_PMIDocument> pmi;
    // Absolute path of the archive this model is the top of; empty inside an archive.
    std::string sourcePath;
    // Made by the reader around several top instances; not an instance of the file.
    bool wrapper = false;
};

// On a face drawable: its faces in order, each a range of the drawable's one triangle list.
class FaceData : public osg::Object, public FeatureGeo::FaceFeatures
{
public:
    struct Face {
        VantorSoft::u64 id = 0;
        std::shared_ptr<VantorSoft::Vantor_Geometry> geometry;
        std::size_t first = 0; // the first of its indices in the drawable's triangle list
        std::size_t count = 0;
    };

    FaceData() { setName("DazoFaces"); }
    FaceData(const FaceData& o, const osg::CopyOp& op = osg::CopyOp::SHALLOW_COPY) : osg::Object(o, op), faces(o.faces) {}
    META_Object(Vantor, FaceData)

    bool faceHolding(std::size_t index, FeatureGeo::FaceRange& out) const override;

    std::vector<Face> faces;
};

// On a body: its id and its edges (kept even when they are not drawn).
class BodyData : public osg::Object, public FeatureGeo::EdgeFeatures
{
public:
    struct Edge {
        VantorSoft::u64 id = 0;
        osg::ref_ptr<osg::DrawElementsUInt> indices; // a line strip over the points below
        std::vector<VantorSoft::u64> faceIds;        // the faces that list the edge
        std::shared_ptr<VantorSoft::Vantor_Geometry> geometry;
    };

    BodyData() { setName("DazoBody"); }
    BodyData(const BodyData& o, const osg::CopyOp& op = osg::CopyOp::SHALLOW_COPY)
        : osg::Object(o, op), id(o.id), points(o.points), edges(o.edges)
    {
    }
    META_Object(Vantor, BodyData)

    const osg::Vec3Array* edgePoints() const override { return points.get(); }
    std::size_t edgeCount() const override { return edges.size(); }
    unsigned long long edgeId(std::size_t edge) const override { return edges[edge].id; }
    const osg::DrawElementsUInt* edgeIndices(std::size_t edge) const override { return edges[edge].indices.get(); }
    FeatureGeo::EdgeForm edgeForm(std::size_t edge) const override;

    VantorSoft::u64 id = 0;
    osg::ref_ptr<osg::Vec3Array> points; // the array the edges index
    std::vector<Edge> edges;
};

// On a PMI node: the annotation it draws.
class PmiData : public osg::Object
{
public:
    PmiData() { setName("DazoPMI"); }
    PmiData(const PmiData& o, const osg::CopyOp& op = osg::CopyOp::SHALLOW_COPY) : osg::Object(o, op), pmi(o.pmi) {}
    META_Object(Vantor, PmiData)

    std::shared_ptr<VantorSoft::Vantor_PMI> pmi;
};

template <class T>
T* find(const osg::Object* object)
{
    const osg::UserDataContainer* udc = object ? object->getUserDataContainer() : nullptr;
    if (!udc)
        return nullptr;
    for (unsigned int i = 0; i < udc->getNumUserObjects(); ++i) {
        if (auto* found = dynamic_cast<T*>(const_cast<osg::Object*>(udc->getUserObject(i))))
            return found;
    }
    return nullptr;
}

template <class T>
void attach(osg::Object* object, T* data)
{
    object->getOrCreateUserDataContainer()->addUserObject(data);
}

} // namespace DazoData
} // namespace Vantor
