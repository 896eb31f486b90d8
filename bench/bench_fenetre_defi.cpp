// The listening challenge's window on the real main window, with a player that does nothing:
// "Vérifier" on a ten-component table (score, verdicts, the table of scores, the window
// repainted) and "Nouveau défi" while the solution shows (a new challenge drawn, the marks taken
// off the spectrum, the spectrum and the window repainted). Run with QT_QPA_PLATFORM=offscreen.
#include "mesure.h"
#include "poste.h"

#include "../tests/pilote.h"
#include "audio/lecture.h"
#include "session/edition.h"
#include "ui/contexte.h"
#include "ui/defiecoute.h"
#include "ui/synthetiseur.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Tours = 300;

/// Median of `mesure` in milliseconds, the events it posted (the repaints) included; `remet` runs untimed.
double Mediane(const std::function<void()> &mesure, const std::function<void()> &remet)
{
    std::vector<double> durees;
    for (int i = -10; i < Tours; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        mesure();
        QApplication::processEvents();
        const double ms = chrono.nsecsElapsed() / 1e6;
        if (i >= 0)
            durees.push_back(ms);
        remet();
        QApplication::processEvents();
    }
    std::nth_element(durees.begin(), durees.begin() + Tours / 2, durees.end());
    return durees[Tours / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    Banc::HorsEcran();
    QApplication app(argc, argv);
    Banc::Poste poste;
    Synthetiseur &fenetre = poste.fenetre;
    for (int i = 2; i <= Son::Max; ++i)
        Pilote::RelacheSpectre(&fenetre, 1, float(440 * i), float(i - 1));
    fenetre.ouvreDefi();
    DefiEcoute *defi = fenetre.defi();
    QApplication::processEvents();
    auto commande = [defi](const char *nom) { return defi->findChild<QAbstractButton *>(QString::fromUtf8(nom)); };
    defi->choisit(4821, 5);

    // Between two checks the last component goes and comes back (untimed), so that every check
    // shows new verdicts and a new score, and the window is really lettered again.
    bool retire = true;
    const double verifie = Mediane([&] { commande("Verifier")->click(); },
                                   [&] {
                                       if (retire)
                                           Pilote::RelacheSpectre(&fenetre, 2, 0, 5);
                                       else
                                           Pilote::RelacheSpectre(&fenetre, 1, 4400, 9);
                                       retire = !retire;
                                   });
    Banc::Rapporte("Vérifier in the window, with the redraw", verifie, "ms", "< 5 ms");

    const double nouveau = Mediane([&] { commande("Nouveau")->click(); }, [&] { commande("Solution")->click(); });
    Banc::Rapporte("new challenge in the window, marks off the spectrum, with the redraw", nouveau, "ms", "< 5 ms");
    return defi->scores().isEmpty();
}
