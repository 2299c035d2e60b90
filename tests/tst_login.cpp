#include "tavdarirlogin.h"

#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QVariantAnimation>
#include <QtTest>

using namespace TAVQtLib;

class tst_Login : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ellipseGeometry_data();
    void ellipseGeometry();
    void ellipsesArePainted();
    void animationsPingPong();
    void loginWindow();
    void loginButtonCloses();
    void otherSendersDoNotClose();
    void pageWithoutControls();
};

void tst_Login::initTestCase()
{
    InitRuntime();
    QVERIFY(OpenPackage(PACKAGE_FILE));
}

void tst_Login::ellipseGeometry_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("r1");
    QTest::addColumn<int>("alpha1");
    QTest::addColumn<int>("alpha3");
    QTest::addColumn<double>("ry2");
    QTest::newRow("0") << 0 << 100.0 << 127 << 153 << 100.0;
    QTest::newRow("20") << 20 << 104.0 << 153 << 204 << 106.0;
    QTest::newRow("40") << 40 << 108.0 << 178 << 255 << 112.0;
    QTest::newRow("100") << 100 << 120.0 << 255 << 255 << 130.0;
}

void tst_Login::ellipseGeometry()
{
    QFETCH(int, value);
    QFETCH(double, r1);
    QFETCH(int, alpha1);
    QFETCH(int, alpha3);
    QFETCH(double, ry2);
    const auto e = AnimateBackground::ellipses(value, value, value);
    QCOMPARE(e.size(), 4);
    QCOMPARE(e[0].centre, QPointF(100, 100));
    QCOMPARE(e[0].rx, r1);
    QCOMPARE(e[0].ry, r1);
    QCOMPARE(e[0].fill.alpha(), alpha1);
    QCOMPARE(e[0].fill.rgb(), qRgb(238, 195, 146));
    QVERIFY(!e[0].outlined);

    QCOMPARE(e[1].centre, QPointF(1152, 640));
    QCOMPARE(e[1].rx, 100 + 0.2 * value);
    QCOMPARE(e[1].ry, ry2);
    QCOMPARE(e[1].fill, QColor(246, 158, 41));
    QVERIFY(e[1].outlined);

    QCOMPARE(e[2].centre, QPointF(150, 672));
    QCOMPARE(e[2].rx, 150 + 0.3 * value);
    QCOMPARE(e[2].fill.alpha(), alpha3);
    QCOMPARE(e[2].fill.rgb(), qRgb(245, 124, 27));

    QCOMPARE(e[3].centre, QPointF(800, 200));
    QCOMPARE(e[3].rx, 80 + 0.2 * value);
    QCOMPARE(e[3].ry, 80 + 0.3 * value);
    QCOMPARE(e[3].fill.alpha(), alpha3);   // same rule, driven by the second animation
    QVERIFY(e[3].outlined);
}

void tst_Login::ellipsesArePainted()
{
    QWidget host;
    host.resize(1280, 720);
    host.setStyleSheet("background: white");
    AnimateBackground bg(&host);
    bg.setGeometry(0, 0, 1280, 720);
    for (QVariantAnimation *a : bg.animations()) {
        a->pause();
        a->setCurrentTime(0);
    }
    const QImage img = host.grab().toImage();
    // At the first values: A = 0, B = 50, C = 80.
    const QColor first = img.pixelColor(100, 100);
    // 127-alpha peach over white.
    QVERIFY(qAbs(first.red() - (238 * 127 + 255 * 128) / 255) <= 2);
    QVERIFY(qAbs(first.green() - (195 * 127 + 255 * 128) / 255) <= 2);
    QVERIFY(qAbs(first.blue() - (146 * 127 + 255 * 128) / 255) <= 2);
    QCOMPARE(img.pixelColor(1152, 640), QColor(246, 158, 41));
    QCOMPARE(img.pixelColor(150, 672), QColor(245, 124, 27));
    QCOMPARE(img.pixelColor(800, 200), QColor(238, 174, 146));
    // Ellipse 4 at B = 50 has rx 90: its outline runs through x = 890.
    QCOMPARE(img.pixelColor(890, 200), AnimateBackground::outlineColor());
    QCOMPARE(img.pixelColor(640, 400), QColor(Qt::white));
}

void tst_Login::animationsPingPong()
{
    AnimateBackground bg;
    const auto animations = bg.animations();
    QCOMPARE(animations.size(), 3);
    const int durations[] = {2000, 3000, 5000};
    const int starts[] = {0, 50, 80};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(animations[i]->duration(), durations[i]);
        QCOMPARE(animations[i]->startValue(), QVariant(starts[i]));
        QCOMPARE(animations[i]->endValue(), QVariant(100));
        QCOMPARE(animations[i]->state(), QAbstractAnimation::Running);
    }
    // Run animation 1 to its end three times: 50 → 100, then 100 → 0, then 0 → 100.
    QVariantAnimation *a = animations[1];
    QList<QPair<int, int>> runs;
    for (int i = 0; i < 3; ++i) {
        runs << qMakePair(a->startValue().toInt(), a->endValue().toInt());
        a->setCurrentTime(a->duration());
        QCOMPARE(a->state(), QAbstractAnimation::Running);   // restarted at once
    }
    runs << qMakePair(a->startValue().toInt(), a->endValue().toInt());
    const QList<QPair<int, int>> expected = {{50, 100}, {100, 0}, {0, 100}, {100, 0}};
    QCOMPARE(runs, expected);
}

void tst_Login::loginWindow()
{
    TAVDaRIRLogin login;
    QVERIFY(login.windowFlags() & Qt::FramelessWindowHint);
    // The page's size, fitted to the screen where that is smaller, and centred.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size = QSize(1280, 720).boundedTo(screen.size());
    QCOMPARE(login.size(), size);
    QCOMPARE(login.pos(), screen.topLeft() + QPoint((screen.width() - size.width()) / 2,
                                                    (screen.height() - size.height()) / 2));
    auto *bgHost = login.findChild<QWidget *>("animateBg");
    QVERIFY(bgHost && login.background());
    QCOMPARE(login.background()->parentWidget(), bgHost);
    QCOMPARE(login.background()->geometry(), QRect(QPoint(0, 0), bgHost->size()));
    auto *user = login.findChild<QLineEdit *>("editUser");
    auto *psw = login.findChild<QLineEdit *>("editPsw");
    QVERIFY(user && psw);
    QCOMPARE(user->textMargins(), QMargins(5, 0, 5, 0));
    QCOMPARE(psw->textMargins(), QMargins(5, 0, 5, 0));
    QCOMPARE(psw->echoMode(), QLineEdit::Password);
    QCOMPARE(user->echoMode(), QLineEdit::Normal);
}

void tst_Login::loginButtonCloses()
{
    TAVDaRIRLogin login;
    login.show();
    QVERIFY(QTest::qWaitForWindowExposed(&login));
    auto *button = login.findChild<QPushButton *>("btnLogin");
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(!login.isVisible());
}

void tst_Login::otherSendersDoNotClose()
{
    TAVDaRIRLogin login;
    login.show();
    QVERIFY(QTest::qWaitForWindowExposed(&login));
    QPushButton other;
    connect(&other, SIGNAL(clicked()), &login, SLOT(BtnClicked()));
    other.click();
    login.BtnClicked();   // no sender at all
    QVERIFY(login.isVisible());
}

void tst_Login::pageWithoutControls()
{
    QTemporaryDir dir;
    QFile page(dir.filePath("LoginPage.json"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write(R"({"w":300,"h":200,"elements":[{"type":"qtlabel","name":"only"}]})");
    page.close();
    QFile sheet(dir.filePath("style.json"));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[]})");
    sheet.close();
    // The package still holds the real page; a folder copy cannot shadow it, so
    // load the bare page from a package of its own.
    const QString package = dir.filePath("bare.data");
    QDir().mkpath(dir.filePath("src"));
    QFile::copy(page.fileName(), dir.filePath("src/LoginPage.json"));
    QCOMPARE(QProcess::execute(TAVQPKG_PATH, {"pack", dir.filePath("src"), package}), 0);
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({"-bare", package});
    child.start();
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

// A login window over a page that lacks every control it looks for.
static int runBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    InitRuntime();
    OpenPackage(QString::fromLocal8Bit(argv[2]));
    TAVDaRIRLogin login;
    login.show();
    login.BtnClicked();
    QCoreApplication::processEvents();
    return login.background() == nullptr && login.findChild<QWidget *>("only") ? 0 : 3;
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "-bare") == 0)
        return runBare(argc, argv);
    QApplication app(argc, argv);
    tst_Login test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_login.moc"
