#include "controls/tavqcombobox_p.h"
#include "base/tavqjson_p.h"
#include "base/tavqtextcodec.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "resources/tavqresourcemanager.h"
#include "designerhost.h"
#include "lookpicture.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Body = 0xFF203040;
const QRgb BodyHot = 0xFF405060;
const QRgb Button = 0xFF102010;
const QRgb ButtonHot = 0xFF304030;
const QRgb ButtonDown = 0xFF506050;
const QRgb ButtonOff = 0xFF708070;
const QRgb Popup = 0xFF101010;
const QRgb Row = 0xFF303000;
const QRgb RowHot = 0xFF505000;
const QRgb RowSelected = 0xFF707000;
const QRgb RowSpare = 0xFF909000;
const QRgb IconGreen = 0xFF00C000;
const QRgb IconRed = 0xFFC00000;
const int IconSize = 8;

void sendPlain(QWidget *widget, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(widget, &event);
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &match)
{
    int count = 0;
    const QRect scan = area & image.rect();
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        for (int x = scan.left(); x <= scan.right(); ++x)
            count += match(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool allPixels(const QImage &image, const QRect &area, QRgb colour)
{
    return countPixels(image, area, [colour](QRgb p) { return p != colour; }) == 0;
}

// Text ink of a pure primary colour on the dark boxes: that channel clearly up, the others not.
std::function<bool(QRgb)> inkOf(int channel)
{
    return [channel](QRgb p) {
        const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
        return c[channel] > 160 && c[(channel + 1) % 3] < 130 && c[(channel + 2) % 3] < 130;
    };
}

bool writeIcon(const QString &path, QRgb colour)
{
    QImage icon(IconSize, IconSize, QImage::Format_ARGB32);
    icon.fill(colour);
    return icon.save(path);
}

QStringList itemsOf(const QComboBox &combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

QWidget *createCombo()
{
    return new TAVQComboBox;
}

// Paints one popup row through the combo's delegate into a fresh image.
QImage paintRow(TAVQComboBox &combo, int row, QStyle::State state, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(0xFFFFFFFF);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), size);
    option.state = state;
    combo.comboList()->comboDelegate()->paint(&painter, option, combo.model()->index(row, 0));
    painter.end();
    return image;
}

} // namespace

class TestComboBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void buttonSquareGeometry();
    void bodyAndButtonByState();
    void iconsByState();
    void textFollowsTheState();
    void styleSlots();
    void unknownStyleNamesKeepTheStyles();
    void programmaticStylesAndStateIndex();
    void textAttribute();

    void popupRowLooks();
    void popupRowText();
    void popupRowSize();
    void openPopupPaintsBackgroundAndRows();
    void popupOpensBelowAtFullWidth_data();
    void popupOpensBelowAtFullWidth();
    void choiceFromPopupEndsPressedLook_data();
    void choiceFromPopupEndsPressedLook();

    void designerSampleItems();
    void malformedPages();

private:
    std::unique_ptr<TAVQComboBox> load(const QByteArray &json, const QSize &size = QSize(120, 30));

    QTemporaryDir m_dir;
};

void TestComboBox::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("arrow.png")), IconGreen));
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("arrowhot.png")), IconRed));
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[
        {"type":1,"name":"body","drawImg":false,"clr":"ff203040"},
        {"type":1,"name":"bodyhot","drawImg":false,"clr":"ff405060"},
        {"type":1,"name":"button","drawImg":false,"clr":"ff102010"},
        {"type":1,"name":"buttonhot","drawImg":false,"clr":"ff304030"},
        {"type":1,"name":"buttondown","drawImg":false,"clr":"ff506050"},
        {"type":1,"name":"buttonoff","drawImg":false,"clr":"ff708070"},
        {"type":1,"name":"popup","drawImg":false,"clr":"ff101010"},
        {"type":1,"name":"row","drawImg":false,"clr":"ff303000"},
        {"type":1,"name":"rowhot","drawImg":false,"clr":"ff505000"},
        {"type":1,"name":"rowsel","drawImg":false,"clr":"ff707000"},
        {"type":1,"name":"rowspare","drawImg":false,"clr":"ff909000"},
        {"type":2,"name":"red","size":16,"clr":"ff0000","hor":0,"ver":1,"family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"green","size":16,"clr":"00ff00","hor":0,"ver":1,"family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"blue","size":16,"clr":"0000ff","hor":0,"ver":1,"family":"WenQuanYi Micro Hei"}
    ]})");
    sheet.close();
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
}

std::unique_ptr<TAVQComboBox> TestComboBox::load(const QByteArray &json, const QSize &size)
{
    auto combo = std::make_unique<TAVQComboBox>();
    combo->LoadFromJson(parse(json));
    combo->resize(size);
    return combo;
}

// Boxes only: body for all states with a mouse-over body, a button per state.
static const QByteArray BoxesPage =
        R"({"style":[["body",0,0],["bodyhot",0,1],["button",0,4],["buttonhot",0,5],
                     ["buttondown",0,6],["buttonoff",0,7]]})";

void TestComboBox::defaults()
{
    TAVQComboBox combo;
    QCOMPARE(combo.GetTypeName(), QStringLiteral("qtcombobox"));
    QCOMPARE(combo.view(), static_cast<QAbstractItemView *>(combo.comboList()));
    QCOMPARE(combo.view()->itemDelegate(), static_cast<QAbstractItemDelegate *>(combo.comboList()->comboDelegate()));
    QCOMPARE(combo.comboList()->frameStyle(), 0);
    QCOMPARE(combo.comboList()->viewport()->styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QCOMPARE(combo.popupItemHeight(), 25);
    QVERIFY(combo.popupStyle().visible);
    QVERIFY(combo.isVisibleFlag());
    QCOMPARE(combo.count(), 0);
    for (int state = 0; state < 4; ++state) {
        QVERIFY(combo.buttonIcon(state).isEmpty());
        QCOMPARE(combo.bodyStyle(state).color, TAVQBoxStyle().color);
        QCOMPARE(combo.popupItemFontStyle(state).size, TAVQFontStyle().size);
    }
    combo.setVisibleFlag(false);
    QVERIFY(!combo.isVisibleFlag());

    // Qt deletes a list the application replaces; the box forgets it and its
    // popup is Qt's own.
    auto *plain = new QListView;
    combo.setView(plain);
    QCOMPARE(combo.comboList(), nullptr);
    combo.addItem(QStringLiteral("only"));
    combo.show();
    combo.showPopup();
    QVERIFY(plain->isVisible());
    combo.hidePopup();
}

void TestComboBox::buttonSquareGeometry()
{
    // right() is left + width - 1: the square ends one pixel before the edge.
    QCOMPARE(TAVQComboBoxImpl::buttonRect(QRect(0, 0, 120, 30)), QRect(89, 0, 30, 30));
    QCOMPARE(TAVQComboBoxImpl::buttonRect(QRect(5, 7, 50, 20)), QRect(34, 7, 20, 20));

    const auto combo = load(BoxesPage);
    const QImage image = look(combo.get());
    saveLookPicture(image, QStringLiteral("combo_boxes.png"));
    QVERIFY(allPixels(image, QRect(0, 0, 89, 30), Body));
    QVERIFY(allPixels(image, QRect(89, 0, 30, 30), Button));
    QVERIFY(allPixels(image, QRect(119, 0, 1, 30), Body));

    // A square as high as the box, whatever the width.
    combo->resize(200, 40);
    const QImage wide = look(combo.get());
    QVERIFY(allPixels(wide, QRect(0, 0, 159, 40), Body));
    QVERIFY(allPixels(wide, QRect(159, 0, 40, 40), Button));
    QVERIFY(allPixels(wide, QRect(199, 0, 1, 40), Body));
}

void TestComboBox::bodyAndButtonByState()
{
    const auto combo = load(BoxesPage);
    // Empty texts, so that a popup can open over items without ink on the box.
    combo->addItems({QString(), QString()});
    const QRect body(0, 0, 89, 30);
    const QRect button(89, 0, 30, 30);

    sendPlain(combo.get(), QEvent::Enter);
    QCOMPARE(combo->GetImpl()->state(), int(StateHover));
    QImage image = look(combo.get());
    QVERIFY(allPixels(image, body, BodyHot));
    QVERIFY(allPixels(image, button, ButtonHot));

    // A press opens the popup as QComboBox does and shows the pressed look.
    QTest::mousePress(combo.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(combo->GetImpl()->state(), int(StatePressed));
    QVERIFY(combo->comboList()->isVisible());
    image = look(combo.get());
    QVERIFY(allPixels(image, body, Body));
    QVERIFY(allPixels(image, button, ButtonDown));
    combo->hidePopup();

    QTest::mouseRelease(combo.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(combo->GetImpl()->state(), int(StateNormal));
    // Moves change nothing.
    QMouseEvent move(QEvent::MouseMove, QPoint(20, 10), combo->mapToGlobal(QPoint(20, 10)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(combo.get(), &move);
    QCOMPARE(combo->GetImpl()->state(), int(StateNormal));
    image = look(combo.get());
    QVERIFY(allPixels(image, body, Body));
    QVERIFY(allPixels(image, button, Button));

    combo->setEnabled(false);
    image = look(combo.get());
    QCOMPARE(combo->GetImpl()->state(), int(StateDisabled));
    QVERIFY(allPixels(image, body, Body));
    QVERIFY(allPixels(image, button, ButtonOff));
    sendPlain(combo.get(), QEvent::Leave);
    QCOMPARE(combo->GetImpl()->state(), int(StateDisabled));

    combo->setEnabled(true);
    QVERIFY(allPixels(look(combo.get()), button, Button));

    // A state outside 0 to 3 draws nothing at all.
    combo->GetImpl()->setState(7);
    QImage blank(combo->size(), QImage::Format_ARGB32);
    blank.fill(0xFF00FFFF);
    combo->render(&blank, QPoint(), QRegion(), QWidget::RenderFlags());
    QVERIFY(allPixels(blank, blank.rect(), 0xFF00FFFF));
}

void TestComboBox::iconsByState()
{
    const QRect icon(89 + 11, 11, IconSize, IconSize);
    const QRect ring(89 + 10, 10, IconSize + 2, IconSize + 2);
    auto combo = load(BoxesPage.chopped(1) + R"(,"attr":{"btnHotIcon":"arrowhot.png","btnIcon":"arrow.png"}})");
    QCOMPARE(combo->buttonIcon(0), QStringLiteral("arrow.png"));
    QCOMPARE(combo->buttonIcon(1), QStringLiteral("arrowhot.png"));
    QCOMPARE(combo->buttonIcon(2), QStringLiteral("arrow.png"));
    QCOMPARE(combo->buttonIcon(3), QStringLiteral("arrow.png"));

    QImage image = look(combo.get());
    QVERIFY(allPixels(image, icon, IconGreen));
    // Centred: the pixels around it are the button's.
    QCOMPARE(countPixels(image, ring, [](QRgb p) { return p == Button; }), 4 * (IconSize + 1));
    sendPlain(combo.get(), QEvent::Enter);
    image = look(combo.get());
    QVERIFY(allPixels(image, icon, IconRed));
    QCOMPARE(countPixels(image, ring, [](QRgb p) { return p == ButtonHot; }), 4 * (IconSize + 1));
    combo->setEnabled(false);
    QVERIFY(allPixels(look(combo.get()), icon, IconGreen));

    // "btnIcon" alone: the same icon everywhere; a missing image draws nothing.
    combo = load(R"({"style":[["button",0,4]],"attr":{"btnIcon":"arrow.png"}})");
    for (int state = 0; state < 4; ++state)
        QCOMPARE(combo->buttonIcon(state), QStringLiteral("arrow.png"));
    sendPlain(combo.get(), QEvent::Enter);
    QVERIFY(allPixels(look(combo.get()), icon, IconGreen));
    combo->setButtonIcon(1, QStringLiteral("no-such-image.png"));
    QVERIFY(allPixels(look(combo.get()), QRect(89, 0, 30, 30), Button));
}

void TestComboBox::textFollowsTheState()
{
    const auto combo = load(R"({"style":[["body",0,0],["button",0,4],["red",0,8],["green",0,9],["blue",0,11]],
                               "attr":{"text":"WWWW"}})");
    QCOMPARE(combo->currentText(), QStringLiteral("WWWW"));
    const QRect textArea(0, 0, 89, 30);
    QImage image = look(combo.get());
    saveLookPicture(image, QStringLiteral("combo_text.png"));
    QVERIFY(countPixels(image, textArea, inkOf(0)) > 10);
    QCOMPARE(countPixels(image, textArea, inkOf(1)), 0);
    // Left aligned from the box's left edge.
    QVERIFY(countPixels(image, QRect(0, 0, 20, 30), inkOf(0)) > 0);
    QVERIFY(allPixels(image, QRect(60, 0, 29, 30), Body));

    sendPlain(combo.get(), QEvent::Enter);
    image = look(combo.get());
    QVERIFY(countPixels(image, textArea, inkOf(1)) > 10);
    QCOMPARE(countPixels(image, textArea, inkOf(0)), 0);

    combo->setEnabled(false);
    image = look(combo.get());
    QVERIFY(countPixels(image, textArea, inkOf(2)) > 10);

    // The current text is what is drawn.
    combo->setEnabled(true);
    sendPlain(combo.get(), QEvent::Leave);
    combo->addItem(QStringLiteral("W"));
    combo->setCurrentIndex(1);
    image = look(combo.get());
    QVERIFY(countPixels(image, textArea, inkOf(0)) > 10);
    QVERIFY(allPixels(image, QRect(25, 0, 64, 30), Body));
}

void TestComboBox::styleSlots()
{
    // Slot 0 fills every state; a later slot 1 changes the mouse-over look only.
    auto combo = load(R"({"style":[["body",0,0],["bodyhot",0,1]]})");
    QCOMPARE(combo->bodyStyle(0).color.rgba(), Body);
    QCOMPARE(combo->bodyStyle(1).color.rgba(), BodyHot);
    QCOMPARE(combo->bodyStyle(2).color.rgba(), Body);
    QCOMPARE(combo->bodyStyle(3).color.rgba(), Body);

    // Order matters: slot 0 after slot 1 wins everywhere.
    combo = load(R"({"style":[["bodyhot",0,1],["body",0,0]]})");
    for (int state = 0; state < 4; ++state)
        QCOMPARE(combo->bodyStyle(state).color.rgba(), Body);

    // Slots 2 and 3 are no body slots.
    combo = load(R"({"style":[["body",0,0],["bodyhot",0,2],["button",0,3]]})");
    for (int state = 0; state < 4; ++state) {
        QCOMPARE(combo->bodyStyle(state).color.rgba(), Body);
        QCOMPARE(combo->buttonStyle(state).color, TAVQBoxStyle().color);
    }

    combo = load(R"({"style":[["buttonhot",0,4],["buttondown",0,6],["red",0,8],["blue",0,10],
                              ["popup",0,12],["row",0,13],["rowsel",0,15],["rowspare",0,16],
                              ["green",0,17],["red",0,18],["blue",0,20],["body",0,21],["row",0,-1]]})");
    QCOMPARE(combo->buttonStyle(0).color.rgba(), ButtonHot);
    QCOMPARE(combo->buttonStyle(1).color.rgba(), ButtonHot);
    QCOMPARE(combo->buttonStyle(2).color.rgba(), ButtonDown);
    QCOMPARE(combo->buttonStyle(3).color.rgba(), ButtonHot);
    QCOMPARE(combo->textFontStyle(0).color, QColor(Qt::red));
    QCOMPARE(combo->textFontStyle(2).color, QColor(Qt::blue));
    QCOMPARE(combo->textFontStyle(3).color, QColor(Qt::red));
    QCOMPARE(combo->popupStyle().color.rgba(), Popup);
    QCOMPARE(combo->popupItemStyle(0).color.rgba(), Row);
    QCOMPARE(combo->popupItemStyle(1).color.rgba(), Row);
    QCOMPARE(combo->popupItemStyle(2).color.rgba(), RowSelected);
    QCOMPARE(combo->popupItemStyle(3).color.rgba(), RowSpare);
    QCOMPARE(combo->popupItemFontStyle(0).color, QColor(Qt::green));
    QCOMPARE(combo->popupItemFontStyle(1).color, QColor(Qt::red));
    QCOMPARE(combo->popupItemFontStyle(2).color, QColor(Qt::green));
    QCOMPARE(combo->popupItemFontStyle(3).color, QColor(Qt::blue));
    // Slot 21 and negative slots are nobody's.
    QCOMPARE(combo->bodyStyle(0).color, TAVQBoxStyle().color);

    // A font name in a box slot (and a box name in a font slot) finds nothing.
    combo = load(R"({"style":[["red",0,0],["red",0,12],["body",0,8]]})");
    QCOMPARE(combo->bodyStyle(0).color, TAVQBoxStyle().color);
    QCOMPARE(combo->popupStyle().color, TAVQBoxStyle().color);
    QCOMPARE(combo->textFontStyle(0).color, TAVQFontStyle().color);
}

void TestComboBox::unknownStyleNamesKeepTheStyles()
{
    TAVQComboBox combo;
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(RowSpare);
    for (int state = 0; state < 4; ++state) {
        combo.setBodyStyle(state, box);
        combo.setPopupItemStyle(state, box);
    }
    combo.setPopupStyle(box);
    combo.LoadFromJson(parse(R"({"style":[["nope",0,0],["nope",0,1],["nope",0,12],["nope",0,13]]})"));
    QCOMPARE(combo.popupStyle().color.rgba(), RowSpare);
    for (int state = 0; state < 4; ++state) {
        QCOMPARE(combo.bodyStyle(state).color.rgba(), RowSpare);
        QCOMPARE(combo.popupItemStyle(state).color.rgba(), RowSpare);
    }
    // "empty" is a known name that hides the box.
    combo.LoadFromJson(parse(R"({"style":[["empty",0,12]]})"));
    QVERIFY(!combo.popupStyle().visible);
}

void TestComboBox::programmaticStylesAndStateIndex()
{
    TAVQComboBox combo;
    TAVQBoxStyle hot;
    hot.color = QColor::fromRgba(BodyHot);
    combo.setBodyStyle(1, hot);
    QCOMPARE(combo.bodyStyle(1).color.rgba(), BodyHot);
    QCOMPARE(combo.bodyStyle(0).color, TAVQBoxStyle().color);

    // Out-of-range states address entry 0 only, for setting and reading alike.
    for (int state : {-1, 5, 4}) {
        TAVQBoxStyle box;
        box.color = QColor::fromRgba(0xFF000000u | quint32(state + 10));
        combo.setBodyStyle(state, box);
        QCOMPARE(combo.bodyStyle(0).color, box.color);
        QCOMPARE(combo.bodyStyle(state).color, box.color);
        QCOMPARE(combo.bodyStyle(1).color.rgba(), BodyHot);
        QCOMPARE(combo.bodyStyle(2).color, TAVQBoxStyle().color);
        QCOMPARE(combo.bodyStyle(3).color, TAVQBoxStyle().color);
    }
    combo.resize(60, 20);
    TAVQBoxStyle body;
    body.color = QColor::fromRgba(Body);
    combo.setBodyStyle(-1, body);
    QVERIFY(allPixels(look(&combo), QRect(0, 0, 39, 20), Body));

    combo.setButtonIcon(9, QStringLiteral("arrow.png"));
    QCOMPARE(combo.buttonIcon(0), QStringLiteral("arrow.png"));
    QVERIFY(combo.buttonIcon(3).isEmpty());
    TAVQFontStyle font;
    font.size = 31;
    combo.setTextFontStyle(3, font);
    QCOMPARE(combo.textFontStyle(3).size, 31);
    QCOMPARE(combo.textFontStyle(0).size, TAVQFontStyle().size);
    combo.setPopupItemFontStyle(-3, font);
    QCOMPARE(combo.popupItemFontStyle(0).size, 31);
    QCOMPARE(combo.popupItemFontStyle(2).size, TAVQFontStyle().size);
    combo.setButtonStyle(2, hot);
    QCOMPARE(combo.buttonStyle(2).color.rgba(), BodyHot);
    QCOMPARE(combo.buttonStyle(0).color, TAVQBoxStyle().color);
    combo.setPopupItemHeight(40);
    QCOMPARE(combo.popupItemHeight(), 40);
}

void TestComboBox::textAttribute()
{
    const QString chinese = QString::fromUtf8("中文选项");
    const QByteArray gbk = TextCodec::fromUnicode(chinese, "GBK");
    auto combo = load(R"({"attr":{"text":")" + gbk + R"("}})");
    QCOMPARE(itemsOf(*combo), QStringList({chinese}));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(combo->currentText(), chinese);

    // Loading again appends; the current item is the first one with that text.
    combo->addItem(QStringLiteral("other"));
    combo->setCurrentIndex(1);
    combo->LoadFromJson(parse(R"({"attr":{"text":")" + gbk + R"("}})"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->currentIndex(), 0);

    // Without a text nothing is added.
    combo = load(R"({"attr":{"btnIcon":"arrow.png"}})");
    QCOMPARE(combo->count(), 0);
    QCOMPARE(combo->currentIndex(), -1);
}

void TestComboBox::popupRowLooks()
{
    const auto combo = load(R"({"style":[["row",0,13],["rowhot",0,14],["rowsel",0,15],["rowspare",0,16]]})");
    combo->addItems({QString(), QString()});
    const QSize size(50, 20);
    QVERIFY(allPixels(paintRow(*combo, 0, QStyle::State_None, size), QRect(QPoint(), size), Row));
    QVERIFY(allPixels(paintRow(*combo, 0, QStyle::State_Enabled, size), QRect(QPoint(), size), Row));
    QVERIFY(allPixels(paintRow(*combo, 0, QStyle::State_MouseOver, size), QRect(QPoint(), size), RowHot));
    QVERIFY(allPixels(paintRow(*combo, 1, QStyle::State_Selected, size), QRect(QPoint(), size), RowSelected));
    // Under the mouse and selected: the mouse-over look wins.
    QVERIFY(allPixels(paintRow(*combo, 1, QStyle::State_Selected | QStyle::State_MouseOver, size),
                      QRect(QPoint(), size), RowHot));
    QCOMPARE(TAVQComboItemDelegate::lookOf(QStyle::State_Selected | QStyle::State_MouseOver), int(ComboRowHover));

    // The row's rectangle only; an invalid index paints nothing.
    QImage image(60, 40, QImage::Format_ARGB32);
    image.fill(0xFFFFFFFF);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(5, 10, 30, 12);
    combo->comboList()->comboDelegate()->paint(&painter, option, combo->model()->index(0, 0));
    combo->comboList()->comboDelegate()->paint(&painter, QStyleOptionViewItem(), QModelIndex());
    option.rect = QRect(0, 0, 60, 40);
    combo->comboList()->comboDelegate()->paint(&painter, option, QModelIndex());
    painter.end();
    QVERIFY(allPixels(image, QRect(5, 10, 30, 12), Row));
    QCOMPARE(countPixels(image, image.rect(), [](QRgb p) { return p == Row; }), 30 * 12);
}

void TestComboBox::popupRowText()
{
    const auto combo = load(R"({"style":[["row",0,13],["red",0,17],["green",0,18],["blue",0,19]]})");
    combo->addItem(QStringLiteral("WWWW"));
    const QSize size(100, 24);
    const QRect all(QPoint(), size);
    QImage image = paintRow(*combo, 0, QStyle::State_None, size);
    QVERIFY(countPixels(image, all, inkOf(0)) > 10);
    QCOMPARE(countPixels(image, all, inkOf(1)), 0);
    image = paintRow(*combo, 0, QStyle::State_Selected | QStyle::State_MouseOver, size);
    QVERIFY(countPixels(image, all, inkOf(1)) > 10);
    QCOMPARE(countPixels(image, all, inkOf(2)), 0);
    image = paintRow(*combo, 0, QStyle::State_Selected, size);
    QVERIFY(countPixels(image, all, inkOf(2)) > 10);

    // The lowest role present gives the text: a row with only a tool tip shows it.
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    QVERIFY(model);
    auto *tipOnly = new QStandardItem;
    tipOnly->setData(QStringLiteral("WWWW"), Qt::ToolTipRole);
    model->appendRow(tipOnly);
    QVERIFY(countPixels(paintRow(*combo, 1, QStyle::State_None, size), all, inkOf(0)) > 10);
    // A row without data shows no text.
    model->appendRow(new QStandardItem);
    QVERIFY(allPixels(paintRow(*combo, 2, QStyle::State_None, size), all, Row));
}

void TestComboBox::popupRowSize()
{
    TAVQComboBox combo;
    combo.addItem(QStringLiteral("a"));
    QStyleOptionViewItem option;
    option.rect = QRect(3, 4, 77, 9);
    const QModelIndex index = combo.model()->index(0, 0);
    QCOMPARE(combo.comboList()->comboDelegate()->sizeHint(option, index), QSize(77, 25));
    combo.setPopupItemHeight(31);
    QCOMPARE(combo.comboList()->comboDelegate()->sizeHint(option, index), QSize(77, 31));
}

void TestComboBox::openPopupPaintsBackgroundAndRows()
{
    const auto combo = load(R"({"style":[["body",0,0],["bodyhot",0,1],["button",0,4],["buttonhot",0,5],
                                         ["red",0,8],["popup",0,12],["row",0,13],["rowhot",0,14],
                                         ["rowsel",0,15],["blue",0,17],["green",0,19]],
                               "attr":{"btnIcon":"arrow.png","btnHotIcon":"arrowhot.png","text":"First"}})",
                            QSize(160, 30));
    combo->addItems({QStringLiteral("Second"), QStringLiteral("Third")});
    combo->setPopupItemHeight(22);
    combo->setMaxVisibleItems(8);
    combo->show();
    QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    combo->showPopup();
    TAVQComboList *list = combo->comboList();
    QVERIFY(list->isVisible());
    QCOMPARE(list->viewport()->height(), 3 * 22);
    // With the last row hidden the background shows below the rows.
    list->setRowHidden(2, true);

    // Rows of the set height from the top, the current row selected, then the background.
    QCOMPARE(list->visualRect(combo->model()->index(1, 0)).top(), 22);
    QCOMPARE(list->visualRect(combo->model()->index(1, 0)).height(), 22);
    const QImage rows = list->viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const int width = rows.width();
    QVERIFY(countPixels(rows, QRect(0, 0, width, 22), [](QRgb p) { return p == RowSelected; }) > width * 10);
    QVERIFY(countPixels(rows, QRect(0, 0, width, 22), inkOf(1)) > 10);
    QVERIFY(countPixels(rows, QRect(0, 22, width, 22), [](QRgb p) { return p == Row; }) > width * 10);
    QVERIFY(countPixels(rows, QRect(0, 22, width, 22), inkOf(2)) > 10);
    QCOMPARE(rows.height(), 66);
    QVERIFY(allPixels(rows, QRect(0, 44, width, 22), Popup));

    // A picture of the box (under the mouse) above its open popup.
    sendPlain(combo.get(), QEvent::Enter);
    const QImage box = look(combo.get());
    const QImage popup = list->window()->grab().toImage();
    QImage picture(qMax(box.width(), popup.width()) + 20, box.height() + popup.height() + 30,
                   QImage::Format_ARGB32);
    picture.fill(0xFFE0E0E0);
    QPainter painter(&picture);
    painter.drawImage(10, 10, box);
    painter.drawImage(10, 20 + box.height(), popup);
    painter.end();
    saveLookPicture(picture, QStringLiteral("combo_popup.png"));
    combo->hidePopup();
}

void TestComboBox::popupOpensBelowAtFullWidth_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("rows");
    QTest::newRow("one entry") << 1 << 0 << 1;
    QTest::newRow("three entries") << 3 << 2 << 3;
    QTest::newRow("more entries than rows shown") << 12 << 10 << 8;
}

void TestComboBox::popupOpensBelowAtFullWidth()
{
    QFETCH(int, entries);
    QFETCH(int, current);
    QFETCH(int, rows);
    const auto combo = load(R"({"style":[["body",0,0],["popup",0,12]]})", QSize(160, 30));
    // Rows that paint nothing leave the popup's own background to be seen everywhere.
    TAVQBoxStyle hidden;
    hidden.visible = false;
    for (int look = 0; look < 4; ++look)
        combo->setPopupItemStyle(look, hidden);
    for (int i = 0; i < entries; ++i)
        combo->addItem(QString());
    combo->setCurrentIndex(current);
    combo->setPopupItemHeight(22);
    combo->setMaxVisibleItems(8);
    combo->move(40, 50);
    combo->show();
    QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    combo->showPopup();
    TAVQComboList *list = combo->comboList();
    QWidget *popup = list->window();
    QVERIFY(popup->isVisible());
    QVERIFY(popup != combo.get());

    const QRect below(combo->mapToGlobal(QPoint(0, combo->height())), QSize(160, rows * 22));
    QCOMPARE(popup->geometry(), below);
    QCOMPARE(list->viewport()->size(), below.size());
    QVERIFY(list->viewport()->rect().contains(list->visualRect(combo->model()->index(current, 0))));
    // No frame, margin or arrow of Qt's around the rows.
    const QImage image = popup->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.pixel(0, 0), Popup);
    QVERIFY(allPixels(image, image.rect(), Popup));

    saveLookPicture(image, QStringLiteral("combo_popup_below_%1.png").arg(entries));
    combo->hidePopup();
}

void TestComboBox::choiceFromPopupEndsPressedLook_data()
{
    QTest::addColumn<bool>("pointerOver");
    QTest::addColumn<int>("state");
    QTest::addColumn<QRgb>("body");
    QTest::newRow("pointer over the box") << true << int(StateHover) << BodyHot;
    QTest::newRow("pointer elsewhere") << false << int(StateNormal) << Body;
}

void TestComboBox::choiceFromPopupEndsPressedLook()
{
    QFETCH(bool, pointerOver);
    const auto combo = load(BoxesPage);
    combo->addItems({QString(), QString(), QString()});
    combo->show();
    QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    const QPoint inside(10, 10);
    QCursor::setPos(pointerOver ? combo->mapToGlobal(inside) : combo->mapToGlobal(QPoint(-200, -200)));
    QTest::mousePress(combo.get(), Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(combo->GetImpl()->state(), int(StatePressed));
    TAVQComboList *list = combo->comboList();
    QVERIFY(list->isVisible());

    // The popup takes no release sooner than a double-click would come.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QPoint row2 = list->visualRect(combo->model()->index(2, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row2);
    QVERIFY(!list->isVisible());
    QCOMPARE(combo->currentIndex(), 2);
    QTEST(combo->GetImpl()->state(), "state");
    QTEST(look(combo.get()).pixel(inside), "body");
}

void TestComboBox::designerSampleItems()
{
    RegisterControlType("qtcombobox", createCombo, true);
    QWidget page;
    QWidget *created = CreateElement(parse(R"({"type":"qtcombobox","name":"combo","attr":{}})"), &page);
    auto *combo = qobject_cast<TAVQComboBox *>(created);
    QVERIFY(combo);

    // The copy below must see the flag, or it would start copies of its own.
    if (IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        QVERIFY(IsDesignerHost());
    if (IsDesignerHost()) {
        QCOMPARE(itemsOf(*combo), QStringList({"Item1", "Item2", "Item3"}));
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("Item1"));
        // A page text comes first; the samples follow and the first entry is current.
        QWidget *withText = CreateElement(
                parse(R"({"type":"qtcombobox","name":"c2","attr":{"text":"Mine"}})"), &page);
        auto *second = qobject_cast<TAVQComboBox *>(withText);
        QVERIFY(second);
        QCOMPARE(itemsOf(*second), QStringList({"Mine", "Item1", "Item2", "Item3"}));
        QCOMPARE(second->currentIndex(), 0);
        return;
    }
    QCOMPARE(combo->count(), 0);
    combo->OnChildrenLoaded();
    QCOMPARE(combo->count(), 0);

    // The flag comes from the executable's path: run a copy of this test from a
    // folder named like the designer and have it check the sample items.
    const DesignerHost::Run run = DesignerHost::runCopy(QStringLiteral("designerSampleItems"));
    const QByteArray &output = run.output;
    QVERIFY2(run.exitCode == 0, output.constData());
    QVERIFY2(output.contains("PASS   : TestComboBox::designerSampleItems()"), output.constData());
}

void TestComboBox::malformedPages()
{
    const QByteArray pages[] = {
        R"({"style":"body","attr":[]})",
        R"({"style":[["body",0,{}],[1,0,0],["body",0,"1"],"body",null,["body",0,[1]],[["body"],0,0],["body",0,[0]]],
            "attr":{"text":[5],"btnIcon":[true],"btnHotIcon":["x"]}})",
        R"({"style":{"a":5},"attr":null})",
        R"({"style":[["body",0,2147483647],["body",0,-2147483648]],"attr":{"text":{},"btnIcon":{}}})",
        R"([1,2,3])",
        R"("just text")",
        R"(null)",
    };
    for (const QByteArray &json : pages) {
        const auto combo = load(json);
        QCOMPARE(combo->count(), 0);
        for (int state = 0; state < 4; ++state) {
            QCOMPARE(combo->bodyStyle(state).color, TAVQBoxStyle().color);
            QVERIFY(combo->buttonIcon(state).isEmpty());
        }
        sendPlain(combo.get(), QEvent::Enter);
        QVERIFY(!look(combo.get()).isNull());
        combo->addItem(QStringLiteral("x"));
        combo->showPopup();
        QVERIFY(combo->comboList()->isVisible());
        QVERIFY(!combo->comboList()->viewport()->grab().isNull());
        combo->hidePopup();
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // A copy started from a designer-named folder turns the flag on like the application does.
    if (IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        InitRuntime();
    TestComboBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_combobox.moc"
