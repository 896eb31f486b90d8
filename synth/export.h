#pragma once

#include "model/son.h"

#include <QString>

#include <cstdint>

// The sound saved as a WAV of a chosen length: the same header and samples as test.wav, the loop
// repeated a whole number of times (the smallest number that covers the length).
namespace Export {

/// Longest export, in seconds. With the longest loop (10 s, a 1 Hz fundamental) the file stays
/// under 54 MB, far inside the WAV header's 32-bit sizes.
inline constexpr double DureeMaximale = 600.0;

/// How many loops of `N` samples cover `secondes`: the smallest count whose length is at least
/// `secondes`, and at least one. `secondes` must be valid (see DureeValide).
std::int64_t Repetitions(std::int32_t N, double secondes);

/// True when `secondes` is a length that can be exported (finite, above 0, at most DureeMaximale);
/// otherwise says why in French.
bool DureeValide(double secondes, QString *pourquoi = nullptr);

/// Writes the table's sound, `secondes` long, to `chemin`: through a new file renamed over the
/// name, so a failure (full disk, unwritable folder) leaves no partial file and the previous file
/// whole. Links, folders, devices and FIFOs under the name are refused, never written through.
/// The table itself is not changed. On failure `pourquoi` receives one French line naming the file;
/// on success `ecrites` (when given) the length written in seconds, whole loops.
bool Ecrit(const Son &table, double secondes, const QString &chemin, QString *pourquoi = nullptr,
           double *ecrites = nullptr);

} // namespace Export
