#include "plot/surface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

// QPainter scales a drawing by its image's device pixel ratio only from 1 up: below, on a plot
// zoomed out, the painter is given the scale itself.
void Reduit(QPainter &peintre, const QImage &image)
{
    const qreal ratio = image.devicePixelRatio();
    if (ratio < 1)
        peintre.scale(ratio, ratio);
}

// Segments are clipped to the image grown by this margin (logical pixels), wider than any pen,
// so a clipped end never shows and pixel coordinates stay small.
constexpr double Marge = 16.0;
// Bound for coordinates of polyline points: far outside any surface, well inside int range.
constexpr double Lointain = 1.0e6;

// Qt's raster fills and lines may return with the upper halves of the AVX registers dirty. Until
// they are cleared, every legacy-encoded floating-point instruction that follows pays a
// transition penalty: the sines of the waveform and of the synthesis, run right after a redraw,
// were measured seventeen times slower. Each drawing operation therefore ends by clearing them.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void VideHautsAvx()
{
    _mm256_zeroupper();
}

struct FinDePeinture
{
    ~FinDePeinture()
    {
        static const bool avx = __builtin_cpu_supports("avx");
        if (avx)
            VideHautsAvx();
    }
};
#else
struct FinDePeinture
{};
#endif

bool Fini(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPoint Pixel(QPointF p)
{
    return {static_cast<int>(std::floor(std::clamp(p.x(), -Lointain, Lointain))),
            static_cast<int>(std::floor(std::clamp(p.y(), -Lointain, Lointain)))};
}

// Liang–Barsky clipping of a–b to `zone`; false when nothing of the segment is inside.
bool Decoupe(QPointF &a, QPointF &b, const QRectF &zone)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - zone.left(), zone.right() - a.x(), a.y() - zone.top(), zone.bottom() - a.y()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF debut = a;
    if (t0 > 0.0)
        a = {debut.x() + t0 * dx, debut.y() + t0 * dy};
    if (t1 < 1.0)
        b = {debut.x() + t1 * dx, debut.y() + t1 * dy};
    return true;
}

// Within one pixel column a path only runs up and down, so a run of consecutive points in the
// same column inks exactly the rows between its highest and lowest point. Each run is cut down to
// its first point, its two extremes and its last point: the same pixels, but a
// dense curve (thousands of samples over a few hundred columns) keeps at most four per column.
void Compacte(QPolygon &pixels)
{
    qsizetype sortie = 0;
    qsizetype i = 0;
    const qsizetype n = pixels.size();
    while (i < n) {
        qsizetype j = i + 1;
        qsizetype haut = i;
        qsizetype bas = i;
        while (j < n && pixels[j].x() == pixels[i].x()) {
            if (pixels[j].y() < pixels[haut].y())
                haut = j;
            if (pixels[j].y() > pixels[bas].y())
                bas = j;
            ++j;
        }
        if (j - i <= 4) {
            for (qsizetype k = i; k < j; ++k)
                pixels[sortie++] = pixels[k];
        } else {
            const QPoint premier = pixels[i];
            const QPoint dernier = pixels[j - 1];
            // Any order covers the same rows; visiting the nearer extreme first retraces less.
            const bool hautPres = std::abs(premier.y() - pixels[haut].y()) <= std::abs(premier.y() - pixels[bas].y());
            const QPoint a = pixels[hautPres ? haut : bas];
            const QPoint b = pixels[hautPres ? bas : haut];
            pixels[sortie++] = premier;
            pixels[sortie++] = a;
            pixels[sortie++] = b;
            pixels[sortie++] = dernier;
        }
        i = j;
    }
    pixels.resize(sortie);
}

// Paints a path through logical pixels with a square pen `largeur` logical pixels wide, whose
// top-left corner follows the path. A step along a row or a column sweeps a rectangle, filled
// exactly. Other steps are lines: when the pen is a whole number of device pixels wide, its
// square is swept as that many one-device-pixel lines side by side and above one another, each
// drawn by the rasteriser's one-pixel line routine (many times faster than stroking a wide
// outline, and on the same device pixels at every ratio); otherwise they are stroked through the
// centres of the squares.
void Chemin(QImage &image, const QPolygon &pixels, int largeur, const QColor &couleur)
{
    QList<QRect> droits;
    QList<QLine> obliques;
    for (qsizetype i = 1; i < pixels.size(); ++i) {
        const QPoint a = pixels[i - 1];
        const QPoint b = pixels[i];
        if (a.x() == b.x() || a.y() == b.y())
            droits.append(QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()) + largeur,
                                std::abs(b.y() - a.y()) + largeur));
        else
            obliques.append(QLine(a, b));
    }

    const FinDePeinture fin;
    QPainter peintre(&image);
    if (const qreal ratio = image.devicePixelRatio(); ratio < 1) {
        // Zoomed out, in device pixels: every stroke keeps at least one pixel, so no thin line
        // breaks up into dots.
        const int n = std::max(1, int(std::lround(largeur * ratio)));
        const auto appareil = [ratio](QPoint p) {
            return QPoint(int(std::floor(p.x() * ratio)), int(std::floor(p.y() * ratio)));
        };
        for (const QRect &r : droits) {
            const QPoint coin = appareil(r.topLeft());
            peintre.fillRect(QRect(coin, appareil(r.topLeft() + QPoint(r.width(), r.height())) - QPoint(1, 1))
                                 .united(QRect(coin, QSize(n, n))),
                             couleur);
        }
        peintre.setPen(QPen(couleur, n == 1 ? 0 : n, Qt::SolidLine, Qt::SquareCap));
        for (const QLine &l : obliques)
            peintre.drawLine(appareil(l.p1()), appareil(l.p2()));
        return;
    }
    if (!droits.isEmpty()) {
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(couleur);
        peintre.drawRects(droits.constData(), int(droits.size()));
        peintre.setBrush(Qt::NoBrush);
    }
    if (obliques.isEmpty())
        return;
    const qreal ratio = image.devicePixelRatio();
    const qreal cote = ratio * largeur;
    if (cote == std::floor(cote) && cote <= 4) {
        const int n = int(cote);
        // Device coordinates: undo the ratio's scale.
        peintre.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        peintre.setPen(QPen(couleur, 0, Qt::SolidLine, Qt::SquareCap));
        QList<QLine> appareil(obliques.size());
        for (int dy = 0; dy < n; ++dy)
            for (int dx = 0; dx < n; ++dx) {
                const QPoint decalage(dx, dy);
                for (qsizetype i = 0; i < obliques.size(); ++i)
                    appareil[i] =
                        QLine(QPoint(qRound(obliques[i].x1() * ratio), qRound(obliques[i].y1() * ratio)) + decalage,
                              QPoint(qRound(obliques[i].x2() * ratio), qRound(obliques[i].y2() * ratio)) + decalage);
                peintre.drawLines(appareil.constData(), int(appareil.size()));
            }
        return;
    }
    peintre.setPen(QPen(couleur, largeur, Qt::SolidLine, Qt::SquareCap));
    const QPointF centre(largeur / 2.0, largeur / 2.0);
    for (const QLine &l : obliques)
        peintre.drawLine(QLineF(QPointF(l.p1()) + centre, QPointF(l.p2()) + centre));
}

QImage NouvelleImage(QSize taille, qreal ratio)
{
    const QSize appareil(qRound(taille.width() * ratio), qRound(taille.height() * ratio));
    QImage image(appareil, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

Surface::Surface(const Repere &repere, QSize taille, QWidget *parent, qreal ratio)
    : QWidget(parent), m_repere(repere), m_taille(taille), m_ratioAuto(ratio <= 0)
{
    if (m_ratioAuto) {
        const QScreen *ecran = QGuiApplication::primaryScreen();
        ratio = ecran ? ecran->devicePixelRatio() : 1.0;
    }
    m_ratio = ratio;
    m_image = NouvelleImage(taille, ratio);
    // The image covers every pixel: nothing needs to be painted beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(taille);
    Efface();
}

void Surface::Efface()
{
    const FinDePeinture fin;
    m_image.fill(palette().color(QPalette::Base));
    m_plume = {0.0, 0.0};
    update();
}

void Surface::Ligne(double x1, double y1, double x2, double y2, const QColor &couleur)
{
    m_plume = {x2, y2};
    // A line of no length is only a pen move: empty slots of the table cost nothing on screen.
    if (x1 == x2 && y1 == y2)
        return;
    QPointF a = m_repere.versPixels(x1, y1);
    QPointF b = m_repere.versPixels(x2, y2);
    if (!Fini(a) || !Fini(b))
        return;
    const QRectF zone(-Marge, -Marge, m_taille.width() + 2 * Marge, m_taille.height() + 2 * Marge);
    if (!Decoupe(a, b, zone))
        return;
    Chemin(m_image, QPolygon({Pixel(a), Pixel(b)}), m_largeur, couleur);
    update();
}

void Surface::LigneVers(double x, double y, const QColor &couleur)
{
    Ligne(m_plume.x(), m_plume.y(), x, y, couleur);
}

void Surface::Polyligne(const QList<QPointF> &points, const QColor &couleur)
{
    if (points.isEmpty())
        return;
    QPolygon pixels;
    pixels.reserve(points.size() + 1);
    auto ajoute = [&pixels](QPointF p) {
        if (!Fini(p))
            return;
        const QPoint q = Pixel(p);
        if (pixels.isEmpty() || pixels.constLast() != q)
            pixels.append(q);
    };
    const QPointF depart = m_plume;
    ajoute(m_repere.versPixels(depart.x(), depart.y()));
    for (const QPointF &p : points)
        ajoute(m_repere.versPixels(p.x(), p.y()));
    m_plume = points.constLast();
    if (pixels.isEmpty())
        return;
    // A path that moves but stays in one pixel still inks that pixel, as a short line does.
    if (pixels.size() == 1) {
        const bool bouge = std::any_of(points.begin(), points.end(), [depart](QPointF p) { return p != depart; });
        if (!bouge)
            return;
        pixels.append(pixels.constFirst());
    }
    Compacte(pixels);
    Chemin(m_image, pixels, m_largeur, couleur);
    update();
}

void Surface::Point(double x, double y, const QColor &couleur)
{
    m_plume = {x, y};
    const QPointF p = m_repere.versPixels(x, y);
    if (!Fini(p))
        return;
    const FinDePeinture fin;
    QPainter peintre(&m_image);
    Reduit(peintre, m_image);
    peintre.fillRect(QRect(Pixel(p), QSize(m_largeur, m_largeur)), couleur);
    update();
}

void Surface::FixeXPlume(double x)
{
    m_plume.setX(x);
}

void Surface::ImprimeNombre(int valeur)
{
    // The sign takes the place of the leading blank.
    const QString texte = valeur < 0 ? QStringLiteral("%1 ").arg(valeur) : QStringLiteral(" %1 ").arg(valeur);
    const QPointF p = m_repere.versPixels(m_plume.x(), m_plume.y());
    if (!Fini(p))
        return;
    const QPoint coin = Pixel(p);
    const FinDePeinture fin;
    QPainter peintre(&m_image);
    Reduit(peintre, m_image);
    peintre.setFont(font());
    peintre.setPen(palette().color(QPalette::Text));
    // Transparent: the grid stays visible between the digits.
    peintre.drawText(QPointF(coin.x(), coin.y() + peintre.fontMetrics().ascent()), texte);
    update();
}

void Surface::FixeLargeur(int pixels)
{
    m_largeur = std::max(1, pixels);
}

void Surface::FixeZoom(double zoom)
{
    if (!(zoom > 0.0) || zoom == m_zoom)
        return;
    m_zoom = zoom;
    m_image = NouvelleImage(m_taille, m_ratio * m_zoom);
    Efface();
}

void Surface::adapteRatio()
{
    // Moved to a screen of another ratio: the retained picture is resampled once; nothing is
    // recomputed from the model, the next redraw is sharp again.
    if (!m_ratioAuto)
        return;
    m_ratio = devicePixelRatioF();
    const qreal ratio = m_ratio * m_zoom;
    if (qFuzzyCompare(ratio, m_image.devicePixelRatio()))
        return;
    QImage image = m_image.scaled(qRound(m_taille.width() * ratio), qRound(m_taille.height() * ratio),
                                  Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image.setDevicePixelRatio(ratio);
    m_image = image;
}

void Surface::paintEvent(QPaintEvent *)
{
    adapteRatio();
    const FinDePeinture fin;
    QPainter peintre(this);
    if (m_zoom == 1.0)
        peintre.drawImage(QPoint(0, 0), m_image);
    else // zoomed: the image's device pixels go one to one onto the widget's
        peintre.drawImage(QRectF(QPointF(0, 0), QSizeF(m_image.size()) / devicePixelRatioF()), m_image);
    // The caption and the focus ring are laid out in the unzoomed pixels, then drawn scaled.
    peintre.scale(m_zoom, m_zoom);
    const int largeur = int(std::lround(width() / m_zoom));
    const int hauteur = int(std::lround(height() / m_zoom));
    if (!m_etiquette.isEmpty()) {
        // Right of the point and above it, moved inside the surface when it would leave it.
        const QPointF p = m_repere.versPixels(m_pointEtiquette.x(), m_pointEtiquette.y());
        const QFontMetrics m(font());
        QRect boite = m.boundingRect(m_etiquette).adjusted(-3, -2, 3, 2);
        boite.moveTopLeft(QPoint(int(std::floor(p.x())) + 6, int(std::floor(p.y())) - boite.height() - 4));
        if (boite.right() > largeur - 3)
            boite.moveRight(int(std::floor(p.x())) - 5);
        boite.moveLeft(std::max(boite.left(), 3));
        boite.moveTop(std::clamp(boite.top(), 3, std::max(3, hauteur - boite.height() - 3)));
        peintre.setPen(m_anneau.isValid() ? m_anneau : palette().color(QPalette::Text));
        peintre.setBrush(palette().color(QPalette::Base));
        peintre.drawRect(boite);
        peintre.setPen(palette().color(QPalette::Text));
        peintre.drawText(boite, Qt::AlignCenter, m_etiquette);
    }
    // The focus shows only once the keyboard has been used in this window, as on the commands.
    if (m_anneau.isValid() && hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        peintre.setPen(QPen(m_anneau, 1, Qt::DotLine));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(QRect(0, 0, largeur, hauteur).adjusted(1, 1, -2, -2));
    }
}

void Surface::FixeAnneauFocus(const QColor &couleur)
{
    m_anneau = couleur;
    update();
}

void Surface::FixeEtiquette(const QString &texte, QPointF point)
{
    if (texte == m_etiquette && point == m_pointEtiquette)
        return;
    m_etiquette = texte;
    m_pointEtiquette = point;
    update();
}

void Surface::mouseMoveEvent(QMouseEvent *event)
{
    emit sourisBouge(int(event->buttons()), versUtilisateur(event->position()));
}

void Surface::mousePressEvent(QMouseEvent *event)
{
    emit sourisEnfoncee(int(event->button()), versUtilisateur(event->position()));
}

void Surface::mouseReleaseEvent(QMouseEvent *event)
{
    emit sourisRelachee(int(event->button()), versUtilisateur(event->position()));
}
