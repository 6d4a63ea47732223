// The factories of the interactive commands, by the names the slots and the host ask for.

#include "app/MainWindow.h"

#include "vantor/align/AlignmentCommands.h"
#include "vantor/command/CommandManager.h"
#include "vantor/explode/ExplodeCommands.h"
#include "vantor/property/TransformDraggerCommands.h"

namespace {

template <typename T>
void registerOne(const char* name)
{
    // An existing entry stays: a second registration changes nothing.
    Vantor::CommandManager::m_commandConstructMap.emplace(name, []() -> Vantor::Command* { return new T; });
}

} // namespace

void MainWindow::registerCommand()
{
    registerOne<Vantor::UpdateAxisLocationCommand>("UpdateAxisLocationCommand");
    registerOne<Vantor::AxisTransformDraggerCommand>("AxisTransformDraggerCommand");
    registerOne<Vantor::AxisExplodeTransformDraggerCommand>("AxisExplodeTransformDraggerCommand");
    registerOne<Vantor::RadialExplodeTransformDraggerCommand>("RadialExplodeTransformDraggerCommand");
    registerOne<Vantor::CenterExplodeTransformDraggerCommand>("CenterExplodeTransformDraggerCommand");
    registerOne<Vantor::ScaleTransformDraggerCommand>("ScaleTransformDraggerCommand");
    registerOne<Vantor::RotateTransformDraggerCommand>("RotateTransformDraggerCommand");
    registerOne<Vantor::PlaneTransformDraggerCommand>("PlaneTransformDraggerCommand");
    registerOne<Vantor::PointsAlignmentCommand>("PointsAlignmentCommand");
    registerOne<Vantor::LinesAlignmentCommand>("LinesAlignmentCommand");
    registerOne<Vantor::FacesAlignmentCommand>("FacesAlignmentCommand");
    registerOne<Vantor::LineToFaceAlignmentCommand>("LineToFaceAlignmentCommand");
}
