#pragma once

#include "model/timbre.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Listening challenges: a hidden timbre made from a number and a level, the same on every
// machine, and the score of a pupil's timbre against it. Plain functions over timbres, so the
// challenge window, the command line and any outside tool compute the very same thing.
namespace Defis {

/// Challenge numbers have four digits at most: a teacher says them aloud and thirty pupils type
/// them. The 10 000 numbers of a level are few enough to be checked one by one.
inline constexpr int NumeroMin = 0;
inline constexpr int NumeroMax = 9999;
inline constexpr int NiveauMin = 1;
inline constexpr int NiveauMax = 5;
/// Hidden harmonics besides the fundamental are drawn among these, with whole amplitudes.
inline constexpr int RangMinCache = 2;
inline constexpr int RangMaxCache = 8;
inline constexpr int AmplitudeMinCachee = 2;
inline constexpr int AmplitudeMaxCachee = 10;
inline constexpr int AmplitudeFondamental = 10;
/// Harmonic numbers the score knows; rank 0 gathers every component off the harmonics.
inline constexpr int RangMax = 10;
/// A component further than this from its harmonic counts as off the harmonics.
inline constexpr double EcartMaxPourcent = 3.0;
/// What each hint takes off the score.
inline constexpr int PenaliteIndice = 10;
/// "Right": the pupil's amplitude, brought to the challenge's scale, within this of the challenge's.
inline constexpr double ToleranceJuste = 0.5;

bool NumeroValide(int numero);
bool NiveauValide(int niveau);

/// One hidden component: its harmonic number and its whole amplitude.
struct Cachee
{
    int rang = 1;
    int amplitude = 0;
    bool operator==(const Cachee &) const = default;
};

struct Defi
{
    int numero = 0;
    int niveau = NiveauMin;
    /// The fundamental (rank 1, amplitude 10) first, then the others by rising rank.
    std::vector<Cachee> cachees;
    bool operator==(const Defi &) const = default;
};

/// The 64-bit mixer the challenges are drawn with (SplitMix64): each call advances `etat` by
/// 0x9E3779B97F4A7C15 and returns the mix of the new state.
std::uint64_t Melange(std::uint64_t &etat);
/// A whole number in 0 .. n − 1 from one draw, without rejection: ((x >> 32) × n) >> 32.
int Tirage(std::uint64_t x, int n);

/// The challenge of this number and level, or nothing when either is out of range. The mapping,
/// fixed once for all:
///  - state = numero × 2^32 + niveau, then one Melange per draw, in this order;
///  - candidates [2, 3, 4, 5, 6, 7, 8]; for i = 0 .. niveau − 1, swap candidate i with candidate
///    i + Tirage(draw, 7 − i) (the first steps of a Fisher–Yates shuffle); the first `niveau`
///    candidates, sorted, are the hidden harmonics;
///  - then, for each of them by rising rank, amplitude = 2 + Tirage(draw, 9).
std::optional<Defi> Genere(int numero, int niveau);

/// The challenge's sound on the fundamental `f1` (clamped to 1..32767; harmonics above 32767 Hz
/// are clamped there), multiples-only option on.
Timbre Son(const Defi &defi, int f1);

/// Amplitudes by harmonic number: index k for harmonic k (1..10), index 0 for the components off
/// the harmonics. k = nearest(frequency ÷ the timbre's fundamental); a component more than 3 %
/// from k × the fundamental, or with k outside 1..10, goes to 0. With a fundamental of 0 Hz (or
/// not finite) every component goes to 0. Amplitudes at one rank add up; amplitudes that are not
/// above 0 (or not finite) count for nothing.
using ParRang = std::array<double, RangMax + 1>;
ParRang Rangs(const Timbre &t);

enum class Verdict {
    Juste,
    TropFort,
    TropFaible,
    Manquant, ///< in the challenge, not in the pupil's timbre
    EnTrop,   ///< in the pupil's timbre, not in the challenge (or off the harmonics)
};

struct Ligne
{
    int rang = 0; ///< 0: the components off the harmonics
    Verdict verdict = Verdict::Juste;
    double p = 0.0; ///< the challenge's share of the total at this rank
    double q = 0.0; ///< the pupil's
    bool operator==(const Ligne &) const = default;
};

struct Resultat
{
    int score = 0;       ///< 0..100, hints taken off
    int sansIndice = 0;  ///< the score before the hints
    double distance = 0; ///< D, 0 (same proportions) to 1 (nothing in common)
    /// Every rank either side holds, by rising rank (the off-harmonic rank 0 first).
    std::vector<Ligne> lignes;
};

/// The score of `essai` against `cible`: both sides as shares of their own total (p, q),
/// D = ½ × Σ |p_k − q_k| over k = 0..10, score = nearest(100 × (1 − D)) − 10 per hint, never
/// below 0. A silent side (total 0) shares nothing with a sound (D = 1); two silent sides, D = 0.
/// Per rank: "manquant" when only the challenge has it, "en trop" when only the pupil does; when
/// both do, the pupil's amplitude is brought to the challenge's scale, s × Q_k, and is "juste"
/// within 0.5 of the challenge's P_k, else "trop fort" or "trop faible". The scale puts the two
/// fundamentals level (s = P_1 / Q_1) when both sides hold rank 1, else the ranks both hold
/// (s = Σ P / Σ Q over them): a missing or extra harmonic then leaves the others' verdicts alone.
Resultat Compare(const Timbre &cible, const Timbre &essai, int indices = 0);

/// The hint: the lowest harmonic (1..10) of `cible` that `essai` does not yet have right and that
/// is not in `dejaDonnes`; nothing when there is none.
std::optional<int> Indice(const Timbre &cible, const Timbre &essai, const std::vector<int> &dejaDonnes = {});

} // namespace Defis
