#pragma once

class Edition;
class Loupe;

// What the windows share: the editing session (which owns the sound, its synthesis and the
// player's side of it) and the zoom. Owned by main() (or by a test), handed to every window.
struct Contexte
{
    Edition &edition;
    /// The run's zoom, shared by its windows; none: the main window keeps one of its own.
    Loupe *loupe = nullptr;
};
