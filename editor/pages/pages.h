// The editor pages: for each, its drawing, its click handler (zone id), its
// adjust handler (direction +1 or -1, step 1 or 10; true when it changed
// what the page shows) and, where the author types a text, its key handler. editor_frame.cpp calls them by currentPage, and
// answers the "MENU" button of every page itself.
#pragma once

#include <cstdint>
#include <string>

// Menu page and layout settings (menu_page.cpp). A click returns true when it
// chose "QUITTER", which ends the editor.
void drawMenuPage();
bool menuPageClick(int64_t zone);
bool menuPageAdjust(int64_t direction, int64_t step);

// "SAUVER FICHIER" (save_page.cpp).
void drawSavePage();
void savePageClick(int64_t zone);
void savePageKey(int64_t key);

// "CHARGER FICHIER" (load_page.cpp).
void drawLoadPage();
void loadPageClick(int64_t zone);

// Both file pages: the frame and the project folder list (load_page.cpp).
void drawFilePageFrame(const char16_t* title);
bool scrollFilePageList(int64_t direction, int64_t step);

// "MULTIMEDIA" (multimedia_page.cpp); its only button is "MENU".
void drawMultimediaPage();

// "VOCABULAIRE" (vocabulary_page.cpp).
void drawVocabularyPage();
void vocabularyPageClick(int64_t zone);
bool vocabularyPageAdjust(int64_t direction, int64_t step);
// "INST": the word chosen with the wheel or the arrow keys, Return.
void vocabularyListSelection();
void vocabularyPageKey(int64_t key);
// The list from its first rows with its first spelling selected: whenever the
// spellings change under the page (a new adventure, a load).
void resetVocabularyPage();

// "TEXTE MESSAGES", "TEXTE SALLES", "TEXTE OBJETS", "MESS. SYSTEMES": one page
// for the four tables, chosen by the page number (text_pages.cpp).
void drawTextPage(int64_t page);
void textPageClick(int64_t page, int64_t zone);
bool textPageAdjust(int64_t page, int64_t direction, int64_t step);
void textPageKey(int64_t page, int64_t key);
void resetTextPages();

// "DEPLACEMENTS" (movements_page.cpp).
void drawMovementsPage();
void movementsPageClick(int64_t zone);
bool movementsPageAdjust(int64_t direction, int64_t step);
void resetMovementsPage();

// "DEPLACEMENTS" shown on a room; the room it shows.
void openMovementsPageOn(int64_t room);
int64_t movementsPageRoom();

// "CARTE" (map_page.cpp). Opening it lays the map out from the adventure as
// it then is, centred on the room of "DEPLACEMENTS"; the wheel and the up and
// down keys scroll it up and down, the left and right keys across.
void openMapPage();
void drawMapPage();
void mapPageClick(int64_t zone);
bool mapPageAdjust(int64_t direction, int64_t step);
void mapPageScrollAcross(int64_t direction);

// "PLACER OBJETS" (placement_page.cpp).
void drawPlacementPage();
void placementPageClick(int64_t zone);
bool placementPageAdjust(int64_t direction, int64_t step);
void resetPlacementPage();

// "ATTRIB. OBJETS" (attributes_page.cpp).
void drawAttributesPage();
void attributesPageClick(int64_t zone);
bool attributesPageAdjust(int64_t direction, int64_t step);
void resetAttributesPage();

// "EVTS. MINEURS" and "EVTS. MAJEURS" (event_pages.cpp); page is MinorEvents
// or MajorEvents. Each page keeps its own event, list, marks and focus.
void drawEventPage(int64_t page);
void eventPageClick(int64_t page, int64_t zone);
bool eventPageAdjust(int64_t page, int64_t direction, int64_t step);
// Backspace deletes the marked step of the list shown.
void eventPageBackspace(int64_t page);
// Both pages on their first event, conditions shown, nothing marked or chosen.
void resetEventPages();

// "VERIFIER" (check_page.cpp): the findings of the check of the adventure,
// made when the page opens.
void openCheckPage();
void drawCheckPage();
bool checkPageAdjust(int64_t direction, int64_t step);

// "TESTER JEU": the test play in the project folder, then the menu
// (test_game.cpp).
void runTestGame();
