#include "model/regles.h"
#include "model/son.h"

#include <QTest>

using namespace Regles;

namespace {

// Fundamental at f1 with amplitude 10, then the given extra components.
Son Table(int f1, std::initializer_list<int> autres = {})
{
    Son t;
    t.Frequence[1] = static_cast<std::int16_t>(f1);
    t.Amplitude[1] = 10.0f;
    int i = 2;
    for (int f : autres) {
        t.Frequence[i] = static_cast<std::int16_t>(f);
        t.Amplitude[i] = 5.0f;
        ++i;
    }
    t.ProchaineComposante = static_cast<std::int16_t>(i);
    return t;
}

} // namespace

class TestRegles : public QObject
{
    Q_OBJECT

private slots:
    void arrondiAuPair_data();
    void arrondiAuPair();
    void accroche_data();
    void accroche();
    void zoneEdition_data();
    void zoneEdition();
    void ajoutEtBornes_data();
    void ajoutEtBornes();
    void tablePleineEtRetrait();
    void tableVideDonneUnFondamental();
    void efface();
    void pasDeGlissement_data();
    void pasDeGlissement();
    void glissementAuBordGauche();
    void frequencesDesNotes_data();
    void frequencesDesNotes();
    void transposition_data();
    void transposition();
    void transpositionBorneeEtFondamentalNul();
};

void TestRegles::arrondiAuPair_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("r");
    QTest::newRow("440.5") << 440.5 << 440.0;
    QTest::newRow("441.5") << 441.5 << 442.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("904.6") << 904.6 << 905.0;
    QTest::newRow("208.5") << 208.5 << 208.0;
}

void TestRegles::arrondiAuPair()
{
    QFETCH(double, v);
    QFETCH(double, r);
    QCOMPARE(Arrondi(v), r);
}

void TestRegles::accroche_data()
{
    QTest::addColumn<int>("f1");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("apercu");
    QTest::addColumn<float>("valide");
    QTest::newRow("1110 at 440: ratio 2.52") << 440 << 1110.0f << 880.0f << 1320.0f;
    QTest::newRow("200 at 440: multiple 0") << 440 << 200.0f << 0.0f << 0.0f;
    QTest::newRow("4700 at 3000: beyond the edge") << 3000 << 4700.0f << 6000.0f << 6000.0f;
    QTest::newRow("exact multiple") << 440 << 1320.0f << 1320.0f << 1320.0f;
    QTest::newRow("fundamental 0 divides by 1") << 0 << 17.4f << 17.0f << 17.0f;
}

void TestRegles::accroche()
{
    QFETCH(int, f1);
    QFETCH(float, x);
    QFETCH(float, apercu);
    QFETCH(float, valide);
    Son t = Table(f1);
    QCOMPARE(Accroche(t, x, AccrocheApercu), apercu);
    QCOMPARE(Accroche(t, x, AccrocheValide), valide);
}

void TestRegles::zoneEdition_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("dedans");
    QTest::newRow("base line") << 1000.0f << 10.0f << true;
    QTest::newRow("top grid line") << 1000.0f << 0.0f << false;
    QTest::newRow("label strip") << 1000.0f << 10.5f << false;
    QTest::newRow("left edge") << 0.0f << 5.0f << true;
    QTest::newRow("right edge") << 5000.0f << 5.0f << true;
    QTest::newRow("left of the box") << -0.1f << 5.0f << false;
    QTest::newRow("right of the box") << 5000.5f << 5.0f << false;
}

void TestRegles::zoneEdition()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, dedans);
    Son t = Table(440);
    QCOMPARE(DansZoneEdition(t, x, y), dedans);
    t.ProchaineComposante = 11;
    QVERIFY(!DansZoneEdition(t, x, y));
}

void TestRegles::ajoutEtBornes_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<int>("f");
    QTest::addColumn<float>("a");
    QTest::newRow("inside") << 880.0f << 5.0f << 880 << 5.0f;
    QTest::newRow("half to even") << 440.5f << 2.0f << 440 << 8.0f;
    QTest::newRow("base line: amplitude 0") << 1000.0f << 10.0f << 1000 << 0.0f;
    QTest::newRow("top grid line: amplitude 10") << 1000.0f << 0.0f << 1000 << 10.0f;
    QTest::newRow("above the top: clamped to 10") << 1000.0f << -0.8f << 1000 << 10.0f;
    QTest::newRow("label strip: clamped to 0") << 1000.0f << 11.2f << 1000 << 0.0f;
    QTest::newRow("left of the box: 0 Hz") << -300.0f << 5.0f << 0 << 5.0f;
    QTest::newRow("far right: 32767 Hz") << 1.0e6f << 5.0f << 32767 << 5.0f;
}

void TestRegles::ajoutEtBornes()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(int, f);
    QFETCH(float, a);
    Son t = Table(440);
    QVERIFY(Ajoute(t, x, y));
    QCOMPARE(t.ProchaineComposante, std::int16_t(3));
    QCOMPARE(int(t.Frequence[2]), f);
    QCOMPARE(t.Amplitude[2], a);

    Son u = Table(440);
    EcritCandidat(u, x, y);
    QCOMPARE(u.ProchaineComposante, std::int16_t(2));
    QCOMPARE(int(u.Frequence[2]), f);
}

void TestRegles::tablePleineEtRetrait()
{
    Son t = Table(100, {200, 300, 400, 500, 600, 700, 800, 900, 1000});
    QCOMPARE(t.ProchaineComposante, std::int16_t(11));
    const Son avant = t;
    QVERIFY(!Ajoute(t, 1500.0f, 5.0f));
    QCOMPARE(t.Frequence, avant.Frequence);
    QCOMPARE(t.Amplitude, avant.Amplitude);

    QVERIFY(RetireDerniere(t));
    QCOMPARE(t.ProchaineComposante, std::int16_t(10));
    QCOMPARE(t.Frequence[10], std::int16_t(0));
    QCOMPARE(t.Amplitude[10], 0.0f);

    // Two adds at one place take two slots; two removals take them back in turn.
    Son u = Table(440);
    QVERIFY(Ajoute(u, 880.0f, 3.0f));
    QVERIFY(Ajoute(u, 880.0f, 3.0f));
    QCOMPARE(u.Frequence[2], u.Frequence[3]);
    QVERIFY(RetireDerniere(u));
    QVERIFY(RetireDerniere(u));
    QVERIFY(!RetireDerniere(u)); // the fundamental stays
    QCOMPARE(u.ProchaineComposante, std::int16_t(2));
    QCOMPARE(u.Frequence[1], std::int16_t(440));
    u.ProchaineComposante = 1;
    QVERIFY(!RetireDerniere(u));

    // A right click while a left drag holds a candidate: no silent leftover above the table.
    Son v = Table(440, {880});
    EcritCandidat(v, 1320.0f, 4.0f);
    QVERIFY(RetireDerniere(v));
    QVERIFY(Ajoute(v, 1320.0f, 4.0f));
    QCOMPARE(v.ProchaineComposante, std::int16_t(3));
    for (int i = 3; i <= 10; ++i)
        QCOMPARE(v.Amplitude[i], 0.0f);
}

void TestRegles::tableVideDonneUnFondamental()
{
    Son t;
    t.ProchaineComposante = 1;
    QVERIFY(Ajoute(t, 0.3f, 4.0f));
    QCOMPARE(t.Frequence[1], std::int16_t(1)); // never below 1 Hz
    QCOMPARE(t.Amplitude[1], 6.0f);
    QCOMPARE(t.ProchaineComposante, std::int16_t(2));

    Son u;
    u.ProchaineComposante = 1;
    QVERIFY(Ajoute(u, 733.0f, 4.0f));
    QCOMPARE(u.Frequence[1], std::int16_t(733));
}

void TestRegles::efface()
{
    Son t = Table(440, {880, 1320});
    Efface(t, false, 439.96);
    QCOMPARE(t.ProchaineComposante, std::int16_t(1));
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(t.Amplitude[i], 0.0f);
    QCOMPARE(t.Frequence[2], std::int16_t(880)); // frequencies are kept
    QCOMPARE(SommeAmplitudes(t), 0.0f);

    Efface(t, true, 439.96);
    QCOMPARE(t.ProchaineComposante, std::int16_t(2));
    QCOMPARE(t.Frequence[1], std::int16_t(440));
    QCOMPARE(t.Amplitude[1], 10.0f);
    QCOMPARE(t.Frequence[3], std::int16_t(1320));

    Efface(t, true, 0.2);
    QCOMPARE(t.Frequence[1], std::int16_t(1));
}

void TestRegles::pasDeGlissement_data()
{
    QTest::addColumn<int>("f2");
    QTest::addColumn<int>("f3");
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("f1");
    QTest::addColumn<int>("n2");
    QTest::addColumn<int>("n3");
    QTest::addColumn<double>("bord");
    QTest::newRow("452.3") << 880 << 1320 << 452.3f << 452 << 905 << 1357 << 452.0;
    QTest::newRow("1100 is harmonic 2") << 1100 << 0 << 440.0f << 440 << 880 << 0 << 440.0;
    QTest::newRow("200 is harmonic 0") << 200 << 0 << 500.0f << 500 << 0 << 0 << 500.0;
    QTest::newRow("half goes up") << 880 << 0 << 300.5f << 301 << 601 << 0 << 300.0;
    QTest::newRow("far right clamps") << 32000 << 0 << 5000.0f << 4983 << 32767 << 0 << 4983.0;
    // Left far to the right: the marker stops whole on the plot (5000 Hz less its 16.8 Hz width).
    QTest::newRow("right of the plot") << 880 << 1320 << 5200.0f << 4983 << 9966 << 14950 << 4983.0;
    QTest::newRow("far beyond the plot") << 880 << 0 << 1e6f << 4983 << 9966 << 0 << 4983.0;
    QTest::newRow("last whole position") << 880 << 0 << 4983.0f << 4983 << 9966 << 0 << 4983.0;
}

void TestRegles::pasDeGlissement()
{
    QFETCH(int, f2);
    QFETCH(int, f3);
    QFETCH(float, x);
    QFETCH(int, f1);
    QFETCH(int, n2);
    QFETCH(int, n3);
    QFETCH(double, bord);
    Son t = Table(440, {f2, f3});
    const auto amplitudes = t.Amplitude;
    QCOMPARE(DeplaceFondamental(t, x), bord);
    QCOMPARE(int(t.Frequence[1]), f1);
    QCOMPARE(int(t.Frequence[2]), n2);
    QCOMPARE(int(t.Frequence[3]), n3);
    QCOMPARE(t.Frequence[4], std::int16_t(0));
    QCOMPARE(t.Amplitude, amplitudes);
    QCOMPARE(t.ProchaineComposante, std::int16_t(4));
}

void TestRegles::glissementAuBordGauche()
{
    for (float x : {0.0f, 0.3f, -250.0f}) {
        Son t = Table(440, {880, 1320});
        DeplaceFondamental(t, x);
        QCOMPARE(t.Frequence[1], std::int16_t(1));
        QCOMPARE(t.Frequence[2], std::int16_t(2));
        QCOMPARE(t.Frequence[3], std::int16_t(3));
        // and back: the harmonic numbers survive the trip
        DeplaceFondamental(t, 440.0f);
        QCOMPARE(t.Frequence[2], std::int16_t(880));
        QCOMPARE(t.Frequence[3], std::int16_t(1320));
    }
}

void TestRegles::frequencesDesNotes_data()
{
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("f");
    const int valeurs[][2] = {{0, 132}, {1, 139}, {9, 221}, {12, 264}, {21, 443}, {33, 887}, {45, 1775}, {48, 2112}};
    for (auto [i, f] : valeurs)
        QTest::addRow("key %d", i) << i << f;
}

void TestRegles::frequencesDesNotes()
{
    QFETCH(int, touche);
    QFETCH(int, f);
    QCOMPARE(int(FrequenceNote(touche)), f);
}

void TestRegles::transposition_data()
{
    QTest::addColumn<int>("f2");
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("f1");
    QTest::addColumn<int>("n2");
    QTest::newRow("660 with key 1") << 660 << 1 << 139 << 208;
    QTest::newRow("880 with key 12") << 880 << 12 << 264 << 528;
    QTest::newRow("empty slot stays 0") << 0 << 21 << 443 << 0;
}

void TestRegles::transposition()
{
    QFETCH(int, f2);
    QFETCH(int, touche);
    QFETCH(int, f1);
    QFETCH(int, n2);
    Son t = Table(440, {f2});
    Transpose(t, FrequenceNote(touche));
    QCOMPARE(int(t.Frequence[1]), f1);
    QCOMPARE(int(t.Frequence[2]), n2);
    // The same key again leaves the table as it is.
    const auto avant = t.Frequence;
    Transpose(t, FrequenceNote(touche));
    QCOMPARE(t.Frequence, avant);
}

void TestRegles::transpositionBorneeEtFondamentalNul()
{
    // A slot freed by a clear keeps its frequency and is rescaled like any other.
    Son t = Table(440, {1320});
    Efface(t, true, 440.0);
    Transpose(t, 264);
    QCOMPARE(t.Frequence[2], std::int16_t(792));

    Son u = Table(1, {5000});
    Transpose(u, 2112);
    QCOMPARE(u.Frequence[1], std::int16_t(2112));
    QCOMPARE(u.Frequence[2], std::int16_t(32767));

    Son v; // a table never set: the old fundamental counts as 1 Hz
    v.Frequence[2] = 3;
    Transpose(v, 132);
    QCOMPARE(v.Frequence[1], std::int16_t(132));
    QCOMPARE(v.Frequence[2], std::int16_t(396));
}

QTEST_GUILESS_MAIN(TestRegles)
#include "tst_regles.moc"
