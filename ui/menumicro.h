#pragma once

#include "audio/micro.h"

#include <QMenu>

class DescriptionsVues;
class Direct;
class Edition;
class PanneauFrequences;
class QAction;
class QLabel;
class QTimer;
namespace AnalyseSon {
struct Resultat;
}

// The "Micro" menu and what it shows: the input list ("Entrée"), live listening (Ctrl+M), the
// 3 s recording analysed into the table (Ctrl+Shift+M) and the save of that recording. The live
// spectrum goes to the spectrum's live layer, the pitch and the countdown to a caption of the
// spectrum panel, "Aucun micro" to a notice beside it; the spectrum's description ends with the
// pitch, at most twice a second. Nothing here changes the table, but the recording's analysis.
// The microphone is made and asked for nothing until one of these commands is used.
class MenuMicro : public QMenu
{
    Q_OBJECT

public:
    /// A live pitch reaches the spectrum's description at most this often.
    static constexpr int DescriptionMs = 500;
    /// A recording that gets no sample this long after it was asked for is given up.
    static constexpr int AttenteMs = 2000;

    MenuMicro(QWidget *fenetre, Edition &edition, PanneauFrequences &panneau, DescriptionsVues &descriptions);
    ~MenuMicro() override;

    QAction *direct() const { return m_direct; }
    QAction *enregistrement() const { return m_enregistre; }
    QAction *sauvegarde() const { return m_sauve; }
    QMenu *entrees() const { return m_entrees; }
    QLabel *avis() const { return m_avis; }
    QLabel *info() const { return m_info; }
    /// Made on first use.
    Micro &micro();

    /// "Micro : 220 Hz — La 2" (caption) or " (La 2)" style for the description: the nearest key
    /// of the program's keyboard tuning, named as the keyboard names it, any octave.
    static QString Note(double hertz);

public slots:
    void ecouteDirect(bool oui);
    /// Starts a 3 s recording; refused (with a message) while one runs.
    void enregistre();
    /// Asks for a WAV name and saves the last recording there.
    void sauveOriginal();
    /// Saves the last recording at `chemin`; false with the reason in `pourquoi`.
    bool sauveOriginal(const QString &chemin, QString *pourquoi);

signals:
    /// A recording was refused or could not be saved; `pourquoi` also shown in a message.
    void refuse(QString pourquoi);

private:
    void captureVoulue();
    void montreEtat();
    void decrit();
    void montreEntrees(const QList<Micro::Entree> &entrees);
    void finEnregistrement(const AnalyseSon::Resultat &resultat);
    void signale(const QString &pourquoi);

    QWidget *m_fenetre;
    Edition &m_edition;
    PanneauFrequences &m_panneau;
    DescriptionsVues &m_descriptions;
    Micro *m_micro = nullptr;
    Direct *m_analyse = nullptr;
    QMenu *m_entrees = nullptr;
    QAction *m_direct = nullptr;
    QAction *m_enregistre = nullptr;
    QAction *m_sauve = nullptr;
    QLabel *m_avis = nullptr;
    QLabel *m_info = nullptr;
    QTimer *m_description = nullptr;
    QTimer *m_attente = nullptr;
    double m_hauteur = 0.0;
    bool m_aEuTrame = false;
    int m_compte = 0;
};
