// Times the plot redraws that follow the mouse and the fine waveform, at device pixel ratios 1
// and 2 and at a zoom of 200 %, and prints medians beside their targets (plus one MEDIAN line each for bench/run).
// Run with QT_QPA_PLATFORM=offscreen.
#include "mesure.h"

#include "plot/frequences.h"
#include "plot/repere.h"
#include "plot/surface.h"
#include "plot/temporel.h"

#include <QApplication>

#include <cstdio>
#include <functional>

namespace {

constexpr int Tours = 200;

// A full table: 440 Hz and its nine next harmonics, amplitudes falling from 10 to 1.
Son TablePleine(float sensibilite)
{
    Son t;
    for (int i = 1; i <= Son::Max; ++i) {
        t.Frequence[i] = static_cast<std::int16_t>(440 * i);
        t.Amplitude[i] = static_cast<float>(11 - i);
    }
    t.ProchaineComposante = 11;
    t.Sensibilite = sensibilite;
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QRect zone = RectangleTwips(48, 408, 13092, 3624);
    bool toutTenu = true;
    std::printf("%-44s %5s %12s %11s  %s\n", "redraw", "ratio", "median (ms)", "target (ms)", "");
    QStringList medianes;
    // At a device pixel ratio of 1 and 2, then zoomed to 200 % on a ratio-1 screen.
    struct Affichage
    {
        qreal ratio;
        double zoom;
    };
    for (const Affichage a : {Affichage{1.0, 1.0}, Affichage{2.0, 1.0}, Affichage{1.0, 2.0}}) {
        const qreal ratio = a.ratio;
        Surface spectre(RepereSpectre, zone.size(), nullptr, ratio);
        Surface temporel(RepereTemporel, zone.size(), nullptr, ratio);
        spectre.FixeZoom(a.zoom);
        temporel.FixeZoom(a.zoom);
        spectre.setFont(QFont(QStringLiteral("Carlito"), 9));

        struct Cas
        {
            const char *nom;
            double cible;
            std::function<void()> action;
        };
        Son grossier = TablePleine(1.0f);
        Son fin = TablePleine(50.0f);
        const Cas cas[] = {
            {"pointer move: spectrum + coarse waveform", 1.0,
             [&] {
                 spectre.Efface();
                 Spectre::QuadrilleSpectre(spectre);
                 Spectre::TraceSpectre(spectre, grossier, false);
                 Temporel::TraceTemporel(temporel, grossier, 1);
             }},
            {"pointer move, frequencies shown", 1.0,
             [&] {
                 spectre.Efface();
                 Spectre::QuadrilleSpectre(spectre);
                 Spectre::TraceSpectre(spectre, grossier, true);
                 Temporel::TraceTemporel(temporel, grossier, 1);
             }},
            {"fine waveform, 10 components, 50 ms/div", 4.0, [&] { Temporel::TraceTemporel(temporel, fin, 2); }},
        };
        for (const Cas &c : cas) {
            const double cible = c.cible * ratio * a.zoom;
            const double mediane = Banc::Mediane(Tours, c.action);
            const bool tenu = mediane < cible;
            toutTenu = toutTenu && tenu;
            std::printf("%-44s %5.0f %12.3f %11.1f  %s%s\n", c.nom, ratio, mediane, cible, tenu ? "ok" : "MISSED",
                        a.zoom == 1.0 ? "" : "  (zoom 200 %)");
            if (a.zoom == 1.0)
                medianes << QStringLiteral("MEDIAN %1, ratio %2 %3 ms")
                                .arg(QLatin1String(c.nom))
                                .arg(ratio)
                                .arg(mediane, 0, 'f', 4);
            else
                medianes << QStringLiteral("MEDIAN %1, zoom %2 % %3 ms")
                                .arg(QLatin1String(c.nom))
                                .arg(qRound(a.zoom * 100))
                                .arg(mediane, 0, 'f', 4);
        }
    }
    for (const QString &ligne : medianes)
        std::printf("%s\n", qPrintable(ligne));
    return toutTenu ? 0 : 1;
}
