// The demo's own pages, as the package holds them: details of their look that the
// controls leave to the page.

#include "tavdarirlogin.h"

#include "controls/tavqcheckbox.h"
#include "core/tavqpagebuilder.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "core/tavqwindow.h"
#include "lookpicture.h"
#include "widgetlook.h"

#include <QLineEdit>
#include <QtTest>

using namespace TAVQtLib;

namespace {

// The left-most column in `band` holding a pixel darker than the light backgrounds.
int firstInkColumn(const QImage &image, const QRect &band)
{
    for (int x = band.left(); x <= band.right(); ++x) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 225)
                return x;
        }
    }
    return -1;
}

// The bounds of the pixels darker than the light backgrounds within `area`.
QRect inkBounds(const QImage &image, const QRect &area)
{
    return boundsOf(image, [](QRgb pixel) { return qGray(pixel) < 200; }, area);
}

} // namespace

class tst_DemoPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void placeholderStartsWhereTextStarts_data();
    void placeholderStartsWhereTextStarts();
    void checkedOptionKeepsItsTextLook_data();
    void checkedOptionKeepsItsTextLook();
};

void tst_DemoPages::initTestCase()
{
    InitRuntime();
    QVERIFY(OpenPackage(PACKAGE_FILE));
}

void tst_DemoPages::placeholderStartsWhereTextStarts_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("edit");
    QTest::newRow("login user") << "LoginPage.json" << "editUser";
    QTest::newRow("login password") << "LoginPage.json" << "editPsw";
    QTest::newRow("shop name") << "SettingPage.json" << "editShopName";
    QTest::newRow("receipt footer") << "SettingPage.json" << "editFooter";
    QTest::newRow("stock search") << "StorePage.json" << "searchEdit";
}

void tst_DemoPages::placeholderStartsWhereTextStarts()
{
    QFETCH(QString, page);
    QFETCH(QString, edit);
    // The login window sets its fields' margins itself: the real one is measured.
    std::unique_ptr<TAVQWindow> shown;
    if (page == QLatin1String("LoginPage.json")) {
        shown = std::make_unique<TAVDaRIRLogin>(nullptr);
    } else {
        shown = std::make_unique<TAVQWindow>();
        LoadPage(shown.get(), page);
    }
    TAVQWindow &window = *shown;
    auto *field = window.findChild<QLineEdit *>(edit);
    QVERIFY(field);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Past the frame, across the middle of the field.
    const QRect band(4, field->height() / 2 - 6, field->width() / 2, 12);

    // Unfocused, so that no caret stands where the text would start.
    field->clear();
    field->clearFocus();
    const QImage tip = lookOpaque(field);
    saveLookPicture(tip, QStringLiteral("demo_%1_tip.png").arg(edit));
    field->setText(QStringLiteral("请输入"));
    field->setCursorPosition(0);
    field->clearFocus();
    const QImage typed = lookOpaque(field);
    QVERIFY(firstInkColumn(tip, band) > 0);
    QVERIFY(qAbs(firstInkColumn(tip, band) - firstInkColumn(typed, band)) <= 1);
}

void tst_DemoPages::checkedOptionKeepsItsTextLook_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("points") << "chkPoints";
    QTest::newRow("hold") << "chkHold";
    QTest::newRow("low stock") << "chkLowStock";
}

void tst_DemoPages::checkedOptionKeepsItsTextLook()
{
    QFETCH(QString, box);
    TAVQWindow window;
    LoadPage(&window, QStringLiteral("SettingPage.json"));
    auto *option = window.findChild<TAVQCheckBox *>(box);
    QVERIFY(option);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Right of the check mark: only the text.
    const QRect text(40, 0, option->width() - 40, option->height());
    option->setChecked(false);
    const QImage unchecked = lookOpaque(option);
    option->setChecked(true);
    const QImage checked = lookOpaque(option);
    saveLookPicture(checked, QStringLiteral("demo_%1_checked.png").arg(box));
    QVERIFY(!inkBounds(unchecked, text).isEmpty());
    QCOMPARE(inkBounds(checked, text), inkBounds(unchecked, text));
    QCOMPARE(checked.copy(text), unchecked.copy(text));
}

QTEST_MAIN(tst_DemoPages)
#include "tst_demopages.moc"
