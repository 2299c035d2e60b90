#include "tavdarirlogin.h"

#include "core/tavqpagebuilder.h"

#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVariantAnimation>

#include <algorithm>

using namespace TAVQtLib;

namespace {

struct AnimationSetup
{
    int duration;
    int start;
};
// Each animation swings to 100 first, then ping-pongs between 100 and 0.
const AnimationSetup Setups[] = {{2000, 0}, {3000, 50}, {5000, 80}};

int alphaOf(float level)
{
    return std::min(int(level * 255), 255);
}

} // namespace

AnimateBackground::AnimateBackground(QWidget *parent)
    : QWidget(parent)
{
    for (const AnimationSetup &setup : Setups) {
        auto *animation = new QVariantAnimation(this);
        m_animations.append(animation);
        animation->setDuration(setup.duration);
        connect(animation, SIGNAL(valueChanged(const QVariant &)), this, SLOT(valueChanged(const QVariant &)));
        connect(animation, SIGNAL(finished()), this, SLOT(finished()));
        animation->setStartValue(setup.start);
        animation->setEndValue(100);
        animation->start(QAbstractAnimation::KeepWhenStopped);
    }
}

QVector<AnimateBackground::Ellipse> AnimateBackground::ellipses(int a, int b, int c)
{
    QColor first(238, 195, 146);
    first.setAlpha(alphaOf(float(a) / 100 * 0.5f + 0.5f));
    QColor third(245, 124, 27);
    third.setAlpha(alphaOf(float(c) / 100 + 0.6f));
    QColor fourth(238, 174, 146);
    fourth.setAlpha(alphaOf(float(b) / 100 + 0.6f));
    return {
        {QPointF(100, 100), 100 + 0.2 * a, 100 + 0.2 * a, first, false},
        {QPointF(1152, 640), 100 + 0.2 * b, 100 + 0.3 * b, QColor(246, 158, 41), true},
        {QPointF(150, 672), 150 + 0.3 * c, 150 + 0.3 * c, third, false},
        {QPointF(800, 200), 80 + 0.2 * b, 80 + 0.3 * b, fourth, true},
    };
}

void AnimateBackground::valueChanged(const QVariant &)
{
    update();
}

void AnimateBackground::finished()
{
    auto *animation = qobject_cast<QVariantAnimation *>(sender());
    if (!animation)
        return;
    const bool atZero = animation->currentValue() == QVariant(0);
    animation->setStartValue(atZero ? 0 : 100);
    animation->setEndValue(atZero ? 100 : 0);
    animation->start(QAbstractAnimation::KeepWhenStopped);
}

void AnimateBackground::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen outline(QBrush(outlineColor()), 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    const int a = m_animations[0]->currentValue().toInt();
    const int b = m_animations[1]->currentValue().toInt();
    const int c = m_animations[2]->currentValue().toInt();
    for (const Ellipse &e : ellipses(a, b, c)) {
        QPainterPath path;
        path.addEllipse(e.centre, e.rx, e.ry);
        painter.fillPath(path, e.fill);
        if (e.outlined) {
            painter.setPen(outline);
            painter.drawPath(path);
        }
    }
}

TAVDaRIRLogin::TAVDaRIRLogin(QWidget *parent)
    : TAVQWindow(parent)
{
    LoadPage(this, QStringLiteral("LoginPage.json"));
    // A page without one of these controls still gives a usable window without that feature.
    if (auto *host = findChild<QWidget *>(QStringLiteral("animateBg"))) {
        m_background = new AnimateBackground(host);
        m_background->setGeometry(0, 0, host->width(), host->height());
    }
    m_btnLogin = findChild<QPushButton *>(QStringLiteral("btnLogin"));
    m_editUser = findChild<QLineEdit *>(QStringLiteral("editUser"));
    m_editPsw = findChild<QLineEdit *>(QStringLiteral("editPsw"));
    for (QLineEdit *edit : {m_editUser, m_editPsw}) {
        if (edit)
            edit->setTextMargins(5, 0, 5, 0);
    }
    if (m_btnLogin)
        connect(m_btnLogin, SIGNAL(clicked()), this, SLOT(BtnClicked()));
    setWindowFlag(Qt::FramelessWindowHint);
    centerOnScreen(this);
}

void TAVDaRIRLogin::BtnClicked()
{
    if (m_btnLogin && sender() == m_btnLogin)
        close();
}
