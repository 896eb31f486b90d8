// Edit to playing: from the return of GenereSon (sound on, the real player behind it) to the
// player reporting that the first samples of the new sound have reached the audio output.
// Needs a sound server: bench/lecture.sh starts a private PulseAudio with a null sink and runs
// this program against it. Prints one MEDIAN line for bench/run.
// Then, when bench/lecture.sh names the server's PID (SONAVIRELLE_BANC_SERVEUR_PID): the server is
// stopped (SIGSTOP) and the longest time any edit, sound switch or turn of the event loop took
// meanwhile is reported: with the player on its own thread, a stalled server costs the window nothing.

#include "mesure.h"

#include "audio/lecteurqt.h"
#include "model/son.h"
#include "synth/generateur.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

namespace {

constexpr int Editions = 31;
constexpr int EcouteMs = 60; ///< the sound plays this long between two edits

void Attends(int ms)
{
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
}

double Quantile(std::vector<double> v, double q)
{
    const size_t i = std::min(v.size() - 1, size_t(q * double(v.size())));
    std::nth_element(v.begin(), v.begin() + i, v.end());
    return v[i];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
    if (sortie.isNull()) {
        std::printf("no audio output: edit to playing not measured (run bench/lecture.sh)\n");
        return 1;
    }

    QTemporaryDir dossier;
    Son table;
    table.Frequence[1] = 440;
    table.Amplitude[1] = 10.0f;
    table.ProchaineComposante = 2;
    table.SonActif = true;
    LecteurQt lecteur;
    Generateur generateur(table, dossier.filePath("test.wav"));
    // An edit as the program commits it: the samples handed to the player, then played (sound is on).
    auto genere = [&] {
        generateur.GenereSon();
        if (generateur.sonNeuf()) {
            lecteur.FixeSon(generateur.echantillons());
            lecteur.JoueSon();
        }
    };

    QElapsedTimer horloge;
    horloge.start();
    qint64 joueA = -1;
    QObject::connect(&lecteur, &LecteurQt::joue, [&] { joueA = horloge.nsecsElapsed(); });

    // Waits for joue() after an edit; false when it never comes.
    auto attendsJoue = [&] {
        QEventLoop boucle;
        QTimer delai;
        delai.setSingleShot(true);
        QObject::connect(&lecteur, &LecteurQt::joue, &boucle, &QEventLoop::quit);
        QObject::connect(&delai, &QTimer::timeout, &boucle, &QEventLoop::quit);
        delai.start(2000);
        if (joueA < 0)
            boucle.exec();
        return joueA >= 0;
    };

    // Warm-up: the first stream also opens the connection to the server.
    genere();
    attendsJoue();
    Attends(200);

    std::vector<double> depuisRetour, depuisAppel, synthese;
    int perdues = 0;
    for (int i = 0; i < Editions; ++i) {
        // Alternate between adding a harmonic and moving the fundamental, as a user would.
        if (i % 2 == 0) {
            table.Frequence[2] = std::int16_t(2 * table.Frequence[1]);
            table.Amplitude[2] = 5.0f;
            table.ProchaineComposante = 3;
        } else {
            table.Frequence[1] = std::int16_t(i % 4 == 1 ? 330 : 440);
            table.Amplitude[2] = 0.0f;
            table.ProchaineComposante = 2;
        }
        joueA = -1;
        const qint64 appel = horloge.nsecsElapsed();
        genere();
        const qint64 retour = horloge.nsecsElapsed();
        if (!attendsJoue()) {
            ++perdues;
            continue;
        }
        depuisRetour.push_back((joueA - retour) / 1e6);
        depuisAppel.push_back((joueA - appel) / 1e6);
        synthese.push_back((retour - appel) / 1e6);
        Attends(EcouteMs);
    }
    lecteur.CoupeSon();

    // The stalled server.
    const qint64 serveur = qEnvironmentVariable("SONAVIRELLE_BANC_SERVEUR_PID").toLongLong();
    double pireFige = -1;
    if (serveur > 0) {
        lecteur.JoueSon();
        attendsJoue();
        ::kill(pid_t(serveur), SIGSTOP);
        qint64 pire = 0;
        qint64 pires[4] = {}; // edit, mute, play, event-loop turn
        auto mesure = [&](int genre, const std::function<void()> &action) {
            QElapsedTimer chrono;
            chrono.start();
            action();
            pires[genre] = std::max(pires[genre], chrono.nsecsElapsed());
            pire = std::max(pire, chrono.nsecsElapsed());
        };
        for (int i = 0; i < 10; ++i) {
            mesure(0, [&] {
                table.Frequence[1] = std::int16_t(i % 2 ? 330 : 440);
                genere();
            });
            mesure(1, [&] { lecteur.CoupeSon(); });
            mesure(2, [&] { lecteur.JoueSon(); });
            // The event loop keeps turning: the longest turn counts too.
            QElapsedTimer tour;
            tour.start();
            while (tour.elapsed() < 50)
                mesure(3, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); });
        }
        ::kill(pid_t(serveur), SIGCONT);
        joueA = -1;
        const bool revenu = attendsJoue();
        pireFige = pire / 1e6;
        std::printf("server stopped: longest call %.3f ms (edit %.3f, mute %.3f, play %.3f, event-loop turn %.3f); "
                    "sound %s after it resumed\n",
                    pireFige, pires[0] / 1e6, pires[1] / 1e6, pires[2] / 1e6, pires[3] / 1e6,
                    revenu ? "back" : "NOT back");
        lecteur.CoupeSon();
    }

    std::printf("output: %s; %d edits, %d never reported playing\n", qUtf8Printable(sortie.description()), Editions,
                perdues);
    if (depuisRetour.empty())
        return 1;
    std::printf("%-44s %10.3f ms   90th percentile %.3f ms, worst %.3f ms\n", "GenereSon return to joue()",
                Quantile(depuisRetour, 0.5), Quantile(depuisRetour, 0.9),
                *std::max_element(depuisRetour.begin(), depuisRetour.end()));
    std::printf("%-44s %10.3f ms\n", "GenereSon call to joue()", Quantile(depuisAppel, 0.5));
    std::printf("%-44s %10.3f ms\n", "GenereSon itself (synthesis, write, JoueSon)", Quantile(synthese, 0.5));
    Banc::Rapporte("edit to playing", Quantile(depuisRetour, 0.5), "ms", "< 20 ms");
    if (pireFige >= 0)
        Banc::Rapporte("longest handler, server stopped", pireFige, "ms", "< 16.7 ms, one frame");
    return perdues == 0 ? 0 : 1;
}
