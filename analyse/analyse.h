#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

// What a recorded sound is made of: its fundamental, the linear amplitudes of its first ten
// harmonics and its magnitude spectrum up to the spectrum plot's 5000 Hz. Plain C++ over mono
// samples, so the same code serves a file's stretch and, later, a microphone's frames.
//
// The fundamental comes from a YIN-style estimator (the cumulative mean normalised difference
// of the waveform with itself), never from the strongest spectral peak: a clarinet's third
// harmonic is often stronger than its first. It is then refined from the harmonic peaks of the
// spectrum (Hann window, zero padding, each peak looked for within ±3 % of k × F0 and placed by
// parabolic interpolation of the log magnitude).

/// The measured magnitude spectrum, bin i at i × pas hertz, from 0 to 5000 Hz (the last bin at or
/// below it), in the same linear units as the harmonics' amplitudes: a sine of peak A reads A.
struct SpectreMesure
{
    double pas = 0.0;
    std::vector<float> amplitudes;
};

struct Mesure
{
    static constexpr int Harmoniques = 10;
    static constexpr double FondamentalMinimal = 40.0;
    static constexpr double FondamentalMaximal = 2000.0;
    static constexpr double DureeMinimale = 0.05; ///< seconds, whatever the pitch
    static constexpr int PeriodesMinimales = 3;   ///< periods of the pitch found

    enum class Echec {
        Aucun,
        TropCourt,    ///< under DureeMinimale, or under three periods of `fondamental`
        PasDeHauteur, ///< silence, noise, or no periodicity between 40 and 2000 Hz
    };
    Echec echec = Echec::PasDeHauteur;
    double frequenceEchantillonnage = 0.0;
    double fondamental = 0.0; ///< hertz, refined; also set for TropCourt once a pitch was found
    /// Peak amplitude (linear, the samples' scale) of harmonic k at index k − 1; 0 when none was
    /// found within ±3 % of k × F0 or when k × F0 is at or above the Nyquist frequency.
    std::array<double, Harmoniques> amplitudes{};
    /// Where each of those peaks lies, hertz (0 when none).
    std::array<double, Harmoniques> frequences{};
    SpectreMesure spectre;

    bool valide() const { return echec == Echec::Aucun; }
};

/// The analysis with its working memory kept: repeated calls on frames of one size allocate
/// nothing after the first (the FFT plan and buffers, and the Mesure's spectrum, are reused).
class Analyseur
{
public:
    Analyseur();
    ~Analyseur();
    Analyseur(const Analyseur &) = delete;
    Analyseur &operator=(const Analyseur &) = delete;

    /// Analyses `n` mono samples at `frequence` samples per second into `mesure`.
    void analyse(const float *mono, std::size_t n, double frequence, Mesure &mesure);
    /// The waveform's own estimate of the fundamental alone, before the harmonics' peaks refine
    /// it: hertz, 0 when the samples have no pitch (silence, noise).
    double hauteur(const float *mono, std::size_t n, double frequence);

private:
    struct Etat; // the FFT plan and the buffers
    std::unique_ptr<Etat> m;
};

/// One analysis, with its own working memory.
Mesure Analyse(const float *mono, std::size_t n, double frequence);
