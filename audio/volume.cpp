#include "audio/volume.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace Volume {

int Crete(const QByteArray &echantillons)
{
    int crete = 0;
    const auto *p = reinterpret_cast<const uchar *>(echantillons.constData());
    for (qsizetype i = 0; i + 1 < echantillons.size(); i += 2)
        crete = std::max(crete, std::abs(int(qFromLittleEndian<std::int16_t>(p + i))));
    return crete;
}

double Gain(double decibels, int crete)
{
    if (!(decibels >= MinDecibels))
        return 0.0;
    const double voulu = std::pow(10.0, std::min(decibels, MaxDecibels) / 20.0);
    // −32768 is reachable too, but a symmetric limit keeps the sound's shape on both sides.
    const double plafond = crete > 0 ? 32767.0 / crete : voulu;
    return std::min(voulu, plafond);
}

QByteArray Applique(const QByteArray &echantillons, double gain)
{
    if (gain == 1.0)
        return echantillons;
    QByteArray sortie(echantillons.size() - echantillons.size() % 2, Qt::Uninitialized);
    const auto *p = reinterpret_cast<const uchar *>(echantillons.constData());
    auto *q = reinterpret_cast<uchar *>(sortie.data());
    for (qsizetype i = 0; i + 1 < echantillons.size(); i += 2) {
        const double v = std::round(qFromLittleEndian<std::int16_t>(p + i) * gain);
        qToLittleEndian(std::int16_t(std::clamp(v, -32768.0, 32767.0)), q + i);
    }
    return sortie;
}

} // namespace Volume
