#include "model/curseur.h"

#include "model/regles.h"

#include <algorithm>
#include <cmath>

namespace Curseur {

namespace {

// The fundamental the cursor's steps count in: the table's, or the marker's when slot 1 is empty.
double Fondamental(const Son &c, double marqueur)
{
    return c.Frequence[1] >= 1 ? double(c.Frequence[1]) : std::max(1.0, std::floor(marqueur + 0.5));
}

} // namespace

Point Depart(const Son &c, double marqueur)
{
    const double f1 = Fondamental(c, marqueur);
    const double x = 2.0 * f1 <= FrequenceMaxCurseur ? 2.0 * f1 : std::min(f1, FrequenceMaxCurseur);
    return {x, 5.0};
}

Point Deplace(const Son &c, Point p, int sens, bool musical, bool fin)
{
    if (musical) {
        // The same divisor as the snapping, so the cursor lands where the preview and the add put it.
        const double f1 = Regles::FondamentalDiviseur(c);
        const double rapport = p.frequence / f1;
        // "Strictly beyond": a cursor between two multiples goes to the neighbour on that side.
        double n = sens > 0 ? std::floor(rapport + 1e-9) + 1.0 : std::ceil(rapport - 1e-9) - 1.0;
        const double dernier = std::max(1.0, std::floor(FrequenceMaxCurseur / f1));
        n = std::clamp(n, 1.0, dernier);
        p.frequence = n * f1;
        return p;
    }
    p.frequence = std::clamp(p.frequence + sens * (fin ? PasFin : PasLarge), 0.0, FrequenceMaxCurseur);
    return p;
}

Point ChangeAmplitude(Point p, int sens)
{
    p.amplitude = std::clamp(p.amplitude + sens * PasAmplitude, 0.0, 10.0);
    return p;
}

float PasFondamental(const Son &c, double marqueur, int sens)
{
    return static_cast<float>(Fondamental(c, marqueur) + sens);
}

} // namespace Curseur
