#pragma once

#include <QObject>
#include <QSize>

#include <array>

class QWidget;

// The zoom shared by the windows of a run, for projection and small screens. Every window that
// follows it is laid out again at each step: rectangles from their twips, fonts, frames, pictures,
// pointers and plots, all scaled by the same factor. Ctrl++ (or Ctrl+=, or the keypad's +),
// Ctrl+- and Ctrl+0 in any of those windows change it; the user's choice is remembered between
// runs when memorise() is on.
class Loupe : public QObject
{
    Q_OBJECT

public:
    static constexpr std::array<int, 7> Pas{50, 75, 100, 125, 150, 175, 200};
    /// The main window's size at 100 %, the largest of the program's windows.
    static constexpr QSize TaillePrincipale{1024, 624};

    explicit Loupe(QObject *parent = nullptr);

    int pourcents() const { return m_pourcents; }
    double facteur() const { return m_pourcents / 100.0; }

    /// Sets the zoom to the step nearest `pourcents`; not remembered.
    void fixe(int pourcents);
    /// The user's choice: fixe(), remembered when memorise() is on.
    void choisit(int pourcents);
    void agrandit();
    void reduit();
    void retablit();
    /// Whether the user's choices are written to the settings.
    void memorise(bool oui) { m_memorise = oui; }
    /// The zoom remembered in the settings, 100 when none (or an unknown value) is there.
    static int Memorisee();

    /// Lays `fenetre` out at the zoom now and at each change, keeps it on its screen, and gives it
    /// the zoom shortcuts (and F11 for full screen when `pleinEcran`).
    void suit(QWidget *fenetre, bool pleinEcran = false);
    /// Full screen at the largest step that fits the screen, or back to the window and its zoom.
    void basculePleinEcran(QWidget *fenetre);

    /// The largest step not above `voulu` at which a window of `aCent` (its size at 100 %) fits in
    /// `disponible`; the smallest step when none does.
    static int PasQuiTient(QSize disponible, QSize aCent, int voulu);
    /// Lays out `fenetre` and its elements at `zoom` (1 = the layout's own pixels).
    static void Applique(QWidget *fenetre, double zoom);

signals:
    void change(int pourcents);

private:
    int m_pourcents = 100;
    bool m_memorise = false;
    int m_avantPleinEcran = 100;
};
