#include "ui/panneautemps.h"

#include "plot/repere.h"
#include "plot/surface.h"
#include "plot/temporel.h"
#include "plot/vues.h"
#include "session/edition.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/disposition.h"
#include "ui/elements.h"

#include <QFocusEvent>
#include <QRadioButton>

#include <memory>

using namespace Couleurs;
using namespace Elements;

PanneauTemps::PanneauTemps(QWidget *fenetre, Edition &edition) : QObject(fenetre), m_edition(edition)
{
    // The placeholder's caption and shape let the clicks through to it.
    const auto e =
        Construit(fenetre,
                  {
                      {"Picture3",
                       nullptr,
                       Genre::BoutonPanneau,
                       {120, 840, 15132, 4092},
                       QT_TR_NOOP("Afficher l'évolution temporelle"),
                       {},
                       GrisCache},
                      {"Shape2", "Picture3", Genre::Forme, {3120, 1560, 9012, 972}},
                      {"Label8",
                       "Picture3",
                       Genre::Etiquette,
                       {3960, 1800, 7692, 492},
                       QT_TR_NOOP("Cliquer ici pour voir l'évolution temporelle du signal sonore"),
                       GrisCommande,
                       {},
                       16.2,
                       nullptr,
                       nullptr,
                       Qt::AlignHCenter},
                      {"TourGrapheTemp", nullptr, Genre::PanneauCadre, {120, 840, 15132, 4092}, nullptr, {}, BleuNuit},
                      {"CacheTemp",
                       "TourGrapheTemp",
                       Genre::BoutonImage,
                       {14760, 48, 288, 288},
                       QT_TR_NOOP("Masquer l'évolution temporelle"),
                       {},
                       {},
                       0,
                       ":/images/croix.svg"},
                      {"Label1",
                       "TourGrapheTemp",
                       Genre::Titre,
                       {48, 48, 2532, 372},
                       QT_TR_NOOP("Evolution temporelle"),
                       Blanc,
                       BleuNuit,
                       13.8},
                  },
                  "PanneauTemps");
    m_picture3 = static_cast<Bouton *>(e.value(QStringLiteral("Picture3")));
    m_tour = e.value(QStringLiteral("TourGrapheTemp"));
    m_cacheTemp = static_cast<Bouton *>(e.value(QStringLiteral("CacheTemp")));
    connect(m_picture3, &Bouton::clicked, this, &PanneauTemps::Picture3_Click);
    connect(m_cacheTemp, &Bouton::clicked, this, &PanneauTemps::CacheTemp_Click);

    m_graphe = new Surface(RepereTemporel, RectangleTwips(48, 408, 13092, 3624).size(), m_tour);
    m_graphe->setObjectName(QStringLiteral("GrapheTemp"));
    Place(m_graphe, 48, 408, 13092, 3624);
    m_graphe->setFont(Police("MS Sans Serif", 7.8));
    // Its whole drawing is scaled, text included.
    Dispositions::De(m_graphe).redessine = [s = m_graphe](double z) { s->FixeZoom(z); };
    m_graphe->setAccessibleName(tr("Evolution temporelle"));
    m_vue = std::make_unique<VueTemps>(*m_graphe);

    const auto bases =
        Construit(m_tour,
                  {
                      {"Picture2", nullptr, Genre::Panneau, {13188, 408, 1884, 3624}, nullptr, {}, GrisFenetre},
                      {"Label2",
                       "Picture2",
                       Genre::Etiquette,
                       {120, 120, 1932, 612},
                       QT_TR_NOOP("Sensibilité horizontale : "),
                       Qt::black,
                       {},
                       12},
                  },
                  "PanneauTemps");
    QWidget *picture2 = bases.value(QStringLiteral("Picture2"));
    static const char *const legendes[NombreBases] = {
        QT_TR_NOOP("0,1 ms/div"),  QT_TR_NOOP("0,2 ms/div"),  QT_TR_NOOP("0,5 ms/div"),
        QT_TR_NOOP("1    ms/div"), QT_TR_NOOP("2    ms/div"), QT_TR_NOOP("5    ms/div"),
        QT_TR_NOOP("10  ms/div"),  QT_TR_NOOP("20  ms/div"),  QT_TR_NOOP("50  ms/div")};
    for (int i = 0; i < NombreBases; ++i) {
        auto *option = new QRadioButton(tr(legendes[i]), picture2);
        option->setObjectName(QStringLiteral("SensibiliteTemp(%1)").arg(i));
        FixePolice(option, Police("Calibri", 10.2));
        Dispositions::De(option).indicateursAgrandis = true;
        Fond(option, GrisFenetre);
        QPalette p = option->palette();
        p.setColor(QPalette::WindowText, GrisCommande);
        p.setColor(QPalette::ButtonText, GrisCommande);
        option->setPalette(p);
        option->setAccessibleName(tr(legendes[i]).simplified());
        Place(option, 120, 840 + 240 * i, 1572, 252);
        if (i == 3)
            option->setChecked(true);
        // A choice acts however it is made (mouse, arrows, an assistive technology's toggle),
        // through toggled; a click on the option already chosen toggles nothing yet acts too.
        // Once per click either way: pressed tells which of the two the click will be.
        auto dejaChoisie = std::make_shared<bool>(false);
        connect(option, &QRadioButton::pressed, this, [option, dejaChoisie] { *dejaChoisie = option->isChecked(); });
        connect(option, &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                SensibiliteTemp_Click(i);
        });
        connect(option, &QRadioButton::clicked, this, [this, i, dejaChoisie] {
            if (*dejaChoisie)
                SensibiliteTemp_Click(i);
            *dejaChoisie = false;
        });
        option->installEventFilter(this);
        m_bases[i] = option;
    }
    // A placeholder is covered by its panel while the panel shows; hidden then, Tab skips it.
    m_picture3->hide();

    connect(&m_edition, &Edition::tempsChange, this, &PanneauTemps::trace);
}

PanneauTemps::~PanneauTemps() = default;

QList<QWidget *> PanneauTemps::ordreTab() const
{
    QList<QWidget *> ordre{m_picture3, m_cacheTemp};
    for (QRadioButton *option : m_bases)
        ordre << option;
    return ordre;
}

void PanneauTemps::trace(int qualite)
{
    m_vue->fixeSon(m_edition.son());
    m_vue->fixeQualite(qualite);
    m_vue->dessine();
}

void PanneauTemps::montre(bool oui)
{
    Bascule(m_tour, m_cacheTemp, m_picture3, oui);
}

void PanneauTemps::choisitBase(int index)
{
    if (m_edition.ChoisitSensibilite(index)) {
        m_bases[index]->setChecked(true);
        return;
    }
    // Refused: the option of the time base in force stays (or becomes again) the checked one.
    for (int i = 0; i < NombreBases; ++i)
        if (Temporel::Sensibilites[i] == m_edition.son().Sensibilite)
            m_bases[i]->setChecked(true);
}

bool PanneauTemps::eventFilter(QObject *objet, QEvent *event)
{
    // The nine time bases are one stop of the Tab round, on the one chosen; arrows move inside.
    if (event->type() == QEvent::FocusIn) {
        const auto raison = static_cast<QFocusEvent *>(event)->reason();
        auto *option = qobject_cast<QRadioButton *>(objet);
        if (option && !option->isChecked() && (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason)) {
            for (QRadioButton *o : m_bases)
                if (o->isChecked())
                    o->setFocus(raison);
        }
    }
    return QObject::eventFilter(objet, event);
}
