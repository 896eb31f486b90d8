#pragma once

#include "analyse/analyse.h"
#include "model/timbre.h"

// A measurement turned into a timbre the table can hold: component 1 is the fundamental rounded
// to whole hertz; harmonics 2 to 10 sit at exactly k times it (the multiples-only option is on);
// amplitudes are linear, the strongest 10, rounded to 0.1. A harmonic whose rounded amplitude is
// 0 is left out, but the fundamental stays component 1 even at 0. Harmonics at or above the
// Nyquist frequency, or above 32767 Hz, are left out.
/// `mesure` must be valid.
Timbre EnTimbre(const Mesure &mesure);
