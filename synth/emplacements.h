#pragma once

#include <QByteArray>
#include <QString>

// Where the program's sound files live, chosen once at start and kept for the whole run.
struct Emplacements
{
    QString dossierApplication; ///< the folder holding the executable
    QString dossierSon;         ///< where test.wav is written: the application folder, or a per-user one
    QString dossierSecours;     ///< the per-user folder, for a test.wav that turns unusable later; may be empty
    QString dossierDonnees;     ///< where the installed data files are (silence.wav); empty: the application folder

    QString test() const { return dossierSon.isEmpty() ? QString() : dossierSon + QStringLiteral("/test.wav"); }
    QString secours() const
    {
        return dossierSecours.isEmpty() ? QString() : dossierSecours + QStringLiteral("/test.wav");
    }
    QString silence() const
    {
        return (dossierDonnees.isEmpty() ? dossierApplication : dossierDonnees) + QStringLiteral("/silence.wav");
    }

    /// The application folder when it and its test.wav can be used, otherwise the per-user data
    /// folder (an installed program cannot write beside itself; a shared folder may hold a link
    /// or another user's file under that name).
    /// An installed program (see DossierInstalle) always writes in the per-user folder, whoever runs
    /// it, and reads its data from the install's share folder.
    static Emplacements Choisis(const QString &dossierApplication);

    /// `<prefix>/share/sonavirelle` when the application folder is `<prefix>/bin` and that folder
    /// exists: the program is installed, wherever the prefix was put. Empty otherwise.
    static QString DossierInstalle(const QString &dossierApplication);

    /// The folder of the running executable, read from the system rather than from argv[0].
    /// Empty when its name cannot be written as a path (bytes that are not valid UTF-8).
    static QString DossierExecutable();
    /// A folder named by raw bytes, as a path the program can open; empty when the bytes do not
    /// survive the round trip through a file name.
    static QString DepuisOctets(const QByteArray &brut);
};

namespace Fichier {

/// What a path holds, as far as replacing it goes.
enum class Etat {
    Absent,      ///< nothing there: a new file may be created
    Remplacable, ///< a regular file of ours
    Refuse,      ///< a link, a device, a FIFO, a folder, or another user's file: never touched
};

/// Looks at the name itself (links are not followed) and says why a refused one is refused.
Etat Examine(const QString &chemin, QString *pourquoi = nullptr);

/// Replaces `chemin` with `octets` through a new file in the same folder, synced and renamed over
/// the old name: the rename replaces the name itself, so neither a link nor its target is ever
/// written through, and a failed write leaves the previous file whole. On failure returns false
/// and says why.
bool Remplace(const QString &chemin, const QByteArray &entete, const QByteArray &donnees, QString *pourquoi);

/// The same with `donnees` written `repetitions` times after the header (a long sound made of one
/// loop, without holding the whole file in memory). On failure `numero` receives the system error.
bool Remplace(const QString &chemin, const QByteArray &entete, const QByteArray &donnees, qint64 repetitions,
              QString *pourquoi, int *numero = nullptr);

/// For a run that writes a long file: SIGINT and SIGTERM remove a named temporary file still
/// being written (where the system has no unnamed ones) before ending the run as usual, and a
/// file-size limit makes writes fail with EFBIG instead of killing the process.
void NettoieSiInterrompu();

} // namespace Fichier
