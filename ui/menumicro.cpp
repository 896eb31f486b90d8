#include "ui/menumicro.h"

#include "plot/vues.h"
#include "session/direct.h"
#include "session/edition.h"
#include "session/memoirefichiers.h"
#include "synth/emplacements.h"
#include "synth/generateur.h"
#include "synth/langue.h"
#include "synth/reglages.h"
#include "ui/clavier.h"
#include "ui/descriptionsvues.h"
#include "ui/panneaufrequences.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <cmath>

MenuMicro::MenuMicro(QWidget *fenetre, Edition &edition, PanneauFrequences &panneau, DescriptionsVues &descriptions)
    : QMenu(tr("Micro"), fenetre),
      m_fenetre(fenetre),
      m_edition(edition),
      m_panneau(panneau),
      m_descriptions(descriptions)
{
    setObjectName(QStringLiteral("MenuMicro"));
    m_entrees = addMenu(tr("Entrée"));
    m_entrees->setObjectName(QStringLiteral("MenuEntree"));
    // The list is asked for when first looked at; the microphone itself is not opened for it.
    connect(m_entrees, &QMenu::aboutToShow, this, [this] { montreEntrees(micro().entrees()); });
    montreEntrees({});
    addSeparator();
    m_direct = addAction(tr("Écouter en direct"));
    m_direct->setCheckable(true);
    m_direct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_enregistre = addAction(tr("Enregistrer et analyser"));
    m_enregistre->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    m_sauve = addAction(tr("Enregistrer l'original…"));
    m_sauve->setEnabled(false);
    for (QAction *a : {m_direct, m_enregistre}) {
        a->setShortcutContext(Qt::WindowShortcut);
        fenetre->addAction(a);
    }
    connect(m_direct, &QAction::toggled, this, &MenuMicro::ecouteDirect);
    connect(m_enregistre, &QAction::triggered, this, &MenuMicro::enregistre);
    connect(m_sauve, &QAction::triggered, this, qOverload<>(&MenuMicro::sauveOriginal));

    // In the spectrum panel's free part, right of its title.
    m_avis = m_panneau.ajouteAvis("AvisMicro", {2760, 60, 1560, 300}, tr("Aucun micro"));
    QFont gras = m_avis->font();
    gras.setBold(true);
    m_avis->setFont(gras);
    m_info = m_panneau.ajouteAvis("Micro", {4440, 60, 5160, 300}, QString());

    m_description = new QTimer(this);
    m_description->setInterval(DescriptionMs);
    connect(m_description, &QTimer::timeout, this, &MenuMicro::decrit);
    m_attente = new QTimer(this);
    m_attente->setSingleShot(true);
    m_attente->setInterval(AttenteMs);
    connect(m_attente, &QTimer::timeout, this, [this] {
        if (m_analyse->enregistrement() && m_compte == int(Direct::DureeEnregistrement) && !m_micro->disponible()) {
            m_analyse->abandonne();
            captureVoulue();
            signale(tr("Aucun micro : rien n'est enregistré."));
        }
    });

    m_analyse = new Direct(this);
    connect(m_analyse, &Direct::trame, this, [this](QList<QPointF> points, double hauteur) {
        if (!m_direct->isChecked())
            return;
        m_hauteur = hauteur;
        m_panneau.vue().fixeCouche(Couche::Direct, std::move(points));
        // The view keeps the table and the preview it was last given: only the layer is new.
        m_panneau.vue().dessine();
        if (!m_aEuTrame) {
            m_aEuTrame = true;
            decrit();
        }
        montreEtat();
    });
    connect(m_analyse, &Direct::compte, this, [this](int secondes) {
        m_compte = secondes;
        montreEtat();
    });
    connect(m_analyse, &Direct::refuse, this, [this](const QString &pourquoi) {
        captureVoulue();
        signale(pourquoi);
    });
    connect(m_analyse, &Direct::analyse, this, [this](const AnalyseSon::Resultat &r) {
        captureVoulue();
        finEnregistrement(r);
    });
}

MenuMicro::~MenuMicro() = default;

Micro &MenuMicro::micro()
{
    if (m_micro)
        return *m_micro;
    m_micro = new Micro(this);
    if (const auto id = Reglages::LitTexte(Reglages::Cle::EntreeMicro))
        m_micro->choisit(id->toLatin1());
    connect(m_micro, &Micro::bloc, m_analyse, &Direct::recoit);
    connect(m_micro, &Micro::perdue, m_analyse, &Direct::perdue);
    connect(m_micro, &Micro::entreesChange, this, &MenuMicro::montreEntrees);
    connect(m_micro, &Micro::disponibleChange, this, &MenuMicro::montreEtat);
    connect(m_micro, &Micro::entreeOuverte, this, [this] { montreEntrees(m_micro->entrees()); });
    m_micro->suit();
    return *m_micro;
}

QString MenuMicro::Note(double hertz)
{
    // The keyboard's tuning: key 0 at 132 Hz, twelve keys an octave.
    const int index = int(std::lround(12.0 * std::log2(hertz / 132.0)));
    return Clavier::NomNote(index);
}

void MenuMicro::captureVoulue()
{
    micro().capte(m_direct->isChecked() || m_analyse->enregistrement());
    montreEtat();
}

void MenuMicro::ecouteDirect(bool oui)
{
    if (m_direct->isChecked() != oui) {
        m_direct->setChecked(oui); // toggled comes back here
        return;
    }
    m_analyse->fixeDirect(oui);
    m_aEuTrame = false;
    m_hauteur = 0.0;
    if (oui) {
        m_description->start();
    } else {
        m_description->stop();
        m_panneau.vue().fixeCouche(Couche::Direct, {});
        m_panneau.vue().dessine();
    }
    captureVoulue();
    decrit();
}

void MenuMicro::enregistre()
{
    if (!m_analyse->enregistre())
        return; // one at a time: the countdown shows it runs
    m_compte = int(Direct::DureeEnregistrement);
    m_attente->start();
    captureVoulue();
}

void MenuMicro::finEnregistrement(const AnalyseSon::Resultat &resultat)
{
    // As an analysed file: the table, the measured spectrum and the recording as the original,
    // in one commit (one undo step).
    if (!m_edition.ChargeAnalyse(resultat)) {
        signale(tr("L'enregistrement ne donne pas de timbre valable : rien n'est changé."));
        return;
    }
    m_sauve->setEnabled(!m_analyse->derniere().isEmpty());
    montreEtat();
}

void MenuMicro::signale(const QString &pourquoi)
{
    montreEtat();
    emit refuse(pourquoi);
    // Not modal: the live spectrum and the window go on while the message is read.
    auto *boite =
        new QMessageBox(QMessageBox::Warning, tr("Enregistrement refusé"), pourquoi, QMessageBox::Ok, m_fenetre);
    boite->setObjectName(QStringLiteral("RefusMicro"));
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}

void MenuMicro::sauveOriginal()
{
    QString chemin = QFileDialog::getSaveFileName(m_fenetre, tr("Enregistrer l'original"),
                                                  MemoireFichiers::DossierDepart(), tr("Sons WAV (*.wav)"));
    if (chemin.isEmpty())
        return;
    MemoireFichiers::RetientDossier(chemin);
    if (!chemin.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".wav");
    QString pourquoi;
    if (!sauveOriginal(chemin, &pourquoi))
        QMessageBox::warning(m_fenetre, tr("Enregistrement impossible"), pourquoi);
}

bool MenuMicro::sauveOriginal(const QString &chemin, QString *pourquoi)
{
    const QByteArray &son = m_analyse->derniere();
    if (son.isEmpty()) {
        if (pourquoi)
            *pourquoi = tr("Aucun enregistrement du micro à enregistrer.");
        return false;
    }
    // The name itself is looked at: a link, a device, a FIFO or a folder is never written through.
    if (Fichier::Examine(chemin, pourquoi) == Fichier::Etat::Refuse)
        return false;
    const auto entete = Synthese::EnTete(static_cast<std::int32_t>(son.size()));
    return Fichier::Remplace(chemin, QByteArray(entete.data(), entete.size()), son, pourquoi);
}

void MenuMicro::montreEntrees(const QList<Micro::Entree> &entrees)
{
    m_entrees->clear();
    if (entrees.isEmpty()) {
        m_entrees->addAction(tr("Aucun micro"))->setEnabled(false);
        return;
    }
    const QByteArray choix = Reglages::LitTexte(Reglages::Cle::EntreeMicro).value_or(QString()).toLatin1();
    const QByteArray enCours = m_micro ? m_micro->enCours() : QByteArray();
    auto *groupe = new QActionGroup(m_entrees);
    bool coche = false;
    for (const Micro::Entree &e : entrees) {
        QAction *a = m_entrees->addAction(e.nom);
        a->setCheckable(true);
        a->setData(e.id);
        groupe->addAction(a);
        if (!coche && (e.id == choix || (choix.isEmpty() && e.id == enCours))) {
            a->setChecked(true);
            coche = true;
        }
        connect(a, &QAction::triggered, this, [this, id = e.id] {
            // Remembered when it can be: an id the settings cannot hold is used for this run only.
            Reglages::EcritTexte(Reglages::Cle::EntreeMicro, QString::fromLatin1(id));
            micro().choisit(id);
        });
    }
}

void MenuMicro::montreEtat()
{
    const bool voulu = m_direct->isChecked() || m_analyse->enregistrement();
    const bool sansMicro = voulu && m_micro && !m_micro->disponible();
    if (m_avis->isHidden() == sansMicro) {
        m_avis->setVisible(sansMicro);
        if (sansMicro) {
            QAccessibleEvent alerte(m_avis, QAccessible::Alert);
            QAccessible::updateAccessibility(&alerte);
        }
    }
    QString texte;
    if (m_analyse->enregistrement())
        texte = tr("Enregistrement : %1 s").arg(m_compte);
    else if (m_direct->isChecked() && !sansMicro && m_aEuTrame)
        texte = m_hauteur > 0.0
                    ? tr("Micro : %1 Hz — %2", "pitch, note")
                          .arg(Langue::Nombres().toString(qlonglong(std::lround(m_hauteur))), Note(m_hauteur))
                    : tr("Micro : pas de hauteur");
    if (m_info->text() != texte) {
        m_info->setText(texte);
        m_info->setAccessibleName(texte);
    }
    m_info->setVisible(!texte.isEmpty());
}

void MenuMicro::decrit()
{
    QString suffixe;
    if (m_direct->isChecked() && m_aEuTrame)
        suffixe = m_hauteur > 0.0
                      ? tr(". Micro : %1 Hz (%2)", "pitch, note")
                            .arg(Langue::Nombres().toString(qlonglong(std::lround(m_hauteur))), Note(m_hauteur))
                      : tr(". Micro : pas de hauteur");
    m_descriptions.fixeMicro(suffixe);
}
