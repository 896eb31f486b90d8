#include "plot/vues.h"

#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/temporel.h"

#include <cmath>

namespace {

bool Fini(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// A layer's points joined stroke by stroke, each from its own first point (never from where the
// pen was left): a point that is not finite lifts the pen, so separate marks share no line.
void TraceCouche(Surface &s, const QList<QPointF> &points, const QColor &couleur, bool spectre)
{
    auto place = [spectre](QPointF p) { return spectre ? QPointF(p.x(), 10.0 - p.y()) : p; };
    qsizetype i = 0;
    while (i < points.size()) {
        if (!Fini(points[i])) {
            ++i;
            continue;
        }
        const QPointF depart = place(points[i]);
        s.Point(depart.x(), depart.y(), couleur);
        QList<QPointF> suite;
        for (++i; i < points.size() && Fini(points[i]); ++i)
            suite.append(place(points[i]));
        s.Polyligne(suite, couleur);
    }
}

// A layer of the spectrum: (frequency, amplitude) points, y = 10 − amplitude.
void TraceCoucheSpectre(Surface &s, const QList<QPointF> &points, const QColor &couleur)
{
    TraceCouche(s, points, couleur, true);
}

void TraceCoucheTemps(Surface &s, const QList<QPointF> &points, const QColor &couleur)
{
    TraceCouche(s, points, couleur, false);
}

} // namespace

void VueSpectre::dessine()
{
    Surface &s = m_surface;
    s.Efface();
    TraceCoucheSpectre(s, m_couches[int(Couche::Mesure)], CouleursCouches[int(Couche::Mesure)]);
    // The grid leaves the pen on the base line, where TraceSpectre's labels start; the preview ends there too.
    Spectre::QuadrilleSpectre(s);
    if (m_apercu)
        s.Ligne(m_apercu->x(), m_apercu->y(), m_apercu->x(), 10, Spectre::CouleurApercu);
    Spectre::TraceSpectre(s, m_son, m_afficheFreq);
    TraceCoucheSpectre(s, m_couches[int(Couche::Direct)], CouleursCouches[int(Couche::Direct)]);
    TraceCoucheSpectre(s, m_couches[int(Couche::Cache)], CouleursCouches[int(Couche::Cache)]);
}

void VueTemps::dessine()
{
    // TraceTemporel clears, draws the grid, the origin and the curve.
    Temporel::TraceTemporel(m_surface, m_son, m_qualite);
    for (int c = 0; c < int(m_couches.size()); ++c)
        TraceCoucheTemps(m_surface, m_couches[c], VueSpectre::CouleursCouches[c]);
}
