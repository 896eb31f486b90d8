// The session's side of an analysed recording: its table, its original and its spectrum.
#include "session/edition.h"

#include "audio/volume.h"
#include "synth/analyseson.h"
#include "synth/generateur.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

QByteArray Edition::Original44k(const std::vector<float> &echantillons, double frequence, double fondamental, int crete)
{
    constexpr double Sortie = Synthese::Frequence_Echantillonnage;
    if (echantillons.size() < 2 || frequence <= 0)
        return {};
    const double duree = double(echantillons.size() - 1) / frequence;
    qint64 n = qint64(std::floor(duree * Sortie));
    // Whole periods: the loop's end meets its start in phase.
    if (fondamental > 0) {
        const double periode = Sortie / fondamental;
        const qint64 periodes = qint64(std::floor(double(n) / periode));
        if (periodes >= 1)
            n = qint64(std::lround(periodes * periode));
    }
    std::vector<double> v(size_t(std::max<qint64>(n, 0)));
    double max = 0;
    for (qint64 i = 0; i < n; ++i) {
        // Linear interpolation: the stretch is heard, not measured, from here on.
        const double t = double(i) * frequence / Sortie;
        const auto j = size_t(t);
        const double f = t - double(j);
        const double a = echantillons[j];
        const double b = j + 1 < echantillons.size() ? echantillons[j + 1] : a;
        v[size_t(i)] = a + (b - a) * f;
        max = std::max(max, std::abs(v[size_t(i)]));
    }
    if (max <= 0)
        return {};
    const double gain = std::clamp(crete, 1, 32767) / max;
    QByteArray octets(int(n * 2), '\0');
    for (qint64 i = 0; i < n; ++i)
        qToLittleEndian(qint16(std::clamp<long>(std::lround(v[size_t(i)] * gain), -32767, 32767)),
                        octets.data() + 2 * i);
    return octets;
}

bool Edition::ChargeAnalyse(const AnalyseSon::Resultat &resultat)
{
    if (!ChargeTimbre(resultat.timbre))
        return false;
    fixeAnalyse(resultat);
    return true;
}

void Edition::fixeAnalyse(const AnalyseSon::Resultat &r)
{
    const Mesure &m = r.mesure;
    const double plusFort = *std::max_element(m.amplitudes.begin(), m.amplitudes.end());
    SpectreAnalyse a;
    a.nom = r.son.nom;
    a.fondamental = m.fondamental;
    if (plusFort > 0) {
        const double echelle = 10.0 / plusFort;
        a.points.reserve(qsizetype(m.spectre.amplitudes.size()));
        for (size_t i = 0; i < m.spectre.amplitudes.size(); ++i)
            a.points.append(QPointF(double(i) * m.spectre.pas, std::min(10.5, m.spectre.amplitudes[i] * echelle)));
    }
    m_analyse = std::move(a);
    // The original at the model's own level, so that switching compares timbres, not loudness.
    const int crete = std::max(1, Volume::Crete(m_generateur.echantillons()));
    fixeOriginal(Original44k(r.son.echantillons, r.son.frequence, m.fondamental, crete));
    emit analyseChange();
}
