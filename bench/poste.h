#pragma once

// The main window on a muted player and a test.wav of its own, shown: what the window benchmarks time.

#include "lecturemuette.h"

#include "session/edition.h"
#include "ui/contexte.h"
#include "ui/synthetiseur.h"

#include <QTemporaryDir>

namespace Banc {

// Off screen unless the caller chose a platform; called before the application is made.
inline void HorsEcran()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

struct Poste
{
    QTemporaryDir dossier;
    LectureMuette lecture;
    Edition edition{lecture, dossier.filePath(QStringLiteral("test.wav"))};
    Synthetiseur fenetre{Contexte{edition}};

    Poste() { fenetre.show(); }
};

} // namespace Banc
