#ifndef TAVQTPAY_H
#define TAVQTPAY_H

#include "core/tavqwindow.h"

class QLCDNumber;
class QPushButton;

// The modal pay dialog: shows the amount due; either button closes it.
// It takes no payment and reports nothing back.
class TAVQtPay : public TAVQtLib::TAVQWindow
{
    Q_OBJECT

public:
    explicit TAVQtPay(float total, QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_closeBtn; }
    QPushButton *cashButton() const { return m_btnCash; }

public slots:
    void BtnClicked();

private:
    QPushButton *m_closeBtn = nullptr;
    QPushButton *m_btnCash = nullptr;
};

#endif
