#pragma once

#include <QString>
#include <QStringList>

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
    Recents,     ///< fichiers/recents: the last timbre files opened or saved, paths (see LitChemins)
    Dossier,     ///< fichiers/dossier: the folder last used in a file dialog, one path
};

/// Room for the known keys with eight long paths.
inline constexpr qint64 TailleMaximale = 32768;

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

/// The paths of a path key (Recents, Dossier), in their order: absolute, valid UTF-8, without
/// control characters, at most TailleChemin bytes each; any other entry is passed over. In the
/// file each path is percent-encoded UTF-8 and the paths are separated by commas.
inline constexpr int TailleChemin = 1024;
inline constexpr int CheminsRecents = 8;
std::optional<QStringList> LitChemins(Cle cle);

/// Stores a path key: at most as many paths as the key keeps (eight recent files, one folder),
/// the first ones; false when a path breaks the rule above, for another key, or a failed write.
bool EcritChemins(Cle cle, const QStringList &chemins);

/// Forgets that the file was found unusable (it is looked at again at the next use).
void Oublie();

} // namespace Reglages
