#pragma once

// Installs the process-wide handler that writes a crash dump below the application directory.
// Called by main before the application object exists.
void installCrashHandler();
