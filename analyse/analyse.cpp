#include "analyse/analyse.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// YIN's absolute threshold on the normalised difference: the first dip under it is the period.
constexpr double SeuilYin = 0.15;
// With no dip under the threshold, the deepest one still counts up to this (a vibrato, a breathy
// note); above it the sound has no pitch (noise reads about 1).
constexpr double SeuilSansHauteur = 0.4;
// Below this mean square (about −100 dBFS) the stretch is silence.
constexpr double EnergieMinimale = 1e-10;
constexpr double Tolerance = 0.03; // ±3 % of k × F0
constexpr double SpectreMaximal = 5000.0;

std::size_t PuissanceDeDeux(std::size_t n)
{
    std::size_t p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

} // namespace

struct Analyseur::Etat
{
    std::size_t taille = 0; // FFT size
    kiss_fftr_cfg plan = nullptr;
    std::vector<float> entree;
    std::vector<kiss_fft_cpx> sortie;
    std::vector<float> magnitudes; // linear amplitude per bin
    std::vector<float> fenetre;    // Hann, for frames of fenetre.size() samples
    double gain = 0.0;             // from |X| to a sine's peak amplitude: 2 / sum of the window
    std::vector<double> difference;
    // The difference function's correlation: its own plans, at the next power of two of the
    // compared stretch.
    std::size_t tailleCorrelation = 0;
    kiss_fftr_cfg planDirect = nullptr;
    kiss_fftr_cfg planInverse = nullptr;
    std::vector<float> tete, tout;
    std::vector<kiss_fft_cpx> spectreTete, spectreTout;
    double pas = 0.0; // hertz per bin
    double nyquist = 0.0;

    ~Etat()
    {
        for (kiss_fftr_cfg p : {plan, planDirect, planInverse})
            if (p)
                kiss_fftr_free(p);
    }

    void prepare(std::size_t n)
    {
        // At least twice as long as the frame (zero padding), and fine enough for short frames.
        const std::size_t voulue = PuissanceDeDeux(std::max<std::size_t>(2 * n, 4096));
        if (voulue != taille) {
            if (plan)
                kiss_fftr_free(plan);
            plan = kiss_fftr_alloc(int(voulue), 0, nullptr, nullptr);
            taille = voulue;
            entree.assign(taille, 0.0f);
            sortie.assign(taille / 2 + 1, kiss_fft_cpx{});
            magnitudes.assign(taille / 2 + 1, 0.0f);
        }
        if (fenetre.size() != n) {
            fenetre.resize(n);
            double somme = 0.0;
            for (std::size_t i = 0; i < n; ++i) {
                fenetre[i] =
                    float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(i) / double(n > 1 ? n - 1 : 1)));
                somme += fenetre[i];
            }
            gain = somme > 0.0 ? 2.0 / somme : 0.0;
        }
    }

    void spectre(const float *x, std::size_t n, double frequence)
    {
        for (std::size_t i = 0; i < n; ++i)
            entree[i] = x[i] * fenetre[i];
        std::fill(entree.begin() + std::ptrdiff_t(n), entree.end(), 0.0f);
        kiss_fftr(plan, entree.data(), sortie.data());
        for (std::size_t i = 0; i < sortie.size(); ++i)
            magnitudes[i] = float(std::hypot(double(sortie[i].r), double(sortie[i].i)) * gain);
        pas = frequence / double(taille);
        nyquist = frequence / 2.0;
    }

    // The peak nearest to `attendue` within ±3 %: its place (parabolic interpolation of the log
    // magnitude over three bins) and its height. `sommet` says whether it is a true local maximum
    // rather than the skirt of a neighbour.
    bool pic(double attendue, double &ou, double &hauteur, bool *sommet = nullptr) const
    {
        if (!(attendue > 0.0) || attendue >= nyquist)
            return false;
        const std::ptrdiff_t dernier = std::ptrdiff_t(magnitudes.size()) - 2;
        const std::ptrdiff_t centre = std::ptrdiff_t(std::lround(attendue / pas));
        std::ptrdiff_t bas = std::ptrdiff_t(std::ceil(attendue * (1.0 - Tolerance) / pas));
        std::ptrdiff_t haut = std::ptrdiff_t(std::floor(attendue * (1.0 + Tolerance) / pas));
        bas = std::clamp<std::ptrdiff_t>(std::min(bas, centre), 1, dernier);
        haut = std::clamp<std::ptrdiff_t>(std::max(haut, centre), 1, dernier);
        if (bas > haut)
            return false;
        std::ptrdiff_t m = bas;
        for (std::ptrdiff_t i = bas + 1; i <= haut; ++i)
            if (magnitudes[std::size_t(i)] > magnitudes[std::size_t(m)])
                m = i;
        const double a = std::log(double(magnitudes[std::size_t(m - 1)]) + 1e-30);
        const double b = std::log(double(magnitudes[std::size_t(m)]) + 1e-30);
        const double c = std::log(double(magnitudes[std::size_t(m + 1)]) + 1e-30);
        const double courbure = a - 2.0 * b + c;
        double decalage = 0.0;
        if (courbure < 0.0)
            decalage = std::clamp(0.5 * (a - c) / courbure, -0.5, 0.5);
        ou = (double(m) + decalage) * pas;
        hauteur = magnitudes[std::size_t(m)] > 0.0f ? std::exp(b - 0.25 * (a - c) * decalage) : 0.0;
        if (sommet)
            *sommet = magnitudes[std::size_t(m)] >= magnitudes[std::size_t(m - 1)]
                      && magnitudes[std::size_t(m)] >= magnitudes[std::size_t(m + 1)];
        return std::isfinite(ou) && std::isfinite(hauteur);
    }

    // The difference function of YIN, d(τ) = Σ_j (x_j − x_{j+τ})², for τ = 0..tauMax over the
    // first `largeur` samples of y, from the energies and the cross-correlation r(τ) of those
    // samples with all of y: d(τ) = Σ y_j² + Σ y_{j+τ}² − 2 r(τ). The correlation comes from one
    // FFT of each and one inverse, about 0.2 million operations a frame where the sum itself took
    // 3.3 million products. The samples are centred first: d does not change, and the energies
    // that cancel out in it stay small, so float FFTs keep the dips exact enough.
    void differences(const float *y, std::size_t largeur, std::size_t tauMax)
    {
        const std::size_t longueur = largeur + tauMax;
        const std::size_t voulue = PuissanceDeDeux(longueur); // no wrap-around for τ ≤ tauMax
        if (voulue != tailleCorrelation) {
            if (planDirect)
                kiss_fftr_free(planDirect);
            if (planInverse)
                kiss_fftr_free(planInverse);
            planDirect = kiss_fftr_alloc(int(voulue), 0, nullptr, nullptr);
            planInverse = kiss_fftr_alloc(int(voulue), 1, nullptr, nullptr);
            tailleCorrelation = voulue;
            tete.assign(voulue, 0.0f);
            tout.assign(voulue, 0.0f);
            spectreTete.assign(voulue / 2 + 1, kiss_fft_cpx{});
            spectreTout.assign(voulue / 2 + 1, kiss_fft_cpx{});
        }
        double moyenne = 0.0;
        for (std::size_t j = 0; j < longueur; ++j)
            moyenne += y[j];
        moyenne /= double(longueur);
        for (std::size_t j = 0; j < longueur; ++j)
            tout[j] = float(double(y[j]) - moyenne);
        std::fill(tout.begin() + std::ptrdiff_t(longueur), tout.end(), 0.0f);
        std::copy(tout.begin(), tout.begin() + std::ptrdiff_t(largeur), tete.begin());
        std::fill(tete.begin() + std::ptrdiff_t(largeur), tete.end(), 0.0f);
        // The energies, in double: of the compared samples, and of those τ later (in `difference`
        // until the correlation is known).
        double energieTete = 0.0;
        for (std::size_t j = 0; j < largeur; ++j)
            energieTete += double(tete[j]) * double(tete[j]);
        difference.assign(tauMax + 1, 0.0);
        double energieDecalee = energieTete;
        for (std::size_t tau = 0; tau <= tauMax; ++tau) {
            if (tau > 0) {
                const double sort = tout[tau - 1], entre = tout[tau - 1 + largeur];
                energieDecalee += entre * entre - sort * sort;
            }
            difference[tau] = energieDecalee;
        }
        kiss_fftr(planDirect, tete.data(), spectreTete.data());
        kiss_fftr(planDirect, tout.data(), spectreTout.data());
        // conj(A) × B: the inverse is then Σ_j a_j b_{j+τ}.
        for (std::size_t k = 0; k < spectreTout.size(); ++k) {
            const kiss_fft_cpx a = spectreTete[k], b = spectreTout[k];
            spectreTout[k] = kiss_fft_cpx{a.r * b.r + a.i * b.i, a.r * b.i - a.i * b.r};
        }
        kiss_fftri(planInverse, spectreTout.data(), tout.data());
        const double echelle = 1.0 / double(voulue); // KissFFT's inverse is not scaled
        for (std::size_t tau = 0; tau <= tauMax; ++tau)
            difference[tau] = std::max(0.0, energieTete + difference[tau] - 2.0 * double(tout[tau]) * echelle);
    }

    // YIN: the period is the first lag whose cumulative mean normalised difference dips under
    // the threshold (then down to that dip's bottom), placed between lags by a parabola. 0: none.
    double hauteur(const float *x, std::size_t n, double frequence)
    {
        const std::size_t tauMin = std::max<std::size_t>(2, std::size_t(frequence / Mesure::FondamentalMaximal));
        std::size_t tauMax = std::size_t(std::ceil(frequence / Mesure::FondamentalMinimal));
        tauMax = std::min(tauMax, n / 2);
        if (tauMax < tauMin + 2)
            return 0.0;
        // Three of the longest periods are enough to compare; the window sits in the middle.
        const std::size_t largeur = std::min(
            n - tauMax, std::max<std::size_t>(3 * std::size_t(std::ceil(frequence / Mesure::FondamentalMinimal)), 1));
        const float *debut = x + (n - largeur - tauMax) / 2;
        double energie = 0.0;
        for (std::size_t j = 0; j < largeur + tauMax; ++j)
            energie += double(debut[j]) * double(debut[j]);
        if (!(energie / double(largeur + tauMax) > EnergieMinimale) || !std::isfinite(energie))
            return 0.0;

        differences(debut, largeur, tauMax);
        difference[0] = 1.0;
        double cumul = 0.0;
        for (std::size_t tau = 1; tau <= tauMax; ++tau) {
            const double d = difference[tau];
            cumul += d;
            difference[tau] = cumul > 0.0 ? d * double(tau) / cumul : 1.0;
        }
        std::size_t tau = 0;
        for (std::size_t t = tauMin; t < tauMax; ++t) {
            if (difference[t] < SeuilYin) {
                while (t + 1 < tauMax && difference[t + 1] < difference[t])
                    ++t;
                tau = t;
                break;
            }
        }
        if (tau == 0) {
            std::size_t meilleur = tauMin;
            for (std::size_t t = tauMin + 1; t < tauMax; ++t)
                if (difference[t] < difference[meilleur])
                    meilleur = t;
            if (!(difference[meilleur] <= SeuilSansHauteur))
                return 0.0;
            tau = meilleur;
        }
        double periode = double(tau);
        const double a = difference[tau - 1], b = difference[tau], c = difference[tau + 1];
        const double courbure = a - 2.0 * b + c;
        if (courbure > 0.0)
            periode += std::clamp(0.5 * (a - c) / courbure, -0.5, 0.5);
        return frequence / periode;
    }
};

Analyseur::Analyseur() : m(std::make_unique<Etat>())
{
}

Analyseur::~Analyseur() = default;

double Analyseur::hauteur(const float *mono, std::size_t n, double frequence)
{
    if (!(frequence > 0.0) || !std::isfinite(frequence) || mono == nullptr)
        return 0.0;
    return m->hauteur(mono, n, frequence);
}

void Analyseur::analyse(const float *mono, std::size_t n, double frequence, Mesure &mesure)
{
    mesure.echec = Mesure::Echec::PasDeHauteur;
    mesure.frequenceEchantillonnage = frequence;
    mesure.fondamental = 0.0;
    mesure.amplitudes.fill(0.0);
    mesure.frequences.fill(0.0);
    mesure.spectre.pas = 0.0;
    mesure.spectre.amplitudes.clear();
    if (!(frequence > 0.0) || !std::isfinite(frequence) || mono == nullptr)
        return;
    if (double(n) < Mesure::DureeMinimale * frequence) {
        mesure.echec = Mesure::Echec::TropCourt;
        return;
    }

    m->prepare(n);
    m->spectre(mono, n, frequence);
    const std::size_t bins = std::min(m->magnitudes.size(), std::size_t(std::floor(SpectreMaximal / m->pas)) + 1);
    mesure.spectre.pas = m->pas;
    mesure.spectre.amplitudes.assign(m->magnitudes.begin(), m->magnitudes.begin() + std::ptrdiff_t(bins));

    const double yin = m->hauteur(mono, n, frequence);
    // The interpolated period may land a hair outside the range at its ends.
    if (!(yin >= Mesure::FondamentalMinimal * 0.99 && yin <= Mesure::FondamentalMaximal * 1.01))
        return;

    // Refined from the harmonics' peaks: the least-squares F0 of f_k ≈ k × F0, each peak weighted
    // by its power, so that a strong, sharply placed harmonic counts most and noise hardly at all.
    double f0 = yin;
    for (int passe = 0; passe < 2; ++passe) {
        double numerateur = 0.0, denominateur = 0.0;
        for (int k = 1; k <= Mesure::Harmoniques; ++k) {
            double ou = 0.0, h = 0.0;
            bool sommet = false;
            if (!m->pic(k * f0, ou, h, &sommet) || !sommet)
                continue;
            const double poids = h * h;
            numerateur += poids * k * ou;
            denominateur += poids * k * k;
        }
        if (!(denominateur > 0.0))
            break;
        const double affine = numerateur / denominateur;
        // Nor may it carry the fundamental outside the range the period search allows.
        if (!(std::abs(affine - yin) <= Tolerance * yin)
            || !(affine >= Mesure::FondamentalMinimal * 0.99 && affine <= Mesure::FondamentalMaximal * 1.01))
            break;
        f0 = affine;
    }
    mesure.fondamental = f0;
    if (double(n) < Mesure::PeriodesMinimales * frequence / f0) {
        mesure.echec = Mesure::Echec::TropCourt;
        return;
    }
    for (int k = 1; k <= Mesure::Harmoniques; ++k) {
        double ou = 0.0, h = 0.0;
        if (m->pic(k * f0, ou, h)) {
            mesure.frequences[std::size_t(k - 1)] = ou;
            mesure.amplitudes[std::size_t(k - 1)] = h;
        }
    }
    mesure.echec = Mesure::Echec::Aucun;
}

Mesure Analyse(const float *mono, std::size_t n, double frequence)
{
    Analyseur analyseur;
    Mesure mesure;
    analyseur.analyse(mono, n, frequence, mesure);
    return mesure;
}
