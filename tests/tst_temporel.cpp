#include "plot/repere.h"
#include "plot/surface.h"
#include "plot/temporel.h"

#include <QTest>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(Son)

namespace {

// The time-plot surface of the layout: 13092 × 3624 twips.
const QSize Taille(873, 242);
const QColor Blanc(255, 255, 255);

// Logical pixel of a user point, from the layout's scales: twips from the top-left corner / 15.
int Colonne(double divisions)
{
    return int(std::floor(divisions * 1306.8478 / 15));
}
int Rangee(double y)
{
    return int(std::floor((y + 6) * 300 / 15));
}

QColor Couleur(const Surface &s, int x, int y, int dx = 0, int dy = 0)
{
    const int r = int(s.image().devicePixelRatio());
    return s.image().pixelColor(x * r + dx, y * r + dy);
}

// Logical pixels of the curve's colour (read at each logical pixel's top-left device pixel).
QList<QPoint> Courbe(const Surface &s)
{
    QList<QPoint> points;
    for (int y = 0; y < Taille.height(); ++y)
        for (int x = 0; x < Taille.width(); ++x)
            if (Couleur(s, x, y) == Temporel::CouleurCourbe)
                points.append(QPoint(x, y));
    return points;
}

Son Table(float sensibilite, std::initializer_list<std::pair<int, float>> composantes)
{
    Son t;
    int i = 1;
    for (auto [f, a] : composantes) {
        t.Frequence[i] = std::int16_t(f);
        t.Amplitude[i] = a;
        ++i;
    }
    t.ProchaineComposante = std::int16_t(i);
    t.Sensibilite = sensibilite;
    return t;
}

} // namespace

class TestTemporel : public QObject
{
    Q_OBJECT

private slots:
    void nombreDePoints_data();
    void nombreDePoints();
    void grille_data();
    void grille();
    void creuxDuSinus_data();
    void creuxDuSinus();
    void ligneplate_data();
    void ligneplate();
    void sommeRecalculee();
    void baseDeTempsInutilisable();
};

void TestTemporel::nombreDePoints_data()
{
    QTest::addColumn<float>("sensibilite");
    QTest::addColumn<int>("qualite");
    QTest::addColumn<int>("points");
    // The float accumulation reaches the last point, at ten divisions, only for some time bases.
    const struct
    {
        float s;
        int grossier;
        int fin;
    } bases[] = {{0.1f, 201, 10000}, {0.2f, 201, 10000},  {0.5f, 200, 10000},  {1.0f, 200, 10000}, {2.0f, 200, 10000},
                 {5.0f, 201, 10000}, {10.0f, 201, 10000}, {20.0f, 201, 10000}, {50.0f, 201, 10001}};
    for (const auto &b : bases) {
        QTest::newRow(qPrintable(QStringLiteral("%1 ms/div coarse").arg(b.s))) << b.s << 1 << b.grossier;
        QTest::newRow(qPrintable(QStringLiteral("%1 ms/div fine").arg(b.s))) << b.s << 2 << b.fin;
    }
}

void TestTemporel::nombreDePoints()
{
    QFETCH(float, sensibilite);
    QFETCH(int, qualite);
    QFETCH(int, points);
    QCOMPARE(Temporel::NombrePoints(sensibilite, qualite), points);
    // The drawing makes as many points, and the last one ends the curve: a flat line along y = 0
    // whose rightmost pixel is at the last instant, (points − 1) steps of 1/20 or 1/1000 division.
    Surface s(RepereTemporel, Taille, nullptr, 1);
    Son t = Table(sensibilite, {});
    QCOMPARE(Temporel::TraceTemporel(s, t, qualite), points);
    const double pas = qualite == 1 ? 0.05 : 0.001;
    const int derniere = Colonne((points - 1) * pas);
    QCOMPARE(Couleur(s, derniere, Rangee(0)), Temporel::CouleurCourbe);
    // Beyond it only the zero grid line, which stops at x = 10.
    QCOMPARE(Couleur(s, derniere + 1, Rangee(0)), derniere + 1 <= Colonne(10) ? Temporel::CouleurGrille : Blanc);
}

void TestTemporel::grille_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("i");
    for (qreal ratio : {1.0, 2.0})
        for (int i = 0; i <= 10; ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 @%2").arg(i).arg(ratio))) << ratio << i;
}

void TestTemporel::grille()
{
    QFETCH(qreal, ratio);
    QFETCH(int, i);
    Surface s(RepereTemporel, Taille, nullptr, ratio);
    Temporel::QuadrilleTemporel(s);
    const int r = int(ratio);
    // Vertical line x = i, from the top edge (y = −6) to y = 6, which lies inside the bottom edge.
    const int x = Colonne(i);
    for (int y : {Rangee(-6), Rangee(-5.5), Rangee(0.5), Rangee(5.5), Rangee(6)})
        for (int d = 0; d < r; ++d) {
            QCOMPARE(Couleur(s, x, y, d, d), Temporel::CouleurGrille);
            if (x > 0)
                QCOMPARE(Couleur(s, x, y, -1, d), Blanc);
            QCOMPARE(Couleur(s, x, y, r, d), Blanc);
        }
    QCOMPARE(Couleur(s, x, Rangee(6) + 1), Blanc);
    // Horizontal line y = i − 5, from x = 0 to x = 10.
    const int y = Rangee(i - 5);
    for (int xx : {Colonne(0), Colonne(0.5), Colonne(4.5), Colonne(9.5), Colonne(10)})
        for (int d = 0; d < r; ++d) {
            QCOMPARE(Couleur(s, xx, y, d, d), Temporel::CouleurGrille);
            if (xx != Colonne(0) && xx != Colonne(10)) {
                QCOMPARE(Couleur(s, xx, y, d, -1), Blanc);
                QCOMPARE(Couleur(s, xx, y, d, r), Blanc);
            }
        }
    QCOMPARE(Couleur(s, Colonne(10) + 1, y), Blanc);
}

void TestTemporel::creuxDuSinus_data()
{
    QTest::addColumn<int>("hertz");
    QTest::addColumn<float>("amplitude");
    QTest::addColumn<float>("sensibilite");
    // A single sine has a peak of 5 units whatever its amplitude; y grows downwards, so its first
    // maximum, a quarter period in, is the lowest point on the screen.
    QTest::newRow("default sound") << 440 << 10.0f << 1.0f;
    QTest::newRow("amplitude 3") << 440 << 3.0f << 1.0f;
    QTest::newRow("amplitude 0.5") << 440 << 0.5f << 1.0f;
    QTest::newRow("1000 Hz at 0.1 ms/div") << 1000 << 1.0f << 0.1f;
    QTest::newRow("100 Hz at 5 ms/div") << 100 << 7.0f << 5.0f;
}

void TestTemporel::creuxDuSinus()
{
    QFETCH(int, hertz);
    QFETCH(float, amplitude);
    QFETCH(float, sensibilite);
    Surface s(RepereTemporel, Taille, nullptr, 1);
    Son t = Table(sensibilite, {{hertz, amplitude}});
    Temporel::TraceTemporel(s, t, 2);

    // Within the first period: the lowest curve pixels lie on y = 5 (or just above it) and are
    // centred on a quarter period; the highest lie on y = −5, three quarters in.
    const double periode = 1000.0 / hertz / sensibilite; // divisions
    const QList<QPoint> courbe = Courbe(s);
    QVERIFY(!courbe.isEmpty());
    int bas = -1;
    int haut = Taille.height();
    for (const QPoint &p : courbe)
        if (p.x() < Colonne(periode)) {
            bas = std::max(bas, p.y());
            haut = std::min(haut, p.y());
        }
    QVERIFY2(bas == Rangee(5) || bas == Rangee(5) - 1, qPrintable(QString::number(bas)));
    QVERIFY2(haut == Rangee(-5) || haut == Rangee(-5) - 1, qPrintable(QString::number(haut)));
    auto centre = [&](int rangee) {
        double somme = 0;
        int n = 0;
        for (const QPoint &p : courbe)
            if (p.y() == rangee && p.x() < Colonne(periode)) {
                somme += p.x();
                ++n;
            }
        return somme / n;
    };
    const double attenduBas = periode / 4 * 1306.8478 / 15;
    const double attenduHaut = 3 * periode / 4 * 1306.8478 / 15;
    QVERIFY2(std::abs(centre(bas) - attenduBas) <= 2, qPrintable(QString::number(centre(bas))));
    QVERIFY2(std::abs(centre(haut) - attenduHaut) <= 2, qPrintable(QString::number(centre(haut))));
    // Nothing of the curve beyond the outer horizontal lines.
    for (const QPoint &p : courbe)
        QVERIFY(p.y() >= Rangee(-5) - 1 && p.y() <= Rangee(5));
}

void TestTemporel::ligneplate_data()
{
    QTest::addColumn<Son>("table");
    QTest::newRow("no components") << Table(1.0f, {});
    QTest::newRow("frequencies without amplitude") << Table(1.0f, {{440, 0.0f}, {880, 0.0f}});
    // The sum is 0, so y is 0 whatever the terms would give.
    QTest::newRow("amplitudes cancelling out") << Table(1.0f, {{440, 5.0f}, {880, -5.0f}});
}

void TestTemporel::ligneplate()
{
    QFETCH(Son, table);
    Surface s(RepereTemporel, Taille, nullptr, 1);
    Temporel::TraceTemporel(s, table, 2);
    QCOMPARE(SommeAmplitudes(table), 0.0f);
    // The whole zero line, drawn over the red point at the origin, and nothing else.
    const QList<QPoint> courbe = Courbe(s);
    const int fin = Colonne(9.999);
    QCOMPARE(courbe.size(), fin + 1);
    for (const QPoint &p : courbe)
        QCOMPARE(p.y(), Rangee(0));
    QCOMPARE(courbe.constFirst().x(), 0);
    QCOMPARE(courbe.constLast().x(), fin);
}

void TestTemporel::sommeRecalculee()
{
    // Two equal components each contribute half the peak: the sum is the table's own.
    const Son t = Table(1.0f, {{440, 4.0f}, {1320, 4.0f}});
    Surface s(RepereTemporel, Taille, nullptr, 1);
    Temporel::TraceTemporel(s, t, 2);
    QCOMPARE(SommeAmplitudes(t), 8.0f);
    // At 1/4 period of 440 Hz (0.568 div) 1320 Hz is at its minimum: y = 2.5 − 2.5 = 0; at
    // 1/12 period (0.189 div) they are at sin(π/6) and sin(π/2): y = 2.5 × (0.5 + 1) = 3.75.
    QCOMPARE(Couleur(s, Colonne(1000.0 / 440 / 4), Rangee(0)), Temporel::CouleurCourbe);
    const int x2 = Colonne(1000.0 / 440 / 12);
    const int y2 = Rangee(3.75);
    int trouve = 0;
    for (int dy = -1; dy <= 1; ++dy)
        trouve += Couleur(s, x2, y2 + dy) == Temporel::CouleurCourbe;
    QVERIFY(trouve > 0);
}

void TestTemporel::baseDeTempsInutilisable()
{
    // Before the start-up sets a time base it is 0: the call must end, with the grid and the red
    // point at the origin and no curve.
    Surface s(RepereTemporel, Taille, nullptr, 1);
    Son t = Table(0.0f, {{440, 10.0f}});
    QCOMPARE(Temporel::TraceTemporel(s, t, 2), 0);
    QCOMPARE(Temporel::NombrePoints(0.0f, 1), 0);
    QCOMPARE(Temporel::NombrePoints(-1.0f, 2), 0);
    QCOMPARE(Couleur(s, 0, Rangee(0)), Temporel::CouleurOrigine);
    QVERIFY(Courbe(s).isEmpty());
    QCOMPARE(Couleur(s, 1, Rangee(0)), Temporel::CouleurGrille);
}

QTEST_MAIN(TestTemporel)
#include "tst_temporel.moc"
