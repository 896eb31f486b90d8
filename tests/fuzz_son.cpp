// Coverage-guided fuzzing of the sound reader and the analysis behind it (built by fuzz_son.test.sh
// with libFuzzer and the sanitizers). Each input is a file's bytes, read through a regular file
// as the program reads any sound; beyond not crashing, a refusal must be one line naming the
// file, and an accepted sound must give a timbre the table can hold.

#include "model/timbre.h"
#include "synth/analyseson.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void Echoue(const char *quoi)
{
    std::fprintf(stderr, "fuzz_son: %s\n", quoi);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    // A memory file: regular, as a file on disk, and gone when closed.
    const int fd = ::memfd_create("fuzz_son", MFD_CLOEXEC);
    if (fd < 0)
        Echoue("no memory file");
    if (taille > 0 && ::write(fd, donnees, taille) != ssize_t(taille))
        Echoue("the memory file cannot be written");
    const QString chemin = QStringLiteral("/proc/self/fd/%1").arg(fd);
    // The first byte picks a stretch too, so that seeking is fuzzed as well as the default rule.
    std::optional<double> debut, duree;
    if (taille > 0 && (donnees[0] & 1)) {
        debut = double(donnees[0] >> 4) * 0.01;
        duree = 0.05 + double((donnees[0] >> 1) & 7) * 0.02;
    }
    QString pourquoi;
    const auto r = AnalyseSon::Analyse(chemin, debut, duree, &pourquoi);
    ::close(fd);
    if (!r) {
        if (!pourquoi.startsWith(QStringLiteral("« ") + chemin) || pourquoi.contains(QLatin1Char('\n')))
            Echoue("a refusal without a one-line reason naming the file");
        return 0;
    }
    if (Timbres::Verifie(r->timbre))
        Echoue("an analysed sound gives a timbre that breaks a rule");
    if (r->timbre.composantes.front().frequence < 40 || r->timbre.composantes.front().frequence > 2000 * 1.01 + 1)
        Echoue("a fundamental outside 40..2000 Hz");
    if (r->son.echantillons.empty() || r->mesure.spectre.amplitudes.empty())
        Echoue("an analysis without samples or spectrum");
    const QByteArray texte = TimbreFichier::Encode(r->timbre, r->origine);
    const auto relu = TimbreFichier::Decode(texte);
    if (!relu || !(*relu == r->timbre) || !TimbreFichier::DecodeOrigine(texte))
        Echoue("an analysed timbre does not save and read back");
    return 0;
}
