// Listening challenges: the generator against fixed rows and an independent implementation of its
// mapping (tests/defi_reference.py), and the score and its verdicts against values worked by hand.
#include "model/defi.h"

#include <QProcess>
#include <QTest>

#include <set>

Q_DECLARE_METATYPE(Timbre)

namespace {

Timbre T(std::initializer_list<Timbre::Composante> composantes)
{
    return Timbre{true, composantes};
}

// "RANG:AMPLITUDE ..." as defi_reference.py prints it.
QString Texte(const Defis::Defi &d)
{
    QStringList mots;
    for (const Defis::Cachee &c : d.cachees)
        mots << QStringLiteral("%1:%2").arg(c.rang).arg(c.amplitude);
    return mots.join(QLatin1Char(' '));
}

QString Mot(Defis::Verdict v)
{
    switch (v) {
    case Defis::Verdict::Juste: return QStringLiteral("juste");
    case Defis::Verdict::TropFort: return QStringLiteral("trop fort");
    case Defis::Verdict::TropFaible: return QStringLiteral("trop faible");
    case Defis::Verdict::Manquant: return QStringLiteral("manquant");
    case Defis::Verdict::EnTrop: return QStringLiteral("en trop");
    }
    return QStringLiteral("?");
}

} // namespace

class TestDefi : public QObject
{
    Q_OBJECT

private slots:
    void melange();
    void genere_data();
    void genere();
    void horsBornes_data();
    void horsBornes();
    void toutLeDomaine();
    void commeLaReference();
    void son();
    void score_data();
    void score();
    void indice_data();
    void indice();
};

void TestDefi::melange()
{
    // SplitMix64's published first outputs from state 0.
    std::uint64_t etat = 0;
    QCOMPARE(Defis::Melange(etat), 0xE220A8397B1DCDAFull);
    QCOMPARE(Defis::Melange(etat), 0x6E789E6AA1B965F4ull);
    QCOMPARE(Defis::Melange(etat), 0x06C45D188009454Full);
    // The multiply-shift reaches both ends of its range.
    QCOMPARE(Defis::Tirage(0, 7), 0);
    QCOMPARE(Defis::Tirage(~0ull, 7), 6);
    QCOMPARE(Defis::Tirage(0xFFFFFFFFull, 9), 0); // the low half plays no part
    QCOMPARE(Defis::Tirage(0x8000000000000000ull, 9), 4);
}

void TestDefi::genere_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<int>("niveau");
    QTest::addColumn<QString>("attendu");

    // Printed by tests/defi_reference.py, written from the documented mapping alone.
    QTest::newRow("4821, level 3") << 4821 << 3 << "1:10 2:4 5:10 7:5";
    QTest::newRow("4821, level 1") << 4821 << 1 << "1:10 7:3";
    QTest::newRow("4821, level 5") << 4821 << 5 << "1:10 2:4 4:7 5:9 6:7 8:8";
    QTest::newRow("0, level 5") << 0 << 5 << "1:10 2:5 4:10 5:6 6:5 7:7";
    QTest::newRow("1, level 1") << 1 << 1 << "1:10 2:3";
    QTest::newRow("42, level 4") << 42 << 4 << "1:10 2:8 4:8 6:7 8:10";
    QTest::newRow("9999, level 2") << 9999 << 2 << "1:10 3:8 7:8";
}

void TestDefi::genere()
{
    QFETCH(int, numero);
    QFETCH(int, niveau);
    QFETCH(QString, attendu);
    const auto d = Defis::Genere(numero, niveau);
    QVERIFY(d);
    QCOMPARE(d->numero, numero);
    QCOMPARE(d->niveau, niveau);
    QCOMPARE(Texte(*d), attendu);
}

void TestDefi::horsBornes_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<int>("niveau");
    QTest::newRow("number -1") << -1 << 3;
    QTest::newRow("number 10000") << 10000 << 3;
    QTest::newRow("level 0") << 4821 << 0;
    QTest::newRow("level 6") << 4821 << 6;
    QTest::newRow("level -2") << 0 << -2;
}

void TestDefi::horsBornes()
{
    QFETCH(int, numero);
    QFETCH(int, niveau);
    QVERIFY(!Defis::Genere(numero, niveau));
}

void TestDefi::toutLeDomaine()
{
    for (int niveau = Defis::NiveauMin; niveau <= Defis::NiveauMax; ++niveau) {
        std::set<int> rangs, amplitudes;
        for (int numero = Defis::NumeroMin; numero <= Defis::NumeroMax; ++numero) {
            const auto d = Defis::Genere(numero, niveau);
            QVERIFY(d);
            const QByteArray ou = QByteArray::number(numero) + " level " + QByteArray::number(niveau);
            QVERIFY2(int(d->cachees.size()) == niveau + 1, ou.constData());
            QVERIFY2((d->cachees.front() == Defis::Cachee{1, 10}), ou.constData());
            for (std::size_t i = 1; i < d->cachees.size(); ++i) {
                const Defis::Cachee &c = d->cachees[i];
                QVERIFY2(c.rang >= 2 && c.rang <= 8, ou.constData());
                QVERIFY2(c.rang > d->cachees[i - 1].rang, ou.constData()); // distinct, rising
                QVERIFY2(c.amplitude >= 2 && c.amplitude <= 10, ou.constData());
                rangs.insert(c.rang);
                amplitudes.insert(c.amplitude);
            }
            if (numero % 997 == 0)
                QCOMPARE(*Defis::Genere(numero, niveau), *d); // the same on a second call
        }
        // Every harmonic and every amplitude occurs: no end of either range is out of reach.
        QCOMPARE(rangs.size(), std::size_t(7));
        QCOMPARE(amplitudes.size(), std::size_t(9));
    }
}

void TestDefi::commeLaReference()
{
    const QString script = QFINDTESTDATA("defi_reference.py");
    QVERIFY(!script.isEmpty());
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {script, QStringLiteral("--tout")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QList<QByteArray> lignes = p.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(lignes.size(), qsizetype(10000 * 5));
    for (const QByteArray &ligne : lignes) {
        const QList<QByteArray> mots = ligne.split(' ');
        const auto d = Defis::Genere(mots.at(0).toInt(), mots.at(1).toInt());
        QVERIFY(d);
        QCOMPARE(Texte(*d).toLatin1(), QByteArray(ligne.mid(mots.at(0).size() + mots.at(1).size() + 2)));
    }
}

void TestDefi::son()
{
    const Defis::Defi d{4821, 3, {{1, 10}, {2, 4}, {5, 10}, {7, 5}}};
    QCOMPARE(Defis::Son(d, 440), T({{440, 10}, {880, 4}, {2200, 10}, {3080, 5}}));
    // Harmonics above 32767 Hz stay there, as in the classic timbres.
    QCOMPARE(Defis::Son(d, 5000), T({{5000, 10}, {10000, 4}, {25000, 10}, {32767, 5}}));
    QCOMPARE(Defis::Son(d, 0).composantes.front().frequence, 1.0);
    // The challenge's sound scores 100 against itself on any fundamental.
    QCOMPARE(Defis::Compare(Defis::Son(d, 440), Defis::Son(d, 131)).score, 100);
}

void TestDefi::score_data()
{
    QTest::addColumn<Timbre>("cible");
    QTest::addColumn<Timbre>("essai");
    QTest::addColumn<int>("indices");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("verdicts"); // "rank verdict" by rising rank, 0 = off the harmonics

    const Timbre defi = T({{440, 10}, {880, 4}, {2200, 10}, {3080, 5}});
    const QString juste4 = QStringLiteral("1 juste, 2 juste, 5 juste, 7 juste");
    QTest::newRow("identical") << defi << defi << 0 << 100 << juste4;
    QTest::newRow("every amplitude halved")
        << defi << T({{440, 5}, {880, 2}, {2200, 5}, {3080, 2.5}}) << 0 << 100 << juste4;
    QTest::newRow("halved, on another fundamental")
        << defi << T({{220, 5}, {440, 2}, {1100, 5}, {1540, 2.5}}) << 0 << 100 << juste4;
    QTest::newRow("other table order") << defi << T({{440, 10}, {3080, 5}, {880, 4}, {2200, 10}}) << 0 << 100 << juste4;
    // P = {1: 10}, Q = {2: 6, 3: 3} (the pupil's fundamental is silent): nothing in common.
    QTest::newRow("disjoint harmonics") << T({{440, 10}}) << T({{440, 0}, {880, 6}, {1320, 3}}) << 0 << 0
                                        << "1 manquant, 2 en trop, 3 en trop";
    QTest::newRow("identical, 3 hints") << defi << defi << 3 << 70 << juste4;
    QTest::newRow("identical, 11 hints") << defi << defi << 11 << 0 << juste4;

    // 203 Hz: k = 2, 3 Hz from 200 (within 6). 250 Hz: 2.5 rounds to 2, 50 Hz off: off the harmonics.
    // p = (0, .5, .5), q = (.25, .5, .25): D = ½ (.25 + 0 + .25) = .25, score 75.
    // Scale 10/10: harmonic 2 has 5 for 10, too weak.
    const Timbre deux = T({{100, 10}, {200, 10}});
    const Timbre horsHarmonique = T({{100, 10}, {203, 5}, {250, 5}});
    const QString verdicts = QStringLiteral("0 en trop, 1 juste, 2 trop faible");
    QTest::newRow("off-harmonic") << deux << horsHarmonique << 0 << 75 << verdicts;
    QTest::newRow("off-harmonic, 1 hint") << deux << horsHarmonique << 1 << 65 << verdicts;
    QTest::newRow("off-harmonic, 8 hints") << deux << horsHarmonique << 8 << 0 << verdicts;
    // 3 % of 300 Hz is 9 Hz: 309 is harmonic 3, 310 is not (D = ½ (.5 + 0 + .5) = .5).
    QTest::newRow("3 % exactly") << T({{100, 10}, {300, 10}}) << T({{100, 10}, {309, 10}}) << 0 << 100
                                 << "1 juste, 3 juste";
    QTest::newRow("just over 3 %") << T({{100, 10}, {300, 10}}) << T({{100, 10}, {310, 10}}) << 0 << 50
                                   << "0 en trop, 1 juste, 3 manquant";
    QTest::newRow("3 % below") << T({{100, 10}, {300, 10}}) << T({{100, 10}, {291, 10}}) << 0 << 100
                               << "1 juste, 3 juste";
    // Harmonic 11 is beyond the ten: off the harmonics. D = ½ (.5 + .5) = .5.
    QTest::newRow("harmonic 11") << T({{100, 10}}) << T({{100, 10}, {1100, 10}}) << 0 << 50 << "0 en trop, 1 juste";
    // 199 and 201 Hz are both harmonic 2: 4 + 6 = 10.
    QTest::newRow("amplitudes at one rank add")
        << deux << T({{100, 10}, {199, 4}, {201, 6}}) << 0 << 100 << "1 juste, 2 juste";
    // p = (.5, .5), q = (.625, .375): D = .125, 87.5 rounds to the even 88; scale 4/5: harmonic 2
    // is 2.4 for 4.
    QTest::newRow("87.5 rounds to 88") << T({{100, 4}, {200, 4}}) << T({{100, 5}, {200, 3}}) << 0 << 88
                                       << "1 juste, 2 trop faible";
    // q = (.875, .125): D = .375, 62.5 rounds to the even 62.
    QTest::newRow("62.5 rounds to 62") << T({{100, 4}, {200, 4}}) << T({{100, 7}, {200, 1}}) << 0 << 62
                                       << "1 juste, 2 trop faible";
    QTest::newRow("62.5, 2 hints") << T({{100, 4}, {200, 4}}) << T({{100, 7}, {200, 1}}) << 2 << 42
                                   << "1 juste, 2 trop faible";
    // Within half a unit once the fundamentals are level: 4.5 and 3.5 for 4 are right, 5 and 3
    // are not. D = Σ |P_k sq − Q_k sp| / (2 sp sq), sp = 14: 4.5 gives (5 + 5) / 406 → 97.5 → 98,
    // 3.5 (5 + 5) / 378 → 97.4 → 97, 5 (10 + 10) / 420 → 95.2 → 95, 3 (10 + 10) / 364 → 94.5 → 95.
    const Timbre quatre = T({{100, 10}, {200, 4}});
    QTest::newRow("4.5 for 4") << quatre << T({{100, 10}, {200, 4.5}}) << 0 << 98 << "1 juste, 2 juste";
    QTest::newRow("3.5 for 4") << quatre << T({{100, 10}, {200, 3.5}}) << 0 << 97 << "1 juste, 2 juste";
    QTest::newRow("5 for 4") << quatre << T({{100, 10}, {200, 5}}) << 0 << 95 << "1 juste, 2 trop fort";
    QTest::newRow("3 for 4") << quatre << T({{100, 10}, {200, 3}}) << 0 << 95 << "1 juste, 2 trop faible";
    // A missing or an extra harmonic leaves the others right. Missing 5: p5 = 10/29, D = 10/29 → 65.5 → 66.
    QTest::newRow("one missing") << defi << T({{440, 10}, {880, 4}, {3080, 5}}) << 0 << 66
                                 << "1 juste, 2 juste, 5 manquant, 7 juste";
    // Extra 3 at 3: q3 = 3/32, D = 3/32 → 90.6 → 91.
    QTest::newRow("one extra") << defi << T({{440, 10}, {880, 4}, {1320, 3}, {2200, 10}, {3080, 5}}) << 0 << 91
                               << "1 juste, 2 juste, 3 en trop, 5 juste, 7 juste";
    // The pupil's fundamental silent: the scale is taken over ranks 2 and 3 (10 / 5 = 2), which
    // are then right. p = (.5, .2, .3), q = (0, .4, .6): D = .5.
    QTest::newRow("no fundamental on the pupil's side")
        << T({{100, 10}, {200, 4}, {300, 6}}) << T({{100, 0}, {200, 2}, {300, 3}}) << 0 << 50
        << "1 manquant, 2 juste, 3 juste";
    QTest::newRow("empty pupil's table") << deux << Timbre{} << 0 << 0 << "1 manquant, 2 manquant";
    QTest::newRow("silent pupil's table") << deux << T({{100, 0}}) << 0 << 0 << "1 manquant, 2 manquant";
    QTest::newRow("both silent") << T({{440, 0}}) << Timbre{} << 0 << 100 << "";
    QTest::newRow("silent challenge") << T({{440, 0}}) << deux << 0 << 0 << "1 en trop, 2 en trop";
    // A 0 Hz fundamental gives no harmonic number: everything is off the harmonics.
    QTest::newRow("fundamental 0 Hz") << deux << T({{0, 10}, {200, 10}}) << 0 << 0
                                      << "0 en trop, 1 manquant, 2 manquant";
    // Off-harmonic content on both sides is compared as one more rank.
    QTest::newRow("off the harmonics on both sides")
        << T({{100, 10}, {150, 10}}) << T({{100, 10}, {170, 10}}) << 0 << 100 << "0 juste, 1 juste";
}

void TestDefi::score()
{
    QFETCH(Timbre, cible);
    QFETCH(Timbre, essai);
    QFETCH(int, indices);
    QFETCH(int, score);
    QFETCH(QString, verdicts);

    const Defis::Resultat r = Defis::Compare(cible, essai, indices);
    QCOMPARE(r.score, score);
    QVERIFY(r.sansIndice >= r.score);
    QCOMPARE(r.score, std::max(0, r.sansIndice - 10 * indices));
    QVERIFY(r.distance >= 0.0 && r.distance <= 1.0);
    QStringList mots;
    double sp = 0, sq = 0;
    for (const Defis::Ligne &l : r.lignes) {
        mots << QStringLiteral("%1 %2").arg(l.rang).arg(Mot(l.verdict));
        sp += l.p;
        sq += l.q;
    }
    QCOMPARE(mots.join(QStringLiteral(", ")), verdicts);
    // Both sides are shares of their own total.
    if (!r.lignes.empty()) {
        QVERIFY(sp == 0 || qFuzzyCompare(sp, 1.0));
        QVERIFY(sq == 0 || qFuzzyCompare(sq, 1.0));
    }
}

void TestDefi::indice_data()
{
    QTest::addColumn<Timbre>("essai");
    QTest::addColumn<std::vector<int>>("donnes");
    QTest::addColumn<int>("attendu"); // -1: no hint left

    // Against the challenge 1:10 2:4 5:10 7:5 on 100 Hz.
    QTest::newRow("empty table") << Timbre{} << std::vector<int>{} << 1;
    QTest::newRow("the fundamental alone") << T({{100, 10}}) << std::vector<int>{} << 2;
    QTest::newRow("1 and 2 right") << T({{100, 10}, {200, 4}}) << std::vector<int>{} << 5;
    QTest::newRow("5 already given") << T({{100, 10}, {200, 4}}) << std::vector<int>{5} << 7;
    QTest::newRow("5 and 7 already given") << T({{100, 10}, {200, 4}}) << std::vector<int>{5, 7} << -1;
    QTest::newRow("2 too strong") << T({{100, 10}, {200, 6}, {500, 10}, {700, 5}}) << std::vector<int>{} << 2;
    QTest::newRow("2 off by 3 %+") << T({{100, 10}, {207, 4}, {500, 10}, {700, 5}}) << std::vector<int>{} << 2;
    QTest::newRow("all right") << T({{100, 10}, {200, 4}, {500, 10}, {700, 5}}) << std::vector<int>{} << -1;
    QTest::newRow("all right, halved") << T({{100, 5}, {200, 2}, {500, 5}, {700, 2.5}}) << std::vector<int>{} << -1;
    // An extra harmonic is not a hidden one: no hint for it.
    QTest::newRow("all right and one extra")
        << T({{100, 10}, {200, 4}, {300, 3}, {500, 10}, {700, 5}}) << std::vector<int>{} << -1;
}

void TestDefi::indice()
{
    QFETCH(Timbre, essai);
    QFETCH(std::vector<int>, donnes);
    QFETCH(int, attendu);
    const Timbre cible = T({{100, 10}, {200, 4}, {500, 10}, {700, 5}});
    const std::optional<int> i = Defis::Indice(cible, essai, donnes);
    QCOMPARE(i.value_or(-1), attendu);
}

QTEST_APPLESS_MAIN(TestDefi)
#include "tst_defi.moc"
