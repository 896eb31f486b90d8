#pragma once

#include <QString>

// Where the program's two sound files live, chosen once at start and kept for the whole run.
struct Emplacements
{
    QString dossierApplication; ///< the folder holding the executable (silence.wav is installed there)
    QString dossierSon;         ///< where test.wav is written: the application folder, or a per-user one

    QString test() const { return dossierSon + QStringLiteral("/test.wav"); }
    QString silence() const { return dossierApplication + QStringLiteral("/silence.wav"); }

    /// The application folder when it is writable, otherwise the per-user data folder
    /// (an installed program cannot write beside itself).
    static Emplacements Choisis(const QString &dossierApplication);
};
