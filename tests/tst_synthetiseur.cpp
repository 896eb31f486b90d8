#include "banc.h"
#include "pilote.h"

#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/temporel.h"
#include "synth/generateur.h"
#include "ui/marqueur.h"
#include "ui/synthetiseur.h"

#include "audio/volume.h"
#include "model/timbre.h"
#include "session/edition.h"
#include "synth/timbrefichier.h"
#include "ui/curseurvolume.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>
#include <QtEndian>

#include <memory>

namespace {

std::int16_t F1DuFichier(const QByteArray &wav)
{
    // N = round(441000 / F1): enough to tell fundamentals apart in these tests.
    const auto octets = qFromLittleEndian<std::int32_t>(wav.constData() + 40);
    return static_cast<std::int16_t>(std::lround(441000.0 / (octets / 2)));
}

struct Fenetre
{
    Banc banc;
    std::unique_ptr<Synthetiseur> w{new Synthetiseur(banc.contexte)};

    template <typename T = QWidget>
    T *element(const char *nom) const
    {
        return w->findChild<T *>(QString::fromUtf8(nom));
    }
    void clique(const char *nom) const
    {
        QWidget *e = element(nom);
        QVERIFY2(e, nom);
        QTest::mouseClick(e, Qt::LeftButton, {}, e->rect().center());
    }
    QColor pixelSpectre(double x, double y) const
    {
        const QPointF p = w->spectre().repere().versPixels(x, y);
        const QImage &im = w->spectre().image();
        const qreal r = im.devicePixelRatio();
        return im.pixelColor(int(p.x() * r), int(p.y() * r));
    }
};

void Souris(QWidget *cible, QEvent::Type type, QPoint local, Qt::MouseButton bouton, Qt::MouseButtons boutons)
{
    QMouseEvent e(type, QPointF(local), QPointF(cible->mapToGlobal(local)), bouton, boutons, Qt::NoModifier);
    QApplication::sendEvent(cible, &e);
}

QPoint PixelSpectre(const Synthetiseur &w, double x, double y)
{
    return w.spectre().repere().versPixels(x, y).toPoint();
}

} // namespace

class TestSynthetiseur : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void demarrage();
    void demarreSurUnTimbre();
    void panneauxDeCommande_data();
    void panneauxDeCommande();
    void efface_data();
    void efface();
    void sonActifEtSilence_data();
    void sonActifEtSilence();
    void cablageDesClics_data();
    void cablageDesClics();
    void sensibilites();
    void apercuEtCandidat();
    void ajoutsEtRetraits_data();
    void ajoutsEtRetraits();
    void tablePleine();
    void pasDeGlissementEtLacher();
    void lacherAilleursNeSynthetisePas();
    void clicsReelsSurLeSpectre();
    void glisserDeposerReel();
    void fermetureCoupeLeSon();
    void geometrie_data();
    void geometrie();
    void doubleClicUneSeuleFois();
    void marqueurSeul_data();
    void marqueurSeul();
    void tabulationDansLOrdreVisuel();
    void commandesSansSouris_data();
    void commandesSansSouris();
    void menuTimbres();
    void raccourcisAnnulerRetablir();
    void deposerUnTimbre();
    void timbreRefuseDansLaFenetre();
    void choixParTousLesChemins_data();
    void choixParTousLesChemins();
    void unSeulTraceParClic_data();
    void unSeulTraceParClic();
    void sansSortie_data();
    void sansSortie();
    void volumeAuClavier_data();
    void volumeAuClavier();
    void volumeMemoriseEtHorsDuFichier();
    void titreDuFichier();
    void fermetureAvecModifications_data();
    void fermetureAvecModifications();
    void fermetureSansModification_data();
    void fermetureSansModification();
    void enregistrerDansLeFichierOuvert();
    void fichiersRecents();
    void avisAuDela_data();
    void avisAuDela();
    void apercuRetireParUnDialogue_data();
    void apercuRetireParUnDialogue();
    void flecheDesTimbres();

private:
    QTemporaryDir m_reglages;
};

void TestSynthetiseur::initTestCase()
{
    // The settings go to a folder of this run: the user's own are neither read nor written.
    QVERIFY(m_reglages.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_reglages.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_reglages.path());
    QSettings().clear();
}

void TestSynthetiseur::demarrage()
{
    Fenetre f;
    const Son &t = f.banc.table;
    QCOMPARE(t.Frequence[1], std::int16_t(440));
    QCOMPARE(t.Amplitude[1], 10.0f);
    for (int i = 2; i <= 10; ++i)
        QCOMPARE(t.Amplitude[i], 0.0f);
    QCOMPARE(t.ProchaineComposante, std::int16_t(2));
    QCOMPARE(SommeAmplitudes(t), 10.0f);
    QCOMPARE(t.Sensibilite, 1.0f);
    QVERIFY(!t.SonActif);
    QVERIFY(f.w->musical());
    QVERIFY(!f.w->afficheFreq());
    QVERIFY(f.element<QRadioButton>("SensibiliteTemp(3)")->isChecked());
    QVERIFY(!f.element("Play")->isHidden());
    QVERIFY(f.element("TaGueule")->isHidden());
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010"));
    QCOMPARE(f.w->objectName(), QStringLiteral("Synthétiseur"));
    // Playback stopped before anything was written, and nothing played since.
    QCOMPARE(f.banc.lecture.journal, QStringList{"coupe:sans-fichier"});
    const QByteArray wav = f.banc.wav();
    QCOMPARE(wav.size(), 2048);
    QCOMPARE(wav, FichierAttendu(t));
    // The fundamental is the marker, not a line: the spectrum shows the grid only.
    QCOMPARE(f.pixelSpectre(470, 5.5), QColor(Qt::white));
    QCOMPARE(f.w->fondamental().geometry().left(), 77);
}

void TestSynthetiseur::demarreSurUnTimbre()
{
    // The command line's timbre: the window opens on it, the check box shows its option, and the
    // default sound was never written nor left in the history.
    Banc banc;
    QSignalSpy genere(&banc.edition, &Edition::sonGenere);
    const Timbre t{false, {{220, 8}, {660, 2.5}}};
    Synthetiseur w(banc.contexte, &t);
    QCOMPARE(genere.count(), 1);
    QCOMPARE(banc.table.Frequence[1], std::int16_t(220));
    QCOMPARE(banc.table.Frequence[2], std::int16_t(660));
    QVERIFY(!w.musical());
    QVERIFY(!w.findChild<QCheckBox *>(QStringLiteral("Musical"))->isChecked());
    QCOMPARE(w.PositionFondamental(), 220.0);
    QCOMPARE(banc.wav(), FichierAttendu(banc.table));
    QVERIFY(!banc.edition.historique().canUndo());
    // Ticking the box is the session's option, not a copy of it.
    w.findChild<QCheckBox *>(QStringLiteral("Musical"))->setChecked(true);
    QVERIFY(banc.edition.musical());
}

void TestSynthetiseur::efface_data()
{
    QTest::addColumn<bool>("musical");
    QTest::addColumn<bool>("son");
    QTest::newRow("option on, sound off") << true << false;
    QTest::newRow("option on, sound on") << true << true;
    QTest::newRow("option off, sound off") << false << false;
    QTest::newRow("option off, sound on") << false << true;
}

void TestSynthetiseur::efface()
{
    QFETCH(bool, musical);
    QFETCH(bool, son);
    Fenetre f;
    const Son &t = f.banc.table;
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    Pilote::RelacheSpectre(f.w, 1, 1320, 2);
    if (!musical)
        f.clique("Label11");
    if (son)
        f.clique("Play");
    f.banc.lecture.journal.clear();

    f.clique("Effacer");
    for (int i = musical ? 2 : 1; i <= 10; ++i)
        QCOMPARE(t.Amplitude[i], 0.0f);
    QCOMPARE(t.Frequence[2], std::int16_t(880)); // frequencies are kept
    QCOMPARE(t.Frequence[3], std::int16_t(1320));
    QCOMPARE(t.ProchaineComposante, std::int16_t(musical ? 2 : 1));
    QCOMPARE(t.Amplitude[1], musical ? 10.0f : 0.0f);
    QCOMPARE(f.banc.lecture.journal, son ? QStringList{"joue"} : QStringList{});
    QCOMPARE(f.banc.wav(), FichierAttendu(t));
    if (!musical)
        QCOMPARE(f.banc.wav().mid(44), QByteArray(2 * 1002, '\0'));
    QVERIFY(f.w->fondamental().isVisible() || !f.w->isVisible());
    QCOMPARE(f.w->fondamental().geometry().left(), 77);
}

void TestSynthetiseur::sonActifEtSilence_data()
{
    QTest::addColumn<QString>("allume");
    QTest::addColumn<QString>("eteint");
    QTest::newRow("panels") << "Play"
                            << "TaGueule";
    QTest::newRow("pictures") << "Image1"
                              << "Image4";
    QTest::newRow("captions") << "Label3"
                              << "Label13";
}

void TestSynthetiseur::sonActifEtSilence()
{
    QFETCH(QString, allume);
    QFETCH(QString, eteint);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QStringList &journal = f.banc.lecture.journal;
    journal.clear();

    f.clique(allume.toUtf8());
    QVERIFY(f.banc.table.SonActif);
    QCOMPARE(journal, QStringList{"joue"});
    QVERIFY(f.element("TaGueule")->isVisible());
    QVERIFY(!f.element("Play")->isVisible());
    const QByteArray avant = f.banc.wav();
    QCOMPARE(avant, FichierAttendu(f.banc.table)); // Play makes no new synthesis

    Pilote::RelacheSpectre(f.w, 1, 880, 5); // a committed edit restarts the loop
    QCOMPARE(journal, (QStringList{"joue", "joue"}));

    f.clique(eteint.toUtf8());
    QVERIFY(!f.banc.table.SonActif);
    QCOMPARE(journal.last(), QStringLiteral("coupe"));
    QVERIFY(f.element("Play")->isVisible());
    QVERIFY(!f.element("TaGueule")->isVisible());

    journal.clear();
    Pilote::RelacheSpectre(f.w, 1, 1320, 5); // written, not played
    QCOMPARE(journal, QStringList{});
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));
}

void TestSynthetiseur::cablageDesClics_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("effet");
    QTest::newRow("Label6 toggles AfficheFreq") << "Label6"
                                                << "affiche";
    QTest::newRow("AfficheFreq itself") << "AfficheFreq"
                                        << "affiche";
    QTest::newRow("Label11 toggles Musical") << "Label11"
                                             << "musical";
    QTest::newRow("CacheSpectre hides, SpectreCache shows") << "CacheSpectre:SpectreCache"
                                                            << "spectre";
    QTest::newRow("CacheSpectre hides, Label7 shows") << "CacheSpectre:Label7"
                                                      << "spectre";
    QTest::newRow("CacheTemp hides, Picture3 shows") << "CacheTemp:Picture3"
                                                     << "temps";
    QTest::newRow("CacheTemp hides, Label8 shows") << "CacheTemp:Label8"
                                                   << "temps";
    QTest::newRow("Label10 does nothing") << "Label10"
                                          << "rien";
    QTest::newRow("Picture5 does nothing") << "Picture5"
                                           << "rien";
}

void TestSynthetiseur::cablageDesClics()
{
    QFETCH(QString, element);
    QFETCH(QString, effet);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    const QByteArray wav = f.banc.wav();
    const QImage spectre = f.w->spectre().image();
    const QImage temps = f.w->grapheTemp().image();
    const QStringList noms = element.split(':');

    if (effet == "affiche") {
        Pilote::RelacheSpectre(f.w, 1, 880, 5);
        f.clique(noms[0].toUtf8());
        QVERIFY(f.w->afficheFreq());
        // The label " 880 " prints under the line: dark pixels appear in the label band.
        bool texte = false;
        for (double x = 790; x < 960 && !texte; x += 2)
            for (double y = 10.2; y < 11.2 && !texte; y += 0.05)
                texte = f.pixelSpectre(x, y).lightness() < 100;
        QVERIFY(texte);
        f.clique(noms[0].toUtf8());
        QVERIFY(!f.w->afficheFreq());
        QCOMPARE(f.pixelSpectre(860, 10.6), QColor(Qt::white));
    } else if (effet == "musical") {
        f.clique(noms[0].toUtf8());
        QVERIFY(!f.w->musical());
        QCOMPARE(f.banc.wav(), wav);
        QCOMPARE(f.w->spectre().image(), spectre);
        f.clique(noms[0].toUtf8());
        QVERIFY(f.w->musical());
    } else if (effet == "spectre" || effet == "temps") {
        QWidget *tour = f.element(effet == "spectre" ? "TourSpectre" : "TourGrapheTemp");
        f.clique(noms[0].toUtf8());
        QVERIFY(!tour->isVisible());
        f.clique(noms[1].toUtf8());
        QVERIFY(tour->isVisible());
        QCOMPARE(f.w->spectre().image(), spectre);
        QCOMPARE(f.w->grapheTemp().image(), temps);
    } else {
        f.clique(noms[0].toUtf8());
        QCOMPARE(f.banc.wav(), wav);
        QCOMPARE(f.w->spectre().image(), spectre);
        QCOMPARE(f.w->grapheTemp().image(), temps);
        QVERIFY(f.element("TourSpectre")->isVisible());
    }
}

void TestSynthetiseur::sensibilites()
{
    Fenetre f;
    const float attendues[9] = {0.1f, 0.2f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f, 20.0f, 50.0f};
    const QImage spectre = f.w->spectre().image();
    const QByteArray wav = f.banc.wav();
    for (int i = 8; i >= 0; --i) {
        auto *option = f.element<QRadioButton>(QStringLiteral("SensibiliteTemp(%1)").arg(i).toUtf8());
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QCOMPARE(f.banc.table.Sensibilite, attendues[i]);
        QVERIFY(option->isChecked());
    }
    f.w->temps().choisitBase(9); // out of range: unchanged
    QCOMPARE(f.banc.table.Sensibilite, 0.1f);
    QCOMPARE(f.w->spectre().image(), spectre);
    QCOMPARE(f.banc.wav(), wav);
}

void TestSynthetiseur::apercuEtCandidat()
{
    Fenetre f;
    const Son &t = f.banc.table;
    // No button: a preview line on the lower multiple, the table untouched.
    Pilote::BougeSpectre(f.w, 0, 1110, 4);
    QCOMPARE(f.pixelSpectre(880, 7), QColor(255, 150, 100));
    QCOMPARE(t.Amplitude[2], 0.0f);
    QCOMPARE(f.w->spectre().cursor().shape(), Qt::CrossCursor);

    // Left button alone: the candidate is written in the next free slot.
    Pilote::BougeSpectre(f.w, 1, 1110, 4);
    QCOMPARE(t.Frequence[2], std::int16_t(880));
    QCOMPARE(t.Amplitude[2], 6.0f);
    QCOMPARE(t.ProchaineComposante, std::int16_t(2));

    // Left and right together is not a left drag.
    Pilote::BougeSpectre(f.w, 3, 2000, 1);
    QCOMPARE(t.Frequence[2], std::int16_t(880));

    // Leaving the area keeps the candidate and shows the no-drop pointer.
    Pilote::BougeSpectre(f.w, 1, 1500, -0.5f);
    QCOMPARE(t.Frequence[2], std::int16_t(880));
    QCOMPARE(f.w->spectre().cursor().shape(), Qt::ForbiddenCursor);

    // The release commits its own position, on the upper multiple.
    const QByteArray avant = f.banc.wav();
    Pilote::RelacheSpectre(f.w, 1, 1110, 4);
    QCOMPARE(t.Frequence[2], std::int16_t(1320));
    QCOMPARE(t.ProchaineComposante, std::int16_t(3));
    QVERIFY(f.banc.wav() != avant);
    QCOMPARE(f.banc.wav(), FichierAttendu(t));
}

void TestSynthetiseur::ajoutsEtRetraits_data()
{
    QTest::addColumn<bool>("musical");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<int>("f");
    QTest::addColumn<float>("a");
    QTest::newRow("under half the fundamental: 0 Hz") << true << 200.0f << 3.0f << 0 << 7.0f;
    QTest::newRow("option off: halves to even") << false << 1320.5f << 5.0f << 1320 << 5.0f;
    QTest::newRow("base line: amplitude 0") << true << 880.0f << 10.0f << 880 << 0.0f;
    QTest::newRow("top grid line: amplitude 10") << true << 880.0f << 0.0f << 880 << 10.0f;
    QTest::newRow("above the graph: clamped to 10") << true << 880.0f << -0.9f << 880 << 10.0f;
    QTest::newRow("label strip: clamped to 0") << true << 880.0f << 11.0f << 880 << 0.0f;
    QTest::newRow("left of the box: 0 Hz") << false << -120.0f << 5.0f << 0 << 5.0f;
}

void TestSynthetiseur::ajoutsEtRetraits()
{
    QFETCH(bool, musical);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(int, f);
    QFETCH(float, a);
    Fenetre w;
    const Son &t = w.banc.table;
    if (!musical)
        w.clique("Label11");
    Pilote::RelacheSpectre(w.w, 1, x, y);
    QCOMPARE(int(t.Frequence[2]), f);
    QCOMPARE(t.Amplitude[2], a);
    QCOMPARE(t.ProchaineComposante, std::int16_t(3));
    QCOMPARE(w.banc.wav(), FichierAttendu(t));

    // A middle release only snaps; a right release removes the last one and frees its slot.
    Pilote::RelacheSpectre(w.w, 4, 3000, 3);
    QCOMPARE(t.ProchaineComposante, std::int16_t(3));
    Pilote::RelacheSpectre(w.w, 2, 4000, 8);
    QCOMPARE(t.ProchaineComposante, std::int16_t(2));
    QCOMPARE(t.Frequence[2], std::int16_t(0));
    QCOMPARE(t.Amplitude[2], 0.0f);
    QCOMPARE(w.banc.wav(), FichierAttendu(t));

    // Only the fundamental left: a right release changes nothing and writes nothing.
    QFile::remove(w.banc.generateur.chemin());
    Pilote::RelacheSpectre(w.w, 2, 4000, 8);
    QCOMPARE(t.ProchaineComposante, std::int16_t(2));
    QVERIFY(!QFile::exists(w.banc.generateur.chemin()));
}

void TestSynthetiseur::tablePleine()
{
    Fenetre f;
    const Son &t = f.banc.table;
    for (int i = 2; i <= 10; ++i)
        Pilote::RelacheSpectre(f.w, 1, 440.0f * i, 5);
    QCOMPARE(t.ProchaineComposante, std::int16_t(11));
    const Son avant = t;

    Pilote::BougeSpectre(f.w, 0, 2000, 5);
    QCOMPARE(f.w->spectre().cursor().shape(), Qt::ForbiddenCursor);
    QVERIFY(f.pixelSpectre(2000, 7) != QColor(255, 150, 100));
    QFile::remove(f.banc.generateur.chemin());
    Pilote::RelacheSpectre(f.w, 1, 2000, 5);
    QCOMPARE(t.Frequence, avant.Frequence);
    QVERIFY(!QFile::exists(f.banc.generateur.chemin()));

    Pilote::RelacheSpectre(f.w, 2, 2000, 5);
    QCOMPARE(t.ProchaineComposante, std::int16_t(10));
    Pilote::BougeSpectre(f.w, 0, 2000, 5);
    QCOMPARE(f.w->spectre().cursor().shape(), Qt::CrossCursor);
}

void TestSynthetiseur::pasDeGlissementEtLacher()
{
    Fenetre f;
    const Son &t = f.banc.table;
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    Pilote::RelacheSpectre(f.w, 1, 1320, 5);
    const QByteArray avant = f.banc.wav();

    Pilote::GlisseFondamental(f.w, 452.3f, 5, 2);
    QCOMPARE(t.Frequence[1], std::int16_t(452));
    QCOMPARE(t.Frequence[2], std::int16_t(905));
    QCOMPARE(t.Frequence[3], std::int16_t(1357));
    QCOMPARE(f.w->PositionFondamental(), 452.0);
    QCOMPARE(f.banc.wav(), avant); // no synthesis while dragging
    QCOMPARE(f.pixelSpectre(905, 7), Spectre::CouleurComposante);

    Pilote::LacheFondamental(f.w);
    QCOMPARE(F1DuFichier(f.banc.wav()), std::int16_t(452));
    QCOMPARE(f.banc.wav(), FichierAttendu(t));

    // At the left edge the fundamental stops at 1 Hz and the harmonics keep their numbers.
    Pilote::GlisseFondamental(f.w, 0.0f, 5, 1);
    QCOMPARE(t.Frequence[1], std::int16_t(1));
    QCOMPARE(t.Frequence[3], std::int16_t(3));
    Pilote::LacheFondamental(f.w);
    QCOMPARE(f.banc.wav().size(), 44 + 2 * 441000);
}

void TestSynthetiseur::lacherAilleursNeSynthetisePas()
{
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QFrame &marqueur = f.w->fondamental();
    const QByteArray avant = f.banc.wav();
    Souris(&marqueur, QEvent::MouseButtonPress, QPoint(1, 50), Qt::LeftButton, Qt::LeftButton);
    const QPoint cible = PixelSpectre(*f.w, 600, 5);
    Souris(&marqueur, QEvent::MouseMove, marqueur.mapFrom(&f.w->spectre(), cible), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(f.banc.table.Frequence[1], std::int16_t(std::floor(f.w->spectre().versUtilisateur(cible).x() + 0.5)));
    // Released in the label strip below the base line: not on the marker.
    const QPoint dessous = PixelSpectre(*f.w, 600, 10.8);
    Souris(&marqueur, QEvent::MouseButtonRelease, marqueur.mapFrom(&f.w->spectre(), dessous), Qt::LeftButton,
           Qt::NoButton);
    QCOMPARE(f.banc.wav(), avant);
    QVERIFY(f.banc.table.Frequence[1] != 440);
}

void TestSynthetiseur::clicsReelsSurLeSpectre()
{
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    Surface &s = f.w->spectre();
    const QPoint p = PixelSpectre(*f.w, 880, 5);
    Souris(&s, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    Souris(&s, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Souris(&s, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(f.banc.table.ProchaineComposante, std::int16_t(3));
    QCOMPARE(f.banc.table.Frequence[2], std::int16_t(880));
    QVERIFY(qAbs(f.banc.table.Amplitude[2] - 5.0f) < 0.1f);
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));

    Souris(&s, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
    Souris(&s, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
    QCOMPARE(f.banc.table.ProchaineComposante, std::int16_t(2));
    QCOMPARE(f.banc.table.Frequence[2], std::int16_t(0));
}

void TestSynthetiseur::glisserDeposerReel()
{
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    QFrame &marqueur = f.w->fondamental();
    Surface &s = f.w->spectre();

    Souris(&marqueur, QEvent::MouseButtonPress, QPoint(1, 50), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(f.banc.table.Frequence[1], std::int16_t(440)); // the press changes nothing
    QPoint dernier;
    for (double hz : {500.0, 560.0, 610.0}) {
        dernier = PixelSpectre(*f.w, hz, 5);
        Souris(&marqueur, QEvent::MouseMove, marqueur.mapFrom(&s, dernier), Qt::NoButton, Qt::LeftButton);
    }
    const double x = s.versUtilisateur(dernier).x();
    QCOMPARE(f.banc.table.Frequence[1], std::int16_t(std::floor(x + 0.5)));
    QCOMPARE(f.banc.table.Frequence[2], std::int16_t(std::nearbyint(2 * x)));
    QCOMPARE(marqueur.geometry().left(), dernier.x());
    Souris(&marqueur, QEvent::MouseButtonRelease, marqueur.mapFrom(&s, dernier), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));
    QCOMPARE(F1DuFichier(f.banc.wav()), f.banc.table.Frequence[1]);
}

void TestSynthetiseur::fermetureCoupeLeSon()
{
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    f.clique("Play");
    f.banc.lecture.journal.clear();
    f.w->close();
    QCOMPARE(f.banc.lecture.journal, QStringList{"coupe"});
    QVERIFY(f.banc.table.SonActif); // not reset by closing
}

void TestSynthetiseur::geometrie_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QRect>("rect");
    // Positions relative to the parent widget, in pixels; framed panels shift their children by one pixel.
    QTest::newRow("Picture6") << "Picture6" << QRect(248, 8, 265, 33);
    QTest::newRow("Play") << "Play" << QRect(8, 8, 225, 33);
    QTest::newRow("TaGueule") << "TaGueule" << QRect(8, 8, 225, 33);
    QTest::newRow("TourGrapheTemp") << "TourGrapheTemp" << QRect(8, 56, 1009, 273);
    QTest::newRow("TourSpectre") << "TourSpectre" << QRect(8, 344, 1009, 273);
    QTest::newRow("Image3") << "Image3" << QRect(568, 8, 41, 41);
    QTest::newRow("Spectre") << "Spectre" << QRect(3, 27, 873, 242);
    QTest::newRow("GrapheTemp") << "GrapheTemp" << QRect(4, 28, 873, 242);
    QTest::newRow("Fondamental") << "Fondamental" << QRect(77, 20, 3, 196);
    QTest::newRow("Picture5") << "Picture5" << QRect(880, 112, 126, 157);
    QTest::newRow("CacheTemp") << "CacheTemp" << QRect(985, 4, 19, 19);
    QTest::newRow("SensibiliteTemp(8)") << "SensibiliteTemp(8)" << QRect(8, 184, 105, 17);
    QTest::newRow("Label7") << "Label7" << QRect(49, 137, 905, 41);
    // Right of the help icon, in the strip's free part, as tall as the other panels.
    QTest::newRow("Timbres") << "Timbres" << QRect(624, 8, 144, 33);
    // The volume right of it, up to the plots' right edge; the no-output notice in the gap
    // between the strip and the time plot, under the sound command.
    QTest::newRow("LabelVolume") << "LabelVolume" << QRect(784, 14, 72, 25);
    QTest::newRow("Volume") << "Volume" << QRect(856, 8, 161, 33);
    QTest::newRow("AvisSon") << "AvisSon" << QRect(8, 41, 505, 15);
}

void TestSynthetiseur::geometrie()
{
    QFETCH(QString, nom);
    QFETCH(QRect, rect);
    Fenetre f;
    QWidget *e = f.w->findChild<QWidget *>(nom);
    QVERIFY(e);
    QCOMPARE(e->geometry(), rect);
    f.w->resize(1400, 900); // the contents stay where they are
    QCOMPARE(e->geometry(), rect);
}

void TestSynthetiseur::doubleClicUneSeuleFois()
{
    // The switch's other face shows under the pointer after the first click: the second press
    // of a double click must not switch it back.
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    f.banc.lecture.journal.clear();
    QWidget *legende = f.element("Label3");
    QTest::mouseDClick(f.w->windowHandle(), Qt::LeftButton, {}, legende->mapTo(f.w.get(), legende->rect().center()));
    QVERIFY(f.banc.table.SonActif);
    QCOMPARE(f.banc.lecture.journal, QStringList{"joue"});
    QVERIFY(f.element("TaGueule")->isVisible());
}

void TestSynthetiseur::marqueurSeul_data()
{
    // Pointer events as the marker receives them while it holds the pointer; positions are pixels
    // of a 200 × 100 spectrum (x in pixels = hertz × 2.6184 / 15).
    QTest::addColumn<QStringList>("evenements");
    QTest::addColumn<QStringList>("pas"); // drag steps: hertz (rounded) and state
    QTest::addColumn<int>("deposes");
    QTest::addColumn<bool>("saisieApres"); // the gripping hand still held by the drag
    QTest::newRow("drag over the spectrum, drop on the marker")
        << QStringList{"appui gauche", "bouge 50 40", "bouge 60 40", "bouge 11 40", "relache gauche"}
        << QStringList{"286 2", "344 2"} << 1 << false;
    QTest::newRow("leaving the spectrum: one last step")
        << QStringList{"appui gauche", "bouge 50 40", "bouge 250 40", "bouge 300 40", "relache gauche"}
        << QStringList{"286 2", "1432 1"} << 0 << false;
    QTest::newRow("back into the spectrum")
        << QStringList{"appui gauche", "bouge 250 40", "bouge 50 40"} << QStringList{"1432 1", "286 2"} << 0 << true;
    QTest::newRow("moves over the marker move nothing")
        << QStringList{"appui gauche", "bouge 11 40", "relache gauche"} << QStringList{} << 1 << false;
    QTest::newRow("the right button starts nothing")
        << QStringList{"appui droit", "bouge 50 40", "relache droit"} << QStringList{} << 0 << false;
    QTest::newRow("a right release during the drag ends nothing")
        << QStringList{"appui gauche", "relache droit", "bouge 50 40"} << QStringList{"286 2"} << 0 << true;
    QTest::newRow("the window system ends the drag")
        << QStringList{"appui gauche", "abandon", "bouge 50 40"} << QStringList{} << 0 << false;
}

void TestSynthetiseur::marqueurSeul()
{
    QFETCH(QStringList, evenements);
    QFETCH(QStringList, pas);
    QFETCH(int, deposes);
    QFETCH(bool, saisieApres);

    QWidget fenetre;
    auto *spectre = new Surface(RepereSpectre, QSize(200, 100), &fenetre);
    auto marqueur = std::make_unique<Marqueur>(spectre);
    marqueur->setGeometry(10, 10, 3, 80);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QStringList recus;
    connect(marqueur.get(), &Marqueur::pas, this,
            [&](float x, float, int etat) { recus << QStringLiteral("%1 %2").arg(std::lround(x)).arg(etat); });
    QSignalSpy depose(marqueur.get(), &Marqueur::depose);
    QVERIFY(!QGuiApplication::overrideCursor());

    Qt::MouseButtons tenus;
    QPoint ici(1, 40 - 10); // in the marker's coordinates
    for (const QString &e : evenements) {
        const QStringList m = e.split(' ');
        const Qt::MouseButton b = m.value(1) == "droit" ? Qt::RightButton : Qt::LeftButton;
        if (m[0] == "appui") {
            tenus |= b;
            Souris(marqueur.get(), QEvent::MouseButtonPress, ici, b, tenus);
        } else if (m[0] == "relache") {
            tenus &= ~b;
            Souris(marqueur.get(), QEvent::MouseButtonRelease, ici, b, tenus);
        } else if (m[0] == "bouge") {
            ici = marqueur->mapFrom(spectre, QPoint(m[1].toInt(), m[2].toInt()));
            Souris(marqueur.get(), QEvent::MouseMove, ici, Qt::NoButton, tenus);
        } else if (m[0] == "abandon") {
            marqueur->abandonne();
        }
        // The gripping hand shows exactly while the drag lasts.
        QCOMPARE(QGuiApplication::overrideCursor() != nullptr, marqueur->enGlissement());
    }
    QCOMPARE(recus, pas);
    QCOMPARE(depose.count(), deposes);
    QCOMPARE(marqueur->enGlissement(), saisieApres);
    // Destroyed during a drag, it gives the pointer back.
    marqueur.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestSynthetiseur::tabulationDansLOrdreVisuel()
{
    Fenetre f;
    f.w->show();
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    const QStringList attendu{
        "Play",    "Picture6",     "Image3",  "Timbres",     "Volume", "CacheTemp", "SensibiliteTemp(3)",
        "Effacer", "CacheSpectre", "Spectre", "AfficheFreq", "Musical"};
    QCOMPARE(TourDeTab(f.w.get()), attendu);

    // Every command shown with a keyboard way in is on the round (the captions' boxes stand for them).
    for (QAbstractButton *b : f.w->findChildren<QAbstractButton *>())
        if (b->isVisible() && (b->focusPolicy() & Qt::TabFocus) && !qobject_cast<QRadioButton *>(b))
            QVERIFY2(attendu.contains(b->objectName()), qPrintable(b->objectName()));

    // The other faces take the same places on the round: sound off, the placeholders.
    Pilote::Clique(f.w, "Play");
    Pilote::Clique(f.w, "CacheTemp");
    Pilote::Clique(f.w, "CacheSpectre");
    f.element("TaGueule")->setFocus(Qt::TabFocusReason);
    QCOMPARE(TourDeTab(f.w.get()),
             (QStringList{"TaGueule", "Picture6", "Image3", "Timbres", "Volume", "Picture3", "SpectreCache"}));
}

void TestSynthetiseur::commandesSansSouris_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("accessible"); // through the accessible press action, else Tab then Space
    QTest::addColumn<QString>("effet");
    for (bool accessible : {false, true}) {
        const char *voie = accessible ? "press action" : "Space";
        auto ligne = [&](const char *nom, const char *effet) {
            QTest::addRow("%s, %s", nom, voie) << QString::fromLatin1(nom) << accessible << QString::fromLatin1(effet);
        };
        ligne("Play", "son");
        ligne("TaGueule", "silence");
        ligne("Picture6", "clavier");
        ligne("Image3", "aide");
        ligne("CacheTemp", "temps");
        ligne("Picture3", "temps-retour");
        ligne("Effacer", "efface");
        ligne("CacheSpectre", "spectre");
        ligne("SpectreCache", "spectre-retour");
        ligne("AfficheFreq", "affiche");
        ligne("Musical", "musical");
    }
    // The captions are pressed by assistive technologies only: Tab goes to their boxes.
    QTest::addRow("Label6, press action") << "Label6" << true << "affiche";
    QTest::addRow("Label11, press action") << "Label11" << true << "musical";
}

void TestSynthetiseur::commandesSansSouris()
{
    QFETCH(QString, element);
    QFETCH(bool, accessible);
    QFETCH(QString, effet);
    Fenetre f;
    f.w->show();
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    // The state each command acts on.
    if (effet == "silence")
        Pilote::Clique(f.w, "Play");
    if (effet == "temps-retour")
        Pilote::Clique(f.w, "CacheTemp");
    if (effet == "spectre-retour")
        Pilote::Clique(f.w, "CacheSpectre");
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    QCOMPARE(f.banc.table.ProchaineComposante, std::int16_t(3));
    f.banc.lecture.journal.clear();
    const bool affiche = f.w->afficheFreq(), musical = f.w->musical();

    QWidget *e = f.element(qPrintable(element));
    QVERIFY(e && e->isVisible());
    if (accessible) {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(e);
        QVERIFY(i);
        QVERIFY(i->role() == QAccessible::Button || i->role() == QAccessible::CheckBox);
        QVERIFY(!i->text(QAccessible::Name).isEmpty());
        QVERIFY(PresseAccessible(e));
    } else {
        // Reached by Tab from wherever the focus starts, then Space.
        for (int n = 0; n < 40 && QApplication::focusWidget() != e; ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e);
        QTest::keyClick(e, Qt::Key_Space);
    }

    auto *tourTemps = f.element("TourGrapheTemp");
    auto *tourSpectre = f.element("TourSpectre");
    if (effet == "son") {
        QTRY_VERIFY(f.banc.table.SonActif);
        QCOMPARE(f.banc.lecture.journal, QStringList{"joue"});
        QVERIFY(f.element("TaGueule")->isVisible());
    } else if (effet == "silence") {
        QTRY_VERIFY(!f.banc.table.SonActif);
        QCOMPARE(f.banc.lecture.journal, QStringList{"coupe"});
        QVERIFY(f.element("Play")->isVisible());
    } else if (effet == "clavier") {
        QTRY_VERIFY(f.w->clavier() && f.w->clavier()->isVisible());
        delete f.w->clavier();
    } else if (effet == "aide") {
        QTRY_VERIFY(f.w->aide() && f.w->aide()->isVisible());
        delete f.w->aide();
    } else if (effet == "temps" || effet == "spectre") {
        QWidget *tour = effet == "temps" ? tourTemps : tourSpectre;
        QTRY_VERIFY(!tour->isVisible());
        if (!accessible) // the focus moves to the placeholder that shows in its place
            QCOMPARE(QApplication::focusWidget(), f.element(effet == "temps" ? "Picture3" : "SpectreCache"));
    } else if (effet == "temps-retour" || effet == "spectre-retour") {
        QTRY_VERIFY((effet == "temps-retour" ? tourTemps : tourSpectre)->isVisible());
        QVERIFY(!e->isVisible());
        if (!accessible) // and back to the panel's first command
            QCOMPARE(QApplication::focusWidget(), f.element(effet == "temps-retour" ? "CacheTemp" : "Effacer"));
    } else if (effet == "efface") {
        QTRY_COMPARE(f.banc.table.ProchaineComposante, std::int16_t(2));
        QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));
    } else if (effet == "affiche") {
        QTRY_COMPARE(f.w->afficheFreq(), !affiche);
    } else if (effet == "musical") {
        QTRY_COMPARE(f.w->musical(), !musical);
    } else {
        QFAIL("unknown effect");
    }
}

void TestSynthetiseur::panneauxDeCommande_data()
{
    QTest::addColumn<QString>("panneau");
    QTest::addColumn<QString>("legende");
    QTest::newRow("sound on") << "Play"
                              << "Label3";
    QTest::newRow("sound off") << "TaGueule"
                               << "Label13";
    QTest::newRow("keyboard") << "Picture6"
                              << "Label14";
}

void TestSynthetiseur::panneauxDeCommande()
{
    // The command panels are buttons now, but keep the layout's dark blue and white captions,
    // whatever colours the platform gives its push buttons.
    QFETCH(QString, panneau);
    QFETCH(QString, legende);
    QPalette boutons = QApplication::palette();
    boutons.setColor(QPalette::Button, QColor(239, 239, 239));
    boutons.setColor(QPalette::ButtonText, Qt::black);
    QApplication::setPalette(boutons, "QAbstractButton");
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QWidget *p = f.element(panneau.toUtf8().constData());
    QVERIFY(p);
    p->show();
    const QImage image = p->grab().toImage();
    QCOMPARE(image.pixelColor(3, p->height() / 2), QColor(0, 0, 64));
    QLabel *l = f.element<QLabel>(legende.toUtf8().constData());
    QVERIFY(l);
    QCOMPARE(l->palette().color(l->foregroundRole()), QColor(Qt::white));
    QApplication::setPalette(QPalette(), "QAbstractButton");
}

void TestSynthetiseur::choixParTousLesChemins_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("chemin");    // setChecked (a program or an assistive technology), action, arrow
    QTest::addColumn<float>("sensibilite"); // the time base it leaves, 0 for the frequencies box
    QTest::newRow("AfficheFreq, setChecked") << "AfficheFreq"
                                             << "setChecked" << 0.0f;
    QTest::newRow("AfficheFreq, toggle action") << "AfficheFreq"
                                                << "action" << 0.0f;
    QTest::newRow("10 ms/div, setChecked") << "SensibiliteTemp(6)"
                                           << "setChecked" << 10.0f;
    QTest::newRow("0,1 ms/div, setChecked") << "SensibiliteTemp(0)"
                                            << "setChecked" << 0.1f;
    QTest::newRow("50 ms/div, toggle action") << "SensibiliteTemp(8)"
                                              << "action" << 50.0f;
    QTest::newRow("2 ms/div, Down arrow from 1 ms/div") << "SensibiliteTemp(3)"
                                                        << "bas" << 2.0f;
}

void TestSynthetiseur::choixParTousLesChemins()
{
    QFETCH(QString, element);
    QFETCH(QString, chemin);
    QFETCH(float, sensibilite);
    Fenetre f;
    f.w->show();
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    const QImage spectre = f.w->spectre().image();
    const QImage temps = f.w->grapheTemp().image();
    auto *b = f.element<QAbstractButton>(qPrintable(element));
    QVERIFY(b);
    if (chemin == "setChecked") {
        b->setChecked(true);
    } else if (chemin == "action") {
        // What an assistive technology offers on a check box or an option: its toggle action.
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(b);
        QVERIFY(i && i->actionInterface());
        QVERIFY(i->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        i->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        b->setFocus(Qt::TabFocusReason);
        QTest::keyClick(b, Qt::Key_Down);
    }

    if (sensibilite == 0.0f) {
        QTRY_VERIFY(f.w->afficheFreq());
        // Drawn at once, with the frequencies, as the mouse's tick draws it.
        auto attendu = [&](bool frequences) {
            Surface s(RepereSpectre, f.w->spectre().size(), nullptr, spectre.devicePixelRatio());
            s.setFont(f.w->spectre().font());
            s.Efface();
            Spectre::QuadrilleSpectre(s);
            Spectre::TraceSpectre(s, f.banc.table, frequences);
            return s.image();
        };
        QCOMPARE(f.w->spectre().image(), attendu(true));
        QVERIFY(attendu(true) != attendu(false));
        b->setChecked(false);
        QCOMPARE(f.w->spectre().image(), attendu(false));
    } else {
        QTRY_COMPARE(f.banc.table.Sensibilite, sensibilite);
        // The time plot is redrawn at the new time base, fine.
        Surface attendu(RepereTemporel, f.w->grapheTemp().size(), nullptr, temps.devicePixelRatio());
        Temporel::QuadrilleTemporel(attendu);
        Temporel::TraceTemporel(attendu, f.banc.table, 2);
        QCOMPARE(f.w->grapheTemp().image(), attendu.image());
        QVERIFY(f.w->grapheTemp().image() != temps);
        int coches = 0;
        for (QRadioButton *o : f.w->findChildren<QRadioButton *>())
            coches += o->isChecked();
        QCOMPARE(coches, 1);
    }
}

void TestSynthetiseur::unSeulTraceParClic_data()
{
    QTest::addColumn<int>("option");
    QTest::newRow("another time base") << 6;
    // The chosen one toggles nothing, yet a click on it redraws the plot, fine, as it always did.
    QTest::newRow("the time base in force") << 3;
}

void TestSynthetiseur::unSeulTraceParClic()
{
    QFETCH(int, option);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QSignalSpy traces(&f.w->edition(), &Edition::tempsChange);
    auto *o = f.element<QRadioButton>(qPrintable(QStringLiteral("SensibiliteTemp(%1)").arg(option)));
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
    QCOMPARE(traces.count(), 1);
    QCOMPARE(traces.first().first().toInt(), int(Edition::Fin));
    QVERIFY(o->isChecked());
    // The same through the keyboard: Space on the focused option.
    traces.clear();
    o->setFocus(Qt::TabFocusReason);
    QTest::keyClick(o, Qt::Key_Space);
    QCOMPARE(traces.count(), 1);
}

namespace {

const Timbre Cours{false, {{330, 8}, {990, 4}, {1650, 2}}};

QString EcritCours(const Banc &banc, const QString &nom, const Timbre &t = Cours)
{
    const QString chemin = banc.dossier.filePath(nom);
    return TimbreFichier::Enregistre(chemin, t) ? chemin : QString();
}

QByteArray Octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers the next modal message box by pressing the button labelled `bouton` (empty: its escape
// button), after recording its text; `vue` stays false when no box came.
struct Reponse
{
    bool vue = false;
    QString texte;
    QStringList boutons;
    explicit Reponse(const QString &bouton)
    {
        QTimer::singleShot(0, [this, bouton] {
            auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!boite)
                return;
            vue = true;
            texte = boite->text();
            QAbstractButton *choisi = boite->escapeButton();
            for (QAbstractButton *b : boite->buttons()) {
                boutons << b->text().remove(QLatin1Char('&'));
                if (boutons.last() == bouton)
                    choisi = b;
            }
            if (!choisi) // a box with a single button
                choisi = boite->buttons().value(0);
            QTest::mouseClick(choisi, Qt::LeftButton);
        });
    }
};

} // namespace

void TestSynthetiseur::titreDuFichier()
{
    Fenetre f;
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010"));
    // Without a file the title stays exactly the program's, whatever is changed.
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010"));
    const QString chemin = EcritCours(f.banc, QStringLiteral("cours.timbre"));
    QVERIFY(f.w->OuvreFichier(chemin));
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre"));
    Pilote::RelacheSpectre(f.w, 1, 2200, 5);
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre *"));
    // Undone back to the file: unchanged again; redone: changed.
    f.w->edition().Annule();
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre"));
    f.w->edition().Retablit();
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre *"));
    f.w->edition().Annule();
    // The multiples-only option is saved in the file too.
    f.w->edition().fixeMusical(true);
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre *"));
    f.w->edition().fixeMusical(false);
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre"));

    // More edits than the history keeps: the file's state has left the history, and undoing all
    // that is left never claims to be back at it.
    for (int i = 0; i <= Edition::LimiteAnnulations; ++i)
        QVERIFY(f.w->edition().ChoisitNote(i % 2 ? 20 : 21));
    while (f.w->edition().historique().canUndo())
        f.w->edition().Annule();
    QVERIFY(f.w->edition().modifie());
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre *"));
}

void TestSynthetiseur::fermetureAvecModifications_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<bool>("ferme");
    QTest::addColumn<bool>("ecrit"); // the file holds the changed table afterwards
    QTest::newRow("Enregistrer") << "Enregistrer" << true << true;
    QTest::newRow("Ne pas enregistrer") << "Ne pas enregistrer" << true << false;
    QTest::newRow("Annuler") << "Annuler" << false << false;
    QTest::newRow("Escape") << "" << false << false;
}

void TestSynthetiseur::fermetureAvecModifications()
{
    QFETCH(QString, bouton);
    QFETCH(bool, ferme);
    QFETCH(bool, ecrit);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    const QString chemin = EcritCours(f.banc, QStringLiteral("cours.timbre"));
    QVERIFY(f.w->OuvreFichier(chemin));
    const QByteArray avant = Octets(chemin);
    Pilote::RelacheSpectre(f.w, 1, 2200, 5);
    const Timbre change = f.w->edition().TimbreCourant();
    QVERIFY(!(change == Cours));
    f.clique("Play");
    f.banc.lecture.journal.clear();
    const QByteArray wav = f.banc.wav();

    Reponse r(bouton);
    f.w->close();
    QVERIFY(r.vue);
    QCOMPARE(r.texte, QStringLiteral("Enregistrer les modifications ?"));
    QCOMPARE(r.boutons.size(), 3);
    for (const char *b : {"Enregistrer", "Ne pas enregistrer", "Annuler"})
        QVERIFY2(r.boutons.contains(QString::fromUtf8(b)), qPrintable(r.boutons.join(QLatin1Char('|'))));
    QCOMPARE(f.w->isVisible(), !ferme);
    // Closing stops the sound; staying open leaves it playing, the table and test.wav as they were.
    QCOMPARE(f.banc.lecture.journal, ferme ? QStringList{"coupe"} : QStringList{});
    QCOMPARE(f.w->edition().TimbreCourant(), change);
    QCOMPARE(f.banc.wav(), wav);
    if (ecrit)
        QCOMPARE(TimbreFichier::Charge(chemin).value_or(Timbre{}), change);
    else
        QCOMPARE(Octets(chemin), avant);
    QCOMPARE(f.w->edition().modifie(), !ecrit);
}

void TestSynthetiseur::fermetureSansModification_data()
{
    QTest::addColumn<QString>("cas");
    QTest::newRow("just started") << "demarrage";
    QTest::newRow("a file just opened") << "ouvert";
    QTest::newRow("changed, then undone to the file") << "annule";
    QTest::newRow("changed, then saved") << "enregistre";
}

void TestSynthetiseur::fermetureSansModification()
{
    QFETCH(QString, cas);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    if (cas != QLatin1String("demarrage")) {
        QVERIFY(f.w->OuvreFichier(EcritCours(f.banc, QStringLiteral("cours.timbre"))));
        if (cas != QLatin1String("ouvert"))
            Pilote::RelacheSpectre(f.w, 1, 2200, 5);
        if (cas == QLatin1String("annule"))
            f.w->edition().Annule();
        if (cas == QLatin1String("enregistre"))
            QVERIFY(f.w->menuTimbres()->enregistre());
    }
    Reponse r(QStringLiteral("Annuler"));
    f.w->close();
    QCoreApplication::processEvents();
    QVERIFY(!r.vue);
    QVERIFY(!f.w->isVisible());
}

void TestSynthetiseur::enregistrerDansLeFichierOuvert()
{
    Fenetre f;
    f.w->show();
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    const QString chemin = EcritCours(f.banc, QStringLiteral("cours.timbre"));
    QVERIFY(f.w->OuvreFichier(chemin));
    Pilote::RelacheSpectre(f.w, 1, 2200, 5);
    // Ctrl+S writes to the open file, without a dialog.
    QTest::keyClick(f.w.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(TimbreFichier::Charge(chemin).value_or(Timbre{}), f.w->edition().TimbreCourant());
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre"));

    // A write refused (the name is now a link): the link and what it points at stay, and the box says why.
    Pilote::RelacheSpectre(f.w, 1, 3300, 5);
    const QString cible = EcritCours(f.banc, QStringLiteral("cible.timbre"));
    const QByteArray octetsCible = Octets(cible);
    QVERIFY(QFile::remove(chemin));
    QVERIFY(QFile::link(cible, chemin));
    Reponse r(QString{});
    QVERIFY(!f.w->menuTimbres()->enregistre());
    QVERIFY(r.vue);
    QVERIFY2(r.texte.contains(QStringLiteral("cours.timbre")), qPrintable(r.texte));
    QVERIFY(QFileInfo(chemin).isSymLink());
    QCOMPARE(Octets(cible), octetsCible);
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Sonavirelle 2010 — cours.timbre *"));
}

void TestSynthetiseur::fichiersRecents()
{
    QSettings().clear();
    Fenetre f;
    QMenu *recents = f.w->menuTimbres()->menuRecents();
    const auto liste = [&] {
        f.w->menuTimbres()->actualiseRecents();
        QStringList chemins;
        for (QAction *a : recents->actions())
            if (a->isEnabled())
                chemins << a->data().toString();
        return chemins;
    };
    QCOMPARE(liste(), QStringList{});
    QCOMPARE(recents->actions().size(), 1); // "Aucun fichier récent", disabled
    // Ten files opened (the names have room for spaces, accents and a comma): the last eight, newest first.
    QStringList fichiers;
    for (int i = 0; i < 10; ++i) {
        fichiers << EcritCours(f.banc, QStringLiteral("leçon %1, é.timbre").arg(i));
        QVERIFY(f.w->OuvreFichier(fichiers.last()));
    }
    QStringList attendu;
    for (int i = 9; i >= 2; --i)
        attendu << fichiers[i];
    QCOMPARE(liste(), attendu);
    // Opened again: at the front, listed once.
    QVERIFY(f.w->OuvreFichier(fichiers[4]));
    attendu.removeAll(fichiers[4]);
    attendu.prepend(fichiers[4]);
    QCOMPARE(liste(), attendu);
    // Saved under another name: that one goes first, the oldest goes.
    const QString nouveau = f.banc.dossier.filePath(QStringLiteral("nouveau.timbre"));
    QVERIFY(f.w->OuvreFichier(fichiers[9]));
    QVERIFY(QFile::copy(fichiers[9], nouveau));
    f.w->menuTimbres()->retientFichier(nouveau);
    QVERIFY(f.w->menuTimbres()->enregistre());
    QCOMPARE(f.w->edition().fichier(), nouveau);
    attendu.removeAll(fichiers[9]);
    attendu.prepend(fichiers[9]);
    attendu.prepend(nouveau);
    attendu = attendu.mid(0, 8);
    QCOMPARE(liste(), attendu);
    // Kept in the settings: another window finds the same list.
    {
        Fenetre g;
        g.w->menuTimbres()->actualiseRecents();
        QStringList chemins;
        for (QAction *a : g.w->menuTimbres()->menuRecents()->actions())
            chemins << a->data().toString();
        QCOMPARE(chemins, attendu);
    }
    // A file that has gone: chosen, it leaves the list with a message, and the table stays.
    const QString parti = attendu[2];
    QVERIFY(QFile::remove(parti));
    const Timbre avant = f.w->edition().TimbreCourant();
    QAction *entree = nullptr;
    for (QAction *a : recents->actions())
        if (a->data().toString() == parti)
            entree = a;
    QVERIFY(entree);
    Reponse r(QString{});
    entree->trigger();
    QVERIFY(r.vue);
    QVERIFY2(r.texte.contains(parti) && r.texte.contains(QStringLiteral("n'existe plus")), qPrintable(r.texte));
    attendu.removeAll(parti);
    QCOMPARE(liste(), attendu);
    QCOMPARE(f.w->edition().TimbreCourant(), avant);
}

QTEST_MAIN(TestSynthetiseur)
void TestSynthetiseur::menuTimbres()
{
    Fenetre f;
    QMenu *menu = f.w->menuTimbres();
    QVERIFY(menu);
    QStringList textes, touches;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        textes << a->text();
        QStringList t;
        for (const QKeySequence &k : a->shortcuts())
            t << k.toString(QKeySequence::PortableText);
        touches << t.join(QLatin1Char(' '));
    }
    QCOMPARE(textes, (QStringList{"Ouvrir…", "Récents", "Enregistrer", "Enregistrer sous…", "Exporter le son…",
                                  "Analyser un son…", "Sons d'instruments", "Spectre mesuré", "Écouter l'original",
                                  "Timbres types", "Annuler", "Rétablir", "Composantes…", "Défi d'écoute…", "Micro",
                                  "À propos de Sonavirelle"}));
    QCOMPARE(touches, (QStringList{"Ctrl+O", "", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+E", "Ctrl+Shift+A", "", "",
                                   "Ctrl+Shift+O", "", "Ctrl+Z", "Ctrl+Shift+Z Ctrl+Y", "Ctrl+L", "", "", ""}));
    // The sub-menu lists the four classic timbres; each replaces the table on the fundamental.
    QMenu *types = nullptr;
    for (QAction *a : menu->actions())
        if (a->text() == QStringLiteral("Timbres types"))
            types = a->menu();
    QVERIFY(types);
    QCOMPARE(types->actions().size(), int(std::size(Timbres::Types)));
    for (int i = 0; i < types->actions().size(); ++i) {
        QCOMPARE(types->actions().at(i)->text(), TimbreFichier::Nom(Timbres::Types[i]));
        types->actions().at(i)->trigger();
        QCOMPARE(f.w->edition().TimbreCourant(), Timbres::Classique(Timbres::Types[i], 440));
        QCOMPARE(f.banc.wav(), [&] {
            Synthese::Plan p;
            Son c = f.banc.table;
            return Synthese::Prepare(c, p) ? Synthese::FichierComplet(p) : QByteArray();
        }());
    }
    // A click on the panel opens the menu under it.
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    f.clique("Timbres");
    QTRY_VERIFY(menu->isVisible());
    menu->close();
}

void TestSynthetiseur::raccourcisAnnulerRetablir()
{
    Fenetre f;
    f.w->show();
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    const Son depart = f.banc.table;
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    const Son ajout = f.banc.table;
    QCOMPARE(ajout.ProchaineComposante, std::int16_t(3));

    struct Pas
    {
        QKeyCombination touche;
        const Son *attendu;
    };
    const Pas pas[] = {{Qt::CTRL | Qt::Key_Z, &depart},
                       {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &ajout},
                       {Qt::CTRL | Qt::Key_Z, &depart},
                       {Qt::CTRL | Qt::Key_Y, &ajout}};
    for (const Pas &p : pas) {
        QTest::keyClick(f.w.get(), p.touche.key(), p.touche.keyboardModifiers());
        QCOMPARE(f.banc.table.Frequence, p.attendu->Frequence);
        QCOMPARE(f.banc.table.Amplitude, p.attendu->Amplitude);
        QCOMPARE(f.banc.table.ProchaineComposante, p.attendu->ProchaineComposante);
    }
}

void TestSynthetiseur::deposerUnTimbre()
{
    Fenetre f;
    const QString chemin = f.banc.dossier.filePath(QStringLiteral("cours.timbre"));
    const Timbre t{false, {{300, 7}, {450, 2.5}}};
    QVERIFY(TimbreFichier::Enregistre(chemin, t));

    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(chemin)});
    QDragEnterEvent entree(QPoint(500, 300), Qt::CopyAction, &donnees, Qt::LeftButton, {});
    QApplication::sendEvent(f.w.get(), &entree);
    QVERIFY(entree.isAccepted());
    QDropEvent depot(QPointF(500, 300), Qt::CopyAction, &donnees, Qt::LeftButton, {});
    QApplication::sendEvent(f.w.get(), &depot);
    QCOMPARE(f.w->edition().TimbreCourant(), t);
    // The multiples-only box follows the file; the marker stands on the fundamental.
    QVERIFY(!f.w->musical());
    QCOMPARE(f.w->PositionFondamental(), 300.0);

    // Anything else dragged over the window (neither a timbre nor a sound) is not taken.
    QMimeData autre;
    autre.setUrls({QUrl::fromLocalFile(f.banc.dossier.filePath(QStringLiteral("notes.txt")))});
    QDragEnterEvent refus(QPoint(500, 300), Qt::CopyAction, &autre, Qt::LeftButton, {});
    refus.setAccepted(false);
    QApplication::sendEvent(f.w.get(), &refus);
    QVERIFY(!refus.isAccepted());
}

void TestSynthetiseur::timbreRefuseDansLaFenetre()
{
    Fenetre f;
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    const Son avant = f.banc.table;
    const QByteArray wav = f.banc.wav();
    const QString chemin = f.banc.dossier.filePath(QStringLiteral("faux.timbre"));
    {
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write(
            R"({"format":"sonavirelle-timbre","version":2,"composantes":[{"frequence":440,"amplitude":10}]})");
    }
    QString message;
    QTimer::singleShot(0, [&message] {
        auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (boite) {
            message = boite->text();
            boite->accept();
        }
    });
    QVERIFY(!f.w->OuvreFichier(chemin));
    QVERIFY2(message.contains(QStringLiteral("faux.timbre")), qPrintable(message));
    QCOMPARE(f.banc.table.Frequence, avant.Frequence);
    QCOMPARE(f.banc.table.Amplitude, avant.Amplitude);
    QCOMPARE(f.banc.table.ProchaineComposante, avant.ProchaineComposante);
    QCOMPARE(f.banc.wav(), wav);
    QVERIFY(f.w->musical());
}

// The output is lost (or missing) while sound is off or on: the notice shows under the sound
// command, the command never shows "Silence !" while nothing can be heard, a press of "Ecouter"
// is kept until an output comes back, and the notice goes then.
void TestSynthetiseur::sansSortie_data()
{
    QTest::addColumn<bool>("sonAvant");
    QTest::newRow("lost while sound is off") << false;
    QTest::newRow("lost while sound plays") << true;
}

void TestSynthetiseur::sansSortie()
{
    QFETCH(bool, sonAvant);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QLabel *avis = f.element<QLabel>("AvisSon");
    QVERIFY(avis);
    QVERIFY(!avis->isVisible());
    QStringList &journal = f.banc.lecture.journal;
    if (sonAvant)
        f.clique("Play");
    QCOMPARE(f.element("TaGueule")->isVisible(), sonAvant);
    journal.clear();

    f.banc.lecture.FixeSortie(false);
    QVERIFY(avis->isVisible());
    QVERIFY(f.element("Play")->isVisible());
    QVERIFY(!f.element("TaGueule")->isVisible());
    QCOMPARE(avis->text(), sonAvant ? tr("Aucune sortie son : le son partira dès qu'une sortie sera disponible")
                                    : tr("Aucune sortie son"));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(avis);
    QVERIFY(a && !a->state().invisible);
    QCOMPARE(a->text(QAccessible::Name), avis->text());

    // "Ecouter" pressed with no output: the wish is handed to the player, the face stays.
    f.clique("Play");
    QCOMPARE(journal, QStringList{"joue"});
    QVERIFY(f.banc.table.SonActif);
    QVERIFY(f.element("Play")->isVisible());
    QVERIFY(!f.element("TaGueule")->isVisible());
    QCOMPARE(avis->text(), tr("Aucune sortie son : le son partira dès qu'une sortie sera disponible"));
    QCOMPARE(a->text(QAccessible::Name), avis->text());
    // Edits go on as usual and are handed over for the output to come.
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    QCOMPARE(journal, (QStringList{"joue", "joue"}));
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));

    // The output comes back: the sound plays, the command says so, the notice goes.
    f.banc.lecture.FixeSortie(true);
    QVERIFY(!avis->isVisible());
    QVERIFY(f.element("TaGueule")->isVisible());
    QVERIFY(!f.element("Play")->isVisible());
    f.clique("TaGueule");
    QVERIFY(!f.banc.table.SonActif);
    QVERIFY(f.element("Play")->isVisible());
}

// The volume from the keyboard: the slider's own keys, Ctrl+Haut/Bas, the lowest position
// silent; each position is handed to the player in decibels.
void TestSynthetiseur::volumeAuClavier_data()
{
    QTest::addColumn<QList<QKeyCombination>>("touches");
    QTest::addColumn<int>("decibels");
    using Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left;
    const auto ctrl = [](Qt::Key k) { return QKeyCombination(Qt::ControlModifier, k); };
    const auto seul = [](Qt::Key k) { return QKeyCombination(k); };
    QTest::newRow("none: the file's level") << QList<QKeyCombination>{} << 0;
    QTest::newRow("Haut") << QList{seul(Key_Up)} << 1;
    QTest::newRow("Droite Droite Gauche") << QList{seul(Key_Right), seul(Key_Right), seul(Key_Left)} << 1;
    QTest::newRow("Ctrl+Haut") << QList{ctrl(Key_Up)} << CurseurVolume::GrandPas;
    QTest::newRow("Ctrl+Haut Ctrl+Haut Bas")
        << QList{ctrl(Key_Up), ctrl(Key_Up), seul(Key_Down)} << 2 * CurseurVolume::GrandPas - 1;
    QTest::newRow("Ctrl+Bas") << QList{ctrl(Key_Down)} << -CurseurVolume::GrandPas;
    QTest::newRow("Ctrl+Haut × 5: stops at the top")
        << QList<QKeyCombination>(5, ctrl(Key_Up)) << CurseurVolume::Maximum;
    QTest::newRow("Fin") << QList{seul(Qt::Key_End)} << CurseurVolume::Maximum;
    QTest::newRow("Début: silence") << QList{seul(Qt::Key_Home)} << CurseurVolume::Silence;
    QTest::newRow("Ctrl+Bas × 8: silence") << QList<QKeyCombination>(8, ctrl(Key_Down)) << CurseurVolume::Silence;
}

void TestSynthetiseur::volumeAuClavier()
{
    QFETCH(QList<QKeyCombination>, touches);
    QFETCH(int, decibels);
    QSettings().remove(QLatin1String(CurseurVolume::Cle));
    Fenetre f;
    f.w->show();
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    auto *curseur = f.element<QSlider>("Volume");
    QVERIFY(curseur);
    QCOMPARE(f.banc.lecture.volumes, QList<double>{0.0});
    curseur->setFocus(Qt::TabFocusReason);
    for (const QKeyCombination &k : touches)
        QTest::keyClick(curseur, k.key(), k.keyboardModifiers());
    QCOMPARE(curseur->value(), decibels);
    QCOMPARE(f.banc.lecture.volumes.last(), double(decibels));
    QCOMPARE(f.w->edition().volume(), double(decibels));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(curseur);
    QVERIFY(a && a->valueInterface());
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Volume"));
    QCOMPARE(a->valueInterface()->currentValue().toInt(), decibels);
    QCOMPARE(a->text(QAccessible::Description), CurseurVolume::Texte(decibels));
    // The lowest position is silence for any sound, the others a gain.
    QCOMPARE(Volume::Gain(f.banc.lecture.volumes.last(), 1000) == 0.0, decibels == CurseurVolume::Silence);
}

// The volume is kept between runs, a stored value outside the slider's range is brought back
// into it, and whatever the volume, test.wav and the samples handed to the player are the same.
void TestSynthetiseur::volumeMemoriseEtHorsDuFichier()
{
    QSettings().remove(QLatin1String(CurseurVolume::Cle));
    QByteArray wavNeutre, sonNeutre;
    {
        Fenetre f;
        Pilote::RelacheSpectre(f.w, 1, 880, 5);
        wavNeutre = f.banc.wav();
        sonNeutre = f.banc.lecture.son;
        f.w->volume().setValue(13);
        QCOMPARE(f.banc.lecture.volumes.last(), 13.0);
    }
    QCOMPARE(QSettings().value(QLatin1String(CurseurVolume::Cle)).toInt(), 13);
    {
        Fenetre f;
        QCOMPARE(f.w->volume().value(), 13);
        QCOMPARE(f.banc.lecture.volumes, QList<double>{13.0});
        Pilote::RelacheSpectre(f.w, 1, 880, 5);
        QCOMPARE(f.banc.wav(), wavNeutre);
        QCOMPARE(f.banc.lecture.son, sonNeutre);
        f.w->volume().setValue(CurseurVolume::Silence);
        Pilote::RelacheSpectre(f.w, 2, 0, 0);
        Pilote::RelacheSpectre(f.w, 1, 880, 5);
        QCOMPARE(f.banc.wav(), wavNeutre);
    }
    for (auto [stocke, attendu] : {std::pair{99, 20}, std::pair{-500, int(CurseurVolume::Silence)}}) {
        QSettings().setValue(QLatin1String(CurseurVolume::Cle), stocke);
        Fenetre f;
        QCOMPARE(f.w->volume().value(), attendu);
        QCOMPARE(f.banc.lecture.volumes, QList<double>{double(attendu)});
    }
    QSettings().remove(QLatin1String(CurseurVolume::Cle));
}

// How many components lie beyond the plot's right edge (5000 Hz), as the spectrum panel says.
void TestSynthetiseur::avisAuDela_data()
{
    QTest::addColumn<QString>("comment"); // how the table is made
    QTest::addColumn<int>("auDela");      // components above 5000 Hz in it, counted by hand
    QTest::addColumn<QString>("texte");
    QTest::newRow("default sound") << "defaut" << 0 << "";
    // 440 × (1, 3, … 19): 5720, 6600, 7480 and 8360 Hz are beyond.
    QTest::newRow("Signal carré at 440 Hz") << "carre" << 4 << "4 composantes au-delà de 5000 Hz";
    // 5000 Hz itself stands on the plot's edge, 5001 Hz is past it.
    QTest::newRow("one past the edge, one on it") << "bord" << 1 << "1 composante au-delà de 5000 Hz";
    // Fundamental 3000 Hz, a click at 4700 Hz snapped to 6000 Hz: an add does not redraw the spectrum.
    QTest::newRow("a click committed beyond the edge") << "clic" << 1 << "1 composante au-delà de 5000 Hz";
    QTest::newRow("the fundamental's field beyond") << "champ" << 2 << "2 composantes au-delà de 5000 Hz";
    QTest::newRow("ten beyond") << "dix" << 10 << "10 composantes au-delà de 5000 Hz";
}

void TestSynthetiseur::avisAuDela()
{
    QFETCH(QString, comment);
    QFETCH(int, auDela);
    QFETCH(QString, texte);
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    Edition &e = f.w->edition();
    auto *avis = f.element<QLabel>("AvisAuDela");
    QVERIFY(avis);
    QVERIFY(!avis->isVisible());
    if (comment == "carre") {
        e.ChoisitTimbreType(Timbres::Type::SignalCarre);
    } else if (comment == "bord") {
        QVERIFY(e.ChargeTimbre(Timbre{false, {{440, 10}, {5000, 3}, {5001, 2}, {4999, 1}}}));
    } else if (comment == "clic") {
        QVERIFY(e.ChargeTimbre(Timbre{true, {{3000, 10}}}));
        QVERIFY(!avis->isVisible());
        QSignalSpy spectre(&e, &Edition::spectreChange);
        Pilote::RelacheSpectre(f.w, 1, 4700, 5);
        QCOMPARE(f.banc.table.Frequence[2], std::int16_t(6000));
        QCOMPARE(spectre.count(), 0);
    } else if (comment == "champ") {
        // The fundamental's field stretches the whole spectrum: 440, 1320 and 2200 Hz times 2.5.
        QVERIFY(e.ChargeTimbre(Timbre{true, {{440, 10}, {1320, 5}, {2200, 2}}}));
        QVERIFY(e.FixeFrequence(1, 1100));
        QCOMPARE(f.banc.table.Frequence[3], std::int16_t(5500));
        QCOMPARE(f.banc.table.Frequence[2], std::int16_t(3300));
        QVERIFY(e.FixeFrequence(2, 5300));
    } else if (comment == "dix") {
        Timbre t{false, {}};
        for (int i = 0; i < 10; ++i)
            t.composantes.push_back({5001.0 + 1000 * i, 1});
        QVERIFY(e.ChargeTimbre(t));
    }
    QCOMPARE(avis->isVisible(), auDela > 0);
    QCOMPARE(avis->text(), texte);
    QCOMPARE(avis->accessibleName(), texte);
    if (auDela == 0)
        return;
    // White on the panel's blue, whole in its rectangle, clear of the title, the icons and the
    // microphone's notices, inside the panel above the plot.
    QCOMPARE(avis->palette().color(avis->foregroundRole()), QColor(Qt::white));
    QVERIFY2(avis->fontMetrics().horizontalAdvance(avis->text()) <= avis->width(), qPrintable(avis->text()));
    QWidget *tour = f.element("TourSpectre");
    QCOMPARE(avis->parentWidget(), tour);
    QVERIFY(tour->rect().contains(avis->geometry()));
    for (const char *autre : {"Label4", "AvisMicro", "Micro", "Effacer", "CacheSpectre", "Spectre"}) {
        QWidget *w = f.element(autre);
        QVERIFY2(w, autre);
        const QRect r(w->mapTo(tour, QPoint(0, 0)), w->size());
        QVERIFY2(!r.intersects(avis->geometry()), autre);
    }
    // Undone back to the default sound (or the table before the click), the count follows.
    e.Annule();
    const int apres = comment == "clic" ? 0 : comment == "champ" ? 1 : 0;
    QCOMPARE(avis->isVisible(), apres > 0);
}

void TestSynthetiseur::apercuRetireParUnDialogue_data()
{
    QTest::addColumn<QString>("ouverture");
    QTest::newRow("Ctrl+O, the open dialog") << "ctrl+o";
    QTest::newRow("Ctrl+E, the duration box") << "ctrl+e";
    QTest::newRow("a refused file dropped on the plot, its message box") << "depot";
}

void TestSynthetiseur::apercuRetireParUnDialogue()
{
    // The pointer rests on the plot with its preview line when a modal window opens over it: the
    // plot gets no more moves, and the line must not stay behind, neither while the dialog is up
    // nor once it has closed.
    QFETCH(QString, ouverture);
    Fenetre f;
    f.w->show();
    QApplication::setActiveWindow(f.w.get());
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    Surface &spectre = f.w->spectre();
    const QColor fond = f.pixelSpectre(880, 7);
    QVERIFY(fond != Spectre::CouleurApercu);
    const QPoint ici = PixelSpectre(*f.w, 1110, 4);
    // Two moves: Qt drops a move to where the pointer already is (as after an earlier row).
    QTest::mouseMove(&spectre, ici - QPoint(2, 0));
    QTest::mouseMove(&spectre, ici);
    QTRY_COMPARE(f.pixelSpectre(880, 7), Spectre::CouleurApercu);
    const Son avant = f.banc.table;

    const QString faux = f.banc.dossier.filePath(QStringLiteral("faux.timbre"));
    {
        QFile fichier(faux);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("{");
    }
    bool vu = false;
    QColor pendant;
    QTimer::singleShot(0, [&] {
        QWidget *d = nullptr;
        QTRY_VERIFY(d = QApplication::activeModalWidget());
        vu = true;
        // The window system tells the main window it lost its activation on its own time; the
        // dialog is closed whatever is seen, and the sight checked once it has.
        QTest::qWaitFor([&] { return f.pixelSpectre(880, 7) == fond; }, 2000);
        pendant = f.pixelSpectre(880, 7);
        qobject_cast<QDialog *>(d)->reject();
    });
    if (ouverture == "ctrl+o") {
        QTest::keyClick(f.w.get(), Qt::Key_O, Qt::ControlModifier);
    } else if (ouverture == "ctrl+e") {
        QTest::keyClick(f.w.get(), Qt::Key_E, Qt::ControlModifier);
    } else {
        QMimeData donnees;
        donnees.setUrls({QUrl::fromLocalFile(faux)});
        const QPoint dans = spectre.mapTo(f.w.get(), ici);
        QDragEnterEvent entree(dans, Qt::CopyAction, &donnees, Qt::LeftButton, {});
        QApplication::sendEvent(f.w.get(), &entree);
        QVERIFY(entree.isAccepted());
        QDropEvent depot(QPointF(dans), Qt::CopyAction, &donnees, Qt::LeftButton, {});
        QApplication::sendEvent(f.w.get(), &depot);
    }
    QVERIFY(vu);
    QCOMPARE(pendant, fond);
    // The window system gives the activation back to the main window.
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
    QTest::qWait(50);
    QCOMPARE(f.pixelSpectre(880, 7), fond);
    // Only the line went: the table is as it was.
    QCOMPARE(f.banc.table, avant);
    // The next move over the plot draws it again.
    QTest::mouseMove(&spectre, ici + QPoint(1, 0));
    QTRY_COMPARE(f.pixelSpectre(880, 7), Spectre::CouleurApercu);
}

void TestSynthetiseur::flecheDesTimbres()
{
    // The "Timbres" panel shows that it opens a menu: a small white arrow right of its caption,
    // inside its frame, which a click goes through to the panel.
    Fenetre f;
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QWidget *panneau = f.element("Timbres");
    auto *fleche = f.element<QLabel>("FlecheTimbres");
    auto *legende = f.element<QLabel>("Label15");
    QVERIFY(panneau && fleche && legende);
    QCOMPARE(fleche->parentWidget(), panneau);
    QVERIFY(fleche->isVisible());
    const QRect r = fleche->geometry();
    QVERIFY(panneau->rect().adjusted(1, 1, -1, -1).contains(r));
    QVERIFY(legende->x() + legende->fontMetrics().horizontalAdvance(legende->text()) < r.left());
    const QImage image = panneau->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int blancs = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            blancs += QColor(image.pixel(x, y)) == QColor(Qt::white);
    // A triangle of 8 by 4 pixels at 100 %, its edges smoothed.
    QVERIFY2(blancs >= 8 && blancs <= 30, qPrintable(QString::number(blancs)));
    // Pointing down: its top row is wider than its bottom one.
    auto largeur = [&](int y) {
        int n = 0;
        for (int x = r.left(); x <= r.right(); ++x)
            n += qRed(image.pixel(x, y)) > 128;
        return n;
    };
    QVERIFY(largeur(r.top() + 2) > largeur(r.top() + 5));
    QCOMPARE(image.pixelColor(r.left(), r.top()), QColor(0, 0, 64));
    QCOMPARE(image.pixelColor(r.right() + 2, r.center().y()), QColor(0, 0, 64));

    QMenu *menu = f.w->menuTimbres();
    QTest::mouseClick(panneau, Qt::LeftButton, {}, r.center());
    QTRY_VERIFY(menu->isVisible());
    menu->close();
}

#include "tst_synthetiseur.moc"
