#include "ui/curseurvolume.h"

#include "audio/volume.h"
#include "ui/couleurs.h"

#include <QKeyEvent>
#include <QSettings>

#include <algorithm>

static_assert(CurseurVolume::Silence == int(Volume::MinDecibels) - 1, "one position of silence under the quietest step");
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
    const QSettings reglages;
    const int lu = reglages.value(QLatin1String(Cle), 0).toInt();
    setValue(std::clamp(lu, minimum(), maximum()));
    change(value());
    connect(this, &QSlider::valueChanged, this, [this](int decibels) {
        change(decibels);
        QSettings().setValue(QLatin1String(Cle), decibels);
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
