// Which computer key plays which piano key: by physical place, so both layouts agree.

#include "ui/clavier.h"
#include "ui/touchespiano.h"

#include <QTest>

class TestTouchesPiano : public QObject
{
    Q_OBJECT

private slots:
    void deuxDispositions_data();
    void deuxDispositions();
    void autresTouches();
};

void TestTouchesPiano::deuxDispositions_data()
{
    // The X11 key codes of a PC keyboard (evdev + 8), with what each layout prints on the key.
    QTest::addColumn<quint32>("code");
    QTest::addColumn<int>("note");
    QTest::addColumn<QString>("nom");
    QTest::newRow("AZERTY Q = QWERTY A") << 38u << 12 << "Do 3";
    QTest::newRow("AZERTY Z = QWERTY W") << 25u << 13 << "Do dièse 3";
    QTest::newRow("S") << 39u << 14 << "Ré 3";
    QTest::newRow("E") << 26u << 15 << "Ré dièse 3";
    QTest::newRow("D") << 40u << 16 << "Mi 3";
    QTest::newRow("F") << 41u << 17 << "Fa 3";
    QTest::newRow("T") << 28u << 18 << "Fa dièse 3";
    QTest::newRow("G") << 42u << 19 << "Sol 3";
    QTest::newRow("Y") << 29u << 20 << "Sol dièse 3";
    QTest::newRow("H") << 43u << 21 << "La 3";
    QTest::newRow("U") << 30u << 22 << "La dièse 3";
    QTest::newRow("J") << 44u << 23 << "Si 3";
    QTest::newRow("K") << 45u << 24 << "Do 4";
    QTest::newRow("O") << 32u << 25 << "Do dièse 4";
    QTest::newRow("L") << 46u << 26 << "Ré 4";
    QTest::newRow("P") << 33u << 27 << "Ré dièse 4";
    QTest::newRow("AZERTY M = QWERTY ;") << 47u << 28 << "Mi 4";
}

void TestTouchesPiano::deuxDispositions()
{
    QFETCH(quint32, code);
    QFETCH(int, note);
    QFETCH(QString, nom);
    QCOMPARE(TouchesPiano::Note(code), note);
    // The black row plays black keys, the home row white ones.
    QCOMPARE(Clavier::NomNote(note), nom);
    QCOMPARE(Clavier::EstNoire(note), nom.contains(QStringLiteral("dièse")));
}

void TestTouchesPiano::autresTouches()
{
    // R and I sit where the piano has no black key (between Mi and Fa, Si and Do); the digits,
    // the bottom row, the space bar and no code at all play nothing.
    for (quint32 code : {27u, 31u, 10u, 52u, 53u, 65u, 0u, 36u, 48u, 24u, 34u})
        QVERIFY2(TouchesPiano::Note(code) == -1, qPrintable(QString::number(code)));
}

QTEST_GUILESS_MAIN(TestTouchesPiano)
#include "tst_touchespiano.moc"
