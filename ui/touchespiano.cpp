#include "ui/touchespiano.h"

#include <array>
#include <utility>

namespace TouchesPiano {

namespace {

// evdev codes of the two rows (KEY_A .. KEY_SEMICOLON, and KEY_W, E, T, Y, U, O, P).
constexpr int Decalage = 8;
constexpr std::array<std::pair<int, int>, 17> Touches{{
    {30, 12}, {31, 14}, {32, 16}, {33, 17}, {34, 19}, {35, 21}, {36, 23}, {37, 24}, {38, 26}, {39, 28},
    {17, 13}, {18, 15}, {20, 18}, {21, 20}, {22, 22}, {24, 25}, {25, 27},
}};

} // namespace

int Note(quint32 codeNatif)
{
    for (const auto &[evdev, note] : Touches)
        if (codeNatif == quint32(evdev + Decalage))
            return note;
    return -1;
}

} // namespace TouchesPiano
