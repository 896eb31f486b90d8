#pragma once

// Small tables for the tests of every room.

#include "model/son.h"

#include <cstdint>
#include <initializer_list>
#include <utility>

/// A table of the given components (frequency, amplitude), the first one the fundamental.
inline Son Table(std::initializer_list<std::pair<int, float>> composantes)
{
    Son t;
    int i = 1;
    for (auto [f, a] : composantes) {
        t.Frequence[i] = static_cast<std::int16_t>(f);
        t.Amplitude[i] = a;
        ++i;
    }
    t.ProchaineComposante = static_cast<std::int16_t>(i);
    return t;
}
