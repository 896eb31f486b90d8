// Synthesis of test.wav: the default sound, the worst case, and sox on the same samples.

#include "mesure.h"

#include "model/composantes.h"
#include "synth/generateur.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dossier;

    Composantes defaut;
    defaut.Frequence[1] = 440;
    defaut.Amplitude[1] = 10.0f;
    Generateur g1(defaut, dossier.filePath("test.wav"));
    Banc::Rapporte("synthesis default 440 Hz (with write)", Banc::Mediane(500, [&] { g1.GenereSon(); }), "ms",
                   "< 0.2 ms");

    // Worst case: a 1 Hz fundamental (441 000 samples) and ten components.
    Composantes pire;
    for (int i = 1; i <= 10; ++i) {
        pire.Frequence[i] = static_cast<std::int16_t>(i);
        pire.Amplitude[i] = 10.0f;
    }
    Generateur g2(pire, dossier.filePath("test.wav"));
    const double nous = Banc::Mediane(9, [&] { g2.GenereSon(); });
    Banc::Rapporte("synthesis worst case 1 Hz x10 (with write)", nous, "ms", "ratio to sox <= 0.5");

    const QString sox = QStandardPaths::findExecutable("sox");
    if (sox.isEmpty()) {
        std::printf("sox not found: ratio not measured\n");
        return 0;
    }
    QStringList arguments{"-n", "-r", "44100", "-b", "16", "-c", "1", dossier.filePath("sox.wav"), "synth", "10"};
    for (int i = 1; i <= 10; ++i)
        arguments << "sin" << QString::number(i);
    const double eux = Banc::Mediane(9, [&] {
        QProcess p;
        p.start(sox, arguments);
        p.waitForFinished(-1);
    });
    Banc::Rapporte("sox, ten sines, 441000 samples", eux, "ms", "reference");
    Banc::Rapporte("synthesis worst case / sox", nous / eux, "x", "<= 0.5");
    return 0;
}
