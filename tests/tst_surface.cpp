#include "plot/repere.h"
#include "plot/surface.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// One user unit per logical pixel, origin at the top-left corner: pixel positions can be read
// straight from the user coordinates.
constexpr Repere Unite{0.0, 0.0, TwipsParPixel, TwipsParPixel};
const QColor Blanc(255, 255, 255);
const QColor Encre(20, 90, 160);

// Colour of logical pixel (x, y), read at the top-left device pixel of that logical pixel.
QColor Couleur(const Surface &s, int x, int y)
{
    const qreal r = s.image().devicePixelRatio();
    return s.image().pixelColor(int(x * r), int(y * r));
}

// Device pixels of `couleur` in the device rectangle `zone` (clipped to the image).
int Compte(const QImage &image, const QRect &zone, const QColor &couleur)
{
    const QRect r = zone & image.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == couleur;
    return n;
}

bool Sombre(QColor c)
{
    return std::max({c.red(), c.green(), c.blue()}) < 128;
}

// Smallest device rectangle holding every dark pixel; empty when there is none.
QRect BoiteSombre(const QImage &image)
{
    QRect boite;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Sombre(image.pixelColor(x, y)))
                boite |= QRect(x, y, 1, 1);
    return boite;
}

// Counts the repaints the surface asks for.
class SurfaceComptee : public Surface
{
public:
    using Surface::Surface;
    int peintures = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++peintures;
        Surface::paintEvent(event);
    }
};

} // namespace

class TestSurface : public QObject
{
    Q_OBJECT

private slots:
    void rectangleTwips_data();
    void rectangleTwips();
    void allerRetour_data();
    void allerRetour();
    void lignesDroites_data();
    void lignesDroites();
    void ligneOblique_data();
    void ligneOblique();
    void polyligneCommeLignesSuccessives_data();
    void polyligneCommeLignesSuccessives();
    void decoupage_data();
    void decoupage();
    void plumeApresChaqueOperation();
    void couleursDuPanneau();
    void imprimeNombreAuCoin_data();
    void imprimeNombreAuCoin();
    void dessinCacheMontreEnsuite();
    void dessinMontreRepeint_data();
    void dessinMontreRepeint();
    void imageAuRatioDeux();
    void souris_data();
    void souris();
};

void TestSurface::rectangleTwips_data()
{
    QTest::addColumn<QRectF>("twips");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("plot surface") << QRectF(48, 408, 13092, 3624) << QRect(3, 27, 873, 242);
    QTest::newRow("plot panel") << QRectF(120, 5160, 15132, 4092) << QRect(8, 344, 1009, 273);
    QTest::newRow("keyboard opener") << QRectF(3720, 120, 3972, 492) << QRect(248, 8, 265, 33);
    // 1.5 px and 2.5 px: exact halves go to the even neighbour, edge by edge.
    QTest::newRow("halves to even") << QRectF(22.5, 37.5, 15, 30) << QRect(2, 2, 0, 2);
}

void TestSurface::rectangleTwips()
{
    QFETCH(QRectF, twips);
    QFETCH(QRect, pixels);
    QCOMPARE(RectangleTwips(twips.x(), twips.y(), twips.width(), twips.height()), pixels);
}

void TestSurface::allerRetour_data()
{
    QTest::addColumn<bool>("spectre");
    QTest::addColumn<QPointF>("utilisateur");
    QTest::addColumn<QPointF>("pixels");
    // Pixels from the layout: twips from the top-left corner divided by 15.
    QTest::newRow("spectrum top-left") << true << QPointF(0, -1) << QPointF(0, 0);
    QTest::newRow("spectrum 880 Hz, amplitude 5") << true << QPointF(880, 5) << QPointF(2304.192 / 15, 1763.9328 / 15);
    QTest::newRow("spectrum 5000 Hz base line") << true << QPointF(5000, 10) << QPointF(872.8, 3233.8768 / 15);
    QTest::newRow("spectrum left of the plot") << true << QPointF(-300, 12.5) << QPointF(-785.52 / 15, 3968.8488 / 15);
    QTest::newRow("time origin") << false << QPointF(0, 0) << QPointF(0, 120);
    QTest::newRow("time 10 divisions, y 6") << false << QPointF(10, 6) << QPointF(13068.478 / 15, 240);
    QTest::newRow("time 0.568 divisions, y -5") << false << QPointF(0.568, -5) << QPointF(742.2895504 / 15, 20);
}

void TestSurface::allerRetour()
{
    QFETCH(bool, spectre);
    QFETCH(QPointF, utilisateur);
    QFETCH(QPointF, pixels);
    const Repere &r = spectre ? RepereSpectre : RepereTemporel;
    const QPointF p = r.versPixels(utilisateur.x(), utilisateur.y());
    QVERIFY2(std::abs(p.x() - pixels.x()) < 1e-9 && std::abs(p.y() - pixels.y()) < 1e-9,
             qPrintable(QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 12).arg(p.y(), 0, 'g', 12)));
    const QPointF retour = r.versUtilisateur(p);
    QVERIFY(std::abs(retour.x() - utilisateur.x()) < 1e-9);
    QVERIFY(std::abs(retour.y() - utilisateur.y()) < 1e-9);
}

void TestSurface::lignesDroites_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QLineF>("ligne");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<QRect>("couvert"); // logical pixels the line must cover, and nothing around
    for (qreal ratio : {1.0, 2.0}) {
        const QByteArray r = ratio == 1 ? " @1" : " @2";
        QTest::newRow("vertical" + r) << ratio << QLineF(3, 2, 3, 8) << 1 << QRect(3, 2, 1, 7);
        QTest::newRow("vertical upwards" + r) << ratio << QLineF(3, 8, 3, 2) << 1 << QRect(3, 2, 1, 7);
        QTest::newRow("vertical fractional" + r) << ratio << QLineF(3.99, 2.2, 3.01, 8.9) << 1 << QRect(3, 2, 1, 7);
        QTest::newRow("vertical width 2" + r) << ratio << QLineF(3, 2, 3, 8) << 2 << QRect(3, 2, 2, 8);
        QTest::newRow("horizontal leftwards" + r) << ratio << QLineF(9, 4, 2, 4) << 1 << QRect(2, 4, 8, 1);
        QTest::newRow("horizontal width 3" + r) << ratio << QLineF(2, 4, 9, 4) << 3 << QRect(2, 4, 10, 3);
        QTest::newRow("one pixel long" + r) << ratio << QLineF(5.1, 5.2, 5.8, 5.9) << 2 << QRect(5, 5, 2, 2);
    }
}

void TestSurface::lignesDroites()
{
    QFETCH(qreal, ratio);
    QFETCH(QLineF, ligne);
    QFETCH(int, largeur);
    QFETCH(QRect, couvert);
    Surface s(Unite, QSize(16, 12), nullptr, ratio);
    s.FixeLargeur(largeur);
    s.Ligne(ligne.x1(), ligne.y1(), ligne.x2(), ligne.y2(), Encre);

    // Device pixels: the covered rectangle scaled by the ratio, exactly the ink colour, and
    // only background in the one-pixel ring around it (no blur, no spill).
    const QRect appareil(couvert.topLeft() * ratio, couvert.size() * ratio);
    QCOMPARE(Compte(s.image(), appareil, Encre), appareil.width() * appareil.height());
    const QRect anneau = appareil.adjusted(-1, -1, 1, 1);
    QCOMPARE(Compte(s.image(), anneau, Blanc), anneau.width() * anneau.height() - appareil.width() * appareil.height());
    QCOMPARE(Compte(s.image(), s.image().rect(), Encre), appareil.width() * appareil.height());
}

void TestSurface::ligneOblique_data()
{
    QTest::addColumn<QLineF>("ligne");
    QTest::newRow("shallow") << QLineF(2, 2, 30, 9);
    QTest::newRow("steep, backwards") << QLineF(20, 28, 12, 1);
    QTest::newRow("diagonal") << QLineF(1, 1, 25, 25);
}

void TestSurface::ligneOblique()
{
    QFETCH(QLineF, ligne);
    Surface s(Unite, QSize(32, 32), nullptr, 1);
    s.Ligne(ligne.x1(), ligne.y1(), ligne.x2(), ligne.y2(), Encre);
    const QImage &im = s.image();
    QCOMPARE(im.pixelColor(ligne.p1().toPoint()), Encre);
    QCOMPARE(im.pixelColor(ligne.p2().toPoint()), Encre);
    // Every ink pixel lies within a pixel of the ideal line (through the pixel centres), and the
    // line has no gap: one ink pixel at least on every row and column it spans.
    const QLineF ideal = ligne.translated(0.5, 0.5);
    const double longueur = ideal.length();
    const QRect boite = QRectF(ligne.p1(), ligne.p2()).normalized().toRect();
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            if (im.pixelColor(x, y) != Encre)
                continue;
            const QPointF c(x + 0.5, y + 0.5);
            const double distance =
                std::abs((ideal.dx() * (c.y() - ideal.y1()) - ideal.dy() * (c.x() - ideal.x1()))) / longueur;
            QVERIFY2(distance <= 1.0, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    for (int x = boite.left(); x <= boite.right(); ++x)
        QVERIFY(Compte(im, QRect(x, 0, 1, im.height()), Encre) > 0);
    for (int y = boite.top(); y <= boite.bottom(); ++y)
        QVERIFY(Compte(im, QRect(0, y, im.width(), 1), Encre) > 0);
}

void TestSurface::polyligneCommeLignesSuccessives_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<int>("encre"); // logical pixels inked at least (one per row or column a segment spans)
    // A zigzag with steep, shallow, flat and vertical parts, repeated samples, and a dense run
    // of samples up and down one column, as a fine waveform has.
    const QList<QPointF> zigzag = {{3, 3},     {3.4, 3.2}, {9, 20},    {20, 22},   {20.5, 22.9}, {30, 22}, {30, 5},
                                   {30.2, 18}, {30.7, 3},  {30.1, 25}, {30.9, 10}, {31, 29},     {12, 27}};
    QTest::newRow("zigzag") << 1.0 << 1 << zigzag << 80;
    QTest::newRow("zigzag, width 2") << 1.0 << 2 << zigzag << 160;
    QTest::newRow("zigzag, ratio 2") << 2.0 << 1 << zigzag << 80;
    QTest::newRow("moves inside one pixel") << 1.0 << 1 << QList<QPointF>{{1.2, 1.3}, {1.6, 1.1}} << 1;
    QTest::newRow("stays on the pen") << 2.0 << 1 << QList<QPointF>{{1, 1}, {1, 1}} << 0;
}

void TestSurface::polyligneCommeLignesSuccessives()
{
    QFETCH(qreal, ratio);
    QFETCH(int, largeur);
    QFETCH(QList<QPointF>, points);
    QFETCH(int, encre);
    Surface a(Unite, QSize(40, 32), nullptr, ratio);
    Surface b(Unite, QSize(40, 32), nullptr, ratio);
    a.FixeLargeur(largeur);
    b.FixeLargeur(largeur);
    a.Point(1, 1, Blanc);
    b.Point(1, 1, Blanc);
    a.Polyligne(points, Encre);
    for (const QPointF &p : points)
        b.LigneVers(p.x(), p.y(), Encre);
    QCOMPARE(a.plume(), points.constLast());
    QCOMPARE(a.image(), b.image());
    const int compte = Compte(a.image(), a.image().rect(), Encre);
    QVERIFY2(compte >= encre * ratio * ratio, qPrintable(QString::number(compte)));
    if (encre == 0)
        QCOMPARE(compte, 0);
}

void TestSurface::decoupage_data()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<QLineF>("ligne");
    QTest::addColumn<QRect>("couvert"); // logical pixels; empty when nothing may be drawn
    QTest::newRow("across the whole width") << QLineF(-50, 5, 70, 5) << QRect(0, 5, 20, 1);
    QTest::newRow("from far above") << QLineF(7, -1e30, 7, 4) << QRect(7, 0, 1, 5);
    QTest::newRow("to far below") << QLineF(7, 4, 7, 1e300) << QRect(7, 4, 1, 6);
    QTest::newRow("right of the surface") << QLineF(25, 1, 25, 8) << QRect();
    QTest::newRow("left of the surface") << QLineF(-3, 1, -1, 8) << QRect();
    QTest::newRow("infinite") << QLineF(3, 3, inf, 3) << QRect();
    QTest::newRow("not a number") << QLineF(3, 3, 3, nan) << QRect();
}

void TestSurface::decoupage()
{
    QFETCH(QLineF, ligne);
    QFETCH(QRect, couvert);
    Surface s(Unite, QSize(20, 10), nullptr, 1);
    s.Ligne(ligne.x1(), ligne.y1(), ligne.x2(), ligne.y2(), Encre);
    s.Point(ligne.x2(), ligne.y2(), Encre);
    const int attendus = couvert.width() * couvert.height();
    QCOMPARE(Compte(s.image(), couvert, Encre), attendus);
    // The point at the far end is off the surface too, so nothing else is inked.
    QCOMPARE(Compte(s.image(), s.image().rect(), Encre), attendus);
}

void TestSurface::plumeApresChaqueOperation()
{
    Surface s(Unite, QSize(20, 10), nullptr, 1);
    s.Ligne(1, 2, 3, 4, Encre);
    QCOMPARE(s.plume(), QPointF(3, 4));
    s.LigneVers(8, 1, Encre);
    QCOMPARE(s.plume(), QPointF(8, 1));
    s.FixeXPlume(-2.5);
    QCOMPARE(s.plume(), QPointF(-2.5, 1));
    s.Point(6, 7, Encre);
    QCOMPARE(s.plume(), QPointF(6, 7));
    s.FixeLargeur(2);
    QCOMPARE(s.plume(), QPointF(6, 7));
    QCOMPARE(s.largeur(), 2);
    // The line to starts from the point set last.
    s.LigneVers(6, 9, Encre);
    QCOMPARE(Couleur(s, 6, 8), Encre);
    s.Efface();
    QCOMPARE(s.plume(), QPointF(0, 0));
    QCOMPARE(Compte(s.image(), s.image().rect(), Blanc), 200);
}

void TestSurface::couleursDuPanneau()
{
    Surface s(Unite, QSize(60, 20), nullptr, 1);
    QCOMPARE(Couleur(s, 0, 0), Blanc);
    // The parent may give the surface its own background and text colours.
    const QColor fond(230, 240, 200);
    const QColor texte(190, 0, 0);
    QPalette p = s.palette();
    p.setColor(QPalette::Base, fond);
    p.setColor(QPalette::Text, texte);
    s.setPalette(p);
    s.Ligne(0, 0, 19, 9, Encre);
    s.Efface();
    QCOMPARE(Compte(s.image(), s.image().rect(), fond), 1200);
    s.setFont(QFont(QStringLiteral("Carlito"), 12));
    s.ImprimeNombre(4888);
    QVERIFY(Compte(s.image(), s.image().rect(), texte) > 0);
    QCOMPARE(BoiteSombre(s.image()), QRect());
}

void TestSurface::imprimeNombreAuCoin_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("valeur");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QPointF>("plume");
    QTest::newRow("after a clear") << 1.0 << 880 << QStringLiteral(" 880 ") << QPointF(0, 0);
    QTest::newRow("negative") << 1.0 << -5 << QStringLiteral("-5 ") << QPointF(0, 0);
    QTest::newRow("inside") << 1.0 << 4400 << QStringLiteral(" 4400 ") << QPointF(23.6, 11.2);
    QTest::newRow("ratio 2") << 2.0 << 880 << QStringLiteral(" 880 ") << QPointF(23.6, 11.2);
}

void TestSurface::imprimeNombreAuCoin()
{
    QFETCH(qreal, ratio);
    QFETCH(int, valeur);
    QFETCH(QString, texte);
    QFETCH(QPointF, plume);
    Surface s(Unite, QSize(90, 40), nullptr, ratio);
    s.setFont(QFont(QStringLiteral("Carlito"), 9));
    s.Ligne(10, 20, 30, 35, QColor(200, 200, 255));
    s.Efface();
    if (!plume.isNull())
        s.Point(plume.x(), plume.y(), Blanc); // moves the pen; white on white leaves no mark
    s.ImprimeNombre(valeur);

    // The ink lies in the text's box, whose top-left corner is the pen's pixel; a leading
    // blank pushes the first digit right by one space, a minus sign does not.
    const QFontMetrics mesures(s.font());
    const QPoint coin(int(std::floor(plume.x())), int(std::floor(plume.y())));
    const QRect boite(coin, QSize(mesures.horizontalAdvance(texte), mesures.height()));
    const QRect encre = BoiteSombre(s.image());
    QVERIFY(!encre.isEmpty());
    const QRectF encreLogique(encre.x() / ratio, encre.y() / ratio, encre.width() / ratio, encre.height() / ratio);
    QVERIFY2(QRectF(boite).contains(encreLogique), qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                                                  .arg(encreLogique.x())
                                                                  .arg(encreLogique.y())
                                                                  .arg(encreLogique.width())
                                                                  .arg(encreLogique.height())));
    const int blanc = mesures.horizontalAdvance(QLatin1Char(' '));
    if (valeur < 0)
        QVERIFY(encreLogique.left() < coin.x() + blanc);
    else
        QVERIFY(encreLogique.left() >= coin.x() + blanc - 1);
    // Digits reach more than half the box's height: the text is not shrunk.
    QVERIFY(encreLogique.height() > mesures.height() / 2.0);
}

void TestSurface::dessinCacheMontreEnsuite()
{
    Surface s(Unite, QSize(30, 20), nullptr, 1);
    QVERIFY(!s.isVisible());
    s.Ligne(4, 2, 4, 17, Encre);
    s.Ligne(1, 15, 28, 15, Encre);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    const QImage vu = s.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(vu.size(), QSize(30, 20));
    QCOMPARE(vu.pixelColor(4, 10), Encre);
    QCOMPARE(vu.pixelColor(20, 15), Encre);
    QCOMPARE(vu, s.image().convertToFormat(QImage::Format_RGB32));
}

void TestSurface::dessinMontreRepeint_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("clear") << 0;
    QTest::newRow("line") << 1;
    QTest::newRow("polyline") << 2;
    QTest::newRow("point") << 3;
    QTest::newRow("number") << 4;
}

void TestSurface::dessinMontreRepeint()
{
    QFETCH(int, operation);
    SurfaceComptee s(Unite, QSize(30, 20), nullptr, 1);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QTRY_VERIFY(s.peintures > 0);
    QTest::qWait(20);
    s.peintures = 0;
    switch (operation) {
    case 0: s.Efface(); break;
    case 1: s.Ligne(2, 2, 2, 12, Encre); break;
    case 2: s.Polyligne({{5, 5}, {9, 15}}, Encre); break;
    case 3: s.Point(7, 7, Encre); break;
    default: s.ImprimeNombre(12); break;
    }
    QTRY_VERIFY(s.peintures > 0);
}

void TestSurface::imageAuRatioDeux()
{
    Surface s(RepereSpectre, QSize(873, 242), nullptr, 2);
    QCOMPARE(s.image().size(), QSize(1746, 484));
    QCOMPARE(s.image().devicePixelRatio(), 2.0);
    QCOMPARE(s.size(), QSize(873, 242));
}

void TestSurface::souris_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("bouton");
    QTest::addColumn<int>("boutons");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<int>("attendu");
    QTest::addColumn<QPointF>("utilisateur");
    // Repere of the test: x = 100 + 0.5 px, y = −1 + px.
    QTest::newRow("move, no button") << int(QEvent::MouseMove) << 0 << 0 << QPointF(10, 4) << 0 << QPointF(105, 3);
    QTest::newRow("move, left and right held") << int(QEvent::MouseMove) << 0 << int(Qt::LeftButton | Qt::RightButton)
                                               << QPointF(0, 0) << 3 << QPointF(100, -1);
    QTest::newRow("press right") << int(QEvent::MouseButtonPress) << int(Qt::RightButton)
                                 << int(Qt::RightButton | Qt::LeftButton) << QPointF(31, 9.5) << 2
                                 << QPointF(115.5, 8.5);
    QTest::newRow("release left, outside")
        << int(QEvent::MouseButtonRelease) << int(Qt::LeftButton) << 0 << QPointF(-20, 50) << 1 << QPointF(90, 49);
}

void TestSurface::souris()
{
    QFETCH(int, type);
    QFETCH(int, bouton);
    QFETCH(int, boutons);
    QFETCH(QPointF, position);
    QFETCH(int, attendu);
    QFETCH(QPointF, utilisateur);
    Surface s(Repere{100.0, -1.0, 30.0, 15.0}, QSize(40, 20), nullptr, 1);
    QVERIFY(s.hasMouseTracking());
    QSignalSpy bouge(&s, &Surface::sourisBouge);
    QSignalSpy enfonce(&s, &Surface::sourisEnfoncee);
    QSignalSpy relache(&s, &Surface::sourisRelachee);
    QMouseEvent ev(QEvent::Type(type), position, s.mapToGlobal(position), Qt::MouseButton(bouton),
                   Qt::MouseButtons(boutons), Qt::NoModifier);
    QCoreApplication::sendEvent(&s, &ev);
    QSignalSpy *attendue = type == QEvent::MouseMove ? &bouge : type == QEvent::MouseButtonPress ? &enfonce : &relache;
    QCOMPARE(bouge.size() + enfonce.size() + relache.size(), 1);
    QCOMPARE(attendue->size(), 1);
    QCOMPARE(attendue->at(0).at(0).toInt(), attendu);
    QCOMPARE(attendue->at(0).at(1).toPointF(), utilisateur);
}

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
