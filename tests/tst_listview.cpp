#include "controls/tavqcontainer.h"
#include "controls/tavqlabel.h"
#include "controls/tavqlistview_p.h"
#include "controls/tavqpushbutton.h"
#include "controls/tavqscrollbarconfig_p.h"
#include "controls/tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "resources/tavqresourcemanager.h"
#include "hoverevent.h"
#include "lookpicture.h"
#include "implof.h"
#include "testjson.h"

#include <QCursor>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QWheelEvent>
#include <QtTest>

#include <json/value.h>

#include <functional>

using namespace TAVQtLib;

// A change made to a list model in a test.
using ModelChange = std::function<void(QStringListModel *)>;
Q_DECLARE_METATYPE(ModelChange)

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 200, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Grey = qRgb(90, 90, 90);
const QRgb Paper = qRgb(250, 240, 200);
const QRgb SelectionBlue = qRgb(155, 202, 239);
const int ColorRole = Qt::UserRole + 1;
const int TextRole = Qt::UserRole + 2;

TAVQBoxStyle colorBox(QRgb rgb)
{
    TAVQBoxStyle style;
    style.color = QColor(rgb);
    return style;
}

// A child control of the template at a fixed place, painted in one colour.
TAVQContainer *swatch(QWidget *parent, const char *name, const QRect &geometry, QRgb rgb)
{
    auto *box = new TAVQContainer(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setBackgroundStyle(colorBox(rgb));
    return box;
}

// A blue "button" control at the same place in every row.
TAVQContainer *addRowButton(TAVQListView *view)
{
    auto *button = swatch(view->itemTemplate(), "button", QRect(5, 4, 40, 16), Blue);
    view->setItemTemplate(view->itemTemplate());
    return button;
}

// Gives each row's "swatch" control the colour the model holds for the row.
void bindSwatch(QAbstractItemView *, QWidget *itemTemplate, const QModelIndex &index)
{
    auto *box = itemTemplate->findChild<TAVQContainer *>(QStringLiteral("swatch"));
    if (box)
        box->setBackgroundStyle(colorBox(index.data(ColorRole).value<QColor>().rgb()));
}

void bindText(QAbstractItemView *, QWidget *itemTemplate, const QModelIndex &index)
{
    if (auto *label = itemTemplate->findChild<TAVQLabelEx *>(QStringLiteral("text")))
        label->setPlainText(index.data(TextRole).toString());
}

// Shows the template's "button" only on rows whose display text is "shown".
void bindButtonShown(QAbstractItemView *, QWidget *itemTemplate, const QModelIndex &index)
{
    if (auto *button = itemTemplate->findChild<TAVQContainer *>(QStringLiteral("button")))
        button->setVisibleFlag(index.data().toString() == QLatin1String("shown"));
}

QSize rowSizeByRow(QAbstractItemView *, const QStyleOptionViewItem &, const QModelIndex &index)
{
    return QSize(70 + index.row(), 10 + 2 * index.row());
}

QImage rendered(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Paper);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void pressAt(QWidget *viewport, const QPoint &point)
{
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
}

void moveWithButton(QWidget *viewport, const QPoint &point)
{
    QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

QWidget *createListView() { return new TAVQListView; }
QWidget *createContainer() { return new TAVQContainer; }
QWidget *createLabel() { return new TAVQLabel; }

} // namespace

class tst_ListView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void templateIsFirstContainerChild();
    void pageWithoutContainerDrawsNoRows();
    void hiddenControlsAreNeitherDrawnNorReported();
    void laterOfOverlappingControlsIsReported();
    void rowNotDrawnSinceResizeReportsNothing();
    void rowStyleByRowState();
    void rowStyleSlotsFromPage_data();
    void rowStyleSlotsFromPage();
    void itemStyleStateOutOfRange();
    void sizeHints();
    void sizeCallback();
    void selectionAcrossRows();
    void pressSlotRemovingRow();
    void everyClickCounts_data();
    void everyClickCounts();
    void scrollingKeepsShownRowsOnly();
    void hoverFollowsThePointerAfterScrolling_data();
    void hoverFollowsThePointerAfterScrolling();
    void modelChangeDropsRowRecords_data();
    void modelChangeDropsRowRecords();
    void changedRowTextIsTakenAnew();
    void rowsPaintedFromModel();
    void scrollBarElements();
    void malformedPageIsHarmless();

private:
    // A shown list view of `rows` rows over a template of `width` x 24.
    TAVQListView *makeView(int rows, QStandardItemModel **model);
    QWidget *m_host = nullptr;
};

void tst_ListView::initTestCase()
{
    RegisterControlType("qtlistview", createListView, false);
    RegisterControlType("qtcontainer", createContainer, true);
    RegisterControlType("qtlabel", createLabel, true);
    TAVQResourceManager &rm = TAVQResourceManager::instance();
    rm.setBoxStyle("redBox", colorBox(Red));
    rm.setBoxStyle("greenBox", colorBox(Green));
    rm.setBoxStyle("blueBox", colorBox(Blue));
    rm.setBoxStyle("greyBox", colorBox(Grey));
}

void tst_ListView::init()
{
    m_host = new QWidget;
    m_host->resize(300, 300);
}

void tst_ListView::cleanup()
{
    delete m_host;
    m_host = nullptr;
}

TAVQListView *tst_ListView::makeView(int rows, QStandardItemModel **model)
{
    auto *view = new TAVQListView(m_host);
    view->setGeometry(0, 0, 200, 150);
    view->setItemHeight(24);
    view->setBackgroundStyle(colorBox(Grey));
    view->setItemStyle(0, colorBox(Yellow));
    auto *itemTemplate = new TAVQContainer(view);
    view->setItemTemplate(itemTemplate);
    *model = new QStandardItemModel(view);
    for (int row = 0; row < rows; ++row)
        (*model)->appendRow(new QStandardItem(QStringLiteral("row %1").arg(row)));
    view->setModel(*model);
    m_host->show();
    if (!QTest::qWaitForWindowExposed(m_host))
        qWarning("host not exposed");
    return view;
}

void tst_ListView::templateIsFirstContainerChild()
{
    const Json::Value page = parse(R"({"elements":[{"type":"qtlistview","name":"list","x":0,"y":0,"w":200,"h":100,
        "child":[{"type":"qtlabel","name":"before","x":0,"y":0,"w":10,"h":10},
                 {"type":"qtcontainer","name":"first","x":0,"y":0,"w":100,"h":20,
                  "child":[{"type":"qtlabel","name":"a","x":0,"y":0,"w":10,"h":10},
                           {"type":"qtcontainer","name":"b","x":0,"y":0,"w":10,"h":10,
                            "child":[{"type":"qtlabel","name":"c","x":0,"y":0,"w":5,"h":5}]}]},
                 {"type":"qtcontainer","name":"second","x":0,"y":0,"w":100,"h":20}]}]})");
    auto *view = qobject_cast<TAVQListView *>(BuildElements(page, m_host));
    QVERIFY(view);
    QCOMPARE(view->GetTypeName(), QStringLiteral("qtlistview"));
    QWidget *first = view->findChild<QWidget *>(QStringLiteral("first"));
    QCOMPARE(view->itemTemplate(), first);
    QVERIFY(first->isHidden());
    QVERIFY(!view->findChild<QWidget *>(QStringLiteral("second"))->isHidden());
    // The template, a, b and c: depth first, each once.
    QCOMPARE(implOf<TAVQListViewImpl>(view)->delegate()->templateControlCount(), 4);

    // A plain widget inside the template is skipped with what it holds.
    auto *plain = new QWidget(first);
    new TAVQLabel(plain);
    view->setItemTemplate(first);
    QCOMPARE(implOf<TAVQListViewImpl>(view)->delegate()->templateControlCount(), 4);
    view->setItemTemplate(nullptr);
    QCOMPARE(view->itemTemplate(), first);
}

void tst_ListView::pageWithoutContainerDrawsNoRows()
{
    const Json::Value page = parse(R"({"elements":[{"type":"qtlistview","name":"list","x":0,"y":0,"w":120,"h":80,
        "style":[["greyBox",0,0],["redBox",0,2]],"attr":{"itemHeight":30},
        "child":[{"type":"qtlabel","name":"only","x":0,"y":0,"w":10,"h":10}]}]})");
    auto *view = qobject_cast<TAVQListView *>(BuildElements(page, m_host));
    QVERIFY(view);
    QVERIFY(!view->itemTemplate());
    view->setItemSizeCallback(rowSizeByRow);
    view->fillPreviewRows();
    QCOMPARE(view->model()->rowCount(), 20);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 90, 10);
    // Without a template the callback is not asked.
    QCOMPARE(view->itemDelegate()->sizeHint(option, view->model()->index(3, 0)), QSize(90, 30));
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    const QImage image = rendered(view);
    // Rows are empty: only the background shows, no red row style.
    for (const QPoint &p : {QPoint(5, 5), QPoint(60, 15), QPoint(60, 45), QPoint(100, 70)})
        QCOMPARE(image.pixel(p), Grey);
}

void tst_ListView::hiddenControlsAreNeitherDrawnNorReported()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(3, &model);
    auto *hidden = swatch(view->itemTemplate(), "hidden", QRect(10, 4, 30, 16), Red);
    auto *shown = swatch(view->itemTemplate(), "shown", QRect(60, 4, 30, 16), Blue);
    hidden->setVisibleFlag(false);
    view->setItemTemplate(view->itemTemplate());
    QSignalSpy spy(view, &TAVQListView::pressCtrl);

    const QImage image = rendered(view);
    saveLookPicture(image, QStringLiteral("listview_hidden.png"));
    const QRect row1 = view->visualRect(model->index(1, 0));
    QCOMPARE(image.pixel(row1.topLeft() + QPoint(20, 10)), Yellow);
    QCOMPARE(image.pixel(row1.topLeft() + QPoint(70, 10)), Blue);
    const TAVQRowHitRects rects = view->rowHitRects(1);
    QCOMPARE(int(rects.size()), 1);
    QCOMPARE(rects.at(shown->GetImpl()), QRect(row1.topLeft() + QPoint(60, 4), QSize(30, 16)));

    pressAt(view->viewport(), row1.topLeft() + QPoint(20, 10)); // hidden control
    pressAt(view->viewport(), row1.topLeft() + QPoint(120, 10)); // template background
    QCOMPARE(spy.count(), 0);
    pressAt(view->viewport(), row1.topLeft() + QPoint(70, 10));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(shown));
    QCOMPARE(spy.at(0).at(1).value<QModelIndex>(), model->index(1, 0));
}

void tst_ListView::laterOfOverlappingControlsIsReported()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(3, &model);
    auto *group = swatch(view->itemTemplate(), "group", QRect(20, 2, 80, 20), Red);
    auto *inner = swatch(group, "inner", QRect(10, 2, 20, 10), Green);
    auto *later = swatch(view->itemTemplate(), "later", QRect(35, 4, 30, 16), Blue);
    // Judged by its own flag: a hidden parent does not hide its child.
    group->setVisibleFlag(false);
    view->setItemTemplate(view->itemTemplate());
    QSignalSpy spy(view, &TAVQListView::pressCtrl);
    const QImage image = rendered(view);
    const QRect row2 = view->visualRect(model->index(2, 0));
    QCOMPARE(image.pixel(row2.topLeft() + QPoint(32, 6)), Green);
    QCOMPARE(image.pixel(row2.topLeft() + QPoint(40, 6)), Blue);

    pressAt(view->viewport(), row2.topLeft() + QPoint(32, 6)); // inner only
    pressAt(view->viewport(), row2.topLeft() + QPoint(40, 6)); // inner under later
    pressAt(view->viewport(), row2.topLeft() + QPoint(80, 18)); // hidden group only
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(inner));
    QCOMPARE(spy.at(1).at(0).value<QWidget *>(), static_cast<QWidget *>(later));
    QCOMPARE(spy.at(1).at(1).value<QModelIndex>().row(), 2);
}

void tst_ListView::rowNotDrawnSinceResizeReportsNothing()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(3, &model);
    auto *button = addRowButton(view);
    QSignalSpy spy(view, &TAVQListView::pressCtrl);
    rendered(view);
    const QPoint point = view->visualRect(model->index(0, 0)).topLeft() + QPoint(10, 8);
    view->resize(220, 150);
    QVERIFY(view->rowHitRects(0).empty());
    pressAt(view->viewport(), point);
    QCOMPARE(spy.count(), 0);
    rendered(view);
    pressAt(view->viewport(), point);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(button));
}

void tst_ListView::rowStyleByRowState()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(2, &model);
    view->setItemStyle(0, colorBox(Red));
    view->setItemStyle(1, colorBox(Green));
    view->setItemStyle(2, colorBox(Blue));
    view->setItemStyle(3, colorBox(Yellow)); // kept, never drawn
    const struct
    {
        QStyle::State state;
        QRgb expected;
    } cases[] = {
        {QStyle::State_None, Red},
        {QStyle::State_MouseOver, Green},
        {QStyle::State_Selected, Blue},
        {QStyle::State_Selected | QStyle::State_MouseOver, Blue},
        {QStyle::State_Enabled | QStyle::State_HasFocus, Red},
    };
    for (const auto &c : cases) {
        QImage image(60, 30, QImage::Format_ARGB32);
        image.fill(Paper);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(5, 5, 50, 20);
        option.state = c.state;
        view->itemDelegate()->paint(&painter, option, model->index(0, 0));
        painter.end();
        QCOMPARE(image.pixel(30, 15), c.expected);
        // Clipped to the row.
        QCOMPARE(image.pixel(2, 2), Paper);
        QCOMPARE(image.pixel(57, 27), Paper);
    }
    // Nothing for an invalid index.
    QImage image(60, 30, QImage::Format_ARGB32);
    image.fill(Paper);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 60, 30);
    view->itemDelegate()->paint(&painter, option, QModelIndex());
    painter.end();
    QCOMPARE(image.pixel(30, 15), Paper);
}

void tst_ListView::rowStyleSlotsFromPage_data()
{
    QTest::addColumn<QByteArray>("styles");
    QTest::addColumn<QRgb>("normal");
    QTest::addColumn<QRgb>("hover");
    QTest::addColumn<QRgb>("selected");
    QTest::addColumn<QRgb>("background");
    QTest::newRow("slot 2 alone") << QByteArray(R"([["redBox",0,2]])") << Red << Red << Red << qRgb(255, 255, 255);
    QTest::newRow("slot 2 then 3") << QByteArray(R"([["redBox",0,2],["greenBox",0,3]])") << Red << Green << Red
                                   << qRgb(255, 255, 255);
    QTest::newRow("slot 3 then 2") << QByteArray(R"([["greenBox",0,3],["redBox",0,2]])") << Red << Red << Red
                                   << qRgb(255, 255, 255);
    QTest::newRow("2, 4, background") << QByteArray(R"([["redBox",0,2],["blueBox",0,4],["greyBox",0,0]])") << Red
                                      << Red << Blue << Grey;
    QTest::newRow("unknown, 1 and 5 ignored")
        << QByteArray(R"([["redBox",0,2],["nosuch",0,3],["greenBox",0,1],["greenBox",0,5],[7,0,2]])") << Red << Red
        << Red << qRgb(255, 255, 255);
}

void tst_ListView::rowStyleSlotsFromPage()
{
    QFETCH(QByteArray, styles);
    const Json::Value element = parse(R"({"type":"qtlistview","name":"l","x":0,"y":0,"w":50,"h":50,"style":)"
                                      + styles + "}");
    TAVQListView view;
    QVERIFY(view.LoadFromJson(element));
    QTEST(view.itemStyle(0).color.rgb(), "normal");
    QTEST(view.itemStyle(1).color.rgb(), "hover");
    QTEST(view.itemStyle(2).color.rgb(), "selected");
    QTEST(view.backgroundStyle().color.rgb(), "background");
    // The fourth style is never set from the page.
    QCOMPARE(view.itemStyle(3).color.rgb(), qRgb(255, 255, 255));
}

void tst_ListView::itemStyleStateOutOfRange()
{
    TAVQListView view;
    view.setItemStyle(7, colorBox(Red));
    QCOMPARE(view.itemStyle(0).color.rgb(), Red);
    view.setItemStyle(-1, colorBox(Green));
    QCOMPARE(view.itemStyle(0).color.rgb(), Green);
    QCOMPARE(view.itemStyle(9).color.rgb(), Green);
    view.setItemStyle(3, colorBox(Blue));
    QCOMPARE(view.itemStyle(3).color.rgb(), Blue);
    QCOMPARE(view.itemStyle(2).color.rgb(), qRgb(255, 255, 255));
}

void tst_ListView::sizeHints()
{
    const Json::Value listPage = parse(R"({"elements":[{"type":"qtlistview","name":"list","x":0,"y":0,"w":200,"h":120,
        "attr":{"itemHeight":0,"spacing":0},"child":[{"type":"qtcontainer","name":"t","x":0,"y":0,"w":10,"h":10}]}]})");
    auto *list = qobject_cast<TAVQListView *>(BuildElements(listPage, m_host));
    QVERIFY(list);
    QCOMPARE(list->viewMode(), QListView::ListMode);
    QCOMPARE(list->spacing(), 0);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 137, 5);
    QCOMPARE(list->itemDelegate()->sizeHint(option, QModelIndex()), QSize(137, 20));
    list->setItemHeight(33);
    QCOMPARE(list->itemDelegate()->sizeHint(option, QModelIndex()), QSize(137, 33));

    const Json::Value iconPage = parse(R"({"elements":[{"type":"qtlistview","name":"icons","x":0,"y":0,"w":200,"h":120,
        "attr":{"itemMode":1,"itemWidth":60,"itemHeight":0,"spacing":2}}]})");
    auto *icons = qobject_cast<TAVQListView *>(BuildElements(iconPage, m_host));
    QVERIFY(icons);
    QCOMPARE(icons->viewMode(), QListView::IconMode);
    QCOMPARE(icons->spacing(), 2);
    QCOMPARE(icons->itemDelegate()->sizeHint(option, QModelIndex()), QSize(60, 20));
    icons->setItemWidth(0);
    icons->setItemHeight(45);
    QCOMPARE(icons->itemDelegate()->sizeHint(option, QModelIndex()), QSize(20, 45));

    // The laid-out rows follow the hint.
    QStandardItemModel model(4, 1);
    list->setModel(&model);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    QCOMPARE(list->visualRect(model.index(0, 0)).height(), 33);
    QCOMPARE(list->visualRect(model.index(2, 0)).top(), 66);
    list->setModel(nullptr);
}

void tst_ListView::sizeCallback()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(4, &model);
    view->setItemSizeCallback(rowSizeByRow);
    QVERIFY(view->itemSizeCallback() == &rowSizeByRow);
    QStyleOptionViewItem option;
    QCOMPARE(view->itemDelegate()->sizeHint(option, model->index(3, 0)), QSize(73, 16));
    view->setViewMode(QListView::IconMode);
    QCOMPARE(view->itemDelegate()->sizeHint(option, model->index(1, 0)), QSize(71, 12));
}

void tst_ListView::selectionAcrossRows()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(0, &model);
    view->setGeometry(0, 0, 220, 160);
    view->setItemHeight(30);
    view->setTextSelectable(true);
    TAVQFontStyle font;
    font.family = QStringLiteral("WenQuanYi Micro Hei");
    font.size = 14;
    font.color = QColor(0, 0, 0);
    auto *label = new TAVQLabelEx(view->itemTemplate());
    label->setObjectName(QStringLiteral("text"));
    label->setGeometry(0, 0, 200, 30);
    label->setFontStyle(0, font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    view->setItemTemplate(view->itemTemplate());
    view->setUpdateItemCallback(bindText);
    for (const char *text : {"first row text", "second row text", "third row text", "fourth row text"}) {
        auto *item = new QStandardItem;
        item->setData(QString::fromLatin1(text), TextRole);
        model->appendRow(item);
    }
    rendered(view);
    const QRect row0 = view->visualRect(model->index(0, 0));
    const QRect row1 = view->visualRect(model->index(1, 0));
    const QRect row2 = view->visualRect(model->index(2, 0));
    QWidget *viewport = view->viewport();
    const QPoint start = row0.topLeft() + QPoint(30, 12);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    const TAVQRowTextPosition anchor = implOf<TAVQListViewImpl>(view)->delegate()->selectionAnchor();
    QCOMPARE(anchor.row, 0);
    QVERIFY(!anchor.position.isNull());
    moveWithButton(viewport, row2.topLeft() + QPoint(40, 12));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, row2.topLeft() + QPoint(40, 12));
    const TAVQRowTextPosition focus = implOf<TAVQListViewImpl>(view)->delegate()->selectionFocus();
    QCOMPARE(focus.row, 2);
    QVERIFY(!focus.position.isNull());
    // After release, moves no longer grow the selection.
    moveWithButton(viewport, view->visualRect(model->index(3, 0)).topLeft() + QPoint(40, 12));
    QCOMPARE(implOf<TAVQListViewImpl>(view)->delegate()->selectionFocus().row, 2);

    const QImage image = rendered(view);
    saveLookPicture(image, QStringLiteral("listview_selection.png"));
    const auto selectedIn = [&image](const QRect &row, int fromX, int toX) {
        int count = 0;
        for (int x = row.left() + fromX; x < row.left() + toX; ++x) {
            for (int y = row.top(); y <= row.bottom(); ++y)
                count += image.pixel(x, y) == SelectionBlue;
        }
        return count;
    };
    // The middle row is selected throughout, the first from the press on,
    // the last up to the release; nothing past the ends.
    QVERIFY(selectedIn(row1, 5, 60) > 50);
    QVERIFY(selectedIn(row0, 40, 80) > 50);
    QCOMPARE(selectedIn(row0, 0, 20), 0);
    QVERIFY(selectedIn(row2, 5, 30) > 50);
    QCOMPARE(selectedIn(row2, 60, 150), 0);
    QCOMPARE(selectedIn(view->visualRect(model->index(3, 0)), 0, 150), 0);
    // Labels keep no selection between rows.
    QVERIFY(label->anchor().isNull());

    // The next press drops the selection.
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, view->visualRect(model->index(3, 0)).center());
    QCOMPARE(implOf<TAVQListViewImpl>(view)->delegate()->selectionFocus().row, -1);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, view->visualRect(model->index(3, 0)).center());
    const QImage cleared = rendered(view);
    int blue = 0;
    for (int y = 0; y < cleared.height(); ++y) {
        for (int x = 0; x < cleared.width(); ++x)
            blue += cleared.pixel(x, y) == SelectionBlue;
    }
    QCOMPARE(blue, 0);
}

namespace {

// Removes the pressed row, as a cart's delete button does, and repaints at once.
class RowRemover : public QObject
{
public:
    RowRemover(TAVQListView *view, QStandardItemModel *model)
        : m_view(view)
        , m_model(model)
    {
    }
    void onPress(QWidget *control, const QModelIndex index)
    {
        names << control->objectName();
        rows << index.row();
        texts << index.data().toString();
        m_model->removeRow(index.row());
        m_view->viewport()->repaint();
    }
    QStringList names;
    QList<int> rows;
    QStringList texts;

private:
    TAVQListView *m_view;
    QStandardItemModel *m_model;
};

} // namespace

void tst_ListView::pressSlotRemovingRow()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(5, &model);
    auto *button = new TAVQPushButton(view->itemTemplate());
    button->setObjectName(QStringLiteral("btnDelete"));
    button->setGeometry(150, 2, 30, 20);
    view->setItemTemplate(view->itemTemplate());
    RowRemover remover(view, model);
    connect(view, &TAVQListView::pressCtrl, &remover, &RowRemover::onPress);
    QSignalSpy clicked(view, &QAbstractItemView::clicked);
    rendered(view);

    const QPoint onButton = view->visualRect(model->index(2, 0)).topLeft() + QPoint(160, 10);
    pressAt(view->viewport(), onButton);
    QCOMPARE(remover.rows, QList<int>{2});
    QCOMPARE(remover.names, QStringList{QStringLiteral("btnDelete")});
    QCOMPARE(remover.texts, QStringList{QStringLiteral("row 2")});
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("row 3"));

    // The last row, then one more after the next paint.
    rendered(view);
    pressAt(view->viewport(), view->visualRect(model->index(3, 0)).topLeft() + QPoint(160, 10));
    QCOMPARE(remover.texts.last(), QStringLiteral("row 4"));
    rendered(view);
    pressAt(view->viewport(), view->visualRect(model->index(0, 0)).topLeft() + QPoint(160, 10));
    QCOMPARE(remover.texts.last(), QStringLiteral("row 0"));
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("row 1"));
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("row 3"));
    Q_UNUSED(button);
}

void tst_ListView::everyClickCounts_data()
{
    QTest::addColumn<bool>("onButton");
    QTest::newRow("row") << false;
    QTest::newRow("template button") << true;
}

// Clicks closer together than the double-click interval still count one each: the
// window system makes every second press of such a pair a double click.
void tst_ListView::everyClickCounts()
{
    QFETCH(bool, onButton);
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(3, &model);
    addRowButton(view);
    QSignalSpy clicked(view, &QAbstractItemView::clicked);
    QSignalSpy pressed(view, &TAVQListView::pressCtrl);
    QSignalSpy doubleClicked(view, &QAbstractItemView::doubleClicked);
    rendered(view);
    const QPoint point = view->visualRect(model->index(1, 0)).topLeft() + (onButton ? QPoint(20, 10) : QPoint(120, 10));
    QWidget *viewport = view->viewport();
    for (int pair = 0; pair < 3; ++pair) {
        pressAt(viewport, point);
        QMouseEvent second(QEvent::MouseButtonDblClick, point, viewport->mapToGlobal(point), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &second);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
    }
    QCOMPARE(clicked.count(), 6);
    QCOMPARE(pressed.count(), onButton ? 6 : 0);
    QCOMPARE(doubleClicked.count(), 3);
    QCOMPARE(clicked.last().at(0).value<QModelIndex>(), model->index(1, 0));
}

void tst_ListView::scrollingKeepsShownRowsOnly()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(300, &model);
    auto *button = addRowButton(view);
    QSignalSpy spy(view, &TAVQListView::pressCtrl);
    QScrollBar *bar = view->verticalScrollBar();
    const QRect viewport = view->viewport()->rect();
    for (int value = 0; value < bar->maximum(); value += 40) {
        bar->setValue(value);
        rendered(view);
        int shown = 0;
        int recorded = 0;
        for (int row = 0; row < model->rowCount(); ++row) {
            shown += view->visualRect(model->index(row, 0)).intersects(viewport) ? 1 : 0;
            recorded += view->rowHitRects(row).empty() ? 0 : 1;
        }
        // Qt also paints the row just above the viewport.
        QVERIFY2(recorded <= shown + 1, qPrintable(QStringLiteral("%1 rows kept, %2 shown").arg(recorded).arg(shown)));
    }
    // Presses still find the rows now shown.
    const QModelIndex last = model->index(model->rowCount() - 1, 0);
    bar->setValue(bar->maximum());
    rendered(view);
    pressAt(view->viewport(), view->visualRect(last).topLeft() + QPoint(10, 8));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(button));
    QCOMPARE(spy.at(0).at(1).value<QModelIndex>(), last);
}

void tst_ListView::hoverFollowsThePointerAfterScrolling_data()
{
    QTest::addColumn<bool>("wheel");
    QTest::newRow("wheel") << true;
    QTest::newRow("scroll bar") << false;
}

void tst_ListView::hoverFollowsThePointerAfterScrolling()
{
    QFETCH(bool, wheel);
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(40, &model);
    view->setItemStyle(1, colorBox(Green));
    QWidget *viewport = view->viewport();
    const QModelIndex first = model->index(3, 0);
    const QPoint pointer(100, view->visualRect(first).center().y());
    QCursor::setPos(viewport->mapToGlobal(pointer));
    sendHoverMove(viewport, pointer);
    QCOMPARE(rendered(viewport).pixel(pointer), Green);

    const int step = view->visualRect(model->index(1, 0)).top() - view->visualRect(model->index(0, 0)).top();
    if (wheel) {
        QWheelEvent scroll(pointer, viewport->mapToGlobal(pointer), QPoint(), QPoint(0, -120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &scroll);
    } else {
        view->verticalScrollBar()->setValue(2 * step);
    }
    const QModelIndex under = view->indexAt(pointer);
    QVERIFY(under.row() > first.row());
    QVERIFY(viewport->rect().contains(view->visualRect(first).center()));

    // The row now under the pointer is the one hover row; the one that moved away is plain.
    const QImage image = rendered(viewport);
    saveLookPicture(image, QStringLiteral("listview_hover_scrolled.png"));
    QCOMPARE(image.pixel(pointer), Green);
    QCOMPARE(image.pixel(QPoint(100, view->visualRect(first).center().y())), Yellow);
    int hovered = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QPoint centre = view->visualRect(model->index(row, 0)).center();
        hovered += viewport->rect().contains(centre) && image.pixel(centre) == Green ? 1 : 0;
    }
    QCOMPARE(hovered, 1);
}

void tst_ListView::modelChangeDropsRowRecords_data()
{
    QTest::addColumn<ModelChange>("change");
    QTest::newRow("removed") << ModelChange([](QStringListModel *m) { m->removeRows(0, 1); });
    QTest::newRow("inserted") << ModelChange([](QStringListModel *m) { m->insertRows(0, 1); });
    QTest::newRow("moved") << ModelChange([](QStringListModel *m) { m->moveRows(QModelIndex(), 0, 1, QModelIndex(), 3); });
    QTest::newRow("data changed") << ModelChange([](QStringListModel *m) { m->setData(m->index(0), "hidden"); });
    QTest::newRow("layout changed") << ModelChange([](QStringListModel *m) { m->sort(0); });
    QTest::newRow("reset") << ModelChange([](QStringListModel *m) { m->setStringList({"hidden", "hidden"}); });
}

// After a change, and before the next paint, the button of the row shown
// before must not answer for the row shown now, which hides it.
void tst_ListView::modelChangeDropsRowRecords()
{
    QFETCH(ModelChange, change);
    QStandardItemModel *unused = nullptr;
    TAVQListView *view = makeView(0, &unused);
    addRowButton(view);
    view->setUpdateItemCallback(bindButtonShown);
    QStringListModel model({"shown", "hidden", "hidden"});
    view->setModel(&model);
    QSignalSpy spy(view, &TAVQListView::pressCtrl);
    rendered(view);
    const QPoint onButton = view->visualRect(model.index(0)).topLeft() + QPoint(10, 8);
    pressAt(view->viewport(), onButton);
    QCOMPARE(spy.count(), 1);

    change(&model);
    QCOMPARE(model.index(0).data().toString() == QLatin1String("shown"), false);
    pressAt(view->viewport(), onButton);
    rendered(view);
    pressAt(view->viewport(), onButton);
    QCOMPARE(spy.count(), 1);
    view->setModel(nullptr);
}

void tst_ListView::changedRowTextIsTakenAnew()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(0, &model);
    view->setTextSelectable(true);
    auto *label = new TAVQLabelEx(view->itemTemplate());
    label->setObjectName(QStringLiteral("text"));
    label->setGeometry(0, 0, 200, 24);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    view->setItemTemplate(view->itemTemplate());
    view->setUpdateItemCallback(bindText);
    auto *item = new QStandardItem;
    item->setData(QStringLiteral("a long first text of the row"), TextRole);
    model->appendRow(item);
    rendered(view);

    item->setData(QStringLiteral("b"), TextRole);
    rendered(view);
    const QPoint point = view->visualRect(model->index(0, 0)).topLeft() + QPoint(120, 12);
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    // Past the end of the one-letter text, not inside the old one.
    const TAVQRowTextPosition anchor = implOf<TAVQListViewImpl>(view)->delegate()->selectionAnchor();
    QCOMPARE(anchor.row, 0);
    QCOMPARE(anchor.position.cursor, 1);
}

void tst_ListView::rowsPaintedFromModel()
{
    QStandardItemModel *model = nullptr;
    TAVQListView *view = makeView(0, &model);
    view->setItemHeight(30);
    view->setSpacing(2);
    TAVQContainer *colourBox = swatch(view->itemTemplate(), "swatch", QRect(10, 5, 40, 20), Red);
    auto *title = new TAVQLabel(view->itemTemplate());
    title->setGeometry(60, 5, 120, 20);
    title->setText(QStringLiteral("Item"));
    view->setItemTemplate(view->itemTemplate());
    view->setUpdateItemCallback(bindSwatch);
    QVERIFY(view->updateItemCallback() == &bindSwatch);
    const QRgb colours[] = {Red, Green, Blue, qRgb(200, 100, 0), qRgb(0, 150, 150), qRgb(120, 0, 120)};
    for (QRgb rgb : colours) {
        auto *item = new QStandardItem;
        item->setData(QColor(rgb), ColorRole);
        model->appendRow(item);
    }
    const QImage image = rendered(view);
    saveLookPicture(image, QStringLiteral("listview_rows.png"));
    for (int row = 0; row < 4; ++row) {
        const QRect rect = view->visualRect(model->index(row, 0));
        QCOMPARE(rect.height(), 30);
        QCOMPARE(rect.top(), 2 + row * 34);
        QCOMPARE(image.pixel(rect.topLeft() + QPoint(30, 15)), colours[row]);
        QCOMPARE(image.pixel(rect.topLeft() + QPoint(10, 5)), colours[row]);
        QCOMPARE(image.pixel(rect.topLeft() + QPoint(9, 15)), Yellow);
        QCOMPARE(image.pixel(rect.topLeft() + QPoint(50, 15)), Yellow);
        // The gap between rows shows the view's background.
        QCOMPARE(image.pixel(rect.left() + 5, rect.bottom() + 2), Grey);
    }
    // The model's display text is never drawn: the row is yellow but for the template.
    QCOMPARE(image.pixel(view->visualRect(model->index(0, 0)).topLeft() + QPoint(150, 3)), Yellow);

    // Scrolled rows are drawn from their own data.
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const QImage scrolled = rendered(view);
    saveLookPicture(scrolled, QStringLiteral("listview_scrolled.png"));
    const QRect last = view->visualRect(model->index(5, 0));
    QVERIFY(last.top() > 0 && last.bottom() < view->viewport()->height());
    QCOMPARE(scrolled.pixel(last.topLeft() + QPoint(30, 15)), colours[5]);
    QCOMPARE(view->rowHitRects(5).at(colourBox->GetImpl()), QRect(last.topLeft() + QPoint(10, 5), QSize(40, 20)));
    QCOMPARE(view->rowHitRects(5).at(title->GetImpl()).topLeft(), last.topLeft() + QPoint(60, 5));
}

void tst_ListView::scrollBarElements()
{
    const Json::Value page = parse(R"({"elements":[{"type":"qtlistview","name":"list","x":0,"y":0,"w":200,"h":100,
        "child":[{"type":"qtscrollbar","w":12,"attr":{"size":16},"style":[["redBox",0,0]]},
                 {"type":"qtscrollbar","h":30,"w":30,"attr":{"hor":true,"size":8}}]}]})");
    auto *view = qobject_cast<TAVQListView *>(BuildElements(page, m_host));
    QVERIFY(view);
    QCOMPARE(view->scrollBar(false)->styleSheet(), TAVQScrollBarSheets::thickness(12));
    // The horizontal element's button length replaces the thickness rules on its own bar only.
    QCOMPARE(view->scrollBar(true)->styleSheet(), TAVQScrollBarSheets::subLineLength(Qt::Horizontal, 8));
    QCOMPARE(view->verticalScrollBar(), static_cast<QScrollBar *>(view->scrollBar(false)));

    view->setScrollBarThickness(true, 40);
    QCOMPARE(view->scrollBar(true)->styleSheet(), TAVQScrollBarSheets::subLineLength(Qt::Horizontal, 8));
    view->setScrollBarButtonLength(false, 9);
    QCOMPARE(view->scrollBar(false)->styleSheet(), TAVQScrollBarSheets::subLineLength(Qt::Vertical, 9));
    view->setScrollBarThickness(false, 7);
    QCOMPARE(view->scrollBar(true)->styleSheet(), TAVQScrollBarSheets::thickness(7));
    QCOMPARE(view->scrollBar(false)->styleSheet(), TAVQScrollBarSheets::thickness(7));
}

void tst_ListView::malformedPageIsHarmless()
{
    const Json::Value element = parse(R"({"type":"qtlistview","name":"l","x":0,"y":0,"w":50,"h":50,
        "style":[["redBox","x",2],"bad",[1,2],["blueBox",0,"2"]],
        "attr":{"itemHeight":"tall","itemWidth":[1],"spacing":"wide","itemMode":"icons"},
        "child":[{"type":"qtscrollbar","w":"thin","attr":{"hor":"yes","size":"big"}},{"type":7},"text",
                 {"type":"qtscrollbar","attr":[1]}]})");
    TAVQListView view;
    view.LoadFromJson(element);
    QCOMPARE(view.itemHeight(), 20);
    QCOMPARE(view.itemWidth(), 20);
    QCOMPARE(view.spacing(), 1);
    QCOMPARE(view.viewMode(), QListView::ListMode);
    QCOMPARE(view.itemStyle(0).color.rgb(), Red);
    QCOMPARE(view.scrollBar(false)->styleSheet(), TAVQScrollBarSheets::thickness(0));
}

QTEST_MAIN(tst_ListView)
#include "tst_listview.moc"
