#include "synth/langue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

namespace {

Langue::Code courante = Langue::Code::Francais;

// "en_GB.UTF-8", "en", "fr_CA@euro": the language is what comes before the territory.
QString LangueDe(const QByteArray &nom)
{
    QString l = QString::fromLatin1(nom).trimmed();
    for (const char separateur : {'_', '-', '.', '@'})
        l = l.section(QLatin1Char(separateur), 0, 0);
    return l.toLower();
}

QTranslator &Traducteur()
{
    static QTranslator traducteur;
    return traducteur;
}

// Qt's own texts (the dialogs' buttons, "Ctrl+Maj+Z"): Debian's qt6-translations-l10n.
QTranslator &TraducteurQt()
{
    static QTranslator traducteur;
    return traducteur;
}

} // namespace

namespace Langue {

Code DuSysteme(const Variable &variable)
{
    const Variable lis = variable ? variable : Variable([](const char *nom) { return qgetenv(nom); });
    QByteArray messages;
    for (const char *nom : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = lis(nom);
        if (!messages.isEmpty())
            break;
    }
    QList<QByteArray> choix;
    const bool localeC = messages.isEmpty() || messages == "C" || messages == "POSIX";
    if (!localeC)
        choix = lis("LANGUAGE").split(':');
    choix << messages;
    for (const QByteArray &entree : choix) {
        const QString l = LangueDe(entree);
        if (l == QLatin1String("en"))
            return Code::Anglais;
        if (l == QLatin1String("fr"))
            return Code::Francais;
    }
    return Code::Francais;
}

bool Installe(Code code)
{
    QTranslator &traducteur = Traducteur();
    QCoreApplication::removeTranslator(&traducteur);
    QTranslator &qt = TraducteurQt();
    QCoreApplication::removeTranslator(&qt);
    // Without Qt's catalogue its own words stay English; the program's texts do not depend on it.
    const QString nomQt = code == Code::Francais ? QStringLiteral("qtbase_fr") : QStringLiteral("qtbase_en");
    if (qt.load(nomQt, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    courante = Code::Francais;
    if (code == Code::Francais)
        return true;
    if (!traducteur.load(QStringLiteral(":/i18n/sonavirelle_en.qm"))
        || !QCoreApplication::installTranslator(&traducteur))
        return false;
    courante = code;
    return true;
}

Code Courante()
{
    return courante;
}

QLocale Nombres()
{
    return courante == Code::Anglais ? QLocale(QLocale::English, QLocale::UnitedStates)
                                     : QLocale(QLocale::French, QLocale::France);
}

} // namespace Langue
