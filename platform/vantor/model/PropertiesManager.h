#pragma once

#include "vantor/model/Model.h"

#include <osg/Matrixd>
#include <osg/Node>
#include <osg/Vec4f>
#include <osg/observer_ptr>
#include <osg/ref_ptr>

#include <map>

namespace Vantor {

// Remembers each model's properties as it entered the scene (matrix, colour, transparency), so that the
// reset commands can bring them back, and the dragger location of the property draggers.
// A scene node: the scene keeps it below the document and finds it with GetPropertiesManager.
class PropertiesManager : public osg::Node
{
public:
    struct ModelProperties
    {
        osg::Matrixd matrix;
        osg::Vec4f color;
        double transparent = 1.0;
        // Whether the model carried a material of its own; without one its parts show their own colours.
        bool ownMaterial = false;
        bool hasDraggerLocation = false;
        osg::Matrixd draggerLocation;
    };

    PropertiesManager();
    PropertiesManager(const PropertiesManager& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY);
    META_Node(Vantor, PropertiesManager)

    // The first properties manager at or below the node (breadth first); null when there is none.
    static osg::ref_ptr<PropertiesManager> GetPropertiesManager(osg::ref_ptr<osg::Node> node);

    // Records the model (and with recursive every model below it). A null model records nothing.
    void recordModelProperties(osg::ref_ptr<Model> model, bool recursive);
    // Takes the model's present properties as the ones to reset to (after a direction change).
    void updateModelProperties(osg::ref_ptr<Model> model, bool recursive);
    void clearModelProperties();

    // What was recorded for the model; false when nothing was (or the model is gone).
    bool getModelProperties(const osg::Node* model, ModelProperties& properties) const;
    bool hasModelProperties(const osg::Node* model) const;

    // The pivot of the dragger tools for the node, in the node's own frame (so it moves with it).
    void setNodeDraggerLocation(osg::observer_ptr<osg::Node> node, const osg::Matrixd& location);
    // Forgets the dragger location set for the node; false when the node is unknown.
    bool resetNodeDraggerLocation(osg::observer_ptr<osg::Node> node);

protected:
    ~PropertiesManager() override;

private:
    struct Entry
    {
        osg::observer_ptr<osg::Node> node;
        ModelProperties properties;
    };

    void record(Model* model, bool recursive, bool overwrite);
    const Entry* find(const osg::Node* node) const;

    std::map<const osg::Node*, Entry> m_entries;
};

} // namespace Vantor
