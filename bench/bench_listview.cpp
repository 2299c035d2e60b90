// Painting and memory of a list drawn from one template against a list that
// carries a real widget per row.
#include "benchviews.h"

#include "controls/tavqlistview.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

using namespace TAVQtLib;
using namespace BenchViews;

namespace {

QWidget *productWidget(int row)
{
    auto *widget = new QWidget;
    auto *layout = new QHBoxLayout(widget);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *thumb = new QLabel;
    thumb->setPixmap(QPixmap::fromImage(thumbnail()));
    layout->addWidget(thumb);
    layout->addWidget(new QLabel(name(row)));
    layout->addWidget(new QLabel(price(row)));
    layout->addWidget(new QLabel(count(row)));
    layout->addWidget(new QPushButton(QStringLiteral("+")));
    layout->addWidget(new QPushButton(QStringLiteral("-")));
    layout->addWidget(new QPushButton(QStringLiteral("Del")));
    return widget;
}

QListWidget *widgetList(int rows)
{
    auto *list = new QListWidget;
    list->resize(ViewWidth, ViewHeight);
    for (int row = 0; row < rows; ++row) {
        auto *item = new QListWidgetItem(list);
        item->setSizeHint(QSize(ViewWidth, RowHeight));
        list->setItemWidget(item, productWidget(row));
    }
    return list;
}

void paintViewport(QAbstractItemView *view, QImage *target)
{
    target->fill(Qt::white);
    view->viewport()->render(target, QPoint(), QRegion(), QWidget::DrawChildren);
}

// Times one full viewport paint; reports the memory the list took to build.
template <typename Build>
void benchmarkList(benchmark::State &state, Build build)
{
    const int rows = int(state.range(0));
    const long before = residentKb();
    std::unique_ptr<QAbstractItemView> view(build(rows));
    QImage target(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    view->show();
    QApplication::processEvents();
    paintViewport(view.get(), &target);
    const long after = residentKb();
    for (auto _ : state) {
        paintViewport(view.get(), &target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["rss_growth_kB"] = double(after - before);
    state.counters["rss_kB"] = double(after);
}

void BM_TemplateListPaint(benchmark::State &state)
{
    benchmarkList(state, [](int rows) { return static_cast<QAbstractItemView *>(templateList(rows)); });
}

void BM_WidgetListPaint(benchmark::State &state)
{
    benchmarkList(state, [](int rows) { return static_cast<QAbstractItemView *>(widgetList(rows)); });
}

} // namespace

BENCHMARK(BM_TemplateListPaint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
// The widget-per-row baseline stops at 10,000 rows: building 100,000 rows of
// eight widgets each takes longer than ten minutes and gigabytes of memory,
// which no program would spend, so it would measure nothing worth comparing.
BENCHMARK(BM_WidgetListPaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return BenchViews::runBenchmarks(argc, argv);
}
