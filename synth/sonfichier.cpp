#include "synth/sonfichier.h"

#include "analyse/analyse.h"
#include "synth/langue.h"
#include "synth/raisons.h"
#include "synth/timbrefichier.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Secondes(double s)
{
    return Langue::Nombres().toString(s, 'g', 6) + QStringLiteral(" s");
}

// Whether the file's first 12 bytes start a container of the formats the program reads: WAV
// (and its 64-bit forms), AIFF, FLAC, Ogg, Core Audio, Sun/NeXT.
bool Connu(const char *o)
{
    const QByteArray e(o, 12);
    const QByteArray forme = e.mid(8, 4);
    if (e.startsWith("RIFF") || e.startsWith("RIFX"))
        return forme == "WAVE";
    if (e.startsWith("FORM"))
        return forme == "AIFF" || forme == "AIFC";
    for (const char *marque : {"RF64", "BW64", "fLaC", "OggS", "caff", ".snd", "riff"})
        if (e.startsWith(marque))
            return true;
    return false;
}

// Whether the format stores its samples as they are, so that its length is bytes in the file.
bool Brut(int format)
{
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_RF64:
    case SF_FORMAT_W64:
    case SF_FORMAT_AIFF:
    case SF_FORMAT_AU:
    case SF_FORMAT_CAF: break;
    default: return false;
    }
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE: return true;
    default: return false;
    }
}

// The bytes of sound a header claims beyond all reason for a file of `taille` bytes, or 0.
double Annonce(SNDFILE *son, const SF_INFO &info, qint64 taille)
{
    constexpr double Gigaoctet = 1024.0 * 1024.0 * 1024.0;
    double annonce = 0.0;
    // libsndfile's log reads "data : 4294967040 (should be 1000)" for a chunk larger than the file.
    std::vector<char> journal(16384, '\0');
    sf_command(son, SFC_GET_LOG_INFO, journal.data(), int(journal.size()) - 1);
    static const QRegularExpression chiffre(QStringLiteral(":\\s*(\\d{1,19})\\s*\\(should be \\d+\\)"));
    auto trouve = chiffre.globalMatch(QString::fromLatin1(journal.data()));
    while (trouve.hasNext())
        annonce = std::max(annonce, trouve.next().captured(1).toDouble());
    if (!Brut(info.format)) {
        // Silence in FLAC takes about 14 bytes a block of 4096 samples: 4 bytes a float each
        // unpacked, over 1000 times its size; 100 000 times is beyond any real file.
        const double depliee = double(info.frames) * info.channels * 4.0;
        if (depliee > 100000.0 * double(taille))
            annonce = std::max(annonce, depliee);
    }
    return annonce >= double(taille) + Gigaoctet ? annonce : 0.0;
}

// Reads `images` frames from the current place, mixed to mono, into `vers` (at most `images`
// samples; fewer when the file ends early). Non-finite samples (a damaged float file) read as 0.
template <typename Rangement>
sf_count_t LitMono(SNDFILE *son, int canaux, sf_count_t images, std::vector<float> &bloc, Rangement &&range)
{
    constexpr sf_count_t ParBloc = 4096;
    bloc.resize(std::size_t(ParBloc * canaux));
    sf_count_t lues = 0;
    std::vector<float> mono(ParBloc);
    while (lues < images) {
        const sf_count_t voulues = std::min(ParBloc, images - lues);
        const sf_count_t n = sf_readf_float(son, bloc.data(), voulues);
        if (n <= 0)
            break;
        for (sf_count_t i = 0; i < n; ++i) {
            double somme = 0.0;
            for (int c = 0; c < canaux; ++c) {
                const float v = bloc[std::size_t(i * canaux + c)];
                if (std::isfinite(v))
                    somme += std::clamp(v, -1e6f, 1e6f);
            }
            mono[std::size_t(i)] = float(somme / canaux);
        }
        range(mono.data(), std::size_t(n));
        lues += n;
    }
    return lues;
}

} // namespace

namespace SonFichier {

std::optional<Son> Charge(const QString &chemin, std::optional<double> debut, std::optional<double> duree,
                          QString *pourquoi)
{
    auto refuse = [&](const QString &raison) -> std::optional<Son> {
        if (pourquoi)
            *pourquoi = TimbreFichier::Message(chemin, raison);
        return std::nullopt;
    };
    if (chemin.isEmpty())
        return refuse(Raisons::tr("aucun fichier n'est nommé"));
    if (debut && !(*debut >= 0.0 && std::isfinite(*debut)))
        return refuse(Raisons::tr("le début du tronçon (%1) ne peut pas être négatif").arg(Secondes(*debut)));
    if (duree && !(*duree > 0.0 && std::isfinite(*duree)))
        return refuse(Raisons::tr("la durée du tronçon (%1) doit être plus grande que 0").arg(Secondes(*duree)));
    if (duree && *duree < Mesure::DureeMinimale)
        return refuse(Raisons::tr("le tronçon est trop court (%1 ; il faut au moins 50 ms)").arg(Secondes(*duree)));
    if (duree && *duree > DureeMaximale)
        return refuse(
            Raisons::tr("le tronçon est trop long (%1 ; au plus %2)").arg(Secondes(*duree), Secondes(DureeMaximale)));

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
        SNDFILE *son = nullptr;
        ~Ferme()
        {
            if (son)
                sf_close(son);
            ::close(fd);
        }
    } ferme{fd};

    struct stat s
    {};
    if (::fstat(fd, &s) != 0)
        return refuse(Systeme::Raison(errno));
    if (S_ISDIR(s.st_mode))
        return refuse(Raisons::tr("c'est un dossier, pas un son"));
    if (!S_ISREG(s.st_mode))
        return refuse(Raisons::tr("ce n'est pas un fichier ordinaire (périphérique, tube ou autre)"));
    if (s.st_size == 0)
        return refuse(Raisons::tr("le fichier est vide"));
    // Only the containers of the formats named above go on to libsndfile, which knows dozens of
    // rarer ones: less of its code is open to a hostile file.
    char debutFichier[12] = {};
    if (::pread(fd, debutFichier, sizeof debutFichier, 0) != ssize_t(sizeof debutFichier) || !Connu(debutFichier))
        return refuse(
            Raisons::tr("ce n'est pas un son que le programme sait lire (WAV, FLAC, Ogg Vorbis ou Opus, AIFF…)"));
    // A regular file never blocks; reads go back to the ordinary mode libsndfile expects.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    SF_INFO info{};
    ferme.son = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!ferme.son)
        return refuse(
            Raisons::tr("ce n'est pas un son que le programme sait lire (WAV, FLAC, Ogg Vorbis ou Opus, AIFF…)"));
    SNDFILE *son = ferme.son;
    if (info.samplerate < FrequenceMinimale || info.samplerate > FrequenceMaximale)
        return refuse(Raisons::tr("la fréquence d'échantillonnage (%1 Hz) n'est pas entre 8000 et 192000 Hz")
                          .arg(info.samplerate));
    if (info.channels < 1 || info.channels > CanauxMaximum)
        return refuse(Raisons::tr("le son a %1 canaux (au plus %2)").arg(info.channels).arg(CanauxMaximum));
    if (info.frames <= 0 || info.frames == SF_COUNT_MAX)
        return refuse(Raisons::tr("le son ne contient aucun échantillon"));
    // A header may claim far more sound than the file holds (gigabytes in a few bytes). libsndfile
    // then trusts the file's size and notes the header's figure in its log; a claim past the size
    // by a gigabyte or more is refused, a small one (a missing pad byte) let through. For the
    // compressed formats, whose length is counted in samples, the claim is held against what even
    // digital silence could be packed into.
    const double annonce = Annonce(son, info, s.st_size);
    if (annonce > 0.0)
        return refuse(
            Raisons::tr(
                "l'en-tête annonce %1 octets de son, mais le fichier n'en fait que %2 (fichier tronqué ou abîmé)")
                .arg(Langue::Nombres().toString(annonce, 'f', 0))
                .arg(Langue::Nombres().toString(qint64(s.st_size))));

    Son resultat;
    resultat.frequence = info.samplerate;
    resultat.canaux = info.channels;
    resultat.nom = QFileInfo(chemin).fileName();
    const double fe = info.samplerate;
    resultat.dureeTotale = double(info.frames) / fe;
    std::vector<float> bloc;

    Troncon troncon;
    if (debut) {
        troncon.debut = *debut;
        if (troncon.debut >= resultat.dureeTotale)
            return refuse(Raisons::tr("le début du tronçon (%1) est après la fin du son (%2)")
                              .arg(Secondes(troncon.debut), Secondes(resultat.dureeTotale)));
        troncon.duree = duree ? *duree : std::min(Stable::Duree, resultat.dureeTotale - troncon.debut);
    } else {
        // The steady rule needs the sound's level over time: scanned in blocks, never held whole.
        Stable::Niveaux niveaux(fe);
        const sf_count_t exploree = std::min<sf_count_t>(info.frames, sf_count_t(DureeExploree * fe));
        const sf_count_t lues =
            LitMono(son, info.channels, exploree, bloc, [&](const float *m, std::size_t n) { niveaux.ajoute(m, n); });
        if (lues <= 0)
            return refuse(Raisons::tr("le son ne peut pas être lu (fichier tronqué ou abîmé)"));
        const double connue = lues < info.frames ? double(lues) / fe : resultat.dureeTotale;
        if (lues < exploree)
            resultat.dureeTotale = connue; // the file ends before its header says
        troncon = Stable::Choisit(niveaux.termine(), connue);
        if (duree) {
            const double centre = troncon.debut + troncon.duree / 2.0;
            troncon.duree = *duree;
            troncon.debut = std::clamp(centre - *duree / 2.0, 0.0, std::max(0.0, resultat.dureeTotale - *duree));
        }
    }
    const sf_count_t premiere = sf_count_t(std::llround(troncon.debut * fe));
    const sf_count_t derniere = sf_count_t(std::llround((troncon.debut + troncon.duree) * fe));
    const sf_count_t images = derniere - premiere;
    if (derniere > info.frames || troncon.debut + troncon.duree > resultat.dureeTotale + 0.5 / fe)
        return refuse(
            Raisons::tr("le tronçon de %1 à %2 dépasse la fin du son (%3)")
                .arg(Secondes(troncon.debut), Secondes(troncon.debut + troncon.duree), Secondes(resultat.dureeTotale)));
    if (double(images) < Mesure::DureeMinimale * fe - 0.5)
        return refuse(
            Raisons::tr("le tronçon est trop court (%1 ; il faut au moins 50 ms)").arg(Secondes(troncon.duree)));

    if (sf_seek(son, premiere, SEEK_SET) != premiere)
        return refuse(Raisons::tr("le son ne peut pas être lu à partir de %1 (fichier tronqué ou abîmé)")
                          .arg(Secondes(troncon.debut)));
    resultat.echantillons.reserve(std::size_t(images));
    const sf_count_t lues = LitMono(son, info.channels, images, bloc, [&](const float *m, std::size_t n) {
        resultat.echantillons.insert(resultat.echantillons.end(), m, m + n);
    });
    if (lues < images)
        return refuse(Raisons::tr("le tronçon de %1 à %2 dépasse la fin du son (le fichier s'arrête à %3)")
                          .arg(Secondes(troncon.debut), Secondes(troncon.debut + troncon.duree),
                               Secondes(double(premiere + lues) / fe)));
    resultat.troncon = troncon;
    return resultat;
}

} // namespace SonFichier
