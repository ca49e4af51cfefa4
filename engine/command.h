// The player's command: the line editor of the text zone, the split into
// words, their matching against the vocabulary and the built-in verbs that act
// on word numbers 0 to 13 without any event.
#pragma once

#include <cstdint>
#include <string>

constexpr int MaxCommandWords = 6;

// Built-in word numbers: 0..5 are the six movements (directions of exits).
constexpr int64_t WordTake = 6;
constexpr int64_t WordDrop = 7;
constexpr int64_t WordPutAway = 8;
constexpr int64_t WordHold = 9;
constexpr int64_t WordInventory = 10;
constexpr int64_t WordQuit = 11;
constexpr int64_t WordSave = 12;
constexpr int64_t WordLoad = 13;

extern std::u16string commandLine;                    // the line being typed
extern std::u16string lastCommand;                    // the line as entered, kept until the next one
extern std::u16string commandWords[MaxCommandWords];  // words in use first, the others empty
extern int64_t commandWordCount;
extern int64_t commandWordNumbers[MaxCommandWords];  // NoWord where no word is in use

// Empties the six words, their numbers and the count (session start, restart).
void clearCommandWords();

// Runs the line editor in the text zone below the cursor until Return or
// Escape; returns true when Escape ended it (the line typed so far is kept).
bool readCommandLine();

// Puts the screen back as it was before the last readCommandLine, erasing
// the line typed (its slot only; nothing when no line was read since).
void eraseTypedLine();

// Fills commandWords and commandWordCount from the line: every character other
// than A..Z separates words; at most six words are kept.
void splitCommand(const std::u16string& line);

// Keeps only the words that equal a vocabulary spelling, closes the gaps and
// fills commandWordNumbers (the highest word number wins for a shared spelling).
void recogniseWords();

// Performs the built-in verb of the recognised words, if any, printing its
// messages in the text zone.
void applyBuiltInVerbs();
