#pragma once

#include "model/defi.h"

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <vector>

class Bouton;
class Edition;
class QLabel;
class QLineEdit;
class QTableWidget;
class PanneauFrequences;

// The "Défi d'écoute" window: a hidden timbre, made from a challenge number and a level, to
// hear and rebuild in the main window's table. Its commands hear the challenge or the table,
// score the table against it, reveal one hidden component at a time (each hint costs 10
// points) or the whole hidden spectrum on the main window's spectrum; the session's scores are
// kept in a small table. A tool window of its own, like the keyboard; it talks to the session
// and to the spectrum panel's view only, and does nothing once they are gone.
class DefiEcoute : public QWidget
{
    Q_OBJECT

public:
    /// One checked round: its challenge, its level, the hints taken and the score last shown.
    struct Ligne
    {
        int numero = 0;
        int niveau = 0;
        int indices = 0;
        int score = 0;
        bool operator==(const Ligne &) const = default;
    };

    DefiEcoute(Edition *edition, PanneauFrequences *spectre);
    ~DefiEcoute() override;
    /// The main window is gone: the commands change nothing there any more.
    void detache();

    const Defis::Defi &defi() const { return m_defi; }
    /// The hidden timbre on the table's current fundamental.
    Timbre cible() const;
    /// The harmonics the hints revealed, in their order.
    const std::vector<int> &indices() const { return m_indices; }
    bool solutionMontree() const { return m_solution; }
    /// What "Vérifier" showed last; none before the round's first check.
    const std::optional<Defis::Resultat> &resultat() const { return m_resultat; }
    const QList<Ligne> &scores() const { return m_scores; }
    /// The points of the spectrum's hidden layer this window sets (empty: none).
    const QList<QPointF> &marques() const { return m_marques; }

    /// The hidden timbre's samples (16-bit little-endian mono, 44100 Hz), as the player takes them.
    QByteArray echantillons() const;
    /// A new round on this challenge and level (both brought into their ranges).
    void choisit(int numero, int niveau);

signals:
    /// F1 in this window: the main window opens its help.
    void aideDemandee();

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void construit();
    void nouveau();
    void ecouteDefi();
    void ecouteMonSon();
    void suitLeDefiJoue();
    void verifie();
    void indice();
    void solution();
    void numeroSaisi();
    /// The hidden layer of the spectrum from the hints (or the whole solution), and its redraw.
    void marque();
    void montreNiveau();
    int fondamentale() const;

    QPointer<Edition> m_edition;
    QPointer<PanneauFrequences> m_spectre;
    Defis::Defi m_defi;
    std::vector<int> m_indices;
    bool m_solution = false;
    std::optional<Defis::Resultat> m_resultat;
    QList<Ligne> m_scores;
    int m_ligneCourante = -1; ///< the row of this round in the table, once checked
    QList<QPointF> m_marques;
    int m_fondamentaleMarquee = 0;
    int m_fondamentaleJouee = 0;

    QList<Bouton *> m_niveaux;
    QLineEdit *m_numero = nullptr;
    QLabel *m_score = nullptr;
    QLabel *m_verdicts[12] = {};
    QLabel *m_etat = nullptr;
    QTableWidget *m_tableau = nullptr;
};
