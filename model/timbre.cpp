#include "model/timbre.h"

#include <algorithm>
#include <cmath>

namespace Timbres {

std::optional<Defaut> Verifie(const Timbre &t)
{
    using C = Defaut::Code;
    const auto n = t.composantes.size();
    if (n == 0)
        return Defaut{C::AucuneComposante, 0};
    if (n > std::size_t(Son::Max))
        return Defaut{C::TropDeComposantes, 0};
    for (std::size_t i = 0; i < n; ++i) {
        const int numero = int(i) + 1;
        const double f = t.composantes[i].frequence;
        const double a = t.composantes[i].amplitude;
        if (!std::isfinite(f) || f != std::floor(f))
            return Defaut{C::FrequenceNonEntiere, numero};
        if (f < 0.0 || f > FrequenceMaximale)
            return Defaut{C::FrequenceHorsBornes, numero};
        if (numero == 1 && f < 1.0)
            return Defaut{C::FondamentalNul, numero};
        // Written so that NaN fails too.
        if (!(a >= 0.0 && a <= AmplitudeMaximale))
            return Defaut{C::AmplitudeHorsBornes, numero};
    }
    return std::nullopt;
}

bool Applique(const Timbre &t, Son &table)
{
    if (Verifie(t))
        return false;
    const int n = int(t.composantes.size());
    for (int j = 1; j <= Son::Max; ++j) {
        if (j <= n) {
            table.Frequence[j] = static_cast<std::int16_t>(t.composantes[j - 1].frequence);
            table.Amplitude[j] = static_cast<float>(t.composantes[j - 1].amplitude);
        } else {
            table.Frequence[j] = 0;
            table.Amplitude[j] = 0.0f;
        }
    }
    table.ProchaineComposante = static_cast<std::int16_t>(n + 1);
    return true;
}

Timbre DepuisTable(const Son &table, bool multiples)
{
    Timbre t;
    t.multiples = multiples;
    const int n = std::clamp<int>(table.ProchaineComposante - 1, 1, Son::Max);
    for (int j = 1; j <= n; ++j)
        t.composantes.push_back({double(table.Frequence[j]), double(table.Amplitude[j])});
    return t;
}

Timbre Classique(Type type, int f1)
{
    f1 = std::clamp(f1, 1, FrequenceMaximale);
    Timbre t;
    t.multiples = true;
    auto ajoute = [&](int rang, float amplitude) {
        const long long f = std::min<long long>(static_cast<long long>(rang) * f1, FrequenceMaximale);
        t.composantes.push_back({double(f), double(amplitude)});
    };
    switch (type) {
    case Type::SonPur: ajoute(1, 10.0f); break;
    case Type::SignalCarre:
        for (int rang = 1; rang <= 19; rang += 2)
            ajoute(rang, 10.0f / float(rang));
        break;
    case Type::DentDeScie:
        for (int rang = 1; rang <= 10; ++rang)
            ajoute(rang, 10.0f / float(rang));
        break;
    case Type::ImpairsCarres:
        for (int rang = 1; rang <= 19; rang += 2)
            ajoute(rang, 10.0f / float(rang * rang));
        break;
    }
    return t;
}

} // namespace Timbres
