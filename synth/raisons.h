#pragma once

#include <QCoreApplication>
#include <QString>

// The one catalogue context of the reasons the file rooms give (a timbre refused, an export or a
// write that failed, a sound that cannot be computed): a reason reads the same wherever it is
// given, and the command line, the message boxes and the logs all show the catalogue's wording.
// Written Raisons::tr("…") with the French text, so that lupdate finds every one of them.
class Raisons
{
    Q_DECLARE_TR_FUNCTIONS(Raisons)
};

// System errors and write refusals worded for the user (defined with the timbre files).
namespace Systeme {

/// A French reason for a system error number (the common ones worded for a teacher, the rest as
/// the system says them).
QString Raison(int numero);

/// Why a file the program writes (an export, a timbre, a recording) may not be written at
/// `chemin`, in French; empty when it may. Refused: a name that cannot be written exactly, a link
/// (even dangling), a folder, a device or FIFO, another user's file. Links are never followed.
QString RefusEcriture(const QString &chemin);

} // namespace Systeme
