// Screenshot: saves a picture of the whole screen as a PNG file. The viewer starts it detached from its
// screen-capture button; it can also be run by hand.
//
//   Screenshot [--output FILE] [--delay MS]
//
// Without --output the picture goes to the user's pictures folder (else the home folder) as
// screenshot-yyyy-MM-dd-HH-mm-ss.png. Prints the path written. Exit status: 0 written, 1 failed,
// 2 bad arguments.

#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: Screenshot [--output FILE] [--delay MS]\n");
    return 2;
}

QString defaultPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss"));
    return folder + QStringLiteral("/screenshot-") + stamp + QStringLiteral(".png");
}

} // namespace

int main(int argc, char** argv)
{
    QString output;
    long delayMs = 300; // lets the button that started us finish drawing
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--output") && i + 1 < argc) {
            output = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--delay") && i + 1 < argc) {
            char* end = nullptr;
            delayMs = std::strtol(argv[++i], &end, 10);
            if (!end || *end || delayMs < 0 || delayMs > 60000)
                return usage();
        } else {
            return usage();
        }
    }
#ifdef Q_OS_LINUX
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "Screenshot: no display to take a picture of\n");
        return 1;
    }
#endif

    QGuiApplication app(argc, argv);
    if (output.isEmpty())
        output = defaultPath();
    QThread::msleep(static_cast<unsigned long>(delayMs));

    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap picture = screen ? screen->grabWindow(0) : QPixmap();
    if (picture.isNull()) {
        std::fprintf(stderr, "Screenshot: the screen could not be read\n");
        return 1;
    }
    if (!picture.save(output, "PNG")) {
        std::fprintf(stderr, "Screenshot: cannot write %s\n", output.toLocal8Bit().constData());
        return 1;
    }
    QTextStream(stdout) << output << Qt::endl;
    return 0;
}
