// A test play of the adventure in memory, run in the current directory (the
// project folder); returns when the player leaves, or at once, after the box
// "Erreur", when its starting state "0.sav" cannot be written (false then).
// A play whose recording could not be written returns false too.
#pragma once

#include <string>

// What the author or the player is told when a play has nowhere to keep its
// starting state.
constexpr const char16_t* NoStartingStateMessage = u"Impossible de faire la sauvegarde du jeu !";

// How a play is watched: whether F1 shows the inspector, and the file the
// play is recorded into as a walkthrough script (none when empty; a path
// relative to the folder of the play, or absolute).
struct PlayWatch {
    bool inspector = true;
    std::u16string recording;
};

bool runGameSession(const PlayWatch& watch = {});
