#pragma once

#include "audio/lecture.h"

#include <QAudioDevice>
#include <QObject>

#include <memory>

class QThread;
class SortieSon;

// Loops the program's sound on the system's default audio output through a QAudioSink.
//
// Everything that talks to the sound server (opening, starting and stopping the output,
// following the default output) runs on a thread of its own: a server that stalls or dies
// costs the windows nothing. JoueSon and CoupeSon only leave a request and return; the player
// thread always acts on the newest one, so requests made while the server does not answer
// collapse into the last. The sound is the samples handed by FixeSon, never a file read back.
// Without any output (no sound server, no device) the program goes on silently and says so
// once in the log, and tells SuitSortie's followers, which hear again when an output comes back.
// When the default output changes while sound is on, the loop restarts on it.
class LecteurQt : public QObject, public Lecture
{
    Q_OBJECT

public:
    /// Sound kept queued in the output: enough to ride out a busy moment, small enough that a
    /// device without rewind still answers quickly.
    static constexpr int TamponMs = 80;
    /// How often the output is topped up.
    static constexpr int PeriodeMs = 10;
    /// How often the default output is compared with the one in use while sound is on.
    static constexpr int VeilleMs = 250;
    /// How long closing the program waits for a player stuck in an unresponsive server: the
    /// program must be gone within a second of its last window, the microphone's wait included.
    static constexpr int FinMs = 200;
    /// Qt's sound service is made anew at most this often, and only once the server answers.
    static constexpr int RelanceMs = 1000;
    /// How long the player thread asks whether the server answers, at each look while none does.
    static constexpr int SondeMs = 300;
    /// Qt's own reconnection runs this long after its server died; not to be raced.
    static constexpr int RepriseQtMs = 3500;

    /// What the player thread is doing.
    enum class Etat {
        Arrete,     ///< no sound wanted
        EnLecture,  ///< the loop is fed to an output
        SansSortie, ///< a sound is wanted but no output could be opened; looked for again
    };
    Q_ENUM(Etat)

    explicit LecteurQt(QObject *parent = nullptr);
    ~LecteurQt() override;

    void FixeSon(const QByteArray &echantillons) override;
    void JoueSon() override;
    void CoupeSon() override;
    void BasculeSon(const QByteArray &echantillons) override;

    /// The listening volume in decibels over the file's level (see Volume): applied to what is
    /// sent to the output, at once, even to the loop in progress. Returns at once.
    void FixeVolume(double decibels) override;
    double volume() const { return m_decibels; }

    void SuitSortie(QObject *contexte, std::function<void(bool disponible)> quoi) override;
    /// False from the moment the player thread found no output (none at start-up, none to open,
    /// the one in use lost) until it finds one again.
    bool sortieDisponible() const { return m_disponible; }

    /// True while the newest request is a loop being fed to an output device.
    bool enLecture() const;
    /// The output in use, null when none.
    QAudioDevice peripherique() const;

    /// True once a player thread that did not answer at its end was left behind.
    static bool Abandonne();

    struct Commun;

signals:
    /// The first samples of the sound asked for by the last JoueSon have been handed to the
    /// output; emitted again when the loop restarts on a new default output.
    void joue();
    /// The player thread changed state.
    void etatChange(LecteurQt::Etat etat);
    /// An output could not be found or was lost (false), or is there again (true).
    void sortieChange(bool disponible);

private:
    void demande(bool jouer);

    std::shared_ptr<Commun> m_commun;
    QThread *m_fil = nullptr;
    SortieSon *m_sortie = nullptr;
    QByteArray m_son;         ///< the newest samples handed by FixeSon
    quint64 m_numero = 0;     ///< of the newest request
    bool m_jouer = false;     ///< the newest request is a loop
    double m_decibels = 0.0;  ///< the listening volume
    bool m_disponible = true; ///< as the player thread last said
};
