// Times an analysed sound reaching the main window: the file read and analysed, the table
// committed (both plots, the marker, test.wav, the original) and the measured spectrum drawn,
// as "Sons d'instruments ▸ Clarinette" does. Run with QT_QPA_PLATFORM=offscreen.
#include "mesure.h"
#include "poste.h"

#include "audio/lecture.h"
#include "session/edition.h"
#include "ui/contexte.h"
#include "ui/menutimbres.h"
#include "ui/synthetiseur.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    Banc::HorsEcran();
    QApplication app(argc, argv);
    Banc::Poste poste;
    QTemporaryDir &dossier = poste.dossier;
    Edition &edition = poste.edition;
    Synthetiseur &fenetre = poste.fenetre;
    QApplication::processEvents();
    // Two notes in turn, so that each run commits a new table; read from regular files.
    QString fichiers[2];
    const char *noms[2] = {"clarinette.flac", "hautbois.flac"};
    for (int k = 0; k < 2; ++k) {
        fichiers[k] = dossier.filePath(QString::fromLatin1(noms[k]));
        if (!QFile::copy(QStringLiteral(":/instruments/") + QString::fromLatin1(noms[k]), fichiers[k]))
            return 1;
    }
    int quel = 0;
    const double ms = Banc::Mediane(41, [&] {
        fenetre.menuTimbres()->analyseFichier(fichiers[quel]);
        QApplication::processEvents();
        quel = 1 - quel;
    });
    if (edition.analyse().points.isEmpty())
        return 1;
    Banc::Rapporte("analyse a sound, commit, overlay drawn", ms, "ms", "< 30 ms");
    return 0;
}
