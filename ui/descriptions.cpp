#include "ui/descriptions.h"

#include "synth/langue.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

QString Descriptions::Nombre(double valeur, int decimales)
{
    // The language's decimal separator, but never a group separator: "1000,5" reads as one number.
    return QString::number(valeur, 'f', decimales).replace(QLatin1Char('.'), Langue::Nombres().decimalPoint());
}

QString Descriptions::Amplitude(double amplitude)
{
    const double dixiemes = std::nearbyint(amplitude * 10.0);
    return Nombre(dixiemes / 10.0, std::fmod(dixiemes, 10.0) == 0.0 ? 0 : 1);
}

QString Descriptions::Spectre(const Son &c)
{
    const int n = std::clamp<int>(c.ProchaineComposante - 1, 0, Son::Max);
    if (n == 0)
        return tr("Spectre : aucune composante");
    QStringList liste;
    for (int i = 1; i <= n; ++i)
        liste << tr("%1 Hz amplitude %2").arg(c.Frequence[i]).arg(Amplitude(c.Amplitude[i]));
    const QString composantes = liste.join(QStringLiteral(", "));
    if (n == 1)
        return tr("Spectre : 1 composante — %1").arg(composantes);
    return tr("Spectre : %1 composantes — %2").arg(n).arg(composantes);
}

QString Descriptions::AvecCurseur(const QString &description, Curseur::Point p)
{
    return tr("%1. Curseur : %2 Hz, amplitude %3")
        .arg(description, QString::number(std::lround(p.frequence)), Amplitude(p.amplitude));
}

QString Descriptions::AvecMesure(const QString &description, const QString &nom, double fondamental)
{
    return tr("%1. Spectre mesuré de « %2 » : fondamental %3 Hz")
        .arg(description, nom, QString::number(std::lround(fondamental)));
}

QString Descriptions::Temporel(float sensibilite)
{
    return tr("Évolution temporelle, %1 ms par division").arg(Nombre(sensibilite, sensibilite < 1.0f ? 1 : 0));
}

QString Descriptions::Valeur(double frequence, double amplitude)
{
    return tr("%1 Hz — amplitude %2").arg(std::lround(frequence)).arg(Nombre(amplitude, 1));
}

QString Descriptions::Instant(double divisions, float sensibilite)
{
    // About one pixel's worth of time in the last digit.
    const int decimales = sensibilite < 1.0f ? 3 : sensibilite < 10.0f ? 2 : 1;
    return tr("t = %1 ms").arg(Nombre(divisions * double(sensibilite), decimales));
}

int Descriptions::ComposanteSous(const Son &c, const Repere &repere, QPoint pixel)
{
    int trouve = 0;
    int meilleur = ToleranceSurvol;
    for (int i = 2; i <= Son::Max; ++i) {
        const float a = c.Amplitude[i];
        if (!(a > 0.0f))
            continue;
        // The line as drawn: two pixels wide from the pixel of its top to the base line's.
        const QPointF haut = repere.versPixels(c.Frequence[i], 10.0 - a);
        const QPointF bas = repere.versPixels(c.Frequence[i], 10.0);
        const int gauche = int(std::floor(haut.x()));
        const int dx = pixel.x() < gauche ? gauche - pixel.x() : std::max(0, pixel.x() - (gauche + 1));
        const int dessus = int(std::floor(haut.y())), dessous = int(std::floor(bas.y())) + 1;
        const bool hauteur = pixel.y() >= dessus - ToleranceSurvol && pixel.y() <= dessous + ToleranceSurvol;
        if (hauteur && dx <= meilleur) {
            meilleur = dx;
            trouve = i;
        }
    }
    return trouve;
}
