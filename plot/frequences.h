#pragma once

#include "model/son.h"

#include <QColor>

class Surface;

// The spectrum plot's two drawings: a fixed grid, one line per component 2..10, optional frequency
// labels. Neither clears the surface; VueSpectre (plot/vues.h) composes them with the rest.
namespace Spectre {

inline const QColor CouleurGrille{200, 200, 255};
inline const QColor CouleurComposante{237, 127, 28};
inline const QColor CouleurApercu{255, 150, 100};
inline const QColor CouleurFondamental{255, 128, 0};

/// 11 vertical lines x = 0, 500 … 5000 from y = −1 to 10, then 11 horizontal lines y = 0 … 10.
/// Leaves the pen at (5000, 10).
void QuadrilleSpectre(Surface &s);
/// Lines of components 2..10 at width 2 (back to 1 afterwards) and, when `afficheFreq`, the labels.
void TraceSpectre(Surface &s, const Son &table, bool afficheFreq);

} // namespace Spectre
