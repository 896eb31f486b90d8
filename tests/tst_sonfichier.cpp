// Sound files read and analysed as the window and the command line do (AnalyseSon): the program's
// own exports read back, waveforms made by sox in many formats, the shipped instruments against
// values computed once by numpy, and every refusal of the bad-input table.
#include "model/timbre.h"
#include "synth/analyseson.h"
#include "synth/export.h"
#include "synth/sonfichier.h"
#include "synth/timbrefichier.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Liste = QList<QPointF>; // (frequency, amplitude), in table order

bool Sox(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("sox"), arguments);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Copies a float WAV into Ogg Opus through libsndfile (sox here has no Opus writer).
bool EnOpus(const QString &wav, const QString &opus)
{
    SF_INFO lu{};
    SNDFILE *entree = sf_open(QFile::encodeName(wav).constData(), SFM_READ, &lu);
    if (!entree)
        return false;
    SF_INFO ecrit{};
    ecrit.samplerate = lu.samplerate;
    ecrit.channels = lu.channels;
    ecrit.format = SF_FORMAT_OGG | SF_FORMAT_OPUS;
    SNDFILE *sortie = sf_open(QFile::encodeName(opus).constData(), SFM_WRITE, &ecrit);
    if (!sortie) {
        sf_close(entree);
        return false;
    }
    std::vector<float> bloc(4096 * std::size_t(lu.channels));
    sf_count_t n = 0;
    while ((n = sf_readf_float(entree, bloc.data(), 4096)) > 0)
        sf_writef_float(sortie, bloc.data(), n);
    sf_close(entree);
    sf_close(sortie);
    return true;
}

void Compare(const Timbre &t, const Liste &attendu, double tolerance)
{
    QString lu;
    for (const auto &c : t.composantes)
        lu += QStringLiteral("(%1, %2) ").arg(c.frequence).arg(c.amplitude);
    QVERIFY2(qsizetype(t.composantes.size()) == attendu.size(), qPrintable(lu));
    for (qsizetype i = 0; i < attendu.size(); ++i) {
        QVERIFY2(t.composantes[std::size_t(i)].frequence == attendu[i].x(), qPrintable(lu));
        QVERIFY2(std::abs(t.composantes[std::size_t(i)].amplitude - attendu[i].y()) <= tolerance, qPrintable(lu));
    }
}

// The textbook harmonics of sox's waveforms on f0, up to 10 and below Nyquist, the strongest 10;
// harmonics that are 0 in theory are left out, as the analysis leaves them out.
Liste Manuel(const QString &forme, int f0, int fe)
{
    Liste t;
    for (int k = 1; k <= 10 && k * f0 < fe / 2; ++k) {
        double a = 0.0;
        if (forme == QLatin1String("sawtooth"))
            a = 10.0 / k;
        else if (forme == QLatin1String("square"))
            a = k % 2 ? 10.0 / k : 0.0;
        else if (forme == QLatin1String("triangle"))
            a = k % 2 ? 10.0 / (k * k) : 0.0;
        if (std::nearbyint(a * 10.0) > 0.0)
            t << QPointF(k * f0, a);
    }
    return t;
}

} // namespace

class TestSonFichier : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportRelu_data();
    void exportRelu();
    void formesSox_data();
    void formesSox();
    void instruments_data();
    void instruments();
    void refus_data();
    void refus();
    void grandFichierLuEnPartie();
    void origineDansLeFichier();

private:
    QTemporaryDir m_dossier;
};

void TestSonFichier::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    QVERIFY2(Sox({QStringLiteral("--version")}), "sox is needed (scripts/setup.sh installs it)");
}

void TestSonFichier::exportRelu_data()
{
    QTest::addColumn<Liste>("table");
    // Fundamentals that divide 441 000, so that the exported loop of ten periods is exactly periodic.
    QTest::newRow("sawtooth, 245 Hz") << Liste{{245, 10},   {490, 5},    {735, 3.3},  {980, 2.5},  {1225, 2},
                                               {1470, 1.7}, {1715, 1.4}, {1960, 1.2}, {2205, 1.1}, {2450, 1}};
    QTest::newRow("odd harmonics, 196 Hz") << Liste{{196, 10}, {588, 7.5}, {980, 4}, {1372, 2.5}, {1764, 0.5}};
    QTest::newRow("third strongest, 147 Hz") << Liste{{147, 2}, {294, 0.3}, {441, 10}, {588, 6.5}, {735, 1}};
    QTest::newRow("441 Hz, small amplitudes") << Liste{{441, 10}, {882, 0.5}, {1323, 0.2}, {3969, 0.8}};
    QTest::newRow("98 Hz, all ten equal") << Liste{{98, 10},  {196, 10}, {294, 10}, {392, 10}, {490, 10},
                                                   {588, 10}, {686, 10}, {784, 10}, {882, 10}, {980, 10}};
    QTest::newRow("1225 Hz") << Liste{{1225, 10}, {2450, 3}, {3675, 6}};
}

void TestSonFichier::exportRelu()
{
    QFETCH(Liste, table);
    Son composantes;
    int i = 1;
    for (const QPointF &c : table) {
        composantes.Frequence[i] = std::int16_t(c.x());
        composantes.Amplitude[i] = float(c.y());
        ++i;
    }
    composantes.ProchaineComposante = std::int16_t(i);
    const QString wav = m_dossier.filePath(QStringLiteral("export-%1.wav").arg(int(table.first().x())));
    QVERIFY(Export::Ecrit(composantes, 2.0, wav));
    QString pourquoi;
    const auto r = AnalyseSon::Analyse(wav, {}, {}, &pourquoi);
    QVERIFY2(r, qPrintable(pourquoi));
    Compare(r->timbre, table, 0.15);
    QVERIFY(r->timbre.multiples);
    QCOMPARE(r->origine.source, QFileInfo(wav).fileName());
    QVERIFY(std::abs(r->origine.fondamental - table.first().x()) < 0.05);
}

void TestSonFichier::formesSox_data()
{
    QTest::addColumn<QString>("forme");
    QTest::addColumn<int>("f0");
    QTest::addColumn<int>("fe");
    QTest::addColumn<QStringList>("format"); // sox's output options, before the name
    QTest::addColumn<QString>("suffixe");
    QTest::addColumn<double>("tolerance");

    const QString b = QStringLiteral("-b"), c = QStringLiteral("-c"), e = QStringLiteral("-e");
    QTest::newRow("sawtooth, 16-bit WAV, 44.1 kHz")
        << "sawtooth" << 220 << 44100 << QStringList{b, "16"} << "wav" << 0.2;
    QTest::newRow("square, 24-bit stereo FLAC, 48 kHz")
        << "square" << 147 << 48000 << QStringList{b, "24", c, "2"} << "flac" << 0.2;
    QTest::newRow("triangle, 8-bit WAV, 22.05 kHz")
        << "triangle" << 330 << 22050 << QStringList{b, "8"} << "wav" << 0.2;
    QTest::newRow("sawtooth, float WAV, 96 kHz")
        << "sawtooth" << 110 << 96000 << QStringList{b, "32", e, "floating-point"} << "wav" << 0.2;
    QTest::newRow("square, 32-bit AIFF, 8 kHz") << "square" << 523 << 8000 << QStringList{b, "32"} << "aiff" << 0.2;
    QTest::newRow("sawtooth, 24-bit stereo WAV, 192 kHz")
        << "sawtooth" << 880 << 192000 << QStringList{b, "24", c, "2"} << "wav" << 0.2;
    QTest::newRow("triangle, Ogg Vorbis, 44.1 kHz")
        << "triangle" << 196 << 44100 << QStringList{c, "2"} << "ogg" << 0.35;
    QTest::newRow("sawtooth, Ogg Opus, 48 kHz") << "sawtooth" << 262 << 48000 << QStringList{} << "opus" << 0.35;
}

void TestSonFichier::formesSox()
{
    QFETCH(QString, forme);
    QFETCH(int, f0);
    QFETCH(int, fe);
    QFETCH(QStringList, format);
    QFETCH(QString, suffixe);
    QFETCH(double, tolerance);
    const QString nom = m_dossier.filePath(QStringLiteral("%1-%2-%3.%4").arg(forme).arg(f0).arg(fe).arg(suffixe));
    // At −6 dB, so that no format clips; sox makes the waveform, the textbook says its harmonics.
    QString fichier = nom;
    if (suffixe == QLatin1String("opus"))
        fichier = nom + QStringLiteral(".wav");
    QVERIFY(Sox(QStringList{"-n", "-r", QString::number(fe)} + format
                + QStringList{fichier, "synth", "1.5", forme, QString::number(f0), "vol", "0.5"}));
    if (suffixe == QLatin1String("opus"))
        QVERIFY(EnOpus(fichier, nom));
    QString pourquoi;
    const auto r = AnalyseSon::Analyse(nom, {}, {}, &pourquoi);
    QVERIFY2(r, qPrintable(pourquoi));
    QCOMPARE(r->son.frequence, double(fe));
    Compare(r->timbre, Manuel(forme, f0, fe), tolerance);
}

void TestSonFichier::instruments_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QJsonObject>("reference");
    QFile f(QFINDTESTDATA("instruments/reference.json"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject sons = QJsonDocument::fromJson(f.readAll()).object().value(QLatin1String("sons")).toObject();
    QCOMPARE(sons.size(), 7);
    for (auto i = sons.begin(); i != sons.end(); ++i)
        QTest::newRow(qPrintable(i.key())) << i.key() << i.value().toObject();
}

void TestSonFichier::instruments()
{
    QFETCH(QString, nom);
    QFETCH(QJsonObject, reference);
    const QString source = qEnvironmentVariable("SONAVIRELLE_SOURCE", QFINDTESTDATA("../resources"));
    const QString chemin = QDir(source).filePath(QStringLiteral("resources/instruments/%1.flac").arg(nom));
    QString pourquoi;
    const auto r = AnalyseSon::Analyse(chemin, reference.value(QLatin1String("debut")).toDouble(),
                                       reference.value(QLatin1String("duree")).toDouble(), &pourquoi);
    QVERIFY2(r, qPrintable(pourquoi));
    const double f0 = reference.value(QLatin1String("fondamental")).toDouble();
    // Within 0.1 %: the violin's vibrato spreads its peaks, and the two ways of weighting them
    // (by power here, by amplitude in numpy) then part by about a third of a hertz.
    QVERIFY2(std::abs(r->mesure.fondamental - f0) < 0.001 * f0, qPrintable(QString::number(r->mesure.fondamental)));
    const QJsonArray amplitudes = reference.value(QLatin1String("amplitudes")).toArray();
    double plus = 0.0;
    for (double a : r->mesure.amplitudes)
        plus = std::max(plus, a);
    for (int k = 1; k <= 10; ++k) {
        const double lue = 10.0 * r->mesure.amplitudes[std::size_t(k - 1)] / plus;
        QVERIFY2(std::abs(lue - amplitudes.at(k - 1).toDouble()) < 0.15,
                 qPrintable(
                     QStringLiteral("harmonic %1: %2, numpy %3").arg(k).arg(lue).arg(amplitudes.at(k - 1).toDouble())));
    }
    // The table: every harmonic on k times the rounded fundamental.
    const double f1 = r->timbre.composantes.front().frequence;
    QCOMPARE(f1, std::nearbyint(r->mesure.fondamental));
    for (const auto &c : r->timbre.composantes)
        QCOMPARE(std::fmod(c.frequence, f1), 0.0);
}

void TestSonFichier::refus_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<double>("debut"); // NaN: not given
    QTest::addColumn<double>("duree");
    QTest::addColumn<QString>("raison"); // part of the one line
    const double rien = std::nan("");

    QTest::newRow("silence") << "silence.wav" << rien << rien << "aucune hauteur";
    QTest::newRow("white noise") << "bruit.flac" << rien << rien << "aucune hauteur";
    QTest::newRow("a 30 ms sound") << "court.wav" << rien << rien << "trop court";
    QTest::newRow("under three periods") << "grave.wav" << rien << 0.06 << "trois périodes";
    QTest::newRow("a text file named .wav") << "texte.wav" << rien << rien << "n'est pas un son";
    QTest::newRow("an empty file") << "vide.wav" << rien << rien << "vide";
    QTest::newRow("a folder") << "dossier.wav" << rien << rien << "dossier";
    QTest::newRow("a device") << "/dev/zero" << rien << rien << "n'est pas un fichier ordinaire";
    QTest::newRow("a FIFO") << "tube.wav" << rien << rien << "n'est pas un fichier ordinaire";
    QTest::newRow("a missing file") << "absent.wav" << rien << rien << "n'existe pas";
    QTest::newRow("an unreadable file") << "interdit.wav" << rien << rien << "n'est pas permise";
    QTest::newRow("a length of 0") << "la.wav" << rien << 0.0 << "plus grande que 0";
    QTest::newRow("a negative start") << "la.wav" << -0.5 << rien << "négatif";
    QTest::newRow("a start past the end") << "la.wav" << 3.0 << rien << "après la fin";
    QTest::newRow("a stretch past the end") << "la.wav" << 0.5 << 0.8 << "dépasse la fin";
    QTest::newRow("a header claiming 4 GB") << "geant.wav" << rien << rien << "l'en-tête annonce";
    QTest::newRow("a FLAC header claiming 2^36 samples") << "geant.flac" << rien << rien << "l'en-tête annonce";
}

void TestSonFichier::refus()
{
    QFETCH(QString, cas);
    QFETCH(double, debut);
    QFETCH(double, duree);
    QFETCH(QString, raison);
    // Only the temporary folder's names are made or removed here: /dev/zero is used as it is.
    const bool ici = !cas.startsWith(QLatin1Char('/'));
    const QString chemin = ici ? m_dossier.filePath(cas) : cas;
    const QByteArray nom = QFile::encodeName(chemin);
    if (ici)
        QFile::remove(chemin);
    if (cas == QLatin1String("silence.wav"))
        QVERIFY(Sox({"-n", "-r", "44100", "-b", "16", chemin, "trim", "0", "1"}));
    else if (cas == QLatin1String("bruit.flac"))
        QVERIFY(Sox({"-n", "-r", "44100", "-b", "16", chemin, "synth", "1", "whitenoise", "vol", "0.5"}));
    else if (cas == QLatin1String("court.wav"))
        QVERIFY(Sox({"-n", "-r", "44100", chemin, "synth", "0.03", "sine", "440"}));
    else if (cas == QLatin1String("grave.wav"))
        QVERIFY(Sox({"-n", "-r", "44100", chemin, "synth", "1", "sawtooth", "45"}));
    else if (cas == QLatin1String("la.wav"))
        QVERIFY(Sox({"-n", "-r", "44100", chemin, "synth", "1", "sawtooth", "440"}));
    else if (cas == QLatin1String("texte.wav") || cas == QLatin1String("vide.wav")
             || cas == QLatin1String("interdit.wav")) {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (cas != QLatin1String("vide.wav"))
            f.write("Ceci n'est pas un son, mais un texte.\n");
        f.close();
        if (cas == QLatin1String("interdit.wav")) {
            if (::geteuid() == 0)
                QSKIP("root reads any file");
            QVERIFY(f.setPermissions({}));
        }
    } else if (cas == QLatin1String("dossier.wav"))
        QVERIFY(QDir().mkpath(chemin));
    else if (cas == QLatin1String("tube.wav"))
        QCOMPARE(::mkfifo(nom.constData(), 0600), 0);
    else if (cas == QLatin1String("geant.wav")) {
        // 16-bit stereo at 44.1 kHz whose sizes claim 4 GB, followed by 1000 bytes.
        QByteArray octets("RIFF\xF0\xFF\xFF\xFFWAVEfmt \x10\0\0\0\x01\0\x02\0\x44\xAC\0\0\x10\xB1\x02\0\x04\0\x10\0data"
                          "\0\xFF\xFF\xFF",
                          44);
        octets += QByteArray(1000, '\0');
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets);
    } else if (cas == QLatin1String("geant.flac")) {
        const QString flac = m_dossier.filePath(QStringLiteral("petit.flac"));
        QVERIFY(Sox({"-n", "-r", "44100", "-b", "16", flac, "synth", "0.5", "sine", "440"}));
        QFile f(flac);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray octets = f.readAll();
        // STREAMINFO's 36-bit sample count, after "fLaC", the block header and 10 bytes, is set to its maximum.
        QVERIFY(octets.startsWith("fLaC"));
        octets[21] = char(octets[21] | 0x0F);
        for (int i = 22; i < 26; ++i)
            octets[i] = char(0xFF);
        QFile g(chemin);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(octets);
    }

    std::optional<double> d, l;
    if (!std::isnan(debut))
        d = debut;
    if (!std::isnan(duree))
        l = duree;
    QString pourquoi;
    const auto r = AnalyseSon::Analyse(chemin, d, l, &pourquoi);
    QVERIFY(!r);
    QVERIFY2(pourquoi.startsWith(QStringLiteral("« %1 » : ").arg(chemin)), qPrintable(pourquoi));
    QVERIFY2(pourquoi.contains(raison), qPrintable(pourquoi));
    QVERIFY(!pourquoi.contains(QLatin1Char('\n')));
    if (cas == QLatin1String("tube.wav"))
        QFile::remove(chemin);
    if (cas == QLatin1String("dossier.wav"))
        QDir(chemin).removeRecursively();
}

void TestSonFichier::grandFichierLuEnPartie()
{
    // A 3 GB WAV (sparse: it takes no room on the disk) with one second of sound in its middle:
    // only the stretch asked for is read, and memory stays far below the file's size.
    const QString chemin = m_dossier.filePath(QStringLiteral("long.wav"));
    const qint64 donnees = 3'000'000'000LL;
    const qint64 milieu = 1'500'000'000LL; // a whole number of 2-byte samples
    const double debut = double(milieu / 2) / 44100.0;
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    auto mot = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    QByteArray entete = "RIFF" + mot(quint32(donnees + 36)) + "WAVEfmt " + mot(16);
    entete += QByteArray("\x01\0\x01\0", 4) + mot(44100) + mot(88200) + QByteArray("\x02\0\x10\0", 4) + "data"
              + mot(quint32(donnees));
    f.write(entete);
    if (!f.resize(44 + donnees))
        QSKIP("the temporary folder cannot hold a sparse 3 GB file");
    QVERIFY(f.seek(44 + milieu));
    QByteArray son;
    for (int n = 0; n < 44100; ++n) {
        const auto v = qint16(std::lround(8000.0 * std::sin(2.0 * std::numbers::pi * 300.0 * n / 44100.0)));
        son += QByteArray(reinterpret_cast<const char *>(&v), 2);
    }
    f.write(son);
    f.close();

    QString pourquoi;
    const auto r = AnalyseSon::Analyse(chemin, debut + 0.2, 0.5, &pourquoi);
    QVERIFY2(r, qPrintable(pourquoi));
    QCOMPARE(r->timbre.composantes.front().frequence, 300.0);
    QCOMPARE(r->son.echantillons.size(), std::size_t(22050));
    rusage usage{};
    QCOMPARE(::getrusage(RUSAGE_SELF, &usage), 0);
    QVERIFY2(usage.ru_maxrss < 400 * 1024, qPrintable(QString::number(usage.ru_maxrss))); // KiB
    // Without a stretch, the first 30 s are scanned for a steady part: here silence, refused.
    QVERIFY(!AnalyseSon::Analyse(chemin, {}, {}, &pourquoi));
    QVERIFY(pourquoi.contains(QStringLiteral("aucune hauteur")));
    QFile::remove(chemin);
}

void TestSonFichier::origineDansLeFichier()
{
    const Timbre t{true, {{196, 10}, {588, 2.5}}};
    const TimbreFichier::Origine o{QStringLiteral("clarinette « grave ».flac"), 0.75, 0.5, 195.914};
    const QByteArray texte = TimbreFichier::Encode(t, o);
    QString pourquoi;
    const auto relu = TimbreFichier::Decode(texte, &pourquoi);
    QVERIFY2(relu, qPrintable(pourquoi));
    QCOMPARE(*relu, t);
    const auto origine = TimbreFichier::DecodeOrigine(texte);
    QVERIFY(origine);
    QCOMPARE(origine->source, o.source);
    QCOMPARE(origine->debut, 0.75);
    QCOMPARE(origine->duree, 0.5);
    QCOMPARE(origine->fondamental, 195.91); // two decimals
    QVERIFY(texte.contains("\"fondamental\": 195.91}"));
    // A file without it, or with a broken one, reads as before.
    QVERIFY(!TimbreFichier::DecodeOrigine(TimbreFichier::Encode(t)));
    QByteArray casse = texte;
    casse.replace("\"debut\": 0.750", "\"debut\": \"tôt\"");
    QVERIFY(!TimbreFichier::DecodeOrigine(casse));
    QCOMPARE(*TimbreFichier::Decode(casse), t);
}

QTEST_GUILESS_MAIN(TestSonFichier)
#include "tst_sonfichier.moc"
