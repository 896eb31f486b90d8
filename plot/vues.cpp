#include "plot/vues.h"

#include "plot/frequences.h"
#include "plot/surface.h"
#include "plot/temporel.h"

namespace {

// A layer of the spectrum: (frequency, amplitude) points joined, y = 10 − amplitude.
void TraceCoucheSpectre(Surface &s, const QList<QPointF> &points, const QColor &couleur)
{
    if (points.isEmpty())
        return;
    s.Point(points.first().x(), 10.0 - points.first().y(), couleur);
    QList<QPointF> suite;
    suite.reserve(points.size() - 1);
    for (qsizetype i = 1; i < points.size(); ++i)
        suite.append(QPointF(points[i].x(), 10.0 - points[i].y()));
    s.Polyligne(suite, couleur);
}

void TraceCoucheTemps(Surface &s, const QList<QPointF> &points, const QColor &couleur)
{
    if (points.isEmpty())
        return;
    s.Point(points.first().x(), points.first().y(), couleur);
    s.Polyligne(points.mid(1), couleur);
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
