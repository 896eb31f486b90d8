#include "ui/aide.h"

#include "plot/repere.h"
#include "ui/apropos.h"
#include "ui/bouton.h"
#include "ui/couleurs.h"
#include "ui/disposition.h"
#include "ui/elements.h"
#include "ui/ordrelecture.h"
#include "ui/ressources.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QStringList>

#include <cmath>
#include <functional>

using namespace Couleurs;
using namespace Elements;

namespace {

// "entendre" is meant in both places; the blank runs leave room for the two loudspeaker pictures.
const char *const TexteEcouter = QT_TRANSLATE_NOOP(
    "Aide", "Cliquer sur les icônes           et            pour entendre ou ne plus entendre le son produit. ");

// The keys of the help's own pages.
const QKeySequence PageSuivante(Qt::Key_PageDown), PagePrecedente(Qt::Key_PageUp);

// The list of shortcuts on page 2: the program's commands and windows, each with its keys.
struct Raccourci
{
    QList<QKeySequence> touches;
    const char *quoi; ///< untranslated
};

QList<Raccourci> Raccourcis()
{
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, maj = Qt::ControlModifier | Qt::ShiftModifier;
    return {
        {{QKeySequence(Qt::Key_F1)}, QT_TRANSLATE_NOOP("Aide", "l'aide")},
        {{QKeySequence(Qt::Key_Escape)}, QT_TRANSLATE_NOOP("Aide", "fermer la fenêtre")},
        {{PageSuivante, PagePrecedente}, QT_TRANSLATE_NOOP("Aide", "pages de l'aide")},
        {{QKeySequence(ctrl | Qt::Key_O)}, QT_TRANSLATE_NOOP("Aide", "ouvrir un timbre")},
        {{QKeySequence(ctrl | Qt::Key_S)}, QT_TRANSLATE_NOOP("Aide", "enregistrer")},
        {{QKeySequence(maj | Qt::Key_S)}, QT_TRANSLATE_NOOP("Aide", "enregistrer sous…")},
        {{QKeySequence(ctrl | Qt::Key_E)}, QT_TRANSLATE_NOOP("Aide", "exporter le son")},
        {{QKeySequence(maj | Qt::Key_A)}, QT_TRANSLATE_NOOP("Aide", "analyser un son")},
        {{QKeySequence(maj | Qt::Key_O)}, QT_TRANSLATE_NOOP("Aide", "écouter l'original")},
        {{QKeySequence(ctrl | Qt::Key_Z)}, QT_TRANSLATE_NOOP("Aide", "annuler")},
        {{QKeySequence(maj | Qt::Key_Z), QKeySequence(ctrl | Qt::Key_Y)}, QT_TRANSLATE_NOOP("Aide", "rétablir")},
        {{QKeySequence(ctrl | Qt::Key_L)}, QT_TRANSLATE_NOOP("Aide", "les composantes")},
        {{QKeySequence(ctrl | Qt::Key_M)}, QT_TRANSLATE_NOOP("Aide", "micro en direct")},
        {{QKeySequence(maj | Qt::Key_M)}, QT_TRANSLATE_NOOP("Aide", "enregistrer au micro")},
        {{QKeySequence(ctrl | Qt::Key_Plus), QKeySequence(ctrl | Qt::Key_Minus)},
         QT_TRANSLATE_NOOP("Aide", "agrandir, réduire")},
        {{QKeySequence(ctrl | Qt::Key_0)}, QT_TRANSLATE_NOOP("Aide", "taille normale")},
        {{QKeySequence(Qt::Key_F11)}, QT_TRANSLATE_NOOP("Aide", "plein écran")},
    };
}

// A lightweight drawn element (outline, grid): paints over its parent, lets the mouse through.
// A class of its own for assistive technologies too, so that the reading order can place it.
class Trace : public QWidget
{
    Q_OBJECT

public:
    Trace(QWidget *parent, const char *nom, std::function<void(QPainter &, const QRect &)> dessin)
        : QWidget(parent), m_dessin(std::move(dessin))
    {
        setObjectName(QString::fromUtf8(nom));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        m_dessin(p, rect());
    }

private:
    std::function<void(QPainter &, const QRect &)> m_dessin;
};

// A text link: a button lettered with its underlined text, drawn like the captions (in the 100 %
// font, scaled as a whole at a zoom), over a background of the colour it lies on.
class LienAide : public Bouton
{
public:
    LienAide(QWidget *parent, const char *nom, QRectF twips, const QColor &fond, const QColor &couleur,
             Qt::Alignment alignement)
        : Bouton(parent, nom), m_couleur(couleur), m_alignement(alignement)
    {
        QFont police = Police("Calibri", 12);
        police.setUnderline(true);
        setFont(police);
        Fond(this, fond);
        FixePointeur(this, Ressources::PointeurMain());
        Place(this, twips.x(), twips.y(), twips.width(), twips.height());
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        Bouton::paintEvent(event);
        QPainter p(this);
        const double zoom = Zoom(this);
        if (zoom != 1.0)
            p.scale(zoom, zoom);
        p.setFont(font());
        p.setPen(m_couleur);
        const QFontMetricsF m(font());
        const double x = m_alignement & Qt::AlignRight ? width() / zoom - m.horizontalAdvance(text()) : 0;
        p.drawText(QPointF(x, m.ascent()), text());
    }

private:
    QColor m_couleur;
    Qt::Alignment m_alignement;
};

// A rectangle outline `epaisseur` pixels thick, inside `r`.
void Contour(QPainter &p, const QRect &r, int epaisseur, const QColor &couleur)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), epaisseur), couleur);
    p.fillRect(QRect(r.left(), r.bottom() - epaisseur + 1, r.width(), epaisseur), couleur);
    p.fillRect(QRect(r.left(), r.top(), epaisseur, r.height()), couleur);
    p.fillRect(QRect(r.right() - epaisseur + 1, r.top(), epaisseur, r.height()), couleur);
}

// The zoom of the window a drawn element paints in.
double ZoomPeint(const QPainter &p)
{
    const auto *w = dynamic_cast<const QWidget *>(p.device());
    return w ? Zoom(w) : 1.0;
}

// Grid of the miniature spectrum, in twips of its panel: five rows and seven columns.
void Quadrillage(QPainter &p, const QRect &)
{
    const double z = ZoomPeint(p);
    auto px = [z](double twips) { return int(std::lround(twips * z / TwipsParPixel)); };
    const int e = std::max(1, int(std::lround(z)));
    for (double haut : {120, 480, 840, 1200, 1560})
        p.fillRect(QRect(px(1320), px(haut), px(7680) - px(1320), e), Lavande);
    for (double gauche : {2160, 3000, 3840, 4680, 5520, 6360, 7200})
        p.fillRect(QRect(px(gauche), px(120), e, px(1560) - px(120)), Lavande);
}

} // namespace

LigneRaccourci::LigneRaccourci(QWidget *parent, const QList<QKeySequence> &touches, const QString &quoi, double colonne)
    : QLabel(parent), m_quoi(quoi), m_colonne(colonne)
{
    QStringList noms;
    for (const QKeySequence &t : touches)
        noms << t.toString(QKeySequence::NativeText);
    m_touches = noms.join(QStringLiteral(", "));
    setAccessibleName(tr("%1 : %2").arg(m_touches, m_quoi));
}

void LigneRaccourci::paintEvent(QPaintEvent *)
{
    // As the captions do: laid out in the 100 % font, drawn scaled.
    QPainter p(this);
    const double zoom = Zoom(this);
    if (zoom != 1.0)
        p.scale(zoom, zoom);
    p.setFont(font());
    const QFontMetricsF m(font());
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(QPointF(0, m.ascent()), m_touches);
    p.setPen(GrisParagraphe);
    p.drawText(QPointF(m_colonne, m.ascent()), m_quoi);
}

Aide::Aide(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(tr("Aide"));
    setAccessibleName(tr("Aide"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Tool windows do not keep the program alive by default; this one must, since it may stay
    // open after the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, true);
    Fond(this, BleuNuit);
    setFixedSize(RectangleTwips(0, 0, 11892, 7692).size());
    Fenetre(this, QSizeF(11892, 7692));
    construit();
    Centre(this);
    auto *ferme = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(ferme, &QShortcut::activated, this, &QWidget::close);
    auto *suivante = new QShortcut(PageSuivante, this);
    connect(suivante, &QShortcut::activated, this, [this] { montrePage(2); });
    auto *precedente = new QShortcut(PagePrecedente, this);
    connect(precedente, &QShortcut::activated, this, [this] { montrePage(1); });
}

void Aide::montrePage(int page)
{
    m_page = page == 2 ? 2 : 1;
    const bool suite = m_page == 2;
    // The page shown first, so that the focus, when it was on the other one, stays in the window.
    m_suite->setVisible(suite);
    m_textes->setVisible(!suite);
    m_miniature->setVisible(!suite);
    m_lien->setText(suite ? tr("← Première page") : tr("Page suivante →"));
    m_lien->setAccessibleName(suite ? tr("Première page de l'aide") : tr("Page suivante de l'aide"));
}

void Aide::construit()
{
    const QColor couleurFenetre = palette().color(QPalette::Base);

    // Created from the bottom up: a later sibling lies above an earlier one.
    QLabel *titre =
        Etiquette(this, "Label1", {120, 120, 6012, 732}, tr("Comment ça marche"), Blanc, Police("Calibri", 28.2));
    Fond(titre, BleuNuit);
    auto *icone = Image(this, "Image1", {5160, 120, 612, 612}, QStringLiteral(":/images/aide.svg"));
    icone->setAccessibleName(tr("Icône de l'aide"));

    auto *croix =
        BoutonImage(this, "Image2", {11040, 120, 576, 576}, QStringLiteral(":/images/croix.svg"), tr("Fermer l'aide"));
    connect(croix, &Bouton::clicked, this, &QWidget::close);

    // The way to the other page: a link in the title strip, right of the blank after the icon.
    m_lien = new LienAide(this, "LienPage", {9120, 300, 1800, 372}, BleuNuit, Blanc, Qt::AlignRight);
    connect(m_lien, &Bouton::clicked, this, [this] { montrePage(m_page == 1 ? 2 : 1); });

    // Its bottom edge lies below the window and is not seen.
    auto *bord = new Trace(this, "Shape1", [](QPainter &p, const QRect &r) {
        Contour(p, r, std::max(1, int(std::lround(ZoomPeint(p)))), Blanc);
    });
    Place(bord, 0, 0, 11892, 7812);

    auto *textes = new QFrame(this);
    textes->setObjectName(QStringLiteral("Picture1"));
    Cadre(textes);
    Fond(textes, couleurFenetre);
    Place(textes, 60, 840, 11772, 6792);

    const QFont question = Police("Calibri", 13.8);
    const QFont reponse = Police("Calibri", 12);
    const QColor noir = palette().color(QPalette::ButtonText);
    QLabel *label6 = Etiquette(textes, "Label6", {840, 5040, 10692, 972},
                               tr("L'option «\u00a0n'autoriser que les fréquences multiples\u00a0» "
                                  "(cochée par défaut) fait que les composantes ajoutées ont des fréquences "
                                  "multiples de la fréquence fondamentale. On peut décocher cette option pour lever "
                                  "cette contrainte."),
                               GrisParagraphe, reponse);
    // In the blank under the last answer, clear of everything laid out above.
    QLabel *label9 =
        Etiquette(textes, "Label9", {840, 6060, 10692, 672},
                  tr("Le timbre type «\u00a0Impairs en 1/n²\u00a0» sonne comme un signal triangulaire sans en avoir "
                     "la forme, car ses composantes sont en phase sinus et l'oreille n'entend pas la phase."),
                  GrisParagraphe, reponse);
    QLabel *label5 = Etiquette(textes, "Label5", {840, 4440, 10692, 732},
                               tr("Pour ajouter des composantes, cliquer dans le spectre avec le bouton gauche de la "
                                  "souris\u00a0; pour les retirer, cliquer avec le bouton droit."),
                               GrisParagraphe, reponse);
    QLabel *label4 = Etiquette(textes, "Label4", {480, 4080, 6012, 372},
                               tr("Comment modifier le spectre du son produit ?"), noir, question);
    QLabel *label3 =
        Etiquette(textes, "Label3", {840, 1680, 10692, 732},
                  tr("Dans le spectre affiché en bas de l'écran, approcher le curseur de la souris du premier "
                     "pic et déplacer celui-ci avec le clic gauche."),
                  GrisParagraphe, reponse);
    QLabel *label2 = Etiquette(textes, "Label2", {480, 1320, 10212, 372},
                               tr("Comment modifier la fréquence fondamentale ?"), noir, question);
    QLabel *label8 = Etiquette(textes, "Label8", {840, 720, 10692, 612}, tr(TexteEcouter), GrisParagraphe, reponse);
    QLabel *label7 =
        Etiquette(textes, "Label7", {480, 240, 10212, 372}, tr("Comment écouter le son produit ?"), noir, question);
    // The two loudspeakers stand in the blanks of Label8's line.
    auto *hautParleur = Image(textes, "Image3", {3000, 600, 444, 444}, QStringLiteral(":/images/hautparleur.svg"));
    // The literal is cut after \u00a0: lupdate would read "Ec" as more hex digits of the escape.
    hautParleur->setAccessibleName(tr("Icône «\u00a0"
                                      "Ecouter le son produit\u00a0» (haut-parleur)"));
    auto *muet = Image(textes, "Image5", {3960, 600, 444, 444}, QStringLiteral(":/images/hautparleur-muet.svg"));
    muet->setAccessibleName(tr("Icône «\u00a0Silence !\u00a0» (haut-parleur barré)"));

    // The miniature spectrum lies over the text panel, between an answer and the next heading.
    auto *miniature = new Trace(this, "Picture2", Quadrillage);
    miniature->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    Fond(miniature, couleurFenetre);
    Place(miniature, 1080, 3120, 8652, 1752);
    // The peak: a 3-pixel orange border around a one-pixel-wide rectangle, centred on its outline.
    auto *pic = new Trace(miniature, "Shape3", [](QPainter &p, const QRect &r) {
        Contour(p, r, std::max(1, int(std::lround(3 * ZoomPeint(p)))), Orange);
    });
    Dispositions::De(pic).marge = 1;
    Place(pic, 2520, 240, 12, 1332);
    auto *main = Image(miniature, "Image4", {2520, 480, 384, 384}, QStringLiteral(":/pointeurs/saisie.svg"));
    main->setAccessibleName(tr("Pointeur en forme de main qui saisit le pic"));
    miniature->setAccessibleName(tr("Exemple de spectre\u00a0: le premier pic, saisi avec la souris"));

    // Recorded sounds and the listening challenge: in the blank right of the miniature, in a smaller type.
    QLabel *label10 = Etiquette(textes, "Label10", {9780, 2280, 1932, 1752},
                                tr("Un son enregistré : « Analyser un son… » (menu « Timbres ») ; Ctrl+Maj+O fait "
                                   "écouter l'original. Le « Défi d'écoute » : refaire un son caché, « Vérifier » "
                                   "donne le score."),
                                GrisParagraphe, Police("Calibri", 9));

    // Read as seen: title, icon, cross, then the questions and answers from the top, each picture
    // after the line it stands in, the miniature between the answer it illustrates and the next
    // question (it lies over the text panel, so it is read as part of it).
    m_textes = textes;
    m_miniature = miniature;
    construitSuite(couleurFenetre);
    montrePage(1);
    setTabOrder(m_lien, croix);

    OrdreLecture::Ordonne(this, {titre, icone, m_lien, croix, textes, m_suite});
    OrdreLecture::Adopte(textes, miniature);
    OrdreLecture::Ordonne(textes, {label7, label8, hautParleur, muet, label2, label3, miniature, label10, label4,
                                   label5, label6, label9});
}

void Aide::construitSuite(const QColor &couleurFenetre)
{
    // Page 2 takes the place of the text panel and the miniature, in the same frame and types.
    auto *suite = new QFrame(this);
    suite->setObjectName(QStringLiteral("Suite"));
    Cadre(suite);
    Fond(suite, couleurFenetre);
    Place(suite, 60, 840, 11772, 6792);
    m_suite = suite;

    const QFont question = Police("Calibri", 13.8);
    const QFont reponse = Police("Calibri", 10.2);
    const QColor noir = palette().color(QPalette::ButtonText);
    QList<QWidget *> ordre;
    auto paragraphe = [&](const char *nom, QRectF twips, const QString &texte, bool titre) {
        QLabel *l = Etiquette(suite, nom, twips, texte, titre ? noir : GrisParagraphe, titre ? question : reponse);
        ordre << l;
    };

    // Left: the commands, in three questions.
    paragraphe("QuestionFichiers", {480, 240, 6960, 372}, tr("Comment garder et retrouver un son ?"), true);
    paragraphe(
        "Fichiers", {840, 660, 6600, 1290},
        tr("Le bouton «\u00a0Timbres\u00a0» ouvre le menu. «\u00a0Ouvrir…\u00a0», «\u00a0"
           "Enregistrer\u00a0» (Ctrl+S) et «\u00a0"
           "Enregistrer "
           "sous…\u00a0» (Ctrl+Maj+S) lisent et écrivent les fichiers .timbre\u00a0; «\u00a0Récents\u00a0» reprend les huit "
           "derniers. Le titre de la fenêtre nomme le fichier ouvert, suivi de «\u00a0*\u00a0» s'il a changé\u00a0; en "
           "fermant, le programme propose d'enregistrer. «\u00a0"
           "Exporter le son…\u00a0» écrit un fichier WAV de la "
           "durée choisie."),
        false);
    paragraphe("QuestionComposantes", {480, 2040, 6960, 372}, tr("Comment retoucher le son ?"), true);
    paragraphe(
        "Composantes", {840, 2460, 6600, 1290},
        tr("Ctrl+Z annule la dernière modification, Ctrl+Maj+Z la rétablit. «\u00a0"
           "Composantes…\u00a0» (Ctrl+L) règle "
           "la fréquence et l'amplitude de chaque composante\u00a0; «\u00a0Muette\u00a0» la fait taire, «\u00a0Solo\u00a0» la fait "
           "entendre seule, sans changer le timbre. Les lettres du clavier de l'ordinateur jouent le piano\u00a0: "
           "la rangée du milieu les touches blanches, celle du dessus les noires."),
        false);
    paragraphe("QuestionClavier", {480, 3840, 6960, 372}, tr("Comment s'aider du clavier, du zoom et du micro ?"),
               true);
    paragraphe("Clavier", {840, 4260, 6600, 540},
               tr("Tab passe d'une commande à l'autre, Espace ou Entrée l'actionne. Ctrl++ et Ctrl+- agrandissent "
                  "ou réduisent les fenêtres, Ctrl+0 les remet à 100\u00a0%."),
               false);
    // The microphone in exactly two sentences.
    paragraphe(
        "Micro", {840, 4860, 6600, 1050},
        tr("«\u00a0Micro ▸ Écouter en direct\u00a0» montre par-dessus le spectre celui du son capté et sa note\u00a0; "
           "«\u00a0"
           "Enregistrer et analyser\u00a0» enregistre trois secondes et les refait avec dix sinusoïdes. "
           "Quand le son du programme est allumé, le micro l'entend aussi\u00a0: c'est normal, rien n'est à "
           "annuler."),
        false);

    // Right: the shortcuts, one line each.
    paragraphe("QuestionRaccourcis", {7680, 240, 3852, 372}, tr("Raccourcis clavier"), true);
    const QFont petite = Police("Calibri", 9);
    double haut = 720;
    int n = 0;
    for (const Raccourci &r : Raccourcis()) {
        auto *ligne = new LigneRaccourci(suite, r.touches, tr(r.quoi), 1740 / TwipsParPixel);
        ligne->setObjectName(QStringLiteral("Raccourci%1").arg(++n));
        ligne->setFont(petite);
        Place(ligne, 7680, haut, 3852, 240);
        ordre << ligne;
        haut += 255;
    }

    // "À propos", under the list.
    auto *aPropos =
        new LienAide(suite, "LienAPropos", {7680, 6240, 3852, 372}, couleurFenetre, BleuNuit, Qt::AlignLeft);
    aPropos->setText(tr("À propos de Sonavirelle…"));
    aPropos->setAccessibleName(tr("À propos de Sonavirelle"));
    connect(aPropos, &Bouton::clicked, this, [this] { APropos::Montre(this); });
    ordre << aPropos;

    OrdreLecture::Ordonne(suite, ordre);
}

#include "aide.moc"
