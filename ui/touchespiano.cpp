#include "ui/touchespiano.h"

#include <QKeyEvent>
#include <QWidget>

#include <array>
#include <utility>

namespace TouchesPiano {

namespace {

// evdev codes of the two rows (KEY_A .. KEY_SEMICOLON, and KEY_W, E, T, Y, U, O, P).
constexpr int Decalage = 8;
constexpr std::array<std::pair<int, int>, 17> Touches{{
    {30, 12},
    {31, 14},
    {32, 16},
    {33, 17},
    {34, 19},
    {35, 21},
    {36, 23},
    {37, 24},
    {38, 26},
    {39, 28},
    {17, 13},
    {18, 15},
    {20, 18},
    {21, 20},
    {22, 22},
    {24, 25},
    {25, 27},
}};

// Sees the key presses that reach the window: those its focused control did not take (Tab,
// arrows, Space and Enter stay the controls'), since a key event climbs to the window only
// when ignored on the way.
class Ecouteur : public QObject
{
public:
    Ecouteur(QWidget *fenetre, std::function<void(int)> joue) : QObject(fenetre), m_joue(std::move(joue)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *touche = static_cast<QKeyEvent *>(event);
        const int note = Note(*touche);
        if (note < 0)
            return false;
        // Held down, a key plays once: the press is the note, not the repeats.
        if (!touche->isAutoRepeat())
            m_joue(note);
        touche->accept();
        return true;
    }

private:
    std::function<void(int)> m_joue;
};

} // namespace

int Note(quint32 codeNatif)
{
    for (const auto &[evdev, note] : Touches)
        if (codeNatif == quint32(evdev + Decalage))
            return note;
    return -1;
}

int Note(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return -1;
    return Note(event.nativeScanCode());
}

void Relie(QWidget *fenetre, std::function<void(int)> joue)
{
    fenetre->installEventFilter(new Ecouteur(fenetre, std::move(joue)));
}

} // namespace TouchesPiano
