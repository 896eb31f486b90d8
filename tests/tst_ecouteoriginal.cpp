// "Écouter l'original" heard through a real sound server: the main window over the real player,
// an analysed sound, then the table changed so that model and original differ; what the sink
// plays follows the entry, to the original and back; "Écouter le défi" plays the hidden timbre
// (measured by numpy against the generator's reference) and "Écouter mon son" the table again.
// Run by ecoute_originale.test.sh.
#include "banc.h"
#include "ecoute.h"
#include "pilote.h"

#include "audio/lecteurqt.h"
#include "synth/export.h"
#include "synth/generateur.h"
#include "ui/defiecoute.h"
#include "ui/menutimbres.h"
#include "ui/synthetiseur.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestEcouteOriginal : public QObject
{
    Q_OBJECT

private slots:
    void basculeEntendue();
    void defiEntendu();
};

void TestEcouteOriginal::basculeEntendue()
{
    const QString puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    if (puits.isEmpty() || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the private sound server of ecoute_originale.test.sh");
    QTemporaryDir dossier;
    LecteurQt lecteur;
    Edition edition(lecteur, dossier.filePath(QStringLiteral("test.wav")));
    Contexte contexte{edition};
    auto fenetre = std::make_unique<Synthetiseur>(contexte);
    fenetre->show();

    // The recording: a 330 Hz sine, the program's own export.
    Son s;
    s.Frequence[1] = 330;
    s.Amplitude[1] = 10;
    s.ProchaineComposante = 2;
    const QString son = dossier.filePath(QStringLiteral("la.wav"));
    QVERIFY(Export::Ecrit(s, 1.0, son));
    QVERIFY(fenetre->menuTimbres()->analyseFichier(son));
    // The model is then another sound: a 440 Hz sine.
    Timbre t;
    t.composantes.push_back({440, 10});
    QVERIFY(edition.ChargeTimbre(t));

    QSignalSpy joue(&lecteur, &LecteurQt::joue);
    Pilote::Clique(fenetre, "Play");
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 5000);
    auto x = Enregistre(puits, 500);
    QVERIFY(x.size() > size_t(Frequence / 4));
    QVERIFY2(Amplitude(x, 440) > 1000 && Amplitude(x, 330) < 200,
             qPrintable(QStringLiteral("model: 440 Hz %1, 330 Hz %2").arg(Amplitude(x, 440)).arg(Amplitude(x, 330))));

    QAction *original = fenetre->menuTimbres()->actionOriginal();
    QVERIFY(original->isEnabled());
    original->trigger();
    QTest::qWait(300); // what the output had queued of the model is played out
    x = Enregistre(puits, 500);
    QVERIFY2(
        Amplitude(x, 330) > 1000 && Amplitude(x, 440) < 200,
        qPrintable(QStringLiteral("original: 330 Hz %1, 440 Hz %2").arg(Amplitude(x, 330)).arg(Amplitude(x, 440))));
    QCOMPARE(joue.count(), 1); // switched, not restarted

    original->trigger();
    QTest::qWait(300);
    x = Enregistre(puits, 500);
    QVERIFY2(Amplitude(x, 440) > 1000 && Amplitude(x, 330) < 200,
             qPrintable(QStringLiteral("back: 440 Hz %1, 330 Hz %2").arg(Amplitude(x, 440)).arg(Amplitude(x, 330))));
    Pilote::Clique(fenetre, "TaGueule");
}

void TestEcouteOriginal::defiEntendu()
{
    const QString puits = qEnvironmentVariable("SONAVIRELLE_PULSE_SINK");
    if (puits.isEmpty() || qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("needs the private sound server of ecoute_originale.test.sh");
    QTemporaryDir dossier;
    LecteurQt lecteur;
    Edition edition(lecteur, dossier.filePath(QStringLiteral("test.wav")));
    Contexte contexte{edition};
    auto fenetre = std::make_unique<Synthetiseur>(contexte);
    fenetre->show();
    // The main window's fundamental moved off 440 Hz: the challenge is heard on it.
    Timbre t;
    t.composantes.push_back({330, 10});
    QVERIFY(edition.ChargeTimbre(t));
    for (QAction *a : fenetre->menuTimbres()->actions())
        if (a->text() == QStringLiteral("Défi d'écoute…"))
            a->trigger();
    QPointer<DefiEcoute> defi = fenetre->defi();
    QVERIFY(defi);
    QCOMPARE(defi->defi().numero, 4821); // the window opens on défi 4821, niveau 3
    QCOMPARE(defi->defi().niveau, 3);

    QSignalSpy joue(&lecteur, &LecteurQt::joue);
    Pilote::Clique(defi, "EcouteDefi");
    QTRY_VERIFY_WITH_TIMEOUT(joue.count() > 0, 5000);
    QTest::qWait(200);
    const std::vector<double> x = Enregistre(puits, 1000);
    QVERIFY(x.size() > size_t(Frequence / 2));
    QFile brut(dossier.filePath(QStringLiteral("defi.raw")));
    QVERIFY(brut.open(QIODevice::WriteOnly));
    for (double v : x) {
        const qint16 e = qint16(v);
        brut.write(reinterpret_cast<const char *>(&e), 2);
    }
    brut.close();
    QProcess numpy;
    numpy.setProcessChannelMode(QProcess::MergedChannels);
    numpy.start(QStringLiteral("/usr/bin/python3"),
                {qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/tests/defi_entendu.py"), brut.fileName(),
                 QStringLiteral("330"), QStringLiteral("4821"), QStringLiteral("3")});
    QVERIFY(numpy.waitForFinished(30000));
    const QByteArray sortie = numpy.readAll();
    QVERIFY2(numpy.exitStatus() == QProcess::NormalExit && numpy.exitCode() == 0, sortie.constData());

    // Back to the table's sound, a sine at 330 Hz: the hidden harmonics are gone.
    Pilote::Clique(defi, "EcouteMonSon");
    QTest::qWait(300);
    const std::vector<double> y = Enregistre(puits, 500);
    QVERIFY2(Amplitude(y, 330) > 1000 && Amplitude(y, 660) < 100 && Amplitude(y, 1650) < 100,
             qPrintable(QStringLiteral("my sound: 330 Hz %1, 660 Hz %2, 1650 Hz %3")
                            .arg(Amplitude(y, 330))
                            .arg(Amplitude(y, 660))
                            .arg(Amplitude(y, 1650))));
    QCOMPARE(joue.count(), 1); // switched, not restarted
    delete defi.data();
    Pilote::Clique(fenetre, "TaGueule");
}

QTEST_MAIN(TestEcouteOriginal)
#include "tst_ecouteoriginal.moc"
