#pragma once

#include "model/son.h"

#include <array>
#include <cstdint>

// The rules of the sound, as plain functions over the component table.
// Every edit goes through these, so the guards below are decided in one place:
// committed amplitudes stay in 0..10, committed frequencies in 0..32767, and the
// fundamental never drops below 1 Hz (everything downstream divides by it).
namespace Regles {

inline constexpr double AccrocheApercu = 0.45;     // snapping while the pointer moves
inline constexpr double AccrocheValide = 0.5;      // snapping on a button release
inline constexpr double AccrocheHarmonique = 0.45; // harmonic number during a drag
inline constexpr std::int16_t FrequenceMax = 32767;
/// Right-most abscissa of a drag step: the marker (44 twips wide on a 13092-twip, 5000 Hz plot)
/// stays whole on the plot, where it can be grabbed again.
inline constexpr double XMaxFondamental = 5000.0 - 44.0 * 5000.0 / 13092.0;

/// Nearest integer, exact halves to the even neighbour.
double Arrondi(double v);

/// Fundamental usable as a divisor: never below 1 Hz.
double FondamentalDiviseur(const Son &c);

/// floor(X / F1 + constante) × F1, returned as a single-precision value.
float Accroche(const Son &c, float X, double constante);

/// nearest(v) clamped to 0..32767; slot 1 is kept at 1 Hz or more.
std::int16_t BorneFrequence(double v, int slot);
/// Amplitude of a committed edit, clamped to 0..10.
float BorneAmplitude(double a);

/// True when the pointer lies in the editing area of the spectrum (X as delivered).
bool DansZoneEdition(const Son &c, float X, float Y);

/// Candidate written while the left button is held: slot ProchaineComposante receives (X, 10 − Y).
void EcritCandidat(Son &c, float X, float Y);
/// Add on a left release; false when the table is full (nothing changes).
bool Ajoute(Son &c, float X, float Y);
/// Remove the last component added; false with fewer than two occupied slots.
bool RetireDerniere(Son &c);

/// Clear: amplitudes to 0, sum to 0, table empty; with the multiples-only option the fundamental
/// is re-created at the marker's position with amplitude 10.
void Efface(Son &c, bool musical, double xFondamental);

/// One drag step of the fundamental to abscissa X, kept within 1 .. XMaxFondamental.
/// Returns the marker's new left edge (hertz).
double DeplaceFondamental(Son &c, float X);
/// The fundamental moved to F hertz as a drop there moves it: every other slot keeps its harmonic
/// number (the drag's snapping) and is rescaled to it. No plot bound: F1 is F brought into 1..32767.
void PlaceFondamental(Son &c, double F);

/// The frequency typed for an existing component i (1 to ProchaineComposante − 1): on the
/// fundamental, PlaceFondamental; on another, with the multiples-only option, the multiple of the
/// fundamental a release at F would snap to, kept between one fundamental and the highest multiple
/// that 32767 Hz holds; without it, F as a release would give it. False, nothing changed, for a
/// slot outside the table.
bool FixeFrequence(Son &c, int i, double F);
/// The amplitude typed or slid for an existing component i, clamped to 0..10; false, nothing
/// changed, for a slot outside the table.
bool FixeAmplitude(Son &c, int i, double a);

/// Which slots (1 to 10; slot 0 unused) are heard, given the muted ones and the one soloed (0: none).
/// A solo hears its component alone, muted or not; otherwise every slot not muted is heard.
std::array<bool, Son::Max + 1> Audibles(const std::array<bool, Son::Max + 1> &muettes, int solo);

/// Frequency of key i of the keyboard (0 = the lowest C, 132 Hz).
std::int16_t FrequenceNote(int i);
/// Set the fundamental to F and rescale every other slot against the old fundamental.
void Transpose(Son &c, std::int16_t F);

} // namespace Regles
