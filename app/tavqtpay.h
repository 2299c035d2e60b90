#ifndef TAVQTPAY_H
#define TAVQTPAY_H

#include "core/tavqwindow.h"

class QLCDNumber;
class QPushButton;

// The modal pay dialog: shows the amount due. The cash button takes the payment
// and closes it; × and Escape close it without, so the sale goes on.
class TAVQtPay : public TAVQtLib::TAVQWindow
{
    Q_OBJECT

public:
    explicit TAVQtPay(float total, QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_closeBtn; }
    QPushButton *cashButton() const { return m_btnCash; }
    // Whether the cash button closed the dialog.
    bool isPaid() const { return m_paid; }

public slots:
    void BtnClicked();

private:
    QPushButton *m_closeBtn = nullptr;
    QPushButton *m_btnCash = nullptr;
    bool m_paid = false;
};

#endif
