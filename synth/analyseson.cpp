#include "synth/analyseson.h"

#include "analyse/entimbre.h"
#include "synth/langue.h"
#include "synth/raisons.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace {

} // namespace

namespace AnalyseSon {

std::optional<Resultat> Analyse(const QString &chemin, std::optional<double> debut, std::optional<double> duree,
                                QString *pourquoi)
{
    auto son = SonFichier::Charge(chemin, debut, duree, pourquoi);
    if (!son)
        return std::nullopt;
    return Analyse(std::move(*son), chemin, pourquoi);
}

std::optional<Resultat> Analyse(SonFichier::Son son, const QString &chemin, QString *pourquoi)
{
    Resultat r;
    r.mesure = ::Analyse(son.echantillons.data(), son.echantillons.size(), son.frequence);
    const QLocale nombres = Langue::Nombres();
    const auto refuse = [&](const QString &raison) -> std::optional<Resultat> {
        if (pourquoi)
            *pourquoi = TimbreFichier::Message(chemin, raison);
        return std::nullopt;
    };
    const QString troncon = Raisons::tr("de %1 s à %2 s")
                                .arg(nombres.toString(son.troncon.debut, 'f', 2),
                                     nombres.toString(son.troncon.debut + son.troncon.duree, 'f', 2));
    switch (r.mesure.echec) {
    case Mesure::Echec::Aucun: break;
    case Mesure::Echec::PasDeHauteur:
        return refuse(
            Raisons::tr("aucune hauteur n'est trouvée entre 40 et 2000 Hz dans le tronçon %1 (silence ou bruit ?)")
                .arg(troncon));
    case Mesure::Echec::TropCourt:
        if (r.mesure.fondamental > 0.0)
            return refuse(Raisons::tr("le tronçon %1 est trop court : moins de trois périodes du son trouvé (%2 Hz)")
                              .arg(troncon, nombres.toString(r.mesure.fondamental, 'f', 1)));
        return refuse(Raisons::tr("le tronçon %1 est trop court (il faut au moins 50 ms)").arg(troncon));
    }
    r.timbre = EnTimbre(r.mesure);
    if (Timbres::Verifie(r.timbre))
        return refuse(Raisons::tr("le son analysé ne donne pas un timbre utilisable"));
    const auto arrondi = [](double v, double pas) { return std::round(v / pas) * pas; };
    r.origine = {son.nom, arrondi(son.troncon.debut, 0.001), arrondi(son.troncon.duree, 0.001),
                 arrondi(r.mesure.fondamental, 0.01)};
    r.son = std::move(son);
    return r;
}

} // namespace AnalyseSon
