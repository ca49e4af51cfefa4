// A test play of the adventure in memory, run in the current directory (the
// project folder); returns when the player leaves.
#pragma once

void runGameSession();
