#pragma once

// A player that plays nothing: the benchmarks time the windows and the session, not the sound server.

#include "audio/lecture.h"

#include <QByteArray>

namespace Banc {

struct LectureMuette : Lecture
{
    int bascules = 0; ///< switches handed over, so a benchmark can check its steps reached the player
    void FixeSon(const QByteArray &) override {}
    void JoueSon() override {}
    void CoupeSon() override {}
    void BasculeSon(const QByteArray &) override { ++bascules; }
    void FixeVolume(double) override {}
};

} // namespace Banc
