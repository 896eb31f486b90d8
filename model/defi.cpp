#include "model/defi.h"

#include "model/regles.h"

#include <algorithm>
#include <cmath>

namespace Defis {

bool NumeroValide(int numero)
{
    return numero >= NumeroMin && numero <= NumeroMax;
}

bool NiveauValide(int niveau)
{
    return niveau >= NiveauMin && niveau <= NiveauMax;
}

std::uint64_t Melange(std::uint64_t &etat)
{
    etat += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = etat;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Tirage(std::uint64_t x, int n)
{
    // The draw's top 32 bits scaled to n: exact in 64 bits, no loop, a bias below n / 2^32.
    return int(((x >> 32) * std::uint64_t(n)) >> 32);
}

std::optional<Defi> Genere(int numero, int niveau)
{
    if (!NumeroValide(numero) || !NiveauValide(niveau))
        return std::nullopt;
    std::uint64_t etat = (std::uint64_t(numero) << 32) | std::uint64_t(niveau);
    std::array<int, RangMaxCache - RangMinCache + 1> candidats{};
    for (std::size_t i = 0; i < candidats.size(); ++i)
        candidats[i] = RangMinCache + int(i);
    const int n = int(candidats.size());
    for (int i = 0; i < niveau; ++i) {
        const int j = i + Tirage(Melange(etat), n - i);
        std::swap(candidats[std::size_t(i)], candidats[std::size_t(j)]);
    }
    std::sort(candidats.begin(), candidats.begin() + niveau);

    Defi d;
    d.numero = numero;
    d.niveau = niveau;
    d.cachees.push_back({1, AmplitudeFondamental});
    const int etendue = AmplitudeMaxCachee - AmplitudeMinCachee + 1;
    for (int i = 0; i < niveau; ++i)
        d.cachees.push_back({candidats[std::size_t(i)], AmplitudeMinCachee + Tirage(Melange(etat), etendue)});
    return d;
}

Timbre Son(const Defi &defi, int f1)
{
    f1 = std::clamp(f1, 1, Timbres::FrequenceMaximale);
    Timbre t;
    t.multiples = true;
    for (const Cachee &c : defi.cachees) {
        const long long f = std::min<long long>(static_cast<long long>(c.rang) * f1, Timbres::FrequenceMaximale);
        t.composantes.push_back({double(f), double(c.amplitude)});
    }
    return t;
}

ParRang Rangs(const Timbre &t)
{
    ParRang r{};
    if (t.composantes.empty())
        return r;
    const double f1 = t.composantes.front().frequence;
    const bool diviseur = std::isfinite(f1) && f1 > 0.0;
    for (const Timbre::Composante &c : t.composantes) {
        const double a = c.amplitude;
        if (!std::isfinite(a) || !(a > 0.0))
            continue;
        int k = 0;
        if (diviseur && std::isfinite(c.frequence)) {
            const double n = Regles::Arrondi(c.frequence / f1);
            // Written as 100 × gap ≤ 3 × k × f1, exact for whole frequencies: no rounding at the
            // 3 % boundary.
            if (n >= 1 && n <= RangMax && 100.0 * std::abs(c.frequence - n * f1) <= EcartMaxPourcent * n * f1)
                k = int(n);
        }
        r[std::size_t(k)] += a;
    }
    return r;
}

namespace {

double Somme(const ParRang &r)
{
    double s = 0.0;
    for (double v : r)
        s += v;
    return s;
}

} // namespace

Resultat Compare(const Timbre &cible, const Timbre &essai, int indices)
{
    const ParRang P = Rangs(cible);
    const ParRang Q = Rangs(essai);
    const double sp = Somme(P);
    const double sq = Somme(Q);

    Resultat res;
    if (sp > 0.0 && sq > 0.0) {
        // D = ½ Σ |P_k/sp − Q_k/sq| kept as one fraction, Σ |P_k sq − Q_k sp| / (2 sp sq), so that
        // whole amplitudes give the exact score and an exact half rounds to even as it should.
        double ecarts = 0.0;
        for (std::size_t k = 0; k < P.size(); ++k)
            ecarts += std::abs(P[k] * sq - Q[k] * sp);
        const double denominateur = 2.0 * sp * sq;
        res.distance = std::min(1.0, ecarts / denominateur);
        res.sansIndice = int(Regles::Arrondi(std::max(0.0, 100.0 * (denominateur - ecarts) / denominateur)));
    } else {
        res.distance = (sp > 0.0 || sq > 0.0) ? 1.0 : 0.0;
        res.sansIndice = res.distance == 0.0 ? 100 : 0;
    }
    res.score = std::max(0, res.sansIndice - PenaliteIndice * std::max(0, indices));

    // The pupil's scale against the challenge's, as the fraction echelleP / echelleQ.
    double echelleP = 0.0;
    double echelleQ = 0.0;
    if (P[1] > 0.0 && Q[1] > 0.0) {
        echelleP = P[1];
        echelleQ = Q[1];
    } else {
        for (std::size_t k = 0; k < P.size(); ++k)
            if (P[k] > 0.0 && Q[k] > 0.0) {
                echelleP += P[k];
                echelleQ += Q[k];
            }
    }
    for (std::size_t k = 0; k < P.size(); ++k) {
        if (P[k] <= 0.0 && Q[k] <= 0.0)
            continue;
        Ligne l;
        l.rang = int(k);
        l.p = sp > 0.0 ? P[k] / sp : 0.0;
        l.q = sq > 0.0 ? Q[k] / sq : 0.0;
        if (Q[k] <= 0.0)
            l.verdict = Verdict::Manquant;
        else if (P[k] <= 0.0)
            l.verdict = Verdict::EnTrop;
        else {
            // (s × Q_k − P_k) times echelleQ, exact for whole amplitudes as above.
            const double ecart = Q[k] * echelleP - P[k] * echelleQ;
            if (std::abs(ecart) <= ToleranceJuste * echelleQ)
                l.verdict = Verdict::Juste;
            else
                l.verdict = ecart > 0.0 ? Verdict::TropFort : Verdict::TropFaible;
        }
        res.lignes.push_back(l);
    }
    return res;
}

std::optional<int> Indice(const Timbre &cible, const Timbre &essai, const std::vector<int> &dejaDonnes)
{
    for (const Ligne &l : Compare(cible, essai).lignes) {
        if (l.rang < 1 || l.p <= 0.0 || l.verdict == Verdict::Juste)
            continue;
        if (std::find(dejaDonnes.begin(), dejaDonnes.end(), l.rang) != dejaDonnes.end())
            continue;
        return l.rang;
    }
    return std::nullopt;
}

} // namespace Defis
