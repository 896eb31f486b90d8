#pragma once

#include "audio/lecture.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class Boucle;
class QAudioSink;
class QIODevice;
class QMediaDevices;

// Loops test.wav on the system's default audio output through a QAudioSink.
//
// JoueSon takes its own copy of the samples at once and drops the sound in progress; the
// output stream is opened from the event loop right after, so the caller's handler is never
// held up. The copy is written to the stream in short slices from a timer of our own rather
// than pulled by the sink: a pulling sink waits for its first 20 ms tick before it reads
// anything, which would put every new sound that much late.
// Without any output (no sound server, no device) the program goes on silently and says so
// once in the log. When the default output changes while sound is on, the loop restarts on it.
// The change is also looked for on a slow timer: with PulseAudio, Qt 6.4 never emits
// QMediaDevices::audioOutputsChanged, and its default mark is trusted only when it sits on
// exactly one device (the server itself moves our stream to a new default meanwhile).
class LecteurQt : public QObject, public Lecture
{
    Q_OBJECT

public:
    /// Sound kept queued in the output: enough to ride out a busy user-interface thread,
    /// small enough that a device without rewind still answers quickly.
    static constexpr int TamponMs = 80;
    /// How often the output is topped up.
    static constexpr int PeriodeMs = 10;
    /// How often the default output is compared with the one in use while sound is on.
    static constexpr int VeilleMs = 250;

    LecteurQt(QString cheminTest, QString cheminSilence, QObject *parent = nullptr);
    ~LecteurQt() override;

    void JoueSon() override;
    void CoupeSon() override;

    /// True while a loop is being fed to an output device.
    bool enLecture() const { return m_enLecture; }
    /// The output in use, null when none.
    QAudioDevice peripherique() const { return m_enLecture ? m_peripherique : QAudioDevice(); }
    const QString &cheminTest() const { return m_cheminTest; }
    /// The silent file beside the program. Not played: the output is stopped directly,
    /// which leaves nothing of test.wav audible.
    const QString &cheminSilence() const { return m_cheminSilence; }

signals:
    /// The first samples of the sound asked for by the last JoueSon have been handed to the
    /// output; emitted again when the loop restarts on a new default output.
    void joue();

private:
    void demarre(const QAudioDevice &choisi = QAudioDevice());
    void alimente();
    void arrete();
    void jetteSortie();
    void surEtat();
    void perdu();
    void suitDefaut();
    void signaleSansSortie(const QString &raison);

    QString m_cheminTest;
    QString m_cheminSilence;
    QMediaDevices *m_peripheriques;
    QTimer m_demarrage;
    QTimer m_alimentation;
    QTimer m_veille;

    std::unique_ptr<Boucle> m_boucle; ///< copy of the sound asked for; null when sound is off
    QAudioFormat m_format;
    QAudioSink *m_sortie = nullptr;   ///< owned; kept from one sound to the next on the same output
    QAudioDevice m_peripherique;      ///< the device m_sortie was made for
    QIODevice *m_flux = nullptr;      ///< where samples are written while a loop runs
    QByteArray m_tranche;             ///< reused slice buffer
    bool m_enLecture = false;
    bool m_aAnnoncer = false;         ///< joue() still owed for the current start
    bool m_averti = false;            ///< the missing output was already reported
};
