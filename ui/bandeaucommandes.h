#pragma once

#include <QList>
#include <QObject>

class Bouton;
class CurseurVolume;
class Edition;
class MenuTimbres;
class QLabel;
class QWidget;

// The main window's top strip: the sound switch ("Ecouter le son produit" / "Silence !", one
// face at a time) with its no-output notice under it, the keyboard opener, the help icon, the
// "Timbres" menu and the listening volume. Its elements lie in the window itself.
class BandeauCommandes : public QObject
{
    Q_OBJECT

public:
    BandeauCommandes(QWidget *fenetre, Edition &edition);

    MenuTimbres &menu() const { return *m_menu; }
    CurseurVolume &volume() const { return *m_volume; }
    /// Its commands in reading order, for the window's Tab round.
    QList<QWidget *> ordreTab() const;
    /// The command that holds the focus when the window opens.
    QWidget *premier() const;

signals:
    void clavierDemande();
    void aideDemandee();

private slots:
    /// Shows the face of the sound switch and the notice that fit the session's sound and output.
    void montreSon();
    /// Opens the "Timbres" menu under its button.
    void ouvreMenu();

private:
    // The layout's handler names, each a click on the element of that name.
    void Play_Click();
    void TaGueule_Click();
    void Picture6_Click() { emit clavierDemande(); }
    void Image3_Click() { emit aideDemandee(); }
    void Timbres_Click() { ouvreMenu(); }

    Edition &m_edition;
    Bouton *m_play = nullptr;
    Bouton *m_taGueule = nullptr;
    Bouton *m_picture6 = nullptr;
    Bouton *m_image3 = nullptr;
    Bouton *m_timbres = nullptr;
    MenuTimbres *m_menu = nullptr;
    CurseurVolume *m_volume = nullptr;
    QLabel *m_avisSon = nullptr;
};
