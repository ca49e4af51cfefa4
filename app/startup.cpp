// The start-up both programs share: the platform, the window, the game font
// and the game screen's default background.
#include "app/startup.h"

#include "engine/screen.h"
#include "model/project.h"
#include "model/screen_layout.h"
#include "platform/program.h"

ImageHandle backBuffer = 0;
FontHandle interfaceFont = 0;

void startUp() {
    if (!platformInit()) fatalError(u"Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !");
    if (!initSound()) showErrorBox(u"Impossible d'initialiser la bibliothèque son !");
    enableOggDecoding();

    programFolder = currentDirectory();
    inputState = {};

    if (!openWindow(ScreenWidth, ScreenHeight) || !createDrawingSurface()) {
        closeWindow();
        fatalError(u"Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !");
    }
    focusDrawingSurface();
    backBuffer = createImage(ScreenWidth, ScreenHeight, 32);
    if (backBuffer == 0) {
        closeWindow();
        fatalError(u"Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !");
    }
    setWindowTitle(u"Orvalde - l'atelier des aventures illustrées");

    interfaceFont = loadFont(u"Fonts/DroidSansMono.ttf", 16);
    if (interfaceFont == 0) fatalError(u"Impossible de charger la police de caracteres !");

    defaultScreenImage = loadImage(u"Images\\ecran.jpg");
    if (defaultScreenImage == 0) fatalError(u"Probleme d'initialisation !");
    hasScreenImage = false;
    projectName.clear();
}
