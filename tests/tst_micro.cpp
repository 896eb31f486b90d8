// The microphone with a real sound server (run by micro.test.sh): the only input is a pipe source
// fed with a 220 Hz sawtooth (peak 0.5, harmonic k at 1/k of the first). The tests load and
// unload that source themselves. What they check: the live pitch in the spectrum's description,
// the recording rebuilt into the sawtooth's table with its measured layer (held against numpy)
// and heard as the original, test.wav and the table untouched by live listening, the notice
// without input and the recovery, the refusal of a recording cut short, and a long live run that
// neither freezes the window nor grows its memory.

#include "ecoute.h"

#include "audio/lecteurqt.h"
#include "plot/surface.h"
#include "session/edition.h"
#include "synth/emplacements.h"
#include "ui/contexte.h"
#include "ui/menumicro.h"
#include "ui/menutimbres.h"
#include "ui/synthetiseur.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QtEndian>

#include <cmath>
#include <memory>

#include <unistd.h>

namespace {

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Pactl(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("pactl"), arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The pipe source the feeder writes to; returns the module's index.
QString ChargeSource()
{
    return Pactl({QStringLiteral("load-module"), QStringLiteral("module-pipe-source"),
                  QStringLiteral("source_name=sonavirelle_micro"),
                  QStringLiteral("file=") + qEnvironmentVariable("SONAVIRELLE_MICRO_FIFO"),
                  QStringLiteral("format=s16le"), QStringLiteral("rate=44100"), QStringLiteral("channels=1")});
}

// The fed sound's harmonics by numpy (micro_harmoniques.py): (hertz, peak amplitude), k = 1 first.
QList<QPointF> Harmoniques(int nombre)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/tests/micro_harmoniques.py"),
             qEnvironmentVariable("SONAVIRELLE_MICRO_BRUT"), QStringLiteral("3"), QString::number(nombre)});
    p.waitForFinished(30000);
    QList<QPointF> h;
    for (const QByteArray &ligne : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> champs = ligne.split(' ');
        if (champs.size() == 3)
            h.append(QPointF(champs[1].toDouble(), champs[2].toDouble()));
    }
    return h;
}

long RssKo()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> champs = f.readAll().split(' ');
    return champs.size() > 1 ? champs[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

struct Programme
{
    QTemporaryDir dossier;
    LecteurQt lecteur;
    std::unique_ptr<Edition> edition;
    std::unique_ptr<Contexte> contexte;
    std::unique_ptr<Synthetiseur> fenetre;

    Programme()
    {
        edition = std::make_unique<Edition>(lecteur, dossier.filePath(QStringLiteral("test.wav")));
        contexte = std::make_unique<Contexte>(Contexte{*edition});
        fenetre = std::make_unique<Synthetiseur>(*contexte);
        fenetre->show();
    }
    MenuMicro &micro() const { return *fenetre->menuMicro(); }
    QString description() const { return fenetre->spectre().accessibleDescription(); }
    QByteArray wav() const { return Lis(dossier.filePath(QStringLiteral("test.wav"))); }
    // The pitch the description ends with, 0 when none.
    double hauteurDecrite() const
    {
        static const QRegularExpression fin(QStringLiteral("\\. Micro : (\\d+) Hz \\((.+)\\)$"));
        const auto m = fin.match(description());
        return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
    }
};

} // namespace

class TestMicro : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void direct();
    void enregistre();
    void sansEntreeAuDemarrage();
    void perteEnEnregistrement();
    void longue();

private:
    QTemporaryDir m_reglages;
};

void TestMicro::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("SONAVIRELLE_MICRO_FIFO") || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the server and the feeder of micro.test.sh");
    QVERIFY(m_reglages.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_reglages.path());
}

void TestMicro::direct()
{
    QVERIFY(!ChargeSource().isEmpty());
    Programme p;
    const Son avant = p.edition->son();
    const QByteArray wav = p.wav();
    QVERIFY(!wav.isEmpty());
    p.micro().direct()->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(p.hauteurDecrite() > 0.0, 10000);
    QVERIFY2(std::abs(p.hauteurDecrite() - 220.0) <= 1.0, qPrintable(p.description()));
    QVERIFY2(p.description().endsWith(QStringLiteral(" (La 2)")), qPrintable(p.description()));
    QCOMPARE(p.micro().info()->text(), QStringLiteral("Micro : 220 Hz — La 2"));
    QVERIFY(p.micro().avis()->isHidden());
    // The input list names the pipe source, the one in use checked.
    p.micro().entrees()->aboutToShow();
    bool coche = false;
    for (QAction *a : p.micro().entrees()->actions())
        coche = coche || (a->isChecked() && a->data().toByteArray() == "sonavirelle_micro");
    QVERIFY(coche);
    // Live listening goes on for a while: neither the table nor test.wav moves.
    QTest::qWait(2000);
    QCOMPARE(p.wav(), wav);
    QVERIFY(p.edition->son().Frequence == avant.Frequence && p.edition->son().Amplitude == avant.Amplitude);
    p.micro().direct()->trigger();
    QTRY_VERIFY(!p.description().contains(QStringLiteral("Micro")));
}

void TestMicro::enregistre()
{
    QVERIFY(!ChargeSource().isEmpty());
    Programme p;
    const QByteArray wav = p.wav();
    const int pas = p.edition->historique().count();
    p.fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.fenetre.get()));
    QTest::keyClick(p.fenetre.get(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE_WITH_TIMEOUT(p.micro().info()->text(), QStringLiteral("Enregistrement : 3 s"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(p.micro().info()->text(), QStringLiteral("Enregistrement : 1 s"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!p.micro().info()->isVisible(), 5000);
    // The sawtooth's table: 220 Hz and its multiples, amplitudes 10/k.
    const Son &s = p.edition->son();
    QCOMPARE(int(s.ProchaineComposante), 11);
    for (int k = 1; k <= 10; ++k) {
        QVERIFY2(std::abs(s.Frequence[k] - 220 * k) <= k, qPrintable(QString::number(s.Frequence[k])));
        QVERIFY2(std::abs(s.Amplitude[k] - 10.0 / k) <= 0.5,
                 qPrintable(QStringLiteral("harmonic %1: %2").arg(k).arg(s.Amplitude[k])));
    }
    QVERIFY(p.wav() != wav);                            // the rebuilt table was committed
    QCOMPARE(p.edition->historique().count(), pas + 1); // in one step, layer and original with it

    // The measured layer, as an analysed file's: around each harmonic numpy finds in the fed
    // sound, its highest point at that harmonic's place and height (the strongest at 10).
    const QList<QPointF> attendues = Harmoniques(11);
    QCOMPARE(attendues.size(), 11);
    const QList<QPointF> &couche = p.edition->analyse().points;
    QVERIFY(!couche.isEmpty());
    QVERIFY(p.fenetre->menuTimbres()->actionSpectreMesure()->isEnabled());
    double plusFort = 0.0;
    for (int k = 0; k < 10; ++k)
        plusFort = std::max(plusFort, attendues[k].y());
    for (int k = 0; k < 10; ++k) {
        const double f = attendues[k].x(), demi = attendues[0].x() / 2;
        QPointF sommet(0, -1);
        for (const QPointF &q : couche)
            if (std::abs(q.x() - f) < demi && q.y() > sommet.y())
                sommet = q;
        const double hauteur = 10.0 * attendues[k].y() / plusFort;
        QVERIFY2(std::abs(sommet.x() - f) <= 1.0 && std::abs(sommet.y() - hauteur) <= 0.5,
                 qPrintable(QStringLiteral("harmonic %1: layer peak (%2 Hz, %3), numpy (%4 Hz, %5)")
                                .arg(k + 1)
                                .arg(sommet.x())
                                .arg(sommet.y())
                                .arg(f)
                                .arg(hauteur)));
    }

    // "Écouter l'original" plays the recording: its 11th harmonic, which the ten-line table
    // lacks, is heard at the fed sound's level beside the first, and goes with the table again.
    QAction *original = p.fenetre->menuTimbres()->actionOriginal();
    QVERIFY(original->isEnabled());
    const double rapport = attendues[10].y() / attendues[0].y();
    const QString puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    const auto onzieme = [&] {
        const std::vector<double> x = Enregistre(puits, 500);
        const double a1 = Amplitude(x, attendues[0].x());
        return a1 > 100 ? Amplitude(x, attendues[10].x()) / a1 : -1.0;
    };
    p.edition->Ecoute();
    QTest::qWait(300);
    const double modele = onzieme();
    QVERIFY2(modele >= 0 && modele < 0.1 * rapport, qPrintable(QString::number(modele)));
    original->trigger();
    QCOMPARE(p.edition->ecoute(), Ecoute::Original);
    QTest::qWait(300); // what the output had queued of the model is played out
    const double entendu = onzieme();
    QVERIFY2(std::abs(entendu - rapport) < 0.3 * rapport,
             qPrintable(QStringLiteral("%1, fed %2").arg(entendu).arg(rapport)));
    original->trigger();
    QTest::qWait(300);
    const double retour = onzieme();
    QVERIFY2(retour >= 0 && retour < 0.1 * rapport, qPrintable(QString::number(retour)));
    p.edition->Coupe();

    // The recording saved as it was captured: 3 s, 16-bit mono 44100 Hz.
    QTemporaryDir sortie;
    const QString chemin = sortie.filePath(QStringLiteral("original.wav"));
    QString pourquoi;
    QVERIFY2(p.micro().sauveOriginal(chemin, &pourquoi), qPrintable(pourquoi));
    const QByteArray o = Lis(chemin);
    QCOMPARE(o.size(), 44 + 3 * 44100 * 2);
    QVERIFY(o.startsWith("RIFF") && o.mid(8, 8) == "WAVEfmt ");
    QCOMPARE(qFromLittleEndian<quint32>(o.constData() + 24), 44100u);
    // Its peak is that of the samples fed (the server neither scales nor resamples them).
    const auto crete = [](const QByteArray &octets, qsizetype debut) {
        int c = 0;
        for (qsizetype i = debut; i + 1 < octets.size(); i += 2)
            c = std::max(c, std::abs(int(qFromLittleEndian<qint16>(octets.constData() + i))));
        return c;
    };
    const int fournie = crete(Lis(qEnvironmentVariable("SONAVIRELLE_MICRO_BRUT")), 0);
    QVERIFY(fournie > 0);
    QVERIFY2(std::abs(crete(o, 44) - fournie) <= fournie / 50,
             qPrintable(QStringLiteral("%1 %2").arg(crete(o, 44)).arg(fournie)));
    // Never through a link: the link stays a link to its untouched target.
    const QString cible = sortie.filePath(QStringLiteral("cible"));
    QFile(cible).open(QIODevice::WriteOnly);
    const QString lien = sortie.filePath(QStringLiteral("lien.wav"));
    QVERIFY(QFile::link(cible, lien));
    QVERIFY(!p.micro().sauveOriginal(lien, &pourquoi));
    QVERIFY(!pourquoi.isEmpty());
    QCOMPARE(Lis(cible), QByteArray());
    QVERIFY(!p.micro().sauveOriginal(sortie.path(), &pourquoi)); // a folder
}

void TestMicro::sansEntreeAuDemarrage()
{
    Programme p;
    QTest::qWait(500);
    // Nothing is asked of the microphone before a command: no notice either.
    QVERIFY(p.micro().avis()->isHidden());
    p.micro().direct()->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(p.micro().avis()->isVisible(), 3000);
    QCOMPARE(p.micro().avis()->text(), QStringLiteral("Aucun micro"));
    QVERIFY(!p.description().contains(QStringLiteral("Micro :")));
    const QString module = ChargeSource();
    QVERIFY(!module.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(p.micro().avis()->isHidden(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(std::abs(p.hauteurDecrite() - 220.0) <= 1.0, 10000);
    // Lost again while listening: the notice comes back, and goes when the input returns.
    Pactl({QStringLiteral("unload-module"), module});
    QTRY_VERIFY_WITH_TIMEOUT(p.micro().avis()->isVisible(), 5000);
    QVERIFY(!ChargeSource().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(p.micro().avis()->isHidden(), 5000);
}

void TestMicro::perteEnEnregistrement()
{
    const QString module = ChargeSource();
    QVERIFY(!module.isEmpty());
    Programme p;
    const Son avant = p.edition->son();
    const QByteArray wav = p.wav();
    p.micro().enregistrement()->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(p.micro().info()->text(), QStringLiteral("Enregistrement : 2 s"), 5000);
    Pactl({QStringLiteral("unload-module"), module});
    QMessageBox *refus = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((refus = p.fenetre->findChild<QMessageBox *>(QStringLiteral("RefusMicro"))), 5000);
    QVERIFY2(refus->text().contains(QStringLiteral("micro a été perdu")), qPrintable(refus->text()));
    QTest::qWait(3000);
    QVERIFY(p.edition->son().Frequence == avant.Frequence && p.edition->son().Amplitude == avant.Amplitude);
    QCOMPARE(p.wav(), wav);
    QVERIFY(!p.micro().sauvegarde()->isEnabled());
    QVERIFY(p.edition->original().isEmpty() && p.edition->analyse().points.isEmpty());
}

void TestMicro::longue()
{
    QVERIFY(!ChargeSource().isEmpty());
    Programme p;
    p.micro().direct()->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(p.hauteurDecrite() > 0.0, 10000);
    p.edition->Ecoute();
    QElapsedTimer chrono;
    chrono.start();
    qint64 plusLongueAttente = 0, precedent = 0;
    long rss10 = -1;
    int i = 0;
    while (chrono.elapsed() < 60000) {
        // An edit every 200 ms, in turn adding and removing a component, with sound on.
        if (i % 2 == 0)
            p.edition->Ajoute(float(500 + (i % 40) * 100), 5.0f);
        else
            p.edition->RetireDerniere();
        ++i;
        QTest::qWait(200);
        const qint64 maintenant = chrono.elapsed();
        plusLongueAttente = std::max(plusLongueAttente, maintenant - precedent);
        precedent = maintenant;
        if (rss10 < 0 && maintenant > 10000)
            rss10 = RssKo();
    }
    const long rss60 = RssKo();
    QVERIFY2(plusLongueAttente < 1500, qPrintable(QString::number(plusLongueAttente)));
    QVERIFY2(rss60 - rss10 < 4096, qPrintable(QStringLiteral("%1 kB then %2 kB").arg(rss10).arg(rss60)));
    QVERIFY2(std::abs(p.hauteurDecrite() - 220.0) <= 1.0, qPrintable(p.description()));
    p.edition->Coupe();
}

QTEST_MAIN(TestMicro)
#include "tst_micro.moc"
