#include "synth/emplacements.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

bool Inscriptible(const QString &dossier)
{
    // Permission bits alone do not tell (read-only mounts, ACLs): try a real file.
    QTemporaryFile essai(dossier + QStringLiteral("/.sonavirelle-XXXXXX"));
    return essai.open();
}

} // namespace

Emplacements Emplacements::Choisis(const QString &dossierApplication)
{
    Emplacements e;
    e.dossierApplication = dossierApplication;
    e.dossierSon = dossierApplication;
    if (!Inscriptible(dossierApplication)) {
        const QString perso = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        if (!perso.isEmpty() && QDir().mkpath(perso)) {
            e.dossierSon = perso;
            qInfo("sonavirelle: %s is not writable, test.wav goes to %s", qUtf8Printable(dossierApplication),
                  qUtf8Printable(perso));
        } else {
            qWarning("sonavirelle: neither %s nor a per-user folder is writable; test.wav cannot be written",
                     qUtf8Printable(dossierApplication));
        }
    }
    return e;
}
