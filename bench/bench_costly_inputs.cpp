// Small inputs that once cost far more than their size, rebuilt here so their time and peak memory
// can be measured (run each step under /usr/bin/time -v; bench/costly_inputs.sh does it all):
//
//   bench_costly_inputs make <dir>             writes the inputs into dir
//   bench_costly_inputs read <file.dazo>       reads a model as the loader does (sub-assemblies)
//   bench_costly_inputs bom <file.json>        reads a bill of materials given as text (as from a host)
//   bench_costly_inputs window <file.dazo> [notes.json]
//                                              opens the model in the main window until its views are
//                                              in the bookmark panel, then adds the notes as a host
//                                              does (needs a display: run it under Xvfb)
//
// The inputs: sub-assemblies 30 wide and 4 deep (fanout/l0.dazo); one part used 20,000 times by a
// bill of materials (bom.json); models with 60 views whose pictures claim 4096 by 4096 pixels
// (views60-claims.dazo), with 1,000 and 4,000 views (views1000.dazo, views4000.dazo); 500 and 2,000
// notes (notes500.json, notes2000.json).

#include "app/MainWindow.h"
#include "panels/BookmarkWidget.h"
#include "vantor/dazoreader/DazoArchiveLayout.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/model/Model.h"
#include "vantor/note/NoteManager.h"
#include "view/SceneModel.h"

#include "dazo/Vantor_Body.h"
#include "dazo/Vantor_Document.h"
#include "dazo/Vantor_Face.h"
#include "dazo/Vantor_Instance.h"
#include "dazo/Vantor_Prototype.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <zlib.h>

using namespace VantorSoft;

namespace {

std::shared_ptr<Vantor_Instance> place(const std::string& name, const std::shared_ptr<Vantor_Prototype>& proto, float x)
{
    auto inst = std::make_shared<Vantor_Instance>();
    inst->Name(name);
    inst->Prototype(proto);
    inst->Visible(true);
    inst->PlcMatrix()[12] = x;
    return inst;
}

std::shared_ptr<Vantor_Prototype> triangle()
{
    auto body = std::make_shared<Vantor_Body>();
    body->PointsArray({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}});
    auto face = std::make_shared<Vantor_Face>();
    face->PointsIndexArray({0, 1, 2});
    body->FacesArray().push_back(face);
    auto proto = std::make_shared<Vantor_Prototype>();
    proto->SubBodies({body});
    return proto;
}

bool writeModel(const std::string& path, const std::string& views = std::string())
{
    Vantor_Document doc;
    auto top = place("Part", triangle(), 0);
    doc.AddTopInstances(top);
    Vantor::DazoLayout::ProgramDocuments documents;
    documents.view = views;
    std::string error;
    if (!Vantor::DazoLayout::WriteArchive(doc, documents, path, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

bool writeReferences(const std::string& path, const std::string& link, int width)
{
    Vantor_Document doc;
    auto top = place("Level", nullptr, 0);
    for (int i = 0; i < width; ++i) {
        auto linked = place("Use " + std::to_string(i), nullptr, float(i));
        linked->Disperse(true);
        linked->Path(link);
        top->AddSubInstance(linked);
    }
    doc.AddTopInstances(top);
    return Vantor::DazoLayout::WriteArchive(doc, {}, path);
}

void put32(std::string& out, quint32 v)
{
    for (int s = 24; s >= 0; s -= 8)
        out += char((v >> s) & 0xff);
}

std::string chunk(const char* type, const std::string& data)
{
    std::string c;
    put32(c, quint32(data.size()));
    const std::string body = std::string(type, 4) + data;
    c += body;
    put32(c, quint32(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
    return c;
}

// A PNG whose header says side by side pixels and whose data holds a 16 by 16 picture.
std::string claimingPng(quint32 side)
{
    std::string header;
    put32(header, side);
    put32(header, side);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string raw;
    for (int y = 0; y < 16; ++y)
        raw += '\0' + std::string(48, '\x80');
    uLongf size = compressBound(uLong(raw.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(&packed[0]), &size, reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
    packed.resize(size);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", packed) + chunk("IEND", "");
}

std::string realPng(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(120, 140, 160));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toStdString();
}

std::string viewList(int count, const std::string& png)
{
    const std::string picture = QByteArray::fromStdString(png).toBase64().toStdString();
    std::ostringstream out;
    out << "{\"userview_list\": [";
    for (int i = 0; i < count; ++i)
        out << (i ? "," : "") << "{\"ViewID\": " << 1000 + i << ", \"ViewName\": \"View " << i
            << "\", \"ImageState\": {\"image_base64\": \"" << picture << "\"}}";
    out << "]}";
    return out.str();
}

std::string noteList(int count)
{
    std::ostringstream out;
    out << "{\"note_list\": [";
    for (int i = 0; i < count; ++i)
        out << (i ? "," : "") << "{\"Type\": \"PointNote\", \"Id\": " << 5000 + i << ", \"Name\": \"Note " << i
            << "\", \"Text\": \"check\", \"Anchor\": [0, 0, 0], \"TextPosition\": [1, 1, 1]}";
    out << "]}";
    return out.str();
}

bool writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int make(const std::string& dir)
{
    bool ok = std::system(("mkdir -p '" + dir + "/fanout'").c_str()) == 0;
    ok = ok && writeModel(dir + "/fanout/l4.dazo");
    for (int level = 3; ok && level >= 0; --level)
        ok = writeReferences(dir + "/fanout/l" + std::to_string(level) + ".dazo", "l" + std::to_string(level + 1), 30);
    ok = ok && writeModel(dir + "/part.dazo");
    std::ostringstream bom;
    bom << "{\"version\":\"1.0.0\",\"bom\":{\"name\":\"Many\",\"children\":[";
    for (int i = 0; i < 20000; ++i)
        bom << (i ? "," : "") << "{\"name\":\"Use\",\"path\":\"" << dir << "/part.dazo\",\"matrix\":[1,0,0,0,0,1,0,0,0,0,1,0,"
            << i % 100 << "," << i / 100 << ",0,1]}";
    bom << "]}}";
    ok = ok && writeText(dir + "/bom.json", bom.str());
    ok = ok && writeModel(dir + "/views60-claims.dazo", viewList(60, claimingPng(4096)));
    ok = ok && writeModel(dir + "/views1000.dazo", viewList(1000, realPng(128)));
    ok = ok && writeModel(dir + "/views4000.dazo", viewList(4000, realPng(128)));
    ok = ok && writeText(dir + "/notes500.json", noteList(500));
    ok = ok && writeText(dir + "/notes2000.json", noteList(2000));
    return ok ? 0 : 1;
}

int countModels(osg::Node* node)
{
    Vantor::Model::NodeList models;
    Vantor::Model::getAllChildrenModels(node, models);
    return int(models.size());
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[1] : "";
    QElapsedTimer timer;
    timer.start();
    if (mode == "make")
        return make(argv[2]);
    if (mode == "read" || mode == "bom") {
        DazoReaderWriter reader;
        osg::ref_ptr<osg::Node> root = mode == "read" ? reader.readNode(argv[2]) : reader.readBomValue(readText(argv[2]));
        std::printf("%s: %s, %d models, %.2f s\n", argv[2], root ? "read" : reader.lastError().c_str(),
                    root ? countModels(root.get()) : 0, timer.nsecsElapsed() / 1e9);
        return 0;
    }
    if (mode == "window") {
        QApplication app(argc, argv);
        MainWindow window;
        window.resize(1280, 900);
        window.show();
        if (!window.loadFile(QString::fromLocal8Bit(argv[2])) ||
            !QTest::qWaitFor([&] { return !window.isBusy(); }, 3600000)) {
            std::fprintf(stderr, "cannot load %s\n", argv[2]);
            return 1;
        }
        QApplication::processEvents();
        auto* panel = window.findChild<BookmarkWidget*>();
        std::printf("%s: loaded, %d bookmarks, %.2f s\n", argv[2], panel ? panel->listWidget()->count() : -1,
                    timer.nsecsElapsed() / 1e9);
        if (argc > 3) {
            timer.restart();
            const QString ids = window.addNotesFromValue(-1, QString::fromStdString(readText(argv[3])));
            QApplication::processEvents();
            std::printf("%s: %d notes added, %.2f s\n", argv[3], int(ids.split(' ', Qt::SkipEmptyParts).size()),
                        timer.nsecsElapsed() / 1e9);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: bench_costly_inputs make <dir> | read <file.dazo> | bom <file.json> | window <file.dazo> [notes.json]\n");
    return 2;
}
