#pragma once

#include <QByteArray>

// The listening volume: a gain applied to the samples on their way to the output, never to
// test.wav. From silence up to +20 dB over the file's own level (which the synthesis keeps some
// 20 dB under full scale), and never past the loop's own peak, so nothing ever clips.
namespace Volume {

/// Quietest audible step; below it the volume is silence.
inline constexpr double MinDecibels = -40.0;
/// Loudest step, over the file's level.
inline constexpr double MaxDecibels = 20.0;

/// The largest absolute sample of 16-bit little-endian samples.
int Crete(const QByteArray &echantillons);

/// The linear gain for `decibels` (below MinDecibels: 0, silence), lowered if needed so that
/// `crete` times the gain stays within 16 bits.
double Gain(double decibels, int crete);

/// The samples times `gain`, each rounded to the nearest integer (halves away from zero) and
/// kept within 16 bits. A gain of exactly 1 returns the samples untouched.
QByteArray Applique(const QByteArray &echantillons, double gain);

} // namespace Volume
