#pragma once

// Small timing helpers shared by the benchmark programs.

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

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

/// Median duration of `mesure` in milliseconds over `tours` runs (after ten warm-up runs), with
/// `remet` run untimed after each one to put things back.
inline double Mediane(int tours, const std::function<void()> &mesure, const std::function<void()> &remet)
{
    std::vector<double> durees;
    durees.reserve(tours);
    for (int i = -10; i < tours; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        mesure();
        const double ms = chrono.nsecsElapsed() / 1e6;
        if (i >= 0)
            durees.push_back(ms);
        remet();
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

/// Median time in milliseconds for sox to write `secondes` of the worst-case sound (ten sines at
/// 1 to 10 Hz, 16-bit mono at 44100 Hz) to `sortie`: the reference the synthesis is held against.
/// −1 when sox is not installed.
inline double MedianeSox(const QString &sortie, int secondes)
{
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        return -1;
    QStringList arguments{"-n", "-r", "44100", "-b", "16", "-c", "1", sortie, "synth", QString::number(secondes)};
    for (int i = 1; i <= 10; ++i)
        arguments << "sin" << QString::number(i);
    return Mediane(9, [&] {
        QProcess p;
        p.start(sox, arguments);
        p.waitForFinished(-1);
    });
}

} // namespace Banc
