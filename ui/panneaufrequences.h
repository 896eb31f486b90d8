#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>

#include <memory>

class Bouton;
class CurseurSpectre;
class Edition;
class Marqueur;
class QCheckBox;
class QLabel;
class QWidget;
class Surface;
class VueSpectre;

// The main window's spectrum panel: the spectrum plot with the fundamental's marker and its
// keyboard cursor, its title, the scale note, the two options with their captions, the clear and
// hide icons, over the grey placeholder that brings it back. Its elements lie in the window itself.
class PanneauFrequences : public QObject
{
    Q_OBJECT

public:
    PanneauFrequences(QWidget *fenetre, Edition &edition);
    ~PanneauFrequences() override;

    Surface &spectre() const { return *m_spectre; }
    Marqueur &fondamental() const { return *m_fondamental; }
    VueSpectre &vue() const { return *m_vue; }
    CurseurSpectre &curseur() const { return *m_curseur; }
    bool afficheFreq() const;
    /// Its commands in reading order, for the window's Tab round.
    QList<QWidget *> ordreTab() const;

    /// A notice in the panel's free part (right of its title, `twips` in the panel), white on the
    /// panel's blue, hidden until shown; it is laid out at every zoom like the rest.
    QLabel *ajouteAvis(const char *nom, QRectF twips, const QString &texte);
    /// The notice of the components beyond the plot's right edge (hidden when there are none).
    QLabel *avisAuDela() const { return m_auDela; }

    /// The start-up's part of the panel: the frequencies' option in magenta, the multiples-only
    /// box showing the session's option.
    void prepare();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

public slots:
    /// The spectrum drawn again from the session's sound, without a preview line.
    void redessine();
    /// Moves the marker's left edge to `hertz` in the spectrum's x coordinate.
    void placeFondamental(double hertz);
    /// Shows the plot panel, or hides it behind its placeholder.
    void montre(bool oui);
    /// Shows or hides the measured spectrum of the last sound analysed, behind the lines.
    void montreMesure(bool oui);

private slots:
    /// The pointer moved over the spectrum with `boutons` held.
    void survole(int boutons, QPointF point);
    /// A button released over the spectrum: left adds a component there, right removes the last.
    void relache(int bouton, QPointF point);
    /// One step of the marker's drag, at `hertz`.
    void glisseFondamental(float hertz);
    /// The marker dropped: the drag's end commits.
    void lacheFondamental();

private:
    /// The notice says how many components lie beyond the plot's right edge, or hides.
    void montreAuDela();

    // The layout's handler names, each an event of the element of that name.
    void Spectre_MouseMove(int Button, int /*Shift*/, float X, float Y) { survole(Button, QPointF(X, Y)); }
    void Spectre_MouseUp(int Button, int /*Shift*/, float X, float Y) { relache(Button, QPointF(X, Y)); }
    void Spectre_DragOver(float X, float /*Y*/, int /*State*/) { glisseFondamental(X); }
    void Fondamental_DragDrop() { lacheFondamental(); }
    void Effacer_Click();
    void AfficheFreq_Click() { redessine(); }
    void Label6_Click();
    void Label11_Click();
    void CacheSpectre_Click() { montre(false); }
    void SpectreCache_Click() { montre(true); }

    Edition &m_edition;
    QWidget *m_tour = nullptr;
    Bouton *m_spectreCache = nullptr;
    Bouton *m_effacer = nullptr;
    Bouton *m_cacheSpectre = nullptr;
    Bouton *m_label6 = nullptr;
    Bouton *m_label11 = nullptr;
    QCheckBox *m_afficheFreq = nullptr;
    QCheckBox *m_musical = nullptr;
    Surface *m_spectre = nullptr;
    Marqueur *m_fondamental = nullptr;
    std::unique_ptr<VueSpectre> m_vue;
    CurseurSpectre *m_curseur = nullptr;
    QLabel *m_auDela = nullptr;
    QWidget *m_fenetre = nullptr;
    bool m_apercu = false; ///< a preview line is drawn
    bool m_montreMesure = true;
};
