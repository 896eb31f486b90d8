#pragma once

#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/contexte.h"
#include "ui/marqueur.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class Bouton;
class CurseurSpectre;
class DescriptionsVues;
class VueSpectre;
class VueTemps;
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
// the help icon. Its constructor runs the session's start-up (the default sound, or the timbre
// it is given, drawn and written, sound off). Handlers carry the names of the events they answer;
// pointer positions reach them already converted to the plot's user coordinates.
class Synthetiseur : public QWidget
{
    Q_OBJECT

public:
    /// Starts on `depart` (a timbre from the command line) instead of the default sound, when given.
    explicit Synthetiseur(Contexte contexte, const Timbre *depart = nullptr, QWidget *parent = nullptr);
    ~Synthetiseur() override;

    /// The time plot drawn again from the session's sound, at this quality.
    void TraceTemporel(int Qualite);
    /// The spectrum drawn again from the session's sound, without a preview line.
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
    void Timbres_Click();

    // The timbre menu's commands.
    /// Asks for a .timbre file and opens it.
    void Ouvrir();
    /// Opens the file at `chemin`; a refused file is reported in a message box and changes nothing.
    bool OuvreFichier(const QString &chemin);
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
    VueSpectre &vueSpectre() const { return *m_vueSpectre; }
    VueTemps &vueTemps() const { return *m_vueTemps; }
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
    void Charge(const Timbre *depart);
    void relieEdition();
    void construitMenuTimbres();
    void montreSon();
    void apresZoom();

    Contexte m_ctx;
    Edition *m_edition;
    Surface *m_spectre = nullptr;
    Surface *m_grapheTemp = nullptr;
    std::unique_ptr<VueSpectre> m_vueSpectre;
    std::unique_ptr<VueTemps> m_vueTemps;
    DescriptionsVues *m_descriptions = nullptr;
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
