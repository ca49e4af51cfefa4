// Orvalde: the editor and game engine in one window.
#include "app/program.h"

int main() {
    runOrvalde();
}
