#include "ui/menutimbres.h"

#include "session/edition.h"
#include "synth/export.h"
#include "synth/timbrefichier.h"

#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
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
    Commande avant[] = {
        {QT_TR_NOOP("Ouvrir…"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { ouvre(); }},
        {QT_TR_NOOP("Enregistrer sous…"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { enregistre(); }},
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
    QAction *annuler = apres[0].action, *retablir = apres[1].action;
    annuler->setEnabled(false);
    retablir->setEnabled(false);
    connect(&m_edition.historique(), &QUndoStack::canUndoChanged, annuler, &QAction::setEnabled);
    connect(&m_edition.historique(), &QUndoStack::canRedoChanged, retablir, &QAction::setEnabled);
}

void MenuTimbres::ouvre()
{
    const QString chemin =
        QFileDialog::getOpenFileName(m_fenetre, tr("Ouvrir un timbre"), QString(), tr("Timbres (*.timbre)"));
    if (!chemin.isEmpty())
        ouvreFichier(chemin);
}

bool MenuTimbres::ouvreFichier(const QString &chemin)
{
    QString pourquoi;
    const std::optional<Timbre> t = TimbreFichier::Charge(chemin, &pourquoi);
    if (!t) {
        QMessageBox::warning(m_fenetre, tr("Timbre refusé"), pourquoi);
        return false;
    }
    m_edition.ChargeTimbre(*t);
    return true;
}

void MenuTimbres::enregistre()
{
    QString chemin =
        QFileDialog::getSaveFileName(m_fenetre, tr("Enregistrer le timbre"), QString(), tr("Timbres (*.timbre)"));
    if (chemin.isEmpty())
        return;
    if (!chemin.endsWith(QLatin1String(".timbre"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".timbre");
    QString pourquoi;
    if (!TimbreFichier::Enregistre(chemin, m_edition.TimbreCourant(), &pourquoi))
        QMessageBox::warning(m_fenetre, tr("Enregistrement impossible"), pourquoi);
}

void MenuTimbres::exporte()
{
    bool ok = false;
    const double secondes = QInputDialog::getDouble(m_fenetre, tr("Exporter le son"), tr("Durée (secondes) :"), 3.0,
                                                    0.1, Export::DureeMaximale, 1, &ok);
    if (!ok)
        return;
    QString chemin = QFileDialog::getSaveFileName(m_fenetre, tr("Exporter le son"), QString(), tr("Sons WAV (*.wav)"));
    if (chemin.isEmpty())
        return;
    if (!chemin.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".wav");
    QString pourquoi;
    if (!Export::Ecrit(m_edition.son(), secondes, chemin, &pourquoi))
        QMessageBox::warning(m_fenetre, tr("Export impossible"), pourquoi);
}
