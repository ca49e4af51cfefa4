// The inspector: what a test play hides from the player, shown by F1 over the
// picture zone while the play goes on: the turn, the room, the words the last
// command was read as, the events whose actions ran this turn, the flags that
// are not zero, and where the objects that matter are. It is drawn into the
// frame presented, never into the back buffer: the game and everything it
// draws are the same whether it is shown or not, and hidden again the frame
// is exactly the game's.
#pragma once

// Whether F1 shows the inspector in the play under way (a test play from the
// editor, or a project played with --inspecteur), and whether it is shown.
extern bool inspectorAllowed;
extern bool inspectorShown;

// F1: shows or hides the inspector, when allowed, and presents the frame
// again.
void toggleInspector();

// Presents the back buffer with the inspector drawn over a copy of it.
void presentInspectedFrame();

// Releases the frame the inspector draws into (the end of a play).
void releaseInspectorFrame();
