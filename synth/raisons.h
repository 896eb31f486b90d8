#pragma once

#include <QCoreApplication>

// The one catalogue context of the reasons the file rooms give (a timbre refused, an export or a
// write that failed, a sound that cannot be computed): a reason reads the same wherever it is
// given, and the command line, the message boxes and the logs all show the catalogue's wording.
// Written Raisons::tr("…") with the French text, so that lupdate finds every one of them.
class Raisons
{
    Q_DECLARE_TR_FUNCTIONS(Raisons)
};
