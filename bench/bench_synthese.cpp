// Synthesis of test.wav: the default sound, the worst case, and sox on the same samples.

#include "mesure.h"

#include "model/son.h"
#include "synth/generateur.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dossier;

    Son defaut;
    defaut.Frequence[1] = 440;
    defaut.Amplitude[1] = 10.0f;
    Generateur g1(defaut, dossier.filePath("test.wav"));
    Banc::Rapporte("synthesis default 440 Hz (with write)", Banc::Mediane(500, [&] { g1.GenereSon(); }), "ms",
                   "< 0.2 ms");

    // Worst case: a 1 Hz fundamental (441 000 samples) and ten components.
    Son pire;
    for (int i = 1; i <= 10; ++i) {
        pire.Frequence[i] = static_cast<std::int16_t>(i);
        pire.Amplitude[i] = 10.0f;
    }
    Generateur g2(pire, dossier.filePath("test.wav"));
    const double nous = Banc::Mediane(9, [&] { g2.GenereSon(); });
    Banc::Rapporte("synthesis worst case 1 Hz x10 (with write)", nous, "ms", "ratio to sox <= 0.5");

    const double eux = Banc::MedianeSox(dossier.filePath("sox.wav"), 10);
    if (eux < 0) {
        std::printf("sox not found: ratio not measured\n");
        return 0;
    }
    Banc::Rapporte("sox, ten sines, 441000 samples", eux, "ms", "reference");
    Banc::Rapporte("synthesis worst case / sox", nous / eux, "x", "<= 0.5");
    return 0;
}
