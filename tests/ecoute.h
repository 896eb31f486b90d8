#pragma once

// Listening to what a private PulseAudio sink plays: recording its monitor and measuring the
// recording by its content (tone amplitudes, loudness).

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

inline constexpr int Frequence = 44100;

/// Amplitude of the sine at `f` in x[debut, fin), through a Hann window so that a strong
/// neighbour does not leak into a weak one.
inline double AmplitudeBloc(const std::vector<double> &x, size_t debut, size_t fin, double f)
{
    const double n = double(fin - debut);
    double re = 0.0, im = 0.0, poids = 0.0;
    for (size_t i = debut; i < fin; ++i) {
        const double k = double(i - debut);
        const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * k / (n - 1.0));
        const double phase = 2.0 * M_PI * f * k / Frequence;
        re += w * x[i] * std::cos(phase);
        im -= w * x[i] * std::sin(phase);
        poids += w;
    }
    return 2.0 * std::hypot(re, im) / poids;
}

/// Median of the amplitude at `f` over 100 ms blocks: one block caught on a change of sound
/// does not sway it.
inline double Amplitude(const std::vector<double> &x, double f)
{
    const size_t bloc = Frequence / 10;
    std::vector<double> a;
    for (size_t debut = 0; debut + bloc <= x.size(); debut += bloc)
        a.push_back(AmplitudeBloc(x, debut, debut + bloc, f));
    if (a.empty())
        return 0.0;
    std::nth_element(a.begin(), a.begin() + a.size() / 2, a.end());
    return a[a.size() / 2];
}

inline double Efficace(const std::vector<double> &x, size_t debut, size_t fin)
{
    double somme = 0.0;
    for (size_t i = debut; i < fin; ++i)
        somme += x[i] * x[i];
    return fin > debut ? std::sqrt(somme / double(fin - debut)) : 0.0;
}

/// Records `ms` milliseconds of what `puits` plays, mono 16-bit at 44100 Hz, while the event
/// loop keeps running (the player is fed from it). The first 100 ms are dropped: they hold
/// whatever the monitor had queued when the recorder attached.
inline std::vector<double> Enregistre(const QString &puits, int ms)
{
    QProcess parec;
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("-d"), puits + QStringLiteral(".monitor"), QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                 QStringLiteral("--latency-msec=10")});
    if (!parec.waitForStarted(5000))
        return {};
    QByteArray octets;
    const qsizetype voulu = qsizetype(2) * Frequence * (ms + 100) / 1000;
    QElapsedTimer limite;
    limite.start();
    while (octets.size() < voulu && limite.elapsed() < ms + 5000) {
        QTest::qWait(10);
        octets += parec.readAllStandardOutput();
    }
    parec.kill();
    parec.waitForFinished(5000);
    std::vector<double> x;
    const qsizetype saut = qsizetype(2) * Frequence / 10;
    for (qsizetype i = saut; i + 1 < std::min(octets.size(), voulu); i += 2)
        x.push_back(qint16(quint8(octets[i]) | (quint8(octets[i + 1]) << 8)));
    return x;
}
