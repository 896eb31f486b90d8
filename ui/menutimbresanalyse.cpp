// The "Timbres" menu's entries for recorded sounds: analyse a file or a shipped instrument, show
// the measured spectrum, hear the original.
#include "ui/menutimbres.h"

#include "session/edition.h"
#include "session/memoirefichiers.h"
#include "synth/analyseson.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTemporaryDir>

namespace {

// The shipped notes, compiled into the resources (:/instruments/): found the same way from the
// build folder, an installed program and the tests.
struct Instrument
{
    const char *nom; ///< untranslated
    const char *fichier;
};
constexpr Instrument Instruments[] = {
    {QT_TRANSLATE_NOOP("MenuTimbres", "Flûte"), "flute.flac"},
    {QT_TRANSLATE_NOOP("MenuTimbres", "Clarinette"), "clarinette.flac"},
    {QT_TRANSLATE_NOOP("MenuTimbres", "Hautbois"), "hautbois.flac"},
    {QT_TRANSLATE_NOOP("MenuTimbres", "Trompette"), "trompette.flac"},
    {QT_TRANSLATE_NOOP("MenuTimbres", "Violon"), "violon.flac"},
    {QT_TRANSLATE_NOOP("MenuTimbres", "Saxophone"), "saxophone.flac"},
    {QT_TRANSLATE_NOOP("MenuTimbres", "Voyelle chantée"), "voyelle.flac"},
};

} // namespace

bool MenuTimbres::NomDeSon(const QString &chemin)
{
    static const QStringList Extensions{"wav",  "wave", "flac", "ogg", "oga", "opus", "aif",
                                        "aiff", "aifc", "au",   "snd", "w64", "caf"};
    return Extensions.contains(QFileInfo(chemin).suffix().toLower());
}

void MenuTimbres::ajouteAnalyse()
{
    QAction *analyser = addAction(tr("Analyser un son…"));
    analyser->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    analyser->setShortcutContext(Qt::WindowShortcut);
    m_fenetre->addAction(analyser);
    connect(analyser, &QAction::triggered, this, &MenuTimbres::analyse);

    QMenu *instruments = addMenu(tr("Sons d'instruments"));
    instruments->setObjectName(QStringLiteral("SonsInstruments"));
    for (const Instrument &i : Instruments) {
        QAction *a = instruments->addAction(tr(i.nom));
        a->setData(QString::fromLatin1(i.fichier));
        connect(a, &QAction::triggered, this, [this, f = QString::fromLatin1(i.fichier)] { analyseInstrument(f); });
    }

    m_spectreMesure = addAction(tr("Spectre mesuré"));
    m_spectreMesure->setCheckable(true);
    m_spectreMesure->setChecked(true);
    m_spectreMesure->setEnabled(false);

    m_original = addAction(tr("Écouter l'original"));
    m_original->setCheckable(true);
    m_original->setEnabled(false);
    m_original->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_original->setShortcutContext(Qt::WindowShortcut);
    m_fenetre->addAction(m_original);
    connect(m_original, &QAction::toggled, this,
            [this](bool oui) { m_edition.fixeEcoute(oui ? Ecoute::Original : Ecoute::Modele); });
    // The session may choose another source (a challenge): the entry shows what is played.
    connect(&m_edition, &Edition::ecouteChange, this, [this](Ecoute source) {
        const QSignalBlocker bloque(m_original);
        m_original->setChecked(source == Ecoute::Original);
    });
    connect(&m_edition, &Edition::analyseChange, this, [this] {
        m_spectreMesure->setEnabled(!m_edition.analyse().points.isEmpty());
        m_original->setEnabled(!m_edition.original().isEmpty());
    });
    addSeparator();
}

void MenuTimbres::analyse()
{
    const QString chemin =
        QFileDialog::getOpenFileName(m_fenetre, tr("Analyser un son"), MemoireFichiers::DossierDepart(),
                                     tr("Sons (*.wav *.flac *.ogg *.oga *.opus *.aif *.aiff);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    MemoireFichiers::RetientDossier(chemin);
    analyseFichier(chemin);
}

bool MenuTimbres::analyseFichier(const QString &chemin, const QString &nom)
{
    QString pourquoi;
    std::optional<AnalyseSon::Resultat> r = AnalyseSon::Analyse(chemin, {}, {}, &pourquoi);
    if (!r) {
        signaleSonRefuse(pourquoi);
        return false;
    }
    if (!nom.isEmpty())
        r->son.nom = nom;
    return m_edition.ChargeAnalyse(*r);
}

bool MenuTimbres::analyseInstrument(const QString &fichier)
{
    // The reader wants a regular file: the note is copied out of the resources first.
    QTemporaryDir dossier;
    QFile source(QStringLiteral(":/instruments/") + fichier);
    QFile copie(dossier.filePath(fichier));
    if (!dossier.isValid() || !source.open(QIODevice::ReadOnly) || !copie.open(QIODevice::WriteOnly)
        || copie.write(source.readAll()) != source.size() || !copie.flush()) {
        QMessageBox::warning(m_fenetre, tr("Son refusé"),
                             tr("%1 : le son ne peut pas être préparé (%2)").arg(fichier, copie.errorString()));
        return false;
    }
    copie.close();
    return analyseFichier(copie.fileName(), fichier);
}
