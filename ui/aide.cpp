#include "ui/aide.h"

#include "plot/repere.h"
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

#include <cmath>
#include <functional>

using namespace Couleurs;
using namespace Elements;

namespace {

// "entendre" is meant in both places; the blank runs leave room for the two loudspeaker pictures.
const char *const TexteEcouter = QT_TRANSLATE_NOOP(
    "Aide", "Cliquer sur les icônes           et            pour entendre ou ne plus entendre le son produit. ");

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
    OrdreLecture::Ordonne(this, {titre, icone, croix, textes});
    OrdreLecture::Adopte(textes, miniature);
    OrdreLecture::Ordonne(textes, {label7, label8, hautParleur, muet, label2, label3, miniature, label10, label4,
                                   label5, label6, label9});
}

#include "aide.moc"
