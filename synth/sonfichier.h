#pragma once

#include "analyse/troncon.h"

#include <QString>

#include <optional>
#include <vector>

// Recorded sounds read for analysis, through libsndfile: WAV (8, 16, 24 and 32-bit integer and
// float), FLAC, Ogg Vorbis and Opus, AIFF and the other formats it knows; 8 to 192 kHz; any
// number of channels, mixed to mono. Files come from anywhere, so reading never trusts them: a
// regular file only, opened without blocking, and only the stretch analysed is kept in memory
// (a long file is sought into, never read whole).
namespace SonFichier {

inline constexpr int FrequenceMinimale = 8000;
inline constexpr int FrequenceMaximale = 192000;
inline constexpr int CanauxMaximum = 64;
/// The longest stretch analysed, seconds.
inline constexpr double DureeMaximale = 10.0;
/// To choose the default stretch, at most this many seconds from the start are scanned.
inline constexpr double DureeExploree = 30.0;

/// The stretch of a sound, mono, with where it lies in its file.
struct Son
{
    std::vector<float> echantillons; ///< the stretch, channels averaged, within −1..1 for integer formats
    double frequence = 0.0;          ///< samples per second
    Troncon troncon;                 ///< where the stretch lies, seconds
    double dureeTotale = 0.0;        ///< the whole sound, seconds
    int canaux = 0;                  ///< in the file
    QString nom;                     ///< the file's name, without its folder
};

/// Reads the stretch from `debut` lasting `duree` seconds. Without `debut`, the stretch the steady
/// rule (Stable::Choisit) finds, `duree` long when given; with `debut` alone, 0.5 s from there
/// (or up to the end, when the sound ends sooner). On refusal returns nothing and `pourquoi`
/// receives one French line naming the file and the reason.
std::optional<Son> Charge(const QString &chemin, std::optional<double> debut = {}, std::optional<double> duree = {},
                          QString *pourquoi = nullptr);

} // namespace SonFichier
