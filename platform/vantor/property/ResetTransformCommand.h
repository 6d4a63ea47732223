#pragma once

#include "vantor/command/Command.h"

#include <osg/Matrixd>
#include <osg/MatrixTransform>
#include <osg/StateSet>
#include <osg/observer_ptr>
#include <osgViewer/View>

#include <vector>

namespace Vantor {

enum ResetType { RESET_POSITION = 0, RESET_COLOR = 1, RESET_TRANSPARENT = 2 };

// Puts the selected models (and every model below them), or all models when nothing is selected, back
// to what was recorded when they were loaded: their placement, colour or transparency. Undo restores
// exactly what the reset replaced.
class ResetTransformCommand : public Command
{
public:
    ResetTransformCommand() = default;
    ResetTransformCommand(osg::ref_ptr<osgViewer::View> view, ResetType type) : m_view(view.get()), m_type(type) {}

    std::string Type() override { return "ResetTransformCommand"; }
    std::string Name() override { return "ResetTransformCommand"; }

    void setView(osg::ref_ptr<osgViewer::View> view) { m_view = view.get(); }
    void setResetType(ResetType type) { m_type = type; }
    ResetType getResetType() const { return m_type; }

    // The first run gathers the models and what they look like now; false when none was recorded.
    bool Execute() override;
    bool Unexecute() override;

private:
    struct Saved
    {
        osg::observer_ptr<osg::MatrixTransform> model;
        osg::Matrixd matrix;
        osg::ref_ptr<osg::StateSet> stateSet; // a copy; null when the model had none
        double transparent = 1.0;
    };

    bool gather();
    // False when nothing was recorded for the model.
    bool resetOne(osg::MatrixTransform* node) const;

    osg::observer_ptr<osgViewer::View> m_view;
    ResetType m_type = RESET_POSITION;
    bool m_gathered = false;
    std::vector<Saved> m_saved;
};

} // namespace Vantor
