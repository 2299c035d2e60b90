// The Qt 6 build paints pages as the Qt 5 build does: both renderers draw the
// same pages and the pictures may differ only where text and edges are smoothed.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// How far a channel may stray without counting, and how far away (in pixels)
// the matching colour may lie: glyph smoothing moves ink by a fraction of a
// pixel, and Qt 6 keeps fractional line heights where Qt 5 rounds them, so lines
// of flowing text settle up to a few pixels lower or higher.
const int Tolerance = 24;
const int ReachX = 1;
const int ReachY = 4;

bool close(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= Tolerance && qAbs(qGreen(a) - qGreen(b)) <= Tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= Tolerance;
}

// Whether `colour` is found in `image` near (x, y).
bool nearby(const QImage &image, int x, int y, QRgb colour)
{
    for (int dy = -ReachY; dy <= ReachY; ++dy) {
        for (int dx = -ReachX; dx <= ReachX; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && close(image.pixel(p), colour))
                return true;
        }
    }
    return false;
}

struct Comparison
{
    int differing = 0;   // pixels not equal within Tolerance
    int unexplained = 0; // of those, pixels with no match nearby in either picture
};

Comparison compare(const QImage &a, const QImage &b)
{
    Comparison result;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (close(a.pixel(x, y), b.pixel(x, y)))
                continue;
            ++result.differing;
            if (!nearby(a, x, y, b.pixel(x, y)) || !nearby(b, x, y, a.pixel(x, y)))
                ++result.unexplained;
        }
    }
    return result;
}

QImage render(const QString &renderer, const QStringList &arguments, const QString &out)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Qt 6 takes 96 dpi on X11, Qt 5 the screen's own; the platform font is sized by it.
    environment.insert(QStringLiteral("QT_FONT_DPI"), QStringLiteral("96"));
    process.setProcessEnvironment(environment);
    process.start(renderer, QStringList(arguments) << out);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s: %s", qPrintable(renderer), process.readAllStandardError().constData());
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_RenderMatch : public QObject
{
    Q_OBJECT

private slots:
    void samePicture_data();
    void samePicture();
    void differentPicturesAreTold();

private:
    QTemporaryDir m_dir;
};

void tst_RenderMatch::samePicture_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("login") << QStringList{"--package", PACKAGE_FILE, "LoginPage.json"};
    QTest::newRow("gallery") << QStringList{"--package", PACKAGE_FILE, "--menu", "galleryMenuBar=GalleryMenu.json",
                                            "--menu", "editorMenuBar=GalleryMenu.json", "Gallery.json"};
}

void tst_RenderMatch::samePicture()
{
    QFETCH(QStringList, arguments);
    const QString name = QTest::currentDataTag();
    const QImage qt5 = render(QT5_RENDER_PATH, arguments, m_dir.filePath(name + "-qt5.png"));
    const QImage qt6 = render(QT6_RENDER_PATH, arguments, m_dir.filePath(name + "-qt6.png"));
    QVERIFY(!qt5.isNull());
    QCOMPARE(qt6.size(), qt5.size());
    const Comparison result = compare(qt5, qt6);
    qInfo("%s: %d of %d pixels differ, %d not by smoothing", qPrintable(name), result.differing,
          qt5.width() * qt5.height(), result.unexplained);
    // Glyphs hinted a little differently leave a few stray pixels inside text, no more.
    QVERIFY(result.unexplained <= qt5.width() * qt5.height() / 2000);
    // Smoothing touches the ink of text and edges, never a large share of the page.
    QVERIFY(result.differing < qt5.width() * qt5.height() / 20);
}

// The comparison sees a moved box and a changed colour, however small.
void tst_RenderMatch::differentPicturesAreTold()
{
    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QImage moved = page;
    for (QImage *image : {&page, &moved}) {
        const int x = image == &page ? 40 : 43;
        for (int y = 20; y < 40; ++y)
            for (int dx = 0; dx < 30; ++dx)
                image->setPixel(x + dx, y, qRgb(30, 60, 200));
    }
    QVERIFY(compare(page, moved).unexplained > 0);
    QImage recoloured = page;
    recoloured.setPixel(100, 80, qRgb(200, 255, 255));
    QCOMPARE(compare(page, recoloured).unexplained, 1);
    QCOMPARE(compare(page, page).differing, 0);
}

QTEST_GUILESS_MAIN(tst_RenderMatch)
#include "tst_rendermatch.moc"
