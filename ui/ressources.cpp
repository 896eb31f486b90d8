#include "ui/ressources.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include <cmath>

// The pictures live in the static library; nothing else refers to the generated resource
// object, so the linker would drop it. Registering it from here keeps it in every program
// that uses these functions. Q_INIT_RESOURCE must be called outside any namespace.
static void enregistreRessources()
{
    static const bool fait = [] {
        Q_INIT_RESOURCE(ressources);
        return true;
    }();
    Q_UNUSED(fait);
}

namespace {

// Pointer images are 32 × 32 logical pixels.
constexpr int CotePointeur = 32;

const QPoint ChaudMain(12, 1);
const QPoint ChaudSaisie(4, 16);

QCursor Pointeur(const QString &chemin, QPoint pointChaud, double zoom)
{
    const QScreen *ecran = QGuiApplication::primaryScreen();
    const qreal ratio = ecran ? ecran->devicePixelRatio() : 1.0;
    if (zoom == 1.0)
        // QCursor takes the hot spot in logical pixels and scales it with the pixmap's ratio.
        return QCursor(Ressources::Image(chemin, QSize(CotePointeur, CotePointeur), ratio), pointChaud.x(),
                       pointChaud.y());
    const int cote = int(std::lround(CotePointeur * zoom));
    return QCursor(Ressources::Image(chemin, QSize(cote, cote), ratio), int(std::lround(pointChaud.x() * zoom)),
                   int(std::lround(pointChaud.y() * zoom)));
}

} // namespace

namespace Ressources {

QPixmap Image(const QString &chemin, QSize taille, qreal ratio)
{
    enregistreRessources();
    QSvgRenderer rendu(chemin);
    const QSize pixels = (QSizeF(taille) * ratio).toSize();
    if (!rendu.isValid() || pixels.isEmpty() || ratio <= 0.0)
        return {};
    // Stretched, not letter-boxed: every picture fills its element's rectangle.
    rendu.setAspectRatioMode(Qt::IgnoreAspectRatio);

    QPixmap image(pixels);
    image.fill(Qt::transparent);
    {
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setRenderHint(QPainter::SmoothPixmapTransform);
        rendu.render(&peintre, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

QCursor PointeurMain(double zoom)
{
    return Pointeur(QStringLiteral(":/pointeurs/main.svg"), ChaudMain, zoom);
}

QCursor PointeurSaisie(double zoom)
{
    return Pointeur(QStringLiteral(":/pointeurs/saisie.svg"), ChaudSaisie, zoom);
}

QCursor PointeurAgrandi(const QCursor &base, double zoom)
{
    // The two pointers are told apart by their hot spots; a system pointer has no pixmap.
    if (base.shape() != Qt::BitmapCursor)
        return base;
    if (base.hotSpot() == ChaudMain)
        return PointeurMain(zoom);
    if (base.hotSpot() == ChaudSaisie)
        return PointeurSaisie(zoom);
    return base;
}

void InstallePolices()
{
    enregistreRessources();
    // Qt consults these only when the named family is missing, so a system that has the
    // real fonts keeps them. The stand-ins share the originals' advance widths, which keeps
    // every caption inside the rectangle the layout gives it.
    QFont::insertSubstitution(QStringLiteral("Calibri"), QStringLiteral("Carlito"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    // No free font copies this old bitmap face; a plain sans serif of similar build is close.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace Ressources
