#include "tavdarir.h"

#include "tavqtpay.h"

#include "controls/tavqimage.h"
#include "controls/tavqlabel.h"
#include "controls/tavqlistview.h"
#include "controls/tavqtableview.h"
#include "controls/tavqtabwidget.h"
#include "controls/tavqvaluecontrols.h"
#include "core/tavqpagebuilder.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStandardItemModel>

#include <ctime>

using namespace TAVQtLib;

namespace {

constexpr int ProductCount = 20;
constexpr int StockRows = 100;
constexpr int StockRowHeight = 50;

QString twoDecimals(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'f', 2);
}

void setLabel(QWidget *itemTemplate, const char *name, const QString &text)
{
    if (auto *label = itemTemplate->findChild<TAVQLabel *>(QLatin1String(name)))
        label->setText(text);
}

void setVisibleFlag(QWidget *itemTemplate, const char *name, bool visible)
{
    if (auto *control = controlInterface(itemTemplate->findChild<QWidget *>(QLatin1String(name)))) {
        if (TAVQControlBaseImpl *impl = control->GetImpl())
            impl->setVisibleFlag(visible);
    }
}

void fillCartRow(QWidget *itemTemplate, const QModelIndex &index)
{
    const int count = index.data(RoleCount).toInt();
    const float price = index.data(RolePrice).toFloat();
    setLabel(itemTemplate, "price", twoDecimals(price));
    setLabel(itemTemplate, "name", index.data(RoleName).toString());
    setLabel(itemTemplate, "totalPrice", twoDecimals(float(count) * price));
    setLabel(itemTemplate, "editCount", QString::number(count));
}

void fillProductRow(QWidget *itemTemplate, const QModelIndex &index)
{
    setLabel(itemTemplate, "labPrice", twoDecimals(index.data(RolePrice).toInt()));
    setLabel(itemTemplate, "name", index.data(RoleName).toString());
    if (auto *image = itemTemplate->findChild<TAVQImage *>(QStringLiteral("imageBack")))
        image->setPath(QStringLiteral("images/%1.png").arg(index.data(RoleImage).toInt() + 1));
    if (!itemTemplate->findChild<QWidget *>(QStringLiteral("numbgData")))
        return;
    const int count = index.data(RoleCount).toInt();
    const bool badge = count >= 1;
    if (badge)
        setLabel(itemTemplate, "laTotal", QString::number(count));
    setVisibleFlag(itemTemplate, "numbgData", badge);
    setVisibleFlag(itemTemplate, "laTotal", badge);
}

} // namespace

void FillItemRow(QAbstractItemView *view, QWidget *itemTemplate, const QModelIndex &index)
{
    if (!view || !itemTemplate || !index.isValid())
        return;
    if (view->objectName() == QLatin1String("shopList"))
        fillCartRow(itemTemplate, index);
    else
        fillProductRow(itemTemplate, index);
}

QStringList TAVDaRIR::productNames()
{
    return {QStringLiteral("冰淇淋"), QStringLiteral("可乐"),     QStringLiteral("乐事"),
            QStringLiteral("巧克力"), QStringLiteral("小碗面"),   QStringLiteral("趣多多"),
            QStringLiteral("海天酱油"), QStringLiteral("汤达人"), QStringLiteral("农心")};
}

TAVDaRIR::TAVDaRIR(QWidget *parent)
    : TAVQWindow(parent)
    , m_productModel(new QStandardItemModel(this))
    , m_cartModel(new QStandardItemModel(this))
    , m_storeModel(new QStandardItemModel(this))
{
    // A page lacking a control looked up here gives a window without that feature.
    LoadPage(this, QStringLiteral("MainPage.json"));
    m_radPOS = find<QRadioButton>("radPOS");
    m_radStore = find<QRadioButton>("radStore");
    m_radSetting = find<QRadioButton>("shopSetting");
    for (QRadioButton *radio : {m_radPOS, m_radStore, m_radSetting})
        connectRadio(radio);
    m_mainContainer = find<QWidget>("mainContainer");
    QWidget *pageHost = m_mainContainer ? m_mainContainer : this;

    // Seeded with the time, so each run shows other prices and stock.
    QRandomGenerator random(quint32(std::time(nullptr)));
    m_shopPage = LoadPage(pageHost, QStringLiteral("ShopPage.json"));
    setUpShopPage(random);
    m_storePage = LoadPage(pageHost, QStringLiteral("StorePage.json"));
    setUpStorePage(random);

    m_totalDisplay = find<QLCDNumber>("totalNumPrice");
    if (auto *lcd = qobject_cast<TAVQLCDNumber *>(m_totalDisplay))
        lcd->setColor(Qt::white);
    m_btnPay = find<QPushButton>("btnPay");
    if (m_btnPay) {
        connect(m_btnPay, SIGNAL(clicked()), this, SLOT(BtnClicked()));
        m_btnPay->setShortcut(QKeySequence(Qt::Key_F12));
        m_btnPay->setEnabled(false);    // nothing to pay yet
    }
    m_settingPage = LoadPage(pageHost, QStringLiteral("SettingPage.json"));

    // The main page may offer its own close and minimise buttons. No key may
    // end the sale: the close button never takes the focus, so only a click does.
    if (auto *closeButton = find<QPushButton>("btnClose")) {
        closeButton->setFocusPolicy(Qt::NoFocus);
        connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    }
    if (auto *minButton = find<QPushButton>("btnMin"))
        connect(minButton, &QPushButton::clicked, this, &QWidget::showMinimized);

    if (m_radPOS)
        m_radPOS->setChecked(true);
    setWindowFlag(Qt::FramelessWindowHint);
    centerOnScreen(this);
}

template<typename T> T *TAVDaRIR::find(const char *name) const
{
    return findChild<T *>(QLatin1String(name));
}

void TAVDaRIR::connectRadio(QRadioButton *radio)
{
    if (radio)
        connect(radio, SIGNAL(toggled(bool)), this, SLOT(mainRadSelected(bool)));
}

void TAVDaRIR::setUpShopPage(QRandomGenerator &random)
{
    m_orderTab = find<TAVQTabWidget>("orderTab");
    if (m_orderTab)
        m_orderTab->addItem(QStringLiteral("订单1"));

    fillProducts(random);
    m_productList = find<TAVQListView>("listItems");
    if (m_productList) {
        m_productList->setDragEnabled(false);
        m_productList->setModel(m_productModel);
        m_productList->setUpdateItemCallback(FillItemRow);
        connect(m_productList, &QAbstractItemView::clicked, this, &TAVDaRIR::onProductClicked);
        m_productList->installEventFilter(this);
    }

    m_cartList = find<TAVQListView>("shopList");
    if (m_cartList) {
        m_cartList->setModel(m_cartModel);
        m_cartList->setUpdateItemCallback(FillItemRow);
        connect(m_cartList, SIGNAL(pressCtrl(QWidget *, const QModelIndex)), this,
                SLOT(pressCtrl(QWidget *, QModelIndex)));
        m_cartList->installEventFilter(this);
    }

    m_leftTab = find<TAVQTabWidget>("leftTab");
    if (m_leftTab) {
        for (const char *category : {"关东煮", "小碗菜", "冰淇淋", "熟食", "饮品", "零售"})
            m_leftTab->addItem(QString::fromUtf8(category));
        m_leftTab->setCurrentIndex(0);
    }
}

void TAVDaRIR::fillProducts(QRandomGenerator &random)
{
    const QStringList names = productNames();
    for (int i = 0; i < ProductCount; ++i) {
        auto *item = new QStandardItem;
        item->setData(int(random.bounded(50)), RolePrice);
        item->setData(names[i % names.size()], RoleName);
        item->setData(i % names.size(), RoleImage);
        m_productModel->appendRow(item);
    }
}

void TAVDaRIR::fillStockRows(QRandomGenerator &random)
{
    const QStringList names = productNames();
    for (int r = 0; r < StockRows; ++r) {
        const QString price = twoDecimals(random.bounded(50));
        const QString amount = twoDecimals(float(random.bounded(50)) - 0.5f);
        const QString cost = twoDecimals(float(random.bounded(50)) - 0.8f);
        const QString quantity = QString::number(random.bounded(100));
        const QString shelfDays = QString::number(random.bounded(100));
        const QStringList cells = {names[r % names.size()], price, quantity, amount, cost, shelfDays,
                                   QStringLiteral("-"), QStringLiteral("零食饮料")};
        QList<QStandardItem *> row;
        for (const QString &cell : cells)
            row << new QStandardItem(cell);
        m_storeModel->appendRow(row);
    }
}

void TAVDaRIR::setUpStorePage(QRandomGenerator &random)
{
    m_labSum = find<QLabel>("labSum");
    m_storeModel->setHorizontalHeaderLabels(
        {QStringLiteral("商品名称"), QStringLiteral("库存价"), QStringLiteral("数量"),
         QStringLiteral("金额"), QStringLiteral("最新进价"), QStringLiteral("保质天数"),
         QStringLiteral("品牌"), QStringLiteral("商品分类")});
    m_storeTable = find<TAVQTableView>("storeList");
    if (m_storeTable) {
        m_storeTable->setModel(m_storeModel);
        const int widths[] = {180, 60, 60, 60, 60, 80, 80, 250};
        for (int column = 0; column < int(std::size(widths)); ++column)
            m_storeTable->setColumnWidth(column, widths[column]);
    }
    m_leftTabStore = find<TAVQTabWidget>("leftTabStore");
    if (m_leftTabStore) {
        for (const char *category : {"日用品", "零食饮料", "酒水饮料", "乳品烘焙", "美福百货", "水果素菜"})
            m_leftTabStore->addItem(QString::fromUtf8(category));
    }
    fillStockRows(random);
    if (m_storeTable) {
        for (int r = 0; r < m_storeModel->rowCount(); ++r)
            m_storeTable->setRowHeight(r, StockRowHeight);
    }
}

void TAVDaRIR::mainRadSelected(bool)
{
    QObject *from = sender();
    if (!from || (from != m_radPOS && from != m_radStore && from != m_radSetting))
        return;
    const std::pair<QWidget *, QObject *> pages[] = {
        {m_shopPage, m_radPOS}, {m_storePage, m_radStore}, {m_settingPage, m_radSetting}};
    for (const auto &[page, radio] : pages) {
        if (page)
            page->setVisible(radio == from);
    }
}

void TAVDaRIR::addToTotal(float amount)
{
    m_total += amount;
    if (m_totalDisplay)
        m_totalDisplay->display(twoDecimals(m_total));
}

int TAVDaRIR::cartRowOf(int productRow) const
{
    for (int row = 0; row < m_cartModel->rowCount(); ++row) {
        if (m_cartModel->item(row)->data(RoleProductRow).toInt() == productRow)
            return row;
    }
    return -1;
}

void TAVDaRIR::onProductClicked(const QModelIndex &index)
{
    QStandardItem *product = m_productModel->itemFromIndex(index);
    if (!product)
        return;
    const int count = product->data(RoleCount).toInt() + 1;
    product->setData(count, RoleCount);
    const float price = product->data(RolePrice).toFloat();

    const int row = cartRowOf(index.row());
    if (row >= 0) {
        QStandardItem *cartItem = m_cartModel->item(row);
        cartItem->setData(cartItem->data(RoleCount).toInt() + 1, RoleCount);
    } else {
        auto *cartItem = new QStandardItem;
        cartItem->setData(product->data(RoleName), RoleName);
        cartItem->setData(double(price), RolePrice);
        cartItem->setData(1, RoleCount);
        cartItem->setData(index.row(), RoleProductRow);
        m_cartModel->appendRow(cartItem);
    }
    addToTotal(price);
    UpdateCount();
}

void TAVDaRIR::setProductCount(const QModelIndex &cartRow, int count)
{
    if (QStandardItem *product = m_productModel->item(cartRow.data(RoleProductRow).toInt()))
        product->setData(count, RoleCount);
}

void TAVDaRIR::pressCtrl(QWidget *pWidget, QModelIndex index)
{
    if (pWidget)
        changeCartRow(pWidget->objectName(), index);
}

// One press of a cart row's button ("btnUp", "btnDown" or "btnDelete"); false
// when it changed nothing.
bool TAVDaRIR::changeCartRow(const QString &button, const QModelIndex &index)
{
    QStandardItem *cartItem = m_cartModel->itemFromIndex(index);
    if (!cartItem)
        return false;
    const float price = cartItem->data(RolePrice).toFloat();
    const int count = cartItem->data(RoleCount).toInt();
    if (button == QLatin1String("btnDelete")) {
        setProductCount(index, 0);
        m_cartModel->removeRow(index.row());
        addToTotal(-price * float(count));
    } else if (button == QLatin1String("btnUp")) {
        cartItem->setData(count + 1, RoleCount);
        setProductCount(index, count + 1);
        addToTotal(price);
    } else if (button == QLatin1String("btnDown") && count >= 2) {
        cartItem->setData(count - 1, RoleCount);
        setProductCount(index, count - 1);
        addToTotal(-price);
    } else {
        return false;
    }
    UpdateCount();
    return true;
}

// Return, Enter or Space add the focused product.
bool TAVDaRIR::productKey(const QKeyEvent *key)
{
    const int k = key->key();
    if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Space)
        return false;
    onProductClicked(m_productList->currentIndex());
    return true;
}

// Plus and minus change the focused row's count, Delete removes the row.
bool TAVDaRIR::cartKey(const QKeyEvent *key)
{
    static const std::pair<int, const char *> keys[] = {
        {Qt::Key_Plus, "btnUp"}, {Qt::Key_Equal, "btnUp"}, {Qt::Key_Minus, "btnDown"},
        {Qt::Key_Delete, "btnDelete"}, {Qt::Key_Backspace, "btnDelete"}};
    for (const auto &[k, button] : keys) {
        if (key->key() == k) {
            changeCartRow(QLatin1String(button), m_cartList->currentIndex());
            return true;
        }
    }
    return false;
}

bool TAVDaRIR::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_productList && productKey(key))
            return true;
        if (watched == m_cartList && cartKey(key))
            return true;
    }
    return TAVQWindow::eventFilter(watched, event);
}

void TAVDaRIR::UpdateCount()
{
    int units = 0;
    for (int row = 0; row < m_cartModel->rowCount(); ++row)
        units += m_cartModel->item(row)->data(RoleCount).toInt();
    if (auto *label = qobject_cast<TAVQLabel *>(m_labSum))
        label->setText(QStringLiteral("共计：%1 件").arg(units));
    else if (m_labSum)
        m_labSum->setText(QStringLiteral("共计：%1 件").arg(units));
    if (m_btnPay)
        m_btnPay->setEnabled(units > 0);
}

void TAVDaRIR::emptyCart()
{
    m_total = 0;
    if (m_totalDisplay)
        m_totalDisplay->display(twoDecimals(0));
    m_cartModel->clear();
    for (int row = 0; row < m_productModel->rowCount(); ++row)
        m_productModel->item(row)->setData(0, RoleCount);
    UpdateCount();
}

void TAVDaRIR::keyPressEvent(QKeyEvent *e)
{
    // A stray Escape would hide the window, end the program and lose the sale in
    // progress; only the close button and the window manager end it.
    if (e->matches(QKeySequence::Cancel)) {
        e->accept();
        return;
    }
    TAVQWindow::keyPressEvent(e);
}

void TAVDaRIR::BtnClicked()
{
    if (m_cartModel->rowCount() == 0)
        return;
    TAVQtPay pay(m_total, nullptr);
    pay.doModal();
    // Only a payment ends the sale; a cancelled dialog leaves the cart as it was.
    if (pay.isPaid())
        emptyCart();
}
