#include "audio/lecteurqt.h"
#include "model/composantes.h"
#include "model/timbre.h"
#include "synth/emplacements.h"
#include "synth/export.h"
#include "synth/generateur.h"
#include "synth/timbrefichier.h"
#include "ui/accueil.h"
#include "ui/contexte.h"
#include "ui/lignecommande.h"
#include "ui/loupe.h"
#include "ui/ressources.h"
#include "ui/synthetiseur.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <optional>

int main(int argc, char *argv[])
{
    // An interrupted export leaves nothing behind; a file-size limit is a French refusal, not a kill.
    Fichier::NettoieSiInterrompu();
    const LigneCommande::Resultat ligne =
        LigneCommande::Analyse(LigneCommande::Arguments(argc, argv), QStringLiteral(SONAVIRELLE_VERSION));
    if (!ligne.demarre)
        return LigneCommande::Termine(ligne);

    // A timbre named on the command line is read before anything else, so that a refused file
    // ends the run with its reason before any window or output file exists.
    std::optional<Timbre> timbre;
    if (!ligne.timbre.isEmpty()) {
        LigneCommande::Resultat refus{false, LigneCommande::CodeErreur, {}, {}};
        timbre = TimbreFichier::Charge(ligne.timbre, &refus.erreur);
        if (!timbre) {
            refus.erreur += QLatin1Char('\n');
            return LigneCommande::Termine(refus);
        }
    }

    // The export needs neither a display nor a sound server: no QApplication at all.
    if (!ligne.exporte.isEmpty()) {
        Composantes table;
        const Timbre son = timbre ? *timbre : Timbre{true, {{440, 10}}};
        Timbres::Applique(son, table);
        LigneCommande::Resultat fin{false, 0, {}, {}};
        if (!Export::Ecrit(table, ligne.duree, ligne.exporte, &fin.erreur)) {
            fin.code = LigneCommande::CodeErreur;
            fin.erreur += QLatin1Char('\n');
        }
        return LigneCommande::Termine(fin);
    }

    QApplication app(argc, argv);
    Ressources::InstallePolices();
    // The texts are written in French; a catalogue for the user's language replaces them when one exists.
    QTranslator traduction;
    if (traduction.load(QLocale(), QStringLiteral("sonavirelle"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QApplication::installTranslator(&traduction);
    QApplication::setApplicationName(QStringLiteral("Sonavirelle"));
    QApplication::setOrganizationName(QStringLiteral("Sonavirelle"));
    QApplication::setApplicationVersion(QStringLiteral(SONAVIRELLE_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icone.svg")));
    // The run ends when its last window closes, whichever that is.
    QApplication::setQuitOnLastWindowClosed(true);

    const Emplacements emplacements = Emplacements::Choisis(Emplacements::DossierExecutable());

    int code = 0;
    {
        // The one sound of the run, zero-filled until the main window's start-up sets it.
        Composantes table;
        LecteurQt lecteur;
        Generateur generateur(table, emplacements.test());
        generateur.fixeSecours(emplacements.secours());
        // The zoom: the one remembered, or the largest step below it at which the main window fits the screen.
        Loupe loupe;
        loupe.memorise(true);
        const QScreen *ecran = QGuiApplication::primaryScreen();
        loupe.fixe(ecran ? Loupe::PasQuiTient(ecran->availableGeometry().size(), Loupe::TaillePrincipale,
                                              Loupe::Memorisee())
                         : Loupe::Memorisee());
        const Contexte contexte{table, generateur, lecteur, &loupe};

        // Windows may outlive one another, so none is owned here; the welcome window deletes itself.
        // A timbre given on the command line skips the welcome window.
        if (timbre) {
            auto *principal = new Synthetiseur(contexte);
            principal->setAttribute(Qt::WA_DeleteOnClose);
            principal->OuvreTimbre(*timbre);
            principal->show();
        } else {
            auto *accueil = new Accueil(contexte);
            accueil->show();
        }
        code = app.exec();
    }
    // A player thread stuck in the sound server was left behind: the exit must not wait on it
    // either (Qt's own clean-up would join its threads).
    if (LecteurQt::Abandonne()) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
