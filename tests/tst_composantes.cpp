#include "banc.h"
#include "pilote.h"
#include "tables.h"

#include "model/regles.h"
#include "model/timbre.h"
#include "synth/generateur.h"
#include "synth/timbrefichier.h"
#include "ui/composantes.h"
#include "ui/loupe.h"
#include "ui/menutimbres.h"
#include "ui/synthetiseur.h"

#include <QAccessible>
#include <QAction>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

#include <cmath>

namespace {

using Composants = QList<QPair<int, float>>; // (frequency, amplitude) of slots 1, 2, …

Son EnTable(const Composants &c, bool musical)
{
    Son t;
    for (int j = 0; j < c.size(); ++j) {
        t.Frequence[j + 1] = static_cast<std::int16_t>(c[j].first);
        t.Amplitude[j + 1] = c[j].second;
    }
    t.ProchaineComposante = static_cast<std::int16_t>(c.size() + 1);
    t.Musical = musical;
    return t;
}

// What the player should get for `table` with only the slots of `audibles` heard (empty: all):
// each muted component's peak at zero, the others at the whole table's scale.
QByteArray Joue(const Son &table, const QList<int> &audibles)
{
    Synthese::Plan p;
    if (!Synthese::Prepare(table, p))
        return {};
    if (!audibles.isEmpty())
        for (int i = 1; i <= Son::Max; ++i)
            if (!audibles.contains(i))
                p.c[i] = 0;
    QByteArray octets;
    return Synthese::Echantillons(p, octets) < 0 ? octets : QByteArray();
}

// The main window with its components' window opened from the "Timbres" menu, found by its text.
struct Poste
{
    Banc banc;
    QPointer<Synthetiseur> principal = new Synthetiseur(banc.contexte);
    QPointer<Composantes> fenetre;

    Poste()
    {
        principal->show();
        QAction *entree = nullptr;
        for (QAction *a : principal->menuTimbres()->actions())
            if (a->text() == QStringLiteral("Composantes…"))
                entree = a;
        Q_ASSERT(entree);
        entree->trigger();
        fenetre = principal->composantes();
        Q_ASSERT(fenetre);
    }
    ~Poste()
    {
        delete fenetre;
        delete principal;
    }

    void charge(const Composants &c, bool musical)
    {
        Timbre t;
        for (auto [f, a] : c)
            t.composantes.push_back({double(f), double(a)});
        t.multiples = musical;
        const bool ok = banc.edition.ChargeTimbre(t);
        Q_ASSERT(ok);
    }

    // The rows show the table, value by value, and no more rows than it has components.
    bool montreLaTable() const
    {
        const Son &t = banc.table;
        const int n = t.ProchaineComposante - 1;
        if (fenetre->lignesMontrees() != n)
            return false;
        for (int i = 1; i <= n; ++i)
            if (fenetre->frequence(i)->value() != t.Frequence[i]
                || fenetre->curseur(i)->value() != int(std::lround(t.Amplitude[i] * 10))
                || std::abs(fenetre->amplitude(i)->value() - t.Amplitude[i]) > 0.051)
                return false;
        return true;
    }

    // One action on the window's controls: "glisse I A1 A2 …" (a slider's drag through those
    // amplitudes, then its release), "amplitude I A", "frequence I F", "muette I", "solo I".
    void agit(const QString &action)
    {
        const QStringList m = action.split(u' ');
        const int i = m.at(1).toInt();
        if (m[0] == u"glisse") {
            QSlider *c = fenetre->curseur(i);
            c->setSliderDown(true);
            for (int k = 2; k < m.size(); ++k)
                c->setValue(int(std::lround(m[k].toDouble() * 10)));
            c->setSliderDown(false);
        } else if (m[0] == u"amplitude") {
            fenetre->amplitude(i)->setValue(m[2].toDouble());
        } else if (m[0] == u"frequence") {
            fenetre->frequence(i)->setValue(m[2].toInt());
        } else if (m[0] == u"muette") {
            fenetre->muette(i)->click();
        } else if (m[0] == u"solo") {
            fenetre->solo(i)->click();
        }
    }
};

} // namespace

class TestComposantes : public QObject
{
    Q_OBJECT

private slots:
    void editionsParLesControles_data();
    void editionsParLesControles();
    void glissementUnSeulPas();
    void suitLesEditionsAilleurs();
    void fermetureRendLeSon();
    void clavierSeul();
    void accessibilite_data();
    void accessibilite();
    void zoom();
};

void TestComposantes::editionsParLesControles_data()
{
    QTest::addColumn<Composants>("depart");
    QTest::addColumn<bool>("musical");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<Composants>("attendu");
    QTest::addColumn<double>("marqueur");     // the marker's left edge afterwards
    QTest::addColumn<QList<int>>("audibles"); // slots heard (empty: all)
    QTest::addColumn<bool>("etape");          // one undo step

    const Composants trois{{220, 10}, {440, 5}, {660, 3}};
    const Composants libre{{220, 10}, {450, 5}, {700, 3}};
    QTest::newRow("amplitude: slider dragged, one step")
        << trois << true << QStringList{"glisse 3 4 6 7.5"} << Composants{{220, 10}, {440, 5}, {660, 7.5f}} << 220.0
        << QList<int>{} << true;
    QTest::newRow("amplitude: slider to 0")
        << trois << true << QStringList{"glisse 2 0"} << Composants{{220, 10}, {440, 0}, {660, 3}} << 220.0
        << QList<int>{} << true;
    QTest::newRow("amplitude: field") << trois << true << QStringList{"amplitude 2 2.5"}
                                      << Composants{{220, 10}, {440, 2.5f}, {660, 3}} << 220.0 << QList<int>{} << true;
    QTest::newRow("amplitude of the fundamental: field")
        << trois << true << QStringList{"amplitude 1 4"} << Composants{{220, 4}, {440, 5}, {660, 3}} << 220.0
        << QList<int>{} << true;
    QTest::newRow("frequency without multiples")
        << libre << false << QStringList{"frequence 3 1234"} << Composants{{220, 10}, {450, 5}, {1234, 3}} << 220.0
        << QList<int>{} << true;
    // floor(1000 / 220 + 0.5) = 5 multiples.
    QTest::newRow("frequency with multiples: snapped")
        << trois << true << QStringList{"frequence 3 1000"} << Composants{{220, 10}, {440, 5}, {1100, 3}} << 220.0
        << QList<int>{} << true;
    QTest::newRow("frequency with multiples: never below one fundamental")
        << trois << true << QStringList{"frequence 2 50"} << Composants{{220, 10}, {220, 5}, {660, 3}} << 220.0
        << QList<int>{} << true;
    // 32767 / 220 = 148.9: the highest multiple that fits is 148 × 220.
    QTest::newRow("frequency with multiples: the highest that fits")
        << trois << true << QStringList{"frequence 3 32767"} << Composants{{220, 10}, {440, 5}, {32560, 3}} << 220.0
        << QList<int>{} << true;
    // As a drop: each harmonic keeps its number, floor(f / 220 + 0.45).
    QTest::newRow("fundamental moved, harmonics follow")
        << trois << true << QStringList{"frequence 1 300"} << Composants{{300, 10}, {600, 5}, {900, 3}} << 300.0
        << QList<int>{} << true;
    QTest::newRow("fundamental moved without multiples: nearest harmonic numbers")
        << libre << false << QStringList{"frequence 1 300"} << Composants{{300, 10}, {600, 5}, {900, 3}} << 300.0
        << QList<int>{} << true;
    QTest::newRow("fundamental beyond the plot: the marker at its edge")
        << trois << true << QStringList{"frequence 1 6000"} << Composants{{6000, 10}, {12000, 5}, {18000, 3}}
        << Regles::XMaxFondamental << QList<int>{} << true;
    QTest::newRow("fundamental at the top: harmonics held at 32767 Hz")
        << trois << true << QStringList{"frequence 1 32767"} << Composants{{32767, 10}, {32767, 5}, {32767, 3}}
        << Regles::XMaxFondamental << QList<int>{} << true;
    QTest::newRow("mute") << trois << true << QStringList{"muette 2"} << trois << 220.0 << QList<int>{1, 3} << false;
    QTest::newRow("mute twice: heard again")
        << trois << true << QStringList{"muette 2", "muette 2"} << trois << 220.0 << QList<int>{} << false;
    QTest::newRow("two muted") << trois << true << QStringList{"muette 1", "muette 3"} << trois << 220.0
                               << QList<int>{2} << false;
    QTest::newRow("solo") << trois << true << QStringList{"solo 3"} << trois << 220.0 << QList<int>{3} << false;
    QTest::newRow("solo on a muted one: heard alone")
        << trois << true << QStringList{"muette 2", "solo 2"} << trois << 220.0 << QList<int>{2} << false;
    QTest::newRow("another solo takes over")
        << trois << true << QStringList{"solo 3", "solo 1"} << trois << 220.0 << QList<int>{1} << false;
    QTest::newRow("solo off: the mutes again")
        << trois << true << QStringList{"muette 1", "solo 3", "solo 3"} << trois << 220.0 << QList<int>{2, 3} << false;
    QTest::newRow("edit while muted: test.wav whole, the player masked")
        << trois << true << QStringList{"muette 3", "amplitude 2 8"} << Composants{{220, 10}, {440, 8}, {660, 3}}
        << 220.0 << QList<int>{1, 2} << true;
}

void TestComposantes::editionsParLesControles()
{
    QFETCH(Composants, depart);
    QFETCH(bool, musical);
    QFETCH(QStringList, actions);
    QFETCH(Composants, attendu);
    QFETCH(double, marqueur);
    QFETCH(QList<int>, audibles);
    QFETCH(bool, etape);
    Poste p;
    p.charge(depart, musical);
    QVERIFY(p.montreLaTable());
    const Son avant = p.banc.table;
    const QByteArray wavAvant = p.banc.wav();
    const double marqueurAvant = p.banc.edition.fondamental();
    QCOMPARE(wavAvant, FichierAttendu(EnTable(depart, musical)));
    const int pas = p.banc.edition.historique().count();

    for (const QString &a : actions)
        p.agit(a);

    const Son voulu = EnTable(attendu, musical);
    QCOMPARE(p.banc.table.Frequence, voulu.Frequence);
    QCOMPARE(p.banc.table.Amplitude, voulu.Amplitude);
    QCOMPARE(p.banc.table.ProchaineComposante, voulu.ProchaineComposante);
    QCOMPARE(p.banc.edition.fondamental(), marqueur);
    QVERIFY(p.montreLaTable());
    // test.wav is the table's own sound, mutes or not; the player gets the table through the mask.
    QCOMPARE(p.banc.wav(), FichierAttendu(voulu));
    QCOMPARE(p.banc.lecture.son, Joue(voulu, audibles));
    QCOMPARE(p.banc.edition.historique().count(), pas + (etape ? 1 : 0));

    // Undo: the table, the marker, the rows and test.wav as they were; the mutes stay where they are.
    if (etape) {
        p.banc.edition.Annule();
        QCOMPARE(p.banc.table, avant);
        QCOMPARE(p.banc.edition.fondamental(), marqueurAvant);
        QCOMPARE(p.banc.wav(), wavAvant);
        QVERIFY(p.montreLaTable());
        QCOMPARE(p.banc.lecture.son, Joue(avant, audibles));
    }
}

void TestComposantes::glissementUnSeulPas()
{
    // The steps of a drag: the table, the spectrum and the coarse time plot follow, the player
    // gets each step's samples, nothing is written and nothing recorded until the release.
    Poste p;
    p.charge({{440, 10}, {880, 5}, {1320, 2}}, true);
    const QByteArray wav = p.banc.wav();
    const int pas = p.banc.edition.historique().count();
    QSignalSpy spectre(&p.banc.edition, &Edition::spectreChange);
    QSignalSpy temps(&p.banc.edition, &Edition::tempsChange);
    QSignalSpy ecrit(&p.banc.edition, &Edition::sonGenere);
    QSlider *c = p.fenetre->curseur(2);
    c->setSliderDown(true);
    for (double a : {6.0, 7.3, 9.1}) {
        const auto bascules = p.banc.lecture.bascules.size();
        spectre.clear();
        temps.clear();
        c->setValue(int(std::lround(a * 10)));
        QCOMPARE(p.banc.table.Amplitude[2], float(a));
        QCOMPARE(spectre.size(), 1);
        QCOMPARE(temps.size(), 1);
        QCOMPARE(temps.at(0).at(0).toInt(), int(Edition::Grossier));
        QCOMPARE(p.banc.lecture.bascules.size(), bascules + 1);
        QCOMPARE(p.banc.lecture.bascules.last(), Joue(p.banc.table, {}));
        QCOMPARE(p.banc.wav(), wav);
        QCOMPARE(ecrit.size(), 0);
        QCOMPARE(p.banc.edition.historique().count(), pas);
        QCOMPARE(p.fenetre->amplitude(2)->value(), a);
    }
    temps.clear();
    c->setSliderDown(false);
    QCOMPARE(temps.size(), 1);
    QCOMPARE(temps.at(0).at(0).toInt(), int(Edition::Fin));
    QCOMPARE(ecrit.size(), 1);
    QCOMPARE(p.banc.wav(), FichierAttendu(Table({{440, 10}, {880, 9.1f}, {1320, 2}})));
    QCOMPARE(p.banc.edition.historique().count(), pas + 1);
    // A press and release without a move records nothing.
    c->setSliderDown(true);
    c->setSliderDown(false);
    QCOMPARE(p.banc.edition.historique().count(), pas + 1);
    p.banc.edition.Annule();
    QCOMPARE(p.banc.table.Amplitude[2], 5.0f);
    QCOMPARE(p.banc.wav(), wav);
}

void TestComposantes::suitLesEditionsAilleurs()
{
    Poste p;
    QVERIFY(p.montreLaTable());
    QCOMPARE(p.fenetre->lignesMontrees(), 1);
    struct Edit
    {
        const char *quoi;
        std::function<void()> fait;
        int composantes;
    };
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("t.timbre"));
    {
        Timbre t;
        t.composantes = {{330, 9}, {660, 4}, {990, 2}, {1320, 1}};
        QVERIFY(TimbreFichier::Enregistre(fichier, t));
    }
    const Edit edits[] = {
        {"a click adds", [&] { Pilote::RelacheSpectre(p.principal, 1, 880.0f, 4.0f); }, 2},
        {"another click", [&] { Pilote::RelacheSpectre(p.principal, 1, 1320.0f, 7.0f); }, 3},
        {"a key of the keyboard", [&] { p.banc.edition.ChoisitNote(12); }, 3},
        {"a drag of the fundamental",
         [&] {
             Pilote::GlisseFondamental(p.principal, 300.0f, 5.0f, 2);
             Pilote::LacheFondamental(p.principal);
         },
         3},
        {"a right click removes", [&] { Pilote::RelacheSpectre(p.principal, 2, 0.0f, 5.0f); }, 2},
        {"undo", [&] { p.banc.edition.Annule(); }, 3},
        {"redo", [&] { p.banc.edition.Retablit(); }, 2},
        {"a file", [&] { QVERIFY(p.principal->OuvreFichier(fichier)); }, 4},
        {"a classic timbre", [&] { p.banc.edition.ChoisitTimbreType(Timbres::Types[0]); }, -1},
        {"clear", [&] { Pilote::Clique(p.principal, "Effacer"); }, 1},
        {"undo the clear", [&] { p.banc.edition.Annule(); }, -1},
    };
    for (const Edit &e : edits) {
        e.fait();
        if (e.composantes > 0)
            QVERIFY2(p.banc.table.ProchaineComposante - 1 == e.composantes, e.quoi);
        QVERIFY2(p.montreLaTable(), e.quoi);
    }
    // The multiples-only option changes the frequency fields' step, as the arrows move.
    Pilote::Clique(p.principal, "Musical");
    QCOMPARE(p.fenetre->frequence(2)->singleStep(), 1);
    Pilote::Clique(p.principal, "Musical");
    QCOMPARE(p.fenetre->frequence(2)->singleStep(), int(p.banc.table.Frequence[1]));
}

void TestComposantes::fermetureRendLeSon()
{
    // Mutes belong to the window: closed, the whole table is heard again; a component removed
    // takes its toggles with it.
    Poste p;
    p.charge({{220, 10}, {440, 5}, {660, 3}}, true);
    p.agit(QStringLiteral("muette 3"));
    QCOMPARE(p.banc.lecture.son, Joue(p.banc.table, {1, 2}));
    p.banc.edition.RetireDerniere();
    QVERIFY(!p.fenetre->muette(3)->isChecked());
    QCOMPARE(p.banc.lecture.son, Joue(p.banc.table, {}));
    p.agit(QStringLiteral("solo 2"));
    QCOMPARE(p.banc.lecture.son, Joue(p.banc.table, {2}));
    p.fenetre->close();
    QTRY_VERIFY(!p.fenetre);
    QCOMPARE(p.banc.edition.masque(), Regles::Audibles({}, 0));
    QCOMPARE(p.banc.lecture.son, Joue(p.banc.table, {}));
}

void TestComposantes::clavierSeul()
{
    Poste p;
    p.charge({{220, 10}, {440, 5}}, true);
    p.fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.fenetre));
    p.fenetre->frequence(1)->setFocus(Qt::OtherFocusReason);
    // Tab goes row by row, and only through the rows of the table.
    QCOMPARE(TourDeTab(p.fenetre), (QStringList{"Frequence(1)", "Curseur(1)", "Amplitude(1)", "Muette(1)", "Solo(1)",
                                                "Frequence(2)", "Curseur(2)", "Amplitude(2)", "Muette(2)", "Solo(2)"}));
    auto vers = [&](QWidget *cible) {
        for (int n = 0; n < 20 && QApplication::focusWidget() != cible; ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget() == cible;
    };
    const int pas = p.banc.edition.historique().count();

    // The arrows on a slider: a tenth each, each one a step; Page Up a whole unit.
    QVERIFY(vers(p.fenetre->curseur(2)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(p.banc.table.Amplitude[2], 5.2f);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    QCOMPARE(p.banc.table.Amplitude[2], 6.2f);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(p.banc.table.Amplitude[2], 6.1f);
    QCOMPARE(p.banc.edition.historique().count(), pas + 4);
    QCOMPARE(p.banc.wav(), FichierAttendu(Table({{220, 10}, {440, 6.1f}})));

    // A number typed in the amplitude field, with the language's decimal separator, then Entrée.
    QVERIFY(vers(p.fenetre->amplitude(2)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(),
                     QStringLiteral("3") + p.fenetre->amplitude(2)->locale().decimalPoint() + QStringLiteral("5"));
    QCOMPARE(p.banc.table.Amplitude[2], 6.1f); // nothing before Entrée
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(p.banc.table.Amplitude[2], 3.5f);

    // Space on the toggles.
    QVERIFY(vers(p.fenetre->muette(2)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(p.fenetre->muette(2)->isChecked());
    QCOMPARE(p.banc.lecture.son, Joue(p.banc.table, {1}));
    QVERIFY(vers(p.fenetre->solo(2)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(p.banc.lecture.son, Joue(p.banc.table, {2}));

    // The frequency typed in, then the arrows: one multiple of the fundamental each.
    QVERIFY(vers(p.fenetre->frequence(2)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(p.banc.table.Frequence[2], std::int16_t(1100));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(p.banc.table.Frequence[2], std::int16_t(1320));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(p.banc.table.Frequence[2], std::int16_t(880));
    QCOMPARE(p.banc.wav(), FichierAttendu(Table({{220, 10}, {880, 3.5f}})));
}

void TestComposantes::accessibilite_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<Composants>("attendu");
    QTest::newRow("frequency of the third") << "fréquence" << 1100.0 << Composants{{220, 10}, {440, 5}, {1100, 3}};
    QTest::newRow("frequency of the first") << "fréquence" << 300.0 << Composants{{300, 10}, {600, 5}, {900, 3}};
    QTest::newRow("amplitude slider") << "amplitude" << 7.0 << Composants{{220, 10}, {440, 5}, {660, 7}};
    QTest::newRow("amplitude field") << "amplitude#2" << 1.5 << Composants{{220, 10}, {440, 5}, {660, 1.5f}};
}

void TestComposantes::accessibilite()
{
    QFETCH(QString, controle);
    QFETCH(double, valeur);
    QFETCH(Composants, attendu);
    Poste p;
    p.charge({{220, 10}, {440, 5}, {660, 3}}, true);
    // Each control by its name, as a screen reader finds it.
    for (int i = 1; i <= 3; ++i) {
        const QList<QPair<QWidget *, QString>> noms{
            {p.fenetre->frequence(i), QStringLiteral("Composante %1 : fréquence").arg(i)},
            {p.fenetre->curseur(i), QStringLiteral("Composante %1 : amplitude").arg(i)},
            {p.fenetre->amplitude(i), QStringLiteral("Composante %1 : amplitude").arg(i)},
            {p.fenetre->muette(i), QStringLiteral("Composante %1 : muette").arg(i)},
            {p.fenetre->solo(i), QStringLiteral("Composante %1 : solo").arg(i)},
        };
        for (const auto &[w, nom] : noms) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name), nom);
        }
        for (QWidget *b : {static_cast<QWidget *>(p.fenetre->muette(i)), static_cast<QWidget *>(p.fenetre->solo(i))}) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
            QVERIFY(a->state().checkable);
            QVERIFY(a->actionInterface());
            QVERIFY(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        }
    }
    const int i = attendu[0].first != 220 ? 1 : 3;
    QWidget *w = controle == u"fréquence"   ? static_cast<QWidget *>(p.fenetre->frequence(i))
                 : controle == u"amplitude" ? static_cast<QWidget *>(p.fenetre->curseur(i))
                                            : static_cast<QWidget *>(p.fenetre->amplitude(i));
    QAccessibleValueInterface *v = QAccessible::queryAccessibleInterface(w)->valueInterface();
    QVERIFY(v);
    // The slider speaks in tenths, the fields in their own units.
    const double facteur = qobject_cast<QSlider *>(w) ? 10.0 : 1.0;
    QCOMPARE(v->currentValue().toDouble(), qobject_cast<QSpinBox *>(w) ? double(p.banc.table.Frequence[i])
                                                                       : double(p.banc.table.Amplitude[i]) * facteur);
    v->setCurrentValue(valeur * facteur);
    const Son voulu = EnTable(attendu, true);
    QCOMPARE(p.banc.table.Frequence, voulu.Frequence);
    QCOMPARE(p.banc.table.Amplitude, voulu.Amplitude);
    QCOMPARE(p.banc.wav(), FichierAttendu(voulu));
    QCOMPARE(v->currentValue().toDouble(),
             qobject_cast<QSpinBox *>(w) ? double(voulu.Frequence[i]) : double(voulu.Amplitude[i]) * facteur);

    // A toggle through its accessible action.
    QVERIFY(PresseAccessible(p.fenetre->muette(2)));
    QTRY_COMPARE(p.banc.lecture.son, Joue(voulu, {1, 3}));
}

void TestComposantes::zoom()
{
    // At 200 % every rectangle is twice as large and the fonts twice as big, as in the other windows.
    Poste p;
    p.charge({{220, 10}, {440, 5}}, true);
    const QSize taille = p.fenetre->size();
    const QRect curseur = p.fenetre->curseur(2)->geometry(), champ = p.fenetre->amplitude(2)->geometry();
    const double police = p.fenetre->amplitude(2)->font().pointSizeF();
    p.principal->loupe().fixe(200);
    QCOMPARE(p.fenetre->size(), taille * 2);
    QVERIFY(std::abs(p.fenetre->curseur(2)->width() - 2 * curseur.width()) <= 1);
    QVERIFY(std::abs(p.fenetre->amplitude(2)->geometry().top() - 2 * champ.top()) <= 1);
    QCOMPARE(p.fenetre->amplitude(2)->font().pointSizeF(), 2 * police);
    QVERIFY(p.fenetre->curseur(2)->styleSheet().contains(QStringLiteral("height: 8px")));
    p.principal->loupe().fixe(100);
    QCOMPARE(p.fenetre->size(), taille);
    QCOMPARE(p.fenetre->curseur(2)->geometry(), curseur);
}

QTEST_MAIN(TestComposantes)
#include "tst_composantes.moc"
