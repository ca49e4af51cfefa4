// The map of the adventure in memory as an SVG picture, drawn from the same
// layout as the page "CARTE": each room a group titled "Salle N" with its box,
// its number, the beginning of its text and, when the project has a picture
// for the room, a small copy of it; each exit a group titled "N -> M" with its
// line, its arrowhead when it goes one way and its direction's name when the
// line does not show it.
#pragma once

#include <string>

// Writes the picture at the path (replacing what is there in one step, as
// every file the program keeps). The rooms' pictures are looked for in the
// project folder, when a project is named. False when the file could not be
// written; nothing is then left at the path that was not there before.
bool writeMapPicture(const std::u16string& path);
