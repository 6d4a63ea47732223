#include "view/CombineCommandHandler.h"

bool CombineCommandHandler::handle(const osgGA::GUIEventAdapter&, osgGA::GUIActionAdapter&)
{
    return false;
}
