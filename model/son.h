#pragma once

#include <array>
#include <cstdint>

// The sound the user builds, as a value: at most ten sine components (slot 0 unused, slot 1 the
// fundamental), the playback flag, the time base and the multiples-only option. The program's one
// instance is owned by the editing session; everything else reads it through a const reference or
// gets copies in signals. Tests make their own.
struct Son
{
    static constexpr int Max = 10;

    std::array<std::int16_t, Max + 1> Frequence{}; ///< hertz, whole numbers
    std::array<float, Max + 1> Amplitude{};        ///< spectrum units, 0 (base line) to 10 (top line)
    std::int16_t ProchaineComposante = 0;          ///< next free slot, 1 (empty) to 11 (full)
    bool SonActif = false;                         ///< looped playback on
    float Sensibilite = 0.0f;                      ///< time base of the time plot, ms per division
    bool Musical = true;                           ///< new components only on multiples of the fundamental

    bool operator==(const Son &) const = default;
};

/// Amplitude(1) + … + Amplitude(10), from 0 in index order, rounded to float after each addition.
inline float SommeAmplitudes(const Son &son)
{
    float somme = 0.0f;
    for (int i = 1; i <= Son::Max; ++i)
        somme = somme + son.Amplitude[i];
    return somme;
}

/// Components of the table (slots 1 to ProchaineComposante − 1, not a candidate) above `hertz`.
inline int ComposantesAuDela(const Son &son, double hertz)
{
    int n = 0;
    for (int i = 1; i < son.ProchaineComposante && i <= Son::Max; ++i)
        n += son.Frequence[i] > hertz;
    return n;
}
