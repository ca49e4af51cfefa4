// Orvalde: the editor and game engine in one window.
#include "app/orvalde.h"
#include "platform/program.h"

int main() {
    runOrvalde();
}
