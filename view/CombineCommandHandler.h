#pragma once

#include <osgGA/GUIEventHandler>

#include <memory>

namespace Vantor {
class CommandManager;
}

// The view's first event handler: pumps the command manager's queue.
// Holds the view's command manager; every event passes on.
class CombineCommandHandler : public osgGA::GUIEventHandler
{
public:
    CombineCommandHandler() = default;
    CombineCommandHandler(const CombineCommandHandler& other, const osg::CopyOp& copyop = osg::CopyOp::SHALLOW_COPY)
        : osg::Object(other, copyop), osg::Callback(other, copyop), osgGA::GUIEventHandler(other, copyop),
          m_commandManager(other.m_commandManager)
    {
    }
    META_Object(Vantor, CombineCommandHandler)

    void setCommandManager(std::shared_ptr<Vantor::CommandManager> manager) { m_commandManager = std::move(manager); }
    std::shared_ptr<Vantor::CommandManager> getCommandManager() const { return m_commandManager; }

    bool handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa) override;
    using osgGA::GUIEventHandler::handle;

private:
    std::shared_ptr<Vantor::CommandManager> m_commandManager;
};
