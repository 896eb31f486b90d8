#pragma once

#include <QtGlobal>

#include <functional>

class QKeyEvent;
class QWidget;

// The computer keyboard as a piano: the home row plays the white keys from Do 3 up, the row above
// it the black keys between them. Keys are taken by their physical place (the native scan code),
// not by the character they type, so that an AZERTY and a QWERTY keyboard play the same notes
// from the same places:
//   AZERTY   Z E   T Y U   O P             QWERTY   W E   T Y U   O P
//           Q S D F G H J K L M                    A S D F G H J K L ;
namespace TouchesPiano {

/// The key of the keyboard window (0 = the lowest C) played by the computer key whose native scan
/// code (the evdev code + 8, as X11 and Wayland report it) is `codeNatif`; −1 when it plays none.
int Note(quint32 codeNatif);

/// The key a key press plays: −1 when it plays none, or when Ctrl, Alt or Meta is held (those
/// combinations are the windows' shortcuts).
int Note(const QKeyEvent &event);

/// Lets `fenetre` be played from the computer keyboard: a press of a piano key that no control of
/// the window took calls `joue` with the note, once (auto-repeats are swallowed).
void Relie(QWidget *fenetre, std::function<void(int)> joue);

} // namespace TouchesPiano
