// The main window on analysed sounds: the "Timbres" menu's entries for recordings, a dropped
// sound, the measured spectrum behind the lines, one undo step, the original for A/B, the
// shipped instruments.
#include "banc.h"
#include "pilote.h"

#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/vues.h"
#include "synth/analyseson.h"
#include "synth/export.h"
#include "synth/generateur.h"
#include "ui/menutimbres.h"
#include "ui/panneaufrequences.h"
#include "ui/synthetiseur.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <memory>

namespace {

struct Fenetre
{
    Banc banc;
    std::unique_ptr<Synthetiseur> w = std::make_unique<Synthetiseur>(banc.contexte);
    MenuTimbres &menu() const { return *w->menuTimbres(); }
};

// A sound file made by the synthesis itself from a table of (frequency, amplitude).
QString EcritSon(const QString &chemin, const QList<QPair<int, float>> &composantes)
{
    Son s;
    s.ProchaineComposante = 1;
    for (const auto &[f, a] : composantes) {
        s.Frequence[s.ProchaineComposante] = std::int16_t(f);
        s.Amplitude[s.ProchaineComposante] = a;
        ++s.ProchaineComposante;
    }
    // The program's own export, one second long (test.wav holds ten periods only).
    return Export::Ecrit(s, 1.0, chemin) ? chemin : QString();
}

QAction *Entree(QMenu &menu, const QString &texte)
{
    for (QAction *a : menu.actions()) {
        if (a->text() == texte)
            return a;
        if (a->menu())
            if (QAction *b = Entree(*a->menu(), texte))
                return b;
    }
    return nullptr;
}

QImage Rendu(Surface &s)
{
    return s.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestAnalyseFenetre : public QObject
{
    Q_OBJECT

private slots:
    void sonOuvertDonneSonTestWav();
    void deposeUnSon();
    void mesureSousLesLignes();
    void annulerRendLaTablePrecedente();
    void ecouterOriginal();
    void instrumentAnalyseSonFichier_data();
    void instrumentAnalyseSonFichier();
    void sonRefuse();
};

void TestAnalyseFenetre::sonOuvertDonneSonTestWav()
{
    Fenetre f;
    const QString son =
        EcritSon(f.banc.dossier.filePath(QStringLiteral("son.wav")), {{220, 10}, {440, 4}, {660, 6.5f}});
    QVERIFY(!son.isEmpty());
    QVERIFY(f.menu().analyseFichier(son));
    // The analysed table: the sound's own frequencies exactly, amplitudes within 0.15.
    const Son &t = f.banc.table;
    QCOMPARE(t.Frequence[1], 220);
    QCOMPARE(t.Frequence[2], 440);
    QCOMPARE(t.Frequence[3], 660);
    QVERIFY(std::abs(t.Amplitude[1] - 10) <= 0.15);
    QVERIFY2(std::abs(t.Amplitude[2] - 4) <= 0.15, qPrintable(QString::number(t.Amplitude[2])));
    QVERIFY(std::abs(t.Amplitude[3] - 6.5) <= 0.15);
    QVERIFY(t.Musical);
    // test.wav is that table's sound, and the player has it.
    QCOMPARE(f.banc.wav(), FichierAttendu(t));
    QCOMPARE(f.banc.lecture.son, f.banc.generateur.echantillons());
    QCOMPARE(f.w->PositionFondamental(), 220.0);
    QVERIFY(f.menu().actionOriginal()->isEnabled());
    QVERIFY(f.menu().actionSpectreMesure()->isEnabled());
    QCOMPARE(f.banc.edition.analyse().nom, QStringLiteral("son.wav"));
    QVERIFY2(f.w->spectre().accessibleDescription().endsWith(
                 QStringLiteral(". Spectre mesuré de « son.wav » : fondamental 220 Hz")),
             qPrintable(f.w->spectre().accessibleDescription()));
}

void TestAnalyseFenetre::deposeUnSon()
{
    Fenetre f;
    const QString son = EcritSon(f.banc.dossier.filePath(QStringLiteral("depose.wav")), {{330, 10}, {990, 5}});
    auto *donnees = new QMimeData;
    donnees->setUrls({QUrl::fromLocalFile(son)});
    QDragEnterEvent entre(QPoint(10, 10), Qt::CopyAction, donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.w.get(), &entre);
    QVERIFY(entre.isAccepted());
    QDropEvent lache(QPointF(10, 10), Qt::CopyAction, donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.w.get(), &lache);
    QCOMPARE(f.banc.table.Frequence[1], 330);
    QCOMPARE(f.banc.table.Frequence[2], 990);
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));
    delete donnees;
}

void TestAnalyseFenetre::mesureSousLesLignes()
{
    Fenetre f;
    f.w->show();
    QVERIFY(f.menu().analyseInstrument(QStringLiteral("clarinette.flac")));
    QAction *montre = f.menu().actionSpectreMesure();
    QVERIFY(montre->isChecked());
    const QImage avec = Rendu(f.w->spectre());
    montre->setChecked(false);
    const QImage sans = Rendu(f.w->spectre());
    montre->setChecked(true);
    QCOMPARE(Rendu(f.w->spectre()), avec);
    QCOMPARE(avec.size(), sans.size());
    const QColor fond = sans.pixelColor(2, 2);
    const QRgb couleur = VueSpectre::CouleursCouches[int(Couche::Mesure)].rgb();
    int mesure = 0;
    for (int y = 0; y < avec.height(); ++y)
        for (int x = 0; x < avec.width(); ++x) {
            const QRgb a = avec.pixel(x, y), s = sans.pixel(x, y);
            if (s != fond.rgb()) {
                // Everything drawn without the layer (grid, lines, labels) is still there, over it.
                QCOMPARE(a, s);
            } else if (a != s) {
                QCOMPARE(QColor(a), QColor(couleur));
                ++mesure;
            }
        }
    QVERIFY2(mesure > 200, qPrintable(QString::number(mesure)));
    // The strongest harmonic's peak reaches its line (amplitude 10), and so lies hidden under it;
    // no other part of the layer rises above 10.
    const Son &t = f.banc.table;
    int fort = 1;
    for (int i = 1; i < t.ProchaineComposante; ++i)
        if (t.Amplitude[i] > t.Amplitude[fort])
            fort = i;
    QCOMPARE(t.Amplitude[fort], 10.0f);
    double pic = 0, ailleurs = 0;
    for (const QPointF &q : f.banc.edition.analyse().points) {
        if (std::abs(q.x() - t.Frequence[fort]) <= 0.03 * t.Frequence[fort])
            pic = std::max(pic, q.y());
        else
            ailleurs = std::max(ailleurs, q.y());
    }
    QVERIFY2(std::abs(pic - 10) <= 0.3, qPrintable(QString::number(pic)));
    QVERIFY2(ailleurs <= 10.3, qPrintable(QString::number(ailleurs)));
    int x = int(std::lround(RepereSpectre.versPixels(t.Frequence[fort], 0).x()));
    const int haut = int(std::lround(RepereSpectre.versPixels(0, 0).y()));
    bool couvert = false;
    for (int dx = -1; dx <= 1; ++dx)
        couvert = couvert || QColor(avec.pixel(x + dx, haut + 2)) == Spectre::CouleurComposante;
    QVERIFY(couvert);
}

void TestAnalyseFenetre::annulerRendLaTablePrecedente()
{
    Fenetre f;
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    const Son avant = f.banc.table;
    const QByteArray wav = f.banc.wav();
    QVERIFY(f.menu().analyseInstrument(QStringLiteral("hautbois.flac")));
    QVERIFY(f.banc.table.Frequence != avant.Frequence);
    f.banc.edition.Annule();
    QCOMPARE(f.banc.table.Frequence, avant.Frequence);
    QCOMPARE(f.banc.table.Amplitude, avant.Amplitude);
    QCOMPARE(f.banc.wav(), wav);
    // One step: a second undo goes past it to the table before the click.
    f.banc.edition.Retablit();
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));
    QVERIFY(f.banc.table.Frequence != avant.Frequence);
}

void TestAnalyseFenetre::ecouterOriginal()
{
    Fenetre f;
    QAction *original = f.menu().actionOriginal();
    QVERIFY(!original->isEnabled());
    QCOMPARE(original->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    QVERIFY(f.menu().analyseInstrument(QStringLiteral("clarinette.flac")));
    const QByteArray wav = f.banc.wav();
    Pilote::Clique(f.w, "Play");
    QVERIFY(original->isEnabled());
    original->trigger();
    QCOMPARE(f.banc.edition.ecoute(), Ecoute::Original);
    QCOMPARE(f.banc.lecture.bascules.last(), f.banc.edition.original());
    // The original: 44100 Hz 16-bit, whole periods of the pitch, never longer than the stretch.
    const QByteArray &o = f.banc.edition.original();
    const double periode = 44100.0 / f.banc.edition.analyse().fondamental;
    const double periodes = (o.size() / 2) / periode;
    QVERIFY2(std::abs(periodes - std::round(periodes)) < 0.02, qPrintable(QString::number(periodes)));
    QVERIFY(o.size() / 2 <= 44100 * 0.6);
    QCOMPARE(f.banc.wav(), wav); // test.wav stays the model's
    original->trigger();
    QCOMPARE(f.banc.edition.ecoute(), Ecoute::Modele);
    QCOMPARE(f.banc.lecture.bascules.last(), f.banc.generateur.echantillons());
    // Another source chosen elsewhere unchecks the entry.
    original->trigger();
    QVERIFY(original->isChecked());
    f.banc.edition.fixeEcoute(Ecoute::Defi);
    QVERIFY(!original->isChecked());
}

void TestAnalyseFenetre::instrumentAnalyseSonFichier_data()
{
    QTest::addColumn<QString>("entree");
    QTest::addColumn<QString>("fichier");
    QTest::newRow("flute") << "Flûte"
                           << "flute.flac";
    QTest::newRow("clarinet") << "Clarinette"
                              << "clarinette.flac";
    QTest::newRow("oboe") << "Hautbois"
                          << "hautbois.flac";
    QTest::newRow("trumpet") << "Trompette"
                             << "trompette.flac";
    QTest::newRow("violin") << "Violon"
                            << "violon.flac";
    QTest::newRow("saxophone") << "Saxophone"
                               << "saxophone.flac";
    QTest::newRow("sung vowel") << "Voyelle chantée"
                                << "voyelle.flac";
}

void TestAnalyseFenetre::instrumentAnalyseSonFichier()
{
    QFETCH(QString, entree);
    QFETCH(QString, fichier);
    Fenetre f;
    QAction *a = Entree(f.menu(), entree);
    QVERIFY(a);
    a->trigger();
    // The same table as the file's own analysis, made here apart from the menu.
    QTemporaryDir d;
    QFile::copy(QStringLiteral(":/instruments/") + fichier, d.filePath(fichier));
    const auto attendu = AnalyseSon::Analyse(d.filePath(fichier));
    QVERIFY(attendu);
    QCOMPARE(f.banc.edition.TimbreCourant().composantes.size(), attendu->timbre.composantes.size());
    for (size_t i = 0; i < attendu->timbre.composantes.size(); ++i) {
        QCOMPARE(f.banc.edition.TimbreCourant().composantes[i].frequence, attendu->timbre.composantes[i].frequence);
        QCOMPARE(f.banc.edition.TimbreCourant().composantes[i].amplitude, attendu->timbre.composantes[i].amplitude);
    }
    QCOMPARE(f.banc.edition.analyse().nom, fichier);
    QVERIFY(!f.banc.edition.original().isEmpty());
    QCOMPARE(f.banc.wav(), FichierAttendu(f.banc.table));
}

void TestAnalyseFenetre::sonRefuse()
{
    Fenetre f;
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    const Son avant = f.banc.table;
    const QByteArray wav = f.banc.wav();
    const QString chemin = f.banc.dossier.filePath(QStringLiteral("texte.wav"));
    {
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("ceci n'est pas un son\n");
    }
    QString titre, message;
    QTimer::singleShot(0, [&] {
        if (auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            titre = boite->windowTitle();
            message = boite->text();
            boite->accept();
        }
    });
    QVERIFY(!f.menu().analyseFichier(chemin));
    QCOMPARE(titre, QStringLiteral("Son refusé"));
    QVERIFY2(message.contains(QStringLiteral("texte.wav")), qPrintable(message));
    QCOMPARE(f.banc.table, avant);
    QCOMPARE(f.banc.wav(), wav);
    QVERIFY(f.banc.edition.analyse().points.isEmpty());
}

QTEST_MAIN(TestAnalyseFenetre)
#include "tst_analysefenetre.moc"
