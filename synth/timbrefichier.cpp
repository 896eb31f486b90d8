#include "synth/timbrefichier.h"

#include "synth/emplacements.h"
#include "synth/raisons.h"
#include "synth/systeme.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Offset of the first byte that breaks UTF-8 (overlong forms, surrogates and code points past
// U+10FFFF included), or −1. The JSON parser replaces such bytes silently, so they are caught here.
qsizetype PremierOctetInvalide(const QByteArray &octets)
{
    const auto *p = reinterpret_cast<const unsigned char *>(octets.constData());
    const qsizetype n = octets.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int suite = 0;
        unsigned char bas = 0x80, haut = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            suite = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            suite = 2;
            if (c == 0xE0)
                bas = 0xA0; // overlong
            else if (c == 0xED)
                haut = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            suite = 3;
            if (c == 0xF0)
                bas = 0x90; // overlong
            else if (c == 0xF4)
                haut = 0x8F; // past U+10FFFF
        } else {
            return i;
        }
        if (i + suite >= n)
            return i;
        if (p[i + 1] < bas || p[i + 1] > haut)
            return i;
        for (int k = 2; k <= suite; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return i;
        i += suite + 1;
    }
    return -1;
}

QString NomComposante(int numero)
{
    return numero == 1 ? Raisons::tr("du fondamental (composante 1)") : Raisons::tr("de la composante %1").arg(numero);
}

QString RaisonDefaut(const Timbres::Defaut &d, qsizetype nombre)
{
    using C = Timbres::Defaut::Code;
    switch (d.code) {
    case C::AucuneComposante: return Raisons::tr("le timbre n'a aucune composante (il en faut de 1 à 10)");
    case C::TropDeComposantes: return Raisons::tr("le timbre a %1 composantes (au plus 10)").arg(nombre);
    case C::FrequenceNonEntiere:
        return Raisons::tr("la fréquence %1 n'est pas un nombre entier de hertz").arg(NomComposante(d.composante));
    case C::FrequenceHorsBornes:
        return Raisons::tr("la fréquence %1 n'est pas entre 0 et 32767 Hz").arg(NomComposante(d.composante));
    case C::FondamentalNul: return Raisons::tr("la fréquence du fondamental doit être d'au moins 1 Hz");
    case C::AmplitudeHorsBornes:
        return Raisons::tr("l'amplitude %1 n'est pas entre 0 et 10").arg(NomComposante(d.composante));
    }
    return {};
}

// The JSON document of `texte`. Valid JSON that Qt will not take, numbers past a double's range
// (1e400), is read with the largest double in their place, so that the format's own rules say
// what is wrong with them rather than "not JSON".
QJsonDocument Analyse(QByteArray texte, QJsonParseError &erreur)
{
    QJsonDocument document = QJsonDocument::fromJson(texte, &erreur);
    static const QByteArray chiffres("0123456789+-.eE");
    for (int i = 0; i < 1000 && erreur.error == QJsonParseError::IllegalNumber; ++i) {
        qsizetype debut = std::clamp<qsizetype>(erreur.offset, 0, texte.size());
        while (debut > 0 && chiffres.contains(texte.at(debut - 1)))
            --debut;
        qsizetype fin = debut;
        while (fin < texte.size() && chiffres.contains(texte.at(fin)))
            ++fin;
        const QByteArray nombre = texte.mid(debut, fin - debut);
        bool ok = false;
        (void)nombre.toDouble(&ok);
        // Only a well-formed number too large for a double; anything else stays an error.
        if (fin == debut || ok || !(nombre.contains('e') || nombre.contains('E') || nombre.size() > 300))
            break;
        texte.replace(debut, fin - debut,
                      nombre.startsWith('-') ? "-1.7976931348623157e308" : "1.7976931348623157e308");
        document = QJsonDocument::fromJson(texte, &erreur);
    }
    return document;
}

bool Refuse(QString *pourquoi, const QString &raison)
{
    if (pourquoi)
        *pourquoi = raison;
    return false;
}

// The shortest text that reads back as exactly this value: a float's shortest form when the
// value is a float (what the table holds: "3.3333333" rather than 17 digits), else a double's.
QByteArray Nombre(double v)
{
    char tampon[64];
    const float f = static_cast<float>(v);
    if (double(f) == v) {
        const auto r = std::to_chars(tampon, tampon + sizeof tampon, f);
        double relu = 0.0;
        const auto l = std::from_chars(tampon, r.ptr, relu);
        if (l.ec == std::errc() && static_cast<float>(relu) == f)
            return QByteArray(tampon, r.ptr - tampon);
    }
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, v);
    return QByteArray(tampon, r.ptr - tampon);
}

} // namespace

namespace TimbreFichier {

QString Message(const QString &chemin, const QString &raison)
{
    return Raisons::tr("« %1 » : %2").arg(chemin, raison);
}

QString Nom(Timbres::Type type)
{
    switch (type) {
    case Timbres::Type::SonPur: return QCoreApplication::translate("Timbre", "Son pur");
    case Timbres::Type::SignalCarre: return QCoreApplication::translate("Timbre", "Signal carré");
    case Timbres::Type::DentDeScie: return QCoreApplication::translate("Timbre", "Dent de scie");
    case Timbres::Type::ImpairsCarres: return QCoreApplication::translate("Timbre", "Impairs en 1/n²");
    }
    return {};
}

std::optional<Timbre> Decode(const QByteArray &brut, QString *pourquoi)
{
    auto refuse = [pourquoi](const QString &raison) -> std::optional<Timbre> {
        Refuse(pourquoi, raison);
        return std::nullopt;
    };
    QByteArray octets = brut;
    // Some editors start UTF-8 files with a byte order mark; it carries nothing.
    if (octets.startsWith("\xEF\xBB\xBF"))
        octets.remove(0, 3);
    if (octets.trimmed().isEmpty())
        return refuse(Raisons::tr("le fichier est vide"));
    const qsizetype invalide = PremierOctetInvalide(octets);
    if (invalide >= 0)
        return refuse(Raisons::tr("le texte n'est pas en UTF-8 valide (octet %1)")
                          .arg(invalide + (octets.size() < brut.size() ? 3 : 0)));

    QJsonParseError erreur{};
    const QJsonDocument document = Analyse(octets, erreur);
    // A lone value (a string, a number) is JSON too, only not a timbre.
    if (erreur.error != QJsonParseError::NoError && !octets.trimmed().startsWith('{')
        && !octets.trimmed().startsWith('[')) {
        QJsonParseError enveloppe{};
        (void)Analyse('[' + octets + ']', enveloppe);
        if (enveloppe.error == QJsonParseError::NoError)
            return refuse(Raisons::tr("ce n'est pas un fichier de timbre (le texte JSON n'est pas un objet { … })"));
    }
    if (erreur.error != QJsonParseError::NoError) {
        // An error at the very end means the text stops early: a truncated file.
        qsizetype fin = octets.size();
        while (fin > 0 && QChar::isSpace(uchar(octets.at(fin - 1))))
            --fin;
        if (erreur.offset >= fin)
            return refuse(Raisons::tr("le fichier est tronqué (le texte JSON s'arrête avant sa fin)"));
        return refuse(Raisons::tr("ce n'est pas un texte JSON valide (erreur vers l'octet %1)").arg(erreur.offset));
    }
    if (!document.isObject())
        return refuse(Raisons::tr("ce n'est pas un fichier de timbre (le texte JSON n'est pas un objet { … })"));
    const QJsonObject objet = document.object();

    if (objet.value(QLatin1String("format")).toString() != QLatin1String(Format))
        return refuse(Raisons::tr("ce n'est pas un fichier de timbre (« format » doit valoir « %1 »)")
                          .arg(QLatin1String(Format)));

    const QJsonValue version = objet.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) || version.toDouble() < 1)
        return refuse(Raisons::tr("la version du format est absente ou n'est pas un nombre entier d'au moins 1"));
    if (version.toDouble() > Version)
        return refuse(
            Raisons::tr("le fichier est écrit dans la version %1 du format, plus récente que celle que ce programme "
                        "sait lire (%2) : il vient d'une version plus récente du programme")
                .arg(QString::number(version.toDouble(), 'g', 17))
                .arg(Version));

    Timbre timbre;
    const QJsonValue multiples = objet.value(QLatin1String("multiples"));
    if (!multiples.isUndefined()) {
        if (!multiples.isBool())
            return refuse(Raisons::tr("« multiples » doit valoir true ou false"));
        timbre.multiples = multiples.toBool();
    }

    const QJsonValue composantes = objet.value(QLatin1String("composantes"));
    if (!composantes.isArray())
        return refuse(Raisons::tr("la liste « composantes » est absente"));
    const QJsonArray liste = composantes.toArray();
    if (liste.isEmpty())
        return refuse(RaisonDefaut({Timbres::Defaut::Code::AucuneComposante}, 0));
    if (liste.size() > Son::Max)
        return refuse(RaisonDefaut({Timbres::Defaut::Code::TropDeComposantes}, liste.size()));
    for (qsizetype i = 0; i < liste.size(); ++i) {
        const int numero = int(i) + 1;
        if (!liste.at(i).isObject())
            return refuse(
                Raisons::tr("la composante %1 n'est pas un objet {\"frequence\": …, \"amplitude\": …}").arg(numero));
        const QJsonObject c = liste.at(i).toObject();
        const QJsonValue f = c.value(QLatin1String("frequence"));
        const QJsonValue a = c.value(QLatin1String("amplitude"));
        if (!f.isDouble())
            return refuse(Raisons::tr("la fréquence %1 est absente ou n'est pas un nombre").arg(NomComposante(numero)));
        if (!a.isDouble())
            return refuse(Raisons::tr("l'amplitude %1 est absente ou n'est pas un nombre").arg(NomComposante(numero)));
        timbre.composantes.push_back({f.toDouble(), a.toDouble()});
    }
    if (const auto defaut = Timbres::Verifie(timbre))
        return refuse(RaisonDefaut(*defaut, liste.size()));
    // Checked at full precision, kept at the table's: the timbre read is the one the table will
    // hold, and a saved table reads back equal to itself.
    for (auto &c : timbre.composantes)
        c.amplitude = double(static_cast<float>(c.amplitude));
    return timbre;
}

QByteArray Encode(const Timbre &timbre)
{
    if (Timbres::Verifie(timbre))
        return {};
    // Written by hand rather than through QJsonObject, which would sort the keys: the file keeps
    // the documented order, one component a line, for a reader opening it in a text editor.
    QByteArray texte;
    texte += "{\n  \"format\": \"";
    texte += Format;
    texte += "\",\n  \"version\": " + QByteArray::number(Version) + ",\n";
    texte += "  \"multiples\": " + QByteArray(timbre.multiples ? "true" : "false") + ",\n";
    texte += "  \"composantes\": [\n";
    for (std::size_t i = 0; i < timbre.composantes.size(); ++i) {
        const auto &c = timbre.composantes[i];
        texte += "    {\"frequence\": " + QByteArray::number(qint64(c.frequence))
                 + ", \"amplitude\": " + Nombre(c.amplitude) + (i + 1 < timbre.composantes.size() ? "},\n" : "}\n");
    }
    texte += "  ]\n}\n";
    return texte;
}

QByteArray Encode(const Timbre &timbre, const Origine &origine)
{
    QByteArray texte = Encode(timbre);
    if (texte.isEmpty() || !texte.endsWith("  ]\n}\n"))
        return texte;
    texte.chop(3); // "\n}\n": the object goes on after the list
    // QJsonValue writes the name as a JSON string, escapes included.
    QByteArray source = QJsonDocument(QJsonArray{origine.source}).toJson(QJsonDocument::Compact);
    source = source.mid(1, source.size() - 2);
    // JSON has no NaN nor infinity: such a value (never measured) is written 0.
    const auto nombre = [](double v, int decimales) {
        return QByteArray::number(std::isfinite(v) ? v : 0.0, 'f', decimales);
    };
    texte += ",\n  \"analyse\": {\"source\": " + source + ", \"debut\": " + nombre(origine.debut, 3) + ", \"duree\": "
             + nombre(origine.duree, 3) + ", \"fondamental\": " + nombre(origine.fondamental, 2) + "}\n}\n";
    return texte;
}

std::optional<Origine> DecodeOrigine(const QByteArray &octets)
{
    QJsonParseError erreur{};
    const QJsonDocument document =
        QJsonDocument::fromJson(octets.startsWith("\xEF\xBB\xBF") ? octets.mid(3) : octets, &erreur);
    if (erreur.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue valeur = document.object().value(QLatin1String("analyse"));
    if (!valeur.isObject())
        return std::nullopt;
    const QJsonObject objet = valeur.toObject();
    const QJsonValue source = objet.value(QLatin1String("source"));
    const QJsonValue debut = objet.value(QLatin1String("debut"));
    const QJsonValue duree = objet.value(QLatin1String("duree"));
    const QJsonValue fondamental = objet.value(QLatin1String("fondamental"));
    if (!source.isString() || !debut.isDouble() || !duree.isDouble() || !fondamental.isDouble())
        return std::nullopt;
    return Origine{source.toString(), debut.toDouble(), duree.toDouble(), fondamental.toDouble()};
}

std::optional<Timbre> Charge(const QString &chemin, QString *pourquoi)
{
    auto refuse = [&](const QString &raison) -> std::optional<Timbre> {
        Refuse(pourquoi, Message(chemin, raison));
        return std::nullopt;
    };
    if (chemin.isEmpty())
        return refuse(Raisons::tr("aucun fichier n'est nommé"));
    // Non-blocking: opening a FIFO for reading must not wait for a writer.
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int numero = errno;
        if (numero == EACCES || numero == EPERM)
            return refuse(Raisons::tr("la lecture de ce fichier n'est pas permise"));
        return refuse(Systeme::Raison(numero));
    }
    struct Ferme
    {
        int fd;
        ~Ferme() { ::close(fd); }
    } ferme{fd};

    struct stat s
    {};
    if (::fstat(fd, &s) != 0)
        return refuse(Systeme::Raison(errno));
    if (S_ISDIR(s.st_mode))
        return refuse(Raisons::tr("c'est un dossier, pas un fichier de timbre"));
    if (!S_ISREG(s.st_mode))
        return refuse(Raisons::tr("ce n'est pas un fichier ordinaire (périphérique, tube ou autre)"));
    auto tropGros = [&] { return refuse(Raisons::tr("le fichier est trop gros pour être un timbre (10 Mo ou plus)")); };
    if (s.st_size >= TailleMaximale)
        return tropGros();

    // The size may change while reading: never read past the limit, whatever fstat said.
    QByteArray octets;
    octets.resize(qsizetype(s.st_size) + 1);
    qsizetype lus = 0;
    for (;;) {
        if (lus == octets.size()) {
            if (lus >= TailleMaximale)
                return tropGros();
            octets.resize(std::min<qsizetype>(2 * lus, TailleMaximale));
        }
        const ssize_t n = ::read(fd, octets.data() + lus, size_t(octets.size() - lus));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return refuse(Systeme::Raison(errno));
        }
        if (n == 0)
            break;
        lus += n;
    }
    octets.truncate(lus);

    QString raison;
    auto timbre = Decode(octets, &raison);
    if (!timbre)
        return refuse(raison);
    return timbre;
}

bool Enregistre(const QString &chemin, const Timbre &timbre, QString *pourquoi)
{
    auto echec = [&](const QString &raison) { return Refuse(pourquoi, Message(chemin, raison)); };
    if (const auto defaut = Timbres::Verifie(timbre))
        return echec(RaisonDefaut(*defaut, qsizetype(timbre.composantes.size())));
    // The export's rules: nothing under the name but a regular file of ours is replaced, and the
    // new file is renamed over the name, so no link is ever written through.
    const QString refus = Systeme::RefusEcriture(chemin);
    if (!refus.isEmpty())
        return echec(refus);
    int numero = 0;
    if (!Fichier::Remplace(chemin, Encode(timbre), QByteArray(), 1, nullptr, &numero))
        return echec(Raisons::tr("l'écriture a échoué (%1)").arg(Systeme::Raison(numero)));
    return true;
}

} // namespace TimbreFichier
