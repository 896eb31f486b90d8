#pragma once

// Looped playback of test.wav, behind a narrow interface so that the synthesis and the
// windows can be tested with a recording double instead of a sound device.
class Lecture
{
public:
    virtual ~Lecture() = default;
    /// Start looping the newest test.wav; any sound in progress stops first. Returns at once.
    virtual void JoueSon() = 0;
    /// Stop the loop: nothing of test.wav stays audible. Returns at once.
    virtual void CoupeSon() = 0;
};
