// The recorder: a play written down as it goes, as a walkthrough script in
// the headless runner's own language. It holds the player's inputs ("type"
// for the characters typed, "key" for the keys, "click" for the clicks) and,
// each time the game waits for the player again, "expect" lines for the texts
// printed since the last wait that the player can read (what the game
// printed, as the walkthrough checks read it), leaving out the prompt and the
// echo of the player's own command. Replayed with `--jouer NOM FICHIER` on
// the same adventure, every check holds; on a changed one, the runner names
// the line that no longer does.
//
// The whole script is written again, with the durable replacement of every
// file the program keeps, before each wait of the play that follows a new
// line: the file on the disk is always a complete script of the play up to
// the last wait, never half a line, whenever and however the program ends
// (the window closed, a fatal error, a power cut). A play is short, and one
// write per turn of a few kilobytes costs nothing beside the player's typing.
#pragma once

#include <string>

// Records the play that starts into the file at the path (relative to the
// folder of the play), replacing it at the first wait; with an empty path,
// records nothing.
void startRecording(const std::u16string& path);
// Called by the input poll around each wait of the program: before it, the
// checks of what can be read and the file written again; after it, the input
// that came. Nothing while no play is recorded.
void recordBeforeWait();
void recordInput();
// The end of the play: the file written with everything, and the recording
// stopped. False when the file could not be written at the last try; the
// script on the disk is then the last one written, if any.
bool finishRecording();
// Whether the play under way is recorded and its file could not be written
// at the last try. The first failure of a play is told at once in the box
// "Erreur", so that the author knows before the play ends, however it ends.
bool recordingFailed();
