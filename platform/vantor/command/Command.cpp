#include "vantor/command/Command.h"
std::string Vantor::Command::AppPath;
