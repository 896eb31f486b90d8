#include "ui/ressources.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QScreen>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>

namespace {

// Colours the pictures are described with.
const QColor BleuNuit(0, 0, 64);
const QColor Blanc(255, 255, 255);
const QColor Noir(0, 0, 0);
const QColor Orange(255, 128, 0);
const QColor Rouge(255, 0, 0);
const QColor BleuGris(110, 130, 160);
const QColor Transparent(0, 0, 0, 0);

// Close enough to be seen as the named colour: wide enough for a shaded face, narrow
// enough to tell the dark blue background from black.
bool Proche(QColor a, QColor b, int tolerance = 40)
{
    if (b.alpha() == 0)
        return a.alpha() == 0;
    if (a.alpha() < 250)
        return false;
    const int dr = a.red() - b.red(), dg = a.green() - b.green(), db = a.blue() - b.blue();
    return std::sqrt(double(dr * dr + dg * dg + db * db)) <= tolerance;
}

// Share of the picture's pixels that show the colour.
double Part(const QImage &image, QColor couleur)
{
    qsizetype n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Proche(image.pixelColor(x, y), couleur);
    return double(n) / (double(image.width()) * image.height());
}

// A paint device at 96 dots per inch, the resolution the layout's pixel sizes assume.
QImage Ecran96()
{
    QImage ecran(1, 1, QImage::Format_ARGB32);
    ecran.setDotsPerMeterX(3780);
    ecran.setDotsPerMeterY(3780);
    return ecran;
}

} // namespace

class TestRessources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void images_data();
    void images();
    void rapport_data();
    void rapport();
    void etirement_data();
    void etirement();
    void imageImpossible_data();
    void imageImpossible();
    void pointeurs_data();
    void pointeurs();
    void polices_data();
    void polices();
    void legendes_data();
    void legendes();
};

void TestRessources::initTestCase()
{
    Ressources::InstallePolices();
}

void TestRessources::images_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("couleurPoint");
    QTest::addColumn<QList<QColor>>("encres");
    QTest::addColumn<QColor>("absente");

    const QColor aucune;
    QTest::newRow("haut-parleur") << ":/images/hautparleur.svg" << QSize(37, 37) << QPoint(1, 1) << BleuNuit
                                  << QList<QColor>{Blanc} << Orange;
    QTest::newRow("haut-parleur muet") << ":/images/hautparleur-muet.svg" << QSize(37, 37) << QPoint(1, 1) << BleuNuit
                                       << QList<QColor>{Blanc, Orange} << aucune;
    QTest::newRow("croix") << ":/images/croix.svg" << QSize(48, 48) << QPoint(1, 1) << BleuNuit << QList<QColor>{Rouge}
                           << Blanc;
    QTest::newRow("page") << ":/images/page.svg" << QSize(48, 48) << QPoint(1, 1) << BleuNuit << QList<QColor>{Blanc}
                          << Rouge;
    // Round button: the corners outside it show what lies beneath.
    QTest::newRow("aide") << ":/images/aide.svg" << QSize(102, 102) << QPoint(1, 1) << Transparent
                          << QList<QColor>{Blanc, BleuGris} << aucune;
    QTest::newRow("clavier") << ":/images/clavier.svg" << QSize(154, 40) << QPoint(7, 35) << Blanc
                             << QList<QColor>{Noir, Blanc} << BleuNuit;
    QTest::newRow("musique") << ":/images/musique.svg" << QSize(297, 297) << QPoint(1, 1) << Blanc
                             << QList<QColor>{Noir, Blanc} << BleuNuit;
    // The "Timbres" panel's menu arrow: white on the panel's blue, its corners blue.
    QTest::newRow("fleche") << ":/images/fleche.svg" << QSize(12, 8) << QPoint(1, 6) << BleuNuit << QList<QColor>{Blanc}
                            << Orange;
    QTest::newRow("icone") << ":/images/icone.svg" << QSize(32, 32) << QPoint(16, 29) << Noir
                           << QList<QColor>{Noir, Blanc} << aucune;
    QTest::newRow("pointeur main") << ":/pointeurs/main.svg" << QSize(32, 32) << QPoint(30, 1) << Transparent
                                   << QList<QColor>{Noir, Blanc} << aucune;
    QTest::newRow("pointeur saisie") << ":/pointeurs/saisie.svg" << QSize(32, 32) << QPoint(1, 1) << Transparent
                                     << QList<QColor>{Noir, Blanc} << aucune;
}

void TestRessources::images()
{
    QFETCH(QString, chemin);
    QFETCH(QSize, taille);
    QFETCH(QPoint, point);
    QFETCH(QColor, couleurPoint);
    QFETCH(QList<QColor>, encres);
    QFETCH(QColor, absente);

    QSvgRenderer rendu(chemin);
    QVERIFY(rendu.isValid());
    QCOMPARE(rendu.defaultSize(), taille);
    QCOMPARE(rendu.viewBox(), QRect(QPoint(0, 0), taille));

    const QImage image = Ressources::Image(chemin, taille).toImage();
    QCOMPARE(image.size(), taille);
    QVERIFY2(Proche(image.pixelColor(point), couleurPoint), qPrintable(image.pixelColor(point).name(QColor::HexArgb)));
    for (const QColor &encre : encres) {
        const double part = Part(image, encre);
        QVERIFY2(part >= 0.03, qPrintable(QStringLiteral("%1 covers %2").arg(encre.name()).arg(part)));
    }
    if (absente.isValid())
        QCOMPARE(Part(image, absente), 0.0);
}

void TestRessources::rapport_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("croix x1") << ":/images/croix.svg" << QSize(48, 48) << 1.0 << QSize(48, 48);
    QTest::newRow("croix x2") << ":/images/croix.svg" << QSize(48, 48) << 2.0 << QSize(96, 96);
    QTest::newRow("haut-parleur reduit x2") << ":/images/hautparleur.svg" << QSize(30, 30) << 2.0 << QSize(60, 60);
    QTest::newRow("clavier x1.5 arrondi") << ":/images/clavier.svg" << QSize(123, 32) << 1.5 << QSize(185, 48);
    QTest::newRow("musique x1.25") << ":/images/musique.svg" << QSize(238, 238) << 1.25 << QSize(298, 298);
}

void TestRessources::rapport()
{
    QFETCH(QString, chemin);
    QFETCH(QSize, taille);
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);

    const QPixmap image = Ressources::Image(chemin, taille, ratio);
    QCOMPARE(image.size(), pixels);
    QCOMPARE(image.devicePixelRatio(), ratio);
}

void TestRessources::etirement_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QSize>("taille");

    // Opaque pictures forced into another shape: a letter-boxed picture would leave
    // transparent bands along two edges.
    QTest::newRow("clavier carre") << ":/images/clavier.svg" << QSize(40, 40);
    QTest::newRow("croix aplatie") << ":/images/croix.svg" << QSize(96, 24);
    QTest::newRow("musique allongee") << ":/images/musique.svg" << QSize(60, 200);
}

void TestRessources::etirement()
{
    QFETCH(QString, chemin);
    QFETCH(QSize, taille);

    const QImage image = Ressources::Image(chemin, taille).toImage();
    QCOMPARE(image.size(), taille);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() != 255)
                QFAIL(qPrintable(QStringLiteral("transparent at %1,%2").arg(x).arg(y)));
}

void TestRessources::imageImpossible_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<qreal>("ratio");

    QTest::newRow("chemin inconnu") << ":/images/absente.svg" << QSize(10, 10) << 1.0;
    QTest::newRow("taille vide") << ":/images/croix.svg" << QSize(0, 10) << 1.0;
    QTest::newRow("ratio nul") << ":/images/croix.svg" << QSize(10, 10) << 0.0;
}

void TestRessources::imageImpossible()
{
    QFETCH(QString, chemin);
    QFETCH(QSize, taille);
    QFETCH(qreal, ratio);

    if (!QFile::exists(chemin))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot open file")));
    QVERIFY(Ressources::Image(chemin, taille, ratio).isNull());
}

void TestRessources::pointeurs_data()
{
    QTest::addColumn<QCursor>("pointeur");
    QTest::addColumn<QPoint>("chaud");
    QTest::addColumn<QPoint>("dehors");
    QTest::addColumn<QPoint>("dedans");

    // The hot spot sits on the outline's tip: the pixel just beyond it is empty.
    QTest::newRow("main") << Ressources::PointeurMain() << QPoint(12, 1) << QPoint(12, 0) << QPoint(12, 6);
    QTest::newRow("saisie") << Ressources::PointeurSaisie() << QPoint(4, 16) << QPoint(3, 16) << QPoint(20, 18);
}

void TestRessources::pointeurs()
{
    QFETCH(QCursor, pointeur);
    QFETCH(QPoint, chaud);
    QFETCH(QPoint, dehors);
    QFETCH(QPoint, dedans);

    QCOMPARE(pointeur.shape(), Qt::BitmapCursor);
    QCOMPARE(pointeur.hotSpot(), chaud);
    const QPixmap dessin = pointeur.pixmap();
    QCOMPARE(dessin.deviceIndependentSize(), QSizeF(32, 32));
    // Drawn for the screen's own density, so it stays sharp there.
    QCOMPARE(dessin.devicePixelRatio(), QGuiApplication::primaryScreen()->devicePixelRatio());

    const QImage image = dessin.toImage();
    const qreal r = dessin.devicePixelRatio();
    auto pixel = [&](QPoint p) { return image.pixelColor((QPointF(p) * r).toPoint()); };
    // The outline, nearly opaque and dark even where its curve is smoothed.
    const QColor pointe = pixel(chaud);
    QVERIFY2(pointe.alpha() >= 192 && qGray(pointe.rgb()) <= 64, qPrintable(pointe.name(QColor::HexArgb)));
    QCOMPARE(pixel(dehors).alpha(), 0);
    QVERIFY(Proche(pixel(dedans), Blanc));
}

void TestRessources::polices_data()
{
    QTest::addColumn<QString>("demandee");
    QTest::addColumn<QString>("obtenue");

    QTest::newRow("Calibri") << "Calibri"
                             << "Carlito";
    QTest::newRow("Arial") << "Arial"
                           << "Liberation Sans";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
}

void TestRessources::polices()
{
    QFETCH(QString, demandee);
    QFETCH(QString, obtenue);

    const QString famille = QFontInfo(QFont(demandee)).family();
    if (famille == demandee)
        QSKIP("the original font is installed here; nothing stands in for it");
    QCOMPARE(famille, obtenue);
}

void TestRessources::legendes_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("famille");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<qreal>("largeur");

    // One-line captions whose labels leave little room: they fit only with Calibri's widths.
    QTest::newRow("ecouter") << "Ecouter le son produit"
                             << "Calibri" << 12.0 << 168.8;
    // This one must end before the keyboard picture, 136 px to the right of the label's start.
    QTest::newRow("clavier") << "Afficher le clavier"
                             << "Calibri" << 12.0 << 136.0;
    QTest::newRow("evolution") << "Evolution temporelle"
                               << "Calibri" << 13.8 << 168.8;
    QTest::newRow("spectre") << "Spectre de fréquence"
                             << "Calibri" << 13.8 << 168.8;
    QTest::newRow("modifier le spectre") << "Comment modifier le spectre du son produit ?"
                                         << "Calibri" << 13.8 << 400.8;
    QTest::newRow("titre aide") << "Comment ça marche"
                                << "Calibri" << 28.2 << 400.8;
}

void TestRessources::legendes()
{
    QFETCH(QString, texte);
    QFETCH(QString, famille);
    QFETCH(qreal, points);
    QFETCH(qreal, largeur);

    QFont police(famille);
    police.setPointSizeF(points);
    const QImage ecran = Ecran96();
    const qreal mesure = QFontMetricsF(police, &ecran).horizontalAdvance(texte);
    QVERIFY2(mesure <= largeur, qPrintable(QStringLiteral("%1 px").arg(mesure)));
}

QTEST_MAIN(TestRessources)
#include "tst_ressources.moc"
