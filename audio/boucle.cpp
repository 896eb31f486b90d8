#include "audio/boucle.h"

#include <algorithm>
#include <cstring>

Boucle::Boucle(QByteArray octets, QObject *parent)
    : QIODevice(parent), m_octets(std::move(octets))
{
}

qint64 Boucle::bytesAvailable() const
{
    return m_octets.size() + QIODevice::bytesAvailable();
}

qint64 Boucle::readData(char *data, qint64 maxlen)
{
    const qint64 taille = m_octets.size();
    if (taille == 0 || maxlen <= 0)
        return 0;
    qint64 copie = 0;
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
