// Renders the application's SVG icon into the PNG sizes of the hicolor icon theme, for desktops
// and software centres that do not read SVG.
// Usage: sonavirelle_icones ICON.svg OUTPUT_FOLDER SIZE... ; writes OUTPUT_FOLDER/<N>x<N>/apps/sonavirelle.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fputs("usage: sonavirelle_icones ICON.svg OUTPUT_FOLDER SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer rendu(QString::fromLocal8Bit(argv[1]));
    if (!rendu.isValid()) {
        std::fprintf(stderr, "sonavirelle_icones: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int taille = QByteArray(argv[i]).toInt();
        if (taille <= 0) {
            std::fprintf(stderr, "sonavirelle_icones: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter peintre(&image);
            peintre.setRenderHint(QPainter::Antialiasing);
            rendu.render(&peintre, QRectF(0, 0, taille, taille));
        }
        const QString dossier = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(taille);
        if (!QDir().mkpath(dossier) || !image.save(dossier + QStringLiteral("/sonavirelle.png"), "PNG")) {
            std::fprintf(stderr, "sonavirelle_icones: cannot write %s\n", qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}
