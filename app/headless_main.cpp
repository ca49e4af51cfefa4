// orvalde-headless SCRIPT: the whole program without a window, its input read
// from the script, what it draws and says written to standard output.
#include <cstdio>

#include "app/orvalde.h"
#include "platform/headless.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvalde-headless SCRIPT\n");
        return 2;
    }
    if (!loadInputScriptFile(utf8ToText(argv[1]))) {
        std::fprintf(stderr, "orvalde-headless: cannot read %s\n", argv[1]);
        return 2;
    }
    runOrvalde();
}
