#include "plot/temporel.h"

#include "model/regles.h"
#include "plot/surface.h"

#include <QList>

#include <cmath>

namespace Temporel {

namespace {

// The instants of the curve run for t = 0, t + pas, … while t <= fin, t in ms. The step and the
// end are single-precision values and t is rounded to single precision after each step: that
// rounding decides whether the last point, at ten divisions, is reached. A time base that is not
// a positive finite number gives no instant (a zero step would never end).
struct Cadence
{
    float pas = 0.0f;
    float fin = -1.0f;
};

Cadence CadencePour(float sensibilite, int Qualite)
{
    const float fraction = Qualite == 1 ? 0.05f : 0.001f;
    const float pas = sensibilite * fraction;
    const float fin = 10.0f * sensibilite;
    if (!(pas > 0.0f) || !std::isfinite(fin))
        return {};
    return {pas, fin};
}

struct Terme
{
    double poids;     ///< Amplitude × 5 / SommeAmplitudes
    double frequence; ///< hertz
};

int Echantillonne(Cadence c, double sensibilite, const Terme *termes, int nombreTermes, QList<QPointF> &points)
{
    int n = 0;
    for (float t = 0.0f; t <= c.fin; t = t + c.pas) {
        const double phase = 6.2832 * double(t);
        double y = 0.0;
        for (int j = 0; j < nombreTermes; ++j)
            y += termes[j].poids * std::sin(phase * termes[j].frequence / 1000.0);
        points.append(QPointF(double(t) / sensibilite, y));
        ++n;
    }
    return n;
}

} // namespace

void QuadrilleTemporel(Surface &s)
{
    for (int i = 0; i <= 10; ++i) {
        s.Ligne(0, i - 5, 10, i - 5, CouleurGrille);
        s.Ligne(i, -6, i, 6, CouleurGrille);
    }
}

int NombrePoints(float sensibilite, int Qualite)
{
    const Cadence c = CadencePour(sensibilite, Qualite);
    int n = 0;
    for (float t = 0.0f; t <= c.fin; t = t + c.pas)
        ++n;
    return n;
}

int TraceTemporel(Surface &s, const Son &table, int Qualite)
{
    const float somme = SommeAmplitudes(table);
    s.Efface();
    QuadrilleTemporel(s);
    s.Point(0, 0, CouleurOrigine);

    // Silent terms add exactly 0 to the sum: leaving them out changes nothing but the time spent.
    Terme termes[Son::Max];
    int nombreTermes = 0;
    if (somme != 0.0f) {
        for (int j = 1; j <= Son::Max; ++j) {
            if (table.Amplitude[j] != 0.0f)
                termes[nombreTermes++] = {double(table.Amplitude[j]) * 5.0 / double(somme), double(table.Frequence[j])};
        }
    }

    QList<QPointF> points;
    points.reserve(NombrePoints(table.Sensibilite, Qualite));
    const int n =
        Echantillonne(CadencePour(table.Sensibilite, Qualite), table.Sensibilite, termes, nombreTermes, points);
    s.Polyligne(points, CouleurCourbe);
    return n;
}

} // namespace Temporel
