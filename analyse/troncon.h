#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// The stretch of a recording that is analysed when none is given: about half a second of steady
// sound, past the attack and before the release.
//
// The rule, from the level of the sound in blocks of 10 ms (root mean square of the mono mix over
// the 50 ms around each block):
//  1. the loudest block sets the reference level P;
//  2. the sound is steady from 0.1 s after the first block at or above P / 2 (−6 dB: the attack is
//     over) to 0.1 s before the last such block (the release begins);
//  3. the stretch is the 0.5 s in the middle of that steady part; when the steady part is shorter,
//     the middle 0.5 s (or all, if shorter) of the part at or above P / 2 itself;
//  4. the stretch starts and ends on whole blocks and never leaves the sound.
// A sound with no level at all (silence) gets its first 0.5 s, which the analysis then refuses.
struct Troncon
{
    double debut = 0.0; ///< seconds from the start of the file
    double duree = 0.0; ///< seconds
    bool operator==(const Troncon &) const = default;
};

namespace Stable {

inline constexpr double Bloc = 0.01;      ///< seconds per level block
inline constexpr double Duree = 0.5;      ///< seconds of the stretch chosen
inline constexpr double Marge = 0.1;      ///< seconds kept off the attack and off the release
inline constexpr double Seuil = 0.5;      ///< of the loudest block's level: −6 dB
inline constexpr std::size_t Lissage = 2; ///< blocks on each side taken into a block's level

/// Accumulates the level blocks of a sound read in pieces: feed it the mono samples in order.
class Niveaux
{
public:
    explicit Niveaux(double frequence);
    void ajoute(const float *mono, std::size_t n);
    /// The blocks' levels (the last, partial block when it holds half a block or more).
    std::vector<float> termine();

private:
    std::size_t m_parBloc;
    std::size_t m_dansBloc = 0;
    double m_somme = 0.0;
    std::vector<float> m_niveaux;
};

/// The stretch the rule above picks from the block levels of a sound `dureeTotale` seconds long.
Troncon Choisit(const std::vector<float> &niveaux, double dureeTotale);

} // namespace Stable
