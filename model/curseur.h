#pragma once

#include "model/son.h"

// The spectrum's keyboard cursor: a point of the spectrum (a frequency and an amplitude) that the
// arrow keys move. It only chooses where; previews, adds and fundamental moves then go through
// the same rules and commit as the mouse's, at this point.
namespace Curseur {

/// Amplitude change of one Up/Down press.
inline constexpr double PasAmplitude = 0.5;
/// Frequency step of one Left/Right press without the multiples-only option, and with Shift.
inline constexpr double PasLarge = 10.0;
inline constexpr double PasFin = 1.0;
/// The editing area's right edge: the cursor never leaves the plot.
inline constexpr double FrequenceMaxCurseur = 5000.0;

struct Point
{
    double frequence = 0.0; ///< hertz, as a pointer's X
    double amplitude = 0.0; ///< 0 (base line) to 10 (top line); the pointer's Y is 10 − amplitude
    double Y() const { return 10.0 - amplitude; }
    bool operator==(const Point &) const = default;
};

/// Where the cursor starts: the second multiple of the fundamental (the first a new component
/// usually takes), amplitude 5. `marqueur` stands for the fundamental of an empty table.
Point Depart(const Son &c, double marqueur);

/// One Left (`sens` −1) or Right (+1) press. With the option on: the next multiple of the
/// fundamental strictly beyond the cursor, from the fundamental itself up to the last multiple on
/// the plot; otherwise 10 Hz, or 1 Hz with `fin` (Shift). Always within 0 .. 5000 Hz.
Point Deplace(const Son &c, Point p, int sens, bool musical, bool fin);

/// One Up (+1) or Down (−1) press: the amplitude by 0.5, kept within 0 .. 10.
Point ChangeAmplitude(Point p, int sens);

/// Abscissa of the one drag step that moves the fundamental by one hertz (`sens` −1 or +1), from
/// the table's fundamental (the marker's when the table is empty).
float PasFondamental(const Son &c, double marqueur, int sens);

} // namespace Curseur
