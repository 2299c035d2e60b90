#include "resources/tavqpaint.h"
#include "resources/tavqresourcemanager.h"
#include "lookpicture.h"
#include "widgetlook.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextOption>
#include <QWidget>
#include <QtTest>

#include <functional>

using namespace TAVQtLib;

namespace {

const QRgb Background = 0xFF102030;
const QRgb Fill = 0xFF0000FF;
const QRgb Edge = 0xFFFF0000;
const QRgb Ink = 0xFF00FF00;

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Background);
    return image;
}

QImage painted(int w, int h, const std::function<void(QPainter *)> &draw)
{
    QImage image = canvas(w, h);
    QPainter painter(&image);
    draw(&painter);
    return image;
}

// The smallest rectangle holding every pixel that differs from the background.
QRect inkBounds(const QImage &image)
{
    return boundsOf(image, [](QRgb pixel) { return pixel != Background; });
}

// Pixels of the colour box (0, 0, 100, 40) a 2-pixel border covers per side:
// a pen of width 2 centred on an integer line covers the pixel row or column
// before it and the one at it; square caps reach one pixel past each end.
QImage expectedBorders(bool bottom, bool top, bool right, bool left)
{
    QImage image = canvas(110, 50);
    QPainter painter(&image);
    painter.fillRect(0, 0, 100, 40, QColor::fromRgba(Fill));
    const QColor edge = QColor::fromRgba(Edge);
    if (bottom)
        painter.fillRect(0, 37, 99, 2, edge);
    if (top)
        painter.fillRect(0, 0, 99, 1, edge);
    if (right)
        painter.fillRect(97, 0, 2, 39, edge);
    if (left)
        painter.fillRect(0, 0, 1, 39, edge);
    return image;
}

TAVQBoxStyle borderedBox()
{
    TAVQBoxStyle style;
    style.color = QColor::fromRgba(Fill);
    style.borderColor = QColor::fromRgba(Edge);
    style.borderSize = 2;
    return style;
}

QImage paintedBox(const TAVQBoxStyle &style)
{
    return painted(110, 50, [&](QPainter *p) { TAVQPaint::paintColorBox(p, style, 0, 0, 100, 40); });
}

// Nine 10 x 10 regions, row by row.
const QRgb Regions[9] = {
    0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
    0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF,
    0xFF800000, 0xFF008000, 0xFF000080,
};

QRgb region(int column, int row)
{
    return Regions[row * 3 + column];
}

QImage nineRegionImage()
{
    QImage image(30, 30, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            painter.fillRect(column * 10, row * 10, 10, 10, QColor::fromRgba(region(column, row)));
    }
    painter.end();
    return image;
}

// A 10 x 10 tile whose first pixel is marked so each copy can be found.
QImage markedTile()
{
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(Fill);
    image.setPixel(0, 0, Edge);
    image.setPixel(9, 9, Ink);
    return image;
}

bool isUniform(const QImage &image, const QRect &area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != colour)
                return false;
        }
    }
    return true;
}

TAVQSliceSet slices(int l, int r, int t, int b, bool repeatCenter = false)
{
    TAVQSliceSet set;
    set.sliceLeft = l;
    set.sliceRight = r;
    set.sliceTop = t;
    set.sliceBottom = b;
    set.repeatCenter = repeatCenter;
    return set;
}

TAVQFontStyle inkFont()
{
    TAVQFontStyle style;
    style.color = QColor::fromRgba(Ink);
    style.family = QStringLiteral("DejaVu Sans");
    style.size = 14;
    return style;
}

QFont handMadeFont(const TAVQFontStyle &style)
{
    QFont font;
    font.setPixelSize(style.size);
    font.setFamily(style.family);
    font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

// A device of some size that draws nothing and counts the images drawn on it.
class CountingDevice : public QPaintDevice
{
public:
    explicit CountingDevice(const QSize &size) : m_size(size) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    int images() const { return m_engine.images; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 96;     // millimetres, colours, resolutions: nothing counted reads them
        }
    }

private:
    struct Engine : QPaintEngine
    {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override { ++images; }
        Type type() const override { return User; }
        int images = 0;
    };
    QSize m_size;
    mutable Engine m_engine;
};

// A control whose whole rectangle is one tiled box.
class TiledBox : public QWidget
{
public:
    TiledBox(QWidget *parent, const QString &image) : QWidget(parent), m_image(image) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        TAVQPaint::paintSlicedImage(&painter, m_image, slices(0, 0, 0, 0, true), 0, 0, width(), height());
    }

private:
    QString m_image;
};

// Vertical text as it has always been drawn: lying in an image of the whole
// rectangle, then turned.
void turnedText(QPainter *painter, const QString &text, const TAVQFontStyle &style, const QRect &r)
{
    QImage lying(r.height(), r.width(), QImage::Format_ARGB32);
    lying.fill(Qt::transparent);
    QPainter p(&lying);
    p.setPen(style.color);
    p.setFont(handMadeFont(style));
    p.drawText(QRectF(0, 0, r.height(), r.width()), text, QTextOption(TAVQPaint::alignmentOf(style)));
    p.end();
    painter->rotate(90);
    painter->drawImage(QPoint(r.y(), -r.x() - r.width()), lying);
}

QImage referenceText(int w, int h, const QString &text, const TAVQFontStyle &style,
                     const QRectF &rect, Qt::Alignment alignment)
{
    return painted(w, h, [&](QPainter *p) {
        p->setRenderHint(QPainter::TextAntialiasing, true);
        p->setPen(style.color);
        p->setFont(handMadeFont(style));
        p->drawText(rect, text, QTextOption(alignment));
    });
}

} // namespace

class tst_Paint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void colorBoxFillAndOutline();
    void colorBoxOneSidedBorders_data();
    void colorBoxOneSidedBorders();
    void colorBoxWithoutBorder();
    void roundedColorBox();
    void gradientColorBox();
    void colorBoxLeavesBorderPen();

    void paintBoxChoosesByStyle();

    void slicedImageNinePieces();
    void slicedImageNarrowTarget();
    void slicedImageStretchedWhole();
    void slicedImageTiledCentre();
    void slicedImageDrawsNothing();
    void tiledCentreDrawsVisibleTilesOnly_data();
    void tiledCentreDrawsVisibleTilesOnly();

    void alignedImage_data();
    void alignedImage();

    void fontOfStyle();
    void keptFontFollowsFields_data();
    void keptFontFollowsFields();
    void keptFontFollowsApplicationFont();
    void textMatchesPlainDrawing_data();
    void textMatchesPlainDrawing();
    void textAlignment();
    void textEliding();
    void textWrapsWhenNotElided();
    void verticalText();
    void verticalTextPlacement();
    void verticalTextVisiblePart_data();
    void verticalTextVisiblePart();

private:
    QString imagePath(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_nine;
    QString m_tile;
    QString m_wide;
};

void tst_Paint::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Absolute paths work as image names: the manager falls back to the disk.
    m_nine = imagePath(QStringLiteral("nine.png"));
    m_tile = imagePath(QStringLiteral("tile.png"));
    m_wide = imagePath(QStringLiteral("wide.png"));
    QVERIFY(nineRegionImage().save(m_nine));
    QVERIFY(markedTile().save(m_tile));
    QImage wide(30, 20, QImage::Format_ARGB32);
    wide.fill(Fill);
    wide.setPixel(0, 0, Edge);
    wide.setPixel(29, 19, Ink);
    QVERIFY(wide.save(m_wide));
    QVERIFY(TAVQResourceManager::instance().image(m_nine));
}

void tst_Paint::colorBoxFillAndOutline()
{
    // The fill covers (0, 0, 100, 40); the outline (0, 0, 98, 38) in a 2-pixel
    // pen leaves column 99 and row 39 to the fill.
    const QImage image = paintedBox(borderedBox());
    QCOMPARE(image, expectedBorders(true, true, true, true));
    QCOMPARE(image.pixel(99, 20), Fill);
    QCOMPARE(image.pixel(50, 39), Fill);
    QCOMPARE(image.pixel(98, 38), Edge);
    QCOMPARE(image.pixel(100, 20), Background);
}

void tst_Paint::colorBoxOneSidedBorders_data()
{
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("left");

    QTest::newRow("no bottom") << false << true << true << true;
    QTest::newRow("no top") << true << false << true << true;
    QTest::newRow("no right") << true << true << false << true;
    QTest::newRow("no left") << true << true << true << false;
    QTest::newRow("bottom only") << true << false << false << false;
    QTest::newRow("left only") << false << false << false << true;
    QTest::newRow("none") << false << false << false << false;
}

void tst_Paint::colorBoxOneSidedBorders()
{
    QFETCH(bool, bottom);
    QFETCH(bool, top);
    QFETCH(bool, right);
    QFETCH(bool, left);

    TAVQBoxStyle style = borderedBox();
    style.bottomBorder = bottom;
    style.topBorder = top;
    style.rightBorder = right;
    style.leftBorder = left;
    QCOMPARE(paintedBox(style), expectedBorders(bottom, top, right, left));

    // Rounded boxes use the same lines, not the inset outline; the round fill
    // only shows where the lines leave it.
    style.round = 10;
    const QImage rounded = paintedBox(style);
    if (left) {
        QCOMPARE(rounded.pixel(0, 20), Edge);
        QCOMPARE(rounded.pixel(1, 20), Fill);
    } else {
        QCOMPARE(rounded.pixel(0, 20), Fill);
        QCOMPARE(rounded.pixel(1, 20), Fill);
    }
    QCOMPARE(rounded.pixel(50, 37), bottom ? Edge : Fill);
    QCOMPARE(rounded.pixel(50, 38), bottom ? Edge : Fill);
    QCOMPARE(rounded.pixel(50, 39), Fill);
}

void tst_Paint::colorBoxWithoutBorder()
{
    // A width of 0 would be a cosmetic pen, so any drawn border would show.
    TAVQBoxStyle style = borderedBox();
    style.borderSize = 0;
    QCOMPARE(paintedBox(style), expectedBorders(false, false, false, false));

    style.bottomBorder = false;
    QCOMPARE(paintedBox(style), expectedBorders(false, false, false, false));

    style = borderedBox();
    style.border = false;
    QCOMPARE(paintedBox(style), expectedBorders(false, false, false, false));
}

void tst_Paint::roundedColorBox()
{
    TAVQBoxStyle style = borderedBox();
    style.round = 10;
    bool antialiased = false;
    const QImage image = painted(110, 50, [&](QPainter *p) {
        TAVQPaint::paintColorBox(p, style, 0, 0, 100, 40);
        antialiased = p->testRenderHint(QPainter::Antialiasing);
    });
    saveLookPicture(image, QStringLiteral("tst_paint_rounded.png"));
    QVERIFY(antialiased);

    // The fill is rounded by 10 pixels, so its corners stay background.
    QCOMPARE(image.pixel(0, 0), Background);
    QCOMPARE(image.pixel(99, 39), Background);
    QCOMPARE(image.pixel(1, 1), Background);
    QCOMPARE(image.pixel(50, 20), Fill);
    // The outline (2, 2, 96, 36) is inset by the border size.
    QCOMPARE(image.pixel(0, 20), Fill);
    QCOMPARE(image.pixel(1, 20), Edge);
    QCOMPARE(image.pixel(2, 20), Edge);
    QCOMPARE(image.pixel(3, 20), Fill);
    QCOMPARE(image.pixel(97, 20), Edge);
    QCOMPARE(image.pixel(98, 20), Edge);
    QCOMPARE(image.pixel(99, 20), Fill);
    QCOMPARE(image.pixel(50, 1), Edge);
    QCOMPARE(image.pixel(50, 38), Edge);
    QCOMPARE(image.pixel(50, 39), Fill);
    // Its corners are rounded relative to its size (4.8 by 1.8 pixels here),
    // far tighter than the fill's: the pen still reaches the corner pixel.
    QVERIFY(qRed(image.pixel(2, 2)) > 100);

    // Without rounding no antialiasing is switched on.
    style.round = 0;
    painted(110, 50, [&](QPainter *p) {
        TAVQPaint::paintColorBox(p, style, 0, 0, 100, 40);
        antialiased = p->testRenderHint(QPainter::Antialiasing);
    });
    QVERIFY(!antialiased);
}

void tst_Paint::gradientColorBox()
{
    TAVQBoxStyle style;
    style.gradient = true;
    style.color = QColor(255, 0, 0);
    style.endColor = QColor(0, 0, 255);

    for (int round : {0, 6}) {
        style.round = round;
        Qt::BrushStyle brushAfter = Qt::SolidPattern;
        // The gradient runs across the box itself, not from the painter's origin.
        const QImage image = painted(200, 40, [&](QPainter *p) {
            p->setBrush(Qt::NoBrush);
            TAVQPaint::paintColorBox(p, style, 50, 0, 100, 40);
            brushAfter = p->brush().style();
        });
        QCOMPARE(brushAfter, Qt::NoBrush);
        const QRgb left = image.pixel(50, 20);
        const QRgb middle = image.pixel(100, 20);
        const QRgb right = image.pixel(149, 20);
        QVERIFY2(qRed(left) > 245 && qBlue(left) < 10, qPrintable(QString::number(left, 16)));
        QVERIFY2(qBlue(right) > 245 && qRed(right) < 10, qPrintable(QString::number(right, 16)));
        QVERIFY(qAbs(qRed(middle) - 128) < 8 && qAbs(qBlue(middle) - 128) < 8);
        QCOMPARE(image.pixel(49, 20), Background);
        QCOMPARE(image.pixel(150, 20), Background);
    }
}

void tst_Paint::colorBoxLeavesBorderPen()
{
    const TAVQBoxStyle style = borderedBox();
    QPen pen;
    QBrush brush;
    painted(110, 50, [&](QPainter *p) {
        TAVQPaint::paintColorBox(p, style, 0, 0, 100, 40);
        pen = p->pen();
        brush = p->brush();
    });
    QCOMPARE(pen.color(), QColor::fromRgba(Edge));
    QCOMPARE(pen.width(), 2);
    QCOMPARE(pen.style(), Qt::SolidLine);
    QCOMPARE(pen.capStyle(), Qt::SquareCap);
    QCOMPARE(pen.joinStyle(), Qt::BevelJoin);
    QCOMPARE(pen.brush().style(), Qt::SolidPattern);
    QCOMPARE(brush.style(), Qt::SolidPattern);
    QCOMPARE(brush.color(), QColor::fromRgba(Fill));
}

void tst_Paint::paintBoxChoosesByStyle()
{
    TAVQBoxStyle style = borderedBox();
    const auto box = [&](const TAVQBoxStyle &s) {
        return painted(110, 50, [&](QPainter *p) { TAVQPaint::paintBox(p, s, QRect(0, 0, 100, 40)); });
    };
    QCOMPARE(box(style), expectedBorders(true, true, true, true));

    style.useColor = false;
    style.img = m_nine;
    style.sliceLeft = style.sliceRight = style.sliceTop = style.sliceBottom = 10;
    const QImage sliced = box(style);
    QCOMPARE(sliced.pixel(0, 0), region(0, 0));
    QCOMPARE(sliced.pixel(99, 39), region(2, 2));
    QCOMPARE(sliced.pixel(50, 20), region(1, 1));
    QCOMPARE(sliced.pixel(100, 40), Background);

    // The style's own repeat flag reaches the sliced image.
    style.img = m_tile;
    style.sliceLeft = style.sliceRight = style.sliceTop = style.sliceBottom = 0;
    style.repeatCenter = true;
    const QImage tiled = box(style);
    QCOMPARE(tiled.pixel(10, 10), Edge);
    QCOMPARE(tiled.pixel(90, 30), Edge);

    // Invisible styles paint nothing, whether colour or image.
    style.visible = false;
    QCOMPARE(box(style), canvas(110, 50));
    style.useColor = true;
    QCOMPARE(box(style), canvas(110, 50));
}

void tst_Paint::slicedImageNinePieces()
{
    const QImage image = painted(80, 70, [&](QPainter *p) {
        TAVQPaint::paintSlicedImage(p, m_nine, slices(10, 10, 10, 10), 5, 5, 60, 50);
    });
    saveLookPicture(image, QStringLiteral("tst_paint_sliced.png"));

    // Corners keep their size, edges and centre stretch.
    const int xs[] = {5, 15, 55, 65};
    const int ys[] = {5, 15, 45, 55};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect area(QPoint(xs[column], ys[row]), QPoint(xs[column + 1] - 1, ys[row + 1] - 1));
            QVERIFY2(isUniform(image, area, region(column, row)),
                     qPrintable(QStringLiteral("piece %1,%2").arg(column).arg(row)));
        }
    }
    QCOMPARE(inkBounds(image), QRect(5, 5, 60, 50));

    // Different slice sizes per side.
    const QImage uneven = painted(80, 70, [&](QPainter *p) {
        TAVQPaint::paintSlicedImage(p, m_nine, slices(5, 10, 10, 5), 0, 0, 40, 30);
    });
    QVERIFY(isUniform(uneven, QRect(0, 0, 5, 10), region(0, 0)));
    QVERIFY(isUniform(uneven, QRect(30, 0, 10, 10), region(2, 0)));
    QVERIFY(isUniform(uneven, QRect(0, 25, 5, 5), region(0, 2)));
    QVERIFY(isUniform(uneven, QRect(30, 25, 10, 5), region(2, 2)));
    QCOMPARE(inkBounds(uneven), QRect(0, 0, 40, 30));
}

void tst_Paint::slicedImageNarrowTarget()
{
    // Narrower than left plus right: no top, bottom or centre pieces; the
    // right pieces, drawn later, overlap the left ones.
    const QImage image = painted(40, 50, [&](QPainter *p) {
        TAVQPaint::paintSlicedImage(p, m_nine, slices(10, 10, 10, 10), 0, 0, 15, 40);
    });
    QVERIFY(isUniform(image, QRect(0, 0, 5, 10), region(0, 0)));
    QVERIFY(isUniform(image, QRect(5, 0, 10, 10), region(2, 0)));
    QVERIFY(isUniform(image, QRect(0, 10, 5, 20), region(0, 1)));
    QVERIFY(isUniform(image, QRect(5, 10, 10, 20), region(2, 1)));
    QVERIFY(isUniform(image, QRect(0, 30, 5, 10), region(0, 2)));
    QVERIFY(isUniform(image, QRect(5, 30, 10, 10), region(2, 2)));
    QCOMPARE(inkBounds(image), QRect(0, 0, 15, 40));

    // Lower than top plus bottom: the corners and edges overlap the same way.
    const QImage low = painted(50, 40, [&](QPainter *p) {
        TAVQPaint::paintSlicedImage(p, m_nine, slices(10, 10, 10, 10), 0, 0, 40, 15);
    });
    QVERIFY(isUniform(low, QRect(0, 0, 10, 5), region(0, 0)));
    QVERIFY(isUniform(low, QRect(0, 5, 10, 10), region(0, 2)));
    QVERIFY(isUniform(low, QRect(10, 0, 20, 5), region(1, 0)));
    QVERIFY(isUniform(low, QRect(10, 5, 20, 10), region(1, 2)));
    QCOMPARE(inkBounds(low), QRect(0, 0, 40, 15));
}

void tst_Paint::slicedImageStretchedWhole()
{
    const QImage image = painted(70, 70, [&](QPainter *p) {
        TAVQPaint::paintSlicedImage(p, m_nine, TAVQSliceSet(), 5, 5, 60, 60);
    });
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            QVERIFY(isUniform(image, QRect(5 + column * 20, 5 + row * 20, 20, 20), region(column, row)));
    }
    QCOMPARE(inkBounds(image), QRect(5, 5, 60, 60));
}

void tst_Paint::slicedImageTiledCentre()
{
    const QImage tile = markedTile();
    QRegion clipAfter;
    const QImage image = painted(40, 30, [&](QPainter *p) {
        // The centre's own clip replaces the caller's for the tiles.
        p->setClipRect(QRect(0, 0, 8, 8));
        TAVQPaint::paintSlicedImage(p, m_tile, slices(0, 0, 0, 0, true), 0, 0, 25, 15);
        clipAfter = p->clipRegion();
    });
    QCOMPARE(clipAfter, QRegion(0, 0, 8, 8));

    // 3 x 2 tiles at the tile's own size, cut at 25 x 15.
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            QCOMPARE(image.pixel(column * 10, row * 10), Edge);
    }
    QCOMPARE(image.pixel(9, 9), Ink);
    QCOMPARE(image.pixel(19, 9), Ink);
    QCOMPARE(image.pixel(24, 14), tile.pixel(4, 4));
    QCOMPARE(image.pixel(24, 0), Fill);
    QCOMPARE(inkBounds(image), QRect(0, 0, 25, 15));

    // Only the centre tiles: the nine-region image's middle is plain, so use
    // slices that leave the marked corner of the tile image in the centre.
    const QImage framed = painted(60, 40, [&](QPainter *p) {
        TAVQPaint::paintSlicedImage(p, m_tile, slices(0, 1, 0, 1, true), 10, 10, 40, 20);
    });
    // Centre source (0, 0, 9, 9) over (10, 10, 39, 19): 5 x 3 tiles.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column)
            QCOMPARE(framed.pixel(10 + column * 9, 10 + row * 9), Edge);
    }
    QCOMPARE(framed.pixel(49, 29), Ink);
    QCOMPARE(framed.pixel(49, 15), Fill);
    QCOMPARE(inkBounds(framed), QRect(10, 10, 40, 20));
}

void tst_Paint::slicedImageDrawsNothing()
{
    const QImage blank = canvas(40, 40);
    const auto sliced = [&](const QString &name, int w, int h) {
        return painted(40, 40, [&](QPainter *p) {
            TAVQPaint::paintSlicedImage(p, name, slices(0, 0, 0, 0), 0, 0, w, h);
        });
    };
    QVERIFY(sliced(m_nine, 30, 30) != blank);
    QCOMPARE(sliced(m_nine, 0, 30), blank);
    QCOMPARE(sliced(m_nine, 30, 0), blank);
    QCOMPARE(sliced(imagePath(QStringLiteral("missing.png")), 30, 30), blank);
}

void tst_Paint::tiledCentreDrawsVisibleTilesOnly_data()
{
    QTest::addColumn<QSize>("view");
    QTest::addColumn<QTransform>("transform");
    QTest::addColumn<QRect>("target");
    QTest::addColumn<bool>("inWidget");
    QTest::addColumn<int>("tiles");

    // 10 x 10 tiles over 3000 x 3000, of which a 200 x 100 view shows a few.
    const QRect offset(-5, -5, 3000, 3000);
    const QRect atZero(0, 0, 3000, 3000);
    QTest::newRow("device bounds") << QSize(200, 100) << QTransform() << offset << false << 21 * 11;
    QTest::newRow("translated") << QSize(200, 100) << QTransform::fromTranslate(-1000, -2000) << atZero << false << 20 * 10;
    QTest::newRow("scaled") << QSize(200, 100) << QTransform::fromScale(2, 2) << atZero << false << 10 * 5;
    QTest::newRow("widget in a window") << QSize(200, 100) << QTransform() << offset << true << 21 * 11;
}

void tst_Paint::tiledCentreDrawsVisibleTilesOnly()
{
    QFETCH(QSize, view);
    QFETCH(QTransform, transform);
    QFETCH(QRect, target);
    QFETCH(bool, inWidget);
    QFETCH(int, tiles);

    const auto tiled = [&](QPainter *p) {
        p->setTransform(transform);
        TAVQPaint::paintSlicedImage(p, m_tile, slices(0, 0, 0, 0, true), target.x(), target.y(),
                                    target.width(), target.height());
    };
    QImage image;
    if (inWidget) {
        // The window cuts its control off; the control's own device is all of it.
        QWidget window;
        window.resize(view);
        TiledBox box(&window, m_tile);
        box.setGeometry(target);
        CountingDevice counter(target.size());
        box.render(&counter);
        QCOMPARE(counter.images(), tiles);
        image = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    } else {
        CountingDevice counter(view);
        QPainter painter(&counter);
        tiled(&painter);
        painter.end();
        QCOMPARE(counter.images(), tiles);
        image = painted(view.width(), view.height(), tiled);
    }
    // Every tile of the target, drawn the plain way.
    const QImage tile = markedTile();
    const QImage expected = painted(view.width(), view.height(), [&](QPainter *p) {
        p->setTransform(transform);
        p->setClipRect(target);
        for (int y = target.top(); y <= target.bottom(); y += tile.height()) {
            for (int x = target.left(); x <= target.right(); x += tile.width())
                p->drawImage(x, y, tile);
        }
    });
    QCOMPARE(image, expected);
}

void tst_Paint::alignedImage_data()
{
    QTest::addColumn<int>("alignH");
    QTest::addColumn<int>("alignV");
    QTest::addColumn<int>("offsetX");
    QTest::addColumn<int>("offsetY");
    QTest::addColumn<QPoint>("topLeft");

    // Image 30 x 20 in the rectangle (10, 10, 25, 40).
    QTest::newRow("start") << 0 << 0 << 0 << 0 << QPoint(10, 10);
    QTest::newRow("centre, truncated toward zero") << 1 << 1 << 0 << 0 << QPoint(8, 20);
    QTest::newRow("end") << 2 << 2 << 0 << 0 << QPoint(5, 30);
    QTest::newRow("offsets") << 0 << 0 << 3 << 4 << QPoint(13, 14);
    QTest::newRow("negative offsets") << 1 << 2 << -3 << -4 << QPoint(5, 26);
    QTest::newRow("other alignments use the painter origin") << 5 << -1 << 2 << 1 << QPoint(2, 1);
    QTest::newRow("other horizontal only") << 3 << 1 << 0 << 0 << QPoint(0, 20);
}

void tst_Paint::alignedImage()
{
    QFETCH(int, alignH);
    QFETCH(int, alignV);
    QFETCH(int, offsetX);
    QFETCH(int, offsetY);
    QFETCH(QPoint, topLeft);

    TAVQImagePlacement placement;
    placement.alignH = alignH;
    placement.alignV = alignV;
    placement.offsetX = offsetX;
    placement.offsetY = offsetY;
    const QImage image = painted(60, 60, [&](QPainter *p) {
        TAVQPaint::paintAlignedImage(p, m_wide, placement, QRect(10, 10, 25, 40));
    });
    const QImage expected = painted(60, 60, [&](QPainter *p) {
        p->drawImage(topLeft, QImage(m_wide));
    });
    QCOMPARE(image, expected);

    const QImage missing = painted(60, 60, [&](QPainter *p) {
        TAVQPaint::paintAlignedImage(p, imagePath(QStringLiteral("missing.png")), placement, QRect(10, 10, 25, 40));
    });
    QCOMPARE(missing, canvas(60, 60));
}

void tst_Paint::fontOfStyle()
{
    TAVQFontStyle style;
    style.size = 17;
    style.family = QStringLiteral("WenQuanYi Micro Hei");
    QFont font = TAVQPaint::fontOf(style);
    QCOMPARE(font.pixelSize(), 17);
    QCOMPARE(font.family(), style.family);
    QCOMPARE(int(font.weight()), int(QFont::Normal));
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());

    style.bold = true;
    style.italic = true;
    style.underline = true;
    font = TAVQPaint::fontOf(style);
    QCOMPARE(int(font.weight()), int(QFont::Bold));
    QCOMPARE(font.style(), QFont::StyleItalic);
    QVERIFY(font.underline());

    // A family that is not installed still yields a usable font.
    font = TAVQPaint::fontOf(TAVQFontStyle());
    QCOMPARE(font.family(), QStringLiteral("Airal"));
    QVERIFY(QFontMetrics(font).horizontalAdvance(QStringLiteral("A")) > 0);
}

void tst_Paint::keptFontFollowsFields_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("madeAgain");

    const QString family = QStringLiteral("WenQuanYi Micro Hei");
    QTest::newRow("unchanged") << 17 << family << false << false << false << QColor() << false;
    QTest::newRow("colour only") << 17 << family << false << false << false << QColor(Qt::red) << false;
    QTest::newRow("size") << 23 << family << false << false << false << QColor() << true;
    QTest::newRow("no size") << 0 << family << false << false << false << QColor() << true;
    QTest::newRow("family") << 17 << QStringLiteral("Airal") << false << false << false << QColor() << true;
    QTest::newRow("bold") << 17 << family << true << false << false << QColor() << true;
    QTest::newRow("italic") << 17 << family << false << true << false << QColor() << true;
    QTest::newRow("underline") << 17 << family << false << false << true << QColor() << true;
}

void tst_Paint::keptFontFollowsFields()
{
    QFETCH(int, size);
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QColor, color);
    QFETCH(bool, madeAgain);

    TAVQFontStyle style;
    style.size = 17;
    style.family = QStringLiteral("WenQuanYi Micro Hei");
    const QFont kept = style.font();
    style.size = size;
    style.family = family;
    style.bold = bold;
    style.italic = italic;
    style.underline = underline;
    style.color = color;

    // The same font as a style that never made one would make.
    TAVQFontStyle fresh = style;
    fresh.fontCache = TAVQFontCache();
    QCOMPARE(style.font(), fresh.font());
    QCOMPARE(style.font().key(), fresh.font().key());
    QCOMPARE(!style.font().isCopyOf(kept), madeAgain);
    // Copies share what was made.
    const TAVQFontStyle copy = style;
    QVERIFY(copy.font().isCopyOf(style.font()));
}

void tst_Paint::keptFontFollowsApplicationFont()
{
    // Without a pixel size the style's font takes the application font's size.
    TAVQFontStyle style;
    style.size = 0;
    const QFont before = style.font();
    const QFont application = QGuiApplication::font();
    QFont larger = application;
    larger.setPixelSize(31);
    QGuiApplication::setFont(larger);
    const QFont after = style.font();
    QGuiApplication::setFont(application);
    QCOMPARE(after.pixelSize(), 31);
    QVERIFY(!after.isCopyOf(before));
}

void tst_Paint::textMatchesPlainDrawing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hor");
    QTest::addColumn<int>("ver");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<int>("alignment");

    QTest::newRow("left top") << "Text" << 0 << 0 << false << false << false << int(Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("centre") << "Text" << 1 << 1 << false << false << false << int(Qt::AlignCenter);
    QTest::newRow("right bottom") << "Text" << 2 << 2 << false << false << false << int(Qt::AlignRight | Qt::AlignBottom);
    QTest::newRow("bold") << "Text" << 0 << 1 << true << false << false << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("italic underlined") << "Text" << 1 << 0 << false << true << true << int(Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("chinese") << QString::fromUtf8("中文字") << 0 << 1 << false << false << false << int(Qt::AlignLeft | Qt::AlignVCenter);
}

void tst_Paint::textMatchesPlainDrawing()
{
    QFETCH(QString, text);
    QFETCH(int, hor);
    QFETCH(int, ver);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(int, alignment);

    TAVQFontStyle style = inkFont();
    style.hor = hor;
    style.ver = ver;
    style.bold = bold;
    style.italic = italic;
    style.underline = underline;
    if (text.at(0).unicode() > 0x7f)
        style.family = QStringLiteral("WenQuanYi Micro Hei");
    style.x = 6;
    style.y = 3;

    const QImage image = painted(160, 60, [&](QPainter *p) {
        TAVQPaint::paintText(p, text, style, QRect(10, 5, 120, 40));
    });
    // The style's offsets move the text rectangle's top-left corner only.
    const QImage expected = referenceText(160, 60, text, style, QRectF(16, 8, 114, 37),
                                          Qt::Alignment(alignment));
    QVERIFY(inkBounds(image).isValid());
    QCOMPARE(image, expected);

    // Features that change the drawing change it: the comparison is not blind.
    style.bold = !bold;
    const QImage toggled = painted(160, 60, [&](QPainter *p) {
        TAVQPaint::paintText(p, text, style, QRect(10, 5, 120, 40));
    });
    QVERIFY(toggled != image);
}

void tst_Paint::textAlignment()
{
    TAVQFontStyle style = inkFont();
    const auto draw = [&](int hor, int ver) {
        style.hor = hor;
        style.ver = ver;
        return painted(200, 100, [&](QPainter *p) {
            TAVQPaint::paintText(p, QStringLiteral("Hello"), style, 20, 10, 160, 80, true);
        });
    };
    const QImage topLeft = draw(0, 0);
    const QImage none = draw(5, 5);
    const QImage centred = draw(1, 1);
    const QImage bottomRight = draw(2, 2);

    // No flags at all lay the text out at the top-left.
    QCOMPARE(none, topLeft);
    QCOMPARE(draw(-1, 3), topLeft);

    const QRect atTopLeft = inkBounds(topLeft);
    const QRect atCentre = inkBounds(centred);
    const QRect atBottomRight = inkBounds(bottomRight);
    QVERIFY(atTopLeft.left() >= 20 && atTopLeft.left() < 24);
    QVERIFY(atTopLeft.top() >= 10 && atTopLeft.top() < 16);
    QVERIFY(qAbs(atCentre.center().x() - 100) <= 2);
    QVERIFY(qAbs(atCentre.center().y() - 50) <= 4);
    QVERIFY(atBottomRight.right() <= 179 && atBottomRight.right() > 174);
    QVERIFY(atBottomRight.bottom() <= 89 && atBottomRight.bottom() > 80);

    // The painter is left with the text's pen, brush and font.
    QPen pen;
    QBrush brush;
    QFont font;
    bool textAntialiased = false;
    painted(10, 10, [&](QPainter *p) {
        p->setRenderHint(QPainter::TextAntialiasing, false);
        TAVQPaint::paintText(p, QStringLiteral("x"), style, QRect(0, 0, 10, 10));
        pen = p->pen();
        brush = p->brush();
        font = p->font();
        textAntialiased = p->testRenderHint(QPainter::TextAntialiasing);
    });
    QCOMPARE(pen.color(), QColor::fromRgba(Ink));
    QCOMPARE(brush.color(), QColor::fromRgba(Ink));
    QCOMPARE(brush.style(), Qt::SolidPattern);
    QCOMPARE(font.pixelSize(), 14);
    QVERIFY(textAntialiased);
}

void tst_Paint::textEliding()
{
    const QString text = QStringLiteral("A rather long caption that cannot fit");
    TAVQFontStyle style = inkFont();
    style.hor = 0;
    style.ver = 0;
    const QFont font = handMadeFont(style);
    const QFontMetrics metrics(font);
    const QString elided = metrics.elidedText(text, Qt::ElideRight, 98);
    QVERIFY(elided.endsWith(QChar(0x2026)));

    const QImage expected = referenceText(160, 40, elided, style, QRectF(0, 0, 100, 40), Qt::AlignLeft | Qt::AlignTop);
    for (int elide : {0, 1, 2, 4}) {
        style.elide = elide;
        const QImage image = painted(160, 40, [&](QPainter *p) {
            TAVQPaint::paintText(p, text, style, QRect(0, 0, 100, 40));
        });
        QCOMPARE(image, expected);
        const QRect ink = inkBounds(image);
        QVERIFY(ink.height() < metrics.height() + 2);
        QVERIFY(ink.right() < 98);
        QVERIFY(ink.right() > 98 - metrics.horizontalAdvance(QChar(0x2026)) * 2);
    }

    // The width to fit is the whole rectangle's less 2, not the offset text
    // rectangle's, so a shortened text may still wrap there.
    style.elide = 1;
    style.x = 10;
    const QString narrower = metrics.elidedText(text, Qt::ElideRight, 88);
    QVERIFY(narrower != elided);
    const QImage offset = painted(160, 40, [&](QPainter *p) {
        TAVQPaint::paintText(p, text, style, QRect(0, 0, 100, 40));
    });
    QCOMPARE(offset, referenceText(160, 40, elided, style, QRectF(10, 0, 90, 40), Qt::AlignLeft | Qt::AlignTop));
    QVERIFY(offset != referenceText(160, 40, narrower, style, QRectF(10, 0, 90, 40), Qt::AlignLeft | Qt::AlignTop));
}

void tst_Paint::textWrapsWhenNotElided()
{
    const QString text = QStringLiteral("A rather long caption that cannot fit");
    TAVQFontStyle style = inkFont();
    style.hor = 0;
    style.ver = 0;
    style.elide = 3;
    const QImage image = painted(160, 120, [&](QPainter *p) {
        TAVQPaint::paintText(p, text, style, QRect(0, 0, 100, 120));
    });
    const int lineHeight = QFontMetrics(handMadeFont(style)).height();
    const QRect ink = inkBounds(image);
    QVERIFY(ink.height() > 2 * lineHeight);
    QVERIFY(ink.right() < 100);
    QCOMPARE(image, referenceText(160, 120, text, style, QRectF(0, 0, 100, 120), Qt::AlignLeft | Qt::AlignTop));
}

void tst_Paint::verticalText()
{
    const QString text = QStringLiteral("ABC and a long tail");
    TAVQFontStyle style = inkFont();
    style.isHor = false;
    style.hor = 0;
    style.ver = 1;
    // Offsets and eliding do not apply to vertical text.
    style.x = 7;
    style.y = 9;
    const QImage image = painted(60, 160, [&](QPainter *p) {
        TAVQPaint::paintText(p, text, style, QRect(0, 10, 30, 140));
    });
    saveLookPicture(image, QStringLiteral("tst_paint_vertical.png"));

    // The text as drawn lying down, then turned clockwise.
    QImage lying(140, 30, QImage::Format_ARGB32);
    lying.fill(Qt::transparent);
    {
        QPainter p(&lying);
        p.setPen(style.color);
        p.setFont(handMadeFont(style));
        p.drawText(QRectF(0, 0, 140, 30), text, QTextOption(Qt::AlignLeft | Qt::AlignVCenter));
    }
    const QImage standing = lying.transformed(QTransform().rotate(90));
    QCOMPARE(standing.size(), QSize(30, 140));
    const QImage expected = painted(60, 160, [&](QPainter *p) { p->drawImage(0, 10, standing); });
    QCOMPARE(image, expected);

    // Tall, narrow, starting at the top of the rectangle and reading downwards.
    const QRect ink = inkBounds(image);
    QVERIFY(QRect(0, 10, 30, 140).contains(ink));
    QVERIFY(ink.height() > 3 * ink.width());
    QVERIFY(ink.top() < 14);

    // "A" alone, turned, sits where the long text starts.
    const QImage single = painted(60, 160, [&](QPainter *p) {
        TAVQPaint::paintText(p, QStringLiteral("A"), style, 0, 10, 30, 140, false);
    });
    const QRect a = inkBounds(single);
    QVERIFY(a.isValid());
    QVERIFY(a.bottom() < 30);
    for (int y = a.top(); y <= a.bottom(); ++y) {
        for (int x = a.left(); x <= a.right(); ++x)
            QCOMPARE(image.pixel(x, y), single.pixel(x, y));
    }

    // The explicit flag overrides the style's direction.
    const QImage horizontal = painted(60, 160, [&](QPainter *p) {
        TAVQPaint::paintText(p, QStringLiteral("A"), style, 0, 10, 30, 140, true);
    });
    QVERIFY(horizontal != single);
    QVERIFY(inkBounds(horizontal).width() >= inkBounds(horizontal).height() / 2);
}

void tst_Paint::verticalTextPlacement()
{
    // The turned text covers its rectangle wherever the rectangle is.
    TAVQFontStyle style = inkFont();
    style.isHor = false;
    const auto draw = [&](int x) {
        return painted(80, 100, [&](QPainter *p) {
            p->translate(40, 0);
            TAVQPaint::paintText(p, QStringLiteral("Word"), style, QRect(x, 0, 30, 100));
        });
    };
    const QImage atZero = draw(0);
    const QImage atTen = draw(10);
    const QRect ink = inkBounds(atZero);
    QVERIFY(ink.isValid());
    QVERIFY(QRect(40, 0, 30, 100).contains(ink));
    QCOMPARE(inkBounds(atTen), ink.translated(10, 0));
    QCOMPARE(atTen.copy(50, 0, 30, 100), atZero.copy(40, 0, 30, 100));
}

void tst_Paint::verticalTextVisiblePart_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("hor");
    QTest::addColumn<int>("ver");
    QTest::addColumn<QRect>("reference");

    const QRect none;
    const QRect tall(0, 10, 30, 140);
    const QRect off(-50, -300, 120, 600);
    QTest::newRow("clipped") << QSize(60, 160) << QRect(0, 40, 30, 30) << tall << 0 << 1 << tall;
    QTest::newRow("partly off the image") << QSize(100, 100) << none << off << 1 << 1 << off;
    // Read from the top-right corner, a huge rectangle shows what a small one
    // with the same corner does.
    QTest::newRow("huge") << QSize(200, 200) << none << QRect(150 - 1000000, 20, 1000000, 1000000) << 0 << 0
                          << QRect(110, 20, 40, 300);
}

void tst_Paint::verticalTextVisiblePart()
{
    QFETCH(QSize, canvas);
    QFETCH(QRect, clip);
    QFETCH(QRect, rect);
    QFETCH(int, hor);
    QFETCH(int, ver);
    QFETCH(QRect, reference);

    const QString text = QStringLiteral("ABC and a long tail");
    TAVQFontStyle style = inkFont();
    style.hor = hor;
    style.ver = ver;
    const auto clipped = [&](QPainter *p) {
        if (clip.isValid())
            p->setClipRect(clip);
    };
    const QImage image = painted(canvas.width(), canvas.height(), [&](QPainter *p) {
        clipped(p);
        TAVQPaint::paintText(p, text, style, rect.x(), rect.y(), rect.width(), rect.height(), false);
    });
    const QImage expected = painted(canvas.width(), canvas.height(), [&](QPainter *p) {
        clipped(p);
        turnedText(p, text, style, reference);
    });
    QVERIFY(inkBounds(image).isValid());
    QCOMPARE(image, expected);
}

QTEST_MAIN(tst_Paint)
#include "tst_paint.moc"
