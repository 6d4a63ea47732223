#pragma once

#include "vantor/command/Command.h"

#include <osg/Material>
#include <osg/Node>
#include <osg/StateSet>
#include <osg/Vec4f>
#include <osg/ref_ptr>

#include <list>
#include <string>
#include <vector>

namespace Vantor {

// What a SetMaterialCommand changes.
enum MATERIALTYPE { MATERIAL_COLOR = 1, MATERIAL_TRANSPARENT = 2 };

// Sets the colour (type 1: the diffuse colour of front and back faces, taken from the colour; the value
// is not used) or the opacity (type 2: the value in 0..1, 1 opaque; the colour is not used) of a list
// of models. Opacity goes to every model below a listed one as well, each keeping its own colour, so an
// assembly turns see-through part by part. Channels and values are brought into 0..1; a NaN makes the
// command fail and change nothing. Undo puts back exactly the material, blending, render bin and
// opacity each touched node had.
class SetMaterialCommand : public Command
{
public:
    SetMaterialCommand(std::list<osg::ref_ptr<osg::Node>> nodes, const osg::Vec4f& colour, double value, MATERIALTYPE type);
    SetMaterialCommand(osg::ref_ptr<osg::Node> node, const osg::Vec4f& colour, double value, MATERIALTYPE type);
    ~SetMaterialCommand() override;

    std::string Type() override { return "SetMaterialCommand"; }
    std::string Name() override { return "SetMaterialCommand"; }
    bool Execute() override;
    bool Unexecute() override;

    const std::list<osg::ref_ptr<osg::Node>>& getNodes() const { return m_nodes; }
    osg::Vec4f getColor() const { return m_colour; }
    double getValue() const { return m_value; }
    MATERIALTYPE getMaterialType() const { return m_type; }

private:
    struct Saved
    {
        osg::ref_ptr<osg::Node> node;
        bool hadStateSet = false;
        osg::ref_ptr<osg::Material> material; // the attribute object itself
        osg::ref_ptr<osg::Material> values;   // a copy of its values
        osg::StateAttribute::OverrideValue materialValue = 0;
        bool hadLightingMaterialMode = false;
        osg::ref_ptr<osg::StateAttribute> blendFunc;
        osg::StateAttribute::OverrideValue blendFuncValue = 0;
        bool hadBlendMode = false;
        osg::StateAttribute::GLModeValue blendMode = 0;
        int binNumber = 0;
        std::string binName;
        int binMode = 0;
        int hint = 0;
        double transparent = 1.0;
    };
    Saved save(osg::Node* node) const;
    static void restore(const Saved& saved);
    void apply(osg::Node* node) const;

    std::list<osg::ref_ptr<osg::Node>> m_nodes;
    osg::Vec4f m_colour;
    double m_value;
    MATERIALTYPE m_type;
    std::vector<Saved> m_saved;
};

} // namespace Vantor
