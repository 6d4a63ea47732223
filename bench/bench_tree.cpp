// Times the structure tree on a large model in the real main window: expanding the root and every
// sub-assembly, scrolling page by page, checking a box, selecting a part as a view pick does and
// revealing its row, clicking a row. Each step ends with the tree painted (into an image), and a
// second view over a counting model shows how many index() and data() calls one paint makes.
//
//   bench_tree <file.dazo> [rounds]      (needs a display; run it under Xvfb)

#include "app/MainWindow.h"
#include "panels/OsgTreeModel.h"
#include "panels/SmallPanels.h"
#include "view/SceneView.h"
#include "vantor/command/ISelectionManager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Counts the calls that reach the nodes.
class CountingTreeModel : public OsgTreeModel
{
public:
    using OsgTreeModel::OsgTreeModel;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override
    {
        ++indexCalls;
        return OsgTreeModel::index(row, column, parent);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        ++dataCalls;
        return OsgTreeModel::data(index, role);
    }
    mutable long indexCalls = 0;
    mutable long dataCalls = 0;
};

struct Figure
{
    double medianMs = 0;
    double worstMs = 0;
};

Figure timeIt(int rounds, const std::function<void()>& prepare, const std::function<void()>& step)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        step();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void print(const char* what, const Figure& f)
{
    std::printf("%-52s median %8.2f ms   worst %8.2f ms\n", what, f.medianMs, f.worstMs);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_tree <file.dazo> [rounds]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    MainWindow window;
    window.resize(1280, 900);
    window.show();
    QElapsedTimer loadTimer;
    loadTimer.start();
    if (!window.loadFile(path) || !QTest::qWaitFor([&] { return !window.isBusy(); }, 600000)) {
        std::fprintf(stderr, "bench_tree: cannot load %s\n", argv[1]);
        return 1;
    }
    std::printf("model loaded in %.2f s\n", loadTimer.nsecsElapsed() / 1e9);

    auto* tree = window.findChild<MyTreeView*>("treeViewStructure");
    auto* windowModel = tree ? qobject_cast<OsgTreeModel*>(tree->model()) : nullptr;
    Vantor::ISelectionManager* selection = window.sceneView()->getSelectionManager();
    if (!windowModel || !windowModel->rootNode() || !selection) {
        std::fprintf(stderr, "bench_tree: no tree\n");
        return 1;
    }
    OsgTreeModel& model = *windowModel;
    // The same tree in a view of the same size over a model that counts its calls.
    CountingTreeModel counting;
    counting.setNode(windowModel->rootNode());
    MyTreeView countingView;
    countingView.setUniformRowHeights(true);
    countingView.resize(tree->size());
    countingView.setModel(&counting);
    countingView.show();
    const QModelIndex root = model.index(0, 0);
    int parts = 0;
    QMap<osg::Node*, QModelIndex> all;
    model.collectIndexes(all, root);
    for (int g = 0; g < model.rowCount(root); ++g)
        parts += model.rowCount(model.index(g, 0, root));
    std::printf("rows: %d in the tree, %d sub-assemblies, %d parts\n", all.size(), model.rowCount(root), parts);

    // The tree paints into an image: a repaint of the window would also draw the 3D view whenever its
    // frame timer has marked it dirty, and that frame (not the tree) is what such a repaint would time.
    QImage canvas(tree->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    auto repaint = [&] { tree->viewport()->render(&canvas); };
    auto collapseAll = [&] {
        tree->collapseAll();
        QApplication::processEvents();
    };

    print("expand the root (and repaint)", timeIt(rounds, collapseAll, [&] {
              tree->expand(root);
              repaint();
          }));
    print("expand every sub-assembly (and repaint)", timeIt(rounds, collapseAll, [&] {
              tree->expandAll();
              repaint();
          }));

    QImage countingCanvas(countingView.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    countingView.expandAll();
    countingView.viewport()->render(&countingCanvas);
    counting.indexCalls = counting.dataCalls = 0;
    countingView.viewport()->render(&countingCanvas);
    std::printf("one repaint of the expanded tree, %d rows on screen: %ld index() and %ld data() calls\n",
                countingView.viewport()->height() / std::max(1, countingView.sizeHintForRow(0)), counting.indexCalls,
                counting.dataCalls);
    QScrollBar* countingBar = countingView.verticalScrollBar();
    counting.indexCalls = counting.dataCalls = 0;
    int countingPages = 0;
    for (int v = countingBar->minimum(); v <= countingBar->maximum(); v += countingBar->pageStep(), ++countingPages) {
        countingBar->setValue(v);
        countingView.viewport()->render(&countingCanvas);
    }
    std::printf("scrolling it a page at a time: %.1f index() and %.1f data() calls a page\n",
                double(counting.indexCalls) / countingPages, double(counting.dataCalls) / countingPages);
    countingView.hide();

    tree->expandAll();
    repaint();
    QScrollBar* bar = tree->verticalScrollBar();
    const int pages = std::max(1, (bar->maximum() - bar->minimum()) / std::max(1, bar->pageStep()) + 1);
    const Figure scroll = timeIt(rounds, [&] { bar->setValue(bar->minimum()); }, [&] {
        for (int v = bar->minimum(); v <= bar->maximum(); v += bar->pageStep()) {
            bar->setValue(v);
            repaint();
        }
    });
    std::printf("%-52s median %8.2f ms   worst %8.2f ms   (%d pages, %.2f ms a page)\n",
                "scroll top to bottom a page at a time", scroll.medianMs, scroll.worstMs, pages,
                scroll.medianMs / pages);

    const QModelIndex lastGroup = model.index(model.rowCount(root) - 1, 0, root);
    const QModelIndex part = model.index(model.rowCount(lastGroup) / 2, 0, lastGroup);
    bool checked = true;
    print("check or uncheck a part's box (and repaint)", timeIt(rounds, [] {}, [&] {
              checked = !checked;
              model.setData(part, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
              repaint();
          }));
    print("check or uncheck a sub-assembly of 100 (and repaint)", timeIt(rounds, [] {}, [&] {
              checked = !checked;
              model.setData(lastGroup, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
              repaint();
          }));
    print("check or uncheck the whole model (and repaint)", timeIt(rounds, [] {}, [&] {
              checked = !checked;
              model.setData(root, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
              repaint();
          }));
    model.setData(root, Qt::Checked, Qt::CheckStateRole);

    int next = 0;
    auto pickPart = [&] {
        const QModelIndex group = model.index(next % model.rowCount(root), 0, root);
        return OsgTreeModel::nodeOf(model.index((next * 37) % model.rowCount(group), 0, group));
    };
    tree->expandAll();

    // A view pick: the selection manager's command, its listeners and the window's reveal of the row.
    print("select a part as a view pick, reveal its row (collapsed)", timeIt(rounds, [&] {
              tree->collapseAll();
              selection->clearSelection();
              ++next;
              QApplication::processEvents();
          }, [&] {
              selection->selectNode(pickPart(), true);
              repaint();
          }));
    print("select a part as a view pick, reveal its row (expanded)", timeIt(rounds, [&] {
              tree->expandAll();
              selection->clearSelection();
              ++next;
              QApplication::processEvents();
          }, [&] {
              selection->selectNode(pickPart(), true);
              repaint();
          }));
    print("click a part's row (selects it in the view)", timeIt(rounds, [&] {
              tree->expandAll();
              ++next;
              const QModelIndex group = model.index(next % model.rowCount(root), 0, root);
              tree->scrollTo(model.index(next % 100, 0, group));
              QApplication::processEvents();
          }, [&] {
              const QModelIndex group = model.index(next % model.rowCount(root), 0, root);
              const QModelIndex row = model.index(next % 100, 0, group);
              QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(row).center());
              repaint();
          }));

    return 0;
}

