// What the player can read when the game waits for a key, as a walkthrough's
// "expect" lines check it: the answer to a command that redraws the screen,
// and the runner's record of the texts the frame shown holds.
#include "tests/support.h"

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
        {typed({"bavarde"}), {"m258 m259   A vous :"}, {"BAVARDE", "m100 "}},
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
        for (int m = 100; m < 260; ++m) adventure.messageTexts[6] += (m > 100 ? u" m" : u"m") + integerToText(m);
        addMinorEvent(WordTake, WordLamp, NoWord, {}, {step(AfficheMessage, 1)});
        addMinorEvent(WordLook, NoWord, NoWord, {}, {step(AfficheMessage, 2)});
        addMinorEvent(WordSearch, NoWord, NoWord, {},
                      {step(AfficheMessage, 3), step(DecritSalleActuelle), step(AfficheMessage, 4)});
        addMinorEvent(WordJump, NoWord, NoWord, {}, {step(AfficheMessage, 5), step(AllerEn, 1)});
        addMinorEvent(WordChat, NoWord, NoWord, {}, {step(AfficheMessage, 6), step(AllerEn, 0)});
        addMinorEvent(WordWin, NoWord, NoWord, {}, {step(FinirLeJeu)});
        takeUnmetExpectations();
        playSession(c.does + expectLines(c.reads) + expectLines(c.gone));
        EXPECT_EQ(unmet(), c.gone) << c.does;
    }
}

// A part of the back buffer grabbed from (x, 90), the back buffer cleared,
// and the part drawn back elsewhere.
static void moveArea(int64_t x) {
    const ImageHandle copy = grabImage(backBuffer, x, 90, 200, 50);
    fillRect(0, 0, 800, 600, 0);
    drawImage(copy, 300, 400);
    freeImage(copy);
}

// The runner's own record: a text counts once a frame showing it is presented
// and until something is drawn over any part of it; copies of the screen
// carry the texts lying wholly inside them; lines one below the other at the
// same x read as one text. "Bonjour" is drawn at (100, 100) first.
TEST(PlayerReads, AnExpectReadsOnlyTheTextsOfTheFrameShown) {
    startInProcess(makeWorkFolder("runner_record"));
    const int64_t below = 100 + gameLineHeight();
    const struct {
        void (*draw)(int64_t below);
        const char* expect;
        bool met;
    } cases[] = {
        // clang-format off
        {[](int64_t) {}, "Bonjour", true},
        {[](int64_t) { setDrawingMode(DrawMode::TransparentText); drawText(300, 300, u"Salut"); }, "Salut", true},
        {[](int64_t) { fillRect(130, 110, 1, 1, 0); }, "Bonjour", false},
        {[](int64_t y) { fillRect(100, y, 50, 5, 0); }, "Bonjour", true},
        {[](int64_t y) { drawText(100, y, u"tout le monde"); }, "Bonjour tout le monde", true},
        {[](int64_t y) { drawText(101, y, u"tout le monde"); }, "Bonjour tout le monde", false},
        {[](int64_t y) { drawText(100, y + 1, u"tout le monde"); }, "Bonjour tout le monde", false},
        {[](int64_t) { drawText(790, 300, u"Salut"); }, "Salut", false},
        {[](int64_t) { moveArea(90); }, "Bonjour", true},
        {[](int64_t) { moveArea(110); }, "Bonjour", false},
        {[](int64_t) { setDrawingMode(DrawMode::AlphaBlend); drawImage(editorPictures[DeleteIcon], 100, 100); }, "Bonjour", true},
        {[](int64_t) { drawImageScaled(editorPictures[DeleteIcon], 90, 90, 100, 30); }, "Bonjour", false},
        // clang-format on
    };
    for (const auto& c : cases) {
        beginDrawing(backBuffer);
        fillRect(0, 0, 800, 600, rgb(255, 255, 255));
        selectFont(interfaceFont);
        drawText(100, 100, u"Bonjour");
        c.draw(below);
        endDrawing();
        presentBackBuffer();
        // Drawn into the back buffer after the presentation: not shown.
        beginDrawing(backBuffer);
        drawText(10, 10, u"Pas encore montré");
        endDrawing();
        takeUnmetExpectations();
        queueInputScript(std::string("expect ") + c.expect + "\nexpect Pas encore montré\nkey return\n");
        pollInput();
        std::vector<std::string> expected = {"Pas encore montré"};
        if (!c.met) expected.insert(expected.begin(), c.expect);
        EXPECT_EQ(unmet(), expected) << c.expect;
    }
}
