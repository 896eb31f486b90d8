#include "banc.h"
#include "pilote.h"

#include "model/regles.h"
#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/temporel.h"
#include "synth/generateur.h"
#include "ui/clavier.h"
#include "ui/synthetiseur.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

using Table = QList<QPair<int, float>>; // (frequency, amplitude) of slots 1, 2, …

// The main window with its keyboard open, as the user gets it from "Afficher le clavier".
struct Poste
{
    Banc banc;
    QPointer<Synthetiseur> principal = new Synthetiseur(banc.contexte);
    QPointer<Clavier> clavier;

    Poste()
    {
        principal->setAttribute(Qt::WA_DeleteOnClose);
        principal->show();
        Pilote::Clique(principal, "Picture6");
        clavier = principal->clavier();
    }
    ~Poste()
    {
        delete clavier;
        delete principal;
    }

    QPushButton *touche(int i) const { return clavier->findChild<QPushButton *>(QStringLiteral("note(%1)").arg(i)); }

    // A point of the key's face that no other key covers, in the window's coordinates.
    QPoint pointVisible(int i) const
    {
        QPushButton *t = touche(i);
        const bool noire = t->height() < 60;
        return t->mapTo(clavier.data(), QPoint(t->width() / 2, noire ? t->height() / 2 : t->height() - 8));
    }

    // A real press through the window system: the key is found under the pointer.
    void appuie(int i, Qt::MouseButton bouton = Qt::LeftButton) const
    {
        QTest::mousePress(clavier->windowHandle(), bouton, {}, pointVisible(i));
    }
    void relache(int i, Qt::MouseButton bouton = Qt::LeftButton) const
    {
        QTest::mouseRelease(clavier->windowHandle(), bouton, {}, pointVisible(i));
    }

    void remplit(const Table &composantes, int prochaine = -1)
    {
        // Through the session, as an undo would put a table back: the marker stays.
        Edition::Etat t;
        for (int j = 0; j < composantes.size(); ++j) {
            t.frequence[j + 1] = static_cast<std::int16_t>(composantes[j].first);
            t.amplitude[j + 1] = composantes[j].second;
        }
        t.prochaine = static_cast<std::int16_t>(prochaine > 0 ? prochaine : composantes.size() + 1);
        t.fondamental = banc.edition.fondamental();
        banc.edition.Restaure(t);
    }
};

QImage SpectreAttendu(const Synthetiseur &w, const Son &table)
{
    Surface s(RepereSpectre, w.spectre().size(), nullptr, w.spectre().image().devicePixelRatio());
    s.Efface();
    Spectre::QuadrilleSpectre(s);
    Spectre::TraceSpectre(s, table, w.afficheFreq());
    return s.image();
}

QImage TemporelAttendu(const Synthetiseur &w, Son table, int qualite)
{
    Surface s(RepereTemporel, w.grapheTemp().size(), nullptr, w.grapheTemp().image().devicePixelRatio());
    Temporel::QuadrilleTemporel(s);
    Temporel::TraceTemporel(s, table, qualite);
    return s.image();
}

// A key press as the window system delivers it: the key's place on the keyboard (its native scan
// code, evdev + 8) with the key and character the layout makes of it; then the release.
void Frappe(QWidget *cible, quint32 code, Qt::Key cle, const QString &texte, Qt::KeyboardModifiers modificateurs = {},
            bool repetition = false)
{
    QKeyEvent appui(QEvent::KeyPress, cle, modificateurs, code, 0, 0, texte, repetition);
    QApplication::sendEvent(cible, &appui);
    QKeyEvent relache(QEvent::KeyRelease, cle, modificateurs, code, 0, 0, texte, repetition);
    QApplication::sendEvent(cible, &relache);
}

} // namespace

class TestClavier : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fenetre();
    void touches_data();
    void touches();
    void noiresAuDessus_data();
    void noiresAuDessus();
    void toutBoutonAgitALEnfoncement_data();
    void toutBoutonAgitALEnfoncement();
    void transposition_data();
    void transposition();
    void memeToucheDeuxFois_data();
    void memeToucheDeuxFois();
    void doubleClic();
    void apresFermetureDuPrincipal();
    void fermetureEtReouverture();
    void touchesSansSouris_data();
    void touchesSansSouris();
    void pianoDuClavierDOrdinateur_data();
    void pianoDuClavierDOrdinateur();
    void derniereToucheMarquee();
    void nomsDesTouches_data();
    void nomsDesTouches();
    void raccourcis_data();
    void raccourcis();
};

void TestClavier::init()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void TestClavier::fenetre()
{
    Poste p;
    Clavier *c = p.clavier;
    QVERIFY(c);
    QVERIFY(QTest::qWaitForWindowExposed(c));
    QCOMPARE(c->windowTitle(), QStringLiteral("Clavier"));
    QCOMPARE(c->objectName(), QStringLiteral("Clavier"));
    QCOMPARE(c->windowType(), Qt::Tool);
    QVERIFY(!(c->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(c->windowFlags() & Qt::WindowCloseButtonHint);
    // 973.6 × 73.6 px, fixed.
    QCOMPARE(c->size(), QSize(974, 74));
    QCOMPARE(c->minimumSize(), c->maximumSize());
    QVERIFY(c->isVisible());
    QVERIFY(p.principal->isVisible()); // modeless: the main window stays

    QVERIFY(EstCentree(c));

    auto *panneau = c->findChild<QWidget *>(QStringLiteral("Picture2"));
    QVERIFY(panneau);
    QCOMPARE(panneau->geometry(), QRect(0, -8, 977, 85));
    QCOMPARE(panneau->palette().color(panneau->backgroundRole()), QColor(0, 0, 64));
    QCOMPARE(c->findChildren<QPushButton *>().size(), 49);
}

void TestClavier::touches_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("rectangle"); // in the panel's pixels
    QTest::addColumn<QColor>("face");

    const QColor blanc(255, 255, 255), noir(0, 0, 0);
    // Lefts in twips from the layout: 360, 720, 840, 1200, 1320, 1800, 2160, 3720, 13800.
    QTest::newRow("0 Do, white") << 0 << QRect(24, 0, 33, 70) << blanc;
    QTest::newRow("1 Do#, black") << 1 << QRect(48, 0, 17, 50) << noir;
    QTest::newRow("2 Ré, white") << 2 << QRect(56, 0, 33, 70) << blanc;
    QTest::newRow("3 Ré#, black") << 3 << QRect(80, 0, 17, 50) << noir;
    QTest::newRow("4 Mi, white") << 4 << QRect(88, 0, 33, 70) << blanc;
    QTest::newRow("5 Fa, white") << 5 << QRect(120, 0, 33, 70) << blanc;
    QTest::newRow("6 Fa#, black") << 6 << QRect(144, 0, 17, 50) << noir;
    QTest::newRow("12 Do, white") << 12 << QRect(248, 0, 33, 70) << blanc;
    QTest::newRow("46 La#, black") << 46 << QRect(880, 0, 17, 50) << noir;
    QTest::newRow("48 Do, white") << 48 << QRect(920, 0, 33, 70) << blanc;
}

void TestClavier::touches()
{
    QFETCH(int, index);
    QFETCH(QRect, rectangle);
    QFETCH(QColor, face);
    Poste p;
    QPushButton *t = p.touche(index);
    QVERIFY(t);
    QCOMPARE(t->parentWidget()->objectName(), QStringLiteral("Picture2"));
    QCOMPARE(t->geometry(), rectangle);
    QVERIFY(t->text().isEmpty());
    QVERIFY(!t->accessibleName().isEmpty());

    // The face is painted in the key's colour.
    const QImage vue = p.clavier->grab().toImage();
    const QPoint centre = p.pointVisible(index) * vue.devicePixelRatio();
    QCOMPARE(vue.pixelColor(centre), face);
}

void TestClavier::noiresAuDessus_data()
{
    QTest::addColumn<QPoint>("point"); // in the panel's pixels
    QTest::addColumn<int>("attendue");
    QTest::addColumn<int>("frequence");

    // Black key 1 spans x 48..64 over white keys 0 (24..56) and 2 (56..88).
    QTest::newRow("over white 0") << QPoint(50, 20) << 1 << 139;
    QTest::newRow("over white 2") << QPoint(60, 20) << 1 << 139;
    QTest::newRow("white 0 below the black") << QPoint(50, 60) << 0 << 132;
    // Black key 22 spans x 432..448 over white keys 21 (408..440) and 23 (440..472).
    QTest::newRow("black 22 over white 21") << QPoint(435, 10) << 22 << 470;
    QTest::newRow("black 22 over white 23") << QPoint(445, 10) << 22 << 470;
    QTest::newRow("white 23 beside it") << QPoint(452, 10) << 23 << 498;
}

void TestClavier::noiresAuDessus()
{
    QFETCH(QPoint, point);
    QFETCH(int, attendue);
    QFETCH(int, frequence);
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    auto *panneau = p.clavier->findChild<QWidget *>(QStringLiteral("Picture2"));
    QCOMPARE(panneau->childAt(point), p.touche(attendue));

    const QPoint dansFenetre = panneau->mapTo(p.clavier.data(), point);
    QTest::mousePress(p.clavier->windowHandle(), Qt::LeftButton, {}, dansFenetre);
    QCOMPARE(p.banc.table.Frequence[1], std::int16_t(frequence));
    QTest::mouseRelease(p.clavier->windowHandle(), Qt::LeftButton, {}, dansFenetre);
}

void TestClavier::toutBoutonAgitALEnfoncement_data()
{
    QTest::addColumn<Qt::MouseButton>("bouton");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("frequence");

    QTest::newRow("left, key 9") << Qt::LeftButton << 9 << 221;
    QTest::newRow("right, key 21") << Qt::RightButton << 21 << 443;
    QTest::newRow("middle, key 33") << Qt::MiddleButton << 33 << 887;
    QTest::newRow("left, key 0") << Qt::LeftButton << 0 << 132;
    QTest::newRow("right, key 45") << Qt::RightButton << 45 << 1775;
    QTest::newRow("middle, key 48") << Qt::MiddleButton << 48 << 2112;
}

void TestClavier::toutBoutonAgitALEnfoncement()
{
    QFETCH(Qt::MouseButton, bouton);
    QFETCH(int, index);
    QFETCH(int, frequence);
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    QFile::remove(p.banc.generateur.chemin());

    p.appuie(index, bouton);
    // Everything happens on the press, before any release.
    QCOMPARE(p.banc.table.Frequence[1], std::int16_t(frequence));
    QCOMPARE(p.principal->PositionFondamental(), double(frequence));
    QCOMPARE(p.banc.wav(), FichierAttendu(p.banc.table));

    const QByteArray avant = p.banc.wav();
    p.relache(index, bouton);
    QCOMPARE(p.banc.table.Frequence[1], std::int16_t(frequence));
    QCOMPARE(p.banc.wav(), avant);
}

void TestClavier::transposition_data()
{
    QTest::addColumn<Table>("avant");
    QTest::addColumn<int>("prochaine");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("apres"); // Frequence(1..10)
    QTest::addColumn<bool>("spectreCache");

    QTest::newRow("440+660, key 1: 208.5 to even")
        << Table{{440, 10}, {660, 5}} << -1 << 1 << QList<int>{139, 208, 0, 0, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("whole multiples stay multiples") << Table{{440, 10}, {880, 6}, {1320, 3}, {2200, 2}} << -1 << 21
                                                    << QList<int>{443, 886, 1329, 2215, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("other ratios rounded")
        << Table{{300, 10}, {710, 4}, {1000, 2}} << -1 << 12 << QList<int>{264, 625, 880, 0, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("cleared slots rescaled too")
        << Table{{440, 10}, {880, 0}, {1320, 0}} << 2 << 12 << QList<int>{264, 528, 792, 0, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("ten components, top key")
        << Table{{200, 10}, {400, 9},  {600, 8},  {800, 7},  {1000, 6},
                 {1200, 5}, {1400, 4}, {1600, 3}, {1800, 2}, {2000, 1}}
        << -1 << 48 << QList<int>{2112, 4224, 6336, 8448, 10560, 12672, 14784, 16896, 19008, 21120} << false;
    QTest::newRow("spectrum panel hidden")
        << Table{{440, 10}, {660, 5}} << -1 << 9 << QList<int>{221, 332, 0, 0, 0, 0, 0, 0, 0, 0} << true;
    // Outside what a key press expects: the old fundamental counts as 1 Hz, results stay in 16 bits.
    QTest::newRow("zero fundamental") << Table{{0, 10}, {100, 5}} << -1 << 0
                                      << QList<int>{132, 13200, 0, 0, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("result beyond 16 bits")
        << Table{{2, 10}, {4000, 5}} << -1 << 48 << QList<int>{2112, 32767, 0, 0, 0, 0, 0, 0, 0, 0} << false;
}

void TestClavier::transposition()
{
    QFETCH(Table, avant);
    QFETCH(int, prochaine);
    QFETCH(int, index);
    QFETCH(QList<int>, apres);
    QFETCH(bool, spectreCache);
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    if (spectreCache)
        Pilote::Clique(p.principal, "CacheSpectre");
    p.remplit(avant, prochaine);
    const Son copie = p.banc.table;

    p.appuie(index);
    p.relache(index);

    const Son &t = p.banc.table;
    for (int j = 1; j <= Son::Max; ++j)
        QCOMPARE(t.Frequence[j], std::int16_t(apres[j - 1]));
    QCOMPARE(t.Amplitude, copie.Amplitude);
    QCOMPARE(t.ProchaineComposante, copie.ProchaineComposante);
    QCOMPARE(p.principal->PositionFondamental(), double(apres[0]));

    // Both plots redrawn from the new table, the time plot in its coarse quality.
    QVERIFY(p.principal->spectre().image() == SpectreAttendu(*p.principal, t));
    QVERIFY(p.principal->grapheTemp().image() == TemporelAttendu(*p.principal, t, 1));
    QCOMPARE(p.banc.wav(), FichierAttendu(t));
}

void TestClavier::memeToucheDeuxFois_data()
{
    QTest::addColumn<bool>("son");
    QTest::newRow("sound off") << false;
    QTest::newRow("sound on") << true;
}

void TestClavier::memeToucheDeuxFois()
{
    QFETCH(bool, son);
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    p.remplit({{440, 10}, {660, 5}, {1000, 2}});
    if (son)
        Pilote::Clique(p.principal, "Play");
    p.appuie(21);
    p.relache(21);
    const auto premiere = p.banc.table.Frequence;
    QCOMPARE(premiere[2], std::int16_t(664)); // 664.5 to even
    QCOMPARE(premiere[3], std::int16_t(1007));

    QFile::remove(p.banc.generateur.chemin());
    p.banc.lecture.journal.clear();
    p.principal->spectre().Efface();
    p.principal->grapheTemp().Efface();

    p.appuie(21);
    p.relache(21);
    QCOMPARE(p.banc.table.Frequence, premiere);
    // Still redrawn and written again; played again only while the sound is on.
    QVERIFY(p.principal->spectre().image() == SpectreAttendu(*p.principal, p.banc.table));
    QVERIFY(p.principal->grapheTemp().image() == TemporelAttendu(*p.principal, p.banc.table, 1));
    QCOMPARE(p.banc.wav(), FichierAttendu(p.banc.table));
    QCOMPARE(p.banc.lecture.journal, son ? QStringList{"joue"} : QStringList{});
}

void TestClavier::doubleClic()
{
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    Pilote::Clique(p.principal, "Play");
    p.banc.lecture.journal.clear();
    // Two presses, two syntheses: a quick second press is not lost, nor counted twice.
    QTest::mouseDClick(p.clavier->windowHandle(), Qt::LeftButton, {}, p.pointVisible(5));
    QCOMPARE(p.banc.table.Frequence[1], std::int16_t(176));
    QCOMPARE(p.banc.lecture.journal, (QStringList{"joue", "joue"}));
}

void TestClavier::apresFermetureDuPrincipal()
{
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    p.principal->close();
    QTRY_VERIFY(!p.principal);
    QVERIFY(p.clavier);
    QVERIFY(p.clavier->isVisible()); // closing the main window leaves the keyboard open

    const Son avant = p.banc.table;
    QFile::remove(p.banc.generateur.chemin());
    p.banc.lecture.journal.clear();
    p.appuie(9, Qt::LeftButton);
    p.relache(9, Qt::LeftButton);
    p.clavier->note_MouseDown(30);

    QCOMPARE(p.banc.table.Frequence, avant.Frequence);
    QCOMPARE(p.banc.table.Amplitude, avant.Amplitude);
    QVERIFY(!QFile::exists(p.banc.generateur.chemin()));
    QVERIFY(p.banc.lecture.journal.isEmpty());
}

void TestClavier::fermetureEtReouverture()
{
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    const QPointer<Clavier> premier = p.clavier;
    Pilote::Clique(p.principal, "Picture6"); // already open: shown again, not duplicated
    QCOMPARE(p.principal->clavier(), premier.data());

    premier->move(premier->pos() + QPoint(37, 41));
    premier->close();
    QTRY_VERIFY(!premier);
    QVERIFY(!p.principal->clavier());

    Pilote::Clique(p.principal, "Picture6");
    p.clavier = p.principal->clavier();
    QVERIFY(p.clavier);
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    QVERIFY(EstCentree(p.clavier));
    p.appuie(12);
    QCOMPARE(p.banc.table.Frequence[1], std::int16_t(264));
    p.relache(12);
}

void TestClavier::touchesSansSouris_data()
{
    QTest::addColumn<int>("touche");
    QTest::addColumn<bool>("accessible"); // through the accessible press action, else Tab then Space
    for (bool accessible : {false, true})
        for (int i : {0, 10, 48})
            QTest::addRow("key %d, %s", i, accessible ? "press action" : "Space") << i << accessible;
}

void TestClavier::touchesSansSouris()
{
    QFETCH(int, touche);
    QFETCH(bool, accessible);
    Poste p;
    p.clavier->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.clavier));
    QStringList notes;
    for (int i = 0; i < Clavier::NombreTouches; ++i)
        notes << QStringLiteral("note(%1)").arg(i);
    // Tab goes along the keyboard from the lowest key, black keys in their places.
    QCOMPARE(TourDeTab(p.clavier), notes);

    Pilote::Clique(p.principal, "Play");
    p.banc.lecture.journal.clear();
    QPushButton *t = p.touche(touche);
    if (accessible) {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(t);
        QVERIFY(i && i->role() == QAccessible::Button);
        QCOMPARE(i->text(QAccessible::Name), Clavier::Libelle(touche));
        QVERIFY(i->text(QAccessible::Name).startsWith(Clavier::NomNote(touche)));
        QVERIFY(PresseAccessible(t));
    } else {
        for (int n = 0; n < Clavier::NombreTouches && QApplication::focusWidget() != t; ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t);
        QTest::keyClick(t, Qt::Key_Space);
    }
    const std::int16_t f = Regles::FrequenceNote(touche);
    QTRY_COMPARE(p.banc.table.Frequence[1], f);
    QTest::qWait(150); // a press action clicks after a short delay: nothing more may follow it
    // One note, one synthesis, one restart of the loop; the marker went with it.
    QCOMPARE(p.banc.lecture.journal, QStringList{"joue"});
    QCOMPARE(p.banc.wav(), FichierAttendu(p.banc.table));
    QCOMPARE(p.principal->PositionFondamental(), double(f));
}

void TestClavier::pianoDuClavierDOrdinateur_data()
{
    QTest::addColumn<QString>("fenetre"); // the active window: "principal", "seul" (no keyboard window), "clavier"
    QTest::addColumn<QString>("focus");   // the control holding the focus there
    QTest::addColumn<uint>("code");
    QTest::addColumn<int>("cle");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("modificateurs");
    QTest::addColumn<int>("note"); // −1: nothing played

    auto ligne = [](const char *nom, const char *fenetre, const char *focus, uint code, Qt::Key cle, const char *texte,
                    int modificateurs, int note) {
        QTest::newRow(nom) << QString::fromLatin1(fenetre) << QString::fromLatin1(focus) << code << int(cle)
                           << QString::fromUtf8(texte) << modificateurs << note;
    };
    // The same places give the same notes whatever the layout makes of them.
    ligne("AZERTY Q, main window on the sound switch", "principal", "TaGueule", 38, Qt::Key_Q, "q", 0, 12);
    ligne("QWERTY A, main window on the sound switch", "principal", "TaGueule", 38, Qt::Key_A, "a", 0, 12);
    ligne("AZERTY M, main window on a check box", "principal", "AfficheFreq", 47, Qt::Key_M, "m", 0, 28);
    ligne("QWERTY ;, main window on a check box", "principal", "AfficheFreq", 47, Qt::Key_Semicolon, ";", 0, 28);
    ligne("AZERTY/QWERTY P, main window on a time base", "principal", "SensibiliteTemp(3)", 33, Qt::Key_P, "p", 0, 27);
    ligne("AZERTY Z, keyboard window on a key", "clavier", "note(5)", 25, Qt::Key_Z, "z", 0, 13);
    ligne("QWERTY W, keyboard window on a key", "clavier", "note(5)", 25, Qt::Key_W, "w", 0, 13);
    ligne("AZERTY G, keyboard window", "clavier", "", 42, Qt::Key_G, "g", 0, 19);
    ligne("QWERTY J, main window without the keyboard window", "seul", "TaGueule", 44, Qt::Key_J, "j", 0, 23);
    ligne("Shift+E still plays", "principal", "TaGueule", 26, Qt::Key_E, "E", int(Qt::ShiftModifier), 15);
    // Not the letter: AZERTY A lies where QWERTY Q does, a key of no note.
    ligne("AZERTY A plays nothing", "principal", "TaGueule", 24, Qt::Key_A, "a", 0, -1);
    ligne("QWERTY Q plays nothing", "clavier", "note(5)", 24, Qt::Key_Q, "q", 0, -1);
    ligne("R (between E and T) plays nothing", "principal", "TaGueule", 27, Qt::Key_R, "r", 0, -1);
    ligne("Ctrl+Q plays nothing", "principal", "TaGueule", 38, Qt::Key_Q, "", int(Qt::ControlModifier), -1);
    ligne("Alt+S plays nothing", "clavier", "note(5)", 39, Qt::Key_S, "", int(Qt::AltModifier), -1);
}

void TestClavier::pianoDuClavierDOrdinateur()
{
    QFETCH(QString, fenetre);
    QFETCH(QString, focus);
    QFETCH(uint, code);
    QFETCH(int, cle);
    QFETCH(QString, texte);
    QFETCH(int, modificateurs);
    QFETCH(int, note);

    // The same table in two sessions: one played from the computer keyboard, one with a click.
    Poste p, reference;
    for (Poste *q : {&p, &reference}) {
        Pilote::RelacheSpectre(q->principal, 1, 880, 5);
        Pilote::Clique(q->principal, "Play");
        q->banc.lecture.journal.clear();
    }
    if (fenetre == QLatin1String("seul"))
        delete p.clavier;
    QWidget *w = fenetre == QLatin1String("clavier") ? static_cast<QWidget *>(p.clavier) : p.principal.data();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QWidget *cible = w;
    if (!focus.isEmpty()) {
        cible = w->findChild<QWidget *>(focus);
        QVERIFY(cible);
        cible->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), cible);
    }
    const QByteArray avant = p.banc.wav();

    // Held down: the press, then the window system's auto-repeats.
    const auto mod = Qt::KeyboardModifiers(modificateurs);
    QKeyEvent appui(QEvent::KeyPress, cle, mod, code, 0, 0, texte);
    QApplication::sendEvent(cible, &appui);
    for (int n = 0; n < 3; ++n) {
        QKeyEvent repetition(QEvent::KeyPress, cle, mod, code, 0, 0, texte, true);
        QApplication::sendEvent(cible, &repetition);
    }
    QKeyEvent relache(QEvent::KeyRelease, cle, mod, code, 0, 0, texte);
    QApplication::sendEvent(cible, &relache);
    // The focus stays where it was: a letter is not a way round the window.
    if (cible != w)
        QCOMPARE(QApplication::focusWidget(), cible);

    if (note < 0) {
        QCOMPARE(p.banc.wav(), avant);
        QCOMPARE(p.banc.lecture.journal, QStringList{});
        if (p.clavier)
            QCOMPARE(p.clavier->derniere(), -1);
        return;
    }
    // Exactly what a click on that key does: the same table, file, marker and one restart.
    reference.appuie(note);
    reference.relache(note);
    QCOMPARE(p.banc.table.Frequence[1], Regles::FrequenceNote(note));
    for (int j = 1; j <= Son::Max; ++j) {
        QCOMPARE(p.banc.table.Frequence[j], reference.banc.table.Frequence[j]);
        QCOMPARE(p.banc.table.Amplitude[j], reference.banc.table.Amplitude[j]);
    }
    QCOMPARE(p.banc.wav(), reference.banc.wav());
    QVERIFY(p.banc.wav() != avant);
    QCOMPARE(p.principal->PositionFondamental(), reference.principal->PositionFondamental());
    QCOMPARE(p.banc.lecture.journal, QStringList{"joue"});
    QCOMPARE(p.principal->spectre().image(), reference.principal->spectre().image());
    if (p.clavier)
        QCOMPARE(p.clavier->derniere(), note);
}

void TestClavier::derniereToucheMarquee()
{
    Poste p;
    QVERIFY(QTest::qWaitForWindowExposed(p.clavier));
    QCOMPARE(p.clavier->derniere(), -1);
    const int blanche = 12, noire = 13;
    const QImage blancheAvant = p.touche(blanche)->grab().toImage();
    const QImage noireAvant = p.touche(noire)->grab().toImage();
    const QRect rectBlanche = p.touche(blanche)->geometry(), rectNoire = p.touche(noire)->geometry();

    // A click marks its key; the mark lies inside the face, the key keeps its place and size.
    p.appuie(blanche);
    p.relache(blanche);
    QCOMPARE(p.clavier->derniere(), blanche);
    QImage marquee = p.touche(blanche)->grab().toImage();
    QVERIFY(marquee != blancheAvant);
    QCOMPARE(p.touche(blanche)->geometry(), rectBlanche);
    int orange = 0;
    for (int y = 0; y < marquee.height(); ++y)
        for (int x = 0; x < marquee.width(); ++x)
            if (marquee.pixelColor(x, y) == QColor(255, 128, 0)) {
                ++orange;
                QVERIFY(x >= 2 && x < marquee.width() - 2 && y < marquee.height() - 2);
            }
    QVERIFY(orange > 50);

    // The computer keyboard's press moves the mark: the white key is as before, the black one marked.
    p.clavier->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.clavier));
    Frappe(p.clavier, 25, Qt::Key_Z, QStringLiteral("z"));
    QCOMPARE(p.clavier->derniere(), noire);
    QCOMPARE(p.touche(blanche)->grab().toImage(), blancheAvant);
    QVERIFY(p.touche(noire)->grab().toImage() != noireAvant);
    QCOMPARE(p.touche(noire)->geometry(), rectNoire);

    // A press once the main window is gone changes nothing, so it marks nothing either.
    delete p.principal;
    p.appuie(blanche);
    p.relache(blanche);
    QCOMPARE(p.clavier->derniere(), noire);
}

void TestClavier::nomsDesTouches_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("libelle");
    QTest::newRow("lowest key") << 0 << QStringLiteral("Do 2 — 132 Hz");
    QTest::newRow("black key") << 13 << QStringLiteral("Do dièse 3 — 279 Hz");
    QTest::newRow("A of the middle octave") << 21 << QStringLiteral("La 3 — 443 Hz");
    // Thousands grouped as French writes them.
    QTest::newRow("highest key") << 48
                                 << QStringLiteral("Do 6 — 2") + QLocale(QLocale::French).groupSeparator()
                                        + QStringLiteral("112 Hz");
}

void TestClavier::nomsDesTouches()
{
    QFETCH(int, index);
    QFETCH(QString, libelle);
    Poste p;
    QPushButton *t = p.touche(index);
    QCOMPARE(t->toolTip(), libelle);
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(t);
    QVERIFY(i);
    QCOMPARE(i->text(QAccessible::Name), libelle);
    QVERIFY(!QLocale(QLocale::French).groupSeparator().isEmpty());
}

void TestClavier::raccourcis_data()
{
    QTest::addColumn<QString>("fenetre"); // where the key is pressed
    QTest::addColumn<int>("touche");
    QTest::addColumn<QString>("effet");
    QTest::newRow("F1 in the main window") << "principal" << int(Qt::Key_F1) << "aide";
    QTest::newRow("F1 in the keyboard window") << "clavier" << int(Qt::Key_F1) << "aide";
    QTest::newRow("F1 in the keyboard window, main window closed") << "clavier-seul" << int(Qt::Key_F1) << "aide";
    QTest::newRow("Escape closes the keyboard window") << "clavier" << int(Qt::Key_Escape) << "ferme";
    QTest::newRow("Escape closes the help window") << "aide" << int(Qt::Key_Escape) << "ferme";
    QTest::newRow("Escape in the main window closes nothing") << "principal" << int(Qt::Key_Escape) << "rien";
}

void TestClavier::raccourcis()
{
    QFETCH(QString, fenetre);
    QFETCH(int, touche);
    QFETCH(QString, effet);
    Poste p;
    if (fenetre == QLatin1String("clavier-seul")) {
        p.principal->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!p.principal);
    }
    QPointer<QWidget> w;
    if (fenetre == QLatin1String("principal")) {
        w = p.principal.data();
    } else if (fenetre == QLatin1String("aide")) {
        Pilote::Clique(p.principal, "Image3");
        w = p.principal->aide();
    } else {
        w = p.clavier.data();
    }
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.data(), Qt::Key(touche));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto aides = [] {
        QList<Aide *> liste;
        for (QWidget *t : QApplication::topLevelWidgets())
            if (auto *a = qobject_cast<Aide *>(t); a && a->isVisible())
                liste << a;
        return liste;
    };
    if (effet == "aide") {
        QTRY_COMPARE(aides().size(), 1);
        if (p.principal) // the main window's own help, the one its icon opens
            QCOMPARE(aides().first(), p.principal->aide());
        delete aides().first();
    } else if (effet == "ferme") {
        QTRY_VERIFY(!w);
        if (p.principal)
            QVERIFY(p.principal->isVisible());
    } else {
        QVERIFY(w && w->isVisible());
        QVERIFY(p.clavier && p.clavier->isVisible());
        QVERIFY(aides().isEmpty());
    }
}

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
