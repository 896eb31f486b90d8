#include "ui/apropos.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

namespace APropos {

QString Version()
{
    // Given by the build from project(); the same number as --version prints.
    return QStringLiteral(SONAVIRELLE_VERSION);
}

QString Adresse()
{
    return QStringLiteral(SONAVIRELLE_ADRESSE);
}

QString Texte()
{
    const QString adresse = Adresse().toHtmlEscaped();
    QStringList paragraphes{
        QStringLiteral("<p><b>")
            + QCoreApplication::translate("APropos", "Sonavirelle, version %1").arg(Version().toHtmlEscaped())
            + QStringLiteral("</b><br>")
            + QCoreApplication::translate("APropos",
                                          "Un synthétiseur additif pour apprendre ce qu'est le timbre d'un son.")
                  .toHtmlEscaped()
            + QStringLiteral("</p>"),
        QStringLiteral("<p>")
            + QCoreApplication::translate("APropos", "Logiciel libre, sous licence GNU GPL version 3 ou ultérieure.")
                  .toHtmlEscaped()
            + QStringLiteral("<br><a href=\"%1\">%1</a></p>").arg(adresse),
        QStringLiteral("<p>")
            + QCoreApplication::translate(
                  "APropos", "Sons d'instruments : notes de la banque de sons FluidR3 GM (paquet fluid-soundfont-gm), "
                             "© 2000-2002, 2008 Frank Wen, 2008 Toby Smithe, licence MIT. Voyelle chantée : "
                             "espeak-ng, licence GNU GPL version 3 ou ultérieure.")
                  .toHtmlEscaped()
            + QStringLiteral("</p>"),
        QStringLiteral("<p>")
            + QCoreApplication::translate(
                  "APropos", "Polices : Carlito (paquet fonts-crosextra-carlito) et Liberation Sans (paquet "
                             "fonts-liberation2), licence SIL Open Font License 1.1.")
                  .toHtmlEscaped()
            + QStringLiteral("</p>"),
    };
    return paragraphes.join(QString());
}

QMessageBox *Montre(QWidget *parent)
{
    const QString titre = QCoreApplication::translate("APropos", "À propos de Sonavirelle");
    auto *boite = new QMessageBox(QMessageBox::NoIcon, titre, Texte(), QMessageBox::NoButton, parent);
    boite->setObjectName(QStringLiteral("APropos"));
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->setTextFormat(Qt::RichText);
    boite->setIconPixmap(QIcon(QStringLiteral(":/images/icone.svg")).pixmap(64, 64));
    // The address is a link the keyboard reaches too (Tab, then Entrée opens it).
    boite->setTextInteractionFlags(Qt::TextBrowserInteraction);
    QPushButton *fermer = boite->addButton(QCoreApplication::translate("APropos", "Fermer"), QMessageBox::AcceptRole);
    boite->setDefaultButton(fermer);
    boite->setEscapeButton(fermer);
    // A screen reader reads the whole text with the box's name, as plain sentences.
    boite->setAccessibleName(titre);
    QTextDocument texte;
    texte.setHtml(Texte());
    boite->setAccessibleDescription(texte.toPlainText());
    boite->setWindowModality(Qt::WindowModal);
    boite->show();
    return boite;
}

} // namespace APropos
