#include "benchviews.h"

#include "controls/tavqcontainer.h"
#include "controls/tavqimage.h"
#include "controls/tavqlabel.h"
#include "controls/tavqlistview.h"
#include "controls/tavqpushbutton.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace TAVQtLib;

namespace BenchViews {

namespace {

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

} // namespace

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

long heapInUseKb()
{
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
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

TAVQContainer *productTemplate(QWidget *parent)
{
    auto *row = new TAVQContainer(parent);
    placed<TAVQImage>(row, "thumb", QRect(4, 4, 40, 40))->setImage(const_cast<QImage *>(&thumbnail()));
    placed<TAVQLabel>(row, "name", QRect(52, 4, 160, 20));
    placed<TAVQLabel>(row, "price", QRect(52, 26, 100, 18));
    placed<TAVQLabel>(row, "count", QRect(220, 14, 30, 20));
    placed<TAVQPushButton>(row, "btnUp", QRect(260, 12, 40, 24))->setText(QStringLiteral("+"));
    placed<TAVQPushButton>(row, "btnDown", QRect(304, 12, 40, 24))->setText(QStringLiteral("-"));
    placed<TAVQPushButton>(row, "btnDelete", QRect(348, 12, 48, 24))->setText(QStringLiteral("Del"));
    return row;
}

TAVQListView *templateList(int rows)
{
    auto *view = new TAVQListView;
    view->resize(ViewWidth, ViewHeight);
    view->setItemHeight(RowHeight);
    view->setItemTemplate(productTemplate(view));
    view->setUpdateItemCallback(bindProduct);
    view->setModel(productModel(rows, view));
    return view;
}

int runBenchmarks(int argc, char **argv, const std::function<bool()> &prepare)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (prepare && !prepare())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace BenchViews
