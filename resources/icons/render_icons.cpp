// Build tool: renders the icon drawings (SVG) to PNG files and writes the resource file that lists them.
//   render_icons <svg folder> <output folder> <qrc file> <relative svg path>...
// "icon/home.svg" becomes <output folder>/icon/home.png, listed as ":/VantorViewer/icon/home.png".

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    // No display is needed to render into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: render_icons <svg folder> <output folder> <qrc file> <svg>...\n");
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    const QString qrcPath = QString::fromLocal8Bit(argv[3]);
    const int size = 64;

    QString qrc;
    QTextStream list(&qrc);
    list << "<RCC>\n    <qresource prefix=\"/VantorViewer\">\n";
    for (int i = 4; i < argc; ++i) {
        const QString rel = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(source.filePath(rel));
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render_icons: cannot read %s\n", argv[i]);
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();

        QString png = rel;
        png.replace(QRegExp(QStringLiteral("\\.svg$")), QStringLiteral(".png"));
        const QString target = output.filePath(png);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!image.save(target, "PNG")) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(target));
            return 1;
        }
        list << "        <file alias=\"" << png << "\">" << QFileInfo(target).absoluteFilePath() << "</file>\n";
    }
    list << "    </qresource>\n</RCC>\n";

    // Written only when it changes, so an unchanged list does not rebuild the resources.
    QFile file(qrcPath);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == qrc.toUtf8())
        return 0;
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(qrcPath));
        return 1;
    }
    file.write(qrc.toUtf8());
    return 0;
}
