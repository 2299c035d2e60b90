#include "core/tavqcontrol.h"
#include "plaincontrol.h"
#include "base/tavqjson_p.h"
#include "core/tavqwindow.h"

#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <json/value.h>

#include <functional>

using namespace TAVQtLib;

using WindowAction = std::function<void(TAVQtLib::TAVQWindow *)>;
Q_DECLARE_METATYPE(WindowAction)

namespace {

// Sends a mouse event at a window-local position, with the matching global one.
void send(TAVQWindow &w, QEvent::Type type, QPoint local, Qt::MouseButton button = Qt::LeftButton,
          Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent e(type, local, w.mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// Presses at `from`, moves to `to` and releases there.
void drag(TAVQWindow &w, QPoint from, QPoint to)
{
    const QPoint globalFrom = w.mapToGlobal(from);
    const QPoint globalTo = globalFrom + (to - from);
    QMouseEvent press(QEvent::MouseButtonPress, from, globalFrom, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QMouseEvent move(QEvent::MouseMove, to, globalTo, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, globalTo, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
}

} // namespace

class tst_Window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void edgeZonesAreStrict_data();
    void edgeZonesAreStrict();
    void hoverCursor();
    void notResizableOnlyRecords();
    void resizeByEdges_data();
    void resizeByEdges();
    void minimumSizeHoldsTheEdge();
    void captionDrag();
    void doubleClickBand();
    void maximisedWindowDoesNotResize();
    void modalLoopEndsHoweverHidden_data();
    void modalLoopEndsHoweverHidden();
    void deletedInsideItsModalLoop();
    void centreOnScreen_data();
    void centreOnScreen();
    void resizeReappliesLayouts();
    void paintedBackground();

private:
    TAVQWindow *m_window = nullptr;
};

void tst_Window::init()
{
    m_window = new TAVQWindow;
    m_window->setWindowFlag(Qt::FramelessWindowHint);
    m_window->setGeometry(100, 100, 600, 500);
    m_window->setResizable(true);
    m_window->setMinResizeWidth(400);
    m_window->setMinResizeHeight(300);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_Window::cleanup()
{
    delete m_window;
}

void tst_Window::edgeZonesAreStrict_data()
{
    QTest::addColumn<QPoint>("local");
    QTest::addColumn<int>("edge");
    QTest::newRow("left inside") << QPoint(3, 250) << int(TAVQWindow::Left);
    QTest::newRow("left boundary") << QPoint(4, 250) << int(TAVQWindow::NoEdge);
    QTest::newRow("right inside") << QPoint(597, 250) << int(TAVQWindow::Right);
    QTest::newRow("right boundary") << QPoint(596, 250) << int(TAVQWindow::NoEdge);
    QTest::newRow("top") << QPoint(300, 0) << int(TAVQWindow::Top);
    QTest::newRow("bottom") << QPoint(300, 499) << int(TAVQWindow::Bottom);
    QTest::newRow("bottom right") << QPoint(599, 499) << int(TAVQWindow::BottomRight);
    QTest::newRow("top left") << QPoint(0, 0) << int(TAVQWindow::TopLeft);
    QTest::newRow("bottom left") << QPoint(1, 498) << int(TAVQWindow::BottomLeft);
    QTest::newRow("top right") << QPoint(598, 2) << int(TAVQWindow::TopRight);
}

void tst_Window::edgeZonesAreStrict()
{
    QFETCH(QPoint, local);
    QFETCH(int, edge);
    send(*m_window, QEvent::MouseButtonPress, local);
    QCOMPARE(m_window->resizeEdge(), edge);
    send(*m_window, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(m_window->resizeEdge(), int(TAVQWindow::NoEdge));
    // Any button starts a resize.
    send(*m_window, QEvent::MouseButtonPress, local, Qt::RightButton, Qt::RightButton);
    QCOMPARE(m_window->resizeEdge(), edge);
}

void tst_Window::hoverCursor()
{
    const auto hover = [&](QPoint p) {
        send(*m_window, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        return m_window->cursor().shape();
    };
    QCOMPARE(hover(QPoint(1, 1)), Qt::SizeFDiagCursor);
    QCOMPARE(hover(QPoint(598, 498)), Qt::SizeFDiagCursor);
    QCOMPARE(hover(QPoint(1, 498)), Qt::SizeBDiagCursor);
    QCOMPARE(hover(QPoint(598, 1)), Qt::SizeBDiagCursor);
    QCOMPARE(hover(QPoint(1, 200)), Qt::SizeHorCursor);
    QCOMPARE(hover(QPoint(200, 498)), Qt::SizeVerCursor);
    QCOMPARE(hover(QPoint(200, 200)), Qt::ArrowCursor);
}

void tst_Window::notResizableOnlyRecords()
{
    m_window->setResizable(false);
    m_window->setCursor(Qt::IBeamCursor);
    send(*m_window, QEvent::MouseMove, QPoint(1, 200), Qt::NoButton, Qt::NoButton);
    QCOMPARE(m_window->cursor().shape(), Qt::IBeamCursor);
    drag(*m_window, QPoint(1, 200), QPoint(51, 200));
    QCOMPARE(m_window->size(), QSize(600, 500));
    QCOMPARE(m_window->resizeEdge(), int(TAVQWindow::NoEdge));
}

void tst_Window::resizeByEdges_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("left out") << QPoint(1, 250) << QPoint(-50, 0) << QRect(50, 100, 650, 500);
    QTest::newRow("left in") << QPoint(1, 250) << QPoint(50, 0) << QRect(150, 100, 550, 500);
    QTest::newRow("right") << QPoint(598, 250) << QPoint(30, 7) << QRect(100, 100, 630, 500);
    QTest::newRow("top") << QPoint(300, 1) << QPoint(5, -20) << QRect(100, 80, 600, 520);
    QTest::newRow("bottom") << QPoint(300, 498) << QPoint(0, 25) << QRect(100, 100, 600, 525);
    QTest::newRow("bottom right") << QPoint(598, 498) << QPoint(10, 20) << QRect(100, 100, 610, 520);
    QTest::newRow("top right") << QPoint(598, 1) << QPoint(10, 20) << QRect(100, 120, 610, 480);
    QTest::newRow("top left") << QPoint(1, 1) << QPoint(-10, -20) << QRect(90, 80, 610, 520);
    QTest::newRow("bottom left") << QPoint(1, 498) << QPoint(10, 10) << QRect(110, 100, 590, 510);
}

void tst_Window::resizeByEdges()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, delta);
    QFETCH(QRect, geometry);
    drag(*m_window, from, from + delta);
    QCOMPARE(m_window->geometry(), geometry);
    // Edge resizing fixes the dimensions it changed.
    if (geometry.width() != 600)
        QCOMPARE(m_window->minimumWidth(), m_window->maximumWidth());
    if (geometry.height() != 500)
        QCOMPARE(m_window->minimumHeight(), m_window->maximumHeight());
}

void tst_Window::minimumSizeHoldsTheEdge()
{
    // Pulling the left edge 250 pixels in would leave 350 < 400: the width is held and the window stays.
    drag(*m_window, QPoint(1, 250), QPoint(251, 250));
    QCOMPARE(m_window->geometry(), QRect(100, 100, 400, 500));
    // The reference point did not advance: pulling back 100 still lies inside the limit.
    send(*m_window, QEvent::MouseButtonPress, QPoint(1, 250));
    send(*m_window, QEvent::MouseMove, QPoint(151, 250), Qt::NoButton);
    QCOMPARE(m_window->width(), 400);
    send(*m_window, QEvent::MouseMove, QPoint(-49, 250), Qt::NoButton);
    QCOMPARE(m_window->width(), 450);
    QCOMPARE(m_window->x(), 50);
    send(*m_window, QEvent::MouseButtonRelease, QPoint(-49, 250), Qt::LeftButton, Qt::NoButton);
    // Height has its own minimum.
    drag(*m_window, QPoint(300, 498), QPoint(300, 100));
    QCOMPARE(m_window->height(), 300);
}

void tst_Window::captionDrag()
{
    drag(*m_window, QPoint(200, 20), QPoint(230, 35));
    QCOMPARE(m_window->pos(), QPoint(130, 115));
    QVERIFY(!m_window->isDragging());
    // Below the caption band nothing moves.
    drag(*m_window, QPoint(200, 40), QPoint(260, 90));
    QCOMPARE(m_window->pos(), QPoint(130, 115));
    // Only the left button drags.
    const QPoint g = m_window->mapToGlobal(QPoint(200, 20));
    QMouseEvent press(QEvent::MouseButtonPress, QPoint(200, 20), g, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(m_window, &press);
    QVERIFY(!m_window->isDragging());
    m_window->setDraggable(false);
    drag(*m_window, QPoint(200, 20), QPoint(260, 30));
    QCOMPARE(m_window->pos(), QPoint(130, 115));
}

void tst_Window::doubleClickBand()
{
    send(*m_window, QEvent::MouseButtonDblClick, QPoint(300, 40));
    QVERIFY(!m_window->isMaximized());
    send(*m_window, QEvent::MouseButtonDblClick, QPoint(300, 39));
    QTRY_VERIFY(m_window->isMaximized());
    send(*m_window, QEvent::MouseButtonDblClick, QPoint(300, 10));
    QTRY_VERIFY(!m_window->isMaximized());
    m_window->setDoubleClickMaximize(false);
    send(*m_window, QEvent::MouseButtonDblClick, QPoint(300, 10));
    QVERIFY(!m_window->isMaximized());
}

void tst_Window::maximisedWindowDoesNotResize()
{
    m_window->showMaximized();
    QTRY_VERIFY(m_window->isMaximized());
    const QRect g = m_window->geometry();
    m_window->setCursor(Qt::IBeamCursor);
    send(*m_window, QEvent::MouseMove, QPoint(1, 200), Qt::NoButton, Qt::NoButton);
    QCOMPARE(m_window->cursor().shape(), Qt::IBeamCursor);
    drag(*m_window, QPoint(g.width() - 1, 200), QPoint(g.width() - 51, 200));
    QCOMPARE(m_window->size(), g.size());
}

void tst_Window::modalLoopEndsHoweverHidden_data()
{
    QTest::addColumn<WindowAction>("action");
    QTest::addColumn<bool>("staysVisible");
    QTest::newRow("close") << WindowAction([](TAVQWindow *w) { w->close(); }) << false;
    QTest::newRow("escape") << WindowAction([](TAVQWindow *w) { QTest::keyClick(w, Qt::Key_Escape); }) << false;
    QTest::newRow("reject") << WindowAction([](TAVQWindow *w) { w->reject(); }) << false;
    QTest::newRow("accept") << WindowAction([](TAVQWindow *w) { w->accept(); }) << false;
    QTest::newRow("done") << WindowAction([](TAVQWindow *w) { w->done(7); }) << false;
    QTest::newRow("hide") << WindowAction([](TAVQWindow *w) { w->hide(); }) << false;
    QTest::newRow("endModal") << WindowAction([](TAVQWindow *w) { w->endModal(); }) << true;
}

void tst_Window::modalLoopEndsHoweverHidden()
{
    QFETCH(WindowAction, action);
    // Twice, so that a loop left running by the first round would show in the second.
    for (int round = 0; round < 2; ++round) {
        bool hung = false;
        QTimer::singleShot(0, m_window, [&] { action(m_window); });
        QTimer::singleShot(2000, m_window, [&] {
            hung = true;
            m_window->endModal();
        });
        QCOMPARE(m_window->doModal(), 0);
        QVERIFY(!hung);
        QCOMPARE(m_window->windowModality(), Qt::ApplicationModal);
        QTEST(m_window->isVisible(), "staysVisible");
    }
}

void tst_Window::deletedInsideItsModalLoop()
{
    QTimer::singleShot(0, [this] {
        delete m_window;
        m_window = nullptr;
    });
    QTimer::singleShot(2000, [this] {
        if (m_window)
            m_window->endModal();
    });
    QCOMPARE(m_window->doModal(), 0);
    QVERIFY(!m_window);
}

void tst_Window::centreOnScreen_data()
{
    QTest::addColumn<QSize>("extra");   // beyond the available area; negative: smaller
    QTest::newRow("smaller") << QSize(-299, -199);
    QTest::newRow("wider") << QSize(3, -10);
    QTest::newRow("taller") << QSize(-10, 50);
    QTest::newRow("both") << QSize(400, 300);
}

// Centred in the available area; what is larger is fitted to it, never off screen.
void tst_Window::centreOnScreen()
{
    QFETCH(QSize, extra);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget w;
    w.setMinimumSize(area.size() + extra);
    w.resize(area.size() + extra);
    TAVQWindow::centerOnScreen(&w);
    const QSize expected = (area.size() + extra).boundedTo(area.size());
    QCOMPARE(w.size(), expected);
    QCOMPARE(w.pos(), area.topLeft() + QPoint((area.width() - expected.width()) / 2,
                                              (area.height() - expected.height()) / 2));
    TAVQWindow::centerOnScreen(nullptr);
}

void tst_Window::resizeReappliesLayouts()
{
    auto *child = new Plain(m_window);
    TAVQMarginLayout margins;
    margins.x = 10;
    margins.y = 20;
    margins.r = 30;
    margins.b = 40;
    child->SetLayout(margins);
    auto *grandChild = new Plain(child);
    TAVQAnchorLayout anchor;
    anchor.hor = 2;
    anchor.w = 50;
    anchor.h = 10;
    grandChild->SetLayout(anchor);
    m_window->resize(700, 400);
    QCOMPARE(child->geometry(), QRect(10, 20, 660, 340));
    QCOMPARE(grandChild->geometry(), QRect(610, 0, 50, 10));
}

void tst_Window::paintedBackground()
{
    const QRgb before = m_window->grab().toImage().pixel(300, 250);
    TAVQBoxStyle box;
    box.color = QColor(10, 200, 30);
    m_window->setBackgroundBox(box);
    QCOMPARE(m_window->grab().toImage().pixel(300, 250), before);   // not painted unless asked
    m_window->setPaintBackground(true);
    QCOMPARE(m_window->grab().toImage().pixel(300, 250), qRgb(10, 200, 30));
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
