// Timbres: the rules of a timbre, the classic ones, and the .timbre file read back exactly or
// refused whole.

#include "model/regles.h"
#include "model/timbre.h"
#include "synth/generateur.h"
#include "synth/timbrefichier.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>
#include <functional>
#include <future>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Timbre)
Q_DECLARE_METATYPE(Timbres::Type)

namespace {

constexpr uid_t Personne = 65534;

QByteArray Lis(const QString &chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool Ecris(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

Timbre T(std::initializer_list<std::pair<double, double>> composantes, bool multiples = true)
{
    Timbre t;
    t.multiples = multiples;
    for (auto [f, a] : composantes)
        t.composantes.push_back({f, a});
    return t;
}

QByteArray Octets(const Son &c)
{
    return QByteArray(reinterpret_cast<const char *>(c.Frequence.data()), sizeof c.Frequence)
           + QByteArray(reinterpret_cast<const char *>(c.Amplitude.data()), sizeof c.Amplitude)
           + QByteArray::number(c.ProchaineComposante) + ' ' + QByteArray::number(double(SommeAmplitudes(c)), 'g', 9);
}

// A file in the documented format with `composantes` spliced in as raw JSON text.
QByteArray Fichier(const QByteArray &composantes,
                   const QByteArray &debut = R"("format": "sonavirelle-timbre", "version": 1)")
{
    return "{" + debut + ", \"composantes\": [" + composantes + "]}";
}

// Runs `essai` in a child process as an unprivileged user; true when it returned true there.
bool EnTantQuePersonne(const std::function<bool()> &essai)
{
    const pid_t enfant = ::fork();
    if (enfant < 0)
        return false;
    if (enfant == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Personne) != 0 || ::setuid(Personne) != 0)
            ::_exit(3);
        ::_exit(essai() ? 0 : 1);
    }
    int etat = 0;
    ::waitpid(enfant, &etat, 0);
    return WIFEXITED(etat) && WEXITSTATUS(etat) == 0;
}

} // namespace

class TestTimbre : public QObject
{
    Q_OBJECT

private slots:
    void classiques_data();
    void classiques();
    void regles_data();
    void regles();
    void appliqueRemplaceToutLeTableau();
    void allerRetour_data();
    void allerRetour();
    void exemplesAcceptes();
    void decodeLesVariantesPermises_data();
    void decodeLesVariantesPermises();
    void refuse_data();
    void refuse();
    void enregistrementRefuseNeToucheRien();
    void enregistrementPiege_data();
    void enregistrementPiege();
};

void TestTimbre::classiques_data()
{
    QTest::addColumn<Timbres::Type>("type");
    QTest::addColumn<int>("f1");
    QTest::addColumn<QList<int>>("frequences");
    QTest::addColumn<QList<double>>("amplitudes"); // divided into 10 in double, then rounded to float

    QTest::newRow("son pur") << Timbres::Type::SonPur << 440 << QList<int>{440} << QList<double>{10};
    QTest::newRow("carré 440 Hz") << Timbres::Type::SignalCarre << 440
                                  << QList<int>{440, 1320, 2200, 3080, 3960, 4840, 5720, 6600, 7480, 8360}
                                  << QList<double>{10,       10 / 3.,  2,        10 / 7.,  10 / 9.,
                                                   10 / 11., 10 / 13., 10 / 15., 10 / 17., 10 / 19.};
    QTest::newRow("dent de scie 100 Hz") << Timbres::Type::DentDeScie << 100
                                         << QList<int>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}
                                         << QList<double>{10, 5, 10 / 3., 2.5, 2, 10 / 6., 10 / 7., 1.25, 10 / 9., 1};
    QTest::newRow("impairs en 1/n² 1 Hz")
        << Timbres::Type::ImpairsCarres << 1 << QList<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19}
        << QList<double>{10,        10 / 9.,   10 / 25.,  10 / 49.,  10 / 81.,
                         10 / 121., 10 / 169., 10 / 225., 10 / 289., 10 / 361.};
    // High fundamentals: harmonics past the top frequency stay at 32767 Hz.
    QTest::newRow("carré 5000 Hz écrêté")
        << Timbres::Type::SignalCarre << 5000
        << QList<int>{5000, 15000, 25000, 32767, 32767, 32767, 32767, 32767, 32767, 32767}
        << QList<double>{10, 10 / 3., 2, 10 / 7., 10 / 9., 10 / 11., 10 / 13., 10 / 15., 10 / 17., 10 / 19.};
    QTest::newRow("dent de scie 4000 Hz écrêtée")
        << Timbres::Type::DentDeScie << 4000
        << QList<int>{4000, 8000, 12000, 16000, 20000, 24000, 28000, 32000, 32767, 32767}
        << QList<double>{10, 5, 10 / 3., 2.5, 2, 10 / 6., 10 / 7., 1.25, 10 / 9., 1};
    QTest::newRow("son pur au plus haut") << Timbres::Type::SonPur << 32767 << QList<int>{32767} << QList<double>{10};
}

void TestTimbre::classiques()
{
    QFETCH(Timbres::Type, type);
    QFETCH(int, f1);
    QFETCH(QList<int>, frequences);
    QFETCH(QList<double>, amplitudes);

    const Timbre t = Timbres::Classique(type, f1);
    QVERIFY(!Timbres::Verifie(t));
    QVERIFY(t.multiples);
    QCOMPARE(qsizetype(t.composantes.size()), frequences.size());
    for (qsizetype i = 0; i < frequences.size(); ++i) {
        QCOMPARE(t.composantes[i].frequence, double(frequences[i]));
        // Exactly the float the table will hold, not merely close to it.
        QCOMPARE(t.composantes[i].amplitude, double(static_cast<float>(amplitudes[i])));
    }

    // Applied, the table holds the same values, and the synthesis accepts it.
    Son table;
    QVERIFY(Timbres::Applique(t, table));
    QCOMPARE(int(table.ProchaineComposante), int(frequences.size()) + 1);
    Synthese::Plan plan;
    QVERIFY(Synthese::Prepare(table, plan));
    QByteArray echantillons;
    QCOMPARE(Synthese::Echantillons(plan, echantillons), -1);
}

void TestTimbre::regles_data()
{
    using C = Timbres::Defaut::Code;
    QTest::addColumn<Timbre>("timbre");
    QTest::addColumn<int>("code"); // −1: accepted
    QTest::addColumn<int>("composante");

    Timbre dix;
    for (int i = 1; i <= 10; ++i)
        dix.composantes.push_back({double(100 * i), 1.0});
    Timbre onze = dix;
    onze.composantes.push_back({1200, 1.0});

    QTest::newRow("dix composantes, aux bornes") << dix << -1 << 0;
    QTest::newRow("bornes atteintes") << T({{1, 0}, {0, 10}, {32767, 10}}) << -1 << 0;
    QTest::newRow("aucune") << Timbre{} << int(C::AucuneComposante) << 0;
    QTest::newRow("onze") << onze << int(C::TropDeComposantes) << 0;
    QTest::newRow("fréquence 1.5") << T({{440, 1}, {1.5, 1}}) << int(C::FrequenceNonEntiere) << 2;
    QTest::newRow("fréquence NaN") << T({{440, 1}, {NAN, 1}}) << int(C::FrequenceNonEntiere) << 2;
    QTest::newRow("fréquence infinie") << T({{INFINITY, 1}}) << int(C::FrequenceNonEntiere) << 1;
    QTest::newRow("fréquence −1") << T({{440, 1}, {-1, 1}}) << int(C::FrequenceHorsBornes) << 2;
    QTest::newRow("fréquence 32768") << T({{440, 1}, {880, 1}, {32768, 1}}) << int(C::FrequenceHorsBornes) << 3;
    QTest::newRow("fondamental 0") << T({{0, 10}}) << int(C::FondamentalNul) << 1;
    QTest::newRow("amplitude −1") << T({{440, -1}}) << int(C::AmplitudeHorsBornes) << 1;
    QTest::newRow("amplitude 10.000001") << T({{440, 1}, {880, 10.000001}}) << int(C::AmplitudeHorsBornes) << 2;
    QTest::newRow("amplitude NaN") << T({{440, NAN}}) << int(C::AmplitudeHorsBornes) << 1;
}

void TestTimbre::regles()
{
    QFETCH(Timbre, timbre);
    QFETCH(int, code);
    QFETCH(int, composante);

    const auto defaut = Timbres::Verifie(timbre);
    QCOMPARE(defaut.has_value(), code >= 0);
    if (defaut) {
        QCOMPARE(int(defaut->code), code);
        QCOMPARE(defaut->composante, composante);
    }
    // A refused timbre never reaches the table, nor the file.
    Son table;
    table.Frequence[1] = 220;
    table.Amplitude[1] = 7.0f;
    table.ProchaineComposante = 2;
    const QByteArray avant = Octets(table);
    QCOMPARE(Timbres::Applique(timbre, table), code < 0);
    if (code >= 0) {
        QCOMPARE(Octets(table), avant);
        QVERIFY(TimbreFichier::Encode(timbre).isEmpty());
    }
}

void TestTimbre::appliqueRemplaceToutLeTableau()
{
    // A table full of leftovers: ten components, a candidate's amplitude.
    Son table;
    for (int i = 1; i <= 10; ++i) {
        table.Frequence[i] = static_cast<std::int16_t>(300 * i);
        table.Amplitude[i] = 9.5f;
    }
    table.ProchaineComposante = 11;
    table.SonActif = true;
    table.Sensibilite = 2.5f;

    const Timbre t = T({{220, 10}, {660, 10 / 3.0f}, {1000, 0}}, false);
    QVERIFY(Timbres::Applique(t, table));
    const std::array<std::int16_t, 11> frequences{0, 220, 660, 1000, 0, 0, 0, 0, 0, 0, 0};
    const std::array<float, 11> amplitudes{0, 10, 10 / 3.0f, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 1; i <= 10; ++i) {
        QCOMPARE(table.Frequence[i], frequences[i]);
        QCOMPARE(table.Amplitude[i], amplitudes[i]);
    }
    QCOMPARE(int(table.ProchaineComposante), 4);
    QCOMPARE(SommeAmplitudes(table), 10.0f + 10 / 3.0f);
    QVERIFY(table.SonActif);
    QCOMPARE(table.Sensibilite, 2.5f);

    // Read back: the same timbre, and the marker's fundamental survives a clear.
    QCOMPARE(Timbres::DepuisTable(table, false), t);
    Regles::Efface(table, false, 220.0);
    QCOMPARE(Timbres::DepuisTable(table, true), T({{220, 0}}));
    Regles::Efface(table, true, 131.0);
    QCOMPARE(Timbres::DepuisTable(table, true), T({{131, 10}}));
}

void TestTimbre::allerRetour_data()
{
    QTest::addColumn<Timbre>("timbre");
    QTest::newRow("son par défaut") << T({{440, 10}});
    QTest::newRow("exemple") << T({{440, 10}, {880, 5}});
    QTest::newRow("multiples décoché, inharmonique") << T({{1, 0.1f}, {0, 10}, {32767, 7.77f}, {1001, 1e-7f}}, false);
    for (const auto type : Timbres::Types) {
        const Timbre t = Timbres::Classique(type, 131);
        QTest::newRow(qPrintable(TimbreFichier::Nom(type))) << t;
    }
    // Every float of a component the pointer can produce survives, not only the tidy ones.
    Timbre dix;
    for (int i = 1; i <= 10; ++i)
        dix.composantes.push_back({double(97 * i), double(std::nextafter(float(i) * 0.987f, 0.0f))});
    QTest::newRow("dix composantes aux flottants quelconques") << dix;
}

void TestTimbre::allerRetour()
{
    QFETCH(Timbre, timbre);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("classe.timbre"));
    QString pourquoi;
    QVERIFY2(TimbreFichier::Enregistre(chemin, timbre, &pourquoi), qPrintable(pourquoi));
    const auto relu = TimbreFichier::Charge(chemin, &pourquoi);
    QVERIFY2(relu, qPrintable(pourquoi));
    QCOMPARE(*relu, timbre);

    // The same table, and the same test.wav byte for byte.
    Son avant, apres;
    QVERIFY(Timbres::Applique(timbre, avant));
    QVERIFY(Timbres::Applique(*relu, apres));
    QCOMPARE(Octets(apres), Octets(avant));
    Generateur g1(avant, dossier.filePath(QStringLiteral("avant.wav")));
    Generateur g2(apres, dossier.filePath(QStringLiteral("apres.wav")));
    QVERIFY(g1.GenereSon());
    QVERIFY(g2.GenereSon());
    QCOMPARE(Lis(g2.chemin()), Lis(g1.chemin()));

    // Saving over it again replaces it whole, leaving nothing beside it.
    QVERIFY(TimbreFichier::Enregistre(chemin, T({{55, 1}}), &pourquoi));
    QCOMPARE(*TimbreFichier::Charge(chemin), T({{55, 1}}));
    QCOMPARE(QDir(dossier.path()).entryList({QStringLiteral("*.timbre*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("classe.timbre")});
}

void TestTimbre::exemplesAcceptes()
{
    // The seed files of the fuzzer are the format's examples: each one must be a valid timbre.
    const QDir corpus(qEnvironmentVariable("SONAVIRELLE_SOURCE") + QStringLiteral("/tests/corpus_timbre"));
    const QStringList fichiers = corpus.entryList({QStringLiteral("*.timbre")}, QDir::Files);
    QVERIFY2(fichiers.contains(QStringLiteral("exemple.timbre")), qPrintable(corpus.path()));
    for (const QString &nom : fichiers) {
        QString pourquoi;
        QVERIFY2(TimbreFichier::Charge(corpus.filePath(nom), &pourquoi), qPrintable(pourquoi));
    }
    QCOMPARE(*TimbreFichier::Charge(corpus.filePath(QStringLiteral("exemple.timbre"))), T({{440, 10}, {880, 5}}));
    // What the program writes is the documented layout, byte for byte.
    QCOMPARE(TimbreFichier::Encode(T({{440, 10}, {880, 5}})), Lis(corpus.filePath(QStringLiteral("exemple.timbre"))));
    QCOMPARE(TimbreFichier::Encode(Timbres::Classique(Timbres::Type::SignalCarre, 220)),
             Lis(corpus.filePath(QStringLiteral("carre-220.timbre"))));
}

void TestTimbre::decodeLesVariantesPermises_data()
{
    QTest::addColumn<QByteArray>("texte");
    QTest::addColumn<Timbre>("attendu");

    QTest::newRow("multiples absent: vrai")
        << Fichier(R"({"frequence": 440, "amplitude": 10})") << T({{440, 10}}, true);
    QTest::newRow("multiples faux") << Fichier(R"({"frequence": 440, "amplitude": 10})",
                                               R"("format": "sonavirelle-timbre", "version": 1, "multiples": false)")
                                    << T({{440, 10}}, false);
    QTest::newRow("clés inconnues ignorées, partout") << Fichier(
        R"({"frequence": 440, "amplitude": 10, "phase": 90}, {"amplitude": 2.5, "frequence": 0, "x": [null]})",
        R"("version": 1, "auteur": {"nom": "Élève"}, "format": "sonavirelle-timbre")")
                                                      << T({{440, 10}, {0, 2.5}});
    QTest::newRow("fréquence écrite 440.0, exposants")
        << Fichier(R"({"frequence": 440.0, "amplitude": 1e1}, {"frequence": 4.4e2, "amplitude": 5E-1})")
        << T({{440, 10}, {440, 0.5}});
    QTest::newRow("marque d'ordre des octets")
        << "\xEF\xBB\xBF" + Fichier(R"({"frequence": 1, "amplitude": 0})") << T({{1, 0}});
    QTest::newRow("version 1.0") << Fichier(R"({"frequence": 2, "amplitude": 3})",
                                            R"("format": "sonavirelle-timbre", "version": 1.0)")
                                 << T({{2, 3}});
}

void TestTimbre::decodeLesVariantesPermises()
{
    QFETCH(QByteArray, texte);
    QFETCH(Timbre, attendu);
    QString pourquoi;
    const auto t = TimbreFichier::Decode(texte, &pourquoi);
    QVERIFY2(t, qPrintable(pourquoi));
    QCOMPARE(*t, attendu);
}

void TestTimbre::refuse_data()
{
    QTest::addColumn<QString>("genre");      // how the file is made
    QTest::addColumn<QByteArray>("contenu"); // the text of a regular file
    QTest::addColumn<QString>("raison");     // part of the French reason

    auto ligne = [](const char *nom, const QByteArray &contenu, const QString &raison) {
        QTest::newRow(nom) << QStringLiteral("fichier") << contenu << raison;
    };
    const QByteArray bon = Fichier(R"({"frequence": 440, "amplitude": 10}, {"frequence": 880, "amplitude": 5})");
    ligne("pas du JSON", "Ceci est un son de flûte.\n", "pas un texte JSON valide");
    ligne("fichier vide", "", "vide");
    ligne("tronqué", bon.left(bon.size() / 2), "tronqué");
    ligne("tronqué juste avant la fin", bon.chopped(1), "tronqué");
    ligne("virgule en trop au milieu", Fichier(R"({"frequence": 440,, "amplitude": 10})"), "pas un texte JSON valide");
    ligne("une liste, pas un objet", "[" + bon + "]", "pas un objet");
    ligne("une chaîne seule", "\"sonavirelle-timbre\"\n", "pas un objet");
    ligne("un nombre seul, 1e400", "1e400", "pas un objet");
    ligne("mauvais format",
          Fichier(R"({"frequence": 440, "amplitude": 10})", R"("format": "sonavirelle-preset", "version": 1)"),
          "pas un fichier de timbre");
    ligne("format absent", Fichier(R"({"frequence": 440, "amplitude": 10})", R"("version": 1)"),
          "pas un fichier de timbre");
    ligne("version 2",
          Fichier(R"({"frequence": 440, "amplitude": 10})", R"("format": "sonavirelle-timbre", "version": 2)"),
          "version plus récente du programme");
    ligne("version absente", Fichier(R"({"frequence": 440, "amplitude": 10})", R"("format": "sonavirelle-timbre")"),
          "version");
    ligne("version 0.5",
          Fichier(R"({"frequence": 440, "amplitude": 10})", R"("format": "sonavirelle-timbre", "version": 0.5)"),
          "version");
    ligne("multiples en texte",
          Fichier(R"({"frequence": 440, "amplitude": 10})",
                  R"("format": "sonavirelle-timbre", "version": 1, "multiples": "oui")"),
          "multiples");
    ligne("aucune composante", Fichier(""), "aucune composante");
    ligne("composantes absentes", R"({"format": "sonavirelle-timbre", "version": 1})", "composantes");
    QByteArray onze;
    for (int i = 1; i <= 11; ++i)
        onze +=
            (i > 1 ? "," : "") + QByteArray(R"({"frequence": )") + QByteArray::number(100 * i) + R"(, "amplitude": 1})";
    ligne("onze composantes", Fichier(onze), "11 composantes");
    ligne("composante qui n'est pas un objet", Fichier(R"({"frequence": 440, "amplitude": 10}, 880)"), "composante 2");
    ligne("fréquence −1", Fichier(R"({"frequence": 440, "amplitude": 10}, {"frequence": -1, "amplitude": 5})"),
          "fréquence de la composante 2 n'est pas entre 0 et 32767");
    ligne("fréquence 1.5", Fichier(R"({"frequence": 440, "amplitude": 10}, {"frequence": 1.5, "amplitude": 5})"),
          "fréquence de la composante 2 n'est pas un nombre entier");
    ligne("fréquence 40000", Fichier(R"({"frequence": 40000, "amplitude": 10})"),
          "fréquence du fondamental (composante 1) n'est pas entre");
    ligne("fréquence \"abc\"", Fichier(R"({"frequence": 440, "amplitude": 10}, {"frequence": "abc", "amplitude": 5})"),
          "fréquence de la composante 2 est absente ou n'est pas un nombre");
    ligne("fréquence \"440\"", Fichier(R"({"frequence": "440", "amplitude": 10})"), "n'est pas un nombre");
    ligne("fréquence null", Fichier(R"({"frequence": 440, "amplitude": 10}, {"frequence": null, "amplitude": 5})"),
          "fréquence de la composante 2 est absente ou n'est pas un nombre");
    ligne("fréquence absente", Fichier(R"({"amplitude": 5})"), "absente");
    // Valid JSON past a double's range: the format's rule says what is wrong, not "not JSON".
    ligne("fréquence 1e400", Fichier(R"({"frequence": 1e400, "amplitude": 5})"),
          "fréquence du fondamental (composante 1) n'est pas entre 0 et 32767");
    ligne("amplitude -1e999", Fichier(R"({"frequence": 440, "amplitude": -1E999})"),
          "amplitude du fondamental (composante 1) n'est pas entre 0 et 10");
    ligne("fondamental 0", Fichier(R"({"frequence": 0, "amplitude": 10}, {"frequence": 880, "amplitude": 5})"),
          "au moins 1 Hz");
    ligne("amplitude −1", Fichier(R"({"frequence": 440, "amplitude": 10}, {"frequence": 880, "amplitude": -1})"),
          "amplitude de la composante 2 n'est pas entre 0 et 10");
    ligne("amplitude 11", Fichier(R"({"frequence": 440, "amplitude": 11})"),
          "amplitude du fondamental (composante 1) n'est pas entre 0 et 10");
    ligne("amplitude vraie", Fichier(R"({"frequence": 440, "amplitude": true})"), "n'est pas un nombre");
    // Latin-1 "é" in a key the program ignores: still refused, the file is not UTF-8.
    ligne("UTF-8 invalide", "{\"note\": \"flute \xE9te\", " + bon.mid(1), "UTF-8");
    ligne("UTF-8 trop long (/ sur deux octets)", "{\"note\": \"\xC0\xAF\", " + bon.mid(1), "UTF-8");
    ligne("UTF-8 d'une demi-paire", "{\"note\": \"\xED\xA0\x80\", " + bon.mid(1), "UTF-8");
    ligne("UTF-8 coupé à la fin", bon + "\xE2\x99", "UTF-8");

    auto special = [](const char *genre, const QString &raison) {
        QTest::newRow(genre) << QString::fromLatin1(genre) << QByteArray() << raison;
    };
    special("10 Mo", "trop gros");
    special("64 Go creux", "trop gros");
    special("dossier", "dossier");
    special("illisible", "lecture");
    special("lien vers /dev/zero", "pas un fichier ordinaire");
    special("lien vers un dossier", "dossier");
    special("FIFO", "pas un fichier ordinaire");
    special("absent", "n'existe pas");
    special("lien cassé", "n'existe pas");
}

void TestTimbre::refuse()
{
    QFETCH(QString, genre);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("élève.timbre"));
    const QByteArray nom = QFile::encodeName(chemin);
    if (genre == QLatin1String("fichier")) {
        QVERIFY(Ecris(chemin, contenu));
    } else if (genre == QLatin1String("10 Mo") || genre == QLatin1String("64 Go creux")) {
        // A valid start, then holes: only the size can refuse it.
        QVERIFY(Ecris(chemin, Fichier(R"({"frequence": 440, "amplitude": 10})")));
        const off_t taille = genre == QLatin1String("10 Mo") ? off_t(TimbreFichier::TailleMaximale) : off_t(1) << 36;
        QCOMPARE(::truncate(nom.constData(), taille), 0);
    } else if (genre == QLatin1String("dossier")) {
        QVERIFY(QDir().mkpath(chemin));
    } else if (genre == QLatin1String("illisible")) {
        QVERIFY(Ecris(chemin, Fichier(R"({"frequence": 440, "amplitude": 10})")));
        QCOMPARE(::chmod(nom.constData(), 0), 0);
    } else if (genre == QLatin1String("lien vers /dev/zero")) {
        QCOMPARE(::symlink("/dev/zero", nom.constData()), 0);
    } else if (genre == QLatin1String("lien vers un dossier")) {
        QCOMPARE(::symlink(QFile::encodeName(dossier.path()).constData(), nom.constData()), 0);
    } else if (genre == QLatin1String("FIFO")) {
        QCOMPARE(::mkfifo(nom.constData(), 0644), 0);
    } else if (genre == QLatin1String("lien cassé")) {
        QCOMPARE(::symlink("/nulle/part.timbre", nom.constData()), 0);
    }
    struct stat avant
    {};
    ::lstat(nom.constData(), &avant);
    const QByteArray contenuAvant = S_ISREG(avant.st_mode) && avant.st_size < 1000 ? Lis(chemin) : QByteArray();

    if (genre == QLatin1String("illisible") && ::geteuid() == 0) {
        // Root reads everything: the refusal is checked as an ordinary user in a child process.
        QCOMPARE(::chmod(QFile::encodeName(dossier.path()).constData(), 0755), 0);
        QVERIFY(EnTantQuePersonne([&] {
            QString pourquoi;
            return !TimbreFichier::Charge(chemin, &pourquoi) && pourquoi.contains(raison);
        }));
        return;
    }

    // Whatever sits there, the loader answers at once; a FIFO is opened for writing to release a
    // loader that would wait on it, so a failure is reported rather than hanging the suite.
    auto reponse = std::async(std::launch::async, [chemin] {
        QString pourquoi;
        auto t = TimbreFichier::Charge(chemin, &pourquoi);
        return std::make_pair(t.has_value(), pourquoi);
    });
    if (reponse.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        const int fd = ::open(nom.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        reponse.wait();
        QFAIL("the loader blocked");
    }
    const auto [accepte, pourquoi] = reponse.get();
    QVERIFY2(!accepte, qPrintable(genre));
    QVERIFY2(pourquoi.startsWith(QStringLiteral("« %1 » : ").arg(chemin)), qPrintable(pourquoi));
    QVERIFY2(pourquoi.contains(raison), qPrintable(pourquoi));
    QVERIFY2(!pourquoi.contains(QLatin1Char('\n')), qPrintable(pourquoi));

    // The same bytes handed to the decoder give the same reason (the window and the command line
    // see one answer).
    if (genre == QLatin1String("fichier")) {
        QString brut;
        QVERIFY(!TimbreFichier::Decode(contenu, &brut));
        QVERIFY(pourquoi.endsWith(brut));
    }
    // The file itself is left as it was.
    struct stat apres
    {};
    ::lstat(nom.constData(), &apres);
    QCOMPARE(apres.st_mode, avant.st_mode);
    QCOMPARE(apres.st_size, avant.st_size);
    if (!contenuAvant.isEmpty())
        QCOMPARE(Lis(chemin), contenuAvant);
}

void TestTimbre::enregistrementRefuseNeToucheRien()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("garde.timbre"));
    const Timbre ancien = T({{440, 10}});
    QVERIFY(TimbreFichier::Enregistre(chemin, ancien));
    const QByteArray avant = Lis(chemin);
    QString pourquoi;

    // An invalid timbre is never written.
    QVERIFY(!TimbreFichier::Enregistre(chemin, T({{0, 10}}), &pourquoi));
    QVERIFY(pourquoi.contains(QStringLiteral("au moins 1 Hz")));
    QCOMPARE(Lis(chemin), avant);

    // A folder under the name, or a path through a regular file.
    QVERIFY(!TimbreFichier::Enregistre(dossier.path(), ancien, &pourquoi));
    QVERIFY2(pourquoi.contains(QStringLiteral("dossier")), qPrintable(pourquoi));
    QVERIFY(!TimbreFichier::Enregistre(chemin + QStringLiteral("/x.timbre"), ancien, &pourquoi));
    QVERIFY(pourquoi.startsWith(QStringLiteral("« %1/x.timbre » : ").arg(chemin)));

    // A folder the user cannot write into.
    const QString ferme = dossier.filePath(QStringLiteral("ferme"));
    QVERIFY(QDir().mkpath(ferme));
    QCOMPARE(::chmod(QFile::encodeName(ferme).constData(), 0555), 0);
    QCOMPARE(::chmod(QFile::encodeName(dossier.path()).constData(), 0755), 0);
    const QString dedans = ferme + QStringLiteral("/t.timbre");
    if (::geteuid() == 0)
        QVERIFY(
            EnTantQuePersonne([&] { return !TimbreFichier::Enregistre(dedans, ancien) && !QFile::exists(dedans); }));
    else
        QVERIFY(!TimbreFichier::Enregistre(dedans, ancien, &pourquoi));
    QVERIFY(QDir(ferme).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    QCOMPARE(Lis(chemin), avant);
}

// What a shared folder can hold under the name a timbre is saved as. Each is refused with a
// French reason, never written through, and the target, the thing under the name and the folder
// are as they were.
void TestTimbre::enregistrementPiege_data()
{
    QTest::addColumn<QString>("piege");
    QTest::addColumn<QString>("raison");
    QTest::newRow("link to a file") << "lien"
                                    << "lien symbolique";
    QTest::newRow("dangling link") << "lien-mort"
                                   << "lien symbolique";
    QTest::newRow("FIFO") << "fifo"
                          << "pas un fichier ordinaire";
    QTest::newRow("folder") << "dossier"
                            << "dossier";
    QTest::newRow("another user's file") << "autre"
                                         << "autre utilisateur";
}

void TestTimbre::enregistrementPiege()
{
    QFETCH(QString, piege);
    QFETCH(QString, raison);
    QTemporaryDir racine;
    const QString partage = racine.filePath(QStringLiteral("partage"));
    QVERIFY(QDir().mkpath(partage));
    const QString nom = partage + QStringLiteral("/devoir.timbre");
    const QString cible = racine.filePath(QStringLiteral("notes-du-professeur"));
    const QByteArray notes = "Notes du trimestre, à ne pas perdre.\n";
    {
        QFile f(cible);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(notes);
    }
    if (piege == "lien")
        QVERIFY(QFile::link(cible, nom));
    else if (piege == "lien-mort")
        QVERIFY(QFile::link(racine.filePath(QStringLiteral("absent")), nom));
    else if (piege == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(nom).constData(), 0600), 0);
    else if (piege == "dossier")
        QVERIFY(QDir().mkpath(nom));
    else if (piege == "autre")
        QVERIFY(QFile::copy(cible, nom));
    auto liste = [&] {
        return QDir(partage).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    const QStringList avant = liste();
    const QString natureAvant = QFileInfo(nom).isSymLink() ? QFileInfo(nom).symLinkTarget() : QString();

    const Timbre timbre = T({{440, 10}, {880, 5}});
    if (piege == "autre") {
        // The file is root's (or this user's), in a folder a second user may write into; that
        // second user saves under its name.
        if (::geteuid() != 0)
            QSKIP("needs root, to save as a second user over the first one's file");
        QCOMPARE(::chmod(QFile::encodeName(partage).constData(), 0777), 0);
        QCOMPARE(::chmod(QFile::encodeName(racine.path()).constData(), 0755), 0);
        QVERIFY(EnTantQuePersonne([&] {
            QString pourquoi;
            return !TimbreFichier::Enregistre(nom, timbre, &pourquoi) && pourquoi.contains(raison);
        }));
        QCOMPARE(Lis(nom), notes);
        QCOMPARE(QFileInfo(nom).ownerId(), ::geteuid());
    } else {
        QString pourquoi;
        QVERIFY(!TimbreFichier::Enregistre(nom, timbre, &pourquoi));
        QVERIFY2(pourquoi.startsWith(QStringLiteral("« %1 » : ").arg(nom)) && pourquoi.contains(raison),
                 qPrintable(pourquoi));
        if (!natureAvant.isEmpty())
            QCOMPARE(QFileInfo(nom).symLinkTarget(), natureAvant);
        QCOMPARE(QFileInfo(nom).isDir(), piege == "dossier");
    }
    QCOMPARE(Lis(cible), notes);
    QVERIFY(!QFile::exists(racine.filePath(QStringLiteral("absent"))));
    QCOMPARE(liste(), avant);
}

QTEST_GUILESS_MAIN(TestTimbre)
#include "tst_timbre.moc"
