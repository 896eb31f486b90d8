#pragma once

#include "model/composantes.h"

#include <QString>

#include <array>
#include <cstdint>

namespace Synthese {

inline constexpr std::int32_t Frequence_Echantillonnage = 44100;
inline constexpr int TailleEnTete = 44;
inline constexpr int TailleBloc = 512;

/// Everything one synthesis needs, computed before the file is touched.
struct Plan
{
    std::int32_t N = 0;                    ///< number of samples
    std::int16_t k = 0;                    ///< scale from amplitude units to sample units
    std::array<std::int16_t, 11> c{};      ///< peak sample value of each component (slot 0 unused)
    std::array<std::int16_t, 11> f{};      ///< frequencies, copied from the table
};

/// Builds the plan (N, k, c) and recomputes SommeAmplitudes. On a broken precondition
/// returns false and says why in `pourquoi`.
bool Prepare(Composantes &table, Plan &plan, QString *pourquoi = nullptr);

/// The 44-byte little-endian header for N samples.
std::array<char, TailleEnTete> EnTete(std::int32_t N);

/// Sample n, accumulated component by component with a rounding after each one.
/// Returns false if the sum leaves 16 bits.
bool Echantillon(const Plan &plan, std::int32_t n, std::int16_t &sortie);

/// The whole file in memory (header and samples); for tests and tools, not the program's hot path.
QByteArray FichierComplet(const Plan &plan);

} // namespace Synthese

// Turns the component table into test.wav. Whether the new file is then played is decided
// by the editing session, not here.
class Generateur
{
public:
    Generateur(Composantes &table, QString cheminWav);

    /// Writes test.wav atomically. On failure the previous file stays, one warning is logged
    /// and false is returned.
    bool GenereSon();

    const QString &chemin() const { return m_chemin; }
    /// Why the last call failed (empty after a success).
    const QString &derniereErreur() const { return m_erreur; }

private:
    bool Ecrit(const Synthese::Plan &plan);

    Composantes &m_table;
    QString m_chemin;
    QString m_erreur;
};
