#include "ui/curseurvolume.h"

#include "audio/volume.h"
#include "synth/reglages.h"
#include "ui/couleurs.h"
#include "ui/echelle.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>

static_assert(CurseurVolume::Silence == int(Volume::MinDecibels) - 1,
              "one position of silence under the quietest step");
static_assert(CurseurVolume::Maximum == int(Volume::MaxDecibels));

CurseurVolume::CurseurVolume(QWidget *parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(Silence, Maximum);
    setSingleStep(1);
    setPageStep(GrandPas);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Volume"));
    QPalette p = palette();
    p.setColor(QPalette::Highlight, Couleurs::BleuNuit);
    p.setColor(QPalette::Window, Couleurs::GrisFenetre);
    setPalette(p);
    setAutoFillBackground(true);

    // A stored value out of range (an older or edited file) is brought back into it.
    const int lu = Reglages::Lit(Reglages::Cle::Volume).value_or(0);
    setValue(std::clamp(lu, minimum(), maximum()));
    change(value());
    connect(this, &QSlider::valueChanged, this, [this](int decibels) {
        change(decibels);
        Reglages::Ecrit(Reglages::Cle::Volume, decibels);
    });
}

QString CurseurVolume::Texte(int decibels)
{
    if (decibels < Volume::MinDecibels)
        return tr("Silence");
    if (decibels > 0)
        return tr("+%1 dB").arg(decibels);
    if (decibels < 0)
        return tr("\u2212%1 dB").arg(-decibels);
    return tr("0 dB");
}

void CurseurVolume::change(int decibels)
{
    const QString texte = Texte(decibels);
    setToolTip(tr("Volume : %1").arg(texte));
    setAccessibleDescription(texte);
}

void CurseurVolume::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::ControlModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        triggerAction(event->key() == Qt::Key_Up ? SliderPageStepAdd : SliderPageStepSub);
        event->accept();
        return;
    }
    QSlider::keyPressEvent(event);
}

// Drawn in the strip's colours, every length at the window's zoom, so that the slider grows with
// the rest of the layout; the handle stands where the style puts it, so the mouse finds it there.
void CurseurVolume::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const double z = Elements::Zoom(this);
    const auto longueur = [z](double pixels) { return std::max(1, int(std::lround(pixels * z))); };
    const int trait = Elements::Trait(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    const int x = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center().x();
    const int milieu = height() / 2;

    const int marge = longueur(4);
    const int epaisseur = longueur(6);
    const QRect gorge(marge, milieu - epaisseur / 2, width() - 2 * marge, epaisseur);
    p.fillRect(gorge, Couleurs::GrisCache);
    p.fillRect(QRect(gorge.topLeft(), QPoint(x, gorge.bottom())), Couleurs::BleuNuit);
    p.setPen(QPen(Qt::black, trait));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(gorge).adjusted(trait / 2.0, trait / 2.0, -trait / 2.0, -trait / 2.0));

    const int largeurPoignee = longueur(10);
    const int hauteurPoignee = longueur(20);
    const QRect poignee(x - largeurPoignee / 2, milieu - hauteurPoignee / 2, largeurPoignee, hauteurPoignee);
    p.fillRect(poignee, Couleurs::Blanc);
    p.drawRect(QRectF(poignee).adjusted(trait / 2.0, trait / 2.0, -trait / 2.0, -trait / 2.0));

    // The focus shows only once the keyboard has been used in this window, as on the commands.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        p.setPen(QPen(Couleurs::Orange, trait, Qt::DotLine));
        p.drawRect(rect().adjusted(trait, trait, -1 - trait, -1 - trait));
    }
}
