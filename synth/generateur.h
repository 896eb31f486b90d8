#pragma once

#include "model/son.h"

#include <QByteArray>
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
    std::int32_t N = 0;               ///< number of samples
    std::int16_t k = 0;               ///< scale from amplitude units to sample units
    std::array<std::int16_t, 11> c{}; ///< peak sample value of each component (slot 0 unused)
    std::array<std::int16_t, 11> f{}; ///< frequencies, copied from the table
};

/// Builds the plan (N, k, c). On a broken precondition returns false and says why in `pourquoi`.
bool Prepare(const Son &table, Plan &plan, QString *pourquoi = nullptr);

/// The 44-byte little-endian header for N samples.
std::array<char, TailleEnTete> EnTete(std::int32_t N);

/// Sample n, accumulated component by component with a rounding after each one.
/// Returns false if the sum leaves 16 bits.
bool Echantillon(const Plan &plan, std::int32_t n, std::int16_t &sortie);

/// The whole file in memory (header and samples); for tests and tools, not the program's hot path.
QByteArray FichierComplet(const Plan &plan);

/// All N samples, 16-bit little-endian, into `octets`. Returns the index of the first sample
/// outside 16 bits, or −1 when all fit.
std::int32_t Echantillons(const Plan &plan, QByteArray &octets);

} // namespace Synthese

// Turns the component table into its samples and test.wav. Whether the new sound is then
// played is decided by the editing session, not here.
class Generateur
{
public:
    Generateur(const Son &table, QString cheminWav);

    /// Synthesises the table and writes test.wav atomically. A table that cannot be synthesised
    /// changes nothing. A file that cannot be written keeps the previous one whole and logs one
    /// warning; the new samples are kept all the same (sonNeuf()), so that what is heard can
    /// still be the table's own sound. Returns true when test.wav was written.
    bool GenereSon();

    /// Where test.wav is written now (it moves to the per-user folder if the name turns unusable).
    const QString &chemin() const { return m_chemin; }
    /// The per-user test.wav, used once the first choice is refused.
    void fixeSecours(QString chemin) { m_secours = std::move(chemin); }
    /// The samples of the last successful synthesis (16-bit little-endian mono, 44100 Hz).
    const QByteArray &echantillons() const { return m_echantillons; }
    /// True when the last GenereSon made new samples, whether or not the file could be written.
    bool sonNeuf() const { return m_sonNeuf; }
    /// Why the last call failed (empty after a success).
    const QString &derniereErreur() const { return m_erreur; }

private:
    bool Ecrit(const Synthese::Plan &plan);
    bool Bascule(const QString &pourquoi);

    const Son &m_table;
    QString m_chemin;
    QString m_secours;
    QByteArray m_echantillons;
    bool m_sonNeuf = false;
    QString m_erreur;
};
