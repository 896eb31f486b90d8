#include "session/lignecommande.h"

#include "model/son.h"
#include "model/timbre.h"
#include "synth/export.h"
#include "synth/timbrefichier.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

// The arguments whose bytes did not survive decoding (see Arguments).
QStringList &Inexacts()
{
    static QStringList liste;
    return liste;
}

// One option of the program. The description is translated when the help is printed.
struct Option
{
    QStringList noms;
    const char *description;
    const char *valeur; ///< name of the value in the help, translated as the description; null for a flag
};

// The program's own options, in the order of the help. A new option is one more line here and
// one more field in LigneCommande::Resultat.
const std::vector<Option> &OptionsProgramme()
{
    static const std::vector<Option> options{
        {{QStringLiteral("h"), QStringLiteral("help")},
         QT_TRANSLATE_NOOP("LigneCommande", "Affiche cette aide et quitte."),
         nullptr},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QT_TRANSLATE_NOOP("LigneCommande", "Affiche le nom et la version du programme et quitte."),
         nullptr},
        {{QStringLiteral("exporte")},
         QT_TRANSLATE_NOOP("LigneCommande",
                           "Écrit le son dans le fichier WAV SORTIE, sans ouvrir de fenêtre, et quitte."),
         QT_TRANSLATE_NOOP("LigneCommande", "SORTIE")},
        {{QStringLiteral("duree")},
         QT_TRANSLATE_NOOP("LigneCommande", "Durée du son exporté, en secondes (3 par défaut), ou du tronçon analysé."),
         QT_TRANSLATE_NOOP("LigneCommande", "SECONDES")},
        {{QStringLiteral("analyse")},
         QT_TRANSLATE_NOOP("LigneCommande",
                           "Analyse le son SON en un timbre, sans ouvrir de fenêtre, l'écrit et quitte."),
         QT_TRANSLATE_NOOP("LigneCommande", "SON")},
        {{QStringLiteral("debut")},
         QT_TRANSLATE_NOOP("LigneCommande",
                           "Début du tronçon analysé, en secondes (par défaut, une partie stable du son)."),
         QT_TRANSLATE_NOOP("LigneCommande", "SECONDES")},
        {{QStringLiteral("sortie")},
         QT_TRANSLATE_NOOP("LigneCommande", "Fichier de timbre écrit par l'analyse (sans lui, la sortie standard) "
                                            "ou par le défi."),
         QT_TRANSLATE_NOOP("LigneCommande", "FICHIER.timbre")},
        {{QStringLiteral("defi")},
         QT_TRANSLATE_NOOP("LigneCommande", "Écrit le défi d'écoute NUMERO (0 à 9999) dans CIBLE.timbre, et quitte."),
         QT_TRANSLATE_NOOP("LigneCommande", "NUMERO")},
        {{QStringLiteral("niveau")}, QT_TRANSLATE_NOOP("LigneCommande", "Niveau du défi, de 1 à 5."), "N"},
        {{QStringLiteral("compare")},
         QT_TRANSLATE_NOOP("LigneCommande", "Affiche le score d'ESSAI face au défi CIBLE, puis un verdict par "
                                            "harmonique, et quitte."),
         QT_TRANSLATE_NOOP("LigneCommande", "CIBLE.timbre ESSAI.timbre")},
    };
    return options;
}

// QApplication's own options: accepted here, consumed by QApplication, not listed one by one.
const std::vector<Option> &OptionsQt()
{
    static const std::vector<Option> options = [] {
        std::vector<Option> o;
        for (const char *nom :
             {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "style", "stylesheet",
              "qwindowgeometry", "qwindowtitle", "qwindowicon", "geometry", "session", "name", "title", "visual"})
            o.push_back({{QString::fromLatin1(nom)}, "", "valeur"});
        for (const char *nom : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
            o.push_back({{QString::fromLatin1(nom)}, "", nullptr});
        return o;
    }();
    return options;
}

QString NomAffiche(const QString &nom)
{
    return (nom.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nom;
}

QString NomProgramme(const QStringList &arguments)
{
    const QString nom = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    return nom.isEmpty() ? QStringLiteral("sonavirelle") : nom;
}

} // namespace

LigneCommande::Resultat LigneCommande::Analyse(const QStringList &arguments, const QString &version)
{
    QCommandLineParser analyseur;
    // Qt's options are single-dash words (-platform xcb); so are ours when written -help.
    analyseur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const auto *liste : {&OptionsProgramme(), &OptionsQt()})
        for (const Option &o : *liste)
            analyseur.addOption(
                QCommandLineOption(o.noms, QString(), o.valeur ? QString::fromUtf8(o.valeur) : QString()));

    const QString programme = NomProgramme(arguments);
    Resultat r;
    const auto refuse = [&](const QString &ligne) {
        r.demarre = false;
        r.code = CodeErreur;
        r.erreur = ligne + QLatin1Char('\n');
        return r;
    };
    const QString essayez = tr("« %1 --help » donne la liste des options").arg(programme);

    if (!analyseur.parse(arguments.isEmpty() ? QStringList{programme} : arguments)) {
        if (!analyseur.unknownOptionNames().isEmpty())
            return refuse(tr("%1 : option inconnue « %2 » (%3).")
                              .arg(programme, NomAffiche(analyseur.unknownOptionNames().first()), essayez));
        // The only other failure of the parser is an option whose value is missing.
        return refuse(tr("%1 : valeur manquante après « %2 » (%3).").arg(programme, arguments.last(), essayez));
    }
    // One timbre file at most: the sound to start with, or to export.
    if (analyseur.positionalArguments().size() > 1)
        return refuse(
            tr("%1 : argument inattendu « %2 » (%3).").arg(programme, analyseur.positionalArguments().at(1), essayez));

    if (analyseur.isSet(QStringLiteral("help"))) {
        QStringList colonne;
        qsizetype largeur = 0;
        for (const Option &o : OptionsProgramme()) {
            QStringList noms;
            for (const QString &n : o.noms)
                noms << NomAffiche(n);
            QString gauche = noms.join(QStringLiteral(", "));
            if (o.valeur)
                gauche += QLatin1Char(' ') + tr(o.valeur);
            colonne << gauche;
            largeur = std::max(largeur, gauche.size());
        }
        QString aide = tr("Usage : %1 [OPTION]... [FICHIER.timbre]").arg(programme) + QLatin1Char('\n')
                       + tr("Fait comprendre le timbre d'un son musical : un son périodique d'au plus dix composantes\n"
                            "sinusoïdales, son spectre et sa forme d'onde côte à côte, joué en boucle.")
                       + QLatin1Char('\n')
                       + tr("Avec un FICHIER.timbre, la fenêtre principale s'ouvre directement sur ce son.")
                       + QStringLiteral("\n\n") + tr("Options :") + QLatin1Char('\n');
        for (std::size_t i = 0; i < OptionsProgramme().size(); ++i)
            aide += QStringLiteral("  ") + colonne[qsizetype(i)].leftJustified(largeur + 2)
                    + tr(OptionsProgramme()[i].description) + QLatin1Char('\n');
        aide += QLatin1Char('\n') + tr("Les options de Qt (-platform, -display, -style...) sont aussi acceptées.")
                + QLatin1Char('\n');
        r.demarre = false;
        r.sortie = aide;
        return r;
    }
    if (analyseur.isSet(QStringLiteral("version"))) {
        r.demarre = false;
        r.sortie = QStringLiteral("Sonavirelle %1\n").arg(version);
        return r;
    }
    // A name whose bytes did not survive decoding would name another file: refused, whichever command takes it.
    QStringList noms = analyseur.positionalArguments();
    for (const char *option : {"exporte", "analyse", "sortie", "compare"})
        if (analyseur.isSet(QString::fromLatin1(option)))
            noms << analyseur.value(QString::fromLatin1(option));
    for (const QString &nom : noms)
        if (!nom.isEmpty() && Inexacts().contains(nom))
            return refuse(tr("%1 : « %2 » : ce nom n'est pas de l'UTF-8 valide ; le programme ne peut pas "
                             "le reprendre exactement et ne l'utilise pas.")
                              .arg(programme, nom));
    // The listening challenges' commands read their own options.
    if (const QString refus = LigneDefi::Lit(analyseur, programme, essayez, r.defi); !refus.isEmpty())
        return refuse(refus);
    if (r.defi.commande != LigneDefi::Demande::Commande::Aucune) {
        r.demarre = false;
        return r;
    }
    if (!analyseur.positionalArguments().isEmpty())
        r.timbre = analyseur.positionalArguments().first();
    if (analyseur.isSet(QStringLiteral("exporte"))) {
        r.exporte = analyseur.value(QStringLiteral("exporte"));
        if (r.exporte.isEmpty())
            return refuse(tr("%1 : « --exporte » attend le nom d'un fichier WAV (%2).").arg(programme, essayez));
        // "--exporte --duree 3" would otherwise write a file named "--duree".
        if (r.exporte.startsWith(QLatin1Char('-')))
            return refuse(tr("%1 : « --exporte » attend le nom d'un fichier WAV, pas l'option « %2 » (%3).")
                              .arg(programme, r.exporte, essayez));
        // Only a WAV is written: a name promising another format would lie about the file.
        if (!r.exporte.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
            return refuse(tr("%1 : « --exporte %2 » : le nom du fichier doit finir par « .wav » (le son est "
                             "écrit en WAV).")
                              .arg(programme, r.exporte));
    }
    // The analysis of a sound has options of its own; its values are checked with the file.
    const auto secondes = [&](const QString &nom, std::optional<double> &valeur) -> bool {
        if (!analyseur.isSet(nom))
            return true;
        const QString texte = analyseur.value(nom);
        bool ok = false;
        double d = texte.toDouble(&ok);
        if (!ok)
            d = QLocale(QLocale::French).toDouble(texte, &ok);
        if (ok)
            valeur = d;
        return ok;
    };
    if (analyseur.isSet(QStringLiteral("analyse"))) {
        r.analyse = analyseur.value(QStringLiteral("analyse"));
        if (r.analyse.isEmpty())
            return refuse(tr("%1 : « --analyse » attend le nom d'un fichier son (%2).").arg(programme, essayez));
        if (!r.exporte.isEmpty() || !r.timbre.isEmpty())
            return refuse(tr("%1 : « --analyse » ne va ni avec « --exporte » ni avec un fichier de timbre (%2).")
                              .arg(programme, essayez));
        for (const QString &nom : {QStringLiteral("debut"), QStringLiteral("duree")})
            if (!secondes(nom, nom == QLatin1String("debut") ? r.debut : r.dureeTroncon))
                return refuse(tr("%1 : « --%2 %3 » : ce n'est pas un nombre de secondes.")
                                  .arg(programme, nom, analyseur.value(nom)));
        r.sortieAnalyse = analyseur.value(QStringLiteral("sortie"));
        return r;
    }
    if (analyseur.isSet(QStringLiteral("debut")))
        return refuse(
            tr("%1 : « --%2 » ne sert qu'avec « --analyse » (%3).").arg(programme, QStringLiteral("debut"), essayez));
    if (analyseur.isSet(QStringLiteral("sortie")))
        return refuse(
            tr("%1 : « --sortie » ne sert qu'avec « --analyse » ou « --defi » (%2).").arg(programme, essayez));
    if (analyseur.isSet(QStringLiteral("duree"))) {
        const QString texte = analyseur.value(QStringLiteral("duree"));
        if (r.exporte.isEmpty())
            return refuse(
                tr("%1 : « --duree » ne sert qu'avec « --exporte » ou « --analyse » (%2).").arg(programme, essayez));
        bool ok = false;
        // Both the C and the French decimal separator are accepted.
        double d = texte.toDouble(&ok);
        if (!ok)
            d = QLocale(QLocale::French).toDouble(texte, &ok);
        QString pourquoi;
        if (!ok)
            return refuse(tr("%1 : durée « %2 » : ce n'est pas un nombre de secondes.").arg(programme, texte));
        if (!Export::DureeValide(d, &pourquoi))
            return refuse(tr("%1 : durée « %2 » : %3").arg(programme, texte, pourquoi));
        r.duree = d;
    }
    return r;
}

LigneCommande::Resultat LigneCommande::Exporte(const Resultat &r, const Timbre *timbre)
{
    Son son;
    Timbres::Applique(timbre ? *timbre : Timbre{true, {{440, 10}}}, son);
    Resultat fin{false, 0, {}, {}};
    if (!Export::Ecrit(son, r.duree, r.exporte, &fin.erreur)) {
        fin.code = CodeErreur;
        fin.erreur += QLatin1Char('\n');
    }
    return fin;
}

QStringList LigneCommande::Arguments(int argc, char *argv[])
{
    QStringList liste;
    Inexacts().clear();
    for (int i = 0; i < argc; ++i) {
        const QByteArray brut(argv[i]);
        liste << QFile::decodeName(brut);
        // Decoding replaces bytes that are not UTF-8: such a name would name another file.
        if (QFile::encodeName(liste.last()) != brut)
            Inexacts() << liste.last();
    }
    return liste;
}

int LigneCommande::Termine(const Resultat &r)
{
    errno = 0;
    const bool ecrit =
        std::fputs(r.sortie.toUtf8().constData(), stdout) >= 0 && std::fflush(stdout) == 0 && !std::ferror(stdout);
    const int numero = errno;
    std::fputs(r.erreur.toUtf8().constData(), stderr);
    if (!ecrit && !r.sortie.isEmpty()) {
        std::fputs(tr("sonavirelle : la sortie standard n'a pas pu être écrite (%1).\n")
                       .arg(Systeme::Raison(numero))
                       .toUtf8()
                       .constData(),
                   stderr);
        return r.code == 0 ? 1 : r.code;
    }
    return r.code;
}
