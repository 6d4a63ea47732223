#pragma once

#include <cstdint>

// Installs the process-wide handler for fatal signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT).
// On a crash it writes "<application directory>/dump/yyyyMMdd-HHmmss.dmp" (header, signal, code,
// address, backtrace, memory map), starts "nerio-crash-message" beside the program to tell the user,
// and re-raises the signal so the process still dies of it.
// Call it first in main, before the application object exists: it finds the application directory
// itself and creates the dump folder at once. Set NERIO_CRASH_NO_MESSAGE=1 to skip the message.
void installCrashHandler();

// The Windows-style exception code reported for a fatal signal and its si_code
// (SIGSEGV gives 0xc0000005, the access violation); 0 for signals the handler does not catch.
std::uint32_t crashCodeForSignal(int signal, int signalCode);

// Installs the handler for the signals that ask the process to end (SIGTERM, SIGINT, SIGHUP): it
// removes the scratch files of a save under way, then lets the signal end the process as before.
// Signals that were ignored at start stay ignored.
void installTerminationHandler();
