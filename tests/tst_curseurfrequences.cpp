#include "banc.h"
#include "pilote.h"
#include "tables.h"

#include "model/curseur.h"
#include "plot/frequences.h"
#include "plot/surface.h"
#include "session/edition.h"
#include "synth/generateur.h"
#include "ui/curseurfrequences.h"
#include "ui/descriptions.h"
#include "ui/synthetiseur.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>
#include <QUndoStack>

#include <memory>

Q_DECLARE_METATYPE(Son)

namespace {

struct Fenetre
{
    Banc banc;
    std::unique_ptr<Synthetiseur> w{new Synthetiseur(banc.contexte)};

    void montre() const
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    // The spectrum reached the keyboard's way.
    void focusSpectre() const
    {
        for (int n = 0; n < 40 && QApplication::focusWidget() != &w->spectre(); ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &w->spectre());
    }
    QColor pixelSpectre(double x, double y) const
    {
        const QPointF p = w->spectre().repere().versPixels(x, y);
        const QImage &im = w->spectre().image();
        const qreal r = im.devicePixelRatio();
        return im.pixelColor(int(p.x() * r), int(p.y() * r));
    }
};

// Keys as words: D/G right/left, H/B up/down, E Enter, R Return, S Delete, A Backspace; a
// leading + holds Shift, a leading ^ holds Ctrl.
void Tape(QWidget *cible, const QString &touches)
{
    for (const QString &mot : touches.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers mods;
        QString t = mot;
        while (t.startsWith('+') || t.startsWith('^')) {
            mods |= t.startsWith('+') ? Qt::ShiftModifier : Qt::ControlModifier;
            t.remove(0, 1);
        }
        static const QHash<QString, Qt::Key> cles{{"D", Qt::Key_Right},  {"G", Qt::Key_Left},     {"H", Qt::Key_Up},
                                                  {"B", Qt::Key_Down},   {"E", Qt::Key_Enter},    {"R", Qt::Key_Return},
                                                  {"S", Qt::Key_Delete}, {"A", Qt::Key_Backspace}};
        QVERIFY2(cles.contains(t), qPrintable(mot));
        QTest::keyClick(cible, cles.value(t), mods);
    }
}

// The mouse's way: "c:X:Y" a move then a left click at (X, Y), "d" a right click, "f:X" one
// drag step of the marker to X then its drop.
void Souris(Synthetiseur &w, const QString &gestes)
{
    for (const QString &g : gestes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList p = g.split(QLatin1Char(':'));
        if (p[0] == "c") {
            Pilote::BougeSpectre(&w, 0, p[1].toFloat(), p[2].toFloat());
            Pilote::RelacheSpectre(&w, 1, p[1].toFloat(), p[2].toFloat());
        } else if (p[0] == "d") {
            Pilote::RelacheSpectre(&w, 2, 0, 5);
        } else if (p[0] == "f") {
            Pilote::GlisseFondamental(&w, p[1].toFloat(), 5, 0);
            Pilote::LacheFondamental(&w);
        } else {
            QFAIL(qPrintable(g));
        }
    }
}

} // namespace

class TestCurseurSpectre : public QObject
{
    Q_OBJECT

private slots:
    void deplacements_data();
    void deplacements();
    void clavierCommeSouris_data();
    void clavierCommeSouris();
    void curseurVisibleAvecLeFocus();
    void descriptions_data();
    void descriptions();
    void descriptionsSuiventLaFenetre();
    void composanteSous_data();
    void composanteSous();
    void bullesDAide();
};

void TestCurseurSpectre::deplacements_data()
{
    QTest::addColumn<int>("fondamental");
    QTest::addColumn<bool>("musical");
    QTest::addColumn<bool>("fin");
    QTest::addColumn<double>("depart");
    QTest::addColumn<int>("sens");
    QTest::addColumn<int>("fois");
    QTest::addColumn<double>("attendu");
    QTest::newRow("multiples, right") << 440 << true << false << 880.0 << 1 << 2 << 1760.0;
    QTest::newRow("multiples, left stops at the fundamental") << 440 << true << false << 880.0 << -1 << 3 << 440.0;
    QTest::newRow("multiples, between two, right") << 440 << true << false << 1000.0 << 1 << 1 << 1320.0;
    QTest::newRow("multiples, between two, left") << 440 << true << false << 1000.0 << -1 << 1 << 880.0;
    QTest::newRow("multiples, last one on the plot") << 440 << true << false << 4400.0 << 1 << 3 << 4840.0;
    QTest::newRow("multiples, Shift is the same step") << 300 << true << true << 600.0 << 1 << 1 << 900.0;
    QTest::newRow("free, 10 Hz") << 440 << false << false << 880.0 << 1 << 3 << 910.0;
    QTest::newRow("free, Shift 1 Hz") << 440 << false << true << 880.0 << -1 << 3 << 877.0;
    QTest::newRow("free, stops at 0") << 440 << false << false << 15.0 << -1 << 3 << 0.0;
    QTest::newRow("free, stops at 5000") << 440 << false << false << 4985.0 << 1 << 3 << 5000.0;
    QTest::newRow("empty fundamental divides by 1") << 0 << true << false << 7.0 << 1 << 1 << 8.0;
}

void TestCurseurSpectre::deplacements()
{
    QFETCH(int, fondamental);
    QFETCH(bool, musical);
    QFETCH(bool, fin);
    QFETCH(double, depart);
    QFETCH(int, sens);
    QFETCH(int, fois);
    QFETCH(double, attendu);
    const Son c = Table({{fondamental, 10.0f}});
    Curseur::Point p{depart, 5.0};
    for (int i = 0; i < fois; ++i)
        p = Curseur::Deplace(c, p, sens, musical, fin);
    QCOMPARE(p.frequence, attendu);
    QCOMPARE(p.amplitude, 5.0);

    // The amplitude steps by halves and stays on the plot.
    Curseur::Point a{attendu, 9.0};
    a = Curseur::ChangeAmplitude(Curseur::ChangeAmplitude(Curseur::ChangeAmplitude(a, 1), 1), 1);
    QCOMPARE(a.amplitude, 10.0);
    for (int i = 0; i < 25; ++i)
        a = Curseur::ChangeAmplitude(a, -1);
    QCOMPARE(a.amplitude, 0.0);
    QCOMPARE(Curseur::ChangeAmplitude(Curseur::Point{0, 2.0}, -1).amplitude, 1.5);
}

void TestCurseurSpectre::clavierCommeSouris_data()
{
    QTest::addColumn<bool>("musical");
    QTest::addColumn<QString>("touches");
    QTest::addColumn<QString>("souris");
    // The cursor starts at twice the fundamental (880 Hz), amplitude 5.
    QTest::newRow("multiples: Enter adds at the start") << true << "E"
                                                        << "c:880:5";
    QTest::newRow("multiples: right, up, Return") << true << "D H R"
                                                  << "c:1320:4.5";
    QTest::newRow("multiples: two adds, Shift changes nothing") << true << "E +D E"
                                                                << "c:880:5 c:1320:5";
    QTest::newRow("multiples: left stops at the fundamental") << true << "G G G E"
                                                              << "c:440:5";
    QTest::newRow("free: 10 Hz and 1 Hz steps") << false << "D D +D +D +G E"
                                                << "c:901:5";
    QTest::newRow("free: left edge") << false << "+G G E"
                                     << "c:869:5";
    QTest::newRow("amplitude stops at 10") << true << QString("H ").repeated(12) + "E"
                                           << "c:880:0";
    QTest::newRow("amplitude stops at 0") << true << QString("B ").repeated(12) + "E"
                                          << "c:880:10";
    QTest::newRow("Delete removes the last") << true << "E D E S"
                                             << "c:880:5 c:1320:5 d";
    QTest::newRow("Backspace removes the last") << false << "E A A"
                                                << "c:880:5 d d";
    QTest::newRow("full table refuses the tenth add")
        << true << QString("E ").repeated(10) << QString("c:880:5 ").repeated(10);
    QTest::newRow("Ctrl moves the fundamental like a drag") << true << "E ^D ^D"
                                                            << "c:880:5 f:441 f:442";
    QTest::newRow("Ctrl left, the cursor keeps its multiple") << true << "^G E"
                                                              << "f:439 c:878:5";
    QTest::newRow("Ctrl right, free") << false << "E ^D E"
                                      << "c:880:5 f:441 c:882:5";
}

void TestCurseurSpectre::clavierCommeSouris()
{
    QFETCH(bool, musical);
    QFETCH(QString, touches);
    QFETCH(QString, souris);
    Fenetre clavier, main;
    clavier.w->findChild<QCheckBox *>("Musical")->setChecked(musical);
    main.w->findChild<QCheckBox *>("Musical")->setChecked(musical);
    clavier.montre();
    clavier.focusSpectre();
    Tape(&clavier.w->spectre(), touches);
    Souris(*main.w, souris);

    const Son &k = clavier.banc.table, &m = main.banc.table;
    QCOMPARE(k.ProchaineComposante, m.ProchaineComposante);
    QCOMPARE(k.Frequence, m.Frequence);
    QCOMPARE(k.Amplitude, m.Amplitude);
    QCOMPARE(clavier.w->edition().fondamental(), main.w->edition().fondamental());
    QCOMPARE(clavier.w->fondamental().geometry(), main.w->fondamental().geometry());
    // The same commits: the same file and the same history steps.
    QCOMPARE(clavier.banc.wav(), main.banc.wav());
    QCOMPARE(clavier.banc.wav(), FichierAttendu(k));
    QCOMPARE(clavier.w->edition().historique().count(), main.w->edition().historique().count());
}

void TestCurseurSpectre::curseurVisibleAvecLeFocus()
{
    Fenetre f;
    f.montre();
    Surface &s = f.w->spectre();
    QVERIFY(s.etiquette().isEmpty());
    QCOMPARE(f.pixelSpectre(880, 7.5), Qt::white);

    // Tab reaches the plot after the spectrum panel's commands, before its check boxes.
    f.focusSpectre();
    QTest::keyClick(&s, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("AfficheFreq"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), &s);
    QTest::keyClick(&s, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CacheSpectre"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &s);

    // The mouse's preview line at the cursor, its caption, the orange dotted ring.
    QVERIFY(f.w->curseur().actif());
    QCOMPARE(f.pixelSpectre(880, 7.5), Spectre::CouleurApercu);
    QCOMPARE(s.etiquette(), QStringLiteral("880 Hz — amplitude 5,0"));
    auto anneau = [&s] { // orange pixels along the ring's top edge
        const QImage vue = s.grab().toImage();
        int n = 0;
        for (int x = 0; x < vue.width(); ++x)
            n += vue.pixelColor(x, int(vue.devicePixelRatio())) == QColor(255, 128, 0);
        return n;
    };
    QVERIFY2(anneau() > s.width() / 4, qPrintable(QString::number(anneau())));
    QVERIFY(s.accessibleDescription().endsWith(QStringLiteral("Curseur : 880 Hz, amplitude 5")));

    QTest::keyClick(&s, Qt::Key_Right);
    QTest::keyClick(&s, Qt::Key_Up);
    QCOMPARE(f.pixelSpectre(880, 7.5), Qt::white);
    QCOMPARE(f.pixelSpectre(1320, 7.5), Spectre::CouleurApercu);
    QCOMPARE(s.etiquette(), QStringLiteral("1320 Hz — amplitude 5,5"));
    // Nothing committed by moving the cursor.
    QCOMPARE(f.banc.table.ProchaineComposante, std::int16_t(2));
    QCOMPARE(f.w->edition().historique().count(), 0);

    // Gone with the focus: no line, no caption, no ring, no cursor in the description.
    QTest::keyClick(&s, Qt::Key_Tab);
    QVERIFY(!f.w->curseur().actif());
    QCOMPARE(f.pixelSpectre(1320, 7.5), Qt::white);
    QVERIFY(s.etiquette().isEmpty());
    QCOMPARE(anneau(), 0);
    QCOMPARE(s.accessibleDescription(), QStringLiteral("Spectre : 1 composante — 440 Hz amplitude 10"));

    // Back: where it was left.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(s.etiquette(), QStringLiteral("1320 Hz — amplitude 5,5"));
    // An undo redraws the spectrum: the cursor's line is drawn again over it.
    QTest::keyClick(&s, Qt::Key_Enter);
    QCOMPARE(f.banc.table.ProchaineComposante, std::int16_t(3));
    QCOMPARE(f.pixelSpectre(1320, 7.5), Spectre::CouleurComposante); // the new line, at once
    f.w->edition().Annule();
    QCOMPARE(f.banc.table.ProchaineComposante, std::int16_t(2));
    QCOMPARE(f.pixelSpectre(1320, 7.5), Spectre::CouleurApercu);
}

void TestCurseurSpectre::descriptions_data()
{
    QTest::addColumn<Son>("table");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("empty") << Table({}) << "Spectre : aucune composante";
    QTest::newRow("fundamental alone") << Table({{440, 10.0f}}) << "Spectre : 1 composante — 440 Hz amplitude 10";
    QTest::newRow("three, halves and tenths")
        << Table({{440, 10.0f}, {880, 5.0f}, {1320, 2.5f}})
        << "Spectre : 3 composantes — 440 Hz amplitude 10, 880 Hz amplitude 5, 1320 Hz amplitude 2,5";
    QTest::newRow("rounded to a tenth") << Table({{220, 6.24f}, {3300, 0.06f}, {4400, 0.0f}})
                                        << "Spectre : 3 composantes — 220 Hz amplitude 6,2, 3300 Hz amplitude 0,1, "
                                           "4400 Hz amplitude 0";
    Son candidat = Table({{440, 10.0f}});
    candidat.Frequence[2] = 880; // a candidate under a held button is no component yet
    candidat.Amplitude[2] = 4.0f;
    QTest::newRow("candidate left out") << candidat << "Spectre : 1 composante — 440 Hz amplitude 10";
}

void TestCurseurSpectre::descriptions()
{
    QFETCH(Son, table);
    QFETCH(QString, attendu);
    QCOMPARE(Descriptions::Spectre(table), attendu);
}

void TestCurseurSpectre::descriptionsSuiventLaFenetre()
{
    Fenetre f;
    f.montre();
    Surface &s = f.w->spectre(), &t = f.w->grapheTemp();
    // The names stay; the descriptions tell the values.
    QCOMPARE(s.accessibleName(), QStringLiteral("Spectre de fréquence"));
    QCOMPARE(t.accessibleName(), QStringLiteral("Evolution temporelle"));
    QCOMPARE(s.accessibleDescription(), QStringLiteral("Spectre : 1 composante — 440 Hz amplitude 10"));
    QCOMPARE(t.accessibleDescription(), QStringLiteral("Évolution temporelle, 1 ms par division"));

    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    Pilote::RelacheSpectre(f.w, 1, 1320, 7.5);
    QCOMPARE(
        s.accessibleDescription(),
        QStringLiteral("Spectre : 3 composantes — 440 Hz amplitude 10, 880 Hz amplitude 5, 1320 Hz amplitude 2,5"));
    Pilote::GlisseFondamental(f.w, 450, 5, 0);
    QCOMPARE(
        s.accessibleDescription(),
        QStringLiteral("Spectre : 3 composantes — 450 Hz amplitude 10, 900 Hz amplitude 5, 1350 Hz amplitude 2,5"));
    Pilote::RelacheSpectre(f.w, 2, 0, 0);
    QCOMPARE(s.accessibleDescription(),
             QStringLiteral("Spectre : 2 composantes — 450 Hz amplitude 10, 900 Hz amplitude 5"));
    f.w->Efface();
    QCOMPARE(s.accessibleDescription(), QStringLiteral("Spectre : 1 composante — 450 Hz amplitude 10"));

    const QStringList temps{"0,1", "0,2", "0,5", "1", "2", "5", "10", "20", "50"};
    for (int i = 0; i < 9; ++i) {
        QTest::mouseClick(f.w->findChild<QRadioButton *>(QStringLiteral("SensibiliteTemp(%1)").arg(i)), Qt::LeftButton);
        QCOMPARE(t.accessibleDescription(), QStringLiteral("Évolution temporelle, %1 ms par division").arg(temps[i]));
    }
}

void TestCurseurSpectre::composanteSous_data()
{
    QTest::addColumn<QPointF>("decalage"); // pixels from the top-left pixel of the 880 Hz line (rows 0 to 60)
    QTest::addColumn<int>("attendu");
    QTest::newRow("on the line") << QPointF(0, 20) << 2;
    QTest::newRow("its second column") << QPointF(1, 20) << 2;
    QTest::newRow("3 px left") << QPointF(-3, 20) << 2;
    QTest::newRow("4 px left") << QPointF(-4, 20) << 0;
    QTest::newRow("3 px right of its right column") << QPointF(4, 20) << 2;
    QTest::newRow("4 px right of its right column") << QPointF(5, 20) << 0;
    QTest::newRow("3 px above its top") << QPointF(0, -3) << 2;
    QTest::newRow("4 px above its top") << QPointF(0, -4) << 0;
    QTest::newRow("on the base line") << QPointF(0, 60) << 2;
    QTest::newRow("3 px below the base line") << QPointF(0, 63) << 2;
    QTest::newRow("4 px below the base line") << QPointF(0, 64) << 0;
    QTest::newRow("the nearer of two") << QPointF(8, 20) << 3;
    QTest::newRow("a zero-amplitude slot is no line") << QPointF(40, 60) << 0;
}

void TestCurseurSpectre::composanteSous()
{
    QFETCH(QPointF, decalage);
    QFETCH(int, attendu);
    // 880 Hz (amplitude 3) and 10 px to its right a higher line; a silent slot further right.
    const Repere &r = RepereSpectre;
    const double dix = 10.0 * TwipsParPixel / r.twipsX;
    Son c = Table({{440, 10.0f}, {880, 3.0f}, {int(std::lround(880 + dix)), 5.0f}, {0, 0.0f}});
    c.Frequence[4] = std::int16_t(std::lround(880 + 4 * dix));
    const QPointF haut = r.versPixels(880, 7);
    const QPoint p(int(std::floor(haut.x()) + decalage.x()), int(std::floor(haut.y()) + decalage.y()));
    QCOMPARE(Descriptions::ComposanteSous(c, r, p), attendu);
}

void TestCurseurSpectre::bullesDAide()
{
    Fenetre f;
    f.montre();
    Pilote::RelacheSpectre(f.w, 1, 880, 5);
    Surface &s = f.w->spectre(), &t = f.w->grapheTemp();
    auto bulle = [](Surface &cible, QPoint p) {
        QHelpEvent e(QEvent::ToolTip, p, cible.mapToGlobal(p));
        QApplication::sendEvent(&cible, &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QPointF ligne = s.repere().versPixels(880, 8);
    QCOMPARE(bulle(s, ligne.toPoint()), QStringLiteral("880 Hz — amplitude 5,0"));
    // Away from any line the tip goes.
    bulle(s, (ligne + QPointF(30, 0)).toPoint());
    QTRY_VERIFY(!QToolTip::isVisible());

    // The time under the pointer, in the time base chosen.
    const QPoint cent(100, 50); // 100 px = 1.14779 divisions
    QCOMPARE(bulle(t, cent), QStringLiteral("t = 1,15 ms"));
    Pilote::ChoisitBase(f.w, 0);
    QCOMPARE(bulle(t, cent), QStringLiteral("t = 0,115 ms"));
    Pilote::ChoisitBase(f.w, 8);
    QCOMPARE(bulle(t, cent), QStringLiteral("t = 57,4 ms"));
    QToolTip::hideText();
}

QTEST_MAIN(TestCurseurSpectre)
#include "tst_curseurfrequences.moc"
