#pragma once

#include "vantor/model/ModelId.h"
#include "vantor/model/SelectEffect.h"

#include <osg/Material>
#include <osg/MatrixTransform>
#include <osg/Vec4f>
#include <osg/ref_ptr>

#include <list>
#include <map>
#include <string>
#include <vector>

namespace Vantor {

// One part or assembly of a loaded model. Its children are sub-models, bodies and PMI nodes; its
// visibility is its node mask (drawn while not 0). Each model carries a 64-bit id and the place it
// holds among its parent model's model children.
class Model : public osg::MatrixTransform, public SelectEffect
{
public:
    using NodeList = std::list<osg::ref_ptr<osg::Node>>;
    using ModelID2NodeMap = std::map<osg::OSG_ID, osg::ref_ptr<osg::Node>>;

    // A new model with a fresh id.
    Model();
    // A copy gets a fresh id and is not selected.
    Model(const Model& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, Model)

    osg::OSG_ID getModelID() const { return m_modelId; }
    // Takes an id read from a file; the generator will not hand it out again.
    void setModelID(osg::OSG_ID id);

    static bool isModel(const osg::Node* node);
    // The top model of the document: for a model, the outermost model above it (or itself); for any
    // other node, the first model below it, breadth first (so both the root switch and the view's
    // scene data above it work). Null when there is none.
    static osg::ref_ptr<Model> GetTopModel(osg::ref_ptr<osg::Node> node);
    // Appends the node itself when it is a model, then every model below it, depth first in child
    // order; so restoring the masks of the list restores the node as well.
    static void getAllChildrenModels(osg::Node* node, NodeList& models);
    // Appends the PMI nodes below the node, depth first.
    static void getAllChildrenPMI(osg::Node* node, NodeList& pmis);
    // Every model at or below the node by id; the first one wins when ids repeat.
    static ModelID2NodeMap GetModelID2NodeMap(osg::Node* node);
    // Replaces the model below the top model whose name is the loaded model's by the loaded model.
    static bool replaceWithName(osg::Node* topModel, Model* loaded);

    // The model children in child order.
    unsigned int getModelChildrenNum() const;
    Model* getModelChild(unsigned int index) const;
    // Whether the node lies below this model (the model itself does not count).
    bool hasGrandNode(const osg::Node* node) const;

    // Node mask all ones when visible, 0 when not; recursive also sets every model below.
    void setVisible(bool visible, bool recursive);
    bool isVisible() const { return getNodeMask() != 0; }

    // Whether the model holds line or face geometry. Set by the reader; when never set, the drawables
    // below the model decide.
    bool hasGeoLine() const;
    bool hasGeoFace() const;
    void setGeoLine(bool has) { m_geoLine = has ? 1 : 0; }
    void setGeoFace(bool has) { m_geoFace = has ? 1 : 0; }

    // The colour the model shows: the diffuse colour of its own material (front and back), else that
    // of its first face as read (its first body's first face drawable), alpha included. False when it
    // has neither.
    bool getShownColor(osg::Vec4f& color) const;
    // The shown colour; OSG's default grey with the model's opacity when there is none.
    osg::Vec4f getColor() const;
    // A material of the model's own; made from the shown colour and opacity when there is none yet.
    void setColor(const osg::Vec4f& color);
    // Opacity in 0..1 (1 opaque): the material's alpha, or without a material of its own the alpha of
    // its first face. Setting writes the material's alpha and the blending; recursive also sets the
    // models below.
    double getTransparent() const;
    void setTransparent(double value, bool recursive = false);

    // Place among the parent model's model children (0 for a model whose parent is not a model).
    int getPlcId() const;
    // Renumbers the model children 0, 1, 2... in child order.
    void resetChildrenPlcId();

    // Child changes keep the places of the model children current.
    using osg::Group::addChild;
    using osg::Group::insertChild;
    bool addChild(osg::Node* child) override;
    bool insertChild(unsigned int index, osg::Node* child) override;
    bool removeChildren(unsigned int pos, unsigned int numChildrenToRemove) override;
    bool replaceChild(osg::Node* origChild, osg::Node* newChild) override;
    bool setChild(unsigned int i, osg::Node* node) override;

    // Also lets the selection highlights draw.
    void traverse(osg::NodeVisitor& nv) override;

protected:
    ~Model() override;

private:
    void refreshModelChildren() const;
    osg::Material* ownMaterial() const;
    // The own material, made from the shown colour and opacity (blending included) when missing.
    osg::Material* ownOrNewMaterial();
    void applyOpacity(double value);

    osg::OSG_ID m_modelId;
    int m_plcId = 0;
    int m_geoLine = -1; // -1: not set
    int m_geoFace = -1;
    double m_transparent = 1.0;
    mutable std::vector<Model*> m_modelChildren;
    mutable bool m_modelChildrenValid = false;
    mutable std::size_t m_modelChildrenOf = 0; // child count the cache was built for
};

} // namespace Vantor
