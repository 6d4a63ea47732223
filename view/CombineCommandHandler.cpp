#include "view/CombineCommandHandler.h"

#include "vantor/command/CommandManager.h"

#include <osgViewer/View>

bool CombineCommandHandler::handle(const osgGA::GUIEventAdapter& ea, osgGA::GUIActionAdapter& aa)
{
    if (!m_commandManager)
        return false;
    m_commandManager->setViewer(dynamic_cast<osgViewer::View*>(&aa));

    std::shared_ptr<Vantor::Command> current = m_commandManager->getCurrentCommand();
    if (!current || current->getState() == Vantor::Command::STATE_FINISHED) {
        std::shared_ptr<Vantor::Command> next = m_commandManager->GetNextExecuteCmd();
        current = next;
        if (next) {
            m_commandManager->DoCommand(next);
            m_commandManager->setCurrentCommand(next);
        }
    }
    return current ? current->handle(ea, aa) : false;
}
