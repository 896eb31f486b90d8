#include "ui/menutimbres.h"

#include "session/edition.h"
#include "session/memoirefichiers.h"
#include "synth/export.h"
#include "synth/langue.h"
#include "synth/timbrefichier.h"
#include "ui/apropos.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>

#include <functional>

MenuTimbres::MenuTimbres(QWidget *fenetre, Edition &edition) : QMenu(fenetre), m_fenetre(fenetre), m_edition(edition)
{
    setObjectName(QStringLiteral("MenuTimbres"));
    struct Commande
    {
        const char *texte; ///< untranslated
        QList<QKeySequence> touches;
        std::function<void()> quoi;
        QAction *action = nullptr;
    };
    Commande ouvrir{QT_TR_NOOP("Ouvrir…"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { ouvre(); }};
    Commande avant[] = {
        {QT_TR_NOOP("Enregistrer"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { enregistre(); }},
        {QT_TR_NOOP("Enregistrer sous…"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
         [this] { enregistreSous(); }},
        {QT_TR_NOOP("Exporter le son…"), {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { exporte(); }},
    };
    Commande apres[] = {
        {QT_TR_NOOP("Annuler"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { m_edition.Annule(); }},
        {QT_TR_NOOP("Rétablir"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
         [this] { m_edition.Retablit(); }},
    };
    auto ajoute = [this](Commande &c) {
        c.action = addAction(tr(c.texte));
        c.action->setShortcuts(c.touches);
        c.action->setShortcutContext(Qt::WindowShortcut);
        m_fenetre->addAction(c.action);
        connect(c.action, &QAction::triggered, this, c.quoi);
    };
    ajoute(ouvrir);
    m_recents = addMenu(tr("Récents"));
    m_recents->setObjectName(QStringLiteral("Recents"));
    m_recents->setToolTipsVisible(true);
    connect(m_recents, &QMenu::aboutToShow, this, &MenuTimbres::actualiseRecents);
    actualiseRecents();
    for (Commande &c : avant)
        ajoute(c);
    // Analysed sounds: their own block of entries.
    ajouteAnalyse();
    QMenu *types = addMenu(tr("Timbres types"));
    for (Timbres::Type type : Timbres::Types)
        connect(types->addAction(TimbreFichier::Nom(type)), &QAction::triggered, this,
                [this, type] { m_edition.ChoisitTimbreType(type); });
    addSeparator();
    for (Commande &c : apres)
        ajoute(c);
    // The listening challenge's window belongs to the main window, which knows its spectrum.
    addSeparator();
    // The components' window edits the table row by row; it is a shortcut of the window too.
    QAction *composantes = addAction(tr("Composantes…"), this, &MenuTimbres::composantesDemande);
    composantes->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    composantes->setShortcutContext(Qt::WindowShortcut);
    m_fenetre->addAction(composantes);
    addAction(tr("Défi d'écoute…"), this, &MenuTimbres::defiDemande);
    // The last entry, whatever the window adds before it.
    addSeparator();
    m_aPropos = addAction(tr("À propos de Sonavirelle"), this, [this] { APropos::Montre(m_fenetre); });
    m_aPropos->setObjectName(QStringLiteral("APropos"));
    QAction *annuler = apres[0].action, *retablir = apres[1].action;
    annuler->setEnabled(false);
    retablir->setEnabled(false);
    connect(&m_edition.historique(), &QUndoStack::canUndoChanged, annuler, &QAction::setEnabled);
    connect(&m_edition.historique(), &QUndoStack::canRedoChanged, retablir, &QAction::setEnabled);
}

void MenuTimbres::ouvre()
{
    const QString chemin = QFileDialog::getOpenFileName(m_fenetre, tr("Ouvrir un timbre"),
                                                        MemoireFichiers::DossierDepart(), tr("Timbres (*.timbre)"));
    if (chemin.isEmpty())
        return;
    MemoireFichiers::RetientDossier(chemin);
    ouvreFichier(chemin);
}

bool MenuTimbres::ouvreFichier(const QString &chemin)
{
    QString pourquoi;
    const std::optional<Timbre> t = TimbreFichier::Charge(chemin, &pourquoi);
    if (!t) {
        signaleTimbreRefuse(pourquoi);
        return false;
    }
    m_edition.ChargeTimbre(*t);
    retientFichier(chemin);
    return true;
}

void MenuTimbres::signaleTimbreRefuse(const QString &pourquoi)
{
    QMessageBox::warning(m_fenetre, tr("Timbre refusé"), pourquoi);
}

void MenuTimbres::signaleSonRefuse(const QString &pourquoi)
{
    QMessageBox::warning(m_fenetre, tr("Son refusé"), pourquoi);
}

void MenuTimbres::retientFichier(const QString &chemin)
{
    m_edition.fixeFichier(QFileInfo(chemin).absoluteFilePath());
    MemoireFichiers::AjouteRecent(chemin);
}

void MenuTimbres::actualiseRecents()
{
    m_recents->clear();
    const QStringList liste = MemoireFichiers::Recents();
    if (liste.isEmpty())
        m_recents->addAction(tr("Aucun fichier récent"))->setEnabled(false);
    for (const QString &chemin : liste) {
        // The name alone, unless two recent files share it: then the whole path tells them apart.
        const QString nom = QFileInfo(chemin).fileName();
        int memes = 0;
        for (const QString &autre : liste)
            memes += QFileInfo(autre).fileName() == nom;
        QString texte = memes > 1 ? chemin : nom;
        QAction *a = m_recents->addAction(texte.replace(QLatin1Char('&'), QStringLiteral("&&")));
        a->setData(chemin);
        a->setToolTip(chemin);
        connect(a, &QAction::triggered, this, [this, chemin] { ouvreRecent(chemin); });
    }
}

bool MenuTimbres::ouvreRecent(const QString &chemin)
{
    if (!QFileInfo::exists(chemin)) {
        MemoireFichiers::RetireRecent(chemin);
        actualiseRecents();
        QMessageBox::warning(m_fenetre, tr("Fichier introuvable"),
                             TimbreFichier::Message(chemin, tr("le fichier n'existe plus ; il est retiré des "
                                                               "fichiers récents")));
        return false;
    }
    return ouvreFichier(chemin);
}

bool MenuTimbres::enregistre()
{
    if (m_edition.fichier().isEmpty())
        return enregistreSous();
    return enregistreDans(m_edition.fichier());
}

bool MenuTimbres::enregistreSous()
{
    QString chemin = QFileDialog::getSaveFileName(m_fenetre, tr("Enregistrer le timbre"),
                                                  MemoireFichiers::DossierDepart(), tr("Timbres (*.timbre)"));
    if (chemin.isEmpty())
        return false;
    MemoireFichiers::RetientDossier(chemin);
    if (!chemin.endsWith(QLatin1String(".timbre"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".timbre");
    return enregistreDans(chemin);
}

bool MenuTimbres::enregistreDans(const QString &chemin)
{
    // The safe writer: a refused or failed write leaves the file as it was, and says why.
    QString pourquoi;
    if (!TimbreFichier::Enregistre(chemin, m_edition.TimbreCourant(), &pourquoi)) {
        QMessageBox::warning(m_fenetre, tr("Enregistrement impossible"), pourquoi);
        return false;
    }
    retientFichier(chemin);
    return true;
}

bool MenuTimbres::confirmeAbandon()
{
    if (!m_edition.modifie())
        return true;
    QMessageBox boite(QMessageBox::Question, tr("Sonavirelle"), tr("Enregistrer les modifications ?"),
                      QMessageBox::NoButton, m_fenetre);
    boite.setObjectName(QStringLiteral("EnregistrerModifications"));
    if (!m_edition.fichier().isEmpty())
        boite.setInformativeText(tr("Le timbre « %1 » a changé depuis son dernier enregistrement.")
                                     .arg(QFileInfo(m_edition.fichier()).fileName()));
    else
        boite.setInformativeText(tr("Le timbre a changé et n'a pas été enregistré."));
    QPushButton *oui = boite.addButton(tr("&Enregistrer"), QMessageBox::AcceptRole);
    QPushButton *non = boite.addButton(tr("&Ne pas enregistrer"), QMessageBox::DestructiveRole);
    QPushButton *annuler = boite.addButton(tr("Annuler"), QMessageBox::RejectRole);
    boite.setDefaultButton(oui);
    boite.setEscapeButton(annuler);
    // E and N press their buttons, Escape cancels.
    boite.exec();
    if (boite.clickedButton() == non)
        return true;
    if (boite.clickedButton() == oui)
        return enregistre();
    return false;
}

void MenuTimbres::exporte()
{
    bool ok = false;
    const double secondes = QInputDialog::getDouble(m_fenetre, tr("Exporter le son"), tr("Durée (secondes) :"), 3.0,
                                                    0.1, Export::DureeMaximale, 1, &ok);
    if (!ok)
        return;
    QString chemin = QFileDialog::getSaveFileName(m_fenetre, tr("Exporter le son"), MemoireFichiers::DossierDepart(),
                                                  tr("Sons WAV (*.wav)"));
    if (chemin.isEmpty())
        return;
    MemoireFichiers::RetientDossier(chemin);
    if (!chemin.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".wav");
    QString pourquoi;
    double duree = 0;
    if (!Export::Ecrit(m_edition.son(), secondes, chemin, &pourquoi, &duree)) {
        QMessageBox::warning(m_fenetre, tr("Export impossible"), pourquoi);
        return;
    }
    // The file holds whole loops: its length is the one written, not the one asked for.
    QMessageBox::information(m_fenetre, tr("Son exporté"),
                             tr("« %1 » : %2 s de son écrites.")
                                 .arg(QFileInfo(chemin).fileName(), Langue::Nombres().toString(duree, 'f', 2)));
}
