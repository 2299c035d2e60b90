#include "controls/tavqcheckbox_p.h"
#include "base/tavqjson_p.h"
#include "base/tavqtextcodec.h"
#include "core/tavqregistry.h"
#include "implof.h"
#include "resources/tavqresourcemanager.h"
#include "lookpicture.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QEnterEvent>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Green = 0xFF00FF00;
const QRgb Red = 0xFFFF0000;
const QRgb Blue = 0xFF0000FF;
const QRgb Yellow = 0xFFFFFF00;
const QRgb Dark = 0xFF000000;
// Unchecked boxes by state, then checked boxes by state.
const QRgb Boxes[8] = {0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040,
                       0xFF505050, 0xFF606060, 0xFF707070, 0xFF808080};

bool writeIcon(const QString &path, QRgb colour, int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(colour);
    return icon.save(path);
}

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// Red text ink on the black box: only the red channel is up.
QRect redInk(const QImage &image)
{
    return boundsOf(image, [](QRgb p) { return qRed(p) > 60 && qGreen(p) < 40 && qBlue(p) < 40; });
}

// Whether `shot` shows `icon` at `at`, composed over the plain background `background`.
bool showsIcon(const QImage &shot, const QImage &icon, const QPoint &at, QRgb background)
{
    QImage expected(icon.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(background);
    QPainter(&expected).drawImage(0, 0, icon);
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const QRgb got = shot.pixel(at + QPoint(x, y));
            if (qAbs(qRed(want) - qRed(got)) > 2 || qAbs(qGreen(want) - qGreen(got)) > 2
                || qAbs(qBlue(want) - qBlue(got)) > 2)
                return false;
        }
    }
    return true;
}

const QImage &builtin(const char *name)
{
    return *TAVQResourceManager::instance().image(QLatin1String(name));
}

QWidget *createRadio()
{
    return new TAVQRadioButton;
}

} // namespace

class TestCheckBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void checkBoxDefaults();
    void radioButtonDefaults();
    void bareCheckBoxShowsBuiltinImagesAndToggles();
    void checkBoxIconsByStateAndCheckState();
    void checkBoxHotIconsFallBackToTheNormalOnes();
    void disabledCheckBoxShowsOnlyDisabledIcons();
    void radioIconsIncludingBuiltinImages();

    void boxesByStateAndCheckState_data();
    void boxesByStateAndCheckState();
    void slotZeroAndFourFillEveryState();
    void textStylesByCheckState();
    void textOffsets();
    void iconPlacement();
    void minusOneAlignment();
    void textAttribute();
    void programmingInterface();

    void checkBoxSignals();
    void radioTogglesOnReleaseWithoutClicked();
    void radioPressAloneChangesOnlyTheLook();

    void malformedPages();
    void createdThroughTheRegistry();

private:
    template <typename Button>
    std::unique_ptr<Button> load(const QByteArray &json, const QSize &size = QSize(100, 30));

    QTemporaryDir m_dir;
};

void TestCheckBox::initTestCase()
{
    TAVQResourceManager::instance().createBuiltinImages();
    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[
        {"type":1,"name":"n0","drawImg":false,"clr":"ff101010"},
        {"type":1,"name":"n1","drawImg":false,"clr":"ff202020"},
        {"type":1,"name":"n2","drawImg":false,"clr":"ff303030"},
        {"type":1,"name":"n3","drawImg":false,"clr":"ff404040"},
        {"type":1,"name":"c0","drawImg":false,"clr":"ff505050"},
        {"type":1,"name":"c1","drawImg":false,"clr":"ff606060"},
        {"type":1,"name":"c2","drawImg":false,"clr":"ff707070"},
        {"type":1,"name":"c3","drawImg":false,"clr":"ff808080"},
        {"type":1,"name":"dark","drawImg":false,"clr":"ff000000"},
        {"type":2,"name":"red","size":16,"clr":"ff0000","hor":0,"ver":1,"family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"blue","size":16,"clr":"0000ff","hor":0,"ver":1,"family":"WenQuanYi Micro Hei"}
    ]})");
    sheet.close();
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("un.png")), Green, 10));
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("unhot.png")), Red, 10));
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("chk.png")), Blue, 10));
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("chkhot.png")), Yellow, 10));
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
    QVERIFY(TAVQResourceManager::instance().image(QStringLiteral("IDB_CHECKED")));
}

template <typename Button>
std::unique_ptr<Button> TestCheckBox::load(const QByteArray &json, const QSize &size)
{
    auto button = std::make_unique<Button>();
    button->LoadFromJson(parse(json));
    button->resize(size);
    return button;
}

static const QByteArray FourIcons =
        R"({"style":[["dark",0,0],["dark",0,4]],"attr":{"iconPath":"un.png","hotIconPath":"unhot.png",
            "siconPath":"chk.png","sHotIconPath":"chkhot.png"}})";

void TestCheckBox::checkBoxDefaults()
{
    TAVQCheckBox box;
    QCOMPARE(box.GetTypeName(), QStringLiteral("qtcheckbox"));
    QCOMPARE(box.iconPath(), QStringLiteral("IDB_UNCHECK"));
    QCOMPARE(box.hotIconPath(), QStringLiteral("IDB_UNCHECK"));
    QCOMPARE(box.checkedIconPath(), QStringLiteral("IDB_CHECKED"));
    QCOMPARE(box.checkedHotIconPath(), QStringLiteral("IDB_CHECKED"));
    QVERIFY(box.disabledIconPath().isEmpty());
    QVERIFY(box.disabledCheckedIconPath().isEmpty());
    QCOMPARE(box.iconPlacement().offsetX, 0);
    QCOMPARE(box.iconPlacement().offsetY, 0);
    QCOMPARE(box.iconPlacement().alignH, 0);
    QCOMPARE(box.iconPlacement().alignV, 1);
    QVERIFY(box.showIcon());
    QVERIFY(box.showText());
    for (int state = 0; state < 4; ++state) {
        QVERIFY(!box.boxStyle(state).visible);
        QVERIFY(!box.checkedBoxStyle(state).visible);
    }
    QCOMPARE(box.textStyle(false).size, TAVQFontStyle().size);
}

void TestCheckBox::radioButtonDefaults()
{
    TAVQRadioButton radio;
    QCOMPARE(radio.GetTypeName(), QStringLiteral("qtradiobox"));
    QVERIFY(radio.iconPath().isEmpty());
    QVERIFY(radio.hotIconPath().isEmpty());
    QVERIFY(radio.checkedIconPath().isEmpty());
    QVERIFY(radio.checkedHotIconPath().isEmpty());
    QCOMPARE(radio.iconPlacement().alignH, 0);
    QCOMPARE(radio.iconPlacement().alignV, 1);
    QVERIFY(radio.showIcon() && radio.showText());
    QVERIFY(radio.autoExclusive());
    for (int state = 0; state < 4; ++state) {
        QVERIFY(!radio.boxStyle(state).visible);
        QVERIFY(!radio.checkedBoxStyle(state).visible);
    }
}

void TestCheckBox::bareCheckBoxShowsBuiltinImagesAndToggles()
{
    const auto box = load<TAVQCheckBox>("{}");
    const QImage &unchecked = builtin("IDB_UNCHECK");
    const QImage &checked = builtin("IDB_CHECKED");
    // Left, vertically centred.
    const QPoint at(0, (box->height() - unchecked.height()) / 2);

    QImage shot = look(box.get());
    saveLookPicture(shot, QStringLiteral("checkbox_bare_unchecked.png"));
    const QRgb background = shot.pixel(box->width() - 1, 0);
    QVERIFY(showsIcon(shot, unchecked, at, background));
    QVERIFY(!showsIcon(shot, checked, at, background));
    // Nothing but the icon: the rest is background.
    QCOMPARE(boundsOf(shot, [background](QRgb p) { return p != background; }),
             boundsOf(unchecked, [](QRgb p) { return qAlpha(p) != 0; }).translated(at));

    QSignalSpy toggled(box.get(), &QAbstractButton::toggled);
    QTest::mouseClick(box.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 15));
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
    shot = look(box.get());
    saveLookPicture(shot, QStringLiteral("checkbox_bare_checked.png"));
    QVERIFY(showsIcon(shot, checked, at, background));
    QVERIFY(!showsIcon(shot, unchecked, at, background));
}

void TestCheckBox::checkBoxIconsByStateAndCheckState()
{
    const auto box = load<TAVQCheckBox>(FourIcons);
    const QRect icon(0, 10, 10, 10);
    QCOMPARE(boundsOfColour(look(box.get()), Green), icon);
    enter(box.get());
    QCOMPARE(boundsOfColour(look(box.get()), Red), icon);
    box->setChecked(true);
    QCOMPARE(boundsOfColour(look(box.get()), Yellow), icon);
    leave(box.get());
    QCOMPARE(boundsOfColour(look(box.get()), Blue), icon);

    // Pressed shows the plain icon of the current check state.
    QTest::mousePress(box.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(box->GetImpl()->state(), int(StatePressed));
    QCOMPARE(boundsOfColour(look(box.get()), Blue), icon);
    QTest::mouseRelease(box.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QVERIFY(!box->isChecked());
    const QImage shot = look(box.get());
    saveLookPicture(shot, QStringLiteral("checkbox_icons.png"));
    QCOMPARE(boundsOfColour(shot, Green), icon);
    QVERIFY(boundsOfColour(shot, Blue).isNull());
}

void TestCheckBox::checkBoxHotIconsFallBackToTheNormalOnes()
{
    // Without hot keys the hot icons stay the built-in defaults, which equal the plain ones.
    const auto bare = load<TAVQCheckBox>("{}");
    enter(bare.get());
    QImage shot = look(bare.get());
    const QPoint at(0, 7);
    QVERIFY(showsIcon(shot, builtin("IDB_UNCHECK"), at, shot.pixel(99, 0)));

    // Empty hot paths take the plain ones.
    const auto box = load<TAVQCheckBox>(
            R"({"style":[["dark",0,0],["dark",0,4]],"attr":{"iconPath":"un.png","hotIconPath":"",
                "siconPath":"chk.png","sHotIconPath":""}})");
    QCOMPARE(box->hotIconPath(), QStringLiteral("un.png"));
    QCOMPARE(box->checkedHotIconPath(), QStringLiteral("chk.png"));
    enter(box.get());
    QCOMPARE(boundsOfColour(look(box.get()), Green), QRect(0, 10, 10, 10));
    box->setChecked(true);
    QCOMPARE(boundsOfColour(look(box.get()), Blue), QRect(0, 10, 10, 10));
}

void TestCheckBox::disabledCheckBoxShowsOnlyDisabledIcons()
{
    const auto box = load<TAVQCheckBox>(FourIcons);
    box->setEnabled(false);
    QImage shot = look(box.get());
    QCOMPARE(box->GetImpl()->state(), int(StateDisabled));
    QCOMPARE(boundsOf(shot, [](QRgb p) { return p != Dark; }), QRect());

    box->setDisabledIconPath(QStringLiteral("unhot.png"));
    box->setDisabledCheckedIconPath(QStringLiteral("chkhot.png"));
    QCOMPARE(boundsOfColour(look(box.get()), Red), QRect(0, 10, 10, 10));
    box->setChecked(true);
    QCOMPARE(boundsOfColour(look(box.get()), Yellow), QRect(0, 10, 10, 10));
    box->setEnabled(true);
    QCOMPARE(boundsOfColour(look(box.get()), Blue), QRect(0, 10, 10, 10));
}

void TestCheckBox::radioIconsIncludingBuiltinImages()
{
    // No icon of its own: nothing at all is painted by a bare radio button.
    const auto bare = load<TAVQRadioButton>(R"({"style":[["dark",0,0],["dark",0,4]]})");
    QCOMPARE(boundsOf(look(bare.get()), [](QRgb p) { return p != Dark; }), QRect());

    const auto radio = load<TAVQRadioButton>(
            R"({"style":[["dark",0,0],["dark",0,4]],"attr":{"iconPath":"IDB_UNSELECT","siconPath":"IDB_SELECTED"}})");
    const QImage &off = builtin("IDB_UNSELECT");
    const QImage &on = builtin("IDB_SELECTED");
    const QPoint at(0, 7);
    QImage shot = look(radio.get());
    saveLookPicture(shot, QStringLiteral("radio_unselected.png"));
    QVERIFY(showsIcon(shot, off, at, Dark));
    QVERIFY(!showsIcon(shot, on, at, Dark));
    // An empty hot path keeps the plain icon while hovered.
    enter(radio.get());
    QVERIFY(showsIcon(look(radio.get()), off, at, Dark));
    radio->setChecked(true);
    shot = look(radio.get());
    saveLookPicture(shot, QStringLiteral("radio_selected.png"));
    QVERIFY(showsIcon(shot, on, at, Dark));

    const auto page = load<TAVQRadioButton>(FourIcons);
    const QRect icon(0, 10, 10, 10);
    QCOMPARE(boundsOfColour(look(page.get()), Green), icon);
    enter(page.get());
    QCOMPARE(boundsOfColour(look(page.get()), Red), icon);
    page->setChecked(true);
    QCOMPARE(boundsOfColour(look(page.get()), Yellow), icon);
    leave(page.get());
    QCOMPARE(boundsOfColour(look(page.get()), Blue), icon);
    // No disabled icon: a disabled radio button keeps its plain icon.
    page->setEnabled(false);
    QCOMPARE(boundsOfColour(look(page.get()), Blue), icon);
}

void TestCheckBox::boxesByStateAndCheckState_data()
{
    QTest::addColumn<bool>("radio");
    QTest::newRow("check box") << false;
    QTest::newRow("radio button") << true;
}

void TestCheckBox::boxesByStateAndCheckState()
{
    QFETCH(bool, radio);
    const QByteArray page = R"({"style":[["n0",0,0],["n1",0,1],["n2",0,2],["n3",0,3],
                                         ["c0",0,4],["c1",0,5],["c2",0,6],["c3",0,7]],
                                "attr":{"showIcon":false}})";
    std::unique_ptr<QAbstractButton> owner;
    if (radio)
        owner = load<TAVQRadioButton>(page);
    else
        owner = load<TAVQCheckBox>(page);
    QAbstractButton *button = owner.get();
    const QPoint centre(50, 15);
    auto colourAt = [&]() { return look(button).pixel(centre); };

    QCOMPARE(colourAt(), Boxes[0]);
    enter(button);
    QCOMPARE(colourAt(), Boxes[1]);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(colourAt(), Boxes[2]);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, centre);
    QVERIFY(button->isChecked());
    QCOMPARE(colourAt(), Boxes[4]);
    enter(button);
    QCOMPARE(colourAt(), Boxes[5]);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(colourAt(), Boxes[6]);
    button->setEnabled(false);
    QCOMPARE(colourAt(), Boxes[7]);
    // A lone auto-exclusive radio button refuses to be unchecked.
    button->setAutoExclusive(false);
    button->setChecked(false);
    QCOMPARE(colourAt(), Boxes[3]);
    button->setEnabled(true);
    QCOMPARE(colourAt(), Boxes[0]);
}

void TestCheckBox::slotZeroAndFourFillEveryState()
{
    const auto box = load<TAVQCheckBox>(R"({"style":[["n2",0,2],["n0",0,0],["c0",0,4],["c3",0,7]]})");
    for (int state = 0; state < 4; ++state)
        QCOMPARE(box->boxStyle(state).color.rgba(), Boxes[0]);
    QCOMPARE(box->checkedBoxStyle(0).color.rgba(), Boxes[4]);
    QCOMPARE(box->checkedBoxStyle(2).color.rgba(), Boxes[4]);
    QCOMPARE(box->checkedBoxStyle(3).color.rgba(), Boxes[7]);
    QVERIFY(box->checkedBoxStyle(3).visible);

    // Unknown names and other slots leave the boxes hidden.
    const auto radio = load<TAVQRadioButton>(R"({"style":[["nope",0,0],["n1",0,8],["red",0,1],["n1",0,10]]})");
    for (int state = 0; state < 4; ++state)
        QVERIFY(!radio->boxStyle(state).visible && !radio->checkedBoxStyle(state).visible);
}

void TestCheckBox::textStylesByCheckState()
{
    const QByteArray page = R"({"style":[["dark",0,0],["dark",0,4],["red",0,8],["blue",0,9]],
                                "attr":{"showIcon":false,"text":"WWW"}})";
    for (bool radio : {false, true}) {
        std::unique_ptr<QAbstractButton> button;
        if (radio)
            button = load<TAVQRadioButton>(page);
        else
            button = load<TAVQCheckBox>(page);
        QImage shot = look(button.get());
        QVERIFY(!boundsOf(shot, [](QRgb p) { return qRed(p) > 150 && qBlue(p) < 40; }).isNull());
        QVERIFY(boundsOf(shot, [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 40; }).isNull());
        button->setChecked(true);
        shot = look(button.get());
        saveLookPicture(shot, radio ? QStringLiteral("radio_text_checked.png") : QStringLiteral("checkbox_text_checked.png"));
        QVERIFY(boundsOf(shot, [](QRgb p) { return qRed(p) > 150 && qBlue(p) < 40; }).isNull());
        QVERIFY(!boundsOf(shot, [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 40; }).isNull());
    }

    // Slot 8 alone: the radio button uses it for both check states, the check box only unchecked.
    const auto box = load<TAVQCheckBox>(R"({"style":[["red",0,8]]})");
    QCOMPARE(box->textStyle(false).color, QColor(Qt::red));
    QCOMPARE(box->textStyle(true).color, TAVQFontStyle().color);
    const auto radio = load<TAVQRadioButton>(R"({"style":[["red",0,8]]})");
    QCOMPARE(radio->textStyle(false).color, QColor(Qt::red));
    QCOMPARE(radio->textStyle(true).color, QColor(Qt::red));
    // A later slot 9 still wins for the checked text.
    const auto later = load<TAVQRadioButton>(R"({"style":[["blue",0,9],["red",0,8],["blue",0,9]]})");
    QCOMPARE(later->textStyle(true).color, QColor(Qt::blue));
}

void TestCheckBox::textOffsets()
{
    // Left-aligned red text on black: its leftmost ink moves by exactly the text offset.
    auto inkLeft = [this](bool radio, const QByteArray &attr) {
        const QByteArray page = R"({"style":[["dark",0,0],["dark",0,4],["red",0,8]],"attr":{"text":"WW",)" + attr + "}}";
        std::unique_ptr<QAbstractButton> button;
        if (radio)
            button = load<TAVQRadioButton>(page, QSize(120, 30));
        else
            button = load<TAVQCheckBox>(page, QSize(120, 30));
        return redInk(look(button.get())).left();
    };
    const int bare = inkLeft(false, R"("showIcon":false)");
    QVERIFY(bare >= 0);
    QCOMPARE(inkLeft(false, R"("iconPath":"un.png")"), bare + 10);
    QCOMPARE(inkLeft(false, R"("iconPath":"un.png","iconX":4)"), bare + 14);
    QCOMPARE(inkLeft(false, R"("iconPath":"un.png","iconX":4,"iconHor":2)"), bare);
    QCOMPARE(inkLeft(false, R"("iconPath":"un.png","showIcon":false)"), bare);
    // The unchecked icon's width counts even when it is not the one shown.
    QCOMPARE(inkLeft(false, R"("iconPath":"IDB_UNCHECK")"), bare + 16);
    QCOMPARE(inkLeft(false, R"("iconPath":"missing.png")"), bare);

    QCOMPARE(inkLeft(true, R"("showIcon":false)"), bare);
    QCOMPARE(inkLeft(true, "\"x\":0"), bare);
    QCOMPARE(inkLeft(true, R"("iconPath":"un.png")"), bare + 12);
    QCOMPARE(inkLeft(true, R"("iconPath":"un.png","iconX":4,"iconHor":2)"), bare + 12);
    QCOMPARE(inkLeft(true, R"("iconPath":"missing.png")"), bare);

    QImage shot = look(load<TAVQCheckBox>(R"({"style":[["dark",0,0],["red",0,8]],"attr":{"text":"WW","iconPath":"un.png","iconX":4}})",
                                          QSize(120, 30)).get());
    saveLookPicture(shot, QStringLiteral("checkbox_text_offset.png"));
}

void TestCheckBox::iconPlacement()
{
    const struct { QByteArray attr; QRect icon; } cases[] = {
        {R"("iconY":5)", QRect(0, 15, 10, 10)},
        {R"("iconVer":2)", QRect(0, 20, 10, 10)},
        {R"("iconVer":0,"iconX":3)", QRect(3, 0, 10, 10)},
        {R"("iconHor":1)", QRect(45, 10, 10, 10)},
        {R"("iconHor":2,"iconX":-2)", QRect(88, 10, 10, 10)},
    };
    for (const auto &c : cases) {
        const QByteArray page = R"({"style":[["dark",0,0]],"attr":{"iconPath":"un.png",)" + c.attr + "}}";
        QCOMPARE(boundsOfColour(look(load<TAVQCheckBox>(page).get()), Green), c.icon);
        QCOMPARE(boundsOfColour(look(load<TAVQRadioButton>(page).get()), Green), c.icon);
    }
}

void TestCheckBox::minusOneAlignment()
{
    const QByteArray page = R"({"attr":{"iconHor":-1,"iconVer":-1}})";
    const auto box = load<TAVQCheckBox>(page);
    QCOMPARE(box->iconPlacement().alignH, -1);
    QCOMPARE(box->iconPlacement().alignV, -1);
    const auto radio = load<TAVQRadioButton>(page);
    QCOMPARE(radio->iconPlacement().alignH, 0);
    QCOMPARE(radio->iconPlacement().alignV, 1);
    const auto moved = load<TAVQRadioButton>(R"({"attr":{"iconHor":2,"iconVer":-2}})");
    QCOMPARE(moved->iconPlacement().alignH, 2);
    QCOMPARE(moved->iconPlacement().alignV, -2);
}

void TestCheckBox::textAttribute()
{
    TAVQCheckBox box;
    box.setText(QStringLiteral("before"));
    QVERIFY(box.LoadFromJson(parse(R"({"w":10})")));
    QCOMPARE(box.text(), QStringLiteral("before"));
    QVERIFY(box.LoadFromJson(parse(R"({"attr":{"showIcon":true}})")));
    QVERIFY(box.text().isEmpty());

    const QString chinese = QStringLiteral("记住密码");
    const QByteArray gbk = TextCodec::fromUnicode(chinese, "GBK");
    TAVQRadioButton radio;
    QVERIFY(radio.LoadFromJson(parse("{\"attr\":{\"text\":\"" + gbk + "\"}}")));
    QCOMPARE(radio.text(), chinese);
}

void TestCheckBox::programmingInterface()
{
    TAVQRadioButton radio;
    radio.resize(100, 30);
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(Boxes[1]);
    radio.setBoxStyle(1, box);
    QVERIFY(!radio.boxStyle(0).visible);
    box.color = QColor::fromRgba(Boxes[0]);
    radio.setBoxStyle(0, box);
    QCOMPARE(radio.boxStyle(1).color.rgba(), Boxes[1]);
    box.color = QColor::fromRgba(Boxes[4]);
    radio.setCheckedBoxStyle(4, box);
    for (int state = 0; state < 4; ++state)
        QCOMPARE(radio.checkedBoxStyle(state).color.rgba(), Boxes[4]);

    TAVQFontStyle font;
    font.size = 29;
    radio.setTextStyle(true, font);
    QCOMPARE(radio.textStyle(true).size, 29);
    QCOMPARE(radio.textStyle(false).size, TAVQFontStyle().size);

    TAVQImagePlacement placement;
    placement.alignH = 2;
    placement.alignV = 0;
    radio.setIconPlacement(placement);
    radio.setIconPath(QStringLiteral("un.png"));
    radio.setShowText(false);
    QVERIFY(!radio.showText());
    QImage shot = look(&radio);
    QCOMPARE(boundsOfColour(shot, Green), QRect(90, 0, 10, 10));
    QCOMPARE(shot.pixel(50, 15), Boxes[0]);
    radio.setShowIcon(false);
    QVERIFY(boundsOfColour(look(&radio), Green).isNull());

    TAVQCheckBox check;
    check.setHotIconPath(QStringLiteral("a"));
    check.setCheckedIconPath(QStringLiteral("b"));
    check.setCheckedHotIconPath(QStringLiteral("c"));
    QCOMPARE(check.hotIconPath(), QStringLiteral("a"));
    QCOMPARE(check.checkedIconPath(), QStringLiteral("b"));
    QCOMPARE(check.checkedHotIconPath(), QStringLiteral("c"));
}

void TestCheckBox::checkBoxSignals()
{
    const auto box = load<TAVQCheckBox>("{}");
    QStringList events;
    connect(box.get(), &QAbstractButton::toggled, this, [&](bool on) { events << QStringLiteral("toggled %1").arg(on); });
    connect(box.get(), &QAbstractButton::clicked, this, [&](bool on) { events << QStringLiteral("clicked %1").arg(on); });
    // Anywhere on the face counts, not only Qt's indicator.
    QTest::mouseClick(box.get(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 25));
    QTest::mouseClick(box.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 15));
    QCOMPARE(events, QStringList({"toggled 1", "clicked 1", "toggled 0", "clicked 0"}));
    QCOMPARE(box->GetImpl()->state(), int(StateNormal));
}

void TestCheckBox::radioTogglesOnReleaseWithoutClicked()
{
    QWidget group;
    TAVQRadioButton *radios[3];
    QStringList events;
    for (int i = 0; i < 3; ++i) {
        radios[i] = new TAVQRadioButton(&group);
        radios[i]->setGeometry(0, 30 * i, 100, 30);
        const QString name = QString::number(i);
        connect(radios[i], &QAbstractButton::toggled, this,
                [&events, name](bool on) { events << name + QStringLiteral(" toggled %1").arg(on); });
        connect(radios[i], &QAbstractButton::clicked, this, [&events, name]() { events << name + " clicked"; });
    }
    radios[0]->setChecked(true);
    events.clear();

    QTest::mouseRelease(radios[1], Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(events, QStringList({"0 toggled 0", "1 toggled 1"}));
    QVERIFY(radios[1]->isChecked() && !radios[0]->isChecked());

    // Releasing on the checked one changes nothing.
    events.clear();
    QTest::mouseRelease(radios[1], Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QVERIFY(events.isEmpty());
    QVERIFY(radios[1]->isChecked());

    // A full click: still no clicked signal.
    QTest::mouseClick(radios[2], Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(events, QStringList({"1 toggled 0", "2 toggled 1"}));
    QCOMPARE(radios[2]->GetImpl()->state(), int(StateNormal));

    // Without auto-exclusion a release unchecks again.
    radios[2]->setAutoExclusive(false);
    events.clear();
    QTest::mouseRelease(radios[2], Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(events, QStringList({"2 toggled 0"}));
}

void TestCheckBox::radioPressAloneChangesOnlyTheLook()
{
    const auto radio = load<TAVQRadioButton>("{}");
    QSignalSpy pressed(radio.get(), &QAbstractButton::pressed);
    QSignalSpy toggled(radio.get(), &QAbstractButton::toggled);
    QTest::mousePress(radio.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(radio->GetImpl()->state(), int(StatePressed));
    QVERIFY(!radio->isDown());
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(toggled.count(), 0);
    QVERIFY(!radio->isChecked());
}

void TestCheckBox::malformedPages()
{
    const QByteArray pages[] = {
        R"({"style":"n0","attr":[]})",
        R"({"style":[[],[1,0,0],["n0",0,"1"],"n0",null,["n0",0,[1]],[["n0"],0,4],["red",0,"8"]],
            "attr":{"showIcon":"no","showText":[1],"iconPath":[3],"siconPath":["a"],"iconX":"1.5","iconY":"4",
                    "iconHor":"true","iconVer":{},"text":[7]}})",
        R"({"style":{"a":5},"attr":null})",
        R"({"attr":{"iconX":2147483647,"iconY":-2147483648,"iconPath":"un.png"}})",
        R"([1,2,3])",
        R"("just text")",
    };
    for (const QByteArray &page : pages) {
        for (bool radio : {false, true}) {
            std::unique_ptr<QAbstractButton> button;
            if (radio)
                button = load<TAVQRadioButton>(page);
            else
                button = load<TAVQCheckBox>(page);
            auto *control = dynamic_cast<ITAVQControlBase *>(button.get());
            QVERIFY(control);
            auto *impl = implOf<TAVQToggleImpl>(control);
            QVERIFY(!impl->boxStyle(0).visible);
            QVERIFY(!impl->checkedBoxStyle(0).visible);
            QVERIFY(impl->showIcon() && impl->showText());
            QVERIFY(button->text().isEmpty());
            if (page != pages[3]) {
                QCOMPARE(impl->iconPlacement().offsetX, 0);
                QCOMPARE(impl->iconPath(), radio ? QString() : QStringLiteral("IDB_UNCHECK"));
                QVERIFY(radio || impl->checkedIconPath() == QStringLiteral("IDB_CHECKED"));
            }
            enter(button.get());
            QTest::mouseClick(button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
            QVERIFY(button->isChecked());
            QVERIFY(!look(button.get()).isNull());
        }
    }

    // What JsonCpp converts is read: numbers and booleans into each other, reals
    // truncated, null as 0, numbers as their text, a missing slot as slot 0.
    const auto converted = load<TAVQCheckBox>(R"({"style":[["n0"]],"attr":{"showIcon":0,"showText":null,
        "iconPath":3,"iconX":1.5,"iconY":-2.5,"iconHor":true,"iconVer":null,"text":7}})");
    auto *impl = implOf<TAVQToggleImpl>(converted.get());
    for (int state = 0; state < 4; ++state)
        QCOMPARE(impl->boxStyle(state).color.rgba(), Boxes[0]);
    QVERIFY(!impl->showIcon());
    QVERIFY(!impl->showText());
    QCOMPARE(impl->iconPath(), QStringLiteral("3"));
    QCOMPARE(impl->iconPlacement().offsetX, 1);
    QCOMPARE(impl->iconPlacement().offsetY, -2);
    QCOMPARE(impl->iconPlacement().alignH, 1);
    QCOMPARE(impl->iconPlacement().alignV, 0);
    QCOMPARE(converted->text(), QStringLiteral("7"));
}

void TestCheckBox::createdThroughTheRegistry()
{
    RegisterControlType("qtradiobox", createRadio, true);
    QWidget window;
    window.resize(200, 100);
    QWidget *created = CreateControl("qtradiobox",
            parse(R"({"name":"r","x":10,"y":20,"w":100,"h":30,"style":[["n1",0,0]],"attr":{"text":"A"}})"),
            &window);
    auto *radio = qobject_cast<TAVQRadioButton *>(created);
    QVERIFY(radio);
    QCOMPARE(radio->objectName(), QStringLiteral("r"));
    QCOMPARE(radio->text(), QStringLiteral("A"));
    radio->GetControlBase()->ApplyLayout();
    QCOMPARE(radio->geometry(), QRect(10, 20, 100, 30));
    QCOMPARE(look(&window).pixel(100, 22), Boxes[1]);
}

QTEST_MAIN(TestCheckBox)
#include "tst_checkbox.moc"
