#pragma once

#include <QString>

// The system's answers in the user's words: what an error number means, and whether the program
// may write a file under a name. Shared by every file the program writes or reads.
namespace Systeme {

/// A French reason for a system error number (the common ones worded for a teacher, the rest as
/// the system says them).
QString Raison(int numero);

/// Why a file the program writes (an export, a timbre, a recording) may not be written at
/// `chemin`, in French; empty when it may. Refused: a name that cannot be written exactly, a link
/// (even dangling), a folder, a device or FIFO, another user's file. Links are never followed.
QString RefusEcriture(const QString &chemin);

} // namespace Systeme
