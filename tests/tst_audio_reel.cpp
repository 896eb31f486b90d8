// The real player against a real sound server: run by audio_reel.test.sh, which starts a private
// PulseAudio with a null sink and names it in SONAVIRELLE_PULSE_SINK. What the sink plays is
// recorded from its monitor and checked by its content.

#include "ecoute.h"

#include "audio/lecteurqt.h"
#include "model/son.h"
#include "synth/generateur.h"

#include <QFile>
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
    void deuxProgrammesDansUnDossier();
    void leVolumeSAppliqueEnCoursDeBoucle();

private:
    bool attendJoue(QSignalSpy &espion);

    QString m_puits;
    std::unique_ptr<QTemporaryDir> m_dossier;
    Son m_table;
    std::unique_ptr<LecteurQt> m_lecteur;
    std::unique_ptr<Generateur> m_generateur;
    // An edit as the program commits it: the file written, the samples handed to the player,
    // played when sound is on.
    bool genere() { return Genere(*m_generateur, *m_lecteur, m_table.SonActif); }
    static bool Genere(Generateur &g, LecteurQt &l, bool sonActif)
    {
        const bool ecrit = g.GenereSon();
        if (g.sonNeuf()) {
            l.FixeSon(g.echantillons());
            if (sonActif)
                l.JoueSon();
        }
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
    m_table = Son{};
    m_table.Frequence[1] = 440;
    m_table.Amplitude[1] = 10.0f;
    m_table.ProchaineComposante = 2;
    m_table.SonActif = true;
    m_lecteur = std::make_unique<LecteurQt>();
    m_generateur = std::make_unique<Generateur>(m_table, m_dossier->filePath("test.wav"));
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
    // The new output is in use as soon as it is opened; joue() crosses from the player thread
    // after the first slice is written.
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 2000);
    QVERIFY(m_lecteur->enLecture());

    const auto nouvelle = Enregistre(autre, 300);
    QVERIFY(!nouvelle.empty());
    const double a440 = Amplitude(nouvelle, 440);
    QVERIFY2(std::abs(a440 - 3270) < 3270 * 0.15, qPrintable(QString::number(a440)));
    const auto ancienne = Enregistre(m_puits, 300);
    QVERIFY(Efficace(ancienne, 0, ancienne.size()) < 2.0);
}

void TestAudioReel::deuxProgrammesDansUnDossier()
{
    // A second program started in the same folder rewrites the same test.wav with its own sound:
    // each one still plays the table it shows.
    Son autreTable;
    autreTable.Frequence[1] = 660;
    autreTable.Amplitude[1] = 10.0f;
    autreTable.ProchaineComposante = 2;
    LecteurQt autreLecteur;
    Generateur autre(autreTable, m_generateur->chemin());

    m_table.SonActif = false;
    QVERIFY(genere());
    QVERIFY(Genere(autre, autreLecteur, false)); // the file on disk is now the 660 Hz one
    QSignalSpy joue(m_lecteur.get(), &LecteurQt::joue);
    m_lecteur->JoueSon();
    QVERIFY(attendJoue(joue));
    const auto premier = Enregistre(m_puits, 300);
    QVERIFY(!premier.empty());
    const double a440 = Amplitude(premier, 440);
    QVERIFY2(std::abs(a440 - 3270) < 3270 * 0.15, qPrintable(QString::number(a440)));
    QVERIFY(Amplitude(premier, 660) < a440 / 30);

    m_lecteur->CoupeSon();
    QVERIFY(genere()); // and now the file is the 440 Hz one again
    QSignalSpy joueAutre(&autreLecteur, &LecteurQt::joue);
    autreLecteur.JoueSon();
    QVERIFY(attendJoue(joueAutre));
    const auto second = Enregistre(m_puits, 300);
    QVERIFY(!second.empty());
    const double a660 = Amplitude(second, 660);
    QVERIFY2(std::abs(a660 - 3270) < 3270 * 0.15, qPrintable(QString::number(a660)));
    QVERIFY(Amplitude(second, 440) < a660 / 30);
    autreLecteur.CoupeSon();
}

void TestAudioReel::leVolumeSAppliqueEnCoursDeBoucle()
{
    QSignalSpy joue(m_lecteur.get(), &LecteurQt::joue);
    QVERIFY(genere());
    QVERIFY(attendJoue(joue));
    const QByteArray fichier = [this] {
        QFile f(m_generateur->chemin());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    // +6 dB: the loop goes on (no restart) twice as loud; test.wav is untouched.
    m_lecteur->FixeVolume(20 * std::log10(2.0));
    QTest::qWait(200);
    const auto double_ = Enregistre(m_puits, 300);
    QVERIFY(!double_.empty());
    const double a = Amplitude(double_, 440);
    QVERIFY2(std::abs(a - 6540) < 6540 * 0.15, qPrintable(QString::number(a)));
    QCOMPARE(joue.count(), 1);

    // Silence, then back to the file's level.
    m_lecteur->FixeVolume(-100);
    QTest::qWait(200);
    const auto muet = Enregistre(m_puits, 300);
    QVERIFY(Efficace(muet, 0, muet.size()) < 2.0);
    m_lecteur->FixeVolume(0);
    QTest::qWait(200);
    const auto normal = Enregistre(m_puits, 300);
    QVERIFY2(std::abs(Amplitude(normal, 440) - 3270) < 3270 * 0.15,
             qPrintable(QString::number(Amplitude(normal, 440))));
    QFile f(m_generateur->chemin());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), fichier);
}

QTEST_GUILESS_MAIN(TestAudioReel)
#include "tst_audio_reel.moc"
