// Coverage-guided fuzzing of the .timbre decoder (built by fuzz_timbre.test.sh with libFuzzer and
// the sanitizers). Beyond not crashing, whatever the decoder accepts must be a usable timbre that
// saves and reads back unchanged and fills the table as documented.

#include "model/timbre.h"
#include "synth/timbrefichier.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Echoue(const char *quoi)
{
    std::fprintf(stderr, "fuzz_timbre: %s\n", quoi);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char *>(donnees), qsizetype(taille));
    QString pourquoi;
    const auto timbre = TimbreFichier::Decode(octets, &pourquoi);
    if (!timbre) {
        if (pourquoi.isEmpty() || pourquoi.contains(QLatin1Char('\n')))
            Echoue("a refusal without a one-line reason");
        return 0;
    }
    if (Timbres::Verifie(*timbre))
        Echoue("an accepted timbre breaks a rule");
    const QByteArray texte = TimbreFichier::Encode(*timbre);
    const auto relu = TimbreFichier::Decode(texte, &pourquoi);
    if (!relu)
        Echoue("the saved text of an accepted timbre is refused");
    if (!(*relu == *timbre))
        Echoue("an accepted timbre does not read back equal to itself");
    Son table;
    if (!Timbres::Applique(*timbre, table))
        Echoue("an accepted timbre cannot be applied");
    const auto n = timbre->composantes.size();
    if (std::size_t(table.ProchaineComposante) != n + 1 || table.Frequence[1] < 1)
        Echoue("the table does not hold the timbre");
    for (std::size_t j = n + 1; j <= std::size_t(Son::Max); ++j)
        if (table.Frequence[j] != 0 || table.Amplitude[j] != 0.0f)
            Echoue("a slot past the timbre is not empty");
    if (!(Timbres::DepuisTable(table, timbre->multiples) == *timbre))
        Echoue("the table does not read back as the timbre");
    return 0;
}
