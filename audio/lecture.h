#pragma once

#include <QByteArray>

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
    /// Stop the loop: nothing of the sound stays audible. Returns at once.
    virtual void CoupeSon() = 0;
};
