// One pass from the top to the bottom of 100,000 rows in equal scroll steps,
// for each skinned item view and the plain Qt view it derives from: the time a
// step takes in the first and the last tenth of the pass, and the memory the
// pass leaves behind.
#include "benchviews.h"

#include "controls/tavqcontainer.h"
#include "controls/tavqlistview.h"
#include "controls/tavqpushbutton.h"
#include "controls/tavqtableview.h"
#include "controls/tavqtreeview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <numeric>
#include <vector>

using namespace TAVQtLib;
using namespace BenchViews;

namespace {

constexpr int TableColumns = 4;
constexpr int TableRowHeight = 36;
constexpr int TreeRowHeight = 24;

// Counts the viewport's paint events, so that a step that painted nothing shows.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QStandardItemModel *tableModel(int rows, QObject *parent)
{
    auto *model = new QStandardItemModel(rows, TableColumns, parent);
    for (int row = 0; row < rows; ++row) {
        auto *first = new QStandardItem(name(row));
        first->setData(row % 3 == 0, Qt::CheckStateRole);
        model->setItem(row, 0, first);
        model->setItem(row, 1, new QStandardItem(price(row)));
        model->setItem(row, 2, new QStandardItem(count(row)));
    }
    return model;
}

QStandardItemModel *treeModel(int rows, QObject *parent)
{
    auto *model = new QStandardItemModel(parent);
    for (int row = 0; row < rows; ++row)
        model->appendRow({new QStandardItem(name(row)), new QStandardItem(price(row))});
    return model;
}

// Two buttons in the last column of every row.
QWidget *buttonTemplate(QWidget *parent)
{
    auto *cell = new TAVQContainer(parent);
    auto *plus = new TAVQPushButton(cell);
    plus->setGeometry(4, 6, 30, 24);
    plus->setText(QStringLiteral("+"));
    auto *minus = new TAVQPushButton(cell);
    minus->setGeometry(40, 6, 30, 24);
    minus->setText(QStringLiteral("-"));
    return cell;
}

template <typename Table>
Table *table(int rows)
{
    auto *view = new Table;
    view->setModel(tableModel(rows, view));
    view->verticalHeader()->setDefaultSectionSize(TableRowHeight);
    for (int column = 0; column < TableColumns; ++column)
        view->setColumnWidth(column, 90);
    return view;
}

QAbstractItemView *skinnedTable(int rows)
{
    auto *view = table<TAVQTableView>(rows);
    view->setCheckable(true);
    view->setColumnTemplate(TableColumns - 1, buttonTemplate(view));
    return view;
}

template <typename Tree>
Tree *tree(int rows)
{
    auto *view = new Tree;
    view->setModel(treeModel(rows, view));
    return view;
}

QAbstractItemView *skinnedTree(int rows)
{
    auto *view = tree<TAVQTreeView>(rows);
    view->setItemHeight(TreeRowHeight);
    return view;
}

QAbstractItemView *plainTree(int rows)
{
    auto *view = tree<QTreeView>(rows);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return view;
}

QAbstractItemView *plainList(int rows)
{
    auto *view = new QListView;
    auto *model = productModel(rows, view);
    for (int row = 0; row < rows; ++row)
        model->item(row)->setText(name(row));
    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return view;
}

// CPU time of this thread in ms: the machine is shared, so wall time also
// counts other processes' turns.
double threadCpuMs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct StepTimes
{
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
};

// Mean of the first or the last tenth of the steps.
double tenthMs(const std::vector<double> &ms, bool last)
{
    const long tenth = long(ms.size() / 10);
    const auto first = last ? ms.cend() - tenth : ms.cbegin();
    return std::accumulate(first, first + tenth, 0.0) / double(tenth);
}

// Scrolls the shown view from top to bottom in `steps` equal steps, each
// painted before the next, and reports the figures of the pass.
template <typename Build>
void scrollPass(benchmark::State &state, Build build)
{
    const int rows = int(state.range(0));
    const int steps = int(state.range(1));
    std::unique_ptr<QAbstractItemView> view(build(rows));
    view->resize(ViewWidth, ViewHeight);
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    view->show();
    QApplication::processEvents();
    QScrollBar *bar = view->verticalScrollBar();
    const int range = bar->maximum();

    for (auto _ : state) {
        bar->setValue(0);
        QApplication::processEvents();
        const long rssBefore = residentKb();
        const long heapBefore = heapInUseKb();
        counter.paints = 0;
        StepTimes times;
        times.cpuMs.reserve(size_t(steps));
        times.wallMs.reserve(size_t(steps));
        QElapsedTimer pass;
        pass.start();
        for (int step = 1; step <= steps; ++step) {
            QElapsedTimer wall;
            wall.start();
            const double cpu = threadCpuMs();
            bar->setValue(int(qint64(range) * step / steps));
            QApplication::processEvents();
            times.cpuMs.push_back(threadCpuMs() - cpu);
            times.wallMs.push_back(double(wall.nsecsElapsed()) / 1e6);
        }
        state.SetIterationTime(double(pass.nsecsElapsed()) / 1e9);
        const double firstCpu = tenthMs(times.cpuMs, false);
        const double lastCpu = tenthMs(times.cpuMs, true);
        state.counters["first_cpu_ms"] = firstCpu;
        state.counters["last_cpu_ms"] = lastCpu;
        state.counters["last/first"] = lastCpu / firstCpu;
        state.counters["first_wall_ms"] = tenthMs(times.wallMs, false);
        state.counters["last_wall_ms"] = tenthMs(times.wallMs, true);
        state.counters["rss_MB"] = double(residentKb()) / 1024;
        state.counters["rss_growth_MB"] = double(residentKb() - rssBefore) / 1024;
        state.counters["heap_growth_MB"] = double(heapInUseKb() - heapBefore) / 1024;
        state.counters["paints"] = counter.paints;
    }
    view->viewport()->removeEventFilter(&counter);
}

void BM_ScrollTemplateList(benchmark::State &state)
{
    scrollPass(state, [](int rows) { return static_cast<QAbstractItemView *>(templateList(rows)); });
}

void BM_ScrollPlainList(benchmark::State &state)
{
    scrollPass(state, plainList);
}

void BM_ScrollSkinnedTable(benchmark::State &state)
{
    scrollPass(state, skinnedTable);
}

void BM_ScrollPlainTable(benchmark::State &state)
{
    scrollPass(state, [](int rows) { return static_cast<QAbstractItemView *>(table<QTableView>(rows)); });
}

void BM_ScrollSkinnedTree(benchmark::State &state)
{
    scrollPass(state, skinnedTree);
}

void BM_ScrollPlainTree(benchmark::State &state)
{
    scrollPass(state, plainTree);
}

} // namespace

// 100,000 rows; the steps are set so that each row is drawn about once.
#define SCROLL_PASS(name, steps) \
    BENCHMARK(name)->Args({100000, steps})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond)
SCROLL_PASS(BM_ScrollTemplateList, 10000);
SCROLL_PASS(BM_ScrollPlainList, 10000);
SCROLL_PASS(BM_ScrollSkinnedTable, 10000);
SCROLL_PASS(BM_ScrollPlainTable, 10000);
SCROLL_PASS(BM_ScrollSkinnedTree, 5000);
SCROLL_PASS(BM_ScrollPlainTree, 5000);

int main(int argc, char **argv)
{
    return BenchViews::runBenchmarks(argc, argv);
}
