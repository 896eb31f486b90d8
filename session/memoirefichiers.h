#pragma once

#include <QString>
#include <QStringList>

// What the program remembers of the user's files between runs, in its settings: the timbre files
// last opened or saved (most recent first, no duplicates, eight at most) and the folder the file
// dialogs last used.
namespace MemoireFichiers {

/// The recent files, most recent first.
QStringList Recents();
/// `chemin` (made absolute) goes to the front of the recent files; the ninth one goes.
void AjouteRecent(const QString &chemin);
/// `chemin` leaves the recent files (its file has gone).
void RetireRecent(const QString &chemin);

/// Where a file dialog opens: the folder last used while it is still a folder, else the user's
/// music folder, else the documents folder, else the home folder.
QString DossierDepart();
/// The folder of `fichier`, just picked in a dialog, is the next dialog's.
void RetientDossier(const QString &fichier);

} // namespace MemoireFichiers
