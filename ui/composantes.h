#pragma once

#include "model/son.h"

#include <QPointer>
#include <QWidget>

#include <array>

class Edition;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The "Composantes" window: one row per component of the table, in its order, with its number,
// its frequency, its amplitude (a slider and a field) and two toggles, muette and solo. Every
// change of a value goes through the session's intents (one undo step each, a slider's whole
// drag being one); the toggles change only what is heard, through the session's mask, never the
// table nor test.wav. The rows follow the table whenever it changes elsewhere. A tool window of
// its own, drawn like the keyboard; closing it lets every component be heard again.
class Composantes : public QWidget
{
    Q_OBJECT

public:
    explicit Composantes(Edition *edition);
    ~Composantes() override;
    /// The main window is gone: the window closes, there is nothing left to edit.
    void detache();

    /// The controls of row i (1 to 10).
    QSpinBox *frequence(int i) const { return m_lignes.at(i).frequence; }
    QSlider *curseur(int i) const { return m_lignes.at(i).curseur; }
    QDoubleSpinBox *amplitude(int i) const { return m_lignes.at(i).amplitude; }
    QPushButton *muette(int i) const { return m_lignes.at(i).muette; }
    QPushButton *solo(int i) const { return m_lignes.at(i).solo; }
    /// Rows shown: the table's components.
    int lignesMontrees() const;

signals:
    /// F1 in this window: the main window opens its help.
    void aideDemandee();

private:
    struct Ligne
    {
        QWidget *rangee = nullptr;
        QLabel *numero = nullptr;
        QSpinBox *frequence = nullptr;
        QSlider *curseur = nullptr;
        QDoubleSpinBox *amplitude = nullptr;
        QPushButton *muette = nullptr;
        QPushButton *solo = nullptr;
    };
    void construit();
    void construitLigne(int i);
    /// The rows from the table, without a signal back to the session.
    void suit();
    /// The toggles into the session's mask.
    void masque();

    QPointer<Edition> m_edition;
    std::array<Ligne, Son::Max + 1> m_lignes{}; ///< slot 0 unused
    QLabel *m_vide = nullptr;
    std::array<bool, Son::Max + 1> m_muettes{};
    int m_solo = 0;
};
