#include "plot/frequences.h"
#include "plot/repere.h"
#include "plot/surface.h"
#include "plot/vues.h"

#include <QTest>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(Son)

namespace {

// The spectrum surface of the layout: 13092 × 3624 twips.
const QSize Taille(873, 242);
const QColor Blanc(255, 255, 255);

// Logical pixel of a user point, from the layout's scales: twips from the top-left corner / 15.
int Colonne(double hertz)
{
    return int(std::floor(hertz * 2.6184 / 15));
}
int Rangee(double y)
{
    return int(std::floor((y + 1) * 293.9888 / 15));
}

QColor Couleur(const Surface &s, int x, int y, int dx = 0, int dy = 0)
{
    const int r = int(s.image().devicePixelRatio());
    return s.image().pixelColor(x * r + dx, y * r + dy);
}

// Device pixels of the logical rectangle `zone` that satisfy `test`.
template <typename Test>
int Compte(const Surface &s, QRect zone, Test test)
{
    const int r = int(s.image().devicePixelRatio());
    const QRect appareil = QRect(zone.topLeft() * r, zone.size() * r) & s.image().rect();
    int n = 0;
    for (int y = appareil.top(); y <= appareil.bottom(); ++y)
        for (int x = appareil.left(); x <= appareil.right(); ++x)
            n += test(s.image().pixelColor(x, y));
    return n;
}

bool Sombre(QColor c)
{
    return std::max({c.red(), c.green(), c.blue()}) < 128;
}

bool Orange(QColor c)
{
    return c == Spectre::CouleurComposante;
}

// Clear, grid, lines: every redraw of the spectrum.
void Redessine(Surface &s, const Son &table, bool afficheFreq)
{
    s.Efface();
    Spectre::QuadrilleSpectre(s);
    Spectre::TraceSpectre(s, table, afficheFreq);
}

Son Table(int f1, float a1, std::initializer_list<std::pair<int, float>> autres = {})
{
    Son t;
    t.Frequence[1] = std::int16_t(f1);
    t.Amplitude[1] = a1;
    int i = 2;
    for (auto [f, a] : autres) {
        t.Frequence[i] = std::int16_t(f);
        t.Amplitude[i] = a;
        ++i;
    }
    t.ProchaineComposante = std::int16_t(i);
    return t;
}

std::unique_ptr<Surface> NouvelleSurface(qreal ratio)
{
    auto s = std::make_unique<Surface>(RepereSpectre, Taille, nullptr, ratio);
    s->setFont(QFont(QStringLiteral("Carlito"), 9));
    return s;
}

} // namespace

class TestSpectre : public QObject
{
    Q_OBJECT

private slots:
    void grilleVerticale_data();
    void grilleVerticale();
    void grilleHorizontale_data();
    void grilleHorizontale();
    void plumeSurLaLigneDeBase();
    void exempleCommente();
    void etiquettes_data();
    void etiquettes();
    void lignesHorsCadre_data();
    void lignesHorsCadre();
    void casesVidesSansTrace();
    void vueCommeLeTraceDirect_data();
    void vueCommeLeTraceDirect();
    void couchesDansLOrdre();
};

void TestSpectre::vueCommeLeTraceDirect_data()
{
    QTest::addColumn<bool>("apercu");
    QTest::addColumn<bool>("afficheFreq");
    QTest::newRow("lines") << false << false;
    QTest::newRow("lines and labels") << false << true;
    QTest::newRow("preview under the lines") << true << true;
}

void TestSpectre::vueCommeLeTraceDirect()
{
    // With no layer set, the view's picture is the sequence every redraw used to spell out.
    QFETCH(bool, apercu);
    QFETCH(bool, afficheFreq);
    const Son table = Table(440, 10, {{880, 5.0f}, {1320, 2.5f}});
    Surface attendu(RepereSpectre, Taille, nullptr, 1);
    attendu.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    attendu.Efface();
    Spectre::QuadrilleSpectre(attendu);
    if (apercu)
        attendu.Ligne(880, 3, 880, 10, Spectre::CouleurApercu);
    Spectre::TraceSpectre(attendu, table, afficheFreq);

    Surface s(RepereSpectre, Taille, nullptr, 1);
    s.setFont(attendu.font());
    VueSpectre vue(s);
    vue.fixeSon(table);
    vue.fixeAfficheFreq(afficheFreq);
    if (apercu)
        vue.fixeApercu(QPointF(880, 3));
    vue.dessine();
    QCOMPARE(s.image(), attendu.image());
}

void TestSpectre::couchesDansLOrdre()
{
    // A flat measured spectrum at amplitude 4.5 and a live one at 6.5, both across 880 Hz,
    // where a component stands at amplitude 8: the measured one lies behind the line, the live one
    // over it, and both over the grid's empty places.
    const Son table = Table(440, 10, {{880, 8.0f}});
    Surface s(RepereSpectre, Taille, nullptr, 1);
    VueSpectre vue(s);
    vue.fixeSon(table);
    vue.fixeCouche(Couche::Mesure, {{600, 4.5}, {1200, 4.5}});
    vue.fixeCouche(Couche::Direct, {{600, 6.5}, {1200, 6.5}});
    vue.dessine();
    const QColor mesure = VueSpectre::CouleursCouches[int(Couche::Mesure)];
    const QColor direct = VueSpectre::CouleursCouches[int(Couche::Direct)];
    QCOMPARE(Couleur(s, Colonne(880), Rangee(5.5)), Spectre::CouleurComposante);
    QCOMPARE(Couleur(s, Colonne(880), Rangee(3.5)), direct);
    QCOMPARE(Couleur(s, Colonne(700), Rangee(5.5)), mesure);
    QCOMPARE(Couleur(s, Colonne(700), Rangee(3.5)), direct);
    // An empty list takes the layer away: the plain picture again.
    vue.fixeCouche(Couche::Mesure, {});
    vue.fixeCouche(Couche::Direct, {});
    vue.dessine();
    QCOMPARE(Couleur(s, Colonne(700), Rangee(5.5)), Blanc);
    QCOMPARE(Couleur(s, Colonne(880), Rangee(3.5)), Spectre::CouleurComposante);
}

void TestSpectre::grilleVerticale_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("hertz");
    for (qreal ratio : {1.0, 2.0})
        for (int f = 0; f <= 5000; f += 500)
            QTest::newRow(qPrintable(QStringLiteral("%1 Hz @%2").arg(f).arg(ratio))) << ratio << f;
}

void TestSpectre::grilleVerticale()
{
    QFETCH(qreal, ratio);
    QFETCH(int, hertz);
    auto s = NouvelleSurface(ratio);
    Spectre::QuadrilleSpectre(*s);
    const int x = Colonne(hertz);
    QVERIFY(x < Taille.width()); // 5000 Hz falls on the right edge itself, still inside
    const int r = int(ratio);
    // From the top edge (y = −1) down to the base line, between the horizontal lines: every device
    // pixel of the column is exactly the grid colour, and its neighbours are untouched.
    QCOMPARE(Couleur(*s, x, Rangee(10), r - 1, r - 1), Spectre::CouleurGrille);
    for (int y : {Rangee(-1), Rangee(-0.5), Rangee(4.5), Rangee(9.5)})
        for (int d = 0; d < r; ++d) {
            QCOMPARE(Couleur(*s, x, y, d, d), Spectre::CouleurGrille);
            if (x > 0)
                QCOMPARE(Couleur(*s, x, y, -1, d), Blanc);
            if (x + 1 < Taille.width())
                QCOMPARE(Couleur(*s, x, y, r, d), Blanc);
        }
    // Nothing below the base line.
    QCOMPARE(Couleur(*s, x, Rangee(10) + 1), Blanc);
    QCOMPARE(Couleur(*s, x, Taille.height() - 1), Blanc);
}

void TestSpectre::grilleHorizontale_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("amplitude");
    for (qreal ratio : {1.0, 2.0})
        for (int y = 0; y <= 10; ++y)
            QTest::newRow(qPrintable(QStringLiteral("y = %1 @%2").arg(y).arg(ratio))) << ratio << y;
}

void TestSpectre::grilleHorizontale()
{
    QFETCH(qreal, ratio);
    QFETCH(int, amplitude);
    auto s = NouvelleSurface(ratio);
    Spectre::QuadrilleSpectre(*s);
    const int y = Rangee(amplitude);
    const int r = int(ratio);
    for (int x : {Colonne(0), Colonne(250), Colonne(2750), Colonne(4750), Colonne(5000)})
        for (int d = 0; d < r; ++d) {
            QCOMPARE(Couleur(*s, x, y, d, d), Spectre::CouleurGrille);
            if (x != Colonne(0) && x != Colonne(5000)) {
                QCOMPARE(Couleur(*s, x, y, d, -1), Blanc);
                QCOMPARE(Couleur(*s, x, y, d, r), Blanc);
            }
        }
}

void TestSpectre::plumeSurLaLigneDeBase()
{
    auto s = NouvelleSurface(1);
    Spectre::QuadrilleSpectre(*s);
    QCOMPARE(s->plume(), QPointF(5000, 10));
    Spectre::TraceSpectre(*s, Table(440, 10, {{880, 5}}), true);
    QCOMPARE(s->largeur(), 1);
}

void TestSpectre::exempleCommente()
{
    auto s = NouvelleSurface(1);
    Redessine(*s, Table(440, 10, {{880, 5}}), true);

    // The line: 2304 twips from the left (153.6 px), from 1764 to 3234 twips down (117.6 to
    // 215.6 px), two pixels wide.
    const int x = 2304 / 15;
    for (int y = 1764 / 15 + 1; y <= 3234 / 15; ++y) {
        QCOMPARE(Couleur(*s, x, y), Spectre::CouleurComposante);
        QCOMPARE(Couleur(*s, x + 1, y), Spectre::CouleurComposante);
    }
    QVERIFY(!Orange(Couleur(*s, x - 1, 160)));
    QVERIFY(!Orange(Couleur(*s, x + 2, 160)));
    QVERIFY(!Orange(Couleur(*s, x, 1764 / 15 - 1)));
    QCOMPARE(Compte(*s, QRect(QPoint(0, 0), Taille), Orange), 2 * (3234 / 15 - 1764 / 15 + 2));

    // The label " 880 ": top-left corner at 2042 twips from the left, 3234 down (136.1, 215.6 px).
    const QPoint coin(2042 / 15, 3234 / 15);
    QVERIFY(Compte(*s, QRect(coin, QSize(40, 20)), Sombre) > 20);
    // Nothing dark just left of the corner (the fundamental's label ends well before) nor above it.
    QCOMPARE(Compte(*s, QRect(coin.x() - 16, coin.y(), 16, Taille.height() - coin.y()), Sombre), 0);
    QCOMPARE(Compte(*s, QRect(coin.x(), coin.y() - 60, 60, 60), Sombre), 0);
    // The leading blank: the digits start a few pixels right of the corner.
    QCOMPARE(Compte(*s, QRect(coin.x(), coin.y(), 1, 20), Sombre), 0);
}

void TestSpectre::etiquettes_data()
{
    QTest::addColumn<Son>("table");
    QTest::addColumn<bool>("afficheFreq");
    QTest::addColumn<int>("hertz"); // where a label would start: its line's frequency
    QTest::addColumn<bool>("imprime");
    QTest::newRow("harmonic, ticked") << Table(440, 10, {{2200, 3}}) << true << 2200 << true;
    QTest::newRow("harmonic, not ticked") << Table(440, 10, {{2200, 3}}) << false << 2200 << false;
    QTest::newRow("harmonic of amplitude 0") << Table(440, 10, {{2200, 0}}) << true << 2200 << false;
    QTest::newRow("harmonic of negative amplitude") << Table(440, 10, {{2200, -2}}) << true << 2200 << false;
    QTest::newRow("fundamental, full") << Table(3000, 10) << true << 3000 << true;
    QTest::newRow("fundamental removed, still labelled") << Table(3000, 0) << true << 3000 << true;
    QTest::newRow("fundamental, not ticked") << Table(3000, 10) << false << 3000 << false;
    QTest::newRow("last slot") << Table(
        440, 10, {{880, 1}, {1320, 1}, {1760, 1}, {2200, 1}, {2640, 1}, {3080, 1}, {3520, 1}, {4400, 1}})
                               << true << 4400 << true;
}

void TestSpectre::etiquettes()
{
    QFETCH(Son, table);
    QFETCH(bool, afficheFreq);
    QFETCH(int, hertz);
    QFETCH(bool, imprime);
    auto s = NouvelleSurface(1);
    Redessine(*s, table, afficheFreq);
    // The label's box under the base line, starting 100 Hz left of the line.
    const QRect boite(QPoint(Colonne(hertz - 100), Rangee(10)), QSize(40, 20));
    const int sombres = Compte(*s, boite, Sombre);
    if (imprime)
        QVERIFY2(sombres > 20, qPrintable(QString::number(sombres)));
    else
        QCOMPARE(sombres, 0);
}

void TestSpectre::lignesHorsCadre_data()
{
    QTest::addColumn<int>("hertz");
    QTest::addColumn<float>("amplitude");
    QTest::addColumn<int>("haut"); // rows of the line, −1 when it is not on the surface
    QTest::addColumn<int>("bas");
    QTest::newRow("beyond 5000 Hz") << 6000 << 5.0f << -1 << -1;
    QTest::newRow("just inside the right edge") << 4990 << 5.0f << Rangee(5) << Rangee(10) + 1;
    QTest::newRow("amplitude 15: clipped at the top edge") << 2000 << 15.0f << 0 << Rangee(10) + 1;
    QTest::newRow("amplitude -1: into the label band") << 2000 << -1.0f << Rangee(10) << Rangee(11) + 1;
    QTest::newRow("amplitude -20: to the bottom edge") << 2000 << -20.0f << Rangee(10) << Taille.height() - 1;
    QTest::newRow("frequency 32767") << 32767 << 10.0f << -1 << -1;
}

void TestSpectre::lignesHorsCadre()
{
    QFETCH(int, hertz);
    QFETCH(float, amplitude);
    QFETCH(int, haut);
    QFETCH(int, bas);
    auto s = NouvelleSurface(1);
    Redessine(*s, Table(440, 10, {{hertz, amplitude}}), true);
    const int orange = Compte(*s, QRect(QPoint(0, 0), Taille), Orange);
    if (haut < 0) {
        QCOMPARE(orange, 0);
        return;
    }
    const int x = Colonne(hertz);
    QCOMPARE(orange, 2 * (bas - haut + 1));
    QCOMPARE(Compte(*s, QRect(x, haut, 2, bas - haut + 1), Orange), orange);
    // A negative amplitude gets no label, even ticked.
    if (amplitude < 0)
        QCOMPARE(Compte(*s, QRect(QPoint(Colonne(hertz - 100), Rangee(10)), QSize(40, 20)), Sombre), 0);
}

void TestSpectre::casesVidesSansTrace()
{
    // Slots 2..10 empty: each still gets its zero-length step at (0, 10), which leaves no mark.
    auto s = NouvelleSurface(1);
    Redessine(*s, Table(440, 10), false);
    QCOMPARE(Compte(*s, QRect(QPoint(0, 0), Taille), Orange), 0);
    QCOMPARE(Couleur(*s, 0, Rangee(10)), Spectre::CouleurGrille);
}

QTEST_MAIN(TestSpectre)
#include "tst_frequences.moc"
