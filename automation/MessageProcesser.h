#pragma once

#include <memory>

class InitCommMsg;
class MainWindow;
class Message;

// Executes host requests on the main window. Only the host's introduction is acted on so far;
// every other request is logged and, when it asks for a reply, echoed back unchanged.
class MessageProcesser
{
public:
    explicit MessageProcesser(MainWindow* window);

    void process(std::shared_ptr<Message> msg);

    void ProcessInitCommMessage(std::shared_ptr<InitCommMsg> msg);

private:
    MainWindow* m_window;
};
