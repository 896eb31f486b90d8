// The program under failures of its surroundings: no folder to write test.wav in, a full disk,
// no silence.wav, no sound server, the sound server killed while a loop plays. In each the
// program keeps running, the user's table is what the edits made it, test.wav is the last
// good file or the new one (never a torn one), and one line of the log says what failed.

#include "banc.h"
#include "ecoute.h"
#include "pilote.h"

#include "audio/lecteurqt.h"
#include "model/son.h"
#include "synth/emplacements.h"
#include "synth/generateur.h"
#include "ui/clavier.h"
#include "ui/contexte.h"
#include "ui/synthetiseur.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <csignal>
#include <memory>

#include <atomic>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// Calls that wait on the sound server would freeze the window. This bound only tells a call
// that returns from one that hangs; it says nothing of speed.
constexpr qint64 BlocageMs = 2000;

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A whole file of the program's format for fundamental f1: its sizes agree with its length and
// with ten periods of f1 (sample count worked out here, halves to even).
QString DefautFichier(const QByteArray &wav, int f1)
{
    const double n = std::nearbyint(441000.0 / f1);
    if (wav.size() != 44 + 2 * qsizetype(n))
        return QStringLiteral("%1 bytes, expected %2 for %3 Hz").arg(wav.size()).arg(44 + 2 * n).arg(f1);
    if (!wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt " || wav.mid(36, 4) != "data")
        return QStringLiteral("not a RIFF/WAVE header");
    if (qFromLittleEndian<quint32>(wav.constData() + 4) != quint32(wav.size() - 8)
        || qFromLittleEndian<quint32>(wav.constData() + 40) != quint32(wav.size() - 44))
        return QStringLiteral("header sizes disagree with the file");
    return {};
}

// What a healthy folder gets for the same table: the file written under a failure must be this one.
QByteArray FichierSain(const Son &table)
{
    QTemporaryDir dossier;
    Son copie = table;
    copie.SonActif = false;
    Generateur g(copie, dossier.filePath(QStringLiteral("test.wav")));
    return g.GenereSon() ? Lis(g.chemin()) : QByteArray();
}

// The samples of that file, made in memory: for checks where the disk itself is full.
QByteArray SonSain(const Son &table)
{
    Son copie = table;
    Synthese::Plan plan;
    return Synthese::Prepare(copie, plan) ? Synthese::FichierComplet(plan).mid(Synthese::TailleEnTete) : QByteArray();
}

// Every message of the run, passed on to Qt Test so that ignoreMessage() still applies.
struct Messages
{
    static inline QStringList recus;
    static inline QtMessageHandler precedent = nullptr;

    Messages()
    {
        recus.clear();
        precedent = qInstallMessageHandler(&Capte);
    }
    ~Messages() { qInstallMessageHandler(precedent); }

    static void Capte(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
    {
        recus << message;
        if (precedent)
            precedent(type, contexte, message);
    }
    static int nombre(const QString &motif) { return int(recus.filter(QRegularExpression(motif)).size()); }
};

// A folder that cannot exist: its parent is a regular file. Creating anything under it fails
// for every user, root included.
QString DossierImpossible(const QTemporaryDir &racine, const char *nom)
{
    const QString fichier = racine.filePath(QStringLiteral("fichier-%1").arg(QLatin1String(nom)));
    QFile f(fichier);
    if (f.open(QIODevice::WriteOnly))
        f.write("pas un dossier");
    return fichier + QStringLiteral("/dossier");
}

// The file-size limit of the process: writes past it fail with EFBIG instead of killing it.
struct DisquePlein
{
    rlimit ancienne{};
    void (*ancienSignal)(int) = nullptr;

    explicit DisquePlein(rlim_t octets)
    {
        getrlimit(RLIMIT_FSIZE, &ancienne);
        ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit petite = ancienne;
        petite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &petite);
    }
    ~DisquePlein()
    {
        setrlimit(RLIMIT_FSIZE, &ancienne);
        std::signal(SIGXFSZ, ancienSignal);
    }
};

// XDG_DATA_HOME set for one test, the per-user folder of the program under it.
struct DonneesPerso
{
    QByteArray ancienne = qgetenv("XDG_DATA_HOME");
    bool definie = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    explicit DonneesPerso(const QString &dossier) { qputenv("XDG_DATA_HOME", QFile::encodeName(dossier)); }
    ~DonneesPerso()
    {
        if (definie)
            qputenv("XDG_DATA_HOME", ancienne);
        else
            qunsetenv("XDG_DATA_HOME");
    }
};

// The program as main() builds it, on chosen folders, with the real player or a recording one.
struct Programme
{
    Emplacements emplacements;
    std::unique_ptr<Lecture> lecteur;
    std::unique_ptr<Edition> edition;
    std::unique_ptr<Contexte> contexte;
    std::unique_ptr<Synthetiseur> fenetre;

    Programme(const Emplacements &e, bool lecteurReel) : emplacements(e)
    {
        if (lecteurReel) {
            lecteur = std::make_unique<LecteurQt>();
        } else {
            auto espion = std::make_unique<LectureEspion>();
            espion->cheminTest = e.test();
            lecteur = std::move(espion);
        }
        edition = std::make_unique<Edition>(*lecteur, e.test());
        contexte = std::make_unique<Contexte>(Contexte{*edition});
        fenetre = std::make_unique<Synthetiseur>(*contexte);
    }
    ~Programme()
    {
        if (fenetre)
            delete fenetre->clavier();
        fenetre.reset();
    }

    const Son &table() const { return edition->son(); }
    LectureEspion &espion() const { return static_cast<LectureEspion &>(*lecteur); }
    LecteurQt &lecteurQt() const { return static_cast<LecteurQt &>(*lecteur); }
    QByteArray wav() const { return Lis(emplacements.test()); }
};

// Runs `action` and fails the test when it did not return within BlocageMs.
#define SANS_BLOCAGE(action)                                                                                           \
    do {                                                                                                               \
        QElapsedTimer chrono_;                                                                                         \
        chrono_.start();                                                                                               \
        action;                                                                                                        \
        QVERIFY2(chrono_.elapsed() < BlocageMs,                                                                        \
                 qPrintable(QStringLiteral(#action " blocked for %1 ms").arg(chrono_.elapsed())));                     \
    } while (false)

// A sound server started by the test from a saved command line, with the silence player that
// keeps its null sink's clock steady; both stopped by their own PIDs.
struct ServeurRelance
{
    QProcess serveur;
    QProcess entretien;
    QElapsedTimer pret; ///< started when the server first answers

    ~ServeurRelance()
    {
        for (QProcess *p : {&entretien, &serveur}) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    /// Starts `ligne` and waits until the server answers; false when it does not within 10 s.
    bool demarre(const QStringList &ligne, const QString &puits)
    {
        serveur.setProgram(ligne.first());
        serveur.setArguments(ligne.mid(1));
        serveur.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        serveur.start();
        if (!serveur.waitForStarted(5000))
            return false;
        QElapsedTimer limite;
        limite.start();
        while (limite.elapsed() < 10000) {
            QProcess info;
            info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
            if (info.waitForFinished(2000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0) {
                pret.start();
                entretien.setStandardInputFile(QStringLiteral("/dev/zero"));
                entretien.start(QStringLiteral("pacat"),
                                {QStringLiteral("--playback"), QStringLiteral("--raw"),
                                 QStringLiteral("--latency-msec=20"), QStringLiteral("-d"), puits});
                return true;
            }
            QTest::qWait(20);
        }
        return false;
    }
};

// The server's command line, from /proc while it runs or from the file the shell script saved.
QStringList LigneServeur(const QString &source)
{
    QFile commande(source);
    QStringList ligne;
    if (!commande.open(QIODevice::ReadOnly))
        return ligne;
    for (const QByteArray &a : commande.readAll().split('\0'))
        if (!a.isEmpty())
            ligne << QString::fromLocal8Bit(a);
    return ligne;
}

} // namespace

class TestPannes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dossierApplicationInterdit_data();
    void dossierApplicationInterdit();
    void aucunDossierInscriptible();
    void disquePlein();
    void silenceAbsent();
    void sansServeurDeSon();
    void serveurFige();
    void serveurTueEnPleineBoucle();
    void serveurRevient_data();
    void serveurRevient();
    void serveurAbsentAuDemarrage();

private:
    QTemporaryDir m_reglages;
};

void TestPannes::initTestCase()
{
    // In the killed-server mode the shell script names a live server; otherwise nothing may
    // answer: an address where nobody listens (explicit, so no server is spawned either).
    if (qEnvironmentVariableIsEmpty("SONAVIRELLE_PANNES_PID"))
        qputenv("PULSE_SERVER", "unix:/nonexistent/sonavirelle-pannes");
    // The listening volume starts at the file's level, whatever the user keeps in their settings.
    QVERIFY(m_reglages.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_reglages.path());
}

void TestPannes::dossierApplicationInterdit_data()
{
    QTest::addColumn<QString>("comment");
    QTest::newRow("folder without write permission") << "permissions";
    QTest::newRow("folder under a regular file") << "impossible";
}

void TestPannes::dossierApplicationInterdit()
{
    QFETCH(QString, comment);
    QTemporaryDir racine;
    QString application;
    if (comment == "permissions") {
        application = racine.filePath(QStringLiteral("application"));
        QVERIFY(QDir().mkpath(application));
        QFile::setPermissions(application, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile essai(application + QStringLiteral("/essai"));
        if (essai.open(QIODevice::WriteOnly)) {
            essai.remove();
            QSKIP("running with privileges that ignore folder permissions (the other row covers it)");
        }
    } else {
        application = DossierImpossible(racine, "application");
    }
    DonneesPerso perso(racine.filePath(QStringLiteral("donnees")));

    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("is not writable, test.wav goes to .*donnees")));
    const Emplacements e = Emplacements::Choisis(application);
    QVERIFY(e.dossierSon.startsWith(racine.filePath(QStringLiteral("donnees"))));

    {
        Messages messages;
        Programme p(e, false);
        // The start-up wrote the default sound in the per-user folder, nothing beside the program.
        QCOMPARE(p.table().Frequence[1], std::int16_t(440));
        QCOMPARE(DefautFichier(p.wav(), 440), QString());
        QCOMPARE(p.wav(), FichierSain(p.table()));
        QVERIFY(!QFile::exists(application + QStringLiteral("/test.wav")));

        // Editing and playing work as anywhere else.
        Pilote::Clique(p.fenetre, "Play");
        Pilote::RelacheSpectre(p.fenetre, 1, 880, 5);
        QCOMPARE(p.table().ProchaineComposante, std::int16_t(3));
        QCOMPARE(p.wav(), FichierSain(p.table()));
        QCOMPARE(p.espion().journal.last(), QStringLiteral("joue"));
        QCOMPARE(Messages::nombre(QStringLiteral("not written")), 0);
    }
    QFile::setPermissions(application, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestPannes::aucunDossierInscriptible()
{
    QTemporaryDir racine;
    const QString application = DossierImpossible(racine, "application");
    DonneesPerso perso(DossierImpossible(racine, "donnees"));

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("neither .* nor a per-user folder is writable")));
    const Emplacements e = Emplacements::Choisis(application);

    // Each synthesis says once that test.wav was not written: the start-up, then three edits.
    for (int i = 0; i < 4; ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("test.wav not written")));
    Messages messages;
    Programme p(e, false);
    QCOMPARE(p.table().Frequence[1], std::int16_t(440));
    QCOMPARE(p.table().ProchaineComposante, std::int16_t(2));

    Pilote::Clique(p.fenetre, "Play");
    QStringList &journal = p.espion().journal;
    const auto joues = journal.count(QStringLiteral("joue"));
    Pilote::RelacheSpectre(p.fenetre, 1, 880, 5);
    Pilote::RelacheSpectre(p.fenetre, 1, 1320, 2);
    Pilote::RelacheSpectre(p.fenetre, 2, 0, 0);
    // The table is the edits' own, and so is what is heard: the samples go to the player even
    // though no file can be written.
    QCOMPARE(p.table().ProchaineComposante, std::int16_t(3));
    QCOMPARE(p.table().Frequence[2], std::int16_t(880));
    QCOMPARE(p.table().Amplitude[2], 5.0f);
    QCOMPARE(p.table().Amplitude[3], 0.0f);
    QCOMPARE(journal.count(QStringLiteral("joue")), joues + 3);
    QCOMPARE(p.espion().sonJoue, SonSain(p.table()));
    QVERIFY(!QFile::exists(e.test()));
    QCOMPARE(Messages::nombre(QStringLiteral("^sonavirelle: ")), 4);
}

void TestPannes::disquePlein()
{
    Banc banc;
    Synthetiseur w(banc.contexte);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Pilote::RelacheSpectre(&w, 1, 880, 5);
    Pilote::Clique(&w, "Play");
    const QByteArray bon = banc.wav();
    QCOMPARE(DefautFichier(bon, 440), QString());
    QStringList &journal = banc.lecture.journal;
    journal.clear();

    {
        // 3000 bytes: a file for 440 Hz (2048) or 880 Hz (1046) fits, one for 220 Hz (4054) does not.
        DisquePlein plein(3000);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("test.wav not written: .+")));
        Pilote::GlisseFondamental(&w, 220.0f, 5, 2);
        Pilote::LacheFondamental(&w);
        // The edit stands and is heard; the previous file stays whole.
        QCOMPARE(banc.table.Frequence[1], std::int16_t(220));
        QCOMPARE(banc.table.Frequence[2], std::int16_t(440));
        QCOMPARE(banc.wav(), bon);
        QCOMPARE(journal, QStringList{QStringLiteral("joue")});
        QCOMPARE(banc.lecture.sonJoue, SonSain(banc.table));

        // A sound that fits is written and played while the disk stays full.
        Pilote::GlisseFondamental(&w, 880.0f, 5, 2);
        Pilote::LacheFondamental(&w);
        QCOMPARE(DefautFichier(banc.wav(), 880), QString());
        QCOMPARE(banc.wav(), FichierSain(banc.table));
        QCOMPARE(journal, (QStringList{QStringLiteral("joue"), QStringLiteral("joue")}));
        QCOMPARE(banc.lecture.sonJoue, banc.wav().mid(44));
    }
    // Room again: the sound that did not fit is written whole.
    Pilote::GlisseFondamental(&w, 220.0f, 5, 2);
    Pilote::LacheFondamental(&w);
    QCOMPARE(DefautFichier(banc.wav(), 220), QString());
    QCOMPARE(banc.wav(), FichierSain(banc.table));
    QCOMPARE(QDir(banc.dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("test.wav")});
}

void TestPannes::silenceAbsent()
{
    QTemporaryDir application;
    QVERIFY(!QFile::exists(application.filePath(QStringLiteral("silence.wav"))));
    const Emplacements e = Emplacements::Choisis(application.path());
    QTest::failOnWarning(QRegularExpression(QStringLiteral("silence")));
    Messages messages;

    Programme p(e, true);
    // Play, then Mute: whatever the output, nothing of the loop is left and nothing failed
    // for want of silence.wav.
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "Play"));
    QTest::qWait(50);
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "TaGueule"));
    QVERIFY(!p.lecteurQt().enLecture());
    QTest::qWait(2 * LecteurQt::VeilleMs);
    QVERIFY(!p.lecteurQt().enLecture());
    QCOMPARE(p.wav(), FichierSain(p.table()));
    QCOMPARE(Messages::nombre(QStringLiteral("silence")), 0);
}

void TestPannes::sansServeurDeSon()
{
    if (!qEnvironmentVariableIsEmpty("SONAVIRELLE_PANNES_PID"))
        QSKIP("a live sound server was given");
    QTemporaryDir application;
    const Emplacements e = Emplacements::Choisis(application.path());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^sonavirelle: no sound \\(.+\\)")));
    Messages messages;
    Programme p(e, true);
    p.fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.fenetre.get()));
    // Said in the window from the start, before any sound is asked for.
    auto *avis = p.fenetre->findChild<QLabel *>(QStringLiteral("AvisSon"));
    QVERIFY(avis);
    QTRY_VERIFY_WITH_TIMEOUT(avis->isVisible(), 5000);
    QCOMPARE(avis->text(), QString::fromUtf8("Aucune sortie son"));

    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "Play"));
    QVERIFY(p.table().SonActif);
    QTRY_COMPARE_WITH_TIMEOUT(Messages::nombre(QStringLiteral("no sound")), 1, 5000);
    // The sound command does not pretend: "Ecouter" stays, the notice says the sound waits.
    QVERIFY(!p.fenetre->findChild<QWidget *>(QStringLiteral("Play"))->isHidden());
    QVERIFY(p.fenetre->findChild<QWidget *>(QStringLiteral("TaGueule"))->isHidden());
    QVERIFY(avis->isVisible());
    QVERIFY(avis->text().startsWith(QString::fromUtf8("Aucune sortie son : le son partira")));

    // The window goes on: edits with sound on write their files, the switch still switches.
    SANS_BLOCAGE(Pilote::RelacheSpectre(p.fenetre, 1, 880, 5));
    Pilote::Clique(p.fenetre, "Picture6");
    QPushButton *la = p.fenetre->clavier()->touche(21);
    SANS_BLOCAGE(QTest::mousePress(la, Qt::LeftButton));
    QTest::mouseRelease(la, Qt::LeftButton);
    QCOMPARE(p.table().Frequence[1], std::int16_t(443));
    QCOMPARE(p.table().Frequence[2], std::int16_t(886));
    QCOMPARE(DefautFichier(p.wav(), 443), QString());
    QCOMPARE(p.wav(), FichierSain(p.table()));
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "TaGueule"));
    QVERIFY(!p.table().SonActif);
    QVERIFY(!p.fenetre->findChild<QWidget *>(QStringLiteral("Play"))->isHidden());
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "Play"));
    QTest::qWait(3 * LecteurQt::VeilleMs);
    QVERIFY(!p.lecteurQt().enLecture());
    // Said once for the whole run, not at every edit.
    QCOMPARE(Messages::nombre(QStringLiteral("no sound")), 1);
}

// Run by pannes_son.test.sh, which starts a private sound server and names its process.
void TestPannes::serveurFige()
{
    const qint64 pid = qEnvironmentVariable("SONAVIRELLE_PANNES_PID").toLongLong();
    const QString puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    if (pid <= 0 || puits.isEmpty() || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the private sound server of pannes_son.test.sh (SONAVIRELLE_PANNES_PID, PULSE_SERVER)");
    QTemporaryDir application;
    const Emplacements e = Emplacements::Choisis(application.path());
    Programme p(e, true);
    p.fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.fenetre.get()));
    QSignalSpy joue(&p.lecteurQt(), &LecteurQt::joue);
    Pilote::Clique(p.fenetre, "Play");
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 5000);

    // The server stops answering (as a stalled or swapped-out server does). Should a handler wait
    // for it, this thread lets it go on after a while, so the test fails instead of hanging.
    QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
    std::atomic<bool> fini{false};
    std::thread secours([&] {
        for (int i = 0; i < 200 && !fini; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ::kill(pid_t(pid), SIGCONT);
    });
    qint64 pire = 0;
    auto mesure = [&pire](auto action) {
        QElapsedTimer chrono;
        chrono.start();
        action();
        pire = std::max(pire, chrono.elapsed());
    };
    mesure([&] { Pilote::Clique(p.fenetre, "TaGueule"); });
    mesure([&] { Pilote::Clique(p.fenetre, "Play"); });
    mesure([&] { Pilote::RelacheSpectre(p.fenetre, 1, 880, 5); });
    mesure([&] { Pilote::RelacheSpectre(p.fenetre, 1, 1320, 6); });
    // The window goes on answering while the server is stopped: its event loop is never held.
    QElapsedTimer chrono;
    chrono.start();
    qint64 precedent = 0;
    while (chrono.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pire = std::max(pire, chrono.elapsed() - precedent);
        precedent = chrono.elapsed();
    }
    fini = true;
    secours.join();
    QVERIFY2(pire < BlocageMs, qPrintable(QStringLiteral("the window was held %1 ms by a stopped server").arg(pire)));

    // The server comes back: the newest sound (440 Hz with 880 and 1320 Hz) is heard.
    QTRY_VERIFY_WITH_TIMEOUT(p.lecteurQt().enLecture(), 10000);
    const auto x = Enregistre(puits, 400);
    QVERIFY(x.size() > size_t(Frequence / 4));
    QVERIFY2(Amplitude(x, 1320) > 500, qPrintable(QString::number(Amplitude(x, 1320))));
    QVERIFY2(Amplitude(x, 880) > 500, qPrintable(QString::number(Amplitude(x, 880))));
    Pilote::Clique(p.fenetre, "TaGueule");
}

void TestPannes::serveurTueEnPleineBoucle()
{
    const qint64 pid = qEnvironmentVariable("SONAVIRELLE_PANNES_PID").toLongLong();
    if (pid <= 0 || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the private sound server of pannes_son.test.sh (SONAVIRELLE_PANNES_PID, PULSE_SERVER)");
    QTemporaryDir application;
    const Emplacements e = Emplacements::Choisis(application.path());
    Messages messages;
    Programme p(e, true);
    p.fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.fenetre.get()));
    QSignalSpy joue(&p.lecteurQt(), &LecteurQt::joue);

    Pilote::Clique(p.fenetre, "Play");
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 5000);
    QVERIFY(p.lecteurQt().enLecture());
    QTest::qWait(200); // the loop runs
    auto *avis = p.fenetre->findChild<QLabel *>(QStringLiteral("AvisSon"));
    QVERIFY(avis && !avis->isVisible());
    QVERIFY(!p.fenetre->findChild<QWidget *>(QStringLiteral("TaGueule"))->isHidden());

    // How the server was started, to start it again later.
    QFile commande(QStringLiteral("/proc/%1/cmdline").arg(pid));
    QVERIFY(commande.open(QIODevice::ReadOnly));
    QStringList ligneServeur;
    for (const QByteArray &a : commande.readAll().split('\0'))
        if (!a.isEmpty())
            ligneServeur << QString::fromLocal8Bit(a);
    QVERIFY(!ligneServeur.isEmpty());

    QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
    // The loss is noticed and said, in the log and in the window; the loop stops feeding a dead
    // output and the sound command no longer says "Silence !".
    QTRY_VERIFY_WITH_TIMEOUT(Messages::nombre(QStringLiteral("^sonavirelle: no sound \\(.+\\)")) == 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!p.lecteurQt().enLecture(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(avis->isVisible(), 5000);
    QVERIFY(!p.lecteurQt().sortieDisponible());
    QVERIFY(p.fenetre->findChild<QWidget *>(QStringLiteral("TaGueule"))->isHidden());
    QVERIFY(!p.fenetre->findChild<QWidget *>(QStringLiteral("Play"))->isHidden());

    // The program keeps working: edits with sound on, the switch, the keyboard.
    SANS_BLOCAGE(Pilote::RelacheSpectre(p.fenetre, 1, 880, 5));
    QTest::qWait(100);
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "TaGueule"));
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "Play"));
    Pilote::Clique(p.fenetre, "Picture6");
    QPushButton *touche = p.fenetre->clavier()->touche(12);
    SANS_BLOCAGE(QTest::mousePress(touche, Qt::RightButton));
    QTest::mouseRelease(touche, Qt::RightButton);
    QTest::qWait(3 * LecteurQt::VeilleMs);
    SANS_BLOCAGE(Pilote::RelacheSpectre(p.fenetre, 2, 0, 0));
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "TaGueule"));
    QCOMPARE(p.table().Frequence[1], std::int16_t(264));
    QCOMPARE(p.table().ProchaineComposante, std::int16_t(2));
    QCOMPARE(DefautFichier(p.wav(), 264), QString());
    QCOMPARE(p.wav(), FichierSain(p.table()));
    QVERIFY(!p.lecteurQt().enLecture());
    QCOMPARE(Messages::nombre(QStringLiteral("no sound")), 1);
    // Sound off, the server still dead: the notice stays.
    QVERIFY(avis->isVisible());

    // The same server comes back (same socket, same sink), started here and stopped here by its
    // own PID: the notice goes, and "Ecouter" plays again.
    QProcess serveur;
    serveur.setProgram(ligneServeur.first());
    serveur.setArguments(ligneServeur.mid(1));
    serveur.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    serveur.start();
    QVERIFY(serveur.waitForStarted(5000));
    struct Arret
    {
        QProcess &p;
        ~Arret()
        {
            p.kill();
            p.waitForFinished(5000);
        }
    } arret{serveur};
    QTRY_VERIFY_WITH_TIMEOUT(!avis->isVisible(), 15000);
    QVERIFY(p.lecteurQt().sortieDisponible());
    joue.clear();
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "Play"));
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 5000);
    QVERIFY(p.lecteurQt().enLecture());
    QVERIFY(!p.fenetre->findChild<QWidget *>(QStringLiteral("TaGueule"))->isHidden());
    Pilote::Clique(p.fenetre, "TaGueule");
}

// The server is killed while the loop plays and comes back after a short and a long outage. The
// wish to play is kept all along: without any new press the loop starts again within 2 s of the
// server answering, and the sink plays it.
void TestPannes::serveurRevient_data()
{
    QTest::addColumn<int>("absenceMs");
    QTest::newRow("5s") << 5000;
    // Long enough for every retry of Qt's own sound service to have given up.
    QTest::newRow("30s") << 30000;
}

void TestPannes::serveurRevient()
{
    QFETCH(int, absenceMs);
    const qint64 pid = qEnvironmentVariable("SONAVIRELLE_PANNES_PID").toLongLong();
    const QString puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    if (pid <= 0 || puits.isEmpty() || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the private sound server of pannes_son.test.sh (SONAVIRELLE_PANNES_PID, PULSE_SERVER)");
    const QStringList ligne = LigneServeur(QStringLiteral("/proc/%1/cmdline").arg(pid));
    QVERIFY(!ligne.isEmpty());
    QTemporaryDir application;
    Programme p(Emplacements::Choisis(application.path()), true);
    p.fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.fenetre.get()));
    QSignalSpy joue(&p.lecteurQt(), &LecteurQt::joue);
    Pilote::Clique(p.fenetre, "Play");
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 5000);
    auto *avis = p.fenetre->findChild<QLabel *>(QStringLiteral("AvisSon"));
    QVERIFY(avis);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^sonavirelle: no sound \\(.+\\)")));
    QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!p.lecteurQt().enLecture(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(avis->isVisible(), 5000);
    // The notice stays for the whole outage.
    QElapsedTimer absence;
    absence.start();
    while (absence.elapsed() < absenceMs) {
        QTest::qWait(100);
        QVERIFY2(avis->isVisible(),
                 qPrintable(QStringLiteral("notice gone %1 ms into the outage").arg(absence.elapsed())));
    }
    QVERIFY(p.table().SonActif);

    ServeurRelance serveur;
    QVERIFY(serveur.demarre(ligne, puits));
    QTRY_VERIFY_WITH_TIMEOUT(p.lecteurQt().enLecture(), 10000);
    QVERIFY2(serveur.pret.elapsed() <= 2000,
             qPrintable(QStringLiteral("the loop came back %1 ms after the server").arg(serveur.pret.elapsed())));
    QVERIFY(!avis->isVisible());
    const auto x = Enregistre(puits, 400);
    QVERIFY(x.size() > size_t(Frequence / 4));
    QVERIFY2(Amplitude(x, 440) > 1000, qPrintable(QString::number(Amplitude(x, 440))));
    Pilote::Clique(p.fenetre, "TaGueule");
}

// No server when the program starts; "Ecouter" is pressed; then a server starts: the loop is heard
// within 2 s of it answering.
void TestPannes::serveurAbsentAuDemarrage()
{
    const QString fichier = qEnvironmentVariable("SONAVIRELLE_PANNES_LIGNE");
    const QString puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    if (fichier.isEmpty() || puits.isEmpty() || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the server command line saved by pannes_son.test.sh (SONAVIRELLE_PANNES_LIGNE, PULSE_SERVER)");
    const QStringList ligne = LigneServeur(fichier);
    QVERIFY(!ligne.isEmpty());
    QTemporaryDir application;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^sonavirelle: no sound \\(.+\\)")));
    Programme p(Emplacements::Choisis(application.path()), true);
    p.fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.fenetre.get()));
    auto *avis = p.fenetre->findChild<QLabel *>(QStringLiteral("AvisSon"));
    QVERIFY(avis);
    QTRY_VERIFY_WITH_TIMEOUT(avis->isVisible(), 5000);
    SANS_BLOCAGE(Pilote::Clique(p.fenetre, "Play"));
    QTest::qWait(1500);
    QVERIFY(avis->isVisible());
    QVERIFY(!p.lecteurQt().enLecture());

    ServeurRelance serveur;
    QVERIFY(serveur.demarre(ligne, puits));
    QTRY_VERIFY_WITH_TIMEOUT(p.lecteurQt().enLecture(), 10000);
    QVERIFY2(serveur.pret.elapsed() <= 2000,
             qPrintable(QStringLiteral("the loop started %1 ms after the server").arg(serveur.pret.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(!avis->isVisible(), 2000);
    const auto x = Enregistre(puits, 400);
    QVERIFY(x.size() > size_t(Frequence / 4));
    QVERIFY2(Amplitude(x, 440) > 1000, qPrintable(QString::number(Amplitude(x, 440))));
    Pilote::Clique(p.fenetre, "TaGueule");
}

QTEST_MAIN(TestPannes)
#include "tst_pannes.moc"
