#include "ui/bandeaucommandes.h"

#include "session/edition.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/curseurvolume.h"
#include "ui/elements.h"
#include "ui/menutimbres.h"

#include <QAccessible>
#include <QLabel>

using namespace Couleurs;
using namespace Elements;

BandeauCommandes::BandeauCommandes(QWidget *fenetre, Edition &edition) : QObject(fenetre), m_edition(edition)
{
    // The button panels' pictures and captions let the clicks through to the panel.
    const auto e = Construit(
        fenetre,
        {
            {"Image3",
             nullptr,
             Genre::BoutonImage,
             {8520, 120, 612, 612},
             QT_TR_NOOP("Aide"),
             {},
             {},
             0,
             ":/images/aide.svg",
             QT_TR_NOOP("Aide")},
            {"Play",
             nullptr,
             Genre::BoutonPanneau,
             {120, 120, 3372, 492},
             QT_TR_NOOP("Ecouter le son produit"),
             {},
             BleuNuit},
            {"Image1",
             "Play",
             Genre::Image,
             {120, 0, 444, 444},
             QT_TR_NOOP("Ecouter le son produit"),
             {},
             {},
             0,
             ":/images/hautparleur.svg"},
            {"Label3",
             "Play",
             Genre::Etiquette,
             {720, 120, 2532, 372},
             QT_TR_NOOP("Ecouter le son produit"),
             Blanc,
             {},
             12},
            {"TaGueule", nullptr, Genre::BoutonPanneau, {120, 120, 3372, 492}, QT_TR_NOOP("Silence !"), {}, BleuNuit},
            {"Image4",
             "TaGueule",
             Genre::Image,
             {120, 0, 444, 444},
             QT_TR_NOOP("Silence !"),
             {},
             {},
             0,
             ":/images/hautparleur-muet.svg"},
            {"Label13", "TaGueule", Genre::Etiquette, {720, 96, 2532, 372}, QT_TR_NOOP("Silence !"), Blanc, {}, 12},
            {"Picture6",
             nullptr,
             Genre::BoutonPanneau,
             {3720, 120, 3972, 492},
             QT_TR_NOOP("Afficher le clavier"),
             {},
             BleuNuit},
            {"Image6",
             "Picture6",
             Genre::Image,
             {2160, 0, 1848, 480},
             QT_TR_NOOP("Afficher le clavier"),
             {},
             {},
             0,
             ":/images/clavier.svg"},
            {"Label14",
             "Picture6",
             Genre::Etiquette,
             {120, 96, 2532, 372},
             QT_TR_NOOP("Afficher le clavier"),
             Blanc,
             {},
             12},
            // The timbre menu's opener, in the free part of the strip right of the help icon.
            {"Timbres", nullptr, Genre::BoutonPanneau, {9360, 120, 2160, 492}, QT_TR_NOOP("Timbres"), {}, BleuNuit},
            {"Label15", "Timbres", Genre::Etiquette, {120, 96, 1920, 372}, QT_TR_NOOP("Timbres"), Blanc, {}, 12},
            // Says that the panel opens a menu, right of its caption.
            {"FlecheTimbres",
             "Timbres",
             Genre::Image,
             {1860, 186, 180, 120},
             nullptr,
             {},
             {},
             0,
             ":/images/fleche.svg"},
        },
        "BandeauCommandes");
    m_image3 = static_cast<Bouton *>(e.value(QStringLiteral("Image3")));
    m_play = static_cast<Bouton *>(e.value(QStringLiteral("Play")));
    m_taGueule = static_cast<Bouton *>(e.value(QStringLiteral("TaGueule")));
    m_picture6 = static_cast<Bouton *>(e.value(QStringLiteral("Picture6")));
    m_timbres = static_cast<Bouton *>(e.value(QStringLiteral("Timbres")));
    m_taGueule->hide();
    connect(m_image3, &Bouton::clicked, this, &BandeauCommandes::Image3_Click);
    connect(m_play, &Bouton::clicked, this, &BandeauCommandes::Play_Click);
    connect(m_taGueule, &Bouton::clicked, this, &BandeauCommandes::TaGueule_Click);
    connect(m_picture6, &Bouton::clicked, this, &BandeauCommandes::Picture6_Click);
    connect(m_timbres, &Bouton::clicked, this, &BandeauCommandes::Timbres_Click);
    m_menu = new MenuTimbres(fenetre, m_edition);

    // The listening volume, in the strip's free part right of the timbre menu.
    auto *legendeVolume =
        Etiquette(fenetre, "LabelVolume", {11760, 216, 1080, 372}, tr("Volume"), Qt::black, Police("Calibri", 12));
    m_volume = new CurseurVolume(fenetre);
    m_volume->setObjectName(QStringLiteral("Volume"));
    Place(m_volume, 12840, 120, 2412, 492);
    legendeVolume->setBuddy(m_volume);
    m_edition.FixeVolume(m_volume->decibels());
    connect(m_volume, &CurseurVolume::valueChanged, &m_edition, [this] { m_edition.FixeVolume(m_volume->decibels()); });

    // Said where the sound command is, in the gap between the strip and the time plot.
    m_avisSon = Etiquette(fenetre, "AvisSon", {120, 612, 7572, 228}, tr("Aucune sortie son"), BleuNuit,
                          Police("Calibri", 10.2));
    QFont gras = m_avisSon->font();
    gras.setBold(true);
    m_avisSon->setFont(gras);
    m_avisSon->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_avisSon->setAccessibleName(m_avisSon->text());
    m_avisSon->hide();

    connect(&m_edition, &Edition::sonChange, this, &BandeauCommandes::montreSon);
    connect(&m_edition, &Edition::sortieChange, this, &BandeauCommandes::montreSon);
    montreSon();
}

QList<QWidget *> BandeauCommandes::ordreTab() const
{
    return {m_play, m_taGueule, m_picture6, m_image3, m_timbres, m_volume};
}

QWidget *BandeauCommandes::premier() const
{
    return m_play;
}

void BandeauCommandes::Play_Click()
{
    m_edition.Ecoute();
}

void BandeauCommandes::TaGueule_Click()
{
    m_edition.Coupe();
}

void BandeauCommandes::ouvreMenu()
{
    m_menu->popup(m_timbres->mapToGlobal(QPoint(0, m_timbres->height())));
}

// The sound command shows "Silence !" only while sound can be heard. With no output, the wish to
// listen is kept (the player keeps looking) and the notice says the sound starts once an output
// is found; the notice goes when one is.
void BandeauCommandes::montreSon()
{
    const bool sortie = m_edition.sortieDisponible();
    const bool actif = m_edition.son().SonActif && sortie;
    QWidget *montre = actif ? m_taGueule : m_play;
    QWidget *cache = actif ? m_play : m_taGueule;
    const bool avaitFocus = cache->hasFocus();
    montre->show();
    cache->hide();
    // The switch keeps the keyboard focus from one face to the other.
    if (avaitFocus)
        montre->setFocus(Qt::OtherFocusReason);

    const QString avis = m_edition.son().SonActif
                             ? tr("Aucune sortie son : le son partira dès qu'une sortie sera disponible")
                             : tr("Aucune sortie son");
    if (m_avisSon->text() != avis) {
        m_avisSon->setText(avis);
        m_avisSon->setAccessibleName(avis);
        if (m_avisSon->isVisible()) {
            QAccessibleEvent nom(m_avisSon, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&nom);
        }
    }
    if (m_avisSon->isHidden() == sortie)
        return;
    m_avisSon->setVisible(!sortie);
    if (!sortie) {
        // Screen readers announce it as an alert, not only as one more caption.
        QAccessibleEvent alerte(m_avisSon, QAccessible::Alert);
        QAccessible::updateAccessibility(&alerte);
    }
}
