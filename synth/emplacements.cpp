#include "synth/emplacements.h"

#include "synth/raisons.h"
#include "synth/systeme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Inscriptible(const QString &dossier)
{
    // Permission bits alone do not tell (read-only mounts, ACLs): try a real file.
    QTemporaryFile essai(dossier + QStringLiteral("/.sonavirelle-XXXXXX"));
    return essai.open();
}

QString Erreur(int numero)
{
    return Systeme::Raison(numero);
}

} // namespace

namespace Fichier {

namespace {

// The named temporary file being written, for the signal handler.
std::atomic<const char *> EnCours{nullptr};

void Interrompu(int signal)
{
    if (const char *nom = EnCours.load())
        ::unlink(nom);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

} // namespace

void NettoieSiInterrompu()
{
    struct sigaction a
    {};
    a.sa_handler = &Interrompu;
    sigemptyset(&a.sa_mask);
    ::sigaction(SIGINT, &a, nullptr);
    ::sigaction(SIGTERM, &a, nullptr);
    // Past a file-size limit a write fails with EFBIG (said in French) instead of killing the run.
    ::signal(SIGXFSZ, SIG_IGN);
}

Etat Examine(const QString &chemin, QString *pourquoi)
{
    auto refuse = [pourquoi](const QString &raison) {
        if (pourquoi)
            *pourquoi = raison;
        return Etat::Refuse;
    };
    if (chemin.isEmpty())
        return refuse(Raisons::tr("aucun dossier"));
    struct stat s
    {};
    if (::lstat(QFile::encodeName(chemin).constData(), &s) != 0)
        return errno == ENOENT ? Etat::Absent : refuse(Erreur(errno));
    if (S_ISLNK(s.st_mode))
        return refuse(Raisons::tr("c'est un lien symbolique"));
    if (S_ISDIR(s.st_mode))
        return refuse(Raisons::tr("c'est un dossier"));
    if (!S_ISREG(s.st_mode))
        return refuse(Raisons::tr("ce n'est pas un fichier ordinaire (périphérique, tube ou autre)"));
    const uid_t moi = ::geteuid();
    if (moi != 0 && s.st_uid != moi)
        return refuse(Raisons::tr("il appartient à un autre utilisateur"));
    if (::access(QFile::encodeName(chemin).constData(), W_OK) != 0)
        return refuse(Raisons::tr("il n'est pas inscriptible"));
    return Etat::Remplacable;
}

bool Remplace(const QString &chemin, const QByteArray &entete, const QByteArray &donnees, QString *pourquoi)
{
    return Remplace(chemin, entete, donnees, 1, pourquoi);
}

bool Remplace(const QString &chemin, const QByteArray &entete, const QByteArray &donnees, qint64 repetitions,
              QString *pourquoi, int *numero)
{
    auto echec = [pourquoi, numero](int n) {
        if (pourquoi)
            *pourquoi = Erreur(n);
        if (numero)
            *numero = n;
        return false;
    };
    const QByteArray nom = QFile::encodeName(chemin);
    const int barre = nom.lastIndexOf('/');
    const QByteArray dossier = barre > 0 ? nom.left(barre) : barre == 0 ? QByteArray("/") : QByteArray(".");
    // The new file is a hidden sibling named after the target (".test.wav-XXXXXX" for test.wav).
    QByteArray temporaire =
        (barre >= 0 ? nom.left(barre + 1) : QByteArray()) + '.' + nom.mid(barre + 1).left(200) + "-XXXXXX";
    // Where the system allows it the file has no name at all until it is whole: a run killed in
    // the middle, even by SIGKILL, leaves nothing behind. Otherwise mkstemp creates the name
    // exclusively (nothing planted there is ever opened) and a SIGINT or SIGTERM removes it.
    // (An unnamed file gets its name through /proc, which a bare container may lack.)
    static const bool procVisible = ::access("/proc/self/fd", X_OK) == 0;
    bool anonyme = procVisible;
    int fd = anonyme ? ::open(dossier.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
    if (!anonyme || (fd < 0 && (errno == EISDIR || errno == EOPNOTSUPP || errno == EINVAL || errno == ENOENT))) {
        anonyme = false;
        fd = ::mkstemp(temporaire.data());
        if (fd >= 0)
            EnCours = temporaire.constData();
    }
    if (fd < 0)
        return echec(errno);
    static const mode_t masque = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    ::fchmod(fd, 0666 & ~masque);

    auto retire = [&] {
        if (!anonyme)
            ::unlink(temporaire.constData());
        EnCours = nullptr;
    };
    auto abandonne = [&](int n) {
        ::close(fd);
        retire();
        return echec(n);
    };
    for (qint64 i = -1; i < repetitions; ++i) {
        const QByteArray &partie = i < 0 ? entete : donnees;
        const char *p = partie.constData();
        qsizetype reste = partie.size();
        while (reste > 0) {
            const ssize_t n = ::write(fd, p, size_t(reste));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return abandonne(errno);
            }
            if (n == 0)
                return abandonne(ENOSPC);
            p += n;
            reste -= n;
        }
    }
    // Synced before the rename: an interrupted run never leaves a torn test.wav behind.
    if (::fdatasync(fd) != 0)
        return abandonne(errno);
    if (anonyme) {
        // Whole: given a name of its own (made exclusively), then renamed over the target.
        const QByteArray source = "/proc/self/fd/" + QByteArray::number(fd);
        const QByteArray modele = temporaire;
        int essais = 0;
        for (;;) {
            temporaire = modele;
            const int t = ::mkstemp(temporaire.data()); // a fresh unique name...
            if (t < 0)
                return abandonne(errno);
            ::close(t);
            ::unlink(temporaire.constData()); // ...that the whole file now takes
            if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, temporaire.constData(), AT_SYMLINK_FOLLOW) == 0)
                break;
            if (errno != EEXIST || ++essais > 10)
                return abandonne(errno);
        }
        anonyme = false;
        EnCours = temporaire.constData();
    }
    if (::close(fd) != 0) {
        const int n = errno;
        retire();
        return echec(n);
    }
    if (::rename(temporaire.constData(), nom.constData()) != 0) {
        const int n = errno;
        retire();
        return echec(n);
    }
    EnCours = nullptr;
    return true;
}

} // namespace Fichier

QString Emplacements::DepuisOctets(const QByteArray &brut)
{
    if (brut.isEmpty() || !brut.startsWith('/'))
        return {};
    const QString chemin = QFile::decodeName(brut);
    return QFile::encodeName(chemin) == brut ? chemin : QString();
}

QString Emplacements::DossierExecutable()
{
    QByteArray brut(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", brut.data(), size_t(brut.size()));
    if (n <= 0 || n >= brut.size())
        return {};
    brut.truncate(n);
    brut.truncate(brut.lastIndexOf('/'));
    if (brut.isEmpty())
        brut = "/";
    return DepuisOctets(brut);
}

QString Emplacements::DossierInstalle(const QString &dossierApplication)
{
    if (dossierApplication.isEmpty() || !QFileInfo(dossierApplication).isAbsolute())
        return {};
    const QDir application(dossierApplication);
    if (application.dirName() != QLatin1String("bin"))
        return {};
    const QString donnees = QDir::cleanPath(application.absoluteFilePath(QStringLiteral("../share/sonavirelle")));
    return QFileInfo(donnees).isDir() ? donnees : QString();
}

Emplacements Emplacements::Choisis(const QString &dossierApplication)
{
    Emplacements e;
    e.dossierApplication = dossierApplication;
    e.dossierSon = dossierApplication;
    QString perso = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    // A folder named through bytes that are not UTF-8 would be made under another name (with
    // U+FFFD in it): no per-user folder at all then.
    for (const char *variable : {"XDG_DATA_HOME", "HOME"}) {
        const QByteArray brut = qgetenv(variable);
        if (QFile::encodeName(QFile::decodeName(brut)) != brut)
            perso.clear();
    }
    if (perso.contains(QChar::ReplacementCharacter))
        perso.clear();
    if (!perso.isEmpty() && perso != dossierApplication)
        e.dossierSecours = perso;

    e.dossierDonnees = DossierInstalle(dossierApplication);
    // An installed program never writes beside its executable, even when it could (run by root).
    const bool installe = !e.dossierDonnees.isEmpty();

    // Why the application folder cannot hold test.wav; empty when it can.
    QString pourquoi;
    if (installe) {
        pourquoi = QStringLiteral("the program is installed");
    } else if (dossierApplication.isEmpty() || !QFileInfo(dossierApplication).isAbsolute()) {
        pourquoi = QStringLiteral("the program's folder has no usable name");
    } else if (!Inscriptible(dossierApplication)) {
        pourquoi = QStringLiteral("%1 is not writable").arg(dossierApplication);
    } else {
        QString raison;
        if (Fichier::Examine(e.test(), &raison) == Fichier::Etat::Refuse)
            pourquoi = QStringLiteral("%1 is left alone (%2)").arg(e.test(), raison);
    }
    if (pourquoi.isEmpty())
        return e;

    if (!e.dossierSecours.isEmpty() && QDir().mkpath(e.dossierSecours)) {
        e.dossierSon = e.dossierSecours;
        // The per-user folder is the installed program's normal place: nothing to say.
        if (!installe)
            qInfo("sonavirelle: %s, test.wav goes to %s", qUtf8Printable(pourquoi), qUtf8Printable(e.dossierSecours));
    } else {
        qWarning(
            "sonavirelle: neither %s nor a per-user folder is writable (%s); test.wav cannot be written",
            qUtf8Printable(dossierApplication.isEmpty() ? QStringLiteral("the program's folder") : dossierApplication),
            qUtf8Printable(pourquoi));
        // Never the root folder: an empty application folder must not turn into "/test.wav".
        if (installe || dossierApplication.isEmpty() || !QFileInfo(dossierApplication).isAbsolute())
            e.dossierSon.clear();
    }
    return e;
}
