#pragma once

class Generateur;
class Lecture;
class Loupe;
struct Composantes;

// What the windows share: the one component table, the synthesis and the player.
// Owned by main() (or by a test), handed to every window.
struct Contexte
{
    Composantes &table;
    Generateur &generateur;
    Lecture &lecture;
    /// The run's zoom, shared by its windows; none: the main window keeps one of its own.
    Loupe *loupe = nullptr;
};
