#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the command line asks of start-up.
struct StartupOptions
{
    bool help = false;         // "--help" was met: print the usage and exit
    bool resetConfig = false;  // "--reset-config"
    bool embedded = false;     // "--ocx" with a window title
    QString embeddedTitle;
    QString filePath;          // the last model argument
    bool showTreeDock = true;  // "--tree <bool>"
    bool showViewDock = true;  // "--view <bool>"
};

// Scans the arguments (index 0 is the program path). Stops at "--help".
StartupOptions scanCommandLine(const QStringList& arguments);

// Why the model the command line names cannot be opened, for the user; empty when it can be, or when
// none is named. rawArguments: the arguments' bytes as the process got them (a name whose bytes the
// system's encoding cannot carry cannot be opened by that name).
QString startupFileProblem(const StartupOptions& options, const QList<QByteArray>& rawArguments);

// The eight lines of the command-line help.
QStringList usageLines(const QString& programPath);
void printUsage();
