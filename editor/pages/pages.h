// The editor pages: for each, its drawing, its click handler (zone id), its
// adjust handler (direction +1 or -1, step 1 or 10) and, where the author types
// a text, its key handler. editor_frame.cpp calls them by currentPage.
#pragma once

#include <cstdint>

// Menu page and layout settings (menu_page.cpp).
void drawMenuPage();
void menuPageClick(int64_t zone);
void menuPageAdjust(int64_t direction, int64_t step);

// "SAUVER FICHIER" (save_page.cpp).
void drawSavePage();
void savePageClick(int64_t zone);
void savePageKey(int64_t key);

// "CHARGER FICHIER" (load_page.cpp).
void drawLoadPage();
void loadPageClick(int64_t zone);

// Both file pages: the frame and the project folder list (load_page.cpp).
void drawFilePageFrame(const char16_t* title);
void scrollFilePageList(int64_t direction, int64_t step);

// "MULTIMEDIA" (multimedia_page.cpp).
void drawMultimediaPage();
void multimediaPageClick(int64_t zone);

// "EVTS. MINEURS" and "EVTS. MAJEURS" (event_pages.cpp); page is MinorEvents
// or MajorEvents. Each page keeps its own event, list, marks and focus.
void drawEventPage(int64_t page);
void eventPageClick(int64_t page, int64_t zone);
void eventPageAdjust(int64_t page, int64_t direction, int64_t step);
// Backspace deletes the marked step of the list shown.
void eventPageBackspace(int64_t page);
// Both pages on their first event, conditions shown, nothing marked or chosen.
void resetEventPages();

// "TESTER JEU": the test play in the project folder, then the menu
// (test_game.cpp).
void runTestGame();

// The pages still to be built (placeholder_page.cpp): title bar and "MENU".
void drawPlaceholderPage(int64_t page);
void placeholderPageClick(int64_t zone);
