#include "controls/tavqedit.h"
#include "base/tavqjson_p.h"
#include "base/tavqtextcodec.h"
#include "controls/tavqvaluecontrols.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>


using namespace TAVQtLib;

namespace {

// Box fills of the style sheet below.
const QRgb Normal = 0xFF203040;
const QRgb Hover = 0xFF506070;
const QRgb Focused = 0xFF80A0C0;
const QRgb Disabled = 0xFFC0C0C0;
const QRgb White = 0xFFFFFFFF;
const QRgb Backdrop = 0xFFFF00FF;
// Text colours.
const QRgb Red = 0xFFFF0000;
const QRgb Green = 0xFF00C000;
const QRgb Blue = 0xFF0000FF;
const QRgb Yellow = 0xFFFFFF00;

const char Family[] = "WenQuanYi Micro Hei";

int countColour(const QImage &image, QRgb colour, const QRect &area = QRect())
{
    const QRect scan = area.isNull() ? image.rect() : area & image.rect();
    int count = 0;
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        for (int x = scan.left(); x <= scan.right(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return count;
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

// A shown, active top-level window with a solid backdrop holding the controls,
// so key events reach the focused one as they would on screen.
class Form : public QWidget
{
public:
    Form()
    {
        setAutoFillBackground(true);
        QPalette backdrop = palette();
        backdrop.setColor(QPalette::Window, QColor::fromRgba(Backdrop));
        setPalette(backdrop);
        resize(320, 240);
        m_spare = new QLineEdit(this);
        m_spare->setGeometry(0, 220, 50, 20);
    }

    bool activate()
    {
        show();
        if (!QTest::qWaitForWindowExposed(this))
            return false;
        QApplication::setActiveWindow(this);
        return QTest::qWaitForWindowActive(this);
    }

    // Gives the focus to a widget that is none of the tested ones.
    void focusElsewhere() { m_spare->setFocus(); }

private:
    QLineEdit *m_spare;
};

QByteArray gbk(const QString &text)
{
    return TextCodec::fromUnicode(text, "GBK");
}

} // namespace

class TestEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void construction();
    void typeNamesAndRegistry();

    void marginDefaults();
    void marginsOnlyWithAttr();
    void attributes();

    void styleSlots();
    void fontFollowsStateAndIgnoresBoldness();
    void setFontStyleReappliesOnlyTheNormalState();

    void placeholderOnlyWhileEmpty();
    void textEditPlaceholderAndSkinOnTheViewport();
    void focusedLookSurvivesHover();
    void clicksDoNotChangeTheLook();
    void disabledUsesStateThree();
    void paintingSchedulesNoFurtherPaint();

    void passwordIgnoresTheStandardShortcuts();
    void passwordOffersNoContextMenu();
    void shortcutCapture();

    void textEditScrollBarChildren();
    void textEditScrollBarForwards();
    void sizedScrollBarKeepsItsParts();

    void spinBoxPaintsNoFrameOrArrows();

    void malformedPages();

private:
    QTemporaryDir m_dir;
};

void TestEdit::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[
        {"type":1,"name":"normal","drawImg":false,"clr":"ff203040"},
        {"type":1,"name":"hover","drawImg":false,"clr":"ff506070"},
        {"type":1,"name":"focused","drawImg":false,"clr":"ff80a0c0"},
        {"type":1,"name":"disabled","drawImg":false,"clr":"ffc0c0c0"},
        {"type":1,"name":"white","drawImg":false,"clr":"ffffffff"},
        {"type":2,"name":"red","size":22,"clr":"ff0000","family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"green","size":16,"clr":"00c000","family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"blue","size":22,"clr":"0000ff","family":"WenQuanYi Micro Hei","bold":true},
        {"type":2,"name":"yellow","size":18,"clr":"ffff00","family":"WenQuanYi Micro Hei"}
    ]})");
    sheet.close();
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
}

void TestEdit::construction()
{
    TAVQLineEdit line;
    QVERIFY(!line.hasFrame());
    QCOMPARE(line.styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QCOMPARE(line.echoMode(), QLineEdit::Normal);
    QVERIFY(!line.shortcutMode());
    QVERIFY(line.tipText().isEmpty());
    QCOMPARE(line.textMargins(), QMargins());

    TAVQTextEdit text;
    QCOMPARE(text.frameStyle(), 0);
    QCOMPARE(text.styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QCOMPARE(text.viewport()->styleSheet(), text.styleSheet());
    TAVQScrollBar *hBar = text.scrollBar(true);
    TAVQScrollBar *vBar = text.scrollBar(false);
    QVERIFY(hBar && vBar && hBar != vBar);
    QCOMPARE(text.horizontalScrollBar(), static_cast<QScrollBar *>(hBar));
    QCOMPARE(text.verticalScrollBar(), static_cast<QScrollBar *>(vBar));
    QCOMPARE(hBar->orientation(), Qt::Horizontal);
    QCOMPARE(vBar->orientation(), Qt::Vertical);
    QVERIFY(text.isAncestorOf(hBar));
    QVERIFY(text.isAncestorOf(vBar));

    TAVQSpinBox spin;
    QVERIFY(!spin.hasFrame());
    QCOMPARE(spin.styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QSpinBox plain;
    QCOMPARE(spin.minimum(), plain.minimum());
    QCOMPARE(spin.maximum(), plain.maximum());
    QCOMPARE(spin.singleStep(), plain.singleStep());
    QCOMPARE(spin.value(), plain.value());

    // The bars go with the edit.
    auto *owned = new TAVQTextEdit;
    QPointer<TAVQScrollBar> bar = owned->scrollBar(false);
    delete owned;
    QVERIFY(bar.isNull());
}

void TestEdit::typeNamesAndRegistry()
{
    QCOMPARE(TAVQLineEdit().GetTypeName(), QStringLiteral("qtdedit"));
    QCOMPARE(TAVQTextEdit().GetTypeName(), QStringLiteral("qttext"));
    QCOMPARE(TAVQSpinBox().GetTypeName(), QStringLiteral("qtspinbox"));

    RegisterControlType("qtdedit", []() { return static_cast<QWidget *>(new TAVQLineEdit); }, true);
    RegisterControlType("qttext", []() { return static_cast<QWidget *>(new TAVQTextEdit); }, true);
    QWidget host;
    host.resize(300, 200);
    // Built by the page builder: the normal text style is in force afterwards,
    // and the scroll-bar child becomes no control of its own.
    QWidget *built = BuildElements(parse(R"({"elements":[
        {"type":"qtdedit","name":"user","x":0,"y":0,"w":100,"h":30,"style":[["green",0,4]]},
        {"type":"qttext","name":"notes","x":0,"y":40,"w":100,"h":90,"style":[["yellow",0,4]],
         "child":[{"type":"qtscrollbar","w":11,"attr":{"hor":false}}]}
    ]})"), &host);
    QVERIFY(built);
    auto *user = host.findChild<TAVQLineEdit *>(QStringLiteral("user"));
    auto *notes = host.findChild<TAVQTextEdit *>(QStringLiteral("notes"));
    QVERIFY(user && notes);
    QCOMPARE(user->palette().color(QPalette::Text).rgba(), Green);
    QCOMPARE(user->font().pixelSize(), 16);
    QCOMPARE(notes->palette().color(QPalette::Text).rgba(), Yellow);
    QCOMPARE(notes->font().pixelSize(), 18);
    QCOMPARE(notes->findChildren<TAVQScrollBar *>().size(), 2);
}

void TestEdit::marginDefaults()
{
    TAVQLineEdit line;
    line.LoadFromJson(parse(R"({"attr":{"leftMargin":8}})"));
    QCOMPARE(line.textMargins(), QMargins(8, 0, 8, 0));

    TAVQLineEdit topOnly;
    topOnly.LoadFromJson(parse(R"({"attr":{"topMargin":3}})"));
    QCOMPARE(topOnly.textMargins(), QMargins(0, 3, 0, 3));

    TAVQLineEdit all;
    all.LoadFromJson(parse(R"({"attr":{"leftMargin":8,"rightMargin":2,"topMargin":3,"bottomMargin":1}})"));
    QCOMPARE(all.textMargins(), QMargins(8, 3, 2, 1));

    TAVQTextEdit text;
    text.LoadFromJson(parse(R"({"attr":{"leftMargin":8}})"));
    QCOMPARE(text.textMargins(), QMargins(8, 0, 0, 0));

    TAVQTextEdit textAll;
    textAll.LoadFromJson(parse(R"({"attr":{"leftMargin":1,"topMargin":2,"rightMargin":3,"bottomMargin":4}})"));
    QCOMPARE(textAll.textMargins(), QMargins(1, 2, 3, 4));
    // The viewport, where the text goes, moves in by the margins, also after
    // the scroll area has laid itself out again.
    textAll.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textAll.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textAll.resize(100, 80);
    textAll.show();
    QVERIFY(QTest::qWaitForWindowExposed(&textAll));
    QCOMPARE(textAll.viewport()->geometry(), QRect(1, 2, 96, 74));
    textAll.resize(120, 90);
    QTRY_COMPARE(textAll.viewport()->geometry(), QRect(1, 2, 116, 84));

    // The text really starts further right in the line edit.
    TAVQLineEdit plain;
    TAVQLineEdit inset;
    for (TAVQLineEdit *edit : {&plain, &inset}) {
        edit->resize(120, 30);
        edit->setFontStyle(0, TAVQFontStyle{false, false, 20, false, QString::fromLatin1(Family), QColor(Red)});
        edit->setText(QStringLiteral("W"));
    }
    inset.LoadFromJson(parse(R"({"attr":{"leftMargin":8}})"));
    auto firstRed = [](const QImage &image) {
        for (int x = 0; x < image.width(); ++x) {
            if (countColour(image, Red, QRect(x, 0, 1, image.height())) > 0)
                return x;
        }
        return -1;
    };
    const int plainX = firstRed(look(&plain));
    QVERIFY(plainX >= 0);
    QCOMPARE(firstRed(look(&inset)), plainX + 8);
}

void TestEdit::marginsOnlyWithAttr()
{
    TAVQLineEdit line;
    line.setTextMargins(4, 5, 6, 7);
    line.LoadFromJson(parse(R"({"style":[["normal",0,0]]})"));
    QCOMPARE(line.textMargins(), QMargins(4, 5, 6, 7));
    line.LoadFromJson(parse(R"({"attr":{}})"));
    QCOMPARE(line.textMargins(), QMargins());

    TAVQTextEdit text;
    text.setTextMargins(QMargins(4, 5, 6, 7));
    text.LoadFromJson(parse(R"({"style":[["normal",0,0]]})"));
    QCOMPARE(text.textMargins(), QMargins(4, 5, 6, 7));
    text.LoadFromJson(parse(R"({"attr":{"text":"x"}})"));
    QCOMPARE(text.textMargins(), QMargins());
}

void TestEdit::attributes()
{
    const QString tip = QStringLiteral("请输入用户名");
    const QString text = QStringLiteral("张三 ok");
    const QByteArray page = "{\"attr\":{\"text\":\"" + text.toUtf8() + "\",\"tip\":\"" + gbk(tip)
            + "\",\"ispassord\":true,\"shortcut\":true}}";

    TAVQLineEdit line;
    line.LoadFromJson(parse(page));
    QCOMPARE(line.text(), text);
    QCOMPARE(line.tipText(), tip);
    QCOMPARE(line.echoMode(), QLineEdit::Password);
    QCOMPARE(line.contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(line.shortcutMode());
    // The generic attribute map keeps the keys too.
    QCOMPARE(line.GetImpl()->attrs().count("ispassord"), size_t(1));

    TAVQLineEdit plain;
    plain.LoadFromJson(parse(R"({"attr":{"ispassord":false,"shortcut":false}})"));
    QCOMPARE(plain.echoMode(), QLineEdit::Normal);
    QCOMPARE(plain.contextMenuPolicy(), Qt::DefaultContextMenu);
    QVERIFY(!plain.shortcutMode());

    TAVQTextEdit edit;
    edit.LoadFromJson(parse(page));
    QCOMPARE(edit.toPlainText(), text);
    QCOMPARE(edit.tipText(), tip);

    // Without "attr" the text and tip stay as they were.
    line.LoadFromJson(parse(R"({"style":[]})"));
    QCOMPARE(line.text(), text);
    QCOMPARE(line.tipText(), tip);
    QVERIFY(line.shortcutMode());
}

void TestEdit::styleSlots()
{
    TAVQLineEdit line;
    line.LoadFromJson(parse(R"({"style":[["red",0,4],["green",0,6],["normal",0,0],["hover",0,1],
                                          ["nosuch",0,2],["focused",0,9],["disabled",0,-1]]})"));
    QCOMPARE(line.fontStyle(0).color.rgba(), Red);
    QCOMPARE(line.fontStyle(1).color.rgba(), Red);
    QCOMPARE(line.fontStyle(2).color.rgba(), Green);
    QCOMPARE(line.fontStyle(2).size, 16);
    QCOMPARE(line.fontStyle(3).color.rgba(), Red);
    QCOMPARE(line.tipStyle().color.rgba(), Red);
    QCOMPARE(line.tipStyle().size, 22);
    QCOMPARE(line.boxStyle(0).color.rgba(), Normal);
    QCOMPARE(line.boxStyle(1).color.rgba(), Hover);
    // An unknown name leaves its slot alone; slot 9 and -1 mean nothing.
    QCOMPARE(line.boxStyle(2).color.rgba(), Normal);
    QCOMPARE(line.boxStyle(3).color.rgba(), Normal);

    // A later 0 or 4 overrides the per-state entries before it; 8 is the tip alone.
    TAVQTextEdit text;
    text.LoadFromJson(parse(R"({"style":[["hover",0,2],["normal",0,0],["green",0,7],["red",0,4],["blue",0,8]]})"));
    for (int state = 0; state < 4; ++state) {
        QCOMPARE(text.boxStyle(state).color.rgba(), Normal);
        QCOMPARE(text.fontStyle(state).color.rgba(), Red);
    }
    QCOMPARE(text.tipStyle().color.rgba(), Blue);

    // Slot 4 sets the placeholder style too: the tip paints in its colour.
    TAVQLineEdit tipped;
    tipped.resize(200, 32);
    tipped.LoadFromJson(parse(R"({"style":[["white",0,0],["green",0,4]],"attr":{"tip":"Name"}})"));
    QVERIFY(countColour(look(&tipped), Green) > 0);
}

void TestEdit::fontFollowsStateAndIgnoresBoldness()
{
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 200, 32);
    line->LoadFromJson(parse(R"({"style":[["red",0,4],["blue",0,6]]})"));
    line->OnChildrenLoaded();
    QCOMPARE(line->palette().color(QPalette::Text).rgba(), Red);
    QCOMPARE(line->font().pixelSize(), 22);
    QCOMPARE(line->font().family(), QString::fromLatin1(Family));
    QVERIFY(form.activate());

    // Focus brings state 2's text style with the next paint; its boldness is not applied.
    line->setFocus();
    QTRY_COMPARE(line->GetImpl()->state(), int(StatePressed));
    look(line);
    QCOMPARE(line->palette().color(QPalette::Text).rgba(), Blue);
    QCOMPARE(line->palette().color(QPalette::Disabled, QPalette::Text).rgba(), Blue);
    QVERIFY(!line->font().bold());

    line->setText(QStringLiteral("HHH"));
    const QImage focused = look(line);
    QVERIFY(countColour(focused, Blue) > 0);
    QCOMPARE(countColour(focused, Red), 0);

    form.focusElsewhere();
    QTRY_COMPARE(line->GetImpl()->state(), int(StateNormal));
    const QImage normal = look(line);
    QVERIFY(countColour(normal, Red) > 0);
    QCOMPARE(countColour(normal, Blue), 0);
}

void TestEdit::setFontStyleReappliesOnlyTheNormalState()
{
    TAVQLineEdit line;
    const TAVQFontStyle green{false, false, 16, false, QString::fromLatin1(Family), QColor(Green)};
    const TAVQFontStyle blue{false, false, 22, false, QString::fromLatin1(Family), QColor(Blue)};
    line.setFontStyle(2, blue);
    QVERIFY(line.palette().color(QPalette::Text).rgba() != Blue);
    QCOMPARE(line.fontStyle(2).color.rgba(), Blue);
    QCOMPARE(line.fontStyle(0).color, TAVQFontStyle().color);

    line.setFontStyle(0, green);
    QCOMPARE(line.palette().color(QPalette::Text).rgba(), Green);
    QCOMPARE(line.font().pixelSize(), 16);
    // State 0 is the normal state alone here, unlike the page's slot 4.
    QCOMPARE(line.fontStyle(2).color.rgba(), Blue);
    QCOMPARE(line.fontStyle(1).color, TAVQFontStyle().color);

    // Out-of-range states change nothing.
    line.setFontStyle(4, blue);
    line.setFontStyle(-1, blue);
    QCOMPARE(line.fontStyle(0).color.rgba(), Green);
    QCOMPARE(line.fontStyle(3).color, TAVQFontStyle().color);

    TAVQBoxStyle box;
    box.color = QColor::fromRgba(Hover);
    line.setBoxStyle(1, box);
    line.setBoxStyle(7, box);
    QCOMPARE(line.boxStyle(1).color.rgba(), Hover);
    QCOMPARE(line.boxStyle(0).color.rgba(), White);

    line.setTipText(QStringLiteral("tip"));
    line.setTipStyle(green);
    QCOMPARE(line.tipText(), QStringLiteral("tip"));
    QCOMPARE(line.tipStyle().color.rgba(), Green);
}

void TestEdit::placeholderOnlyWhileEmpty()
{
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 240, 34);
    line->LoadFromJson(parse(R"({"style":[["white",0,0],["blue",0,4],["red",0,8]],"attr":{"tip":"User name"}})"));
    line->OnChildrenLoaded();
    QVERIFY(form.activate());
    line->setFocus();
    QTRY_VERIFY(line->hasFocus());

    QImage image = look(line);
    QVERIFY(countColour(image, Red) > 20);
    QCOMPARE(countColour(image, Blue), 0);

    QTest::keyClick(line, Qt::Key_W);
    QCOMPARE(line->text(), QStringLiteral("w"));
    image = look(line);
    QCOMPARE(countColour(image, Red), 0);
    QVERIFY(countColour(image, Blue) > 0);

    QTest::keyClick(line, Qt::Key_Backspace);
    QVERIFY(line->text().isEmpty());
    QVERIFY(countColour(look(line), Red) > 20);

    // No tip, nothing painted for it even while empty.
    line->setTipText(QString());
    QCOMPARE(countColour(look(line), Red), 0);
}

void TestEdit::textEditPlaceholderAndSkinOnTheViewport()
{
    Form form;
    auto *text = new TAVQTextEdit(&form);
    text->setGeometry(10, 10, 200, 120);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->LoadFromJson(parse(R"({"style":[["normal",0,0],["focused",0,2],["blue",0,4],["red",0,8]],
                                  "attr":{"tip":"Notes"}})"));
    text->OnChildrenLoaded();
    QVERIFY(form.activate());
    form.focusElsewhere();

    QImage image = look(text);
    // The skin fills the viewport: it is not covered by Qt's own base colour.
    QCOMPARE(image.pixel(190, 110), Normal);
    QCOMPARE(image.pixel(2, 2), Normal);
    QVERIFY(countColour(image, Red) > 10);

    text->setFocus();
    QTRY_COMPARE(text->GetImpl()->state(), int(StatePressed));
    QTest::keyClicks(text, QStringLiteral("Hi"));
    QCOMPARE(text->toPlainText(), QStringLiteral("Hi"));
    image = look(text);
    QCOMPARE(image.pixel(190, 110), Focused);
    QCOMPARE(countColour(image, Red), 0);
    // The text is drawn over the skin, in the focused state's colour.
    QVERIFY(countColour(image, Blue) > 0);

    // Hover does not take the focused look away.
    enter(text);
    leave(text);
    QCOMPARE(look(text).pixel(190, 110), Focused);
}

void TestEdit::focusedLookSurvivesHover()
{
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 200, 30);
    line->LoadFromJson(parse(R"({"style":[["normal",0,0],["hover",0,1],["focused",0,2],["disabled",0,3]]})"));
    QVERIFY(form.activate());
    form.focusElsewhere();
    QTRY_VERIFY(!line->hasFocus());
    const QPoint inside(195, 15);

    QCOMPARE(look(line).pixel(inside), Normal);
    enter(line);
    QCOMPARE(line->GetImpl()->state(), int(StateHover));
    QCOMPARE(look(line).pixel(inside), Hover);
    leave(line);
    QCOMPARE(look(line).pixel(inside), Normal);

    line->setFocus();
    QTRY_COMPARE(line->GetImpl()->state(), int(StatePressed));
    QCOMPARE(look(line).pixel(inside), Focused);
    enter(line);
    QCOMPARE(look(line).pixel(inside), Focused);
    leave(line);
    QCOMPARE(line->GetImpl()->state(), int(StatePressed));
    QCOMPARE(look(line).pixel(inside), Focused);

    form.focusElsewhere();
    QTRY_COMPARE(line->GetImpl()->state(), int(StateNormal));
    QCOMPARE(look(line).pixel(inside), Normal);
}

void TestEdit::clicksDoNotChangeTheLook()
{
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 200, 30);
    line->setFocusPolicy(Qt::NoFocus);
    line->LoadFromJson(parse(R"({"style":[["normal",0,0],["hover",0,1],["focused",0,2]]})"));
    QVERIFY(form.activate());

    enter(line);
    QTest::mousePress(line, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
    QCOMPARE(line->GetImpl()->state(), int(StateHover));
    QCOMPARE(look(line).pixel(195, 15), Hover);
    QTest::mouseRelease(line, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
    QCOMPARE(line->GetImpl()->state(), int(StateHover));
    QCOMPARE(look(line).pixel(195, 15), Hover);
}

void TestEdit::disabledUsesStateThree()
{
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 200, 34);
    auto *text = new TAVQTextEdit(&form);
    text->setGeometry(10, 60, 200, 100);
    const QByteArray page = R"({"style":[["normal",0,0],["disabled",0,3],["red",0,4],["blue",0,7]],
                                "attr":{"text":"HHH"}})";
    line->LoadFromJson(parse(page));
    text->LoadFromJson(parse(page));
    QVERIFY(form.activate());
    line->setEnabled(false);
    text->setEnabled(false);
    enter(line);

    for (QWidget *edit : {static_cast<QWidget *>(line), static_cast<QWidget *>(text)}) {
        const QImage image = look(edit);
        QCOMPARE(image.pixel(195, 5), Disabled);
        QVERIFY(countColour(image, Blue) > 0);
        QCOMPARE(countColour(image, Red), 0);
        QCOMPARE(edit->palette().color(QPalette::Text).rgba(), Blue);
        QCOMPARE(edit->font().pixelSize(), 22);
    }
    QCOMPARE(line->GetImpl()->state(), int(StateDisabled));

    line->setEnabled(true);
    const QImage image = look(line);
    QCOMPARE(line->GetImpl()->state(), int(StateNormal));
    QCOMPARE(image.pixel(195, 5), Normal);
    QVERIFY(countColour(image, Red) > 0);
}

void TestEdit::paintingSchedulesNoFurtherPaint()
{
    // The text style is reapplied on every paint; that must not itself ask for
    // another paint, or the edits would repaint forever.
    class PaintCounter : public QObject
    {
    public:
        int count = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    };
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 200, 30);
    auto *text = new TAVQTextEdit(&form);
    text->setGeometry(10, 50, 200, 100);
    const QByteArray page = R"({"style":[["red",0,4],["blue",0,5]],"attr":{"text":"abc"}})";
    line->LoadFromJson(parse(page));
    text->LoadFromJson(parse(page));
    QVERIFY(form.activate());
    form.focusElsewhere();
    enter(line);
    enter(text);

    PaintCounter counter;
    line->installEventFilter(&counter);
    text->viewport()->installEventFilter(&counter);
    line->update();
    text->viewport()->update();
    QTRY_VERIFY(counter.count >= 2);
    QTest::qWait(200);
    counter.count = 0;
    QTest::qWait(300);
    QCOMPARE(counter.count, 0);
    QCOMPARE(line->palette().color(QPalette::Text).rgba(), Blue);
    QCOMPARE(text->palette().color(QPalette::Text).rgba(), Blue);
}

void TestEdit::passwordIgnoresTheStandardShortcuts()
{
    Form form;
    auto *password = new TAVQLineEdit(&form);
    password->setGeometry(10, 10, 200, 30);
    password->LoadFromJson(parse(R"({"attr":{"ispassord":true}})"));
    auto *plain = new TAVQLineEdit(&form);
    plain->setGeometry(10, 50, 200, 30);
    QVERIFY(form.activate());
    QClipboard *clipboard = QGuiApplication::clipboard();

    // The same keys do work on a normal edit.
    plain->setFocus();
    QTRY_VERIFY(plain->hasFocus());
    QTest::keyClicks(plain, QStringLiteral("abc"));
    QTest::keyClick(plain, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(plain->selectedText(), QStringLiteral("abc"));
    QTest::keyClick(plain, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("abc"));

    clipboard->setText(QStringLiteral("outside"));
    password->setFocus();
    QTRY_VERIFY(password->hasFocus());
    QTest::keyClicks(password, QStringLiteral("s3cret"));
    QCOMPARE(password->text(), QStringLiteral("s3cret"));

    QTest::keyClick(password, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(!password->hasSelectedText());
    QTest::keyClick(password, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(password->text(), QStringLiteral("s3cret"));
    password->selectAll();
    QTest::keyClick(password, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("outside"));

    // Every binding the platform has for the three, not just the Ctrl ones.
    password->deselect();
    for (const QKeySequence::StandardKey key : {QKeySequence::SelectAll, QKeySequence::Paste, QKeySequence::Copy}) {
        for (const QKeySequence &binding : QKeySequence::keyBindings(key)) {
            QTest::keySequence(password, QKeySequence(binding[0]));
            QCOMPARE(password->text(), QStringLiteral("s3cret"));
            QVERIFY(!password->hasSelectedText());
        }
    }
    QCOMPARE(clipboard->text(), QStringLiteral("outside"));

    // Typing and erasing still work.
    QTest::keyClick(password, Qt::Key_Backspace);
    QTest::keyClicks(password, QStringLiteral("Tx"));
    QCOMPARE(password->text(), QStringLiteral("s3creTx"));
}

void TestEdit::passwordOffersNoContextMenu()
{
    Form form;
    auto *password = new TAVQLineEdit(&form);
    password->setGeometry(10, 10, 200, 30);
    password->LoadFromJson(parse(R"({"attr":{"ispassord":true,"text":"abc"}})"));
    auto *plain = new TAVQLineEdit(&form);
    plain->setGeometry(10, 50, 200, 30);
    QVERIFY(form.activate());

    auto requestMenu = [](QWidget *widget) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 10), widget->mapToGlobal(QPoint(20, 10)));
        QApplication::sendEvent(widget, &event);
    };
    requestMenu(plain);
    QWidget *menu = QApplication::activePopupWidget();
    QVERIFY(menu);
    menu->close();
    QTRY_VERIFY(!QApplication::activePopupWidget());

    requestMenu(password);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestEdit::shortcutCapture()
{
    Form form;
    auto *line = new TAVQLineEdit(&form);
    line->setGeometry(10, 10, 200, 30);
    line->LoadFromJson(parse(R"({"attr":{"shortcut":true}})"));
    QVERIFY(form.activate());
    line->setFocus();
    QTRY_VERIFY(line->hasFocus());

    struct Press
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString expected;
    };
    const Press presses[] = {
        {Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("CTRL+SHIFT+K")},
        {Qt::Key_1, Qt::NoModifier, QStringLiteral("CTRL+SHIFT+K")},
        {Qt::Key_Left, Qt::NoModifier, QStringLiteral("CTRL+SHIFT+K")},
        {Qt::Key_Space, Qt::ControlModifier, QStringLiteral("CTRL+SHIFT+K")},
        {Qt::Key_F12, Qt::NoModifier, QStringLiteral("F12")},
        {Qt::Key_F1, Qt::ControlModifier, QStringLiteral("F1")},
        {Qt::Key_F35, Qt::NoModifier, QStringLiteral("F35")},
        {Qt::Key_Backspace, Qt::NoModifier, QString()},
        {Qt::Key_Q, Qt::NoModifier, QStringLiteral("Q")},
        {Qt::Key_Q, Qt::ShiftModifier, QStringLiteral("SHIFT+Q")},
        {Qt::Key_X, Qt::AltModifier, QStringLiteral("ALT+X")},
        {Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("ALT+SHIFT+B")},
        {Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("CTRL+ALT+SHIFT+Z")},
        {Qt::Key_Delete, Qt::NoModifier, QString()},
        {Qt::Key_A, Qt::ControlModifier, QStringLiteral("CTRL+A")},
        // Ctrl+V is a letter here, not a paste.
        {Qt::Key_V, Qt::ControlModifier, QStringLiteral("CTRL+V")},
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    for (const Press &press : presses) {
        QTest::keyClick(line, press.key, press.modifiers);
        QCOMPARE(line->text(), press.expected);
    }
    QTest::keyClicks(line, QStringLiteral("xy"));
    QCOMPARE(line->text(), QStringLiteral("Y"));

    line->setShortcutMode(false);
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, QStringLiteral("12"));
    QCOMPARE(line->text(), QStringLiteral("Y12"));
}

void TestEdit::textEditScrollBarChildren()
{
    const QRgb grooveDefault = TAVQScrollBar(Qt::Horizontal).grooveStyle().color.rgba();
    TAVQTextEdit text;
    text.LoadFromJson(parse(R"({"style":[["normal",0,0]],"child":[
        {"type":"qtscrollbar","w":14,"h":99,"attr":{"hor":false,"upicon":"up.png","downicon":"down.png","size":30},
         "style":[["hover",0,0],["focused",0,10],["disabled",0,12],["red",0,6]]},
        {"type":"qtlabel","w":50,"attr":{"hor":true},"style":[["white",0,0]]}
    ]})"));
    TAVQScrollBar *vBar = text.scrollBar(false);
    TAVQScrollBar *hBar = text.scrollBar(true);
    QCOMPARE(vBar->grooveStyle().color.rgba(), Hover);
    QCOMPARE(vBar->thumbStyle(0).color.rgba(), Focused);
    QCOMPARE(vBar->thumbStyle(1).color.rgba(), Focused);
    QCOMPARE(vBar->thumbStyle(2).color.rgba(), Disabled);
    QCOMPARE(vBar->arrowIcon(true), QStringLiteral("up.png"));
    QCOMPARE(vBar->arrowIcon(false), QStringLiteral("down.png"));
    // The horizontal bar is untouched, also by the element that is no scroll bar.
    QCOMPARE(hBar->grooveStyle().color.rgba(), grooveDefault);
    // The vertical element's "w" sizes both bars.
    QCOMPARE(vBar->styleSheet(), hBar->styleSheet());
    QVERIFY(vBar->styleSheet().contains(QStringLiteral("width:14;")));
    QVERIFY(vBar->styleSheet().contains(QStringLiteral("height:14;")));
    QVERIFY(!vBar->styleSheet().contains(QStringLiteral("99")));

    text.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text.resize(200, 120);
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    QCOMPARE(vBar->width(), 14);
    QCOMPARE(hBar->height(), 14);
    QCOMPARE(text.viewport()->width(), 200 - 14);

    // A later horizontal element takes "h", and sets its own look only.
    text.LoadFromJson(parse(R"({"child":[
        {"type":"qtscrollbar","w":40,"h":9,"attr":{"hor":true,"thumbicon":"thumb.png"},"style":[["white",0,0]]}
    ]})"));
    QCOMPARE(hBar->grooveStyle().color.rgba(), White);
    QCOMPARE(hBar->thumbIcon(), QStringLiteral("thumb.png"));
    QCOMPARE(vBar->grooveStyle().color.rgba(), Hover);
    QVERIFY(hBar->styleSheet().contains(QStringLiteral("height:9;")));
    QCOMPARE(vBar->styleSheet(), hBar->styleSheet());
    QTRY_COMPARE(hBar->height(), 9);
    QTRY_COMPARE(vBar->width(), 9);
    const QImage image = look(&text);
    QCOMPARE(image.pixel(100, 120 - 5), White);
}

void TestEdit::textEditScrollBarForwards()
{
    TAVQTextEdit text;
    TAVQBoxStyle a;
    a.color = QColor::fromRgba(Hover);
    TAVQBoxStyle b;
    b.color = QColor::fromRgba(Focused);

    text.setScrollBarStyle(true, a);
    QCOMPARE(text.scrollBar(true)->grooveStyle().color.rgba(), Hover);
    QVERIFY(text.scrollBar(false)->grooveStyle().color.rgba() != Hover);

    text.setScrollBarArrowStyle(false, true, 2, b);
    text.setScrollBarArrowStyle(false, false, 1, a);
    QCOMPARE(text.scrollBar(false)->subLineStyle(2).color.rgba(), Focused);
    QCOMPARE(text.scrollBar(false)->addLineStyle(1).color.rgba(), Hover);
    QVERIFY(text.scrollBar(true)->subLineStyle(2).color.rgba() != Focused);

    text.setScrollBarThumbStyle(true, 4, b);
    for (int state = 0; state < 4; ++state)
        QCOMPARE(text.scrollBar(true)->thumbStyle(state).color.rgba(), Focused);

    text.setScrollBarArrowIcon(true, false, QStringLiteral("right.png"));
    QCOMPARE(text.scrollBar(true)->arrowIcon(false), QStringLiteral("right.png"));
    QVERIFY(text.scrollBar(false)->arrowIcon(false).isEmpty());
    text.setScrollBarThumbIcon(false, QStringLiteral("t.png"));
    QCOMPARE(text.scrollBar(false)->thumbIcon(), QStringLiteral("t.png"));
    TAVQImagePlacement placement{3, 4, 2, 0};
    text.setScrollBarArrowIconPlacement(false, true, placement);
    QCOMPARE(text.scrollBar(false)->arrowIconPlacement(true).offsetX, 3);
    QCOMPARE(text.scrollBar(false)->arrowIconPlacement(true).alignH, 2);

    text.setScrollBarSize(12);
    QCOMPARE(text.scrollBar(true)->styleSheet(), text.scrollBar(false)->styleSheet());
    QVERIFY(text.scrollBar(true)->styleSheet().contains(QStringLiteral("height:12;")));
    QVERIFY(text.scrollBar(false)->styleSheet().contains(QStringLiteral("width:12;")));
}

void TestEdit::sizedScrollBarKeepsItsParts()
{
    // After the size sheet the vertical bar still shows, top to bottom, the
    // up button, the thumb, the groove and the down button, each at its place.
    TAVQTextEdit text;
    text.LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","w":10,"attr":{"hor":false},
        "style":[["white",0,0],["hover",0,2],["focused",0,6],["disabled",0,10]]}]})"));
    text.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text.setPlainText(QStringLiteral("line\n").repeated(40));
    text.resize(200, 140);
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    TAVQScrollBar *bar = text.scrollBar(false);
    QCOMPARE(bar->width(), 10);
    QCOMPARE(bar->height(), 140);

    const QImage image = look(bar);
    const QRect up = bar->subControlRect(QStyle::SC_ScrollBarSubLine);
    const QRect down = bar->subControlRect(QStyle::SC_ScrollBarAddLine);
    const QRect thumb = bar->subControlRect(QStyle::SC_ScrollBarSlider);
    QCOMPARE(up, QRect(0, 0, 10, 10));
    QCOMPARE(down, QRect(0, 130, 10, 10));
    QVERIFY(thumb.top() >= up.bottom() && thumb.bottom() < down.top());
    QCOMPARE(image.pixel(up.center()), Hover);
    QCOMPARE(image.pixel(down.center()), Focused);
    QCOMPARE(image.pixel(thumb.center()), Disabled);
    QCOMPARE(image.pixel(5, down.top() - 2), White);
}

void TestEdit::spinBoxPaintsNoFrameOrArrows()
{
    Form form;
    auto *spin = new TAVQSpinBox(&form);
    spin->setGeometry(10, 10, 140, 30);
    QVERIFY(spin->LoadFromJson(parse(R"({"style":[["normal",0,0]],"attr":{"anything":1}})")));
    QCOMPARE(spin->GetImpl()->attrs().count("anything"), size_t(1));
    auto *qtSpin = new QSpinBox(&form);
    qtSpin->setGeometry(10, 60, 140, 30);
    QVERIFY(form.activate());
    form.focusElsewhere();

    // Pixels of the box outside its inner line edit: ours shows the backdrop,
    // Qt's own spin box its frame and arrows.
    auto foreignOutsideEdit = [&form](QAbstractSpinBox *box) {
        const QImage image = look(&form);
        const QRect edit(box->mapTo(&form, box->findChild<QLineEdit *>()->geometry().topLeft()),
                         box->findChild<QLineEdit *>()->size());
        const QRect whole = box->geometry();
        int foreign = 0;
        for (int y = whole.top(); y <= whole.bottom(); ++y) {
            for (int x = whole.left(); x <= whole.right(); ++x)
                foreign += !edit.contains(x, y) && image.pixel(x, y) != Backdrop;
        }
        return foreign;
    };
    QVERIFY(foreignOutsideEdit(qtSpin) > 0);
    QCOMPARE(foreignOutsideEdit(spin), 0);

    // The inner edit is transparent as well: only the digits show.
    spin->setValue(5);
    const QImage image = look(&form).copy(spin->geometry());
    QLineEdit *inner = spin->findChild<QLineEdit *>();
    QCOMPARE(image.pixel(inner->geometry().right() - 1, inner->geometry().center().y()), Backdrop);
    QVERIFY(countColour(image, Backdrop) > image.width() * image.height() * 8 / 10);
    QVERIFY(countColour(image, Backdrop) < image.width() * image.height());

    // Still a working spin box.
    spin->setFocus();
    QTRY_VERIFY(spin->hasFocus());
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(spin->value(), 6);
}

void TestEdit::malformedPages()
{
    const QByteArray pages[] = {
        R"({"style":"x","attr":[],"child":"y"})",
        R"({"style":[[],[1,0,0],["red",0,"4"],"x",null,["red",0,[4]],["hover",0,1e12]],
            "attr":{"text":[5],"tip":[],"ispassord":"yes","shortcut":"1","leftMargin":"8","topMargin":{}}})",
        R"({"style":{"a":5},"attr":null,"child":[1,null,"qtscrollbar",{"type":5},
            {"type":"qtscrollbar","w":"14","attr":{"hor":"yes","upicon":[3],"size":"x"},"style":[[5,0,0],[],["hover",0,"0"]]}]})",
        R"({"attr":{"leftMargin":2147483647,"rightMargin":-2147483648,"topMargin":9e99,"bottomMargin":-1}})",
        R"({"child":[{"type":"qtscrollbar","w":4294967296,"h":-5,"attr":[]}]})",
        R"([1,2,3])",
        R"("just text")",
        R"(null)",
    };
    for (const QByteArray &page : pages) {
        const Json::Value element = parse(page);
        TAVQLineEdit line;
        TAVQTextEdit text;
        TAVQSpinBox spin;
        line.resize(120, 30);
        text.resize(120, 80);
        spin.resize(120, 30);
        QVERIFY(line.LoadFromJson(element));
        QVERIFY(text.LoadFromJson(element));
        QVERIFY(spin.LoadFromJson(element));
        line.OnChildrenLoaded();
        text.OnChildrenLoaded();
        spin.OnChildrenLoaded();

        QVERIFY(line.text().isEmpty());
        QVERIFY(line.tipText().isEmpty());
        QCOMPARE(line.echoMode(), QLineEdit::Normal);
        QVERIFY(!line.shortcutMode());
        QVERIFY(text.toPlainText().isEmpty());
        for (int state = 0; state < 4; ++state) {
            QCOMPARE(line.boxStyle(state).color.rgba(), White);
            QCOMPARE(line.fontStyle(state).color, TAVQFontStyle().color);
            QCOMPARE(text.boxStyle(state).color.rgba(), White);
        }
        QVERIFY(text.scrollBar(false)->grooveStyle().color.rgba() != Hover);
        QVERIFY(text.scrollBar(false)->arrowIcon(true).isEmpty());
        QCOMPARE(look(&line).pixel(115, 15), White);
        look(&text);
        look(&spin);
    }

    // Wrongly typed margins count as absent; absurd ones are kept in a range Qt can add up.
    TAVQLineEdit line;
    line.LoadFromJson(parse(R"({"attr":{"leftMargin":"8","topMargin":3}})"));
    QCOMPARE(line.textMargins(), QMargins(0, 3, 0, 3));
    line.LoadFromJson(parse(pages[3]));
    QVERIFY(line.textMargins().left() > 0 && line.textMargins().left() <= QWIDGETSIZE_MAX);
    QVERIFY(line.textMargins().right() < 0 && line.textMargins().right() >= -QWIDGETSIZE_MAX);
    QCOMPARE(line.textMargins().top(), 0);
    QCOMPARE(line.textMargins().bottom(), -1);

    // What JsonCpp converts is read: numbers and booleans into each other, reals
    // truncated, numbers as their text, a style entry without a slot as slot 0.
    TAVQLineEdit converted;
    converted.LoadFromJson(parse(R"({"style":[["normal"],["red",0,4.5]],
        "attr":{"text":5,"ispassord":1,"shortcut":1,"leftMargin":8.9,"topMargin":true}})"));
    QCOMPARE(converted.text(), QStringLiteral("5"));
    QCOMPARE(converted.echoMode(), QLineEdit::Password);
    QVERIFY(converted.shortcutMode());
    QCOMPARE(converted.textMargins(), QMargins(8, 1, 8, 1));
    for (int state = 0; state < 4; ++state)
        QCOMPARE(converted.boxStyle(state).color.rgba(), 0xFF203040u);
    QCOMPARE(converted.fontStyle(0).color, QColor(Qt::red));
}

QTEST_MAIN(TestEdit)
#include "tst_edit.moc"
