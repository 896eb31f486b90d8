// Analysing a 10 s, 44.1 kHz WAV from the command line, as a whole process (start, read, analyse,
// print the timbre), against aubiopitch tracking the pitch of the same file, side by side.

#include "mesure.h"

#include "model/son.h"
#include "synth/export.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dossier;
    // A clarinet-like table on 196 Hz, exported for 10 s: 16-bit mono at 44 100 Hz.
    Son table;
    const float amplitudes[] = {10, 0.5f, 7.5f, 0.3f, 4, 0.2f, 2.5f, 0.1f, 1, 0.1f};
    for (int i = 1; i <= 10; ++i) {
        table.Frequence[i] = std::int16_t(196 * i);
        table.Amplitude[i] = amplitudes[i - 1];
    }
    table.ProchaineComposante = 11;
    const QString wav = dossier.filePath("dix-secondes.wav");
    if (!Export::Ecrit(table, 10.0, wav)) {
        std::printf("the WAV cannot be written\n");
        return 1;
    }
    const QString aubio = QStandardPaths::findExecutable(QStringLiteral("aubiopitch"));
    auto lance = [](const QString &programme, const QStringList &arguments) {
        return [=] {
            QProcess p;
            p.setProcessEnvironment([] {
                auto env = QProcessEnvironment::systemEnvironment();
                env.remove(QStringLiteral("DISPLAY"));
                return env;
            }());
            p.start(programme, arguments);
            p.waitForFinished(-1);
            p.readAllStandardOutput();
        };
    };
    const auto nous = lance(QStringLiteral(SONAVIRELLE_PROGRAMME), {QStringLiteral("--analyse"), wav});
    const auto eux = lance(aubio, {QStringLiteral("-i"), wav});
    // Interleaved runs, so that a busy moment of the machine weighs on both alike.
    std::vector<double> a, b;
    nous();
    if (!aubio.isEmpty())
        eux();
    for (int i = 0; i < 15; ++i) {
        a.push_back(Banc::Mediane(1, nous));
        if (!aubio.isEmpty())
            b.push_back(Banc::Mediane(1, eux));
    }
    auto mediane = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    const double m = mediane(a);
    Banc::Rapporte("analysis of a 10 s WAV, whole process", m, "ms", "ratio to aubiopitch <= 0.5");
    if (b.empty()) {
        std::printf("aubiopitch not found (aubio-tools): ratio not measured\n");
        return 0;
    }
    const double r = mediane(b);
    Banc::Rapporte("aubiopitch on the same file", r, "ms", "reference");
    Banc::Rapporte("analysis / aubiopitch", m / r, "x", "<= 0.5");
    return 0;
}
