#include "ui/defiecoute.h"

#include "plot/repere.h"
#include "plot/vues.h"
#include "session/edition.h"
#include "session/lignedefi.h"
#include "synth/generateur.h"
#include "ui/annonce.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/disposition.h"
#include "ui/echelle.h"
#include "ui/elements.h"
#include "ui/panneaufrequences.h"

#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QShortcut>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Couleurs;
using namespace Elements;

namespace {

// The window's drawing area in twips at 100 %.
constexpr double Largeur = 7200, Hauteur = 6900;
// Rows of the score table, in pixels at 100 %.
constexpr int HauteurRangee = 22;

// The first challenge shown: the one the help and the README take as their example.
constexpr int NumeroDepart = 4821;
constexpr int NiveauDepart = 3;

} // namespace

DefiEcoute::DefiEcoute(Edition *edition, PanneauFrequences *spectre)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_edition(edition),
      m_spectre(spectre)
{
    setObjectName(QStringLiteral("DefiEcoute"));
    setWindowTitle(tr("Défi d'écoute"));
    setAccessibleName(tr("Défi d'écoute"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Like the keyboard, it may stay open after the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, true);
    Fond(this, GrisFenetre);
    setFixedSize(RectangleTwips(0, 0, Largeur, Hauteur).size());
    Fenetre(this, QSizeF(Largeur, Hauteur));
    construit();
    Centre(this);

    auto *aide = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aide, &QShortcut::activated, this, &DefiEcoute::aideDemandee);
    auto *ferme = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(ferme, &QShortcut::activated, this, &QWidget::close);
    if (m_edition)
        // The marks stand on the table's harmonics: they follow its fundamental.
        connect(m_edition, &Edition::spectreChange, this, [this] {
            if (!m_marques.isEmpty() && fondamentale() != m_fondamentaleMarquee)
                marque();
            if (fondamentale() != m_fondamentaleJouee)
                suitLeDefiJoue();
        });
    choisit(NumeroDepart, NiveauDepart);
}

DefiEcoute::~DefiEcoute()
{
    // What it drew on the spectrum goes with it.
    if (m_spectre && !m_marques.isEmpty()) {
        m_spectre->vue().fixeCouche(Couche::Cache, {});
        m_spectre->redessine();
    }
}

void DefiEcoute::detache()
{
    m_edition = nullptr;
    m_spectre = nullptr;
}

void DefiEcoute::construit()
{
    // Commands are the main window's button panels: night blue, white captions. The captions let
    // the clicks through to their panel.
    const auto e = Construit(
        this,
        {
            {"LabelNiveau", nullptr, Genre::Etiquette, {120, 216, 960, 372}, QT_TR_NOOP("Niveau :"), Qt::black, {}, 12},
            {"Niveau(1)", nullptr, Genre::BoutonPanneau, {1080, 120, 492, 492}, QT_TR_NOOP("Niveau 1"), {}, BleuNuit},
            {"LabelNiveau1",
             "Niveau(1)",
             Genre::Etiquette,
             {0, 96, 462, 372},
             "1",
             Blanc,
             {},
             12,
             nullptr,
             nullptr,
             Qt::AlignHCenter},
            {"Niveau(2)", nullptr, Genre::BoutonPanneau, {1620, 120, 492, 492}, QT_TR_NOOP("Niveau 2"), {}, BleuNuit},
            {"LabelNiveau2",
             "Niveau(2)",
             Genre::Etiquette,
             {0, 96, 462, 372},
             "2",
             Blanc,
             {},
             12,
             nullptr,
             nullptr,
             Qt::AlignHCenter},
            {"Niveau(3)", nullptr, Genre::BoutonPanneau, {2160, 120, 492, 492}, QT_TR_NOOP("Niveau 3"), {}, BleuNuit},
            {"LabelNiveau3",
             "Niveau(3)",
             Genre::Etiquette,
             {0, 96, 462, 372},
             "3",
             Blanc,
             {},
             12,
             nullptr,
             nullptr,
             Qt::AlignHCenter},
            {"Niveau(4)", nullptr, Genre::BoutonPanneau, {2700, 120, 492, 492}, QT_TR_NOOP("Niveau 4"), {}, BleuNuit},
            {"LabelNiveau4",
             "Niveau(4)",
             Genre::Etiquette,
             {0, 96, 462, 372},
             "4",
             Blanc,
             {},
             12,
             nullptr,
             nullptr,
             Qt::AlignHCenter},
            {"Niveau(5)", nullptr, Genre::BoutonPanneau, {3240, 120, 492, 492}, QT_TR_NOOP("Niveau 5"), {}, BleuNuit},
            {"LabelNiveau5",
             "Niveau(5)",
             Genre::Etiquette,
             {0, 96, 462, 372},
             "5",
             Blanc,
             {},
             12,
             nullptr,
             nullptr,
             Qt::AlignHCenter},
            {"LabelNumero",
             nullptr,
             Genre::Etiquette,
             {4080, 216, 1080, 372},
             QT_TR_NOOP("Défi n°"),
             Qt::black,
             {},
             12,
             nullptr,
             nullptr,
             Qt::AlignRight},
            {"Nouveau", nullptr, Genre::BoutonPanneau, {120, 840, 2232, 492}, QT_TR_NOOP("Nouveau défi"), {}, BleuNuit},
            {"LabelNouveau",
             "Nouveau",
             Genre::Etiquette,
             {120, 96, 1992, 372},
             QT_TR_NOOP("Nouveau défi"),
             Blanc,
             {},
             12},
            {"EcouteDefi",
             nullptr,
             Genre::BoutonPanneau,
             {2484, 840, 2232, 492},
             QT_TR_NOOP("Écouter le défi"),
             {},
             BleuNuit},
            {"LabelEcouteDefi",
             "EcouteDefi",
             Genre::Etiquette,
             {120, 96, 1992, 372},
             QT_TR_NOOP("Écouter le défi"),
             Blanc,
             {},
             12},
            {"EcouteMonSon",
             nullptr,
             Genre::BoutonPanneau,
             {4848, 840, 2232, 492},
             QT_TR_NOOP("Écouter mon son"),
             {},
             BleuNuit},
            {"LabelEcouteMonSon",
             "EcouteMonSon",
             Genre::Etiquette,
             {120, 96, 1992, 372},
             QT_TR_NOOP("Écouter mon son"),
             Blanc,
             {},
             12},
            {"Verifier", nullptr, Genre::BoutonPanneau, {120, 1440, 2232, 492}, QT_TR_NOOP("Vérifier"), {}, BleuNuit},
            {"LabelVerifier",
             "Verifier",
             Genre::Etiquette,
             {120, 96, 1992, 372},
             QT_TR_NOOP("Vérifier"),
             Blanc,
             {},
             12},
            {"Indice", nullptr, Genre::BoutonPanneau, {2484, 1440, 2232, 492}, QT_TR_NOOP("Indice"), {}, BleuNuit},
            {"LabelIndice", "Indice", Genre::Etiquette, {120, 96, 1992, 372}, QT_TR_NOOP("Indice"), Blanc, {}, 12},
            {"Solution", nullptr, Genre::BoutonPanneau, {4848, 1440, 2232, 492}, QT_TR_NOOP("Solution"), {}, BleuNuit},
            {"LabelSolution",
             "Solution",
             Genre::Etiquette,
             {120, 96, 1992, 372},
             QT_TR_NOOP("Solution"),
             Blanc,
             {},
             12},
            {"Score", nullptr, Genre::Etiquette, {120, 2100, 6960, 492}, nullptr, BleuNuit, {}, 16.2},
            {"Etat", nullptr, Genre::Etiquette, {120, 4260, 6960, 552}, nullptr, GrisParagraphe, {}, 10.2},
            {"LabelScores",
             nullptr,
             Genre::Etiquette,
             {120, 4860, 6960, 372},
             QT_TR_NOOP("Scores de la séance"),
             Qt::black,
             {},
             12},
        },
        "DefiEcoute");
    for (int n = Defis::NiveauMin; n <= Defis::NiveauMax; ++n) {
        auto *b = static_cast<Bouton *>(e.value(QStringLiteral("Niveau(%1)").arg(n)));
        connect(b, &Bouton::clicked, this, [this, n] { choisit(m_defi.numero, n); });
        m_niveaux << b;
    }
    auto bouton = [&e](const char *nom) { return static_cast<Bouton *>(e.value(QString::fromUtf8(nom))); };
    connect(bouton("Nouveau"), &Bouton::clicked, this, &DefiEcoute::nouveau);
    connect(bouton("EcouteDefi"), &Bouton::clicked, this, &DefiEcoute::ecouteDefi);
    connect(bouton("EcouteMonSon"), &Bouton::clicked, this, &DefiEcoute::ecouteMonSon);
    connect(bouton("Verifier"), &Bouton::clicked, this, &DefiEcoute::verifie);
    connect(bouton("Indice"), &Bouton::clicked, this, &DefiEcoute::indice);
    connect(bouton("Solution"), &Bouton::clicked, this, &DefiEcoute::solution);
    m_score = static_cast<QLabel *>(e.value(QStringLiteral("Score")));
    // One line per rank, in two columns of six: ranks 0 to 10 at most.
    for (int i = 0; i < int(std::size(m_verdicts)); ++i) {
        const QByteArray nom = "Verdict(" + QByteArray::number(i) + ')';
        m_verdicts[i] = Etiquette(this, nom.constData(), {i < 6 ? 120.0 : 3660.0, 2640.0 + (i % 6) * 252, 3420, 252},
                                  QString(), Qt::black, Police("Calibri", 10.2));
    }
    m_etat = static_cast<QLabel *>(e.value(QStringLiteral("Etat")));
    // The score and the hints are spoken as they come.
    Annonce::Prepare(m_score);
    Annonce::Prepare(m_etat);
    QFont gras = m_score->font();
    gras.setBold(true);
    FixePolice(m_score, gras);

    // The number: plain digits, 0 to 9999; a new one starts a new round once typed.
    m_numero = new QLineEdit(this);
    m_numero->setObjectName(QStringLiteral("Numero"));
    m_numero->setValidator(new QIntValidator(Defis::NumeroMin, Defis::NumeroMax, m_numero));
    m_numero->setMaxLength(4);
    m_numero->setAccessibleName(tr("Numéro du défi"));
    FixePolice(m_numero, Police("Calibri", 12));
    Place(m_numero, 5220, 144, 960, 444);
    connect(m_numero, &QLineEdit::editingFinished, this, &DefiEcoute::numeroSaisi);
    // A field left empty (which the validator does not finish) gets the number back.
    m_numero->installEventFilter(this);
    static_cast<QLabel *>(e.value(QStringLiteral("LabelNumero")))->setBuddy(m_numero);

    m_tableau = new QTableWidget(0, 4, this);
    m_tableau->setObjectName(QStringLiteral("Scores"));
    m_tableau->setAccessibleName(tr("Scores de la séance"));
    m_tableau->setHorizontalHeaderLabels({tr("N°"), tr("Niveau"), tr("Indices"), tr("Score")});
    m_tableau->verticalHeader()->hide();
    m_tableau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableau->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableau->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tableau->setFocusPolicy(Qt::TabFocus);
    FixePolice(m_tableau, Police("Calibri", 10.2));
    Place(m_tableau, 120, 5280, 6960, 1500);
    // Its rows are as tall as the zoom makes them.
    auto hauteurs = [t = m_tableau](double z) {
        t->verticalHeader()->setDefaultSectionSize(int(std::lround(HauteurRangee * z)));
        t->horizontalHeader()->setFixedHeight(int(std::lround(HauteurRangee * z)));
    };
    hauteurs(1.0);
    Dispositions::De(m_tableau).redessine = hauteurs;

    // Tab goes in reading order: the levels, the number, then the commands row by row, the table.
    QList<QWidget *> ordre;
    for (Bouton *b : m_niveaux)
        ordre << b;
    ordre << m_numero << bouton("Nouveau") << bouton("EcouteDefi") << bouton("EcouteMonSon") << bouton("Verifier")
          << bouton("Indice") << bouton("Solution") << m_tableau;
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
    bouton("Nouveau")->setFocus(Qt::OtherFocusReason);
}

int DefiEcoute::fondamentale() const
{
    // The table's fundamental; the challenge's own 440 Hz when there is no table to follow.
    const int f = m_edition ? m_edition->son().Frequence[1] : 0;
    return f > 0 ? f : 440;
}

Timbre DefiEcoute::cible() const
{
    return Defis::Son(m_defi, fondamentale());
}

void DefiEcoute::choisit(int numero, int niveau)
{
    numero = std::clamp(numero, Defis::NumeroMin, Defis::NumeroMax);
    niveau = std::clamp(niveau, Defis::NiveauMin, Defis::NiveauMax);
    m_defi = *Defis::Genere(numero, niveau);
    m_indices.clear();
    m_solution = false;
    m_resultat.reset();
    m_ligneCourante = -1;
    m_numero->setText(QString::number(numero));
    montreNiveau();
    Annonce::Efface(m_score);
    for (QLabel *v : m_verdicts)
        v->clear();
    m_etat->setText(tr("Défi n° %1, niveau %2 : écouter le défi, le refaire dans le spectre, puis vérifier.")
                        .arg(numero)
                        .arg(niveau));
    m_etat->setAccessibleName(m_etat->text());
    marque();
    suitLeDefiJoue();
}

void DefiEcoute::montreNiveau()
{
    for (int i = 0; i < m_niveaux.size(); ++i) {
        const bool choisi = i + 1 == m_defi.niveau;
        // The level chosen stands out in the layout's orange, and says so to assistive technologies
        // (a button stays a button with a press action, never a check box to toggle).
        m_niveaux[i]->setAccessibleDescription(choisi ? tr("Niveau choisi") : QString());
        Fond(m_niveaux[i], choisi ? Orange : BleuNuit);
    }
}

bool DefiEcoute::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == m_numero && !m_numero->hasAcceptableInput()) {
        const bool entree = event->type() == QEvent::KeyPress
                            && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return
                                || static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter);
        if (entree || event->type() == QEvent::FocusOut)
            numeroSaisi();
    }
    return QWidget::eventFilter(objet, event);
}

void DefiEcoute::numeroSaisi()
{
    bool ok = false;
    const int n = m_numero->text().toInt(&ok);
    if (ok && Defis::NumeroValide(n)) {
        if (n != m_defi.numero)
            choisit(n, m_defi.niveau);
    } else {
        m_numero->setText(QString::number(m_defi.numero));
    }
}

void DefiEcoute::nouveau()
{
    int n = m_defi.numero;
    // Another challenge than the one on screen, at the same level.
    while (n == m_defi.numero)
        n = int(QRandomGenerator::global()->bounded(Defis::NumeroMax + 1));
    choisit(n, m_defi.niveau);
}

QByteArray DefiEcoute::echantillons() const
{
    // The hidden timbre as the synthesis makes any table's sound, on the table's fundamental.
    Son son;
    Synthese::Plan plan;
    QByteArray octets;
    if (Timbres::Applique(cible(), son) && Synthese::Prepare(son, plan))
        Synthese::Echantillons(plan, octets);
    return octets;
}

void DefiEcoute::ecouteDefi()
{
    if (!m_edition)
        return;
    m_edition->fixeDefi(echantillons());
    m_fondamentaleJouee = fondamentale();
    // The switch happens on the player's thread, without a gap, when the loop already plays.
    m_edition->fixeEcoute(Ecoute::Defi);
    if (!m_edition->son().SonActif)
        m_edition->Ecoute();
}

void DefiEcoute::ecouteMonSon()
{
    if (!m_edition)
        return;
    m_edition->fixeEcoute(Ecoute::Modele);
    if (!m_edition->son().SonActif)
        m_edition->Ecoute();
}

void DefiEcoute::suitLeDefiJoue()
{
    // While the challenge is heard, a new round or a new fundamental is heard at once.
    if (m_edition && m_edition->ecoute() == Ecoute::Defi)
        m_edition->fixeDefi(echantillons());
    m_fondamentaleJouee = fondamentale();
}

void DefiEcoute::verifie()
{
    if (!m_edition)
        return;
    const Defis::Resultat r = Defis::Compare(cible(), m_edition->TimbreCourant(), int(m_indices.size()));
    m_resultat = r;
    // The ranks by rising number, the first column filled first.
    for (int i = 0; i < int(std::size(m_verdicts)); ++i) {
        const QString t = i < int(r.lignes.size()) ? LigneDefi::Texte(r.lignes[size_t(i)]) : QString();
        m_verdicts[i]->setText(t);
        m_verdicts[i]->setAccessibleName(t);
    }
    const Ligne ligne{m_defi.numero, m_defi.niveau, int(m_indices.size()), r.score};
    if (m_ligneCourante < 0) {
        m_ligneCourante = int(m_scores.size());
        m_scores << ligne;
        m_tableau->insertRow(m_ligneCourante);
    } else {
        m_scores[m_ligneCourante] = ligne;
    }
    const int valeurs[] = {ligne.numero, ligne.niveau, ligne.indices, ligne.score};
    for (int c = 0; c < 4; ++c) {
        auto *case_ = new QTableWidgetItem(QString::number(valeurs[c]));
        case_->setTextAlignment(Qt::AlignCenter);
        m_tableau->setItem(m_ligneCourante, c, case_);
    }
    m_tableau->scrollToItem(m_tableau->item(m_ligneCourante, 0));
    Annonce::Dit(m_score, tr("Score : %1 sur 100").arg(r.score));
}

void DefiEcoute::indice()
{
    if (!m_edition || m_solution)
        return;
    const std::optional<int> rang = Defis::Indice(cible(), m_edition->TimbreCourant(), m_indices);
    if (!rang) {
        Annonce::Dit(m_etat, tr("Plus d'indice : chaque composante cachée est juste ou déjà montrée."));
        return;
    }
    m_indices.push_back(*rang);
    int amplitude = 0;
    for (const Defis::Cachee &c : m_defi.cachees)
        if (c.rang == *rang)
            amplitude = c.amplitude;
    marque();
    const int meilleur = std::max(0, 100 - Defis::PenaliteIndice * int(m_indices.size()));
    Annonce::Dit(m_etat, tr("Indice : harmonique %1, amplitude %2. Meilleur score possible : %3.")
                             .arg(*rang)
                             .arg(amplitude)
                             .arg(meilleur));
}

void DefiEcoute::solution()
{
    if (m_solution)
        return;
    // The solution is every hint left at once: each hidden component neither right yet nor shown
    // already counts as one.
    if (m_edition)
        while (const std::optional<int> rang = Defis::Indice(cible(), m_edition->TimbreCourant(), m_indices))
            m_indices.push_back(*rang);
    m_solution = true;
    marque();
    const int meilleur = std::max(0, 100 - Defis::PenaliteIndice * int(m_indices.size()));
    Annonce::Dit(m_etat,
                 tr("Solution : le spectre caché est sur le spectre. Meilleur score possible : %1.").arg(meilleur));
}

void DefiEcoute::marque()
{
    // Each component shown is a line from the base line up to its amplitude, at its harmonic of
    // the table's fundamental; the pen is lifted between lines, so the base line stays the grid's.
    const int f = fondamentale();
    const double leve = std::numeric_limits<double>::quiet_NaN();
    QList<QPointF> points;
    for (const Defis::Cachee &c : m_defi.cachees) {
        if (!m_solution && std::find(m_indices.begin(), m_indices.end(), c.rang) == m_indices.end())
            continue;
        const double x = std::min(32767, c.rang * f);
        points << QPointF(x, 0) << QPointF(x, c.amplitude) << QPointF(leve, leve);
    }
    m_fondamentaleMarquee = f;
    // The pen's lifts are NaN, equal to nothing: they are compared as lifts.
    const auto pareils = [](QPointF a, QPointF b) { return (std::isnan(a.x()) && std::isnan(b.x())) || a == b; };
    if (std::equal(points.begin(), points.end(), m_marques.begin(), m_marques.end(), pareils))
        return;
    m_marques = points;
    if (m_spectre) {
        m_spectre->vue().fixeCouche(Couche::Cache, m_marques);
        m_spectre->redessine();
    }
}
