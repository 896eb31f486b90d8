#pragma once

#include "model/timbre.h"
#include "synth/systeme.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The .timbre file: a small versioned UTF-8 JSON object,
//   {"format": "sonavirelle-timbre", "version": 1, "multiples": true,
//    "composantes": [{"frequence": 440, "amplitude": 10}, ...]}
// Files come from other people's machines, so reading never trusts them: a bounded read of a
// regular file only, strict UTF-8, and every value checked before a timbre is returned.
namespace TimbreFichier {

inline constexpr const char *Format = "sonavirelle-timbre";
inline constexpr int Version = 1;
/// Files of this size or more are refused before being read.
inline constexpr qint64 TailleMaximale = 10'000'000;

/// The timbre held by `octets` (a file's whole content). On refusal returns nothing and gives the
/// reason in French in `pourquoi` (without the file's name). Amplitudes are checked as written,
/// then kept at the table's (float) precision.
std::optional<Timbre> Decode(const QByteArray &octets, QString *pourquoi = nullptr);

/// The file's text for a valid timbre (an invalid one gives an empty array).
QByteArray Encode(const Timbre &timbre);

/// Reads and decodes the file at `chemin`. Never blocks and never reads more than the size limit:
/// FIFOs, devices, folders and links to them are refused. On refusal `pourquoi` receives one
/// French line naming the file and the reason, ready for a message box or stderr.
std::optional<Timbre> Charge(const QString &chemin, QString *pourquoi = nullptr);

/// Writes the timbre to `chemin` atomically (the previous file stays whole on failure), under the
/// rules of Systeme::RefusEcriture. On failure `pourquoi` receives one French line naming the file
/// and the reason.
bool Enregistre(const QString &chemin, const Timbre &timbre, QString *pourquoi = nullptr);

/// Where an analysed timbre comes from, kept in the file's "analyse" object:
///   "analyse": {"source": "clarinette.flac", "debut": 0.75, "duree": 0.5, "fondamental": 146.83}
/// Readers that do not know the object ignore it, so the format stays version 1.
struct Origine
{
    QString source;     ///< the sound file's name, without its folder
    double debut = 0.0; ///< the stretch analysed, seconds (written to the millisecond)
    double duree = 0.0;
    double fondamental = 0.0; ///< the measured fundamental, hertz (written with two decimals)
    bool operator==(const Origine &) const = default;
};

/// The file's text for a valid timbre with where it comes from.
QByteArray Encode(const Timbre &timbre, const Origine &origine);

/// The "analyse" object of a file's text, rounded as written; nothing when there is none or it is
/// not well formed (the timbre itself is read by Decode, whatever this says).
std::optional<Origine> DecodeOrigine(const QByteArray &octets);

/// One French line naming a file and what went wrong with it: « chemin » : raison.
QString Message(const QString &chemin, const QString &raison);

/// The French name of a built-in timbre, as shown in the menu.
QString Nom(Timbres::Type type);

} // namespace TimbreFichier
