#include "model/regles.h"

#include <algorithm>
#include <cmath>

namespace Regles {

double Arrondi(double v)
{
    // The default rounding mode is to nearest, ties to even.
    return std::nearbyint(v);
}

double FondamentalDiviseur(const Son &c)
{
    return std::max<double>(c.Frequence[1], 1.0);
}

float Accroche(const Son &c, float X, double constante)
{
    const double f1 = FondamentalDiviseur(c);
    return static_cast<float>(std::floor(double(X) / f1 + constante) * f1);
}

std::int16_t BorneFrequence(double v, int slot)
{
    const double bas = slot == 1 ? 1.0 : 0.0;
    double r = Arrondi(v);
    if (!(r >= bas)) // NaN lands here too
        r = bas;
    if (r > FrequenceMax)
        r = FrequenceMax;
    return static_cast<std::int16_t>(r);
}

float BorneAmplitude(double a)
{
    if (!(a >= 0.0))
        return 0.0f;
    return static_cast<float>(std::min(a, 10.0));
}

bool DansZoneEdition(const Son &c, float X, float Y)
{
    return X >= 0.0f && X <= 5000.0f && Y > 0.0f && Y <= 10.0f && c.ProchaineComposante <= Son::Max;
}

static int SlotCandidat(const Son &c)
{
    return std::clamp<int>(c.ProchaineComposante, 1, Son::Max);
}

void EcritCandidat(Son &c, float X, float Y)
{
    const int n = SlotCandidat(c);
    c.Amplitude[n] = BorneAmplitude(10.0 - double(Y));
    c.Frequence[n] = BorneFrequence(X, n);
}

bool Ajoute(Son &c, float X, float Y)
{
    if (c.ProchaineComposante > Son::Max)
        return false;
    const int n = SlotCandidat(c);
    c.Amplitude[n] = BorneAmplitude(10.0 - double(Y));
    c.Frequence[n] = BorneFrequence(X, n);
    c.ProchaineComposante = static_cast<std::int16_t>(n + 1);
    return true;
}

bool RetireDerniere(Son &c)
{
    if (c.ProchaineComposante <= 2)
        return false;
    const int n = std::min<int>(c.ProchaineComposante - 1, Son::Max);
    c.ProchaineComposante = static_cast<std::int16_t>(n);
    c.Amplitude[n] = 0.0f;
    c.Frequence[n] = 0;
    // A right click during a left drag: the candidate above the removed slot must not stay
    // behind as a component nobody can remove.
    for (int i = n + 1; i <= Son::Max; ++i)
        c.Amplitude[i] = 0.0f;
    return true;
}

void Efface(Son &c, bool musical, double xFondamental)
{
    c.ProchaineComposante = 1;
    for (int i = 1; i <= Son::Max; ++i)
        c.Amplitude[i] = 0.0f;
    if (musical) {
        c.Frequence[1] = BorneFrequence(xFondamental, 1);
        c.Amplitude[1] = 10.0f;
        c.ProchaineComposante = 2;
    }
}

double DeplaceFondamental(Son &c, float X)
{
    // A pointer at the left edge (or reported left of it) stops the fundamental at 1 Hz.
    if (!(X >= 1.0f))
        X = 1.0f;
    // A pointer leaving the plot far to the right stops the marker at the plot's right edge.
    if (X > float(XMaxFondamental))
        X = float(XMaxFondamental);
    PlaceFondamental(c, X);
    return std::floor(double(X));
}

void PlaceFondamental(Son &c, double F)
{
    if (!(F >= 1.0))
        F = 1.0;
    if (F > FrequenceMax)
        F = FrequenceMax;
    const double f1 = FondamentalDiviseur(c);
    for (int i = 2; i <= Son::Max; ++i) {
        const double n = std::floor(double(c.Frequence[i]) / f1 + AccrocheHarmonique);
        c.Frequence[i] = BorneFrequence(n * F, i);
    }
    c.Frequence[1] = BorneFrequence(std::floor(F + 0.5), 1);
}

static bool DansTable(const Son &c, int i)
{
    return i >= 1 && i < c.ProchaineComposante && i <= Son::Max;
}

bool FixeFrequence(Son &c, int i, double F)
{
    if (!DansTable(c, i) || std::isnan(F))
        return false;
    if (i == 1) {
        PlaceFondamental(c, F);
        return true;
    }
    if (!c.Musical) {
        c.Frequence[i] = BorneFrequence(F, i);
        return true;
    }
    // The multiple a release would snap to, but never none (0 Hz) nor one beyond 32767 Hz.
    const double f1 = FondamentalDiviseur(c);
    const double plus = std::floor(FrequenceMax / f1);
    const double n = std::clamp(
        double(Accroche(c, float(std::clamp(F, 0.0, double(FrequenceMax))), AccrocheValide)) / f1, 1.0, plus);
    c.Frequence[i] = BorneFrequence(n * f1, i);
    return true;
}

bool FixeAmplitude(Son &c, int i, double a)
{
    if (!DansTable(c, i))
        return false;
    c.Amplitude[i] = BorneAmplitude(a);
    return true;
}

std::array<bool, Son::Max + 1> Audibles(const std::array<bool, Son::Max + 1> &muettes, int solo)
{
    std::array<bool, Son::Max + 1> a{};
    for (int i = 1; i <= Son::Max; ++i)
        a[i] = solo >= 1 && solo <= Son::Max ? i == solo : !muettes[i];
    a[0] = true;
    return a;
}

std::int16_t FrequenceNote(int i)
{
    return static_cast<std::int16_t>(std::floor(132.0 * std::pow(2.0, i / 12.0)));
}

void Transpose(Son &c, std::int16_t F)
{
    const double f1 = FondamentalDiviseur(c);
    for (int j = 2; j <= Son::Max; ++j)
        c.Frequence[j] = BorneFrequence(double(F) * (double(c.Frequence[j]) / f1), j);
    c.Frequence[1] = BorneFrequence(F, 1);
}

} // namespace Regles
