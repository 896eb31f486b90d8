// One live frame of the microphone as the window makes it: the 4096 last samples analysed (FFT,
// pitch, harmonics), turned into the live layer, and the spectrum drawn with it. Also bounds the
// latency from sound to screen: the capture block (Micro::BlocMs, the source's buffer twice that)
// plus the wait for the next frame (Direct::PeriodeMs at worst) plus one frame's work. Run with
// QT_QPA_PLATFORM=offscreen. The processor time of live mode is measured by bench/micro.sh.
#include "mesure.h"

#include "audio/micro.h"
#include "plot/repere.h"
#include "plot/surface.h"
#include "plot/vues.h"
#include "session/direct.h"

#include <QApplication>

#include <cmath>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Surface surface(RepereSpectre, RectangleTwips(48, 408, 13092, 3624).size());
    surface.resize(RectangleTwips(48, 408, 13092, 3624).size());
    VueSpectre vue(surface);
    Direct direct;
    direct.fixeDirect(true);
    int trames = 0;
    QObject::connect(&direct, &Direct::trame, [&](QList<QPointF> points, double) {
        vue.fixeCouche(Couche::Direct, std::move(points));
        vue.dessine();
        ++trames;
    });
    // A 220 Hz sawtooth in blocks of one frame's period: each block gives exactly one frame.
    const int bloc = 44100 * Direct::PeriodeMs / 1000;
    QList<float> echantillons(bloc);
    qint64 n = 0;
    auto suivant = [&] {
        for (float &v : echantillons) {
            const double phase = std::fmod(double(n++) * 220.0 / 44100.0, 1.0);
            v = float(0.5 * (2.0 * phase - 1.0));
        }
    };
    for (int i = 0; i < 4; ++i) {
        suivant();
        direct.recoit(echantillons, 44100);
    }
    suivant();
    const double trame = Banc::Mediane(200, [&] { direct.recoit(echantillons, 44100); });
    Banc::Rapporte("live frame (FFT, pitch, layer, drawing)", trame, "ms", "< 2 ms");
    const double latence = 2.0 * Micro::BlocMs + Direct::PeriodeMs + trame;
    Banc::Rapporte("sound to screen, bound (buffer + frame wait + work)", latence, "ms", "< 60 ms");
    return trames > 0 && trame < 2.0 && latence < 60.0 ? 0 : 1;
}
