#pragma once

#include "model/curseur.h"

#include <QObject>

#include <functional>

class Edition;
class Surface;

// The spectrum edited from the keyboard, and what the plots tell about their values. With the
// keyboard focus on the spectrum, a cursor stands at a point of it and shows the mouse's preview
// line with a caption; the keys only choose the point and call the window's own pointer
// handlers there, so every edit follows the mouse's rules and commit:
//   Left / Right      one multiple of the fundamental (option on), else 10 Hz, Shift 1 Hz;
//   Up / Down         the amplitude by 0.5;
//   Enter / Return    adds there (a left click there);
//   Delete / Backspace removes the last component (a right click);
//   Ctrl+Left / Right the fundamental by one hertz (one drag step, then the drop).
// It also keeps the plots' accessible descriptions current and answers their tooltips.
class CurseurSpectre : public QObject
{
    Q_OBJECT

public:
    /// The main window's pointer handlers, in the spectrum's user coordinates.
    struct Gestes
    {
        std::function<void(float X, float Y)> survole;             ///< a move, no button held
        std::function<void(int bouton, float X, float Y)> relache; ///< a release: 1 left, 2 right
        std::function<void(float X)> glisse;                       ///< one drag step of the marker
        std::function<void()> lache;                               ///< the marker's drop
        std::function<void()> redessine;                           ///< the spectrum without preview
    };

    CurseurSpectre(Surface &spectre, Surface &temps, Edition &edition, Gestes gestes, QObject *parent);

    Curseur::Point point() const { return m_point; }
    /// Shown while the spectrum holds the keyboard focus.
    bool actif() const;
    /// One key press on the spectrum; false when the key is not the cursor's.
    bool Touche(int touche, Qt::KeyboardModifiers modificateurs, bool repetition);

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void montre();
    void cache();
    void decrit();

    Surface &m_spectre;
    Surface &m_temps;
    Edition &m_edition;
    Gestes m_gestes;
    Curseur::Point m_point;
    bool m_place = false;    ///< the cursor has had its start position
    bool m_occupe = false;   ///< a key's action runs: it redraws the cursor itself
};
