#include "controls/tavqscrollbarconfig_p.h"
#include "controls/tavqtreeview_p.h"
#include "controls/tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "resources/tavqresourcemanager.h"
#include "lookpicture.h"
#include "implof.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include "designerhost.h"
#include "hoverevent.h"

#include <QtTest>

using namespace TAVQtLib;

namespace {

const QRgb Background = 0xFF282828;
const QRgb CellNormal = 0xFFB00000;
const QRgb CellHover = 0xFF00B000;
const QRgb CellSelected = 0xFF0000B0;
const QRgb CellSpare = 0xFF707000;
const QRgb HeaderFill = 0xFFE0E000;
const QRgb InkNormal = 0xFF00FFFF;
const QRgb InkHover = 0xFFFFFF00;
const QRgb InkSelected = 0xFFFF00FF;

TAVQBoxStyle colourBox(QRgb colour)
{
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(colour);
    return box;
}

TAVQFontStyle inkFont(QRgb colour)
{
    TAVQFontStyle font;
    font.color = QColor::fromRgb(colour);
    font.size = 14;
    font.bold = true;
    font.family = QStringLiteral("WenQuanYi Micro Hei");
    return font;
}

int countColour(const QImage &image, QRgb colour, const QRect &area)
{
    int count = 0;
    const QRect scan = area & image.rect();
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        for (int x = scan.left(); x <= scan.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

// The events a real double click delivers: press, release, double click, release.
void doubleClick(QWidget *widget, const QPoint &pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(widget, &dbl);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, pos);
}

void hoverTo(QAbstractItemView *view, const QPoint &pos)
{
    sendHoverMove(view->viewport(), pos);
}

// `rows` parents "p0".., each with two children "c<row>.0" and "c<row>.1".
QStandardItemModel *makeModel(QObject *parent, int rows)
{
    auto *model = new QStandardItemModel(parent);
    for (int row = 0; row < rows; ++row) {
        auto *item = new QStandardItem(QStringLiteral("p%1").arg(row));
        for (int child = 0; child < 2; ++child)
            item->appendRow(new QStandardItem(QStringLiteral("c%1.%2").arg(row).arg(child)));
        model->appendRow(item);
    }
    model->setHorizontalHeaderLabels({QStringLiteral("Title")});
    return model;
}

// One cell painted by the tree's delegate into an image of its own.
QImage paintedCell(const TAVQTreeView &view, QStyle::State state, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), size);
    option.state = state;
    view.itemDelegate()->paint(&painter, option, view.model()->index(0, 0));
    return image;
}

} // namespace

class TreeViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void construction();
    void styleSlotRules();
    void programmaticLooks();
    void rowHeights();
    void cellLooksByState();
    void rowsSpanTheViewport();
    void selectedBeatsHover();
    void modelChecksAndDecorationsUndrawn();
    void headerPaintsNothing();
    void doubleClickTogglesExpansion();
    void scrollBarChildren();
    void designerSampleContent();
    void designerHostRun();
    void malformedPages();

private:
    // A shown tree over `rows` parents with the test looks.
    void setUpStyled(TAVQTreeView *view, int rows);
};

void TreeViewTest::initTestCase()
{
    TAVQResourceManager &resources = TAVQResourceManager::instance();
    resources.setBoxStyle(QStringLiteral("tr.background"), colourBox(Background));
    resources.setBoxStyle(QStringLiteral("tr.cell"), colourBox(CellNormal));
    resources.setBoxStyle(QStringLiteral("tr.cellHover"), colourBox(CellHover));
    resources.setBoxStyle(QStringLiteral("tr.cellSelected"), colourBox(CellSelected));
    resources.setBoxStyle(QStringLiteral("tr.cellSpare"), colourBox(CellSpare));
    resources.setFontStyle(QStringLiteral("tr.ink"), inkFont(InkNormal));
    resources.setFontStyle(QStringLiteral("tr.inkHover"), inkFont(InkHover));
    resources.setFontStyle(QStringLiteral("tr.inkSelected"), inkFont(InkSelected));
    RegisterControlType("qttree", []() { return static_cast<QWidget *>(new TAVQTreeView); }, true);
}

void TreeViewTest::setUpStyled(TAVQTreeView *view, int rows)
{
    view->setBackgroundStyle(colourBox(Background));
    view->setItemStyle(0, colourBox(CellNormal));
    view->setItemStyle(1, colourBox(CellHover));
    view->setItemStyle(2, colourBox(CellSelected));
    view->setItemFontStyle(0, inkFont(InkNormal));
    view->setItemFontStyle(1, inkFont(InkHover));
    view->setItemFontStyle(2, inkFont(InkSelected));
    view->setModel(makeModel(view, rows));
    view->resize(220, 200);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
}

void TreeViewTest::construction()
{
    TAVQTreeView view;
    QCOMPARE(view.GetTypeName(), QStringLiteral("qttree"));
    QVERIFY(qobject_cast<TAVQTreeHeader *>(view.header()));
    QCOMPARE(view.header(), view.treeHeader());
    QCOMPARE(view.treeHeader()->impl(), implOf<TAVQTreeViewImpl>(view));
    QCOMPARE(view.header()->parentWidget(), &view);
    QCOMPARE(view.header()->orientation(), Qt::Horizontal);
    QVERIFY(view.isHeaderHidden());
    QVERIFY(qobject_cast<TAVQTreeConerWidget *>(view.cornerWidget()));
    QVERIFY(qobject_cast<TAVQTreeViewport *>(view.viewport()));
    QVERIFY(qobject_cast<TAVQTreeViewItemDelegate *>(view.itemDelegate()));
    QCOMPARE(view.horizontalScrollBar(), view.scrollBar(true));
    QCOMPARE(view.verticalScrollBar(), view.scrollBar(false));
    QCOMPARE(view.editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QVERIFY(view.expandsOnDoubleClick());
    QVERIFY(view.testAttribute(Qt::WA_MouseTracking));
    QCOMPARE(view.verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(view.horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);
    // Rows share one height, so a scroll step need not add up the rows above it.
    QVERIFY(view.uniformRowHeights());
    QCOMPARE(view.itemHeight(), 0);
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarThickness(), 23);
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarButtonLength(), 23);
    QVERIFY(view.backgroundStyle().visible);
    // Not in the designer: no sample model.
    view.OnChildrenLoaded();
    QCOMPARE(view.model(), nullptr);
    // Qt deletes a header the application replaces; the view forgets it.
    view.setHeader(new QHeaderView(Qt::Horizontal));
    QCOMPARE(view.treeHeader(), nullptr);
    view.setVisibleFlag(false);
    QVERIFY(!view.isVisibleFlag());
}

void TreeViewTest::styleSlotRules()
{
    TAVQTreeView view;
    QVERIFY(view.LoadFromJson(parse(R"({"type":"qttree","style":[
        ["tr.background",0,0],["tr.cell",0,2],["tr.cellSelected",0,4],["tr.ink",0,6],["tr.inkHover",0,7],
        ["tr.inkSelected",0,8],["tr.inkSelected",0,9],["tr.cellSpare",0,1],["tr.cellSpare",0,10],
        ["nosuchstyle",0,3],["nosuchfont",0,6]],
        "attr":{"itemHeight":26}})")));
    QCOMPARE(view.backgroundStyle().color, QColor::fromRgba(Background));
    // Slot 2 fills every look, slot 4 replaces look 2, unknown names leave looks alone.
    QCOMPARE(view.itemStyle(0).color, QColor::fromRgba(CellNormal));
    QCOMPARE(view.itemStyle(1).color, QColor::fromRgba(CellNormal));
    QCOMPARE(view.itemStyle(2).color, QColor::fromRgba(CellSelected));
    QCOMPARE(view.itemStyle(3).color, QColor::fromRgba(CellNormal));
    // Slot 6 fills every font, slot 7 only mouse over, slots 8 and 9 nothing.
    QCOMPARE(view.itemFontStyle(0).color, QColor::fromRgb(InkNormal));
    QCOMPARE(view.itemFontStyle(1).color, QColor::fromRgb(InkHover));
    QCOMPARE(view.itemFontStyle(2).color, QColor::fromRgb(InkNormal));
    QCOMPARE(view.itemFontStyle(3).color, QColor::fromRgb(InkNormal));
    QCOMPARE(view.itemHeight(), 26);
    // Header looks come from no slot.
    for (int look = 0; look < 4; ++look)
        QCOMPARE(view.headerStyle(look).color, TAVQBoxStyle().color);

    // A slot 8 alone changes nothing at all.
    TAVQTreeView fresh;
    fresh.LoadFromJson(parse(R"({"style":[["tr.inkSelected",0,8]]})"));
    for (int look = 0; look < 4; ++look)
        QCOMPARE(fresh.itemFontStyle(look).color, TAVQFontStyle().color);

    // The painted selected row keeps the normal ink: slot 8 never reached it.
    view.setModel(makeModel(&view, 2));
    view.resize(200, 100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentIndex(view.model()->index(0, 0));
    const QImage image = look(view.viewport());
    const QRect row0 = view.visualRect(view.model()->index(0, 0));
    QVERIFY(countColour(image, InkNormal, row0) > 10);
    QCOMPARE(countColour(image, InkSelected, row0), 0);
}

void TreeViewTest::programmaticLooks()
{
    TAVQTreeView view;
    view.setItemStyle(StateAll, colourBox(CellSpare));
    for (int look = 0; look < 4; ++look)
        QCOMPARE(view.itemStyle(look).color, QColor::fromRgba(CellSpare));
    view.setItemStyle(2, colourBox(CellSelected));
    QCOMPARE(view.itemStyle(2).color, QColor::fromRgba(CellSelected));
    QCOMPARE(view.itemStyle(1).color, QColor::fromRgba(CellSpare));
    view.setItemStyle(5, colourBox(CellNormal));
    QCOMPARE(view.itemStyle(0).color, QColor::fromRgba(CellSpare));
    view.setItemFontStyle(1, inkFont(InkHover));
    QCOMPARE(view.itemFontStyle(1).color, QColor::fromRgb(InkHover));
    QVERIFY(view.itemFontStyle(0).color != QColor::fromRgb(InkHover));
    // Header looks: one look, or all four with look 4.
    view.setHeaderStyle(4, colourBox(HeaderFill));
    for (int look = 0; look < 4; ++look)
        QCOMPARE(view.headerStyle(look).color, QColor::fromRgba(HeaderFill));
    view.setHeaderFontStyle(3, inkFont(InkSelected));
    QCOMPARE(view.headerFontStyle(3).color, QColor::fromRgb(InkSelected));
    QVERIFY(view.headerFontStyle(0).color != QColor::fromRgb(InkSelected));
    view.setItemHeight(18);
    QCOMPARE(view.itemHeight(), 18);
    view.setScrollBarButtonLength(true, 31);
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarButtonLength(), 31);
    // The button length alone sets no sheet.
    QVERIFY(view.verticalScrollBar()->styleSheet().isEmpty());
}

void TreeViewTest::rowHeights()
{
    for (const int height : {0, 27}) {
        TAVQTreeView view;
        view.setItemHeight(height);
        setUpStyled(&view, 2);
        view.expandAll();
        const int expected = height == 0 ? 20 : height;
        const QAbstractItemModel *model = view.model();
        const QModelIndex parent1 = model->index(1, 0);
        QCOMPARE(view.visualRect(model->index(0, 0)), QRect(view.visualRect(model->index(0, 0)).left(), 0,
                                                           view.visualRect(model->index(0, 0)).width(), expected));
        // Children are as high as parents: p0, c0.0, c0.1, p1, c1.0 ...
        QCOMPARE(view.visualRect(parent1).top(), 3 * expected);
        QCOMPARE(view.visualRect(model->index(1, 0, parent1)).top(), 5 * expected);
        QCOMPARE(view.visualRect(model->index(1, 0, parent1)).height(), expected);

        const QImage image = look(view.viewport());
        saveLookPicture(image, QStringLiteral("tree_rows_%1.png").arg(expected));
        // The header does not stretch its section, so cells end at the section's edge.
        const int x = view.visualRect(model->index(0, 0)).right() - 2;
        QCOMPARE(view.visualRect(model->index(0, 0)).right() + 1, view.header()->sectionSize(0));
        QCOMPARE(image.pixel(x, 6 * expected - 1), CellNormal);
        QCOMPARE(image.pixel(x, 6 * expected), Background);
    }
}

void TreeViewTest::cellLooksByState()
{
    TAVQTreeView view;
    setUpStyled(&view, 4);
    const QAbstractItemModel *model = view.model();
    const QRect row1 = view.visualRect(model->index(1, 0));
    const QRect row3 = view.visualRect(model->index(3, 0));
    const auto probe = [](const QRect &row) { return row.bottomRight() - QPoint(2, 2); };

    QImage image = look(view.viewport());
    saveLookPicture(image, QStringLiteral("tree_normal.png"));
    QCOMPARE(image.pixel(probe(row1)), CellNormal);
    QCOMPARE(image.pixel(probe(row3)), CellNormal);
    QCOMPARE(image.pixel(5, row3.bottom() + 10), Background);
    QVERIFY(countColour(image, InkNormal, row1) > 10);

    view.setCurrentIndex(model->index(1, 0));
    hoverTo(&view, row3.center());
    image = look(view.viewport());
    saveLookPicture(image, QStringLiteral("tree_states.png"));
    QCOMPARE(image.pixel(probe(row1)), CellSelected);
    QVERIFY(countColour(image, InkSelected, row1) > 10);
    QCOMPARE(image.pixel(probe(row3)), CellHover);
    QVERIFY(countColour(image, InkHover, row3) > 10);
    QCOMPARE(image.pixel(probe(view.visualRect(model->index(0, 0)))), CellNormal);

    // A real pointer move reaches the view through mouse tracking and moves the hover look.
    const QRect row2 = view.visualRect(model->index(2, 0));
    QTest::mouseMove(view.viewport(), row2.center());
    QTRY_COMPARE(look(view.viewport()).pixel(probe(row2)), CellHover);
    QCOMPARE(look(view.viewport()).pixel(probe(row3)), CellNormal);

    // Expanded children paint with the same looks.
    view.expand(model->index(0, 0));
    const QRect child = view.visualRect(model->index(1, 0, model->index(0, 0)));
    QVERIFY(child.left() > 0);
    image = look(view.viewport());
    QCOMPARE(image.pixel(probe(child)), CellNormal);
    // Left of an indented child lies the background.
    QCOMPARE(image.pixel(child.left() - 3, child.center().y()), Background);
}

void TreeViewTest::rowsSpanTheViewport()
{
    TAVQTreeView view;
    setUpStyled(&view, 3);
    view.resize(420, 200);
    QTRY_COMPARE(view.header()->sectionSize(0), view.viewport()->width());
    const QRect row0 = view.visualRect(view.model()->index(0, 0));
    QCOMPARE(row0.right(), view.viewport()->width() - 1);
    const QImage image = look(view.viewport());
    QCOMPARE(image.pixel(view.viewport()->width() - 3, row0.center().y()), CellNormal);
}

void TreeViewTest::selectedBeatsHover()
{
    TAVQTreeView view;
    setUpStyled(&view, 3);
    const QModelIndex index = view.model()->index(2, 0);
    const QRect row = view.visualRect(index);
    view.setCurrentIndex(index);
    hoverTo(&view, row.center());
    const QImage image = look(view.viewport());
    saveLookPicture(image, QStringLiteral("tree_selected_hover.png"));
    QCOMPARE(image.pixel(row.bottomRight() - QPoint(2, 2)), CellSelected);
    QVERIFY(countColour(image, InkSelected, row) > 10);
    QCOMPARE(countColour(image, InkHover, row), 0);

    // The delegate alone: selected beats mouse over beats normal; look 3 never shows.
    const QSize size(120, 20);
    QCOMPARE(paintedCell(view, QStyle::State_Selected | QStyle::State_MouseOver, size).pixel(118, 18), CellSelected);
    QCOMPARE(paintedCell(view, QStyle::State_MouseOver, size).pixel(118, 18), CellHover);
    QCOMPARE(paintedCell(view, QStyle::State_None, size).pixel(118, 18), CellNormal);
    view.setItemStyle(3, colourBox(CellSpare));
    const QImage other = paintedCell(view, QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_Open, size);
    QCOMPARE(countColour(other, CellSpare, other.rect()), 0);
}

void TreeViewTest::modelChecksAndDecorationsUndrawn()
{
    TAVQTreeView view;
    auto *model = new QStandardItemModel(&view);
    auto *checked = new QStandardItem(QStringLiteral("same"));
    checked->setCheckable(true);
    checked->setCheckState(Qt::Checked);
    checked->setData(QColor(Qt::magenta), Qt::DecorationRole);
    model->appendRow(checked);
    model->appendRow(new QStandardItem(QStringLiteral("same")));
    view.setItemStyle(StateAll, colourBox(CellNormal));
    view.setItemFontStyle(StateAll, inkFont(InkNormal));
    view.setBackgroundStyle(colourBox(Background));
    view.setModel(model);
    view.resize(200, 100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage image = look(view.viewport());
    saveLookPicture(image, QStringLiteral("tree_checks.png"));
    const QRect first = view.visualRect(model->index(0, 0));
    const QRect second = view.visualRect(model->index(1, 0));
    QCOMPARE(first.size(), second.size());
    QCOMPARE(image.copy(first), image.copy(second));
    QCOMPARE(countColour(image, QColor(Qt::magenta).rgba(), image.rect()), 0);
}

void TreeViewTest::headerPaintsNothing()
{
    TAVQTreeView view;
    setUpStyled(&view, 3);
    view.setHeaderHidden(false);
    view.setHeaderStyle(StateAll, colourBox(HeaderFill));
    view.setHeaderFontStyle(StateAll, inkFont(InkSelected));
    QTRY_VERIFY(view.header()->isVisible());
    QVERIFY(view.header()->height() > 0);
    const QImage before = look(view.header());
    saveLookPicture(before, QStringLiteral("tree_header.png"));
    QCOMPARE(countColour(before, HeaderFill, before.rect()), 0);
    QCOMPARE(countColour(before, InkSelected, before.rect()), 0);
    view.setHeaderStyle(StateAll, colourBox(CellSpare));
    QCOMPARE(look(view.header()), before);

    // The corner between the bars paints the background.
    QWidget *corner = view.cornerWidget();
    corner->resize(16, 16);
    const QImage cornerImage = look(corner);
    QCOMPARE(countColour(cornerImage, Background, cornerImage.rect()), 16 * 16);
}

void TreeViewTest::doubleClickTogglesExpansion()
{
    TAVQTreeView view;
    setUpStyled(&view, 3);
    const QModelIndex parent = view.model()->index(1, 0);
    const QPoint point = view.visualRect(parent).center();
    QVERIFY(!view.isExpanded(parent));
    doubleClick(view.viewport(), point);
    QVERIFY(view.isExpanded(parent));
    QCOMPARE(view.visualRect(view.model()->index(2, 0)).top(), 4 * 20);
    doubleClick(view.viewport(), point);
    QVERIFY(!view.isExpanded(parent));
    QCOMPARE(view.visualRect(view.model()->index(2, 0)).top(), 2 * 20);
}

void TreeViewTest::scrollBarChildren()
{
    TAVQTreeView view;
    const QString sheet10 = TAVQScrollBarSheets::thickness(10) + QLatin1Char(' ');
    QVERIFY(view.LoadFromJson(parse(R"({"child":[
        {"type":"qtscrollbar","w":10,"attr":{"hor":false,"size":17},"style":[["tr.cellHover",0,10]]},
        {"type":"label","w":99}]})")));
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarThickness(), 10);
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarButtonLength(), 17);
    QCOMPARE(view.verticalScrollBar()->styleSheet(), sheet10);
    QCOMPARE(view.horizontalScrollBar()->styleSheet(), sheet10);
    QVERIFY(sheet10.endsWith(QStringLiteral("height:10; } ")));
    // The size leaves the arrow buttons alone.
    QVERIFY(!sheet10.contains(QStringLiteral("line")));
    QCOMPARE(view.scrollBar(false)->thumbStyle(2).color, QColor::fromRgba(CellHover));
    QVERIFY(view.scrollBar(true)->thumbStyle(2).color != QColor::fromRgba(CellHover));

    setUpStyled(&view, 30);
    QTRY_VERIFY(view.verticalScrollBar()->isVisible());
    QCOMPARE(view.verticalScrollBar()->width(), 10);
    saveLookPicture(look(&view), QStringLiteral("tree_scrollbar.png"));

    // The last element wins; a horizontal one takes its "h"; no "size" keeps the length.
    QVERIFY(view.LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","h":6,"w":40,"attr":{"hor":true}}]})")));
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarThickness(), 6);
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarButtonLength(), 17);
    QCOMPARE(view.verticalScrollBar()->styleSheet(), TAVQScrollBarSheets::thickness(6) + QLatin1Char(' '));

    view.setScrollBarThickness(false, 14);
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarThickness(), 14);
    QCOMPARE(view.horizontalScrollBar()->styleSheet(), TAVQScrollBarSheets::thickness(14) + QLatin1Char(' '));
    view.setScrollBarThumbStyle(true, StateAll, colourBox(CellSelected));
    QCOMPARE(view.scrollBar(true)->thumbStyle(2).color, QColor::fromRgba(CellSelected));
    view.setScrollBarArrowStyle(false, true, 1, colourBox(CellSpare));
    QCOMPARE(view.scrollBar(false)->subLineStyle(1).color, QColor::fromRgba(CellSpare));
    view.setScrollBarArrowStyle(false, false, 1, colourBox(Background));
    QCOMPARE(view.scrollBar(false)->addLineStyle(1).color, QColor::fromRgba(Background));
    view.setScrollBarStyle(true, colourBox(CellNormal));
    QCOMPARE(view.scrollBar(true)->grooveStyle().color, QColor::fromRgba(CellNormal));
    view.setScrollBarArrowIcon(false, true, QStringLiteral("IDB_CHECKED"));
    QCOMPARE(view.scrollBar(false)->arrowIcon(true), QStringLiteral("IDB_CHECKED"));
    view.setScrollBarThumbIcon(true, QStringLiteral("IDB_UNCHECK"));
    QCOMPARE(view.scrollBar(true)->thumbIcon(), QStringLiteral("IDB_UNCHECK"));
}

void TreeViewTest::designerSampleContent()
{
    QVERIFY(!IsDesignerHost());
    QWidget host;
    const auto *built = qobject_cast<const TAVQTreeView *>(
        BuildElements(parse(R"({"elements":[{"type":"qttree","name":"tree"}]})"), &host));
    QVERIFY(built);
    QCOMPARE(built->model(), nullptr);

    // The designer host is recognised by its executable's path: run a copy of
    // this test from a folder named like it.
    const DesignerHost::Run run = DesignerHost::runCopy(QStringLiteral("designerHostRun"));
    const QByteArray &output = run.output;
    QVERIFY2(run.exitCode == 0, output.constData());
    QVERIFY2(output.contains("PASS   : TreeViewTest::designerHostRun()"), output.constData());
}

void TreeViewTest::designerHostRun()
{
    if (!IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        QSKIP("runs in the designer-host copy made by designerSampleContent");
    InitRuntime();
    QVERIFY(IsDesignerHost());
    QWidget host;
    const auto *view = qobject_cast<const TAVQTreeView *>(
        BuildElements(parse(R"({"elements":[{"type":"qttree","name":"tree"}]})"), &host));
    QVERIFY(view);
    const QAbstractItemModel *model = view->model();
    QVERIFY(qobject_cast<const QStandardItemModel *>(model));
    QCOMPARE(model->parent(), view);
    QCOMPARE(model->rowCount(), 100);
    for (const int row : {0, 57, 99}) {
        const QModelIndex parent = model->index(row, 0);
        QCOMPARE(parent.data().toString(), QStringLiteral("item1"));
        QVERIFY(model->flags(parent) & Qt::ItemIsUserCheckable);
        QCOMPARE(model->rowCount(parent), 1);
        QCOMPARE(model->columnCount(parent), 2);
        QCOMPARE(model->index(0, 0, parent).data().toString(), QStringLiteral("item2"));
        QCOMPARE(model->index(0, 1, parent).data().toString(), QStringLiteral("item3"));
        QCOMPARE(model->rowCount(model->index(0, 0, parent)), 0);
    }
}

void TreeViewTest::malformedPages()
{
    const QByteArray pages[] = {
        R"({"type":"qttree","style":"tr.cell","attr":[1,2],"child":{"type":"qtscrollbar"}})",
        R"({"type":"qttree","style":[[1,2,"x"],["tr.cell","a",[2]],[null],"tr.cell",["tr.cell",0,-1],["tr.cell",0,99]]})",
        R"({"type":"qttree","attr":{"itemHeight":"40"}})",
        R"({"type":"qttree","attr":{"itemHeight":1e40}})",
        R"({"type":"qttree","child":[3,null,"x",{"type":7},{"type":"qtscrollbar","attr":"bad","w":"wide","h":[1]},
            {"type":"qtscrollbar","attr":{"hor":"yes","size":"big"},"style":{"a":1}}]})",
        R"([1,2,3])",
        R"("text")",
    };
    for (const QByteArray &page : pages) {
        TAVQTreeView view;
        view.LoadFromJson(parse(page));
        QCOMPARE(view.itemHeight(), 0);
        QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarButtonLength(), 23);
        for (int look = 0; look < 4; ++look)
            QCOMPARE(view.itemStyle(look).color, TAVQBoxStyle().color);
        view.setModel(makeModel(&view, 2));
        view.resize(120, 80);
        QVERIFY(!view.grab().isNull());
        QCOMPARE(view.visualRect(view.model()->index(1, 0)).top(), 20);
    }
    // A wrongly typed thickness reads as 0.
    TAVQTreeView view;
    view.LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","w":"wide"}]})"));
    QCOMPARE(implOf<TAVQTreeViewImpl>(view)->scrollBarThickness(), 0);

    QWidget host;
    QVERIFY(BuildElements(parse(R"({"elements":[{"type":"qttree","attr":{"itemHeight":{}},
        "style":[["tr.cell",0,"2"]],"child":[{"type":"qtscrollbar","child":5}]}]})"), &host));
}

QTEST_MAIN(TreeViewTest)

#include "tst_treeview.moc"
