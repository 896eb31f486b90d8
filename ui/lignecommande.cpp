#include "ui/lignecommande.h"

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
    QString valeur; ///< name of the value in the help; empty for a flag
};

// The program's own options, in the order of the help. A new option is one more line here and
// one more field in LigneCommande::Resultat.
const std::vector<Option> &OptionsProgramme()
{
    static const std::vector<Option> options{
        {{QStringLiteral("h"), QStringLiteral("help")}, QT_TRANSLATE_NOOP("LigneCommande", "Affiche cette aide et quitte."), {}},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QT_TRANSLATE_NOOP("LigneCommande", "Affiche le nom et la version du programme et quitte."), {}},
        {{QStringLiteral("exporte")},
         QT_TRANSLATE_NOOP("LigneCommande",
                           "Écrit le son dans le fichier WAV SORTIE, sans ouvrir de fenêtre, et quitte."),
         QStringLiteral("SORTIE")},
        {{QStringLiteral("duree")},
         QT_TRANSLATE_NOOP("LigneCommande", "Durée du son exporté, en secondes (3 par défaut)."),
         QStringLiteral("SECONDES")},
    };
    return options;
}

// QApplication's own options: accepted here, consumed by QApplication, not listed one by one.
const std::vector<Option> &OptionsQt()
{
    static const std::vector<Option> options = [] {
        std::vector<Option> o;
        for (const char *nom : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "style",
                                "stylesheet", "qwindowgeometry", "qwindowtitle", "qwindowicon", "geometry", "session",
                                "name", "title", "visual"})
            o.push_back({{QString::fromLatin1(nom)}, "", QStringLiteral("valeur")});
        for (const char *nom : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
            o.push_back({{QString::fromLatin1(nom)}, "", {}});
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
            analyseur.addOption(QCommandLineOption(o.noms, QString(), o.valeur));

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
            if (!o.valeur.isEmpty())
                gauche += QLatin1Char(' ') + o.valeur;
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
        aide += QLatin1Char('\n')
                + tr("Les options de Qt (-platform, -display, -style...) sont aussi acceptées.") + QLatin1Char('\n');
        r.demarre = false;
        r.sortie = aide;
        return r;
    }
    if (analyseur.isSet(QStringLiteral("version"))) {
        r.demarre = false;
        r.sortie = QStringLiteral("Sonavirelle %1\n").arg(version);
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
    }
    for (const QString &nom : {r.timbre, r.exporte})
        if (!nom.isEmpty() && Inexacts().contains(nom))
            return refuse(tr("%1 : « %2 » : ce nom n'est pas de l'UTF-8 valide ; le programme ne peut pas "
                             "le reprendre exactement et ne l'utilise pas.")
                              .arg(programme, nom));
    if (analyseur.isSet(QStringLiteral("duree"))) {
        const QString texte = analyseur.value(QStringLiteral("duree"));
        if (r.exporte.isEmpty())
            return refuse(tr("%1 : « --duree » ne sert qu'avec « --exporte » (%2).").arg(programme, essayez));
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
    const bool ecrit = std::fputs(r.sortie.toUtf8().constData(), stdout) >= 0 && std::fflush(stdout) == 0
                       && !std::ferror(stdout);
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
