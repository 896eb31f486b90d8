#include "synth/commandeanalyse.h"

#include "synth/analyseson.h"
#include "synth/emplacements.h"
#include "synth/raisons.h"
#include "synth/timbrefichier.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace {

} // namespace

namespace CommandeAnalyse {

Issue Execute(const QString &son, std::optional<double> debut, std::optional<double> duree, const QString &sortie)
{
    Issue issue;
    const auto refuse = [&](const QString &ligne) {
        issue.code = CodeErreur;
        issue.erreur = ligne + QLatin1Char('\n');
        return issue;
    };
    // The output is looked at first, so that a long analysis never ends on a name it cannot write.
    if (!sortie.isEmpty()) {
        struct stat s
        {};
        if (::lstat(QFile::encodeName(sortie).constData(), &s) == 0) {
            if (S_ISLNK(s.st_mode))
                return refuse(
                    TimbreFichier::Message(sortie, Raisons::tr("c'est un lien symbolique, qui n'est pas remplacé")));
            if (S_ISDIR(s.st_mode))
                return refuse(TimbreFichier::Message(sortie, Raisons::tr("c'est un dossier")));
            if (!S_ISREG(s.st_mode))
                return refuse(TimbreFichier::Message(
                    sortie, Raisons::tr("ce n'est pas un fichier ordinaire (périphérique, tube ou autre)")));
        } else if (errno != ENOENT) {
            return refuse(TimbreFichier::Message(sortie, Systeme::Raison(errno)));
        }
    }
    QString pourquoi;
    const auto resultat = AnalyseSon::Analyse(son, debut, duree, &pourquoi);
    if (!resultat)
        return refuse(pourquoi);
    const QByteArray texte = TimbreFichier::Encode(resultat->timbre, resultat->origine);
    if (sortie.isEmpty()) {
        issue.sortie = QString::fromUtf8(texte);
        return issue;
    }
    int numero = 0;
    if (!Fichier::Remplace(sortie, texte, QByteArray(), 1, nullptr, &numero))
        return refuse(TimbreFichier::Message(sortie, Systeme::Raison(numero)));
    return issue;
}

} // namespace CommandeAnalyse
