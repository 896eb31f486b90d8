// What the settings file and its lock can be: a link to a file or a device, a FIFO, a folder, a
// huge file, garbage, values out of range. Each: the program starts with its defaults (or the good
// values it finds) without waiting, zoom and volume changes never freeze it, and whatever sits
// under the name, or behind a link, stays untouched.

#include "ui/curseurvolume.h"
#include "ui/loupe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Bounds that only tell a call that returns from one that waits on a FIFO or reads megabytes.
constexpr qint64 DemarrageMs = 1000;
constexpr qint64 ChangementMs = 500;

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Ecris(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

// What a name is, without following it: the kind, and for a link where it points.
QString Nature(const QString &chemin)
{
    struct stat s
    {};
    if (::lstat(QFile::encodeName(chemin).constData(), &s) != 0)
        return QStringLiteral("absent");
    if (S_ISLNK(s.st_mode))
        return QStringLiteral("link to ") + QFileInfo(chemin).symLinkTarget();
    if (S_ISFIFO(s.st_mode))
        return QStringLiteral("fifo");
    if (S_ISDIR(s.st_mode))
        return QStringLiteral("folder");
    if (S_ISREG(s.st_mode))
        return QStringLiteral("file");
    return QStringLiteral("other");
}

// Opens every FIFO given for a moment, over and over, once `delaiMs` has passed: a reader stuck on
// one goes on, so that a test of a fault fails instead of hanging.
struct Secours
{
    std::atomic<bool> fini{false};
    std::thread fil;
    Secours(QStringList fifos, int delaiMs)
        : fil([this, fifos, delaiMs] {
              for (int i = 0; i < delaiMs / 20 && !fini; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              while (!fini) {
                  for (const QString &f : fifos) {
                      const int fd = ::open(QFile::encodeName(f).constData(), O_RDWR | O_NONBLOCK);
                      if (fd >= 0)
                          ::close(fd);
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~Secours()
    {
        fini = true;
        fil.join();
    }
};

} // namespace

class TestReglages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fichierPiege_data();
    void fichierPiege();
};

void TestReglages::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Sonavirelle"));
    QCoreApplication::setApplicationName(QStringLiteral("Sonavirelle"));
}

void TestReglages::fichierPiege_data()
{
    QTest::addColumn<QString>("piege");
    // Whether the program may replace what is under the name with its own file.
    QTest::addColumn<bool>("remplacable");
    QTest::addColumn<int>("zoomLu");
    QTest::addColumn<int>("volumeLu");
    QTest::newRow("link to a file") << "lien" << false << 100 << 0;
    QTest::newRow("dangling link") << "lien-mort" << false << 100 << 0;
    QTest::newRow("link to a device") << "lien-peripherique" << false << 100 << 0;
    QTest::newRow("FIFO") << "fifo" << false << 100 << 0;
    QTest::newRow("FIFO as the lock") << "verrou-fifo" << true << 150 << -7;
    QTest::newRow("folder") << "dossier" << false << 100 << 0;
    QTest::newRow("30 MB") << "enorme" << false << 100 << 0;
    QTest::newRow("binary garbage") << "charabia" << true << 100 << 0;
    QTest::newRow("@Variant values") << "variant" << true << 100 << 0;
    QTest::newRow("values out of range") << "hors-bornes" << true << 100 << 0;
    QTest::newRow("good values") << "bon" << true << 75 << -12;
}

void TestReglages::fichierPiege()
{
    QFETCH(QString, piege);
    QFETCH(bool, remplacable);
    QFETCH(int, zoomLu);
    QFETCH(int, volumeLu);

    QTemporaryDir racine;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, racine.path());
    const QString dossier = racine.filePath(QStringLiteral("Sonavirelle"));
    QVERIFY(QDir().mkpath(dossier));
    const QString conf = dossier + QStringLiteral("/Sonavirelle.conf");
    const QString cible = racine.filePath(QStringLiteral("notes-du-professeur.txt"));
    const QByteArray notes = "[affichage]\nzoom=150\n\nne pas effacer\n";
    QVERIFY(Ecris(cible, notes));
    QStringList fifos;

    if (piege == "lien") {
        QVERIFY(QFile::link(cible, conf));
    } else if (piege == "lien-mort") {
        QVERIFY(QFile::link(racine.filePath(QStringLiteral("absent.txt")), conf));
    } else if (piege == "lien-peripherique") {
        // Root gets a device node of its own, a twin of /dev/zero, so that a fault replaces that one
        // and not the system's; anyone else cannot replace /dev/zero and links to it.
        const QString noeud = racine.filePath(QStringLiteral("zero"));
        const bool propre =
            ::geteuid() == 0 && ::mknod(QFile::encodeName(noeud).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;
        QVERIFY(QFile::link(propre ? noeud : QStringLiteral("/dev/zero"), conf));
    } else if (piege == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(conf).constData(), 0600), 0);
        fifos << conf;
    } else if (piege == "verrou-fifo") {
        QVERIFY(Ecris(conf, "[affichage]\nzoom=150\n\n[son]\nvolume=-7\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(conf + QStringLiteral(".lock")).constData(), 0600), 0);
        fifos << conf + QStringLiteral(".lock");
    } else if (piege == "dossier") {
        QVERIFY(QDir().mkpath(conf));
    } else if (piege == "enorme") {
        QByteArray gros = "[affichage]\nzoom=150\n";
        gros += QByteArray(30'000'000, 'x');
        QVERIFY(Ecris(conf, gros));
    } else if (piege == "charabia") {
        QByteArray b;
        for (int i = 0; i < 3000; ++i)
            b += char((i * 7919) % 256);
        QVERIFY(Ecris(conf, b));
    } else if (piege == "variant") {
        QVERIFY(Ecris(conf, "[affichage]\nzoom=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1f\\xff\\xff\\xff\\xff)\n"
                            "[son]\nvolume=@Variant(\\0\\0\\0\\n\\0\\0\\0\\x1)\n"));
    } else if (piege == "hors-bornes") {
        QVERIFY(Ecris(conf, "[affichage]\nzoom=5000\n\n[son]\nvolume=deux\n"));
    } else if (piege == "bon") {
        QVERIFY(Ecris(conf, "[affichage]\nzoom=75\n\n[son]\nvolume=-12\n"));
    }
    const QString nature = Nature(conf);
    const QByteArray avant = nature == QLatin1String("file") ? Lis(conf) : QByteArray();
    Secours secours(fifos, 3000);

    // Start-up: the remembered zoom and volume, or the defaults.
    QElapsedTimer chrono;
    chrono.start();
    const int zoom = Loupe::Memorisee();
    CurseurVolume volume;
    QVERIFY2(chrono.elapsed() < DemarrageMs, qPrintable(QStringLiteral("start-up took %1 ms").arg(chrono.elapsed())));
    QCOMPARE(zoom, zoomLu);
    QCOMPARE(volume.value(), volumeLu);

    // Zoom and volume changes, each remembered when the file can be replaced.
    Loupe loupe;
    loupe.memorise(true);
    for (int i = 0; i < 3; ++i) {
        chrono.restart();
        if (i % 2 == 0)
            loupe.agrandit();
        else
            volume.setValue(-3 - i);
        QVERIFY2(chrono.elapsed() < ChangementMs,
                 qPrintable(QStringLiteral("a change took %1 ms").arg(chrono.elapsed())));
    }
    QCOMPARE(Lis(cible), notes);
    for (const QString &zero : {QStringLiteral("/dev/zero"), racine.filePath(QStringLiteral("zero"))}) {
        struct stat s
        {};
        if (::lstat(QFile::encodeName(zero).constData(), &s) == 0)
            QVERIFY2(S_ISCHR(s.st_mode), qPrintable(zero + QStringLiteral(" is no longer a device")));
    }
    if (remplacable) {
        QCOMPARE(Nature(conf), QStringLiteral("file"));
        QCOMPARE(Loupe::Memorisee(), loupe.pourcents());
        CurseurVolume relu;
        QCOMPARE(relu.value(), -4);
    } else {
        QCOMPARE(Nature(conf), nature);
        if (nature == QLatin1String("file"))
            QVERIFY(Lis(conf) == avant);
        QCOMPARE(Loupe::Memorisee(), 100);
    }
    if (piege == "verrou-fifo")
        QCOMPARE(Nature(conf + QStringLiteral(".lock")), QStringLiteral("fifo"));
}

QTEST_MAIN(TestReglages)
#include "tst_reglages.moc"
