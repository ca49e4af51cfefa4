// Start-up, the introduction screen, the editor's initial state and the end.
#include "app/orvalde.h"
#include "editor/editor_frame.h"
#include "editor/editor_state.h"
#include "engine/screen.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/program.h"

ImageHandle backBuffer = 0;
FontHandle interfaceFont = 0;
ImageHandle defaultScreenImage = 0;
ImageHandle introImage = 0;
ImageHandle decoImage1 = 0;
ImageHandle decoImage2 = 0;
ImageHandle decoImage3 = 0;
ImageHandle compassImage = 0;
ImageHandle deleteIcon = 0;
ImageHandle deleteIconSelected = 0;

int64_t running = 0;

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
    decoImage1 = loadInterfaceImage(u"deco1.png");
    decoImage2 = loadInterfaceImage(u"deco2.png");
    decoImage3 = loadInterfaceImage(u"deco3.png");
    compassImage = loadInterfaceImage(u"nseo.png");
    deleteIcon = loadInterfaceImage(u"suppr.png");
    deleteIconSelected = loadInterfaceImage(u"supprSel.png");
    if (introImage == 0 || decoImage1 == 0 || decoImage2 == 0 || decoImage3 == 0 || compassImage == 0 ||
        deleteIcon == 0 || deleteIconSelected == 0) {
        fatalError(u"Impossible de charger une des images du logiciel !");
    }
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
    running = 1;
}

void runOrvalde() {
    startUp();
    showIntroduction();
    initialiseEditor();
    runMainLoop();
    endProgram(0);
}
