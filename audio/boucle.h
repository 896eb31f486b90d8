#pragma once

#include <QByteArray>
#include <QIODevice>

// An endless read-only stream over one copy of a sound's sample bytes: reading past the end
// starts again at the beginning, so a player that pulls from it hears the sound looped
// without a seam of its own. The bytes are copied in, so rewriting the file they came from
// never disturbs what is playing.
class Boucle : public QIODevice
{
    Q_OBJECT

public:
    explicit Boucle(QByteArray octets, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    /// A whole loop is always ready while there is anything to loop.
    qint64 bytesAvailable() const override;

    const QByteArray &octets() const { return m_octets; }
    /// Offset in the loop of the next byte to be read.
    qint64 curseur() const { return m_curseur; }
    /// Back to the first byte of the sound.
    void rembobine() { m_curseur = 0; }
    /// Other bytes for the same sound (the same sound at another volume): played on from the
    /// same place when the length is the same, from the beginning otherwise.
    void remplace(QByteArray octets)
    {
        if (octets.size() != m_octets.size())
            m_curseur = 0;
        m_octets = std::move(octets);
    }
    /// Another sound in place of this one, without a gap: for `trames` frames (16-bit mono) the
    /// sound that was playing, from where it was, fades out while the new one, from its start,
    /// fades in. A switch during a fade fades out from what was being heard then.
    void bascule(QByteArray octets, int trames);
    /// Frames of the fade still to be read (0 when none is under way).
    int fonduRestant() const { return m_fondu; }

protected:
    qint64 readData(char *data, qint64 maxlen) override;
    qint64 writeData(const char *data, qint64 len) override;

private:
    /// The next frame of a loop, moving its cursor on.
    static qint32 Trame(const QByteArray &octets, qint64 &curseur);

    QByteArray m_octets;
    qint64 m_curseur = 0;
    QByteArray m_ancien; ///< the sound fading out
    qint64 m_curseurAncien = 0;
    int m_fondu = 0;      ///< frames of the fade still to come
    int m_fonduTotal = 0; ///< its whole length
};
