#pragma once

#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/contexte.h"
#include "ui/marqueur.h"

#include <QPointer>
#include <QWidget>

class Bouton;
class CurseurSpectre;
class CurseurVolume;
struct Timbre;
class QCheckBox;
class QMenu;
class QFrame;
class QLabel;
class QRadioButton;
class Edition;
class Loupe;
class Surface;

// The main window "Synthétiseur": the two plots, the sound switch, the keyboard opener and
// the help icon. Its constructor runs the start-up (default sound drawn and written, sound off).
// Handlers carry the names of the events they answer; pointer positions reach them already
// converted to the plot's user coordinates.
class Synthetiseur : public QWidget
{
    Q_OBJECT

public:
    explicit Synthetiseur(Contexte contexte, QWidget *parent = nullptr);
    ~Synthetiseur() override;

    // Drawing operations other windows call.
    void QuadrilleSpectre();
    void TraceSpectre();
    void TraceTemporel(int Qualite);
    /// Clear Spectre, QuadrilleSpectre, TraceSpectre.
    void RedessineSpectre();
    /// Moves the marker's left edge to `hertz` in the spectrum's x coordinate.
    void PlaceFondamental(double hertz);
    /// The marker's left edge in hertz (fractional, as the layout puts it).
    double PositionFondamental() const;

    /// The clear command (Effacer, and the last step of the start-up).
    void Efface();

    // Pointer handlers of the spectrum, in its user coordinates.
    void Spectre_MouseMove(int Button, int Shift, float X, float Y);
    void Spectre_MouseUp(int Button, int Shift, float X, float Y);
    void Spectre_DragOver(float X, float Y, int State);
    void Fondamental_DragDrop();

    // Click handlers.
    void Play_Click();
    void TaGueule_Click();
    void AfficheFreq_Click();
    void Label6_Click();
    void Label11_Click();
    void SensibiliteTemp_Click(int Index);
    void CacheSpectre_Click();
    void SpectreCache_Click();
    void CacheTemp_Click();
    void Picture3_Click();
    void Picture6_Click();
    void Image3_Click();
    void Label10_Click();
    void Picture5_Click();
    void Timbres_Click();

    // The timbre menu's commands.
    /// Asks for a .timbre file and opens it.
    void Ouvrir();
    /// Opens the file at `chemin`; a refused file is reported in a message box and changes nothing.
    bool OuvreFichier(const QString &chemin);
    /// Replaces the table with a timbre already read (the command line's).
    void OuvreTimbre(const Timbre &timbre);
    void EnregistrerSous();
    void ExporterSon();
    QMenu *menuTimbres() const { return m_menuTimbres; }

    Surface &spectre() const { return *m_spectre; }
    Surface &grapheTemp() const { return *m_grapheTemp; }
    Marqueur &fondamental() const { return *m_fondamental; }
    bool musical() const;
    bool afficheFreq() const;
    Clavier *clavier() const { return m_clavier; }
    Aide *aide() const { return m_aide; }
    const Contexte &contexte() const { return m_ctx; }
    Edition &edition() const { return *m_edition; }
    CurseurSpectre &curseur() const { return *m_curseur; }
    CurseurVolume &volume() const { return *m_volume; }
    Loupe &loupe() const { return *m_loupe; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void construit();
    void Charge();
    void relieEdition();
    void construitMenuTimbres();
    void montreSon();
    void apresZoom();

    Contexte m_ctx;
    Edition *m_edition;
    Surface *m_spectre = nullptr;
    Surface *m_grapheTemp = nullptr;
    Marqueur *m_fondamental = nullptr;
    Bouton *m_play = nullptr;
    Bouton *m_taGueule = nullptr;
    Bouton *m_spectreCache = nullptr;
    Bouton *m_picture3 = nullptr;
    Bouton *m_cacheTemp = nullptr;
    Bouton *m_effacer = nullptr;
    QWidget *m_tourSpectre = nullptr;
    QWidget *m_tourGrapheTemp = nullptr;
    QCheckBox *m_musical = nullptr;
    QCheckBox *m_afficheFreq = nullptr;
    QRadioButton *m_sensibilite[9] = {};
    QPointer<Clavier> m_clavier;
    QPointer<Aide> m_aide;
    Bouton *m_timbres = nullptr;
    CurseurSpectre *m_curseur = nullptr;
    QMenu *m_menuTimbres = nullptr;
    CurseurVolume *m_volume = nullptr;
    QLabel *m_avisSon = nullptr;
    Loupe *m_loupe = nullptr;
};
