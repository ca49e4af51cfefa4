// What the game prints, and where: the system messages by name, the dialogue
// in the text zone, the quit question, the inventory zone and the drawing of
// the room at the start of a turn. Every text of the engine reaches the screen
// through these procedures (and printInZone beneath them).
#pragma once

#include <cstdint>
#include <string>

// The system messages the engine prints, by their number in the adventure's
// systemMessages (the texts are the author's; the defaults are in brackets).
enum SystemMessage : int {
    MsgYouSee = 0,           // "Vous voyez :" heads the objects of the room
    MsgPrompt = 1,           // "A vous :" before each command
    MsgNotUnderstood = 2,    // "Je ne comprends pas ces mots."
    MsgNoWayThere = 3,       // "Je ne peux pas aller pas là."
    MsgCannot = 4,           // "Je ne peux pas"
    MsgYouHave = 5,          // "Vous avez:" heads the inventory
    MsgNothing = 7,          // "Rien du tout" stands for an empty list
    MsgQuitQuestion = 8,     // "Voulez-vous vraiment arrêter le jeu ?"
    MsgReplayQuestion = 9,   // "Fin de la partie - Voulez-vous rejouer ?"
    MsgScoreStart = 11,      // "Vous avez fait" (count of commands)
    MsgScoreNoun = 12,       // "action"
    MsgScorePlural = 13,     // "s", added above one command
    MsgNotInHand = 14,       // "Vous n'avez pas cet objet en main."
    MsgHandsFull = 15,       // "Vous ne pouvez pas, vos mains sont pleines."
    MsgAlreadyCarried = 16,  // "Vous l'avez déjà."
    MsgNotHere = 17,         // "Cet objet n'est pas ici."
    MsgInventoryFull = 18,   // "Vous ne pouvez pas avoir plus d'objets."
    MsgNotCarried = 19,      // "Vous ne l'avez pas."
    MsgYes = 21,             // "O": the first letter answers yes
    MsgNo = 22,              // "N": the first letter answers no
    MsgSlotQuestion = 23,    // "Numéro de sauvegarde (1 à 9) :"
    MsgOk = 24,              // "D'accord."
    MsgCannotWrite = 25      // "Vous ne pouvez pas écrire sur ce disque."
};

const std::u16string& systemMessage(SystemMessage message);

// Prints into the text zone from its cursor and moves the cursor on.
void printInTextZone(const std::u16string& text);
void printSystemMessage(SystemMessage message);

// The answer of a turn: what the turn printed in the text zone after the echo
// of its command. A turn that asks for a full redraw (a move, a take, an event
// sending the player elsewhere) would have its answer cleared by the next turn
// start before the player could read it, so that turn start shows it again,
// headed by the command, at the top of the text zone.
//
// The session starts the answer after the echo of the command and ends it
// before the blank line that closes the turn; a new game has none.
void startTurnAnswer(const std::u16string& command);
void endTurnAnswer();
void forgetTurnAnswer();
// After a full redraw at a turn start: the command and its answer, then the
// blank line that closed the turn. Nothing when the turn printed no answer.
void showTurnAnswerAgain();
// After the room is described again (the zones cleared): the prompt, the
// command last entered and, within a turn's answer, what it has answered so
// far; none of it is kept in the answer a second time.
void printPromptAndAnswerAgain(const std::u16string& command);

// The answers offered after a question: yes, "/", no ("O/N").
std::u16string yesNoChoice();

// The quit question and its answers; the session asks for the answer after
// the current command.
void askQuitQuestion();

// Blanks the inventory zone with its saved background and lists in it, under
// the heading, the objects at the location ("Rien du tout" when none).
void refreshInventoryZone(SystemMessage heading, int64_t location);

// The drawing at the start of each turn, over what the last turn left on the
// screen: the room picture, the room's description and the objects seen when
// their zones are empty.
void drawTurnStart();
