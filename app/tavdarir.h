#ifndef TAVDARIR_H
#define TAVDARIR_H

#include "core/tavqwindow.h"

#include <QModelIndex>
#include <QStringList>

class QAbstractItemView;
class QKeyEvent;
class QLCDNumber;
class QLabel;
class QPushButton;
class QRadioButton;
class QRandomGenerator;
class QStandardItemModel;

namespace TAVQtLib {
class TAVQListView;
class TAVQTabWidget;
class TAVQTableView;
} // namespace TAVQtLib

// Item data roles of the product and cart models.
enum ShopRole {
    RolePrice = Qt::UserRole + 1,   // product: int price; cart row: double price
    RoleName = Qt::UserRole + 2,
    RoleImage = Qt::UserRole + 3,   // product picture number 0-8
    RoleCount = Qt::UserRole + 4,   // units in the cart (a product's unset count means 0)
    RoleProductRow = Qt::UserRole + 5,
};

// Binds one row of the product list or of the cart into the view's item template.
void FillItemRow(QAbstractItemView *view, QWidget *itemTemplate, const QModelIndex &index);

// The main window: shop, stock and settings pages switched by three radio buttons.
// Every cart row stands for one product (its row in the product model), so the
// cart rows, the counter, the product badges and the total always agree.
class TAVDaRIR : public TAVQtLib::TAVQWindow
{
    Q_OBJECT

public:
    explicit TAVDaRIR(QWidget *parent = nullptr);

    static QStringList productNames();

    QStandardItemModel *productModel() const { return m_productModel; }
    QStandardItemModel *cartModel() const { return m_cartModel; }
    QStandardItemModel *storeModel() const { return m_storeModel; }
    float total() const { return m_total; }
    QWidget *shopPage() const { return m_shopPage; }
    QWidget *storePage() const { return m_storePage; }
    QWidget *settingPage() const { return m_settingPage; }

public slots:
    void mainRadSelected(bool bSelected);
    void BtnClicked();
    void pressCtrl(QWidget *pWidget, QModelIndex index);
    void onProductClicked(const QModelIndex &index);
    void UpdateCount();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    // The keys of the product grid and the cart.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template<typename T> T *find(const char *name) const;
    void setUpShopPage(QRandomGenerator &random);
    void fillProducts(QRandomGenerator &random);
    void setUpStorePage(QRandomGenerator &random);
    void fillStockRows(QRandomGenerator &random);
    void connectRadio(QRadioButton *radio);
    void addToTotal(float amount);
    void setProductCount(const QModelIndex &cartRow, int count);
    bool changeCartRow(const QString &button, const QModelIndex &index);
    bool productKey(const QKeyEvent *key);
    bool cartKey(const QKeyEvent *key);
    int cartRowOf(int productRow) const;
    void emptyCart();

    QWidget *m_mainContainer = nullptr;
    QRadioButton *m_radPOS = nullptr;
    QRadioButton *m_radStore = nullptr;
    QRadioButton *m_radSetting = nullptr;
    QLabel *m_labSum = nullptr;
    QPushButton *m_btnPay = nullptr;
    QWidget *m_shopPage = nullptr;
    QWidget *m_storePage = nullptr;
    QWidget *m_settingPage = nullptr;
    TAVQtLib::TAVQTabWidget *m_orderTab = nullptr;
    TAVQtLib::TAVQListView *m_productList = nullptr;
    QStandardItemModel *m_productModel = nullptr;
    TAVQtLib::TAVQListView *m_cartList = nullptr;
    QStandardItemModel *m_cartModel = nullptr;
    TAVQtLib::TAVQTabWidget *m_leftTab = nullptr;
    TAVQtLib::TAVQTabWidget *m_leftTabStore = nullptr;
    TAVQtLib::TAVQTableView *m_storeTable = nullptr;
    QStandardItemModel *m_storeModel = nullptr;
    float m_total = 0;
    QLCDNumber *m_totalDisplay = nullptr;
};

#endif
