#include "controls/tavqcheckbox.h"
#include "controls/tavqcontainer.h"
#include "controls/tavqpushbutton.h"
#include "controls/tavqtableview_p.h"
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
#include <QProcess>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include "designerhost.h"

#include <QtTest>


using namespace TAVQtLib;

namespace {

const QRgb Background = 0xFF303030;
const QRgb CellNormal = 0xFFC00000;
const QRgb CellHover = 0xFF00C000;
const QRgb CellSelected = 0xFF0000C0;
const QRgb HeaderFill = 0xFFE0E000;
const QRgb HeaderInk = 0xFFFF00FF;
const QRgb CellInk = 0xFF00FFFF;
const QRgb TemplateFill = 0xFF805020;
const QRgb ButtonNormal = 0xFF204080;
const QRgb ButtonHover = 0xFFF0A000;

TAVQBoxStyle colourBox(QRgb colour)
{
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(colour);
    return box;
}

TAVQFontStyle inkFont(QRgb colour, int size = 14)
{
    TAVQFontStyle font;
    font.color = QColor::fromRgb(colour);
    font.size = size;
    font.bold = true;
    font.family = QStringLiteral("WenQuanYi Micro Hei");
    return font;
}

// A model of `rows` × `columns` display texts, column 0 carrying a bool check role.
QStandardItemModel *makeModel(QObject *parent, int rows, int columns)
{
    auto *model = new QStandardItemModel(rows, columns, parent);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            model->setItem(row, column, new QStandardItem(QStringLiteral("r%1c%2").arg(row).arg(column)));
        model->setData(model->index(row, 0), false, Qt::CheckStateRole);
    }
    QStringList titles;
    for (int column = 0; column < columns; ++column)
        titles << QStringLiteral("Title%1").arg(column);
    model->setHorizontalHeaderLabels(titles);
    return model;
}

void moveMouse(QWidget *widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QPoint cellPoint(const QTableView &view, int row, int column, int dx)
{
    const QRect cell = view.visualRect(view.model()->index(row, column));
    return QPoint(cell.left() + dx, cell.center().y());
}

} // namespace

class TableViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void construction();
    void pageStylesAndAttributes();
    void programmaticLooks();
    void checkColumnFlipsOnlyInsideCheckRect();
    void headerCheckAlternates();
    void cellLooksByState();
    void headerTextsUseHeaderStyle();
    void cellIconBeforeText();
    void columnTemplateDrawnIntoCells();
    void columnTemplateMapping();
    void deletedColumnTemplateLeavesPlainCells();
    void checkPressWhoseChangeRemovesTheRows();
    void standardCheckableItemsToggleOncePerClick();
    void scrollBarChildren();
    void designerSampleContent();
    void designerHostRun();
    void malformedPages();

private:
    // A shown table over a 4 × 3 model with the test looks.
    void setUpStyled(TAVQTableView *view);
};

void TableViewTest::initTestCase()
{
    TAVQResourceManager &resources = TAVQResourceManager::instance();
    resources.createBuiltinImages();
    resources.setBoxStyle(QStringLiteral("tv.background"), colourBox(Background));
    resources.setBoxStyle(QStringLiteral("tv.cell"), colourBox(CellNormal));
    resources.setBoxStyle(QStringLiteral("tv.cellHover"), colourBox(CellHover));
    resources.setBoxStyle(QStringLiteral("tv.cellSelected"), colourBox(CellSelected));
    resources.setBoxStyle(QStringLiteral("tv.header"), colourBox(HeaderFill));
    resources.setFontStyle(QStringLiteral("tv.cellFont"), inkFont(CellInk));
    resources.setFontStyle(QStringLiteral("tv.headerFont"), inkFont(HeaderInk));
    RegisterControlType("qtdatagrid", []() { return static_cast<QWidget *>(new TAVQTableView); }, true);
}

void TableViewTest::setUpStyled(TAVQTableView *view)
{
    view->setBackgroundStyle(colourBox(Background));
    view->setCellStyle(0, colourBox(CellNormal));
    view->setCellStyle(1, colourBox(CellHover));
    view->setCellStyle(2, colourBox(CellSelected));
    view->setCellFontStyle(StateAll, inkFont(CellInk));
    view->setHeaderStyle(StateAll, colourBox(HeaderFill));
    view->setHeaderFontStyle(StateAll, inkFont(HeaderInk));
    view->setModel(makeModel(view, 4, 3));
    view->resize(360, 220);
    for (int column = 0; column < 3; ++column)
        view->setColumnWidth(column, 100);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
}

void TableViewTest::construction()
{
    TAVQTableView view;
    QCOMPARE(view.GetTypeName(), QStringLiteral("qtdatagrid"));
    QVERIFY(qobject_cast<TAVQTableHeader *>(view.horizontalHeader()));
    QCOMPARE(view.horizontalHeader()->orientation(), Qt::Horizontal);
    QVERIFY(qobject_cast<TAVQTableHeader *>(view.verticalHeader()));
    QVERIFY(view.verticalHeader()->isHidden());
    QVERIFY(qobject_cast<TAVQScrollBar *>(view.horizontalScrollBar()));
    QVERIFY(qobject_cast<TAVQScrollBar *>(view.verticalScrollBar()));
    QVERIFY(qobject_cast<TAVQConerWidget *>(view.cornerWidget()));
    QVERIFY(qobject_cast<TAVQViewport *>(view.viewport()));
    QVERIFY(qobject_cast<TAVQTableViewitemDelegate *>(view.itemDelegate()));
    QVERIFY(!view.showGrid());
    QCOMPARE(view.editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.frameStyle(), 0);
    QCOMPARE(view.verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(view.horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QVERIFY(view.testAttribute(Qt::WA_MouseTracking));
    QVERIFY(view.viewport()->hasMouseTracking());
    QCOMPARE(view.viewport()->styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));

    QCOMPARE(view.itemHeight(), 20);
    QVERIFY(!view.isCheckable());
    QCOMPARE(view.checkImage(true), QStringLiteral("IDB_CHECKED"));
    QCOMPARE(view.checkImage(false), QStringLiteral("IDB_UNCHECK"));
    for (int look = 0; look < 4; ++look) {
        QVERIFY(!view.cellStyle(look).visible);
        QVERIFY(view.headerStyle(look).visible);
    }
    QVERIFY(view.backgroundStyle().visible);

    // The stamp paints only its image: no text, no boxes, and it is never shown.
    const TAVQCheckBox *stamp = implOf<TAVQTableViewImpl>(view)->checkStamp();
    QVERIFY(stamp);
    QCOMPARE(stamp->parentWidget(), &view);
    QVERIFY(stamp->isHidden());
    QVERIFY(!stamp->showText());
    for (int state = 0; state < 4; ++state) {
        QVERIFY(!stamp->boxStyle(state).visible);
        QVERIFY(!stamp->checkedBoxStyle(state).visible);
    }

    // Qt deletes a header the application replaces; the view forgets it.
    QCOMPARE(view.tableHeader(Qt::Horizontal), view.horizontalHeader());
    QCOMPARE(view.tableHeader(Qt::Vertical), view.verticalHeader());
    view.setHorizontalHeader(new QHeaderView(Qt::Horizontal));
    QCOMPARE(view.tableHeader(Qt::Horizontal), nullptr);
    QCOMPARE(view.tableHeader(Qt::Vertical), view.verticalHeader());
}

void TableViewTest::pageStylesAndAttributes()
{
    TAVQTableView view;
    view.setModel(makeModel(&view, 3, 2));
    const int rowHeight = view.rowHeight(0);
    QVERIFY(view.LoadFromJson(parse(R"({"type":"qtdatagrid","style":[
        ["tv.background",0,0],["tv.cell",0,2],["tv.cellSelected",0,4],["tv.cellFont",0,6],
        ["tv.header",0,10],["tv.headerFont",0,14],["nosuchstyle",0,3],["tv.cellHover",0,1]],
        "attr":{"multiselect":true,"itemHeight":40,"checkstyle":true,"checkedImg":"IDB_SELECTED","uncheckImg":"IDB_UNSELECT"}})")));
    QCOMPARE(view.backgroundStyle().color, QColor::fromRgba(Background));
    // Slot 2 fills every look, slot 4 replaces look 2, an unknown name leaves look 1.
    QCOMPARE(view.cellStyle(0).color, QColor::fromRgba(CellNormal));
    QCOMPARE(view.cellStyle(1).color, QColor::fromRgba(CellNormal));
    QCOMPARE(view.cellStyle(2).color, QColor::fromRgba(CellSelected));
    QCOMPARE(view.cellStyle(3).color, QColor::fromRgba(CellNormal));
    QVERIFY(view.cellStyle(1).visible);
    for (int look = 0; look < 4; ++look) {
        QCOMPARE(view.cellFontStyle(look).color, QColor::fromRgb(CellInk));
        QCOMPARE(view.headerStyle(look).color, QColor::fromRgba(HeaderFill));
        QCOMPARE(view.headerFontStyle(look).color, QColor::fromRgb(HeaderInk));
    }
    QCOMPARE(view.selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.itemHeight(), 40);
    QCOMPARE(view.horizontalHeader()->height(), 40);
    QCOMPARE(view.rowHeight(0), rowHeight);
    QVERIFY(view.isCheckable());
    QCOMPARE(view.checkImage(true), QStringLiteral("IDB_SELECTED"));
    QCOMPARE(view.checkImage(false), QStringLiteral("IDB_UNSELECT"));
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->checkStamp()->checkedIconPath(), QStringLiteral("IDB_SELECTED"));
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->checkStamp()->iconPath(), QStringLiteral("IDB_UNSELECT"));
    // The built-in images are 16 × 16, so the check area shrinks to them.
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->checkImageSize(), QSize(16, 16));

    QVERIFY(view.LoadFromJson(parse(R"({"attr":{"multiselect":false,"uncheckImg":"no such image"}})")));
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.checkImage(false), QStringLiteral("no such image"));
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->checkImageSize(), QSize(16, 16));
}

void TableViewTest::programmaticLooks()
{
    TAVQTableView view;
    view.setCellFontStyle(4, inkFont(CellInk));
    for (int look = 0; look < 4; ++look) {
        QCOMPARE(view.cellFontStyle(look).color, QColor::fromRgb(CellInk));
        QVERIFY(!view.cellStyle(look).visible);
    }
    view.setCellStyle(1, colourBox(CellHover));
    QCOMPARE(view.cellStyle(1).color, QColor::fromRgba(CellHover));
    QVERIFY(!view.cellStyle(0).visible);
    QVERIFY(!view.cellStyle(2).visible);
    view.setHeaderStyle(3, colourBox(HeaderFill));
    QCOMPARE(view.headerStyle(3).color, QColor::fromRgba(HeaderFill));
    QVERIFY(view.headerStyle(0).color != QColor::fromRgba(HeaderFill));
    view.setHeaderFontStyle(2, inkFont(HeaderInk));
    QCOMPARE(view.headerFontStyle(2).color, QColor::fromRgb(HeaderInk));
    QVERIFY(view.headerFontStyle(1).color != QColor::fromRgb(HeaderInk));
    view.setItemHeight(33);
    QCOMPARE(view.itemHeight(), 33);
    // The header keeps its own height.
    QCOMPARE(view.horizontalHeader()->maximumHeight(), QWIDGETSIZE_MAX);
    view.setVisibleFlag(false);
    QVERIFY(!view.isVisibleFlag());
}

void TableViewTest::checkColumnFlipsOnlyInsideCheckRect()
{
    TAVQTableView view;
    setUpStyled(&view);
    view.setCheckable(true);
    QAbstractItemModel *model = view.model();
    const QModelIndex cell = model->index(1, 0);
    QWidget *viewport = view.viewport();

    // The check area runs from 5 to 5 + 24 (the default image size) across the cell.
    for (int dx : {4, 29, 60}) {
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 0, dx));
        QCOMPARE(cell.data(Qt::CheckStateRole).toBool(), false);
    }
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 0, 5));
    QCOMPARE(cell.data(Qt::CheckStateRole), QVariant(true));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 0, 28));
    QCOMPARE(cell.data(Qt::CheckStateRole), QVariant(false));
    QCOMPARE(model->index(0, 0).data(Qt::CheckStateRole).toBool(), false);
    QCOMPARE(model->index(2, 0).data(Qt::CheckStateRole).toBool(), false);

    // Other columns and a table without check boxes never flip.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 1, 10));
    QVERIFY(!model->index(1, 1).data(Qt::CheckStateRole).isValid());
    view.setCheckable(false);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 0, 10));
    QCOMPARE(cell.data(Qt::CheckStateRole), QVariant(false));
}

void TableViewTest::headerCheckAlternates()
{
    TAVQTableView view;
    setUpStyled(&view);
    view.setCheckable(true);
    view.model()->setData(view.model()->index(2, 0), true, Qt::CheckStateRole);
    QSignalSpy spy(&view, &TAVQTableView::headerCheckedChanged);
    QWidget *header = view.horizontalHeader()->viewport();
    const int middle = view.horizontalHeader()->height() / 2;

    QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(40, middle));
    QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(4, middle));
    QCOMPARE(spy.count(), 0);
    for (int x : {5, 28, 12}) {
        QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(x, middle));
        QTest::qWait(QApplication::doubleClickInterval() + 20);
    }
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QCOMPARE(spy.at(2).at(0).toBool(), true);
    QVERIFY(implOf<TAVQTableViewImpl>(view)->isHeaderChecked());
    // Row checks are left alone.
    for (int row = 0; row < 4; ++row)
        QCOMPARE(view.model()->index(row, 0).data(Qt::CheckStateRole).toBool(), row == 2);

    // The header check paints the image of its state.
    const QImage checked = look(view.horizontalHeader());
    QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(10, middle));
    QCOMPARE(spy.count(), 4);
    const QImage unchecked = look(view.horizontalHeader());
    const QRect checkArea(5, 0, 24, view.horizontalHeader()->height());
    QVERIFY(checked.copy(checkArea) != unchecked.copy(checkArea));
    QCOMPARE(checked.copy(40, 0, 300, checkArea.height()), unchecked.copy(40, 0, 300, checkArea.height()));

    // Without check boxes the header is a plain header.
    view.setCheckable(false);
    QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(10, middle));
    QCOMPARE(spy.count(), 4);
}

void TableViewTest::cellLooksByState()
{
    TAVQTableView view;
    setUpStyled(&view);
    QWidget *viewport = view.viewport();
    const QModelIndex row1 = view.model()->index(1, 1);
    const QModelIndex row2 = view.model()->index(2, 1);
    const QPoint probe1 = view.visualRect(row1).bottomRight() - QPoint(3, 3);
    const QPoint probe2 = view.visualRect(row2).bottomRight() - QPoint(3, 3);

    QImage image = look(viewport);
    saveLookPicture(image, QStringLiteral("tableview_normal.png"));
    QCOMPARE(image.pixel(probe1), CellNormal);
    QCOMPARE(image.pixel(probe2), CellNormal);
    // Below the last row lies the background.
    const QRect last = view.visualRect(view.model()->index(3, 0));
    QCOMPARE(image.pixel(10, last.bottom() + 10), Background);
    // Cell texts use the cell font.
    QVERIFY(!boundsOfColour(image, CellInk, view.visualRect(row1)).isNull());

    moveMouse(viewport, view.visualRect(row2).center());
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->hoverRow(), 2);
    image = look(viewport);
    saveLookPicture(image, QStringLiteral("tableview_hover.png"));
    QCOMPARE(image.pixel(probe1), CellNormal);
    QCOMPARE(image.pixel(probe2), CellHover);
    // The whole row is hovered, not only the cell under the mouse.
    QCOMPARE(image.pixel(cellPoint(view, 2, 0, 96)), CellHover);

    view.selectRow(1);
    image = look(viewport);
    QCOMPARE(image.pixel(probe1), CellSelected);
    QCOMPARE(image.pixel(cellPoint(view, 1, 2, 96)), CellSelected);
    QCOMPARE(image.pixel(probe2), CellHover);

    // Hover follows the mouse to the selected row: selected wins.
    moveMouse(viewport, view.visualRect(row1).center());
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->hoverRow(), 1);
    image = look(viewport);
    QCOMPARE(image.pixel(probe1), CellSelected);
    QCOMPARE(image.pixel(probe2), CellNormal);

    // Leaving goes through the viewport, then the view.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(viewport, &leave);
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->hoverRow(), 1);
    QApplication::sendEvent(&view, &leave);
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->hoverRow(), -1);
    view.clearSelection();
    image = look(viewport);
    QCOMPARE(image.pixel(probe1), CellNormal);
    QCOMPARE(image.pixel(probe2), CellNormal);

    // Without cell boxes only the background shows under the texts.
    TAVQBoxStyle none;
    none.visible = false;
    view.setCellStyle(StateAll, none);
    image = look(viewport);
    QCOMPARE(image.pixel(probe1), Background);
}

void TableViewTest::headerTextsUseHeaderStyle()
{
    TAVQTableView view;
    setUpStyled(&view);
    QHeaderView *header = view.horizontalHeader();
    QImage image = look(header);
    saveLookPicture(image, QStringLiteral("tableview_header.png"));
    const int height = header->height();
    QCOMPARE(image.pixel(98, height - 2), HeaderFill);
    for (int section = 0; section < 3; ++section) {
        const QRect sectionRect(header->sectionViewportPosition(section), 0, header->sectionSize(section), height);
        const QRect ink = boundsOfColour(image, HeaderInk, sectionRect);
        QVERIFY2(!ink.isNull(), qPrintable(QStringLiteral("section %1 has no title").arg(section)));
        // Left aligned, centred vertically.
        QVERIFY(ink.left() - sectionRect.left() < 6);
        QVERIFY(qAbs(ink.center().y() - height / 2) <= 3);
    }
    QVERIFY(boundsOfColour(image, CellInk).isNull());

    // With check boxes the first title starts after the check image and the gap.
    view.setCheckable(true);
    image = look(header);
    saveLookPicture(image, QStringLiteral("tableview_header_checkable.png"));
    const QRect ink = boundsOfColour(image, HeaderInk, QRect(0, 0, 100, height));
    QVERIFY(ink.left() >= 24 + 10);
    QVERIFY(ink.left() < 24 + 10 + 6);
    // The unchecked image is drawn within the check area.
    bool foreign = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 5; x < 29; ++x)
            foreign |= image.pixel(x, y) != HeaderFill;
    }
    QVERIFY(foreign);

    // The same in the cells of column 0.
    const QImage cells = look(view.viewport());
    saveLookPicture(cells, QStringLiteral("tableview_cells_checkable.png"));
    const QRect cell0 = view.visualRect(view.model()->index(0, 0));
    const QRect cellInk = boundsOfColour(cells, CellInk, cell0);
    QVERIFY(cellInk.left() - cell0.left() >= 34);
    const QRect cell1 = view.visualRect(view.model()->index(0, 1));
    QVERIFY(boundsOfColour(cells, CellInk, cell1).left() - cell1.left() < 6);

    // A set check paints another image than a cleared one, in its own row only.
    view.model()->setData(view.model()->index(1, 0), true, Qt::CheckStateRole);
    view.selectRow(2);
    const QImage whole = look(&view);
    saveLookPicture(whole, QStringLiteral("tableview_whole.png"));
    const QImage after = look(view.viewport());
    const QRect check0(cell0.left() + 5, cell0.top(), 24, cell0.height());
    const QRect check1 = check0.translated(0, cell0.height());
    QCOMPARE(after.copy(check0), cells.copy(check0));
    QVERIFY(after.copy(check1) != cells.copy(check1));
}

void TableViewTest::cellIconBeforeText()
{
    TAVQTableView view;
    setUpStyled(&view);
    const int iconRole = Qt::UserRole + 100;
    view.model()->setData(view.model()->index(1, 1), QStringLiteral("IDB_CHECKED"), iconRole);
    view.model()->setData(view.model()->index(2, 1), QStringLiteral("no such image"), iconRole);
    const QImage image = look(view.viewport());
    const int width = TAVQResourceManager::instance().image(QStringLiteral("IDB_CHECKED"))->width();

    // The icon sits centred in a slot of its width + 10, the text after it.
    const QRect cell = view.visualRect(view.model()->index(1, 1));
    const QRect slot(cell.left(), cell.top(), width + 10, cell.height());
    QVERIFY(boundsOfColour(image, CellInk, cell).left() >= slot.right() + 1);
    QRect marks;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            if (image.pixel(x, y) != CellNormal && image.pixel(x, y) != CellInk && x <= slot.right())
                marks |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(slot.contains(marks));
    QVERIFY(qAbs(marks.center().x() - slot.center().x()) <= 1);
    // An unknown icon takes no room.
    const QRect plain = view.visualRect(view.model()->index(2, 1));
    QVERIFY(boundsOfColour(image, CellInk, plain).left() - plain.left() < 6);
}

void TableViewTest::columnTemplateDrawnIntoCells()
{
    TAVQTableView view;
    auto *templ = new TAVQContainer(&view);
    templ->setBackgroundStyle(colourBox(TemplateFill));
    auto *button = new TAVQPushButton(templ);
    button->setGeometry(10, 4, 20, 12);
    button->setBoxStyle(StateAll, colourBox(ButtonNormal));
    button->setBoxStyle(StateHover, colourBox(ButtonHover));
    button->setText(QString());
    // Template controls are drawn whatever their visible flags.
    button->setVisibleFlag(false);
    view.setColumnTemplate(1, templ);
    setUpStyled(&view);
    QVERIFY(templ->isHidden());
    view.setRowHeight(2, 40);

    QWidget *viewport = view.viewport();
    const QRect cell = view.visualRect(view.model()->index(2, 1));
    QCursor::setPos(viewport->mapToGlobal(QPoint(cell.left() + 15, cell.top() + 8)));
    QImage image = look(viewport);
    saveLookPicture(image, QStringLiteral("tableview_template.png"));

    // The template fills the whole cell and its text is not drawn over it.
    QCOMPARE(boundsOfColour(image, TemplateFill, cell), cell);
    QVERIFY(boundsOfColour(image, CellInk, cell).isNull());
    // Its button lands at its place in each row; the one under the cursor hovers.
    for (int row = 0; row < 4; ++row) {
        const QRect rowCell = view.visualRect(view.model()->index(row, 1));
        const QRect expected(rowCell.left() + 10, rowCell.top() + 4, 20, 12);
        const QRgb fill = row == 2 ? ButtonHover : ButtonNormal;
        QCOMPARE(boundsOfColour(image, fill, rowCell), expected);
    }
    QCOMPARE(button->GetImpl()->state(), int(StateNormal));
    // Other columns keep the cell look.
    QCOMPARE(image.pixel(cellPoint(view, 2, 0, 90)), CellNormal);
    QCOMPARE(image.pixel(cellPoint(view, 2, 2, 90)), CellNormal);
    QCOMPARE(templ->width(), cell.width());
}

void TableViewTest::columnTemplateMapping()
{
    TAVQTableView view;
    QWidget plain;
    auto *templ = new TAVQContainer(&view);
    QCOMPARE(view.columnTemplate(0), nullptr);
    view.setColumnTemplate(0, templ);
    view.setColumnTemplate(3, &plain);
    QCOMPARE(view.columnTemplate(0), templ);
    QCOMPARE(view.columnTemplate(3), &plain);
    QVERIFY(plain.isHidden());
    view.setColumnTemplate(0, nullptr);
    QCOMPARE(view.columnTemplate(0), nullptr);
    QCOMPARE(view.columnTemplate(3), &plain);
    // The table never owns its templates.
    QCOMPARE(templ->parent(), &view);
    view.setColumnTemplate(3, nullptr);
}

void TableViewTest::deletedColumnTemplateLeavesPlainCells()
{
    TAVQTableView view;
    auto *templ = new TAVQContainer(&view);
    templ->setBackgroundStyle(colourBox(TemplateFill));
    (new TAVQPushButton(templ))->setGeometry(10, 4, 20, 12);
    view.setColumnTemplate(1, templ);
    setUpStyled(&view);
    const QRect cell = view.visualRect(view.model()->index(2, 1));
    QCOMPARE(boundsOfColour(look(view.viewport()), TemplateFill, cell), cell);

    delete templ;
    const QImage image = look(view.viewport());
    QCOMPARE(view.columnTemplate(1), nullptr);
    QVERIFY(boundsOfColour(image, TemplateFill).isNull());
    QCOMPARE(image.pixel(cellPoint(view, 2, 1, 90)), CellNormal);
    QVERIFY(!boundsOfColour(image, CellInk, cell).isNull());
}

// The application's answer to a check change removes the rows, the pressed
// one included, as a filter over a tree of groups may.
void TableViewTest::checkPressWhoseChangeRemovesTheRows()
{
    TAVQTableView view;
    setUpStyled(&view);
    auto *model = new QStandardItemModel(&view);
    auto *group = new QStandardItem(QStringLiteral("group"));
    for (int row = 0; row < 3; ++row) {
        auto *item = new QStandardItem(QStringLiteral("r%1").arg(row));
        item->setData(false, Qt::CheckStateRole);
        group->appendRow({item, new QStandardItem(QStringLiteral("x"))});
    }
    model->appendRow(group);
    view.setModel(model);
    view.setRootIndex(group->index());
    view.setCheckable(true);
    int changes = 0;
    connect(model, &QAbstractItemModel::dataChanged, &view, [model, &changes] {
        ++changes;
        model->removeRow(0);
    });

    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 0, 10));
    QCOMPARE(changes, 1);
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(!look(&view).isNull());
}

void TableViewTest::standardCheckableItemsToggleOncePerClick()
{
    TAVQTableView view;
    setUpStyled(&view);
    view.setCheckable(true);
    auto *item = new QStandardItem(QStringLiteral("standard"));
    item->setCheckable(true);
    static_cast<QStandardItemModel *>(view.model())->setItem(1, 0, item);
    QCOMPARE(item->checkState(), Qt::Unchecked);
    for (Qt::CheckState expected : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cellPoint(view, 1, 0, 10));
        QCOMPARE(item->checkState(), expected);
    }
}

void TableViewTest::scrollBarChildren()
{
    TAVQTableView view;
    const QString expected = QStringLiteral(
        "QScrollBar::vertical{ width:%1; } QScrollBar::horizontal{ height:%2; } "
        "QScrollBar::add-line:vertical{ width:%3px;width:%3px; subcontrol-origin: margin;} "
        "QScrollBar::sub-line:vertical{ width:%3px;width:%3px;subcontrol-origin: margin; }");
    QVERIFY(view.LoadFromJson(parse(R"({"child":[
        {"type":"qtscrollbar","w":14,"attr":{"hor":false,"size":17},"style":[["tv.cellHover",0,10]]},
        {"type":"label","w":99},
        {"type":"qtscrollbar","h":11,"attr":{"hor":true}}]})")));
    // The last element decides the thickness; the button length stays from the first.
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->scrollBarThickness(), 11);
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->scrollBarButtonLength(), 17);
    QCOMPARE(view.verticalScrollBar()->styleSheet(), expected.arg(11).arg(11).arg(17));
    QCOMPARE(view.horizontalScrollBar()->styleSheet(), expected.arg(11).arg(11).arg(17));
    QCOMPARE(view.scrollBar(false)->thumbStyle(1).color, QColor::fromRgba(CellHover));
    QVERIFY(view.scrollBar(true)->thumbStyle(1).color != QColor::fromRgba(CellHover));

    // The button length alone changes no sheet; the thickness applies both.
    view.setScrollBarButtonLength(true, 9);
    QCOMPARE(view.verticalScrollBar()->styleSheet(), expected.arg(11).arg(11).arg(17));
    view.setScrollBarThickness(true, 30);
    QCOMPARE(view.verticalScrollBar()->styleSheet(), expected.arg(30).arg(30).arg(9));
    QCOMPARE(view.horizontalScrollBar()->styleSheet(), expected.arg(30).arg(30).arg(9));

    view.setScrollBarThumbStyle(true, StateAll, colourBox(CellSelected));
    QCOMPARE(view.scrollBar(true)->thumbStyle(2).color, QColor::fromRgba(CellSelected));
    view.setScrollBarArrowStyle(false, true, 1, colourBox(HeaderFill));
    QCOMPARE(view.scrollBar(false)->subLineStyle(1).color, QColor::fromRgba(HeaderFill));
    view.setScrollBarArrowStyle(false, false, 1, colourBox(Background));
    QCOMPARE(view.scrollBar(false)->addLineStyle(1).color, QColor::fromRgba(Background));
    view.setScrollBarStyle(true, colourBox(TemplateFill));
    QCOMPARE(view.scrollBar(true)->grooveStyle().color, QColor::fromRgba(TemplateFill));
    view.setScrollBarArrowIcon(true, false, QStringLiteral("IDB_CHECKED"));
    QCOMPARE(view.scrollBar(true)->arrowIcon(false), QStringLiteral("IDB_CHECKED"));
    view.setScrollBarThumbIcon(false, QStringLiteral("IDB_UNCHECK"));
    QCOMPARE(view.scrollBar(false)->thumbIcon(), QStringLiteral("IDB_UNCHECK"));
}

void TableViewTest::designerSampleContent()
{
    // An ordinary program leaves the table empty.
    QVERIFY(!IsDesignerHost());
    TAVQTableView view;
    view.OnChildrenLoaded();
    QCOMPARE(view.model(), nullptr);

    // The designer host is recognised by its executable's path: run a copy of
    // this test under such a name.
    const DesignerHost::Run run = DesignerHost::runCopy(QStringLiteral("designerHostRun"));
    const QByteArray &output = run.output;
    QVERIFY2(run.exitCode == 0, output.constData());
    QVERIFY2(output.contains("PASS   : TableViewTest::designerHostRun()"), output.constData());
}

void TableViewTest::designerHostRun()
{
    if (!IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        QSKIP("runs in the designer-host copy made by designerSampleContent");
    InitRuntime();
    QVERIFY(IsDesignerHost());
    QWidget host;
    const QWidget *built = BuildElements(parse(R"({"elements":[{"type":"qtdatagrid","name":"grid"}]})"), &host);
    const auto *view = qobject_cast<const TAVQTableView *>(built);
    QVERIFY(view);
    const QAbstractItemModel *model = view->model();
    QVERIFY(qobject_cast<const QStandardItemModel *>(model));
    QCOMPARE(model->parent(), view);
    QCOMPARE(model->rowCount(), 100);
    QCOMPARE(model->columnCount(), 5);
    for (int column = 0; column < 5; ++column)
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), QStringLiteral("Col%1").arg(column + 1));
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("item 0 0"));
    QCOMPARE(model->index(37, 4).data().toString(), QStringLiteral("item 37 4"));
    QCOMPARE(model->index(99, 2).data().toString(), QStringLiteral("item 99 2"));
}

void TableViewTest::malformedPages()
{
    const QByteArray pages[] = {
        R"({"type":"qtdatagrid","style":"tv.cell","attr":[1,2],"child":{"type":"qtscrollbar"}})",
        R"({"type":"qtdatagrid","style":[[1,2,"x"],["tv.cell","a",[2]],[null],"tv.cell",["tv.cell",0,-1],["tv.cell",0,99]]})",
        R"({"type":"qtdatagrid","attr":{"multiselect":"yes","itemHeight":"40","checkstyle":"3",
            "checkedImg":{},"uncheckImg":[1]}})",
        R"({"type":"qtdatagrid","attr":{"itemHeight":1e40,"multiselect":null}})",
        R"({"type":"qtdatagrid","child":[3,null,"x",{"type":7},{"type":"qtscrollbar","attr":"bad","w":"wide","h":[1]},
            {"type":"qtscrollbar","attr":{"hor":"yes","size":"big"},"style":{"a":1}}]})",
        R"([1,2,3])",
        R"("text")",
    };
    for (const QByteArray &page : pages) {
        TAVQTableView view;
        const Json::Value element = parse(page);
        view.LoadFromJson(element);
        QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(view.itemHeight(), 20);
        QVERIFY(!view.isCheckable());
        QCOMPARE(view.checkImage(true), QStringLiteral("IDB_CHECKED"));
        QCOMPARE(view.checkImage(false), QStringLiteral("IDB_UNCHECK"));
        for (int look = 0; look < 4; ++look)
            QVERIFY(!view.cellStyle(look).visible);
        QCOMPARE(implOf<TAVQTableViewImpl>(view)->scrollBarButtonLength(), 23);
        view.setModel(makeModel(&view, 2, 2));
        view.resize(200, 100);
        QVERIFY(!view.grab().isNull());
    }
    // Scroll-bar elements with wrongly typed thickness read it as 0.
    TAVQTableView view;
    view.LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","w":"wide"}]})"));
    QCOMPARE(implOf<TAVQTableViewImpl>(view)->scrollBarThickness(), 0);

    // Through the page builder too.
    QWidget host;
    QVERIFY(BuildElements(parse(R"({"elements":[{"type":"qtdatagrid","attr":{"itemHeight":{}},
        "style":[["tv.cell",0,"2"]],"child":[{"type":"qtscrollbar","child":5}]}]})"), &host));
}

QTEST_MAIN(TableViewTest)
#include "tst_tableview.moc"
