#include "app/CommandLine.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/util/StrUtil.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextCodec>
#include <QObject>
#include <QTextStream>

StartupOptions scanCommandLine(const QStringList& arguments)
{
    StartupOptions o;
    const int n = arguments.size();
    // Returns the value after index i, or null when the option stands last.
    auto valueAt = [&](int i) -> const QString* { return i + 1 < n ? &arguments.at(i + 1) : nullptr; };

    for (int i = 1; i < n; ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--reset-config")) {
            o.resetConfig = true;
        } else if (arg == QLatin1String("--help")) {
            o.help = true;
            return o;
        } else if (arg == QLatin1String("--ocx")) {
            const QString* v = valueAt(i);
            if (!v)
                break;
            o.embeddedTitle = *v;
            o.embedded = true;
            ++i;
        } else if (Vantor::DazoLayout::IsModelFileName(arg.toStdString())) {
            o.filePath = arg;
        } else if (arg == QLatin1String("--view") || arg == QLatin1String("--tree")) {
            const QString* v = valueAt(i);
            if (!v)
                break;
            const bool on = Vantor::StrUtil::StringToBool(v->toStdString());
            (arg == QLatin1String("--view") ? o.showViewDock : o.showTreeDock) = on;
            ++i;
        } else if (arg == QLatin1String("--property") || arg == QLatin1String("--statistics")
                   || arg == QLatin1String("--log")) {
            if (!valueAt(i))
                break;
            ++i; // consumed, no effect
        }
    }
    return o;
}

QString startupFileProblem(const StartupOptions& options, const QList<QByteArray>& rawArguments)
{
    if (options.filePath.isEmpty())
        return QString();
    for (const QByteArray& raw : rawArguments) {
        // Bytes the encoding cannot read became replacement characters: that name reaches no file.
        if (QString::fromLocal8Bit(raw) == options.filePath && options.filePath.toLocal8Bit() != raw)
            return QObject::tr("The file name %1 given on the command line is not valid text in the system's "
                               "encoding (%2); the file cannot be opened by this name.")
                .arg(options.filePath, QString::fromLatin1(QTextCodec::codecForLocale()->name()));
    }
    if (!QFileInfo(options.filePath).isFile())
        return QObject::tr("The file %1 given on the command line does not exist.").arg(options.filePath);
    return QString();
}

QStringList usageLines(const QString& programPath)
{
    return {
        QString(),
        QObject::tr("OSG viewer"),
        QObject::tr("Usage: ") + programPath + " " + QObject::tr("[options]") + " " + QObject::tr("filename"),
        QString(),
        QStringLiteral("Following options are known:"),
        QObject::tr(" --help                 - displays this help."),
        QObject::tr(" --reset-config         - clear the saved preference parameters."),
        QString(),
    };
}

void printUsage()
{
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    for (const QString& line : usageLines(args.value(0)))
        out << line << Qt::endl;
}
