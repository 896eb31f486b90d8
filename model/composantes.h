#pragma once

#include <array>
#include <cstdint>

// The sound the user builds: at most ten sine components, slot 0 unused, slot 1 the fundamental.
// One instance lives for the whole run and is handed to every window; tests make their own.
struct Composantes
{
    static constexpr int Max = 10;

    std::array<std::int16_t, Max + 1> Frequence{}; ///< hertz, whole numbers
    std::array<float, Max + 1> Amplitude{};        ///< spectrum units, 0 (base line) to 10 (top line)
    std::int16_t ProchaineComposante = 0;          ///< next free slot, 1 (empty) to 11 (full)
    float SommeAmplitudes = 0.0f;                  ///< working sum of Amplitude(1..10), recomputed by each reader
    bool SonActif = false;                         ///< looped playback on
    float Sensibilite = 0.0f;                      ///< time base of the time plot, ms per division
};
