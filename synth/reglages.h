#pragma once

#include <QString>

#include <optional>

// The program's settings: a small INI file of its own (where QSettings would keep it, in the
// same format), treated like test.wav rather than trusted. Read without ever blocking, from a
// regular file of ours only, at most TailleMaximale bytes; only the known keys are taken, each an
// integer in its range. Written atomically (a new file renamed over the name), never through a
// link, never into a FIFO, a device or a folder. When the file cannot be used safely the run goes
// on with the defaults, leaves the file alone, and says so once in the log.
namespace Reglages {

enum class Cle {
    Zoom,        ///< affichage/zoom: the zoom step in percent, 50 to 200
    Volume,      ///< son/volume: the listening volume in dB; any integer, brought into range by its user
    EntreeMicro, ///< micro/entree: the chosen input's id, a text (TailleTexte bytes at most, see LitTexte)
};

inline constexpr qint64 TailleMaximale = 4096;

/// The file: `<settings folder>/<organization>/<application>.conf`, the folder being QSettings'
/// own for the user (so QSettings::setPath applies).
QString Chemin();

/// The stored value of `cle`, when there is a usable one.
std::optional<int> Lit(Cle cle);

/// Stores `valeur` under `cle`, keeping the other known keys. False when it was not written (the
/// file is unusable for this run, or the write failed; said once).
bool Ecrit(Cle cle, int valeur);

/// The stored text of a text key (EntreeMicro): at most TailleTexte bytes of letters, digits and
/// ._:-+@/ only; anything else in the file is passed over.
inline constexpr int TailleTexte = 256;
std::optional<QString> LitTexte(Cle cle);

/// Stores a text key; false for an integer key, a text that breaks the rule above, or a failed write.
bool EcritTexte(Cle cle, const QString &valeur);

/// Forgets that the file was found unusable (it is looked at again at the next use).
void Oublie();

} // namespace Reglages
