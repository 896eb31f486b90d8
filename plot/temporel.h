#pragma once

#include "model/son.h"

#include <QColor>

class Surface;

// The time plot's drawing: an oscilloscope view of the sum of the components' sines. TraceTemporel
// clears and draws the whole plot; VueTemps (plot/vues.h) adds the layers over it.
namespace Temporel {

inline const QColor CouleurGrille{200, 200, 255};
inline const QColor CouleurOrigine{255, 0, 0};
inline const QColor CouleurCourbe{121, 123, 181};

/// The nine time bases of the option buttons, ms per division.
inline constexpr float Sensibilites[9] = {0.1f, 0.2f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f, 20.0f, 50.0f};

/// 11 horizontal lines y = −5 … 5 and 11 vertical lines x = 0 … 10, interleaved; no clear.
void QuadrilleTemporel(Surface &s);
/// Clears and redraws the whole plot; `Qualite` 1 = coarse (step 1/20 division), 2 = fine (1/1000).
/// Returns the number of curve points drawn.
int TraceTemporel(Surface &s, const Son &table, int Qualite);
/// The number of curve points for a time base and a quality (same float32 accumulation).
int NombrePoints(float sensibilite, int Qualite);

} // namespace Temporel
