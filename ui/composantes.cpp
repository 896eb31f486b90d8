#include "ui/composantes.h"

#include "model/regles.h"
#include "plot/repere.h"
#include "session/edition.h"
#include "synth/langue.h"
#include "ui/couleurs.h"
#include "ui/elements.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

using namespace Elements;

namespace {

// The window's drawing area in twips at 100 %: a title row, then ten rows of 480 twips.
constexpr double Largeur = 8400, Hauteur = 5520;
constexpr double HautLignes = 600, HauteurLigne = 480;
// Columns, in twips from the window's left edge; the controls of a row stand 60 twips below its top.
constexpr double XNumero = 120, LNumero = 480;
constexpr double XFrequence = 720, LFrequence = 1440;
constexpr double XCurseur = 2280, LCurseur = 3120;
constexpr double XAmplitude = 5520, LAmplitude = 960;
constexpr double XMuette = 6600, LMuette = 960;
constexpr double XSolo = 7620, LSolo = 660;
constexpr double HautControle = 60, HauteurControle = 360;

// The slider's value in tenths: 0 to 100 for amplitudes 0 to 10.
constexpr int Dixiemes = 10;

// On the keyboard window's night blue: a white groove filled in orange up to the handle, as the
// key pressed last is marked; a white handle edged in grey like a white key.
const char *const StyleCurseur =
    "QSlider { background: transparent; border: 2px solid transparent; }"
    "QSlider:focus { border: 2px solid #ff8000; }"
    "QSlider::groove:horizontal { height: 4px; background: #ffffff; border: none; }"
    "QSlider::sub-page:horizontal { background: #ff8000; }"
    "QSlider::handle:horizontal { width: 10px; margin: -8px 0px; background: #ffffff; border: 1px solid #808080; }";
// The toggles are faces like the white keys; pressed in, they turn orange.
const char *const StyleBascule = "QPushButton { background-color: #ffffff; color: #000000; border: 1px solid #808080; }"
                                 "QPushButton:checked { background-color: #ff8000; color: #ffffff; }"
                                 "QPushButton:focus { border: 2px solid #ff8000; }"
                                 "QPushButton:checked:focus { border: 2px solid #ffffff; }";

} // namespace

Composantes::Composantes(Edition *edition)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_edition(edition)
{
    setObjectName(QStringLiteral("Composantes"));
    setWindowTitle(tr("Composantes"));
    setAccessibleName(tr("Composantes"));
    setAttribute(Qt::WA_DeleteOnClose);
    Fond(this, Couleurs::BleuNuit);
    setFixedSize(RectangleTwips(0, 0, Largeur, Hauteur).size());
    Fenetre(this, QSizeF(Largeur, Hauteur));
    construit();
    Centre(this);

    auto *aide = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aide, &QShortcut::activated, this, &Composantes::aideDemandee);
    auto *ferme = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(ferme, &QShortcut::activated, this, &QWidget::close);
    if (m_edition) {
        // Every change of the table shows in one of these: a redrawn spectrum (drag, key, removal,
        // clear, undo, file), a new synthesis (a click's addition), the option's new step.
        connect(m_edition, &Edition::spectreChange, this, &Composantes::suit);
        connect(m_edition, &Edition::sonGenere, this, &Composantes::suit);
        connect(m_edition, &Edition::musicalChange, this, &Composantes::suit);
    }
    suit();
}

Composantes::~Composantes()
{
    // What is heard is the whole table again once the toggles are gone.
    if (m_edition)
        m_edition->fixeMasque(Regles::Audibles({}, 0));
}

void Composantes::detache()
{
    if (m_edition)
        m_edition->fixeMasque(Regles::Audibles({}, 0));
    m_edition = nullptr;
    close();
}

void Composantes::construit()
{
    const QFont titre = Police("Calibri", 10.2);
    Etiquette(this, "LabelNumero", {XNumero, 180, LNumero, 372}, tr("N°"), Couleurs::Blanc, titre, Qt::AlignHCenter);
    Etiquette(this, "LabelFrequence", {XFrequence, 180, LFrequence, 372}, tr("Fréquence (Hz)"), Couleurs::Blanc, titre);
    Etiquette(this, "LabelAmplitude", {XCurseur, 180, XAmplitude + LAmplitude - XCurseur, 372}, tr("Amplitude"),
              Couleurs::Blanc, titre);
    m_vide = Etiquette(this, "Vide", {XNumero, HautLignes + 60, Largeur - 2 * XNumero, 372},
                       tr("Aucune composante : le tableau est vide."), Couleurs::Blanc, Police("Calibri", 12));
    for (int i = 1; i <= Son::Max; ++i)
        construitLigne(i);
    // Tab goes row by row, left to right.
    QList<QWidget *> ordre;
    for (int i = 1; i <= Son::Max; ++i) {
        const Ligne &l = m_lignes[i];
        ordre << l.frequence << l.curseur << l.amplitude << l.muette << l.solo;
    }
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
    m_lignes[1].frequence->setFocus(Qt::OtherFocusReason);
}

void Composantes::construitLigne(int i)
{
    Ligne &l = m_lignes[i];
    const QString n = QString::number(i);
    const QFont police = Police("Calibri", 10.2);
    l.rangee = new QWidget(this);
    l.rangee->setObjectName(QStringLiteral("Rangee(%1)").arg(i));
    Place(l.rangee, 0, HautLignes + (i - 1) * HauteurLigne, Largeur, HauteurLigne);

    const QByteArray nom = "Numero(" + n.toLatin1() + ')';
    l.numero = Etiquette(l.rangee, nom.constData(), {XNumero, 84, LNumero, 372}, n, Couleurs::Blanc,
                         Police("Calibri", 12), Qt::AlignHCenter);
    l.numero->setAccessibleName(tr("Composante %1").arg(i));

    l.frequence = new QSpinBox(l.rangee);
    l.frequence->setObjectName(QStringLiteral("Frequence(%1)").arg(i));
    l.frequence->setRange(1, Regles::FrequenceMax);
    l.frequence->setLocale(Langue::Nombres());
    // A value is taken once typed (Entrée, or the focus leaving), or at each arrow step.
    l.frequence->setKeyboardTracking(false);
    l.frequence->setAlignment(Qt::AlignRight);
    l.frequence->setAccessibleName(tr("Composante %1 : fréquence").arg(i));
    FixePolice(l.frequence, police);
    Place(l.frequence, XFrequence, HautControle, LFrequence, HauteurControle);
    connect(l.frequence, &QSpinBox::valueChanged, this, [this, i](int hertz) {
        // A value the rules refuse or change shows the table's own at once.
        if (!m_edition || !m_edition->FixeFrequence(i, hertz))
            suit();
    });

    l.curseur = new QSlider(Qt::Horizontal, l.rangee);
    l.curseur->setObjectName(QStringLiteral("Curseur(%1)").arg(i));
    l.curseur->setRange(0, 10 * Dixiemes);
    l.curseur->setSingleStep(1);
    l.curseur->setPageStep(Dixiemes);
    l.curseur->setAccessibleName(tr("Composante %1 : amplitude").arg(i));
    FixeFeuille(l.curseur, QLatin1String(StyleCurseur));
    Place(l.curseur, XCurseur, HautControle, LCurseur, HauteurControle);
    // While the handle is held each value is a step; its release, or any other change (an arrow,
    // a click on the groove, an assistive technology), is a commit.
    connect(l.curseur, &QSlider::valueChanged, this, [this, i](int dixiemes) {
        if (m_edition)
            m_edition->FixeAmplitude(i, dixiemes / double(Dixiemes), !m_lignes[i].curseur->isSliderDown());
    });
    connect(l.curseur, &QSlider::sliderReleased, this, [this, i] {
        if (m_edition)
            m_edition->FixeAmplitude(i, m_lignes[i].curseur->value() / double(Dixiemes), true);
    });

    l.amplitude = new QDoubleSpinBox(l.rangee);
    l.amplitude->setObjectName(QStringLiteral("Amplitude(%1)").arg(i));
    l.amplitude->setRange(0.0, 10.0);
    l.amplitude->setDecimals(1);
    // The program's language decides the decimal separator, as in every other number it shows.
    l.amplitude->setLocale(Langue::Nombres());
    l.amplitude->setSingleStep(0.1);
    l.amplitude->setKeyboardTracking(false);
    l.amplitude->setAlignment(Qt::AlignRight);
    l.amplitude->setAccessibleName(tr("Composante %1 : amplitude").arg(i));
    FixePolice(l.amplitude, police);
    Place(l.amplitude, XAmplitude, HautControle, LAmplitude, HauteurControle);
    connect(l.amplitude, &QDoubleSpinBox::valueChanged, this, [this, i](double a) {
        if (!m_edition || !m_edition->FixeAmplitude(i, a, true))
            suit();
    });

    auto bascule = [&](const char *objet, const QString &texte, const QString &accessible, double x, double largeur) {
        auto *b = new QPushButton(texte, l.rangee);
        b->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(objet)).arg(i));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAccessibleName(accessible);
        FixePolice(b, police);
        FixeFeuille(b, QLatin1String(StyleBascule));
        Place(b, x, HautControle, largeur, HauteurControle);
        return b;
    };
    l.muette = bascule("Muette", tr("Muette"), tr("Composante %1 : muette").arg(i), XMuette, LMuette);
    l.solo = bascule("Solo", tr("Solo"), tr("Composante %1 : solo").arg(i), XSolo, LSolo);
    connect(l.muette, &QPushButton::toggled, this, [this, i](bool muette) {
        m_muettes[i] = muette;
        masque();
    });
    connect(l.solo, &QPushButton::toggled, this, [this, i](bool solo) {
        // One component is heard alone at a time: another solo takes over from it.
        if (solo) {
            if (m_solo >= 1 && m_solo != i) {
                const QSignalBlocker bloque(m_lignes[m_solo].solo);
                m_lignes[m_solo].solo->setChecked(false);
            }
            m_solo = i;
        } else if (m_solo == i) {
            m_solo = 0;
        }
        masque();
    });
}

int Composantes::lignesMontrees() const
{
    int n = 0;
    for (int i = 1; i <= Son::Max; ++i)
        n += m_lignes[i].rangee->isVisibleTo(this) ? 1 : 0;
    return n;
}

void Composantes::suit()
{
    if (!m_edition)
        return;
    const Son &t = m_edition->son();
    const int n = std::clamp<int>(t.ProchaineComposante - 1, 0, Son::Max);
    bool masqueChange = false;
    for (int i = 1; i <= Son::Max; ++i) {
        Ligne &l = m_lignes[i];
        l.rangee->setVisible(i <= n);
        if (i > n) {
            // A slot that left the table takes its toggles with it: a new component there is heard.
            masqueChange |= m_muettes[i] || m_solo == i;
            m_muettes[i] = false;
            if (m_solo == i)
                m_solo = 0;
            const QSignalBlocker b1(l.muette), b2(l.solo);
            l.muette->setChecked(false);
            l.solo->setChecked(false);
            continue;
        }
        // Only what differs is set: a drag step redraws nothing else of the window.
        const int minimum = std::min<int>(1, t.Frequence[i]);
        const int pas = t.Musical && i >= 2 ? std::max<int>(1, t.Frequence[1]) : 1;
        if (l.frequence->minimum() != minimum || l.frequence->singleStep() != pas
            || l.frequence->value() != t.Frequence[i]) {
            const QSignalBlocker bloque(l.frequence);
            // A component at 0 Hz (a click at the left edge) shows as it is.
            l.frequence->setMinimum(minimum);
            // With multiples only, the arrows step from one multiple to the next.
            l.frequence->setSingleStep(pas);
            l.frequence->setValue(t.Frequence[i]);
        }
        const int dixiemes = int(std::lround(double(t.Amplitude[i]) * Dixiemes));
        if (!l.curseur->isSliderDown() && l.curseur->value() != dixiemes) {
            const QSignalBlocker bloque(l.curseur);
            l.curseur->setValue(dixiemes);
        }
        // The field keeps one decimal, as it rounds what it is given.
        if (l.amplitude->value() != std::round(double(t.Amplitude[i]) * 10) / 10) {
            const QSignalBlocker bloque(l.amplitude);
            l.amplitude->setValue(t.Amplitude[i]);
        }
    }
    m_vide->setVisible(n == 0);
    if (masqueChange)
        masque();
}

void Composantes::masque()
{
    if (m_edition)
        m_edition->fixeMasque(Regles::Audibles(m_muettes, m_solo));
}
