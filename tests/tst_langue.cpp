// The two languages: which one the environment asks for, the English catalogue complete and in
// use, every text of every window inside its element's rectangle at 100 % in both languages, no
// French left in the English windows, and numbers, note names and file errors in the language.
#include "banc.h"
#include "pilote.h"

#include "synth/export.h"
#include "synth/langue.h"
#include "synth/timbrefichier.h"
#include "ui/accueil.h"
#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/composantes.h"
#include "ui/defiecoute.h"
#include "ui/descriptions.h"
#include "ui/libelle.h"
#include "ui/ressources.h"
#include "ui/synthetiseur.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <map>
#include <memory>

namespace {

using Langue::Code;

// The language of one test, French again afterwards.
struct EnLangue
{
    explicit EnLangue(Code c) : installee(Langue::Installe(c)) {}
    ~EnLangue() { Langue::Installe(Code::Francais); }
    bool installee;
};

struct Message
{
    QString contexte, source, commentaire, traduction, type;
};

// The messages of a catalogue as written in the source tree.
QList<Message> Catalogue(const QString &nom)
{
    QFile f(qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/translations/") + nom);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&f);
    QList<Message> liste;
    QString contexte;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto nom = xml.name();
        if (nom == QLatin1String("context"))
            contexte.clear();
        else if (nom == QLatin1String("name"))
            contexte = xml.readElementText();
        else if (nom == QLatin1String("message"))
            m = Message{contexte, {}, {}, {}, {}};
        else if (nom == QLatin1String("source"))
            m.source = xml.readElementText();
        else if (nom == QLatin1String("comment"))
            m.commentaire = xml.readElementText();
        else if (nom == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.traduction = xml.readElementText();
            liste << m;
        }
    }
    return xml.hasError() ? QList<Message>{} : liste;
}

QStringList Marques(const QString &t)
{
    QStringList m;
    for (const auto &r : QRegularExpression(QStringLiteral("%\\d")).globalMatch(t))
        m << r.captured();
    m.sort();
    return m;
}

// Every window of the program, built in the language installed now: the welcome window, the main
// window, the keyboard and the help. The session deletes them.
struct Fenetres
{
    Banc banc;
    std::unique_ptr<Accueil> accueil = std::make_unique<Accueil>(banc.contexte);
    std::unique_ptr<Synthetiseur> principal = std::make_unique<Synthetiseur>(banc.contexte);
    std::unique_ptr<Aide> aide = std::make_unique<Aide>();
    std::unique_ptr<Clavier> clavier;
    std::unique_ptr<DefiEcoute> defi;
    std::unique_ptr<Composantes> composantes;

    Fenetres()
    {
        principal->show();
        Pilote::Clique(principal, "Picture6");
        clavier.reset(principal->clavier());
        // The challenge window with its longest texts showing: the solution's note, a score, verdicts.
        principal->ouvreDefi();
        defi.reset(principal->defi());
        Pilote::Clique(defi, "Solution");
        Pilote::Clique(defi, "Verifier");
        principal->ouvreComposantes();
        composantes.reset(principal->composantes());
    }
    ~Fenetres()
    {
        composantes.reset();
        defi.reset();
        clavier.reset();
        principal.reset();
    }
    QList<QWidget *> toutes() const
    {
        return {accueil.get(), principal.get(), aide.get(), clavier.get(), defi.get(), composantes.get()};
    }
};

// Each visible text of a window and of its elements (captions, names for assistive technologies,
// tooltips, titles), keyed by where it is.
std::map<QString, QString> Textes(QWidget *fenetre)
{
    std::map<QString, QString> textes;
    auto note = [&](const QString &ou, const QString &t) {
        if (!t.trimmed().isEmpty())
            textes[ou] = t;
    };
    QList<QWidget *> elements = fenetre->findChildren<QWidget *>();
    elements.prepend(fenetre);
    for (int i = 0; i < elements.size(); ++i) {
        QWidget *w = elements[i];
        const QString ou = fenetre->objectName() + QLatin1Char('/') + w->objectName() + QLatin1Char('#')
                           + QString::number(i) + QLatin1Char('.');
        if (auto *l = qobject_cast<QLabel *>(w))
            note(ou + QStringLiteral("text"), l->text());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            note(ou + QStringLiteral("text"), b->text());
        note(ou + QStringLiteral("accessibleName"), w->accessibleName());
        note(ou + QStringLiteral("accessibleDescription"), w->accessibleDescription());
        note(ou + QStringLiteral("toolTip"), w->toolTip());
        if (w->isWindow())
            note(ou + QStringLiteral("windowTitle"), w->windowTitle());
    }
    return textes;
}

} // namespace

class TestLangue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choix_data();
    void choix();
    void catalogueAnglaisComplet();
    void textesTiennent_data();
    void textesTiennent();
    void rienDeFrancaisEnAnglais();
    void hautParleursDansLesBlancs_data();
    void hautParleursDansLesBlancs();
    void nombresEtNotes_data();
    void nombresEtNotes();
    void erreursDeFichiers_data();
    void erreursDeFichiers();
    void dialoguesDeQt_data();
    void dialoguesDeQt();
};

void TestLangue::initTestCase()
{
    Ressources::InstallePolices();
    QVERIFY(!Catalogue(QStringLiteral("sonavirelle_en.ts")).isEmpty());
}

void TestLangue::choix_data()
{
    QTest::addColumn<QStringList>("variables"); // NAME=value
    QTest::addColumn<bool>("anglais");

    QTest::newRow("nothing set") << QStringList{} << false;
    QTest::newRow("LANG English") << QStringList{"LANG=en_US.UTF-8"} << true;
    QTest::newRow("LANG British English") << QStringList{"LANG=en_GB"} << true;
    QTest::newRow("LANG French") << QStringList{"LANG=fr_FR.UTF-8"} << false;
    QTest::newRow("LANG another language") << QStringList{"LANG=de_DE.UTF-8"} << false;
    QTest::newRow("LANG C") << QStringList{"LANG=C.UTF-8"} << false;
    QTest::newRow("LC_MESSAGES over LANG") << QStringList{"LANG=fr_FR.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << true;
    QTest::newRow("LC_ALL over LC_MESSAGES") << QStringList{"LC_ALL=fr_FR.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << false;
    QTest::newRow("LANGUAGE over LANG") << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=en"} << true;
    QTest::newRow("LANGUAGE over LC_ALL") << QStringList{"LC_ALL=en_US.UTF-8", "LANGUAGE=fr"} << false;
    QTest::newRow("LANGUAGE list, first language we have")
        << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=de:en_GB:fr"} << true;
    QTest::newRow("LANGUAGE of other languages only, then LANG")
        << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=de:it"} << true;
    QTest::newRow("LANGUAGE ignored under the C locale") << QStringList{"LANG=C", "LANGUAGE=en"} << false;
    QTest::newRow("LANGUAGE ignored without a locale") << QStringList{"LANGUAGE=en"} << false;
}

void TestLangue::choix()
{
    QFETCH(QStringList, variables);
    QFETCH(bool, anglais);
    std::map<QByteArray, QByteArray> env;
    for (const QString &v : variables)
        env[v.section(u'=', 0, 0).toLatin1()] = v.section(u'=', 1).toLatin1();
    const Code c = Langue::DuSysteme([&](const char *nom) {
        const auto i = env.find(nom);
        return i == env.end() ? QByteArray() : i->second;
    });
    QCOMPARE(c == Code::Anglais, anglais);
}

void TestLangue::catalogueAnglaisComplet()
{
    // Every text of the French catalogue (lupdate over every room) has a finished English
    // translation, with the same placeholders, and the program finds it at run time.
    const QList<Message> anglais = Catalogue(QStringLiteral("sonavirelle_en.ts"));
    const QList<Message> francais = Catalogue(QStringLiteral("sonavirelle_fr.ts"));
    QVERIFY(!francais.isEmpty());
    auto cles = [](const QList<Message> &l) {
        QStringList c;
        for (const Message &m : l)
            c << m.contexte + u'\x1f' + m.source + u'\x1f' + m.commentaire;
        c.sort();
        return c;
    };
    QCOMPARE(cles(anglais), cles(francais));
    EnLangue en(Code::Anglais);
    QVERIFY(en.installee);
    for (const Message &m : anglais) {
        const QString ou = m.contexte + QStringLiteral(": ") + m.source;
        QVERIFY2(m.type.isEmpty() && !m.traduction.isEmpty(), qPrintable(QStringLiteral("unfinished: ") + ou));
        QVERIFY2(Marques(m.traduction) == Marques(m.source), qPrintable(QStringLiteral("placeholders: ") + ou));
        const QByteArray contexte = m.contexte.toUtf8(), source = m.source.toUtf8(),
                         commentaire = m.commentaire.toUtf8();
        QCOMPARE(QCoreApplication::translate(contexte.constData(), source.constData(),
                                             m.commentaire.isEmpty() ? nullptr : commentaire.constData()),
                 m.traduction);
    }
}

void TestLangue::textesTiennent_data()
{
    QTest::addColumn<bool>("anglais");
    QTest::newRow("French") << false;
    QTest::newRow("English") << true;
}

void TestLangue::textesTiennent()
{
    // At 100 %, every caption's lines fit its width and its lines its height; the push button's
    // and the options' texts fit theirs. A text that does not fit is shortened, never its element moved.
    QFETCH(bool, anglais);
    EnLangue langue(anglais ? Code::Anglais : Code::Francais);
    QVERIFY(langue.installee);
    Fenetres f;
    int vus = 0;
    for (QWidget *fenetre : f.toutes()) {
        for (auto *l : fenetre->findChildren<Libelle *>()) {
            const QString ou =
                fenetre->objectName() + QLatin1Char('/') + l->objectName() + QStringLiteral(": ") + l->text();
            const QFontMetricsF m(l->font());
            const QStringList lignes = l->lignes();
            // The layout's own French caption under the hidden time plot wraps in its one-line
            // rectangle (its last word is cut off, as it always was); no English text may.
            if (!anglais && fenetre == f.principal.get() && l->objectName() == QLatin1String("Label8")) {
                QCOMPARE(lignes.size(), 2);
                continue;
            }
            for (QString ligne : lignes) {
                while (ligne.endsWith(u' '))
                    ligne.chop(1);
                QVERIFY2(
                    m.horizontalAdvance(ligne) <= l->width(),
                    qPrintable(QStringLiteral("too wide (%1 > %2 px): ").arg(m.horizontalAdvance(ligne)).arg(l->width())
                               + ou));
            }
            // The last line's baseline inside the rectangle (a title's descenders may hang below it).
            QVERIFY2((lignes.size() - 1) * l->interligne() + m.ascent() <= l->height(),
                     qPrintable(QStringLiteral("too many lines (%1 of %2 px in %3 px): ")
                                    .arg(lignes.size())
                                    .arg(l->interligne())
                                    .arg(l->height())
                                + ou));
            ++vus;
        }
        for (auto *b : fenetre->findChildren<QAbstractButton *>()) {
            if (b->text().isEmpty())
                continue;
            const QString ou =
                fenetre->objectName() + QLatin1Char('/') + b->objectName() + QStringLiteral(": ") + b->text();
            // The style's own measure: the text, its margins and, for an option, its indicator.
            QVERIFY2(
                b->sizeHint().width() <= b->width() || qobject_cast<QPushButton *>(b),
                qPrintable(QStringLiteral("too wide (%1 > %2 px): ").arg(b->sizeHint().width()).arg(b->width()) + ou));
            if (qobject_cast<QPushButton *>(b))
                QVERIFY2(QFontMetricsF(b->font()).horizontalAdvance(b->text()) + 2 * 6 <= b->width(), qPrintable(ou));
            ++vus;
        }
    }
    QVERIFY(vus > 30);
}

void TestLangue::rienDeFrancaisEnAnglais()
{
    // The English windows keep no French text: each text differs from the French window's, but
    // those written the same in both languages (names, units, numbers).
    std::map<QString, QString> francais, anglais;
    {
        Fenetres f;
        for (QWidget *w : f.toutes())
            francais.merge(Textes(w));
    }
    {
        EnLangue en(Code::Anglais);
        QVERIFY(en.installee);
        Fenetres f;
        for (QWidget *w : f.toutes())
            anglais.merge(Textes(w));
    }
    QCOMPARE(anglais.size(), francais.size());
    QVERIFY(francais.size() > 100);
    const QStringList memes{"Sonavirelle 2013", "Sonavirelle 2010", "Volume", "Timbres", "Solution", "Solo",
                            "Amplitude"};
    // Numbers, units and a caption made of them: "1    ms/div", "500 Hz/div", "132 Hz", "+3 dB".
    const QRegularExpression unites(QStringLiteral("^[-+−0-9., ]*(ms/div|Hz/div|Hz|dB)?$"));
    int identiques = 0;
    for (const auto &[ou, texte] : francais) {
        const auto e = anglais.find(ou);
        QVERIFY2(e != anglais.end(), qPrintable(ou));
        if (e->second != texte)
            continue;
        ++identiques;
        QVERIFY2(memes.contains(texte) || unites.match(texte).hasMatch(),
                 qPrintable(QStringLiteral("French in the English window: ") + ou + QStringLiteral(" = ") + texte));
    }
    QVERIFY(identiques < int(francais.size()) / 2);
}

void TestLangue::hautParleursDansLesBlancs_data()
{
    textesTiennent_data();
}

void TestLangue::hautParleursDansLesBlancs()
{
    // The two loudspeakers stand in the line of the "how to hear" answer: in either language,
    // every character under a picture is a blank, and words stand before, between and after them.
    QFETCH(bool, anglais);
    EnLangue langue(anglais ? Code::Anglais : Code::Francais);
    Aide aide;
    auto *ligne = aide.findChild<Libelle *>(QStringLiteral("Label8"));
    QVERIFY(ligne);
    QCOMPARE(ligne->lignes().size(), 1);
    const QString t = ligne->text();
    const QFontMetricsF m(ligne->font());
    QList<int> sous; // indexes of the characters under a picture
    QString mots;    // the text with each picture's place marked |
    int suivant = 0;
    for (const char *nom : {"Image3", "Image5"}) {
        const QRect image = aide.findChild<QWidget *>(QString::fromLatin1(nom))->geometry();
        const double gauche = image.left() - ligne->x(), droite = image.right() + 1 - ligne->x();
        int premier = -1, dernier = -1;
        for (int i = 0; i < t.size(); ++i) {
            const double debut = m.horizontalAdvance(t.left(i)), fin = m.horizontalAdvance(t.left(i + 1));
            if (fin > gauche && debut < droite) {
                QVERIFY2(t.at(i) == u' ', qPrintable(QStringLiteral("%1 over \"%2\"").arg(nom).arg(t.at(i))));
                premier = premier < 0 ? i : premier;
                dernier = i;
            }
        }
        QVERIFY2(premier >= 0, nom); // the picture stands over the line's text, not past its end
        mots += t.mid(suivant, premier - suivant) + QLatin1Char('|');
        suivant = dernier + 1;
    }
    mots += t.mid(suivant);
    const QStringList parties = mots.split(QLatin1Char('|'));
    QCOMPARE(parties.size(), 3);
    for (const QString &p : parties)
        QVERIFY2(!p.trimmed().isEmpty(), qPrintable(mots));
}

void TestLangue::nombresEtNotes_data()
{
    QTest::addColumn<bool>("anglais");
    QTest::addColumn<QString>("obtenu");
    QTest::addColumn<QString>("attendu");

    // French numbering: the middle C is Do 3 and the 440 Hz A is La 3. English, as taught in
    // English-speaking classrooms (scientific pitch notation): the middle C is C4, the A is A4.
    const QString groupeFr = QLocale(QLocale::French).groupSeparator();
    QTest::newRow("fr lowest key") << false << "note 0"
                                   << "Do 2 — 132 Hz";
    QTest::newRow("fr middle C") << false << "note 12"
                                 << "Do 3 — 264 Hz";
    QTest::newRow("fr black key") << false << "note 13"
                                  << "Do dièse 3 — 279 Hz";
    QTest::newRow("fr A") << false << "note 21"
                          << "La 3 — 443 Hz";
    QTest::newRow("fr thousands") << false << "note 45"
                                  << QStringLiteral("La 5 — 1") + groupeFr + QStringLiteral("775 Hz");
    QTest::newRow("en lowest key") << true << "note 0"
                                   << "C3 — 132 Hz";
    QTest::newRow("en middle C") << true << "note 12"
                                 << "C4 — 264 Hz";
    QTest::newRow("en black key") << true << "note 13"
                                  << "C♯4 — 279 Hz";
    QTest::newRow("en A") << true << "note 21"
                          << "A4 — 443 Hz";
    QTest::newRow("en B") << true << "note 23"
                          << "B4 — 498 Hz";
    QTest::newRow("en thousands") << true << "note 45"
                                  << "A6 — 1,775 Hz";
    QTest::newRow("en highest key") << true << "note 48"
                                    << "C7 — 2,112 Hz";
    QTest::newRow("fr time base") << false << "temporel 0.5"
                                  << "Évolution temporelle, 0,5 ms par division";
    QTest::newRow("en time base") << true << "temporel 0.5"
                                  << "Waveform, 0.5 ms per division";
    QTest::newRow("fr hover") << false << "valeur 440 7.5"
                              << "440 Hz — amplitude 7,5";
    QTest::newRow("en hover") << true << "valeur 440 7.5"
                              << "440 Hz — amplitude 7.5";
    QTest::newRow("en no grouping in a time") << true << "instant 2000 10"
                                              << "t = 20000.0 ms";
    QTest::newRow("fr no grouping in a time") << false << "instant 2000 10"
                                              << "t = 20000,0 ms";
}

void TestLangue::nombresEtNotes()
{
    QFETCH(bool, anglais);
    QFETCH(QString, obtenu);
    QFETCH(QString, attendu);
    EnLangue langue(anglais ? Code::Anglais : Code::Francais);
    QVERIFY(langue.installee);
    const QStringList q = obtenu.split(u' ');
    QString texte;
    if (q[0] == QLatin1String("note"))
        texte = Clavier::Libelle(q[1].toInt());
    else if (q[0] == QLatin1String("temporel"))
        texte = Descriptions::Temporel(q[1].toFloat());
    else if (q[0] == QLatin1String("valeur"))
        texte = Descriptions::Valeur(q[1].toDouble(), q[2].toDouble());
    else
        texte = Descriptions::Instant(q[1].toDouble(), q[2].toFloat());
    QCOMPARE(texte, attendu);
}

void TestLangue::erreursDeFichiers_data()
{
    QTest::addColumn<bool>("anglais");
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("attendu"); // %1: the file

    QTest::newRow("fr missing file") << false << "absent"
                                     << "« %1 » : le fichier ou le dossier n'existe pas";
    QTest::newRow("en missing file") << true << "absent"
                                     << "“%1”: the file or folder does not exist";
    QTest::newRow("en not JSON") << true << "json"
                                 << "“%1”: it is not valid JSON text (error near byte 1)";
    QTest::newRow("en zero fundamental") << true << "zero"
                                         << "“%1”: the frequency of the fundamental (component 1) is not between 0 "
                                            "and 32767 Hz";
    QTest::newRow("en folder") << true << "dossier"
                               << "“%1”: it is a folder, not a timbre file";
    QTest::newRow("fr export duration") << false << "duree"
                                        << "« %1 » : la durée doit être un nombre de secondes supérieur à 0 et "
                                           "d'au plus 600";
    QTest::newRow("en export duration") << true << "duree"
                                        << "“%1”: the duration must be a number of seconds above 0 and at most 600";
    QTest::newRow("en export of a sound with no fundamental")
        << true << "silence"
        << "“%1”: this sound cannot be computed (fundamental of 0 Hz (at least 1 Hz is needed))";
    QTest::newRow("fr export of a sound with no fundamental")
        << false << "silence"
        << "« %1 » : ce son ne peut pas être calculé (fondamental de 0 Hz (il faut au moins 1 Hz))";
    QTest::newRow("en export into a folder") << true << "exportdossier"
                                             << "“%1”: it is a folder";
}

void TestLangue::erreursDeFichiers()
{
    QFETCH(bool, anglais);
    QFETCH(QString, cas);
    QFETCH(QString, attendu);
    EnLangue langue(anglais ? Code::Anglais : Code::Francais);
    QVERIFY(langue.installee);
    QTemporaryDir dossier;
    QString chemin = dossier.filePath(QStringLiteral("son.timbre"));
    auto ecris = [&](const QByteArray &octets) {
        QFile f(chemin);
        return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
    };
    QString pourquoi;
    if (cas == QLatin1String("duree") || cas == QLatin1String("silence") || cas == QLatin1String("exportdossier")) {
        Son table;
        if (cas != QLatin1String("silence"))
            QVERIFY(Timbres::Applique(Timbre{true, {{440, 10}}}, table));
        chemin = cas == QLatin1String("exportdossier") ? dossier.path() : dossier.filePath(QStringLiteral("son.wav"));
        QVERIFY(!Export::Ecrit(table, cas == QLatin1String("duree") ? -1.0 : 3.0, chemin, &pourquoi));
    } else {
        if (cas == QLatin1String("json"))
            QVERIFY(ecris("bonjour"));
        else if (cas == QLatin1String("zero"))
            QVERIFY(
                ecris(R"({"format":"sonavirelle-timbre","version":1,"composantes":[{"frequence":-3,"amplitude":1}]})"));
        else if (cas == QLatin1String("dossier"))
            chemin = dossier.path();
        QVERIFY(!TimbreFichier::Charge(chemin, &pourquoi));
    }
    QCOMPARE(pourquoi, attendu.arg(chemin));
}

void TestLangue::dialoguesDeQt_data()
{
    QTest::addColumn<bool>("anglais");
    QTest::addColumn<QString>("annuler");
    QTest::addColumn<QString>("refaire"); // the redo entry's shortcut as the menu shows it
    QTest::addColumn<QString>("nomFichier");
    QTest::addColumn<QStringList>("ecraser"); // the save dialog's overwrite question's buttons
    QTest::newRow("French") << false << "Annuler"
                            << "Ctrl+Maj+Z"
                            << "Nom de fichier :" << QStringList{"Oui", "Non"};
    QTest::newRow("English") << true << "Cancel"
                             << "Ctrl+Shift+Z"
                             << "File name:" << QStringList{"Yes", "No"};
}

void TestLangue::dialoguesDeQt()
{
    // Qt's own words follow the program's language: the buttons of the dialogs the menu opens (the
    // file dialog is Qt's own here, as on a desktop without a platform dialog), and the shortcut names.
    QFETCH(bool, anglais);
    QFETCH(QString, annuler);
    QFETCH(QString, refaire);
    QFETCH(QString, nomFichier);
    QFETCH(QStringList, ecraser);
    EnLangue langue(anglais ? Code::Anglais : Code::Francais);
    QVERIFY(langue.installee);
    Banc banc;
    Synthetiseur principal(banc.contexte);
    principal.show();
    MenuTimbres *menu = principal.menuTimbres();
    QVERIFY(menu);

    QAction *retablir = nullptr;
    for (QAction *a : menu->actions())
        if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)))
            retablir = a;
    QVERIFY(retablir);
    QCOMPARE(retablir->shortcut().toString(QKeySequence::NativeText), refaire);

    // The texts of the buttons of the modal dialog that `commande` opens, which is then cancelled.
    auto boutons = [](auto &&commande, QStringList *libelles) {
        QTimer::singleShot(0, [libelles] {
            QWidget *d = QApplication::activeModalWidget();
            QTRY_VERIFY(d = QApplication::activeModalWidget());
            for (auto *b : d->findChildren<QAbstractButton *>())
                *libelles << b->text().remove(u'&');
            for (auto *l : d->findChildren<QLabel *>())
                *libelles << l->text().remove(u'&');
            qobject_cast<QDialog *>(d)->reject();
        });
        commande();
    };
    QStringList duree, fichier;
    boutons([menu] { menu->exporte(); }, &duree); // the duration box, a QInputDialog
    boutons([menu] { menu->ouvre(); }, &fichier); // the open dialog, a QFileDialog
    for (const QStringList *l : {&duree, &fichier}) {
        QVERIFY2(l->contains(annuler), qPrintable(l->join(u'|')));
        QVERIFY2(!l->contains(anglais ? QStringLiteral("Annuler") : QStringLiteral("Cancel")),
                 qPrintable(l->join(u'|')));
    }
    QVERIFY2(fichier.contains(nomFichier), qPrintable(fichier.join(u'|')));

    // "Enregistrer sous…" onto a file that exists: Qt's own question, a message box, asks before
    // replacing it. It is answered with Escape's button (no) and the dialog cancelled: the file stays.
    QTemporaryDir dossier;
    const QString existant = dossier.filePath(QStringLiteral("cours.timbre"));
    QVERIFY(TimbreFichier::Enregistre(existant, Timbre{true, {{440, 10}}}));
    const QByteArray avant = [&] {
        QFile f(existant);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QStringList question;
    QTimer::singleShot(0, [&] {
        QFileDialog *d = nullptr;
        QTRY_VERIFY(d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
        d->selectFile(existant);
        QTimer::singleShot(0, [&question] {
            auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (boite) {
                for (QAbstractButton *b : boite->buttons())
                    question << b->text().remove(u'&');
                boite->reject();
            }
        });
        static_cast<QDialog *>(d)->accept(); // asks, and stays open on "no"
        d->reject();
    });
    QVERIFY(!menu->enregistreSous());
    question.sort();
    QStringList attendu = ecraser;
    attendu.sort();
    QCOMPARE(question, attendu);
    QFile f(existant);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), avant);
}

QTEST_MAIN(TestLangue)
#include "tst_langue.moc"
