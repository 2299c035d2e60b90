#include "controls/tavqlabel.h"
#include "base/tavqjson_p.h"
#include "base/tavqtextcodec.h"
#include "core/tavqregistry.h"
#include "resources/tavqpaint.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <climits>
#include <functional>
#include <memory>

using namespace TAVQtLib;

Q_DECLARE_METATYPE(TAVQtLib::TAVQTextPosition)

namespace QTest {
template <>
char *toString(const TAVQTextPosition &position)
{
    return qstrdup(QStringLiteral("(%1, %2, %3)").arg(position.block).arg(position.line).arg(position.cursor).toUtf8());
}
} // namespace QTest

namespace {

const QRgb Highlight = qRgb(155, 202, 239);
const QRgb Red = 0xFFFF0000;
const QChar Ellipsis(0x2026);
const QString LongText = QStringLiteral("A rather long line of text for a narrow label");
// Wraps onto several lines in a narrow control; one paragraph.
const QString Paragraph = QStringLiteral("one two three four five six seven eight nine ten eleven twelve");

QRect highlightBounds(const QImage &image, const QRect &area = QRect())
{
    return boundsOf(image, [](QRgb pixel) { return (pixel & 0xFFFFFF) == (Highlight & 0xFFFFFF); }, area);
}

// Pixels that are not the given background.
QRect inkBounds(const QImage &image, QRgb background)
{
    return boundsOf(image, [background](QRgb pixel) { return pixel != background; });
}

QImage onWhite(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

// Lines of the label's first paragraph as its last paint laid them out.
QTextLine lineOf(const TAVQLabelEx &label, int index)
{
    return label.document()->begin().layout()->lineAt(index);
}

QWidget *createLabel()
{
    return new TAVQLabel;
}

QWidget *createLabelEx()
{
    return new TAVQLabelEx;
}

} // namespace

class TestLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Label
    void labelDefaults();
    void elidesOnResize();
    void textSetPastTheLabel_data();
    void textSetPastTheLabel();
    void elidesAfterFirstLayout();
    void elisionModes();
    void styleIsApplied();
    void unknownStyleKeepsDefaults();
    void withoutColourTheApplicationsTextColour_data();
    void withoutColourTheApplicationsTextColour();
    void programmaticStyles();
    void gbkText();
    void drawPaintsShownTextIntoRectangle();
    void labelMalformedElements();

    // LabelEx
    void labelExDefaultsAndLoading();
    void doubleClickSelectsWholeLine();
    void movingOutsideLinesClearsHighlight();
    void noInteractionNoSelection();
    void releaseStopsTracking();
    void hitTest();
    void setSelectionOrder();
    void multiLineSelection();
    void selectionOutOfRange_data();
    void selectionOutOfRange();
    void drawIntoRowRectangle();
    void textColour();
    void htmlRoundTrip();

    void createdThroughTheRegistry();

private:
    QTemporaryDir m_dir;
};

void TestLabel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[
        {"type":2,"name":"big","size":20,"bold":true,"clr":"ff0000","hor":2,"ver":0,"family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"plain","size":14,"clr":"0000ff","family":"WenQuanYi Micro Hei"},
        {"type":1,"name":"box","drawImg":false,"clr":"ff102030"}
    ]})");
    sheet.close();
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
}

void TestLabel::labelDefaults()
{
    TAVQLabel label;
    QCOMPARE(label.GetTypeName(), QStringLiteral("qtlabel"));
    QCOMPARE(label.text(), QStringLiteral("label"));
    QCOMPARE(label.fullText(), QStringLiteral("label"));
    QCOMPARE(label.fontStyle().size, 12);
    QVERIFY(!label.autoFillBackground());
}

void TestLabel::elidesOnResize()
{
    // Hidden widgets get their resize events only when shown.
    TAVQLabel label;
    label.resize(300, 20);
    label.show();
    label.setText(LongText);
    QCOMPARE(label.text(), LongText);

    label.resize(120, 20);
    const QFontMetrics metrics(TAVQPaint::fontOf(label.fontStyle()));
    QVERIFY(metrics.horizontalAdvance(LongText) > 120);
    QVERIFY(label.text().endsWith(Ellipsis));
    QVERIFY(label.text().length() < LongText.length());
    QVERIFY(metrics.horizontalAdvance(label.text()) <= 120);
    QVERIFY(LongText.startsWith(label.text().chopped(1)));
    QCOMPARE(label.fullText(), LongText);

    // A new text is shown whole until the next resize.
    const QString longer = LongText + QStringLiteral(" and then some more");
    label.setText(longer);
    QCOMPARE(label.text(), longer);
    label.resize(121, 20);
    QVERIFY(label.text().endsWith(Ellipsis));
    QVERIFY(longer.startsWith(label.text().chopped(1)));

    // Growing back shows the whole text again.
    label.resize(800, 20);
    QCOMPARE(label.text(), longer);
}

// QLabel::setText() is not virtual: a text set through it is not the label's
// text, and the next resize puts the label's own back.
void TestLabel::textSetPastTheLabel_data()
{
    QTest::addColumn<int>("route");
    QTest::addColumn<bool>("kept");
    QTest::newRow("TAVQLabel::setText") << 0 << true;
    QTest::newRow("text property") << 1 << true;
    QTest::newRow("slot by name") << 2 << true;
    QTest::newRow("through a QLabel pointer") << 3 << false;
}

void TestLabel::textSetPastTheLabel()
{
    QFETCH(int, route);
    QFETCH(bool, kept);
    TAVQLabel label;
    label.resize(300, 20);
    label.show();
    label.setText(QStringLiteral("first"));
    const QString second = QStringLiteral("second");
    if (route == 0)
        label.setText(second);
    else if (route == 1)
        QVERIFY(label.setProperty("text", second));
    else if (route == 2)
        QVERIFY(QMetaObject::invokeMethod(&label, "setText", Q_ARG(QString, second)));
    else
        static_cast<QLabel &>(label).setText(second);
    QCOMPARE(label.text(), second);

    const QString shown = kept ? second : QStringLiteral("first");
    QCOMPARE(label.fullText(), shown);
    label.resize(301, 20);
    QCOMPARE(label.text(), shown);
}

void TestLabel::elidesAfterFirstLayout()
{
    RegisterControlType("qtlabel", createLabel, true);
    QWidget window;
    window.resize(400, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *label = qobject_cast<TAVQLabel *>(CreateControl("qtlabel",
            parse(R"({"x":5,"y":5,"w":90,"h":20,"attr":{"text":"A rather long line of text for a narrow label"}})"),
            &window));
    QVERIFY(label);
    QCOMPARE(label->text(), LongText);
    label->GetControlBase()->ApplyLayout();
    QCOMPARE(label->geometry(), QRect(5, 5, 90, 20));
    QVERIFY(label->text().endsWith(Ellipsis));
}

void TestLabel::elisionModes()
{
    TAVQLabel label;
    label.show();
    TAVQFontStyle style;
    style.elide = 0;
    label.setFontStyle(0, style);
    label.setText(LongText);
    label.resize(120, 20);
    QVERIFY(label.text().startsWith(Ellipsis));
    QVERIFY(LongText.endsWith(label.text().mid(1)));

    style.elide = 2;
    label.setFontStyle(0, style);
    label.resize(121, 20);
    QVERIFY(!label.text().startsWith(Ellipsis));
    QVERIFY(!label.text().endsWith(Ellipsis));
    QVERIFY(label.text().contains(Ellipsis));

    // 3 and unknown modes never shorten.
    for (const int mode : {3, 7, -1}) {
        style.elide = mode;
        label.setFontStyle(0, style);
        label.resize(label.width() == 100 ? 101 : 100, 20);
        QCOMPARE(label.text(), LongText);
    }
}

void TestLabel::styleIsApplied()
{
    TAVQLabel label;
    QVERIFY(label.LoadFromJson(parse(R"({"style":[["big",0,0],["plain",0,1]],"attr":{"text":"Hi"}})")));
    QCOMPARE(label.fontStyle().size, 20);
    QCOMPARE(label.font().pixelSize(), 20);
    QCOMPARE(int(label.font().weight()), int(QFont::Bold));
    QCOMPARE(label.font().family(), QStringLiteral("WenQuanYi Micro Hei"));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        QCOMPARE(label.palette().color(group, QPalette::WindowText).rgba(), Red);
    QCOMPARE(label.alignment(), Qt::AlignRight | Qt::AlignTop);
    // Slot 1 is not a label slot.
    QCOMPARE(label.secondFontStyle().size, 12);

    // Red text against the right edge and the top, on no background of its own.
    label.resize(200, 60);
    const QRgb window = label.palette().color(QPalette::Window).rgba();
    const QImage image = look(&label);
    const QRect ink = inkBounds(image, window);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.right() >= 190 && ink.left() > 100, qPrintable(QString::number(ink.left())));
    QVERIFY(ink.top() < 10);
    QVERIFY(ink.bottom() < 30);
    QVERIFY(!boundsOf(image, [](QRgb p) { return p == Red; }).isEmpty());
}

void TestLabel::unknownStyleKeepsDefaults()
{
    TAVQLabel label;
    QVERIFY(label.LoadFromJson(parse(R"({"style":[["nope",0,0],["box",0,0]]})")));
    QCOMPARE(label.fontStyle().size, 12);
    QCOMPARE(label.fontStyle().family, QStringLiteral("Airal"));
    QVERIFY(!label.fontStyle().color.isValid());
    QCOMPARE(label.font().pixelSize(), 12);
    QCOMPARE(label.alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    // Without a colour of its own the label uses the application's text colour.
    QCOMPARE(label.palette().color(QPalette::WindowText), QApplication::palette(&label).color(QPalette::WindowText));
    QCOMPARE(label.text(), QStringLiteral("label"));
}

void TestLabel::withoutColourTheApplicationsTextColour_data()
{
    QTest::addColumn<bool>("parentColoured");
    QTest::addColumn<bool>("hadColour");
    QTest::newRow("parent with a text colour of its own") << true << false;
    QTest::newRow("colour taken away again") << false << true;
}

void TestLabel::withoutColourTheApplicationsTextColour()
{
    QFETCH(bool, parentColoured);
    QFETCH(bool, hadColour);
    QWidget parent;
    if (parentColoured) {
        QPalette palette = parent.palette();
        palette.setColor(QPalette::WindowText, QColor(Red));
        parent.setPalette(palette);
    }
    auto *label = new TAVQLabel(&parent);
    if (hadColour)
        label->setTextColor(QColor(Red));
    label->setTextColor(QColor());
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QCOMPARE(label->palette().color(group, QPalette::WindowText),
                 QApplication::palette(label).color(group, QPalette::WindowText));
    }
}

void TestLabel::programmaticStyles()
{
    TAVQLabel label;
    TAVQFontStyle style;
    style.size = 18;
    style.hor = 1;
    style.ver = 2;
    style.color = QColor(0, 128, 0);

    label.setFontStyle(1, style);
    QCOMPARE(label.secondFontStyle().size, 18);
    QCOMPARE(label.fontStyle().size, 12);
    QCOMPARE(label.font().pixelSize(), 12);

    label.setFontStyle(0, style);
    QCOMPARE(label.font().pixelSize(), 18);
    QCOMPARE(label.alignment(), Qt::AlignHCenter | Qt::AlignBottom);
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 128, 0));

    style.size = 9;
    label.setFontStyle(4, style);
    QCOMPARE(label.fontStyle().size, 9);
    QCOMPARE(label.secondFontStyle().size, 9);

    label.setTextColor(QColor(1, 2, 3));
    QCOMPARE(label.fontStyle().color, QColor(1, 2, 3));
    QCOMPARE(label.palette().color(QPalette::Inactive, QPalette::WindowText), QColor(1, 2, 3));

    // Other alignment values set no flag of their own.
    style.hor = 5;
    style.ver = -1;
    label.setFontStyle(0, style);
    QCOMPARE(label.alignment() & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask), Qt::Alignment());
}

void TestLabel::gbkText()
{
    const QString chinese = QStringLiteral("共计：3 件");
    const QByteArray gbk = TextCodec::fromUnicode(chinese, "GBK");
    TAVQLabel label;
    QVERIFY(label.LoadFromJson(parse("{\"attr\":{\"text\":\"" + gbk + "\"}}")));
    QCOMPARE(label.text(), chinese);
    QCOMPARE(label.fullText(), chinese);

    TAVQLabelEx labelEx;
    QVERIFY(labelEx.LoadFromJson(parse("{\"attr\":{\"text\":\"" + gbk + "\"}}")));
    QCOMPARE(labelEx.toPlainText(), chinese);
}

void TestLabel::drawPaintsShownTextIntoRectangle()
{
    TAVQLabel label;
    QVERIFY(label.LoadFromJson(parse(R"({"style":[["plain",0,0]],"attr":{"text":"Row"}})")));
    QImage row = onWhite(QSize(300, 80));
    QPainter painter(&row);
    label.GetImpl()->Draw(&painter, QRect(100, 40, 120, 30));
    painter.end();
    const QRect ink = inkBounds(row, 0xFFFFFFFF);
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(100, 40, 120, 30).contains(ink));
    // Left-aligned plain style: the text starts at the rectangle's left.
    QVERIFY(ink.left() < 104);
    QVERIFY(!boundsOf(row, [](QRgb p) { return p == 0xFF0000FF; }).isEmpty());

    // Without a style colour the row text takes the label's text colour.
    TAVQLabel unstyled;
    unstyled.setText(QStringLiteral("MMM"));
    QImage other = onWhite(QSize(100, 30));
    QPainter p2(&other);
    unstyled.GetImpl()->Draw(&p2, QRect(0, 0, 100, 30));
    p2.end();
    const QRgb text = unstyled.palette().color(QPalette::WindowText).rgba();
    QVERIFY(!boundsOf(other, [text](QRgb p) { return p == text; }).isEmpty());
}

void TestLabel::labelMalformedElements()
{
    const QByteArray pages[] = {
        R"({"style":"big","attr":7})",
        R"({"style":[[],[3,0,0],["big",0,"0"],null,"big"],"attr":{"text":[5]}})",
        R"({"style":{"a":{"b":1}},"attr":{"text":{}}})",
        R"(42)",
    };
    for (const QByteArray &page : pages) {
        TAVQLabel label;
        QVERIFY(label.LoadFromJson(parse(page)));
        QCOMPARE(label.text(), QStringLiteral("label"));
        QCOMPARE(label.fontStyle().size, 12);
        TAVQLabelEx labelEx;
        QVERIFY(labelEx.LoadFromJson(parse(page)));
        QCOMPARE(labelEx.toPlainText(), QStringLiteral("label"));
    }
    // What JsonCpp converts is read: a number is its text, null the empty text,
    // a style entry without a slot is slot 0.
    TAVQLabel converted;
    QVERIFY(converted.LoadFromJson(parse(R"({"style":[["big"]],"attr":{"text":5}})")));
    QCOMPARE(converted.text(), QStringLiteral("5"));
    QCOMPARE(converted.fontStyle().size, 20);
    TAVQLabel nullText;
    QVERIFY(nullText.LoadFromJson(parse(R"({"attr":{"text":null}})")));
    QCOMPARE(nullText.text(), QString());
}

void TestLabel::labelExDefaultsAndLoading()
{
    TAVQLabelEx label;
    QCOMPARE(label.GetTypeName(), QStringLiteral("qtlabelex"));
    QCOMPARE(label.toPlainText(), QStringLiteral("label"));
    QVERIFY(label.anchor().isNull());
    QVERIFY(label.focus().isNull());
    QVERIFY(label.textInteractionFlags() != Qt::NoTextInteraction);
    QCOMPARE(label.selectionStart(), (TAVQTextPosition{0, 0, 0}));

    QVERIFY(label.LoadFromJson(parse(R"({"style":[["big",0,0]],"attr":{"text":"Hello"}})")));
    QCOMPARE(label.toPlainText(), QStringLiteral("Hello"));
    QCOMPARE(label.document()->defaultFont().pixelSize(), 20);
    QCOMPARE(int(label.document()->defaultFont().weight()), int(QFont::Bold));

    TAVQFontStyle style;
    style.size = 30;
    label.setFontStyle(2, style);
    QCOMPARE(label.secondFontStyle().size, 30);
    QCOMPARE(label.fontStyle().size, 20);
    // Unlike the label, LabelEx does not re-apply the font.
    label.setFontStyle(0, style);
    QCOMPARE(label.fontStyle().size, 30);
    QCOMPARE(label.document()->defaultFont().pixelSize(), 20);
}

void TestLabel::doubleClickSelectsWholeLine()
{
    TAVQLabelEx label;
    label.resize(200, 40);
    QVERIFY(highlightBounds(look(&label)).isEmpty());

    QTest::mouseDClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(label.anchor(), (TAVQTextPosition{0, 0, 0}));
    // One block, its only line, and the end of "label".
    QCOMPARE(label.focus(), (TAVQTextPosition{1, 0, 5}));
    QCOMPARE(label.selectionEnd(), label.focus());

    const QImage image = look(&label);
    const QTextLine line = lineOf(label, 0);
    const int width = int(line.cursorToX(5)) - int(line.cursorToX(0));
    QVERIFY(width > 10);
    QCOMPARE(highlightBounds(image), QRectF(5, 5, width, line.height()).toRect());
    // The text is painted over the highlight.
    const QRect text = boundsOf(image, [](QRgb p) { return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100; });
    QVERIFY(!text.isEmpty());
    QVERIFY(highlightBounds(image).intersects(text));
}

void TestLabel::movingOutsideLinesClearsHighlight()
{
    TAVQLabelEx label;
    label.resize(200, 60);
    QTest::mouseDClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(!highlightBounds(look(&label)).isEmpty());

    // Dragging back onto the start of the line: the focus follows the pointer.
    QMouseEvent onLine(QEvent::MouseMove, QPointF(1, 5), label.mapToGlobal(QPoint(1, 5)),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &onLine);
    QCOMPARE(label.focus(), (TAVQTextPosition{0, 0, 0}));
    QCOMPARE(label.anchor(), (TAVQTextPosition{0, 0, 0}));
    // An empty stretch paints nothing.
    QVERIFY(highlightBounds(look(&label)).isEmpty());

    QTest::mouseDClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QMouseEvent below(QEvent::MouseMove, QPointF(150, 50), label.mapToGlobal(QPoint(150, 50)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &below);
    QVERIFY(label.focus().isNull());
    QCOMPARE(label.focus(), TAVQTextPosition());
    QVERIFY(highlightBounds(look(&label)).isEmpty());
}

void TestLabel::noInteractionNoSelection()
{
    TAVQLabelEx label;
    label.resize(200, 40);
    label.setTextInteractionFlags(Qt::NoTextInteraction);
    QTest::mouseDClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(label.anchor().isNull());
    QVERIFY(label.focus().isNull());
    QVERIFY(highlightBounds(look(&label)).isEmpty());

    label.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QTest::mouseDClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(label.anchor(), (TAVQTextPosition{0, 0, 0}));
}

void TestLabel::releaseStopsTracking()
{
    TAVQLabelEx label;
    label.resize(200, 40);
    label.setMouseTracking(true);
    QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    // Pressing changes nothing, not even the visual state.
    QCOMPARE(label.GetImpl()->state(), int(StateNormal));
    QVERIFY(label.hasMouseTracking());
    QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(!label.hasMouseTracking());

    // Without interaction the release does not reach the selection code.
    label.setMouseTracking(true);
    label.setTextInteractionFlags(Qt::NoTextInteraction);
    QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(label.hasMouseTracking());
}

void TestLabel::hitTest()
{
    TAVQLabelEx label;
    label.setPlainText(QStringLiteral("abc\nsecond block"));
    label.resize(200, 60);
    look(&label);

    QCOMPARE(label.hitTest(QPoint(0, 2)), (TAVQTextPosition{0, 0, 0}));
    // Past the end of the text on the line: the end of the line.
    QCOMPARE(label.hitTest(QPoint(150, 2)), (TAVQTextPosition{0, 0, 3}));
    const QTextLine first = lineOf(label, 0);
    const int afterB = int(first.cursorToX(2)) + 1;
    QCOMPARE(label.hitTest(QPoint(afterB, 2)), (TAVQTextPosition{0, 0, 2}));
    // Below the first line nothing is hit.
    QCOMPARE(label.hitTest(QPoint(5, int(first.height()) + 2)), TAVQTextPosition());
    QCOMPARE(label.hitTest(QPoint(-5, 2)), TAVQTextPosition());
}

void TestLabel::setSelectionOrder()
{
    TAVQLabelEx label;
    const TAVQTextPosition early{0, 0, 2};
    const TAVQTextPosition late{0, 1, 10};

    label.setSelection(early, late);
    QCOMPARE(label.anchor(), early);
    QCOMPARE(label.focus(), late);
    label.setSelection(late, early);
    QCOMPARE(label.anchor(), early);
    QCOMPARE(label.focus(), late);

    // Equal positions keep the given order.
    label.setSelection(late, late);
    QCOMPARE(label.anchor(), late);

    // b counts as earlier as soon as any of its three values is smaller.
    const TAVQTextPosition a{0, 3, 50};
    const TAVQTextPosition b{1, 0, 2};
    label.setSelection(a, b);
    QCOMPARE(label.anchor(), b);
    QCOMPARE(label.focus(), a);

    label.resetSelection();
    QCOMPARE(label.anchor(), TAVQTextPosition());
    QCOMPARE(label.focus(), TAVQTextPosition());
}

void TestLabel::multiLineSelection()
{
    TAVQLabelEx label;
    label.setPlainText(Paragraph);
    label.resize(110, 200);
    look(&label);
    const QTextLayout *layout = label.document()->begin().layout();
    QVERIFY2(layout->lineCount() >= 5, qPrintable(QString::number(layout->lineCount())));

    const int anchorCursor = lineOf(label, 0).textStart() + 2;
    const int focusCursor = lineOf(label, 3).textStart() + 3;
    label.setSelection(TAVQTextPosition{0, 3, focusCursor}, TAVQTextPosition{0, 0, anchorCursor});
    QCOMPARE(label.anchor().line, 0);
    const QImage image = look(&label);

    // Each line's band, less its edge rows, which neighbouring lines may share.
    const auto band = [&](int index) {
        const QTextLine line = lineOf(label, index);
        const int top = int(line.y() + 5);
        return QRect(0, top + 1, image.width(), int(line.height()) - 2);
    };
    const auto expectSpan = [&](int index, int from, int to) {
        const QRect found = highlightBounds(image, band(index));
        QCOMPARE(found.left(), from);
        QCOMPARE(found.right() + 1, to);
    };

    const QTextLine line0 = lineOf(label, 0);
    expectSpan(0, int(line0.cursorToX(anchorCursor)) + 5, int(line0.naturalTextWidth()) + 5);
    expectSpan(1, 5, int(lineOf(label, 1).naturalTextWidth()) + 5);
    expectSpan(2, 5, int(lineOf(label, 2).naturalTextWidth()) + 5);
    expectSpan(3, 5, int(lineOf(label, 3).cursorToX(focusCursor)) + 5);
    QVERIFY(highlightBounds(image, band(4)).isEmpty());
    // The anchor line starts past the left edge; the others start at 5.
    QVERIFY(int(line0.cursorToX(anchorCursor)) > 0);
}

void TestLabel::selectionOutOfRange_data()
{
    QTest::addColumn<TAVQTextPosition>("a");
    QTest::addColumn<TAVQTextPosition>("b");
    // The selection within the text that looks the same.
    QTest::addColumn<TAVQTextPosition>("sameA");
    QTest::addColumn<TAVQTextPosition>("sameB");
    const TAVQTextPosition lineStart{0, 0, 0};
    QTest::newRow("line far before") << TAVQTextPosition{0, -100000000, 0} << TAVQTextPosition{0, 2, 1000}
                                     << lineStart << TAVQTextPosition{0, 2, 1000};
    QTest::newRow("line just before") << TAVQTextPosition{0, -2, 0} << TAVQTextPosition{0, 0, 1000}
                                      << lineStart << TAVQTextPosition{0, 0, 1000};
    QTest::newRow("line far after") << TAVQTextPosition{0, 1, 0} << TAVQTextPosition{0, INT_MAX, 0}
                                    << TAVQTextPosition{0, 1, 0} << TAVQTextPosition{0, 99, 0};
    QTest::newRow("cursors far out") << TAVQTextPosition{0, 1, INT_MIN} << TAVQTextPosition{0, 1, INT_MAX}
                                     << TAVQTextPosition{0, 1, 0} << TAVQTextPosition{0, 1, 1000};
    QTest::newRow("all extremes") << TAVQTextPosition{INT_MIN, INT_MIN, INT_MIN}
                                  << TAVQTextPosition{INT_MAX, INT_MAX, INT_MAX} << lineStart
                                  << TAVQTextPosition{0, 99, 0};
}

void TestLabel::selectionOutOfRange()
{
    QFETCH(TAVQTextPosition, a);
    QFETCH(TAVQTextPosition, b);
    QFETCH(TAVQTextPosition, sameA);
    QFETCH(TAVQTextPosition, sameB);
    TAVQLabelEx label;
    label.setPlainText(Paragraph);
    label.resize(110, 200);
    look(&label);   // lays the lines out
    label.setSelection(a, b);
    const QImage image = look(&label);
    QVERIFY(!highlightBounds(image).isEmpty());
    label.setSelection(sameA, sameB);
    QCOMPARE(look(&label), image);
}

void TestLabel::drawIntoRowRectangle()
{
    TAVQLabelEx label;
    label.resize(200, 40);
    QTest::mouseDClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const QRect own = highlightBounds(look(&label));
    QVERIFY(!own.isEmpty());

    QImage row = onWhite(QSize(400, 120));
    QPainter painter(&row);
    label.GetImpl()->Draw(&painter, QRect(150, 60, 200, 40));
    // The painter's own state survives.
    QVERIFY(painter.transform().isIdentity());
    painter.end();
    QCOMPARE(highlightBounds(row), own.translated(150, 60));
}

void TestLabel::textColour()
{
    TAVQLabelEx label;
    label.setPlainText(QStringLiteral("MMMM"));
    label.resize(200, 40);
    // No style colour: the palette's window text.
    const QRgb windowText = label.palette().color(QPalette::WindowText).rgba();
    QVERIFY(!boundsOf(look(&label), [windowText](QRgb p) { return p == windowText; }).isEmpty());

    label.setTextColor(QColor(Red));
    const QImage red = look(&label);
    QVERIFY(!boundsOf(red, [](QRgb p) { return p == Red; }).isEmpty());
    QVERIFY(boundsOf(red, [windowText](QRgb p) { return p == windowText; }).isEmpty());

    // The style colour from the sheet.
    TAVQLabelEx styled;
    QVERIFY(styled.LoadFromJson(parse(R"({"style":[["plain",0,0]],"attr":{"text":"MMMM"}})")));
    styled.resize(200, 40);
    QVERIFY(!boundsOf(look(&styled), [](QRgb p) { return p == 0xFF0000FF; }).isEmpty());
}

void TestLabel::htmlRoundTrip()
{
    TAVQLabelEx label;
    label.setHtml(QStringLiteral("<b>bold</b> and plain"));
    QCOMPARE(label.toPlainText(), QStringLiteral("bold and plain"));
    QVERIFY(label.toHtml().contains(QStringLiteral("font-weight")));
    QVERIFY(label.toHtml().contains(QStringLiteral("bold</span>")));
    label.setPlainText(QStringLiteral("<b>x</b>"));
    QCOMPARE(label.toPlainText(), QStringLiteral("<b>x</b>"));
}

void TestLabel::createdThroughTheRegistry()
{
    RegisterControlType("qtlabelex", createLabelEx, true);
    QWidget window;
    window.resize(300, 100);
    QWidget *created = CreateControl("qtlabelex",
            parse(R"({"name":"note","tooltip":"tip","x":10,"y":10,"w":200,"h":40,"attr":{"text":"abc"}})"), &window);
    auto *label = qobject_cast<TAVQLabelEx *>(created);
    QVERIFY(label);
    QCOMPARE(label->objectName(), QStringLiteral("note"));
    QCOMPARE(label->toolTip(), QStringLiteral("tip"));
    QCOMPARE(controlInterface(label)->GetTypeName(), QStringLiteral("qtlabelex"));
    label->GetControlBase()->ApplyLayout();
    QCOMPARE(label->geometry(), QRect(10, 10, 200, 40));
}

QTEST_MAIN(TestLabel)
#include "tst_label.moc"
