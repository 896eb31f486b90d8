#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

class QThread;
class CaptureSon;

// The microphone: a QAudioSource on a thread of its own, like the player, so that a sound server
// that stalls never holds the windows. Nothing is opened, nor even listed, before the first call
// that asks for it (suit or capte): the program starts as it did without a microphone.
//
// The thread hands values only: the list of inputs, whether one is usable, and blocks of mono
// samples. Qt 6.4 skips the server's monitor sources and takes the first other source for its
// default: the user picks an input from the list (choisit), and the choice is kept while that
// input is there; without it the first input listed is used. Inputs coming and going are followed
// by looking at Qt's list at a slow pace (its change signal does not come with PulseAudio).
class Micro : public QObject
{
    Q_OBJECT

public:
    struct Entree
    {
        QByteArray id;
        QString nom;
        bool operator==(const Entree &) const = default;
    };

    /// The shortest block handed: one live frame is made of each, so this caps them at 50 a second.
    static constexpr int BlocMs = 20;
    /// The server's fragment, asked of it as the source's buffer: Qt reads the stream once a
    /// fragment, so a block is handed at most this long after it is whole.
    static constexpr int FragmentMs = 10;
    /// How often the list of inputs is looked at.
    static constexpr int VeilleMs = 500;
    /// How long closing the program waits for a capture thread stuck in the sound server (see
    /// LecteurQt::FinMs).
    static constexpr int FinMs = 200;

    explicit Micro(QObject *parent = nullptr);
    ~Micro() override;

    /// Starts following the inputs (entreesChange, disponibleChange) without opening any.
    void suit();
    /// The input to use, by id; empty: the first one listed. Takes effect at once when capturing.
    void choisit(const QByteArray &id);
    /// Starts or stops capturing (blocs). While capturing with no usable input, one is looked for.
    void capte(bool oui);

    /// True once a capture thread that did not answer at its end was left behind.
    static bool Abandonne();

    bool capture() const { return m_capte; }
    /// As the capture thread last said.
    bool disponible() const { return m_disponible; }
    QList<Entree> entrees() const { return m_entrees; }
    /// The id of the input being captured, as last said; empty when none.
    QByteArray enCours() const { return m_enCours; }

signals:
    /// The inputs Qt offers, in its order.
    void entreesChange(QList<Micro::Entree> entrees);
    /// An input is there (and, while capturing, open and delivering) or none is.
    void disponibleChange(bool disponible);
    /// The input captured from now on (empty: none).
    void entreeOuverte(QByteArray id);
    /// The input being captured was lost (it went away or failed) while capturing.
    void perdue();
    /// New samples, mono, −1..1, at `frequence` samples per second.
    void bloc(QList<float> echantillons, int frequence);

private:
    void lance();

    QThread *m_fil = nullptr;
    CaptureSon *m_capture = nullptr;
    bool m_capte = false;
    bool m_disponible = false;
    QList<Entree> m_entrees;
    QByteArray m_enCours;
};

Q_DECLARE_METATYPE(Micro::Entree)
