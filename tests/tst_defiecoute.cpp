// The "Défi d'écoute" window driven as its users drive it: opened from the "Timbres" menu, its
// commands pressed through their accessible press action, the pupil's answer built by clicks in
// the main window's spectrum; the score, the verdicts, the hints and the solution on the spectrum,
// the session's table of scores, the alerts screen readers get, and the zoom.
#include "banc.h"
#include "ecoute.h"
#include "pilote.h"

#include "plot/frequences.h"
#include "plot/surface.h"
#include "ui/bouton.h"
#include "ui/defiecoute.h"
#include "ui/loupe.h"
#include "ui/menutimbres.h"
#include "ui/synthetiseur.h"

#include <QAccessible>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// What a screen reader reads of a caption.
QString Lu(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

struct Seance
{
    Banc banc;
    std::unique_ptr<Synthetiseur> w = std::make_unique<Synthetiseur>(banc.contexte);
    QPointer<DefiEcoute> d;

    Seance()
    {
        w->show();
        QAction *ouvre = nullptr;
        for (QAction *a : w->menuTimbres()->actions())
            if (a->text() == QStringLiteral("Défi d'écoute…"))
                ouvre = a;
        Q_ASSERT(ouvre);
        if (ouvre)
            ouvre->trigger();
        d = w->defi();
        Q_ASSERT(d);
    }
    ~Seance()
    {
        delete d.data();
        w.reset();
    }
    QWidget *element(const char *nom) const { return d->findChild<QWidget *>(QString::fromUtf8(nom)); }
    /// Pressed through its accessible press action, which clicks after a short delay.
    bool presse(const char *nom) const
    {
        auto *b = qobject_cast<QAbstractButton *>(element(nom));
        if (!b)
            return false;
        QSignalSpy clics(b, &QAbstractButton::clicked);
        return PresseAccessible(b) && (clics.count() > 0 || clics.wait(2000));
    }
    QString texte(const char *nom) const { return d->findChild<QLabel *>(QString::fromUtf8(nom))->text(); }
    /// The verdict lines shown, in reading order (the first column, then the second).
    QStringList verdicts() const
    {
        QStringList l;
        for (int i = 0; i < 12; ++i)
            if (const QString t = texte(qPrintable(QStringLiteral("Verdict(%1)").arg(i))); !t.isEmpty())
                l << t;
        return l;
    }
    /// The challenge typed in the number field and confirmed, the level pressed.
    void choisit(int numero, int niveau)
    {
        const bool presse_ = presse(qPrintable(QStringLiteral("Niveau(%1)").arg(niveau)));
        Q_ASSERT(presse_);
        Q_UNUSED(presse_);
        auto *champ = d->findChild<QLineEdit *>(QStringLiteral("Numero"));
        champ->setFocus();
        champ->selectAll();
        QTest::keyClicks(champ, QString::number(numero));
        QTest::keyClick(champ, Qt::Key_Return);
    }
    /// The pupil's table: cleared, then one click per harmonic (rank, amplitude) on the table's fundamental.
    void construit(std::initializer_list<std::pair<int, double>> composantes)
    {
        Pilote::Clique(w, "Effacer");
        const int f = banc.table.Frequence[1];
        for (auto [rang, amplitude] : composantes) {
            if (rang == 1)
                continue; // the clear keeps the fundamental at 10
            Pilote::RelacheSpectre(w, 1, float(rang * f), float(10.0 - amplitude));
        }
    }
};

// The purple columns of the spectrum's hidden layer, as user frequencies, above the base line.
QList<double> Marques(Surface &s)
{
    const QImage &im = s.image();
    const qreal r = im.devicePixelRatio();
    QList<double> x;
    for (int i = 0; i < im.width(); ++i)
        for (int j = 0; j < im.height(); ++j)
            if (im.pixelColor(i, j) == QColor(150, 0, 150) && s.versUtilisateur(QPointF(i / r, j / r)).y() < 9.5) {
                x << s.versUtilisateur(QPointF((i + 0.5) / r, 0)).x();
                break;
            }
    return x;
}

// The hidden layer's pixels on the base line's row, as user frequencies: only the marks' feet
// belong there, never a line joining them.
QList<double> SurLaLigneDeBase(Surface &s)
{
    const QImage &im = s.image();
    const qreal r = im.devicePixelRatio();
    const int rangee = int(std::floor(s.repere().versPixels(0, 10).y() * r));
    QList<double> x;
    for (int i = 0; i < im.width(); ++i)
        if (im.pixelColor(i, rangee) == QColor(150, 0, 150))
            x << s.versUtilisateur(QPointF((i + 0.5) / r, 0)).x();
    return x;
}

// The base line's colour at `hertz`: the grid's, where nothing else is drawn.
QColor LigneDeBase(Surface &s, double hertz)
{
    const QImage &im = s.image();
    const qreal r = im.devicePixelRatio();
    const QPointF p = s.repere().versPixels(hertz, 10) * r;
    return im.pixelColor(int(std::floor(p.x())), int(std::floor(p.y())));
}

bool Pres(const QList<double> &colonnes, double hertz)
{
    for (double c : colonnes)
        if (std::abs(c - hertz) < 15)
            return true;
    return false;
}

} // namespace

class TestDefiEcoute : public QObject
{
    Q_OBJECT

private slots:
    void commandesAccessibles();
    void unTourEntier();
    void verdicts_data();
    void verdicts();
    void solutionSurLeSpectre();
    void marquesSeparees_data();
    void marquesSeparees();
    void nouveauDefiEtNumero();
    void tableauDesScores();
    void suitLaLoupe();
    void ecouteLeDefiPuisMonSon();
    void sansFenetrePrincipale();
};

namespace {

// The amplitude of each harmonic of `f` in 16-bit samples, measured over their first second.
std::vector<double> Harmoniques(const QByteArray &octets, int f)
{
    std::vector<double> x;
    for (qsizetype i = 0; i + 1 < octets.size() && x.size() < size_t(Frequence); i += 2)
        x.push_back(qint16(quint8(octets[i]) | (quint8(octets[i + 1]) << 8)));
    std::vector<double> a;
    for (int k = 0; k <= 8; ++k)
        a.push_back(k == 0 ? 0.0 : AmplitudeBloc(x, 0, x.size(), double(k * f)));
    return a;
}

} // namespace

void TestDefiEcoute::ecouteLeDefiPuisMonSon()
{
    // "Écouter le défi" switches the player to the hidden timbre on the table's fundamental and
    // starts the loop; "Écouter mon son" switches back to the table's own samples.
    Seance s;
    s.choisit(4821, 3);
    s.banc.lecture.journal.clear();
    QVERIFY(s.presse("EcouteDefi"));
    QCOMPARE(s.banc.edition.ecoute(), Ecoute::Defi);
    QVERIFY(s.banc.table.SonActif);
    QVERIFY(s.banc.lecture.journal.contains(QStringLiteral("bascule")));
    QVERIFY(s.banc.lecture.journal.contains(QStringLiteral("joue")));
    // What the player got, measured: harmonics 1, 2, 5, 7 in the proportions 10 : 4 : 10 : 5, nothing else.
    std::vector<double> a = Harmoniques(s.banc.lecture.sonJoue, 440);
    QVERIFY(a[1] > 1000);
    const double attendu[] = {0, 10, 4, 0, 0, 10, 0, 5, 0};
    for (int k = 1; k <= 8; ++k)
        QVERIFY2(std::abs(a[k] / a[1] * 10 - attendu[k]) < 0.1, qPrintable(QString::number(k)));

    // A new round while it is heard: the player switches to the new hidden timbre.
    const qsizetype avant = s.banc.lecture.bascules.size();
    s.choisit(4821, 1); // 1:10 7:3
    QVERIFY(s.banc.lecture.bascules.size() > avant);
    a = Harmoniques(s.banc.lecture.son, 440);
    QVERIFY(std::abs(a[7] / a[1] * 10 - 3) < 0.1);
    QVERIFY(a[2] / a[1] < 0.01);
    // A new fundamental while it is heard: the challenge follows it.
    Pilote::GlisseFondamental(s.w, 330, 5, 0);
    Pilote::LacheFondamental(s.w);
    const int f = s.banc.table.Frequence[1];
    QVERIFY(f != 440);
    a = Harmoniques(s.banc.lecture.son, f);
    QVERIFY2(a[1] > 1000 && std::abs(a[7] / a[1] * 10 - 3) < 0.1, qPrintable(QString::number(f)));

    QVERIFY(s.presse("EcouteMonSon"));
    QCOMPARE(s.banc.edition.ecoute(), Ecoute::Modele);
    QCOMPARE(s.banc.lecture.son, s.banc.generateur.echantillons());
    // test.wav stays the table's own sound throughout.
    QCOMPARE(s.banc.wav(), FichierAttendu(s.banc.table));
}

void TestDefiEcoute::commandesAccessibles()
{
    // Every command is a button offering a press action, with a name; the level chosen is checked.
    Seance s;
    const char *commandes[] = {"Niveau(1)",  "Niveau(2)",    "Niveau(3)", "Niveau(4)", "Niveau(5)", "Nouveau",
                               "EcouteDefi", "EcouteMonSon", "Verifier",  "Indice",    "Solution"};
    for (const char *nom : commandes) {
        auto *b = qobject_cast<Bouton *>(s.element(nom));
        QVERIFY2(b, nom);
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(b);
        QVERIFY(i);
        QVERIFY2(i->role() == QAccessible::Button, nom);
        QVERIFY2(i->actionInterface()
                     && i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 nom);
        QVERIFY2(!i->text(QAccessible::Name).isEmpty(), nom);
    }
    QCOMPARE(s.element("Numero")->accessibleName(), QStringLiteral("Numéro du défi"));
    s.choisit(17, 4);
    QCOMPARE(s.d->defi().niveau, 4);
    QCOMPARE(s.element("Niveau(4)")->accessibleDescription(), QStringLiteral("Niveau choisi"));
    QCOMPARE(s.element("Niveau(3)")->accessibleDescription(), QString());
    // Tab goes through the levels, the number and the commands in reading order.
    s.d->activateWindow();
    s.element("Niveau(1)")->setFocus(Qt::TabFocusReason);
    const QStringList tour = TourDeTab(s.d);
    QCOMPARE(tour.mid(0, 12), (QStringList{"Niveau(1)", "Niveau(2)", "Niveau(3)", "Niveau(4)", "Niveau(5)", "Numero",
                                           "Nouveau", "EcouteDefi", "EcouteMonSon", "Verifier", "Indice", "Solution"}));
}

void TestDefiEcoute::unTourEntier()
{
    // "Défi 4821, niveau 3": 1:10 2:4 5:10 7:5, as the generator's reference gives it.
    Seance s;
    s.choisit(4821, 3);
    QCOMPARE(s.d->defi().cachees, (std::vector<Defis::Cachee>{{1, 10}, {2, 4}, {5, 10}, {7, 5}}));
    QCOMPARE(s.d->findChild<QLineEdit *>(QStringLiteral("Numero"))->text(), QStringLiteral("4821"));

    // The table holds the fundamental alone, right already: the first hint is harmonic 2, a mark
    // at 880 Hz on the main window's spectrum, and the best score left is 90.
    QVERIFY(s.presse("Indice"));
    QCOMPARE(s.d->indices(), std::vector<int>{2});
    QVERIFY(s.texte("Etat").contains(QStringLiteral("harmonique 2, amplitude 4")));
    QVERIFY(s.texte("Etat").contains(QStringLiteral("90")));
    QCOMPARE(Lu(s.element("Etat")), s.texte("Etat"));
    QList<double> marques = Marques(s.w->spectre());
    QVERIFY(Pres(marques, 880));
    QVERIFY(!Pres(marques, 5 * 440));
    QVERIFY(!Pres(marques, 440));

    // The right answer, built in the spectrum, checked: the hint cost 10.
    s.construit({{1, 10}, {2, 4}, {5, 10}, {7, 5}});
    QVERIFY(s.presse("Verifier"));
    QCOMPARE(s.d->resultat()->sansIndice, 100);
    QCOMPARE(s.d->resultat()->score, 90);
    QCOMPARE(s.texte("Score"), QStringLiteral("Score : 90 sur 100"));
    QCOMPARE(Lu(s.element("Score")), QStringLiteral("Score : 90 sur 100"));
    // Screen readers speak the score and the hints as notifications that show (tests/atspi.py
    // hears them over the accessibility bus).
    for (const char *nom : {"Score", "Etat"})
        QVERIFY2(QAccessible::queryAccessibleInterface(s.element(nom))->role() == QAccessible::Notification, nom);
    QVERIFY(s.element("Score")->isVisible());
    for (const Defis::Ligne &l : s.d->resultat()->lignes)
        QCOMPARE(l.verdict, Defis::Verdict::Juste);
    QCOMPARE(s.verdicts(), (QStringList{"harmonique 1 : juste", "harmonique 2 : juste", "harmonique 5 : juste",
                                        "harmonique 7 : juste"}));

    // Nothing left to hint at: the score stays.
    QVERIFY(s.presse("Indice"));
    QCOMPARE(s.d->indices().size(), size_t(1));

    // The same round without a hint scores 100 (a fresh round of the same challenge).
    s.choisit(4822, 3);
    // A new round has no score yet: nothing shown, nothing left for a screen reader.
    QVERIFY(!s.element("Score")->isVisible());
    QCOMPARE(Lu(s.element("Score")), QString());
    s.choisit(4821, 3);
    QVERIFY(s.presse("Verifier"));
    QCOMPARE(s.texte("Score"), QStringLiteral("Score : 100 sur 100"));
    QVERIFY(Marques(s.w->spectre()).isEmpty()); // a new round takes the marks away
}

void TestDefiEcoute::verdicts_data()
{
    QTest::addColumn<int>("niveau");
    QTest::addColumn<QList<QPointF>>("eleve"); // (rank, amplitude); rank 1 is the clear's 10
    QTest::addColumn<int>("score");
    QTest::addColumn<QStringList>("lignes");

    // 4821 at level 1 is 1:10 7:3. Against 1:10 3:5 7:6: ΣP = 13, ΣQ = 21;
    // Σ|P_k ΣQ − Q_k ΣP| = |210 − 130| + |0 − 65| + |63 − 78| = 160; D = 160 / 546; 100 (1 − D) = 70.7.
    QTest::newRow("too loud, extra") << 1 << QList<QPointF>{{3, 5}, {7, 6}} << 71
                                     << QStringList{"harmonique 1 : juste", "harmonique 3 : en trop",
                                                    "harmonique 7 : trop fort"};
    // Against 1:10 alone: D = |10·10 − 10·13| + |3·10 − 0| = 60 over 2·13·10: 100 (1 − 60/260) = 76.9.
    QTest::newRow("missing") << 1 << QList<QPointF>{} << 77
                             << QStringList{"harmonique 1 : juste", "harmonique 7 : manquant"};
    // Against 1:10 7:1: |10·11 − 10·13| + |3·11 − 1·13| = 40 over 2·13·11: 100 (1 − 40/286) = 86.0.
    QTest::newRow("too soft") << 1 << QList<QPointF>{{7, 1}} << 86
                              << QStringList{"harmonique 1 : juste", "harmonique 7 : trop faible"};
}

void TestDefiEcoute::verdicts()
{
    QFETCH(int, niveau);
    QFETCH(QList<QPointF>, eleve);
    QFETCH(int, score);
    QFETCH(QStringList, lignes);
    Seance s;
    s.choisit(4821, niveau);
    Pilote::Clique(s.w, "Effacer");
    for (const QPointF &c : eleve)
        Pilote::RelacheSpectre(s.w, 1, float(c.x() * 440), float(10 - c.y()));
    QVERIFY(s.presse("Verifier"));
    QCOMPARE(s.texte("Score"), QStringLiteral("Score : %1 sur 100").arg(score));
    QCOMPARE(s.verdicts(), lignes);
}

void TestDefiEcoute::solutionSurLeSpectre()
{
    // The solution draws every hidden component over the spectrum, on the table's fundamental,
    // and counts as a hint for each one not revealed yet.
    Seance s;
    s.choisit(4821, 3);
    Pilote::GlisseFondamental(s.w, 300, 5, 0);
    Pilote::LacheFondamental(s.w);
    const int f = s.banc.table.Frequence[1];
    QVERIFY(f != 440);
    QVERIFY(s.presse("Indice"));
    QVERIFY(s.presse("Solution"));
    QVERIFY(s.d->solutionMontree());
    QCOMPARE(s.d->indices().size(), size_t(3));
    QVERIFY2(s.texte("Etat").contains(QStringLiteral("70")), qPrintable(s.texte("Etat")));
    const QList<double> marques = Marques(s.w->spectre());
    for (int rang : {1, 2, 5, 7})
        QVERIFY2(Pres(marques, rang * f), qPrintable(QString::number(rang)));
    QVERIFY(!Pres(marques, 3 * f));
    // The marks follow the fundamental.
    Pilote::GlisseFondamental(s.w, 500, 5, 0);
    Pilote::LacheFondamental(s.w);
    const int g = s.banc.table.Frequence[1];
    QVERIFY(Pres(Marques(s.w->spectre()), 2 * g));
    QVERIFY(!Pres(Marques(s.w->spectre()), 2 * f));
    // The right answer after the solution: 100 − 3 hints.
    s.construit({{1, 10}, {2, 4}, {5, 10}, {7, 5}});
    QVERIFY(s.presse("Verifier"));
    QCOMPARE(s.d->resultat()->score, 70);
    // Closed, the window takes its marks with it.
    s.d->close();
    QTRY_VERIFY(!s.d);
    QVERIFY(Marques(s.w->spectre()).isEmpty());
}

void TestDefiEcoute::marquesSeparees_data()
{
    QTest::addColumn<QStringList>("commandes");
    QTest::addColumn<QList<int>>("rangs"); // the harmonics marked
    // 4821 at level 3 is 1:10 2:4 5:10 7:5; the table holds its fundamental alone, at 440 Hz.
    QTest::newRow("two hints") << QStringList{"Indice", "Indice"} << QList<int>{2, 5};
    QTest::newRow("solution") << QStringList{"Solution"} << QList<int>{1, 2, 5, 7};
}

void TestDefiEcoute::marquesSeparees()
{
    // Each mark is a line of its own: the base line between two marks keeps the grid's colour.
    QFETCH(QStringList, commandes);
    QFETCH(QList<int>, rangs);
    Seance s;
    s.choisit(4821, 3);
    for (const QString &c : commandes)
        QVERIFY(s.presse(qPrintable(c)));
    Surface &spectre = s.w->spectre();
    const QList<double> marques = Marques(spectre);
    for (int rang : rangs)
        QVERIFY2(Pres(marques, rang * 440), qPrintable(QString::number(rang)));
    const QList<double> pieds = SurLaLigneDeBase(spectre);
    QVERIFY(!pieds.isEmpty());
    for (double x : pieds)
        QVERIFY2(std::any_of(rangs.begin(), rangs.end(), [x](int rang) { return std::abs(x - rang * 440) < 15; }),
                 qPrintable(QStringLiteral("hidden layer on the base line at %1 Hz").arg(x)));
    for (qsizetype i = 1; i < rangs.size(); ++i) {
        const double milieu = (rangs[i - 1] + rangs[i]) * 440 / 2.0;
        QCOMPARE(LigneDeBase(spectre, milieu), Spectre::CouleurGrille);
    }
}

void TestDefiEcoute::nouveauDefiEtNumero()
{
    Seance s;
    s.choisit(4821, 2);
    auto *champ = s.d->findChild<QLineEdit *>(QStringLiteral("Numero"));
    QVERIFY(s.presse("Nouveau"));
    const int n = s.d->defi().numero;
    QVERIFY(n != 4821);
    QCOMPARE(s.d->defi().niveau, 2);
    QCOMPARE(s.d->defi(), *Defis::Genere(n, 2));
    QCOMPARE(champ->text(), QString::number(n));
    QVERIFY(s.texte("Etat").startsWith(QStringLiteral("Défi n° %1, niveau 2").arg(n)));
    // Only four digits are taken; letters are refused.
    champ->setFocus();
    champ->selectAll();
    QTest::keyClicks(champ, QStringLiteral("12a345"));
    QCOMPARE(champ->text(), QStringLiteral("1234"));
    QTest::keyClick(champ, Qt::Key_Return);
    QCOMPARE(s.d->defi(), *Defis::Genere(1234, 2));
    // An empty field gives the number back.
    champ->selectAll();
    QTest::keyClick(champ, Qt::Key_Backspace);
    QTest::keyClick(champ, Qt::Key_Return);
    s.element("Nouveau")->setFocus();
    QCOMPARE(champ->text(), QStringLiteral("1234"));
    QCOMPARE(s.d->defi().numero, 1234);
}

void TestDefiEcoute::tableauDesScores()
{
    // One row per round checked, its last check shown.
    Seance s;
    s.choisit(4821, 1);
    QVERIFY(s.presse("Verifier")); // 1:10 alone against 1:10 7:3: 77
    s.construit({{1, 10}, {7, 3}});
    QVERIFY(s.presse("Verifier"));
    s.choisit(4821, 3);
    QVERIFY(s.presse("Indice"));
    QVERIFY(s.presse("Verifier"));
    const QList<DefiEcoute::Ligne> attendu{{4821, 1, 0, 100}, {4821, 3, 1, s.d->resultat()->score}};
    QCOMPARE(s.d->scores(), attendu);
    auto *t = s.d->findChild<QTableWidget *>(QStringLiteral("Scores"));
    QCOMPARE(t->rowCount(), 2);
    QCOMPARE(t->item(0, 0)->text(), QStringLiteral("4821"));
    QCOMPARE(t->item(0, 3)->text(), QStringLiteral("100"));
    QCOMPARE(t->item(1, 1)->text(), QStringLiteral("3"));
    QCOMPARE(t->item(1, 2)->text(), QStringLiteral("1"));
    QCOMPARE(t->item(1, 3)->text(), QString::number(attendu[1].score));
}

void TestDefiEcoute::suitLaLoupe()
{
    // At 200 % the window and its elements are twice as large, the table's rows too.
    Seance s;
    const QSize aCent = s.d->size();
    const QRect verifier = s.element("Verifier")->geometry();
    auto *t = s.d->findChild<QTableWidget *>(QStringLiteral("Scores"));
    const int rangee = t->verticalHeader()->defaultSectionSize();
    s.w->loupe().fixe(200);
    QCOMPARE(s.d->size(), aCent * 2);
    QVERIFY(std::abs(s.element("Verifier")->width() - 2 * verifier.width()) <= 1);
    QVERIFY(std::abs(s.element("Verifier")->x() - 2 * verifier.x()) <= 1);
    QCOMPARE(t->verticalHeader()->defaultSectionSize(), 2 * rangee);
    QCOMPARE(s.element("Numero")->font().pointSizeF(), 24.0);
    s.w->loupe().fixe(100);
    QCOMPARE(s.d->size(), aCent);
}

void TestDefiEcoute::sansFenetrePrincipale()
{
    // The main window closed: the window stays and its commands change nothing, crash nothing.
    Seance s;
    const Son avant = s.banc.table;
    s.w.reset();
    QVERIFY(s.d);
    for (const char *nom : {"Verifier", "Indice", "Solution", "EcouteDefi", "EcouteMonSon", "Nouveau"})
        QVERIFY(s.presse(nom));
    QCOMPARE(s.banc.table, avant);
    QVERIFY(!s.d->resultat());
}

QTEST_MAIN(TestDefiEcoute)
#include "tst_defiecoute.moc"
