#include "audio/lecteurqt.h"
#include "model/composantes.h"
#include "synth/emplacements.h"
#include "synth/generateur.h"
#include "ui/accueil.h"
#include "ui/contexte.h"
#include "ui/lignecommande.h"
#include "ui/ressources.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    const LigneCommande::Resultat ligne =
        LigneCommande::Analyse(LigneCommande::Arguments(argc, argv), QStringLiteral(SONAVIRELLE_VERSION));
    if (!ligne.demarre)
        return LigneCommande::Termine(ligne);

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

    // The one sound of the run, zero-filled until the main window's start-up sets it.
    Composantes table;
    LecteurQt lecteur;
    Generateur generateur(table, emplacements.test());
    generateur.fixeSecours(emplacements.secours());
    const Contexte contexte{table, generateur, lecteur};

    // Windows may outlive one another, so none is owned here; the welcome window deletes itself.
    auto *accueil = new Accueil(contexte);
    accueil->show();
    return app.exec();
}
