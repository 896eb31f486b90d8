#pragma once

#include "model/son.h"

#include <cstdint>
#include <optional>
#include <vector>

// A sound as it is kept in a file or chosen from the built-in list: the components in table
// order (the first is the fundamental) and the multiples-only option. Plain values, so a timbre
// read from an untrusted file is checked here, in one place, before it reaches the table.
struct Timbre
{
    struct Composante
    {
        double frequence = 0.0; ///< hertz; a whole number once validated
        double amplitude = 0.0; ///< spectrum units, 0..10; a file's values are read at the table's float precision
        bool operator==(const Composante &) const = default;
    };

    bool multiples = true;
    std::vector<Composante> composantes;

    bool operator==(const Timbre &) const = default;
};

namespace Timbres {

inline constexpr int FrequenceMaximale = 32767;
inline constexpr double AmplitudeMaximale = 10.0;

/// What makes a timbre unusable, and which component (1 = the fundamental; 0 when none applies).
struct Defaut
{
    enum class Code {
        AucuneComposante,
        TropDeComposantes,
        FrequenceNonEntiere, ///< not a whole number (or not finite)
        FrequenceHorsBornes, ///< outside 0..32767
        FondamentalNul,      ///< the fundamental below 1 Hz
        AmplitudeHorsBornes, ///< outside 0..10 (or not finite)
    };
    Code code;
    int composante = 0;
    bool operator==(const Defaut &) const = default;
};

/// The first rule the timbre breaks, or nothing when it can be applied.
std::optional<Defaut> Verifie(const Timbre &t);

/// Replaces the whole table with the timbre: slots past the last component get 0 Hz and amplitude
/// 0, ProchaineComposante = count + 1. Playback state and time base
/// are kept. Returns false (table untouched) when the timbre breaks a rule.
bool Applique(const Timbre &t, Son &table);

/// The timbre the table holds: slots 1 .. ProchaineComposante − 1, and always the fundamental's
/// slot (its frequency is the marker's place even when a clear left the table empty).
Timbre DepuisTable(const Son &table, bool multiples);

/// The built-in timbres, all in sine phase like every sound of the program.
enum class Type {
    SonPur,        ///< the fundamental alone, amplitude 10
    SignalCarre,   ///< odd harmonics 1..19, amplitudes 10/n
    DentDeScie,    ///< harmonics 1..10, amplitudes 10/n
    ImpairsCarres, ///< odd harmonics 1..19, amplitudes 10/n²
};
inline constexpr Type Types[] = {Type::SonPur, Type::SignalCarre, Type::DentDeScie, Type::ImpairsCarres};

/// A built-in timbre on the fundamental `f1` (clamped to 1..32767); harmonics above 32767 Hz are
/// clamped to 32767 Hz. The multiples-only option is on: every component is a harmonic.
Timbre Classique(Type type, int f1);

} // namespace Timbres
