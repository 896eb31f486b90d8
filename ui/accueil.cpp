#include "ui/accueil.h"

#include "plot/repere.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/elements.h"
#include "ui/loupe.h"
#include "ui/ressources.h"
#include "ui/synthetiseur.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

using namespace Couleurs;
using namespace Elements;

namespace {

} // namespace

Accueil::Accueil(Contexte contexte) : QFrame(nullptr, Qt::Window | Qt::FramelessWindowHint), m_ctx(contexte)
{
    setObjectName(QStringLiteral("accueil"));
    setAccessibleName(tr("Accueil"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The platform's common-controls initialisation has no counterpart here.
    construit();
    Centre(this);
    if (m_ctx.loupe)
        m_ctx.loupe->suit(this);
}

void Accueil::construit()
{
    Cadre(this);
    Fond(this, BleuNuit);
    const int bord = 2 * frameWidth();
    setFixedSize(RectangleTwips(0, 0, 9456, 4632).size() + QSize(bord, bord));
    Fenetre(this, QSizeF(9456, 4632));

    const QCursor main = Ressources::PointeurMain();

    // Created from the bottom up: a later sibling lies above an earlier one.
    QLabel *titre =
        Etiquette(this, "Label1", {120, 0, 7572, 852}, tr("Sonavirelle 2013"), Blanc, Police("Calibri", 36));
    Fond(titre, BleuNuit);

    auto *musique = BoutonImage(this, "Image1", {120, 960, 3564, 3564}, QStringLiteral(":/images/musique.svg"),
                                tr("Partition : démarrer"));
    connect(musique, &Bouton::clicked, this, &Accueil::Demarrer);

    QLabel *projet =
        Etiquette(this, "Label2", {6960, 3600, 2412, 372}, tr("Projet Sonavirelle"), Blanc, Police("Calibri", 13.8));
    Fond(projet, BleuNuit);
    QLabel *credit = Etiquette(this, "Label3", {6840, 3960, 2532, 612}, tr("Logiciel éducatif"), Blanc,
                               Police("Calibri", 10.2), Qt::AlignRight);
    Fond(credit, BleuNuit);

    auto *croix =
        BoutonImage(this, "Image2", {8760, 120, 576, 576}, QStringLiteral(":/images/croix.svg"), tr("Quitter"));
    // Nothing else is open yet and no sound plays: the run ends at once.
    connect(croix, &Bouton::clicked, this, [] { QCoreApplication::exit(0); });

    // The panel lies above every label and picture of the window.
    auto *panneau = new QFrame(this);
    panneau->setObjectName(QStringLiteral("Picture1"));
    Cadre(panneau);
    Fond(panneau, GrisFenetre);
    Place(panneau, 3840, 960, 5535, 2532);

    const QFont texte = Police("Calibri", 10.8);
    Etiquette(panneau, "Label4", {240, 120, 4932, 1332},
              tr("Sonavirelle permet de générer un son en choisissant les composantes qui le "
                 "constituent, ce qui illustre la notion de timbre d'un son musical."),
              GrisParagraphe, texte);
    Etiquette(panneau, "Label5", {240, 960, 4932, 1212},
              tr("On peut aussi ajouter des composantes de fréquences quelconques, non multiples "
                 "de celle du fondamental\u00a0: le son généré n'est alors plus un son musical."),
              GrisParagraphe, texte);

    auto *demarrer = new QPushButton(tr("Démarrer"), panneau);
    demarrer->setObjectName(QStringLiteral("Command1"));
    demarrer->setAccessibleName(tr("Démarrer"));
    FixePolice(demarrer, Police("Arial", 9));
    FixePointeur(demarrer, main);
    Place(demarrer, 1800, 1800, 1815, 615);
    connect(demarrer, &QPushButton::clicked, this, &Accueil::Demarrer);

    // Reading order: the cross at the top, the picture, then the button.
    setTabOrder(croix, musique);
    setTabOrder(musique, demarrer);
    // Space or Enter at once starts, as before: the button holds the focus when the window opens.
    demarrer->setFocus();
    m_demarrer = demarrer;

    auto *aide = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aide, &QShortcut::activated, this, [this] {
        if (!m_aide)
            m_aide = new Aide();
        m_aide->show();
        m_aide->raise();
        m_aide->activateWindow();
    });
}

void Accueil::keyPressEvent(QKeyEvent *event)
{
    // "Démarrer" is the window's default button: Enter presses it wherever the focus is, unless a
    // focused command takes Enter for itself (the commands press themselves, as everywhere).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        m_demarrer->click();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void Accueil::Demarrer()
{
    if (!m_principal) {
        m_principal = new Synthetiseur(m_ctx);
        m_principal->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_principal->show();
    // The main window is shown first, so closing this one never leaves the program windowless.
    close();
}
