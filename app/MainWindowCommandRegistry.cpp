// The factories the command manager builds interactive commands from, by class name.

#include "app/MainWindow.h"

#include "vantor/align/AlignmentCommands.h"
#include "vantor/command/CommandManager.h"
#include "vantor/explode/ExplodeCommands.h"
#include "vantor/measure/MeasureCommands.h"
#include "vantor/note/NoteCommands.h"
#include "vantor/property/TransformDraggerCommands.h"
#include "vantor/section/SectionCommands.h"

namespace {

template <class T>
void add(const char* name)
{
    // emplace keeps an entry that is already there, so registering twice changes nothing.
    Vantor::CommandManager::m_commandConstructMap.emplace(name, []() -> Vantor::Command* { return new T; });
}

} // namespace

#define NERIO_REGISTER(T) add<Vantor::T>(#T)

void MainWindow::registerCommand()
{
    NERIO_REGISTER(PntToPntDistanceCommand);
    NERIO_REGISTER(PointNoteCommand);
    NERIO_REGISTER(CreateSectionCommand);
    NERIO_REGISTER(FaceToFaceDistanceCommand);
    NERIO_REGISTER(LineToLineDistanceCommand);
    NERIO_REGISTER(PntToLineDistanceCommand);
    NERIO_REGISTER(PntToFaceDistanceCommand);
    NERIO_REGISTER(UpdateSectionCommand);
    NERIO_REGISTER(LineToFaceDistanceCommand);
    NERIO_REGISTER(CenterToCenterDistanceCommand);
    NERIO_REGISTER(ShaftToShaftDistanceCommand);
    NERIO_REGISTER(ReverseSectionCommand);
    NERIO_REGISTER(LineToLineAngleCommand);
    NERIO_REGISTER(FaceToFaceAngleCommand);
    NERIO_REGISTER(LineToFaceAngleCommand);
    NERIO_REGISTER(LineDistanceCommand);
    NERIO_REGISTER(EllipseDistanceCommand);
    NERIO_REGISTER(RadiusDistanceCommand);
    NERIO_REGISTER(DiameterDistanceCommand);
    NERIO_REGISTER(SurfaceAreaCommand);
    NERIO_REGISTER(VolumeCommand);
    NERIO_REGISTER(UpdateAxisLocationCommand);
    NERIO_REGISTER(AxisTransformDraggerCommand);
    NERIO_REGISTER(AxisExplodeTransformDraggerCommand);
    NERIO_REGISTER(RadialExplodeTransformDraggerCommand);
    NERIO_REGISTER(CenterExplodeTransformDraggerCommand);
    NERIO_REGISTER(ScaleTransformDraggerCommand);
    NERIO_REGISTER(RotateTransformDraggerCommand);
    NERIO_REGISTER(PlaneTransformDraggerCommand);
    NERIO_REGISTER(PointsAlignmentCommand);
    NERIO_REGISTER(LinesAlignmentCommand);
    NERIO_REGISTER(FacesAlignmentCommand);
    NERIO_REGISTER(LineToFaceAlignmentCommand);
    NERIO_REGISTER(SNoteCommand);
    NERIO_REGISTER(RectNoteCommand);
    NERIO_REGISTER(CircleNoteCommand);
    NERIO_REGISTER(EllipseNoteCommand);
    NERIO_REGISTER(BrushNoteCommand);
}

#undef NERIO_REGISTER
