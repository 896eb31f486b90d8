// Times the components' window's amplitude slider on the real main window, ten components at
// 440 Hz, with a player that does nothing: one step of a drag (the table changed, the spectrum and
// the coarse waveform redrawn, the new samples handed to the player) and its release (the fine
// waveform drawn, test.wav written, one undo step). Each measure includes the repaint that follows
// it. Run with QT_QPA_PLATFORM=offscreen.
#include "mesure.h"
#include "poste.h"

#include "audio/lecture.h"
#include "model/son.h"
#include "model/timbre.h"
#include "session/edition.h"
#include "ui/composantes.h"
#include "ui/contexte.h"
#include "ui/synthetiseur.h"

#include <QApplication>
#include <QSlider>
#include <QTemporaryDir>
#include <QUndoStack>

namespace {

constexpr int Tours = 300;

} // namespace

int main(int argc, char *argv[])
{
    Banc::HorsEcran();
    QApplication app(argc, argv);
    Banc::Poste poste;
    Banc::LectureMuette &lecture = poste.lecture;
    Edition &edition = poste.edition;
    Synthetiseur &fenetre = poste.fenetre;
    Timbre t;
    for (int n = 1; n <= Son::Max; ++n)
        t.composantes.push_back({440.0 * n, 10.0 - n + 1});
    if (!edition.ChargeTimbre(t))
        return 1;
    fenetre.ouvreComposantes();
    Composantes *composantes = fenetre.composantes();
    QApplication::processEvents();
    QSlider *curseur = composantes->curseur(5);

    // Steps back and forth between two amplitudes, the handle held.
    curseur->setSliderDown(true);
    bool aller = true;
    const int bascules = lecture.bascules;
    const double pas = Banc::Mediane(
        Tours,
        [&] {
            curseur->setValue(aller ? 37 : 64);
            QApplication::processEvents();
        },
        [&] { aller = !aller; });
    if (lecture.bascules - bascules < Tours || edition.historique().count() != 1) {
        std::fprintf(stderr, "the steps did not reach the player, or were recorded\n");
        return 1;
    }
    Banc::Rapporte("components: slider step, 10 components", pas, "ms", "< 1 ms");

    // A release after one untimed step each time: every release commits a changed table.
    const double lache = Banc::Mediane(
        Tours,
        [&] {
            curseur->setSliderDown(false);
            QApplication::processEvents();
        },
        [&] {
            curseur->setSliderDown(true);
            curseur->setValue(aller ? 37 : 64);
            aller = !aller;
            QApplication::processEvents();
        });
    Banc::Rapporte("components: slider release, 10 components", lache, "ms", "< 5 ms");
    return 0;
}
