#include "audio/wav.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QtEndian>

namespace Wav {

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFlottant = 3;
constexpr quint16 FormatEtendu = 0xFFFE;

std::optional<SonPcm> Refuse(QString *pourquoi, const QString &raison)
{
    if (pourquoi)
        *pourquoi = raison;
    return std::nullopt;
}

quint16 Mot(QByteArrayView o, qsizetype p)
{
    return qFromLittleEndian<quint16>(o.data() + p);
}

quint32 MotDouble(QByteArrayView o, qsizetype p)
{
    return qFromLittleEndian<quint32>(o.data() + p);
}

/// The sample format Qt plays for this tag and width, or Unknown.
QAudioFormat::SampleFormat FormatEchantillon(quint16 etiquette, quint16 bits)
{
    if (etiquette == FormatPcm) {
        switch (bits) {
        case 8: return QAudioFormat::UInt8;
        case 16: return QAudioFormat::Int16;
        case 32: return QAudioFormat::Int32;
        default: break;
        }
    } else if (etiquette == FormatFlottant && bits == 32) {
        return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

} // namespace

std::optional<SonPcm> Decode(QByteArrayView o, QString *pourquoi)
{
    if (o.size() < 12 || o.first(4) != QByteArrayView("RIFF") || o.sliced(8, 4) != QByteArrayView("WAVE"))
        return Refuse(pourquoi, QStringLiteral("not a RIFF/WAVE file"));

    // The RIFF size bounds the chunks; a file cut short is caught at the data chunk.
    const qsizetype fin = std::min<qint64>(o.size(), 8 + qint64(MotDouble(o, 4)));

    std::optional<QAudioFormat> format;
    qsizetype p = 12;
    while (p + 8 <= fin) {
        const QByteArrayView id = o.sliced(p, 4);
        const qint64 taille = MotDouble(o, p + 4);
        const qsizetype corps = p + 8;

        if (id == QByteArrayView("fmt ")) {
            if (taille < 16 || corps + taille > o.size())
                return Refuse(pourquoi, QStringLiteral("format chunk of %1 bytes is too short").arg(taille));
            quint16 etiquette = Mot(o, corps);
            const quint16 canaux = Mot(o, corps + 2);
            const quint32 frequence = MotDouble(o, corps + 4);
            const quint16 alignement = Mot(o, corps + 12);
            const quint16 bits = Mot(o, corps + 14);
            // The extended layout names the real encoding in the first two bytes of its sub-format.
            if (etiquette == FormatEtendu && taille >= 40)
                etiquette = Mot(o, corps + 24);
            const auto echantillon = FormatEchantillon(etiquette, bits);
            if (echantillon == QAudioFormat::Unknown)
                return Refuse(pourquoi,
                              QStringLiteral("unsupported encoding (tag %1, %2 bits)").arg(etiquette).arg(bits));
            if (canaux < 1 || canaux > 8)
                return Refuse(pourquoi, QStringLiteral("unsupported channel count %1").arg(canaux));
            if (frequence < 1000 || frequence > 384000)
                return Refuse(pourquoi, QStringLiteral("unsupported sample rate %1 Hz").arg(frequence));
            if (alignement != canaux * (bits / 8))
                return Refuse(pourquoi, QStringLiteral("block alignment %1 does not match %2 channels of %3 bits")
                                            .arg(alignement)
                                            .arg(canaux)
                                            .arg(bits));
            QAudioFormat f;
            f.setSampleRate(int(frequence));
            f.setChannelCount(canaux);
            f.setSampleFormat(echantillon);
            format = f;
        } else if (id == QByteArrayView("data")) {
            if (!format)
                return Refuse(pourquoi, QStringLiteral("sample data before any format chunk"));
            if (corps + taille > o.size())
                return Refuse(pourquoi, QStringLiteral("truncated: %1 sample bytes announced, %2 present")
                                            .arg(taille)
                                            .arg(o.size() - corps));
            const qint64 trame = format->bytesPerFrame();
            const qint64 utile = taille - taille % trame;
            if (utile == 0)
                return Refuse(pourquoi, QStringLiteral("no samples"));
            return SonPcm{*format, o.sliced(corps, utile).toByteArray()};
        }
        // Chunks are padded to an even length.
        p = corps + taille + (taille & 1);
    }
    return Refuse(pourquoi, format ? QStringLiteral("no sample data") : QStringLiteral("no format chunk"));
}

std::optional<SonPcm> Lis(const QString &chemin, QString *pourquoi)
{
    // Opened without waiting (a FIFO would block until a writer comes) and looked at before any
    // read: only a regular file has a size that means anything (a device reports 0 and never ends).
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Refuse(pourquoi, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat s
    {};
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        ::close(fd);
        return Refuse(pourquoi, QStringLiteral("not a regular file"));
    }
    QFile fichier;
    if (!fichier.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refuse(pourquoi, fichier.errorString());
    }
    if (fichier.size() > TailleMax)
        return Refuse(pourquoi, QStringLiteral("%1 bytes, more than any sound this program plays").arg(fichier.size()));
    const QByteArray octets = fichier.readAll();
    if (octets.size() != fichier.size())
        return Refuse(pourquoi, QStringLiteral("read error: %1").arg(fichier.errorString()));
    return Decode(octets, pourquoi);
}

} // namespace Wav
