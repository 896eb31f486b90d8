#include "synth/export.h"

#include "synth/emplacements.h"
#include "synth/generateur.h"
#include "synth/raisons.h"
#include "synth/timbrefichier.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cmath>
#include <sys/stat.h>

namespace Export {

std::int64_t Repetitions(std::int32_t N, double secondes)
{
    if (N <= 0)
        return 1;
    const double voulus = secondes * Synthese::Frequence_Echantillonnage;
    auto r = static_cast<std::int64_t>(std::ceil(voulus / N));
    // The division may land a hair off a whole count: settle it on exact sample counts.
    while (r > 1 && double(r - 1) * N >= voulus)
        --r;
    while (double(r) * N < voulus)
        ++r;
    return std::max<std::int64_t>(r, 1);
}

bool DureeValide(double secondes, QString *pourquoi)
{
    if (std::isfinite(secondes) && secondes > 0.0 && secondes <= DureeMaximale)
        return true;
    if (pourquoi)
        *pourquoi =
            Raisons::tr("la durée doit être un nombre de secondes supérieur à 0 et d'au plus %1").arg(DureeMaximale);
    return false;
}

bool Ecrit(const Son &table, double secondes, const QString &chemin, QString *pourquoi, double *ecrites)
{
    auto echec = [&](const QString &raison) {
        if (pourquoi)
            *pourquoi = TimbreFichier::Message(chemin, raison);
        return false;
    };
    QString raison;
    if (!DureeValide(secondes, &raison))
        return echec(raison);

    const QString refus = Systeme::RefusEcriture(chemin);
    if (!refus.isEmpty())
        return echec(refus);

    Synthese::Plan plan;
    if (!Synthese::Prepare(table, plan, &raison))
        return echec(Raisons::tr("ce son ne peut pas être calculé (%1)").arg(raison));
    QByteArray boucle;
    if (Synthese::Echantillons(plan, boucle) >= 0)
        return echec(Raisons::tr("ce son ne peut pas être calculé (un échantillon dépasse 16 bits)"));

    const std::int64_t repetitions = Repetitions(plan.N, secondes);
    const std::int64_t total = repetitions * plan.N;
    const auto entete = Synthese::EnTete(static_cast<std::int32_t>(total));
    int numero = 0;
    if (!Fichier::Remplace(chemin, QByteArray(entete.data(), entete.size()), boucle, repetitions, nullptr, &numero))
        return echec(Systeme::Raison(numero));
    if (ecrites)
        *ecrites = double(total) / Synthese::Frequence_Echantillonnage;
    return true;
}

} // namespace Export
