#pragma once

#include <QByteArray>

#include <functional>

class QObject;

// Looped playback of the program's sound, behind a narrow interface so that the synthesis and
// the windows can be tested with a recording double instead of a sound device.
class Lecture
{
public:
    virtual ~Lecture() = default;
    /// The samples of the newest synthesis (16-bit little-endian mono, 44100 Hz): what the next
    /// JoueSon plays. The sound is never read back from test.wav.
    virtual void FixeSon(const QByteArray &echantillons) = 0;
    /// Start looping the newest sound; any sound in progress stops first. Returns at once.
    virtual void JoueSon() = 0;
    /// Switch the loop, while it plays, to these samples (16-bit little-endian mono, 44100 Hz)
    /// without a gap: a short cross-fade (FonduMs) from the sound playing, on the player's
    /// thread. Returns at once. When sound is off it only replaces what the next JoueSon plays.
    virtual void BasculeSon(const QByteArray &echantillons) = 0;
    /// Length of BasculeSon's cross-fade.
    static constexpr int FonduMs = 10;
    /// Stop the loop: nothing of the sound stays audible. Returns at once.
    virtual void CoupeSon() = 0;
    /// The listening volume in decibels over the file's level (see Volume): applied to what is
    /// sent to the output, never to the samples handed by FixeSon nor to test.wav. Returns at once.
    virtual void FixeVolume(double decibels) = 0;
    /// Calls `quoi(false)` when sound cannot reach the user (no output could be found or opened,
    /// or the output in use was lost) and `quoi(true)` when an output is there again: first right
    /// away with the present state, then at each change, on `contexte`'s thread, for as long as
    /// `contexte` lives. A player that cannot lose its output has nothing to report.
    virtual void SuitSortie(QObject *contexte, std::function<void(bool disponible)> quoi)
    {
        (void)contexte;
        quoi(true);
    }
};
