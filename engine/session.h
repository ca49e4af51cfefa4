// A test play of the adventure in memory, run in the current directory (the
// project folder); returns when the player leaves, or at once, after the box
// "Erreur", when its starting state "0.sav" cannot be written (false then).
#pragma once

bool runGameSession();
