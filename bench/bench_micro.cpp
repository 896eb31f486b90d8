// One live frame of the microphone as the window makes it: a capture block taken in, the 4096
// last samples analysed (FFT, pitch by the FFT's autocorrelation, harmonics), turned into the
// live layer, the spectrum drawn with it and painted to its window. Also bounds the latency from
// sound to screen: the block gathered (Micro::BlocMs) plus the wait for Qt's next read of the
// stream (Micro::FragmentMs) plus one frame's work plus the screen's next refresh (60 Hz). Run with
// QT_QPA_PLATFORM=offscreen. The processor time of live mode over 10 s is bench_micro_direct's.
#include "mesure.h"

#include "analyse/analyse.h"
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
    surface.show();
    QApplication::processEvents();
    VueSpectre vue(surface);
    Direct direct;
    direct.fixeDirect(true);
    int trames = 0;
    double hauteur = 0.0;
    QObject::connect(&direct, &Direct::trame, [&](QList<QPointF> points, double h) {
        vue.fixeCouche(Couche::Direct, std::move(points));
        vue.dessine();
        surface.repaint();
        hauteur = h;
        ++trames;
    });
    // A 220 Hz sawtooth in capture blocks: each block gives one frame.
    const int bloc = 44100 * Micro::BlocMs / 1000;
    QList<float> echantillons(bloc);
    qint64 n = 0;
    auto suivant = [&] {
        for (float &v : echantillons) {
            const double phase = std::fmod(double(n++) * 220.0 / 44100.0, 1.0);
            v = float(0.5 * (2.0 * phase - 1.0));
        }
    };
    auto prend = [&] {
        direct.recoit(echantillons, 44100);
        QCoreApplication::sendPostedEvents(&direct, QEvent::MetaCall);
    };
    for (int i = 0; i * bloc < 2 * Direct::Fenetre; ++i) {
        suivant();
        prend();
    }
    const int avant = trames;
    const double trame = Banc::Mediane(200, prend, suivant);
    const bool justes = trames - avant == 210 && std::abs(hauteur - 220.0) < 1.0;

    // The analysis alone, on the same frame size.
    Analyseur analyseur;
    Mesure mesure;
    std::vector<float> fenetre(Direct::Fenetre);
    for (std::size_t i = 0; i < fenetre.size(); ++i)
        fenetre[i] = float(0.5 * (2.0 * std::fmod(double(i) * 220.0 / 44100.0, 1.0) - 1.0));
    const double analyse =
        Banc::Mediane(200, [&] { analyseur.analyse(fenetre.data(), fenetre.size(), 44100.0, mesure); });

    Banc::Rapporte("live frame (FFT, pitch, layer, drawing)", trame, "ms", "< 2 ms");
    Banc::Rapporte("live frame analysis alone (FFT, pitch, harmonics)", analyse, "ms", "reference");
    const double latence = Micro::BlocMs + Micro::FragmentMs + trame + 1000.0 / 60.0;
    Banc::Rapporte("sound to screen, bound (block + read + work + refresh)", latence, "ms", "< 60 ms");
    return justes && trame < 2.0 && latence < 60.0 ? 0 : 1;
}
