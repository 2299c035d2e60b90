// Painting and memory of a list drawn from one template against a list that
// carries a real widget per row.
#include "controls/tavqcontainer.h"
#include "controls/tavqimage.h"
#include "controls/tavqlabel.h"
#include "controls/tavqlistview.h"
#include "controls/tavqpushbutton.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>

using namespace TAVQtLib;

namespace {

constexpr int ViewWidth = 400;
constexpr int ViewHeight = 600;
constexpr int RowHeight = 48;
const int NameRole = Qt::UserRole + 1;
const int PriceRole = Qt::UserRole + 2;
const int CountRole = Qt::UserRole + 3;

// Resident memory of the process in kB.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

const QImage &thumbnail()
{
    static const QImage image = [] {
        QImage picture(40, 40, QImage::Format_ARGB32);
        picture.fill(QColor(40, 120, 200));
        return picture;
    }();
    return image;
}

QString name(int row) { return QStringLiteral("Product %1").arg(row); }
QString price(int row) { return QStringLiteral("%1.%2").arg(row % 500).arg(row % 100, 2, 10, QLatin1Char('0')); }
QString count(int row) { return QString::number(row % 9 + 1); }

QStandardItemModel *productModel(int rows, QObject *parent)
{
    auto *model = new QStandardItemModel(parent);
    model->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        auto *item = new QStandardItem;
        item->setData(name(row), NameRole);
        item->setData(price(row), PriceRole);
        item->setData(count(row), CountRole);
        model->setItem(row, item);
    }
    return model;
}

template <typename Widget>
Widget *placed(QWidget *parent, const char *objectName, const QRect &geometry)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QLatin1String(objectName));
    widget->setGeometry(geometry);
    return widget;
}

void bindProduct(QAbstractItemView *, QWidget *itemTemplate, const QModelIndex &index)
{
    itemTemplate->findChild<TAVQLabel *>(QStringLiteral("name"))->setText(index.data(NameRole).toString());
    itemTemplate->findChild<TAVQLabel *>(QStringLiteral("price"))->setText(index.data(PriceRole).toString());
    itemTemplate->findChild<TAVQLabel *>(QStringLiteral("count"))->setText(index.data(CountRole).toString());
}

TAVQListView *templateList(int rows)
{
    auto *view = new TAVQListView;
    view->resize(ViewWidth, ViewHeight);
    view->setItemHeight(RowHeight);
    auto *row = new TAVQContainer(view);
    placed<TAVQImage>(row, "thumb", QRect(4, 4, 40, 40))->setImage(const_cast<QImage *>(&thumbnail()));
    placed<TAVQLabel>(row, "name", QRect(52, 4, 160, 20));
    placed<TAVQLabel>(row, "price", QRect(52, 26, 100, 18));
    placed<TAVQLabel>(row, "count", QRect(220, 14, 30, 20));
    placed<TAVQPushButton>(row, "btnUp", QRect(260, 12, 40, 24))->setText(QStringLiteral("+"));
    placed<TAVQPushButton>(row, "btnDown", QRect(304, 12, 40, 24))->setText(QStringLiteral("-"));
    placed<TAVQPushButton>(row, "btnDelete", QRect(348, 12, 48, 24))->setText(QStringLiteral("Del"));
    view->setItemTemplate(row);
    view->setUpdateItemCallback(bindProduct);
    view->setModel(productModel(rows, view));
    return view;
}

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
BENCHMARK(BM_WidgetListPaint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
