// A test play of the adventure in memory, run in the current directory (the
// project folder); returns when the player leaves, or at once, after the box
// "Erreur", when its starting state "0.sav" cannot be written (false then).
#pragma once

// What the author or the player is told when a play has nowhere to keep its
// starting state.
constexpr const char16_t* NoStartingStateMessage = u"Impossible de faire la sauvegarde du jeu !";

bool runGameSession();
