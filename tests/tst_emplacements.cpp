// What test.wav can be when the program starts or writes, in a folder others may share: a link
// planted by another user, a device, a FIFO, a folder, another user's file, a folder whose name
// is not valid UTF-8. In every case the thing under the name and whatever it points to stay
// untouched, nothing hangs, and the program's own sound is written elsewhere and kept for the player.

#include "banc.h"
#include "synth/emplacements.h"
#include "synth/generateur.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A call that waits on a FIFO or a device would never return; this only tells the two apart.
constexpr qint64 BlocageMs = 2000;
constexpr uid_t Personne = 65534;

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The 440 Hz default sound, made in memory: what a healthy write must put on disk.
Son Table440()
{
    Son t;
    t.Frequence[1] = 440;
    t.Amplitude[1] = 10.0f;
    t.ProchaineComposante = 2;
    t.SonActif = true;
    return t;
}

QByteArray Attendu(Son t)
{
    Synthese::Plan plan;
    return Synthese::Prepare(t, plan) ? Synthese::FichierComplet(plan) : QByteArray();
}

struct stat Lstat(const QString &chemin)
{
    struct stat s
    {};
    ::lstat(QFile::encodeName(chemin).constData(), &s);
    return s;
}

// What the program does with the folder: choose at start, write the default sound with sound on.
// Returns an empty string when all went as it must, otherwise what went wrong.
QString Demarre(const QString &application, const QString &perso, bool plantePlusTard, const QString &cible)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(perso));
    const Emplacements e = Emplacements::Choisis(application);
    Son t = Table440();
    Generateur g(t, e.test());
    g.fixeSecours(e.secours());
    if (plantePlusTard) {
        // Chosen while the name was free; the link appears between two edits.
        if (!g.GenereSon())
            return QStringLiteral("the first write failed");
        QFile::remove(application + QStringLiteral("/test.wav"));
        if (!QFile::link(cible, application + QStringLiteral("/test.wav")))
            return QStringLiteral("the link could not be planted");
    }
    QElapsedTimer chrono;
    chrono.start();
    const bool ecrit = g.GenereSon();
    if (chrono.elapsed() > BlocageMs)
        return QStringLiteral("the write blocked for %1 ms").arg(chrono.elapsed());
    if (!ecrit)
        return QStringLiteral("not written: %1").arg(g.derniereErreur());
    if (!g.chemin().startsWith(perso + QLatin1Char('/')))
        return QStringLiteral("written at %1, not in the per-user folder").arg(g.chemin());
    if (Lis(g.chemin()) != Attendu(t))
        return QStringLiteral("the per-user test.wav is not the table's sound");
    if (!g.sonNeuf() || g.echantillons() != Attendu(t).mid(Synthese::TailleEnTete))
        return QStringLiteral("the table's sound is not the one handed to the player");
    return {};
}

} // namespace

class TestEmplacements : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void testWavIntouchable_data();
    void testWavIntouchable();
    void fichierDUnAutreUtilisateur();
    void dossierAuNomIllisible();
    void fichierOrdinaireReste();
};

void TestEmplacements::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Sonavirelle"));
    QCoreApplication::setOrganizationName(QStringLiteral("Sonavirelle"));
}

void TestEmplacements::testWavIntouchable_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<bool>("plusTard");
    QTest::newRow("link to another file") << "lien" << false;
    QTest::newRow("link planted after the start") << "lien" << true;
    QTest::newRow("dangling link") << "pendant" << false;
    QTest::newRow("link to /dev/zero") << "zero" << false;
    QTest::newRow("FIFO") << "fifo" << false;
    QTest::newRow("folder") << "dossier" << false;
    QTest::newRow("file this user cannot write") << "lecture-seule" << false;
}

void TestEmplacements::testWavIntouchable()
{
    QFETCH(QString, cas);
    QFETCH(bool, plusTard);
    QTemporaryDir racine;
    const QString application = racine.filePath(QStringLiteral("classe"));
    const QString perso = racine.filePath(QStringLiteral("perso"));
    QVERIFY(QDir().mkpath(application));
    const QString nom = application + QStringLiteral("/test.wav");
    const QByteArray notes("notes de l'autre utilisateur\n");
    const QString autre = racine.filePath(QStringLiteral("notes.txt"));
    {
        QFile f(autre);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(notes);
    }
    QFile::setPermissions(autre, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QString cible;
    if (cas == "lien") {
        cible = autre;
        if (!plusTard)
            QVERIFY(QFile::link(cible, nom));
    } else if (cas == "pendant") {
        cible = racine.filePath(QStringLiteral("nouveau.txt"));
        QVERIFY(QFile::link(cible, nom));
    } else if (cas == "zero") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), nom));
    } else if (cas == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(nom).constData(), 0600), 0);
    } else if (cas == "dossier") {
        QVERIFY(QDir().mkpath(nom));
    } else if (cas == "lecture-seule") {
        QVERIFY(QFile::copy(autre, nom));
        QFile::setPermissions(nom, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        if (::geteuid() == 0)
            QSKIP("root may write any file: fichierDUnAutreUtilisateur runs this case as another user");
    }
    const struct stat avant = Lstat(nom);

    const QString erreur = Demarre(application, perso, plusTard, cible);
    QVERIFY2(erreur.isEmpty(), qPrintable(erreur));

    // The name still holds what was put there, and what a link points to is unchanged.
    const struct stat apres = Lstat(nom);
    if (!plusTard) {
        QCOMPARE(apres.st_ino, avant.st_ino);
        QCOMPARE(apres.st_mode, avant.st_mode);
    }
    QCOMPARE(Lis(autre), notes);
    if (cas == "pendant")
        QVERIFY(!QFileInfo::exists(cible));
    if (cas == "dossier")
        QVERIFY(QDir(nom).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    if (cas == "lecture-seule")
        QCOMPARE(Lis(nom), notes);
    // No temporary file left behind in the shared folder.
    QCOMPARE(QDir(application).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("test.wav")});
}

void TestEmplacements::fichierDUnAutreUtilisateur()
{
    // A folder writable by all (sticky, as shared folders are) holding another user's test.wav,
    // readable by all. The program, run by a second user, must leave it alone.
    if (::geteuid() != 0)
        QSKIP("needs root, to give the file to one user and run the program as another");
    QTemporaryDir racine;
    QFile::setPermissions(racine.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString application = racine.filePath(QStringLiteral("classe"));
    const QString perso = racine.filePath(QStringLiteral("perso"));
    QVERIFY(QDir().mkpath(application));
    QVERIFY(QDir().mkpath(perso));
    QCOMPARE(::chmod(QFile::encodeName(application).constData(), 01777), 0);
    QCOMPARE(::chown(QFile::encodeName(perso).constData(), Personne, Personne), 0);
    const QString nom = application + QStringLiteral("/test.wav");
    const QByteArray sienne = Attendu([] {
        Son t = Table440();
        t.Frequence[1] = 132;
        return t;
    }());
    {
        QFile f(nom);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(sienne);
    }
    QCOMPARE(::chmod(QFile::encodeName(nom).constData(), 0644), 0);

    const pid_t enfant = ::fork();
    QVERIFY(enfant >= 0);
    if (enfant == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Personne) != 0 || ::setuid(Personne) != 0)
            ::_exit(3);
        const QString erreur = Demarre(application, perso, false, QString());
        if (!erreur.isEmpty())
            qCritical("%s", qPrintable(erreur));
        ::_exit(erreur.isEmpty() ? 0 : 1);
    }
    int etat = 0;
    QElapsedTimer chrono;
    chrono.start();
    while (::waitpid(enfant, &etat, WNOHANG) == 0) {
        if (chrono.elapsed() > 10 * BlocageMs) {
            ::kill(enfant, SIGKILL);
            ::waitpid(enfant, &etat, 0);
            QFAIL("the program hung as the second user");
        }
        QTest::qWait(20);
    }
    QVERIFY(WIFEXITED(etat));
    QCOMPARE(WEXITSTATUS(etat), 0);
    QCOMPARE(Lis(nom), sienne);
    QCOMPARE(Lstat(nom).st_uid, uid_t(0));
}

void TestEmplacements::dossierAuNomIllisible()
{
    // A folder name that is not valid UTF-8 cannot be written as a path the program opens: the
    // application folder is then unusable, and the per-user folder takes its place, never "/".
    QTemporaryDir racine;
    const QByteArray brut = QFile::encodeName(racine.path()) + "/classe-\xE9t\xE9";
    QCOMPARE(::mkdir(brut.constData(), 0755), 0);
    const QString application = Emplacements::DepuisOctets(brut);
    QVERIFY(application.isEmpty());
    QVERIFY(!Emplacements::DepuisOctets(QFile::encodeName(racine.path())).isEmpty());
    QVERIFY(!Emplacements::DossierExecutable().isEmpty());

    const QString perso = racine.filePath(QStringLiteral("perso"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(perso));
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("no usable name, test.wav goes to .*perso")));
    const Emplacements e = Emplacements::Choisis(application);
    QVERIFY2(e.test().startsWith(perso + QLatin1Char('/')), qPrintable(e.test()));
    Son t = Table440();
    Generateur g(t, e.test());
    QVERIFY(g.GenereSon());
    QCOMPARE(Lis(g.chemin()), Attendu(t));

    // Without any per-user folder either, nothing is written at all, least of all at the root.
    // (Under a regular file no folder can be made, whoever runs the test.)
    const QString impossible = racine.filePath(QStringLiteral("fichier/dossier"));
    {
        QFile f(racine.filePath(QStringLiteral("fichier")));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(impossible));
    qputenv("HOME", QFile::encodeName(impossible));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("nor a per-user folder is writable")));
    const Emplacements aucun = Emplacements::Choisis(application);
    QVERIFY(aucun.test().isEmpty());
    Generateur rien(t, aucun.test());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not written")));
    QVERIFY(!rien.GenereSon());
    DIR *d = ::opendir(brut.constData());
    QVERIFY(d);
    int entrees = 0;
    while (::readdir(d))
        ++entrees;
    ::closedir(d);
    QCOMPARE(entrees, 2); // only . and ..
    qputenv("HOME", home);
    QCOMPARE(::rmdir(brut.constData()), 0);

    // XDG_DATA_HOME itself not UTF-8: no per-user folder is made, neither under those bytes nor
    // under their lossy reading.
    const QByteArray illisible = QFile::encodeName(racine.path()) + "/\xff";
    qputenv("XDG_DATA_HOME", illisible);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("nor a per-user folder is writable")));
    const Emplacements sansPerso = Emplacements::Choisis(application);
    QVERIFY(sansPerso.dossierSecours.isEmpty());
    struct stat s
    {};
    QVERIFY(::lstat(illisible.constData(), &s) != 0);
    QVERIFY(!QFileInfo::exists(racine.filePath(QString(QChar::ReplacementCharacter))));
    qunsetenv("XDG_DATA_HOME");
}

void TestEmplacements::fichierOrdinaireReste()
{
    // The everyday case: the program's own test.wav in a folder of its own is replaced in place.
    QTemporaryDir racine;
    const QString application = racine.filePath(QStringLiteral("classe"));
    QVERIFY(QDir().mkpath(application));
    qputenv("XDG_DATA_HOME", QFile::encodeName(racine.filePath(QStringLiteral("perso"))));
    const Emplacements premier = Emplacements::Choisis(application);
    Son t = Table440();
    Generateur g(t, premier.test());
    QVERIFY(g.GenereSon());
    const Emplacements second = Emplacements::Choisis(application);
    QCOMPARE(second.test(), application + QStringLiteral("/test.wav"));
    t.Frequence[1] = 880;
    Generateur g2(t, second.test());
    g2.fixeSecours(second.secours());
    QVERIFY(g2.GenereSon());
    QCOMPARE(g2.chemin(), second.test());
    QCOMPARE(Lis(second.test()), Attendu(t));
    QVERIFY(!QFileInfo::exists(racine.filePath(QStringLiteral("perso"))));
}

QTEST_GUILESS_MAIN(TestEmplacements)
#include "tst_emplacements.moc"
