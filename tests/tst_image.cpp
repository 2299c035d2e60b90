#include "controls/tavqimage.h"
#include "base/tavqjson_p.h"
#include "core/tavqregistry.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Red = 0xFFFF0000;
const QRgb Blue = 0xFF0000FF;

// What the control itself paints, on a transparent surface.
QImage painted(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool isBlank(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

// Each pixel tells where in the picture it came from.
QImage coordinatePicture(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    }
    return image;
}

QWidget *createImage()
{
    return new TAVQImage;
}

QWidget *createCanvas()
{
    return new TAVQCanvas;
}

} // namespace

class TestImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void loadsPathAndFill();
    void fillStretchesOverTheControl();
    void alignedPicture_data();
    void alignedPicture();
    void largerPictureIsCutEquallyOnBothSides();
    void noPictureNothingPainted();
    void setPathShowsAtNextRepaint();
    void applicationImageWinsOverPath();
    void disabledImageLooksTheSame();
    void drawIntoAnotherRectangle();
    void malformedElements();

    void canvasPaintsNothing();
    void createdThroughTheRegistry();

private:
    std::unique_ptr<TAVQImage> load(const QByteArray &json, const QSize &size);

    QTemporaryDir m_dir;
};

void TestImage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[{"type":1,"name":"x","drawImg":false,"clr":"ff102030"}]})");
    sheet.close();

    QImage red(40, 40, QImage::Format_ARGB32);
    red.fill(Red);
    QVERIFY(red.save(m_dir.filePath(QStringLiteral("red.png"))));
    QImage blue(40, 40, QImage::Format_ARGB32);
    blue.fill(Blue);
    QVERIFY(blue.save(m_dir.filePath(QStringLiteral("blue.png"))));
    QVERIFY(coordinatePicture(140, 100).save(m_dir.filePath(QStringLiteral("big.png"))));
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
}

std::unique_ptr<TAVQImage> TestImage::load(const QByteArray &json, const QSize &size)
{
    auto image = std::make_unique<TAVQImage>();
    image->LoadFromJson(parse(json));
    image->resize(size);
    return image;
}

void TestImage::defaults()
{
    TAVQImage image;
    QCOMPARE(image.GetTypeName(), QStringLiteral("qtpicture"));
    QVERIFY(image.fill());
    QCOMPARE(image.alignH(), 1);
    QCOMPARE(image.alignV(), 1);
    QVERIFY(image.path().isEmpty());
    QVERIFY(!image.image());
    QVERIFY(image.isVisibleFlag());
    image.setVisibleFlag(false);
    QVERIFY(!image.isVisibleFlag());
}

void TestImage::loadsPathAndFill()
{
    auto image = load(R"({"attr":{"path":"red.png","fill":false}})", QSize(100, 60));
    QCOMPARE(image->path(), QStringLiteral("red.png"));
    QVERIFY(!image->fill());

    // Image names are UTF-8.
    auto named = load("{\"attr\":{\"path\":\"\xe5\x9b\xbe.png\"}}", QSize(10, 10));
    QCOMPARE(named->path(), QStringLiteral("图.png"));
    QVERIFY(named->fill());
}

void TestImage::fillStretchesOverTheControl()
{
    auto image = load(R"({"attr":{"path":"red.png"}})", QSize(100, 60));
    const QImage shown = painted(image.get());
    QCOMPARE(boundsOfColour(shown, Red), QRect(0, 0, 100, 60));

    // The whole picture is scaled, not cut: its far corner lands in the control's.
    image->setPath(QStringLiteral("big.png"));
    const QImage scaled = painted(image.get());
    QCOMPARE(qRed(scaled.pixel(99, 59)) > 130, true);
    QCOMPARE(qGreen(scaled.pixel(99, 59)) > 90, true);
    QCOMPARE(scaled.pixel(0, 0), qRgb(0, 0, 0));
}

void TestImage::alignedPicture_data()
{
    QTest::addColumn<int>("hor");
    QTest::addColumn<int>("ver");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("centred") << 1 << 1 << QRect(30, 10, 40, 40);
    QTest::newRow("right bottom") << 2 << 2 << QRect(60, 20, 40, 40);
    QTest::newRow("left top") << 0 << 0 << QRect(0, 0, 40, 40);
    QTest::newRow("unknown values start") << 7 << -1 << QRect(0, 0, 40, 40);
    QTest::newRow("centre, bottom") << 1 << 2 << QRect(30, 20, 40, 40);
}

void TestImage::alignedPicture()
{
    QFETCH(int, hor);
    QFETCH(int, ver);
    QFETCH(QRect, expected);
    auto image = load(R"({"attr":{"path":"red.png","fill":false}})", QSize(100, 60));
    image->setAlign(hor, ver);
    QCOMPARE(image->alignH(), hor);
    QCOMPARE(image->alignV(), ver);
    QCOMPARE(boundsOfColour(painted(image.get()), Red), expected);
}

void TestImage::largerPictureIsCutEquallyOnBothSides()
{
    auto image = load(R"({"attr":{"path":"big.png","fill":false}})", QSize(100, 60));
    const QImage shown = painted(image.get());
    // 140x100 centred in 100x60: offset (-20, -20).
    QCOMPARE(shown.pixel(0, 0), qRgb(20, 20, 0));
    QCOMPARE(shown.pixel(99, 59), qRgb(119, 79, 0));
    QCOMPARE(shown.pixel(50, 30), qRgb(70, 50, 0));

    // Odd differences truncate toward zero: (99 - 140) / 2 = -20, (59 - 100) / 2 = -20.
    image->resize(99, 59);
    QCOMPARE(painted(image.get()).pixel(0, 0), qRgb(20, 20, 0));

    image->setAlign(2, 2);
    image->resize(100, 60);
    QCOMPARE(painted(image.get()).pixel(0, 0), qRgb(40, 40, 0));
}

void TestImage::noPictureNothingPainted()
{
    auto none = load(R"({"w":50,"h":50})", QSize(50, 50));
    QVERIFY(isBlank(painted(none.get())));

    auto missing = load(R"({"attr":{"path":"nothing-here.png"}})", QSize(50, 50));
    QVERIFY(isBlank(painted(missing.get())));
    missing->setFill(false);
    QVERIFY(isBlank(painted(missing.get())));

    QImage empty;
    none->setImage(&empty);
    QVERIFY(isBlank(painted(none.get())));
}

void TestImage::setPathShowsAtNextRepaint()
{
    auto image = load(R"({"attr":{"path":"red.png","fill":false}})", QSize(100, 60));
    image->show();
    QVERIFY(QTest::qWaitForWindowExposed(image.get()));
    image->setPath(QStringLiteral("blue.png"));
    QCOMPARE(image->path(), QStringLiteral("blue.png"));
    const QImage shown = painted(image.get());
    QCOMPARE(boundsOfColour(shown, Blue), QRect(30, 10, 40, 40));
    QVERIFY(boundsOfColour(shown, Red).isEmpty());

    image->setPath(QStringLiteral("gone.png"));
    QVERIFY(isBlank(painted(image.get())));
}

void TestImage::applicationImageWinsOverPath()
{
    auto image = load(R"({"attr":{"path":"red.png","fill":false}})", QSize(100, 60));
    QImage own(20, 10, QImage::Format_ARGB32);
    own.fill(Blue);
    image->setImage(&own);
    QCOMPARE(image->image(), &own);
    QImage shown = painted(image.get());
    QCOMPARE(boundsOfColour(shown, Blue), QRect(40, 25, 20, 10));
    QVERIFY(boundsOfColour(shown, Red).isEmpty());

    // Not owned: changing it shows through.
    own.fill(Red);
    QCOMPARE(boundsOfColour(painted(image.get()), Red), QRect(40, 25, 20, 10));

    image->setImage(nullptr);
    QCOMPARE(boundsOfColour(painted(image.get()), Red), QRect(30, 10, 40, 40));
}

void TestImage::disabledImageLooksTheSame()
{
    auto image = load(R"({"enable":false,"attr":{"path":"red.png","fill":false}})", QSize(100, 60));
    QVERIFY(!image->isEnabled());
    QCOMPARE(boundsOfColour(painted(image.get()), Red), QRect(30, 10, 40, 40));
    // Painting leaves the visual state alone.
    QCOMPARE(image->GetImpl()->state(), int(StateNormal));
}

void TestImage::drawIntoAnotherRectangle()
{
    // Row templates draw into a rectangle of the row; sizes stay the control's.
    auto image = load(R"({"attr":{"path":"red.png","fill":false}})", QSize(100, 60));
    QImage row(300, 100, QImage::Format_ARGB32);
    row.fill(Qt::transparent);
    QPainter painter(&row);
    image->GetImpl()->Draw(&painter, QRect(150, 30, 10, 10));
    painter.end();
    QCOMPARE(boundsOfColour(row, Red), QRect(180, 40, 40, 40));
}

void TestImage::malformedElements()
{
    const QByteArray pages[] = {
        R"({"attr":{"path":[5],"fill":"no"}})",
        R"({"attr":"red.png"})",
        R"({"attr":{"path":["red.png"],"fill":{}}})",
        R"([])",
    };
    for (const QByteArray &page : pages) {
        TAVQImage image;
        QVERIFY(image.LoadFromJson(parse(page)));
        QVERIFY(image.path().isEmpty());
        QVERIFY(image.fill());
        image.resize(30, 30);
        QVERIFY(isBlank(painted(&image)));
    }
    // What JsonCpp converts is read: a number is its text, null is false.
    TAVQImage converted;
    QVERIFY(converted.LoadFromJson(parse(R"({"attr":{"path":5,"fill":null}})")));
    QCOMPARE(converted.path(), QStringLiteral("5"));
    QVERIFY(!converted.fill());
    converted.resize(30, 30);
    QVERIFY(isBlank(painted(&converted)));
}

void TestImage::canvasPaintsNothing()
{
    TAVQCanvas canvas;
    QCOMPARE(canvas.GetTypeName(), QStringLiteral("canvas"));
    QVERIFY(canvas.LoadFromJson(parse(R"({"name":"board","style":[["x",0,0],["x",0,1]],"attr":{"path":"red.png"}})")));
    QCOMPARE(canvas.objectName(), QStringLiteral("board"));
    canvas.resize(80, 50);
    QVERIFY(isBlank(painted(&canvas)));
    canvas.setEnabled(false);
    QVERIFY(isBlank(painted(&canvas)));
}

void TestImage::createdThroughTheRegistry()
{
    RegisterControlType("qtpicture", createImage, true);
    RegisterControlType("canvas", createCanvas, true);
    QWidget window;
    window.resize(300, 200);
    QWidget *picture = CreateControl("qtpicture",
            parse(R"({"name":"logo","x":10,"y":20,"w":100,"h":60,"attr":{"path":"red.png","fill":false}})"),
            &window);
    QWidget *canvas = CreateControl("canvas", parse(R"({"name":"board","x":150,"y":0,"w":50,"h":50})"), &window);
    QVERIFY(qobject_cast<TAVQImage *>(picture));
    QVERIFY(qobject_cast<TAVQCanvas *>(canvas));
    QCOMPARE(controlInterface(canvas)->GetTypeName(), QStringLiteral("canvas"));
    TAVQControlBase::ApplyChildLayouts(&window);
    QCOMPARE(picture->geometry(), QRect(10, 20, 100, 60));
    QCOMPARE(canvas->geometry(), QRect(150, 0, 50, 50));
    QCOMPARE(boundsOfColour(painted(&window), Red), QRect(40, 30, 40, 40));
}

QTEST_MAIN(TestImage)
#include "tst_image.moc"
