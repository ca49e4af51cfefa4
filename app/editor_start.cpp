// The editor's start: its pictures, the introduction screen and the editor's
// initial state, and the whole run of the editor.
#include "app/orvalde.h"
#include "app/startup.h"
#include "editor/editor_frame.h"
#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "editor/widgets.h"
#include "platform/program.h"

// The editor's introduction picture.
static ImageHandle introImage = 0;

void startEditor() {
    startUp();
    // All seven are tried before the one message for any of them.
    introImage = loadImage(u"Images\\introduction.jpg");
    const bool editorPicturesLoaded = loadEditorPictures();
    if (introImage == 0 || !editorPicturesLoaded) fatalError(u"Impossible de charger une des images du logiciel !");
}

static void drawIntroduction() {
    forgetReadyLayer();
    beginDrawing(backBuffer);
    drawImage(introImage, 0, 0);
    endDrawing();
    presentBackBuffer();
}

void showIntroduction() {
    // The poll sleeps until an event comes, so the picture is shown before the
    // first wait rather than after the first event.
    drawIntroduction();
    waitForInput({.click = true, .escapeKey = true, .returnKey = true});
}

void initialiseEditor() {
    forgetReadyLayer();  // the first page is drawn whole
    editingText = false;
    listSelecting = false;
    editBuffer.clear();
    startNewAdventure();
    currentPage = Menu;
}

void runOrvalde() {
    startEditor();
    showIntroduction();
    initialiseEditor();
    offerWorkCopies();
    runMainLoop();
    endProgram(0);
}
