#include "synth/systeme.h"

#include "synth/raisons.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace Systeme {

QString Raison(int numero)
{
    switch (numero) {
    case ENOENT: return Raisons::tr("le fichier ou le dossier n'existe pas");
    case EACCES:
    case EPERM: return Raisons::tr("accès refusé");
    case ENOSPC:
    case EDQUOT: return Raisons::tr("le disque est plein");
    case EFBIG: return Raisons::tr("le fichier dépasse la taille permise (disque plein ou limite atteinte)");
    case EROFS: return Raisons::tr("le disque est en lecture seule");
    case EISDIR: return Raisons::tr("c'est un dossier");
    case ENOTDIR: return Raisons::tr("un élément du chemin n'est pas un dossier");
    case ELOOP: return Raisons::tr("trop de liens symboliques");
    case ENAMETOOLONG: return Raisons::tr("le nom est trop long");
    case EIO: return Raisons::tr("erreur de lecture ou d'écriture du disque");
    case EAGAIN: return Raisons::tr("la ressource est momentanément indisponible");
    case EBUSY: return Raisons::tr("le fichier ou le périphérique est occupé");
    case EEXIST: return Raisons::tr("le fichier existe déjà");
    case EINVAL: return Raisons::tr("opération impossible sur ce fichier");
    case EMFILE:
    case ENFILE: return Raisons::tr("trop de fichiers ouverts");
    case ENOMEM: return Raisons::tr("mémoire insuffisante");
    case ETXTBSY: return Raisons::tr("le fichier est en cours d'utilisation");
    case EXDEV: return Raisons::tr("le fichier est sur un autre disque");
    case ENXIO:
    case ENODEV: return Raisons::tr("le périphérique n'existe pas");
    case EINTR: return Raisons::tr("l'opération a été interrompue");
    case EOPNOTSUPP: return Raisons::tr("opération non permise par ce système de fichiers");
    case ESTALE: return Raisons::tr("le fichier n'est plus accessible (disque réseau)");
    default:
        // Never the system's own (English) words: the number tells an administrator the rest.
        return Raisons::tr("erreur du système n° %1").arg(numero);
    }
}

QString RefusEcriture(const QString &chemin)
{
    if (chemin.isEmpty())
        return Raisons::tr("aucun fichier n'est nommé");
    const QByteArray nom = QFile::encodeName(chemin);
    if (QFile::decodeName(nom) != chemin || chemin.contains(QChar::ReplacementCharacter))
        return Raisons::tr(
            "ce nom ne peut pas être écrit exactement sur ce système (octets qui ne sont pas de l'UTF-8)");
    struct stat s
    {};
    if (::lstat(nom.constData(), &s) == 0) {
        if (S_ISLNK(s.st_mode))
            return Raisons::tr("c'est un lien symbolique, qui n'est pas remplacé");
        if (S_ISDIR(s.st_mode))
            return Raisons::tr("c'est un dossier");
        if (!S_ISREG(s.st_mode))
            return Raisons::tr("ce n'est pas un fichier ordinaire (périphérique, tube ou autre)");
        if (::geteuid() != 0 && s.st_uid != ::geteuid())
            return Raisons::tr("le fichier appartient à un autre utilisateur, il n'est pas remplacé");
    } else if (errno != ENOENT) {
        return Raison(errno);
    }
    return {};
}

} // namespace Systeme
