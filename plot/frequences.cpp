#include "plot/frequences.h"

#include "plot/surface.h"

namespace Spectre {

void QuadrilleSpectre(Surface &s)
{
    for (int x = 0; x <= 5000; x += 500)
        s.Ligne(x, -1, x, 10, CouleurGrille);
    // The base line comes last, so the pen ends on it at (5000, 10).
    for (int y = 0; y <= 10; ++y)
        s.Ligne(0, y, 5000, y, CouleurGrille);
}

void TraceSpectre(Surface &s, const Son &table, bool afficheFreq)
{
    s.FixeLargeur(2);
    // The fundamental has no line here (its marker is a separate element) but it has a label,
    // whatever its amplitude.
    if (afficheFreq) {
        s.FixeXPlume(table.Frequence[1] - 100);
        s.ImprimeNombre(table.Frequence[1]);
    }
    for (int i = 2; i <= Son::Max; ++i) {
        const int f = table.Frequence[i];
        const float a = table.Amplitude[i];
        s.Ligne(f, 10.0 - a, f, 10, CouleurComposante);
        if (afficheFreq && f > 0 && a > 0) {
            // The text starts 100 Hz left of the line, so it sits roughly centred beneath it.
            s.FixeXPlume(s.plume().x() - 100);
            s.ImprimeNombre(f);
        }
    }
    s.FixeLargeur(1);
}

} // namespace Spectre
