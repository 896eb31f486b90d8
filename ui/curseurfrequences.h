#pragma once

#include "model/curseur.h"

#include <QObject>

class Edition;
class Surface;

// The spectrum edited from the keyboard. With the keyboard focus on the spectrum, a cursor stands
// at a point of it and shows the mouse's preview line with a caption; the keys only choose the
// point and call the session's intents there, so every edit follows the mouse's rules and commit:
//   Left / Right      one multiple of the fundamental (option on), else 10 Hz, Shift 1 Hz;
//   Up / Down         the amplitude by 0.5;
//   Enter / Return    adds there (a left click there);
//   Delete / Backspace removes the last component (a right click);
//   Ctrl+Left / Right the fundamental by one hertz (one drag step, then the drop).
// The preview comes back whenever the session redraws the spectrum without it.
class CurseurSpectre : public QObject
{
    Q_OBJECT

public:
    CurseurSpectre(Surface &spectre, Edition &edition, QObject *parent);

    Curseur::Point point() const { return m_point; }
    /// Shown while the spectrum holds the keyboard focus.
    bool actif() const;
    /// One key press on the spectrum; false when the key is not the cursor's.
    bool Touche(int touche, Qt::KeyboardModifiers modificateurs, bool repetition);

signals:
    /// The cursor was shown at `point`, or hidden (`visible` false).
    void change(bool visible, Curseur::Point point);

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    bool dansZone() const;
    void montre();
    void cache();

    Surface &m_spectre;
    Edition &m_edition;
    Curseur::Point m_point;
    bool m_place = false; ///< the cursor has had its start position
};
