#pragma once
#include <string>
namespace Vantor { class Command { public: static std::string AppPath; virtual ~Command() = default; }; }
