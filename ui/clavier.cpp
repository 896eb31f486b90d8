#include "ui/clavier.h"

#include "synth/langue.h"

#include "model/regles.h"
#include "plot/repere.h"
#include "session/edition.h"
#include "ui/couleurs.h"
#include "ui/echelle.h"
#include "ui/elements.h"
#include "ui/touchespiano.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMetaMethod>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace {

// Key geometry in twips, relative to the panel that holds the keys.
constexpr double PremiereBlanche = 360; // left edge of the lowest white key
constexpr double PasBlanche = 480;      // neighbouring white keys overlap by 15 twips (one pixel)
constexpr double DecalageNoire = 360;   // black key: from the left edge of the white key below it
constexpr double LargeurBlanche = 495, HauteurBlanche = 1050;
constexpr double LargeurNoire = 255, HauteurNoire = 750;

// Flat faces in the key's colour; a thin grey edge keeps neighbouring white keys apart.
const char *const StyleBlanche =
    "QPushButton { background-color: #ffffff; border: 1px solid #808080; border-top: none; }"
    "QPushButton:pressed { background-color: #d8d8d8; }";
const char *const StyleNoire = "QPushButton { background-color: #000000; border: 1px solid #000000; }"
                               "QPushButton:pressed { background-color: #404040; }";

// A key: a flat button that acts on the mouse press (through the window's filter), or on
// Space, Enter or an assistive technology's press action (through clicked). The click that
// ends a mouse press is not a second action.
class Touche : public QPushButton
{
public:
    using QPushButton::QPushButton;
    bool relacheSouris() const { return m_relacheSouris; }
    void fixeMarque(bool marque)
    {
        if (marque != m_marque) {
            m_marque = marque;
            update();
        }
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        m_relacheSouris = true;
        QPushButton::mouseReleaseEvent(event);
        m_relacheSouris = false;
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat())
            click();
        else
            QPushButton::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent *event) override
    {
        QPushButton::paintEvent(event);
        // The key pressed last: a bar across the lower end of its face, inside its edges.
        // Lengths in pixels at 100 %, at the window's zoom.
        if (m_marque) {
            QPainter p(this);
            const int bord = Elements::Trait(this, 3);
            const int h = std::max(bord, height() / 10);
            p.fillRect(QRect(bord, height() - h - Elements::Trait(this, 4), width() - 2 * bord, h), Couleurs::Orange);
        }
        // The focus shows only once the keyboard is used: mouse users see the keys unchanged.
        if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
            QPainter p(this);
            const int trait = Elements::Trait(this, 2);
            p.setPen(QPen(Couleurs::Orange, trait));
            p.drawRect(QRectF(rect()).adjusted(trait, trait, -trait, -trait));
        }
    }

private:
    bool m_relacheSouris = false;
    bool m_marque = false;
};

} // namespace

Clavier::Clavier(Edition *edition)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_edition(edition)
{
    setObjectName(QStringLiteral("Clavier"));
    setWindowTitle(tr("Clavier"));
    setAccessibleName(tr("Clavier"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Tool windows do not keep the program alive by default; this one must, since it may stay
    // open after the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, true);
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, fond.color(QPalette::Base));
    setPalette(fond);
    setFixedSize(RectangleTwips(0, 0, 14604, 1104).size());
    Elements::Fenetre(this, QSizeF(14604, 1104));
    construit();
    Elements::Centre(this);

    auto *aide = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aide, &QShortcut::activated, this, &Clavier::ouvreAide);
    auto *ferme = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(ferme, &QShortcut::activated, this, &QWidget::close);
    // The letter rows play the keys, as a click on them would.
    TouchesPiano::Relie(this, [this](int note) { note_MouseDown(note); });
}

bool Clavier::EstNoire(int Index)
{
    switch (Index % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10: return true;
    default: return false;
    }
}

QString Clavier::NomNote(int Index)
{
    static const char *const noms[12] = {
        QT_TRANSLATE_NOOP("Clavier", "Do"),        QT_TRANSLATE_NOOP("Clavier", "Do dièse"),
        QT_TRANSLATE_NOOP("Clavier", "Ré"),        QT_TRANSLATE_NOOP("Clavier", "Ré dièse"),
        QT_TRANSLATE_NOOP("Clavier", "Mi"),        QT_TRANSLATE_NOOP("Clavier", "Fa"),
        QT_TRANSLATE_NOOP("Clavier", "Fa dièse"),  QT_TRANSLATE_NOOP("Clavier", "Sol"),
        QT_TRANSLATE_NOOP("Clavier", "Sol dièse"), QT_TRANSLATE_NOOP("Clavier", "La"),
        QT_TRANSLATE_NOOP("Clavier", "La dièse"),  QT_TRANSLATE_NOOP("Clavier", "Si")};
    // Key 0 (132 Hz) is the C an octave below the middle C: "Do 2" in French numbering, where the
    // middle C is Do 3; each language numbers its octaves its own way, so the catalogue says.
    const int premiere = tr("2", "octave number of the lowest key's C (132 Hz, an octave below the middle C)").toInt();
    // Below the lowest key (the microphone names any pitch) the octaves go on downwards.
    const int octave = Index >= 0 ? Index / 12 : -((11 - Index) / 12);
    return tr("%1 %2", "note name, octave").arg(tr(noms[Index - 12 * octave])).arg(premiere + octave);
}

QString Clavier::Libelle(int Index)
{
    return tr("%1 — %2 Hz", "note name, frequency")
        .arg(NomNote(Index), Langue::Nombres().toString(Regles::FrequenceNote(Index)));
}

void Clavier::construit()
{
    auto *panneau = new QWidget(this);
    panneau->setObjectName(QStringLiteral("Picture2"));
    panneau->setAutoFillBackground(true);
    QPalette bleu = panneau->palette();
    bleu.setColor(QPalette::Window, Couleurs::BleuNuit);
    panneau->setPalette(bleu);
    Elements::Place(panneau, 0, -120, 14655, 1275);

    double gaucheBlanche = PremiereBlanche - PasBlanche; // left of the white key below the current one
    for (int i = 0; i < NombreTouches; ++i) {
        auto *touche = new Touche(panneau);
        const bool noire = EstNoire(i);
        if (noire) {
            Elements::Place(touche, gaucheBlanche + DecalageNoire, 0, LargeurNoire, HauteurNoire);
        } else {
            gaucheBlanche += PasBlanche;
            Elements::Place(touche, gaucheBlanche, 0, LargeurBlanche, HauteurBlanche);
        }
        touche->setObjectName(QStringLiteral("note(%1)").arg(i));
        touche->setFlat(true);
        // Tab reaches every key, lowest first; a click does not take the focus.
        touche->setFocusPolicy(Qt::TabFocus);
        Elements::FixeFeuille(touche, QLatin1String(noire ? StyleNoire : StyleBlanche));
        touche->setAccessibleName(Libelle(i));
        touche->setToolTip(Libelle(i));
        touche->setAccessibleDescription(tr("%1 Hz").arg(Regles::FrequenceNote(i)));
        touche->installEventFilter(this);
        connect(touche, &QPushButton::clicked, this, [this, touche, i] {
            if (!touche->relacheSouris())
                note_MouseDown(i);
        });
        m_touches[i] = touche;
    }
    // Black keys lie above every white key, so a press where they overlap goes to the black one.
    for (int i = 0; i < NombreTouches; ++i)
        if (EstNoire(i))
            m_touches[i]->raise();
}

bool Clavier::eventFilter(QObject *objet, QEvent *event)
{
    // Any button acts, and on the press itself; the button's own handling (its pressed look) goes on.
    // The second press of a double click may come as a press, as a double click, or as both:
    // it acts once either way.
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        const bool dejaCompte = type == QEvent::MouseButtonDblClick && m_enfonce;
        m_enfonce = true;
        const int i = int(std::find(m_touches.begin(), m_touches.end(), objet) - m_touches.begin());
        if (!dejaCompte && i < NombreTouches)
            note_MouseDown(i);
    } else if (type == QEvent::MouseButtonRelease) {
        m_enfonce = false;
    }
    return QWidget::eventFilter(objet, event);
}

void Clavier::note_MouseDown(int Index)
{
    // The session lives as long as the main window, which shows the new sound. Once it has been
    // closed there is nothing to show the sound on, so the press is ignored and the table left as it is.
    if (m_edition && m_edition->ChoisitNote(Index))
        marque(Index);
}

void Clavier::marque(int Index)
{
    if (m_derniere >= 0)
        static_cast<Touche *>(m_touches[m_derniere])->fixeMarque(false);
    m_derniere = Index;
    static_cast<Touche *>(m_touches[Index])->fixeMarque(true);
}

void Clavier::ouvreAide()
{
    // The main window owns the help while it lives; without it, this window opens one itself.
    if (isSignalConnected(QMetaMethod::fromSignal(&Clavier::aideDemandee))) {
        emit aideDemandee();
        return;
    }
    if (!m_aide)
        m_aide = new Aide();
    m_aide->show();
    m_aide->raise();
    m_aide->activateWindow();
}
