// Pieces the item-view benchmarks share: product rows, their template and
// the process's memory figures.
#ifndef TAVQ_BENCHVIEWS_H
#define TAVQ_BENCHVIEWS_H

#include <QString>

#include <functional>

class QAbstractItemView;
class QImage;
class QObject;
class QStandardItemModel;
class QWidget;

namespace TAVQtLib {
class TAVQContainer;
class TAVQListView;
}

namespace BenchViews {

constexpr int ViewWidth = 400;
constexpr int ViewHeight = 600;
constexpr int RowHeight = 48;
constexpr int NameRole = 0x0100 + 1; // Qt::UserRole + 1
constexpr int PriceRole = 0x0100 + 2;
constexpr int CountRole = 0x0100 + 3;

// Resident memory of the process and heap bytes in use, in kB.
long residentKb();
long heapInUseKb();

const QImage &thumbnail();
QString name(int row);
QString price(int row);
QString count(int row);

// `rows` single-column rows carrying name, price and count in user roles.
QStandardItemModel *productModel(int rows, QObject *parent);
// The product row: picture, three labels and three buttons, as a template.
TAVQtLib::TAVQContainer *productTemplate(QWidget *parent);
// A 400×600 list of 48-pixel rows drawn from the product template.
TAVQtLib::TAVQListView *templateList(int rows);

// Runs the registered benchmarks in a widget application, offscreen unless
// QT_QPA_PLATFORM says otherwise. `prepare`, when given, runs once the
// application exists; its false ends the program with 1.
int runBenchmarks(int argc, char **argv, const std::function<bool()> &prepare = nullptr);

} // namespace BenchViews

#endif
