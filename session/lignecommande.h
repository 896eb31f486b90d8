#pragma once

#include "session/lignedefi.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

struct Timbre;
#include <optional>

// The command line, read before QApplication exists: --help and --version must answer without
// a display, and a mistyped option must stop the run before any window opens.
class LigneCommande
{
    Q_DECLARE_TR_FUNCTIONS(LigneCommande)

public:
    struct Resultat
    {
        bool demarre = true; ///< false: the run ends here, with `code`
        int code = 0;        ///< exit status when the run ends here
        QString sortie;      ///< for standard output (help, version)
        QString erreur;      ///< for standard error, one line
        QString timbre;      ///< a .timbre file to start with (or to export); empty: the default sound
        QString exporte;     ///< a WAV to write without any window; empty: the windows open
        double duree = 3.0;  ///< length of the export, seconds
        QString analyse;     ///< a sound to analyse into a timbre without any window (CommandeAnalyse)
        std::optional<double> debut, dureeTroncon; ///< the stretch analysed, seconds, when given
        QString sortieAnalyse;                     ///< the .timbre file the analysis writes; empty: standard output
        LigneDefi::Demande defi;                   ///< a challenge to write or to score, without any window
    };

    /// Reads `arguments` (program name first, as in argv). Qt's own options (-platform, -style...)
    /// are accepted and left for QApplication.
    static Resultat Analyse(const QStringList &arguments, const QString &version);

    /// argv as Qt strings.
    static QStringList Arguments(int argc, char *argv[]);

    /// The export the command line asks for (`r.exporte`, `r.duree`), of `timbre` or, without one,
    /// of the default sound (440 Hz, amplitude 10). Needs neither a display nor a sound server.
    static Resultat Exporte(const Resultat &r, const Timbre *timbre);

    /// Prints what `r` holds and returns its exit status.
    static int Termine(const Resultat &r);

    /// Exit status of a command line that cannot be obeyed.
    static constexpr int CodeErreur = 2;
};
