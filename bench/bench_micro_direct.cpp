// The processor time of live mode over 10 s: the main window listening live ("Micro ▸ Écouter en
// direct"), its capture thread reading the sound server, each block analysed and drawn, with
// getrusage around 10 s of it. bench/run feeds a PulseAudio pipe source with a 220 Hz sawtooth
// in real time (10 ms writes) and names it in SONAVIRELLE_BANC_MICRO: then the whole path runs,
// from the server's stream to the painted window. Without it the blocks are made here, at the
// capture's pace, and go through the same analysis and drawing (the capture thread's share is then
// not counted: the line says so). The same 10 s with the window open and live mode off are the
// reference. Run with QT_QPA_PLATFORM=offscreen.
#include "mesure.h"
#include "poste.h"

#include "audio/micro.h"
#include "session/direct.h"
#include "session/edition.h"
#include "ui/contexte.h"
#include "ui/menumicro.h"
#include "ui/synthetiseur.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <memory>

#include <sys/resource.h>

namespace {

double Processeur()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + 1e-6 * double(r.ru_utime.tv_usec + r.ru_stime.tv_usec);
}

// Percent of one core used by the whole process while the event loop runs for `ms`.
double Charge(int ms)
{
    QElapsedTimer chrono;
    const double avant = Processeur();
    chrono.start();
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
    return 100.0 * (Processeur() - avant) / (double(chrono.nsecsElapsed()) / 1e9);
}

void Attends(int ms)
{
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    Banc::HorsEcran();
    QApplication app(argc, argv);
    Banc::Poste poste;
    Synthetiseur &fenetre = poste.fenetre;
    Attends(500);
    const double repos = Charge(10000);

    MenuMicro &menu = *fenetre.menuMicro();
    Direct *direct = menu.findChild<Direct *>();
    if (!direct)
        return 1;
    int trames = 0;
    double hauteur = 0.0;
    QObject::connect(direct, &Direct::trame, [&](const QList<QPointF> &, double h) {
        ++trames;
        hauteur = h;
    });
    const auto juste = [&] { return std::abs(hauteur - 220.0) < 1.0; };
    const bool reel = !qEnvironmentVariableIsEmpty("SONAVIRELLE_BANC_MICRO");
    QTimer generateur;
    if (reel) {
        menu.micro().choisit(qEnvironmentVariable("SONAVIRELLE_BANC_MICRO").toUtf8());
    } else {
        // Blocks of a 220 Hz sawtooth at the capture's pace, as Micro::bloc hands them.
        generateur.setTimerType(Qt::PreciseTimer);
        generateur.setInterval(Micro::BlocMs);
        auto n = std::make_shared<qint64>(0);
        QObject::connect(&generateur, &QTimer::timeout, direct, [direct, n] {
            QList<float> bloc(44100 * Micro::BlocMs / 1000);
            for (float &v : bloc)
                v = float(0.5 * (2.0 * std::fmod(double((*n)++) * 220.0 / 44100.0, 1.0) - 1.0));
            direct->recoit(bloc, 44100);
        });
    }
    menu.direct()->trigger();
    if (!reel) {
        generateur.start();
    }
    // Until the pitch shows (the input opened, the first frames made).
    QElapsedTimer attente;
    attente.start();
    while (!juste() && attente.elapsed() < 10000)
        Attends(100);
    if (!juste()) {
        std::fprintf(stderr, "no live pitch of 220 Hz: %g\n", hauteur);
        return 1;
    }
    Attends(500);
    trames = 0;
    const double direct10 = Charge(10000);
    const double parSeconde = trames / 10.0;
    const bool encore = juste();
    menu.direct()->trigger();

    std::printf("%s\n", reel ? "live mode fed by the sound server's pipe source"
                             : "no pipe source: blocks made in the process, the capture thread not counted");
    Banc::Rapporte("live mode, processor time over 10 s", direct10, "%", "< 10 %");
    Banc::Rapporte("same window, live mode off, over 10 s", repos, "%", "reference");
    Banc::Rapporte("live frames a second", parSeconde, "/s", ">= 20");
    return encore && parSeconde >= 20.0 && direct10 < 10.0 ? 0 : 1;
}
