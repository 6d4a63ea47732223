// The factories the command manager starts interactive commands from, by class name.

#include "app/MainWindow.h"

#include "vantor/command/CommandManager.h"
#include "vantor/note/NoteCommands.h"
#include "vantor/section/SectionCommands.h"

namespace {

template <class T>
void add(const char* name)
{
    // An existing entry stays: a second registration changes nothing.
    Vantor::CommandManager::m_commandConstructMap.emplace(name, [] { return new T; });
}

} // namespace

void MainWindow::registerCommand()
{
    add<Vantor::PointNoteCommand>("PointNoteCommand");
    add<Vantor::CreateSectionCommand>("CreateSectionCommand");
    add<Vantor::UpdateSectionCommand>("UpdateSectionCommand");
    add<Vantor::ReverseSectionCommand>("ReverseSectionCommand");
    add<Vantor::SNoteCommand>("SNoteCommand");
    add<Vantor::RectNoteCommand>("RectNoteCommand");
    add<Vantor::CircleNoteCommand>("CircleNoteCommand");
    add<Vantor::EllipseNoteCommand>("EllipseNoteCommand");
    add<Vantor::BrushNoteCommand>("BrushNoteCommand");
}
