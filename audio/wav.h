#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

/// A decoded PCM sound: its format and its sample bytes, whole frames only.
struct SonPcm
{
    QAudioFormat format;
    QByteArray echantillons;
};

// Reading RIFF/WAVE files for playback. The chunks are walked as the file lays them out,
// so a header longer than the usual 44 bytes (extra chunks, an extended format chunk)
// is read correctly, and a damaged file is refused with a reason instead of being played
// as noise.
namespace Wav {

/// Largest file accepted: far above any sound the program writes (882 044 bytes at 1 Hz),
/// low enough that a stray huge file cannot exhaust memory.
inline constexpr qint64 TailleMax = 64 * 1024 * 1024;

/// Decodes a whole file held in memory. On failure returns nothing and says why.
std::optional<SonPcm> Decode(QByteArrayView octets, QString *pourquoi = nullptr);

/// Reads and decodes the file at `chemin`. On failure returns nothing and says why.
std::optional<SonPcm> Lis(const QString &chemin, QString *pourquoi = nullptr);

} // namespace Wav
