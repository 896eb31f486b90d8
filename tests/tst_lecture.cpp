#include "audio/boucle.h"
#include "audio/lecteurqt.h"
#include "audio/volume.h"
#include "audio/wav.h"
#include "model/son.h"
#include "synth/generateur.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

#include <cmath>

namespace {

// Builds RIFF files chunk by chunk, so that each row can bend one rule of the layout.
struct Riff
{
    QByteArray corps; // everything after "RIFF" + size

    static QByteArray Le16(quint16 v)
    {
        QByteArray o(2, '\0');
        qToLittleEndian(v, o.data());
        return o;
    }
    static QByteArray Le32(quint32 v)
    {
        QByteArray o(4, '\0');
        qToLittleEndian(v, o.data());
        return o;
    }
    static QByteArray Fmt(quint16 etiquette, quint16 canaux, quint32 frequence, quint16 bits)
    {
        const quint16 alignement = quint16(canaux * bits / 8);
        return Le16(etiquette) + Le16(canaux) + Le32(frequence) + Le32(frequence * alignement) + Le16(alignement)
               + Le16(bits);
    }

    explicit Riff(const QByteArray &forme = "WAVE") : corps(forme) {}
    Riff &bloc(const QByteArray &id, const QByteArray &contenu, qint64 tailleAnnoncee = -1)
    {
        corps += id + Le32(quint32(tailleAnnoncee < 0 ? contenu.size() : tailleAnnoncee)) + contenu;
        if (contenu.size() % 2)
            corps += '\0';
        return *this;
    }
    QByteArray fichier() const { return "RIFF" + Le32(quint32(corps.size())) + corps; }
};

QByteArray Rampe(int octets)
{
    QByteArray o(octets, '\0');
    for (int i = 0; i < octets; ++i)
        o[i] = char(i * 7 + 1);
    return o;
}

// Messages of our own ("sonavirelle: ..."), gathered while a test runs.
QStringList g_messages;
QtMessageHandler g_precedent = nullptr;

void Recueille(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
{
    if (message.startsWith(QLatin1String("sonavirelle:")))
        g_messages << message;
    else if (g_precedent)
        g_precedent(type, contexte, message);
}

struct Ecoute
{
    Ecoute()
    {
        g_messages.clear();
        g_precedent = qInstallMessageHandler(Recueille);
    }
    ~Ecoute() { qInstallMessageHandler(g_precedent); }
    int nombre(const QString &morceau) const { return int(g_messages.filter(morceau).size()); }
};

void EcritFichier(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(octets), octets.size());
}

} // namespace

class TestLecture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void boucleLectures_data();
    void boucleLectures();
    void boucleNeTarritJamais();
    void boucleRembobine();
    void boucleVide();
    void boucleBasculeSansSaut_data();
    void boucleBasculeSansSaut();

    void decodeValide_data();
    void decodeValide();
    void decodeRefuse_data();
    void decodeRefuse();
    void lisRefuse_data();
    void lisRefuse();
    void lisLeFichierDuGenerateur();
    void silenceInstalleEstMuet();

    void sansSortieUnSeulAvertissement();
    void sonInutilisable_data();
    void sonInutilisable();
    void coupeSansSonNeFaitRien();

    void volumeGain_data();
    void volumeGain();
    void volumeSurLePireDesSons();
};

void TestLecture::initTestCase()
{
    // No sound server here, whatever the machine offers: an address where nothing listens
    // (an explicit address also keeps the client library from spawning a server of its own).
    qputenv("PULSE_SERVER", "unix:/nonexistent/sonavirelle-sans-serveur");
}

void TestLecture::boucleLectures_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QList<int>>("demandes");
    QTest::addColumn<QByteArrayList>("attendus");

    QTest::newRow("within the loop") << QByteArray("abcdef") << QList<int>{4} << QByteArrayList{"abcd"};
    QTest::newRow("across the end") << QByteArray("abcdef") << QList<int>{4, 4} << QByteArrayList{"abcd", "efab"};
    QTest::newRow("exactly one loop, twice") << QByteArray("abc") << QList<int>{3, 3} << QByteArrayList{"abc", "abc"};
    QTest::newRow("several loops in one read") << QByteArray("ab") << QList<int>{5, 2} << QByteArrayList{"ababa", "ba"};
    QTest::newRow("one-byte loop") << QByteArray("x") << QList<int>{3} << QByteArrayList{"xxx"};
    QTest::newRow("ends on the last byte")
        << QByteArray("abcd") << QList<int>{2, 2, 1} << QByteArrayList{"ab", "cd", "a"};
}

void TestLecture::boucleLectures()
{
    QFETCH(QByteArray, octets);
    QFETCH(QList<int>, demandes);
    QFETCH(QByteArrayList, attendus);

    Boucle b(octets);
    QVERIFY(b.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    for (int i = 0; i < demandes.size(); ++i) {
        QByteArray lu(demandes[i], '?');
        QCOMPARE(b.read(lu.data(), lu.size()), qint64(demandes[i]));
        QCOMPARE(lu, attendus[i]);
    }
}

void TestLecture::boucleNeTarritJamais()
{
    // A player stops at the first empty read: the loop must always have something to give.
    const QByteArray son = Rampe(10);
    Boucle b(son);
    QVERIFY(b.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    QByteArray tout;
    for (int i = 0; i < 37; ++i) {
        QVERIFY(!b.atEnd());
        QVERIFY(b.bytesAvailable() >= son.size());
        char c = 0;
        QCOMPARE(b.read(&c, 1), qint64(1));
        tout += c;
    }
    QCOMPARE(tout, (son + son + son + son).left(37));
}

void TestLecture::boucleRembobine()
{
    Boucle b(QByteArray("abcdef"));
    QVERIFY(b.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    QByteArray lu(4, '?');
    b.read(lu.data(), 4);
    QCOMPARE(b.curseur(), 4);
    b.rembobine();
    QCOMPARE(b.curseur(), 0);
    b.read(lu.data(), 4);
    QCOMPARE(lu, QByteArray("abcd"));
}

void TestLecture::boucleVide()
{
    Boucle b{QByteArray()};
    QVERIFY(b.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    char c[4];
    QCOMPARE(b.read(c, 4), qint64(0));
    QVERIFY(b.atEnd());
}

namespace {
// Two 16-bit mono sines, as the player gets them.
QByteArray Sinus(double hertz, double crete, int trames)
{
    QByteArray o(trames * 2, '\0');
    for (int n = 0; n < trames; ++n)
        qToLittleEndian(qint16(std::lround(crete * std::sin(2 * M_PI * hertz * n / 44100.0))), o.data() + 2 * n);
    return o;
}
qint16 Ech(const QByteArray &o, qint64 n)
{
    return qFromLittleEndian<qint16>(o.constData() + 2 * n);
}
int PlusGrandPas(const QByteArray &o)
{
    int pas = 0;
    for (qint64 n = 1; n < o.size() / 2; ++n)
        pas = std::max(pas, std::abs(Ech(o, n) - Ech(o, n - 1)));
    return pas;
}
} // namespace

void TestLecture::boucleBasculeSansSaut_data()
{
    QTest::addColumn<QByteArray>("avant");
    QTest::addColumn<QByteArray>("apres");
    QTest::addColumn<int>("lus"); // bytes read before the switch
    // The new sound starts where the old one is far from it: a hard switch would jump by ~20000.
    QTest::newRow("opposite phases") << Sinus(441, 10000, 4410) << Sinus(441, -10000, 4410) << 2 * 25;
    QTest::newRow("low to high") << Sinus(110, 20000, 44100 / 110 * 3) << Sinus(1760, 3000, 4410) << 2 * 100;
    QTest::newRow("square into silence") << QByteArray(4000, '\x40') << QByteArray(4000, '\0') << 2 * 7;
    QTest::newRow("switch in the loop's last frame") << Sinus(441, 8000, 100) << Sinus(300, 8000, 147) << 2 * 99;
}

void TestLecture::boucleBasculeSansSaut()
{
    QFETCH(QByteArray, avant);
    QFETCH(QByteArray, apres);
    QFETCH(int, lus);
    Boucle b(avant);
    QVERIFY(b.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    QByteArray tout(lus, '?');
    b.read(tout.data(), lus);
    const int fondu = 441; // 10 ms
    b.bascule(apres, fondu);
    QCOMPARE(b.fonduRestant(), fondu);
    // Read in odd slices, as the player's free space comes.
    for (int morceau : {2, 6, 130, 4, 1000, 3000, 4000}) {
        QByteArray lu(morceau, '?');
        QCOMPARE(b.read(lu.data(), morceau), qint64(morceau));
        tout += lu;
    }
    QCOMPARE(b.fonduRestant(), 0);
    // No step larger than the two sounds' own steps allow, plus the fade's own slope.
    const int permis = std::max(PlusGrandPas(avant + avant.left(2)), PlusGrandPas(apres + apres.left(2)))
                       + int(std::ceil(2 * 32768.0 / fondu)) + 1;
    QVERIFY2(PlusGrandPas(tout) <= permis, qPrintable(QStringLiteral("%1 > %2").arg(PlusGrandPas(tout)).arg(permis)));
    // Once the fade is over the new sound plays alone, from its start plus the fade's length.
    const qint64 fin = (lus + 2 * fondu) / 2;
    for (qint64 n = fin; n < fin + 200; ++n)
        QCOMPARE(Ech(tout, n), Ech(apres, (n - lus / 2) % (apres.size() / 2)));
    // During the fade the first frame is mostly the old sound, the last mostly the new.
    const qint64 i0 = lus / 2, i1 = i0 + fondu - 1;
    QVERIFY(std::abs(Ech(tout, i0) - Ech(avant, i0 % (avant.size() / 2))) <= 2 * 32768 / fondu + 1);
    QVERIFY(std::abs(Ech(tout, i1) - Ech(apres, (fondu - 1) % (apres.size() / 2))) <= 2 * 32768 / fondu + 1);
}

void TestLecture::decodeValide_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<int>("frequence");
    QTest::addColumn<int>("canaux");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("echantillons");

    const QByteArray mono16 = Riff::Fmt(1, 1, 44100, 16);
    const QByteArray s = Rampe(200);
    const int int16 = QAudioFormat::Int16;

    QTest::newRow("plain 44-byte header")
        << Riff().bloc("fmt ", mono16).bloc("data", s).fichier() << 44100 << 1 << int16 << s;
    QTest::newRow("extra chunk before the data")
        << Riff().bloc("fmt ", mono16).bloc("LIST", "INFOISFT\x04\0\0\0abc\0").bloc("data", s).fichier() << 44100 << 1
        << int16 << s;
    QTest::newRow("odd-sized chunk is padded")
        << Riff().bloc("fmt ", mono16).bloc("junk", "xyz").bloc("data", s).fichier() << 44100 << 1 << int16 << s;
    QTest::newRow("format chunk of 18 bytes")
        << Riff().bloc("fmt ", mono16 + Riff::Le16(0)).bloc("data", s).fichier() << 44100 << 1 << int16 << s;
    QTest::newRow("bytes after the data chunk are not sound")
        << (Riff().bloc("fmt ", mono16).bloc("data", s).fichier() + QByteArray(30, 'z')) << 44100 << 1 << int16 << s;
    QTest::newRow("half a frame at the end is dropped")
        << Riff().bloc("fmt ", mono16).bloc("data", Rampe(201)).fichier() << 44100 << 1 << int16 << s;
    QTest::newRow("stereo 8 bits 22050 Hz") << Riff().bloc("fmt ", Riff::Fmt(1, 2, 22050, 8)).bloc("data", s).fichier()
                                            << 22050 << 2 << int(QAudioFormat::UInt8) << s;
    QTest::newRow("32-bit float") << Riff().bloc("fmt ", Riff::Fmt(3, 1, 48000, 32)).bloc("data", s).fichier() << 48000
                                  << 1 << int(QAudioFormat::Float) << s;
    const QByteArray etendu = Riff::Fmt(0xFFFE, 1, 44100, 16) + Riff::Le16(22) + Riff::Le16(16) + Riff::Le32(4)
                              + Riff::Le16(1) + QByteArray(14, '\x01');
    QTest::newRow("extensible format naming PCM")
        << Riff().bloc("fmt ", etendu).bloc("data", s).fichier() << 44100 << 1 << int16 << s;
}

void TestLecture::decodeValide()
{
    QFETCH(QByteArray, fichier);
    QFETCH(int, frequence);
    QFETCH(int, canaux);
    QFETCH(int, format);
    QFETCH(QByteArray, echantillons);

    QString pourquoi;
    const auto son = Wav::Decode(fichier, &pourquoi);
    QVERIFY2(son.has_value(), qPrintable(pourquoi));
    QCOMPARE(son->format.sampleRate(), frequence);
    QCOMPARE(son->format.channelCount(), canaux);
    QCOMPARE(int(son->format.sampleFormat()), format);
    QCOMPARE(son->echantillons, echantillons);
}

void TestLecture::decodeRefuse_data()
{
    QTest::addColumn<QByteArray>("fichier");

    const QByteArray mono16 = Riff::Fmt(1, 1, 44100, 16);
    const QByteArray s = Rampe(200);
    const QByteArray bon = Riff().bloc("fmt ", mono16).bloc("data", s).fichier();

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text file") << QByteArray("Ceci n'est pas un son, mais un texte assez long.\n");
    QTest::newRow("header cut in the middle") << bon.left(30);
    QTest::newRow("samples cut short") << bon.left(bon.size() - 10);
    QTest::newRow("RIFF but not WAVE") << Riff("AVI ").bloc("fmt ", mono16).bloc("data", s).fichier();
    QTest::newRow("no format chunk") << Riff().bloc("data", s).fichier();
    QTest::newRow("data before format") << Riff().bloc("data", s).bloc("fmt ", mono16).fichier();
    QTest::newRow("no data chunk") << Riff().bloc("fmt ", mono16).fichier();
    QTest::newRow("format chunk too short") << Riff().bloc("fmt ", mono16.left(12)).bloc("data", s).fichier();
    QTest::newRow("compressed encoding") << Riff().bloc("fmt ", Riff::Fmt(2, 1, 44100, 16)).bloc("data", s).fichier();
    QTest::newRow("24-bit samples") << Riff().bloc("fmt ", Riff::Fmt(1, 1, 44100, 24)).bloc("data", s).fichier();
    QTest::newRow("no channel") << Riff().bloc("fmt ", Riff::Fmt(1, 0, 44100, 16)).bloc("data", s).fichier();
    QTest::newRow("zero sample rate") << Riff().bloc("fmt ", Riff::Fmt(1, 1, 0, 16)).bloc("data", s).fichier();
    QByteArray desaligne = mono16;
    qToLittleEndian<quint16>(4, desaligne.data() + 12);
    QTest::newRow("block alignment inconsistent") << Riff().bloc("fmt ", desaligne).bloc("data", s).fichier();
    QTest::newRow("no samples") << Riff().bloc("fmt ", mono16).bloc("data", {}).fichier();
    QTest::newRow("one byte of a two-byte frame") << Riff().bloc("fmt ", mono16).bloc("data", "a").fichier();
    QTest::newRow("data size beyond 2 GB") << Riff().bloc("fmt ", mono16).bloc("data", s, 0xFFFFFFF0).fichier();
}

void TestLecture::decodeRefuse()
{
    QFETCH(QByteArray, fichier);
    QString pourquoi;
    QVERIFY(!Wav::Decode(fichier, &pourquoi).has_value());
    QVERIFY(!pourquoi.isEmpty());
}

void TestLecture::lisRefuse_data()
{
    QTest::addColumn<QString>("cas");
    QTest::newRow("missing file") << "absent";
    QTest::newRow("a folder") << "dossier";
    QTest::newRow("larger than any sound") << "enorme";
    QTest::newRow("a link to a device that never ends") << "peripherique";
    QTest::newRow("a FIFO nobody writes to") << "fifo";
}

void TestLecture::lisRefuse()
{
    QFETCH(QString, cas);
    QTemporaryDir dossier;
    QString chemin = dossier.filePath("test.wav");
    if (cas == "dossier") {
        QVERIFY(QDir(dossier.path()).mkdir("test.wav"));
    } else if (cas == "enorme") {
        // A valid header in front of a sparse tail: refused on its size, before anything is read.
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Riff().bloc("fmt ", Riff::Fmt(1, 1, 44100, 16)).bloc("data", {}, 0x7FFFFFF0).fichier());
        QVERIFY(f.resize(Wav::TailleMax + 1));
    } else if (cas == "peripherique") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), chemin));
    } else if (cas == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    }
    QString pourquoi;
    QVERIFY(!Wav::Lis(chemin, &pourquoi).has_value());
    QVERIFY(!pourquoi.isEmpty());
}

void TestLecture::lisLeFichierDuGenerateur()
{
    // The default sound as the program writes it: 1002 samples beginning 0, 205, 409, 611.
    QTemporaryDir dossier;
    Son t;
    t.Frequence[1] = 440;
    t.Amplitude[1] = 10.0f;
    t.ProchaineComposante = 2;
    Generateur g(t, dossier.filePath("test.wav"));
    QVERIFY(g.GenereSon());

    QString pourquoi;
    const auto son = Wav::Lis(g.chemin(), &pourquoi);
    QVERIFY2(son.has_value(), qPrintable(pourquoi));
    QCOMPARE(son->format.sampleRate(), 44100);
    QCOMPARE(son->format.channelCount(), 1);
    QCOMPARE(son->format.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(son->echantillons.size(), 2 * 1002);
    const int debut[] = {0, 205, 409, 611};
    for (int n = 0; n < 4; ++n)
        QCOMPARE(qFromLittleEndian<qint16>(son->echantillons.constData() + 2 * n), qint16(debut[n]));
}

void TestLecture::silenceInstalleEstMuet()
{
    const QString chemin = qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/resources/silence.wav");
    QString pourquoi;
    const auto son = Wav::Lis(chemin, &pourquoi);
    QVERIFY2(son.has_value(), qPrintable(chemin + QStringLiteral(": ") + pourquoi));
    QCOMPARE(son->format.sampleRate(), 44100);
    QCOMPARE(son->format.channelCount(), 1);
    QCOMPARE(son->format.sampleFormat(), QAudioFormat::Int16);
    const qint64 duree = son->format.durationForBytes(son->echantillons.size());
    QVERIFY2(duree >= 10'000 && duree <= 1'000'000, qPrintable(QString::number(duree)));
    QCOMPARE(son->echantillons.count('\0'), son->echantillons.size());
}

void TestLecture::sansSortieUnSeulAvertissement()
{
    QTemporaryDir dossier;
    Son t;
    t.Frequence[1] = 440;
    t.Amplitude[1] = 10.0f;
    t.ProchaineComposante = 2;
    t.SonActif = true;

    Ecoute ecoute;
    LecteurQt lecteur;
    QSignalSpy joue(&lecteur, &LecteurQt::joue);
    Generateur g(t, dossier.filePath("test.wav"));

    // Edits with sound on, a mute, more edits: each goes through the player.
    for (int i = 0; i < 4; ++i) {
        t.Frequence[1] = std::int16_t(440 + 110 * i);
        // As the program commits an edit: the file written, the samples handed over, played when
        // sound is on.
        QVERIFY(g.GenereSon());
        lecteur.FixeSon(g.echantillons());
        if (t.SonActif)
            lecteur.JoueSon();
        QTest::qWait(20);
        if (i == 1)
            lecteur.CoupeSon();
        QVERIFY(!lecteur.enLecture());
    }
    lecteur.JoueSon();
    // Long enough for the player to look for an output several times on its own.
    QTest::qWait(3 * LecteurQt::VeilleMs);

    QCOMPARE(joue.count(), 0);
    QVERIFY(!lecteur.enLecture());
    QVERIFY(lecteur.peripherique().isNull());
    QCOMPARE(ecoute.nombre(QStringLiteral("no sound")), 1);
    QCOMPARE(g_messages.size(), 1);
}

void TestLecture::sonInutilisable_data()
{
    QTest::addColumn<QByteArray>("echantillons");
    QTest::newRow("nothing synthesised yet") << QByteArray();
    QTest::newRow("half a sample") << QByteArray("\x01\x02\x03", 3);
}

void TestLecture::sonInutilisable()
{
    QFETCH(QByteArray, echantillons);
    Ecoute ecoute;
    LecteurQt lecteur;
    QSignalSpy joue(&lecteur, &LecteurQt::joue);
    if (!echantillons.isNull())
        lecteur.FixeSon(echantillons);
    lecteur.JoueSon();
    QTest::qWait(2 * LecteurQt::VeilleMs);

    // Refused with one warning; nothing is started, so no output is looked for.
    QTRY_COMPARE(g_messages.size(), 1);
    QCOMPARE(ecoute.nombre(QStringLiteral("nothing to play")), 1);
    QCOMPARE(joue.count(), 0);
    QVERIFY(!lecteur.enLecture());
}

void TestLecture::coupeSansSonNeFaitRien()
{
    QTemporaryDir dossier;
    Ecoute ecoute;
    LecteurQt lecteur;
    lecteur.CoupeSon();
    lecteur.CoupeSon();
    QTest::qWait(50);
    QVERIFY(!lecteur.enLecture());
    QCOMPARE(g_messages.size(), 0);
}

void TestLecture::volumeGain_data()
{
    QTest::addColumn<double>("decibels");
    QTest::addColumn<int>("crete");
    QTest::addColumn<double>("gain");
    QTest::newRow("the file's level") << 0.0 << 3270 << 1.0;
    QTest::newRow("+20 dB on the default sound") << 20.0 << 3270 << 10.0;
    QTest::newRow("+6 dB doubles") << 20 * std::log10(2.0) << 3270 << 2.0;
    QTest::newRow("beyond +20 dB stays at +20") << 35.0 << 1000 << 10.0;
    QTest::newRow("-40 dB, the quietest step") << -40.0 << 3270 << 0.01;
    QTest::newRow("below -40 dB is silence") << -40.5 << 3270 << 0.0;
    QTest::newRow("not a number is silence") << std::nan("") << 3270 << 0.0;
    QTest::newRow("limited by the loop's peak") << 20.0 << 5000 << 32767.0 / 5000;
    QTest::newRow("a loud loop gets no more") << 20.0 << 32767 << 1.0;
    QTest::newRow("a silent loop") << 20.0 << 0 << 10.0;
}

void TestLecture::volumeGain()
{
    QFETCH(double, decibels);
    QFETCH(int, crete);
    QFETCH(double, gain);
    QVERIFY2(std::abs(Volume::Gain(decibels, crete) - gain) < 1e-9,
             qPrintable(QString::number(Volume::Gain(decibels, crete))));
}

void TestLecture::volumeSurLePireDesSons()
{
    // Ten components at 1 Hz, all at amplitude 10: the longest loop the program makes, and one of
    // the loudest. At the loudest volume it gets the whole +20 dB and stays within 16 bits.
    Son t;
    for (int i = 1; i <= 10; ++i) {
        t.Frequence[i] = std::int16_t(i);
        t.Amplitude[i] = 10.0f;
    }
    t.ProchaineComposante = 11;
    Synthese::Plan plan;
    QVERIFY(Synthese::Prepare(t, plan));
    QByteArray echantillons;
    QCOMPARE(Synthese::Echantillons(plan, echantillons), -1);
    const int crete = Volume::Crete(echantillons);
    QVERIFY(crete > 0 && crete < 32767);
    const QByteArray fort = Volume::Applique(echantillons, Volume::Gain(Volume::MaxDecibels, crete));
    QCOMPARE(fort.size(), echantillons.size());
    const double gain = Volume::Gain(Volume::MaxDecibels, crete);
    QVERIFY(crete * gain <= 32767);
    QCOMPARE(Volume::Crete(fort), int(std::round(crete * gain)));
    // Every sample scaled by the same gain, rounded once: the shape is kept.
    for (qsizetype i : {qsizetype(0), qsizetype(2), echantillons.size() / 2 & ~1, echantillons.size() - 2}) {
        const auto avant = qFromLittleEndian<qint16>(echantillons.constData() + i);
        QCOMPARE(qFromLittleEndian<qint16>(fort.constData() + i), qint16(std::round(avant * gain)));
    }
    // The file's level leaves the samples as they are; silence leaves zeros.
    QCOMPARE(Volume::Applique(echantillons, 1.0), echantillons);
    QCOMPARE(Volume::Applique(echantillons, 0.0), QByteArray(echantillons.size(), '\0'));
}

QTEST_GUILESS_MAIN(TestLecture)
#include "tst_lecture.moc"
