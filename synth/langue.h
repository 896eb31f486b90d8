#pragma once

#include <QByteArray>
#include <QLocale>

#include <functional>

// The language of the run's texts: French, the language they are written in and the default, or
// English, from translations/sonavirelle_en.ts (compiled in under :/i18n).
namespace Langue {

enum class Code { Francais, Anglais };

/// Reads one environment variable (qgetenv by default; tests give a table).
using Variable = std::function<QByteArray(const char *)>;

/// The language the environment asks for, read as gettext reads it: the list in LANGUAGE first
/// (ignored when the messages' locale is unset, C or POSIX), then the first set of LC_ALL,
/// LC_MESSAGES and LANG. The first entry naming English or French decides; French when none does.
Code DuSysteme(const Variable &variable = {});

/// Makes `code` the language of the run: its catalogue goes into the running application (French
/// needs none), with Qt's own catalogue for that language beside it (qtbase_fr.qm, qtbase_en.qm from
/// Qt's translations folder, when installed), and its numbers into Nombres(). Needs a QCoreApplication, and is called again for
/// each new one. False when the catalogue cannot be loaded (the texts then stay French).
bool Installe(Code code);

/// The language installed last; French until Installe() says otherwise.
Code Courante();

/// How the texts write numbers in the current language: decimal separator and digit grouping
/// (French 0,5 and 1 056; English 0.5 and 1,056).
QLocale Nombres();

} // namespace Langue
