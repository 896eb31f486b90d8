#include "analyse/troncon.h"

#include <algorithm>
#include <cmath>

namespace Stable {

Niveaux::Niveaux(double frequence)
    : m_parBloc(std::max<std::size_t>(1, std::size_t(std::lround(frequence > 0.0 ? frequence * Bloc : 1.0))))
{
}

void Niveaux::ajoute(const float *mono, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        m_somme += double(mono[i]) * double(mono[i]);
        if (++m_dansBloc == m_parBloc) {
            m_niveaux.push_back(float(std::sqrt(m_somme / double(m_parBloc))));
            m_somme = 0.0;
            m_dansBloc = 0;
        }
    }
}

std::vector<float> Niveaux::termine()
{
    // A few samples at the very end say little of the level (one peak of a pulse wave may be all).
    if (2 * m_dansBloc >= m_parBloc)
        m_niveaux.push_back(float(std::sqrt(m_somme / double(m_dansBloc))));
    m_somme = 0.0;
    m_dansBloc = 0;
    return std::move(m_niveaux);
}

Troncon Choisit(const std::vector<float> &blocs, double dureeTotale)
{
    // Each block's level taken over the 50 ms around it, so that a low, peaky waveform (a 40 Hz
    // period is 25 ms) does not make the level flicker from block to block.
    std::vector<float> niveaux(blocs.size());
    for (std::size_t i = 0; i < blocs.size(); ++i) {
        double somme = 0.0;
        std::size_t n = 0;
        for (std::size_t j = i >= Lissage ? i - Lissage : 0; j <= std::min(blocs.size() - 1, i + Lissage); ++j, ++n)
            somme += std::isfinite(blocs[j]) ? double(blocs[j]) * double(blocs[j]) : 0.0;
        niveaux[i] = float(std::sqrt(somme / double(n)));
    }
    const double total = std::max(0.0, dureeTotale);
    // Stretches are cut on whole blocks; rounding a time to them.
    auto enBlocs = [](double t) { return std::round(t / Bloc) * Bloc; };
    auto milieu = [&](double de, double a) {
        const double duree = std::min(Duree, a - de);
        double debut = enBlocs((de + a - duree) / 2.0);
        debut = std::clamp(debut, 0.0, std::max(0.0, total - duree));
        return Troncon{debut, std::min(duree, total - debut)};
    };
    float reference = 0.0f;
    for (float v : niveaux)
        reference = std::max(reference, v);
    if (!(reference > 0.0f))
        return Troncon{0.0, std::min(Duree, total)};
    std::size_t premier = niveaux.size(), dernier = 0;
    for (std::size_t i = 0; i < niveaux.size(); ++i) {
        if (niveaux[i] >= Seuil * reference) {
            premier = std::min(premier, i);
            dernier = i;
        }
    }
    const double fort = double(premier) * Bloc;
    const double fin = std::min(total, double(dernier + 1) * Bloc);
    if (fin - fort - 2.0 * Marge >= Duree)
        return milieu(fort + Marge, fin - Marge);
    return milieu(fort, fin);
}

} // namespace Stable
