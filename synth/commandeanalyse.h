#pragma once

#include <QString>

#include <optional>

// `sonavirelle --analyse SON [--debut S] [--duree S] [--sortie FICHIER.timbre]`: the sound
// analysed into a timbre without any window, display or sound server. The timbre's JSON goes to
// standard output, or to FICHIER.timbre written atomically (a new file renamed over the name; a
// link, folder, device or FIFO there is refused, never written through).
namespace CommandeAnalyse {

struct Issue
{
    int code = 0;   ///< exit status: 0, or 2 when the sound or the output is refused
    QString sortie; ///< for standard output
    QString erreur; ///< for standard error: one French line naming the file and the reason
};

inline constexpr int CodeErreur = 2;

Issue Execute(const QString &son, std::optional<double> debut, std::optional<double> duree, const QString &sortie);

} // namespace CommandeAnalyse
