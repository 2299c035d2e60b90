#include "controls/tavqlist_p.h"
#include "controls/tavqscrollbarconfig_p.h"
#include "controls/tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "resources/tavqresourcemanager.h"
#include "lookpicture.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include "designerhost.h"
#include "hoverevent.h"

#include <QtTest>

using namespace TAVQtLib;

namespace {

const QRgb Background = 0xFF303030;
const QRgb RowNormal = 0xFFC00000;
const QRgb RowHover = 0xFF00C000;
const QRgb RowSelected = 0xFF0000C0;
const QRgb RowSpare = 0xFF808000;
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

void hoverTo(QAbstractItemView *view, const QPoint &pos)
{
    sendHoverMove(view->viewport(), pos);
}

// One row painted by the list's delegate into an image of its own.
QImage paintedRow(const TAVQList &list, QStyle::State state, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), size);
    option.state = state;
    list.itemDelegate()->paint(&painter, option, list.model()->index(0, 0));
    return image;
}

QStringList rowTexts(const QListWidget &list)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

} // namespace

class ListTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void construction();
    void pageStylesAndAttributes();
    void programmaticLooks();
    void rowHeights();
    void rowHeights_data();
    void rowLooksByState();
    void hoverBeatsSelected();
    void defaultLooksWithoutStyles();
    void scrollBarChildren();
    void replacedBarIsForgotten_data();
    void replacedBarIsForgotten();
    void designerSampleContent();
    void designerHostRun();
    void malformedPages();

private:
    // A shown list of `rows` rows with the test looks.
    void setUpStyled(TAVQList *list, int rows);
};

void ListTest::initTestCase()
{
    TAVQResourceManager &resources = TAVQResourceManager::instance();
    resources.setBoxStyle(QStringLiteral("ls.background"), colourBox(Background));
    resources.setBoxStyle(QStringLiteral("ls.row"), colourBox(RowNormal));
    resources.setBoxStyle(QStringLiteral("ls.rowHover"), colourBox(RowHover));
    resources.setBoxStyle(QStringLiteral("ls.rowSelected"), colourBox(RowSelected));
    resources.setBoxStyle(QStringLiteral("ls.rowSpare"), colourBox(RowSpare));
    resources.setFontStyle(QStringLiteral("ls.ink"), inkFont(InkNormal));
    resources.setFontStyle(QStringLiteral("ls.inkHover"), inkFont(InkHover));
    resources.setFontStyle(QStringLiteral("ls.inkSelected"), inkFont(InkSelected));
    RegisterControlType("qtlist", []() { return static_cast<QWidget *>(new TAVQList); }, true);
}

void ListTest::setUpStyled(TAVQList *list, int rows)
{
    list->setBackgroundStyle(colourBox(Background));
    list->setItemStyle(0, colourBox(RowNormal));
    list->setItemStyle(1, colourBox(RowHover));
    list->setItemStyle(2, colourBox(RowSelected));
    list->setItemFontStyle(0, inkFont(InkNormal));
    list->setItemFontStyle(1, inkFont(InkHover));
    list->setItemFontStyle(2, inkFont(InkSelected));
    for (int row = 0; row < rows; ++row)
        list->addItem(QStringLiteral("row %1").arg(row));
    list->resize(200, 160);
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list));
}

void ListTest::construction()
{
    TAVQList list;
    QCOMPARE(list.GetTypeName(), QStringLiteral("qtlist"));
    QVERIFY(qobject_cast<TAVQListItemDelegate *>(list.itemDelegate()));
    QCOMPARE(list.horizontalScrollBar(), list.scrollBar(true));
    QCOMPARE(list.verticalScrollBar(), list.scrollBar(false));
    QCOMPARE(list.scrollBar(true)->orientation(), Qt::Horizontal);
    QCOMPARE(list.scrollBar(false)->orientation(), Qt::Vertical);
    QCOMPARE(list.frameStyle(), 0);
    QCOMPARE(list.viewport()->styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QVERIFY(list.testAttribute(Qt::WA_MouseTracking));
    QCOMPARE(list.verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(list.horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(list.itemHeight(), 20);
    QVERIFY(list.backgroundStyle().visible);
    const TAVQBoxStyle defaults;
    for (int look = 0; look < 4; ++look) {
        QCOMPARE(list.itemStyle(look).color, defaults.color);
        QCOMPARE(list.itemFontStyle(look).size, TAVQFontStyle().size);
    }
    QCOMPARE(list.count(), 0);
    // Not in the designer: no sample rows.
    list.OnChildrenLoaded();
    QCOMPARE(list.count(), 0);
    list.setVisibleFlag(false);
    QVERIFY(!list.isVisibleFlag());
}

void ListTest::pageStylesAndAttributes()
{
    TAVQList list;
    QVERIFY(list.LoadFromJson(parse(R"({"type":"qtlist","style":[
        ["ls.background",0,0],["ls.row",0,2],["ls.rowSelected",0,4],["ls.ink",0,6],["ls.inkSelected",0,8],
        ["nosuchstyle",0,3],["nosuchfont",0,7],["ls.rowSpare",0,1],["ls.rowSpare",0,10],["ls.inkHover",0,9]],
        "attr":{"itemHeight":31,"multiselect":true}})")));
    QCOMPARE(list.backgroundStyle().color, QColor::fromRgba(Background));
    // Slot 2 fills every look, slot 4 replaces look 2, unknown names leave looks alone.
    QCOMPARE(list.itemStyle(0).color, QColor::fromRgba(RowNormal));
    QCOMPARE(list.itemStyle(1).color, QColor::fromRgba(RowNormal));
    QCOMPARE(list.itemStyle(2).color, QColor::fromRgba(RowSelected));
    QCOMPARE(list.itemStyle(3).color, QColor::fromRgba(RowNormal));
    QCOMPARE(list.itemFontStyle(0).color, QColor::fromRgb(InkNormal));
    QCOMPARE(list.itemFontStyle(1).color, QColor::fromRgb(InkNormal));
    QCOMPARE(list.itemFontStyle(2).color, QColor::fromRgb(InkSelected));
    QCOMPARE(list.itemFontStyle(3).color, QColor::fromRgb(InkHover));
    QCOMPARE(list.itemHeight(), 31);
    // "multiselect" is accepted and changes nothing.
    QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);

    // A later page without the keys keeps what the earlier one set.
    QVERIFY(list.LoadFromJson(parse(R"({"attr":{"multiselect":false}})")));
    QCOMPARE(list.itemHeight(), 31);
    QCOMPARE(list.itemStyle(2).color, QColor::fromRgba(RowSelected));
}

void ListTest::programmaticLooks()
{
    TAVQList list;
    list.setItemStyle(StateAll, colourBox(RowSpare));
    for (int look = 0; look < 4; ++look)
        QCOMPARE(list.itemStyle(look).color, QColor::fromRgba(RowSpare));
    list.setItemStyle(1, colourBox(RowHover));
    QCOMPARE(list.itemStyle(1).color, QColor::fromRgba(RowHover));
    QCOMPARE(list.itemStyle(0).color, QColor::fromRgba(RowSpare));
    // Looks outside 0-4 change nothing and read as look 0.
    list.setItemStyle(7, colourBox(RowNormal));
    list.setItemStyle(-1, colourBox(RowNormal));
    QCOMPARE(list.itemStyle(0).color, QColor::fromRgba(RowSpare));
    QCOMPARE(list.itemStyle(9).color, QColor::fromRgba(RowSpare));
    list.setItemFontStyle(3, inkFont(InkSelected));
    QCOMPARE(list.itemFontStyle(3).color, QColor::fromRgb(InkSelected));
    QVERIFY(list.itemFontStyle(2).color != QColor::fromRgb(InkSelected));
    list.setBackgroundStyle(colourBox(Background));
    QCOMPARE(list.backgroundStyle().color, QColor::fromRgba(Background));
    list.setItemHeight(44);
    QCOMPARE(list.itemHeight(), 44);
}

void ListTest::rowHeights_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("height");
    QTest::newRow("absent") << QByteArray(R"({"attr":{}})") << 20;
    QTest::newRow("zero") << QByteArray(R"({"attr":{"itemHeight":0}})") << 20;
    QTest::newRow("text") << QByteArray(R"({"attr":{"itemHeight":"33"}})") << 20;
    QTest::newRow("33") << QByteArray(R"({"attr":{"itemHeight":33}})") << 33;
    QTest::newRow("7") << QByteArray(R"({"attr":{"itemHeight":7}})") << 7;
}

void ListTest::rowHeights()
{
    QFETCH(QByteArray, page);
    QFETCH(int, height);
    TAVQList list;
    list.LoadFromJson(parse(page));
    setUpStyled(&list, 4);
    for (int row = 0; row < 4; ++row) {
        const QRect rect = list.visualItemRect(list.item(row));
        QCOMPARE(rect.top(), row * height);
        QCOMPARE(rect.height(), height);
    }
    // Painted: each row's box spans exactly its height, the background below.
    const QImage image = look(list.viewport());
    saveLookPicture(image, QStringLiteral("list_rows_%1.png").arg(height));
    const int x = list.visualItemRect(list.item(0)).right() - 2;
    QCOMPARE(image.pixel(x, 0), RowNormal);
    QCOMPARE(image.pixel(x, 4 * height - 1), RowNormal);
    QCOMPARE(image.pixel(x, 4 * height), Background);
}

void ListTest::rowLooksByState()
{
    TAVQList list;
    setUpStyled(&list, 5);
    QWidget *viewport = list.viewport();
    const auto probe = [&list](int row) { return list.visualItemRect(list.item(row)).bottomRight() - QPoint(2, 2); };
    const QRect row1 = list.visualItemRect(list.item(1));
    const QRect row3 = list.visualItemRect(list.item(3));

    QImage image = look(viewport);
    saveLookPicture(image, QStringLiteral("list_normal.png"));
    for (int row = 0; row < 5; ++row)
        QCOMPARE(image.pixel(probe(row)), RowNormal);
    QCOMPARE(image.pixel(5, 5 * 20 + 10), Background);
    // Row texts in the normal font, none in the other looks' fonts.
    QVERIFY(countColour(image, InkNormal, row1) > 10);
    QCOMPARE(countColour(image, InkHover, viewport->rect()), 0);

    list.setCurrentRow(1);
    image = look(viewport);
    QCOMPARE(image.pixel(probe(1)), RowSelected);
    QVERIFY(countColour(image, InkSelected, row1) > 10);
    QCOMPARE(countColour(image, InkNormal, row1), 0);
    QCOMPARE(image.pixel(probe(3)), RowNormal);

    hoverTo(&list, row3.center());
    image = look(viewport);
    saveLookPicture(image, QStringLiteral("list_hover.png"));
    QCOMPARE(image.pixel(probe(3)), RowHover);
    QVERIFY(countColour(image, InkHover, row3) > 10);
    QCOMPARE(image.pixel(probe(1)), RowSelected);
    QCOMPARE(image.pixel(probe(0)), RowNormal);

    // A real pointer move reaches the view through mouse tracking and moves the hover look.
    QTest::mouseMove(viewport, list.visualItemRect(list.item(4)).center());
    QTRY_COMPARE(look(viewport).pixel(probe(4)), RowHover);
    image = look(viewport);
    QCOMPARE(image.pixel(probe(3)), RowNormal);
    QCOMPARE(image.pixel(probe(1)), RowSelected);
}

void ListTest::hoverBeatsSelected()
{
    TAVQList list;
    setUpStyled(&list, 3);
    list.setCurrentRow(2);
    const QRect row2 = list.visualItemRect(list.item(2));
    hoverTo(&list, row2.center());
    const QImage image = look(list.viewport());
    saveLookPicture(image, QStringLiteral("list_hover_selected.png"));
    QCOMPARE(image.pixel(row2.bottomRight() - QPoint(2, 2)), RowHover);
    QVERIFY(countColour(image, InkHover, row2) > 10);
    QCOMPARE(countColour(image, InkSelected, row2), 0);

    // The delegate alone: mouse over beats selected, selected beats normal.
    const QSize size(120, 20);
    QCOMPARE(paintedRow(list, QStyle::State_Selected | QStyle::State_MouseOver, size).pixel(118, 18), RowHover);
    QCOMPARE(paintedRow(list, QStyle::State_Selected, size).pixel(118, 18), RowSelected);
    QCOMPARE(paintedRow(list, QStyle::State_None, size).pixel(118, 18), RowNormal);
    // Look 3 is kept but never drawn.
    list.setItemStyle(3, colourBox(RowSpare));
    const QImage all = paintedRow(list, QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_Active, size);
    QCOMPARE(countColour(all, RowSpare, all.rect()), 0);
}

void ListTest::defaultLooksWithoutStyles()
{
    TAVQList list;
    list.addItem(QStringLiteral("plain"));
    list.resize(160, 80);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage image = look(list.viewport());
    saveLookPicture(image, QStringLiteral("list_defaults.png"));
    // Default boxes are white; default text is the default font colour.
    const QColor defaultBox = TAVQBoxStyle().color;
    QCOMPARE(QColor(image.pixel(150, 18)), defaultBox);
    QCOMPARE(QColor(image.pixel(150, 60)), defaultBox);
    const QRect row0 = list.visualItemRect(list.item(0));
    QVERIFY(countColour(image, defaultBox.rgba(), row0) < row0.width() * row0.height());
}

void ListTest::scrollBarChildren()
{
    TAVQList list;
    QVERIFY(list.LoadFromJson(parse(R"({"child":[
        {"type":"qtscrollbar","w":12,"attr":{"hor":false,"size":30},"style":[["ls.rowHover",0,10]]},
        {"type":"label","w":99}]})")));
    const QString sheet12 = TAVQScrollBarSheets::thicknessWithButtons(12);
    QVERIFY(sheet12.contains(QStringLiteral("width:12px;width:12px;")));
    QCOMPARE(list.verticalScrollBar()->styleSheet(), sheet12);
    QCOMPARE(list.horizontalScrollBar()->styleSheet(), sheet12);
    QCOMPARE(list.scrollBar(false)->thumbStyle(1).color, QColor::fromRgba(RowHover));
    QVERIFY(list.scrollBar(true)->thumbStyle(1).color != QColor::fromRgba(RowHover));

    // Shown with more rows than fit: the bar is 12 thick.
    setUpStyled(&list, 30);
    QTRY_VERIFY(list.verticalScrollBar()->isVisible());
    QCOMPARE(list.verticalScrollBar()->width(), 12);
    saveLookPicture(look(&list), QStringLiteral("list_scrollbar.png"));

    // The last element wins; a horizontal one takes its "h".
    QVERIFY(list.LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","h":9,"w":40,"attr":{"hor":true}}]})")));
    QCOMPARE(list.verticalScrollBar()->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(9));
    QCOMPARE(list.horizontalScrollBar()->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(9));

    // The button length changes nothing; the thickness sets both bars.
    list.setScrollBarButtonLength(false, 50);
    QCOMPARE(list.verticalScrollBar()->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(9));
    list.setScrollBarThickness(true, 15);
    QCOMPARE(list.verticalScrollBar()->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(15));
    QCOMPARE(list.horizontalScrollBar()->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(15));

    list.setScrollBarThumbStyle(true, StateAll, colourBox(RowSelected));
    QCOMPARE(list.scrollBar(true)->thumbStyle(2).color, QColor::fromRgba(RowSelected));
    list.setScrollBarArrowStyle(false, true, 1, colourBox(RowSpare));
    QCOMPARE(list.scrollBar(false)->subLineStyle(1).color, QColor::fromRgba(RowSpare));
    list.setScrollBarArrowStyle(false, false, 1, colourBox(Background));
    QCOMPARE(list.scrollBar(false)->addLineStyle(1).color, QColor::fromRgba(Background));
    list.setScrollBarStyle(true, colourBox(RowNormal));
    QCOMPARE(list.scrollBar(true)->grooveStyle().color, QColor::fromRgba(RowNormal));
    list.setScrollBarArrowIcon(true, false, QStringLiteral("IDB_CHECKED"));
    QCOMPARE(list.scrollBar(true)->arrowIcon(false), QStringLiteral("IDB_CHECKED"));
    list.setScrollBarThumbIcon(false, QStringLiteral("IDB_UNCHECK"));
    QCOMPARE(list.scrollBar(false)->thumbIcon(), QStringLiteral("IDB_UNCHECK"));
}

void ListTest::replacedBarIsForgotten_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::newRow("horizontal") << true;
    QTest::newRow("vertical") << false;
}

// Qt deletes a bar the application replaces; the setters then skip that side.
void ListTest::replacedBarIsForgotten()
{
    QFETCH(bool, horizontal);
    TAVQList list;
    TAVQScrollBar *kept = list.scrollBar(!horizontal);
    auto *plain = new QScrollBar;
    if (horizontal)
        list.setHorizontalScrollBar(plain);
    else
        list.setVerticalScrollBar(plain);
    QVERIFY(!list.scrollBar(horizontal));
    QCOMPARE(list.scrollBar(!horizontal), kept);

    list.setScrollBarStyle(horizontal, colourBox(RowSpare));
    list.setScrollBarStyle(!horizontal, colourBox(RowNormal));
    QCOMPARE(kept->grooveStyle().color, QColor::fromRgba(RowNormal));
    list.setScrollBarThickness(horizontal, 9);
    QVERIFY(plain->styleSheet().isEmpty());
    QCOMPARE(kept->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(9));
}

void ListTest::designerSampleContent()
{
    QVERIFY(!IsDesignerHost());
    QWidget host;
    const auto *built = qobject_cast<const TAVQList *>(
        BuildElements(parse(R"({"elements":[{"type":"qtlist","name":"rows"}]})"), &host));
    QVERIFY(built);
    QCOMPARE(built->count(), 0);

    // The designer host is recognised by its executable's path: run a copy of
    // this test from a folder named like it.
    const DesignerHost::Run run = DesignerHost::runCopy(QStringLiteral("designerHostRun"));
    const QByteArray &output = run.output;
    QVERIFY2(run.exitCode == 0, output.constData());
    QVERIFY2(output.contains("PASS   : ListTest::designerHostRun()"), output.constData());
}

void ListTest::designerHostRun()
{
    if (!IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        QSKIP("runs in the designer-host copy made by designerSampleContent");
    InitRuntime();
    QVERIFY(IsDesignerHost());
    QWidget host;
    auto *list = qobject_cast<TAVQList *>(
        BuildElements(parse(R"({"elements":[{"type":"qtlist","name":"rows"}]})"), &host));
    QVERIFY(list);
    QStringList expected;
    for (int row = 0; row < 20; ++row)
        expected << QStringLiteral("item %1").arg(row);
    QCOMPARE(rowTexts(*list), expected);
    // Each further call appends another twenty.
    list->OnChildrenLoaded();
    QCOMPARE(list->count(), 40);
    QCOMPARE(list->item(20)->text(), QStringLiteral("item 0"));
}

void ListTest::malformedPages()
{
    const QByteArray pages[] = {
        R"({"type":"qtlist","style":"ls.row","attr":[1,2],"child":{"type":"qtscrollbar"}})",
        R"({"type":"qtlist","style":[[1,2,"x"],["ls.row","a",[2]],[null],"ls.row",["ls.row",0,-1],["ls.row",0,99]]})",
        R"({"type":"qtlist","attr":{"multiselect":"yes","itemHeight":"40"}})",
        R"({"type":"qtlist","attr":{"itemHeight":1e40,"multiselect":null}})",
        R"({"type":"qtlist","child":[3,null,"x",{"type":7},{"type":"qtscrollbar","attr":"bad","w":"wide","h":[1]},
            {"type":"qtscrollbar","attr":{"hor":"yes","size":"big"},"style":{"a":1}}]})",
        R"([1,2,3])",
        R"("text")",
    };
    for (const QByteArray &page : pages) {
        TAVQList list;
        list.LoadFromJson(parse(page));
        QCOMPARE(list.itemHeight(), 20);
        QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
        for (int look = 0; look < 4; ++look)
            QCOMPARE(list.itemStyle(look).color, TAVQBoxStyle().color);
        list.addItems({QStringLiteral("a"), QStringLiteral("b")});
        list.resize(120, 80);
        QVERIFY(!list.grab().isNull());
        QCOMPARE(list.visualItemRect(list.item(1)).top(), 20);
    }
    // What JsonCpp converts is read: a real slot truncates, a real height too.
    TAVQList converted;
    converted.LoadFromJson(parse(R"({"style":[["ls.row","a",2.5]],"attr":{"itemHeight":30.9}})"));
    for (int look = 0; look < 4; ++look)
        QCOMPARE(converted.itemStyle(look).color, QColor::fromRgba(RowNormal));
    QCOMPARE(converted.itemHeight(), 30);
    // A wrongly typed thickness reads as 0.
    TAVQList list;
    list.LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","w":"wide"}]})"));
    QCOMPARE(list.verticalScrollBar()->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(0));

    QWidget host;
    QVERIFY(BuildElements(parse(R"({"elements":[{"type":"qtlist","attr":{"itemHeight":{}},
        "style":[["ls.row",0,"2"]],"child":[{"type":"qtscrollbar","child":5}]}]})"), &host));
}

QTEST_MAIN(ListTest)

#include "tst_list.moc"
