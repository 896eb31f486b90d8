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

protected:
    qint64 readData(char *data, qint64 maxlen) override;
    qint64 writeData(const char *data, qint64 len) override;

private:
    QByteArray m_octets;
    qint64 m_curseur = 0;
};
