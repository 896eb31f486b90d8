#include "synth/reglages.h"

#include "synth/emplacements.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <QRandomGenerator>
#include <QSettings>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Reglages {

namespace {

struct Definition
{
    Cle cle;
    const char *groupe;
    const char *nom;
    int minimum;
    int maximum;
    bool texte = false;   ///< a text key: `maximum` is its size in bytes
    bool chemins = false; ///< a path key: `maximum` is the number of paths kept
};

constexpr Definition Definitions[] = {
    {Cle::Zoom, "affichage", "zoom", 50, 200},
    {Cle::Volume, "son", "volume", -1'000'000, 1'000'000},
    {Cle::EntreeMicro, "micro", "entree", 1, TailleTexte, true},
    {Cle::Recents, "fichiers", "recents", 0, CheminsRecents, false, true},
    {Cle::Dossier, "fichiers", "dossier", 0, 1, false, true},
};

// One path as it may be kept: absolute, exact UTF-8, no control character, not too long.
bool CheminValide(const QString &chemin)
{
    const QByteArray octets = chemin.toUtf8();
    if (!chemin.startsWith(QLatin1Char('/')) || octets.size() > TailleChemin || QString::fromUtf8(octets) != chemin)
        return false;
    for (const QChar c : chemin)
        if (c.category() == QChar::Other_Control || c.isSurrogate() || c == QChar::ReplacementCharacter)
            return false;
    return true;
}

// A path key's value: the valid paths among the comma-separated, percent-encoded entries.
QStringList Chemins(const QByteArray &valeur, int maximum)
{
    QStringList liste;
    for (const QByteArray &entree : valeur.split(',')) {
        bool propre = !entree.isEmpty();
        for (const char c : entree)
            propre = propre
                     && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                         || std::strchr("-._~/%", c));
        if (!propre)
            continue;
        const QByteArray octets = QByteArray::fromPercentEncoding(entree);
        const QString chemin = QString::fromUtf8(octets);
        if (chemin.toUtf8() == octets && CheminValide(chemin) && !liste.contains(chemin))
            liste << chemin;
        if (liste.size() == maximum)
            break;
    }
    return liste;
}

// A text value: short, and only characters that neither INI nor a shell gives a meaning to.
std::optional<QByteArray> Texte(const QByteArray &texte, int maximum)
{
    if (texte.isEmpty() || texte.size() > maximum)
        return std::nullopt;
    for (const char c : texte)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::strchr("._:-+@/", c)))
            return std::nullopt;
    return texte;
}

const Definition &DefinitionDe(Cle cle)
{
    for (const Definition &d : Definitions)
        if (d.cle == cle)
            return d;
    return Definitions[0];
}

QMutex Verrou;
QString Inutilisable; // guarded: the file found unusable this run, said once

void Refuse(const QString &chemin, const QString &raison)
{
    if (Inutilisable == chemin)
        return;
    Inutilisable = chemin;
    qWarning("sonavirelle: the settings file %s is left alone (%s); the defaults are used for this run",
             qUtf8Printable(chemin), qUtf8Printable(raison));
}

// Strict decimal integer within bounds.
std::optional<int> Entier(const QByteArray &texte, int minimum, int maximum)
{
    if (texte.isEmpty() || texte.size() > 12)
        return std::nullopt;
    qsizetype i = texte.startsWith('-') ? 1 : 0;
    if (i == texte.size())
        return std::nullopt;
    for (qsizetype j = i; j < texte.size(); ++j)
        if (texte[j] < '0' || texte[j] > '9')
            return std::nullopt;
    bool ok = false;
    const qlonglong v = texte.toLongLong(&ok);
    if (!ok || v < minimum || v > maximum)
        return std::nullopt;
    return int(v);
}

enum class Lecture { Lue, Absente, Refusee };

// The known keys the file holds. Never blocks: opened without following a link and without
// waiting on a FIFO, then checked to be a small regular file of ours before anything is read.
Lecture LitFichier(const QString &chemin, QMap<Cle, QByteArray> &valeurs)
{
    const QByteArray nom = QFile::encodeName(chemin);
    if (chemin.isEmpty() || QFile::decodeName(nom) != chemin)
        return (Refuse(chemin, QStringLiteral("its name cannot be written exactly")), Lecture::Refusee);
    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return Lecture::Absente;
        const QString raison =
            errno == ELOOP ? QStringLiteral("it is a symbolic link") : QString::fromLocal8Bit(std::strerror(errno));
        return (Refuse(chemin, raison), Lecture::Refusee);
    }
    struct stat s
    {};
    QString raison;
    if (::fstat(fd, &s) != 0)
        raison = QString::fromLocal8Bit(std::strerror(errno));
    else if (S_ISDIR(s.st_mode))
        raison = QStringLiteral("it is a folder");
    else if (!S_ISREG(s.st_mode))
        raison = QStringLiteral("it is not a regular file");
    else if (::geteuid() != 0 && s.st_uid != ::geteuid())
        raison = QStringLiteral("it belongs to another user");
    else if (s.st_size > TailleMaximale)
        raison = QStringLiteral("it weighs %1 bytes, over %2").arg(qint64(s.st_size)).arg(TailleMaximale);
    QByteArray octets;
    if (raison.isEmpty()) {
        octets.resize(TailleMaximale + 1);
        qsizetype lus = 0;
        while (lus < octets.size()) {
            const ssize_t n = ::read(fd, octets.data() + lus, size_t(octets.size() - lus));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            lus += n;
        }
        octets.truncate(lus);
        if (lus > TailleMaximale)
            raison = QStringLiteral("it grew over %1 bytes").arg(TailleMaximale);
    }
    ::close(fd);
    if (!raison.isEmpty())
        return (Refuse(chemin, raison), Lecture::Refusee);

    // INI as QSettings writes it; anything else (other keys, @Variant values, garbage) is passed over.
    QByteArray groupe;
    for (QByteArray ligne : octets.split('\n')) {
        ligne = ligne.trimmed();
        if (ligne.startsWith('[') && ligne.endsWith(']')) {
            groupe = ligne.mid(1, ligne.size() - 2).trimmed();
            continue;
        }
        const qsizetype egal = ligne.indexOf('=');
        if (egal <= 0)
            continue;
        const QByteArray cle = ligne.left(egal).trimmed();
        const QByteArray valeur = ligne.mid(egal + 1).trimmed();
        for (const Definition &d : Definitions) {
            if (groupe != d.groupe || cle != d.nom)
                continue;
            if (d.chemins) {
                valeurs[d.cle] = valeur;
            } else if (d.texte) {
                if (const auto t = Texte(valeur, d.maximum))
                    valeurs[d.cle] = *t;
            } else if (const auto v = Entier(valeur, d.minimum, d.maximum)) {
                valeurs[d.cle] = QByteArray::number(*v);
            }
        }
    }
    return Lecture::Lue;
}

} // namespace

QString Chemin()
{
    // QSettings knows the user's settings folder (XDG_CONFIG_HOME, setPath); asked about a file
    // that cannot exist, so that nothing real is opened, it gives that folder away.
    const QString sonde =
        QStringLiteral("sonavirelle-sonde-%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const QString fichierSonde = QSettings(QSettings::NativeFormat, QSettings::UserScope, sonde, sonde).fileName();
    const QString dossier = QFileInfo(QFileInfo(fichierSonde).path()).path();
    QString organisation = QCoreApplication::organizationName();
    if (organisation.isEmpty())
        organisation = QStringLiteral("Unknown Organization");
    QString application = QCoreApplication::applicationName();
    return dossier + QLatin1Char('/') + organisation + QLatin1Char('/') + application + QStringLiteral(".conf");
}

namespace {

std::optional<QByteArray> LitBrut(Cle cle)
{
    QMutexLocker verrou(&Verrou);
    const QString chemin = Chemin();
    if (Inutilisable == chemin)
        return std::nullopt;
    QMap<Cle, QByteArray> valeurs;
    if (LitFichier(chemin, valeurs) != Lecture::Lue || !valeurs.contains(cle))
        return std::nullopt;
    return valeurs.value(cle);
}

bool EcritBrut(Cle cle, const QByteArray &valeur)
{
    QMutexLocker verrou(&Verrou);
    const QString chemin = Chemin();
    if (Inutilisable == chemin)
        return false;
    QMap<Cle, QByteArray> valeurs;
    if (LitFichier(chemin, valeurs) == Lecture::Refusee)
        return false;
    valeurs[cle] = valeur;

    const QString dossier = QFileInfo(chemin).path();
    QString raison;
    if (!QDir().mkpath(dossier))
        return (Refuse(chemin, QStringLiteral("its folder cannot be made")), false);
    // Checked again just before the write: the name itself, never what a link points at.
    if (Fichier::Examine(chemin, &raison) == Fichier::Etat::Refuse)
        return (Refuse(chemin, raison), false);
    QByteArray texte;
    for (const char *groupe : {"affichage", "son", "micro", "fichiers"}) {
        QByteArray partie;
        for (const Definition &e : Definitions)
            if (qstrcmp(e.groupe, groupe) == 0 && valeurs.contains(e.cle))
                partie += QByteArray(e.nom) + '=' + valeurs.value(e.cle) + '\n';
        if (!partie.isEmpty())
            texte += (texte.isEmpty() ? QByteArray() : QByteArray("\n")) + '[' + groupe + "]\n" + partie;
    }
    if (!Fichier::Remplace(chemin, texte, QByteArray(), &raison))
        return (Refuse(chemin, raison), false);
    return true;
}

} // namespace

std::optional<int> Lit(Cle cle)
{
    const Definition &d = DefinitionDe(cle);
    if (d.texte || d.chemins)
        return std::nullopt;
    const auto brut = LitBrut(cle);
    return brut ? Entier(*brut, d.minimum, d.maximum) : std::nullopt;
}

bool Ecrit(Cle cle, int valeur)
{
    const Definition &d = DefinitionDe(cle);
    if (d.texte || d.chemins || valeur < d.minimum || valeur > d.maximum)
        return false;
    return EcritBrut(cle, QByteArray::number(valeur));
}

std::optional<QString> LitTexte(Cle cle)
{
    const Definition &d = DefinitionDe(cle);
    if (!d.texte)
        return std::nullopt;
    const auto brut = LitBrut(cle);
    return brut ? std::optional<QString>(QString::fromLatin1(*brut)) : std::nullopt;
}

bool EcritTexte(Cle cle, const QString &valeur)
{
    const Definition &d = DefinitionDe(cle);
    if (!d.texte)
        return false;
    const QByteArray octets = valeur.toUtf8();
    if (!Texte(octets, d.maximum))
        return false;
    return EcritBrut(cle, octets);
}

std::optional<QStringList> LitChemins(Cle cle)
{
    const Definition &d = DefinitionDe(cle);
    if (!d.chemins)
        return std::nullopt;
    const auto brut = LitBrut(cle);
    return brut ? std::optional<QStringList>(Chemins(*brut, d.maximum)) : std::nullopt;
}

bool EcritChemins(Cle cle, const QStringList &chemins)
{
    const Definition &d = DefinitionDe(cle);
    if (!d.chemins)
        return false;
    QByteArrayList entrees;
    for (const QString &c : chemins.mid(0, d.maximum)) {
        if (!CheminValide(c))
            return false;
        entrees << c.toUtf8().toPercentEncoding("/");
    }
    return EcritBrut(cle, entrees.join(','));
}

void Oublie()
{
    QMutexLocker verrou(&Verrou);
    Inutilisable.clear();
}

} // namespace Reglages
