// Start-up, the introduction screen, the editor's initial state and the end.
#include "app/orvalde.h"
#include "editor/editor_frame.h"
#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "engine/screen.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/program.h"

ImageHandle backBuffer = 0;
FontHandle interfaceFont = 0;
// The editor's introduction picture.
static ImageHandle introImage = 0;


static ImageHandle loadInterfaceImage(const char16_t* fileName) {
    return loadImage(u"Images\\" + std::u16string(fileName));
}

void startUp() {
    if (!platformInit()) fatalError(u"Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !");
    if (!initSound()) showErrorBox(u"Impossible d'initialiser la bibliothèque son !");
    enableOggDecoding();

    programFolder = currentDirectory();
    inputState = {};

    if (!openWindow(800, 600) || !createDrawingSurface()) {
        closeWindow();
        fatalError(u"Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !");
    }
    focusDrawingSurface();
    backBuffer = createImage(800, 600, 32);
    if (backBuffer == 0) {
        closeWindow();
        fatalError(u"Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !");
    }
    setWindowTitle(u"Orvalde - l'atelier des aventures illustrées");

    interfaceFont = loadFont(u"Fonts/DroidSansMono.ttf", 16);
    if (interfaceFont == 0) fatalError(u"Impossible de charger la police de caracteres !");

    defaultScreenImage = loadInterfaceImage(u"ecran.jpg");
    if (defaultScreenImage == 0) fatalError(u"Probleme d'initialisation !");
    hasScreenImage = false;
    projectName.clear();

    // All seven are tried before the one message for any of them.
    introImage = loadInterfaceImage(u"introduction.jpg");
    const bool editorPictures = loadEditorPictures();
    if (introImage == 0 || !editorPictures) fatalError(u"Impossible de charger une des images du logiciel !");
}

static void drawIntroduction() {
    beginDrawing(backBuffer);
    drawImage(introImage, 0, 0);
    endDrawing();
    presentBackBuffer();
}

void showIntroduction() {
    // The poll sleeps until an event comes, so the picture is shown before the
    // first wait rather than after the first event.
    drawIntroduction();
    pollInput();
    while (!inputState.clicked && !inputState.escapeKey && !inputState.returnKey) {
        drawIntroduction();
        pollInput();
        sleepMs(1);
    }
}

void initialiseEditor() {
    editingText = 0;
    listSelecting = 0;
    editBuffer.clear();
    clickedZone = 0;
    startNewAdventure();
    currentPage = Menu;
}

void runOrvalde() {
    startUp();
    showIntroduction();
    initialiseEditor();
    runMainLoop();
    endProgram(0);
}
