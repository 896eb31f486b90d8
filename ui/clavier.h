#pragma once

#include "session/edition.h"
#include "ui/aide.h"

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
    /// The main window that opened it is gone: the keys play nothing any more.
    void detache() { m_edition = nullptr; }

    /// A press on key `Index` (any mouse button, acted on at the press).
    void note_MouseDown(int Index);

    /// True for the keys drawn black (C♯, D♯, F♯, G♯, A♯).
    static bool EstNoire(int Index);
    /// The key's French name with its octave, e.g. "La 3" or "Do dièse 2".
    static QString NomNote(int Index);
    /// The name with the note's frequency, e.g. "La 3 — 440 Hz": the key's tooltip and accessible name.
    static QString Libelle(int Index);

    /// The key pressed last (highlighted), or −1 before the first press.
    int derniere() const { return m_derniere; }

    QPushButton *touche(int Index) const { return m_touches.at(Index); }

signals:
    /// F1 in this window: the main window opens its help.
    void aideDemandee();

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void construit();
    void marque(int Index);
    void ouvreAide();

    QPointer<Edition> m_edition;
    std::array<QPushButton *, NombreTouches> m_touches{};
    bool m_enfonce = false; ///< a key press has had no release yet
    int m_derniere = -1;
    QPointer<Aide> m_aide; ///< the help opened from here once the main window is gone
};
