#include "tavqtpay.h"

#include "core/tavqpagebuilder.h"

#include <QLCDNumber>
#include <QPushButton>

using namespace TAVQtLib;

TAVQtPay::TAVQtPay(float total, QWidget *parent)
    : TAVQWindow(parent)
{
    LoadPage(this, QStringLiteral("PayPage.json"));
    // A page lacking one of these controls still gives a dialog, without that feature.
    m_closeBtn = findChild<QPushButton *>(QStringLiteral("closeBtn"));
    m_btnCash = findChild<QPushButton *>(QStringLiteral("btnCash"));
    if (auto *amount = findChild<QLCDNumber *>(QStringLiteral("totalNumPrice")))
        amount->display(QStringLiteral("%1").arg(double(total), 0, 'f', 2));
    for (QPushButton *button : {m_closeBtn, m_btnCash}) {
        if (button)
            connect(button, SIGNAL(clicked()), this, SLOT(BtnClicked()));
    }
    // Return takes the payment (the page makes the cash button the default);
    // the keyboard starts there too.
    if (m_btnCash)
        m_btnCash->setFocus();
    setWindowFlag(Qt::FramelessWindowHint);
    centerOnScreen(this);
}

void TAVQtPay::BtnClicked()
{
    QObject *from = sender();
    if (!from || (from != m_closeBtn && from != m_btnCash))
        return;
    m_paid = from == m_btnCash;
    close();
}
