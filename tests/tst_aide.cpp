// The help's second page (menu, files, keys, microphone, the list of shortcuts) and "À propos".
#include "banc.h"
#include "pilote.h"

#include "synth/langue.h"
#include "ui/aide.h"
#include "ui/loupe.h"
#include "ui/menumicro.h"
#include "ui/menutimbres.h"
#include "ui/ressources.h"
#include "ui/synthetiseur.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QShortcut>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

// The "À propos" box on the screen now, if any.
QMessageBox *BoiteAPropos()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<QMessageBox *>(w);
            b && b->objectName() == QLatin1String("APropos") && b->isVisible())
            return b;
    return nullptr;
}

// The accessible children's names of `w`, in reading order (unnamed internals left out).
QStringList Lus(QWidget *w)
{
    QStringList noms;
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    for (int n = 0; n < i->childCount(); ++n) {
        QAccessibleInterface *e = i->child(n);
        if (e && !e->object()->objectName().isEmpty() && e->object()->objectName() != QLatin1String("Shape1"))
            noms << e->object()->objectName();
    }
    return noms;
}

QList<LigneRaccourci *> Lignes(Aide *aide)
{
    QList<LigneRaccourci *> l = aide->findChildren<LigneRaccourci *>();
    std::sort(l.begin(), l.end(), [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
    return l;
}

} // namespace

class TestAide : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void aProposDernierDuMenu();
    void aProposDepuisLaSuite();
    void pageParLeClavier();
    void pageParLeLien_data();
    void pageParLeLien();
    void suiteLueDansLOrdre();
    void raccourcisDuProgramme();
    void raccourcisTiennent_data();
    void raccourcisTiennent();
    void suiteSuitLeZoom();
    void deuxPhrasesSurLeMicro();
};

void TestAide::initTestCase()
{
    Ressources::InstallePolices();
}

void TestAide::init()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void TestAide::aProposDernierDuMenu()
{
    Banc banc;
    Synthetiseur principal(banc.contexte);
    principal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&principal));
    const QList<QAction *> entrees = principal.menuTimbres()->actions();
    QVERIFY(entrees.size() > 10);
    // The very last entry, after the microphone's menu the window adds.
    QAction *derniere = entrees.last();
    QCOMPARE(derniere->text(), QStringLiteral("À propos de Sonavirelle"));
    QVERIFY(entrees[entrees.size() - 2]->isSeparator());
    QCOMPARE(entrees[entrees.size() - 3]->menu(), principal.menuMicro());

    derniere->trigger();
    QPointer<QMessageBox> boite = BoiteAPropos();
    QVERIFY(boite);
    QCOMPARE(boite->windowTitle(), QStringLiteral("À propos de Sonavirelle"));
    QCOMPARE(boite->parentWidget(), &principal);
    const QString texte = boite->text();

    // The version is the one the program prints for --version.
    QProcess p;
    p.start(QStringLiteral(SONAVIRELLE_PROGRAMME), {QStringLiteral("--version")});
    QVERIFY(p.waitForFinished(10000));
    const QString version = QString::fromUtf8(p.readAllStandardOutput()).trimmed().section(u' ', -1);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)+$")).match(version).hasMatch(), qPrintable(version));
    QVERIFY2(texte.contains(QStringLiteral("version ") + version), qPrintable(texte));
    // The licence and the address the package names.
    QVERIFY(texte.contains(QStringLiteral("GNU GPL version 3 ou ultérieure")));
    QVERIFY(texte.contains(QStringLiteral("<a href=\"%1\">").arg(QStringLiteral(SONAVIRELLE_ADRESSE_ATTENDUE))));
    // Every holder the package's copyright file names for the shipped notes, and where the sounds
    // and fonts come from.
    QFile copyright(qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/packaging/copyright"));
    QVERIFY(copyright.open(QIODevice::ReadOnly));
    const QString droits = QString::fromUtf8(copyright.readAll());
    const QRegularExpression titulaire(QStringLiteral("^(?:Copyright:)?\\s+[0-9, -]+ (.+)$"),
                                       QRegularExpression::MultilineOption);
    int titulaires = 0;
    for (auto m = titulaire.globalMatch(droits); m.hasNext();) {
        const QString nom = m.next().captured(1).trimmed();
        if (nom == QLatin1String("Sonavirelle maintainers"))
            continue;
        ++titulaires;
        QVERIFY2(texte.contains(nom), qPrintable(nom));
    }
    QCOMPARE(titulaires, 2);
    for (const char *mot :
         {"FluidR3 GM", "fluid-soundfont-gm", "licence MIT", "espeak-ng", "Voyelle chantée", "Carlito",
          "fonts-crosextra-carlito", "Liberation Sans", "fonts-liberation2", "SIL Open Font License"})
        QVERIFY2(texte.contains(QString::fromUtf8(mot)), mot);
    // A screen reader gets its name and its whole text; Échap closes it.
    QCOMPARE(boite->accessibleName(), QStringLiteral("À propos de Sonavirelle"));
    QVERIFY(boite->accessibleDescription().contains(QStringLiteral("Liberation Sans")));
    QVERIFY(!boite->accessibleDescription().contains(u'<'));
    QVERIFY(QTest::qWaitForWindowExposed(boite));
    QTest::keyClick(boite, Qt::Key_Escape);
    QTRY_VERIFY(!boite);
}

void TestAide::aProposDepuisLaSuite()
{
    Aide aide;
    aide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&aide));
    aide.montrePage(2);
    auto *lien = aide.findChild<QAbstractButton *>(QStringLiteral("LienAPropos"));
    QVERIFY(lien && lien->isVisible());
    QVERIFY(PresseAccessible(lien));
    QTRY_VERIFY(BoiteAPropos());
    QPointer<QMessageBox> boite = BoiteAPropos();
    QCOMPARE(boite->parentWidget(), &aide);
    QVERIFY(boite->text().contains(QStringLiteral("Carlito")));
    boite->close();
    QTRY_VERIFY(!boite);
    // Not on page 1: the link is out of sight there.
    aide.montrePage(1);
    QVERIFY(!lien->isVisible());
}

void TestAide::pageParLeClavier()
{
    Banc banc;
    Synthetiseur principal(banc.contexte);
    principal.show();
    Pilote::Clique(&principal, "Image3");
    QPointer<Aide> aide = principal.aide();
    QVERIFY(aide);
    aide->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(aide));
    QCOMPARE(aide->page(), 1);
    auto visible = [&](const char *nom) { return aide->findChild<QWidget *>(QString::fromUtf8(nom))->isVisible(); };
    QVERIFY(visible("Picture1") && visible("Picture2") && !visible("Suite"));

    QTest::keyClick(aide, Qt::Key_PageDown);
    QCOMPARE(aide->page(), 2);
    QVERIFY(!visible("Picture1") && !visible("Picture2") && visible("Suite"));
    QTest::keyClick(aide, Qt::Key_PageDown); // already there
    QCOMPARE(aide->page(), 2);
    QTest::keyClick(aide, Qt::Key_PageUp);
    QCOMPARE(aide->page(), 1);
    QVERIFY(visible("Picture1") && visible("Picture2") && !visible("Suite"));
    // The pages' keys are the help's own: the main window has no such shortcut.
    principal.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&principal));
    QTest::keyClick(&principal, Qt::Key_PageDown);
    QCOMPARE(aide->page(), 1);
}

void TestAide::pageParLeLien_data()
{
    QTest::addColumn<QString>("voie");
    QTest::newRow("mouse") << "souris";
    QTest::newRow("Tab then Space") << "clavier";
    QTest::newRow("press action") << "accessible";
}

void TestAide::pageParLeLien()
{
    QFETCH(QString, voie);
    Aide aide;
    aide.show();
    aide.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&aide));
    auto *lien = aide.findChild<QAbstractButton *>(QStringLiteral("LienPage"));
    QVERIFY(lien);
    QCOMPARE(lien->text(), QStringLiteral("Page suivante →"));
    QCOMPARE(lien->accessibleName(), QStringLiteral("Page suivante de l'aide"));
    // The link stands in the title strip, clear of the title, its icon and the cross.
    for (const char *nom : {"Label1", "Image1", "Image2", "Picture1"})
        QVERIFY2(!lien->geometry().intersects(aide.findChild<QWidget *>(QString::fromUtf8(nom))->geometry()), nom);

    for (int attendue : {2, 1}) {
        if (voie == QLatin1String("souris")) {
            QTest::mouseClick(aide.windowHandle(), Qt::LeftButton, {}, lien->geometry().center());
        } else if (voie == QLatin1String("clavier")) {
            for (int n = 0; n < 10 && QApplication::focusWidget() != lien; ++n)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &aide, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), lien);
            QTest::keyClick(lien, Qt::Key_Space);
        } else {
            QVERIFY(PresseAccessible(lien));
        }
        QTRY_COMPARE(aide.page(), attendue);
    }
    aide.montrePage(2);
    QCOMPARE(lien->text(), QStringLiteral("← Première page"));
    QCOMPARE(lien->accessibleName(), QStringLiteral("Première page de l'aide"));
}

void TestAide::suiteLueDansLOrdre()
{
    Aide aide;
    aide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&aide));
    // Page 1 reads its own panel only, page 2 its own.
    QCOMPARE(Lus(&aide), (QStringList{"Label1", "Image1", "LienPage", "Image2", "Picture1"}));
    aide.montrePage(2);
    QCOMPARE(Lus(&aide), (QStringList{"Label1", "Image1", "LienPage", "Image2", "Suite"}));
    QStringList attendus{"QuestionFichiers", "Fichiers", "QuestionComposantes", "Composantes", "QuestionClavier",
                         "Clavier",          "Micro",    "QuestionRaccourcis"};
    for (LigneRaccourci *l : Lignes(&aide))
        attendus << l->objectName();
    attendus << "LienAPropos";
    QCOMPARE(Lus(aide.findChild<QWidget *>(QStringLiteral("Suite"))), attendus);
    // Every text of the page is read: the captions by their text, the lines by their sentence.
    for (QWidget *w : aide.findChild<QWidget *>(QStringLiteral("Suite"))->findChildren<QWidget *>()) {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(i && !i->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
    }
    // Back on page 1, the tree is page 1's again.
    aide.montrePage(1);
    QCOMPARE(Lus(&aide), (QStringList{"Label1", "Image1", "LienPage", "Image2", "Picture1"}));
}

void TestAide::raccourcisDuProgramme()
{
    // The list is checked against the shortcuts the program's windows really have: every command's
    // first key is listed, and nothing listed is not one of a command's keys.
    Banc banc;
    auto *principal = new Synthetiseur(banc.contexte);
    principal->setAttribute(Qt::WA_DeleteOnClose);
    principal->show();
    principal->ouvreClavier();
    principal->ouvreComposantes();
    principal->ouvreDefi();
    principal->ouvreAide();
    QList<QWidget *> fenetres{principal, principal->clavier(), principal->composantes(), principal->defi(),
                              principal->aide()};
    QSet<QString> premieres, toutes;
    auto nom = [](const QKeySequence &k) { return k.toString(QKeySequence::NativeText); };
    for (QWidget *f : fenetres) {
        QVERIFY(f);
        QList<QAction *> actions = f->actions() + f->findChildren<QAction *>();
        for (QAction *a : actions) {
            if (a->shortcuts().isEmpty())
                continue;
            premieres << nom(a->shortcuts().first());
            for (const QKeySequence &k : a->shortcuts())
                toutes << nom(k);
        }
        for (QShortcut *s : f->findChildren<QShortcut *>()) {
            premieres << nom(s->key());
            toutes << nom(s->key());
        }
    }
    QVERIFY(premieres.contains(QStringLiteral("Ctrl+L")));
    QVERIFY(premieres.contains(QStringLiteral("F11")));
    QVERIFY(premieres.size() >= 15);

    QSet<QString> listees;
    const QList<LigneRaccourci *> lignes = Lignes(principal->aide());
    for (LigneRaccourci *l : lignes) {
        QVERIFY(!l->quoi().isEmpty());
        QCOMPARE(l->accessibleName(), l->touches() + QStringLiteral(" : ") + l->quoi());
        for (const QString &t : l->touches().split(QStringLiteral(", "))) {
            QVERIFY2(!listees.contains(t), qPrintable(t + QStringLiteral(" listed twice")));
            listees << t;
        }
    }
    for (const QString &t : premieres)
        QVERIFY2(listees.contains(t), qPrintable(t + QStringLiteral(" is missing from the help")));
    for (const QString &t : listees)
        QVERIFY2(toutes.contains(t), qPrintable(t + QStringLiteral(" is no shortcut of the program")));
    delete principal->clavier();
    delete principal->composantes();
    delete principal->defi();
    delete principal->aide();
    delete principal;
}

void TestAide::raccourcisTiennent_data()
{
    QTest::addColumn<bool>("anglais");
    QTest::newRow("French") << false;
    QTest::newRow("English") << true;
}

void TestAide::raccourcisTiennent()
{
    // Each line's keys fit their column, and what they do the rest of the line, in both languages;
    // the links' texts fit their rectangles. (The captions are checked with every window's.)
    QFETCH(bool, anglais);
    QVERIFY(Langue::Installe(anglais ? Langue::Code::Anglais : Langue::Code::Francais));
    Aide aide;
    aide.montrePage(2);
    const QList<LigneRaccourci *> lignes = Lignes(&aide);
    QVERIFY(lignes.size() >= 15);
    for (LigneRaccourci *l : lignes) {
        const QFontMetricsF m(l->font());
        QVERIFY2(m.horizontalAdvance(l->touches()) + 4 <= l->colonne(), qPrintable(l->touches()));
        QVERIFY2(l->colonne() + m.horizontalAdvance(l->quoi()) <= l->width(), qPrintable(l->quoi()));
        QVERIFY(m.ascent() + m.descent() <= l->height() + 1);
    }
    for (int page : {1, 2}) {
        aide.montrePage(page);
        for (const char *nom : {"LienPage", "LienAPropos"}) {
            auto *lien = aide.findChild<QAbstractButton *>(QString::fromUtf8(nom));
            const double largeur = QFontMetricsF(lien->font()).horizontalAdvance(lien->text());
            QVERIFY2(largeur <= lien->width(),
                     qPrintable(QStringLiteral("%1: %2 > %3 px").arg(lien->text()).arg(largeur).arg(lien->width())));
        }
    }
    QVERIFY(Langue::Installe(Langue::Code::Francais));
}

void TestAide::suiteSuitLeZoom()
{
    Loupe loupe;
    Aide aide;
    aide.setAttribute(Qt::WA_DeleteOnClose, false);
    loupe.suit(&aide);
    aide.montrePage(2);
    auto *suite = aide.findChild<QWidget *>(QStringLiteral("Suite"));
    auto *ligne = aide.findChild<QWidget *>(QStringLiteral("Raccourci3"));
    auto *lien = aide.findChild<QWidget *>(QStringLiteral("LienPage"));
    loupe.fixe(100);
    const QRect suite100 = suite->geometry(), ligne100 = ligne->geometry(), lien100 = lien->geometry();
    QCOMPARE(suite100, QRect(4, 56, 785, 453)); // where page 1's panel is
    for (int p : {150, 200}) {
        loupe.fixe(p);
        const double z = p / 100.0;
        auto bord = [z](double twips) { return int(std::nearbyint(twips * z / 15.0)); };
        QCOMPARE(suite->geometry(),
                 QRect(QPoint(bord(60), bord(840)), QPoint(bord(60 + 11772) - 1, bord(840 + 6792) - 1)));
        QCOMPARE(lien->geometry().topLeft(), QPoint(bord(9120), bord(300)));
        QVERIFY(std::abs(ligne->width() - ligne100.width() * z) <= 1.0);
        QVERIFY(std::abs(ligne->y() - ligne100.y() * z) <= 2.0);
        // The line is drawn at the new size: its keys' ink reaches past the 100 % column's half.
        const QImage image = ligne->grab().toImage();
        int droite = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    droite = std::max(droite, x);
        QVERIFY2(droite > ligne100.width() * 0.5 * z, qPrintable(QString::number(droite)));
    }
    loupe.fixe(100);
    QCOMPARE(lien->geometry(), lien100);
}

void TestAide::deuxPhrasesSurLeMicro()
{
    Aide aide;
    auto *micro = aide.findChild<QLabel *>(QStringLiteral("Micro"));
    QVERIFY(micro);
    const QString t = micro->text();
    // Two sentences: two full stops, each ending one, and none inside "3 s" style abbreviations.
    QCOMPARE(t.count(QRegularExpression(QStringLiteral("[.!?](\\s|$)"))), 2);
    QVERIFY(t.contains(QStringLiteral("Écouter en direct")));
    QVERIFY(t.contains(QStringLiteral("Enregistrer et analyser")));
    QVERIFY(t.contains(QStringLiteral("le micro l'entend aussi")));
    QVERIFY(t.contains(QStringLiteral("rien n'est à annuler")));
}

QTEST_MAIN(TestAide)
#include "tst_aide.moc"
