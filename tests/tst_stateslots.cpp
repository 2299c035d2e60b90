// The four per-state style slots (normal, hover, pressed, disabled): which
// states name a slot, which slot a getter reads, and which slots a programmatic
// setter and a page's slot fill.

#include "core/tavqstyleslots_p.h"

#include <QtTest>

#include <array>
#include <climits>

using namespace TAVQtLib;

namespace {

using Slots = std::array<int, 4>;
using Store = void (*)(Slots &, int, const int &);

// Which of four empty slots `store` fills for `state`, as "0100".
QString filled(Store store, int state)
{
    Slots styles{};
    store(styles, state, 1);
    QString marks;
    for (int style : styles)
        marks += QLatin1Char(style ? '1' : '0');
    return marks;
}

} // namespace

class tst_StateSlots : public QObject
{
    Q_OBJECT

private slots:
    void states_data();
    void states();
};

void tst_StateSlots::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("single");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("paged");

    QTest::newRow("lowest") << INT_MIN << false << 0 << "0000" << "0000";
    QTest::newRow("-1") << -1 << false << 0 << "0000" << "0000";
    QTest::newRow("normal") << int(StateNormal) << true << 0 << "1000" << "1111";
    QTest::newRow("hover") << int(StateHover) << true << 1 << "0100" << "0100";
    QTest::newRow("pressed") << int(StatePressed) << true << 2 << "0010" << "0010";
    QTest::newRow("disabled") << int(StateDisabled) << true << 3 << "0001" << "0001";
    QTest::newRow("all") << int(StateAll) << false << 0 << "1111" << "1111";
    QTest::newRow("5") << 5 << false << 0 << "0000" << "0000";
    QTest::newRow("highest") << INT_MAX << false << 0 << "0000" << "0000";
}

void tst_StateSlots::states()
{
    QFETCH(int, state);
    QFETCH(bool, single);
    QFETCH(int, slot);
    QFETCH(QString, stored);
    QFETCH(QString, paged);

    QCOMPARE(isSingleState(state), single);
    QCOMPARE(int(stateSlot(state)), slot);
    QCOMPARE(filled(&TAVQStyleSlots::storeForState<int>, state), stored);
    QCOMPARE(filled(&TAVQStyleSlots::setPerState<int>, state), paged);
}

QTEST_GUILESS_MAIN(tst_StateSlots)
#include "tst_stateslots.moc"
