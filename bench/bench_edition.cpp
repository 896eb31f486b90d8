// Times the two edits that follow the hand, on the real main window with a player that does
// nothing: one drag step of the fundamental (spectrum and coarse waveform redrawn, ten components)
// and one click that commits a component (fine waveform drawn, test.wav written). Each measure
// includes the repaint that follows it. Opening a ten-component timbre file and an undo are
// commits too, timed the same way. Run with QT_QPA_PLATFORM=offscreen.
#include "mesure.h"
#include "poste.h"

#include "../tests/pilote.h"
#include "audio/lecture.h"
#include "model/son.h"
#include "model/timbre.h"
#include "session/edition.h"
#include "synth/generateur.h"
#include "synth/timbrefichier.h"
#include "ui/contexte.h"
#include "ui/loupe.h"
#include "ui/synthetiseur.h"

#include <QApplication>
#include <QTemporaryDir>

namespace {

constexpr int Tours = 300;

} // namespace

int main(int argc, char *argv[])
{
    Banc::HorsEcran();
    QApplication app(argc, argv);
    Banc::Poste poste;
    QTemporaryDir &dossier = poste.dossier;
    Edition &edition = poste.edition;
    Synthetiseur &fenetre = poste.fenetre;
    const Son &table = edition.son();
    QApplication::processEvents();

    // The start-up leaves 440 Hz alone; nine harmonics are added by clicks, amplitudes 9 down to 1.
    for (int i = 2; i <= Son::Max; ++i)
        Pilote::RelacheSpectre(&fenetre, 1, float(440 * i), float(i - 1));
    if (table.ProchaineComposante != Son::Max + 1) {
        std::fprintf(stderr, "the table did not fill up: %d components\n", table.ProchaineComposante - 1);
        return 1;
    }

    // Drag steps back and forth: every harmonic keeps its number, so the table does not drift.
    bool aller = true;
    const double glisse = Banc::Mediane(
        Tours,
        [&] {
            Pilote::GlisseFondamental(&fenetre, aller ? 452.3f : 440.0f, 5.0f, 2);
            QApplication::processEvents();
        },
        [&] { aller = !aller; });
    Banc::Rapporte("drag step, 10 components", glisse, "ms", "< 1 ms");
    Pilote::GlisseFondamental(&fenetre, 440.0f, 5.0f, 2);
    Pilote::LacheFondamental(&fenetre);

    // The tenth component is committed, then removed untimed.
    const auto retire = [&] {
        Pilote::RelacheSpectre(&fenetre, 2, 0.0f, 5.0f);
        QApplication::processEvents();
    };
    retire();
    const auto ajoute = [&] {
        Pilote::RelacheSpectre(&fenetre, 1, 4400.0f, 5.0f);
        QApplication::processEvents();
    };
    Banc::Rapporte("click commit, 1 ms/div", Banc::Mediane(Tours, ajoute, retire), "ms", "< 5 ms");
    Pilote::ChoisitBase(&fenetre, 8);
    Banc::Rapporte("click commit, 50 ms/div", Banc::Mediane(Tours, ajoute, retire), "ms", "< 5 ms");

    // Two ten-component files opened in turn: each open reads, checks and commits a new table.
    QString fichiers[2];
    for (int k = 0; k < 2; ++k) {
        Timbre t;
        for (int n = 1; n <= Son::Max; ++n)
            t.composantes.push_back({double((220 + 110 * k) * n), 10.0 / n});
        fichiers[k] = dossier.filePath(QStringLiteral("t%1.timbre").arg(k));
        if (!TimbreFichier::Enregistre(fichiers[k], t))
            return 1;
    }
    int quel = 0;
    Banc::Rapporte("open a timbre file, 10 components",
                   Banc::Mediane(
                       Tours,
                       [&] {
                           fenetre.OuvreFichier(fichiers[quel]);
                           QApplication::processEvents();
                       },
                       [&] { quel = 1 - quel; }),
                   "ms", "< 5 ms");
    // The last open undone, then redone untimed.
    Banc::Rapporte("undo, 10 components",
                   Banc::Mediane(
                       Tours,
                       [&] {
                           fenetre.edition().Annule();
                           QApplication::processEvents();
                       },
                       [&] { fenetre.edition().Retablit(); }),
                   "ms", "< 5 ms");

    // The same hand-following edits at 200 %, as on a projector: four times the pixels to fill.
    fenetre.loupe().fixe(200);
    QApplication::processEvents();
    Pilote::ChoisitBase(&fenetre, 3);
    const double glisse200 = Banc::Mediane(
        Tours,
        [&] {
            Pilote::GlisseFondamental(&fenetre, aller ? 452.3f : 440.0f, 5.0f, 2);
            QApplication::processEvents();
        },
        [&] { aller = !aller; });
    Banc::Rapporte("drag step, 10 components, zoom 200 %", glisse200, "ms", "< 2 ms");
    Pilote::GlisseFondamental(&fenetre, 440.0f, 5.0f, 2);
    Pilote::LacheFondamental(&fenetre);
    retire();
    Banc::Rapporte("click commit, 1 ms/div, zoom 200 %", Banc::Mediane(Tours, ajoute, retire), "ms", "< 8 ms");
    Pilote::ChoisitBase(&fenetre, 8);
    Banc::Rapporte("click commit, 50 ms/div, zoom 200 %", Banc::Mediane(Tours, ajoute, retire), "ms", "< 8 ms");

    // A zoom step: every element placed, lettered and drawn again, both plots redrawn, the window repainted.
    bool petit = true;
    Banc::Rapporte("zoom change 175 % <-> 200 %, main window",
                   Banc::Mediane(
                       Tours,
                       [&] {
                           fenetre.loupe().fixe(petit ? 175 : 200);
                           QApplication::processEvents();
                       },
                       [&] { petit = !petit; }),
                   "ms", "< 50 ms");
    return 0;
}
