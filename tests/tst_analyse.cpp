// The analysis room on samples made here: the fundamental and the harmonics of known sums of
// sines, the refusals, the rule that turns a measurement into a timbre, and the steady stretch.
#include "analyse/analyse.h"
#include "analyse/entimbre.h"
#include "analyse/troncon.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>
#include <random>
#include <vector>

// Every allocation through new counts here, so that a test can tell a frame that allocates.
namespace {
std::atomic<long> Allocations{0};
}

void *operator new(std::size_t taille)
{
    ++Allocations;
    if (void *p = std::malloc(taille ? taille : 1))
        return p;
    throw std::bad_alloc();
}

void *operator new[](std::size_t taille)
{
    return operator new(taille);
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete[](void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

using Amplitudes = std::vector<double>; // harmonic k at index k − 1

// A sum of harmonics of f0, each with its own phase so that no waveform shape is favoured.
std::vector<float> Harmoniques(double f0, const Amplitudes &a, double fe, double secondes)
{
    std::vector<float> x(std::size_t(secondes * fe));
    for (std::size_t n = 0; n < x.size(); ++n) {
        double s = 0.0;
        for (std::size_t k = 1; k <= a.size(); ++k)
            s += a[k - 1] * std::sin(2.0 * std::numbers::pi * double(k) * f0 * double(n) / fe + 0.7 * double(k * k));
        x[n] = float(s);
    }
    return x;
}

// Test signals for the pitch: `genre` at `f0` hertz, `n` samples at `fe`.
std::vector<float> Signal(const QString &genre, double f0, double fe, std::size_t n)
{
    std::vector<float> x(n, 0.0f);
    std::mt19937 alea(21);
    std::uniform_real_distribution<double> bruit(-0.5, 0.5);
    for (std::size_t i = 0; i < n; ++i) {
        const double phase = std::fmod(f0 * double(i) / fe, 1.0);
        const double scie = 0.5 * (2.0 * phase - 1.0);
        double v = 0.0;
        if (genre == QStringLiteral("sinus"))
            v = 0.5 * std::sin(2.0 * std::numbers::pi * phase);
        else if (genre == QStringLiteral("scie"))
            v = scie;
        else if (genre == QStringLiteral("scie bruitée")) // about 14 dB over the noise
            v = scie + 0.2 * bruit(alea);
        else if (genre == QStringLiteral("scie décalée")) // a microphone's offset
            v = 0.3 + 0.4 * scie;
        else if (genre == QStringLiteral("voyelle")) // strong second and third harmonics
            v = 0.2 * std::sin(2.0 * std::numbers::pi * phase) + 0.4 * std::sin(4.0 * std::numbers::pi * phase + 1.0)
                + 0.3 * std::sin(6.0 * std::numbers::pi * phase + 2.0);
        else if (genre == QStringLiteral("bruit"))
            v = bruit(alea);
        x[i] = float(v);
    }
    return x;
}

// The pitch numpy finds in `x` by the same rules, summed directly (tests/hauteur_yin.py); −1 when
// the script could not run.
double HauteurNumpy(const std::vector<float> &x, double fe)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("x.f32"));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        return -1;
    f.write(reinterpret_cast<const char *>(x.data()), qint64(x.size() * sizeof(float)));
    f.close();
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/tests/hauteur_yin.py"), chemin,
             QString::number(fe)});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    bool ok = false;
    const double h = p.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? h : -1;
}

} // namespace

class TestAnalyse : public QObject
{
    Q_OBJECT

private slots:
    void harmoniques_data();
    void harmoniques();
    void refus_data();
    void refus();
    void trameSansAllocation();
    void hauteurContreNumpy_data();
    void hauteurContreNumpy();
    void enTimbre_data();
    void enTimbre();
    void tronconStable_data();
    void tronconStable();
    void niveauxParMorceaux();
};

void TestAnalyse::harmoniques_data()
{
    QTest::addColumn<double>("f0");
    QTest::addColumn<double>("fe");
    QTest::addColumn<double>("secondes");
    QTest::addColumn<Amplitudes>("amplitudes");

    QTest::newRow("sawtooth-like, 220 Hz")
        << 220.0 << 44100.0 << 0.5 << Amplitudes{0.5, 0.25, 0.1667, 0.125, 0.1, 0.0833, 0.0714, 0.0625, 0.0556, 0.05};
    // The third harmonic five times the first: the fundamental is still the first.
    QTest::newRow("clarinet-like, third strongest")
        << 146.83 << 48000.0 << 0.5 << Amplitudes{0.1, 0.01, 0.5, 0.0, 0.3, 0.0, 0.2, 0.0, 0.1, 0.0};
    QTest::newRow("weak fundamental") << 311.13 << 44100.0 << 0.3 << Amplitudes{0.02, 0.3, 0.4, 0.2};
    QTest::newRow("lowest pitch, 8 kHz") << 40.0 << 8000.0 << 1.0 << Amplitudes{0.4, 0.2, 0.1};
    QTest::newRow("highest pitch, 192 kHz") << 2000.0 << 192000.0 << 0.2 << Amplitudes{0.5, 0.2, 0.1, 0.05, 0.02};
    QTest::newRow("shortest stretch, 50 ms") << 440.0 << 44100.0 << 0.05 << Amplitudes{0.5, 0.25};
    QTest::newRow("harmonics past Nyquist") << 1500.0 << 8000.0 << 0.2 << Amplitudes{0.5, 0.3};
}

void TestAnalyse::harmoniques()
{
    QFETCH(double, f0);
    QFETCH(double, fe);
    QFETCH(double, secondes);
    QFETCH(Amplitudes, amplitudes);

    const auto x = Harmoniques(f0, amplitudes, fe, secondes);
    const Mesure m = Analyse(x.data(), x.size(), fe);
    QVERIFY(m.valide());
    QVERIFY2(std::abs(m.fondamental - f0) < 0.002 * f0 + 0.02, qPrintable(QString::number(m.fondamental)));
    for (int k = 1; k <= Mesure::Harmoniques; ++k) {
        const double attendue = k <= int(amplitudes.size()) && k * f0 < fe / 2 ? amplitudes[std::size_t(k - 1)] : 0.0;
        const double lue = m.amplitudes[std::size_t(k - 1)];
        // 1 % of the strongest harmonic: a tenth of the table's 0.1 step.
        QVERIFY2(std::abs(lue - attendue) < 0.01 * 0.5 + 0.01 * attendue,
                 qPrintable(QStringLiteral("harmonic %1: %2, expected %3").arg(k).arg(lue).arg(attendue)));
        if (attendue > 0.0)
            QVERIFY(std::abs(m.frequences[std::size_t(k - 1)] - k * f0) < 0.002 * k * f0);
        if (k * f0 >= fe / 2)
            QCOMPARE(m.amplitudes[std::size_t(k - 1)], 0.0);
    }
    // The spectrum for drawing: up to 5000 Hz (or Nyquist), the same scale as the harmonics.
    QVERIFY(m.spectre.pas > 0.0);
    const double fin = double(m.spectre.amplitudes.size() - 1) * m.spectre.pas;
    QVERIFY(fin <= 5000.0 && fin > std::min(5000.0, fe / 2) - 2 * m.spectre.pas);
    const std::size_t pic = std::size_t(std::lround(f0 / m.spectre.pas));
    float autour = 0.0f;
    for (std::size_t i = pic - 1; i <= pic + 1; ++i)
        autour = std::max(autour, m.spectre.amplitudes[i]);
    QVERIFY(std::abs(autour - amplitudes[0]) < 0.02 * amplitudes[0] + 0.002);
}

void TestAnalyse::refus_data()
{
    QTest::addColumn<QString>("son");
    QTest::addColumn<double>("secondes");
    QTest::addColumn<int>("echec");

    QTest::newRow("silence") << "silence" << 0.5 << int(Mesure::Echec::PasDeHauteur);
    QTest::newRow("white noise") << "bruit" << 0.5 << int(Mesure::Echec::PasDeHauteur);
    QTest::newRow("40 ms") << "la" << 0.04 << int(Mesure::Echec::TropCourt);
    // 50 ms is enough time, but holds under three periods of 45 Hz.
    QTest::newRow("under three periods") << "grave" << 0.06 << int(Mesure::Echec::TropCourt);
}

void TestAnalyse::refus()
{
    QFETCH(QString, son);
    QFETCH(double, secondes);
    QFETCH(int, echec);
    const double fe = 44100.0;
    std::vector<float> x(std::size_t(secondes * fe), 0.0f);
    if (son == QLatin1String("bruit")) {
        std::mt19937 alea(20);
        std::uniform_real_distribution<float> d(-0.5f, 0.5f);
        for (auto &v : x)
            v = d(alea);
    } else if (son == QLatin1String("la")) {
        x = Harmoniques(440.0, {0.5}, fe, secondes);
    } else if (son == QLatin1String("grave")) {
        x = Harmoniques(45.0, {0.5, 0.2}, fe, secondes);
    }
    const Mesure m = Analyse(x.data(), x.size(), fe);
    QCOMPARE(int(m.echec), echec);
    if (son == QLatin1String("grave"))
        QVERIFY(std::abs(m.fondamental - 45.0) < 1.0);
}

void TestAnalyse::trameSansAllocation()
{
    // Microphone-sized frames through one analyser: the same answers, the same buffers.
    Analyseur analyseur;
    Mesure m;
    const double fe = 48000.0;
    const auto x = Harmoniques(330.0, {0.3, 0.15, 0.1}, fe, 0.5);
    const std::size_t trame = 4096;
    const float *tampon = nullptr;
    for (std::size_t debut = 0; debut + trame <= x.size(); debut += trame) {
        analyseur.analyse(x.data() + debut, trame, fe, m);
        QVERIFY(m.valide());
        QVERIFY(std::abs(m.fondamental - 330.0) < 0.5);
        QVERIFY(std::abs(m.amplitudes[1] / m.amplitudes[0] - 0.5) < 0.02);
        if (tampon)
            QCOMPARE(m.spectre.amplitudes.data(), tampon);
        tampon = m.spectre.amplitudes.data();
    }
    // Once the first frame has set the plans and buffers up, a frame allocates nothing at all.
    analyseur.analyse(x.data(), trame, fe, m);
    const long avant = Allocations;
    for (std::size_t debut = 0; debut + trame <= x.size(); debut += trame / 2)
        analyseur.analyse(x.data() + debut, trame, fe, m);
    QCOMPARE(Allocations - avant, 0L);
    QVERIFY(m.valide());
}

void TestAnalyse::hauteurContreNumpy_data()
{
    QTest::addColumn<QString>("genre");
    QTest::addColumn<double>("f0"); // 0: no pitch to find
    QTest::addColumn<double>("fe");
    QTest::addColumn<int>("n");

    // A live frame (4096 samples) and a file's stretch (half a second).
    QTest::newRow("sine 440 Hz, frame") << "sinus" << 440.0 << 44100.0 << 4096;
    QTest::newRow("sawtooth 220 Hz, frame") << "scie" << 220.0 << 44100.0 << 4096;
    QTest::newRow("sawtooth 220 Hz, half a second") << "scie" << 220.0 << 44100.0 << 22050;
    QTest::newRow("noisy sawtooth 196 Hz, frame") << "scie bruitée" << 196.0 << 44100.0 << 4096;
    QTest::newRow("offset sawtooth 110 Hz, 48 kHz") << "scie décalée" << 110.0 << 48000.0 << 4096;
    QTest::newRow("vowel-like 130.8 Hz, frame") << "voyelle" << 130.8 << 44100.0 << 4096;
    QTest::newRow("low sine 45 Hz, half a second") << "sinus" << 45.0 << 44100.0 << 22050;
    QTest::newRow("high sawtooth 1760 Hz, frame") << "scie" << 1760.0 << 44100.0 << 4096;
    QTest::newRow("white noise, frame") << "bruit" << 0.0 << 44100.0 << 4096;
    QTest::newRow("silence, frame") << "silence" << 0.0 << 44100.0 << 4096;
}

void TestAnalyse::hauteurContreNumpy()
{
    QFETCH(QString, genre);
    QFETCH(double, f0);
    QFETCH(double, fe);
    QFETCH(int, n);
    const auto x = Signal(genre, f0, fe, std::size_t(n));
    const double attendue = HauteurNumpy(x, fe);
    QVERIFY2(attendue >= 0.0, "numpy could not run tests/hauteur_yin.py");
    Analyseur analyseur;
    const double lue = analyseur.hauteur(x.data(), x.size(), fe);
    Mesure m;
    analyseur.analyse(x.data(), x.size(), fe, m);
    if (f0 == 0.0) {
        QCOMPARE(attendue, 0.0);
        QCOMPARE(lue, 0.0);
        QCOMPARE(int(m.echec), int(Mesure::Echec::PasDeHauteur));
        return;
    }
    // numpy's own answer is the sound's pitch, and the FFT's is numpy's.
    QVERIFY2(std::abs(attendue - f0) < 0.01 * f0, qPrintable(QString::number(attendue)));
    QVERIFY2(std::abs(lue - attendue) < 1e-4 * attendue,
             qPrintable(QStringLiteral("%1 Hz, numpy %2 Hz").arg(lue, 0, 'f', 6).arg(attendue, 0, 'f', 6)));
    // Refined by the harmonics, well within the 1 Hz the live pitch is shown to.
    QVERIFY(m.valide());
    QVERIFY2(std::abs(m.fondamental - f0) < 0.25, qPrintable(QString::number(m.fondamental)));
}

void TestAnalyse::enTimbre_data()
{
    QTest::addColumn<double>("fondamental");
    QTest::addColumn<double>("fe");
    QTest::addColumn<Amplitudes>("mesurees");
    QTest::addColumn<QList<QPointF>>("attendu"); // (frequency, amplitude)

    QTest::newRow("scaled to 10, rounded to 0.1")
        << 220.4 << 44100.0 << Amplitudes{0.4, 0.2, 0.1333, 0.0, 0.02, 0.0019, 0, 0, 0, 0}
        << QList<QPointF>{{220, 10}, {440, 5}, {660, 3.3}, {1100, 0.5}};
    QTest::newRow("whole hertz, ties to even")
        << 220.5 << 44100.0 << Amplitudes{0.1, 0.2} << QList<QPointF>{{220, 5}, {440, 10}};
    QTest::newRow("a weak fundamental stays first")
        << 99.7 << 44100.0 << Amplitudes{0.001, 0.0, 0.5} << QList<QPointF>{{100, 0}, {300, 10}};
    // 8000 Hz: the Nyquist frequency is 4000 Hz, so 4 × 1000 is left out, however strong.
    QTest::newRow("harmonics from Nyquist up left out")
        << 1000.2 << 8000.0 << Amplitudes{0.2, 0.1, 0.05, 0.9} << QList<QPointF>{{1000, 10}, {2000, 5}, {3000, 2.5}};
}

void TestAnalyse::enTimbre()
{
    QFETCH(double, fondamental);
    QFETCH(double, fe);
    QFETCH(Amplitudes, mesurees);
    QFETCH(QList<QPointF>, attendu);
    Mesure m;
    m.echec = Mesure::Echec::Aucun;
    m.fondamental = fondamental;
    m.frequenceEchantillonnage = fe;
    for (std::size_t k = 0; k < mesurees.size(); ++k)
        m.amplitudes[k] = mesurees[k];
    const Timbre t = EnTimbre(m);
    QVERIFY(t.multiples);
    QVERIFY(!Timbres::Verifie(t));
    QCOMPARE(qsizetype(t.composantes.size()), attendu.size());
    for (qsizetype i = 0; i < attendu.size(); ++i) {
        QCOMPARE(t.composantes[std::size_t(i)].frequence, attendu[i].x());
        QCOMPARE(t.composantes[std::size_t(i)].amplitude, double(float(attendu[i].y())));
    }
}

void TestAnalyse::tronconStable_data()
{
    QTest::addColumn<QList<float>>("niveaux"); // one a 10 ms block
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("debut");
    QTest::addColumn<double>("duree");

    auto niveaux = [](std::initializer_list<std::pair<int, float>> morceaux) {
        QList<float> l;
        for (auto [blocs, v] : morceaux)
            for (int i = 0; i < blocs; ++i)
                l << v;
        return l;
    };
    // Sounding from 0.1 to 1.6 s; over 50 ms, at −6 dB or more from 0.09 to 1.61 s: steady from
    // 0.19 to 1.51 s, whose middle half second is 0.6–1.1 s.
    QTest::newRow("held note") << niveaux({{10, 0.0f}, {150, 1.0f}, {40, 0.0f}}) << 2.0 << 0.6 << 0.5;
    // An attack peak over the sustain: at −6 dB or more over 50 ms from 0.01 s (the peak's
    // approach) to 1.29 s (two blocks before the sustain's last), steady from 0.11 to 1.19 s; its
    // middle starts at 0.40 s.
    QTest::newRow("attack peak, then sustain")
        << niveaux({{3, 0.3f}, {5, 1.0f}, {122, 0.6f}, {70, 0.05f}}) << 2.0 << 0.40 << 0.5;
    // Loud from 0.1 to 0.4 s, at −6 dB or more over 50 ms from 0.09 to 0.41 s: too short to be
    // steady, all of it.
    QTest::newRow("short note: the loud part itself")
        << niveaux({{10, 0.0f}, {30, 1.0f}, {60, 0.0f}}) << 1.0 << 0.09 << 0.32;
    QTest::newRow("silence: the first half second") << niveaux({{200, 0.0f}}) << 2.0 << 0.0 << 0.5;
    QTest::newRow("silence shorter than that") << niveaux({{20, 0.0f}}) << 0.2 << 0.0 << 0.2;
}

void TestAnalyse::tronconStable()
{
    QFETCH(QList<float>, niveaux);
    QFETCH(double, total);
    QFETCH(double, debut);
    QFETCH(double, duree);
    const Troncon t = Stable::Choisit(std::vector<float>(niveaux.begin(), niveaux.end()), total);
    QVERIFY2(std::abs(t.debut - debut) < 1e-9, qPrintable(QString::number(t.debut)));
    QVERIFY2(std::abs(t.duree - duree) < 1e-9, qPrintable(QString::number(t.duree)));
}

void TestAnalyse::niveauxParMorceaux()
{
    // Levels fed in uneven pieces, as a file is read, equal those of one pass.
    const auto x = Harmoniques(100.0, {0.5}, 8000.0, 0.333);
    Stable::Niveaux entier(8000.0), morceaux(8000.0);
    entier.ajoute(x.data(), x.size());
    for (std::size_t i = 0, pas = 1; i < x.size(); i += pas, pas = pas * 3 % 97 + 1)
        morceaux.ajoute(x.data() + i, std::min(pas, x.size() - i));
    const auto a = entier.termine(), b = morceaux.termine();
    // 33 whole blocks of 80 samples; the last 24 samples, under half a block, make none.
    QCOMPARE(a.size(), std::size_t(33));
    QCOMPARE(a, b);
    QVERIFY(std::abs(a[5] - 0.5f / std::sqrt(2.0f)) < 1e-3f);
}

QTEST_GUILESS_MAIN(TestAnalyse)
#include "tst_analyse.moc"
