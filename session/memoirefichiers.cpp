#include "session/memoirefichiers.h"

#include "synth/reglages.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace MemoireFichiers {

QStringList Recents()
{
    return Reglages::LitChemins(Reglages::Cle::Recents).value_or(QStringList());
}

void AjouteRecent(const QString &chemin)
{
    const QString absolu = QDir::cleanPath(QFileInfo(chemin).absoluteFilePath());
    QStringList liste = Recents();
    liste.removeAll(absolu);
    liste.prepend(absolu);
    // A path the settings cannot keep (too long, not UTF-8) is simply not remembered.
    Reglages::EcritChemins(Reglages::Cle::Recents, liste.mid(0, Reglages::CheminsRecents));
}

void RetireRecent(const QString &chemin)
{
    QStringList liste = Recents();
    if (liste.removeAll(chemin) > 0)
        Reglages::EcritChemins(Reglages::Cle::Recents, liste);
}

QString DossierDepart()
{
    const auto dossier = Reglages::LitChemins(Reglages::Cle::Dossier);
    if (dossier && !dossier->isEmpty() && QFileInfo(dossier->first()).isDir())
        return dossier->first();
    for (const auto lieu : {QStandardPaths::MusicLocation, QStandardPaths::DocumentsLocation})
        for (const QString &d : QStandardPaths::standardLocations(lieu))
            if (QFileInfo(d).isDir())
                return d;
    return QDir::homePath();
}

void RetientDossier(const QString &fichier)
{
    const QString dossier = QDir::cleanPath(QFileInfo(fichier).absolutePath());
    Reglages::EcritChemins(Reglages::Cle::Dossier, {dossier});
}

} // namespace MemoireFichiers
