#include "banc.h"
#include "pilote.h"

#include "ui/accueil.h"
#include "ui/aide.h"
#include "ui/clavier.h"
#include "ui/elements.h"
#include "ui/libelle.h"
#include "ui/ressources.h"
#include "ui/synthetiseur.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {

// The windows of the program alive at this moment (not those waiting for deletion).
template <typename T>
QList<T *> Fenetres()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<T *> liste;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<T *>(w))
            liste << f;
    return liste;
}

QWidget *Element(QWidget *fenetre, const QString &nom)
{
    return fenetre->findChild<QWidget *>(nom);
}

// A click through the window system, so the element must be the one under the pointer.
void Clique(QWidget *element, Qt::MouseButton bouton = Qt::LeftButton)
{
    QWidget *fenetre = element->window();
    const QPoint p = element->mapTo(fenetre, element->rect().center());
    QTest::mouseClick(fenetre->windowHandle(), bouton, {}, p);
}

// One run of the program's windows; whatever is left open is destroyed before the table goes.
struct Seance
{
    Banc banc;
    QPointer<Accueil> accueil = new Accueil(banc.contexte);

    ~Seance()
    {
        // Held by QPointer: a window may own another top-level widget (a menu) deleted with it.
        QList<QPointer<QWidget>> fenetres;
        for (QWidget *w : QApplication::topLevelWidgets())
            fenetres << w;
        for (const QPointer<QWidget> &w : fenetres)
            if (w
                && (qobject_cast<Accueil *>(w) || qobject_cast<Synthetiseur *>(w) || qobject_cast<Aide *>(w)
                    || qobject_cast<Clavier *>(w)))
                delete w;
    }

    Synthetiseur *principal()
    {
        auto *s = new Synthetiseur(banc.contexte);
        s->setAttribute(Qt::WA_DeleteOnClose);
        s->show();
        return s;
    }
};

} // namespace

class TestAccueil : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void fenetreAccueil();
    void disposition_data();
    void disposition();
    void demarrage_data();
    void demarrage();
    void clicsSansEffet_data();
    void clicsSansEffet();
    void fenetreAide();
    void phraseDesImpairsTientDansSaPlace();
    void pixelsAide_data();
    void pixelsAide();
    void hautParleursDansLesBlancs();
    void coupures_data();
    void coupures();
    void interligne_data();
    void interligne();
    void uneSeuleAide();
    void aideRecreeeCentree();
    void vieDuProgramme_data();
    void vieDuProgramme();
    void croixQuitte();
    void commandesSansSouris_data();
    void commandesSansSouris();
    void positionCentree_data();
    void positionCentree();
    void textesTraduisibles();
    void entreeDemarre_data();
    void entreeDemarre();
    void aideLueDansLOrdre();
};

void TestAccueil::initTestCase()
{
    Ressources::InstallePolices();
}

void TestAccueil::init()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void TestAccueil::fenetreAccueil()
{
    Seance s;
    Accueil *a = s.accueil;
    a->show();
    QVERIFY(QTest::qWaitForWindowExposed(a));
    QCOMPARE(a->objectName(), QStringLiteral("accueil"));
    QVERIFY(a->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(a->windowType(), Qt::Window);
    QVERIFY(a->windowTitle().isEmpty());
    QCOMPARE(a->contentsRect().size(), QSize(630, 309)); // 630.4 × 308.8 px
    QCOMPARE(a->minimumSize(), a->maximumSize());
    QVERIFY(EstCentree(a));
    QCOMPARE(a->grab().toImage().pixelColor(a->contentsRect().topLeft() + QPoint(600, 300)), QColor(0, 0, 64));

    auto texte = [a](const char *nom) { return a->findChild<QLabel *>(QString::fromUtf8(nom))->text(); };
    QCOMPARE(texte("Label1"), QStringLiteral("Sonavirelle 2013"));
    QVERIFY(texte("Label4").contains(QStringLiteral("timbre")));
    QVERIFY(!texte("Label5").isEmpty());
    QVERIFY(!texte("Label2").isEmpty());
    QVERIFY(!texte("Label3").isEmpty());
    auto *bouton = a->findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(bouton->text(), QStringLiteral("Démarrer"));
    QCOMPARE(bouton->font().family(), QStringLiteral("Arial"));
    for (const char *nom : {"Command1", "Image1", "Image2"}) {
        QWidget *e = Element(a, QString::fromUtf8(nom));
        QVERIFY2(!e->accessibleName().isEmpty(), nom);
        QVERIFY2(e->cursor().shape() == Qt::BitmapCursor, nom); // the hand pointer
    }
    QVERIFY(Fenetres<Synthetiseur>().isEmpty()); // nothing else exists yet
}

void TestAccueil::disposition_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("conteneur");
    QTest::addColumn<QRect>("rectangle"); // pixels, relative to the container's drawing area

    QTest::newRow("accueil Picture1") << "accueil"
                                      << "Picture1"
                                      << "accueil" << QRect(256, 64, 369, 169);
    QTest::newRow("accueil Command1") << "accueil"
                                      << "Command1"
                                      << "Picture1" << QRect(120, 120, 121, 41);
    QTest::newRow("accueil Label4") << "accueil"
                                    << "Label4"
                                    << "Picture1" << QRect(16, 8, 329, 89);
    QTest::newRow("accueil Image2") << "accueil"
                                    << "Image2"
                                    << "accueil" << QRect(584, 8, 38, 38);
    QTest::newRow("accueil Image1") << "accueil"
                                    << "Image1"
                                    << "accueil" << QRect(8, 64, 238, 238);
    QTest::newRow("accueil Label1") << "accueil"
                                    << "Label1"
                                    << "accueil" << QRect(8, 0, 505, 57);
    QTest::newRow("accueil Label3") << "accueil"
                                    << "Label3"
                                    << "accueil" << QRect(456, 264, 169, 41);
    QTest::newRow("Aide Picture1") << "Aide"
                                   << "Picture1"
                                   << "Aide" << QRect(4, 56, 785, 453);
    QTest::newRow("Aide Picture2") << "Aide"
                                   << "Picture2"
                                   << "Aide" << QRect(72, 208, 577, 117);
    QTest::newRow("Aide Image2") << "Aide"
                                 << "Image2"
                                 << "Aide" << QRect(736, 8, 38, 38);
    QTest::newRow("Aide Image1") << "Aide"
                                 << "Image1"
                                 << "Aide" << QRect(344, 8, 41, 41);
    QTest::newRow("Aide Label1") << "Aide"
                                 << "Label1"
                                 << "Aide" << QRect(8, 8, 401, 49);
    QTest::newRow("Aide Label8") << "Aide"
                                 << "Label8"
                                 << "Picture1" << QRect(56, 48, 713, 41);
    QTest::newRow("Aide Image3") << "Aide"
                                 << "Image3"
                                 << "Picture1" << QRect(200, 40, 30, 30);
    QTest::newRow("Aide Image5") << "Aide"
                                 << "Image5"
                                 << "Picture1" << QRect(264, 40, 30, 30);
    QTest::newRow("Aide Label6") << "Aide"
                                 << "Label6"
                                 << "Picture1" << QRect(56, 336, 713, 65);
    QTest::newRow("Aide Label9") << "Aide"
                                 << "Label9"
                                 << "Picture1" << QRect(56, 404, 713, 45);
    QTest::newRow("Aide Image4") << "Aide"
                                 << "Image4"
                                 << "Picture2" << QRect(168, 32, 26, 26);
}

void TestAccueil::disposition()
{
    QFETCH(QString, fenetre);
    QFETCH(QString, nom);
    QFETCH(QString, conteneur);
    QFETCH(QRect, rectangle);
    Seance s;
    QWidget *w = fenetre == QLatin1String("Aide") ? static_cast<QWidget *>(new Aide) : s.accueil.data();
    QWidget *e = Element(w, nom);
    QVERIFY(e);
    QWidget *parent = e->parentWidget();
    QCOMPARE(parent->objectName(), conteneur);
    QCOMPARE(e->geometry().translated(-parent->contentsRect().topLeft()), rectangle);
}

void TestAccueil::demarrage_data()
{
    QTest::addColumn<QString>("element");
    QTest::newRow("button Démarrer") << "Command1";
    QTest::newRow("music picture") << "Image1";
}

void TestAccueil::demarrage()
{
    QFETCH(QString, element);
    Seance s;
    s.accueil->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.accueil));

    Clique(Element(s.accueil, element));

    const QList<Synthetiseur *> principaux = Fenetres<Synthetiseur>();
    QCOMPARE(principaux.size(), 1);
    Synthetiseur *principal = principaux.first();
    QVERIFY(principal->isVisible());
    QVERIFY(principal->testAttribute(Qt::WA_DeleteOnClose));
    // The start-up has run: the default sound is in the table and in test.wav.
    QCOMPARE(s.banc.table.Frequence[1], std::int16_t(440));
    QCOMPARE(s.banc.table.Amplitude[1], 10.0f);
    QCOMPARE(s.banc.wav().size(), 2048);
    QVERIFY(!s.banc.table.SonActif);
    // The welcome window is gone for good.
    QTRY_VERIFY(!s.accueil);
    QVERIFY(Fenetres<Accueil>().isEmpty());
}

void TestAccueil::clicsSansEffet_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<Qt::MouseButton>("bouton");
    QTest::newRow("right button on the picture") << "Image1" << Qt::RightButton;
    QTest::newRow("right button on the cross") << "Image2" << Qt::RightButton;
    QTest::newRow("text of the panel") << "Label4" << Qt::LeftButton;
    QTest::newRow("title") << "Label1" << Qt::LeftButton;
    QTest::newRow("credits") << "Label2" << Qt::LeftButton;
}

void TestAccueil::clicsSansEffet()
{
    QFETCH(QString, element);
    QFETCH(Qt::MouseButton, bouton);
    Seance s;
    s.accueil->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.accueil));
    Clique(Element(s.accueil, element), bouton);
    QVERIFY(Fenetres<Synthetiseur>().isEmpty());
    QVERIFY(s.accueil);
    QVERIFY(s.accueil->isVisible());
    QVERIFY(!QFile::exists(s.banc.generateur.chemin()));
}

void TestAccueil::fenetreAide()
{
    Seance s;
    Synthetiseur *principal = s.principal();
    Pilote::Clique(principal, "Image3");
    Aide *aide = principal->aide();
    QVERIFY(aide);
    QVERIFY(QTest::qWaitForWindowExposed(aide));
    QCOMPARE(aide->objectName(), QStringLiteral("Aide"));
    QCOMPARE(aide->windowType(), Qt::Tool); // kept out of the task bar
    QVERIFY(aide->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!aide->isModal());
    QCOMPARE(aide->size(), QSize(793, 513)); // 792.8 × 512.8 px
    QVERIFY(EstCentree(aide));
    QVERIFY(principal->isVisible());

    auto texte = [aide](const char *nom) { return aide->findChild<QLabel *>(QString::fromUtf8(nom))->text(); };
    QCOMPARE(texte("Label1"), QStringLiteral("Comment ça marche"));
    QCOMPARE(texte("Label7"), QStringLiteral("Comment écouter le son produit ?"));
    QCOMPARE(texte("Label2"), QStringLiteral("Comment modifier la fréquence fondamentale ?"));
    QCOMPARE(texte("Label4"), QStringLiteral("Comment modifier le spectre du son produit ?"));
    QCOMPARE(texte("Label3"),
             QStringLiteral("Dans le spectre affiché en bas de l'écran, approcher le curseur de la souris du premier "
                            "pic et déplacer celui-ci avec le clic gauche."));
    const QString ecouter = texte("Label8");
    QCOMPARE(ecouter.count(QStringLiteral("entendre")), 2);
    QVERIFY(!ecouter.contains(QStringLiteral("enrendre")));
    QVERIFY(ecouter.contains(QStringLiteral("icônes") + QString(11, u' ') + QStringLiteral("et") + QString(12, u' ')
                             + QStringLiteral("pour")));
    QVERIFY(ecouter.endsWith(QStringLiteral("produit. ")));
    QVERIFY(texte("Label5").contains(QStringLiteral("gauche")));
    QVERIFY(texte("Label5").contains(QStringLiteral("droit")));
    QVERIFY(texte("Label6").contains(QStringLiteral("multiples")));
    QVERIFY(!Element(aide, QStringLiteral("Image2"))->accessibleName().isEmpty());
}

void TestAccueil::phraseDesImpairsTientDansSaPlace()
{
    // The sentence on the odd harmonics in 1/n² is shown whole, in the blank under the last answer.
    Aide aide;
    auto *phrase = aide.findChild<QLabel *>(QStringLiteral("Label9"));
    QVERIFY(phrase);
    QVERIFY(phrase->text().contains(QStringLiteral("Impairs en 1/n²")));
    QVERIFY(phrase->text().contains(QStringLiteral("phase")));
    QVERIFY(phrase->wordWrap());
    const QRect besoin = QFontMetrics(phrase->font())
                             .boundingRect(QRect(0, 0, phrase->width(), 10000), Qt::TextWordWrap, phrase->text());
    QVERIFY2(besoin.height() <= phrase->height(), qPrintable(QString::number(besoin.height())));
    auto *precedente = aide.findChild<QLabel *>(QStringLiteral("Label6"));
    QVERIFY(phrase->geometry().top() >= precedente->geometry().bottom());
    QVERIFY(phrase->parentWidget()->rect().contains(phrase->geometry()));
}

void TestAccueil::pixelsAide_data()
{
    QTest::addColumn<QPoint>("point"); // in the window
    QTest::addColumn<QColor>("couleur");

    const QColor blanc(255, 255, 255), bleu(0, 0, 64), grille(192, 192, 255), orange(255, 128, 0);
    QTest::newRow("outline, top-left") << QPoint(0, 0) << blanc;
    QTest::newRow("outline, top") << QPoint(600, 0) << blanc;
    QTest::newRow("outline, left") << QPoint(0, 300) << blanc;
    QTest::newRow("outline, right") << QPoint(792, 300) << blanc;
    QTest::newRow("outline's bottom is below the window") << QPoint(400, 512) << bleu;
    QTest::newRow("background") << QPoint(600, 30) << bleu;
    QTest::newRow("title background") << QPoint(400, 50) << bleu;
    QTest::newRow("text panel frame") << QPoint(4, 300) << QColor(0, 0, 0);
    QTest::newRow("text panel") << QPoint(780, 500) << blanc;
    QTest::newRow("miniature, empty") << QPoint(72 + 40, 208 + 60) << blanc;
    QTest::newRow("miniature, top grid line") << QPoint(72 + 300, 208 + 8) << grille;
    QTest::newRow("miniature, grid column") << QPoint(72 + 256, 208 + 70) << grille;
    QTest::newRow("miniature, peak") << QPoint(72 + 168, 208 + 80) << orange;
    QTest::newRow("miniature, peak is 3 px wide") << QPoint(72 + 167, 208 + 20) << orange;
}

void TestAccueil::pixelsAide()
{
    QFETCH(QPoint, point);
    QFETCH(QColor, couleur);
    Aide aide;
    const QImage vue = aide.grab().toImage();
    QCOMPARE(vue.pixelColor(point * vue.devicePixelRatio()), couleur);
}

void TestAccueil::hautParleursDansLesBlancs()
{
    // The loudspeakers stand in the blank runs of Label8's line, never over a word.
    Aide aide;
    auto *ligne = aide.findChild<QLabel *>(QStringLiteral("Label8"));
    const QString texte = ligne->text();
    const QFontMetricsF m(ligne->font());
    auto finDe = [&](const QString &mot) {
        return ligne->x() + m.horizontalAdvance(texte.left(texte.indexOf(mot) + mot.size()));
    };
    auto debutDe = [&](const QString &mot) { return ligne->x() + m.horizontalAdvance(texte.left(texte.indexOf(mot))); };
    const QRect hautParleur = Element(&aide, QStringLiteral("Image3"))->geometry();
    const QRect muet = Element(&aide, QStringLiteral("Image5"))->geometry();
    QVERIFY2(finDe(QStringLiteral("icônes")) <= hautParleur.left(), "loudspeaker over \"icônes\"");
    QVERIFY2(hautParleur.right() < debutDe(QStringLiteral(" et ")) + m.horizontalAdvance(u' '), "over \"et\"");
    QVERIFY2(finDe(QStringLiteral(" et ")) <= muet.left(), "muted loudspeaker over \"et\"");
    QVERIFY2(muet.right() < debutDe(QStringLiteral("pour")), "muted loudspeaker over \"pour\"");
    QVERIFY(m.horizontalAdvance(texte.trimmed()) > ligne->width() * 0.5); // the font is really in use
}

void TestAccueil::coupures_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("mesure"); // the label is exactly as wide as this text
    QTest::addColumn<QStringList>("lignes");

    QTest::newRow("all on one line") << "abc celui-ci"
                                     << "abc celui-ci" << QStringList{"abc celui-ci"};
    QTest::newRow("no break at a hyphen") << "abc celui-ci"
                                          << "abc celui-" << QStringList{"abc ", "celui-ci"};
    QTest::newRow("blank runs kept") << "a     b"
                                     << "a     b" << QStringList{"a     b"};
    QTest::newRow("blanks at a line end take no room") << "abc     def"
                                                       << "abc" << QStringList{"abc     ", "def"};
    QTest::newRow("a word too long stays whole") << "anticonstitutionnel x"
                                                 << "anti" << QStringList{"anticonstitutionnel ", "x"};
    QTest::newRow("three lines") << "un deux trois"
                                 << "deux" << QStringList{"un ", "deux ", "trois"};
}

void TestAccueil::coupures()
{
    QFETCH(QString, texte);
    QFETCH(QString, mesure);
    QFETCH(QStringList, lignes);
    QFont police(QStringLiteral("Calibri"));
    police.setPointSizeF(12);
    police.setHintingPreference(QFont::PreferFullHinting);
    Libelle l(texte, nullptr);
    l.setFont(police);
    l.resize(int(std::ceil(QFontMetricsF(police).horizontalAdvance(mesure))), 100);
    QCOMPARE(l.lignes(), lignes);
}

void TestAccueil::interligne_data()
{
    QTest::addColumn<double>("points");
    QTest::newRow("10.8 pt") << 10.8;
    QTest::newRow("12 pt") << 12.0;
    QTest::newRow("13.8 pt") << 13.8;
}

void TestAccueil::interligne()
{
    // Wrapped lines follow one another at the font's height, without Qt's extra leading.
    QFETCH(double, points);
    QFont police(QStringLiteral("Calibri"));
    police.setPointSizeF(points);
    const QFontMetricsF m(police);
    const QString mot = QStringLiteral("Haut");
    Libelle l(mot + u' ' + mot + u' ' + mot, nullptr);
    l.setFont(police);
    l.resize(int(m.horizontalAdvance(mot + u' ')) + 2, 200);
    l.setPalette(QPalette(Qt::black, Qt::white));
    const QImage vue = l.grab().toImage().convertToFormat(QImage::Format_RGB32);

    // First ink row of each line: the "H" tops are at the same height within each line.
    QList<int> hauts;
    bool encre = false;
    for (int y = 0; y < vue.height(); ++y) {
        bool ligne = false;
        for (int x = 0; x < vue.width() && !ligne; ++x)
            ligne = qGray(vue.pixel(x, y)) < 128;
        if (ligne && !encre)
            hauts << y;
        encre = ligne;
    }
    QCOMPARE(hauts.size(), 3);
    const int pas = int(std::lround(m.height()));
    QCOMPARE(hauts[1] - hauts[0], pas);
    QCOMPARE(hauts[2] - hauts[1], pas);
    QVERIFY(pas < QFontMetrics(police).lineSpacing());
}

void TestAccueil::uneSeuleAide()
{
    Seance s;
    Synthetiseur *principal = s.principal();
    Pilote::Clique(principal, "Image3");
    const QPointer<Aide> premiere = principal->aide();
    Pilote::Clique(principal, "Image3");
    Pilote::Clique(principal, "Image3");
    QCOMPARE(Fenetres<Aide>().size(), 1);
    QCOMPARE(principal->aide(), premiere.data());
    QVERIFY(premiere->isVisible());
}

void TestAccueil::aideRecreeeCentree()
{
    Seance s;
    Synthetiseur *principal = s.principal();
    Pilote::Clique(principal, "Image3");
    const QPointer<Aide> premiere = principal->aide();
    QVERIFY(QTest::qWaitForWindowExposed(premiere));
    premiere->move(premiere->pos() + QPoint(-53, 71));

    Clique(Element(premiere, QStringLiteral("Image2")));
    QTRY_VERIFY(!premiere);
    QVERIFY(!principal->aide());
    QVERIFY(principal->isVisible());

    Pilote::Clique(principal, "Image3");
    Aide *nouvelle = principal->aide();
    QVERIFY(nouvelle);
    QVERIFY(QTest::qWaitForWindowExposed(nouvelle));
    QVERIFY(EstCentree(nouvelle));
    QCOMPARE(nouvelle->size(), QSize(793, 513));
    QCOMPARE(Fenetres<Aide>().size(), 1);
}

void TestAccueil::vieDuProgramme_data()
{
    QTest::addColumn<QString>("secondaire"); // window left open when the main window closes
    QTest::newRow("none") << QString();
    QTest::newRow("help") << "Aide";
    QTest::newRow("keyboard") << "Clavier";
}

void TestAccueil::vieDuProgramme()
{
    QFETCH(QString, secondaire);
    Seance s;
    delete s.accueil;
    QPointer<Synthetiseur> principal = s.principal();
    QPointer<QWidget> autre;
    if (secondaire == QLatin1String("Aide")) {
        Pilote::Clique(principal, "Image3");
        autre = principal->aide();
    } else if (secondaire == QLatin1String("Clavier")) {
        Pilote::Clique(principal, "Picture6");
        autre = principal->clavier();
    }
    QVERIFY(QTest::qWaitForWindowExposed(principal));
    QGuiApplication::setQuitOnLastWindowClosed(true);

    // Close the main window; a little later, close whatever it left open. The run must end
    // only then, and on its own.
    // The timers die with this scope, so none outlives the row.
    QObject portee;
    bool autreFerme = false;
    QTimer::singleShot(0, &portee, [&] { principal->close(); });
    QTimer::singleShot(200, &portee, [&] {
        autreFerme = true;
        if (autre)
            autre->close();
    });
    QTimer::singleShot(3000, &portee, [] { QCoreApplication::exit(99); });
    const int code = QApplication::exec();
    QGuiApplication::setQuitOnLastWindowClosed(false);

    QCOMPARE(code, 0);
    QCOMPARE(autreFerme, !secondaire.isEmpty());
    QVERIFY(!principal);
    QVERIFY(s.banc.lecture.journal.endsWith(QStringLiteral("coupe"))); // closing stopped the sound
}

void TestAccueil::croixQuitte()
{
    Seance s;
    s.accueil->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.accueil));
    QObject portee;
    QTimer::singleShot(0, &portee, [&] { Clique(Element(s.accueil, QStringLiteral("Image2"))); });
    QTimer::singleShot(3000, &portee, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    // Ended at once: no main window, nothing written, the welcome window not even closed.
    QVERIFY(Fenetres<Synthetiseur>().isEmpty());
    QVERIFY(!QFile::exists(s.banc.generateur.chemin()));
    QVERIFY(s.accueil);
}

void TestAccueil::commandesSansSouris_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("accessible"); // through the accessible press action, else Tab then Space
    QTest::addColumn<QString>("effet");
    for (bool accessible : {false, true}) {
        const char *voie = accessible ? "press action" : "Space";
        QTest::addRow("welcome picture, %s", voie) << "accueil"
                                                   << "Image1" << accessible << "demarre";
        QTest::addRow("welcome button, %s", voie) << "accueil"
                                                  << "Command1" << accessible << "demarre";
        QTest::addRow("welcome cross, %s", voie) << "accueil"
                                                 << "Image2" << accessible << "quitte";
        QTest::addRow("help cross, %s", voie) << "Aide"
                                              << "Image2" << accessible << "ferme";
    }
}

void TestAccueil::commandesSansSouris()
{
    QFETCH(QString, fenetre);
    QFETCH(QString, element);
    QFETCH(bool, accessible);
    QFETCH(QString, effet);
    Seance s;
    QPointer<QWidget> w = s.accueil.data();
    if (fenetre == QLatin1String("Aide")) {
        delete s.accueil;
        Synthetiseur *principal = s.principal();
        Pilote::Clique(principal, "Image3");
        w = principal->aide();
    }
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    if (fenetre == QLatin1String("accueil")) {
        // The button holds the focus at first, as before; Tab then goes on in reading order.
        QCOMPARE(TourDeTab(w), (QStringList{"Command1", "Image2", "Image1"}));
    }
    QWidget *e = Element(w, element);
    QVERIFY(e);

    QObject portee;
    QTimer::singleShot(0, &portee, [&] {
        if (accessible) {
            QAccessibleInterface *i = QAccessible::queryAccessibleInterface(e);
            QVERIFY(i && i->role() == QAccessible::Button && !i->text(QAccessible::Name).isEmpty());
            QVERIFY(PresseAccessible(e));
        } else {
            for (int n = 0; n < 10 && QApplication::focusWidget() != e; ++n)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), e);
            QTest::keyClick(e, Qt::Key_Space);
        }
    });
    // Long enough for a press action's animated click; a quit ends the loop sooner, with 0.
    QTimer::singleShot(800, &portee, [] { QCoreApplication::exit(99); });
    const int code = QApplication::exec();

    if (effet == "quitte") {
        QCOMPARE(code, 0);
        QVERIFY(Fenetres<Synthetiseur>().isEmpty());
        QVERIFY(!QFile::exists(s.banc.generateur.chemin()));
        return;
    }
    QCOMPARE(code, 99);
    if (effet == "demarre") {
        QCOMPARE(Fenetres<Synthetiseur>().size(), 1);
        QCOMPARE(s.banc.table.Frequence[1], std::int16_t(440));
        QVERIFY(!w);
    } else {
        QVERIFY(!w);
        QVERIFY(Fenetres<Aide>().isEmpty());
        QCOMPARE(Fenetres<Synthetiseur>().size(), 1);
    }
}

void TestAccueil::positionCentree_data()
{
    QTest::addColumn<QRect>("zone"); // the screen's available area
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<QPoint>("attendu");
    QTest::newRow("main window, full HD") << QRect(0, 0, 1920, 1040) << QSize(1024, 624) << QPoint(448, 208);
    QTest::newRow("odd leftover rounds down") << QRect(0, 0, 1921, 1041) << QSize(1024, 624) << QPoint(448, 208);
    QTest::newRow("panel on the left and top") << QRect(64, 32, 1856, 1048) << QSize(630, 310) << QPoint(677, 401);
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QSize(793, 513) << QPoint(2163, 255);
    QTest::newRow("exactly the screen") << QRect(0, 0, 1024, 624) << QSize(1024, 624) << QPoint(0, 0);
    QTest::newRow("640 × 480 screen") << QRect(0, 0, 640, 480) << QSize(1024, 624) << QPoint(0, 0);
    QTest::newRow("640 × 480 with a top panel") << QRect(0, 24, 640, 456) << QSize(1024, 624) << QPoint(0, 24);
    QTest::newRow("narrower only") << QRect(0, 0, 800, 1200) << QSize(1024, 624) << QPoint(0, 288);
    QTest::newRow("lower only") << QRect(0, 0, 1600, 500) << QSize(1024, 624) << QPoint(288, 0);
    // 1920 × 1080 at a scale factor of 2.5: 768 × 432 logical pixels.
    QTest::newRow("scale factor 2.5") << QRect(0, 0, 768, 432) << QSize(1024, 624) << QPoint(0, 0);
    QTest::newRow("second screen, too small") << QRect(-800, -600, 800, 600) << QSize(1024, 624) << QPoint(-800, -600);
}

void TestAccueil::positionCentree()
{
    QFETCH(QRect, zone);
    QFETCH(QSize, taille);
    QFETCH(QPoint, attendu);
    const QPoint p = Elements::PositionCentree(zone, taille);
    QCOMPARE(p, attendu);
    QVERIFY(zone.contains(p)); // the title bar's corner is always on the screen
}

void TestAccueil::textesTraduisibles()
{
    // A catalogue that marks every text it is asked for: a visible text left unmarked did not
    // go through the translation system.
    struct Marqueur : QTranslator
    {
        QString translate(const char *, const char *source, const char *, int) const override
        {
            return source && *source ? QStringLiteral("[") + QString::fromUtf8(source) + QStringLiteral("]")
                                     : QString();
        }
        bool isEmpty() const override { return false; }
    } marqueur;
    QCoreApplication::installTranslator(&marqueur);
    Seance s;
    Synthetiseur *principal = s.principal();
    Pilote::Clique(principal, "Picture6");
    Pilote::Clique(principal, "Image3");
    QCoreApplication::removeTranslator(&marqueur);

    auto marque = [](const QString &t) { return t.isEmpty() || (t.startsWith('[') && t.endsWith(']')); };
    int vus = 0;
    for (QWidget *fenetre : QList<QWidget *>{s.accueil, principal, principal->clavier(), principal->aide()}) {
        QVERIFY(fenetre);
        QVERIFY2(marque(fenetre->windowTitle()), qPrintable(fenetre->windowTitle()));
        QList<QWidget *> elements = fenetre->findChildren<QWidget *>();
        elements << fenetre;
        for (QWidget *w : elements) {
            QStringList textes{w->toolTip(), w->accessibleName(), w->accessibleDescription()};
            if (auto *l = qobject_cast<QLabel *>(w))
                textes << l->text();
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                textes << b->text();
            for (const QString &t : textes) {
                QVERIFY2(marque(t), qPrintable(fenetre->objectName() + '/' + w->objectName() + ": " + t));
                vus += !t.isEmpty();
            }
        }
    }
    QVERIFY(vus > 100); // the texts were really looked at: captions, names, keys
}

void TestAccueil::entreeDemarre_data()
{
    QTest::addColumn<QString>("focus"); // the element holding the focus when Enter is pressed
    QTest::addColumn<int>("touche");
    QTest::addColumn<QString>("effet");
    QTest::newRow("on Démarrer, Return") << "Command1" << int(Qt::Key_Return) << "demarre";
    QTest::newRow("nothing focused, Return") << "" << int(Qt::Key_Return) << "demarre";
    QTest::newRow("nothing focused, keypad Enter") << "" << int(Qt::Key_Enter) << "demarre";
    QTest::newRow("on the picture, Return") << "Image1" << int(Qt::Key_Return) << "demarre";
    // A focused command presses itself, as everywhere: Enter on the cross quits.
    QTest::newRow("on the cross, Return") << "Image2" << int(Qt::Key_Return) << "quitte";
    QTest::newRow("nothing focused, Escape does nothing") << "" << int(Qt::Key_Escape) << "rien";
}

void TestAccueil::entreeDemarre()
{
    QFETCH(QString, focus);
    QFETCH(int, touche);
    QFETCH(QString, effet);
    Seance s;
    QPointer<Accueil> w = s.accueil.data();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QWidget *cible = w;
    if (focus.isEmpty()) {
        QApplication::focusWidget()->clearFocus();
        QVERIFY(!QApplication::focusWidget());
    } else {
        cible = Element(w, focus);
        cible->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), cible);
    }
    QObject portee;
    QTimer::singleShot(0, &portee, [&] { QTest::keyClick(cible, Qt::Key(touche)); });
    QTimer::singleShot(400, &portee, [] { QCoreApplication::exit(99); });
    const int code = QApplication::exec();
    if (effet == "quitte") {
        QCOMPARE(code, 0);
        QVERIFY(Fenetres<Synthetiseur>().isEmpty());
    } else if (effet == "demarre") {
        QCOMPARE(code, 99);
        QCOMPARE(Fenetres<Synthetiseur>().size(), 1);
        QCOMPARE(s.banc.table.Frequence[1], std::int16_t(440));
        QVERIFY(!w);
    } else {
        QCOMPARE(code, 99);
        QVERIFY(Fenetres<Synthetiseur>().isEmpty());
        QVERIFY(w && w->isVisible());
    }
}

void TestAccueil::aideLueDansLOrdre()
{
    Seance s;
    Synthetiseur *principal = s.principal();
    Pilote::Clique(principal, "Image3");
    Aide *aide = principal->aide();
    QVERIFY(QTest::qWaitForWindowExposed(aide));

    // What a screen reader gets, walking the accessible tree from the window down.
    QStringList lus;
    std::function<void(QAccessibleInterface *, int)> parcours = [&](QAccessibleInterface *i, int profondeur) {
        for (int n = 0; n < i->childCount(); ++n) {
            QAccessibleInterface *e = i->child(n);
            QVERIFY(e);
            // The tree is consistent both ways: the child's parent is where it was found.
            QCOMPARE(e->parent()->object(), i->object());
            QCOMPARE(i->indexOfChild(e), n);
            if (e->object()->objectName().isEmpty() || e->object()->objectName() == QLatin1String("Shape1"))
                continue;
            lus << e->object()->objectName();
            if (e->role() == QAccessible::Graphic)
                QVERIFY2(!e->text(QAccessible::Name).isEmpty(), qPrintable(e->object()->objectName()));
            if (profondeur < 2)
                parcours(e, profondeur + 1);
        }
    };
    parcours(QAccessible::queryAccessibleInterface(aide), 0);
    QCOMPARE(lus, (QStringList{"Label1", "Image1", "LienPage", "Image2", "Picture1", "Label7", "Label8", "Image3",
                               "Image5", "Label2", "Label3", "Picture2", "Shape3", "Image4", "Label10", "Label4",
                               "Label5", "Label6", "Label9"}));
    // The pictures say what they show.
    for (const char *nom : {"Image1", "Image3", "Image5", "Image4", "Picture2"}) {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(aide->findChild<QWidget *>(nom));
        QVERIFY2(i && !i->text(QAccessible::Name).isEmpty(), nom);
    }
    // The miniature is still where the layout puts it: above the text panel, a child of the window.
    QCOMPARE(aide->findChild<QWidget *>("Picture2")->parentWidget(), aide);
}

QTEST_MAIN(TestAccueil)
#include "tst_accueil.moc"
