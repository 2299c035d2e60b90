#include "tavdarir.h"
#include "tavqtpay.h"
#include "ziptestwriter.h"

#include "controls/tavqlabel.h"
#include "controls/tavqlistview.h"
#include "controls/tavqtableview.h"
#include "controls/tavqtabwidget.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"

#include <QHeaderView>
#include <QPainter>
#include <QLCDNumber>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb BadgeRed = qRgb(0xf0, 0x4a, 0x3e);

// The real main window over the real package, with its pages laid out and painted once,
// so that the list views know where their row controls are.
struct Shop
{
    std::unique_ptr<TAVDaRIR> window = std::make_unique<TAVDaRIR>(nullptr);

    TAVQListView *products() const { return window->findChild<TAVQListView *>("listItems"); }
    TAVQListView *cart() const { return window->findChild<TAVQListView *>("shopList"); }
    QLCDNumber *lcd() const { return window->findChild<QLCDNumber *>("totalNumPrice"); }
    QString counter() const { return window->findChild<TAVQLabel *>("labSum")->fullText(); }
    QStandardItemModel *productModel() const { return window->productModel(); }
    QStandardItemModel *cartModel() const { return window->cartModel(); }

    int price(int product) const { return productModel()->item(product)->data(RolePrice).toInt(); }
    int productCount(int product) const { return productModel()->item(product)->data(RoleCount).toInt(); }
    int cartCount(int row) const { return cartModel()->item(row)->data(RoleCount).toInt(); }

    void clickProduct(int product) const
    {
        QListView *view = products();
        const QModelIndex index = productModel()->index(product, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    // Paints the cart so that its rows know their controls, then presses one.
    void pressInCart(int row, const char *control) const
    {
        TAVQListView *view = cart();
        const QModelIndex index = cartModel()->index(row, 0);
        view->scrollTo(index);
        view->viewport()->grab();
        auto *target = view->itemTemplate()->findChild<QWidget *>(control);
        QVERIFY(target);
        const TAVQRowHitRects rects = view->rowHitRects(row);
        const auto hit = rects.find(controlInterface(target)->GetImpl());
        QVERIFY(hit != rects.end());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, hit->second.center());
    }

    // The colour at the centre of a product's count badge, as the product list paints it.
    QRgb badgePixel(int product) const
    {
        QListView *view = products();
        const QModelIndex index = productModel()->index(product, 0);
        view->scrollTo(index);
        auto *badge = view->findChild<QWidget *>("numbgData");
        const QImage image = view->viewport()->grab().toImage();
        // Left of the digits, inside the ring.
        const QPoint inside = view->visualRect(index).topLeft() + badge->geometry().topLeft() + QPoint(6, 14);
        return image.pixel(inside);
    }

    // The labels of a cart row as the cart draws it.
    QString cartLabel(int row, const char *label) const
    {
        TAVQListView *view = cart();
        // Drawing only this row leaves its values in the shared template.
        QImage image(view->viewport()->size(), QImage::Format_ARGB32);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = view->visualRect(cartModel()->index(row, 0));
        view->itemDelegate()->paint(&painter, option, cartModel()->index(row, 0));
        return view->itemTemplate()->findChild<TAVQLabel *>(label)->fullText();
    }

    // Pays through the real dialog, closing it with the named button or, for
    // "escape" and "return", that key. The dialog's loop must end by itself. The
    // pay button opens it, or with `byKey` its shortcut F12.
    void pay(const QByteArray &closer, double *shownAmount = nullptr, bool byKey = false) const
    {
        bool seen = false;
        // Owned here, so that it never fires after this frame is gone; it looks
        // until the dialog is up.
        QTimer closing;
        closing.setInterval(10);
        QObject::connect(&closing, &QTimer::timeout, [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<TAVQtPay *>(top);
                if (!dialog || !dialog->isVisible())
                    continue;
                seen = true;
                closing.stop();
                if (shownAmount)
                    *shownAmount = dialog->findChild<QLCDNumber *>("totalNumPrice")->value();
                if (closer == "escape" || closer == "return")
                    QTest::keyClick(dialog, closer == "escape" ? Qt::Key_Escape : Qt::Key_Return);
                else
                    QTest::mouseClick(dialog->findChild<QPushButton *>(closer), Qt::LeftButton);
            }
        });
        closing.start();
        bool hung = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            hung = true;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<TAVQtPay *>(top))
                    dialog->endModal();
            }
        });
        watchdog.start(2000);
        if (byKey) {
            // A shortcut presses the button as a click would, a moment later.
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.get(), Qt::Key_F12);
            QTRY_VERIFY(seen);
        } else {
            QTest::mouseClick(window->findChild<QPushButton *>("btnPay"), Qt::LeftButton);
        }
        QVERIFY(seen);
        QVERIFY(!hung);
    }
};

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void construction();
    void pageSwitching();
    void productClickedThreeTimes();
    void plusMinusAndDelete();
    void sameNamedProductsKeepTheirOwnRows();
    void paying_data();
    void paying();
    void escapeKeepsTheSale();
    void noKeyEndsTheSale_data();
    void noKeyEndsTheSale();
    void tabChain();
    void zeroPriceShowsZero();
    void otherCartControlsDoNothing();
    void stockTable();
    void payDialogShowsAmount_data();
    void payDialogShowsAmount();
    void payDialogButtonsClose();
    void missingControls_data();
    void missingControls();
};

void tst_MainWindow::initTestCase()
{
    InitRuntime();
    QVERIFY(OpenPackage(PACKAGE_FILE));
}

void tst_MainWindow::construction()
{
    Shop shop;
    TAVDaRIR &window = *shop.window;
    QCOMPARE(window.size(), QSize(1280, 800).boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size()));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.findChild<QRadioButton *>("radPOS")->isChecked());

    QStandardItemModel *products = shop.productModel();
    QCOMPARE(products->rowCount(), 20);
    const QStringList names = TAVDaRIR::productNames();
    for (int i = 0; i < 20; ++i) {
        const QStandardItem *item = products->item(i);
        QCOMPARE(item->data(RoleName).toString(), names[i % 9]);
        QCOMPARE(item->data(RoleImage).toInt(), i % 9);
        QVERIFY(item->data(RolePrice).toInt() >= 0 && item->data(RolePrice).toInt() < 50);
        QVERIFY(!item->data(RoleCount).isValid());
    }
    QCOMPARE(shop.cartModel()->rowCount(), 0);
    QCOMPARE(shop.products()->model(), products);
    QCOMPARE(shop.cart()->model(), shop.cartModel());
    QVERIFY(!shop.products()->dragEnabled());

    auto *orderTab = window.findChild<TAVQTabWidget *>("orderTab");
    QCOMPARE(orderTab->count(), 1);
    QCOMPARE(orderTab->itemText(0), QStringLiteral("订单1"));
    auto *leftTab = window.findChild<TAVQTabWidget *>("leftTab");
    QCOMPARE(leftTab->count(), 6);
    QCOMPARE(leftTab->itemText(0), QStringLiteral("关东煮"));
    QCOMPARE(leftTab->itemText(5), QStringLiteral("零售"));
    QCOMPARE(leftTab->currentIndex(), 0);
    auto *storeTab = window.findChild<TAVQTabWidget *>("leftTabStore");
    QCOMPARE(storeTab->count(), 6);
    QCOMPARE(storeTab->itemText(1), QStringLiteral("零食饮料"));
    QCOMPARE(storeTab->itemText(5), QStringLiteral("水果素菜"));

    // The counter and the total keep their page texts until the cart changes.
    QCOMPARE(shop.counter(), QStringLiteral("共计：0 件"));
    // The LCD's digits are painted white.
    shop.lcd()->grab();
    QCOMPARE(shop.lcd()->palette().color(QPalette::WindowText), QColor(Qt::white));
}

void tst_MainWindow::pageSwitching()
{
    Shop shop;
    TAVDaRIR &window = *shop.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.shopPage()->isVisible());
    QVERIFY(!window.storePage()->isVisible());
    QVERIFY(!window.settingPage()->isVisible());

    const auto clickRadio = [&](const char *name) {
        auto *radio = window.findChild<QRadioButton *>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->width() / 2, radio->height() / 2));
    };
    clickRadio("radStore");
    QVERIFY(!window.shopPage()->isVisible());
    QVERIFY(window.storePage()->isVisible());
    QVERIFY(!window.settingPage()->isVisible());
    clickRadio("shopSetting");
    QVERIFY(!window.storePage()->isVisible());
    QVERIFY(window.settingPage()->isVisible());
    clickRadio("radPOS");
    QVERIFY(window.shopPage()->isVisible());
    QVERIFY(!window.settingPage()->isVisible());

    // A call from anything but the three buttons changes nothing.
    window.mainRadSelected(true);
    QVERIFY(window.shopPage()->isVisible());
}

void tst_MainWindow::productClickedThreeTimes()
{
    Shop shop;
    QCOMPARE(shop.badgePixel(2) == BadgeRed, false);
    for (int i = 0; i < 3; ++i)
        shop.clickProduct(2);
    QCOMPARE(shop.cartModel()->rowCount(), 1);
    QCOMPARE(shop.cartCount(0), 3);
    QCOMPARE(shop.productCount(2), 3);
    QCOMPARE(shop.window->total(), float(3 * shop.price(2)));
    QCOMPARE(shop.lcd()->value(), 3.0 * shop.price(2));
    QCOMPARE(shop.counter(), QStringLiteral("共计：3 件"));
    QCOMPARE(shop.cartLabel(0, "editCount"), QStringLiteral("3"));
    QCOMPARE(shop.cartLabel(0, "totalPrice"), twoDecimals(3 * shop.price(2)));
    QCOMPARE(shop.cartLabel(0, "price"), twoDecimals(shop.price(2)));
    QCOMPARE(shop.cartLabel(0, "name"), TAVDaRIR::productNames()[2]);

    // The badge is painted on the clicked product only, and shows its count.
    QCOMPARE(shop.badgePixel(2), BadgeRed);
    QVERIFY(shop.badgePixel(3) != BadgeRed);
    QCOMPARE(shop.products()->itemTemplate()->findChild<TAVQLabel *>("laTotal")->isVisibleFlag(), false);
    shop.badgePixel(2);
    QCOMPARE(shop.products()->itemTemplate()->findChild<TAVQLabel *>("laTotal")->fullText(), QStringLiteral("3"));
}

void tst_MainWindow::plusMinusAndDelete()
{
    Shop shop;
    shop.clickProduct(0);
    shop.clickProduct(4);
    const float p0 = float(shop.price(0));
    const float p4 = float(shop.price(4));

    shop.pressInCart(0, "btnDown"); // never below one unit
    QCOMPARE(shop.cartCount(0), 1);
    QCOMPARE(shop.window->total(), p0 + p4);

    shop.pressInCart(0, "btnUp");
    shop.pressInCart(0, "btnUp");
    shop.pressInCart(0, "btnUp");
    QCOMPARE(shop.cartCount(0), 4);
    QCOMPARE(shop.productCount(0), 4);
    QCOMPARE(shop.window->total(), 4 * p0 + p4);
    QCOMPARE(shop.counter(), QStringLiteral("共计：5 件"));

    shop.pressInCart(0, "btnDown");
    QCOMPARE(shop.cartCount(0), 3);
    QCOMPARE(shop.productCount(0), 3);
    QCOMPARE(shop.window->total(), 3 * p0 + p4);
    QCOMPARE(shop.lcd()->value(), double(3 * p0 + p4));

    shop.pressInCart(0, "btnUp");
    shop.pressInCart(0, "btnDelete"); // four units go at once
    QCOMPARE(shop.cartModel()->rowCount(), 1);
    QCOMPARE(shop.productCount(0), 0);
    QCOMPARE(shop.window->total(), p4);
    QCOMPARE(shop.counter(), QStringLiteral("共计：1 件"));
    QVERIFY(shop.badgePixel(0) != BadgeRed);
    QCOMPARE(shop.badgePixel(4), BadgeRed);

    shop.pressInCart(0, "btnDelete");
    QCOMPARE(shop.cartModel()->rowCount(), 0);
    QCOMPARE(shop.window->total(), 0.0f);
    QCOMPARE(shop.lcd()->value(), 0.0);
    QCOMPARE(shop.counter(), QStringLiteral("共计：0 件"));
}

void tst_MainWindow::sameNamedProductsKeepTheirOwnRows()
{
    Shop shop;
    // Products 1 and 10 share a name and most likely not a price.
    shop.productModel()->item(1)->setData(7, RolePrice);
    shop.productModel()->item(10)->setData(31, RolePrice);
    shop.clickProduct(1);
    shop.clickProduct(10);
    shop.clickProduct(10);
    QCOMPARE(shop.cartModel()->rowCount(), 2);
    QCOMPARE(shop.cartLabel(0, "name"), shop.cartLabel(1, "name"));
    QCOMPARE(shop.cartLabel(0, "price"), QStringLiteral("7.00"));
    QCOMPARE(shop.cartLabel(1, "price"), QStringLiteral("31.00"));
    QCOMPARE(shop.cartLabel(1, "totalPrice"), QStringLiteral("62.00"));
    QCOMPARE(shop.window->total(), 69.0f);
    QCOMPARE(shop.productCount(1), 1);
    QCOMPARE(shop.productCount(10), 2);

    // Deleting one of them leaves the other, its badge and its share of the total.
    shop.pressInCart(1, "btnDelete");
    QCOMPARE(shop.cartModel()->rowCount(), 1);
    QCOMPARE(shop.window->total(), 7.0f);
    QCOMPARE(shop.productCount(10), 0);
    QCOMPARE(shop.productCount(1), 1);
    QCOMPARE(shop.badgePixel(1), BadgeRed);
    QVERIFY(shop.badgePixel(10) != BadgeRed);
    shop.pressInCart(0, "btnDelete");
    QCOMPARE(shop.window->total(), 0.0f);
    QCOMPARE(shop.counter(), QStringLiteral("共计：0 件"));
}

void tst_MainWindow::paying_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<bool>("paid");
    QTest::newRow("cash") << QByteArray("btnCash") << true;
    QTest::newRow("return") << QByteArray("return") << true;
    QTest::newRow("close") << QByteArray("closeBtn") << false;
    QTest::newRow("escape") << QByteArray("escape") << false;
}

void tst_MainWindow::paying()
{
    QFETCH(QByteArray, button);
    QFETCH(bool, paid);
    Shop shop;
    shop.window->show();
    shop.productModel()->item(3)->setData(12, RolePrice);
    shop.productModel()->item(5)->setData(9, RolePrice);
    // Each sale ends by itself, and the next one starts from nothing.
    for (int sale = 0; sale < 2; ++sale) {
        shop.clickProduct(3);
        shop.clickProduct(3);
        shop.clickProduct(5);
        QCOMPARE(shop.counter(), QStringLiteral("共计：3 件"));
        double shown = -1;
        shop.pay(button, &shown);
        QCOMPARE(shown, 33.0);
        if (!paid) {
            // Cancelled: cart, badges, counter and total as they were.
            QCOMPARE(shop.cartModel()->rowCount(), 2);
            QCOMPARE(shop.window->total(), 33.0f);
            QCOMPARE(shop.counter(), QStringLiteral("共计：3 件"));
            QCOMPARE(shop.badgePixel(3), BadgeRed);
            shop.pay("btnCash");
        }

        QCOMPARE(shop.cartModel()->rowCount(), 0);
        QCOMPARE(shop.window->total(), 0.0f);
        QCOMPARE(shop.lcd()->value(), 0.0);
        QCOMPARE(shop.counter(), QStringLiteral("共计：0 件"));
        for (int i = 0; i < 20; ++i)
            QCOMPARE(shop.productCount(i), 0);
        QVERIFY(shop.badgePixel(3) != BadgeRed);
    }
    QVERIFY(shop.window->isVisible());
}

void tst_MainWindow::escapeKeepsTheSale()
{
    Shop shop;
    shop.window->show();
    shop.clickProduct(2);
    QTest::keyClick(shop.window.get(), Qt::Key_Escape);
    QVERIFY(shop.window->isVisible());
    QCOMPARE(shop.cartModel()->rowCount(), 1);
    QCOMPARE(shop.counter(), QStringLiteral("共计：1 件"));
    // The close button still ends it.
    QTest::mouseClick(shop.window->findChild<QPushButton *>("btnClose"), Qt::LeftButton);
    QVERIFY(!shop.window->isVisible());
}

void tst_MainWindow::noKeyEndsTheSale_data()
{
    QTest::addColumn<QString>("page");      // the rail button showing the target's page
    QTest::addColumn<QString>("target");    // where the focus is; empty for the window
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("units");         // in the cart afterwards
    const std::pair<const char *, const char *> places[] = {
        {"radPOS", ""}, {"radPOS", "radPOS"}, {"radPOS", "listItems"}, {"radPOS", "shopList"},
        {"radPOS", "btnPay"}, {"radStore", "searchEdit"}, {"shopSetting", "editShopName"}};
    for (const auto &[page, target] : places) {
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
            // Return on the grid adds the focused product, on the pay button it pays.
            const bool grid = QByteArray(target) == "listItems" && key != Qt::Key_Escape;
            const bool pay = QByteArray(target) == "btnPay" && key != Qt::Key_Escape;
            QTest::addRow("%s %s %x", page, target, key) << page << target << key << (grid ? 3 : pay ? 0 : 2);
        }
    }
}

// Return (a scanner sends it after every code), Enter and Escape never close the window.
void tst_MainWindow::noKeyEndsTheSale()
{
    QFETCH(QString, page);
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, units);
    Shop shop;
    shop.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(shop.window.get()));
    shop.clickProduct(2);
    shop.clickProduct(4);
    shop.window->findChild<QRadioButton *>(page)->click();
    QWidget *focus = target.isEmpty() ? shop.window.get() : shop.window->findChild<QWidget *>(target);
    QVERIFY(focus);
    focus->setFocus();
    if (units == 0) {
        shop.pay("return");
    } else {
        QTest::keyClick(focus, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    QVERIFY(shop.window->isVisible());
    QCOMPARE(shop.counter(), QStringLiteral("共计：%1 件").arg(units));
}

// Tab walks the shop in reading order, the rail first; the close button is never
// reached, so no key can press it.
void tst_MainWindow::tabChain()
{
    Shop shop;
    shop.window->show();
    shop.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shop.window.get()));
    shop.clickProduct(0);
    shop.window->findChild<QWidget *>("radPOS")->setFocus(Qt::TabFocusReason);
    QStringList chain;
    for (int i = 0; i < 12; ++i) {
        chain << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QStringList cycle = chain.mid(0, chain.indexOf(QStringLiteral("radPOS"), 1));
    QCOMPARE(cycle, QStringList({"radPOS", "listItems", "shopList", "btnPay"}));
}

void tst_MainWindow::zeroPriceShowsZero()
{
    Shop shop;
    shop.productModel()->item(6)->setData(0, RolePrice);
    shop.clickProduct(6);
    shop.clickProduct(6);
    QCOMPARE(shop.cartLabel(0, "price"), QStringLiteral("0.00"));
    QCOMPARE(shop.cartLabel(0, "totalPrice"), QStringLiteral("0.00"));
    QCOMPARE(shop.lcd()->value(), 0.0);
    QCOMPARE(shop.counter(), QStringLiteral("共计：2 件"));
}

void tst_MainWindow::otherCartControlsDoNothing()
{
    Shop shop;
    shop.clickProduct(8);
    const float total = shop.window->total();
    shop.pressInCart(0, "name");
    shop.window->pressCtrl(nullptr, shop.cartModel()->index(0, 0));
    shop.window->pressCtrl(shop.cart(), QModelIndex());
    // A row of another model is not a cart row.
    shop.window->pressCtrl(shop.cart()->itemTemplate()->findChild<QWidget *>("btnDelete"),
                           shop.productModel()->index(8, 0));
    QCOMPARE(shop.cartModel()->rowCount(), 1);
    QCOMPARE(shop.cartCount(0), 1);
    QCOMPARE(shop.window->total(), total);
}

void tst_MainWindow::stockTable()
{
    Shop shop;
    auto *table = shop.window->findChild<TAVQTableView *>("storeList");
    QStandardItemModel *model = shop.window->storeModel();
    QCOMPARE(table->model(), model);
    const QStringList headers = {"商品名称", "库存价", "数量", "金额", "最新进价", "保质天数", "品牌", "商品分类"};
    const int widths[] = {180, 60, 60, 60, 60, 80, 80, 250};
    QCOMPARE(model->columnCount(), 8);
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(model->horizontalHeaderItem(c)->text(), headers[c]);
        QCOMPARE(table->columnWidth(c), widths[c]);
    }
    QCOMPARE(model->rowCount(), 100);

    const QRegularExpression twoPlaces(QStringLiteral("^-?\\d+\\.\\d\\d$"));
    const auto number = [&](int r, int c) { return model->item(r, c)->text().toDouble(); };
    for (int r = 0; r < 100; ++r) {
        QCOMPARE(table->rowHeight(r), 50);
        QCOMPARE(model->item(r, 0)->text(), TAVDaRIR::productNames()[r % 9]);
        for (int c : {1, 3, 4})
            QVERIFY2(twoPlaces.match(model->item(r, c)->text()).hasMatch(), qPrintable(model->item(r, c)->text()));
        QVERIFY(number(r, 1) >= 0 && number(r, 1) <= 49 && model->item(r, 1)->text().endsWith(".00"));
        QVERIFY(number(r, 3) >= -0.5 && number(r, 3) <= 48.5 && model->item(r, 3)->text().endsWith(".50"));
        const QString cost = model->item(r, 4)->text();
        QVERIFY2(number(r, 4) >= -0.8 && number(r, 4) <= 48.2 && (cost.endsWith(".20") || cost == "-0.80"),
                 qPrintable(cost));
        for (int c : {2, 5}) {
            bool ok = false;
            const int value = model->item(r, c)->text().toInt(&ok);
            QVERIFY(ok && value >= 0 && value < 100);
        }
        QCOMPARE(model->item(r, 6)->text(), QStringLiteral("-"));
        QCOMPARE(model->item(r, 7)->text(), QStringLiteral("零食饮料"));
    }
}

void tst_MainWindow::payDialogShowsAmount_data()
{
    QTest::addColumn<float>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("12.5") << 12.5f << "12.50";
    QTest::newRow("0") << 0.0f << "0.00";
    QTest::newRow("1234.75") << 1234.75f << "1234.75";
}

void tst_MainWindow::payDialogShowsAmount()
{
    QFETCH(float, total);
    QFETCH(QString, text);
    TAVQtPay pay(total, nullptr);
    QVERIFY(pay.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto *lcd = pay.findChild<QLCDNumber *>("totalNumPrice");
    QCOMPARE(lcd->value(), double(total));
    // The digits on screen are those of the two-decimal text.
    const QImage shown = lcd->grab().toImage();
    lcd->display(text);
    QCOMPARE(lcd->grab().toImage(), shown);
    lcd->display(QString::number(double(total)));
    if (text != QString::number(double(total)))
        QVERIFY(lcd->grab().toImage() != shown);
}

void tst_MainWindow::payDialogButtonsClose()
{
    for (const char *name : {"closeBtn", "btnCash"}) {
        TAVQtPay pay(5, nullptr);
        pay.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pay));
        QTest::mouseClick(pay.findChild<QPushButton *>(name), Qt::LeftButton);
        QVERIFY(!pay.isVisible());
    }
    // A call from anything else leaves it open.
    TAVQtPay pay(5, nullptr);
    pay.show();
    pay.BtnClicked();
    QVERIFY(pay.isVisible());
}

void tst_MainWindow::missingControls_data()
{
    QTest::addColumn<QByteArray>("mainPage");
    QTest::addColumn<QByteArray>("subPage");
    QTest::newRow("no pages") << QByteArray() << QByteArray();
    QTest::newRow("empty pages") << QByteArray(R"({"w":640,"h":480,"elements":[]})")
                                 << QByteArray(R"({"elements":[]})");
    QTest::newRow("container only")
        << QByteArray(R"({"w":640,"h":480,"elements":[{"type":"qtcontainer","name":"mainContainer"}]})")
        << QByteArray(R"({"elements":[{"type":"qtlabel","name":"labSum"}]})");
    QTest::newRow("plain widgets under the names")
        << QByteArray(R"({"elements":[{"type":"qtlabel","name":"radPOS"},{"type":"qtlabel","name":"mainContainer"}]})")
        << QByteArray(R"({"elements":[{"type":"qtlabel","name":"listItems"},{"type":"qtlabel","name":"shopList"},)"
                      R"({"type":"qtlabel","name":"totalNumPrice"},{"type":"qtlabel","name":"storeList"}]})");
}

void tst_MainWindow::missingControls()
{
    QFETCH(QByteArray, mainPage);
    QFETCH(QByteArray, subPage);
    ZipTest::Archive archive;
    archive.add("style.json", R"({"style":[]})");
    if (!mainPage.isEmpty())
        archive.add("MainPage.json", mainPage);
    if (!subPage.isEmpty()) {
        for (const char *page : {"ShopPage.json", "StorePage.json", "SettingPage.json", "PayPage.json"})
            archive.add(page, subPage);
    }
    QTemporaryDir dir;
    QVERIFY(OpenPackage(ZipTest::writeFile(dir, "bare.data", archive.build())));
    {
        TAVDaRIR window(nullptr);
        window.show();
        // The cart still works without anything to show it on.
        window.onProductClicked(window.productModel()->index(2, 0));
        window.onProductClicked(window.productModel()->index(2, 0));
        QCOMPARE(window.cartModel()->rowCount(), 1);
        QCOMPARE(window.total(), 2.0f * window.productModel()->item(2)->data(RolePrice).toFloat());
        window.UpdateCount();
        window.mainRadSelected(true);
        QTimer::singleShot(0, [] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *pay = qobject_cast<TAVQtPay *>(top))
                    pay->close();
            }
        });
        window.BtnClicked();
        // Closed without paying: the sale goes on.
        QCOMPARE(window.cartModel()->rowCount(), 1);
    }
    QVERIFY(OpenPackage(PACKAGE_FILE));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
