#include "audio/boucle.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Boucle::Boucle(QByteArray octets, QObject *parent) : QIODevice(parent), m_octets(std::move(octets))
{
}

qint64 Boucle::bytesAvailable() const
{
    return m_octets.size() + QIODevice::bytesAvailable();
}

void Boucle::bascule(QByteArray octets, int trames)
{
    if (m_fondu > 0) {
        // A switch within a fade: what is heard now is a mix; the older sound is dropped and the
        // fade starts again from the newer one, at its own level by then.
        m_ancien = m_octets;
        m_curseurAncien = m_curseur;
    } else {
        m_ancien = std::move(m_octets);
        m_curseurAncien = m_curseur;
    }
    m_octets = std::move(octets);
    m_curseur = 0;
    const bool fondable = trames > 0 && m_ancien.size() >= 2 && m_octets.size() >= 2;
    m_fonduTotal = fondable ? trames : 0;
    m_fondu = m_fonduTotal;
    if (!fondable)
        m_ancien.clear();
}

qint32 Boucle::Trame(const QByteArray &octets, qint64 &curseur)
{
    const auto *o = reinterpret_cast<const uchar *>(octets.constData());
    const qint32 v = qint16(quint16(o[curseur] | (o[curseur + 1] << 8)));
    curseur += 2;
    if (curseur + 1 >= octets.size())
        curseur = 0;
    return v;
}

qint64 Boucle::readData(char *data, qint64 maxlen)
{
    const qint64 taille = m_octets.size();
    if (taille == 0 || maxlen <= 0)
        return 0;
    qint64 copie = 0;
    // A fade under way: frame by frame, a linear mix of the two sounds. The cursor of the new one
    // stays on a frame boundary (the player reads whole frames).
    while (m_fondu > 0 && maxlen - copie >= 2 && m_curseur % 2 == 0) {
        const double w = double(m_fonduTotal - m_fondu + 1) / double(m_fonduTotal + 1);
        const qint32 a = Trame(m_ancien, m_curseurAncien);
        const qint32 b = Trame(m_octets, m_curseur);
        const qint32 v = qint32(std::lround((1.0 - w) * a + w * b));
        const auto u = quint16(qint16(std::clamp(v, -32768, 32767)));
        data[copie] = char(u & 0xff);
        data[copie + 1] = char(u >> 8);
        copie += 2;
        if (--m_fondu == 0)
            m_ancien.clear();
    }
    while (copie < maxlen) {
        const qint64 morceau = std::min(maxlen - copie, taille - m_curseur);
        std::memcpy(data + copie, m_octets.constData() + m_curseur, size_t(morceau));
        copie += morceau;
        m_curseur += morceau;
        if (m_curseur == taille)
            m_curseur = 0;
    }
    return copie;
}

qint64 Boucle::writeData(const char *, qint64)
{
    return -1;
}
