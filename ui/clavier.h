#pragma once

#include "ui/edition.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QPushButton;

// The keyboard window "Clavier": 49 keys over four octaves. A press on a key moves the
// fundamental to that note and rescales the other components with it, so the timbre stays.
// A tool window of its own (no Qt parent): it may outlive the main window. It talks to the
// editing session only; once the session is gone (the main window closed), presses are ignored.
class Clavier : public QWidget
{
    Q_OBJECT

public:
    static constexpr int NombreTouches = Edition::NombreNotes;

    explicit Clavier(Edition *edition);

    /// A press on key `Index` (any mouse button, acted on at the press).
    void note_MouseDown(int Index);

    /// True for the keys drawn black (C♯, D♯, F♯, G♯, A♯).
    static bool EstNoire(int Index);
    /// The key's French name with its octave, e.g. "La 3" or "Do dièse 2".
    static QString NomNote(int Index);

    QPushButton *touche(int Index) const { return m_touches.at(Index); }

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void construit();

    QPointer<Edition> m_edition;
    std::array<QPushButton *, NombreTouches> m_touches{};
    bool m_enfonce = false; ///< a key press has had no release yet
};
