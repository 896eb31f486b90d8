#pragma once

// Small timing helpers shared by the benchmark programs.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace Banc {

/// Median duration of `fonction` in milliseconds over `tours` runs (after one warm-up run).
inline double Mediane(int tours, const std::function<void()> &fonction)
{
    fonction();
    std::vector<double> durees;
    durees.reserve(tours);
    for (int i = 0; i < tours; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        fonction();
        durees.push_back(chrono.nsecsElapsed() / 1e6);
    }
    std::nth_element(durees.begin(), durees.begin() + tours / 2, durees.end());
    return durees[tours / 2];
}

/// One machine-readable line, collected by bench/run, and a readable one.
inline void Rapporte(const char *nom, double valeur, const char *unite, const char *cible)
{
    std::printf("%-44s %10.3f %-3s  (target %s)\n", nom, valeur, unite, cible);
    std::printf("MEDIAN %s %.4f %s\n", nom, valeur, unite);
    std::fflush(stdout);
}

} // namespace Banc
