#include "audio/lecteurqt.h"
#include "audio/micro.h"
#include "model/timbre.h"
#include "session/edition.h"
#include "session/lignecommande.h"
#include "synth/analyseson.h"
#include "synth/commandeanalyse.h"
#include "synth/emplacements.h"
#include "synth/langue.h"
#include "synth/timbrefichier.h"
#include "ui/accueil.h"
#include "ui/contexte.h"
#include "ui/loupe.h"
#include "ui/ressources.h"
#include "ui/synthetiseur.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {
// How long after the last window closes the process may still run.
constexpr int FinMaximaleMs = 700;
} // namespace

int main(int argc, char *argv[])
{
    // An interrupted export leaves nothing behind; a file-size limit is a refusal, not a kill.
    Fichier::NettoieSiInterrompu();
    const Langue::Code langue = Langue::DuSysteme();
    std::optional<Timbre> timbre;
    std::optional<AnalyseSon::Resultat> analyse; // a sound named instead of a timbre
    QString fichier;                             // the .timbre file the run starts on
    QString pourquoi;                            // why the file named was refused
    bool sonRefuse = false;                      // that file was a sound's
    {
        // The command line, the timbre's refusal and the export speak the user's language without a
        // display: a core application holds the catalogue until the windows' application takes over.
        int n = argc;
        QCoreApplication noyau(n, argv);
        Langue::Installe(langue);
        const LigneCommande::Resultat ligne =
            LigneCommande::Analyse(LigneCommande::Arguments(argc, argv), QStringLiteral(SONAVIRELLE_VERSION));
        // The listening challenges' commands need no display either.
        if (ligne.defi.commande != LigneDefi::Demande::Commande::Aucune) {
            const LigneDefi::Issue fin = LigneDefi::Execute(ligne.defi);
            return LigneCommande::Termine({false, fin.code, fin.sortie, fin.erreur});
        }
        if (!ligne.demarre)
            return LigneCommande::Termine(ligne);
        // The analysis of a sound, like the export, needs no display nor sound server.
        if (!ligne.analyse.isEmpty()) {
            const auto issue =
                CommandeAnalyse::Execute(ligne.analyse, ligne.debut, ligne.dureeTroncon, ligne.sortieAnalyse);
            return LigneCommande::Termine({false, issue.code, issue.sortie, issue.erreur});
        }

        // A timbre named on the command line is read before anything else, so that a refused file
        // ends the run with its reason before any window or output file exists.
        // A name that a sound has (.wav, .flac...) is analysed; anything else is read as a timbre.
        // Without --exporte, a refused file (a double-click on a damaged one) opens the main window
        // on the default sound with the reason in the message box "Ouvrir…" shows; the line goes
        // to standard error as well, for a terminal.
        LigneCommande::Resultat refus{false, LigneCommande::CodeErreur, {}, {}};
        if (!ligne.timbre.isEmpty() && MenuTimbres::NomDeSon(ligne.timbre)) {
            analyse = AnalyseSon::Analyse(ligne.timbre, ligne.debut, ligne.dureeTroncon, &refus.erreur);
            if (analyse)
                timbre = analyse->timbre;
            else
                sonRefuse = true;
        } else if (!ligne.timbre.isEmpty()) {
            timbre = TimbreFichier::Charge(ligne.timbre, &refus.erreur);
        }
        if (!ligne.timbre.isEmpty() && !timbre) {
            pourquoi = refus.erreur;
            refus.erreur += QLatin1Char('\n');
            if (!ligne.exporte.isEmpty())
                return LigneCommande::Termine(refus);
            LigneCommande::Termine(refus);
        } else if (timbre && !analyse) {
            fichier = ligne.timbre;
        }

        // The export needs neither a display nor a sound server: no windows' application at all.
        if (!ligne.exporte.isEmpty())
            return LigneCommande::Termine(LigneCommande::Exporte(ligne, timbre ? &*timbre : nullptr));
    }

    QApplication app(argc, argv);
    Ressources::InstallePolices();
    // The texts are written in French; the English catalogue replaces them when the system asks for English.
    Langue::Installe(langue);
    QApplication::setApplicationName(QStringLiteral("Sonavirelle"));
    QApplication::setOrganizationName(QStringLiteral("Sonavirelle"));
    QApplication::setApplicationVersion(QStringLiteral(SONAVIRELLE_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icone.svg")));
    // The run ends when its last window closes, whichever that is.
    QApplication::setQuitOnLastWindowClosed(true);
    // ...and within a second of it, whatever the sound server does: the player's and the
    // microphone's threads are waited on briefly, and Qt's own clean-up (its media service's
    // statics, its threads) could still wait on a server that does not answer. Past this, the
    // process ends without it; every file it writes was already replaced whole.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] {
        std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(FinMaximaleMs));
            std::fflush(nullptr);
            std::_Exit(0);
        }).detach();
    });

    const Emplacements emplacements = Emplacements::Choisis(Emplacements::DossierExecutable());

    int code = 0;
    {
        // The session owns the one sound of the run, zero-filled until the main window's start-up sets it.
        LecteurQt lecteur;
        Edition session(lecteur, emplacements.test());
        session.generateur().fixeSecours(emplacements.secours());
        // The zoom: the one remembered, or the largest step below it at which the main window fits the screen.
        Loupe loupe;
        loupe.memorise(true);
        const QScreen *ecran = QGuiApplication::primaryScreen();
        loupe.fixe(
            ecran ? Loupe::PasQuiTient(ecran->availableGeometry().size(), Loupe::TaillePrincipale, Loupe::Memorisee())
                  : Loupe::Memorisee());
        const Contexte contexte{session, &loupe};

        // Windows may outlive one another, so none is owned here; the welcome window deletes itself.
        // A timbre given on the command line skips the welcome window: the main window starts on it.
        if (timbre) {
            auto *principal = new Synthetiseur(contexte, &*timbre);
            if (analyse)
                session.fixeAnalyse(*analyse);
            principal->setAttribute(Qt::WA_DeleteOnClose);
            principal->show();
            if (!fichier.isEmpty())
                principal->menuTimbres()->retientFichier(fichier);
        } else if (!pourquoi.isEmpty()) {
            auto *principal = new Synthetiseur(contexte);
            principal->setAttribute(Qt::WA_DeleteOnClose);
            principal->show();
            // Once the window is up, so that the box stands over it.
            QTimer::singleShot(0, principal, [principal, pourquoi, sonRefuse] {
                if (sonRefuse)
                    principal->menuTimbres()->signaleSonRefuse(pourquoi);
                else
                    principal->menuTimbres()->signaleTimbreRefuse(pourquoi);
            });
        } else {
            auto *accueil = new Accueil(contexte);
            accueil->show();
        }
        code = app.exec();
    }
    // A player or capture thread stuck in the sound server was left behind: the exit must not wait
    // on it either (Qt's own clean-up would join its threads).
    if (LecteurQt::Abandonne() || Micro::Abandonne()) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
