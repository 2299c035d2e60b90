#ifndef TAVDARIRLOGIN_H
#define TAVDARIRLOGIN_H

#include "core/tavqwindow.h"

#include <QColor>
#include <QPointF>
#include <QVariant>
#include <QVector>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QVariantAnimation;

// Four soft, pulsing ellipses behind the login page.
class AnimateBackground : public QWidget
{
    Q_OBJECT

public:
    struct Ellipse
    {
        QPointF centre;
        double rx;
        double ry;
        QColor fill;
        bool outlined;
    };

    explicit AnimateBackground(QWidget *parent = nullptr);

    // The ellipses for the current values of the three animations, in paint order.
    static QVector<Ellipse> ellipses(int a, int b, int c);
    static QColor outlineColor() { return QColor(238, 184, 158); }

    const QVector<QVariantAnimation *> &animations() const { return m_animations; }

public slots:
    void valueChanged(const QVariant &value);
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<QVariantAnimation *> m_animations;
};

// The login window: the page "LoginPage.json" over the animated background.
// Any click on the login button proceeds; the entries are not read.
class TAVDaRIRLogin : public TAVQtLib::TAVQWindow
{
    Q_OBJECT

public:
    explicit TAVDaRIRLogin(QWidget *parent = nullptr);

    AnimateBackground *background() const { return m_background; }

public slots:
    void BtnClicked();

private:
    QPushButton *m_btnLogin = nullptr;
    QLineEdit *m_editUser = nullptr;
    QLineEdit *m_editPsw = nullptr;
    AnimateBackground *m_background = nullptr;
};

#endif
