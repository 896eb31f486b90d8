// The real player against a real sound server: run by audio_reel.test.sh, which starts a private
// PulseAudio with a null sink and names it in SONAVIRELLE_PULSE_SINK. What the sink plays is
// recorded from its monitor and checked by its content.

#include "audio/lecteurqt.h"
#include "model/composantes.h"
#include "synth/generateur.h"

#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int Frequence = 44100;

/// Amplitude of the sine at `f` in x[debut, fin), through a Hann window so that a strong
/// neighbour does not leak into a weak one.
double AmplitudeBloc(const std::vector<double> &x, size_t debut, size_t fin, double f)
{
    const double n = double(fin - debut);
    double re = 0.0, im = 0.0, poids = 0.0;
    for (size_t i = debut; i < fin; ++i) {
        const double k = double(i - debut);
        const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * k / (n - 1.0));
        const double phase = 2.0 * M_PI * f * k / Frequence;
        re += w * x[i] * std::cos(phase);
        im -= w * x[i] * std::sin(phase);
        poids += w;
    }
    return 2.0 * std::hypot(re, im) / poids;
}

/// Median of the amplitude at `f` over 100 ms blocks: one block caught on a change of sound
/// does not sway it.
double Amplitude(const std::vector<double> &x, double f)
{
    const size_t bloc = Frequence / 10;
    std::vector<double> a;
    for (size_t debut = 0; debut + bloc <= x.size(); debut += bloc)
        a.push_back(AmplitudeBloc(x, debut, debut + bloc, f));
    if (a.empty())
        return 0.0;
    std::nth_element(a.begin(), a.begin() + a.size() / 2, a.end());
    return a[a.size() / 2];
}

double Efficace(const std::vector<double> &x, size_t debut, size_t fin)
{
    double somme = 0.0;
    for (size_t i = debut; i < fin; ++i)
        somme += x[i] * x[i];
    return fin > debut ? std::sqrt(somme / double(fin - debut)) : 0.0;
}

/// Records `ms` milliseconds of what `puits` plays, mono 16-bit at 44100 Hz, while the event
/// loop keeps running (the player is fed from it). The first 100 ms are dropped: they hold
/// whatever the monitor had queued when the recorder attached.
std::vector<double> Enregistre(const QString &puits, int ms)
{
    QProcess parec;
    parec.start(QStringLiteral("parec"), {QStringLiteral("-d"), puits + QStringLiteral(".monitor"),
                                           QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                                           QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                                           QStringLiteral("--latency-msec=10")});
    if (!parec.waitForStarted(5000))
        return {};
    QByteArray octets;
    const qsizetype voulu = qsizetype(2) * Frequence * (ms + 100) / 1000;
    QElapsedTimer limite;
    limite.start();
    while (octets.size() < voulu && limite.elapsed() < ms + 5000) {
        QTest::qWait(10);
        octets += parec.readAllStandardOutput();
    }
    parec.kill();
    parec.waitForFinished(5000);
    std::vector<double> x;
    const qsizetype saut = qsizetype(2) * Frequence / 10;
    for (qsizetype i = saut; i + 1 < std::min(octets.size(), voulu); i += 2)
        x.push_back(qint16(quint8(octets[i]) | (quint8(octets[i + 1]) << 8)));
    return x;
}

QString Pactl(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("pactl"), arguments);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace

class TestAudioReel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void leSonJoueEnBoucle();
    void laNouvelleComposanteSEntend();
    void coupeSonLaisseLeSilence();
    void suitLaNouvelleSortieParDefaut();

private:
    bool attendJoue(QSignalSpy &espion);

    QString m_puits;
    std::unique_ptr<QTemporaryDir> m_dossier;
    Composantes m_table;
    std::unique_ptr<LecteurQt> m_lecteur;
    std::unique_ptr<Generateur> m_generateur;
    // An edit as the program commits it: the file written, then played when sound is on.
    bool genere()
    {
        const bool ecrit = m_generateur->GenereSon();
        if (ecrit && m_table.SonActif)
            m_lecteur->JoueSon();
        return ecrit;
    }
};

void TestAudioReel::initTestCase()
{
    m_puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    if (m_puits.isEmpty() || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the private sound server of audio_reel.test.sh (SONAVIRELLE_PULSE_SINK, PULSE_SERVER)");
    QCOMPARE(QMediaDevices::defaultAudioOutput().id(), m_puits.toUtf8());
}

void TestAudioReel::init()
{
    m_dossier = std::make_unique<QTemporaryDir>();
    // The default sound, as the main window makes it, with sound on.
    m_table = Composantes{};
    m_table.Frequence[1] = 440;
    m_table.Amplitude[1] = 10.0f;
    m_table.ProchaineComposante = 2;
    m_table.SonActif = true;
    m_lecteur = std::make_unique<LecteurQt>(m_dossier->filePath("test.wav"), m_dossier->filePath("silence.wav"));
    m_generateur = std::make_unique<Generateur>(m_table, m_lecteur->cheminTest());
}

void TestAudioReel::cleanup()
{
    m_generateur.reset();
    m_lecteur.reset();
    m_dossier.reset();
}

bool TestAudioReel::attendJoue(QSignalSpy &espion)
{
    return espion.count() > 0 || espion.wait(3000);
}

void TestAudioReel::leSonJoueEnBoucle()
{
    QSignalSpy joue(m_lecteur.get(), &LecteurQt::joue);
    QVERIFY(genere());
    QVERIFY(attendJoue(joue));
    QVERIFY(m_lecteur->enLecture());
    QCOMPARE(m_lecteur->peripherique().id(), m_puits.toUtf8());

    // The file is rewritten with another sound and sound off: the loop plays on from its own copy.
    m_table.SonActif = false;
    m_table.Frequence[1] = 660;
    QVERIFY(genere());

    const auto x = Enregistre(m_puits, 500);
    QVERIFY(x.size() > size_t(Frequence / 4));
    // 440 Hz at its written peak of 3270, and nothing comparable around it.
    const double a440 = Amplitude(x, 440);
    QVERIFY2(std::abs(a440 - 3270) < 3270 * 0.15, qPrintable(QString::number(a440)));
    for (double voisine : {330.0, 550.0, 660.0, 880.0, 1320.0})
        QVERIFY2(Amplitude(x, voisine) < a440 / 30, qPrintable(QString::number(voisine)));
    // No gap anywhere: every 10 ms holds the tone (its RMS is 3270 / √2).
    const size_t bloc = Frequence / 100;
    for (size_t debut = 0; debut + bloc <= x.size(); debut += bloc) {
        const double e = Efficace(x, debut, debut + bloc);
        QVERIFY2(e > 3270 / std::sqrt(2.0) * 0.7, qPrintable(QStringLiteral("%1 at sample %2").arg(e).arg(debut)));
    }
}

void TestAudioReel::laNouvelleComposanteSEntend()
{
    QSignalSpy joue(m_lecteur.get(), &LecteurQt::joue);
    QVERIFY(genere());
    QVERIFY(attendJoue(joue));
    const auto avant = Enregistre(m_puits, 300);
    QVERIFY(!avant.empty());
    QVERIFY(Amplitude(avant, 880) < Amplitude(avant, 440) / 30);

    // A harmonic at 880 Hz, amplitude 5: the fundamental's peak becomes 2180, the harmonic's 1090.
    joue.clear();
    m_table.Frequence[2] = 880;
    m_table.Amplitude[2] = 5.0f;
    m_table.ProchaineComposante = 3;
    QVERIFY(genere());
    QVERIFY(attendJoue(joue));
    const auto apres = Enregistre(m_puits, 400);
    QVERIFY(!apres.empty());
    const double a440 = Amplitude(apres, 440);
    const double a880 = Amplitude(apres, 880);
    QVERIFY2(std::abs(a440 - 2180) < 2180 * 0.15, qPrintable(QString::number(a440)));
    QVERIFY2(std::abs(a880 - 1090) < 1090 * 0.15, qPrintable(QString::number(a880)));
    QVERIFY(Amplitude(apres, 660) < a880 / 30);
}

void TestAudioReel::coupeSonLaisseLeSilence()
{
    QSignalSpy joue(m_lecteur.get(), &LecteurQt::joue);
    QVERIFY(genere());
    QVERIFY(attendJoue(joue));
    const auto pendant = Enregistre(m_puits, 200);
    QVERIFY(Efficace(pendant, 0, pendant.size()) > 1000);

    m_table.SonActif = false;
    m_lecteur->CoupeSon();
    QVERIFY(!m_lecteur->enLecture());
    // The file keeps being rewritten after the mute; nothing may start again.
    QVERIFY(genere());
    const auto apres = Enregistre(m_puits, 400);
    QVERIFY(apres.size() > size_t(Frequence / 4));
    const double e = Efficace(apres, 0, apres.size());
    QVERIFY2(e < 2.0, qPrintable(QString::number(e)));
    QVERIFY(!m_lecteur->enLecture());
}

void TestAudioReel::suitLaNouvelleSortieParDefaut()
{
    QSignalSpy joue(m_lecteur.get(), &LecteurQt::joue);
    QVERIFY(genere());
    QVERIFY(attendJoue(joue));

    const QString autre = m_puits + QStringLiteral("_autre");
    const QString module = Pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                  QStringLiteral("sink_name=") + autre, QStringLiteral("rate=44100")});
    QVERIFY2(!module.isEmpty(), "a second null sink could not be loaded");
    struct Retour
    {
        QString puits, module;
        ~Retour()
        {
            Pactl({QStringLiteral("set-default-sink"), puits});
            Pactl({QStringLiteral("unload-module"), module});
        }
    } retour{m_puits, module};

    // A new output appearing is no reason to restart: the default is still the same.
    QTest::qWait(3 * LecteurQt::VeilleMs);
    QCOMPARE(joue.count(), 1);

    joue.clear();
    Pactl({QStringLiteral("set-default-sink"), autre});
    QTRY_COMPARE_WITH_TIMEOUT(m_lecteur->peripherique().id(), autre.toUtf8(), 5000);
    QVERIFY(joue.count() > 0);
    QVERIFY(m_lecteur->enLecture());

    const auto nouvelle = Enregistre(autre, 300);
    QVERIFY(!nouvelle.empty());
    const double a440 = Amplitude(nouvelle, 440);
    QVERIFY2(std::abs(a440 - 3270) < 3270 * 0.15, qPrintable(QString::number(a440)));
    const auto ancienne = Enregistre(m_puits, 300);
    QVERIFY(Efficace(ancienne, 0, ancienne.size()) < 2.0);
}

QTEST_GUILESS_MAIN(TestAudioReel)
#include "tst_audio_reel.moc"
