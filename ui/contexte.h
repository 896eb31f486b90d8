#pragma once

class Generateur;
class Lecture;
struct Composantes;

// What the windows share: the one component table, the synthesis and the player.
// Owned by main() (or by a test), handed to every window.
struct Contexte
{
    Composantes &table;
    Generateur &generateur;
    Lecture &lecture;
};
