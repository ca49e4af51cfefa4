// What the player can read when the game waits for a key, as a walkthrough's
// "expect" lines check it: the answer to a command that redraws the screen,
// and the runner's record of the texts the frame shown holds.
#include "tests/support.h"

namespace {

// The texts of the "expect" lines that were not met, in script order.
std::vector<std::string> unmet() {
    std::vector<std::string> texts;
    for (const std::string& line : takeUnmetExpectations()) texts.push_back(line.substr(line.find(": ") + 2));
    return texts;
}

std::string expectLines(const std::vector<std::string>& texts) {
    std::string lines;
    for (const std::string& text : texts) lines += "expect " + text + "\n";
    return lines;
}

}  // namespace

// A take, a move, "Aller en", "Décrit salle actuelle" and a load redraw the
// screen; what the command was answered stays readable under it, as it does
// after any other command. A command answered by nothing leaves nothing.
TEST(PlayerReads, TheAnswerToACommandStaysAfterTheScreenIsRedrawn) {
    const int64_t WordSearch = 31, WordJump = 32, WordChat = 33, WordWin = 34;
    const struct {
        std::string does;
        std::vector<std::string> reads, gone;
    } cases[] = {
        {typed({"prends lampe"}), {"PRENDS LAMPE Elle éclaire.   A vous :", "Vous voyez : Un rocher"}, {"Une lampe"}},
        {typed({"nord"}), {"La cave. <S>", "A vous :"}, {"NORD", "Le hall."}},
        {typed({"regarde"}), {"A vous : REGARDE Rien de neuf.   A vous :"}, {"REGARDE Rien de neuf.   REGARDE"}},
        {typed({"fouille"}), {"A vous : FOUILLE Poussière. Rien d'autre.   A vous :"}, {}},
        {typed({"saute"}),
         {"SAUTE Hop ! Une phrase assez longue pour ne pas tenir sur une seule ligne de la zone de texte."},
         {"Le hall."}},
        {typed({"charge"}) + "type 4\n", {"CHARGE Numéro de sauvegarde (1 à 9) : Sauvegarde inexistante !"}, {}},
        // The zone scrolls as usual: the command and the first answers go.
        {typed({"bavarde"}), {"m13 m14 m15 m16 m17   A vous :"}, {"BAVARDE", "m12"}},
        // A new game starts with nothing of the last one's answer.
        {typed({"gagne"}) + "type o\n", {"Le hall. <N>", "A vous :"}, {"Vous avez fait", "GAGNE"}},
    };
    for (const auto& c : cases) {
        startProject("answer");
        const char16_t* const spellings[] = {u"FOUILLE", u"SAUTE", u"BAVARDE", u"GAGNE"};  // from WordSearch on
        for (int w = 0; w < 4; ++w) adventure.vocabulary[WordSearch + w][0] = spellings[w];
        const char16_t* const messages[] = {
            u"Elle éclaire.", u"Rien de neuf.", u"Poussière.", u"Rien d'autre.",
            u"Hop ! Une phrase assez longue pour ne pas tenir sur une seule ligne de la zone de texte."};
        for (int m = 1; m <= 5; ++m) adventure.messageTexts[m] = messages[m - 1];
        for (int m = 10; m < 18; ++m) adventure.messageTexts[m] = u"m" + integerToText(m);
        addMinorEvent(WordTake, WordLamp, NoWord, {}, {step(AfficheMessage, 1)});
        addMinorEvent(WordLook, NoWord, NoWord, {}, {step(AfficheMessage, 2)});
        addMinorEvent(WordSearch, NoWord, NoWord, {},
                      {step(AfficheMessage, 3), step(DecritSalleActuelle), step(AfficheMessage, 4)});
        addMinorEvent(WordJump, NoWord, NoWord, {}, {step(AfficheMessage, 5), step(AllerEn, 1)});
        addMinorEvent(WordChat, NoWord, NoWord, {},
                      {step(AfficheMessage, 10), step(AfficheMessage, 11), step(AfficheMessage, 12),
                       step(AfficheMessage, 13), step(AfficheMessage, 14), step(AfficheMessage, 15),
                       step(AfficheMessage, 16), step(AfficheMessage, 17), step(AllerEn, 0)});
        addMinorEvent(WordWin, NoWord, NoWord, {}, {step(FinirLeJeu)});
        takeUnmetExpectations();
        playSession(c.does + expectLines(c.reads) + expectLines(c.gone));
        EXPECT_EQ(unmet(), c.gone) << c.does;
    }
}

// The runner's own record: a text counts once a frame showing it is presented
// and until something is drawn over any part of it; copies of the screen
// carry the texts lying wholly inside them; lines one below the other at the
// same x read as one text.
TEST(PlayerReads, AnExpectReadsOnlyTheTextsOfTheFrameShown) {
    startInProcess(makeWorkFolder("runner_record"));
    using Draw = void (*)();
    const struct {
        Draw draw;
        const char* expect;
        bool met;
    } cases[] = {
        // clang-format off
        {[] { drawText(100, 100, u"Bonjour"); }, "Bonjour", true},
        {[] { setDrawingMode(DrawMode::TransparentText); drawText(100, 100, u"Bonjour"); }, "Bonjour", true},
        {[] { drawText(100, 100, u"Bonjour"); fillRect(130, 110, 1, 1, rgb(0, 0, 0)); }, "Bonjour", false},
        {[] { drawText(100, 100, u"Bonjour"); fillRect(100, 100 + textHeight(u"B"), 50, 5, 0); }, "Bonjour", true},
        {[] { drawText(100, 100, u"Bon"); drawText(100, 100 + textHeight(u"B"), u"jour"); }, "Bon jour", true},
        {[] { drawText(100, 100, u"Bon"); drawText(101, 100 + textHeight(u"B"), u"jour"); }, "Bon jour", false},
        {[] { drawText(100, 100, u"Bon"); drawText(100, 101 + textHeight(u"B"), u"jour"); }, "Bon jour", false},
        {[] { drawText(790, 100, u"Bonjour"); }, "Bonjour", false},
        {[] {
             drawText(100, 100, u"Bonjour");
             const ImageHandle copy = grabImage(backBuffer, 90, 90, 200, 50);
             fillRect(0, 0, 800, 600, 0);
             drawImage(copy, 300, 400);
             freeImage(copy);
         },
         "Bonjour", true},
        {[] {
             drawText(100, 100, u"Bonjour");
             const ImageHandle copy = grabImage(backBuffer, 110, 90, 200, 50);
             drawImage(copy, 300, 400);
             fillRect(0, 0, 300, 300, 0);
             freeImage(copy);
         },
         "Bonjour", false},
        {[] {
             drawText(300, 80, u"Bonjour");
             setDrawingMode(DrawMode::AlphaBlend);
             drawImage(deleteIcon, 300, 80);
         },
         "Bonjour", true},
        {[] {
             drawText(300, 80, u"Bonjour");
             drawImageScaled(deleteIcon, 250, 70, 100, 30);
         },
         "Bonjour", false},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        beginDrawing(backBuffer);
        fillRect(0, 0, 800, 600, rgb(255, 255, 255));
        cases[i].draw();
        endDrawing();
        presentBackBuffer();
        // Drawn into the back buffer after the presentation: not shown.
        beginDrawing(backBuffer);
        drawText(10, 10, u"Pas encore montré");
        endDrawing();
        takeUnmetExpectations();
        queueInputScript(std::string("expect ") + cases[i].expect + "\nexpect Pas encore montré\nkey return\n");
        pollInput();
        const std::vector<std::string> expected = cases[i].met
                                                      ? std::vector<std::string>{"Pas encore montré"}
                                                      : std::vector<std::string>{cases[i].expect, "Pas encore montré"};
        EXPECT_EQ(unmet(), expected) << "case " << i;
    }
}
