#include "session/lignedefi.h"

#include "synth/timbrefichier.h"

#include <QCommandLineParser>

namespace {

const QString Programme = QStringLiteral("sonavirelle");

} // namespace

std::optional<int> LigneDefi::Entier(const QString &texte)
{
    // Digits only: no sign, no space, no "0x"; nine at most, so the value fits in an int.
    if (texte.isEmpty() || texte.size() > 9)
        return std::nullopt;
    int v = 0;
    for (const QChar c : texte) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

namespace {

QString RefusNumero(const QString &programme, const QString &texte)
{
    return LigneDefi::tr("%1 : numéro de défi « %2 » : un nombre entier de %3 à %4 est attendu.")
        .arg(programme, texte, QString::number(Defis::NumeroMin), QString::number(Defis::NumeroMax));
}

QString RefusNiveau(const QString &programme, const QString &texte)
{
    return LigneDefi::tr("%1 : niveau « %2 » : un niveau de %3 à %4 est attendu.")
        .arg(programme, texte, QString::number(Defis::NiveauMin), QString::number(Defis::NiveauMax));
}

LigneDefi::Issue Refus(const QString &ligne)
{
    return {LigneDefi::CodeErreur, {}, ligne + QLatin1Char('\n')};
}

} // namespace

QString LigneDefi::Lit(const QCommandLineParser &a, const QString &programme, const QString &essayez, Demande &demande)
{
    const auto present = [&](const char *nom) { return a.isSet(QString::fromLatin1(nom)); };
    const bool defi = present("defi");
    const bool compare = present("compare");
    // --sortie also serves the analysis, which checks it when no challenge is asked for.
    if (present("niveau") && !defi)
        return tr("%1 : « --%2 » ne sert qu'avec « --defi » (%3).").arg(programme, QStringLiteral("niveau"), essayez);
    if (!defi && !compare)
        return {};
    if ((defi && compare) || present("exporte") || present("duree") || present("analyse"))
        return tr("%1 : « --defi », « --compare » et « --exporte » s'emploient seuls (%2).").arg(programme, essayez);

    const QStringList positionnels = a.positionalArguments();
    if (compare) {
        demande.cible = a.value(QStringLiteral("compare"));
        if (demande.cible.isEmpty() || positionnels.size() != 1 || positionnels.first().isEmpty())
            return tr("%1 : « --compare » attend deux fichiers, CIBLE.timbre et ESSAI.timbre (%2).")
                .arg(programme, essayez);
        demande.essai = positionnels.first();
        demande.commande = Demande::Commande::Compare;
        return {};
    }

    if (!positionnels.isEmpty())
        return tr("%1 : argument inattendu « %2 » (%3).").arg(programme, positionnels.first(), essayez);
    const QString numero = a.value(QStringLiteral("defi"));
    const std::optional<int> n = Entier(numero);
    if (!n || !Defis::NumeroValide(*n))
        return RefusNumero(programme, numero);
    if (!present("niveau"))
        return tr("%1 : « --defi » attend « --niveau N » (%2).").arg(programme, essayez);
    const QString niveau = a.value(QStringLiteral("niveau"));
    const std::optional<int> v = Entier(niveau);
    if (!v || !Defis::NiveauValide(*v))
        return RefusNiveau(programme, niveau);
    demande.sortie = a.value(QStringLiteral("sortie"));
    if (demande.sortie.isEmpty())
        return tr("%1 : « --defi » attend « --sortie CIBLE.timbre » (%2).").arg(programme, essayez);
    demande.numero = *n;
    demande.niveau = *v;
    demande.commande = Demande::Commande::Ecrit;
    return {};
}

LigneDefi::Issue LigneDefi::Ecrit(int numero, int niveau, const QString &sortie)
{
    if (!Defis::NumeroValide(numero))
        return Refus(RefusNumero(Programme, QString::number(numero)));
    const std::optional<Defis::Defi> defi = Defis::Genere(numero, niveau);
    if (!defi)
        return Refus(RefusNiveau(Programme, QString::number(niveau)));
    Issue fin;
    if (!TimbreFichier::Enregistre(sortie, Defis::Son(*defi, Fondamental), &fin.erreur))
        return Refus(fin.erreur);
    return fin;
}

LigneDefi::Issue LigneDefi::Compare(const QString &cible, const QString &essai)
{
    QString pourquoi;
    const std::optional<Timbre> defi = TimbreFichier::Charge(cible, &pourquoi);
    if (!defi)
        return Refus(pourquoi);
    const std::optional<Timbre> eleve = TimbreFichier::Charge(essai, &pourquoi);
    if (!eleve)
        return Refus(pourquoi);
    const Defis::Resultat r = Defis::Compare(*defi, *eleve);
    Issue fin;
    fin.sortie = QString::number(r.score) + QLatin1Char('\n');
    for (const Defis::Ligne &l : r.lignes)
        fin.sortie += Texte(l) + QLatin1Char('\n');
    return fin;
}

LigneDefi::Issue LigneDefi::Execute(const Demande &demande)
{
    switch (demande.commande) {
    case Demande::Commande::Ecrit: return Ecrit(demande.numero, demande.niveau, demande.sortie);
    case Demande::Commande::Compare: return Compare(demande.cible, demande.essai);
    case Demande::Commande::Aucune: break;
    }
    return {};
}

QString LigneDefi::Mot(Defis::Verdict verdict)
{
    switch (verdict) {
    case Defis::Verdict::Juste: return tr("juste");
    case Defis::Verdict::TropFort: return tr("trop fort");
    case Defis::Verdict::TropFaible: return tr("trop faible");
    case Defis::Verdict::Manquant: return tr("manquant");
    case Defis::Verdict::EnTrop: return tr("en trop");
    }
    return {};
}

QString LigneDefi::Texte(const Defis::Ligne &ligne)
{
    if (ligne.rang == 0)
        return tr("hors harmoniques : %1").arg(Mot(ligne.verdict));
    return tr("harmonique %1 : %2").arg(QString::number(ligne.rang), Mot(ligne.verdict));
}
