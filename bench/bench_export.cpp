// Export of the sound and opening of a timbre: the worst case exported for 60 s against sox making
// as many samples, and a timbre file read, checked and applied to the table.

#include "mesure.h"

#include "model/son.h"
#include "model/timbre.h"
#include "synth/export.h"
#include "synth/timbrefichier.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dossier;

    // Worst case: a 1 Hz fundamental (a 10 s loop of 441 000 samples) and ten components.
    Son pire;
    for (int i = 1; i <= 10; ++i) {
        pire.Frequence[i] = static_cast<std::int16_t>(i);
        pire.Amplitude[i] = 10.0f;
    }
    pire.ProchaineComposante = 11;
    const QString sortie = dossier.filePath("export.wav");
    bool ok = true;
    const double nous = Banc::Mediane(9, [&] { ok = Export::Ecrit(pire, 60.0, sortie) && ok; });
    if (!ok) {
        std::printf("export failed\n");
        return 1;
    }
    Banc::Rapporte("export 60 s worst case 1 Hz x10", nous, "ms", "ratio to sox <= 0.5");

    // Opening a timbre: read, decode, check, apply (the window's redraw is measured with it).
    const QString timbre = dossier.filePath("dix.timbre");
    TimbreFichier::Enregistre(timbre, Timbres::Classique(Timbres::Type::DentDeScie, 131));
    Son table;
    const double ouverture = Banc::Mediane(501, [&] {
        if (auto t = TimbreFichier::Charge(timbre))
            Timbres::Applique(*t, table);
    });
    Banc::Rapporte("open a timbre file and apply it", ouverture, "ms", "< 5 ms with the redraw");

    const double eux = Banc::MedianeSox(dossier.filePath("sox.wav"), 60);
    if (eux < 0) {
        std::printf("sox not found: ratio not measured\n");
        return 0;
    }
    Banc::Rapporte("sox, ten sines, 60 s (2646000 samples)", eux, "ms", "reference");
    Banc::Rapporte("export worst case / sox", nous / eux, "x", "<= 0.5");
    return 0;
}
