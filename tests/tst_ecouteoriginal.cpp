// "Écouter l'original" heard through a real sound server: the main window over the real player,
// an analysed sound, then the table changed so that model and original differ; what the sink
// plays follows the entry, to the original and back. Run by ecoute_originale.test.sh.
#include "banc.h"
#include "ecoute.h"
#include "pilote.h"

#include "audio/lecteurqt.h"
#include "synth/export.h"
#include "synth/generateur.h"
#include "ui/menutimbres.h"
#include "ui/synthetiseur.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestEcouteOriginal : public QObject
{
    Q_OBJECT

private slots:
    void basculeEntendue();
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

QTEST_MAIN(TestEcouteOriginal)
#include "tst_ecouteoriginal.moc"
