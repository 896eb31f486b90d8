#include "analyse/entimbre.h"

#include <algorithm>
#include <cmath>

Timbre EnTimbre(const Mesure &mesure)
{
    Timbre timbre;
    timbre.multiples = true;
    const double f1 = std::nearbyint(std::clamp(mesure.fondamental, 1.0, double(Timbres::FrequenceMaximale)));
    const double nyquist = mesure.frequenceEchantillonnage / 2.0;
    auto garde = [&](int k) { return k == 1 || (k * f1 < nyquist && k * f1 <= Timbres::FrequenceMaximale); };
    double plus = 0.0;
    for (int k = 1; k <= Mesure::Harmoniques; ++k)
        if (garde(k) && std::isfinite(mesure.amplitudes[std::size_t(k - 1)]))
            plus = std::max(plus, mesure.amplitudes[std::size_t(k - 1)]);
    for (int k = 1; k <= Mesure::Harmoniques; ++k) {
        if (!garde(k))
            continue;
        const double a = mesure.amplitudes[std::size_t(k - 1)];
        const double relative =
            plus > 0.0 && std::isfinite(a) ? std::clamp(a / plus, 0.0, 1.0) * Timbres::AmplitudeMaximale : 0.0;
        const double arrondie = std::nearbyint(relative * 10.0) / 10.0;
        if (k > 1 && arrondie == 0.0)
            continue;
        // At the table's float precision, as a timbre read from a file is.
        timbre.composantes.push_back({k * f1, double(static_cast<float>(arrondie))});
    }
    return timbre;
}
