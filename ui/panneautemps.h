#pragma once

#include <QList>
#include <QObject>

#include <memory>

class Bouton;
class Edition;
class QRadioButton;
class QWidget;
class Surface;
class VueTemps;

// The main window's time panel: the time plot with its title, the nine time bases and the hide
// icon, over the grey placeholder that brings it back. Its elements lie in the window itself.
class PanneauTemps : public QObject
{
    Q_OBJECT

public:
    static constexpr int NombreBases = 9;

    PanneauTemps(QWidget *fenetre, Edition &edition);
    ~PanneauTemps() override;

    Surface &graphe() const { return *m_graphe; }
    VueTemps &vue() const { return *m_vue; }
    /// Its commands in reading order, for the window's Tab round.
    QList<QWidget *> ordreTab() const;

public slots:
    /// The time plot drawn again from the session's sound, at this quality.
    void trace(int qualite);
    /// Shows the plot panel, or hides it behind its placeholder.
    void montre(bool oui);
    /// The time base `index` chosen; a refused one leaves the base in force checked.
    void choisitBase(int index);

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    // The layout's handler names, each a click on the element of that name.
    void CacheTemp_Click() { montre(false); }
    void Picture3_Click() { montre(true); }
    void SensibiliteTemp_Click(int Index) { choisitBase(Index); }

    Edition &m_edition;
    QWidget *m_tour = nullptr;
    Bouton *m_picture3 = nullptr;
    Bouton *m_cacheTemp = nullptr;
    Surface *m_graphe = nullptr;
    std::unique_ptr<VueTemps> m_vue;
    QRadioButton *m_bases[NombreBases] = {};
};
